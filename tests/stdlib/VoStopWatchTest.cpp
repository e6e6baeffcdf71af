#include "stdlib/VoStopWatch.h"

#include <gtest/gtest.h>

#include "support/SetTimer.h"

namespace {

class VoStopWatchTest : public ::testing::Test {
protected:
    SetTimer fTimer{100.0};
};

}  // namespace

TEST_F(VoStopWatchTest, RunsFromZeroAtConstruction) {
    VoStopWatch watch(&fTimer);
    EXPECT_FALSE(watch.IsPaused());
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 0.0f);
    fTimer.fNow += 1.5;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 1.5f);
}

TEST_F(VoStopWatchTest, TimeSpentPausedDoesNotCount) {
    VoStopWatch watch(&fTimer);
    fTimer.fNow += 2.0;
    watch.Pause();
    fTimer.fNow += 10.0;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 2.0f);
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 2.0f);
    watch.Resume();
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 2.0f);
    fTimer.fNow += 0.5;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 2.5f);
    // Resume on a running watch changes nothing.
    watch.Resume();
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 2.5f);
}

TEST_F(VoStopWatchTest, PausingTwiceCountsTheTimePausedBetween) {
    VoStopWatch watch(&fTimer);
    fTimer.fNow += 1.0;
    watch.Pause();
    fTimer.fNow += 3.0;
    watch.Pause();
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 4.0f);
}

TEST_F(VoStopWatchTest, ResetKeepsThePausedFlag) {
    VoStopWatch watch(&fTimer);
    fTimer.fNow += 5.0;
    watch.Pause();
    watch.Reset();
    EXPECT_TRUE(watch.IsPaused());
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 0.0f);
    watch.Resume();
    fTimer.fNow += 0.25;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 0.25f);

    watch.Reset();
    EXPECT_FALSE(watch.IsPaused());
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 0.0f);
    fTimer.fNow += 0.75;
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 0.75f);
}

TEST_F(VoStopWatchTest, SetElapsedOnARunningAndAPausedWatch) {
    VoStopWatch running(&fTimer);
    running.SetElapsed(2.5f);
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(running.GetElapsed(), 3.5f);

    VoStopWatch paused(&fTimer);
    paused.Pause();
    paused.SetElapsed(2.5f);
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(paused.GetElapsed(), 2.5f);
    paused.Resume();
    fTimer.fNow += 1.0;
    EXPECT_FLOAT_EQ(paused.GetElapsed(), 3.5f);
}

TEST(VoStopWatch, WithoutATimerItStandsStill) {
    VoStopWatch watch(nullptr);
    watch.SetElapsed(1.0f);
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 1.0f);
    watch.Pause();
    watch.Resume();
    EXPECT_FLOAT_EQ(watch.GetElapsed(), 1.0f);
}
