#include "container/VoHashKeyList.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

namespace {

// Three keys of one hash under shift 7, case-sensitive.
constexpr std::uint32_t kCollidingHash = 475591275u;
const char16_t* const kFirst = u"abcde";
const char16_t* const kSecond = u"qbcdd";
const char16_t* const kThird = u"Qbcdf";

int gItems[8];

void* Item(int aN) { return &gItems[aN]; }

}  // namespace

TEST(VoHashKeyList, HashMatchesTheEngineNameHash) {
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"A"), 7, false), 65u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"AB"), 7, false), 8386u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(kFirst), 7, false), kCollidingHash);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(kSecond), 7, false), kCollidingHash);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(kThird), 7, false), kCollidingHash);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"Biped"), 7, false), 758919912u);
}

TEST(VoHashKeyList, HashFoldsOnlyAsciiCapitalsWhenIgnoringCase) {
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"AbC"), 7, true), 1601891u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"abc"), 7, true), 1601891u);
    EXPECT_NE(VoHashKeyList::Hash(VoString(u"AbC"), 7, false), 1601891u);
    // Only A..Z fold; an accented capital keeps its own value.
    EXPECT_NE(VoHashKeyList::Hash(VoString(u"\u00C9"), 7, true), VoHashKeyList::Hash(VoString(u"\u00E9"), 7, true));
}

TEST(VoHashKeyList, HashOfEmptyKeyIsZeroInEveryMode) {
    EXPECT_EQ(VoHashKeyList::Hash(VoString(), 7, false), 0u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u""), 7, true), 0u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u""), 0, false), 0u);
}

TEST(VoHashKeyList, HashShiftIsTakenModulo32) {
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"abc"), 32, false), 0x61u + 0x62u + 0x63u);
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"abc"), 39, false), VoHashKeyList::Hash(VoString(u"abc"), 7, false));
    EXPECT_EQ(VoHashKeyList::Hash(VoString(u"abc"), -25, false), VoHashKeyList::Hash(VoString(u"abc"), 7, false));
}

TEST(VoHashKeyList, EmptyKeyIsStoredAndAddReturnsItsZeroHash) {
    VoHashKeyList list(7, false);
    EXPECT_EQ(list.Add(VoString(u""), Item(0), true), 0u);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Get(VoString(u"")), Item(0));
}

TEST(VoHashKeyList, CheckedAddRefusesDuplicateAndKeepsFirstItem) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"abc"), Item(0), true);
    LogCapture log;
    EXPECT_EQ(list.Add(VoString(u"abc"), Item(1), true), 0u);
    EXPECT_TRUE(log.Contains("AddAt failure. Duplicate key:abc"));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.Get(VoString(u"abc")), Item(0));
}

TEST(VoHashKeyList, CollidingKeysAreEachFoundAfterAddsAndRemovals) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"zz"), Item(0), true);
    EXPECT_EQ(list.Add(VoString(kFirst), Item(1), true), kCollidingHash);
    EXPECT_EQ(list.Add(VoString(kSecond), Item(2), true), kCollidingHash);
    list.Add(VoString(u"Biped"), Item(3), true);
    EXPECT_EQ(list.Add(VoString(kThird), Item(4), true), kCollidingHash);
    EXPECT_EQ(list.CountCollisions(), 2);

    EXPECT_EQ(list.Get(VoString(kFirst)), Item(1));
    EXPECT_EQ(list.Get(VoString(kSecond)), Item(2));
    EXPECT_EQ(list.Get(VoString(kThird)), Item(4));
    EXPECT_EQ(list.IndexOf(VoString(kSecond)), 2);
    EXPECT_EQ(list.IndexOf(VoString(kThird)), 4);

    void* removed = nullptr;
    EXPECT_TRUE(list.Remove(VoString(kFirst), &removed));
    EXPECT_EQ(removed, Item(1));
    EXPECT_EQ(list.Get(VoString(kFirst)), nullptr);
    EXPECT_EQ(list.Get(VoString(kSecond)), Item(2));
    EXPECT_EQ(list.Get(VoString(kThird)), Item(4));
    EXPECT_EQ(list.IndexOf(VoString(kThird)), 3);
    EXPECT_EQ(list.Get(VoString(u"Biped")), Item(3));
}

