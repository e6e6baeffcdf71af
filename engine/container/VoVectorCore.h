#pragma once
// The storage and algorithms behind the six vector classes (VoVector,
// VoVectorBase, VoVectorString, VoVectorFloat, VoVectorInt, VoVectorUInt).
// Each class owns one core and forwards to it, adding its own element
// matching, out-slot rules and messages where they differ.
//
// Invariants: 0 <= count <= capacity, and every slot from count to capacity - 1
// holds zero (each new array is zero-filled, and whatever drops elements off
// the end clears their slots), so raising the count exposes zero elements.
//
// Insertion before the end, removal, RemoveAll and Compact each build a fresh
// zero-filled array rather than moving elements in place; only appending,
// storing at or past the end and SetAt write into the existing array.
//
// Every operation takes a VoLogSite as its last argument, defaulted to the
// caller's location: messages and allocations carry the class's own source.
#include <climits>

#include "container/VoLogSite.h"
#include "memory/VoNew.h"

// The message texts of the vector classes.
struct VoVectorText {
    static constexpr const char* kCapacityOutOfRange = "Capacity out of range, using 10.";
    static constexpr const char* kIncrementOutOfRangeUsing10 = "Increment out of range, using 10.";
    static constexpr const char* kIncrementOutOfRange = "Increment out of range: ";
    static constexpr const char* kIndexNegative = "aIndex < 0: ";
    static constexpr const char* kIndexOutOfRange = "aIndex out of range: ";
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kAmountNegative = "aAmt < 0: ";
    static constexpr const char* kNullArray = "Invalid arg. apArray == NULL.";
    static constexpr const char* kInvalidSize = "Invalid arg. aSize: ";
    static constexpr const char* kCannotReplace = "Cannot replace existing items. Size must be 0.";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    // No blank after the colon: the index follows directly.
    static constexpr const char* kIndexOutOfBoundsAt = "Index out of bounds:";
    static constexpr const char* kNullItemSlot = "oppItem == NULL.";
    static constexpr const char* kAllocationFailure = "Allocation failure.";
    static constexpr const char* kArrayAllocationFailed = "Array allocation failed.";
    static constexpr const char* kCouldNotAllocateNewArray = "Could not allocate new array.";
    // A negative count for SetCount or AddArray, refused before anything is written.
    static constexpr const char* kInvalidCount = "Invalid arg. aCount: ";
    // A growth whose new capacity would not fit an int (a huge index or count).
    static constexpr const char* kGrowthOutOfRange =
        "Growth out of range. Capacity would exceed the int range.";
};

enum class VoVectorOwnership {
    kNone,     // values, or pointers the vector never deletes
    kOnClear,  // deletes its objects in Clear and its destructor only (VoVectorBase)
    kAlways,   // deletes every element it drops (VoVectorString)
};

template <typename T, VoVectorOwnership Own = VoVectorOwnership::kNone>
class VoVectorCore {
public:
    static constexpr int kDefaultCapacity = 1000;
    static constexpr int kDefaultIncrement = 100;
    // Replaces a constructor argument that is out of range.
    static constexpr int kFallback = 10;

    struct NoArray {};

    explicit VoVectorCore(VoLogSite aSite = VoLogSite::Here()) : fIncrement(kDefaultIncrement) {
        Install(kDefaultCapacity, aSite);
    }

    VoVectorCore(int aCapacity, int aIncrement, VoLogSite aSite = VoLogSite::Here()) {
        if (aCapacity < 0) {
            aSite.Error(VoVectorText::kCapacityOutOfRange);
            aCapacity = kFallback;
        }
        if (aIncrement < 1) {
            aSite.Error(VoVectorText::kIncrementOutOfRangeUsing10);
            aIncrement = kFallback;
        }
        fIncrement = aIncrement;
        Install(aCapacity, aSite);
    }

    // No array and capacity 0, as after Clear: the start of a copy.
    explicit VoVectorCore(NoArray) : fIncrement(kDefaultIncrement) {}

    VoVectorCore(const VoVectorCore&) = delete;
    VoVectorCore& operator=(const VoVectorCore&) = delete;

    ~VoVectorCore() { Clear(); }

    int GetCount() const { return fCount; }
    int GetCapacity() const { return fCapacity; }
    int GetIncrement() const { return fIncrement; }
    bool InRange(int aIndex) const { return aIndex >= 0 && aIndex < fCount; }
    // Unchecked: aIndex must be in 0 .. count - 1.
    T& At(int aIndex) { return fpItems[aIndex]; }
    const T& At(int aIndex) const { return fpItems[aIndex]; }
    // The element, or zero outside 0 .. count - 1.
    T ValueAt(int aIndex) const { return InRange(aIndex) ? fpItems[aIndex] : T(); }

