#include "menu/MGCaseSelection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MGScreenManager.h"
#include "MenuGame.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "menu/MGCaseControl.h"
#include "menu/MGMainMenu.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"

namespace {

// Writes down the mouse's releases that reach it (behind the buttons).
class ReleaseProbe : public VoIMouseListener {
public:
    ReleaseProbe() { VoMouse::GetInstance()->AddListener(this, 10.0f); }
    ~ReleaseProbe() override { VoMouse::GetInstance()->RemoveListener(this); }
    ReleaseProbe(const ReleaseProbe&) = delete;
    ReleaseProbe& operator=(const ReleaseProbe&) = delete;
    void OnButtonDown(int) override {}
    void OnButtonUp(int aButton) override { fReleases.push_back(aButton); }
    void OnMouseMove(const VoVector2*) override {}
    std::vector<int> fReleases;
};

VoStateManager* States() {
    return VoStateManager::GetInstance();
}

VoEventManager* Events() {
    return VoEventManager::GetInstance();
}

void SelectCase(int aCase) {
    States()->SetState(VoString(MGCaseSelection::kCaseState), VoString(u"number"),
                       VoString(std::to_string(aCase).c_str()), false);
}

float SelectedCase() {
    VoIState* state = States()->GetState(VoString(MGCaseSelection::kCaseState));
    return state != nullptr ? state->GetNumber(-1.0f) : -1.0f;
}

void Close(int aCase) {
    Events()->AddEvent(MGCaseControl::ClosedEvent(aCase), false);
}

bool Has(const std::string& aId) {
    return Events()->HasEvent(VoString(aId.c_str()));
}

class MGCaseSelectionTest : public ::testing::Test {
protected:
    MGCaseSelectionTest() {
        fScreens->PushScreen(&fScene);
        fBaseMouse = VoMouse::GetInstance()->GetListenerCount();
        fBaseKeys = VoKeyboard::GetInstance()->GetListenerCount();
    }

    void SetActive(bool aActive, const char16_t* apId = MGCaseSelection::kActiveState) {
        States()->SetState(VoString(apId), VoString(u"boolean"), VoString(aActive ? u"true" : u"false"), true);
    }
    // The state turned true and the fade run.
    void Open() {
        SetActive(true);
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fSelection));
    }
    VoDisplayGroup* Root() { return fSelection->GetRoot(); }
    VoButton* Button(const char16_t* apId) {
        VoDisplayGroup* root = Root();
        VoIDisplayObject* found = root != nullptr ? root->GetMember(VoString(apId)) : nullptr;
        if (found == nullptr && root != nullptr) {
            if (auto* folders = dynamic_cast<VoDisplayGroup*>(root->GetMember(VoString(u"folders")))) {
                found = folders->GetMember(VoString(apId));
            }
        }
        return dynamic_cast<VoButton*>(found);
    }
    // A click in the middle of the button, as the player makes it.
    void ClickButton(const char16_t* apId) {
        VoButton* button = Button(apId);
        ASSERT_NE(button, nullptr) << Narrow(VoString(apId));
        float x = -1.0f;
        float y = -1.0f;
        PuzzleGame::CentreOf(button, &x, &y);
        ASSERT_GE(x, 0.0f);
        MenuGame::Click(x, y);
    }
    std::string Movie() {
        const VoVectorString& queue = MGCutScenePlayer::GetInstance()->GetQueue();
        std::string names;
        for (int i = 0; i < queue.GetCount(); ++i) {
            names += (names.empty() ? "" : " ") + Narrow(queue.GetAt(i));
        }
        return names;
    }
    bool Playing(const char* apMovie) {
        return stubs::MoviePlayer::Find(std::string("//dataroot/movies/") + apMovie) != nullptr;
    }

    MenuGame fGame;
    ScreenJournal fJournal;
    BlankScreen fScene;
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGCaseSelection* fSelection = MGCaseSelection::GetInstance();
    int fBaseMouse = 0;
    int fBaseKeys = 0;
};

}  // namespace

