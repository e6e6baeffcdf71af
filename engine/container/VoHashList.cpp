#include "container/VoHashList.h"

#include "container/VoHashIndex.h"
#include "container/VoHashKeyList.h"
#include "container/VoLog.h"

namespace {
constexpr const char* kStoreFailure = "Add failure. Could not store the hash.";
}  // namespace

VoHashList::VoHashList(int aHashShift, bool aIgnoreCase)
    : fHashShift(aHashShift), fSorted(false), fIgnoreCase(aIgnoreCase) {}

VoHashList::~VoHashList() { Clear(); }

bool VoHashList::Add(std::uint32_t aHash, void* apItem, bool aCheckDuplicates) {
    return Store(-1, aHash, apItem, aCheckDuplicates, nullptr);
}

std::uint32_t VoHashList::Add(const VoString& aKey, void* apItem, bool aCheckDuplicates) {
    const std::uint32_t hash = VoHashKeyList::Hash(aKey, fHashShift, fIgnoreCase);
    return Store(-1, hash, apItem, aCheckDuplicates, &aKey) ? hash : 0;
}

bool VoHashList::AddAt(int aIndex, std::uint32_t aHash, void* apItem, bool aCheckDuplicates) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        VO_ERROR(kAddAtOutOfBounds);
        return false;
    }
    return Store(aIndex, aHash, apItem, aCheckDuplicates, nullptr);
}

std::uint32_t VoHashList::AddAt(int aIndex, const VoString& aKey, void* apItem, bool aCheckDuplicates) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        VO_ERROR(kAddAtOutOfBounds);
        return 0;
    }
    const std::uint32_t hash = VoHashKeyList::Hash(aKey, fHashShift, fIgnoreCase);
    return Store(aIndex, hash, apItem, aCheckDuplicates, &aKey) ? hash : 0;
}

bool VoHashList::Store(int aIndex, std::uint32_t aHash, void* apItem, bool aCheckDuplicates, const VoString* apKey) {
    const int count = GetCount();
    const bool append = aIndex < 0;
    int position = count;
    if (count == 0) {
        fSorted = true;
    } else if (!aCheckDuplicates) {
        fSorted = false;
    } else {
        EnsureSorted();
        if (VoHashIndex::Search(fEntries, aHash, &position) >= 0) {
            if (apKey != nullptr) {
                VO_ERROR(kKeyFound, *apKey);
            } else {
                VO_ERROR(kHashFound, static_cast<std::int32_t>(aHash));
            }
            return false;
        }
    }
    const bool stored = VoHashIndex::Store(fEntries, position, aHash, append ? count : aIndex, [&](bool aAppend) {
        return aAppend ? fItems.Add(apItem) : fItems.AddAt(aIndex, apItem);
    });
    if (!stored) {
        VO_ERROR(kStoreFailure);
    }
    return stored;
}

int VoHashList::FindIndex(std::uint32_t aHash) {
    if (GetCount() == 0) {
        return -1;
    }
    EnsureSorted();
    const int found = VoHashIndex::Search(fEntries, aHash, nullptr);
    return found < 0 ? -1 : VoHashIndex::At(fEntries, found)->fIndex;
}

void* VoHashList::Get(std::uint32_t aHash) {
    const int index = FindIndex(aHash);
    return index < 0 ? nullptr : fItems.GetAt(index);
}

void* VoHashList::Get(const VoString& aKey) {
    if (GetCount() == 0) {
        return nullptr;
    }
    const int index = FindIndex(VoHashKeyList::Hash(aKey, fHashShift, fIgnoreCase));
    if (index < 0) {
        VO_ERROR(kKeyNotFound, aKey);
        return nullptr;
    }
    return fItems.GetAt(index);
}

int VoHashList::IndexOf(const VoString& aKey) {
    return FindIndex(VoHashKeyList::Hash(aKey, fHashShift, fIgnoreCase));
}

void* VoHashList::GetAt(int aIndex) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        VO_ERROR(kIndexOutOfBounds);
        return nullptr;
    }
    return fItems.GetAt(aIndex);
}

