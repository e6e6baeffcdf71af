// The rules all six vector classes share: construction, the growth of each
// operation, the zero slots that growth exposes, and the refusals.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "VectorFamily.h"
#include "support/LogCapture.h"

namespace {

std::string With(const char* apText, int aValue) {
    return std::string(apText) + std::to_string(aValue);
}

template <typename V>
class VoVectorFamily : public ::testing::Test {
protected:
    using F = Family<V>;

    // A vector of the given capacity and increment holding elements 0 .. aCount - 1.
    static void Fill(V& aVector, int aCount) {
        for (int n = 0; n < aCount; ++n) {
            ASSERT_TRUE(F::Add(aVector, n));
        }
    }
};

using AllVectors =
    ::testing::Types<VoVector, VoVectorBase, VoVectorString, VoVectorFloat, VoVectorInt, VoVectorUInt>;
TYPED_TEST_SUITE(VoVectorFamily, AllVectors);

// Every class but the object vector, whose SetAt only replaces and whose
// dropped objects would belong to the test.
template <typename V>
class VoVectorFamilyGrowingSetAt : public VoVectorFamily<V> {};
using GrowingSetAtVectors =
    ::testing::Types<VoVector, VoVectorString, VoVectorFloat, VoVectorInt, VoVectorUInt>;
TYPED_TEST_SUITE(VoVectorFamilyGrowingSetAt, GrowingSetAtVectors);

}  // namespace

TYPED_TEST(VoVectorFamily, DefaultConstructionHasCapacity1000AndIncrement100) {
    TypeParam vector;
    EXPECT_EQ(vector.GetCapacity(), 1000);
    EXPECT_EQ(vector.GetIncrement(), 100);
    EXPECT_EQ(vector.GetCount(), 0);
}

TYPED_TEST(VoVectorFamily, OutOfRangeConstructorArgumentsAreLoggedAndReplacedBy10) {
    LogCapture log;
    TypeParam vector(-1, 0);
    EXPECT_EQ(vector.GetCapacity(), 10);
    EXPECT_EQ(vector.GetIncrement(), 10);
    EXPECT_EQ(log.Count(std::string("ERROR: ")), 2);
    EXPECT_TRUE(log.Contains(VoVectorText::kCapacityOutOfRange));
    EXPECT_TRUE(log.Contains(VoVectorText::kIncrementOutOfRangeUsing10));
}

TYPED_TEST(VoVectorFamily, CapacityZeroIsAcceptedAndTheFirstAddGrowsByTheIncrement) {
    LogCapture log;
    TypeParam vector(0, 7);
    EXPECT_EQ(vector.GetCapacity(), 0);
    EXPECT_TRUE(TestFixture::F::Add(vector, 0));
    EXPECT_EQ(vector.GetCapacity(), 7);
    EXPECT_TRUE(log.Lines().empty());
}

TYPED_TEST(VoVectorFamily, AddToAFullVectorGrowsByTheIncrementButAddLastByOne) {
    TypeParam added(10, 5);
    this->Fill(added, 10);
    EXPECT_TRUE(TestFixture::F::Add(added, 10));
    EXPECT_EQ(added.GetCapacity(), 15);

    TypeParam addedLast(10, 5);
    this->Fill(addedLast, 10);
    EXPECT_TRUE(TestFixture::F::AddLast(addedLast, 10));
    EXPECT_EQ(addedLast.GetCapacity(), 11);
    EXPECT_EQ(addedLast.GetCount(), 11);
    EXPECT_TRUE(TestFixture::F::Holds(addedLast, 10, 10));
}

TYPED_TEST(VoVectorFamily, AddAtPastTheCountExposesZeroSlots) {
    TypeParam vector(10, 5);
    EXPECT_TRUE(TestFixture::F::AddAt(vector, 5, 1));
    EXPECT_EQ(vector.GetCount(), 6);
    EXPECT_EQ(vector.GetCapacity(), 10);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(TestFixture::F::IsZeroAt(vector, i)) << i;
    }
    EXPECT_TRUE(TestFixture::F::Holds(vector, 5, 1));
}

