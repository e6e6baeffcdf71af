#pragma once
// The keys of one bone frame in an animation: one key per animation frame,
// each a vector (read, written and dumped but never applied), a rotation and
// a position. The draw element finds the frame a track drives by its name
// hash, never by name.
//
// Each of the three key arrays is either absent (null) or holds exactly
// fKeyCount entries; an array that is present but empty still owns a block,
// so that its presence survives a round trip through the serialised form.
#include <cstdint>

#include "container/VoString.h"
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"

class VoIStream;

class VoAnimationTrack {
public:
    static constexpr int kHashShift = 7;
    // The skeleton's root frame, the only one that takes position keys.
    static constexpr const char16_t* kBipedName = u"Biped";

    static constexpr const char* kNameRefused = "Read failure. Track name exceeds the data.";
    static constexpr const char* kKeysRefused = "Read failure. Keys exceed the data.";
    static constexpr const char* kInvalidKeyCount = "Read failure. Invalid key count: ";
    static constexpr const char* kCouldNotAllocate = "Read failure. Could not allocate the keys.";

    // Bytes of one key of the raw form: vector x, y, z; rotation x, y, z, w;
    // position x, y, z, as 4-byte floats.
    static constexpr std::uint32_t kRawKeyBytes = 40;
    // The least a raw track record takes: its name length and its track word.
    static constexpr std::uint32_t kMinRawTrackBytes = 8;
    // The least a serialised track record takes: an empty name (count and
    // terminator), the hash, the key count and the three presence flags.
    static constexpr std::uint32_t kMinTrackBytes = 6 + 4 + 4 + 3;

    VoAnimationTrack() = default;
    ~VoAnimationTrack();
    VoAnimationTrack(const VoAnimationTrack&) = delete;
    VoAnimationTrack& operator=(const VoAnimationTrack&) = delete;

    // The name hash that tracks and frames are matched by: h = 0, then for
    // each unit c, h = rotate-left-32(h, 7) + c (case-sensitive).
    static std::uint32_t HashOf(const VoString& aName);
    // Whether aBytes more bytes may be read from the stream: no more than it
    // holds, or than VoIStream::kMaxUnsizedRead when it cannot tell, and
    // never more than kMaxDataBytes, so that every count that passes fits a
    // signed 32-bit index.
    static bool Fits(VoIStream* apStream, std::uint64_t aBytes);
    static constexpr std::int64_t kMaxDataBytes = 0x7FFFFFFF;

    // HashOf("Biped"), worked out once.
    static std::uint32_t GetBipedHash();

    // Names the track (and sets its hash) and replaces its keys by aKeyCount
    // zeroed keys in each array asked for; a rotation starts as the identity.
    // False, with no keys, for a negative count or when memory runs out.
    bool Create(const VoString& aName, std::int32_t aKeyCount, bool aVectors, bool aRotations,
                bool aPositions);

    // One raw track record with aFrameCount keys (name length, name bytes,
    // track word, keys). All three arrays get aFrameCount keys and the key
    // count becomes aFrameCount. False, with the track unchanged, when the
    // record does not fit in what the stream holds.
    bool ReadRaw(VoIStream* apStream, std::uint32_t aFrameCount);
    // The raw record of aFrameCount keys: the name as one byte per unit (the
    // low byte) followed by a 0 byte. A frame past the track's keys repeats
    // its last key; an absent array is written as zero vectors, identity
    // rotations and zero positions.
    bool WriteRaw(VoIStream* apStream, std::uint32_t aFrameCount) const;

    // One serialised track record (name, stored hash, key count, then each
    // array behind its presence flag). The track keeps what was read up to a
    // failure: each array is replaced whole or not at all, so its size always
    // matches the key count.
    bool Read(VoIStream* apStream);
    // Writes every part, and is true only when every part was written.
    bool Write(VoIStream* apStream) const;

    // The lines of Dump for this track: a ruler, its name, aFrameCount as the
    // key count, then each key's values (as many as the track holds).
    void Dump(std::uint32_t aFrameCount) const;

    // k limited to the keys this track holds: at most fKeyCount - 1, at least
    // 0; -1 when it holds none.
    std::int32_t ClampKey(std::int32_t aKey) const;
    // Key aKey, or null when the array is absent or aKey lies outside it.
    const VoVector3* GetVectorKey(std::int32_t aKey) const;
    const VoQuaternion* GetRotationKey(std::int32_t aKey) const;
    const VoVector3* GetPositionKey(std::int32_t aKey) const;

    const VoString& GetName() const { return fName; }
    std::uint32_t GetTrackWord() const { return fTrackWord; }
    std::uint32_t GetHash() const { return fHash; }
    std::int32_t GetKeyCount() const { return fKeyCount; }
    // The arrays themselves, to fill the keys of a track made with Create.
    VoVector3* GetVectorKeys() { return fpVectorKeys; }
    VoQuaternion* GetRotationKeys() { return fpRotationKeys; }
    VoVector3* GetPositionKeys() { return fpPositionKeys; }

    void SetTrackWord(std::uint32_t aWord) { fTrackWord = aWord; }

private:
    void FreeKeys();
    // Takes new arrays (owned) and their count in place of the old ones.
    void AdoptKeys(std::int32_t aKeyCount, VoVector3* apVectors, VoQuaternion* apRotations,
                   VoVector3* apPositions);

    VoString fName;
    std::uint32_t fTrackWord = 0;  // carried by the raw form; nothing reads it
    std::uint32_t fHash = 0;
    std::int32_t fKeyCount = 0;
    VoVector3* fpVectorKeys = nullptr;       // owned, fKeyCount of them, or null
    VoQuaternion* fpRotationKeys = nullptr;  // owned, fKeyCount of them, or null
    VoVector3* fpPositionKeys = nullptr;     // owned, fKeyCount of them, or null
};
