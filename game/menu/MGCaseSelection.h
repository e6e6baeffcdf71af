#pragma once
// The case selection: a ledger of case folders over the running scene,
// pushed with a fade when the boolean state "sta_caseselection_active"
// (exact id) turns true, with the scene's keep-audio flag set so its sounds
// go on underneath. The push waits for a frame in which the screen stack is
// idle and no placard is up (a new game's cut scene asks for the case
// selection as it hands over to the first scene's placard). Turning the
// state false pops the case selection when it is the top screen, and only
// then.
//
// On every entry the PDA's bar is hidden, the scene's input and hotspots
// turned off and the hand cursor set under the name "caseselection"; then a
// page is chosen. With no case in play ("sta_selectedcase" 0 or missing),
// the first case N (1 to 4) that is closed and whose ledger page was never
// shown ("evt_ledger" + N + "_displayed" missing) shows its ledger page;
// otherwise the folders page shows.
//
// Both pages come from "//textures/caseselection/caseselection_layout.txt"
// (textures under "//textures/caseselection") in the root group
// "caseselection_layout":
//   - the ledger page of case N: the sprite "groups.g06-ledger.case0" + N and
//     the back button "groups.g04-backbutton", renamed "ledger_back". It
//     records "evt_ledger" + N + "_displayed" (told), swallows releases of
//     mouse button 2 (order -5) and stays 10 s, or until "ledger_back" is
//     clicked. Then, when case 4 is closed, the game is over: the scene's
//     sound stops, the case selection leaves, the screen stack is emptied and
//     "sta_mainmenu_active" set true (told); otherwise the picture fades to
//     black and back to the folders page.
//   - the folders page: the groups "groups.g01-background" and
//     "groups.g02-folders" with the buttons of "groups.g03-buttons" (the
//     screen hears them), "groups.g05_caseclosed" (its marks show by their
//     own conditions), and the back button of "groups.g04-backbutton" while
//     cases 1 to 3 are closed or a case is in play. The case in play (1 to
//     3) has its "review" + N and "case" + N + "_select" disabled.
//
// Clicks (ids ignoring case unless said):
//   - "case" + N + "_select" (N = 1 to 3): a closed case only swallows the
//     click. Otherwise the scene's sound stops, case N and game clock N
//     become current ("sta_selectedcase" set without telling), and the first
//     time ("case" + N + "_intro_played" added) the case's intro movie plays
//     on the way to the case's first scene; later the click goes on as any
//     other button.
//   - an id beginning exactly "review" followed by the digit of case 1 to
//     3: a closed case only swallows the click; otherwise the scene's sound
//     stops and the case's briefing movie plays back to the case selection,
//     after which the scene's sound starts again (the click goes on to the
//     scene's mouse listeners). Other ids beginning "review" go on as any
//     other button.
//   - "ledger_back": leaves the ledger page as its time does (not swallowed).
//   - any other button: with cases 1 to 3 closed, case 4 starts (case 4 and
//     clock 4, "016_all.bik" then "452_all.bik" on the way to
//     "case04/victimshotel"); otherwise the case selection pops back to the
//     scene. Both swallow the click.
// The movies play through the cut-scene player.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "menu/MGMenuLayout.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"
#include "ui/MGICutSceneListener.h"

class VoIDisplayObject;
class VoPropertyList;

