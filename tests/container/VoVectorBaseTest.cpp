#include "container/VoVectorBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/LogCapture.h"

namespace {

// Records its number in a shared list when it is deleted.
class Tracked : public VoBase {
public:
    Tracked(int aNumber, std::vector<int>* apDeleted) : fNumber(aNumber), fpDeleted(apDeleted) {}
    ~Tracked() override { fpDeleted->push_back(fNumber); }
    int fNumber;
    std::vector<int>* fpDeleted;  // not owned
};

}  // namespace

TEST(VoVectorBase, ClearAndDestructionDeleteEachObjectOnceInIndexOrder) {
    std::vector<int> deleted;
    {
        VoVectorBase vector(4, 2);
        for (int n = 0; n < 3; ++n) {
            vector.Add(new Tracked(n, &deleted));
        }
        vector.Clear();
        EXPECT_EQ(deleted, (std::vector<int>{0, 1, 2}));
        vector.Add(new Tracked(7, &deleted));
        vector.AddAt(3, new Tracked(8, &deleted));  // slots 1 and 2 stay null
    }
    EXPECT_EQ(deleted, (std::vector<int>{0, 1, 2, 7, 8}));
}

TEST(VoVectorBase, RemovalsHandTheObjectOverWithoutDeletingIt) {
    std::vector<int> deleted;
    Tracked first(1, &deleted), second(2, &deleted), third(3, &deleted), fourth(4, &deleted);
    {
        VoVectorBase vector(4, 2);
        for (Tracked* object : {&first, &second, &third, &fourth, &first}) {
            vector.Add(object);
        }
        VoBase* removed = nullptr;
        EXPECT_TRUE(vector.RemoveAt(1, &removed));
        EXPECT_EQ(removed, &second);
        EXPECT_TRUE(vector.Remove(&third));
        EXPECT_TRUE(vector.RemoveAll(&first));
        EXPECT_TRUE(vector.SetCount(0));
        EXPECT_EQ(vector.GetCount(), 0);
    }
    EXPECT_TRUE(deleted.empty());
}

TEST(VoVectorBase, SetAtReplacesOnlyAnExistingElement) {
    std::vector<int> deleted;
    VoVectorBase vector(4, 2);
    vector.Add(new Tracked(1, &deleted));
    LogCapture log;
    Tracked outside(9, &deleted);
    EXPECT_FALSE(vector.SetAt(1, &outside));
    EXPECT_FALSE(vector.SetAt(-1, &outside));
    EXPECT_EQ(log.Count(VoVectorText::kIndexOutOfBounds), 2);
    EXPECT_EQ(vector.GetCount(), 1);
    EXPECT_EQ(vector.GetCapacity(), 4);
}

TEST(VoVectorBase, SetAtHandsBackTheReplacedObjectOrDeletesIt) {
    std::vector<int> deleted;
    VoVectorBase vector(4, 2);
    Tracked* first = new Tracked(1, &deleted);
    vector.Add(first);

    VoBase* replaced = nullptr;
    EXPECT_TRUE(vector.SetAt(0, new Tracked(2, &deleted), &replaced));
    EXPECT_EQ(replaced, first);
    EXPECT_TRUE(deleted.empty());
    delete replaced;

    EXPECT_TRUE(vector.SetAt(0, new Tracked(3, &deleted)));
    EXPECT_EQ(deleted, (std::vector<int>{1, 2}));

    // Storing the object already there neither deletes nor hands it back.
    VoBase* same = vector.GetAt(0);
    replaced = nullptr;
    EXPECT_TRUE(vector.SetAt(0, same, &replaced));
    EXPECT_TRUE(vector.SetAt(0, same));
    EXPECT_EQ(replaced, nullptr);
    EXPECT_EQ(deleted, (std::vector<int>{1, 2}));
    EXPECT_EQ(vector.GetAt(0), same);
}

TEST(VoVectorBase, GetAtLogsItsOwnMessages) {
    std::vector<int> deleted;
    VoVectorBase vector(4, 2);
    vector.Add(new Tracked(1, &deleted));
    LogCapture log;
    EXPECT_EQ(vector.GetAt(5), nullptr);
    EXPECT_TRUE(log.Contains(std::string(VoVectorText::kIndexOutOfBoundsAt) + "5"));
    EXPECT_FALSE(vector.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains(VoVectorText::kNullItemSlot));
    // The out-slot is overwritten whatever it held.
    VoBase* item = vector.GetAt(0);
    VoBase* slot = &vector;
    EXPECT_TRUE(vector.GetAt(0, &slot));
    EXPECT_EQ(slot, item);
}

TEST(VoVectorBase, ToArrayOverwritesItsOutSlotAndKeepsTheObjects) {
    std::vector<int> deleted;
    VoVectorBase vector(4, 2);
    vector.Add(new Tracked(1, &deleted));
    VoBase* placeholder[1] = {};
    VoBase** array = placeholder;
    ASSERT_TRUE(vector.ToArray(&array));
    EXPECT_NE(array, placeholder);
    EXPECT_EQ(array[0], vector.GetAt(0));
    delete[] array;
    EXPECT_TRUE(deleted.empty());
    LogCapture log;
    EXPECT_FALSE(vector.ToArray(nullptr));
    EXPECT_TRUE(log.Contains(VoVectorText::kInvalidArgument));
}