    bool Grow(int aAmt, VoLogSite aSite = VoLogSite::Here()) {
        if (aAmt < 0) {
            aSite.Error(VoVectorText::kAmountNegative, aAmt);
            return false;
        }
        return GrowBy(aAmt, aSite);
    }

    bool Add(T aItem, VoLogSite aSite = VoLogSite::Here()) {
        if (fCount == fCapacity && !GrowBy(fIncrement, aSite)) {
            return false;
        }
        fpItems[fCount++] = aItem;
        return true;
    }

    bool AddAt(int aIndex, T aItem, VoLogSite aSite = VoLogSite::Here()) {
        if (aIndex < 0) {
            aSite.Warning(VoVectorText::kIndexNegative, aIndex);
            return false;
        }
        if (aIndex >= fCount) {
            // Just enough for slot aIndex; the slots between keep their zero.
            if (aIndex >= fCapacity && !GrowBy(static_cast<long long>(aIndex) - fCapacity + 1, aSite)) {
                return false;
            }
            fpItems[aIndex] = aItem;
            fCount = aIndex + 1;
            return true;
        }
        if (fCount == fCapacity && !GrowBy(fIncrement, aSite)) {
            return false;
        }
        T* items = NewArray<T>(fCapacity, aSite);
        if (items == nullptr) {
            return false;
        }
        for (int i = 0; i < aIndex; ++i) {
            items[i] = fpItems[i];
        }
        items[aIndex] = aItem;
        for (int i = aIndex; i < fCount; ++i) {
            items[i + 1] = fpItems[i];
        }
        Replace(items, fCapacity);
        ++fCount;
        return true;
    }

    bool AddLast(T aItem, VoLogSite aSite = VoLogSite::Here()) { return AddAt(fCount, aItem, aSite); }

    // Appends aCount elements made from apArray by aMake(const Src&, T*),
    // which returns false when it cannot make one; then nothing is added.
    template <typename Src, typename Make>
    bool AddArray(const Src* apArray, int aCount, Make aMake, VoLogSite aSite = VoLogSite::Here()) {
        if (apArray == nullptr) {
            aSite.Error(VoVectorText::kNullArray);
            return false;
        }
        if (aCount < 0) {
            aSite.Error(VoVectorText::kInvalidCount, aCount);
            return false;
        }
        const long long needed = static_cast<long long>(fCount) + aCount;
        if (needed > fCapacity && !GrowBy(needed - fCapacity, aSite)) {
            return false;
        }
        for (int i = 0; i < aCount; ++i) {
            if (!aMake(apArray[i], &fpItems[fCount + i])) {
                aSite.Error(VoVectorText::kArrayAllocationFailed);
                for (int made = 0; made < i; ++made) {
                    Drop(fpItems[fCount + made]);
                    fpItems[fCount + made] = T();
                }
                return false;
            }
        }
        fCount += aCount;
        return true;
    }

    // Deletes the owned elements (in index order) and releases the array.
    void Clear() {
        // Detached first, so an element's destructor that reaches back into
        // the vector finds it already empty.
        T* items = fpItems;
        const int count = fCount;
        fpItems = nullptr;
        fCapacity = 0;
        fCount = 0;
        if constexpr (Own != VoVectorOwnership::kNone) {
            for (int i = 0; i < count; ++i) {
                delete items[i];
            }
        }
        (void)count;
        delete[] items;
    }

    template <typename Match>
    int FindIf(Match aMatch) const {
        for (int i = 0; i < fCount; ++i) {
            if (aMatch(fpItems[i])) {
                return i;
            }
        }
        return -1;
    }

    // The range test of GetAt with an out-slot.
    bool CheckIndex(int aIndex, VoLogSite aSite = VoLogSite::Here()) const {
        if (!InRange(aIndex)) {
            aSite.Error(VoVectorText::kIndexOutOfRange, aIndex);
            return false;
        }
        return true;
    }

    // GetAt into an out-slot: the range first, then the slot, which must be
    // non-null and, with aRequireEmptySlot, hold zero on entry; a bad slot
    // logs apBadSlotText.
    bool GetInto(int aIndex, T* opItem, bool aRequireEmptySlot, const char* apBadSlotText,
                 VoLogSite aSite = VoLogSite::Here()) const {
        if (!CheckIndex(aIndex, aSite)) {
            return false;
        }
        if (opItem == nullptr || (aRequireEmptySlot && *opItem != T())) {
            aSite.Error(apBadSlotText);
            return false;
        }
        *opItem = fpItems[aIndex];
        return true;
    }

