#pragma once
// A detail of the current scene (a drawer, a document, a keypad) shown over
// it as a screen of its own: a display group built from the entry's layout,
// looping movies inside it, its own hotspots, a back button and a queue of
// voice-overs with subtitles. The scene makes one per entry of the
// viewpoint's close-up file and hands it the entry (Read); the scene keeps a
// pointer to the one that is open.
//
// Keys of an entry:
//     id                the close-up's id (the build overlay's view text)
//     displaygroup      a layout group, its textures named from the scene's
//                       folder; its "anims" section holds looping movies:
//                       "id" (the sprite that shows the movie), "movie"
//                       (looked up in the scene's folder, then under
//                       "//dataroot/movies/"), "position" (x|y)
//     triggerstate      a boolean state (the first value): true opens the
//                       close-up, false closes it
//     openedevent       added on the first entry; until then the
//                       voice-overs play on entering
//     fadeonshow        true (default): opens behind a fade; false: at
//                       once, in place of the close-up that is open
//     exittoscene       true: the back button returns to the scene even
//                       from a close-up opened over another one
//     voiceovers.hint   voice-overs on the easy skill level
//     voiceovers.default   on medium and hard
//     voiceover         where the skill's list is missing
//     triggerinterview  interview id, optionally "|" and a waypoint id: the
//                       interview starts half a second after the close-up
//                       was left, the player turned towards the waypoint
//     interviewpos      x|y of the interview window
//     hotspots          hotspot entries, made on every entry
//
// A voice-over name is a file under "//sounds/" ("name.ogg" or "name",
// ".ogg" added); each plays with its subtitle (by name without ".ogg" in
// "//scenes/vo_subtitles.txt") and adds "evt_" + name + "_sounddone" at its
// end, then the next of the queue plays.
//
// The back button "back_btn" comes from "//textures/back_btn_layout.txt".
// Its display and its hotspots exist only while it is open (from OnEnter to
// OnLeaveEnd or Close).
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class MGHotspot;
class MGScene;
class VoDisplayGroup;
class VoPropertyList;

