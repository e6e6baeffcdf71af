#include "container/VoHashList.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "container/VoHashKeyList.h"
#include "support/LogCapture.h"

namespace {

int gItems[8];

void* Item(int aN) { return &gItems[aN]; }

void Fill(VoHashList& aList, std::initializer_list<std::uint32_t> aHashes) {
    int n = 0;
    for (std::uint32_t hash : aHashes) {
        ASSERT_TRUE(aList.Add(hash, Item(n++), true));
    }
}

}  // namespace

TEST(VoHashList, RestoredSmallerHashIsFoundAndItemsKeepInsertionOrder) {
    VoHashList list(7, false);
    Fill(list, {10, 20, 30, 5});
    EXPECT_EQ(list.Get(10u), Item(0));
    EXPECT_EQ(list.Get(20u), Item(1));
    EXPECT_EQ(list.Get(30u), Item(2));
    EXPECT_EQ(list[5u], Item(3));
    EXPECT_EQ(list.Get(7u), nullptr);
    EXPECT_EQ(list[3], Item(3));
    void** items = nullptr;
    ASSERT_TRUE(list.GetItems(&items));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i], Item(i));
    }
    delete[] items;
}

TEST(VoHashList, DuplicateHashIsRefusedAndLoggedAsSigned) {
    VoHashList list(7, false);
    ASSERT_TRUE(list.Add(0x80000001u, Item(0), true));
    LogCapture log;
    EXPECT_FALSE(list.Add(0x80000001u, Item(1), true));
    EXPECT_TRUE(log.Contains("Hash matching aHash found in list. aHash: -2147483647"));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Get(0x80000001u), Item(0));
}

TEST(VoHashList, KeysOfOneHashAreOneKey) {
    VoHashList list(7, false);
    EXPECT_EQ(list.Add(VoString(u"abcde"), Item(0), true), 475591275u);
    LogCapture log;
    EXPECT_EQ(list.Add(VoString(u"qbcdd"), Item(1), true), 0u);
    EXPECT_TRUE(log.Contains("Hash matching aKey found in list. aKey: qbcdd"));
    EXPECT_EQ(list.Get(VoString(u"qbcdd")), Item(0));
    EXPECT_EQ(list[VoString(u"abcde")], Item(0));
    EXPECT_EQ(list.IndexOf(VoString(u"qbcdd")), 0);
}

TEST(VoHashList, AddAtFrontRenumbersTheOthers) {
    VoHashList list(7, false);
    Fill(list, {100, 200});
    EXPECT_TRUE(list.AddAt(0, 150u, Item(2), true));
    EXPECT_EQ(list.GetAt(0), Item(2));
    EXPECT_EQ(list.GetAt(1), Item(0));
    EXPECT_EQ(list.GetAt(2), Item(1));
    EXPECT_EQ(list.Get(100u), Item(0));
    EXPECT_EQ(list.Get(150u), Item(2));
    EXPECT_EQ(list.Get(200u), Item(1));
    EXPECT_EQ(list.AddAt(1, VoString(u"key"), Item(3), true), VoHashKeyList::Hash(VoString(u"key"), 7, false));
    EXPECT_EQ(list.IndexOf(VoString(u"key")), 1);
    EXPECT_EQ(list.Get(200u), Item(1));
}

