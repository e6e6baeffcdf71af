#pragma once
// The list of saved games, "//dataroot/game/.filelist": one entry per slot,
// a property list of 8-bit text with CR LF line ends and nothing before the
// first entry or after the last line. Slot N's entry, for N from 1:
//     "game" + N                          (decimal, no leading zeros)
//     TAB "description=" + the text as typed
//     TAB "timestamp=Not yet implemented" (always this; no time is stored)
//     TAB "thumbnail=" + a picture name, or "none"
// Slot N's game is the file "//dataroot/game/game" + N + ".dat".
//
// Reading takes every top-level section named "game" + N, whatever the
// order and gaps of the file, in ascending N; other keys are ignored, and a
// missing key of an entry reads as "" ("none" for a missing thumbnail when
// written back). Writing gives every entry held, in ascending N, so a list
// with gaps keeps all its slots.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "container/VoVectorBase.h"

class VoPropertyList;

// One entry of the list.
class MGSaveSlot : public VoBase {
public:
    std::int32_t fNumber = 0;
    VoString fDescription{u""};
    VoString fTimestamp{u""};
    VoString fThumbnail{u""};
    bool fHasThumbnail = false;

    VoString ToString() const override;
};

class MGSlotList : public VoBase, public VoISerializable {
public:
    static constexpr const char16_t* kFolder = u"//dataroot/game";
    static constexpr const char16_t* kPath = u"//dataroot/game/.filelist";
    static constexpr const char16_t* kGamePrefix = u"//dataroot/game/game";
    static constexpr const char16_t* kGameSuffix = u".dat";
    static constexpr const char16_t* kEntryPrefix = u"game";
    static constexpr const char16_t* kTimestamp = u"Not yet implemented";
    static constexpr const char16_t* kNoThumbnail = u"none";
    // The largest slot number; the next one must still be a valid int.
    static constexpr std::int32_t kMaxNumber = 0x7FFFFFFE;

    MGSlotList();
    MGSlotList(const MGSlotList&) = delete;
    MGSlotList& operator=(const MGSlotList&) = delete;

    // "//dataroot/game/game" + N + ".dat".
    static VoString GameFile(std::int32_t aNumber);
    // N for a key "game" + N (1 to kMaxNumber, no leading zeros); 0 otherwise.
    static std::int32_t NumberOf(const VoString& aKey);

    // Replaces the entries by the list's "game" + N sections, ascending.
    void Read(VoPropertyList* apList);
    // Reads the file into a property list and takes its entries. A missing
    // file gives an empty list (true); a file that is there but cannot be
    // read gives false and an empty list.
    bool Load();
    // Appends an entry of that number, which must be above the highest one
    // (and at most kMaxNumber).
    bool Add(std::int32_t aNumber, const VoString& aDescription, const VoString& aThumbnail);
    // Drops the last entry (a save that failed takes its entry back).
    void RemoveLast();

    int GetCount() const { return fSlots.GetCount(); }
    // Null out of range.
    MGSaveSlot* GetAt(int aIndex) const;
    // The highest slot number held; 0 when empty.
    std::int32_t GetHighestNumber() const;

    // The list's text, each unit's low 8 bits, as one block of bytes.
    bool Write(VoIStream* apStream) override;
    // Parses the bytes from the stream's position to its end (up to the
    // first zero byte, as a data file is read).
    bool Read(VoIStream* apStream) override;
    // Writes the whole file through a temporary file renamed over the old
    // one: the old list stays whole until the new one is complete.
    bool Save();

    VoString ToString() const override;

private:
    VoVectorBase fSlots;  // MGSaveSlot, owned, ascending by number
};
