#include "container/VoHashKeyList.h"

#include <algorithm>

#include "container/VoDebugString.h"
#include "container/VoHashIndex.h"
#include "container/VoLog.h"

namespace {
constexpr const char* kStoreFailure = "Add failure. Could not store the key.";
}  // namespace

VoHashKeyList::VoHashKeyList(int aHashShift, bool aIgnoreCase)
    : fHashShift(aHashShift),
      fSorted(false),
      fCollisionsCounted(false),
      fCollisionCount(0),
      fIgnoreCase(aIgnoreCase) {}

VoHashKeyList::VoHashKeyList(int aHashShift, bool aIgnoreCase, int aCapacity)
    : fEntries(aCapacity, VoHashEntries::kDefaultIncrement),
      fKeys(aCapacity, VoVectorCore<void*>::kDefaultIncrement),
      fItems(aCapacity, VoVectorCore<void*>::kDefaultIncrement),
      fHashShift(aHashShift),
      fSorted(false),
      fCollisionsCounted(false),
      fCollisionCount(0),
      fIgnoreCase(aIgnoreCase) {}

VoHashKeyList::~VoHashKeyList() { Clear(); }

bool VoHashKeyList::Reserve(int aCount) {
    bool result = true;
    if (fEntries.GetCapacity() < aCount) {
        result = fEntries.Grow(aCount - fEntries.GetCapacity()) && result;
    }
    if (fKeys.GetCapacity() < aCount) {
        result = fKeys.Grow(aCount - fKeys.GetCapacity()) && result;
    }
    if (fItems.GetCapacity() < aCount) {
        result = fItems.Grow(aCount - fItems.GetCapacity()) && result;
    }
    return result;
}

std::uint32_t VoHashKeyList::Hash(const VoString& aKey, int aShift, bool aIgnoreCase) {
    return Hash(aKey.GetChars(), aKey.GetLength(), aShift, aIgnoreCase);
}

std::uint32_t VoHashKeyList::Hash(const char16_t* apUnits, int aLength, int aShift, bool aIgnoreCase) {
    // Two's complement makes this the mathematical modulo for negative shifts too.
    const unsigned shift = static_cast<unsigned>(aShift) & 31u;
    std::uint32_t hash = 0;
    for (int i = 0; i < aLength && apUnits[i] != 0; ++i) {
        std::uint32_t unit = apUnits[i];
        if (aIgnoreCase && unit >= 0x41 && unit <= 0x5A) {
            unit ^= 0x20;
        }
        if (shift != 0) {
            hash = (hash << shift) | (hash >> (32u - shift));
        }
        hash += unit;
    }
    return hash;
}

std::uint32_t VoHashKeyList::Add(const VoString& aKey, void* apItem, bool aCheckDuplicates) {
    const std::uint32_t hash = Hash(aKey, fHashShift, fIgnoreCase);
    const int count = GetCount();
    int position = count;
    if (count == 0) {
        fCollisionsCounted = true;
        fCollisionCount = 0;
    } else if (!aCheckDuplicates) {
        fSorted = false;
        fCollisionsCounted = false;
    } else if (!FindInsertPosition(hash, aKey, &position)) {
        return 0;
    }
    return Store(position, count, hash, aKey, apItem) ? hash : 0;
}

std::uint32_t VoHashKeyList::AddAt(int aIndex, const VoString& aKey, void* apItem, bool aCheckDuplicates) {
    const int count = GetCount();
    if (aIndex < 0 || aIndex >= count) {
        VO_ERROR(kAddAtOutOfBounds);
        return 0;
    }
    const std::uint32_t hash = Hash(aKey, fHashShift, fIgnoreCase);
    int position = count;
    if (!aCheckDuplicates) {
        fSorted = false;
        fCollisionsCounted = false;
    } else if (!FindInsertPosition(hash, aKey, &position)) {
        return 0;
    }
    return Store(position, aIndex, hash, aKey, apItem) ? hash : 0;
}

bool VoHashKeyList::AddAdopted(VoString* apKey, std::uint32_t aHash, void* apItem) {
    const int count = GetCount();
    if (!fEntries.Add(VoHashKeyListEntry(aHash, count))) {
        return false;
    }
    if (!fItems.Add(apItem)) {
        fEntries.SetCount(count);
        return false;
    }
    if (!fKeys.Adopt(apKey)) {
        fItems.SetCount(count);
        fEntries.SetCount(count);
        return false;
    }
    if (count == 0) {
        fCollisionsCounted = true;
        fCollisionCount = 0;
    } else {
        fSorted = false;
        fCollisionsCounted = false;
    }
    return true;
}

bool VoHashKeyList::FindInsertPosition(std::uint32_t aHash, const VoString& aKey, int* apPosition) {
    if (!fCollisionsCounted) {
        CountCollisions();
    }
    const int found = VoHashIndex::Search(fEntries, aHash, apPosition);
    if (found < 0) {
        return true;
    }
    // Counted before the duplicate test, so a refused key raises it as well.
    ++fCollisionCount;
    int first = 0;
    int last = 0;
    VoHashIndex::RunBounds(fEntries, found, &first, &last);
    for (int position = first; position <= last; ++position) {
        if (KeyEquals(VoHashIndex::At(fEntries, position)->fIndex, aKey)) {
            VO_ERROR(kDuplicateKey, aKey);
            return false;
        }
    }
    *apPosition = last + 1;
    return true;
}

