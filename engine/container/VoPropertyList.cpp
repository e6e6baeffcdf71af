#include "container/VoPropertyList.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

#include "container/VoFloat.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoUInt.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "container/VoVectorUInt.h"
#include "memory/VoNew.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoMemoryStream.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr char16_t kTab = u'\t';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kCarriageReturn = u'\r';
constexpr char16_t kEquals = u'=';
constexpr char16_t kBackslash = u'\\';
constexpr char16_t kSlash = u'/';
constexpr char16_t kDot = u'.';

bool IsWhite(char16_t aUnit) {
    return aUnit == u' ' || aUnit == kTab || aUnit == kCarriageReturn || aUnit == kLineFeed;
}

// A growable array of plain values that doubles, so appending n items costs
// O(n) in all (the engine's vectors grow by a fixed increment).
template <typename T>
class GrowArray {
    static_assert(std::is_trivially_copyable<T>::value, "plain values only");

public:
    GrowArray() = default;
    ~GrowArray() { delete[] fpItems; }
    GrowArray(const GrowArray&) = delete;
    GrowArray& operator=(const GrowArray&) = delete;

    // False, with nothing changed, when the array cannot grow.
    bool Add(const T& aItem) { return Append(&aItem, 1); }
    bool Append(const T* apItems, int aCount) {
        const long long needed = static_cast<long long>(fCount) + aCount;
        if (needed > fCapacity &&
            (needed > kMaxCount ||
             !Reserve(static_cast<int>(needed * 2 > kMaxCount ? kMaxCount : needed * 2)))) {
            return false;
        }
        std::memcpy(fpItems + fCount, apItems, sizeof(T) * static_cast<std::size_t>(aCount));
        fCount += aCount;
        return true;
    }
    bool Reserve(int aCapacity) {
        if (aCapacity <= fCapacity) {
            return true;
        }
        T* items = VO_NEW T[static_cast<std::size_t>(aCapacity)];
        if (items == nullptr) {
            return false;
        }
        if (fCount > 0) {
            std::memcpy(items, fpItems, sizeof(T) * static_cast<std::size_t>(fCount));
        }
        delete[] fpItems;
        fpItems = items;
        fCapacity = aCapacity;
        return true;
    }
    void SetCount(int aCount) { fCount = aCount; }
    int GetCount() const { return fCount; }
    T& operator[](int aIndex) { return fpItems[aIndex]; }
    T* Data() { return fpItems; }

private:
    static constexpr long long kMaxCount = 0x3FFFFFFF;

    T* fpItems = nullptr;  // owned (VO_NEW[])
    int fCount = 0;
    int fCapacity = 0;
};

// The pieces of a path between dots, empty ones skipped.
class PathPieces {
public:
    explicit PathPieces(const VoString& aPath)
        : fPath(aPath), fpUnits(aPath.GetChars()), fLength(aPath.GetLength()) {}

    // Moves to the next piece; false when there is none.
    bool Next() {
        fStart = fEnd;
        while (fStart < fLength && fpUnits[fStart] == kDot) {
            ++fStart;
        }
        if (fStart >= fLength) {
            return false;
        }
        fEnd = fStart;
        while (fEnd < fLength && fpUnits[fEnd] != kDot) {
            ++fEnd;
        }
        return true;
    }
    // Whether another piece follows the current one.
    bool HasMore() const {
        for (int i = fEnd; i < fLength; ++i) {
            if (fpUnits[i] != kDot) {
                return true;
            }
        }
        return false;
    }
    // The current piece's units, within the path, and their count.
    const char16_t* PieceUnits() const { return fpUnits + fStart; }
    int PieceLength() const { return fEnd - fStart; }
    // The current piece as a string; a path of one piece is used as it is,
    // uncopied.
    const VoString& Piece() {
        if (fStart == 0 && fEnd == fLength) {
            return fPath;
        }
        fPiece = fPath.SubString(fStart, fEnd - fStart);
        return fPiece;
    }

private:
    const VoString& fPath;
    const char16_t* fpUnits;  // not owned
    int fLength;
    int fStart = 0;
    int fEnd = 0;
    VoString fPiece;
};

// An upper bound of the pieces that splitting aText at aDelimiter gives.
int CountPieces(const VoString& aText, const VoString& aDelimiter) {
    int count = 1;
    for (int at = aText.Find(aDelimiter, 0); at >= 0;
         at = aText.Find(aDelimiter, at + aDelimiter.GetLength())) {
        ++count;
    }
    return count;
}

}  // namespace

// The value strings and element records of one parse, carved out of a few
// large blocks rather than three allocations per value line. Every list that
// the parse fills holds a reference, so a section that a caller removes from
// the tree keeps its values alive; the blocks go with the last list. Nothing
// in the arena is ever released alone: a value or record that a caller takes
// out of the tree is copied out first.
class VoPropertyList::Arena {
public:
    // With one reference; null when memory runs out. The first block is
    // sized for a text of aUnits units, so a small file takes little.
    static Arena* Create(std::size_t aUnits) {
        Arena* arena = VO_NEW Arena();
        if (arena != nullptr) {
            const std::size_t wanted = aUnits * 4;
            arena->fNextBlock = wanted < kFirstBlock     ? kFirstBlock
                                : wanted > kLargestBlock ? kLargestBlock
                                                         : wanted;
        }
        return arena;
    }
    void AddReference() { ++fReferences; }
    static void Release(Arena* apArena) {
        if (apArena != nullptr && --apArena->fReferences == 0) {
            delete apArena;
        }
    }

