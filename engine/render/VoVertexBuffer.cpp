#include "render/VoVertexBuffer.h"

#include <cstring>
#include <limits>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

namespace {

// The byte size of aCount vertices of the format; -1 when the format or
// count is not valid or the size does not fit 32 bits.
std::int64_t SizeOf(std::int32_t aFormat, std::int64_t aCount) {
    const std::int32_t stride = VoVertexBuffer::StrideOf(aFormat);
    if (stride == 0 || aCount < 0) {
        return -1;
    }
    const std::int64_t size = aCount * stride;
    return size <= std::numeric_limits<std::int32_t>::max() ? size : -1;
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
    std::int32_t header[4];
    for (std::int32_t& value : header) {
        if (!apStream->ReadInt(&value)) {
            return false;
        }
    }
    const std::int32_t format = header[0];
    const std::int32_t stride = header[1];
    const std::int32_t count = header[2];
    const std::int32_t size = header[3];
    // An empty buffer writes four zeros; anything else must be a whole format.
    const bool empty = format == 0 && stride == 0 && count == 0 && size == 0;
    const bool whole = stride == StrideOf(format) && SizeOf(format, count) == size && size >= 0;
    const std::int64_t remaining = apStream->GetRemaining();
    if ((!empty && !whole) ||
        static_cast<std::int64_t>(size) > (remaining >= 0 ? remaining : VoIStream::kMaxUnsizedRead)) {
        VO_ERROR(kReadRefused);
        return false;
    }
    unsigned char* data = nullptr;
    if (size > 0) {
        data = VO_NEW unsigned char[static_cast<std::size_t>(size)];
        if (data == nullptr || !apStream->Read(static_cast<std::uint32_t>(size), data)) {
            delete[] data;
            VO_ERROR(kReadRefused);
            return false;
        }
    }
    delete[] fpData;
    fpData = data;
    fFormat = format;
    fStride = stride;
    fCount = count;
    fSize = size;
    return true;
}

bool VoVertexBuffer::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = apStream->WriteInt(fFormat);
    written = apStream->WriteInt(fStride) && written;
    written = apStream->WriteInt(fCount) && written;
    written = apStream->WriteInt(fSize) && written;
    if (fSize != 0) {
        written = fpData != nullptr && apStream->Write(static_cast<std::uint32_t>(fSize), fpData) && written;
    }
    return written;
}

VoString VoVertexBuffer::ToString() const {
    return VoDebugString("VoVertexBuffer", this);
}
