#include "render/VoVertexBuffer.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "render/VoBufferRecord.h"
#include "stdlib/VoIStream.h"

namespace {

// The byte size of aCount vertices of the format; -1 when the format or
// count is not valid or the size does not fit 32 bits.
std::int64_t SizeOf(std::int32_t aFormat, std::int64_t aCount) {
    return VoBufferDataSize(VoVertexBuffer::StrideOf(aFormat), aCount);
}

}  // namespace

std::int32_t VoVertexBuffer::StrideOf(std::int32_t aFormat) {
    static constexpr std::int32_t kStrides[] = {0, 12, 28, 20, 40, 32, 48, 24};
    return aFormat >= kMinFormat && aFormat <= kMaxFormat ? kStrides[aFormat] : 0;
}

VoVertexBuffer::~VoVertexBuffer() {
    delete[] fpData;
}

bool VoVertexBuffer::Create(std::int32_t aFormat, const void* apData, std::int32_t aCount) {
    const std::int64_t size = SizeOf(aFormat, aCount);
    if (apData == nullptr || aCount < 1 || size < 0) {
        VO_ERROR(kCreateInvalid);
        return false;
    }
    unsigned char* data = VO_NEW unsigned char[static_cast<std::size_t>(size)];
    if (data == nullptr) {
        VO_ERROR(kCreateNoMemory);
        return false;
    }
    std::memcpy(data, apData, static_cast<std::size_t>(size));
    delete[] fpData;
    fpData = data;
    fFormat = aFormat;
    fStride = StrideOf(aFormat);
    fCount = aCount;
    fSize = static_cast<std::int32_t>(size);
    return true;
}

bool VoVertexBuffer::Allocate(std::int32_t aFormat, std::int32_t aCount) {
    const std::int64_t size = SizeOf(aFormat, aCount);
    if (size < 0) {
        VO_ERROR(kAllocateInvalid);
        return false;
    }
    unsigned char* data = nullptr;
    if (size > 0) {
        data = VO_NEW unsigned char[static_cast<std::size_t>(size)]();
        if (data == nullptr) {
            VO_ERROR(kCreateNoMemory);
            return false;
        }
    }
    delete[] fpData;
    fpData = data;
    fFormat = aFormat;
    fStride = StrideOf(aFormat);
    fCount = aCount;
    fSize = static_cast<std::int32_t>(size);
    return true;
}

bool VoVertexBuffer::SetVertexCount(std::int32_t aCount) {
    // More vertices than the storage holds would send readers past its end.
    if (aCount < 0 || fStride == 0 || aCount > fSize / fStride) {
        VO_ERROR(kSetCountInvalid);
        return false;
    }
    fCount = aCount;
    return true;
}

void* VoVertexBuffer::GetBuffer() {
    if (fpData == nullptr) {
        VO_ERROR(kGetBufferEmpty);
    }
    return fpData;
}

void* VoVertexBuffer::GetVertex(std::int32_t aIndex) {
    if (fStride == 0 || fpData == nullptr || aIndex < 0 || aIndex >= fSize / fStride) {
        return nullptr;
    }
    return fpData + static_cast<std::int64_t>(aIndex) * fStride;
}

bool VoVertexBuffer::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    VoBufferRecord record;
    unsigned char* data = nullptr;
    const VoBufferReadResult result = VoReadBufferRecord(apStream, &StrideOf, &record, &data);
    if (result != VoBufferReadResult::kRead) {
        if (result == VoBufferReadResult::kRefused) {
            VO_ERROR(kReadRefused);
        }
        return false;
    }
    delete[] fpData;
    fpData = data;
    fFormat = record.format;
    fStride = record.unit;
    fCount = record.count;
    fSize = record.size;
    return true;
}

bool VoVertexBuffer::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    return VoWriteBufferRecord(apStream, VoBufferRecord{fFormat, fStride, fCount, fSize}, fpData);
}

VoString VoVertexBuffer::ToString() const {
    return VoDebugString("VoVertexBuffer", this);
}
