#pragma once
// A growable array of strings. It stores its own heap copy of every string it
// is given and deletes each copy it drops (removal, overwrite, shrinking,
// Clear, assignment, destruction). Slots exposed without a string (past the
// old end) read as the empty string. Default capacity 1000, increment 100.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorCore.h"

class VoVectorString : public VoBase {
public:
    VoVectorString();
    // A capacity below 0 or an increment below 1 is logged and replaced by 10.
    VoVectorString(int aCapacity, int aIncrement);
    // Deep copies; also takes the source's capacity, increment and ignore-case flag.
    VoVectorString(const VoVectorString& aOther);
    VoVectorString& operator=(const VoVectorString& aOther);
    ~VoVectorString() override;

    // Each of the adding forms stores a copy of its argument.
    bool Add(const VoString& aItem);
    bool AddAt(int aIndex, const VoString& aItem);
    bool AddLast(const VoString& aItem);
    bool AddArray(const VoString* apArray, int aCount);
    // Appends apItem itself (made with VO_NEW), which the vector then owns,
    // for a caller that built the string for it; false, with apItem still
    // the caller's, when it is null or the vector cannot grow.
    bool Adopt(VoString* apItem);
    void Clear();
    // The lowest index holding an equal string (ignoring case when the flag is
    // set), or -1; the empty string also matches a slot without a string.
    int Find(const VoString& aItem) const;
    bool Contains(const VoString& aItem) const;
    // Copies the element into aItem (empty for a slot without a string).
    bool GetAt(int aIndex, VoString& aItem) const;
    // Out of range logs "Index out of bounds." and gives an empty string.
    VoString GetAt(int aIndex) const;
    // The held string itself, for comparisons without a copy; null for a slot
    // without a string or out of range. Owned by the vector.
    const VoString* PeekAt(int aIndex) const { return fCore.ValueAt(aIndex); }
    int GetCount() const { return fCore.GetCount(); }
    int GetCapacity() const { return fCore.GetCapacity(); }
    int GetIncrement() const { return fCore.GetIncrement(); }
    bool Grow(int aAmt);
    bool Remove(const VoString& aItem);
    bool RemoveAt(int aIndex);
    bool RemoveAll(const VoString& aItem);
    // Deletes the string the slot held and stores a copy of aItem.
    bool SetAt(int aIndex, const VoString& aItem);
    bool SetCount(int aCount);
    bool SetIncrement(int aIncrement);
    // How Find, Contains, Remove and RemoveAll compare; false (exact) at construction.
    void SetIgnoreCase(bool aIgnoreCase) { fIgnoreCase = aIgnoreCase; }
    bool GetIgnoreCase() const { return fIgnoreCase; }
    // *oppArray must hold null; it receives a new array of count strings that
    // the caller releases with delete[].
    bool ToArray(VoString** oppArray) const;
    bool Compact();
    VoString ToString() const override;

private:
    VoVectorCore<VoString*, VoVectorOwnership::kAlways> fCore;
    bool fIgnoreCase = false;
};
