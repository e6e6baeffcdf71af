#include "menu/MGSlotList.h"

#include <algorithm>
#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "memory/VoNew.h"
#include "menu/MGMenuLayout.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoIStream.h"
#include "system/VoIFileSystem.h"
#include "util/MGCleaner.h"

namespace {

// What the player has been told of the slot list in this run. Owned by the
// game's cleaner like the game's other singletons, so it lasts one run.
class MGSlotListNotices : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGSlotListNotices creation failure.";

    bool fNotWrittenTold = false;

    VoString ToString() const override { return VoDebugString("MGSlotListNotices", this); }
};

VoCleanerSingleton<MGSlotListNotices, MGCleanerHome> gNotices;

// A value of the entry's section; "" when missing.
VoString ValueOf(VoPropertyList* apEntry, const char16_t* apKey, bool* apFound) {
    bool found = false;
    VoString value = apEntry->GetString(VoString(apKey), &found);
    if (apFound != nullptr) {
        *apFound = found;
    }
    return found ? value : VoString(u"");
}

// The text's units as bytes (their low 8 bits).
bool WriteText(VoIStream* apStream, const VoString& aText) {
    const std::int32_t length = aText.GetLength();
    if (length == 0) {
        return true;
    }
    unsigned char* bytes = VO_NEW unsigned char[static_cast<std::size_t>(length)];
    if (bytes == nullptr) {
        return false;
    }
    const char16_t* units = aText.GetChars();
    for (std::int32_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<unsigned char>(units[i] & 0xFF);
    }
    const bool written = apStream->Write(static_cast<std::uint32_t>(length), bytes);
    delete[] bytes;
    return written;
}

// A value as a line of the list can hold it and read it back unchanged: a
// backslash at a line's end would join the next line to it (and with it the
// next entry), and white space there is trimmed when the line is read, so
// both go, in any mix ("a\\ " ends as "a").
VoString LineValue(const VoString& aValue) {
    std::int32_t length = aValue.GetLength();
    while (length > 0) {
        const char16_t last = aValue.GetAt(length - 1);
        if (last != u'\\' && last != u' ' && last != u'\t' && last != u'\r' && last != u'\n') {
            break;
        }
        --length;
    }
    return length == aValue.GetLength() ? aValue : aValue.SubString(0, length);
}

// A unit that no list holds: a control character other than TAB, CR and
// LF (a zero ends the text early), or one that is no byte.
bool IsForeign(char16_t aUnit) {
    return (aUnit < 0x20 && aUnit != u'\t' && aUnit != u'\r' && aUnit != u'\n') || aUnit == 0x7F ||
           aUnit > 0xFF;
}

// The bytes are the whole text of a list: none foreign, and the last line
// ends (every save ends each line, so a file cut short does not).
bool IsWholeText(const char* apBytes, std::size_t aSize) {
    for (std::size_t i = 0; i < aSize; ++i) {
        if (IsForeign(static_cast<unsigned char>(apBytes[i]))) {
            return false;
        }
    }
    return aSize == 0 || apBytes[aSize - 1] == '\n';
}

// A value up to its first unit that a line of the list cannot hold.
VoString Kept(const VoString& aValue) {
    std::int32_t length = 0;
    while (length < aValue.GetLength() && !IsForeign(aValue.GetAt(length)) && aValue.GetAt(length) != u'\r' &&
           aValue.GetAt(length) != u'\n') {
        ++length;
    }
    return LineValue(aValue.SubString(0, length));
}

bool ListFolder(VoVectorString* apNames) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    apNames->SetIgnoreCase(true);
    return files != nullptr && files->GetFiles(VoString(MGSlotList::kFolder), apNames, true);
}