TYPED_TEST(VoVectorFamily, AddAtPastTheCapacityGrowsJustEnough) {
    TypeParam vector(10, 5);
    EXPECT_TRUE(TestFixture::F::AddAt(vector, 12, 1));
    EXPECT_EQ(vector.GetCapacity(), 13);
    EXPECT_EQ(vector.GetCount(), 13);
}

TYPED_TEST(VoVectorFamily, AddAtBeforeTheEndShiftsUpAndGrowsByTheIncrementWhenFull) {
    TypeParam vector(3, 4);
    this->Fill(vector, 3);
    EXPECT_TRUE(TestFixture::F::AddAt(vector, 1, 9));
    EXPECT_EQ(vector.GetCapacity(), 7);
    EXPECT_EQ(vector.GetCount(), 4);
    EXPECT_TRUE(TestFixture::F::Holds(vector, 0, 0));
    EXPECT_TRUE(TestFixture::F::Holds(vector, 1, 9));
    EXPECT_TRUE(TestFixture::F::Holds(vector, 2, 1));
    EXPECT_TRUE(TestFixture::F::Holds(vector, 3, 2));
}

TYPED_TEST(VoVectorFamily, NegativeAddAtWarnsAndChangesNothing) {
    TypeParam vector(10, 5);
    this->Fill(vector, 2);
    LogCapture log;
    EXPECT_FALSE(TestFixture::F::AddAt(vector, -1, 9));
    EXPECT_EQ(vector.GetCount(), 2);
    EXPECT_EQ(log.Count("WARNING: "), 1);
    EXPECT_TRUE(log.Contains(With(VoVectorText::kIndexNegative, -1)));
}

TYPED_TEST(VoVectorFamily, RemoveAtTheCountWarnsAndFails) {
    TypeParam vector(10, 5);
    this->Fill(vector, 3);
    LogCapture log;
    EXPECT_FALSE(vector.RemoveAt(3));
    EXPECT_EQ(vector.GetCount(), 3);
    EXPECT_EQ(log.Count("WARNING: "), 1);
    EXPECT_TRUE(log.Contains(With(VoVectorText::kIndexOutOfRange, 3)));
}

TYPED_TEST(VoVectorFamily, ClearLeavesNoArrayAndTheNextAddGrowsByTheIncrement) {
    TypeParam vector(10, 5);
    this->Fill(vector, 4);
    vector.Clear();
    EXPECT_EQ(vector.GetCapacity(), 0);
    EXPECT_EQ(vector.GetCount(), 0);
    EXPECT_EQ(vector.GetIncrement(), 5);
    EXPECT_TRUE(TestFixture::F::Add(vector, 0));
    EXPECT_EQ(vector.GetCapacity(), 5);
    EXPECT_TRUE(TestFixture::F::Holds(vector, 0, 0));
}

TYPED_TEST(VoVectorFamily, SetCountAboveTheCapacityGrowsByTheDifferencePlusTheIncrement) {
    TypeParam vector(10, 5);
    this->Fill(vector, 2);
    EXPECT_TRUE(vector.SetCount(12));
    EXPECT_EQ(vector.GetCapacity(), 17);
    EXPECT_EQ(vector.GetCount(), 12);
    EXPECT_TRUE(TestFixture::F::Holds(vector, 1, 1));
    EXPECT_TRUE(TestFixture::F::IsZeroAt(vector, 11));
}

TYPED_TEST(VoVectorFamily, CompactShrinksToTheCountAndAnEmptyVectorToNoArray) {
    TypeParam vector(10, 5);
    this->Fill(vector, 3);
    EXPECT_TRUE(vector.Compact());
    EXPECT_EQ(vector.GetCapacity(), 3);
    EXPECT_TRUE(TestFixture::F::Holds(vector, 2, 2));

    TypeParam empty(10, 5);
    EXPECT_TRUE(empty.Compact());
    EXPECT_EQ(empty.GetCapacity(), 0);
    EXPECT_TRUE(TestFixture::F::Add(empty, 0));
    EXPECT_EQ(empty.GetCapacity(), 5);
}