    // A string holding the aLength units at apUnits; null when memory runs out.
    VoString* MakeString(const char16_t* apUnits, int aLength) {
        const std::size_t bytes = (static_cast<std::size_t>(aLength) + 1) * sizeof(char16_t);
        void* place = Take(sizeof(VoString) + bytes);
        if (place == nullptr) {
            return nullptr;
        }
        // The units follow the object, so the header that the memory manager
        // would look for before them is the object: a stray release of them
        // finds no heap there and is refused.
        auto* text = new (place) VoString();
        auto* units = reinterpret_cast<char16_t*>(text + 1);
        if (aLength > 0) {
            std::memcpy(units, apUnits, bytes - sizeof(char16_t));
        }
        units[aLength] = 0;
        text->chars = units;
        text->length = aLength;
        return text;
    }

    VoPropertyListElement* MakeElement(std::uint8_t aType, void* apPointer) {
        void* place = Take(sizeof(VoPropertyListElement));
        if (place == nullptr) {
            return nullptr;
        }
        auto* element = new (place) VoPropertyListElement(aType, apPointer);
        element->inArena = true;
        return element;
    }

private:
    static constexpr std::size_t kFirstBlock = 1024;
    static constexpr std::size_t kLargestBlock = 1024 * 1024;
    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    // Each block starts with the link to the one made before it.
    struct Block {
        Block* older;
    };

    Arena() = default;
    ~Arena() {
        while (fpBlocks != nullptr) {
            Block* older = fpBlocks->older;
            delete[] reinterpret_cast<unsigned char*>(fpBlocks);
            fpBlocks = older;
        }
    }
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    void* Take(std::size_t aBytes) {
        const std::size_t bytes = (aBytes + kAlignment - 1) & ~(kAlignment - 1);
        if (static_cast<std::size_t>(fpEnd - fpNext) < bytes && !AddBlock(bytes)) {
            return nullptr;
        }
        void* place = fpNext;
        fpNext += bytes;
        return place;
    }

    bool AddBlock(std::size_t aAtLeast) {
        const std::size_t head = (sizeof(Block) + kAlignment - 1) & ~(kAlignment - 1);
        std::size_t size = fNextBlock;
        while (size < aAtLeast + head) {
            size *= 2;
        }
        auto* raw = VO_NEW unsigned char[size];
        if (raw == nullptr) {
            return false;
        }
        auto* block = new (raw) Block{fpBlocks};
        fpBlocks = block;
        fpNext = raw + head;
        fpEnd = raw + size;
        fNextBlock = fNextBlock < kLargestBlock / 2 ? fNextBlock * 2 : kLargestBlock;
        return true;
    }

    Block* fpBlocks = nullptr;  // owned (VO_NEW[]), newest first
    unsigned char* fpNext = nullptr;
    unsigned char* fpEnd = nullptr;
    std::size_t fNextBlock = kFirstBlock;
    int fReferences = 1;
};