class MGCaseSelection : public VoBase,
                        public MGIScreen,
                        public VoIButtonListener,
                        public VoIStateListener,
                        public MGICutSceneListener,
                        public VoIKeyboardListener,
                        public MGIScreenFaderListener,
                        public VoIFrameListener,
                        public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "MGCaseSelection creation failure.";
    static constexpr const char16_t* kLayoutFile = u"//textures/caseselection/caseselection_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/caseselection";
    static constexpr const char16_t* kRootId = u"caseselection_layout";
    static constexpr const char16_t* kBackground = u"groups.g01-background";
    static constexpr const char16_t* kFolders = u"groups.g02-folders";
    static constexpr const char16_t* kButtons = u"groups.g03-buttons";
    static constexpr const char16_t* kBackButton = u"groups.g04-backbutton";
    static constexpr const char16_t* kCaseClosed = u"groups.g05_caseclosed";
    static constexpr const char16_t* kLedgerPrefix = u"groups.g06-ledger.case0";
    static constexpr const char16_t* kLedgerBack = u"ledger_back";
    static constexpr const char16_t* kActiveState = u"sta_caseselection_active";
    static constexpr const char16_t* kCaseState = u"sta_selectedcase";
    static constexpr const char16_t* kMainMenuState = u"sta_mainmenu_active";
    static constexpr const char16_t* kCursorName = u"caseselection";
    static constexpr const char16_t* kReviewPrefix = u"review";
    static constexpr const char16_t* kCaseFourScene = u"case04/victimshotel";
    static constexpr const char16_t* kCaseFourMovies[2] = {u"016_all.bik", u"452_all.bik"};
    static constexpr int kCursorHand = 1;
    static constexpr int kCaseCount = 4;
    static constexpr double kLedgerTime = 10.0;
    static constexpr float kOrder = 0.0f;
    static constexpr float kMouseOrder = -5.0f;
    static constexpr int kLedgerButton = 2;

    // The cases 1 to 3 that a folder chooses: its select button, intro
    // event, first scene, intro movie and review movie.
    struct Case {
        const char16_t* fpSelect;
        const char16_t* fpIntroEvent;
        const char16_t* fpFirstScene;
        const char16_t* fpIntroMovie;
        const char16_t* fpReviewMovie;
    };
    static const Case kCases[3];

    // Created on first use, listening to the states, owned by the game's
    // cleaner; null when it cannot be created.
    static MGCaseSelection* GetInstance();
    // The integer part of "sta_selectedcase"; 0 when it is missing.
    static int CaseInPlay();

    MGCaseSelection();
    MGCaseSelection(const MGCaseSelection&) = delete;
    MGCaseSelection& operator=(const MGCaseSelection&) = delete;
    // Leaves every manager it listens to and deletes the screen.
    ~MGCaseSelection() override;

    void OnStateChanged(VoIState* apState) override;

    // Disables the page, so no click reaches it while it fades away.
    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    // A review movie has ended: the scene's sound starts again.
    void OnCutSceneEnd() override;
    void OnKeyDown(int) override {}
    void OnKeyUp(int) override {}
    // The fade from the ledger page has finished.
    void OnFadeEvent(int aCode) override;
    void OnUpdate() override;
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    // Swallows releases of button 2 while a ledger page listens.
    void OnButtonUp(int aButton) override;

    // The two pages, built from the layout given, or else from the layout
    // file. The ledger page's clock starts.
    void ShowLedger(int aCase, VoPropertyList* apLayout = nullptr);
    void ShowFolders(VoPropertyList* apLayout = nullptr);

    VoDisplayGroup* GetRoot() const { return fTree.Get(); }
    // The case whose ledger page shows; 0 on the folders page and off screen.
    int GetLedgerCase() const { return fLedgerCase; }
    double GetDeadline() const { return fDeadline; }
    // A push waits for the screen stack.
    bool IsOpenDue() const { return fOpenDue; }

    VoString ToString() const override;

private:
    // Pushes the screen when the stack can take it; false while it waits.
    bool TryOpen();
    // The 10 s are up or "ledger_back" was clicked; false while a fade of
    // the screen stack runs.
    bool LeaveLedger();
    // The last case's ledger page is over: back to the main menu alone.
    void EndGame(bool aPushMenu);
    // What a click on each kind of button does; true when it handled it.
    bool SelectCase(int aCase);
    bool Review(const VoString& aId, bool* apPlayed);
    void OtherButton();
    // The layout file read into apFile (empty when it cannot be read), anew
    // for each page; apFile itself.
    static VoPropertyList* LoadLayout(VoPropertyList* apFile);
    // The back button of the layout, the screen listening, renamed when aId
    // is given, added to the root; an assertion failure when it cannot be built.
    void AddBackButton(VoPropertyList* apLayout, VoDisplayGroup* apRoot, const char16_t* apId);
    void ListenToFrames(bool aListen);
    static double Now();

    MGScreenTree fTree;
    double fDeadline;
    int fLedgerCase;
    bool fLeavingLedger;  // the fade from the ledger page to the folders runs
    bool fOpenDue;        // the state asked for the screen; the stack was not ready
    bool fInStates;       // registered with the state manager
    bool fInFrames;
    bool fInKeys;
    bool fInMouse;
};
