#pragma once
#include <cstdint>

#include "container/VoHashKeyListEntry.h"
#include "container/VoVectorCore.h"

// The index entries, held by value: one array of (hash, insertion index)
// records, growing like the other vectors (capacity and increment as given,
// 1000 and 100 by default).
using VoHashEntries = VoVectorCore<VoHashKeyListEntry>;

// The hash index that VoHashKeyList and VoHashList share: the entries, kept
// in ascending unsigned hash order by their owner, each naming a position in
// the owner's insertion-order vectors.
namespace VoHashIndex {

// Refusals of the entry vector, which only a failed allocation causes.
constexpr const char* kRemoveFailure = "RemoveAt failure.";

// The entry at a position of the index; null outside it. Valid until the
// index next changes its count.
VoHashKeyListEntry* At(VoHashEntries& arEntries, int aPosition);
const VoHashKeyListEntry* At(const VoHashEntries& aEntries, int aPosition);

// Binary search for aHash. Returns the position of an entry holding it (any
// one of a run of equal hashes), or -1; on a miss *apInsertAt receives the
// position that keeps the index in order.
int Search(const VoHashEntries& aEntries, std::uint32_t aHash, int* apInsertAt);

// The first position whose hash is not below aHash (the count when none is),
// and the first position whose hash is above it.
int LowerBound(const VoHashEntries& aEntries, std::uint32_t aHash);
int UpperBound(const VoHashEntries& aEntries, std::uint32_t aHash);

// The positions of the run of equal hashes around aPosition.
void RunBounds(const VoHashEntries& aEntries, int aPosition, int* apFirst, int* apLast);

// Sorts by hash, entries of equal hash by insertion index, so a run of equal
// hashes always stands in the order its keys were stored. In place: it
// cannot fail.
void Sort(VoHashEntries& arEntries);

// Inserts the entry (aHash, aIndex) at aPosition (the count appends); false,
// with the index unchanged, when the vector cannot grow.
bool Insert(VoHashEntries& arEntries, int aPosition, std::uint32_t aHash, int aIndex);

// Removes the entry at aPosition; undoes an Insert.
void Unlink(VoHashEntries& arEntries, int aPosition);

// Removes the entry at aPosition and renumbers the entries behind its key;
// returns the insertion index that the entry named.
int Remove(VoHashEntries& arEntries, int aPosition);

// Adds 1 to every entry index at or above aFrom (an insertion at aFrom).
void ShiftIndices(VoHashEntries& arEntries, int aFrom);

// Stores a new entry (aHash) at index position aPosition, and through
// aStoreItem(bool aAppend) the owner's key and item at insertion index aIndex
// (one at or past the end appends). All or nothing: when aStoreItem fails
// (having undone its own part) the entry goes again, so the owner's vectors
// never disagree about the count.
template <typename StoreItem>
bool Store(VoHashEntries& arEntries, int aPosition, std::uint32_t aHash, int aIndex, StoreItem aStoreItem) {
    const int count = arEntries.GetCount();
    const bool append = aIndex >= count;
    const int position = aPosition < count ? aPosition : count;
    if (!Insert(arEntries, position, aHash, append ? count : aIndex)) {
        return false;
    }
    if (!aStoreItem(append)) {
        Unlink(arEntries, position);
        return false;
    }
    if (!append) {
        // The item went in before the end: the keys behind it moved up by one.
        ShiftIndices(arEntries, aIndex);
        arEntries.At(position).fIndex = aIndex;
    }
    return true;
}

// Empties the index and releases its array.
void DeleteAll(VoHashEntries& arEntries);

}  // namespace VoHashIndex