// Reads text into a list. Lists are filled with unchecked adds and sorted
// once at the end: the checked add inserts into the sorted hash index by
// rebuilding it, which is quadratic in a list's size. Duplicates are found
// meanwhile: in a list of up to kScanLimit keys by a look along its own
// entries, still in insertion order then; in a larger one through a table of
// (list, hash) -> insertion index shared by the large lists of this parse.
//
// Keys go from the text straight into the strings their lists adopt; values
// and element records into the parse's arena.
class VoPropertyList::Parser {
public:
    explicit Parser(VoPropertyList* apRoot) : fpRoot(apRoot) {}
    ~Parser() {
        delete[] fpSlots;
        Arena::Release(fpArena);
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    void Run(const VoString& aText);

private:
    static constexpr int kScanLimit = 16;
    static constexpr std::uint32_t kMinSlots = 256;
    static constexpr std::uint32_t kMaxSlots = 1u << 30;

    struct Slot {
        VoPropertyList* list;  // not owned; null for a free slot
        std::uint32_t hash;
        int index;
    };

    // The next non-empty piece between line feeds.
    bool NextLine(int* apBegin, int* apEnd);
    // Joins a line ending in "\" with the lines that continue it, and takes it.
    void TakeContinued(int aBegin, int aLeft, int aRight);
    // One logical line: apUnits from aBegin to aEnd, right-trimmed.
    void TakeLine(const char16_t* apUnits, int aBegin, int aEnd);
    // Adds apPointer under the key (aKeyLength units at apKey) unless the key
    // is present. The element added (which then owns apPointer) or found, or
    // null when the add failed; *apAdded tells which, *apIndex gives its
    // insertion index.
    VoPropertyListElement* Place(VoPropertyList* apParent, const char16_t* apKey, int aKeyLength,
                                 std::uint8_t aType, void* apPointer, bool* apAdded, int* apIndex);
    // The section that the open path names at aDepth, looked up again by
    // name where the path changed above it; null when there is none.
    VoPropertyList* OpenSection(int aDepth);
    // Makes the section line's name the open path's entry at aDepth.
    bool Open(int aDepth, VoPropertyList* apParent, int aIndex, VoPropertyList* apSection);
    // The index of the key in apList, or -1.
    int Find(VoPropertyList* apList, std::uint32_t aHash, const char16_t* apKey, int aKeyLength);
    // Notes the key just added at aIndex, for the lists that outgrew a scan.
    bool Remember(VoPropertyList* apList, std::uint32_t aHash, int aIndex);
    bool AddSlot(VoPropertyList* apList, std::uint32_t aHash, int aIndex);
    // Rehashes into aCount slots, a power of two.
    bool GrowSlots(std::uint32_t aCount);
    std::uint32_t SlotOf(const VoPropertyList* apList, std::uint32_t aHash) const;

    VoPropertyList* fpRoot;            // not owned
    const char16_t* fpText = nullptr;  // not owned
    int fLength = 0;
    int fPosition = 0;
    // One entry of the open path: the name of the last section line at its
    // depth, kept as the key it was filed under (fpNameList's key at
    // fNameIndex), and the section that name gives in the entry above.
    struct OpenEntry {
        VoPropertyList* fpSection;   // not owned; null where the name gives no section
        VoPropertyList* fpNameList;  // not owned; null when the name was never filed
        int fNameIndex;
    };

    // The open path by depth. A section line replaces its own depth's entry
    // and leaves the deeper ones: they are names, and under the new section
    // they may name other sections or none, so entries from fResolved on are
    // looked up again before use.
    GrowArray<OpenEntry> fOpen;
    int fResolved = 0;
    // Every list that took keys, to be sorted at the end.
    GrowArray<VoPropertyList*> fFilled;
    GrowArray<char16_t> fJoined;  // a continued line, being built
    Slot* fpSlots = nullptr;      // owned (VO_NEW[]); made when a list first outgrows a scan
    std::uint32_t fSlotCount = 0;
    std::uint32_t fUsed = 0;
    // The parse's own reference; every list it fills takes another.
    Arena* fpArena = nullptr;
    bool fOutOfMemory = false;
};

bool VoPropertyList::Parser::NextLine(int* apBegin, int* apEnd) {
    while (fPosition < fLength) {
        const int begin = fPosition;
        int end = begin;
        while (end < fLength && fpText[end] != kLineFeed) {
            ++end;
        }
        fPosition = end + 1;
        if (end > begin) {
            *apBegin = begin;
            *apEnd = end;
            return true;
        }
    }
    return false;
}

namespace {

bool IsComment(const char16_t* apUnits, int aLeft, int aRight) {
    return aRight - aLeft >= 2 && apUnits[aLeft] == kSlash && apUnits[aLeft + 1] == kSlash;
}

// Narrows [*apBegin, *apEnd) by the white space at both ends.
void Trim(const char16_t* apUnits, int* apBegin, int* apEnd) {
    while (*apEnd > *apBegin && IsWhite(apUnits[*apEnd - 1])) {
        --*apEnd;
    }
    while (*apBegin < *apEnd && IsWhite(apUnits[*apBegin])) {
        ++*apBegin;
    }
}

// Whether a stored key is the aLength units at apKey, as VoString::Equals
// compares them.
bool KeyMatches(const VoString* apStored, const char16_t* apKey, int aLength, bool aIgnoreCase) {
    if (apStored == nullptr || apStored->GetLength() != aLength) {
        return false;
    }
    const char16_t* stored = apStored->GetChars();
    for (int i = 0; i < aLength; ++i) {
        char16_t left = stored[i];
        char16_t right = apKey[i];
        if (aIgnoreCase) {
            left = (left >= u'A' && left <= u'Z') ? static_cast<char16_t>(left - u'A' + u'a') : left;
            right = (right >= u'A' && right <= u'Z') ? static_cast<char16_t>(right - u'A' + u'a') : right;
        }
        if (left != right) {
            return false;
        }
    }
    return true;
}

}  // namespace

void VoPropertyList::Parser::Run(const VoString& aText) {
    fpText = aText.GetChars();
    fLength = aText.GetLength();
    fpArena = Arena::Create(static_cast<std::size_t>(fLength));
    fOutOfMemory = fpArena == nullptr || !fFilled.Add(fpRoot);
    if (!fOutOfMemory) {
        fpArena->AddReference();
        fpRoot->fpArena = fpArena;
    }
    int begin = 0;
    int end = 0;
    while (!fOutOfMemory && NextLine(&begin, &end)) {
        // The right-trimmed line is [begin, right), the trimmed one [left, right).
        int left = begin;
        int right = end;
        Trim(fpText, &left, &right);
        if (left == right || IsComment(fpText, left, right) || fpText[begin] == kCarriageReturn) {
            continue;
        }
        if (fpText[right - 1] == kBackslash && fPosition < fLength) {
            TakeContinued(begin, left, right);
        } else {
            TakeLine(fpText, begin, right);
        }
    }
    if (fOutOfMemory) {
        VO_ERROR(kAllocationFailure);
    }
    for (int i = 0; i < fFilled.GetCount(); ++i) {
        if (fFilled[i]->GetCount() > 1) {
            fFilled[i]->Sort();
        }
    }
}

void VoPropertyList::Parser::TakeContinued(int aBegin, int aLeft, int aRight) {
    fJoined.SetCount(0);
    if (!fJoined.Append(fpText + aBegin, aRight - aBegin)) {
        fOutOfMemory = true;
        return;
    }
    // The trimmed form is the joined text after its first aLeft - aBegin
    // units; both forms end alike, so one buffer serves both.
    const int lead = aLeft - aBegin;
    auto endsInBackslash = [this, lead]() {
        return fJoined.GetCount() > lead && fJoined[fJoined.GetCount() - 1] == kBackslash;
    };
    int nextBegin = 0;
    int nextEnd = 0;
    // A "\" on the last line of the text stays in it.
    while (endsInBackslash()) {
        const int position = fPosition;
        if (!NextLine(&nextBegin, &nextEnd)) {
            fPosition = position;
            break;
        }
        fJoined.SetCount(fJoined.GetCount() - 1);
        Trim(fpText, &nextBegin, &nextEnd);
        // Blank and comment lines inside a continuation are consumed.
        if (nextBegin < nextEnd && !IsComment(fpText, nextBegin, nextEnd) &&
            !fJoined.Append(fpText + nextBegin, nextEnd - nextBegin)) {
            fOutOfMemory = true;
            return;
        }
    }
    // A unit 0 inside the text would end a string early: the line ends there.
    int count = 0;
    while (count < fJoined.GetCount() && fJoined[count] != 0) {
        ++count;
    }
    TakeLine(fJoined.Data(), 0, count);
}

void VoPropertyList::Parser::TakeLine(const char16_t* apUnits, int aBegin, int aEnd) {
    int depth = 0;
    while (aBegin + depth < aEnd && apUnits[aBegin + depth] == kTab) {
        ++depth;
    }
    int left = aBegin;
    while (left < aEnd && IsWhite(apUnits[left])) {
        ++left;
    }
    int equals = left;
    while (equals < aEnd && apUnits[equals] != kEquals) {
        ++equals;
    }
    const bool isValue = equals < aEnd;
    const char16_t* key = apUnits + left;
    const int keyLength = equals - left;

    VoPropertyList* parent = fpRoot;
    if (depth > 0) {
        parent = OpenSection(depth - 1);
        if (parent == nullptr) {
            // Deeper than the open sections allow, or under a name that is
            // a value.
            VO_ERROR(kNoParent, VoString(key, keyLength));
            return;
        }
    }
    bool added = false;
    int index = -1;
    if (isValue) {
        // A value refused as a duplicate stays in the arena, unused.
        VoString* value = fpArena->MakeString(apUnits + equals + 1, aEnd - equals - 1);
        if (value == nullptr) {
            fOutOfMemory = true;
            return;
        }
        Place(parent, key, keyLength, VoPropertyListElement::kValue, value, &added, &index);
        return;
    }
    VoPropertyList* section = VO_NEW VoPropertyList();
    if (section == nullptr || !fFilled.Add(section)) {
        delete section;
        fOutOfMemory = true;
        return;
    }
    fpArena->AddReference();
    section->fpArena = fpArena;
    VoPropertyListElement* element =
        Place(parent, key, keyLength, VoPropertyListElement::kSection, section, &added, &index);
    if (!added) {
        fFilled.SetCount(fFilled.GetCount() - 1);
        delete section;
    }
    // A repeated section name opens the first section of that name again;
    // one that names a value opens nothing, and its lines are dropped.
    if (!Open(depth, parent, index, element == nullptr ? nullptr : element->GetList())) {
        fOutOfMemory = true;
    }
}

bool VoPropertyList::Parser::Open(int aDepth, VoPropertyList* apParent, int aIndex,
                                  VoPropertyList* apSection) {
    const OpenEntry entry{apSection, aIndex >= 0 ? apParent : nullptr, aIndex};
    // Only a section line at depth 0 empties the path.
    if (aDepth == 0) {
        fOpen.SetCount(0);
    }
    fResolved = aDepth + 1;
    if (aDepth < fOpen.GetCount()) {
        fOpen[aDepth] = entry;
        return true;
    }
    return fOpen.Add(entry);
}

VoPropertyList* VoPropertyList::Parser::OpenSection(int aDepth) {
    if (aDepth >= fOpen.GetCount()) {
        return nullptr;
    }
    // Entry 0 is always current: only a depth-0 section line sets it.
    for (; fResolved <= aDepth; ++fResolved) {
        OpenEntry& entry = fOpen[fResolved];
        VoPropertyList* above = fOpen[fResolved - 1].fpSection;
        const VoString* name =
            entry.fpNameList == nullptr ? nullptr : entry.fpNameList->PeekKeyAt(entry.fNameIndex);
        entry.fpSection = nullptr;
        if (above == nullptr || name == nullptr) {
            continue;
        }
        const int index = Find(above, Hash(*name, above->GetHashShift(), above->GetIgnoreCase()),
                               name->GetChars(), name->GetLength());
        const VoPropertyListElement* element = index >= 0 ? above->ElementAt(index) : nullptr;
        entry.fpSection = element == nullptr ? nullptr : element->GetList();
    }
    return fOpen[aDepth].fpSection;
}

VoPropertyListElement* VoPropertyList::Parser::Place(VoPropertyList* apParent, const char16_t* apKey,
                                                     int aKeyLength, std::uint8_t aType, void* apPointer,
                                                     bool* apAdded, int* apIndex) {
    *apAdded = false;
    *apIndex = -1;
    const std::uint32_t hash = Hash(apKey, aKeyLength, apParent->GetHashShift(), apParent->GetIgnoreCase());
    const int existing = Find(apParent, hash, apKey, aKeyLength);
    if (existing >= 0) {
        VO_ERROR(kDuplicateKey, VoString(apKey, aKeyLength));
        *apIndex = existing;
        return apParent->ElementAt(existing);
    }
    const int index = apParent->GetCount();
    // The base grows by a fixed increment; doubling keeps a long list linear.
    if (index >= kInitialCapacity && (index & (index - 1)) == 0) {
        apParent->Reserve(index * 2);
    }
    VoString* key = VO_NEW VoString(apKey, aKeyLength);
    VoPropertyListElement* element = fpArena->MakeElement(aType, apPointer);
    if (key == nullptr || element == nullptr || !apParent->AddAdopted(key, hash, element)) {
        delete key;
        fOutOfMemory = true;
        return nullptr;
    }
    *apAdded = true;
    *apIndex = index;
    if (!Remember(apParent, hash, index)) {
        // The key is in, but later duplicates of it could not be caught.
        fOutOfMemory = true;
    }
    return element;
}

std::uint32_t VoPropertyList::Parser::SlotOf(const VoPropertyList* apList, std::uint32_t aHash) const {
    std::uint64_t mixed = reinterpret_cast<std::uintptr_t>(apList);
    mixed ^= static_cast<std::uint64_t>(aHash) * 0x9E3779B97F4A7C15ull;
    mixed ^= mixed >> 29;
    mixed *= 0xBF58476D1CE4E5B9ull;
    mixed ^= mixed >> 32;
    return static_cast<std::uint32_t>(mixed) & (fSlotCount - 1);
}

int VoPropertyList::Parser::Find(VoPropertyList* apList, std::uint32_t aHash, const char16_t* apKey,
                                 int aKeyLength) {
    const int count = apList->GetCount();
    const bool ignoreCase = apList->GetIgnoreCase();
    if (count <= kScanLimit) {
        for (int i = 0; i < count; ++i) {
            if (apList->GetHashAt(i) == aHash &&
                KeyMatches(apList->PeekKeyAt(i), apKey, aKeyLength, ignoreCase)) {
                return i;
            }
        }
        return -1;
    }
    if (fSlotCount == 0) {
        return -1;
    }
    for (std::uint32_t at = SlotOf(apList, aHash);; at = (at + 1) & (fSlotCount - 1)) {
        const Slot& slot = fpSlots[at];
        if (slot.list == nullptr) {
            return -1;
        }
        if (slot.list == apList && slot.hash == aHash &&
            KeyMatches(apList->PeekKeyAt(slot.index), apKey, aKeyLength, ignoreCase)) {
            return slot.index;
        }
    }
}

bool VoPropertyList::Parser::GrowSlots(std::uint32_t aCount) {
    Slot* slots = VO_NEW Slot[aCount]();
    if (slots == nullptr) {
        return false;
    }
    Slot* old = fpSlots;
    const std::uint32_t oldCount = fSlotCount;
    fpSlots = slots;
    fSlotCount = aCount;
    for (std::uint32_t i = 0; i < oldCount; ++i) {
        if (old[i].list != nullptr) {
            std::uint32_t at = SlotOf(old[i].list, old[i].hash);
            while (fpSlots[at].list != nullptr) {
                at = (at + 1) & (fSlotCount - 1);
            }
            fpSlots[at] = old[i];
        }
    }
    delete[] old;
    return true;
}

bool VoPropertyList::Parser::AddSlot(VoPropertyList* apList, std::uint32_t aHash, int aIndex) {
    // At most half full, so probes stay short and always meet a free slot.
    if ((static_cast<std::uint64_t>(fUsed) + 1) * 2 > fSlotCount &&
        (fSlotCount >= kMaxSlots || !GrowSlots(fSlotCount == 0 ? kMinSlots : fSlotCount * 2))) {
        return false;
    }
    std::uint32_t at = SlotOf(apList, aHash);
    while (fpSlots[at].list != nullptr) {
        at = (at + 1) & (fSlotCount - 1);
    }
    fpSlots[at] = Slot{apList, aHash, aIndex};
    ++fUsed;
    return true;
}

bool VoPropertyList::Parser::Remember(VoPropertyList* apList, std::uint32_t aHash, int aIndex) {
    if (aIndex < kScanLimit) {
        return true;
    }
    if (aIndex > kScanLimit) {
        return AddSlot(apList, aHash, aIndex);
    }
    // The list has just outgrown a scan: all its keys go to the table.
    for (int i = 0; i <= aIndex; ++i) {
        if (!AddSlot(apList, apList->GetHashAt(i), i)) {
            return false;
        }
    }
    return true;
}

VoPropertyList::VoPropertyList()
    : VoHashKeyList(kHashShift, false, kInitialCapacity), fDelimiter(kDefaultDelimiter) {}

VoPropertyList::VoPropertyList(const VoPropertyList& aOther)
    : VoHashKeyList(aOther.GetHashShift(), aOther.GetIgnoreCase(), aOther.GetCount()),
      fDelimiter(aOther.fDelimiter) {
    // The base's accessors are not const; reading through them changes nothing.
    VoPropertyList& source = const_cast<VoPropertyList&>(aOther);
    const int count = source.GetCount();
    for (int i = 0; i < count; ++i) {
        const VoPropertyListElement* element = source.ElementAt(i);
        VoString key;
        if (element == nullptr || !source.VoHashKeyList::GetKeyAt(i, key)) {
            continue;
        }
        VoPropertyListElement* copy = VO_NEW VoPropertyListElement(element->type, nullptr);
        if (copy != nullptr && element->IsSection()) {
            copy->pointer = VO_NEW VoPropertyList(*element->GetList());
        } else if (copy != nullptr && element->IsValue()) {
            copy->pointer = VO_NEW VoString(*element->GetValue());
        }
        const int before = GetCount();
        if (copy != nullptr && copy->pointer != nullptr) {
            // The source's keys are distinct already; one sort follows.
            VoHashKeyList::Add(key, copy, false);
        }
        if (GetCount() != before + 1) {
            VO_ERROR(kAllocationFailure);
            DeleteElement(copy);
        }
    }
    if (GetCount() > 1) {
        Sort();
    }
}

VoPropertyList::~VoPropertyList() {
    RemoveAll();
}

void VoPropertyList::DeleteElement(VoPropertyListElement* apElement) {
    if (apElement == nullptr) {
        return;
    }
    if (apElement->type == VoPropertyListElement::kSection) {
        delete static_cast<VoPropertyList*>(apElement->pointer);
    } else {
        delete static_cast<VoString*>(apElement->pointer);
    }
    delete apElement;
}

void VoPropertyList::DropElement(VoPropertyListElement* apElement) {
    if (apElement == nullptr || !apElement->inArena) {
        DeleteElement(apElement);
    } else if (apElement->type == VoPropertyListElement::kSection) {
        delete static_cast<VoPropertyList*>(apElement->pointer);
    }
}

VoPropertyListElement* VoPropertyList::OwnedRecord(const VoPropertyListElement* apElement) {
    if (!apElement->inArena) {
        return const_cast<VoPropertyListElement*>(apElement);
    }
    VoPropertyListElement* copy = VO_NEW VoPropertyListElement(apElement->type, apElement->pointer);
    if (copy != nullptr && apElement->IsValue()) {
        copy->pointer = VO_NEW VoString(*apElement->GetValue());
        if (copy->pointer == nullptr) {
            delete copy;
            copy = nullptr;
        }
    }
    if (copy == nullptr) {
        VO_ERROR(kAllocationFailure);
    }
    return copy;
}

void VoPropertyList::RemoveAll() {
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        DropElement(ElementAt(i));
    }
    VoHashKeyList::Clear();
    Arena::Release(fpArena);
    fpArena = nullptr;
}

