#include "container/VoVectorString.h"

#include "container/VoDebugString.h"

namespace {

// A slot without a string reads as this.
const char16_t kEmpty[] = u"";

VoString* NewCopy(const VoString& aItem) {
    VoString* copy = VO_NEW VoString(aItem);
    if (copy == nullptr) {
        VO_ERROR(VoVectorText::kAllocationFailure);
    }
    return copy;
}

bool CopyHeld(VoString* const& apItem, VoString** oppCopy) {
    *oppCopy = apItem != nullptr ? NewCopy(*apItem) : NewCopy(VoString(kEmpty));
    return *oppCopy != nullptr;
}

// The empty string also matches a slot without a string.
bool Matches(const VoString* apHeld, const VoString& aItem, bool aIgnoreCase) {
    return apHeld != nullptr ? apHeld->Equals(aItem, aIgnoreCase) : aItem.GetLength() == 0;
}

// Stores a new copy of aItem with aStore(VoString*), which returns false when
// the vector refused it; the copy is then deleted.
template <typename Store>
bool StoreCopy(const VoString& aItem, Store aStore) {
    VoString* copy = NewCopy(aItem);
    if (copy == nullptr) {
        return false;
    }
    if (!aStore(copy)) {
        delete copy;
        return false;
    }
    return true;
}

}  // namespace

VoVectorString::VoVectorString() : fCore() {}

VoVectorString::VoVectorString(int aCapacity, int aIncrement) : fCore(aCapacity, aIncrement) {}

VoVectorString::VoVectorString(const VoVectorString& aOther)
    : VoBase(), fCore(VoVectorCore<VoString*, VoVectorOwnership::kAlways>::NoArray()) {
    *this = aOther;
}

VoVectorString& VoVectorString::operator=(const VoVectorString& aOther) {
    if (&aOther != this) {
        fIgnoreCase = aOther.fIgnoreCase;
        fCore.AssignFrom(aOther.fCore, CopyHeld);
    }
    return *this;
}

VoVectorString::~VoVectorString() = default;

bool VoVectorString::Add(const VoString& aItem) {
    return StoreCopy(aItem, [this](VoString* apCopy) { return fCore.Add(apCopy); });
}

bool VoVectorString::Adopt(VoString* apItem) {
    return apItem != nullptr && fCore.Add(apItem);
}

bool VoVectorString::AddAt(int aIndex, const VoString& aItem) {
    if (aIndex < 0) {
        // Refused before a copy is made.
        return fCore.AddAt(aIndex, nullptr);
    }
    return StoreCopy(aItem, [this, aIndex](VoString* apCopy) { return fCore.AddAt(aIndex, apCopy); });
}

bool VoVectorString::AddLast(const VoString& aItem) {
    return StoreCopy(aItem, [this](VoString* apCopy) { return fCore.AddLast(apCopy); });
}

bool VoVectorString::AddArray(const VoString* apArray, int aCount) {
    return fCore.AddArray(apArray, aCount, [](const VoString& aItem, VoString** oppCopy) {
        *oppCopy = NewCopy(aItem);
        return *oppCopy != nullptr;
    });
}

void VoVectorString::Clear() {
    fCore.Clear();
}

int VoVectorString::Find(const VoString& aItem) const {
    const bool ignoreCase = fIgnoreCase;
    return fCore.FindIf(
        [&aItem, ignoreCase](const VoString* apHeld) { return Matches(apHeld, aItem, ignoreCase); });
}

bool VoVectorString::Contains(const VoString& aItem) const {
    return Find(aItem) != -1;
}

bool VoVectorString::GetAt(int aIndex, VoString& aItem) const {
    if (!fCore.CheckIndex(aIndex)) {
        return false;
    }
    const VoString* held = fCore.At(aIndex);
    aItem.Assign(held != nullptr ? held->GetChars() : kEmpty);
    return true;
}

VoString VoVectorString::GetAt(int aIndex) const {
    if (!fCore.InRange(aIndex)) {
        VO_ERROR(VoVectorText::kIndexOutOfBounds);
        return VoString(kEmpty);
    }
    const VoString* held = fCore.At(aIndex);
    return VoString(held != nullptr ? held->GetChars() : kEmpty);
}

bool VoVectorString::Grow(int aAmt) {
    return fCore.Grow(aAmt);
}

bool VoVectorString::Remove(const VoString& aItem) {
    const int index = Find(aItem);
    return index != -1 && fCore.RemoveAt(index, nullptr);
}

bool VoVectorString::RemoveAt(int aIndex) {
    return fCore.RemoveAt(aIndex, nullptr);
}

bool VoVectorString::RemoveAll(const VoString& aItem) {
    const bool ignoreCase = fIgnoreCase;
    return fCore.RemoveAllIf(
        [&aItem, ignoreCase](const VoString* apHeld) { return Matches(apHeld, aItem, ignoreCase); });
}

bool VoVectorString::SetAt(int aIndex, const VoString& aItem) {
    if (aIndex < 0) {
        // Refused before a copy is made.
        return fCore.SetAt(aIndex, nullptr, nullptr);
    }
    return StoreCopy(aItem,
                     [this, aIndex](VoString* apCopy) { return fCore.SetAt(aIndex, apCopy, nullptr); });
}

bool VoVectorString::SetCount(int aCount) {
    return fCore.SetCount(aCount);
}

bool VoVectorString::SetIncrement(int aIncrement) {
    return fCore.SetIncrement(aIncrement);
}

bool VoVectorString::ToArray(VoString** oppArray) const {
    return fCore.ToArray(oppArray, true, [](const VoString* apItem) {
        return VoString(apItem != nullptr ? apItem->GetChars() : kEmpty);
    });
}

bool VoVectorString::Compact() {
    return fCore.Compact();
}

VoString VoVectorString::ToString() const {
    return VoDebugString("VoVectorString", this);
}
