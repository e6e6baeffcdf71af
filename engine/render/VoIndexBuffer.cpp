#include "render/VoIndexBuffer.h"

#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "render/VoBufferRecord.h"
#include "render/VoRenderDeviceSource.h"
#include "stdlib/VoIStream.h"

namespace {

// The byte size of aCount indices of the format; -1 when the format or count
// is not valid or the size does not fit 32 bits.
std::int64_t SizeOf(std::int32_t aFormat, std::int64_t aCount) {
    return VoBufferDataSize(VoIndexBuffer::WidthOf(aFormat), aCount);
}

unsigned char* CopyOf(const unsigned char* apData, std::int32_t aSize) {
    if (apData == nullptr || aSize <= 0) {
        return nullptr;
    }
    unsigned char* copy = VO_NEW unsigned char[static_cast<std::size_t>(aSize)];
    if (copy != nullptr) {
        std::memcpy(copy, apData, static_cast<std::size_t>(aSize));
    }
    return copy;
}

}  // namespace

std::int32_t VoIndexBuffer::WidthOf(std::int32_t aFormat) {
    if (aFormat == kFormat16) {
        return 2;
    }
    return aFormat == kFormat32 ? 4 : 0;
}

VoIndexBuffer::VoIndexBuffer(const VoIndexBuffer& aOther)
    : VoStreamObject(aOther),
      fpData(CopyOf(aOther.fpData, aOther.fSize)),
      fSize(fpData != nullptr ? aOther.fSize : 0),
      fFormat(aOther.fFormat),
      fWidth(aOther.fWidth),
      fCount(fpData != nullptr ? aOther.fCount : 0) {}

VoIndexBuffer& VoIndexBuffer::operator=(const VoIndexBuffer& aOther) {
    if (this == &aOther) {
        return *this;
    }
    VoStreamObject::operator=(aOther);
    delete[] fpData;
    fpData = CopyOf(aOther.fpData, aOther.fSize);
    fSize = fpData != nullptr ? aOther.fSize : 0;
    fFormat = aOther.fFormat;
    fWidth = aOther.fWidth;
    fCount = fpData != nullptr ? aOther.fCount : 0;
    return *this;
}

VoIndexBuffer::~VoIndexBuffer() {
    delete[] fpData;
}

bool VoIndexBuffer::Create(std::int32_t aFormat, const void* apData, std::int32_t aCount) {
    const std::int64_t size = SizeOf(aFormat, aCount);
    if (apData == nullptr || aCount < 1 || size < 0) {
        VO_ERROR(kCreateInvalid);
        return false;
    }
    unsigned char* data = CopyOf(static_cast<const unsigned char*>(apData), static_cast<std::int32_t>(size));
    if (data == nullptr) {
        VO_ERROR(kCreateNoMemory);
        return false;
    }
    delete[] fpData;
    fpData = data;
    fSize = static_cast<std::int32_t>(size);
    fFormat = aFormat;
    fWidth = WidthOf(aFormat);
    fCount = aCount;
    ConformToDevice();
    return true;
}

bool VoIndexBuffer::ConformToDevice() {
    if (fFormat == 0 || fpData == nullptr || fCount < 1) {
        VO_ASSERT_FAILURE(kInvalidCall);
        return false;
    }
    const std::uint32_t maximum = VoRenderDeviceSource::GetMaxVertexIndex();
    if (maximum >= kMax32BitIndex) {
        return true;
    }
    if (maximum < kMax16BitIndex) {
        VO_ASSERT_FAILURE(kFormatUndefined, maximum);
        return false;
    }
    if (fFormat == kFormat16) {
        return true;
    }
    // Narrowing an index that needs 32 bits would point it at another vertex.
    for (std::int32_t i = 0; i < fCount; ++i) {
        if (GetIndexInside(i) > 0xFFFFu) {
            if (maximum > 0xFFFFu) {
                return true;
            }
            VO_ASSERT_FAILURE(kIndexBeyondDevice, maximum);
            return false;
        }
    }
    unsigned char* narrow = VO_NEW unsigned char[static_cast<std::size_t>(fCount) * 2];
    if (narrow == nullptr) {
        VO_ERROR(kCreateNoMemory);
        return false;
    }
    for (std::int32_t i = 0; i < fCount; ++i) {
        const std::uint16_t value = static_cast<std::uint16_t>(GetIndex(i));
        std::memcpy(narrow + static_cast<std::size_t>(i) * 2, &value, 2);
    }
    delete[] fpData;
    fpData = narrow;
    fFormat = kFormat16;
    fWidth = 2;
    fSize = fCount * 2;
    return true;
}

void* VoIndexBuffer::GetBuffer() {
    if (fpData == nullptr) {
        VO_ERROR(kGetBufferEmpty);
    }
    return fpData;
}

std::uint32_t VoIndexBuffer::GetIndex(std::int32_t aIndex) const {
    if (fpData == nullptr || aIndex < 0 || aIndex >= fCount || fWidth == 0 ||
        static_cast<std::int64_t>(aIndex + 1) * fWidth > fSize) {
        VO_ERROR(kIndexOutOfBounds);
        return 0;
    }
    return GetIndexInside(aIndex);
}

bool VoIndexBuffer::SetIndex(std::int32_t aIndex, std::uint32_t aValue) {
    if (fpData == nullptr || aIndex < 0 || aIndex >= fCount || fWidth == 0 ||
        static_cast<std::int64_t>(aIndex + 1) * fWidth > fSize) {
        VO_ERROR(kIndexOutOfBounds);
        return false;
    }
    if (fFormat == kFormat16) {
        const std::uint16_t value = static_cast<std::uint16_t>(aValue);
        std::memcpy(fpData + static_cast<std::size_t>(aIndex) * 2, &value, 2);
    } else {
        std::memcpy(fpData + static_cast<std::size_t>(aIndex) * 4, &aValue, 4);
    }
    return true;
}

bool VoIndexBuffer::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    VoBufferRecord record;
    unsigned char* data = nullptr;
    const VoBufferReadResult result = VoReadBufferRecord(apStream, &WidthOf, &record, &data);
    if (result != VoBufferReadResult::kRead) {
        if (result == VoBufferReadResult::kRefused) {
            VO_ERROR(kReadRefused);
        }
        return false;
    }
    delete[] fpData;
    fpData = data;
    fFormat = record.format;
    fWidth = record.unit;
    fCount = record.count;
    fSize = record.size;
    return ConformToDevice();
}

bool VoIndexBuffer::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    return VoWriteBufferRecord(apStream, VoBufferRecord{fFormat, fWidth, fCount, fSize}, fpData);
}

VoString VoIndexBuffer::ToString() const {
    return VoDebugString("VoIndexBuffer", this);
}
