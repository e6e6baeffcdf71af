#pragma once
// Plays the full-screen movies between pieces of play. The player is a
// screen: Play puts a movie in its queue and pushes it with a fade; entered,
// it plays the queue one movie after another (behind a fade to black each
// time), centred on the screen, at the options' volume and with subtitles
// unless option 0 switches them off. When the last movie ends it adds its
// done events, sets its done states, tells its listener, and either fades to
// its target scene (on an emptied screen stack) or pops back to the screen
// below. Space, released 0.5 s or more after the first movie started, skips
// the whole run. A movie ends ten frames before its last, so its last frames
// are never shown.
//
// The tables: "//dataroot/movies/cutscenes.txt", one entry per cut scene
// with "triggertype" ("state", "event", "interview" or "maptag", any case),
// "movie", "doneevents" (a list), "targetscene" and "targetvp", the trigger's
// own key ("triggerstate", "triggerevent", "triggerinterview" or
// "triggerlocation") and "dependencies" (a condition script); and
// "//dataroot/movies/cutscenes_subtitles.txt", one entry per movie with
// "movie", a "fonts" section (key -> font id) and a "subtitles" section of
// entries with "time" (seconds), "subtitle", "font" (a key of "fonts") and
// an optional "action" ("add" puts the text under the one shown).
//
// Triggers: every state change and every added event walk their entries in
// file order and play the first that matches (a state id compared with case,
// an event id without); PlayForInterview and PlayForLocation do the same for
// the interviews and the PDA's map. Nothing records that an entry has
// played: it plays again whenever its trigger fires and its dependencies hold.
//
// A movie that cannot be made counts as ended. A trigger while the player is
// on the stack only queues its movie; when the stack refuses the push, the
// run is dropped (logged). A run skipped between two movies ends as any
// other. The target viewpoint is given only to the scene the run loaded,
// also when that scene's placard shows first and loads it later.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorString.h"
#include "event/VoIEventListener.h"
#include "movie/VoIMovieListener.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class MGICutSceneListener;
class MGSubtitle;
class VoIMoviePlayer;
class VoPropertyList;

class MGCutScenePlayer : public VoBase,
                         public MGIScreen,
                         public VoIMovieListener,
                         public VoIStateListener,
                         public VoIEventListener,
                         public VoIKeyboardListener,
                         public VoIFrameListener,
                         public VoIMouseListener,
                         public MGIScreenFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGCutScenePlayer creation failure.";
    static constexpr const char* kMissingFonts = "'fonts' not found.";
    static constexpr const char* kMissingFont = "Font not found.";
    static constexpr const char* kMissingMovie = "'movie' not found.";
    static constexpr const char* kMissingTime = "'time' not found.";
    static constexpr const char* kMissingSubtitle = "'subtitle' not found.";
    static constexpr const char* kMissingFontKey = "'font' not found.";
    static constexpr const char* kScriptFailure = "Script build failure: ";
    static constexpr const char* kPlayRefused = "Play failure. The cut scene could not be pushed: ";
    static constexpr const char16_t* kTableFile = u"//dataroot/movies/cutscenes.txt";
    static constexpr const char16_t* kSubtitleFile = u"//dataroot/movies/cutscenes_subtitles.txt";
    static constexpr const char16_t* kMovieRoot = u"//dataroot/movies/";
    static constexpr const char16_t* kMovieId = u"cutScene";
    static constexpr const char16_t* kSelectedCase = u"sta_selectedcase";
    static constexpr const char16_t* kCaseSelection = u"sta_caseselection_active";
    static constexpr int kSkipKey = 57;
    static constexpr double kSkipDelay = 0.5;
    static constexpr std::uint32_t kEndFrames = 10;
    static constexpr float kLaterMovieZ = 1000.0f;
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;
    static constexpr float kListenerOrder = 0.0f;

    // Created on first use with both tables, listening to states and events,
    // and owned by the game's cleaner; null when it cannot be created.
    static MGCutScenePlayer* GetInstance();

    // Loads both tables (what cannot be read is logged and left empty).
    MGCutScenePlayer();
    MGCutScenePlayer(const MGCutScenePlayer&) = delete;
    MGCutScenePlayer& operator=(const MGCutScenePlayer&) = delete;
    // Leaves every manager it listens to; deletes the movie and the tables.
    ~MGCutScenePlayer() override;

    // Takes both tables (either may be null) in place of the ones it has and
    // files the entries by trigger.
    void SetTables(VoPropertyList* apTable, VoPropertyList* apSubtitles);

    // The movie (a file name under "//dataroot/movies/") goes to the front
    // of the queue; the player is pushed unless it is on the stack already.
    void Play(const VoString& aMovie);
    // The movies in order replace the queue; pushed as above.
    void Play(const VoVectorString& aMovies);
    // "" or "-" mean none.
    void SetTargetScene(const VoString& aScene, const VoString& aViewpoint);
    void SetDoneEvents(const VoVectorString& aEvents);
    void AddDoneEvents(const VoVectorString& aEvents);
    // Triples: state id, type name ("boolean", "number", "string"), value.
    void SetDoneStates(const VoVectorString& aStates);
    void AddDoneStates(const VoVectorString& aStates);
    // Null is ignored.
    void SetListener(MGICutSceneListener* apListener);

    // The first interview entry for the id (or for any interview) whose
    // dependencies hold plays; whether one did.
    bool PlayForInterview(const VoString& aInterviewId);
    // The same for a place of the map; the scene's audio stops and the
    // targets are cleared before the entry plays.
    bool PlayForLocation(const VoString& aLocationId);

    void OnStateChanged(VoIState* apState) override;
    void OnEvent(VoEvent* apEvent) override;
    void OnMovieEnd(VoString aName) override;
    void OnKeyDown(int) override {}
    // Space skips the run.
    void OnKeyUp(int aKey) override;
    void OnUpdate() override;
    void OnButtonDown(int) override {}
    // Moves the cursor along while the player holds the mouse.
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}
    void OnFadeEvent(int aCode) override;
    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    const VoVectorString& GetQueue() const { return fQueue; }
    // The playing movie (owned); null when none.
    VoIMoviePlayer* GetMovie() const { return fpMovie; }
    const VoString& GetTargetScene() const { return fTargetScene; }
    const VoString& GetTargetViewpoint() const { return fTargetViewpoint; }
    const VoVectorString& GetDoneEvents() const { return fDoneEvents; }
    const VoVectorString& GetDoneStates() const { return fDoneStates; }

    VoString ToString() const override;

