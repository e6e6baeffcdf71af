#include "container/VoHashIndex.h"

#include <algorithm>

#include "container/VoLog.h"
#include "container/VoVector.h"
#include "memory/VoNew.h"

namespace VoHashIndex {

VoHashKeyListEntry* At(const VoVector& aEntries, int aPosition) {
    return static_cast<VoHashKeyListEntry*>(aEntries.GetAt(aPosition));
}

int Search(const VoVector& aEntries, std::uint32_t aHash, int* apInsertAt) {
    int lo = 0;
    int hi = aEntries.GetCount() - 1;
    int mid = 0;
    bool above = false;
    while (lo <= hi) {
        mid = lo + (hi - lo) / 2;
        const std::uint32_t hash = At(aEntries, mid)->fHash;
        if (hash == aHash) {
            return mid;
        }
        above = aHash > hash;
        if (above) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (apInsertAt != nullptr) {
        *apInsertAt = above ? mid + 1 : mid;
    }
    return -1;
}

int LowerBound(const VoVector& aEntries, std::uint32_t aHash) {
    int lo = 0;
    int hi = aEntries.GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (At(aEntries, mid)->fHash < aHash) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

int UpperBound(const VoVector& aEntries, std::uint32_t aHash) {
    int lo = 0;
    int hi = aEntries.GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (At(aEntries, mid)->fHash <= aHash) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

void RunBounds(const VoVector& aEntries, int aPosition, int* apFirst, int* apLast) {
    const std::uint32_t hash = At(aEntries, aPosition)->fHash;
    const int count = aEntries.GetCount();
    int first = aPosition;
    while (first > 0 && At(aEntries, first - 1)->fHash == hash) {
        --first;
    }
    int last = aPosition;
    while (last + 1 < count && At(aEntries, last + 1)->fHash == hash) {
        ++last;
    }
    *apFirst = first;
    *apLast = last;
}

void Sort(VoVector& aEntries) {
    const int count = aEntries.GetCount();
    if (count < 2) {
        return;
    }
    void** copy = nullptr;
    if (!aEntries.ToArray(&copy)) {
        VO_ASSERT_FAILURE(kSortFailure);
        return;
    }
    std::sort(copy, copy + count, [](const void* a, const void* b) {
        const VoHashKeyListEntry* left = static_cast<const VoHashKeyListEntry*>(a);
        const VoHashKeyListEntry* right = static_cast<const VoHashKeyListEntry*>(b);
        if (left->fHash != right->fHash) {
            return left->fHash < right->fHash;
        }
        return left->fIndex < right->fIndex;
    });
    for (int i = 0; i < count; ++i) {
        aEntries.SetAt(i, copy[i], nullptr);
    }
    delete[] copy;
}

VoHashKeyListEntry* Insert(VoVector& aEntries, int aPosition, std::uint32_t aHash, int aIndex) {
    VoHashKeyListEntry* entry = VO_NEW VoHashKeyListEntry(aHash, aIndex);
    if (entry == nullptr) {
        return nullptr;
    }
    const bool stored = aPosition >= aEntries.GetCount() ? aEntries.Add(entry) : aEntries.AddAt(aPosition, entry);
    if (!stored) {
        delete entry;
        return nullptr;
    }
    return entry;
}

namespace {

// Takes the entry at aPosition out of the index; false when the vector's
// removal failed. That removal builds a new array; when memory runs out for
// it the later entries move down in place instead (which needs none), so an
// entry about to be deleted never stays in the index.
bool TakeOut(VoVector& aEntries, int aPosition) {
    if (aEntries.RemoveAt(aPosition, nullptr)) {
        return true;
    }
    const int last = aEntries.GetCount() - 1;
    for (int i = aPosition; i < last; ++i) {
        aEntries.SetAt(i, aEntries.GetAt(i + 1), nullptr);
    }
    aEntries.SetCount(last);
    return false;
}

}  // namespace

void Unlink(VoVector& aEntries, int aPosition) {
    VoHashKeyListEntry* entry = At(aEntries, aPosition);
    TakeOut(aEntries, aPosition);
    delete entry;
}

void Renumber(const VoVector& aEntries, VoHashKeyListEntry* apEntry, int aIndex) {
    ShiftIndices(aEntries, aIndex);
    apEntry->fIndex = aIndex;
}

void ShiftIndices(const VoVector& aEntries, int aFrom) {
    const int count = aEntries.GetCount();
    for (int i = 0; i < count; ++i) {
        VoHashKeyListEntry* entry = At(aEntries, i);
        if (entry->fIndex >= aFrom) {
            ++entry->fIndex;
        }
    }
}

int Remove(VoVector& aEntries, int aPosition) {
    VoHashKeyListEntry* entry = At(aEntries, aPosition);
    const int removed = entry->fIndex;
    if (!TakeOut(aEntries, aPosition)) {
        VO_ASSERT_FAILURE(kRemoveFailure);
    }
    delete entry;
    const int count = aEntries.GetCount();
    for (int i = 0; i < count; ++i) {
        VoHashKeyListEntry* other = At(aEntries, i);
        if (other->fIndex > removed) {
            --other->fIndex;
        }
    }
    return removed;
}

void DeleteAll(VoVector& aEntries) {
    const int count = aEntries.GetCount();
    for (int i = 0; i < count; ++i) {
        delete At(aEntries, i);
    }
    aEntries.Clear();
}

}  // namespace VoHashIndex
