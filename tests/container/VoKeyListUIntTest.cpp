#include "container/VoKeyListUInt.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/LogCapture.h"

namespace {

int gValues[8];

// The keys from head to tail, checked against the links both ways.
std::vector<std::uint32_t> KeysOf(const VoKeyListUInt& aList) {
    std::vector<std::uint32_t> keys;
    const VoKeyListUIntElement* previous = nullptr;
    for (const VoKeyListUIntElement* element = aList.GetHead(); element != nullptr;
         element = element->GetNext()) {
        EXPECT_EQ(element->GetPrev(), previous);
        keys.push_back(element->GetKey());
        previous = element;
    }
    EXPECT_EQ(aList.GetTail(), previous);
    EXPECT_EQ(static_cast<int>(keys.size()), aList.GetCount());
    return keys;
}

}  // namespace

TEST(VoKeyListUInt, InsertsAtHeadTailAndMiddle) {
    VoKeyListUInt list;
    EXPECT_TRUE(list.Add(2, &gValues[2]));
    EXPECT_TRUE(list.AddFirst(1, &gValues[1]));
    EXPECT_TRUE(list.AddLast(4, &gValues[4]));
    EXPECT_TRUE(list.AddAt(2, 3, &gValues[3]));
    EXPECT_FALSE(list.AddAt(5, 9, nullptr));
    EXPECT_FALSE(list.AddAt(-1, 9, nullptr));
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{1, 2, 3, 4}));
}

TEST(VoKeyListUInt, RemovingTheHeadLeavesTheSecondAsHead) {
    VoKeyListUInt list;
    list.Add(1, &gValues[1]);
    list.Add(2, &gValues[2]);
    list.Add(3, &gValues[3]);
    std::uint32_t key = 0;
    void* value = nullptr;
    EXPECT_TRUE(list.RemoveFirst(&key, &value));
    EXPECT_EQ(key, 1u);
    EXPECT_EQ(value, &gValues[1]);
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{2, 3}));
    list.AddFirst(0, &gValues[0]);
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{0, 2, 3}));
    EXPECT_TRUE(list.RemoveLast(&key));
    EXPECT_EQ(key, 3u);
    EXPECT_TRUE(list.RemoveAt(1));
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{0}));
}

TEST(VoKeyListUInt, RemovingTheOnlyElementEmptiesTheList) {
    VoKeyListUInt list;
    list.Add(5, &gValues[5]);
    EXPECT_TRUE(list.RemoveKey(5));
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_EQ(list.GetTail(), nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    list.Add(6, &gValues[6]);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{6}));
}

TEST(VoKeyListUInt, AcceptsDuplicateKeysAndRemovesThemAll) {
    VoKeyListUInt list;
    list.Add(7, &gValues[0]);
    list.Add(8, &gValues[1]);
    list.Add(7, &gValues[2]);
    EXPECT_EQ(list.IndexOfKey(7), 0);
    void* value = nullptr;
    EXPECT_TRUE(list.Get(7, &value));
    EXPECT_EQ(value, &gValues[0]);
    EXPECT_TRUE(list.RemoveAllWithKey(7));
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{8}));
    EXPECT_TRUE(list.RemoveAllWithKey(7));
    EXPECT_TRUE(list.RemoveAllWithValue(&gValues[1]));
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(VoKeyListUInt, SearchesByValue) {
    VoKeyListUInt list;
    list.Add(1, &gValues[1]);
    list.Add(2, &gValues[2]);
    EXPECT_EQ(list.IndexOfValue(&gValues[2]), 1);
    EXPECT_TRUE(list.ContainsValue(&gValues[1]));
    EXPECT_FALSE(list.ContainsKey(3));
    EXPECT_TRUE(list.RemoveValue(&gValues[1]));
    EXPECT_FALSE(list.RemoveValue(&gValues[1]));
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{2}));
}

TEST(VoKeyListUInt, RequiredOutParametersMustHoldNull) {
    VoKeyListUInt list;
    list.Add(1, &gValues[1]);
    LogCapture log;
    void* value = &gValues[0];
    EXPECT_FALSE(list.Get(1, &value));
    EXPECT_FALSE(list.GetAt(0, &value));
    EXPECT_FALSE(list.Get(1, nullptr));
    EXPECT_FALSE(list.GetKeyAt(0, nullptr));
    void** values = reinterpret_cast<void**>(&value);
    EXPECT_FALSE(list.GetValues(&values));
    EXPECT_EQ(log.Count("ERROR: "), 5);
    EXPECT_EQ(log.Count(VoOutSlot::kInvalidArgument), 5);
    EXPECT_EQ(value, &gValues[0]);
}

