#pragma once
// A clickable region of a scene viewpoint or of a close-up, through which
// the player walks, talks, looks, collects, uses and analyzes. The scene
// and the close-ups make one per entry of their hotspot files through the
// factory (Create), which picks the kind by "type": 1 navigate
// (MGHotspotNavigate), 2 interview (MGHotspotInterview), 3 target
// (MGHotspotTarget), 4 general (this class, the base of the other three).
//
// The keys every kind reads (ReadEntry), missing ones logged and defaulted:
//     id=desk
//     type=general
//     enabled=script[...]         whether it reacts at all
//     closeup=false               true: the display member is the open close-up's
//     display                     optional: a member of the viewpoint's
//         memberid=lamp           display group drawn while "visible" holds
//         visible=script[...]
//     mesh                        optional: a frame of the depth mesh, drawn
//         id=WC_lamp              while "active" holds (true when absent)
//         active=script[...]
//     boundary
//         type=rectangle          x|y|width|height, or "polygon": x|y pairs
//         coords=10|20|100|50
//         position=300|200        points are tested relative to it
//     data
//         multicursor             optional: the five-action menu
//             position=400|220    where the menu opens
//             orientation=left    (or "side"): the mirrored menu
//             operatingid=letter  the inventory item the hotspot stands for
//             collectanim=table   camera, camera_low, camera_mid, camera_high,
//                                 table, or any word for a pick from the floor
//             look, collect, use, analyze, talk   MGHotspotAction sections
//         objectofinterest        optional: the section "id" of the scene's
//             id=letter           evidence.txt (MGObjectOfInterest)
//         voiceovers              optional, each a list: sound name (".ogg"
//             look=name|speaker|easyname    when it has no extension), the
//             use, satisfied, unsatisfied   speaker's id, the easy level's name
//         cutscenes               optional, each a list: movie, scene,
//             look=movie|scene|viewpoint|state|event   viewpoint, state, event
//             use, satisfied, unsatisfied              ("-" for none)
//
// A hotspot hears the engine mouse (order 0.0, before the scene) only while
// its owner has it on (SetEnabled) and its conditions hold (UpdateEnabled):
// the "enabled" script, and for a general hotspot that the cursor does not
// hold its own item. It re-evaluates them on every event and state change.
//
// The click road: hovering sets the rollover cursor; button 1 walks the
// player to the object of interest (or turns it there), then by kind:
// general opens the five-action menu, and each action plays its voice-over
// or cut-scene, takes the item into the cursor or the inventory (with the
// player's pick-up or photograph), starts the delayed lab results, and adds
// its done events and state changes. A double click runs. While a
// voice-over, an action or the menu runs, the scene's input and hotspots
// are off; each end turns them on again.
//
// Voice-overs: the stream "//sounds/" + file, the subtitle of its name in
// "//scenes/vo_subtitles.txt", the speaker's lip-sync "//dataroot/lipsync/"
// + name + ".dat" and gestures "//gestures/" + name + ".gk"; the first play
// of a look line records "evt_" + id + "_" + name + "_played", and look is
// offered until then.
//
// A handler that can change the viewpoint or the scene deletes this very
// hotspot on the way (the scene clears its hotspots): such handlers copy
// what they need first and touch no member afterwards.
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "event/VoIEventListener.h"
#include "geometry/VoVector2.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "scene/MGICharacterListener.h"
#include "scene/MGIListener.h"
#include "state/VoIStateListener.h"

class MGCharacter;
class MGCursor;
class MGHotspotAction;
class MGHotspotTypeData;
class MGMultiCursor;
class MGObjectOfInterest;
class MGScene;
class VoCharacter;
class VoEventManager;
class VoGesturePlayer;
class VoIDisplayObject;
class VoISoundPlayer;
class VoMouse;
class VoPolygon;
class VoPropertyList;
class VoRenderer;
class VoScript;
class VoStateManager;
class VoVectorString;