class MGCloseUp : public VoBase,
                  public MGIScreen,
                  public VoIStateListener,
                  public VoIButtonListener,
                  public VoISoundListener,
                  public VoIFrameListener {
public:
    static constexpr const char* kNoTriggerState = "'triggerstate' not found.";
    static constexpr const char* kNoOpenedEvent = "'openedevent' not found.";
    static constexpr const char* kAddHotspotNull = "AddHotspot failure. NULL arg.";
    static constexpr const char* kAddHotspotDuplicate = "AddHotspot failure. Duplicate found.";
    static constexpr const char* kNoButtonLayout = "Button layout file not found.";
    static constexpr const char* kButtonBuildFailure = "Button build failure.";
    static constexpr const char* kNoSoundPlayer = "PlaySound failure. Could not get sound player.";

    static constexpr const char16_t* kBackButtonLayout = u"//textures/back_btn_layout.txt";
    static constexpr const char16_t* kBackButtonRoot = u"//textures";
    static constexpr const char16_t* kBackButtonId = u"back_btn";
    static constexpr const char16_t* kMovieRoot = u"//dataroot/movies/";
    static constexpr const char16_t* kSoundExtension = u".ogg";
    // The back button only stops this voice-over; the close-up stays open.
    static constexpr const char16_t* kHeldVoiceOver = u"1ce09_rg";
    // The sprite that shows an anim's movie has the anim's id; the movie
    // itself this after it.
    static constexpr const char16_t* kMovieSuffix = u"_movie";

    static constexpr float kGroupZ = -10.0f;
    static constexpr float kListenerOrder = 0.0f;
    static constexpr float kInterviewDelay = 0.5f;
    static constexpr int kEasy = 0;

    MGCloseUp() = default;
    MGCloseUp(const MGCloseUp&) = delete;
    MGCloseUp& operator=(const MGCloseUp&) = delete;
    // Leaves the frame manager, the state manager and the screen stack;
    // deletes the voice-over, the display group and the hotspots.
    ~MGCloseUp() override;

    // Reads the entry (see above; the sections stay the caller's and must
    // outlive the close-up). The trigger state is made false (without
    // telling listeners), and the close-up listens to the states. True.
    bool Read(VoPropertyList* apEntry);

    // Null and a hotspot held already are refused (logged). Owned from a
    // true result on.
    bool AddHotspot(MGHotspot* apHotspot);
    // Deletes every hotspot. 1.
    int ClearHotspots();
    // Every hotspot's own switch.
    void SetHotspotsEnabled(bool aEnabled);
    // Every hotspot re-evaluates its conditions.
    void RefreshHotspots();
    // Takes the close-up off the screen at once, without a screen call: no
    // longer the scene's open close-up; its voice-over, hotspots and display
    // are deleted.
    void Close();

    // The trigger state: true opens (nothing while the close-up is on the
    // screen stack already), false closes (only while it is the top screen).
    // While the screen stack switches screens, the open or close follows
    // once the switch is over.
    void OnStateChanged(VoIState* apState) override;
    // The back button.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // The end of a voice-over.
    void OnSoundEnd(const VoString& aName) override;
    // Runs an open or a close that waited for the screen stack, and starts
    // the interview once it is due after the close-up was left.
    void OnUpdate() override;

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    const VoString& GetId() const { return fId; }
    const VoString& GetTriggerState() const { return fTriggerState; }
    const VoString& GetOpenedEvent() const { return fOpenedEvent; }
    bool GetFadeOnShow() const { return fFadeOnShow; }
    bool GetExitToScene() const { return fExitToScene; }
    const VoString& GetTriggerInterview() const { return fTriggerInterview; }
    const VoVectorFloat& GetInterviewPos() const { return fInterviewPos; }
    // The voice-overs still to play, first first.
    const VoVectorString& GetVoiceOvers() const { return fVoiceOvers; }
    // The voice-over's player (IsPlaying: whether one plays).
    const MGPuzzleVoice& GetVoice() const { return fVoice; }
    // Null while the close-up is closed.
    VoDisplayGroup* GetDisplayGroup() const { return fpDisplayGroup; }
    int GetHotspotCount() const { return fHotspots.GetCount(); }
    MGHotspot* GetHotspot(int aIndex) const;
    // What SetHotspotsEnabled was last told (true at first).
    bool AreHotspotsEnabled() const { return fHotspotsEnabled; }
    // Whether the interview waits to start.
    bool IsInterviewPending() const { return fInterviewPending; }
    // An open or a close that waits for the screen stack's switch to end.
    bool IsSwitchPending() const { return fPendingSwitch != kPendingNone; }
    float GetInterviewDue() const { return fInterviewDue; }

    VoString ToString() const override;

private:
    static constexpr int kPendingNone = 0;
    static constexpr int kPendingOpen = 1;
    static constexpr int kPendingClose = 2;

    static MGScene* Scene();
    // Sets the scene's open close-up and pushes with a fade; the open
    // close-up is put back when the push is refused.
    void PushWithFade();
    // Joins the frame manager while a switch or the interview waits, and
    // leaves it when nothing does.
    void ListenToFrames();
    void BuildDisplay(MGScene* apScene);
    void AddAnims(MGScene* apScene);
    void AddBackButton();
    void BuildHotspots();
    void DeleteDisplay();
    void PlayNextVoiceOver();
    // Hides the subtitle box, whoever filled it.
    static void HideSubtitle();
    // The interview after the close-up was left: fetched and placed, then
    // started once the player has turned towards the waypoint, if any.
    void StartInterview();
    // The scene's interview hotspot of the interview, else the hotspot of
    // that id; null when there is none.
    static MGHotspot* FindInterviewHotspot(MGScene* apScene, const VoString& aInterviewId);

    VoString fId;
    VoPropertyList* fpDisplayGroupNode = nullptr;  // not owned: the scene's close-up file
    VoPropertyList* fpHotspotsNode = nullptr;      // not owned: the scene's close-up file
    VoString fTriggerState;
    VoString fOpenedEvent;
    VoVector fHotspots;                        // MGHotspot, owned
    VoDisplayGroup* fpDisplayGroup = nullptr;  // owned; in the display manager while open
    bool fFadeOnShow = true;
    bool fExitToScene = false;
    VoVectorString fVoiceOvers;
    MGPuzzleVoice fVoice;  // the voice-over that plays, with its subtitle
    VoString fTriggerInterview;
    VoVectorFloat fInterviewPos;
    float fInterviewDue = 0.0f;
    bool fHotspotsEnabled = true;
    bool fListeningToStates = false;
    bool fListeningToFrames = false;
    bool fInterviewPending = false;
    int fPendingSwitch = kPendingNone;
};
