#include "container/VoVectorFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/LogCapture.h"

TEST(VoVectorFloat, FindUsesFloatEquality) {
    VoVectorFloat vector(4, 2);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    vector.Add(nan);
    vector.Add(0.0f);
    EXPECT_EQ(vector.Find(nan), -1);
    EXPECT_FALSE(vector.Contains(nan));
    EXPECT_EQ(vector.Find(-0.0f), 1);
    EXPECT_FALSE(vector.Remove(nan));
    EXPECT_TRUE(vector.RemoveAll(-0.0f));
    EXPECT_EQ(vector.GetCount(), 1);
    EXPECT_TRUE(std::isnan(vector.GetAt(0)));
}

TEST(VoVectorFloat, AddArrayAppendsAndGrowsJustEnough) {
    const float items[] = {1.5f, 2.5f, 3.5f};
    VoVectorFloat vector(3, 10);
    vector.Add(0.5f);
    EXPECT_TRUE(vector.AddArray(items, 3));
    EXPECT_EQ(vector.GetCapacity(), 4);
    EXPECT_EQ(vector.GetCount(), 4);
    EXPECT_EQ(vector.GetAt(3), 3.5f);
    EXPECT_TRUE(vector.AddArray(items, 0));
    LogCapture log;
    EXPECT_FALSE(vector.AddArray(nullptr, 2));
    EXPECT_TRUE(log.Contains(VoVectorText::kNullArray));
}

TEST(VoVectorFloat, GetAtOutOfRangeLogsAndGivesZero) {
    VoVectorFloat vector(4, 2);
    LogCapture log;
    EXPECT_EQ(vector.GetAt(0), 0.0f);
    EXPECT_TRUE(log.Contains(VoVectorText::kIndexOutOfBounds));
    vector.Add(2.0f);
    float value = 7.0f;  // the float vector needs only a non-null out-slot
    EXPECT_TRUE(vector.GetAt(0, &value));
    EXPECT_EQ(value, 2.0f);
    EXPECT_FALSE(vector.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains(VoVectorText::kInvalidArgument));
}
