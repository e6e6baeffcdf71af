#pragma once
// A growable array of 32-bit unsigned values. Default capacity 1000, increment 100.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoVectorCore.h"

class VoVectorUInt : public VoBase {
public:
    VoVectorUInt();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    VoVectorUInt(int aCapacity, int aIncrement);
    // Takes the source's capacity, increment and elements.
    VoVectorUInt(const VoVectorUInt& aOther);
    VoVectorUInt& operator=(const VoVectorUInt& aOther);
    ~VoVectorUInt() override;

    // Grows by the increment when full.
    bool Add(std::uint32_t aItem);
    // Inserts before the end, or stores past it (growing just enough; the
    // slots between become 0 elements).
    bool AddAt(int aIndex, std::uint32_t aItem);
    // AddAt(count): on a full vector it grows by exactly one slot.
    bool AddLast(std::uint32_t aItem);
    void Clear();
    int Find(std::uint32_t aItem) const;
    bool Contains(std::uint32_t aItem) const;
    // opItem must be non-null.
    bool GetAt(int aIndex, std::uint32_t* opItem) const;
    // Out of range logs "Index out of bounds." and gives 0.
    std::uint32_t GetAt(int aIndex) const;
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    bool Remove(std::uint32_t aItem);
    bool RemoveAt(int aIndex, std::uint32_t* opItem = nullptr);
    bool RemoveAll(std::uint32_t aItem);
    bool SetAt(int aIndex, std::uint32_t aItem, std::uint32_t* opReplaced = nullptr);
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // *oppArray must hold null; it receives a new array the caller releases with delete[].
    bool ToArray(std::uint32_t** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<std::uint32_t> fCore;
};
