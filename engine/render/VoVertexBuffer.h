#pragma once
// A plain memory copy of vertices of one of the seven engine vertex formats,
// which the rasterizer copies to the device to draw. Made from data in
// memory or read from a mesh file's vertex-buffer record (i32 format, i32
// stride, i32 count, i32 byte size, then the bytes).
//
// Formats and their layouts (floats; colours four floats A, R, G, B):
//     1 position (12 bytes)                 5 position, normal, texture coordinates (32)
//     2 position, colour (28)               6 position, colour, normal, texture coordinates (48)
//     3 position, texture coordinates (20)  7 position, normal (24)
//     4 position, normal, colour (40)
// A record read from a file is checked before anything is allocated: its
// stride and size must be those of its format and count, and its bytes must
// be there; a refused record leaves the buffer as it was.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoVertexBuffer : public VoStreamObject {
public:
    static constexpr std::int32_t kMinFormat = 1;
    static constexpr std::int32_t kMaxFormat = 7;

    static constexpr const char* kCreateInvalid = "Create failure. Invalid arg.";
    static constexpr const char* kCreateNoMemory = "Create failure. Could not allocate.";
    static constexpr const char* kAllocateInvalid = "Allocate failure. Invalid arg.";
    static constexpr const char* kSetCountInvalid = "SetVertexCount failure. Invalid arg.";
    static constexpr const char* kGetBufferEmpty = "GetBuffer failure. Empty.";
    static constexpr const char* kReadRefused = "Read failure. Invalid vertex buffer record.";

    // The bytes per vertex of a format; 0 for a format outside 1..7.
    static std::int32_t StrideOf(std::int32_t aFormat);

    VoVertexBuffer() = default;
    VoVertexBuffer(const VoVertexBuffer&) = delete;
    VoVertexBuffer& operator=(const VoVertexBuffer&) = delete;
    ~VoVertexBuffer() override;

    // Copies aCount vertices of the format; refused (logged, buffer
    // unchanged) without data, with a count below 1 or a format outside 1..7.
    bool Create(std::int32_t aFormat, const void* apData, std::int32_t aCount);
    // Storage for aCount vertices of the format, zeroed; refused like Create.
    bool Allocate(std::int32_t aFormat, std::int32_t aCount);
    // Overwrites the count alone, within the vertices the storage holds.
    bool SetVertexCount(std::int32_t aCount);

    // The data; null, logged, when there is none.
    void* GetBuffer();
    // The address of a vertex of the storage; null for an index outside it
    // or a buffer without a format.
    void* GetVertex(std::int32_t aIndex);
    std::int32_t GetVertexCount() const { return fCount; }
    std::int32_t GetFormat() const { return fFormat; }
    std::int32_t GetStride() const { return fStride; }
    // Stride x count at the last Create, Allocate or Read.
    std::int32_t GetSize() const { return fSize; }

    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;

    VoString ToString() const override;

private:
    std::int32_t fFormat = 0;
    std::int32_t fStride = 0;
    std::int32_t fCount = 0;
    std::int32_t fSize = 0;
    unsigned char* fpData = nullptr;  // owned (VO_NEW[]), fSize bytes
};
