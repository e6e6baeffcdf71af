#pragma once
// A growable array of untyped pointers that it never deletes; the engine's
// most used list (listener lists, the cleaner's instances, the hash lists'
// entries). Default capacity 1000, increment 100.
#include "container/VoBase.h"
#include "container/VoVectorCore.h"

class VoVector : public VoBase {
public:
    VoVector();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    VoVector(int aCapacity, int aIncrement);
    VoVector(const VoVector&) = delete;
    VoVector& operator=(const VoVector&) = delete;
    ~VoVector() override;

    // Grows by the increment when full.
    bool Add(void* apItem);
    // Inserts before the end, or stores past it (growing just enough; the
    // slots between become null elements).
    bool AddAt(int aIndex, void* apItem);
    // AddAt(count): on a full vector it grows by exactly one slot.
    bool AddLast(void* apItem);
    // Releases the array: no array, count 0, capacity 0; the increment stays.
    void Clear();
    // The lowest index holding the identical pointer, or -1.
    int Find(const void* apItem) const;
    bool Contains(const void* apItem) const;
    // *oppItem must hold null on entry.
    bool GetAt(int aIndex, void** oppItem) const;
    // The element, or null out of range; logs nothing.
    void* GetAt(int aIndex) const { return fCore.ValueAt(aIndex); }
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    // Removes the first occurrence; false without a message when absent.
    bool Remove(const void* apItem);
    bool RemoveAt(int aIndex, void** oppItem = nullptr);
    bool RemoveAll(const void* apItem);
    // Only on an empty vector: capacity and count become aSize.
    bool SetArray(void* const* apArray, int aSize);
    // The replaced pointer (null past the count) goes to oppReplaced when given.
    bool SetAt(int aIndex, void* apItem, void** oppReplaced = nullptr);
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // *oppArray must hold null; it receives a new array the caller releases with delete[].
    bool ToArray(void*** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<void*> fCore;
};