// The game numbers among the names: "game" + N + ".dat", ignoring case.
void NumbersIn(const VoVectorString& aNames, VoVectorInt* apOut) {
    apOut->Clear();
    const int count = aNames.GetCount();
    std::int32_t* numbers = count > 0 ? VO_NEW std::int32_t[static_cast<std::size_t>(count)] : nullptr;
    if (numbers == nullptr) {
        return;
    }
    const VoString suffix(MGSlotList::kGameSuffix);
    const VoString prefix(MGSlotList::kEntryPrefix);
    int held = 0;
    for (int i = 0; i < count; ++i) {
        const VoString name = aNames.GetAt(i);
        const std::int32_t stem = name.GetLength() - suffix.GetLength();
        if (stem <= prefix.GetLength() || !name.SubString(stem, suffix.GetLength()).EqualsNoCase(suffix) ||
            !name.SubString(0, prefix.GetLength()).EqualsNoCase(prefix)) {
            continue;
        }
        const std::int32_t number =
            MGSlotList::NumberOf(prefix + name.SubString(prefix.GetLength(), stem - prefix.GetLength()));
        if (number > 0) {
            numbers[held++] = number;
        }
    }
    std::sort(numbers, numbers + held);
    for (int i = 0; i < held; ++i) {
        // Two names that differ in case only are one game.
        if (i == 0 || numbers[i] != numbers[i - 1]) {
            apOut->Add(numbers[i]);
        }
    }
    delete[] numbers;
}

// Whether the two files hold the same bytes; false when either cannot be
// read.
bool SameBytes(const VoString& aPath, const VoString& aOther) {
    VoFileStream one(aPath, true);
    VoFileStream other(aOther, true);
    if (!one.Open() || !other.Open() || one.GetRemaining() != other.GetRemaining()) {
        return false;
    }
    char mine[4096];
    char theirs[4096];
    for (std::int64_t left = one.GetRemaining(); left > 0;) {
        const auto size = static_cast<std::uint32_t>(std::min<std::int64_t>(left, sizeof(mine)));
        if (!one.Read(size, mine) || !other.Read(size, theirs) || std::memcmp(mine, theirs, size) != 0) {
            return false;
        }
        left -= size;
    }
    return true;
}

}  // namespace

VoString MGSaveSlot::ToString() const {
    return VoDebugString("MGSaveSlot", this, " number:", fNumber);
}

MGSlotList::MGSlotList() : fSlots(10, 10) {}

VoString MGSlotList::GameFile(std::int32_t aNumber) {
    VoString path(kGamePrefix);
    path.Append(aNumber);
    path.Append(kGameSuffix);
    return path;
}

std::int32_t MGSlotList::NumberOf(const VoString& aKey) {
    const VoString prefix(kEntryPrefix);
    const std::int32_t length = aKey.GetLength();
    const std::int32_t start = prefix.GetLength();
    // Ten digits at most: anything longer is beyond kMaxNumber.
    if (length <= start || length - start > 10 || aKey.SubString(0, start) != prefix) {
        return 0;
    }
    std::int64_t number = 0;
    for (std::int32_t i = start; i < length; ++i) {
        const char16_t digit = aKey.GetAt(i);
        if (digit < u'0' || digit > u'9' || (i == start && digit == u'0')) {
            return 0;
        }
        number = number * 10 + (digit - u'0');
    }
    return number <= kMaxNumber ? static_cast<std::int32_t>(number) : 0;
}

void MGSlotList::Read(VoPropertyList* apList) {
    fSlots.Clear();
    const int count = apList != nullptr ? apList->GetCount() : 0;
    if (count == 0) {
        return;
    }
    MGSaveSlot** found = VO_NEW MGSaveSlot * [static_cast<std::size_t>(count)];
    if (found == nullptr) {
        return;
    }
    int held = 0;
    for (int i = 0; i < count; ++i) {
        const std::int32_t number = NumberOf(apList->GetKeyAt(i));
        VoPropertyList* entry = number > 0 ? apList->GetListAt(i) : nullptr;
        MGSaveSlot* slot = entry != nullptr ? VO_NEW MGSaveSlot() : nullptr;
        if (slot == nullptr) {
            continue;
        }
        slot->fNumber = number;
        bool hasDescription = false;
        bool hasTimestamp = false;
        slot->fDescription = ValueOf(entry, u"description", &hasDescription);
        slot->fTimestamp = ValueOf(entry, u"timestamp", &hasTimestamp);
        slot->fThumbnail = ValueOf(entry, u"thumbnail", &slot->fHasThumbnail);
        slot->fComplete = hasDescription && hasTimestamp && slot->fHasThumbnail;
        found[held++] = slot;
    }
    // Keys are unique in a list, so no two entries share a number.
    std::sort(found, found + held,
              [](const MGSaveSlot* a, const MGSaveSlot* b) { return a->fNumber < b->fNumber; });
    for (int i = 0; i < held; ++i) {
        if (!fSlots.Add(found[i])) {
            delete found[i];
        }
    }
    delete[] found;
}

