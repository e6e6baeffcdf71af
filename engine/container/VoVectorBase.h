#pragma once
// A growable array of VoBase objects. It deletes its objects in Clear and in
// its destructor only (in index order); every other way out (Remove,
// RemoveAll, SetCount, RemoveAt) hands the object over to the caller, RemoveAt
// through its out-slot. Default capacity 1000, increment 100.
#include "container/VoBase.h"
#include "container/VoVectorCore.h"

class VoVectorBase : public VoBase {
public:
    VoVectorBase();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    // When the array cannot be allocated the vector starts without one, as
    // after Clear.
    VoVectorBase(int aCapacity, int aIncrement);
    VoVectorBase(const VoVectorBase&) = delete;
    VoVectorBase& operator=(const VoVectorBase&) = delete;
    // Deletes every held object.
    ~VoVectorBase() override;

    // The vector owns apItem once it is stored.
    bool Add(VoBase* apItem);
    bool AddAt(int aIndex, VoBase* apItem);
    bool AddLast(VoBase* apItem);
    // Deletes every held object and releases the array.
    void Clear();
    // The lowest index holding the identical pointer, or -1.
    int Find(const VoBase* apItem) const;
    bool Contains(const VoBase* apItem) const;
    // oppItem must be non-null ("oppItem == NULL." otherwise); it is overwritten.
    bool GetAt(int aIndex, VoBase** oppItem) const;
    // Out of range logs "Index out of bounds:" and the index, and gives null.
    VoBase* GetAt(int aIndex) const;
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    // Drops the first occurrence without deleting it.
    bool Remove(const VoBase* apItem);
    // The removed object goes to oppItem when given, and belongs to the caller either way.
    bool RemoveAt(int aIndex, VoBase** oppItem = nullptr);
    // Drops every occurrence without deleting it.
    bool RemoveAll(const VoBase* apItem);
    // Replaces an existing element only (0 <= aIndex < count); never grows.
    // The replaced object goes to oppReplaced when given (the caller then owns
    // it); otherwise it is deleted. Storing the object already held is a no-op
    // that hands back null.
    bool SetAt(int aIndex, VoBase* apItem, VoBase** oppReplaced = nullptr);
    // Shrinking drops the objects cut off without deleting them.
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // oppArray must be non-null; it is overwritten with a new array the caller
    // releases with delete[] (the objects stay in the vector).
    bool ToArray(VoBase*** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<VoBase*, VoVectorOwnership::kOnClear> fCore;
};
