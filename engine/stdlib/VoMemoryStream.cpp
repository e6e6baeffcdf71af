#include "stdlib/VoMemoryStream.h"

#include <cstring>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoFileStream.h"
#include "system/VoIFileSystem.h"

namespace {

// A zero-filled array, or null (logged) when it cannot be had.
unsigned char* NewBytes(std::int32_t aSize) {
    // One byte at least, so an empty stream still holds a buffer.
    unsigned char* bytes = VO_NEW unsigned char[aSize > 0 ? aSize : 1]();
    if (bytes == nullptr) {
        VO_ERROR(VoMemoryStream::kAllocationFailure);
    }
    return bytes;
}

}  // namespace

VoMemoryStream::VoMemoryStream(std::int32_t aCapacity, std::int32_t aGrowth)
    : fpBuffer(nullptr), fCapacity(0), fPosition(0), fGrowth(aGrowth) {
    if (aGrowth < 0 && aGrowth != kGrowDouble && aGrowth != kGrowHalf && aGrowth != kGrowQuarter) {
        VO_WARNING(kInvalidGrowth);
        fGrowth = kGrowDouble;
    }
    const std::int32_t capacity = aCapacity < kMinCapacity ? kMinCapacity : aCapacity;
    fpBuffer = NewBytes(capacity);
    if (fpBuffer != nullptr) {
        fCapacity = capacity;
    }
}

VoMemoryStream::~VoMemoryStream() {
    delete[] fpBuffer;
}

std::int32_t VoMemoryStream::GetGrownCapacity(std::int32_t aNeeded) const {
    const std::int64_t needed = aNeeded;
    std::int64_t grown = needed;
    switch (fGrowth) {
        case kGrowDouble:
            grown = needed * 2;
            break;
        case kGrowHalf:
            grown = needed + needed / 2;
            break;
        case kGrowQuarter:
            grown = needed + needed / 4;
            break;
        default:
            grown = needed + (fGrowth > 0 ? fGrowth : 0);
            break;
    }
    if (grown < needed) {
        grown = needed;
    }
    return grown > kMaxCapacity ? kMaxCapacity : static_cast<std::int32_t>(grown);
}

std::int64_t VoMemoryStream::GetRemaining() {
    const std::uint32_t capacity = static_cast<std::uint32_t>(fCapacity);
    return fPosition >= capacity ? 0 : static_cast<std::int64_t>(capacity - fPosition);
}

const unsigned char* VoMemoryStream::TakeBytes(std::uint32_t aSize) {
    if (fpBuffer == nullptr ||
        static_cast<std::uint64_t>(fPosition) + aSize > static_cast<std::uint64_t>(fCapacity)) {
        return nullptr;
    }
    const unsigned char* bytes = fpBuffer + fPosition;
    fPosition += aSize;
    return bytes;
}

bool VoMemoryStream::Read(std::uint32_t aSize, void* apOut) {
    if (aSize == 0) {
        return true;
    }
    if (apOut == nullptr) {
        VO_ERROR(kNullData);
        return false;
    }
    if (static_cast<std::uint64_t>(fPosition) + aSize > static_cast<std::uint64_t>(fCapacity)) {
        VO_ERROR(kReadPastEnd);
        return false;
    }
    std::memcpy(apOut, fpBuffer + fPosition, aSize);
    fPosition += aSize;
    return true;
}

bool VoMemoryStream::Write(std::uint32_t aSize, const void* apData) {
    if (aSize == 0) {
        return true;
    }
    if (apData == nullptr) {
        VO_ERROR(kNullData);
        return false;
    }
    const std::uint64_t end = static_cast<std::uint64_t>(fPosition) + aSize;
    if (end > static_cast<std::uint64_t>(kMaxCapacity)) {
        VO_ERROR(kTooLarge);
        return false;
    }
    if (end > static_cast<std::uint64_t>(fCapacity)) {
        const std::int32_t capacity = GetGrownCapacity(static_cast<std::int32_t>(end));
        unsigned char* buffer = NewBytes(capacity);
        if (buffer == nullptr) {
            return false;
        }
        if (fpBuffer != nullptr && fCapacity > 0) {
            std::memcpy(buffer, fpBuffer, static_cast<std::size_t>(fCapacity));
        }
        delete[] fpBuffer;
        fpBuffer = buffer;
        fCapacity = capacity;
    }
    std::memcpy(fpBuffer + fPosition, apData, aSize);
    fPosition = static_cast<std::uint32_t>(end);
    return true;
}

void VoMemoryStream::Adopt(unsigned char* apBuffer, std::int32_t aCapacity) {
    delete[] fpBuffer;
    fpBuffer = apBuffer;
    fCapacity = aCapacity;
    fPosition = 0;
}

bool VoMemoryStream::CreateFromBuffer(std::int32_t aSize, const void* apData) {
    if (apData == nullptr || aSize < 0) {
        VO_ERROR(kCreateFromBufferFailure);
        return false;
    }
    unsigned char* buffer = NewBytes(aSize);
    if (buffer == nullptr) {
        return false;
    }
    if (aSize > 0) {
        std::memcpy(buffer, apData, static_cast<std::size_t>(aSize));
    }
    Adopt(buffer, aSize);
    return true;
}

bool VoMemoryStream::CreateFromFile(const VoString& aPath, bool aMapToNative) {
    VoFileStream file(aPath, aMapToNative);
    if (!file.Open()) {
        VO_ASSERT_FAILURE(kOpenFailure);
        return false;
    }
    // Sized through the open file, the same file whose bytes are read,
    // rather than by finding it again; a size that it cannot give, or too
    // large, is asked of the file system, whose answer (and report) decides.
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    std::int64_t size = fileSystem == nullptr ? -1 : file.GetRemaining();
    if (fileSystem != nullptr && (size < 0 || size > kMaxCapacity)) {
        // -1 (all bits set) is the file system's failure, never a size.
        size = fileSystem->GetFileSize(aPath, aMapToNative);
    }
    if (size < 0 || size > kMaxCapacity) {
        VO_ERROR(kFileSizeFailure, aPath);
        return false;
    }
    const std::int32_t capacity = static_cast<std::int32_t>(size);
    // Not cleared first: the file's bytes fill it, and a short read keeps
    // only the bytes that arrived, past which nothing can be read.
    unsigned char* buffer = VO_NEW unsigned char[capacity > 0 ? capacity : 1];
    if (buffer == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    const bool complete = file.Read(static_cast<std::uint32_t>(capacity), buffer);
    // The file may have shrunk since it was sized: keep only what arrived.
    Adopt(buffer, complete ? capacity : static_cast<std::int32_t>(file.GetPosition()));
    if (!complete) {
        VO_ERROR(kShortFileRead, aPath);
    }
    return complete;
}