bool MGSlotList::Load() {
    fSlots.Clear();
    fWhole = true;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString path(kPath);
    if (files == nullptr) {
        return false;
    }
    if (!files->FileExists(path, true)) {
        return true;
    }
    VoFileStream file(path, true);
    if (!file.Open() || !Read(&file)) {
        fSlots.Clear();
        fWhole = true;
        return false;
    }
    return true;
}

MGSlotList::Opened MGSlotList::Open() {
    if (!Load()) {
        return kUnreadable;
    }
    VoVectorString names;
    VoVectorInt games;
    if (!ListFolder(&names)) {
        return kRead;
    }
    NumbersIn(names, &games);
    if (!NeedsRecovery(games)) {
        return kRead;
    }
    const bool there = names.Contains(VoString(kName));
    VoString setAside;
    const bool keptAside = !there || SetAside(names, &setAside);
    Rebuild(games);
    const bool written = keptAside && Save();
    const char* const unwritten = written ? "" : kNotWritten;
    if (!there) {
        VO_ERROR(kMissing, unwritten);
    } else if (keptAside) {
        VO_ERROR(kSetAside, setAside, written ? "" : ".", unwritten);
    } else {
        VO_ERROR(kNotSetAside);
    }
    return written ? kRecovered : kRebuiltOnly;
}

void MGSlotList::Tell(Opened aOpened) {
    if (aOpened == kRecovered) {
        MGMenuLayout::Tell(kDamagedBox, kDamagedText);
    } else if (aOpened == kRebuiltOnly) {
        MGSlotListNotices* notices =
            gNotices.Get([] { return VO_NEW MGSlotListNotices(); }, MGSlotListNotices::kCreationFailure);
        if (notices == nullptr || !notices->fNotWrittenTold) {
            MGMenuLayout::Tell(kDamagedBox, kNotWrittenText);
        }
        if (notices != nullptr) {
            notices->fNotWrittenTold = true;
        }
    }
}

bool MGSlotList::GameNumbers(VoVectorInt* apOut) {
    VoVectorString names;
    apOut->Clear();
    if (!ListFolder(&names)) {
        return false;
    }
    NumbersIn(names, apOut);
    return true;
}

bool MGSlotList::NeedsRecovery(const VoVectorInt& aGames) const {
    if (!fWhole) {
        return true;
    }
    const std::int32_t highest = GetHighestNumber();
    const bool gameAbove = aGames.GetCount() > 0 && aGames.GetAt(aGames.GetCount() - 1) > highest;
    const MGSaveSlot* last = GetAt(GetCount() - 1);
    return gameAbove && (last == nullptr || !last->fComplete);
}

void MGSlotList::Rebuild(const VoVectorInt& aGames) {
    const int count = aGames.GetCount();
    MGSaveSlot** rebuilt = count > 0 ? VO_NEW MGSaveSlot * [static_cast<std::size_t>(count)] : nullptr;
    int held = 0;
    int old = 0;
    for (int i = 0; rebuilt != nullptr && i < count; ++i) {
        const std::int32_t number = aGames.GetAt(i);
        if (number < 1 || number > kMaxNumber || (held > 0 && number <= rebuilt[held - 1]->fNumber)) {
            continue;
        }
        while (old < GetCount() && GetAt(old)->fNumber < number) {
            ++old;
        }
        const MGSaveSlot* given = old < GetCount() && GetAt(old)->fNumber == number ? GetAt(old) : nullptr;
        MGSaveSlot* slot = VO_NEW MGSaveSlot();
        if (slot == nullptr) {
            continue;
        }
        slot->fNumber = number;
        slot->fDescription = given != nullptr ? Kept(given->fDescription) : VoString(u"");
        if (slot->fDescription.GetLength() == 0) {
            slot->fDescription = VoString(kRecoveredDescription);
            slot->fDescription.Append(number);
        }
        slot->fTimestamp = VoString(kTimestamp);
        slot->fThumbnail = given != nullptr ? Kept(given->fThumbnail) : VoString(u"");
        slot->fHasThumbnail = slot->fThumbnail.GetLength() > 0;
        slot->fComplete = true;
        rebuilt[held++] = slot;
    }
    fSlots.Clear();
    for (int i = 0; i < held; ++i) {
        if (!fSlots.Add(rebuilt[i])) {
            delete rebuilt[i];
        }
    }
    delete[] rebuilt;
    fWhole = true;
}

