#include "container/VoVectorUInt.h"

#include <gtest/gtest.h>

#include "support/LogCapture.h"

TEST(VoVectorUInt, HoldsTheFullUnsignedRange) {
    VoVectorUInt vector(4, 2);
    vector.Add(0xFFFFFFFFu);
    vector.Add(0x80000000u);
    EXPECT_EQ(vector.Find(0x80000000u), 1);
    EXPECT_EQ(vector.GetAt(0), 0xFFFFFFFFu);
    VoVectorUInt copy(vector);
    EXPECT_EQ(copy.GetAt(1), 0x80000000u);
}

TEST(VoVectorUInt, GetAtOutOfRangeLogsAndGivesZero) {
    VoVectorUInt vector(4, 2);
    LogCapture log;
    EXPECT_EQ(vector.GetAt(-1), 0u);
    EXPECT_TRUE(log.Contains(VoVectorText::kIndexOutOfBounds));
}
