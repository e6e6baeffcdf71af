#pragma once
// One interview with one witness: a window over the scene that lists the
// topics the player may raise, offers the five modes (conf, decp, flat,
// stra, empa) for the chosen topic, plays the witness's answers as
// sequences (MGInterviewSequence) and moves the good/bad meter after every
// answer. A full good side completes the interview ("noinfo_" + X true,
// "evt_interview" + X + "_complete"); a full bad side fails it and stores
// the game time in "denialtime_" + X, after which the witness may refuse to
// talk for up to 50 seconds. X is the interview id, the data file name
// without ".txt".
//
//     idle -> Start -> opening (a sequence, busy) -> topic selection
//          -> answering (a topic's sequence, busy, mouse locked) -> ...
//          -> ending (a closing sequence, exit-after set) -> End -> idle
//
// The interview manager builds it from its data file and owns the display
// pieces every interview shares (the group, the mode buttons, the meter,
// the scroll bar); each start takes them over. Data file keys read here:
//     type=regular             "expert" makes an expert interview
//     fonts                    font key -> font id of the font manager
//     characters               one-letter key -> character id in the scene
//     topics                   topic key -> topic node (MGInterviewTopic)
//     intros, noinfos, denied, exit, failedexit, bargain   the openings and
//                              endings (sequence nodes, see Start)
// The subtitle file is a flat list: subtitle key -> text.
//
// The opening, first match: a pending bargain ("bargaining_" + X + "_active")
// plays the bargain's "solved" or a random "denied" entry; a recent failure
// may be refused ("denied"); while the witness has something to say (not
// "noinfo_" + X, and some topic open) the introductions whose dependencies
// hold play as one sequence, then the topics open; else a random "noinfos"
// entry plays and the interview ends. An opening leaves the interview in
// topic selection or playing with exactly one of exit-after and
// enter-topics-after set.
#include <cstdint>

#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "interview/MGISequenceListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class MGCharacter;
class MGICharacterListener;
class MGIInterviewListener;
class MGInterviewMeter;
class MGInterviewScrollBar;
class MGInterviewSequence;
class MGInterviewTopic;
class MGInterviewTopicArea;
class VoButton;
class VoDisplayGroup;
class VoIDisplayObject;
class VoIFont;
class VoPropertyList;
class VoStateManager;
class VoToolTip;
class VoVectorString;

