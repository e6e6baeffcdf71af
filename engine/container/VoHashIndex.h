#pragma once
#include <cstdint>

#include "container/VoHashKeyListEntry.h"

#include "container/VoVector.h"

// The hash index that VoHashKeyList and VoHashList share: a VoVector of owned
// VoHashKeyListEntry pointers, kept in ascending unsigned hash order by its
// owner, each entry naming a position in the owner's insertion-order vectors.
namespace VoHashIndex {

// Refusals of the entry vector, which only a failed allocation causes.
constexpr const char* kRemoveFailure = "RemoveAt failure.";
// The copy-out for sorting is reported with an empty text.
constexpr const char* kSortFailure = "";

// The entry at a position of the index; null outside it.
VoHashKeyListEntry* At(const VoVector& aEntries, int aPosition);

// Binary search for aHash. Returns the position of an entry holding it (any
// one of a run of equal hashes), or -1; on a miss *apInsertAt receives the
// position that keeps the index in order.
int Search(const VoVector& aEntries, std::uint32_t aHash, int* apInsertAt);

// The first position whose hash is not below aHash (the count when none is),
// and the first position whose hash is above it.
int LowerBound(const VoVector& aEntries, std::uint32_t aHash);
int UpperBound(const VoVector& aEntries, std::uint32_t aHash);

// The positions of the run of equal hashes around aPosition.
void RunBounds(const VoVector& aEntries, int aPosition, int* apFirst, int* apLast);

// Sorts by hash, entries of equal hash by insertion index, so a run of equal
// hashes always stands in the order its keys were stored. When the copy of
// the index cannot be made it logs and leaves the index as it was.
void Sort(VoVector& aEntries);

// Makes a new entry (aHash, aIndex) and inserts it at aPosition (the count
// appends). Null, with the index unchanged, when either step fails.
VoHashKeyListEntry* Insert(VoVector& aEntries, int aPosition, std::uint32_t aHash, int aIndex);

// Removes and deletes the entry at aPosition; undoes an Insert.
void Unlink(VoVector& aEntries, int aPosition);

// Removes and deletes the entry at aPosition and renumbers the entries
// behind its key; returns the insertion index that the entry named.
int Remove(VoVector& aEntries, int aPosition);

// After the item of apEntry went in at insertion index aIndex before the
// end: renumbers the entries behind it.
void Renumber(const VoVector& aEntries, VoHashKeyListEntry* apEntry, int aIndex);

// Stores a new entry (aHash) at index position aPosition, and through
// aStoreItem(bool aAppend) the owner's key and item at insertion index aIndex
// (one at or past the end appends). All or nothing: when aStoreItem fails
// (having undone its own part) the entry goes again, so the owner's vectors
// never disagree about the count.
template <typename StoreItem>
bool Store(VoVector& aEntries, int aPosition, std::uint32_t aHash, int aIndex, StoreItem aStoreItem) {
    const int count = aEntries.GetCount();
    const bool append = aIndex >= count;
    const int position = aPosition < count ? aPosition : count;
    VoHashKeyListEntry* entry = Insert(aEntries, position, aHash, append ? count : aIndex);
    if (entry == nullptr) {
        return false;
    }
    if (!aStoreItem(append)) {
        Unlink(aEntries, position);
        return false;
    }
    if (!append) {
        Renumber(aEntries, entry, aIndex);
    }
    return true;
}

// Adds 1 to every entry index at or above aFrom (an insertion at aFrom).
void ShiftIndices(const VoVector& aEntries, int aFrom);

// Deletes every entry and empties the index.
void DeleteAll(VoVector& aEntries);

}  // namespace VoHashIndex
