#pragma once
// The mouth and face timing of one spoken line: one track per face channel
// entry (see VoLipSyncTrack), played by the lip-sync player.
//
// Text form (".dat", one per voice line, under "//dataroot/lipsync/"), a
// property list:
//     sound=line01.ogg            optional; named only in the error lines
//     phonemes
//         <any key>               one section per track, taken in file order
//             id=Phoneme_Eat      the channel's name
//             numkeys=3           the key count N
//             times=0|120|300     N times in milliseconds
//             values=0|80|0       N weights in percent
// The reader turns milliseconds into seconds and percent into 0..1 and puts
// a key (0, 0) in front, so the track above has the four keys (0, 0),
// (0, 0), (0.12, 0.8), (0.3, 0). Times or values fewer than N cut the key
// count to their number; more are cut to the key count. Problems are logged
// and reading goes on.
//
// Serialised form, in the stream's typed encoding: i32 track count, then the
// track records (see VoLipSyncTrack), holding the keys as the text reader
// leaves them. Counts are checked against the bytes left before anything is
// allocated; a failed read leaves the data unchanged.
#include <cstdint>

#include "container/VoISerializable.h"
#include "container/VoString.h"

class VoLipSyncTrack;
class VoPropertyList;

class VoLipSyncData : public VoISerializable {
public:
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kPhonemesNotFound = "'phonemes' not found.";
    // Logged, empty, when "phonemes" holds no entry.
    static constexpr const char* kNoEntries = "";
    static constexpr const char* kIdNotFound = "'id' not found.";
    static constexpr const char* kInvalidType = "Invalid type.";
    static constexpr const char* kNumKeysNotFound = "'numkeys' not found.";
    static constexpr const char* kInvalidTimes = "Invalid number of times.";
    static constexpr const char* kInvalidValues = "Invalid number of values.";
    // The plain lines (no level, no source) that name the file of a short
    // list: the banner, then the first text + the ".dat" name + the key text
    // + the entry's number from 1.
    static constexpr const char* kDataErrorLine = "**** Lipsync data error ****";
    static constexpr const char* kTimesLine = "Invalid number of times in ";
    static constexpr const char* kValuesLine = "Invalid number of values in ";
    static constexpr const char* kKeyNumber = " key number ";
    static constexpr const char16_t* kDatEnding = u".dat";

    static constexpr const char* kCouldNotOpen = "LoadFile failure. Could not open: ";
    static constexpr const char* kTruncated = "Read failure. Truncated lip-sync data.";
    static constexpr const char* kTracksRefused = "Read failure. Track count exceeds the data: ";
    static constexpr const char* kCouldNotAllocate = "Could not allocate the tracks.";

    static constexpr const char16_t* kSoundKey = u"sound";
    static constexpr const char16_t* kPhonemesKey = u"phonemes";
    static constexpr const char16_t* kIdKey = u"id";
    static constexpr const char16_t* kNumKeysKey = u"numkeys";
    static constexpr const char16_t* kTimesKey = u"times";
    static constexpr const char16_t* kValuesKey = u"values";

    // Capacity of the stream a serialised file is loaded into.
    static constexpr std::int32_t kLoadCapacity = 1024;

    // No tracks.
    VoLipSyncData();
    ~VoLipSyncData() override;
    VoLipSyncData(const VoLipSyncData&) = delete;
    VoLipSyncData& operator=(const VoLipSyncData&) = delete;

    // Loads the file: the serialised form (the whole file, then Read) or the
    // text form (a property list, then Load). False, with kCouldNotOpen at
    // the assertion level, when the file cannot be opened, and when the
    // reader fails.
    bool LoadFile(bool aSerialised, const VoString& aPath, bool aMapToNative);
    // The text reader (see the top). A null list: kNullArg as an assertion
    // and false. Otherwise the tracks are replaced by one per entry of
    // "phonemes" (none when it is missing) and the result is true, whatever
    // the entries held.
    bool Load(VoPropertyList* apList);

    // The serialised form. Replaces the tracks when the stored count is at
    // least 1; a count of 0 or less leaves them. On a failure the data is
    // unchanged.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    std::int32_t GetTrackCount() const { return fTrackCount; }
    // The track at aIndex; null outside 0..count - 1.
    const VoLipSyncTrack* GetTrack(std::int32_t aIndex) const;

    // "Invalid number of times in " (or values) + the sound's name with its
    // last four units replaced by ".dat" + " key number " + aEntry + 1.
    static VoString ShortListLine(const char* apText, const VoString& aSound, std::int32_t aEntry);

private:
    // Takes apTracks (owned, aCount of them) in place of the old tracks.
    void AdoptTracks(VoLipSyncTrack* apTracks, std::int32_t aCount);
    // Reads entry aIndex of "phonemes" into apTrack; apEntry may be null (an
    // entry that is a value), which reads as an entry of no keys at all.
    static void LoadEntry(VoPropertyList* apEntry, std::int32_t aIndex, bool aHasSound,
                          const VoString& aSound, VoLipSyncTrack* apTrack);

    std::int32_t fTrackCount;
    VoLipSyncTrack* fpTracks;  // owned (VO_NEW[]), fTrackCount of them; null without tracks
};
