#include "container/VoVectorString.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

TEST(VoVectorString, StoresItsOwnCopies) {
    VoVectorString vector(4, 2);
    VoString text(u"alpha");
    vector.Add(text);
    vector.SetAt(2, text);
    text.Append(u"!");
    EXPECT_EQ(TextOf(vector.GetAt(0)), u"alpha");
    EXPECT_EQ(TextOf(vector.GetAt(2)), u"alpha");
    EXPECT_EQ(TextOf(vector.GetAt(1)), u"");
}

TEST(VoVectorString, FindMatchesTheEmptyStringAgainstASlotWithoutAString) {
    VoVectorString vector(4, 2);
    vector.AddAt(1, VoString(u"b"));
    EXPECT_EQ(vector.Find(VoString(u"")), 0);
    EXPECT_EQ(vector.Find(VoString()), 0);
    EXPECT_EQ(vector.Find(VoString(u"b")), 1);
    EXPECT_TRUE(vector.Remove(VoString(u"")));
    EXPECT_EQ(vector.GetCount(), 1);
}

TEST(VoVectorString, ComparesExactlyUntilTheIgnoreCaseFlagIsSet) {
    VoVectorString vector(4, 2);
    vector.Add(VoString(u"abc"));
    vector.Add(VoString(u"x"));
    vector.Add(VoString(u"ABC"));
    EXPECT_EQ(vector.Find(VoString(u"ABC")), 2);
    EXPECT_EQ(vector.Find(VoString(u"aBc")), -1);
    vector.SetIgnoreCase(true);
    EXPECT_EQ(vector.Find(VoString(u"aBc")), 0);
    EXPECT_TRUE(vector.RemoveAll(VoString(u"Abc")));
    ASSERT_EQ(vector.GetCount(), 1);
    EXPECT_EQ(TextOf(vector.GetAt(0)), u"x");
}

TEST(VoVectorString, CopiesAreDeepAndTakeTheFlagCapacityAndIncrement) {
    VoVectorString source(6, 3);
    source.SetIgnoreCase(true);
    source.AddAt(1, VoString(u"one"));
    VoVectorString copy(source);
    source.SetAt(1, VoString(u"changed"));
    EXPECT_EQ(copy.GetCapacity(), 6);
    EXPECT_EQ(copy.GetIncrement(), 3);
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_TRUE(copy.GetIgnoreCase());
    EXPECT_EQ(TextOf(copy.GetAt(1)), u"one");
    EXPECT_EQ(TextOf(copy.GetAt(0)), u"");

    VoVectorString assigned(2, 1);
    assigned.Add(VoString(u"dropped"));
    assigned = copy;
    EXPECT_EQ(assigned.GetCount(), 2);
    EXPECT_EQ(assigned.Find(VoString(u"dropped")), -1);
    EXPECT_EQ(assigned.Find(VoString(u"ONE")), 1);
    const VoVectorString& itself = assigned;
    assigned = itself;
    EXPECT_EQ(TextOf(assigned.GetAt(1)), u"one");
}

TEST(VoVectorString, GetAtOutOfRangeLogsAndGivesTheEmptyString) {
    VoVectorString vector(4, 2);
    vector.Add(VoString(u"a"));
    LogCapture log;
    EXPECT_EQ(vector.GetAt(1).GetLength(), 0);
    EXPECT_TRUE(log.Contains(VoVectorText::kIndexOutOfBounds));
    VoString out(u"kept");
    EXPECT_FALSE(vector.GetAt(-1, out));
    EXPECT_TRUE(log.Contains(std::string(VoVectorText::kIndexOutOfRange) + "-1"));
    EXPECT_EQ(TextOf(out), u"kept");
    EXPECT_TRUE(vector.GetAt(0, out));
    EXPECT_EQ(TextOf(out), u"a");
}

TEST(VoVectorString, AddArrayAppendsCopies) {
    VoString items[] = {VoString(u"p"), VoString(u"q"), VoString(u"r")};
    VoVectorString vector(2, 5);
    vector.Add(VoString(u"o"));
    EXPECT_TRUE(vector.AddArray(items, 3));
    EXPECT_EQ(vector.GetCapacity(), 4);
    EXPECT_EQ(TextOf(vector.GetAt(3)), u"r");
    LogCapture log;
    EXPECT_FALSE(vector.AddArray(nullptr, 1));
    EXPECT_TRUE(log.Contains(VoVectorText::kNullArray));
    EXPECT_FALSE(vector.AddArray(items, -1));
    EXPECT_TRUE(log.Contains(std::string(VoVectorText::kInvalidCount) + "-1"));
    EXPECT_EQ(vector.GetCount(), 4);
}

TEST(VoVectorString, ToArrayHandsOutCopiesIncludingEmptySlots) {
    VoVectorString vector(4, 2);
    vector.AddAt(1, VoString(u"b"));
    VoString* array = nullptr;
    ASSERT_TRUE(vector.ToArray(&array));
    EXPECT_EQ(TextOf(array[0]), u"");
    EXPECT_EQ(TextOf(array[1]), u"b");
    delete[] array;
}

// Strings dropped by every path are deleted: the sanitizer build reports any
// leak, so these only need to run.
TEST(VoVectorString, EveryPathThatDropsAStringDeletesIt) {
    VoVectorString vector(2, 1);
    for (const char16_t* text : {u"a", u"b", u"c", u"d", u"e", u"f"}) {
        vector.Add(VoString(text));
    }
    vector.RemoveAt(0);
    vector.Remove(VoString(u"b"));
    vector.RemoveAll(VoString(u"c"));
    vector.SetAt(0, VoString(u"D"));
    vector.SetCount(1);
    EXPECT_EQ(vector.GetCount(), 1);
    EXPECT_EQ(TextOf(vector.GetAt(0)), u"D");
    vector = VoVectorString(3, 1);
    vector.Add(VoString(u"g"));
    vector.Clear();
    vector.Add(VoString(u"h"));
}
