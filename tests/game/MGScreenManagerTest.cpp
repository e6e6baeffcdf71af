#include "MGScreenManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MGScreenFader.h"
#include "ScreenProbes.h"
#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayGroup.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class MGScreenManagerTest : public ::testing::Test {
protected:
    // The journal since the last call.
    ScreenJournal Take() {
        ScreenJournal calls;
        calls.swap(fJournal);
        return calls;
    }
    // Frames until the running fade has finished: its end, then the frame
    // that reports it.
    void FinishFade() {
        fNow += MGScreenFader::kFadeTime;
        RecordingGame::FrameAt(fNow);
        fNow += 0.01;
        RecordingGame::FrameAt(fNow);
    }
    float Blend() const { return fFader->GetGroup()->GetBlend(); }
    // The intro on the stack, entered and faded in: the manager idle.
    void StartWithIntro() {
        ASSERT_TRUE(fScreens->PushFade(&fIntro));
        FinishFade();
        Take();
        ASSERT_FALSE(fScreens->IsBusy());
    }

    RecordingGame fGame;
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGScreenFader* fFader = MGScreenFader::GetInstance();
    double fNow = 0.0;
    ScreenJournal fJournal;
    RecordingScreen fIntro{"intro", &fJournal};
    RecordingScreen fScene{"scene", &fJournal};
    RecordingScreen fMenu{"menu", &fJournal};
};

}  // namespace

TEST_F(MGScreenManagerTest, TheFirstPushEntersAndFadesInWithoutBecomingBusy) {
    ASSERT_NE(fScreens, nullptr);
    ASSERT_NE(fFader, nullptr);
    EXPECT_TRUE(fScreens->PushFade(&fIntro));
    EXPECT_THAT(Take(), ElementsAre("intro:enter"));
    EXPECT_EQ(fScreens->GetTopScreen(), &fIntro);
    EXPECT_FALSE(fScreens->IsBusy());
    EXPECT_EQ(fFader->GetListener(), fScreens);
    EXPECT_FLOAT_EQ(Blend(), 1.0f);

    RecordingGame::FrameAt(0.15);
    EXPECT_FLOAT_EQ(Blend(), 0.5f);
    RecordingGame::FrameAt(0.31);
    EXPECT_FLOAT_EQ(Blend(), 0.0f);
    RecordingGame::FrameAt(0.32);
    // The fade-in's end: the manager lets go of the fader.
    EXPECT_EQ(fFader->GetListener(), nullptr);
    EXPECT_FALSE(fScreens->IsBusy());
    EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(MGScreenManagerTest, ASwitchLeavesFadesEntersAndFadesBackIn) {
    StartWithIntro();
    fNow = 1.0;
    RecordingGame::FrameAt(fNow);
    EXPECT_TRUE(fScreens->PushFade(&fScene));
    EXPECT_THAT(Take(), ElementsAre("intro:begin"));
    EXPECT_TRUE(fScreens->IsBusy());
    EXPECT_EQ(fScreens->GetLeavingScreen(), &fIntro);
    EXPECT_EQ(fScreens->GetTopScreen(), &fScene);
    EXPECT_FLOAT_EQ(Blend(), 0.0f);

    FinishFade();
    EXPECT_THAT(Take(), ElementsAre("intro:end", "scene:enter"));
    EXPECT_FLOAT_EQ(Blend(), 1.0f);
    EXPECT_TRUE(fScreens->IsBusy());
    EXPECT_EQ(fScreens->GetLeavingScreen(), nullptr);

    FinishFade();
    EXPECT_FLOAT_EQ(Blend(), 0.0f);
    EXPECT_FALSE(fScreens->IsBusy());
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
}

// From the fade-out's start to the end of the fade-in after it, pushes and
// pops are refused and change nothing.
TEST_F(MGScreenManagerTest, PushAndPopAreRefusedWhileASwitchRuns) {
    StartWithIntro();
    ASSERT_TRUE(fScreens->PushFade(&fScene));
    Take();
    for (int phase = 0; phase < 2; ++phase) {
        SCOPED_TRACE(phase == 0 ? "fading out" : "fading in");
        EXPECT_FALSE(fScreens->PushFade(&fMenu));
        MGIScreen* popped = nullptr;
        EXPECT_FALSE(fScreens->PopFade(&popped));
        EXPECT_EQ(popped, nullptr);
        EXPECT_EQ(fScreens->GetScreenCount(), 2);
        EXPECT_EQ(fScreens->GetTopScreen(), &fScene);
        FinishFade();
        Take();
    }
    EXPECT_TRUE(fScreens->PushFade(&fMenu));
}

TEST_F(MGScreenManagerTest, ASecondPushDuringTheFirstFadeInIsTaken) {
    ASSERT_TRUE(fScreens->PushFade(&fIntro));
    RecordingGame::FrameAt(0.1);
    EXPECT_TRUE(fScreens->PushFade(&fScene));
    EXPECT_THAT(Take(), ElementsAre("intro:enter", "intro:begin"));
    EXPECT_TRUE(fScreens->IsBusy());
    fNow = 0.1;
    FinishFade();
    EXPECT_THAT(Take(), ElementsAre("intro:end", "scene:enter"));
}

// After a fade-out that no fade-in followed the picture is black: a switch
// runs whole inside the call and only the fade-in is left.
TEST_F(MGScreenManagerTest, WhenTheFaderIsBlackTheSwitchHappensInsideTheCall) {
    StartWithIntro();
    ASSERT_TRUE(fFader->FadeOut());
    FinishFade();
    ASSERT_FALSE(fFader->IsClear());
    EXPECT_FALSE(fScreens->IsBusy());

    EXPECT_TRUE(fScreens->PushFade(&fScene));
    EXPECT_THAT(Take(), ElementsAre("intro:begin", "intro:end", "scene:enter"));
    EXPECT_TRUE(fScreens->IsBusy());
    EXPECT_TRUE(fFader->IsClear());
    FinishFade();
    EXPECT_FALSE(fScreens->IsBusy());

    // The same for a pop.
    ASSERT_TRUE(fFader->FadeOut());
    FinishFade();
    MGIScreen* popped = nullptr;
    EXPECT_TRUE(fScreens->PopFade(&popped));
    EXPECT_EQ(popped, &fScene);
    EXPECT_THAT(Take(), ElementsAre("scene:begin", "scene:end", "intro:enter"));
}

TEST_F(MGScreenManagerTest, PopFadeReturnsToTheScreenBelowAndHandsOutTheTop) {
    StartWithIntro();
    ASSERT_TRUE(fScreens->PushFade(&fScene));
    FinishFade();
    FinishFade();
    Take();

    MGIScreen* popped = nullptr;
    EXPECT_TRUE(fScreens->PopFade(&popped));
    EXPECT_EQ(popped, &fScene);
    EXPECT_EQ(fScreens->GetTopScreen(), &fIntro);
    EXPECT_THAT(Take(), ElementsAre("scene:begin"));
    FinishFade();
    EXPECT_THAT(Take(), ElementsAre("scene:end", "intro:enter"));
    FinishFade();
    EXPECT_FALSE(fScreens->IsBusy());
}

// With nothing below, the top still comes off and is handed out, uncalled.
TEST_F(MGScreenManagerTest, PopFadeWithASingleScreenFailsAndLeavesTheStackEmpty) {
    StartWithIntro();
    LogCapture log;
    MGIScreen* popped = nullptr;
    EXPECT_FALSE(fScreens->PopFade(&popped));
    EXPECT_EQ(popped, &fIntro);
    EXPECT_EQ(fScreens->GetScreenCount(), 0);
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_FALSE(fScreens->IsBusy());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGScreenManager::kPopFadeLast));

    popped = nullptr;
    EXPECT_FALSE(fScreens->PopFade(&popped));
    EXPECT_EQ(popped, nullptr);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGScreenManager::kPopFadeEmpty));
}

