#include "stdlib/VoOrderedListeners.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

int gA, gB, gC, gD;  // stand-ins for listeners: only their addresses count

std::vector<void*> Walk(VoOrderedListeners& aList) {
    VoOrderedListeners::Snapshot walk(aList);
    std::vector<void*> seen;
    for (int i = 0; i < walk.GetCount(); ++i) {
        seen.push_back(walk.GetAt(i));
    }
    return seen;
}

}  // namespace

TEST(VoOrderedListeners, KeepsAscendingOrdersWithTiesAndNaNLast) {
    VoOrderedListeners list;
    ASSERT_TRUE(list.Insert(&gA, 1.0f));
    ASSERT_TRUE(list.Insert(&gC, 1.0f));
    ASSERT_TRUE(list.Insert(&gD, -5.0f));
    ASSERT_TRUE(list.Insert(&gB, std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(Walk(list), (std::vector<void*>{&gD, &gA, &gC, &gB}));
}

TEST(VoOrderedListeners, TellsRemovedFromAbsent) {
    VoOrderedListeners list;
    list.Insert(&gA, 0.0f);
    EXPECT_EQ(list.Remove(&gB), VoOrderedListeners::Removal::kAbsent);
    EXPECT_EQ(list.Remove(nullptr), VoOrderedListeners::Removal::kAbsent);
    EXPECT_EQ(list.Remove(&gA), VoOrderedListeners::Removal::kRemoved);
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(VoOrderedListeners, ARemovalNullsTheListenerInEveryWalkInProgress) {
    VoOrderedListeners list;
    list.Insert(&gA, 0.0f);
    list.Insert(&gB, 1.0f);
    VoOrderedListeners::Snapshot outer(list);
    {
        list.Insert(&gC, 2.0f);
        VoOrderedListeners::Snapshot inner(list);
        EXPECT_TRUE(list.IsWalking());
        list.Remove(&gB);
        list.Remove(&gC);
        EXPECT_EQ(inner.GetAt(1), nullptr);
        EXPECT_EQ(inner.GetAt(2), nullptr);
    }
    ASSERT_EQ(outer.GetCount(), 2);
    EXPECT_EQ(outer.GetAt(0), &gA);
    EXPECT_EQ(outer.GetAt(1), nullptr);
    EXPECT_TRUE(list.IsWalking());
}
