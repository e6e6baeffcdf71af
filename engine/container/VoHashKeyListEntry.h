#pragma once
#include <cstdint>

// One record of a hash index: a key's hash and the position of its key and
// item in insertion order. Shared by VoHashKeyList and VoHashList, which own
// their entries.
struct VoHashKeyListEntry {
    VoHashKeyListEntry() : fHash(0), fIndex(0) {}
    VoHashKeyListEntry(std::uint32_t aHash, std::int32_t aIndex) : fHash(aHash), fIndex(aIndex) {}

    std::uint32_t fHash;
    std::int32_t fIndex;
};
