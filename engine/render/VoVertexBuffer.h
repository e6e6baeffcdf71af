#pragma once
// A plain memory copy of vertices that the rasterizer binds for drawing
// (VoIRasterizer::SetVertexBuffer). The vertex format names the layout:
//     1 position; 2 position, colour; 3 position, one texture coordinate pair;
//     4 position, normal, colour; 5 position, normal, texture coordinates;
//     6 position, colour, normal, texture coordinates; 7 position, normal.
// Positions, normals and texture coordinates are floats; colours four floats
// A, R, G, B.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoVertexBuffer : public VoStreamObject {
public:
    static constexpr const char* kCreateInvalidArg = "Create failure. Invalid arg.";
    static constexpr const char* kGetBufferEmpty = "GetBuffer failure. Empty.";

    // Empty: no format, no vertices, no data.
    VoVertexBuffer() = default;
    VoVertexBuffer(const VoVertexBuffer&) = delete;
    VoVertexBuffer& operator=(const VoVertexBuffer&) = delete;
    ~VoVertexBuffer() override;

    // Bytes per vertex of a format: 12, 28, 20, 40, 32, 48, 24 for 1-7; 0
    // for any other value.
    static std::int32_t GetStride(std::int32_t aFormat);

    // Copies aCount vertices of the format from apData, replacing the old
    // data. Null data, a count below 1 or a format outside 1-7 log
    // kCreateInvalidArg and leave the buffer as it was.
    bool Create(std::int32_t aFormat, const void* apData, std::int32_t aCount);

    // The data, still the buffer's; null (and kGetBufferEmpty) without any.
    void* GetBuffer();
    std::int32_t GetFormat() const { return fFormat; }
    std::int32_t GetStride() const { return fStride; }
    std::int32_t GetVertexCount() const { return fVertexCount; }
    std::int32_t GetSize() const { return fSize; }

    VoString ToString() const override;

private:
    std::int32_t fFormat = 0;
    std::int32_t fStride = 0;
    std::int32_t fVertexCount = 0;
    std::int32_t fSize = 0;           // stride x count, in bytes
    unsigned char* fpData = nullptr;  // owned (VO_NEW[]), fSize bytes
};