VoPropertyListElement* VoPropertyList::ElementAt(int aIndex) {
    if (aIndex < 0 || aIndex >= GetCount()) {
        return nullptr;
    }
    return static_cast<VoPropertyListElement*>(VoHashKeyList::GetAt(aIndex));
}

VoPropertyListElement* VoPropertyList::ElementOf(const VoString& aKey) {
    return static_cast<VoPropertyListElement*>(VoHashKeyList::Get(aKey));
}

bool VoPropertyList::Parse(const VoString& aText) {
    RemoveAll();
    Parser parser(this);
    parser.Run(aText);
    return true;
}

bool VoPropertyList::Load(const VoString& aPath, bool aMapToNative) {
    VoFileStream file(aPath, aMapToNative);
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    // -1 (all bits set) is the file system's failure, never a size.
    const std::int64_t size = fileSystem == nullptr ? -1 : fileSystem->GetFileSize(aPath, aMapToNative);
    if (!file.Open()) {
        return false;
    }
    if (size < 0 || size >= VoMemoryStream::kMaxCapacity) {
        VO_ERROR(kLoadFileSize, aPath);
        return false;
    }
    char* bytes = VO_NEW char[static_cast<std::size_t>(size) + 1];
    if (bytes == nullptr) {
        VO_ERROR(kLoadAllocation);
        return false;
    }
    // A file that shrank since it was sized delivers less: only what arrived
    // is text.
    file.Read(static_cast<std::uint32_t>(size), bytes);
    bytes[file.GetPosition()] = '\0';
    file.Close();
    const VoString text(bytes);
    delete[] bytes;
    return Parse(text);
}