bool VoHashKeyList::Store(int aPosition, int aIndex, std::uint32_t aHash, const VoString& aKey, void* apItem) {
    const bool stored = VoHashIndex::Store(fEntries, aPosition, aHash, aIndex, [&](bool aAppend) {
        if (!(aAppend ? fKeys.Add(aKey) : fKeys.AddAt(aIndex, aKey))) {
            return false;
        }
        if (aAppend ? fItems.Add(apItem) : fItems.AddAt(aIndex, apItem)) {
            return true;
        }
        fKeys.RemoveAt(aAppend ? fKeys.GetCount() - 1 : aIndex);
        return false;
    });
    if (!stored) {
        VO_ERROR(kStoreFailure);
    }
    return stored;
}

bool VoHashKeyList::KeyEquals(int aIndex, const VoString& aKey) const {
    const VoString* key = fKeys.PeekAt(aIndex);
    return key != nullptr ? key->Equals(aKey, fIgnoreCase) : aKey.GetLength() == 0;
}

int VoHashKeyList::FindEntry(const VoString& aKey) {
    return FindEntry(aKey.GetChars(), aKey.GetLength());
}

int VoHashKeyList::FindEntry(const char16_t* apUnits, std::int32_t aLength) {
    const int count = GetCount();
    if (count == 0) {
        return -1;
    }
    const std::uint32_t hash = Hash(apUnits, aLength, fHashShift, fIgnoreCase);
    // Every lookup of a data file's tree comes here: the run of entries
    // holding the hash is found by one bisection over the entries in place.
    const VoHashKeyListEntry* entries = &fEntries.At(0);
    const VoHashKeyListEntry* entry = std::lower_bound(
        entries, entries + count, hash,
        [](const VoHashKeyListEntry& aEntry, std::uint32_t aHash) { return aEntry.fHash < aHash; });
    // Keys are compared on every hit, not only once a collision is known: a
    // different key with the same hash must not answer for this one.
    for (; entry != entries + count && entry->fHash == hash; ++entry) {
        const VoString* key = fKeys.PeekAt(entry->fIndex);
        if (key != nullptr ? key->EqualsUnits(apUnits, aLength, fIgnoreCase) : aLength == 0) {
            return static_cast<int>(entry - entries);
        }
    }
    return -1;
}

void* VoHashKeyList::Get(const VoString& aKey) {
    const int position = FindEntry(aKey);
    return position < 0 ? nullptr : fItems.GetAt(VoHashIndex::At(fEntries, position)->fIndex);
}

void* VoHashKeyList::Get(const char16_t* apUnits, std::int32_t aLength) {
    const int position = FindEntry(apUnits, aLength);
    return position < 0 ? nullptr : fItems.GetAt(VoHashIndex::At(fEntries, position)->fIndex);
}

int VoHashKeyList::IndexOf(const VoString& aKey) {
    const int position = FindEntry(aKey);
    return position < 0 ? -1 : VoHashIndex::At(fEntries, position)->fIndex;
}

void* VoHashKeyList::GetByHash(std::uint32_t aHash) {
    if (GetCount() == 0) {
        return nullptr;
    }
    const int found = VoHashIndex::Search(fEntries, aHash, nullptr);
    return found < 0 ? nullptr : fItems.GetAt(VoHashIndex::At(fEntries, found)->fIndex);
}

void* VoHashKeyList::GetAt(int aIndex) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        VO_ERROR(kIndexOutOfBounds);
        return nullptr;
    }
    return fItems.GetAt(aIndex);
}

bool VoHashKeyList::GetKeyAt(int aIndex, VoString& aKey) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        VO_ERROR(kIndexOutOfBounds);
        return false;
    }
    aKey = fKeys.GetAt(aIndex);
    return true;
}

bool VoHashKeyList::GetItems(void*** apppItems) {
    if (apppItems == nullptr || *apppItems != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    return fItems.ToArray(apppItems);
}

bool VoHashKeyList::GetKeys(VoString** appKeys) {
    if (appKeys == nullptr || *appKeys != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    return fKeys.ToArray(appKeys);
}

bool VoHashKeyList::Remove(const VoString& aKey, void** appItem) {
    const int position = FindEntry(aKey);
    if (position < 0) {
        return false;
    }
    const int index = VoHashIndex::Remove(fEntries, position);
    if (!fKeys.RemoveAt(index)) {
        VO_ASSERT_FAILURE(kRemoveAtFailure);
    }
    if (!fItems.RemoveAt(index, appItem)) {
        VO_ASSERT_FAILURE(kRemoveAtFailure);
    }
    return true;
}

void VoHashKeyList::Clear() {
    VoHashIndex::DeleteAll(fEntries);
    fKeys.Clear();
    fItems.Clear();
}

bool VoHashKeyList::Sort() {
    fSorted = true;
    VoHashIndex::Sort(fEntries);
    return true;
}

int VoHashKeyList::CountCollisions() {
    // Starts from hash 0, so a leading empty key counts as one collision.
    fCollisionCount = 0;
    std::uint32_t previous = 0;
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        const std::uint32_t hash = VoHashIndex::At(fEntries, i)->fHash;
        if (hash == previous) {
            ++fCollisionCount;
        }
        previous = hash;
    }
    return fCollisionCount;
}

int VoHashKeyList::GetCount() const { return fEntries.GetCount(); }

void VoHashKeyList::SetIgnoreCase(bool aIgnoreCase) {
    if (aIgnoreCase == fIgnoreCase) {
        return;
    }
    fIgnoreCase = aIgnoreCase;
    // Stored hashes were made under the old folding; without a rehash a key
    // holding a capital would be lost to every lookup.
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        VoHashKeyListEntry* entry = VoHashIndex::At(fEntries, i);
        entry->fHash = Hash(fKeys.GetAt(entry->fIndex), fHashShift, fIgnoreCase);
    }
    Sort();
    CountCollisions();
    fCollisionsCounted = true;
}

VoString VoHashKeyList::ToString() const { return VoDebugString("VoHashKeyList", this); }