bool MGSlotList::SetAside(const VoVectorString& aNames, VoString* apName) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString path(kPath);
    VoString freeName(u"");
    for (std::int32_t n = 1; files != nullptr && n <= kSetAsideLimit; ++n) {
        VoString name(kSetAsideName);
        if (n > 1) {
            name.Append(n);
        }
        if (!aNames.Contains(name)) {
            if (freeName.GetLength() == 0) {
                freeName = name;
            }
        } else if (SameBytes(path, VoString(kFolder) + u"/" + name)) {
            // The same list, set aside before (it could not be written over).
            *apName = name;
            return true;
        }
    }
    if (files == nullptr || freeName.GetLength() == 0) {
        return false;
    }
    *apName = freeName;
    return files->CopyFile(path, VoString(kFolder) + u"/" + freeName, false, true);
}

bool MGSlotList::Add(std::int32_t aNumber, const VoString& aDescription, const VoString& aThumbnail) {
    if (aNumber <= GetHighestNumber() || aNumber > kMaxNumber) {
        return false;
    }
    MGSaveSlot* slot = VO_NEW MGSaveSlot();
    if (slot == nullptr) {
        return false;
    }
    slot->fNumber = aNumber;
    slot->fDescription = aDescription;
    slot->fTimestamp = VoString(kTimestamp);
    slot->fThumbnail = aThumbnail;
    slot->fHasThumbnail = true;
    if (!fSlots.Add(slot)) {
        delete slot;
        return false;
    }
    return true;
}

void MGSlotList::RemoveLast() {
    VoBase* last = nullptr;
    if (fSlots.GetCount() > 0 && fSlots.RemoveAt(fSlots.GetCount() - 1, &last)) {
        delete last;
    }
}

MGSaveSlot* MGSlotList::GetAt(int aIndex) const {
    return aIndex >= 0 && aIndex < fSlots.GetCount() ? static_cast<MGSaveSlot*>(fSlots.GetAt(aIndex))
                                                     : nullptr;
}

std::int32_t MGSlotList::GetHighestNumber() const {
    const MGSaveSlot* last = GetAt(fSlots.GetCount() - 1);
    return last != nullptr ? last->fNumber : 0;
}

bool MGSlotList::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = true;
    for (int i = 0; i < fSlots.GetCount(); ++i) {
        const MGSaveSlot* slot = GetAt(i);
        VoString entry(kEntryPrefix);
        entry.Append(slot->fNumber);
        entry += u"\r\n\tdescription=";
        entry += LineValue(slot->fDescription);
        entry += u"\r\n\ttimestamp=";
        entry += kTimestamp;
        entry += u"\r\n\tthumbnail=";
        entry += slot->fHasThumbnail ? LineValue(slot->fThumbnail) : VoString(kNoThumbnail);
        entry += u"\r\n";
        ok = ok && WriteText(apStream, entry);
    }
    return ok;
}

bool MGSlotList::Read(VoIStream* apStream) {
    const std::int64_t remaining = apStream != nullptr ? apStream->GetRemaining() : -1;
    if (remaining < 0 || remaining > 0x7FFFFFFF) {
        return false;
    }
    const auto size = static_cast<std::size_t>(remaining);
    char* bytes = VO_NEW char[size + 1];
    const bool read = bytes != nullptr && apStream->Read(static_cast<std::uint32_t>(size), bytes);
    if (read) {
        fWhole = IsWholeText(bytes, size);
        // As a data file is read: one byte a unit, up to the first zero byte.
        bytes[size] = '\0';
        VoPropertyList list;
        list.Parse(VoString(bytes));
        Read(&list);
    }
    delete[] bytes;
    return read;
}

bool MGSlotList::Save() {
    return VoFileStream::WriteFile(this, VoString(kPath), true);
}

VoString MGSlotList::ToString() const {
    return VoDebugString("MGSlotList", this);
}
