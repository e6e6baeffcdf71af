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
//
// A list that was damaged (cut short, or bytes that are no list) must not
// hide the games on disk, nor be written over by the next save: Open finds
// it, sets it aside untouched and rebuilds the list from the game files.
// The same damaged list is set aside once: a list that stays damaged (it
// could not be written back) is found again on every Open, and the copy
// already made is kept as it is.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"
#include "container/VoVectorBase.h"

class VoPropertyList;
class VoVectorInt;
class VoVectorString;

// One entry of the list.
class MGSaveSlot : public VoBase {
public:
    std::int32_t fNumber = 0;
    VoString fDescription{u""};
    VoString fTimestamp{u""};
    VoString fThumbnail{u""};
    bool fHasThumbnail = false;
    // All three keys were there, as every save writes them.
    bool fComplete = false;

    VoString ToString() const override;
};

class MGSlotList : public VoBase, public VoISerializable {
public:
    static constexpr const char16_t* kFolder = u"//dataroot/game";
    static constexpr const char16_t* kPath = u"//dataroot/game/.filelist";
    static constexpr const char16_t* kName = u".filelist";
    static constexpr const char16_t* kGamePrefix = u"//dataroot/game/game";
    static constexpr const char16_t* kGameSuffix = u".dat";
    static constexpr const char16_t* kEntryPrefix = u"game";
    static constexpr const char16_t* kTimestamp = u"Not yet implemented";
    static constexpr const char16_t* kNoThumbnail = u"none";
    // The largest slot number; the next one must still be a valid int.
    static constexpr std::int32_t kMaxNumber = 0x7FFFFFFE;
    // A damaged list is kept beside the new one under the first of these
    // names that no file has: ".filelist.damaged", ".filelist.damaged2", ...
    static constexpr const char16_t* kSetAsideName = u".filelist.damaged";
    static constexpr std::int32_t kSetAsideLimit = 100;
    // The description of a recovered game the damaged list gave none for.
    static constexpr const char16_t* kRecoveredDescription = u"Saved game ";
    static constexpr const char* kSetAside =
        "Slot list damaged. Rebuilt from the game files; the damaged list is kept as ";
    static constexpr const char* kNotSetAside =
        "Slot list damaged. Rebuilt from the game files; it could not be set aside, so it is not written "
        "over.";
    static constexpr const char* kMissing = "Slot list missing. Rebuilt from the game files.";
    // Ends the line of kSetAside (after a "." of its own) or kMissing when
    // the rebuilt list could not be written.
    static constexpr const char* kNotWritten =
        " The rebuilt list could not be written: no game is saved until it can be.";
    // What the player is told by the screen that found the damage (Tell).
    static constexpr const char16_t* kDamagedBox = u"slotlistdamaged";
    static constexpr const char16_t* kDamagedText =
        u"The list of saved games was damaged or missing. It has been rebuilt from the saved games found.";
    static constexpr const char16_t* kNotWrittenText =
        u"The list of saved games is damaged and could not be rewritten, so no game can be saved until it "
        u"can be. Every saved game found is shown.";

    // What Open found.
    enum Opened {
        kUnreadable,  // the file is there but cannot be read: no entries
        kRead,        // read as it stands
        kRecovered,   // damaged: set aside, rebuilt and written back
        kRebuiltOnly  // damaged: rebuilt here, but not set aside or not written; never to be written over
    };

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
    // Loads the list; when it must be recovered (NeedsRecovery) and the game
    // files can be listed, the file as it was is set aside (a set-aside file
    // of the same bytes is kept as the copy, else it is copied to the first
    // free set-aside name, never over a file), the list is rebuilt (Rebuild)
    // and written back, and one line is logged. The caller tells the player
    // (Tell).
    Opened Open();
    // Tells the player in the message box what Open found: a list recovered
    // and written back each time (the next Open reads it as it stands); a
    // list rebuilt but not written once a run (every Open finds it again),
    // remembered as long as the game's singletons live.
    static void Tell(Opened aOpened);
    // The numbers N of the files "game" + N + ".dat" in the folder (names
    // compared ignoring case, as the file system finds them), ascending.
    // False when the folder cannot be listed.
    static bool GameNumbers(VoVectorInt* apOut);
    // Whether the list read must be recovered, with these game numbers
    // (ascending) on disk: its bytes were not read whole (IsWhole), or a
    // game file numbered above every entry exists while the list names no
    // game or its last entry was cut off before all three keys.
    bool NeedsRecovery(const VoVectorInt& aGames) const;
    // One complete entry per game number (ascending): the description and
    // thumbnail the list held for it, up to the first character no list
    // holds, else "Saved game " + N and no thumbnail. Entries without a
    // game go.
    void Rebuild(const VoVectorInt& aGames);
    // The bytes last read were a list read whole: none that no list holds
    // (units below 32 but TAB, CR and LF, or 127), and a line end after the
    // last line. A list that was not read from bytes counts as whole.
    bool IsWhole() const { return fWhole; }
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
    // The file as it was kept under a set-aside name: the first of the
    // folder's files (aNames) with the same bytes, else a copy under the
    // first name they leave free. False when none is free or the copy failed.
    static bool SetAside(const VoVectorString& aNames, VoString* apName);

    VoVectorBase fSlots;  // MGSaveSlot, owned, ascending by number
    bool fWhole = true;
};