TEST(VoKeyListUInt, MissesAndBadIndexesFailQuietly) {
    VoKeyListUInt list;
    LogCapture log;
    void* value = nullptr;
    EXPECT_FALSE(list.Get(1, &value));
    EXPECT_FALSE(list.GetFirst(nullptr, &value));
    EXPECT_EQ(value, nullptr);
    list.Add(1, &gValues[1]);
    EXPECT_FALSE(list.GetAt(1, &value));
    EXPECT_EQ(value, nullptr);
    std::uint32_t key = 99;
    EXPECT_FALSE(list.GetKeyAt(1, &key));
    EXPECT_EQ(key, 0u);
    value = &gValues[0];
    key = 99;
    EXPECT_FALSE(list.RemoveAt(1, &key, &value));
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(value, nullptr);
    EXPECT_FALSE(list.RemoveKey(2));
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoKeyListUInt, GetFirstAndLastHandOutTheKeyBeforeCheckingTheValueSlot) {
    VoKeyListUInt list;
    list.Add(1, &gValues[1]);
    list.Add(2, &gValues[2]);
    std::uint32_t key = 0;
    void* value = nullptr;
    EXPECT_TRUE(list.GetLast(&key, &value));
    EXPECT_EQ(key, 2u);
    EXPECT_EQ(value, &gValues[2]);
    LogCapture log;
    EXPECT_FALSE(list.GetFirst(&key, &value));
    EXPECT_EQ(key, 1u);
    EXPECT_EQ(value, &gValues[2]);
    EXPECT_TRUE(log.Contains(VoOutSlot::kInvalidArgument));
    EXPECT_TRUE(list.GetFirst());
}

TEST(VoKeyListUInt, ARemovalWithABadValueSlotStillRemovesTheElement) {
    VoKeyListUInt list;
    list.Add(1, &gValues[1]);
    list.Add(2, &gValues[2]);
    LogCapture log;
    std::uint32_t key = 0;
    void* value = &gValues[0];
    EXPECT_TRUE(list.RemoveFirst(&key, &value));
    EXPECT_TRUE(log.Contains(VoOutSlot::kInvalidArgument));
    EXPECT_NE(log.Lines()[0].find("container/VoKeyListUIntElement.cpp, "), std::string::npos);
    EXPECT_EQ(value, &gValues[0]);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(KeysOf(list), (std::vector<std::uint32_t>{2}));
}

TEST(VoKeyListUInt, GetValuesAndKeysListInOrder) {
    VoKeyListUInt list;
    void** values = nullptr;
    ASSERT_TRUE(list.GetValues(&values));  // an empty list gives an empty array
    delete[] values;
    list.Add(3, &gValues[3]);
    list.AddFirst(1, &gValues[1]);
    values = nullptr;
    ASSERT_TRUE(list.GetValues(&values));
    EXPECT_EQ(values[0], &gValues[1]);
    EXPECT_EQ(values[1], &gValues[3]);
    delete[] values;
    std::uint32_t* keys = nullptr;
    ASSERT_TRUE(list.GetKeys(&keys));
    EXPECT_EQ(keys[0], 1u);
    EXPECT_EQ(keys[1], 3u);
    delete[] keys;
}

TEST(VoKeyListUInt, ElementsLinkAndUnlinkThemselves) {
    VoKeyListUIntElement* middle = new VoKeyListUIntElement(2, &gValues[2]);
    VoKeyListUIntElement* before = new VoKeyListUIntElement(1, &gValues[1]);
    VoKeyListUIntElement* after = new VoKeyListUIntElement(3, &gValues[3]);
    middle->InsertBefore(before);
    middle->InsertAfter(after);
    EXPECT_EQ(before->GetNext(), middle);
    EXPECT_EQ(after->GetPrev(), middle);
    std::uint32_t key = 0;
    void* value = nullptr;
    EXPECT_TRUE(middle->Remove(&key, &value));
    EXPECT_EQ(key, 2u);
    EXPECT_EQ(value, &gValues[2]);
    EXPECT_EQ(before->GetNext(), after);
    EXPECT_EQ(after->GetPrev(), before);
    EXPECT_TRUE(before->Remove(nullptr, nullptr));
    value = &gValues[0];
    EXPECT_FALSE(after->Remove(nullptr, &value));  // refused, but deleted all the same
    const VoKeyListUIntElement blank;
    EXPECT_EQ(blank.GetKey(), 0u);
    EXPECT_EQ(blank.GetValue(), nullptr);
}
