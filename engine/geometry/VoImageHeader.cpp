#include "geometry/VoImageHeader.h"

#include <cstddef>

#include "stdlib/VoIStream.h"

namespace {

constexpr std::size_t kFieldCount = VoImageHeader::kByteCount / 4;

}  // namespace

bool VoImageHeader::Write(VoIStream* apStream) const {
    if (apStream == nullptr) {
        return false;
    }
    const std::uint32_t fields[kFieldCount] = {fWidth, fHeight, fPitch, fFormat, fSize};
    unsigned char bytes[kByteCount];
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        for (std::size_t b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<unsigned char>(fields[i] >> (8 * b));
        }
    }
    return apStream->Write(kByteCount, bytes);
}

bool VoImageHeader::Read(VoIStream* apStream) {
    unsigned char bytes[kByteCount];
    if (apStream == nullptr || !apStream->Read(kByteCount, bytes)) {
        return false;
    }
    std::uint32_t fields[kFieldCount];
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        fields[i] = 0;
        for (std::size_t b = 0; b < 4; ++b) {
            fields[i] |= static_cast<std::uint32_t>(bytes[4 * i + b]) << (8 * b);
        }
    }
    *this = VoImageHeader(fields[0], fields[1], fields[2], fields[3], fields[4]);
    return true;
}