bool VoPropertyList::Serialize(VoString& aOutput) {
    VoMemoryStream stream(1024, VoMemoryStream::kGrowDouble);
    stream.Open();
    bool result = SerializeList(this, &stream, 0);
    result = stream.WriteByte(0) && result;
    aOutput = VoString(reinterpret_cast<const char*>(stream.GetBuffer()));
    return result;
}

bool VoPropertyList::SerializeList(VoPropertyList* apList, VoIStream* apStream, int aDepth) {
    if (apList == nullptr || apStream == nullptr) {
        VO_ERROR(kSerializeInvalidArg);
        return false;
    }
    bool result = true;
    const int count = apList->GetCount();
    for (int i = 0; i < count; ++i) {
        for (int tab = 0; tab < aDepth; ++tab) {
            result = apStream->WriteByte(9) && result;
        }
        VoString key;
        apList->VoHashKeyList::GetKeyAt(i, key);
        char* narrowKey = nullptr;
        result = key.ToNarrow(&narrowKey) && apStream->WriteChars(narrowKey) && result;
        delete[] narrowKey;
        VoPropertyListElement* element = apList->ElementAt(i);
        if (element != nullptr && element->IsSection()) {
            result = apStream->WriteChars("\r") && result;
            result = apStream->WriteChars("\n") && result;
            result = SerializeList(element->GetList(), apStream, aDepth + 1) && result;
            continue;
        }
        result = apStream->WriteByte(61) && result;
        char* narrowValue = nullptr;
        const VoString* value = element == nullptr ? nullptr : element->GetValue();
        result =
            value != nullptr && value->ToNarrow(&narrowValue) && apStream->WriteChars(narrowValue) && result;
        delete[] narrowValue;
        result = apStream->WriteChars("\r") && result;
        result = apStream->WriteChars("\n") && result;
    }
    return result;
}