TEST_F(MGCaseSelectionTest, OnlyItsStateTrueOpensTheFoldersPage) {
    MGPDAMinimized::GetInstance()->Show();
    SetActive(true, u"sta_caseselection");
    SetActive(true, u"sta_caseselection_active_");
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));

    Open();
    EXPECT_EQ(Narrow(Root()->GetId()), "caseselection_layout");
    for (const char16_t* id : {u"background", u"folders", u"caseclosed"}) {
        EXPECT_NE(Root()->GetMember(VoString(id)), nullptr) << Narrow(VoString(id));
    }
    for (const char16_t* id : {u"case1_select", u"case2_select", u"case3_select", u"review1", u"review2", u"review3"}) {
        ASSERT_NE(Button(id), nullptr) << Narrow(VoString(id));
        EXPECT_TRUE(Button(id)->IsEnabled()) << Narrow(VoString(id));
    }
    // A new game: no case in play and none closed, so no way back.
    EXPECT_EQ(Button(u"back_btn"), nullptr);
    EXPECT_EQ(fSelection->GetLedgerCase(), 0);
    EXPECT_FALSE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
    EXPECT_EQ(VoKeyboard::GetInstance()->GetListenerCount(), fBaseKeys + 1);
}

TEST_F(MGCaseSelectionTest, AClosedCaseShowsItsLedgerOnceForTenSeconds) {
    MGCaseControl::GetInstance();
    SelectCase(2);
    Events()->AddEvent(VoString(u"EVT_INTERVIEW218_COMPLETE"), true);
    EXPECT_EQ(SelectedCase(), 0.0f);
    ASSERT_TRUE(Has("evt_case02_closed"));

    Open();
    EXPECT_EQ(fSelection->GetLedgerCase(), 2);
    EXPECT_TRUE(Has("evt_ledger2_displayed"));
    EXPECT_NE(Root()->GetMember(VoString(u"ledger")), nullptr);
    EXPECT_NE(Button(u"ledger_back"), nullptr);
    EXPECT_EQ(Root()->GetMember(VoString(u"folders")), nullptr);
    // A release of the right button stops at the ledger.
    {
        ReleaseProbe probe;
        VoMouse::GetInstance()->ButtonDown(2);
        VoMouse::GetInstance()->ButtonUp(2);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
        EXPECT_EQ(probe.fReleases, std::vector<int>{1});
    }

    fGame.RunFrames(9.0);
    EXPECT_EQ(fSelection->GetLedgerCase(), 2);
    fGame.RunFrames(3.0);
    EXPECT_EQ(fSelection->GetLedgerCase(), 0);
    EXPECT_NE(Root()->GetMember(VoString(u"folders")), nullptr);
    EXPECT_EQ(Root()->GetMember(VoString(u"ledger")), nullptr);
    // Case 2 closed: its folder takes no more clicks, though still there.
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fSelection));

    // Next time straight to the folders.
    SetActive(false);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));
    EXPECT_EQ(Root(), nullptr);
    Open();
    EXPECT_EQ(fSelection->GetLedgerCase(), 0);
    EXPECT_NE(Root()->GetMember(VoString(u"folders")), nullptr);
}

TEST_F(MGCaseSelectionTest, TheLedgersBackButtonLeavesItEarly) {
    Close(1);
    Open();
    ASSERT_EQ(fSelection->GetLedgerCase(), 1);
    ReleaseProbe probe;
    ClickButton(u"ledger_back");
    // Not swallowed.
    EXPECT_EQ(probe.fReleases, std::vector<int>{1});
    fGame.RunFrames(2.0);
    EXPECT_EQ(fSelection->GetLedgerCase(), 0);
    EXPECT_NE(Root()->GetMember(VoString(u"folders")), nullptr);
}

TEST_F(MGCaseSelectionTest, ChoosingACasePlaysItsIntroOnlyTheFirstTime) {
    Open();
    ReleaseProbe probe;
    ClickButton(u"case1_select");
    EXPECT_TRUE(probe.fReleases.empty());
    EXPECT_EQ(SelectedCase(), 1.0f);
    EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 1);
    EXPECT_TRUE(Has("case1_intro_played"));
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/riverbank");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "");
    fGame.RunFrames(1.0);
    EXPECT_TRUE(Playing("152_all.bik"));
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(player));

}