private:
    // Reads a table file; null, logged, when it cannot be read.
    static VoPropertyList* LoadTable(const char16_t* apPath);
    // The entry plays when its trigger key's value matches aId (with case
    // when aCaseSensitive) and its dependencies hold, as OnStateChanged and
    // OnEvent decide.
    bool Matches(VoPropertyList* apEntry, const char16_t* apKey, const VoString& aId, bool aCaseSensitive);
    // The first candidate of the table for aId whose dependencies hold.
    VoPropertyList* FindScripted(const VoVector& aTable, const char16_t* apKey, const VoString& aId);
    static bool Evaluate(const VoString& aScript);
    void PlayEntry(VoPropertyList* apEntry);
    // Pushes the player unless it is on the stack; a refusal drops the run.
    void Push();
    void StartMovie(bool aLater);
    void DeleteMovie();
    void LoadSubtitles(const VoString& aMovie);
    void ShowDueSubtitle();
    void EndMovie();
    // What every end of the last movie does first: lets go of the frames,
    // the mouse, the keys and the subtitle, and shows the cursor.
    void StopListening();
    // Without a target scene: back to the screen below.
    void FinishWithoutScene();
    void FinishWithScene();
    void FinishRun();
    void ClearTargets();
    bool HasTargetScene() const;
    bool HasTargetViewpoint() const;
    void LockMouse(bool aLock);
    static double Now();

    MGICutSceneListener* fpListener;  // not owned
    VoPropertyList* fpTable;          // owned
    VoVector fStateTable;             // VoPropertyList* entries of fpTable, not owned
    VoVector fEventTable;
    VoVector fInterviewTable;
    VoVector fLocationTable;
    bool fEnded;
    bool fEnding;
    // The current movie's end has been handled: its end callback and its
    // frame check may both fire, the end runs once.
    bool fEndHandled;
    VoVectorString fQueue;
    VoIMoviePlayer* fpMovie;  // owned; a member of the display root while it exists
    VoString fTargetScene;
    VoString fTargetViewpoint;
    VoVectorString fDoneEvents;
    VoVectorString fDoneStates;
    VoPropertyList* fpSubtitles;       // owned
    VoPropertyList* fpMovieSubtitles;  // the "subtitles" section of the playing movie, or null
    VoPropertyList* fpSubtitle;        // the entry due next, or null
    VoHashKeyList fSubtitleFonts;      // key -> VoIFont (the font manager's)
    double fSubtitleStart;
    double fNextSubtitle;
    int fSubtitleIndex;
    MGSubtitle* fpSubtitleBox;  // not owned: the game cleaner's; taken at the first Play
    double fKeyTime;
    bool fInFrames;
    bool fInKeys;
    bool fMouseLocked;
    bool fListening;  // registered with the state and event managers
};
