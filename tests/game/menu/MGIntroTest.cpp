#include "menu/MGIntro.h"

#include <gtest/gtest.h>

#include "MGScreenManager.h"
#include "MenuGame.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "menu/MGMainMenu.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

constexpr const char* kLogo = "//dataroot/movies/Quorvel_Logo.bik";
constexpr int kSpace = 57;

// A mouse listener that notes every press it hears.
class PressCounter : public VoIMouseListener {
public:
    void OnButtonDown(int) override { ++fPresses; }
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    int fPresses = 0;
};

// The intro pushed first with a fade, as the application's Init does.
class MGIntroTest : public ::testing::Test {
protected:
    void Start() { ASSERT_TRUE(fScreens->PushFade(fIntro)); }
    stubs::MoviePlayer* Logo() const { return stubs::MoviePlayer::Find(kLogo); }
    bool MenuAlone() const {
        return fScreens->GetScreenCount() == 1 && fScreens->GetTopScreen() == static_cast<MGIScreen*>(fMenu);
    }

    MenuGame fGame;
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGIntro* fIntro = MGIntro::GetInstance();
    MGMainMenu* fMenu = MGMainMenu::GetInstance();
};

}  // namespace

TEST_F(MGIntroTest, PlaysTheLogoFullScreenAndHoldsTheMouse) {
    MGOptions::GetInstance()->SetVolume(0.4f);
    Start();
    stubs::MoviePlayer* logo = Logo();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->fName, "intro");
    EXPECT_EQ(fIntro->GetMovie(), logo);
    EXPECT_TRUE(logo->fPlaying);
    EXPECT_EQ(logo->GetVolume(), 0.4f);
    EXPECT_EQ(logo->GetRelativeZ(), 1000.0f);
    EXPECT_EQ(logo->GetListener(), static_cast<VoIMovieListener*>(fIntro));
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"intro")), logo);
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), MGCursor::kEmpty);
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    // The pointer moves, clicks reach nobody.
    PressCounter presses;
    VoMouse::GetInstance()->AddListener(&presses, -100.0f);
    MenuGame::Click(300, 200);
    EXPECT_EQ(presses.fPresses, 0);
    VoVector2 pointer;
    VoMouse::GetInstance()->GetPosition(pointer);
    EXPECT_EQ(pointer, VoVector2(300.0f, 200.0f));
    VoMouse::GetInstance()->RemoveListener(&presses);
}

TEST_F(MGIntroTest, TheSpaceBarSkipsOnlyAfterHalfASecondAndTheMenuComesNextFrame) {
    fGame.FrameAt(2.0);
    Start();
    fGame.FrameAt(2.3);
    MenuGame::Type(kSpace);
    fGame.FrameAt(2.45);
    EXPECT_EQ(Logo()->fPauses, 0);
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fIntro));
    fGame.FrameAt(2.55);
    // Another key does nothing; the space bar counts on its release.
    MenuGame::Type(30);
    VoKeyboard::GetInstance()->KeyDown(kSpace);
    EXPECT_EQ(Logo()->fPauses, 0);
    VoKeyboard::GetInstance()->KeyUp(kSpace);
    ASSERT_NE(Logo(), nullptr);
    EXPECT_EQ(Logo()->fPauses, 1);
    EXPECT_TRUE(fIntro->IsSkipped());
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fIntro));
    fGame.FrameAt(2.6);
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MenuAlone());
    fGame.RunFrames(1.0);
    EXPECT_NE(fMenu->GetRoot(), nullptr);
}

TEST_F(MGIntroTest, TheMovieEndingBringsTheMenuOnce) {
    Start();
    fGame.RunFrames(1.0);
    // The end and a skip in one frame end the intro once.
    MenuGame::Type(kSpace);
    Logo()->End();
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_TRUE(MenuAlone());
    fGame.RunFrames(1.0);
    EXPECT_TRUE(MenuAlone());
    EXPECT_EQ(stubs::SoundPlayer::Find("theme")->fPlays, 1);
}

TEST_F(MGIntroTest, WithoutTheMovieTheMenuIsTheOnlyScreenEnteredOnce) {
    stubs::Missing().insert(kLogo);
    Start();
    fGame.RunFrames(1.0);
    EXPECT_TRUE(MenuAlone());
    EXPECT_NE(fMenu->GetRoot(), nullptr);
    EXPECT_EQ(stubs::SoundPlayer::Find("theme")->fPlays, 1);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
}

TEST_F(MGIntroTest, WithoutTheMovieEnteredBehindAFadeTheMenuWaitsForAnIdleStack) {
    stubs::Missing().insert(kLogo);
    BlankScreen blank;
    ASSERT_TRUE(fScreens->PushFade(&blank));
    fGame.RunFrames(1.0);
    // The intro is entered in the middle of the switch, while the stack is busy.
    ASSERT_TRUE(fScreens->PushFade(fIntro));
    fGame.RunFrames(2.0);
    EXPECT_TRUE(MenuAlone());
    EXPECT_NE(fMenu->GetRoot(), nullptr);
    EXPECT_EQ(stubs::SoundPlayer::Find("theme")->fPlays, 1);
}

TEST_F(MGIntroTest, AScreenPushedOverTheIntroEndsItWithoutTheMenu) {
    Start();
    fGame.RunFrames(1.0);
    BlankScreen other;
    ASSERT_TRUE(fScreens->PushFade(&other));
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &other);
    EXPECT_EQ(fMenu->GetRoot(), nullptr);
    MenuGame::Type(kSpace);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &other);
}

TEST_F(MGIntroTest, AScreenPutInTheIntrosPlaceEndsItToo) {
    Start();
    fGame.RunFrames(1.0);
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fScreens->PopScreen(&popped));
    popped->OnLeaveEnd();
    EXPECT_EQ(Logo(), nullptr);
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetScreenCount(), 0);
}