TEST(VoHashList, AddAtCannotAppend) {
    VoHashList list(7, false);
    LogCapture log;
    EXPECT_FALSE(list.AddAt(0, 1u, Item(0), true));
    Fill(list, {1, 2});
    EXPECT_FALSE(list.AddAt(2, 3u, Item(0), true));
    EXPECT_EQ(list.AddAt(2, VoString(u"k"), Item(0), true), 0u);
    EXPECT_EQ(log.Count("AddAt failure. Index out of bounds."), 3);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(VoHashList, UncheckedAddsAreSortedByTheNextSearch) {
    VoHashList list(7, false);
    list.Add(50u, Item(0), false);
    list.Add(10u, Item(1), false);
    list.Add(30u, Item(2), false);
    list.AddAt(0, 20u, Item(3), false);
    EXPECT_EQ(list.Get(10u), Item(1));
    EXPECT_EQ(list.Get(20u), Item(3));
    EXPECT_EQ(list.Get(30u), Item(2));
    EXPECT_EQ(list.Get(50u), Item(0));
    EXPECT_EQ(list.GetAt(0), Item(3));
}

TEST(VoHashList, GetFreeHashAscending) {
    VoHashList list(7, false);
    Fill(list, {1, 2, 3});
    EXPECT_EQ(list.GetFreeHash(4, true, true, 1, 0xFFFFFF), 4u);
    EXPECT_EQ(list.GetFreeHash(2, true, true, 1, 0xFFFFFF), 4u);
    EXPECT_EQ(list.GetFreeHash(3, true, true, 1, 0xFFFFFF), 4u);
    EXPECT_EQ(list.GetFreeHash(2, true, true, 1, 3), 0u);
}

TEST(VoHashList, GetFreeHashWrapsAroundTheRange) {
    VoHashList list(7, false);
    Fill(list, {2, 3});
    EXPECT_EQ(list.GetFreeHash(3, true, true, 1, 3), 1u);
    VoHashList high(7, false);
    Fill(high, {0xFFFFFFFEu, 0xFFFFFFFFu, 0u});
    EXPECT_EQ(high.GetFreeHash(0xFFFFFFFEu, true, true, 0, 0xFFFFFFFFu), 1u);
}

TEST(VoHashList, GetFreeHashDescending) {
    VoHashList list(7, false);
    Fill(list, {5, 6});
    EXPECT_EQ(list.GetFreeHash(6, false, true, 1, 10), 4u);
    EXPECT_EQ(list.GetFreeHash(5, false, true, 1, 10), 4u);
    EXPECT_EQ(list.GetFreeHash(5, false, true, 5, 6), 0u);
    VoHashList low(7, false);
    Fill(low, {1, 2, 10});
    EXPECT_EQ(low.GetFreeHash(2, false, true, 1, 10), 9u);
}

TEST(VoHashList, GetFreeHashCountsAHashHeldWithANullItemAsTaken) {
    VoHashList list(7, false);
    ASSERT_TRUE(list.Add(4u, nullptr, true));
    EXPECT_EQ(list.GetFreeHash(4, true, true, 1, 100), 5u);
}

TEST(VoHashList, GetFreeHashNeverLeavesTheRange) {
    VoHashList list(7, false);
    Fill(list, {1, 2});
    // Past the top (a serial counter that ran over) wraps to the bottom.
    EXPECT_EQ(list.GetFreeHash(0x1000000, true, true, 1, 0xFFFFFF), 3u);
    EXPECT_EQ(list.GetFreeHash(0, true, true, 1, 0xFFFFFF), 3u);
    EXPECT_EQ(list.GetFreeHash(0, false, true, 1, 10), 10u);
    EXPECT_EQ(list.GetFreeHash(50, false, true, 1, 10), 10u);
}

TEST(VoHashList, GetFreeHashWithAnEmptyRange) {
    VoHashList list(7, false);
    Fill(list, {5});
    LogCapture log;
    EXPECT_EQ(list.GetFreeHash(7, true, true, 7, 7), 7u);
    EXPECT_EQ(log.Count("Invalid range."), 0);
    EXPECT_EQ(list.GetFreeHash(5, true, true, 9, 1), 0u);
    EXPECT_EQ(list.GetFreeHash(6, true, true, 9, 1), 0u);
    EXPECT_EQ(log.Count("Invalid range."), 2);
}

TEST(VoHashList, RemoveChecksItsArguments) {
    VoHashList list(7, false);
    LogCapture log;
    EXPECT_FALSE(list.Remove(1u, nullptr));
    EXPECT_FALSE(list.Remove(VoString(u"a"), nullptr));
    EXPECT_EQ(log.Count("List empty."), 2);
    Fill(list, {1});
    void* held = Item(5);
    EXPECT_FALSE(list.Remove(1u, &held));
    EXPECT_FALSE(list.Remove(1u, nullptr));
    EXPECT_EQ(log.Count("Invalid arg."), 2);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(VoHashList, RemoveHandsBackTheItemAndRenumbers) {
    VoHashList list(7, false);
    Fill(list, {30, 10, 20});
    void* removed = nullptr;
    EXPECT_TRUE(list.Remove(30u, &removed));
    EXPECT_EQ(removed, Item(0));
    EXPECT_EQ(list.GetAt(0), Item(1));
    EXPECT_EQ(list.Get(10u), Item(1));
    EXPECT_EQ(list.Get(20u), Item(2));
    removed = nullptr;
    EXPECT_FALSE(list.Remove(30u, &removed));
    EXPECT_EQ(list.Add(VoString(u"id"), Item(3), true), VoHashKeyList::Hash(VoString(u"id"), 7, false));
    EXPECT_TRUE(list.Remove(VoString(u"id"), &removed));
    EXPECT_EQ(removed, Item(3));
    EXPECT_EQ(list.GetCount(), 2);
}

TEST(VoHashList, KeyedGetOfAnAbsentKeyLogsOnlyOnAFilledList) {
    VoHashList list(7, false);
    LogCapture log;
    EXPECT_EQ(list.Get(VoString(u"ghost")), nullptr);
    EXPECT_EQ(log.Count("Key not found: "), 0);
    Fill(list, {1});
    EXPECT_EQ(list.Get(VoString(u"ghost")), nullptr);
    EXPECT_TRUE(log.Contains("Key not found: ghost"));
    EXPECT_EQ(list.IndexOf(VoString(u"ghost")), -1);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_TRUE(log.Contains("Index out of bounds."));
}

TEST(VoHashList, ClearEmptiesAndAddsWorkAgain) {
    VoHashList list(7, false);
    Fill(list, {3, 1, 2});
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.Get(1u), nullptr);
    EXPECT_TRUE(list.Add(1u, Item(4), true));
    EXPECT_EQ(list.Get(1u), Item(4));
}
