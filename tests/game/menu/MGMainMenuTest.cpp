#include "menu/MGMainMenu.h"

#include <gtest/gtest.h>

#include <string>

#include "../ScreenProbes.h"
#include "MGScreenManager.h"
#include "MenuGame.h"
#include "event/VoEventManager.h"
#include "menu/MGCreditsScreen.h"
#include "menu/MGLoadScreen.h"
#include "menu/MGOptionsScreen.h"
#include "menu/MGSaveScreen.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoApp.h"
#include "platform/VoIPlatform.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "ui/MGIMessageBoxListener.h"
#include "ui/MGMessageBox.h"
#include "util/MGKeyInput.h"
#include "util/MGOptions.h"

namespace {

// Notes that the platform was told to quit.
class QuitProbe : public VoApp {
public:
    explicit QuitProbe(bool* apQuit) : fpQuit(apQuit) {}
    bool OnQuit() override {
        *fpQuit = true;
        return true;
    }
    bool* fpQuit;  // not owned
};

VoStateManager* States() {
    return VoStateManager::GetInstance();
}

void SetState(const char16_t* apId, const char16_t* apType, const char16_t* apValue, bool aNotify = false) {
    States()->SetState(VoString(apId), VoString(apType), VoString(apValue), aNotify);
}

class MGMainMenuTest : public ::testing::Test {
protected:
    // The menu as the intro leaves it: alone on the stack, entered.
    void EnterAlone() {
        ASSERT_TRUE(fScreens->PushFade(fMenu));
        fGame.RunFrames(1.0);
        ASSERT_NE(fMenu->GetRoot(), nullptr);
    }
    // The menu over a game in play, as the PDA's "menu" button brings it.
    void EnterOverGame() {
        fScreens->PushScreen(&fGameScreen);
        SetState(MGMainMenu::kActiveState, u"boolean", u"true", true);
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fMenu));
    }
    bool Enabled(const char16_t* apId) {
        return MenuGame::FindButton(apId)->GetState() != MGMenuButton::kDisabled;
    }
    stubs::SoundPlayer* Theme() { return stubs::SoundPlayer::Find("theme"); }

    MenuGame fGame;
    ScreenJournal fJournal;
    RecordingScreen fGameScreen{"scene", &fJournal};
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGMainMenu* fMenu = MGMainMenu::GetInstance();
};

}  // namespace

TEST_F(MGMainMenuTest, IsBuiltWithTheThemeAndTheKeyInput) {
    EXPECT_NE(MGKeyInput::GetInstance(), nullptr);
    MGOptions::GetInstance()->SetVolume(0.25f);
    MGPDAMinimized::GetInstance()->Show();
    EnterAlone();
    VoDisplayGroup* root = fMenu->GetRoot();
    EXPECT_EQ(Narrow(root->GetId()), "mainmenu_layout");
    EXPECT_NE(root->GetMember(VoString(u"background")), nullptr);
    VoIDisplayObject* buttons = root->GetMember(VoString(u"mainmenu_buttons"));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->GetRelativeZ(), 10.0f);
    for (const char16_t* id :
         {u"quit", u"options", u"load_game", u"save_game", u"new_game", u"resume_game", u"credits"}) {
        EXPECT_NE(MenuGame::FindButton(id), nullptr) << Narrow(VoString(id));
    }
    EXPECT_FALSE(MGPDAMinimized::GetInstance()->IsShown());
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
    ASSERT_NE(Theme(), nullptr);
    EXPECT_EQ(Theme()->fPath, "//sounds/theme.ogg");
    EXPECT_EQ(Theme()->fVolume, 0.25f);
    EXPECT_EQ(Theme()->fPlays, 1);
    EXPECT_EQ(fMenu->GetTheme(), Theme());
}

TEST_F(MGMainMenuTest, AtStartThereIsNothingToSaveOrResume) {
    EnterAlone();
    EXPECT_FALSE(Enabled(u"save_game"));
    EXPECT_FALSE(Enabled(u"resume_game"));
    EXPECT_TRUE(Enabled(u"new_game"));
    EXPECT_TRUE(Enabled(u"load_game"));
}

