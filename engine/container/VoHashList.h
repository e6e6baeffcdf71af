#pragma once
#include <cstdint>

#include "container/VoHashIndex.h"
#include "container/VoString.h"
#include "container/VoVector.h"

// Maps a 32-bit hash to an item pointer: items in insertion order, found by a
// binary search of a hash index kept sorted. No keys are stored: the keyed
// operations hash the key (VoHashKeyList::Hash) and work with the hash alone,
// so two keys with one hash are one key here. Never deletes an item.
class VoHashList {
public:
    static constexpr const char* kHashFound = "Hash matching aHash found in list. aHash: ";
    static constexpr const char* kKeyFound = "Hash matching aKey found in list. aKey: ";
    static constexpr const char* kAddAtOutOfBounds = "AddAt failure. Index out of bounds.";
    static constexpr const char* kKeyNotFound = "Key not found: ";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    static constexpr const char* kInvalidRange = "Invalid range.";
    static constexpr const char* kListEmpty = "List empty.";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kRemoveAtFailure = "RemoveAt failure.";

    VoHashList(int aHashShift, bool aIgnoreCase);
    ~VoHashList();
    VoHashList(const VoHashList&) = delete;
    VoHashList& operator=(const VoHashList&) = delete;

    // False (keyed: 0) when the check finds the hash already stored.
    bool Add(std::uint32_t aHash, void* apItem, bool aCheckDuplicates);
    std::uint32_t Add(const VoString& aKey, void* apItem, bool aCheckDuplicates);
    // Insert before the item at insertion index aIndex (0..count-1).
    bool AddAt(int aIndex, std::uint32_t aHash, void* apItem, bool aCheckDuplicates);
    std::uint32_t AddAt(int aIndex, const VoString& aKey, void* apItem, bool aCheckDuplicates);

    void* Get(std::uint32_t aHash);
    void* Get(const VoString& aKey);
    int IndexOf(const VoString& aKey);
    void* GetAt(int aIndex);
    void* operator[](std::uint32_t aHash) { return Get(aHash); }
    void* operator[](const VoString& aKey) { return Get(aKey); }
    void* operator[](int aIndex) { return GetAt(aIndex); }
    // A new array of the items in insertion order (caller releases with
    // delete[]); *apppItems must hold null.
    bool GetItems(void*** apppItems);

    // A hash in [aMin, aMax] that no entry holds: aHash itself when it is free
    // and in range, else the first free value of a walk from it (upward or
    // downward, wrapping around the range); 0 when the range is full or
    // aMin is not below aMax. The third argument is unused.
    std::uint32_t GetFreeHash(std::uint32_t aHash, bool aAscending, bool aUnused, std::uint32_t aMin,
                              std::uint32_t aMax);

    // The item goes to *appItem, which must hold null.
    bool Remove(std::uint32_t aHash, void** appItem);
    bool Remove(const VoString& aKey, void** appItem);
    void Clear();
    bool Sort();
    int GetCount() const;
    int GetHashShift() const { return fHashShift; }

private:
    // Shared by both forms of Add and AddAt; apKey names the key in the
    // refusal message (null for the hash forms). aIndex < 0 appends.
    bool Store(int aIndex, std::uint32_t aHash, void* apItem, bool aCheckDuplicates, const VoString* apKey);
    // Remove by hash; a failed item removal is reported with apItemFailure.
    bool RemoveHash(std::uint32_t aHash, void** appItem, const char* apItemFailure);
    // The insertion index of an entry holding aHash, or -1 (also when empty).
    int FindIndex(std::uint32_t aHash);
    void EnsureSorted();
    bool Holds(std::uint32_t aHash);

    VoHashEntries fEntries;
    VoVector fItems;  // not owned
    int fHashShift;
    bool fSorted;
    bool fIgnoreCase;
};