TYPED_TEST(VoVectorFamily, GrowAddsSlotsAndRefusesANegativeAmount) {
    TypeParam vector(10, 5);
    EXPECT_TRUE(vector.Grow(0));
    EXPECT_TRUE(vector.Grow(6));
    EXPECT_EQ(vector.GetCapacity(), 16);
    LogCapture log;
    EXPECT_FALSE(vector.Grow(-1));
    EXPECT_EQ(vector.GetCapacity(), 16);
    EXPECT_TRUE(log.Contains(With(VoVectorText::kAmountNegative, -1)));
}

TYPED_TEST(VoVectorFamily, SetIncrementBelowOneIsRefused) {
    TypeParam vector(10, 5);
    LogCapture log;
    EXPECT_FALSE(vector.SetIncrement(0));
    EXPECT_EQ(vector.GetIncrement(), 5);
    EXPECT_TRUE(log.Contains(With(VoVectorText::kIncrementOutOfRange, 0)));
    EXPECT_TRUE(vector.SetIncrement(3));
    EXPECT_EQ(vector.GetIncrement(), 3);
}

TYPED_TEST(VoVectorFamily, AGrowthBeyondTheIntRangeIsRefusedWithoutWriting) {
    TypeParam vector(10, 5);
    this->Fill(vector, 2);
    LogCapture log;
    EXPECT_FALSE(TestFixture::F::AddAt(vector, INT_MAX, 9));
    EXPECT_FALSE(vector.SetCount(INT_MAX));
    EXPECT_FALSE(vector.SetCount(INT_MAX - 2));  // the increment on top would overflow
    EXPECT_EQ(log.Count(VoVectorText::kGrowthOutOfRange), 3);
    EXPECT_EQ(vector.GetCapacity(), 10);
    EXPECT_EQ(vector.GetCount(), 2);
}

TYPED_TEST(VoVectorFamily, NegativeCountIsRefused) {
    TypeParam vector(10, 5);
    this->Fill(vector, 2);
    LogCapture log;
    EXPECT_FALSE(vector.SetCount(-1));
    EXPECT_EQ(vector.GetCount(), 2);
    EXPECT_TRUE(log.Contains(With(VoVectorText::kInvalidCount, -1)));
}

TYPED_TEST(VoVectorFamily, DebugStringNamesTheClassAndAddress) {
    TypeParam vector(1, 1);
    const std::string text = Narrow(vector.ToString());
    const std::string address = HexAddress(&vector);
    EXPECT_EQ(text.rfind("[VoVector", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - address.size() - 2), address + ">]");
}

TYPED_TEST(VoVectorFamilyGrowingSetAt, SetAtPastTheCapacityGrowsJustEnough) {
    TypeParam vector(5, 3);
    EXPECT_TRUE(TestFixture::F::SetAt(vector, 7, 1));
    EXPECT_EQ(vector.GetCapacity(), 8);
    EXPECT_EQ(vector.GetCount(), 8);
    EXPECT_TRUE(TestFixture::F::IsZeroAt(vector, 6));
    EXPECT_TRUE(TestFixture::F::Holds(vector, 7, 1));
}

TYPED_TEST(VoVectorFamilyGrowingSetAt, SetAtRefusesANegativeOrHugeIndex) {
    TypeParam vector(5, 3);
    LogCapture log;
    EXPECT_FALSE(TestFixture::F::SetAt(vector, -1, 1));
    EXPECT_FALSE(TestFixture::F::SetAt(vector, INT_MAX, 1));
    EXPECT_TRUE(log.Contains(With(VoVectorText::kIndexNegative, -1)));
    EXPECT_TRUE(log.Contains(VoVectorText::kGrowthOutOfRange));
    EXPECT_EQ(vector.GetCapacity(), 5);
    EXPECT_EQ(vector.GetCount(), 0);
}

TYPED_TEST(VoVectorFamilyGrowingSetAt, SetCountShrinkingClearsTheDroppedSlots) {
    TypeParam vector(10, 5);
    this->Fill(vector, 5);
    EXPECT_TRUE(vector.SetCount(3));
    EXPECT_EQ(vector.GetCount(), 3);
    EXPECT_TRUE(vector.SetCount(5));
    EXPECT_TRUE(TestFixture::F::Holds(vector, 2, 2));
    EXPECT_TRUE(TestFixture::F::IsZeroAt(vector, 3));
    EXPECT_TRUE(TestFixture::F::IsZeroAt(vector, 4));
}
