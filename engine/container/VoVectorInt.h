#pragma once
// A growable array of 32-bit signed values. Default capacity 1000, increment 100.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoVectorCore.h"

class VoVectorInt : public VoBase {
public:
    VoVectorInt();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    VoVectorInt(int aCapacity, int aIncrement);
    // Takes the source's capacity, increment and elements.
    VoVectorInt(const VoVectorInt& aOther);
    VoVectorInt& operator=(const VoVectorInt& aOther);
    ~VoVectorInt() override;

    // Grows by the increment when full.
    bool Add(std::int32_t aItem);
    // Inserts before the end, or stores past it (growing just enough; the
    // slots between become 0 elements).
    bool AddAt(int aIndex, std::int32_t aItem);
    // AddAt(count): on a full vector it grows by exactly one slot.
    bool AddLast(std::int32_t aItem);
    void Clear();
    int Find(std::int32_t aItem) const;
    bool Contains(std::int32_t aItem) const;
    // opItem must be non-null.
    bool GetAt(int aIndex, std::int32_t* opItem) const;
    // Out of range logs "Index out of bounds." and gives 0.
    std::int32_t GetAt(int aIndex) const;
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    bool Remove(std::int32_t aItem);
    bool RemoveAt(int aIndex, std::int32_t* opItem = nullptr);
    bool RemoveAll(std::int32_t aItem);
    bool SetAt(int aIndex, std::int32_t aItem, std::int32_t* opReplaced = nullptr);
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // *oppArray must hold null; it receives a new array the caller releases with delete[].
    bool ToArray(std::int32_t** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<std::int32_t> fCore;
};