TEST(VoHashKeyList, KeyAddedAfterARunOfEqualHashesIsFound) {
    VoHashKeyList list(7, false);
    list.Add(VoString(kFirst), Item(0), true);
    list.Add(VoString(kSecond), Item(1), true);
    list.Add(VoString(u"b"), Item(2), true);  // hashes below the run
    list.Add(VoString(u"Bipedal"), Item(3), true);
    list.Add(VoString(kThird), Item(4), true);
    for (int i = 0; i < 5; ++i) {
        VoString key;
        ASSERT_TRUE(list.GetKeyAt(i, key));
        EXPECT_EQ(list.Get(key), Item(i));
        EXPECT_EQ(list.IndexOf(key), i);
    }
}

// A key that only shares a stored key's hash is a different key.
TEST(VoHashKeyList, AbsentKeyWithAStoredHashIsNotFound) {
    VoHashKeyList list(7, false);
    list.Add(VoString(kFirst), Item(0), true);
    EXPECT_EQ(list.Get(VoString(kSecond)), nullptr);
    EXPECT_EQ(list[VoString(kSecond)], nullptr);
    EXPECT_EQ(list.IndexOf(VoString(kSecond)), -1);
    EXPECT_FALSE(list.Remove(VoString(kSecond), nullptr));
    EXPECT_EQ(list.Get(VoString(kFirst)), Item(0));
    // GetByHash compares no key.
    EXPECT_EQ(list.GetByHash(kCollidingHash), Item(0));
    EXPECT_EQ(list[kCollidingHash], Item(0));
}

// The lookup by units finds a key cut out of a longer text, among keys of
// one hash, and only a whole key.
TEST(VoHashKeyList, KeysArePickedOutOfALongerText) {
    VoHashKeyList list(7, false);
    list.Add(VoString(kFirst), Item(0), true);
    list.Add(VoString(kSecond), Item(1), true);
    list.Add(VoString(u"abc"), Item(2), true);
    const std::u16string text = u"x.qbcdd.abcde.abc";
    EXPECT_EQ(list.Get(text.data() + 2, 5), Item(1));
    EXPECT_EQ(list.Get(text.data() + 8, 5), Item(0));
    EXPECT_EQ(list.Get(text.data() + 14, 3), Item(2));
    EXPECT_EQ(list.Get(text.data() + 8, 3), Item(2));
    EXPECT_EQ(list.Get(text.data() + 8, 4), nullptr);
    EXPECT_EQ(list.Get(text.data(), 0), nullptr);

    VoHashKeyList folding(7, true);
    folding.Add(VoString(kThird), Item(3), true);
    EXPECT_EQ(folding.Get(text.data() + 2, 5), nullptr);
    const std::u16string capitals = u"QBCDF";
    EXPECT_EQ(folding.Get(capitals.data(), 5), Item(3));
}

TEST(VoHashKeyList, AddAtFrontRenumbersTheOthers) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"one"), Item(1), true);
    list.Add(VoString(u"two"), Item(2), true);
    list.Add(VoString(u"three"), Item(3), true);
    EXPECT_EQ(list.AddAt(0, VoString(u"zero"), Item(0), true), VoHashKeyList::Hash(VoString(u"zero"), 7, false));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.GetAt(0), Item(0));
    EXPECT_EQ(list[0], Item(0));
    EXPECT_EQ(list.IndexOf(VoString(u"zero")), 0);
    EXPECT_EQ(list.IndexOf(VoString(u"one")), 1);
    EXPECT_EQ(list.IndexOf(VoString(u"three")), 3);
    EXPECT_EQ(list.Get(VoString(u"two")), Item(2));
    EXPECT_EQ(list.Get(VoString(u"three")), Item(3));
}

TEST(VoHashKeyList, AddAtMidRunRefusesDuplicateAndKeepsCollidersFindable) {
    VoHashKeyList list(7, false);
    list.Add(VoString(kFirst), Item(0), true);
    list.Add(VoString(u"x"), Item(1), true);
    EXPECT_EQ(list.AddAt(1, VoString(kSecond), Item(2), true), kCollidingHash);
    LogCapture log;
    EXPECT_EQ(list.AddAt(0, VoString(kFirst), Item(3), true), 0u);
    EXPECT_TRUE(log.Contains("AddAt failure. Duplicate key:abcde"));
    EXPECT_EQ(list.IndexOf(VoString(kFirst)), 0);
    EXPECT_EQ(list.IndexOf(VoString(kSecond)), 1);
    EXPECT_EQ(list.IndexOf(VoString(u"x")), 2);
}

