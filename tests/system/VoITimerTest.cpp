#include "system/VoITimer.h"

#include <gtest/gtest.h>

#include <string>

#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "system/VoTimerWin.h"

TEST(VoITimer, GetInstanceKeepsOneRunningTimer) {
    ScopedEngine engine;
    VoITimer* timer = VoITimer::GetInstance();
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(VoITimer::GetInstance(), timer);
    EXPECT_EQ(Narrow(timer->ToString()).rfind("[VoTimerWin <", 0), 0u);
    EXPECT_GE(timer->GetTime(), 0.0);
}

TEST(VoITimer, IsMadeThroughTheAPIObjectManagerWithoutBeingFiledThere) {
    ScopedEngine engine;
    ASSERT_NE(VoITimer::GetInstance(), nullptr);
    LogCapture log;
    EXPECT_EQ(VoAPIObjectManager::GetInstance()->GetObject(u"timer"), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kInvalidId) + "timer"));
    EXPECT_EQ(VoAPIObjectManager::GetInstance()->GetCount(), 0);
}

TEST(VoITimer, OtherTimersLeaveTheAccessorAlone) {
    ScopedEngine engine;
    LogCapture log;
    VoITimer* timer = VoITimer::GetInstance();
    ASSERT_NE(timer, nullptr);
    { VoTimerWin other; }
    EXPECT_EQ(VoITimer::GetInstance(), timer);
}

TEST(VoITimer, NoTimerOnceTheCleanerDeletedIt) {
    LogCapture log;
    ScopedEngine engine;
    ASSERT_NE(VoITimer::GetInstance(), nullptr);
    engine.ShutDown();
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    // Not even a late caller that makes a new engine cleaner brings it back.
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    EXPECT_EQ(VoCleaner::PeekInstance()->GetInstanceCount(), 0);
    EXPECT_EQ(log.Count("~VoITimer()"), 1);
    EXPECT_FALSE(log.Contains("ERROR"));
    // Only a new engine, which a run never makes, brings a timer back.
    ScopedEngine next;
    EXPECT_NE(VoITimer::GetInstance(), nullptr);
}

TEST(VoITimer, WithoutItsCreatorThereIsNoTimer) {
    VoCleaner::ResetEngineForTests();
    ASSERT_NE(VoCleaner::GetInstance(), nullptr);
    LogCapture log;
    EXPECT_EQ(VoITimer::GetInstance(), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoObjectManager::kNoCreatorIndex) + "timer"));
    EXPECT_TRUE(log.Contains(VoITimer::kCreationFailure));
    delete VoCleaner::PeekInstance();
}
