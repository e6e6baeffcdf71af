#include "system/VoTimerWin.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/PlatformTestFolder.h"
#include "system/VoITimeSource.h"

namespace {

class ScriptedClock : public VoITimeSource {
public:
    bool BeginPeriod() override {
        ++fBegun;
        return fBeginResult;
    }
    std::uint32_t GetMilliseconds() override { return fNow; }
    bool EndPeriod() override {
        ++fEnded;
        return fEndResult;
    }

    std::uint32_t fNow = 0;
    bool fBeginResult = true;
    bool fEndResult = true;
    int fBegun = 0;
    int fEnded = 0;
};

}  // namespace

TEST(VoTimerWin, ElapsedTimeSurvivesClockWrap) {
    LogCapture log;
    ScriptedClock clock;
    clock.fNow = 0xFFFFFF00u;
    VoTimerWin timer(&clock);
    ASSERT_TRUE(timer.Initialize(0));
    clock.fNow = 0x00000100u;
    EXPECT_DOUBLE_EQ(timer.GetTime(), 0.512);
}

TEST(VoTimerWin, CountsSecondsInMillisecondSteps) {
    LogCapture log;
    ScriptedClock clock;
    clock.fNow = 1000;
    VoTimerWin timer(&clock);
    ASSERT_TRUE(timer.Initialize(0));
    EXPECT_DOUBLE_EQ(timer.GetTime(), 0.0);
    clock.fNow = 1001;
    EXPECT_DOUBLE_EQ(timer.GetTime(), 0.001);
    clock.fNow = 2500;
    EXPECT_DOUBLE_EQ(timer.GetTime(), 1.5);
}

TEST(VoTimerWin, ResetStartsAgainFromZero) {
    LogCapture log;
    ScriptedClock clock;
    VoTimerWin timer(&clock);
    ASSERT_TRUE(timer.Initialize(0));
    clock.fNow = 7000;
    EXPECT_TRUE(timer.Reset());
    EXPECT_DOUBLE_EQ(timer.GetTime(), 0.0);
    clock.fNow = 7250;
    EXPECT_DOUBLE_EQ(timer.GetTime(), 0.25);
}

TEST(VoTimerWin, WithoutPeriodInitializeAndResetFail) {
    PlatformTestFolder folder;
    ScriptedClock clock;
    clock.fBeginResult = false;
    {
        VoTimerWin timer(&clock);
        EXPECT_FALSE(timer.Initialize(0));
        EXPECT_TRUE(folder.LoggedError(VoTimerWin::kInitFailure));
        clock.fNow = 5;
        EXPECT_FALSE(timer.Reset());
        // Start is still the all-ones value of construction: 5 - 0xFFFFFFFF wraps to 6.
        EXPECT_DOUBLE_EQ(timer.GetTime(), 0.006);
    }
    EXPECT_EQ(clock.fEnded, 0);
}

TEST(VoTimerWin, SecondInitializeKeepsTheOnePeriod) {
    LogCapture log;
    ScriptedClock clock;
    {
        VoTimerWin timer(&clock);
        ASSERT_TRUE(timer.Initialize(0));
        clock.fNow = 300;
        ASSERT_TRUE(timer.Initialize(0));
        EXPECT_DOUBLE_EQ(timer.GetTime(), 0.0);
    }
    EXPECT_EQ(clock.fBegun, 1);
    EXPECT_EQ(clock.fEnded, 1);
}

TEST(VoTimerWin, DestructorEndsPeriodAndLogs) {
    PlatformTestFolder folder;
    ScriptedClock clock;
    clock.fEndResult = false;
    {
        VoTimerWin timer(&clock);
        ASSERT_TRUE(timer.Initialize(0));
    }
    EXPECT_EQ(clock.fEnded, 1);
    EXPECT_TRUE(folder.LoggedError(VoTimerWin::kEndPeriodFailure));
    const std::vector<std::string> lines = folder.LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "~VoITimer()");
}

TEST(VoTimerWin, MonotonicClockNeverRunsBackwards) {
    LogCapture log;
    VoTimerWin timer;
    ASSERT_TRUE(timer.Initialize(0));
    const double first = timer.GetTime();
    const double second = timer.GetTime();
    EXPECT_GE(first, 0.0);
    EXPECT_GE(second, first);
}

TEST(VoTimerWin, DebugStringNamesClassAndAddress) {
    LogCapture log;
    ScriptedClock clock;
    VoTimerWin timer(&clock);
    EXPECT_EQ(Narrow(timer.ToString()), "[VoTimerWin <" + HexAddress(&timer) + ">]");
}