    // GetAt by index of the value vectors: out of range logs and gives zero.
    T LoggedValueAt(int aIndex, VoLogSite aSite = VoLogSite::Here()) const {
        if (!InRange(aIndex)) {
            aSite.Error(VoVectorText::kIndexOutOfBounds);
            return T();
        }
        return fpItems[aIndex];
    }

    // The removed element goes to opItem when given; otherwise it is dropped
    // (deleted by a vector that owns what it drops).
    bool RemoveAt(int aIndex, T* opItem, VoLogSite aSite = VoLogSite::Here()) {
        if (!InRange(aIndex)) {
            aSite.Warning(VoVectorText::kIndexOutOfRange, aIndex);
            return false;
        }
        T* items = NewArray<T>(fCapacity, aSite);
        if (items == nullptr) {
            return false;
        }
        for (int i = 0; i < aIndex; ++i) {
            items[i] = fpItems[i];
        }
        T removed = fpItems[aIndex];
        for (int i = aIndex + 1; i < fCount; ++i) {
            items[i - 1] = fpItems[i];
        }
        Replace(items, fCapacity);
        --fCount;
        if (opItem != nullptr) {
            *opItem = removed;
        } else {
            Drop(removed);
        }
        return true;
    }

    // Removes every element that aMatch accepts, keeping the order of the rest.
    template <typename Match>
    bool RemoveAllIf(Match aMatch, VoLogSite aSite = VoLogSite::Here()) {
        if (fCount < 1) {
            return true;
        }
        T* items = NewArray<T>(fCapacity, aSite);
        if (items == nullptr) {
            return false;
        }
        int kept = 0;
        for (int i = 0; i < fCount; ++i) {
            if (aMatch(fpItems[i])) {
                Drop(fpItems[i]);
            } else {
                items[kept++] = fpItems[i];
            }
        }
        Replace(items, fCapacity);
        fCount = kept;
        return true;
    }

    // Only on an empty vector: the array becomes a copy of aSize elements.
    bool SetArray(const T* apArray, int aSize, VoLogSite aSite = VoLogSite::Here()) {
        if (aSize < 0) {
            aSite.Error(VoVectorText::kInvalidSize, aSize);
            return false;
        }
        if (fCount >= 1) {
            aSite.Error(VoVectorText::kCannotReplace);
            return false;
        }
        if (apArray == nullptr && aSize > 0) {
            aSite.Error(VoVectorText::kNullArray);
            return false;
        }
        if (!Reallocate(aSize, apArray, aSize, aSite)) {
            return false;
        }
        fCount = aSize;
        return true;
    }

    // Overwrites slot aIndex, growing just enough and raising the count as
    // needed. The old content (zero past the count) goes to opReplaced when
    // given; otherwise it is dropped.
    bool SetAt(int aIndex, T aItem, T* opReplaced, VoLogSite aSite = VoLogSite::Here()) {
        if (aIndex < 0) {
            aSite.Error(VoVectorText::kIndexNegative, aIndex);
            return false;
        }
        if (aIndex >= fCapacity && !GrowBy(static_cast<long long>(aIndex) + 1 - fCapacity, aSite)) {
            return false;
        }
        T replaced = fpItems[aIndex];
        fpItems[aIndex] = aItem;
        if (aIndex >= fCount) {
            fCount = aIndex + 1;
        }
        if (opReplaced != nullptr) {
            *opReplaced = replaced;
        } else {
            Drop(replaced);
        }
        return true;
    }

    // Shrinking clears (and drops) the slots cut off; growing exposes zero
    // slots, and past the capacity grows by what is needed plus the increment.
    bool SetCount(int aCount, VoLogSite aSite = VoLogSite::Here()) {
        if (aCount == fCount) {
            return true;
        }
        if (aCount < 0) {
            aSite.Error(VoVectorText::kInvalidCount, aCount);
            return false;
        }
        if (aCount <= fCapacity) {
            for (int i = aCount; i < fCount; ++i) {
                Drop(fpItems[i]);
                fpItems[i] = T();
            }
            fCount = aCount;
            return true;
        }
        if (!GrowBy(static_cast<long long>(aCount) - fCapacity + fIncrement, aSite)) {
            return false;
        }
        fCount = aCount;
        return true;
    }

    bool SetIncrement(int aIncrement, VoLogSite aSite = VoLogSite::Here()) {
        if (aIncrement < 1) {
            aSite.Error(VoVectorText::kIncrementOutOfRange, aIncrement);
            return false;
        }
        fIncrement = aIncrement;
        return true;
    }