VoPropertyListElement* VoPropertyList::FindElement(const VoString& aPath) {
    PathPieces pieces(aPath);
    VoPropertyList* list = this;
    VoPropertyListElement* element = nullptr;
    while (pieces.Next()) {
        if (element != nullptr) {
            // A path that runs through a value finds nothing.
            list = element->GetList();
            if (list == nullptr) {
                return nullptr;
            }
        }
        // Looked up where the piece stands in the path: a query makes no string.
        element = static_cast<VoPropertyListElement*>(
            list->VoHashKeyList::Get(pieces.PieceUnits(), pieces.PieceLength()));
        if (element == nullptr) {
            return nullptr;
        }
    }
    return element;
}

VoPropertyList* VoPropertyList::FindParent(const VoString& aPath, VoString* apKey) {
    PathPieces pieces(aPath);
    VoPropertyList* list = this;
    if (!pieces.Next()) {
        return nullptr;
    }
    while (pieces.HasMore()) {
        VoPropertyListElement* element = list->ElementOf(pieces.Piece());
        list = element == nullptr ? nullptr : element->GetList();
        if (list == nullptr) {
            return nullptr;
        }
        pieces.Next();
    }
    *apKey = pieces.Piece();
    return list;
}

const VoString* VoPropertyList::FindValue(const VoString& aPath, bool* apFound) {
    const VoPropertyListElement* element = FindElement(aPath);
    const VoString* value = element == nullptr ? nullptr : element->GetValue();
    if (apFound != nullptr) {
        *apFound = value != nullptr;
    }
    return value;
}