class MGHotspot : public VoIMouseListener,
                  public VoISerializable,
                  public VoIEventListener,
                  public VoIStateListener,
                  public MGIMultiCursorListener,
                  public VoISoundListener,
                  public MGIListener,
                  public MGICharacterListener {
public:
    static constexpr int kNavigate = 1;
    static constexpr int kInterview = 2;
    static constexpr int kTarget = 3;
    static constexpr int kGeneral = 4;

    // The action table by index (the menu numbers its actions otherwise:
    // MGIMultiCursorListener), and the voice-over and cut-scene lists.
    static constexpr int kLookIndex = 0;
    static constexpr int kCollectIndex = 1;
    static constexpr int kUseIndex = 2;
    static constexpr int kAnalyzeIndex = 3;
    static constexpr int kTalkIndex = 4;
    static constexpr int kActionCount = 5;
    static constexpr int kLookList = 0;
    static constexpr int kUseList = 1;
    static constexpr int kSatisfiedList = 2;
    static constexpr int kUnsatisfiedList = 3;
    static constexpr int kListCount = 4;

    // "collectanim" codes: the player's action (MGCharacter) that takes the
    // object; 0 takes it without one.
    static constexpr int kNoCollectAnimation = 0;
    static constexpr int kPickGround = 2;
    static constexpr int kPickTable = 3;
    static constexpr int kCameraHigh = 4;
    static constexpr int kCameraMiddle = 5;
    static constexpr int kCameraLow = 6;

    // Game cursor looks (MGCursor).
    static constexpr int kRolloverCursor = 2;
    static constexpr int kTargetCursor = 4;

    static constexpr float kMouseOrder = 0.0f;
    static constexpr float kListenerOrder = 0.0f;
    static constexpr float kEdgeTolerance = 2.0f;
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;
    // Seconds until the lab results are ready, by skill level.
    static constexpr float kAnalysisDelays[3] = {8.0f, 16.0f, 32.0f};

    static constexpr const char16_t* kAlways = u"script[true]";
    static constexpr const char16_t* kPlayerId = u"kestrin";
    static constexpr const char16_t* kSoundRoot = u"//sounds/";
    static constexpr const char16_t* kSoundExtension = u".ogg";
    static constexpr const char16_t* kGestureRoot = u"//gestures/";
    static constexpr const char16_t* kGestureExtension = u".gk";
    static constexpr const char16_t* kGestureBinding = u"primary";
    static constexpr const char16_t* kLipSyncRoot = u"//dataroot/lipsync/";
    static constexpr const char16_t* kLipSyncExtension = u".dat";
    static constexpr const char16_t* kPhonemeRoot = u"//dataroot/phonemes/";
    static constexpr const char16_t* kAnimationRoot = u"//animations";
    static constexpr const char16_t* kSubtitleFile = u"//scenes/vo_subtitles.txt";
    static constexpr const char16_t* kSubtitleFont = u"TW_CEN_MT16";
    static constexpr const char16_t* kVoiceStream = u"hotspotSound";
    static constexpr const char16_t* kNone = u"-";

    static constexpr const char* kTypeNotFound = "'type' not found.";
    static constexpr const char* kInvalidType = "Create failure. Invalid type:";
    static constexpr const char* kIdNotFound = "'id' not found.";
    static constexpr const char* kEnabledNotFound = "'enabled' not found.";
    static constexpr const char* kScriptFailure = "Create failure.";
    static constexpr const char* kMemberIdNotFound = "'display.memberid' not found.";
    static constexpr const char* kMemberNotFound = "Scene display member not found: ";
    static constexpr const char* kVisibleNotFound = "'display.visible' not found.";
    static constexpr const char* kBoundaryNotFound = "'boundary' not found.";
    static constexpr const char* kBoundaryTypeUndefined = "'boundary.type' undefined:";
    static constexpr const char* kCoordsNotFound = "'boundary.coords' not found.";
    static constexpr const char* kPositionNotFound = "'boundary.position' not found.";
    static constexpr const char* kDataNotFound = "'data' not found.";
    static constexpr const char* kMenuPositionNotFound = "'data.multicursor.position' not found.";
    static constexpr const char* kEvidenceNotFound = "Object of interest not found: ";
    static constexpr const char* kNoBoundary = "CheckWithin failure. No boundary defined.";
    static constexpr const char* kNoSoundPlayer = "PlaySound failure. Could not get sound player.";
    static constexpr const char* kReadNYI = "Read NYI.";
    static constexpr const char* kWriteNYI = "Write NYI.";

    // The hotspot of the entry's "type" ("navigate", "interview", "target" or
    // "general", any case), read and listening to events and states; null,
    // logged, for any other type and for null.
    static MGHotspot* Create(VoPropertyList* apEntry);
    // A new script from the text; null, logged, when it cannot be made.
    static VoScript* BuildScript(const VoString& aText);
    // Adds every event (listeners told), then sets the states of the
    // triples id, type, value, making a missing one of the type (listeners
    // told); a last group of fewer than three is left. Either may be null.
    static void ApplyResults(const VoVectorString* apEvents, const VoVectorString* apStates);
    // The "collectanim" code of the word (any case).
    static int CollectAnimationCode(const VoString& aWord);
    // The stand-in gesture when a voice-over has no gesture file: the
    // random number aRandom modulo 3 picks one of three.
    static VoString RandomGesture(int aRandom);

    // Caches the scene, mouse, cursors and managers, and listens to events
    // and states (order 0.0). Not listening to the mouse.
    explicit MGHotspot(int aKind);
    MGHotspot(const MGHotspot&) = delete;
    MGHotspot& operator=(const MGHotspot&) = delete;
    // Leaves everyone it listens to (mouse, menu, walk, character, events,
    // states), hides the subtitle of a voice-over still playing, and deletes
    // what it owns.
    ~MGHotspot() override;

    // Reads the entry (see above); every kind reads these keys first, then
    // its own. Missing keys are logged and defaulted: true.
    virtual bool ReadEntry(VoPropertyList* apEntry);

    // The owner's switch: on, it hears the mouse while its conditions hold;
    // off, not at all.
    void SetEnabled(bool aEnabled);
    // Re-evaluates the conditions (see above), sets the display member and
    // the mesh frame from their scripts, and joins or leaves the mouse.
    // Whether it hears the mouse now.
    bool UpdateEnabled();
    // The display member when its visible script holds (its result), else
    // true.
    bool Render(VoRenderer* apRenderer);
    // Whether the point lies in the boundary, taken at its position (points
    // within 2.0 of an edge count as on it, and the edge as outside); false,
    // logged, without a boundary.
    bool CheckWithin(const VoVector2& aPoint);

    // The mouse (while registered).
    void OnDoubleClick(int aButton) override;
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnWheel(float) override {}

    // Nothing is kept in a save: false (the kinds say so in the log).
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    // Both re-evaluate the conditions.
    void OnEvent(VoEvent* apEvent) override;
    void OnStateChanged(VoIState* apState) override;

    // The five-action menu's choice (MGIMultiCursorListener codes).
    void OnAction(int aAction) override;
    // The voice-over has ended: subtitle, lip-sync and gestures stop, the
    // scene's input comes back.
    void OnSoundEnd(const VoString& aName) override;
    // The walk the hotspot asked for has ended: the player turns to the
    // object, then the hotspot acts.
    void OnArrived(const VoString& aId) override;

    // The player's action: the object is taken (once per action).
    void Deactivate() override;
    // The action is over: input and hotspots come back.
    void OnActionDone(int aCode) override;
    // A turn the hotspot asked for has ended: it acts.
    void Execute() override;

    // The cursor while hovered, and back when not.
    virtual void UpdateCursor();
    // Starts the delayed lab results of the operating item: "_CL" and "_RE",
    // each "_S" at once (once per item) and "_R" when ready.
    virtual void StartAnalysis();
    // The end of a turn that the scene reports.
    virtual void TrackTargetDone();
    // Opens the five-action menu over the hotspot; the scene's hotspots go
    // off meanwhile.
    void ShowMultiCursor();
    // The voice-over of the list index (look, use, satisfied, unsatisfied);
    // false when there is none or it cannot play.
    bool PlaySound(int aIndex);
    // The cut-scene of the list index; false when there is none.
    bool PlayCutScene(int aIndex);

    VoString GetId() const { return fId; }
    int GetKind() const { return fKind; }
    bool IsActive() const { return fActive; }
    bool IsListening() const { return fListening; }
    bool AreConditionsMet() const { return fConditionsMet; }
    bool IsHovered() const { return fHovered; }
    bool IsPressed() const { return fPressed; }
    bool IsVoiceOverPlaying() const { return fVoiceOverPlaying; }
    // Set by the close-up that makes the hotspot: actions then leave the
    // scene's input alone, and voice-overs have no gestures or lip-sync.
    void SetInCloseUp(bool aInCloseUp) { fInCloseUp = aInCloseUp; }
    bool IsInCloseUp() const { return fInCloseUp; }
    // An interview hotspot waits for its witness's pose; a close-up that
    // turns the player for an interview sets it too.
    void SetWaitingForPose(bool aWaiting) { fWaitingForPose = aWaiting; }
    bool IsWaitingForPose() const { return fWaitingForPose; }

    // What was read; null (or empty) when the entry had none.
    VoPolygon* GetBoundary() const { return fpBoundary; }
    const VoVector2& GetBoundaryPosition() const { return fBoundaryPosition; }
    VoIDisplayObject* GetDisplayMember() const { return fpDisplayMember; }
    const VoString& GetMeshId() const { return fMeshId; }
    MGHotspotTypeData* GetTypeData() const { return fpTypeData; }
    // Null without "data.multicursor" (the menu then offers nothing but,
    // for an interview, talk).
    MGHotspotAction* GetAction(int aIndex) const;
    bool HasMultiCursor() const { return fHasMultiCursor; }
    const VoVector2& GetMultiCursorPosition() const { return fMultiCursorPosition; }
    bool IsMenuOnLeft() const { return fMenuOnLeft; }
    const VoString& GetOperatingId() const { return fOperatingId; }
    int GetCollectAnimation() const { return fCollectAnimation; }
    MGObjectOfInterest* GetObjectOfInterest() const { return fpObjectOfInterest; }
    const VoVectorString* GetVoiceOvers(int aIndex) const;
    const VoVectorString* GetCutScenes(int aIndex) const;
    int GetCurrentAction() const { return fCurrentAction; }
    VoISoundPlayer* GetSoundPlayer() const { return fpSoundPlayer; }
    VoGesturePlayer* GetGesturePlayer() const { return fpGesturePlayer; }
    VoCharacter* GetLipSyncCharacter() const { return fpLipSyncCharacter; }

protected:
    // What a press, a double click (aRun), an arrival or the end of a turn
    // leads to once the player stands at the object: the general hotspot
    // opens its menu.
    virtual void Act(bool aRun);
    // The talk action (the menu offers it to interview hotspots only).
    virtual void Talk() {}

    // The hover cursor of a place that takes an item (a target, a bargaining
    // witness): hovered, the held item highlighted, or the target look
    // without one; not hovered, the cursor back for the hotspot.
    void UpdateItemTargetCursor();
    // The scene the hotspot was made in, while it is the current scene;
    // null otherwise.
    MGScene* Scene() const;
    MGCursor* Cursor() const { return fpCursor; }
    // The scene's character of the id, or null.
    MGCharacter* SceneCharacter(const VoString& aId) const;
    MGCharacter* Player() const;
    // The scene's input, hotspots and the mouse lock, each when a scene exists.
    void SetSceneInput(bool aEnabled);
    void SetSceneHotspots(bool aEnabled);
    void SetMouseLocked(bool aLocked);
    void RefreshSceneHotspots();
    // Takes the hotspot out of the mouse and keeps it out until the owner
    // enables it again.
    void DeactivateSelf();
    // Adds the operating item to the inventory (nothing for an empty id).
    void AddOperatingItem();
    // The subtitle of the voice line in "//scenes/vo_subtitles.txt", shown
    // at (0, 500); nothing when it has none.
    static void ShowSubtitle(const VoString& aName);
    // A new stream player aStreamName for "//sounds/" + aFile at the options'
    // volume, telling this hotspot at its end; it replaces the one held.
    // False, logged, when none can be had.
    bool StartSoundPlayer(const char16_t* apStreamName, const VoString& aFile);
    // A gesture player of "//gestures/" + aName + ".gk" with the speaker
    // bound as "primary" in place of the one held; none when the file does
    // not load. Whether one is held now.
    bool LoadGestures(const VoString& aName, MGCharacter* apSpeaker);
    // The speaker's lip-sync of the line, or no lip-sync character.
    void LoadLipSync(const VoString& aName, MGCharacter* apSpeaker);
    // Plays the sound, the lip-sync and the gestures that are held.
    void PlayHeld();
    // Stops and deletes the sound, the gestures and the lip-sync.
    void StopVoice();
    void SetVoiceOverPlaying(bool aPlaying) { fVoiceOverPlaying = aPlaying; }
    // The voice-over's end: the subtitle, lip-sync and gestures stop and the
    // scene's input comes back; aAlsoInCloseUp brings the scene's input and
    // hotspots back also for a hotspot of a close-up.
    void EndVoice(bool aAlsoInCloseUp);
    // The options' skill level, 0 to 2.
    static int SkillLevel();
    // Records aItem + aLab + "_S" once and has aItem + aLab + "_R" follow
    // aDelay game-clock seconds later; nothing for an empty item.
    static void StartResult(const VoString& aItem, const char16_t* apLab, float aDelay);
    void SetTypeData(MGHotspotTypeData* apData);
    // The kind's section of the entry (aPath, "typedata.navigate" say), with
    // its "enabled" script read into apData; null, logged as apNoSection,
    // without one. A missing script is logged as apNoEnabled.
    VoPropertyList* ReadTypeData(VoPropertyList* apEntry, const char16_t* apPath, MGHotspotTypeData* apData,
                                 const char* apNoSection, const char* apNoEnabled);

private:
    // Hovered becomes whether the point is inside, the cursor following a
    // change; whether it is inside.
    bool HoverAt(const VoVector2& aPoint);
    // The first part of the press, shared with the double click: false when
    // the road ends there (the walk, the turn, nothing to do).
    bool PrepareAct(int aMoveAnimation);
    // The action's own results after the common end of OnAction.
    void EndAction(int aAction);
    // Collect and analyze: the item, the results, the player's animation.
    // True when the animation goes on and the common end waits for it.
    bool Collect(int aTableIndex, bool aAnalyze);
    void ReadDisplay(VoPropertyList* apEntry);
    void ReadMesh(VoPropertyList* apEntry);
    void ReadBoundary(VoPropertyList* apEntry);
    void ReadData(VoPropertyList* apEntry);
    void ReadMultiCursor(VoPropertyList* apMenu);
    void ReadObjectOfInterest(VoPropertyList* apData);
    void ReadLists(VoPropertyList* apData, const char16_t* apKey, VoVectorString** appLists);
    void SetMeshFlag();
    void ListenToMouse(bool aListen);
    // The table entry's lists for the results; null without a table.
    const VoVectorString* DoneEvents(int aIndex) const;
    const VoVectorString* StateChanges(int aIndex) const;
    bool ActionEnabled(int aIndex) const;

    VoPolygon* fpBoundary = nullptr;  // owned; null when none was read
    VoString fId;
    int fKind;
    bool fInCloseUp = false;
    VoScript* fpEnabled = nullptr;  // owned
    bool fConditionsMet = false;
    bool fActive = false;
    bool fListening = false;
    bool fWaitingForPose = false;
    VoVector2 fBoundaryPosition;
    VoIDisplayObject* fpDisplayMember = nullptr;  // not owned: the scene's or close-up's group
    VoScript* fpDisplayVisible = nullptr;         // owned
    VoString fMeshId;
    VoScript* fpMeshActive = nullptr;         // owned
    MGHotspotTypeData* fpTypeData = nullptr;  // owned; null for the general kind
    VoISoundPlayer* fpSoundPlayer = nullptr;  // owned
    bool fVoiceOverPlaying = false;
    VoGesturePlayer* fpGesturePlayer = nullptr;  // owned
    VoCharacter* fpLipSyncCharacter = nullptr;   // not owned: the scene's
    bool fHovered = false;
    bool fPressed = false;
    VoEventManager* fpEvents;      // not owned: the engine cleaner's
    VoStateManager* fpStates;      // not owned: the engine cleaner's
    MGScene* fpScene;              // not owned: the scene manager's
    VoMouse* fpMouse;              // not owned: the engine cleaner's
    MGCursor* fpCursor;            // not owned: the game cleaner's
    MGMultiCursor* fpMultiCursor;  // not owned: the game cleaner's
    int fCurrentAction = kLookIndex;
    bool fHasMultiCursor = false;
    VoVector2 fMultiCursorPosition;
    VoString fOperatingId;
    int fCollectAnimation = kNoCollectAnimation;
    MGHotspotAction* fpActions[kActionCount] = {};  // owned; null without "data.multicursor"
    bool fMenuOnLeft = false;
    MGObjectOfInterest* fpObjectOfInterest = nullptr;  // owned
    VoVectorString* fpVoiceOvers[kListCount] = {};     // owned; null where absent
    VoVectorString* fpCutScenes[kListCount] = {};      // owned; null where absent
    bool fAnimationPending = false;
    bool fCollecting = false;  // the player's action takes the object
    bool fTaken = false;       // the running action's object was taken
};
