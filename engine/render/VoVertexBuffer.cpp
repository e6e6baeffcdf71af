#include "render/VoVertexBuffer.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace {
constexpr std::int32_t kStrides[] = {0, 12, 28, 20, 40, 32, 48, 24};
constexpr std::int32_t kFormatCount = static_cast<std::int32_t>(sizeof kStrides / sizeof kStrides[0]);
// Far beyond any mesh; keeps stride x count inside 32 bits.
constexpr std::int32_t kMaxVertices = 0x7FFFFFFF / 48;
}  // namespace

VoVertexBuffer::~VoVertexBuffer() {
    delete[] fpData;
}

std::int32_t VoVertexBuffer::GetStride(std::int32_t aFormat) {
    return aFormat > 0 && aFormat < kFormatCount ? kStrides[aFormat] : 0;
}

bool VoVertexBuffer::Create(std::int32_t aFormat, const void* apData, std::int32_t aCount) {
    const std::int32_t stride = GetStride(aFormat);
    if (apData == nullptr || aCount < 1 || aCount > kMaxVertices || stride == 0) {
        VO_ERROR(kCreateInvalidArg);
        return false;
    }
    const std::int32_t size = stride * aCount;
    unsigned char* data = VO_NEW unsigned char[static_cast<std::size_t>(size)];
    if (data == nullptr) {
        return false;
    }
    std::memcpy(data, apData, static_cast<std::size_t>(size));
    delete[] fpData;
    fpData = data;
    fFormat = aFormat;
    fStride = stride;
    fVertexCount = aCount;
    fSize = size;
    return true;
}

void* VoVertexBuffer::GetBuffer() {
    if (fpData == nullptr) {
        VO_ERROR(kGetBufferEmpty);
    }
    return fpData;
}

VoString VoVertexBuffer::ToString() const {
    return VoDebugString("VoVertexBuffer", this);
}