TEST_F(MGCaseSelectionTest, ACaseChosenBeforeOnlyBecomesCurrentAgain) {
    Events()->AddEvent(VoString(u"case1_intro_played"), false);
    SelectCase(2);
    VoGameClock::GetInstance()->SetCurrentClock(2);
    Open();
    ReleaseProbe probe;
    ClickButton(u"case1_select");
    EXPECT_TRUE(probe.fReleases.empty());
    EXPECT_EQ(SelectedCase(), 1.0f);
    EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 1);
    fGame.RunFrames(1.0);
    EXPECT_EQ(stubs::MoviePlayer::Count(), 0);
    EXPECT_EQ(Narrow(MGCutScenePlayer::GetInstance()->GetTargetScene()), "");
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));
    EXPECT_EQ(Root(), nullptr);
}

TEST_F(MGCaseSelectionTest, TheCaseInPlayCannotBeChosenOrReviewed) {
    SelectCase(2);
    Open();
    EXPECT_FALSE(Button(u"review2")->IsEnabled());
    EXPECT_FALSE(Button(u"case2_select")->IsEnabled());
    for (const char16_t* id : {u"review1", u"review3", u"case1_select", u"case3_select"}) {
        EXPECT_TRUE(Button(id)->IsEnabled()) << Narrow(VoString(id));
    }
    // A case in play gives the way back to it.
    ASSERT_NE(Button(u"back_btn"), nullptr);
    ClickButton(u"back_btn");
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));
    EXPECT_EQ(SelectedCase(), 2.0f);
}

TEST_F(MGCaseSelectionTest, AClosedCasesButtonsOnlySwallowTheClick) {
    Close(3);
    Events()->AddEvent(VoString(u"evt_ledger3_displayed"), false);
    SelectCase(1);
    Open();
    for (const char16_t* id : {u"case3_select", u"review3"}) {
        ReleaseProbe probe;
        ClickButton(id);
        EXPECT_TRUE(probe.fReleases.empty()) << Narrow(VoString(id));
    }
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fSelection));
    EXPECT_EQ(SelectedCase(), 1.0f);
    EXPECT_EQ(stubs::MoviePlayer::Count(), 0);
}

TEST_F(MGCaseSelectionTest, AReviewPlaysItsBriefingBackToTheSelection) {
    Open();
    ReleaseProbe probe;
    ClickButton(u"review3");
    // The click goes on.
    EXPECT_EQ(probe.fReleases, std::vector<int>{1});
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    EXPECT_EQ(Narrow(player->GetTargetScene()), "");
    fGame.RunFrames(1.0);
    EXPECT_TRUE(Playing("003_all.bik"));
    EXPECT_EQ(SelectedCase(), -1.0f);
    stubs::MoviePlayer::Find("//dataroot/movies/003_all.bik")->End();
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fSelection));
}

// "review4", "reviewx" and the rest are any other button: with cases 1 to 3
// closed they start case 4; before, they leave.
TEST_F(MGCaseSelectionTest, OtherButtonsStartCaseFourOnceTheFirstThreeAreClosed) {
    struct Case {
        const char16_t* button;
        bool closed;
    };
    const Case cases[] = {
        {u"back_btn", true}, {u"review4", true}, {u"reviewx", true}, {u"REVIEW1", true},
        {u"review4", false}, {u"anything", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(VoString(c.button)));
        Events()->ClearEvents();
        SelectCase(0);
        if (c.closed) {
            for (int n = 1; n <= 3; ++n) {
                Close(n);
                Events()->AddEvent(VoString(("evt_ledger" + std::to_string(n) + "_displayed").c_str()), false);
            }
        } else {
            SelectCase(3);
        }
        MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
        player->SetTargetScene(VoString(u""), VoString(u""));
        Open();
        if (Button(c.button) != nullptr) {
            ClickButton(c.button);
        } else {
            fSelection->OnButtonEvent(VoString(c.button), VoIButtonListener::kClick);
        }
        if (c.closed) {
            EXPECT_EQ(SelectedCase(), 4.0f);
            EXPECT_EQ(VoGameClock::GetInstance()->GetCurrentClock(), 4);
            EXPECT_EQ(Narrow(player->GetTargetScene()), "case04/victimshotel");
            EXPECT_EQ(Movie(), "016_all.bik 452_all.bik");
        } else {
            EXPECT_EQ(SelectedCase(), 3.0f);
            fGame.RunFrames(1.0);
            EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));
        }
        fScreens->Clear();
        fSelection->OnLeaveEnd();
        fGame.RunFrames(1.0);
        fScreens->Clear();
        fScreens->PushScreen(&fScene);
    }
}