TEST_F(MGScreenManagerTest, RefusesNullScreensAndAnOutThatHoldsAScreen) {
    LogCapture log;
    EXPECT_FALSE(fScreens->PushScreen(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGScreenManager::kPushScreenNull));
    EXPECT_FALSE(fScreens->PushFade(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGScreenManager::kPushFadeNull));
    ASSERT_TRUE(fScreens->PushScreen(&fIntro));
    ASSERT_TRUE(fScreens->PushScreen(&fScene));
    EXPECT_FALSE(fScreens->PopFade(nullptr));
    MGIScreen* held = &fMenu;
    EXPECT_FALSE(fScreens->PopFade(&held));
    EXPECT_EQ(log.Count(MGScreenManager::kPopFadeInvalid), 2);
    EXPECT_EQ(fScreens->GetScreenCount(), 2);
    EXPECT_THAT(Take(), IsEmpty());
}

TEST_F(MGScreenManagerTest, TheStackChangesWithoutFadesOrCalls) {
    EXPECT_EQ(fScreens->GetTopScreen(), nullptr);
    MGIScreen* popped = nullptr;
    EXPECT_FALSE(fScreens->PopScreen(&popped));
    for (MGIScreen* screen : {static_cast<MGIScreen*>(&fIntro), static_cast<MGIScreen*>(&fScene),
                              static_cast<MGIScreen*>(&fMenu)}) {
        EXPECT_TRUE(fScreens->PushScreen(screen));
    }
    EXPECT_EQ(fScreens->FindScreen(&fIntro), 0);
    EXPECT_EQ(fScreens->FindScreen(&fMenu), 2);
    EXPECT_TRUE(fScreens->RemoveScreen(&fScene));
    EXPECT_FALSE(fScreens->RemoveScreen(&fScene));
    EXPECT_EQ(fScreens->FindScreen(&fScene), -1);
    EXPECT_TRUE(fScreens->PopScreen(&popped));
    EXPECT_EQ(popped, &fMenu);
    EXPECT_EQ(fScreens->GetTopScreen(), &fIntro);
    fScreens->Clear();
    EXPECT_EQ(fScreens->GetScreenCount(), 0);
    EXPECT_THAT(Take(), IsEmpty());
    EXPECT_FALSE(fScreens->IsBusy());
}