class MGInterview : public VoBase,
                    public VoIButtonListener,
                    public VoIFrameListener,
                    public VoIMouseListener,
                    public MGISequenceListener,
                    public MGIScreenFaderListener {
public:
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kFoundValue = "Found value";
    static constexpr const char* kSubtitleListFailure = "Subtitle list creation failure:";
    static constexpr const char* kNoFonts = "'fonts' not found.";
    static constexpr const char* kFontNotFound = "Font not found.";
    static constexpr const char* kCreateFailure = "Create failure.";
    static constexpr const char* kSetupTopicAreaFailure = "SetupTopicArea failure.";
    static constexpr const char* kGetSubtitleFailure = "GetSubtitle failure. '";
    static constexpr const char* kGetSubtitleNotFound = "' not found.";
    static constexpr const char* kTooltipMissing = "Tooltip missing";
    // The topic list.
    static constexpr const char* kLayoutFailure = "'interview_layout.txt' list creation failure.";
    static constexpr const char* kNoTopicButton = "'misc.topicbutton' not found.";
    static constexpr const char* kNoMiddle = "'middle' sprite not found.";
    static constexpr const char* kNoRightCap = "'right_cap' sprite not found.";
    static constexpr const char* kNoName = "'*.name' not found.";
    static constexpr const char* kNoLevel = "'level' not found.";
    static constexpr const char* kNoDependencies = "'dependencies' not found.";
    // The openings and endings.
    static constexpr const char* kNoBargain = "Bargaining data not found";
    static constexpr const char* kNoSolved = "Bargaining solved sequence not found";
    static constexpr const char* kNoBargainDenied = "Bargaining denied sequence not found";
    static constexpr const char* kNoDenied = "'denied' not found.";
    static constexpr const char* kNoExit = "'exit' not found.";
    static constexpr const char* kNoFailedExit = "'failedexit' not found.";
    static constexpr const char* kDependenciesFailure = "Failure building 'dependencies' script.";
    static constexpr const char* kNoDoneEvent = "'doneevent' not found.";
    static constexpr const char* kNoNoInfos = "'noinfos' not found.";

    static constexpr const char16_t* kTooltipId = u"_mode_tooltip";
    static constexpr const char16_t* kTooltipFont = u"tahoma10black";
    static constexpr const char16_t* kTooltipFile = u"//dataroot/assets/tooltips.txt";
    static constexpr const char16_t* kInterviewRoot = u"//interviews/";
    static constexpr const char16_t* kTextureRoot = u"//textures/interview";
    static constexpr const char16_t* kLayoutFile = u"//textures/interview/interview_layout.txt";
    static constexpr const char16_t* kTopicButtonNode = u"misc.topicbutton";
    static constexpr const char16_t* kTopicButtonSuffix = u"topicbutton";
    static constexpr const char16_t* kTopicFont = u"Friz_Quad_TT_8";
    static constexpr const char16_t* kDisabledTopicFont = u"Friz_Quad_TT_8_grey";
    static constexpr const char16_t* kExitButton = u"btn_exit";
    static constexpr const char16_t* kDragButton = u"btn_drag";
    static constexpr const char16_t* kModePrefix = u"mode";
    static constexpr const char16_t* kModeButtonPrefix = u"mode_";
    static constexpr const char16_t* kDenialPrefix = u"denialtime_";
    static constexpr const char16_t* kNoInfoPrefix = u"noinfo_";
    static constexpr const char16_t* kBargainPrefix = u"bargaining_";
    static constexpr const char16_t* kBargainSuffix = u"_active";
    static constexpr const char16_t* kSolvedPrefix = u"bargainingsolved_";
    static constexpr const char16_t* kSolvedSuffix = u"_done";
    static constexpr const char16_t* kCompletePrefix = u"evt_interview";
    static constexpr const char16_t* kCompleteSuffix = u"_complete";
    static constexpr const char16_t* kRegular = u"regular";
    static constexpr const char16_t* kNoCut = u"-";
    static constexpr const char16_t* kInventoryPanel = u"inventory";

    static constexpr int kModeCount = 5;
    static constexpr float kTooltipZ = 9700.0f;
    static constexpr float kMouseOrder = -5.0f;
    static constexpr float kAreaX = 140.0f;
    static constexpr float kAreaY = 40.0f;
    static constexpr float kTopicTextX = 15.0f;
    static constexpr float kTopicTextY = 6.0f;
    static constexpr float kTopicTextZ = 5.0f;
    static constexpr float kMiddleScale = 12.0f;
    static constexpr float kRightCapShift = 135.0f;
    static constexpr double kTooltipDelay = 1.0;
    static constexpr float kTooltipFlipY = 50.0f;
    static constexpr float kTooltipAbove = 20.0f;
    static constexpr float kTooltipBelow = 30.0f;
    static constexpr float kModeSeconds = 3.0f;
    static constexpr float kMeterFull = 99.0f;
    static constexpr float kDenialWindow = 50.0f;
    static constexpr int kActionRise = 8;
    static constexpr int kActionPhoneAway = 10;
    static constexpr int kCursorDefault = 0;
    static constexpr int kCursorHand = 1;
    static constexpr int kMaxRandom = 32767;

    // The random numbers of refusals and random replies: the runtime's
    // generator unless a test puts its own in (null: the runtime's again).
    using RandomSource = int (*)();
    static void SetRandomSource(RandomSource apSource);

    MGInterview();
    MGInterview(const MGInterview&) = delete;
    MGInterview& operator=(const MGInterview&) = delete;
    // Leaves the mouse and the frame manager, gives the shared buttons back,
    // deletes the topic list, the tooltip texts, the data and subtitle
    // lists, the sequence and the topics.
    ~MGInterview() override;

    // Builds the interview from its data file (the list is owned from now
    // on) and its subtitle file under "//interviews/". False, logged, when
    // the subtitle file cannot be read; everything else is built all the
    // same, with no subtitles.
    virtual bool Create(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile);
    // "regular".
    virtual VoString GetType() const;
    // Where Start places the window.
    void SetPosition(const VoVector2& aPosition) { fPosition = aPosition; }
    const VoVector2& GetPosition() const { return fPosition; }
    // The listener (not owned) told 0 on start and 1 on end. Null is
    // asserted and stored. True.
    bool SetListener(MGIInterviewListener* apListener);
    MGIInterviewListener* GetListener() const { return fpListener; }
    // Lays the shared window out for this interview, sizes the meter steps
    // and plays the opening. True.
    virtual bool Start();
    // Leaves the window: characters out of their pose, the list deaf, the
    // PDA bar back, the group inactive, the mouse free, the listener told 1.
    // A second call does nothing.
    void End();
    // A screen laid over the running interview (the surveillance tapes)
    // takes its mouse listener away and deactivates its window while it is
    // open. Resume gives back what Suspend took, to an interview still
    // running: the listener at its own order, the window active if it was.
    // A second Suspend, or a Resume without one, does nothing.
    void Suspend();
    void Resume();
    bool IsSuspended() const { return fSuspended; }

    VoIFont* GetFont(const VoString& aKey);
    // The text of the subtitle key into aOut; a missing key is asserted and
    // gives "". True.
    bool GetSubtitle(const VoString& aKey, VoString& aOut);
    // The scene character the letter of "characters" names, or null.
    MGCharacter* GetCharacter(const VoString& aKey);

    void AddGoodStep();
    void AddBadStep();
    void OnModeSequenceDone(bool aGood);
    // The meter's end animation of a full side is over: 1 good, 0 bad.
    void OnMeterFull(int aSide);
    // The mode buttons of the topic, each enabled while its mode is unused.
    void ShowModes(const VoString& aTopic);
    void HideModes();
    // Plays mode aIndex of the current topic.
    void SelectMode(int aIndex);
    // Leaves for a pending bargain: the state "bargaining_" + X + "_active"
    // true (no notification), End, the scene's own camera and the end of its
    // interview mode, the PDA open on its inventory, the subtitle hidden;
    // with aRise and a seat hotspot, the player rises from the chair.
    void LeaveForBargain(bool aRise);

    // The openings and endings.
    bool IsBargainingActive();
    bool IsDenied();
    void PlayBargaining();
    void PlayDenied();
    virtual void PlayExit();
    void PlayFailedExit();
    void PlayIntros();
    void PlayNoInfos();
    void EnterTopicSelection();

    // The topic list: its buttons from the layout, one per topic.
    bool SetupTopicArea(VoPropertyList* apData);
    // A topic button's look for one state: the layout's "misc.topicbutton"
    // + aArt with the text area added. Null when the node is missing.
    VoDisplayGroup* CreateTopicButton(VoIDisplayObject* apText, const VoString& aTextId, const VoString& aArt);

    const VoString& GetId() const { return fId; }
    // The window: the interview manager's shared group, taken on Start; null
    // before.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // The witness's id in the scene ("none" when the catalogue names none).
    VoString GetCharacterId() const { return fWitness; }
    void SetWitness(const VoString& aWitness) { fWitness = aWitness; }
    // The hotspot that seated the player before the interview (not owned),
    // told when the player rises at the end; null when none.
    void SetSeatHotspot(MGICharacterListener* apHotspot) { fpSeatHotspot = apHotspot; }
    MGICharacterListener* GetSeatHotspot() const { return fpSeatHotspot; }
    // Set by the phone, which places its interviews itself.
    void SetPhone(bool aPhone) { fPhone = aPhone; }
    bool IsPhone() const { return fPhone; }
    const VoString& GetCurrentTopic() const { return fCurrentTopic; }
    MGInterviewScrollBar* GetScrollBar() const { return fpScrollBar; }
    bool IsBusy() const { return fBusy; }
    // Between Start and End.
    bool IsRunning() const { return fStarted; }
    bool IsExitAfter() const { return fExitAfter; }
    bool IsEnterTopicsAfter() const { return fEnterTopicsAfter; }
    bool IsMeterFull() const { return fMeterFull; }
    bool IsDragging() const { return fDragging; }
    bool IsListeningToMouse() const { return fListeningToMouse; }
    float GetGoodStep() const { return fGoodStep; }
    float GetBadStep() const { return fBadStep; }
    int GetTopicCount() const { return fTopics.GetCount(); }
    MGInterviewTopic* GetTopic(const VoString& aKey);
    MGInterviewTopicArea* GetTopicArea() const { return fpTopicArea; }
    // The opening or ending that plays, or null.
    MGInterviewSequence* GetSequence() const { return fpSequence; }
    VoButton* GetModeButton(int aIndex) const;
    const VoString& GetTooltipText(int aIndex) const;
    VoToolTip* GetTooltip() const { return fpTooltip; }
    VoPropertyList* GetData() const { return fpData; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnUpdate() override;
    void OnDoubleClick(int) override {}
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnWheel(float aDelta) override;
    void OnSequenceEnd() override;
    void OnFadeEvent(int aCode) override;

    VoString ToString() const override;

protected:
    // The mode a button id names ("mode_conf" ...), -1 for none.
    static int ModeOfButton(const VoString& aId);
    // A random entry index of aCount (0 for none).
    static int RandomIndex(int aCount);
    // The next number of the random source, 0 to kMaxRandom.
    static int NextRandom();

    // The expert interview builds on these.
    // The data file's part of Create: the id and its states, the data (owned
    // from now on), the subtitles, the fonts, the characters and the topics.
    // False when the subtitle file cannot be read.
    bool ReadData(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile);
    void LoadTooltips();
    void AddStates();
    void ReadFonts();
    void ReadTopics();
    // The shared layout of the topic lists, read once and kept.
    void LoadTopicLayout();
    void SetupLayout();
    void AttachTopicArea();
    void RefreshTopicArea();
    int OpenCount() const;
    // The mouse listener at order -5 (once), or gone.
    void ListenToMouse(bool aListen);
    void LockMouse();
    void UnlockMouse();
    // A new sequence in place of the one held, made of the node, played
    // with this interview as listener; the mode buttons hidden, busy set.
    void PlaySequence(VoPropertyList* apNode, const VoString& aDoneEvent);
    // PlayDenied, PlayExit and PlayFailedExit: the node of that name.
    void PlayEnding(const char16_t* apNode, const char* apMissing);
    // The "doneevent" of a node, "" when absent.
    static VoString DoneEventOf(VoPropertyList* apNode);
    // Back to the scene after a closing sequence.
    void Exit();
    void HideTooltip();
    void ShowTooltip();
    // The window follows the pointer from now on, at the offset it has now.
    void BeginDrag();
    // While dragging: the window to the pointer, the move consumed; true.
    bool FollowDrag(const VoVector2& aPosition);
    // While busy: the move passed to the cursor (the mouse lock keeps it
    // from hearing it) and consumed; true.
    bool PassMoveWhileBusy(const VoVector2& aPosition);
    VoIMouseListener* AsMouseListener() { return this; }

    MGICharacterListener* fpSeatHotspot;  // not owned
    VoString fId;
    VoHashKeyList fTopics;  // key -> MGInterviewTopic, owned
    MGInterviewTopicArea* fpTopicArea;  // owned
    VoString fCurrentTopic;
    bool fBusy;
    VoHashKeyList fFonts;          // key -> VoIFont, the font manager's
    VoPropertyList* fpData;        // owned
    VoPropertyList* fpSubtitles;   // owned
    MGInterviewSequence* fpSequence;  // owned
    bool fEnterTopicsAfter;
    bool fExitAfter;
    bool fMeterFull;
    VoString fDenialState;
    VoString fNoInfoState;
    bool fPhone;
    VoPropertyList* fpCharacters;  // not owned: the data's "characters"; null when none
    VoString fWitness;
    VoStateManager* fpStates;             // not owned: the engine's
    VoDisplayGroup* fpGroup;              // not owned: the manager's
    VoVector2 fPosition;
    bool fDragging;
    VoVector2 fDragOffset;
    MGInterviewScrollBar* fpScrollBar;    // not owned: the manager's
    VoDisplayGroup* fpModesGroup;         // not owned: the manager's
    VoButton* fpModeButtons[kModeCount];  // not owned: members of the modes group
    MGInterviewMeter* fpMeter;            // not owned: the manager's
    float fGoodStep;
    float fBadStep;
    VoPropertyList* fpTopicLayout;  // owned
    int fLastHoveredMode;
    int fHoveredMode;
    bool fTooltipPending;
    bool fTooltipShown;
    double fHoverStart;
    VoToolTip* fpTooltip;               // not owned: the tooltip manager's
    VoVectorString* fpTooltipTexts;     // owned
    MGIInterviewListener* fpListener;   // not owned
    bool fInputBlocked;
    bool fListeningToMouse;
    bool fListeningToFrames;
    bool fListeningToFader;  // the screen fader's listener while a change of scene fades out
    bool fStarted;           // between Start and End
    bool fSuspended;         // between Suspend and Resume
    bool fResumeMouse;       // Suspend took the mouse listener
    bool fResumeGroup;       // Suspend deactivated the window
};
