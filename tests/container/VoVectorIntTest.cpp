#include "container/VoVectorInt.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

TEST(VoVectorInt, GetAtNeedsOnlyANonNullOutSlot) {
    VoVectorInt vector(4, 2);
    vector.Add(-5);
    std::int32_t value = 12;
    EXPECT_TRUE(vector.GetAt(0, &value));
    EXPECT_EQ(value, -5);
    LogCapture log;
    EXPECT_FALSE(vector.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains(VoVectorText::kInvalidArgument));
    EXPECT_EQ(vector.GetAt(3), 0);
    EXPECT_TRUE(log.Contains(VoVectorText::kIndexOutOfBounds));
}

TEST(VoVectorInt, SetAtAndRemoveAtHandOutTheOldValue) {
    VoVectorInt vector(4, 2);
    vector.Add(1);
    vector.Add(2);
    std::int32_t old = 0;
    EXPECT_TRUE(vector.SetAt(1, 20, &old));
    EXPECT_EQ(old, 2);
    EXPECT_TRUE(vector.RemoveAt(0, &old));
    EXPECT_EQ(old, 1);
    EXPECT_EQ(vector.GetAt(0), 20);
}

TEST(VoVectorInt, AssignmentReplacesTheContent) {
    VoVectorInt source(3, 1);
    source.Add(4);
    VoVectorInt target(8, 8);
    target.Add(9);
    target.Add(9);
    target = source;
    EXPECT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetCapacity(), 3);
    EXPECT_EQ(target.Find(9), -1);
    EXPECT_EQ(target.GetAt(0), 4);

    VoVectorInt cleared(3, 1);
    cleared.Clear();
    VoVectorInt copy(cleared);
    EXPECT_EQ(copy.GetCapacity(), 0);
    EXPECT_TRUE(copy.Add(1));
    EXPECT_EQ(copy.GetCapacity(), 1);
}

TEST(VoVectorInt, ToArrayHandsOutACopy) {
    VoVectorInt vector(4, 2);
    vector.Add(3);
    vector.Add(-3);
    std::int32_t* array = nullptr;
    ASSERT_TRUE(vector.ToArray(&array));
    EXPECT_EQ(array[0], 3);
    EXPECT_EQ(array[1], -3);
    delete[] array;

    VoVectorInt empty(4, 2);
    array = nullptr;
    ASSERT_TRUE(empty.ToArray(&array));  // an empty array, not a failure
    delete[] array;
}

TEST(VoVectorInt, MessagesNameTheVectorsOwnSource) {
    VoVectorInt vector(4, 2);
    LogCapture log;
    vector.SetCount(-3);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_NE(log.Lines()[0].find("container/VoVectorInt.cpp, "), std::string::npos) << log.Lines()[0];
}
