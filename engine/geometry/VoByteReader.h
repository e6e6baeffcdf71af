#pragma once
// A bounded little-endian cursor over bytes that belong to someone else: the
// image readers decode a file's memory copy through it. Every read checks
// what remains first; a read that does not fit moves nothing and gives false.
#include <cstdint>
#include <cstring>

class VoByteReader {
public:
    VoByteReader(const unsigned char* apData, std::uint32_t aSize)
        : fpData(apData), fSize(apData != nullptr ? aSize : 0), fPosition(0) {}

    std::uint32_t GetPosition() const { return fPosition; }
    std::uint32_t GetRemaining() const { return fSize - fPosition; }

    bool SetPosition(std::uint32_t aPosition) {
        if (aPosition > fSize) {
            return false;
        }
        fPosition = aPosition;
        return true;
    }
    bool Skip(std::uint32_t aCount) {
        if (aCount > GetRemaining()) {
            return false;
        }
        fPosition += aCount;
        return true;
    }
    bool ReadBytes(std::uint32_t aCount, unsigned char* apOut) {
        if (aCount > GetRemaining()) {
            return false;
        }
        if (aCount > 0) {
            std::memcpy(apOut, fpData + fPosition, aCount);
        }
        fPosition += aCount;
        return true;
    }
    bool ReadByte(unsigned char* apOut) { return ReadBytes(1, apOut); }

    static std::uint16_t GetUInt16(const unsigned char* apBytes) {
        return static_cast<std::uint16_t>(apBytes[0] | (apBytes[1] << 8));
    }
    static std::uint32_t GetUInt32(const unsigned char* apBytes) {
        return static_cast<std::uint32_t>(apBytes[0]) | (static_cast<std::uint32_t>(apBytes[1]) << 8) |
               (static_cast<std::uint32_t>(apBytes[2]) << 16) |
               (static_cast<std::uint32_t>(apBytes[3]) << 24);
    }
    static std::int32_t GetInt32(const unsigned char* apBytes) {
        return static_cast<std::int32_t>(GetUInt32(apBytes));
    }

private:
    const unsigned char* fpData;  // not owned, outlives the reader
    std::uint32_t fSize;
    std::uint32_t fPosition;
};