bool VoHashList::GetItems(void*** apppItems) { return fItems.ToArray(apppItems); }

bool VoHashList::Holds(std::uint32_t aHash) { return VoHashIndex::Search(fEntries, aHash, nullptr) >= 0; }

std::uint32_t VoHashList::GetFreeHash(std::uint32_t aHash, bool aAscending, bool, std::uint32_t aMin,
                                      std::uint32_t aMax) {
    EnsureSorted();
    // Presence is decided by the index, so a hash stored with a null item
    // counts as taken.
    const bool inRange = aMin <= aHash && aHash <= aMax;
    if (inRange && !Holds(aHash)) {
        return aHash;
    }
    if (aMin >= aMax) {
        VO_ERROR(kInvalidRange);
        return 0;
    }
    // A start outside the range enters it where the walk would wrap to.
    const std::uint64_t span = static_cast<std::uint64_t>(aMax) - aMin + 1;
    std::uint64_t tries = span;
    std::uint32_t candidate = aAscending ? aMin : aMax;
    if (inRange) {
        tries = span - 1;
        if (aAscending) {
            candidate = aHash == aMax ? aMin : aHash + 1;
        } else {
            candidate = aHash == aMin ? aMax : aHash - 1;
        }
    }
    const int count = GetCount();
    // The walk moves through the sorted index alongside the candidates, so
    // each step is one comparison; it ends within count + 1 steps.
    if (aAscending) {
        int position = VoHashIndex::LowerBound(fEntries, candidate);
        for (std::uint64_t i = 0; i < tries; ++i) {
            while (position < count && VoHashIndex::At(fEntries, position)->fHash < candidate) {
                ++position;
            }
            if (position >= count || VoHashIndex::At(fEntries, position)->fHash != candidate) {
                return candidate;
            }
            if (candidate == aMax) {
                candidate = aMin;
                position = VoHashIndex::LowerBound(fEntries, candidate);
            } else {
                ++candidate;
            }
        }
    } else {
        int position = VoHashIndex::UpperBound(fEntries, candidate) - 1;
        for (std::uint64_t i = 0; i < tries; ++i) {
            while (position >= 0 && VoHashIndex::At(fEntries, position)->fHash > candidate) {
                --position;
            }
            if (position < 0 || VoHashIndex::At(fEntries, position)->fHash != candidate) {
                return candidate;
            }
            if (candidate == aMin) {
                candidate = aMax;
                position = VoHashIndex::UpperBound(fEntries, candidate) - 1;
            } else {
                --candidate;
            }
        }
    }
    return 0;
}

bool VoHashList::Remove(std::uint32_t aHash, void** appItem) { return RemoveHash(aHash, appItem, ""); }

bool VoHashList::Remove(const VoString& aKey, void** appItem) {
    return RemoveHash(VoHashKeyList::Hash(aKey, fHashShift, fIgnoreCase), appItem, kRemoveAtFailure);
}

bool VoHashList::RemoveHash(std::uint32_t aHash, void** appItem, const char* apItemFailure) {
    if (GetCount() == 0) {
        VO_ERROR(kListEmpty);
        return false;
    }
    if (appItem == nullptr || *appItem != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    EnsureSorted();
    const int position = VoHashIndex::Search(fEntries, aHash, nullptr);
    if (position < 0) {
        return false;
    }
    const int index = VoHashIndex::Remove(fEntries, position);
    if (!fItems.RemoveAt(index, appItem)) {
        VO_ASSERT_FAILURE(apItemFailure);
    }
    return true;
}

void VoHashList::Clear() {
    VoHashIndex::DeleteAll(fEntries);
    fItems.Clear();
}

bool VoHashList::Sort() {
    VoHashIndex::Sort(fEntries);
    fSorted = true;
    return true;
}

void VoHashList::EnsureSorted() {
    if (!fSorted) {
        Sort();
    }
}

int VoHashList::GetCount() const { return fEntries.GetCount(); }
