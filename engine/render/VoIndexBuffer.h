#pragma once
// A plain memory copy of 16-bit (format 1) or 32-bit (format 2) vertex
// indices, which the rasterizer copies to the device to draw. Made from data
// in memory or read from a mesh file's index-buffer record (i32 format, i32
// width, i32 count, i32 byte size, then the bytes).
//
// After every Create and Read the buffer fits itself to the device: 32-bit
// indices become 16-bit ones where the device takes no more than that, and a
// device that cannot even take 16-bit indices is refused. Indices are
// narrowed only when every one of them fits 16 bits: a buffer that needs 32
// keeps them on a device that draws with them.
#include <cstdint>
#include <cstring>

#include "container/VoStreamObject.h"

class VoIndexBuffer : public VoStreamObject {
public:
    static constexpr std::int32_t kFormat16 = 1;
    static constexpr std::int32_t kFormat32 = 2;
    // The device draws with 32-bit indices from this maximum on.
    static constexpr std::uint32_t kMax32BitIndex = 0xFFFFFFFEu;
    // The device draws with 16-bit indices from this maximum on.
    static constexpr std::uint32_t kMax16BitIndex = 0xFFFEu;

    static constexpr const char* kCreateInvalid = "Create failure. Invalid arg.";
    static constexpr const char* kCreateNoMemory = "Create failure. Could not allocate.";
    static constexpr const char* kGetBufferEmpty = "GetBuffer failure. Empty.";
    static constexpr const char* kInvalidCall = "Invalid call.";
    static constexpr const char* kFormatUndefined = "Vertex index format undefined: ";
    static constexpr const char* kIndexBeyondDevice =
        "ConformToDevice failure. An index needs 32 bits and the device takes 16: ";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    static constexpr const char* kReadRefused = "Read failure. Invalid index buffer record.";

    // The bytes per index of a format; 0 for a format other than 1 and 2.
    static std::int32_t WidthOf(std::int32_t aFormat);

    VoIndexBuffer() = default;
    // A private copy of the other's indices.
    VoIndexBuffer(const VoIndexBuffer& aOther);
    VoIndexBuffer& operator=(const VoIndexBuffer& aOther);
    ~VoIndexBuffer() override;

    // Copies aCount indices of the format and fits them to the device;
    // refused (logged, buffer unchanged) without data, with a count below 1
    // or a format other than 1 and 2.
    bool Create(std::int32_t aFormat, const void* apData, std::int32_t aCount);
    // Fits the indices to the device's largest vertex index (see above).
    bool ConformToDevice();

    // The data; null, logged, when there is none.
    void* GetBuffer();
    // The index at a position; 0, logged, outside the buffer.
    std::uint32_t GetIndex(std::int32_t aIndex) const;
    // The same for a position the caller has checked is inside the buffer,
    // for loops over many indices.
    std::uint32_t GetIndexInside(std::int64_t aIndex) const {
        if (fFormat == kFormat16) {
            std::uint16_t value;
            std::memcpy(&value, fpData + static_cast<std::size_t>(aIndex) * 2, 2);
            return value;
        }
        std::uint32_t value;
        std::memcpy(&value, fpData + static_cast<std::size_t>(aIndex) * 4, 4);
        return value;
    }
    // False, logged, outside the buffer; a 16-bit buffer keeps the low 16 bits.
    bool SetIndex(std::int32_t aIndex, std::uint32_t aValue);
    std::int32_t GetFormat() const { return fFormat; }
    std::int32_t GetWidth() const { return fWidth; }
    std::int32_t GetCount() const { return fCount; }
    std::int32_t GetSize() const { return fSize; }

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    unsigned char* fpData = nullptr;  // owned (VO_NEW[]), fSize bytes
    std::int32_t fSize = 0;
    std::int32_t fFormat = 0;
    std::int32_t fWidth = 0;
    std::int32_t fCount = 0;
};