// The last ledger leaves the main menu alone, with nothing of the case
// selection left over it: its page, its keys, its mouse.
TEST_F(MGCaseSelectionTest, TheLastLedgerEndsTheGameAtTheMainMenu) {
    MGMainMenu* menu = MGMainMenu::GetInstance();
    const int keys = VoKeyboard::GetInstance()->GetListenerCount();
    for (int n = 1; n <= 3; ++n) {
        Close(n);
        Events()->AddEvent(VoString(("evt_ledger" + std::to_string(n) + "_displayed").c_str()), false);
    }
    Close(4);
    for (bool early : {false, true}) {
        SCOPED_TRACE(early ? "back button" : "ten seconds");
        VoEvent* shown = nullptr;
        if (Events()->RemoveEvent(VoString(u"evt_ledger4_displayed"), &shown)) {
            delete shown;
        }
        fScreens->Clear();
        fScreens->PushScreen(&fScene);
        SetActive(false);
        Open();
        ASSERT_EQ(fSelection->GetLedgerCase(), 4);
        if (early) {
            ClickButton(u"ledger_back");
        }
        fGame.RunFrames(early ? 1.0 : 11.0);
        EXPECT_EQ(fScreens->GetScreenCount(), 1);
        EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGMainMenu::GetInstance()));
        EXPECT_EQ(Root(), nullptr);
        EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"caseselection_layout")),
                  nullptr);
        ReleaseProbe probe;
        VoMouse::GetInstance()->ButtonDown(2);
        VoMouse::GetInstance()->ButtonUp(2);
        EXPECT_EQ(probe.fReleases, std::vector<int>{2});
        fScreens->Clear();
        menu->OnLeaveEnd();
        fGame.RunFrames(1.0);
        EXPECT_EQ(VoKeyboard::GetInstance()->GetListenerCount(), keys);
    }
}

TEST_F(MGCaseSelectionTest, TheStateTurnedFalseClosesOnlyTheCaseSelection) {
    Open();
    BlankScreen other;
    fScreens->PushScreen(&other);
    SetActive(false);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&other));
    EXPECT_EQ(fScreens->GetScreenCount(), 3);

    fScreens->RemoveScreen(&other);
    SetActive(false);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(&fScene));
    EXPECT_EQ(Root(), nullptr);
    EXPECT_EQ(VoKeyboard::GetInstance()->GetListenerCount(), fBaseKeys);
}

// The last case closed while a ledger page fades out: the fade's end, too,
// leaves the main menu alone on the stack, the case selection's own leave
// run first.
TEST_F(MGCaseSelectionTest, TheLastCaseClosedDuringTheLedgersFadeEndsAtTheMainMenu) {
    MGMainMenu* menu = MGMainMenu::GetInstance();
    for (int n = 1; n <= 2; ++n) {
        Close(n);
        Events()->AddEvent(VoString(("evt_ledger" + std::to_string(n) + "_displayed").c_str()), false);
    }
    Close(3);
    Open();
    ASSERT_EQ(fSelection->GetLedgerCase(), 3);
    ClickButton(u"ledger_back");
    fGame.RunFrames(0.05);
    Close(4);
    fGame.RunFrames(2.0);
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(menu));
    EXPECT_NE(menu->GetRoot(), nullptr);
    EXPECT_EQ(Root(), nullptr);
    ReleaseProbe probe;
    VoMouse::GetInstance()->ButtonDown(2);
    VoMouse::GetInstance()->ButtonUp(2);
    EXPECT_EQ(probe.fReleases, std::vector<int>{2});
}
