#include "platform/VoITimer.h"

#include <gtest/gtest.h>

#include "PlatformTestFolder.h"
#include "platform/VoTimerWin.h"
#include "stdlib/VoCleaner.h"

TEST(VoITimer, GetInstanceKeepsOneRunningTimer) {
    VoITimer* timer = VoITimer::GetInstance();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(VoITimer::GetInstance(), timer);
    EXPECT_EQ(PlatformTestFolder::Narrow(timer->ToString()).rfind("[VoTimerWin <", 0), 0u);
    EXPECT_GE(timer->GetTime(), 0.0);
}

TEST(VoITimer, OtherTimersLeaveTheAccessorAlone) {
    LogCapture log;
    VoITimer* timer = VoITimer::GetInstance();
    ASSERT_NE(timer, nullptr);
    { VoTimerWin other; }
    EXPECT_EQ(VoITimer::GetInstance(), timer);
}

TEST(VoITimer, NoTimerOnceTheCleanerDeletedIt) {
    LogCapture log;
    ASSERT_NE(VoITimer::GetInstance(), nullptr);
    delete VoCleaner::GetInstance();
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    EXPECT_EQ(log.Count("~VoITimer()"), 1);
    // Only a new engine cleaner, which a run never makes, brings a timer back.
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    EXPECT_NE(VoITimer::GetInstance(), nullptr);
}
