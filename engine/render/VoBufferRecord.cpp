#include "render/VoBufferRecord.h"

#include <cstddef>
#include <limits>

#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

std::int64_t VoBufferDataSize(std::int32_t aUnit, std::int64_t aCount) {
    if (aUnit == 0 || aCount < 0) {
        return -1;
    }
    const std::int64_t size = aCount * aUnit;
    return size <= std::numeric_limits<std::int32_t>::max() ? size : -1;
}

VoBufferReadResult VoReadBufferRecord(VoIStream* apStream, std::int32_t (*aUnitOf)(std::int32_t),
                                      VoBufferRecord* apRecord, unsigned char** appData) {
    std::int32_t header[4];
    if (!apStream->ReadWordRun(header, 4)) {
        for (std::int32_t& value : header) {
            if (!apStream->ReadInt(&value)) {
                return VoBufferReadResult::kEnded;
            }
        }
    }
    const std::int32_t format = header[0];
    const std::int32_t unit = header[1];
    const std::int32_t count = header[2];
    const std::int32_t size = header[3];
    // An empty buffer writes four zeros; anything else must be a whole format.
    const bool empty = format == 0 && unit == 0 && count == 0 && size == 0;
    const std::int32_t formatUnit = aUnitOf(format);
    const bool whole = unit == formatUnit && VoBufferDataSize(formatUnit, count) == size && size >= 0;
    const std::int64_t remaining = apStream->GetRemaining();
    if ((!empty && !whole) ||
        static_cast<std::int64_t>(size) > (remaining >= 0 ? remaining : VoIStream::kMaxUnsizedRead)) {
        return VoBufferReadResult::kRefused;
    }
    unsigned char* data = nullptr;
    if (size > 0) {
        data = VO_NEW unsigned char[static_cast<std::size_t>(size)];
        if (data == nullptr || !apStream->Read(static_cast<std::uint32_t>(size), data)) {
            delete[] data;
            return VoBufferReadResult::kRefused;
        }
    }
    apRecord->format = format;
    apRecord->unit = unit;
    apRecord->count = count;
    apRecord->size = size;
    *appData = data;
    return VoBufferReadResult::kRead;
}

bool VoWriteBufferRecord(VoIStream* apStream, const VoBufferRecord& aRecord, const unsigned char* apData) {
    bool written = apStream->WriteInt(aRecord.format);
    written = apStream->WriteInt(aRecord.unit) && written;
    written = apStream->WriteInt(aRecord.count) && written;
    written = apStream->WriteInt(aRecord.size) && written;
    if (aRecord.size != 0) {
        written = apData != nullptr && apStream->Write(static_cast<std::uint32_t>(aRecord.size), apData) && written;
    }
    return written;
}