TEST_F(MGMainMenuTest, OverACaseInPlaySaveAndResumeAreOpen) {
    struct Case {
        const char16_t* selected;
        bool save;
    };
    for (const Case& c : {Case{nullptr, false}, Case{u"0", false}, Case{u"0.99", false}, Case{u"1", true},
                          Case{u"4", true}}) {
        States()->ClearStates();
        if (c.selected != nullptr) {
            SetState(MGMainMenu::kCaseState, u"number", c.selected);
        }
        fScreens->Clear();
        EnterOverGame();
        EXPECT_EQ(Enabled(u"save_game"), c.save) << (c.selected ? Narrow(VoString(c.selected)) : "-");
        EXPECT_TRUE(Enabled(u"resume_game"));
        fMenu->OnLeaveEnd();
    }
}

TEST_F(MGMainMenuTest, OnlyTheActiveStateSetTrueBringsTheMenu) {
    fScreens->PushScreen(&fGameScreen);
    SetState(MGMainMenu::kActiveState, u"boolean", u"false", true);
    SetState(u"sta_other", u"boolean", u"true", true);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    SetState(MGMainMenu::kActiveState, u"boolean", u"true", true);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fMenu));
    // Once is enough.
    SetState(MGMainMenu::kActiveState, u"boolean", u"true", true);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
}

TEST_F(MGMainMenuTest, ResumeUncoversTheGameWithTheSkillSetting) {
    MGOptions::GetInstance()->SetSkillLevel(0);
    EnterOverGame();
    ASSERT_TRUE(MenuGame::ClickButton(u"resume_game"));
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &fGameScreen);
    EXPECT_EQ(fMenu->GetLastAction(), MGMainMenu::kResume);
    EXPECT_EQ(Theme(), nullptr);
    VoIState* skill = States()->GetState(VoString(MGMainMenu::kSkillState));
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(skill->GetValue())), "easy");
}

TEST_F(MGMainMenuTest, ANewGameStartsAfreshBehindTheFade) {
    MGOptions::GetInstance()->SetSkillLevel(2);
    SetState(MGMainMenu::kCaseState, u"number", u"3");
    SetState(u"sta_old", u"boolean", u"true");
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_old"), false);
    ASSERT_TRUE(MenuGame::GiveItem(u"brasskey"));
    VoGameClock* clock = VoGameClock::GetInstance();
    clock->SetCurrentClock(3);
    clock->AdvanceTime(50.0f, false);
    clock->AddDelayedTrigger(VoString(u"evt_pending"), 5.0f, -1);
    ResetCounter resets;
    EnterOverGame();
    ASSERT_TRUE(MenuGame::ClickButton(u"new_game"));
    EXPECT_EQ(resets.fCount, 0);
    fGame.RunFrames(1.0);

    EXPECT_EQ(resets.fCount, 1);
    EXPECT_EQ(Theme(), nullptr);
    EXPECT_EQ(fScreens->FindScreen(fMenu), -1);
    EXPECT_EQ(fMenu->GetRoot(), nullptr);
    EXPECT_EQ(clock->GetCurrentClock(), 1);
    EXPECT_EQ(clock->GetTriggerCount(), 0);
    EXPECT_EQ(clock->GetTime(3), 0.0f);
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), 0);
    EXPECT_FALSE(States()->HasState(VoString(u"sta_old")));
    VoIState* selected = States()->GetState(VoString(MGMainMenu::kCaseState));
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->GetNumber(-1.0f), 0.0f);
    VoIState* skill = States()->GetState(VoString(MGMainMenu::kSkillState));
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(skill->GetValue())), "hard");
    EXPECT_EQ(MenuGame::ItemCount(), 0);
    // The opening card plays on its way to the squad room.
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    EXPECT_EQ(Narrow(player->GetTargetScene()), "precinct");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "");
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(player));
    ASSERT_NE(stubs::MoviePlayer::Find("//dataroot/movies/000_all.bik"), nullptr);

    // No case chosen yet: the menu, back, still has nothing to save.
    fScreens->Clear();
    EnterOverGame();
    EXPECT_FALSE(Enabled(u"save_game"));
}

