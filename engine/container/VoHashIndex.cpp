#include "container/VoHashIndex.h"

#include <algorithm>

#include "container/VoLog.h"

namespace VoHashIndex {

VoHashKeyListEntry* At(VoHashEntries& arEntries, int aPosition) {
    return arEntries.InRange(aPosition) ? &arEntries.At(aPosition) : nullptr;
}

const VoHashKeyListEntry* At(const VoHashEntries& aEntries, int aPosition) {
    return aEntries.InRange(aPosition) ? &aEntries.At(aPosition) : nullptr;
}

int Search(const VoHashEntries& aEntries, std::uint32_t aHash, int* apInsertAt) {
    int lo = 0;
    int hi = aEntries.GetCount() - 1;
    int mid = 0;
    bool above = false;
    while (lo <= hi) {
        mid = lo + (hi - lo) / 2;
        const std::uint32_t hash = aEntries.At(mid).fHash;
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

int LowerBound(const VoHashEntries& aEntries, std::uint32_t aHash) {
    int lo = 0;
    int hi = aEntries.GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (aEntries.At(mid).fHash < aHash) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

int UpperBound(const VoHashEntries& aEntries, std::uint32_t aHash) {
    int lo = 0;
    int hi = aEntries.GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (aEntries.At(mid).fHash <= aHash) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

void RunBounds(const VoHashEntries& aEntries, int aPosition, int* apFirst, int* apLast) {
    const std::uint32_t hash = aEntries.At(aPosition).fHash;
    const int count = aEntries.GetCount();
    int first = aPosition;
    while (first > 0 && aEntries.At(first - 1).fHash == hash) {
        --first;
    }
    int last = aPosition;
    while (last + 1 < count && aEntries.At(last + 1).fHash == hash) {
        ++last;
    }
    *apFirst = first;
    *apLast = last;
}

void Sort(VoHashEntries& arEntries) {
    const int count = arEntries.GetCount();
    if (count < 2) {
        return;
    }
    VoHashKeyListEntry* first = &arEntries.At(0);
    std::sort(first, first + count, [](const VoHashKeyListEntry& aLeft, const VoHashKeyListEntry& aRight) {
        if (aLeft.fHash != aRight.fHash) {
            return aLeft.fHash < aRight.fHash;
        }
        return aLeft.fIndex < aRight.fIndex;
    });
}

bool Insert(VoHashEntries& arEntries, int aPosition, std::uint32_t aHash, int aIndex) {
    const VoHashKeyListEntry entry(aHash, aIndex);
    return aPosition >= arEntries.GetCount() ? arEntries.Add(entry) : arEntries.AddAt(aPosition, entry);
}

namespace {

// Takes the entry at aPosition out of the index; false when the vector's
// removal failed. That removal builds a new array; when memory runs out for
// it the later entries move down in place instead (which needs none), so a
// removed entry never stays in the index.
bool TakeOut(VoHashEntries& arEntries, int aPosition) {
    if (arEntries.RemoveAt(aPosition, nullptr)) {
        return true;
    }
    const int last = arEntries.GetCount() - 1;
    for (int i = aPosition; i < last; ++i) {
        arEntries.At(i) = arEntries.At(i + 1);
    }
    arEntries.SetCount(last);
    return false;
}

}  // namespace

void Unlink(VoHashEntries& arEntries, int aPosition) {
    TakeOut(arEntries, aPosition);
}

void ShiftIndices(VoHashEntries& arEntries, int aFrom) {
    const int count = arEntries.GetCount();
    for (int i = 0; i < count; ++i) {
        VoHashKeyListEntry& entry = arEntries.At(i);
        if (entry.fIndex >= aFrom) {
            ++entry.fIndex;
        }
    }
}

int Remove(VoHashEntries& arEntries, int aPosition) {
    const int removed = arEntries.At(aPosition).fIndex;
    if (!TakeOut(arEntries, aPosition)) {
        VO_ASSERT_FAILURE(kRemoveFailure);
    }
    const int count = arEntries.GetCount();
    for (int i = 0; i < count; ++i) {
        VoHashKeyListEntry& other = arEntries.At(i);
        if (other.fIndex > removed) {
            --other.fIndex;
        }
    }
    return removed;
}

void DeleteAll(VoHashEntries& arEntries) {
    arEntries.Clear();
}

}  // namespace VoHashIndex
