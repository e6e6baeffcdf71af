#include "container/VoKeyListString.h"

#include <gtest/gtest.h>

#include "support/LogCapture.h"

namespace {
int gValues[4];
}  // namespace

TEST(VoKeyListString, KeepsItsOwnCopyOfEachKey) {
    VoKeyListString list;
    VoString key(u"door");
    list.Add(key, &gValues[0]);
    key.Append(u"way");
    EXPECT_TRUE(list.ContainsKey(VoString(u"door")));
    VoString stored;
    list.GetHead()->GetKey(stored);
    EXPECT_EQ(TextOf(stored), u"door");
}

TEST(VoKeyListString, ComparesKeysExactlyUntilIgnoreCaseIsSet) {
    VoKeyListString list;
    list.Add(VoString(u"Key"), &gValues[0]);
    EXPECT_EQ(list.IndexOfKey(VoString(u"key")), -1);
    list.SetIgnoreCase(true);
    EXPECT_EQ(list.IndexOfKey(VoString(u"KEY")), 0);
    void* value = nullptr;
    EXPECT_TRUE(list.Get(VoString(u"kEy"), &value));
    EXPECT_EQ(value, &gValues[0]);
}

TEST(VoKeyListString, RemoveValueHandsOutTheKey) {
    VoKeyListString list;
    list.Add(VoString(u"a"), &gValues[0]);
    list.Add(VoString(u"b"), &gValues[1]);
    VoString key;
    EXPECT_TRUE(list.RemoveValue(&gValues[1], &key));
    EXPECT_EQ(TextOf(key), u"b");
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetHead(), list.GetTail());
}

TEST(VoKeyListString, RemoveAtOutOfRangeLeavesTheOutParametersAlone) {
    VoKeyListString list;
    list.Add(VoString(u"a"), &gValues[0]);
    VoString key(u"kept");
    void* value = &gValues[2];
    EXPECT_FALSE(list.RemoveAt(1, &key, &value));
    EXPECT_EQ(TextOf(key), u"kept");
    EXPECT_EQ(value, &gValues[2]);
    EXPECT_FALSE(list.GetKeyAt(3, &key));
    EXPECT_EQ(key.GetLength(), 0);
}

TEST(VoKeyListString, HeadAndTailRemovalsKeepTheLinks) {
    VoKeyListString list;
    for (const char16_t* key : {u"a", u"b", u"c"}) {
        list.Add(VoString(key), nullptr);
    }
    VoString key;
    EXPECT_TRUE(list.RemoveLast(&key));
    EXPECT_EQ(TextOf(key), u"c");
    EXPECT_EQ(list.GetTail()->GetNext(), nullptr);
    EXPECT_TRUE(list.RemoveFirst(&key));
    EXPECT_EQ(TextOf(key), u"a");
    EXPECT_EQ(list.GetHead()->GetPrev(), nullptr);
    EXPECT_EQ(list.GetHead(), list.GetTail());
    list.AddFirst(VoString(u"z"), nullptr);
    EXPECT_TRUE(list.GetFirst(&key));
    EXPECT_EQ(TextOf(key), u"z");
    EXPECT_TRUE(list.GetLast(&key));
    EXPECT_EQ(TextOf(key), u"b");
}

TEST(VoKeyListString, GetKeysHandsOutCopiesInOrder) {
    VoKeyListString list;
    list.Add(VoString(u"x"), nullptr);
    list.Add(VoString(u"y"), nullptr);
    VoString* keys = nullptr;
    ASSERT_TRUE(list.GetKeys(&keys));
    EXPECT_EQ(TextOf(keys[0]), u"x");
    EXPECT_EQ(TextOf(keys[1]), u"y");
    delete[] keys;
    LogCapture log;
    EXPECT_FALSE(list.GetKeys(nullptr));
    EXPECT_TRUE(log.Contains(VoOutSlot::kInvalidArgument));
}

TEST(VoKeyListString, ARemovalWithABadValueSlotStillRemovesTheElement) {
    VoKeyListString list;
    list.Add(VoString(u"only"), &gValues[0]);
    LogCapture log;
    void* value = &gValues[1];
    EXPECT_TRUE(list.RemoveKey(VoString(u"only"), &value));
    EXPECT_EQ(value, &gValues[1]);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.GetHead(), nullptr);
    EXPECT_TRUE(log.Contains(VoOutSlot::kInvalidArgument));
}