TEST_F(MGMainMenuTest, AnotherSkillLevelStartsANewGameWithAnEmptySetting) {
    MGOptions::GetInstance()->SetSkillLevel(7);
    EnterAlone();
    ASSERT_TRUE(MenuGame::ClickButton(u"new_game"));
    fGame.RunFrames(1.0);
    VoIState* skill = States()->GetState(VoString(MGMainMenu::kSkillState));
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(Narrow(*static_cast<const VoString*>(skill->GetValue())), "");
}

TEST_F(MGMainMenuTest, QuitAsksAndOnlyYesEndsTheGame) {
    bool quit = false;
    VoIPlatform* platform = VoIPlatform::GetInstance();
    ASSERT_NE(platform, nullptr);
    platform->SetApp(new QuitProbe(&quit));
    EnterAlone();
    MGMessageBox* box = MGMessageBox::GetInstance();
    ASSERT_TRUE(MenuGame::ClickButton(u"quit"));
    EXPECT_TRUE(box->IsShown());
    EXPECT_EQ(MenuGame::BoxText(), "Do you really want to quit?");
    EXPECT_EQ(MenuGame::BoxButtons(), "yes no");
    // The pointer is back where it was.
    VoVector2 pointer;
    VoMouse::GetInstance()->GetPosition(pointer);
    EXPECT_NE(pointer.x, 900.0f);
    MenuGame::AnswerBox(u"no");
    EXPECT_FALSE(quit);
    EXPECT_NE(Theme(), nullptr);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fMenu));
    ASSERT_TRUE(MenuGame::ClickButton(u"quit"));
    MenuGame::AnswerBox(u"yes");
    EXPECT_TRUE(quit);
    EXPECT_EQ(Theme(), nullptr);
    delete platform;
}

TEST_F(MGMainMenuTest, TheButtonsOpenTheirScreens) {
    struct Case {
        const char16_t* button;
        MGIScreen* screen;
        int action;
        bool theme;
    };
    SetState(MGMainMenu::kCaseState, u"number", u"1");
    const Case cases[] = {
        {u"options", MGOptionsScreen::GetInstance(), -1, true},
        {u"load_game", MGLoadScreen::GetInstance(), MGMainMenu::kLoad, true},
        {u"save_game", MGSaveScreen::GetInstance(), MGMainMenu::kSave, true},
        {u"credits", MGCreditsScreen::GetInstance(), -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(VoString(c.button)));
        fScreens->Clear();
        EnterOverGame();
        ASSERT_TRUE(MenuGame::ClickButton(c.button));
        fGame.RunFrames(1.0);
        EXPECT_EQ(fScreens->GetTopScreen(), c.screen);
        if (c.action >= 0) {
            EXPECT_EQ(fMenu->GetLastAction(), c.action);
        }
        EXPECT_EQ(Theme() != nullptr, c.theme);
        MGIScreen* popped = nullptr;
        ASSERT_TRUE(fScreens->PopFade(&popped));
        fGame.RunFrames(1.0);
        // Back on the menu, the theme plays (again).
        EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fMenu));
        EXPECT_NE(Theme(), nullptr);
        fMenu->OnLeaveEnd();
    }
}

TEST_F(MGMainMenuTest, ClicksThatChangeScreensWaitForAnIdleStack) {
    EnterOverGame();
    ASSERT_TRUE(fScreens->PushFade(&fGameScreen));
    ASSERT_TRUE(fScreens->IsBusy());
    for (const char16_t* id : {u"new_game", u"options", u"load_game", u"credits", u"resume_game"}) {
        ASSERT_TRUE(MenuGame::ClickButton(id));
    }
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &fGameScreen);
    EXPECT_EQ(MGCutScenePlayer::GetInstance()->GetQueue().GetCount(), 0);
    EXPECT_NE(Theme(), nullptr);
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fScreens->PopFade(&popped));
    fGame.RunFrames(1.0);
    ASSERT_TRUE(MenuGame::ClickButton(u"options"));
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(MGOptionsScreen::GetInstance()));
}
