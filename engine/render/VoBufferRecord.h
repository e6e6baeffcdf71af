#pragma once
// The stored form that the vertex and index buffers share: four ints (the
// format, the bytes of one element, the element count and the data size in
// bytes), then the data.
#include <cstdint>

class VoIStream;

// The header of one record.
struct VoBufferRecord {
    std::int32_t format = 0;
    std::int32_t unit = 0;  // bytes per element: an index's width, a vertex's stride
    std::int32_t count = 0;
    std::int32_t size = 0;
};

// The data size of aCount elements of aUnit bytes; -1 when aUnit is 0,
// aCount is negative or the size passes the int32 range.
std::int64_t VoBufferDataSize(std::int32_t aUnit, std::int64_t aCount);

enum class VoBufferReadResult {
    kEnded,    // the header was cut short
    kRefused,  // the header is not a whole record, or its data cannot be read
    kRead,
};

// Reads a record into aRecord and its data into *appData (new[], the
// caller's; null when the size is 0). Accepted: four zeros, or a header whose
// unit is aUnitOf(format) (0 for no such format) and whose size is unit x
// count, within the int32 range, and no more than the stream holds (at most
// VoIStream::kMaxUnsizedRead when it cannot tell). Nothing is logged and, on
// any result but kRead, nothing is kept.
VoBufferReadResult VoReadBufferRecord(VoIStream* apStream, std::int32_t (*aUnitOf)(std::int32_t),
                                      VoBufferRecord* apRecord, unsigned char** appData);
// Writes the header, then aRecord.size bytes of apData when the size is not
// 0. Every write is attempted; true only when all succeeded (a missing
// apData with a size fails).
bool VoWriteBufferRecord(VoIStream* apStream, const VoBufferRecord& aRecord, const unsigned char* apData);