    // Hands out a new array (released by the caller with delete[]) of the
    // count elements, each converted by aConvert. With aRequireEmptySlot the
    // out-slot must hold null on entry; otherwise it is overwritten. A vector
    // without an array gives false and a null out-slot.
    template <typename U, typename Convert>
    bool ToArray(U** oppArray, bool aRequireEmptySlot, Convert aConvert,
                 VoLogSite aSite = VoLogSite::Here()) const {
        if (oppArray == nullptr || (aRequireEmptySlot && *oppArray != nullptr)) {
            aSite.Error(VoVectorText::kInvalidArgument);
            return false;
        }
        *oppArray = nullptr;
        if (fpItems == nullptr) {
            return false;
        }
        U* array = NewArray<U>(fCount, aSite, VoVectorText::kCouldNotAllocateNewArray);
        if (array == nullptr) {
            return false;
        }
        for (int i = 0; i < fCount; ++i) {
            array[i] = aConvert(fpItems[i]);
        }
        *oppArray = array;
        return true;
    }

    // Shrinks the capacity to the count; an empty vector ends with no array.
    bool Compact(VoLogSite aSite = VoLogSite::Here()) {
        if (fCount < 1) {
            Clear();
            return true;
        }
        return fCapacity == fCount || Reallocate(fCount, fpItems, fCount, aSite);
    }

    // Becomes a copy of aSource: its capacity, increment and count, each
    // element made by aCopy(const T&, T*), which returns false when it cannot
    // make one. The vector's own elements are dropped first.
    template <typename Copy>
    bool AssignFrom(const VoVectorCore& aSource, Copy aCopy, VoLogSite aSite = VoLogSite::Here()) {
        if (&aSource == this) {
            return true;
        }
        Clear();
        fIncrement = aSource.fIncrement;
        if (aSource.fpItems == nullptr) {
            return true;
        }
        T* items = NewArray<T>(aSource.fCapacity, aSite);
        if (items == nullptr) {
            return false;
        }
        Replace(items, aSource.fCapacity);
        for (int i = 0; i < aSource.fCount; ++i) {
            if (!aCopy(aSource.fpItems[i], &fpItems[i])) {
                aSite.Error(VoVectorText::kArrayAllocationFailed);
                return false;
            }
            fCount = i + 1;
        }
        return true;
    }

private:
    // Drops an element that leaves the vector other than by Clear.
    static void Drop(T& aItem) {
        if constexpr (Own == VoVectorOwnership::kAlways) {
            delete aItem;
        }
        (void)aItem;
    }

    // A zero-filled array allocated as from aSite; null, after logging
    // apFailure there, when it cannot be had.
    template <typename U>
    static U* NewArray(int aSize, VoLogSite aSite,
                       const char* apFailure = VoVectorText::kArrayAllocationFailed) {
        U* items = new (aSite.File(), aSite.Line()) U[aSize]();
        if (items == nullptr) {
            aSite.Error(apFailure);
        }
        return items;
    }

    void Install(int aCapacity, VoLogSite aSite) {
        fpItems = NewArray<T>(aCapacity, aSite, VoVectorText::kAllocationFailure);
        if (fpItems != nullptr) {
            fCapacity = aCapacity;
        }
    }

    void Replace(T* apItems, int aCapacity) {
        delete[] fpItems;
        fpItems = apItems;
        fCapacity = aCapacity;
    }

    bool GrowBy(long long aAmt, VoLogSite aSite) {
        if (aAmt == 0) {
            return true;
        }
        if (aAmt > static_cast<long long>(INT_MAX) - fCapacity) {
            aSite.Error(VoVectorText::kGrowthOutOfRange);
            return false;
        }
        return Reallocate(fCapacity + static_cast<int>(aAmt), fpItems, fCount, aSite);
    }

    // Installs a new zero-filled array of aCapacity slots that starts with a
    // copy of aCount elements from apFrom (which may be the current array).
    bool Reallocate(int aCapacity, const T* apFrom, int aCount, VoLogSite aSite) {
        T* items = NewArray<T>(aCapacity, aSite);
        if (items == nullptr) {
            return false;
        }
        for (int i = 0; i < aCount; ++i) {
            items[i] = apFrom[i];
        }
        Replace(items, aCapacity);
        return true;
    }

    T* fpItems = nullptr;  // owned; null only after Clear or Compact of an empty vector
    int fCapacity = 0;
    int fIncrement = kDefaultIncrement;  // at least 1
    int fCount = 0;
};
