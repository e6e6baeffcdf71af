#include "container/VoTableString.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

namespace {
int gValues[4];
}  // namespace

TEST(VoTableString, KeysShareTheSlotOfTheirFirstUnit) {
    VoTableString table;
    EXPECT_TRUE(table.Add(VoString(u"apple"), &gValues[0]));
    EXPECT_TRUE(table.Add(VoString(u"avocado"), &gValues[1]));
    EXPECT_TRUE(table.Add(VoString(u""), &gValues[2]));
    EXPECT_EQ(table.GetSlotCount(7), 2);  // 'a' is 97
    EXPECT_EQ(table.GetSlotCount(0), 1);
    VoString* keys = nullptr;
    ASSERT_TRUE(table.GetSlotKeys(7, &keys));
    EXPECT_EQ(TextOf(keys[0]), u"apple");
    EXPECT_EQ(TextOf(keys[1]), u"avocado");
    delete[] keys;
}

TEST(VoTableString, IgnoringCaseFoldsTheSlotAndTheComparison) {
    VoTableString table;
    EXPECT_TRUE(table.SetIgnoreCase(true));
    EXPECT_TRUE(table.Add(VoString(u"Apple"), &gValues[0]));
    EXPECT_EQ(table.GetSlotCount(7), 1);  // 'A' folded to 'a'
    EXPECT_TRUE(table.Contains(VoString(u"apple")));
    EXPECT_FALSE(table.Add(VoString(u"apple"), &gValues[1]));
    void* value = nullptr;
    EXPECT_TRUE(table.Get(VoString(u"APPLE"), &value));
    EXPECT_EQ(value, &gValues[0]);
    value = nullptr;
    EXPECT_TRUE(table.Remove(VoString(u"aPPle"), &value));
    EXPECT_EQ(table.GetCount(), 0);
}

TEST(VoTableString, ComparesExactlyByDefault) {
    VoTableString table;
    table.Add(VoString(u"Apple"), &gValues[0]);
    EXPECT_FALSE(table.Contains(VoString(u"apple")));
    EXPECT_TRUE(table.Add(VoString(u"APPLE"), &gValues[1]));
    EXPECT_EQ(table.GetSlotCount(5), 2);  // 'A' is 65
}

TEST(VoTableString, IgnoreCaseCannotChangeWhileKeysAreStored) {
    VoTableString table;
    table.Add(VoString(u"Apple"), &gValues[0]);
    LogCapture log;
    EXPECT_FALSE(table.SetIgnoreCase(true));
    EXPECT_FALSE(table.GetIgnoreCase());
    EXPECT_TRUE(log.Contains(VoTableText::kIgnoreCaseNotEmpty));
    table.Clear();
    EXPECT_TRUE(table.SetIgnoreCase(true));
}

TEST(VoTableString, GetKeysCopiesEveryKeySlotBySlot) {
    VoTableString table(3);
    for (const char16_t* key : {u"b", u"a", u"c"}) {  // 98 % 3 = 2, 97 % 3 = 1, 99 % 3 = 0
        table.Add(VoString(key), nullptr);
    }
    VoString* keys = nullptr;
    ASSERT_TRUE(table.GetKeys(&keys));
    EXPECT_EQ(TextOf(keys[0]), u"c");
    EXPECT_EQ(TextOf(keys[1]), u"a");
    EXPECT_EQ(TextOf(keys[2]), u"b");
    delete[] keys;
}

TEST(VoTableString, ABadSlotGivesZero) {
    VoTableString table;
    LogCapture log;
    EXPECT_EQ(table.GetSlotCount(-1), 0);
    EXPECT_TRUE(log.Contains(std::string(VoTableText::kSlotOutOfBounds) + "-1"));
    EXPECT_NE(log.Lines()[0].find("container/VoTableString.cpp, "), std::string::npos);
}