TEST(VoHashKeyList, AddAtCannotAppend) {
    VoHashKeyList list(7, false);
    LogCapture log;
    EXPECT_EQ(list.AddAt(0, VoString(u"a"), Item(0), true), 0u);
    list.Add(VoString(u"a"), Item(0), true);
    EXPECT_EQ(list.AddAt(1, VoString(u"b"), Item(1), true), 0u);
    EXPECT_EQ(list.AddAt(-1, VoString(u"b"), Item(1), false), 0u);
    EXPECT_EQ(log.Count("AddAt failure. Index out of bounds."), 3);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(VoHashKeyList, RemoveOfMiddleKeyRenumbersTheRest) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"first"), Item(0), true);
    list.Add(VoString(u"middle"), Item(1), true);
    list.Add(VoString(u"last"), Item(2), true);
    EXPECT_TRUE(list.Remove(VoString(u"middle"), nullptr));
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(1), Item(2));
    EXPECT_EQ(list.IndexOf(VoString(u"last")), 1);
    EXPECT_EQ(list.Get(VoString(u"first")), Item(0));
    EXPECT_EQ(list.Get(VoString(u"middle")), nullptr);
    VoString key;
    EXPECT_TRUE(list.GetKeyAt(1, key));
    EXPECT_TRUE(key == VoString(u"last"));
}

TEST(VoHashKeyList, ItemsAndKeysComeOutInInsertionOrder) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"zebra"), Item(0), true);
    list.Add(VoString(u"ant"), Item(1), true);
    list.AddAt(1, VoString(u"mole"), Item(2), true);

    void** items = nullptr;
    ASSERT_TRUE(list.GetItems(&items));
    EXPECT_EQ(items[0], Item(0));
    EXPECT_EQ(items[1], Item(2));
    EXPECT_EQ(items[2], Item(1));
    delete[] items;

    VoString* keys = nullptr;
    ASSERT_TRUE(list.GetKeys(&keys));
    EXPECT_TRUE(keys[0] == VoString(u"zebra"));
    EXPECT_TRUE(keys[1] == VoString(u"mole"));
    EXPECT_TRUE(keys[2] == VoString(u"ant"));
    delete[] keys;
}

TEST(VoHashKeyList, GetItemsAndGetKeysRefuseAFilledOutPointer) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"a"), Item(0), true);
    void* held[1] = {nullptr};
    void** items = held;
    VoString* keys = nullptr;
    LogCapture log;
    EXPECT_FALSE(list.GetItems(&items));
    EXPECT_FALSE(list.GetItems(nullptr));
    EXPECT_FALSE(list.GetKeys(nullptr));
    EXPECT_EQ(log.Count("Invalid arg."), 3);
    EXPECT_EQ(items, held);
    EXPECT_EQ(keys, nullptr);
}

TEST(VoHashKeyList, IndexOutOfBoundsIsLoggedAndRefused) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"a"), Item(0), true);
    LogCapture log;
    VoString key(u"kept");
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_FALSE(list.GetKeyAt(1, key));
    EXPECT_EQ(log.Count("Index out of bounds."), 3);
    EXPECT_TRUE(key == VoString(u"kept"));
}

TEST(VoHashKeyList, IgnoreCaseListMatchesAnyLetterCase) {
    VoHashKeyList list(7, true);
    list.Add(VoString(kFirst), Item(0), true);  // collides with "Abcde" when folded
    list.Add(VoString(u"abc"), Item(1), true);
    LogCapture log;
    EXPECT_EQ(list.Add(VoString(u"ABC"), Item(2), true), 0u);
    EXPECT_TRUE(log.Contains("AddAt failure. Duplicate key:ABC"));
    EXPECT_EQ(list.Get(VoString(u"Abc")), Item(1));
    EXPECT_EQ(list.Get(VoString(u"ABCDE")), Item(0));
    EXPECT_EQ(list.Add(VoString(kSecond), Item(3), true), kCollidingHash);
    EXPECT_EQ(list.Get(VoString(u"QBCDD")), Item(3));
    EXPECT_EQ(list.Get(VoString(u"aBc")), Item(1));
}

