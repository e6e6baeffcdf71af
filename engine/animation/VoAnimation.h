#pragma once
// A skeletal animation: a named set of tracks, one per bone frame of a model,
// each with one key per animation frame at 30 frames per second. Played
// through the animation controller, whose slots the draw element applies to
// its frames.
//
// Two file forms hold the same data; the file name's ending picks the form:
//
// Serialised ("...lia1", any case), the stream's typed encoding:
//     string name, u32 track count, u32 frame count, then the track records
//     (see VoAnimationTrack::Read) when the count is above 0.
//
// Raw ("...lia", any case), written by the content exporter:
//     offset 0   8 header bytes (kept, not examined)
//            8   u32 (kept, not examined)
//           12   u32 track count
//           16   u32 frame count
//           20   the track records (see VoAnimationTrack::ReadRaw), each
//                holding frame count keys of 40 bytes.
// The raw reader gives each track frame count keys, so an animation read raw
// and written serialised keeps every key.
//
// Every count is checked against the bytes left before anything is
// allocated; a truncated file fails the read.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoAnimationTrack;

class VoAnimation : public VoStreamObject {
public:
    static constexpr const char* kNotFound = "Animation not found.";
    static constexpr const char* kInvalidPath = "Invalid path.";
    static constexpr const char* kTruncated = "Read failure. Truncated animation.";
    static constexpr const char* kTracksRefused = "Read failure. Track count exceeds the data: ";
    static constexpr const char* kCouldNotAllocate = "Read failure. Could not allocate the tracks.";
    static constexpr const char* kInvalidCount = "Create failure. Invalid count.";

    static constexpr double kFramesPerSecond = 30.0;
    static constexpr std::uint32_t kRawHeaderBytes = 8;
    // Capacity of the stream a file is loaded into.
    static constexpr std::int32_t kLoadCapacity = 1024;

    // Which reader a file name calls for.
    enum class Form { kUnknown, kSerialised, kRaw };
    // kSerialised when the name ends in "lia1" ignoring case, else kRaw when
    // it ends in "lia" ignoring case, else kUnknown.
    static Form FormOf(const VoString& aPath);

    // An empty name and no tracks.
    VoAnimation();
    ~VoAnimation() override;
    VoAnimation(const VoAnimation&) = delete;
    VoAnimation& operator=(const VoAnimation&) = delete;

    // Loads the whole file and reads it in the form its name calls for, the
    // raw form with the path as the animation's name. A file that cannot be
    // opened logs kNotFound, a name of neither form kInvalidPath (both as
    // assertions); false then and when the read fails.
    bool Load(const VoString& aPath, bool aMapToNative);
    // Reads the form aForm from the stream, the raw one named aName; false
    // for kUnknown.
    bool ReadForm(VoIStream* apStream, Form aForm, const VoString& aName);

    // The serialised form. Replaces the tracks when the stored count is above
    // 0 (otherwise tracks and count stay). True only when every value was
    // read; on a failure the animation keeps what was read (a track's key
    // arrays each whole or absent).
    bool Read(VoIStream* apStream) override;
    // The raw form, named aName. On a failure (a truncated file or a count
    // beyond the data) the animation is unchanged.
    bool Read(VoIStream* apStream, const VoString& aName);
    // The serialised form; the track count is written as 0 without tracks.
    bool Write(VoIStream* apStream) override;
    // The raw form, with the header bytes and word that were read (zeros for
    // an animation not read raw).
    bool WriteRaw(VoIStream* apStream);

    // Names the animation and replaces its tracks by aTrackCount empty ones
    // (see VoAnimationTrack::Create) of aFrameCount frames; for animations
    // made in code. False, unchanged, for a negative count or when memory
    // runs out.
    bool Create(const VoString& aName, std::int32_t aTrackCount, std::int32_t aFrameCount);

    // Frame count / 30, in seconds.
    double GetLength() const { return static_cast<double>(fFrameCount) / kFramesPerSecond; }
    // Logs each track: a ruler, "name:" + its name, "numkeys:" + the frame
    // count, then "-----" and the key's vector, rotation and position
    // values for each key it holds.
    void Dump() const;

    const VoString& GetName() const { return fName; }
    std::uint32_t GetTrackCount() const { return fTrackCount; }
    std::uint32_t GetFrameCount() const { return fFrameCount; }
    // An animation of no frames has no key to show and is never sampled.
    bool HasFrames() const { return fFrameCount > 0; }
    // The track at aIndex; null outside 0..count - 1.
    VoAnimationTrack* GetTrack(std::int64_t aIndex) const;

private:
    // Takes apTracks (owned, aCount of them) in place of the old tracks.
    void AdoptTracks(VoAnimationTrack* apTracks, std::uint32_t aCount);

    VoString fName;
    std::uint32_t fTrackCount;
    std::uint32_t fFrameCount;
    VoAnimationTrack* fpTracks;  // owned (VO_NEW[]), fTrackCount of them; null until read or made
    unsigned char fRawHeader[kRawHeaderBytes];  // the raw form's header, kept to be written back
    std::uint32_t fRawWord;                     // the raw form's word after the header, likewise
};
