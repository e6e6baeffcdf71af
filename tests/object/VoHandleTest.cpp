#include "object/VoHandle.h"

#include <gtest/gtest.h>

#include "support/LogCapture.h"
#include "support/ProbeObjects.h"

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

TEST(VoHandle, TheLockCountNeverGoesBelowZero) {
    VoHandle record;
    ASSERT_TRUE(record.Activate(u"id", 0xAA000001));
    EXPECT_TRUE(record.Unlock());
    EXPECT_EQ(record.GetLockCount(), 0);
    EXPECT_TRUE(record.Lock());
    EXPECT_TRUE(record.Lock());
    EXPECT_TRUE(record.IsLocked());
    EXPECT_TRUE(record.Unlock());
    EXPECT_TRUE(record.Unlock());
    EXPECT_FALSE(record.IsLocked());
}

TEST(VoHandle, DeletesTheObjectItHoldsButNotOneHandedBack) {
    bool keptDeleted = false;
    bool handedBackDeleted = false;
    ProbeObject* handedBack = new ProbeObject(&handedBackDeleted);
    {
        VoHandle record;
        record.SetObject(handedBack);
        EXPECT_EQ(record.SetObject(new ProbeObject(&keptDeleted)), handedBack);
    }
    EXPECT_TRUE(keptDeleted);
    EXPECT_FALSE(handedBackDeleted);
    delete handedBack;
}

TEST(VoHandle, SplitsIntoIndexAndSerial) {
    EXPECT_EQ(VoHandle::Make(0xAA, 1), 0xAA000001u);
    EXPECT_EQ(VoHandle::IndexOf(0xBB123456), 0xBBu);
    EXPECT_EQ(VoHandle::SerialOf(0xBB123456), 0x123456u);
}