VoString VoPropertyList::GetString(const VoString& aPath, bool* apFound) {
    const VoString* value = FindValue(aPath, apFound);
    return value == nullptr ? VoString(u"") : VoString(*value);
}

bool VoPropertyList::GetBool(const VoString& aPath, bool* apFound) {
    const VoString* value = FindValue(aPath, apFound);
    return value != nullptr && (value->EqualsNoCase(u"true") || value->Equals(u"1"));
}

float VoPropertyList::GetFloat(const VoString& aPath, bool* apFound) {
    const VoString* value = FindValue(aPath, apFound);
    return value == nullptr ? 0.0f : VoFloat(*value).fValue;
}

std::int32_t VoPropertyList::GetInt(const VoString& aPath, bool* apFound) {
    const VoString* value = FindValue(aPath, apFound);
    return value == nullptr ? 0 : VoInt(*value).fValue;
}

std::uint32_t VoPropertyList::GetUInt(const VoString& aPath, bool* apFound) {
    const VoString* value = FindValue(aPath, apFound);
    return value == nullptr ? 0u : VoUInt(*value).fValue;
}

namespace {

// The value's pieces, each made into an element by aMake, in a vector sized
// for them (the default capacity of 1000 would be spent on every query).
template <typename Vector, typename Make>
Vector SplitValue(const VoString* apValue, const VoString& aDelimiter, Make&& aMake) {
    Vector result(apValue == nullptr ? 0 : CountPieces(*apValue, aDelimiter), 100);
    if (apValue != nullptr) {
        apValue->SplitPieces(aDelimiter,
                             [&result, &aMake](const VoString& aPiece) { result.Add(aMake(aPiece)); });
    }
    return result;
}

}  // namespace

VoVectorString VoPropertyList::GetVectorString(const VoString& aPath, bool* apFound) {
    return SplitValue<VoVectorString>(FindValue(aPath, apFound), fDelimiter,
                                      [](const VoString& aPiece) -> const VoString& { return aPiece; });
}

VoVectorFloat VoPropertyList::GetVectorFloat(const VoString& aPath, bool* apFound) {
    return SplitValue<VoVectorFloat>(FindValue(aPath, apFound), fDelimiter,
                                     [](const VoString& aPiece) { return VoFloat(aPiece).fValue; });
}

VoVectorInt VoPropertyList::GetVectorInt(const VoString& aPath, bool* apFound) {
    return SplitValue<VoVectorInt>(FindValue(aPath, apFound), fDelimiter,
                                   [](const VoString& aPiece) { return VoInt(aPiece).fValue; });
}

VoVectorUInt VoPropertyList::GetVectorUInt(const VoString& aPath, bool* apFound) {
    return SplitValue<VoVectorUInt>(FindValue(aPath, apFound), fDelimiter,
                                    [](const VoString& aPiece) { return VoUInt(aPiece).fValue; });
}

VoPropertyList* VoPropertyList::GetList(const VoString& aPath) {
    PathPieces pieces(aPath);
    if (!pieces.Next()) {
        return this;
    }
    VoPropertyListElement* element = FindElement(aPath);
    return element == nullptr ? nullptr : element->GetList();
}

VoPropertyListElement VoPropertyList::Get(const VoString& aKey) {
    const VoPropertyListElement* element = ElementOf(aKey);
    if (element == nullptr) {
        VO_ERROR(kGetFailure);
        return VoPropertyListElement();
    }
    return *element;
}

VoPropertyListElement VoPropertyList::GetAt(int aIndex) {
    // The base reports a bad index itself.
    const VoPropertyListElement* element = static_cast<VoPropertyListElement*>(VoHashKeyList::GetAt(aIndex));
    if (element == nullptr) {
        VO_ERROR(kGetAtFailure);
        return VoPropertyListElement();
    }
    return *element;
}

VoString VoPropertyList::GetKeyAt(int aIndex) {
    VoString key;
    if (!VoHashKeyList::GetKeyAt(aIndex, key)) {
        return VoString(u"");
    }
    return key;
}

