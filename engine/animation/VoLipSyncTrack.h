#pragma once
// The weight of one face channel over the time of a spoken line: keys of a
// time (seconds) and a weight (0..1), one channel of the 27 below by name.
// VoLipSyncData holds one per channel entry of a lip-sync file; the lip-sync
// player blends the channel's pose into the face by the weight.
//
// Serialised record, in the stream's typed encoding:
//     string id, u32 hash, i32 channel, i32 key count K,
//     K floats times, K floats values.
// The hash and channel are stored as written. A record is refused, before
// anything is allocated, when K is negative or its keys exceed the bytes
// left, and when its channel is none of -1..26, so that a channel taken from
// a track can always index the 27 poses.
#include <cstdint>

#include "container/VoString.h"

class VoIStream;

class VoLipSyncTrack {
public:
    static constexpr std::int32_t kChannelCount = 27;
    static constexpr std::int32_t kNoChannel = -1;
    static constexpr int kHashShift = 7;

    static constexpr const char* kIdRefused = "Read failure. Track id exceeds the data.";
    static constexpr const char* kKeysRefused = "Read failure. Keys exceed the data.";
    static constexpr const char* kInvalidKeyCount = "Read failure. Invalid key count: ";
    static constexpr const char* kInvalidChannel = "Read failure. Invalid channel: ";
    static constexpr const char* kCouldNotAllocate = "Read failure. Could not allocate the keys.";
    static constexpr const char* kSetKeysFailure = "SetKeys failure. Invalid arg.";

    // The least a serialised record takes: an empty id (count and
    // terminator), the hash, the channel and the key count.
    static constexpr std::uint32_t kMinTrackBytes = 6 + 4 + 4 + 4;
    // Bytes of one key in the serialised record: its time and its value.
    static constexpr std::uint32_t kKeyBytes = 8;

    VoLipSyncTrack() = default;
    ~VoLipSyncTrack();
    VoLipSyncTrack(const VoLipSyncTrack&) = delete;
    VoLipSyncTrack& operator=(const VoLipSyncTrack&) = delete;

    // The channel names, in channel order: 15 phonemes, then 12 visemes. The
    // same names with ".lia" appended are the files of the channels' poses.
    static const char16_t* GetChannelName(std::int32_t aChannel);
    // The index of aName in the channel table (case-sensitive), or -1.
    static std::int32_t ChannelOf(const VoString& aName);

    // Names the track: its id, the name hash of the id and the id's channel
    // (-1 when the id is none of the table's names).
    void SetId(const VoString& aId);
    // Replaces the keys by copies of aCount times and values (none for 0).
    // False, with the keys unchanged, for a negative count, a missing array
    // or when memory runs out.
    bool SetKeys(std::int32_t aCount, const float* apTimes, const float* apValues);

    // One serialised record. On a failure the track is unchanged.
    bool Read(VoIStream* apStream);
    // Writes every part, and is true only when every part was written.
    bool Write(VoIStream* apStream) const;

    // The player's step for one track at aNow seconds: moves *apCursor on
    // while the next key's time has come, then gives in *apWeight the weight
    // between the cursor's key and the next. False when the track has no
    // keys or the cursor has reached its last key (the track has ended and
    // poses nothing). A cursor outside the keys is taken back into them.
    bool Sample(float aNow, std::int32_t* apCursor, float* apWeight) const;
    // The weight at aNow between key (aTime0, aValue0) and key (aTime1,
    // aValue1): linear, the fraction held to 0..1. An interval of zero or
    // negative length (or not a number) gives the later key's value, and a
    // weight that comes out infinite or not a number gives 0, so that no NaN
    // reaches a bone's matrix.
    static float Interpolate(float aTime0, float aValue0, float aTime1, float aValue1, float aNow);

    const VoString& GetId() const { return fId; }
    std::uint32_t GetHash() const { return fHash; }
    std::int32_t GetChannel() const { return fChannel; }
    std::int32_t GetKeyCount() const { return fKeyCount; }
    // The key arrays, null when the track has no keys.
    const float* GetTimes() const { return fpTimes; }
    const float* GetValues() const { return fpValues; }

private:
    void AdoptKeys(std::int32_t aCount, float* apTimes, float* apValues);

    VoString fId;
    std::uint32_t fHash = 0;
    std::int32_t fChannel = kNoChannel;
    std::int32_t fKeyCount = 0;
    float* fpTimes = nullptr;   // owned, fKeyCount of them, null without keys
    float* fpValues = nullptr;  // owned, fKeyCount of them, null without keys
};
