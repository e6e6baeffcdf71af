#include "object/VoHandle.h"

#include <gtest/gtest.h>

#include "support/LogCapture.h"

TEST(VoHandle, ActivatesOnceAndKeepsItsFirstIdAndHandle) {
    VoHandle record;
    EXPECT_TRUE(record.IsNull());
    EXPECT_TRUE(record.Activate(u"first", 0xAA000001));
    LogCapture log;
    EXPECT_FALSE(record.Activate(u"second", 0xAA000002));
    EXPECT_EQ(log.Count(std::string("ASSERT FAILURE: engine/object/VoHandle.cpp, ")), 1);
    EXPECT_TRUE(log.Contains(VoHandle::kAlreadyActive));
    EXPECT_EQ(record.GetHandle(), 0xAA000001u);
    EXPECT_TRUE(record.GetId().Equals(u"first"));
}

TEST(VoHandle, AnInactiveRecordRefusesLocks) {
    VoHandle record;
    LogCapture log;
    EXPECT_FALSE(record.Lock());
    EXPECT_FALSE(record.Unlock());
    EXPECT_EQ(log.Count("WARNING: engine/object/VoHandle.cpp, "), 2);
    EXPECT_TRUE(log.Contains(VoHandle::kLockNull));
    EXPECT_TRUE(log.Contains(VoHandle::kUnlockNull));
    EXPECT_EQ(record.GetLockCount(), 0);
}