VoPropertyList* VoPropertyList::GetListAt(int aIndex) {
    const VoPropertyListElement* element = static_cast<VoPropertyListElement*>(VoHashKeyList::GetAt(aIndex));
    return element == nullptr ? nullptr : element->GetList();
}

bool VoPropertyList::AddElement(int aIndex, const VoString& aKey, std::uint8_t aType, void* apPointer) {
    VoPropertyListElement* element = VO_NEW VoPropertyListElement(aType, apPointer);
    if (element == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    // The hash 0 of a refusal is also the hash of some keys: the count tells.
    const int before = GetCount();
    if (aIndex < 0) {
        VoHashKeyList::Add(aKey, element, true);
    } else {
        VoHashKeyList::AddAt(aIndex, aKey, element, true);
    }
    if (GetCount() != before + 1) {
        delete element;
        return false;
    }
    return true;
}

bool VoPropertyList::SetString(const VoString& aPath, const VoString& aValue) {
    VoString key;
    VoPropertyList* parent = FindParent(aPath, &key);
    if (parent == nullptr) {
        VO_ERROR(kSetStringFailure, aPath);
        return false;
    }
    VoString* value = VO_NEW VoString(aValue);
    if (value == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    if (!parent->AddElement(-1, key, VoPropertyListElement::kValue, value)) {
        delete value;
        return false;
    }
    return true;
}

bool VoPropertyList::SetList(const VoString& aPath, VoPropertyList* apList) {
    if (apList == nullptr) {
        VO_ERROR(kNullList);
        return false;
    }
    VoString key;
    VoPropertyList* parent = FindParent(aPath, &key);
    if (parent == nullptr) {
        VO_ERROR(kSetListFailure, aPath);
        return false;
    }
    return parent->AddElement(-1, key, VoPropertyListElement::kSection, apList);
}

bool VoPropertyList::Add(const VoString& aKey, VoPropertyListElement aElement) {
    if ((!aElement.IsValue() && !aElement.IsSection()) ||
        !AddElement(-1, aKey, aElement.type, aElement.pointer)) {
        VO_ERROR(kAddFailure);
        return false;
    }
    return true;
}

bool VoPropertyList::AddAt(int aIndex, const VoString& aKey, VoPropertyListElement aElement) {
    if ((!aElement.IsValue() && !aElement.IsSection()) || aIndex < 0 ||
        !AddElement(aIndex, aKey, aElement.type, aElement.pointer)) {
        VO_ERROR(kAddAtFailure);
        return false;
    }
    return true;
}

bool VoPropertyList::Remove(const VoString& aKey, VoPropertyListElement** appElement) {
    if (appElement == nullptr || *appElement != nullptr) {
        VO_ERROR(kInvalidArgs);
        return false;
    }
    const VoPropertyListElement* element = ElementOf(aKey);
    if (element == nullptr) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    VoPropertyListElement* owned = OwnedRecord(element);
    if (owned == nullptr) {
        return false;
    }
    VoHashKeyList::Remove(aKey, nullptr);
    *appElement = owned;
    return true;
}

bool VoPropertyList::RemoveAt(int aIndex, VoPropertyListElement** appElement) {
    if (appElement == nullptr || *appElement != nullptr) {
        VO_ERROR(kInvalidArgs);
        return false;
    }
    VoString key;
    // Removal goes by key: it must be the key at this index that goes.
    if (!VoHashKeyList::GetKeyAt(aIndex, key) || IndexOf(key) != aIndex) {
        VO_ERROR(kRemoveAtFailure);
        return false;
    }
    VoPropertyListElement* owned = OwnedRecord(ElementAt(aIndex));
    if (owned == nullptr) {
        return false;
    }
    VoHashKeyList::Remove(key, nullptr);
    *appElement = owned;
    return true;
}

bool VoPropertyList::RemoveList(const VoString& aPath, VoPropertyList** appList) {
    VoString key;
    VoPropertyList* parent = appList != nullptr && *appList != nullptr ? nullptr : FindParent(aPath, &key);
    VoPropertyListElement* element = parent == nullptr ? nullptr : parent->ElementOf(key);
    if (element == nullptr || !element->IsSection()) {
        VO_ERROR(kRemoveListFailure);
        return false;
    }
    parent->VoHashKeyList::Remove(key, nullptr);
    VoPropertyList* list = element->GetList();
    // The section keeps its reference to the arena that holds its values.
    if (!element->inArena) {
        delete element;
    }
    if (appList != nullptr) {
        *appList = list;
    } else {
        delete list;
    }
    return true;
}

bool VoPropertyList::RemoveProperty(const VoString& aPath, VoString** appValue) {
    VoString key;
    VoPropertyList* parent = appValue == nullptr || *appValue != nullptr ? nullptr : FindParent(aPath, &key);
    VoPropertyListElement* element = parent == nullptr ? nullptr : parent->ElementOf(key);
    if (element == nullptr || !element->IsValue()) {
        VO_ERROR(kRemovePropertyFailure);
        return false;
    }
    VoString* value = element->inArena ? VO_NEW VoString(*element->GetValue()) : element->GetValue();
    if (value == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    parent->VoHashKeyList::Remove(key, nullptr);
    *appValue = value;
    if (!element->inArena) {
        delete element;
    }
    return true;
}

bool VoPropertyList::SetDelimiter(const VoString& aDelimiter) {
    if (aDelimiter.GetLength() == 0) {
        VO_ERROR(kInvalidDelimiter);
        return false;
    }
    fDelimiter = aDelimiter;
    return true;
}
