#include "menu/MGSlotList.h"

#include <algorithm>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoIStream.h"
#include "system/VoIFileSystem.h"

namespace {

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
        slot->fDescription = ValueOf(entry, u"description", nullptr);
        slot->fTimestamp = ValueOf(entry, u"timestamp", nullptr);
        slot->fThumbnail = ValueOf(entry, u"thumbnail", &slot->fHasThumbnail);
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
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString path(kPath);
    if (files == nullptr) {
        return false;
    }
    if (!files->FileExists(path, true)) {
        return true;
    }
    VoPropertyList list;
    if (!list.Load(path, true)) {
        return false;
    }
    Read(&list);
    return true;
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
