#include "container/VoTableUInt.h"

#include <gtest/gtest.h>

#include <string>

#include "support/LogCapture.h"

namespace {
int gValues[30];
}  // namespace

TEST(VoTableUInt, SlotCountsBelowOneBecomeTen) {
    for (int slots : {0, -5}) {
        VoTableUInt table(slots);
        LogCapture log;
        EXPECT_EQ(table.GetSlotCount(9), 0);
        EXPECT_EQ(table.GetSlotCount(10), -1);
        EXPECT_EQ(log.Count(VoTableText::kSlotOutOfBounds), 1);
    }
}

TEST(VoTableUInt, KeysShareTheSlotOfTheirRemainder) {
    VoTableUInt table;
    for (std::uint32_t key : {3u, 13u, 23u}) {
        EXPECT_TRUE(table.Add(key, &gValues[key]));
    }
    EXPECT_TRUE(table.Add(0xFFFFFFFFu, &gValues[5]));  // 4294967295 % 10 = 5, taken unsigned
    EXPECT_EQ(table.GetSlotCount(3), 3);
    EXPECT_EQ(table.GetSlotCount(5), 1);
    void** values = nullptr;
    ASSERT_TRUE(table.GetSlotValues(3, &values));
    EXPECT_EQ(values[0], &gValues[3]);
    EXPECT_EQ(values[1], &gValues[13]);
    EXPECT_EQ(values[2], &gValues[23]);
    delete[] values;
}

TEST(VoTableUInt, GetValuesAndKeysGoSlotBySlot) {
    VoTableUInt table(4);
    for (std::uint32_t key : {6u, 1u, 2u, 5u}) {
        table.Add(key, &gValues[key]);
    }
    std::uint32_t* keys = nullptr;
    ASSERT_TRUE(table.GetKeys(&keys));
    EXPECT_EQ(keys[0], 1u);
    EXPECT_EQ(keys[1], 5u);
    EXPECT_EQ(keys[2], 6u);
    EXPECT_EQ(keys[3], 2u);
    delete[] keys;
    void** values = nullptr;
    ASSERT_TRUE(table.GetValues(&values));
    EXPECT_EQ(values[3], &gValues[2]);
    delete[] values;
}

TEST(VoTableUInt, RefusesADuplicateKeyWithoutAMessage) {
    VoTableUInt table;
    LogCapture log;
    EXPECT_TRUE(table.Add(4, &gValues[4]));
    EXPECT_FALSE(table.Add(4, &gValues[5]));
    EXPECT_EQ(table.GetCount(), 1);
    void* value = nullptr;
    EXPECT_TRUE(table.Get(4, &value));
    EXPECT_EQ(value, &gValues[4]);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoTableUInt, RemoveHandsOutTheValue) {
    VoTableUInt table;
    table.Add(7, &gValues[7]);
    table.Add(17, &gValues[17]);
    void* value = nullptr;
    EXPECT_FALSE(table.Remove(27, &value));
    EXPECT_TRUE(table.Remove(7, &value));
    EXPECT_EQ(value, &gValues[7]);
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_FALSE(table.Contains(7));
    EXPECT_TRUE(table.Contains(17));
    table.Clear();
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.GetSlotCount(7), 0);
}

TEST(VoTableUInt, OutParametersAreCheckedBeforeTheSlot) {
    VoTableUInt table;
    table.Add(1, &gValues[1]);
    LogCapture log;
    void* value = &gValues[0];
    EXPECT_FALSE(table.Get(1, &value));
    EXPECT_FALSE(table.Remove(1, &value));
    EXPECT_FALSE(table.Remove(1, nullptr));
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_FALSE(table.GetSlotValues(99, nullptr));
    EXPECT_EQ(log.Count(VoTableText::kSlotOutOfBounds), 0);
    void** values = nullptr;
    EXPECT_FALSE(table.GetSlotValues(-1, &values));
    EXPECT_TRUE(log.Contains(std::string(VoTableText::kSlotOutOfBounds) + "-1"));
    EXPECT_EQ(log.Count(VoOutSlot::kInvalidArgument), 4);
    EXPECT_EQ(table.GetSlotCount(-1), -1);
}

TEST(VoTableUInt, DestructionLeavesTheValuesAlone) {
    int* value = new int(5);
    {
        VoTableUInt table;
        table.Add(1, value);
    }
    EXPECT_EQ(*value, 5);
    delete value;
}
