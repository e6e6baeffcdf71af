#pragma once
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoHashIndex.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorString.h"

// A dictionary from VoString keys to item pointers that keeps two views: keys
// and items in insertion order (reachable by index), and a hash index sorted
// by hash for lookups. The list never deletes an item.
//
// Callers that add without the duplicate check must call Sort before the next
// lookup or checked add.
class VoHashKeyList : public VoBase {
public:
    static constexpr const char* kDuplicateKey = "AddAt failure. Duplicate key:";
    static constexpr const char* kAddAtOutOfBounds = "AddAt failure. Index out of bounds.";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kRemoveAtFailure = "RemoveAt failure.";

    VoHashKeyList(int aHashShift, bool aIgnoreCase);
    // A list that expects few keys: its three vectors start with aCapacity
    // slots instead of the default 1000 (a data file has thousands of small
    // sections). A capacity below 0 is logged and replaced by 10.
    VoHashKeyList(int aHashShift, bool aIgnoreCase, int aCapacity);
    ~VoHashKeyList() override;
    VoHashKeyList(const VoHashKeyList&) = delete;
    VoHashKeyList& operator=(const VoHashKeyList&) = delete;

    // The engine's name hash: h = rotate-left(h, aShift mod 32) + unit over
    // the key's 16-bit units, folding only 'A'..'Z' when ignoring case; the
    // empty key hashes to 0. Frames, tracks and lip-sync data are matched by
    // this value alone, so it must never change.
    static std::uint32_t Hash(const VoString& aKey, int aShift, bool aIgnoreCase);
    // The same over aLength units (up to a 0 unit, should one come first).
    static std::uint32_t Hash(const char16_t* apUnits, int aLength, int aShift, bool aIgnoreCase);

    // Append the key and its item; the key's hash, or 0 when the check
    // refuses a duplicate (the empty key also hashes to 0).
    std::uint32_t Add(const VoString& aKey, void* apItem, bool aCheckDuplicates);
    // Insert before the key at insertion index aIndex (0..count-1).
    std::uint32_t AddAt(int aIndex, const VoString& aKey, void* apItem, bool aCheckDuplicates);

    // Lookups by key compare keys within a run of equal hashes, so a key
    // that merely shares a stored key's hash is not found.
    void* Get(const VoString& aKey);
    // The same for the key made of the aLength units at apUnits (a piece of
    // a longer text), without making a string of them.
    void* Get(const char16_t* apUnits, std::int32_t aLength);
    int IndexOf(const VoString& aKey);
    // The item of an entry holding this hash; no key is compared.
    void* GetByHash(std::uint32_t aHash);
    void* GetAt(int aIndex);
    bool GetKeyAt(int aIndex, VoString& aKey);

    void* operator[](const VoString& aKey) { return Get(aKey); }
    void* operator[](std::uint32_t aHash) { return GetByHash(aHash); }
    void* operator[](int aIndex) { return GetAt(aIndex); }

    // New arrays in insertion order, which the caller releases with delete[].
    // The out-pointer must hold null.
    bool GetItems(void*** apppItems);
    bool GetKeys(VoString** appKeys);

    // Removes the key; its item goes to *appItem when appItem is given.
    bool Remove(const VoString& aKey, void** appItem);
    void Clear();
    // For owners of their items: empties the list, then deletes every item as
    // a T. False, with nothing changed, when the items cannot be copied out.
    template <typename T>
    bool ClearAndDelete();
    // Makes room for aCount keys in all, so that the adds up to that count
    // reallocate nothing; false when the room cannot be had.
    bool Reserve(int aCount);
    bool Sort();
    int CountCollisions();
    int GetCount() const;
    int GetHashShift() const { return fHashShift; }
    // True after Sort, false after an unchecked add; nothing depends on it.
    bool IsSorted() const { return fSorted; }
    // Rehashes every stored key under the new folding, so every key stays
    // findable.
    void SetIgnoreCase(bool aIgnoreCase);
    bool GetIgnoreCase() const { return fIgnoreCase; }

    VoString ToString() const override;

protected:
    // For an owner that fills the list in bulk and finds duplicates itself:
    // appends the key (made with VO_NEW; the list then owns it), its hash
    // under this list's shift and folding, and the item, without the check,
    // as an unchecked Add does. Sort before the next lookup. False, with
    // nothing taken, when a vector cannot grow.
    bool AddAdopted(VoString* apKey, std::uint32_t aHash, void* apItem);
    // The key at an insertion index, held by the list; null out of range.
    const VoString* PeekKeyAt(int aIndex) const { return fKeys.PeekAt(aIndex); }
    // The hash of the entry at an index position. Until the next Sort after
    // unchecked adds, position and insertion index coincide.
    std::uint32_t GetHashAt(int aPosition) const { return fEntries.At(aPosition).fHash; }

private:
    // Position in the hash index of the entry whose key equals aKey (the
    // aLength units at apUnits), or -1.
    int FindEntry(const VoString& aKey);
    int FindEntry(const char16_t* apUnits, std::int32_t aLength);
    // Checked-add bookkeeping shared by Add and AddAt: false for a duplicate;
    // otherwise *apInsertAt is the index position for the new entry.
    bool FindInsertPosition(std::uint32_t aHash, const VoString& aKey, int* apInsertAt);
    // Inserts the entry at index position aPosition and the key and item at
    // insertion index aIndex (count appends); all or nothing.
    bool Store(int aPosition, int aIndex, std::uint32_t aHash, const VoString& aKey, void* apItem);
    bool KeyEquals(int aIndex, const VoString& aKey) const;

    VoHashEntries fEntries;  // ascending hash
    VoVectorString fKeys;
    VoVector fItems;  // not owned
    int fHashShift;
    bool fSorted;
    bool fCollisionsCounted;
    int fCollisionCount;
    bool fIgnoreCase;
};

template <typename T>
bool VoHashKeyList::ClearAndDelete() {
    const int count = GetCount();
    void** items = nullptr;
    if (count > 0 && !GetItems(&items)) {
        return false;
    }
    // Emptied first, so no destructor finds an item that is being deleted.
    Clear();
    for (int i = 0; i < count; ++i) {
        delete static_cast<T*>(items[i]);
    }
    delete[] items;
    return true;
}
