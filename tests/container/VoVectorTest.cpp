#include "container/VoVector.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

namespace {
int gA, gB, gC;
}  // namespace

TEST(VoVector, FindComparesIdentityAndRemoveTakesOnlyTheFirstOccurrence) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    vector.Add(&gB);
    vector.Add(&gA);
    EXPECT_EQ(vector.Find(&gA), 0);
    EXPECT_EQ(vector.Find(&gC), -1);
    EXPECT_TRUE(vector.Remove(&gA));
    EXPECT_EQ(vector.GetCount(), 2);
    EXPECT_EQ(vector.GetAt(0), &gB);
    EXPECT_EQ(vector.GetAt(1), &gA);
    EXPECT_EQ(vector.GetAt(2), nullptr);
}

TEST(VoVector, RemoveOfAnAbsentElementFailsSilently) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    LogCapture log;
    EXPECT_FALSE(vector.Remove(&gB));
    EXPECT_EQ(vector.GetAt(-1), nullptr);
    EXPECT_EQ(vector.GetAt(5), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoVector, RemoveAllKeepsTheOrderOfTheRest) {
    VoVector vector(4, 2);
    for (void* item : {static_cast<void*>(&gA), static_cast<void*>(&gB), static_cast<void*>(&gA),
                       static_cast<void*>(&gC), static_cast<void*>(&gA)}) {
        vector.Add(item);
    }
    EXPECT_TRUE(vector.RemoveAll(&gA));
    ASSERT_EQ(vector.GetCount(), 2);
    EXPECT_EQ(vector.GetAt(0), &gB);
    EXPECT_EQ(vector.GetAt(1), &gC);
    EXPECT_EQ(vector.GetCapacity(), 6);
}

TEST(VoVector, RemoveAtHandsTheElementOut) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    vector.Add(&gB);
    void* removed = nullptr;
    EXPECT_TRUE(vector.RemoveAt(0, &removed));
    EXPECT_EQ(removed, &gA);
    EXPECT_EQ(vector.GetAt(0), &gB);
    EXPECT_EQ(vector.GetCount(), 1);
}

TEST(VoVector, GetAtIntoAnOutSlotNeedsAnEmptySlotAndAnIndexInRange) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    LogCapture log;
    void* item = &gC;
    EXPECT_FALSE(vector.GetAt(0, &item));
    EXPECT_TRUE(log.Contains("ERROR: "));
    EXPECT_TRUE(log.Contains(VoVectorText::kInvalidArgument));
    EXPECT_FALSE(vector.GetAt(0, nullptr));
    item = nullptr;
    EXPECT_FALSE(vector.GetAt(1, &item));
    EXPECT_TRUE(log.Contains(std::string(VoVectorText::kIndexOutOfRange) + "1"));
    EXPECT_TRUE(vector.GetAt(0, &item));
    EXPECT_EQ(item, &gA);
}

TEST(VoVector, SetAtHandsBackTheReplacedElement) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    void* replaced = nullptr;
    EXPECT_TRUE(vector.SetAt(0, &gB, &replaced));
    EXPECT_EQ(replaced, &gA);
    EXPECT_TRUE(vector.SetAt(3, &gC, &replaced));
    EXPECT_EQ(replaced, nullptr);
    EXPECT_EQ(vector.GetCount(), 4);
}

TEST(VoVector, SetArrayOnlyFillsAnEmptyVector) {
    void* items[] = {&gA, &gB, &gC};
    VoVector vector(10, 2);
    EXPECT_TRUE(vector.SetArray(items, 3));
    EXPECT_EQ(vector.GetCapacity(), 3);
    EXPECT_EQ(vector.GetCount(), 3);
    EXPECT_EQ(vector.GetAt(2), &gC);

    LogCapture log;
    EXPECT_FALSE(vector.SetArray(items, 1));
    EXPECT_TRUE(log.Contains(VoVectorText::kCannotReplace));
    VoVector empty(10, 2);
    EXPECT_FALSE(empty.SetArray(items, -1));
    EXPECT_TRUE(log.Contains(std::string(VoVectorText::kInvalidSize) + "-1"));
    EXPECT_FALSE(empty.SetArray(nullptr, 2));
    EXPECT_TRUE(empty.SetArray(nullptr, 0));
    EXPECT_EQ(empty.GetCapacity(), 0);
}

TEST(VoVector, ToArrayCopiesAndRefusesABadOutSlot) {
    VoVector vector(4, 2);
    vector.Add(&gA);
    vector.Add(&gB);
    LogCapture log;
    void** array = nullptr;
    EXPECT_FALSE(vector.ToArray(nullptr));
    void* held[1] = {};
    void** notEmpty = held;
    EXPECT_FALSE(vector.ToArray(&notEmpty));
    EXPECT_EQ(log.Count(VoVectorText::kInvalidArgument), 2);

    ASSERT_TRUE(vector.ToArray(&array));
    EXPECT_EQ(array[0], &gA);
    EXPECT_EQ(array[1], &gB);
    delete[] array;

    array = nullptr;
    vector.Clear();
    EXPECT_FALSE(vector.ToArray(&array));
    EXPECT_EQ(array, nullptr);
}

TEST(VoVector, MessagesNameTheVectorsOwnSource) {
    VoVector vector(4, 2);
    LogCapture log;
    vector.AddAt(-1, &gA);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_NE(log.Lines()[0].find("container/VoVector.cpp, "), std::string::npos) << log.Lines()[0];
}