// Switching the folding on a filled list rehashes it, so keys with capitals
// stay reachable.
TEST(VoHashKeyList, SetIgnoreCaseOnAFilledListKeepsEveryKeyFindable) {
    VoHashKeyList list(7, false);
    list.Add(VoString(u"Light"), Item(0), true);
    list.Add(VoString(u"ambient"), Item(1), true);
    list.Add(VoString(u"Abcde"), Item(2), true);
    list.Add(VoString(kSecond), Item(3), true);  // folded, collides with "Abcde"

    list.SetIgnoreCase(true);
    EXPECT_EQ(list.Get(VoString(u"light")), Item(0));
    EXPECT_EQ(list.Get(VoString(u"LIGHT")), Item(0));
    EXPECT_EQ(list.Get(VoString(u"Ambient")), Item(1));
    EXPECT_EQ(list.Get(VoString(u"abcde")), Item(2));
    EXPECT_EQ(list.Get(VoString(u"qBcdd")), Item(3));
    EXPECT_EQ(list.CountCollisions(), 1);
    EXPECT_EQ(list.IndexOf(VoString(u"LIGHT")), 0);

    list.SetIgnoreCase(false);
    EXPECT_EQ(list.Get(VoString(u"Light")), Item(0));
    EXPECT_EQ(list.Get(VoString(u"light")), nullptr);
}

TEST(VoHashKeyList, UncheckedAddsAreFoundAfterSort) {
    VoHashKeyList list(7, false);
    const char16_t* keys[] = {u"delta", u"alpha", u"echo", u"charlie", u"bravo"};
    for (int i = 0; i < 5; ++i) {
        list.Add(VoString(keys[i]), Item(i), false);
    }
    list.AddAt(0, VoString(u"foxtrot"), Item(5), false);
    EXPECT_FALSE(list.IsSorted());
    EXPECT_TRUE(list.Sort());
    EXPECT_TRUE(list.IsSorted());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Get(VoString(keys[i])), Item(i));
        EXPECT_EQ(list.IndexOf(VoString(keys[i])), i + 1);
    }
    EXPECT_EQ(list.Get(VoString(u"foxtrot")), Item(5));
}

TEST(VoHashKeyList, ClearEmptiesAndAddsWorkAgain) {
    VoHashKeyList list(7, false);
    list.Add(VoString(kFirst), Item(0), true);
    list.Add(VoString(kSecond), Item(1), true);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.Get(VoString(kFirst)), nullptr);
    EXPECT_EQ(list.GetByHash(kCollidingHash), nullptr);
    EXPECT_FALSE(list.Remove(VoString(kFirst), nullptr));
    EXPECT_EQ(list.Add(VoString(kSecond), Item(2), true), kCollidingHash);
    EXPECT_EQ(list.Get(VoString(kSecond)), Item(2));
    EXPECT_EQ(list.CountCollisions(), 0);
}

TEST(VoHashKeyList, ListStartedSmallGrowsAndReservesLikeAnyOther) {
    int items[300];
    VoHashKeyList list(7, false, 0);
    EXPECT_TRUE(list.Reserve(300));
    for (int i = 0; i < 300; ++i) {
        EXPECT_NE(list.Add(VoString(u"k").Append(i), &items[i], true), 0u);
    }
    EXPECT_TRUE(list.Reserve(10));
    for (int i = 0; i < 300; i += 29) {
        EXPECT_EQ(list.Get(VoString(u"k").Append(i)), &items[i]);
        EXPECT_EQ(list.IndexOf(VoString(u"k").Append(i)), i);
    }
    LogCapture log;
    VoHashKeyList fallback(7, false, -1);
    EXPECT_EQ(log.Count(VoVectorText::kCapacityOutOfRange), 3);
    EXPECT_NE(fallback.Add(VoString(kFirst), Item(0), true), 0u);
}

TEST(VoHashKeyList, ToStringNamesTheClass) {
    VoHashKeyList list(7, false);
    const VoString text = list.ToString();
    EXPECT_EQ(VoString(text).Find(u"[VoHashKeyList <", 0), 0);
    EXPECT_EQ(text.GetChars()[text.GetLength() - 1], u']');
}
