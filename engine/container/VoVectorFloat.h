#pragma once
// A growable array of 32-bit floats. Default capacity 1000, increment 100.
#include "container/VoBase.h"
#include "container/VoVectorCore.h"

class VoVectorFloat : public VoBase {
public:
    VoVectorFloat();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    VoVectorFloat(int aCapacity, int aIncrement);
    // Takes the source's capacity, increment and elements.
    VoVectorFloat(const VoVectorFloat& aOther);
    VoVectorFloat& operator=(const VoVectorFloat& aOther);
    ~VoVectorFloat() override;

    // Grows by the increment when full.
    bool Add(float aItem);
    // Inserts before the end, or stores past it (growing just enough; the
    // slots between become 0.0 elements).
    bool AddAt(int aIndex, float aItem);
    // AddAt(count): on a full vector it grows by exactly one slot.
    bool AddLast(float aItem);
    // Appends copies of aCount floats from apArray, growing just enough.
    bool AddArray(const float* apArray, int aCount);
    void Clear();
    // Float equality: a NaN matches nothing, and 0.0 matches -0.0.
    int Find(float aItem) const;
    bool Contains(float aItem) const;
    // opItem must be non-null.
    bool GetAt(int aIndex, float* opItem) const;
    // Out of range logs "Index out of bounds." and gives 0.0.
    float GetAt(int aIndex) const;
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    bool Remove(float aItem);
    bool RemoveAt(int aIndex, float* opItem = nullptr);
    bool RemoveAll(float aItem);
    bool SetAt(int aIndex, float aItem, float* opReplaced = nullptr);
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // *oppArray must hold null; it receives a new array the caller releases with delete[].
    bool ToArray(float** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<float> fCore;
};
