#pragma once
// What the two mesh file forms share: which reader a file name calls for,
// and the bounds every reader of them checks before it allocates.
//
// A name whose last character is "1" (".lim1") is the serialised form, read
// through VoDrawElement::Read; any other name is the raw form, read through
// VoDrawElement::Load. Every multi-byte value is little-endian.
//
// The readers take untrusted bytes: every count is checked against the
// smallest size its records can have times the bytes left in the stream (or
// VoIStream::kMaxUnsizedRead where the stream cannot tell), so no count can
// make a reader allocate more than the file could fill.
#include <cstdint>

#include "container/VoString.h"

class VoIStream;

class VoMeshFile {
public:
    // The deepest chain of first-child links a model may have: every walk of
    // the frame tree recurses once per child level. A skeleton is a few tens
    // deep.
    static constexpr int kMaxFrameDepth = 256;

    // The smallest records of both forms, in bytes.
    // Material: four colours of 16, the power, an empty name (count and 0 unit).
    static constexpr std::int64_t kMinMaterialBytes = 4 * 16 + 4 + 4 + 2;
    // Subset: two counts, an index-buffer record of four words, a material.
    static constexpr std::int64_t kMinSubsetBytes = 4 + 4 + 16 + kMinMaterialBytes;
    // Bone: an empty name, an influence count, the offset matrix.
    static constexpr std::int64_t kMinBoneBytes = 6 + 4 + 64;
    // Raw frame: number, two matrices, the unused word, sibling, child,
    // flags and name length.
    static constexpr std::int64_t kMinRawFrameBytes = 4 + 64 + 64 + 4 * 5;
    // Raw subset: five words.
    static constexpr std::int64_t kRawSubsetBytes = 5 * 4;
    // Raw bone: name length, influence count, frame number, offset matrix.
    static constexpr std::int64_t kMinRawBoneBytes = 4 + 4 + 4 + 64;

    static constexpr const char* kTruncated = "Read failure. Truncated mesh file.";
    static constexpr const char* kCountRefused = "Read failure. Count exceeds the data: ";

    // Whether the name calls for the serialised form: its last character is "1".
    static bool IsSerialisedName(const VoString& aName);

    // Whether aCount records of at least aBytesEach bytes can still be in the
    // stream. A negative count, or one beyond the data, logs kCountRefused
    // with the count and gives false.
    static bool CountFits(VoIStream* apStream, std::int64_t aCount, std::int64_t aBytesEach);

    // Reads aCount u32 values (i32 and f32 alike, by their bits) into a new
    // array (the caller's, delete[]) after checking that they fit; aCount 0
    // gives null and true. False, logged, with *apppOut untouched otherwise.
    static bool ReadWords(VoIStream* apStream, std::int64_t aCount, std::uint32_t** appOut);
    static bool ReadWords(VoIStream* apStream, std::int64_t aCount, std::int32_t** appOut);
    static bool ReadWords(VoIStream* apStream, std::int64_t aCount, float** appOut);
    // The same into an array of at least aCount words that the caller holds;
    // on a failure (logged) the array holds what was read.
    static bool ReadWordsInto(VoIStream* apStream, std::int64_t aCount, std::uint32_t* apOut);
    // The raw form's name: aLength 8-bit characters, the text ending at the
    // first 0 byte (or with the last one).
    static bool ReadRawName(VoIStream* apStream, std::uint32_t aLength, VoString* apOut);
};
