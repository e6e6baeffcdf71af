#include "stdlib/VoFileStream.h"

#include <string>

#include "container/VoISerializable.h"
#include "container/VoLog.h"
#include "stdlib/VoMemoryStream.h"
#include "system/VoIFileSystem.h"
#include "system/VoNativePath.h"

namespace {

const char* ModeText(std::int32_t aMode) {
    switch (aMode) {
        case VoFileStream::kModeRead:
            return "rb";
        case VoFileStream::kModeWrite:
            return "wb";
        case VoFileStream::kModeReadWrite:
            return "r+b";
        default:
            return nullptr;
    }
}

void RemoveFile(const VoString& aNativePath) {
    std::string path;
    if (VoNativePath::ToNarrow(aNativePath, &path)) {
        std::remove(path.c_str());
    }
}

}  // namespace

VoFileStream::VoFileStream(const VoString& aPath, bool aMapToNative)
    : fOpen(false), fpFile(nullptr), fPosition(0), fMode(kModeRead) {
    if (!aMapToNative) {
        fNativePath = aPath;
        return;
    }
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    if (fileSystem == nullptr || !fileSystem->ResolvePath(aPath, fNativePath)) {
        fNativePath = VoString(u"");
        VO_ERROR(kNoNativePath);
    }
}

VoFileStream::~VoFileStream() {
    if (fOpen) {
        Close();
    }
}

bool VoFileStream::Open() {
    if (fOpen) {
        VO_WARNING(kAlreadyOpen);
        return true;
    }
    const char* mode = ModeText(fMode);
    if (mode == nullptr || fNativePath.GetLength() == 0) {
        return false;
    }
    std::string path;
    if (!VoNativePath::ToNarrow(fNativePath, &path)) {
        return false;
    }
    // No message of our own: callers report the failure in their terms.
    fpFile = std::fopen(path.c_str(), mode);
    if (fpFile == nullptr) {
        return false;
    }
    fPosition = 0;
    fOpen = true;
    return true;
}

bool VoFileStream::Close() {
    if (!fOpen) {
        VO_WARNING(kCloseUnopened);
        return false;
    }
    const bool flushed = std::fflush(fpFile) == 0;
    const bool closed = std::fclose(fpFile) == 0;
    fpFile = nullptr;
    fOpen = false;
    if (!flushed || !closed) {
        VO_ERROR(kCloseFailure);
        return false;
    }
    return true;
}

bool VoFileStream::Flush() {
    if (!fOpen) {
        VO_ERROR(kFlushUnopened);
        return false;
    }
    if (std::fflush(fpFile) != 0) {
        VO_ERROR(kFlushFailure);
        return false;
    }
    return true;
}

bool VoFileStream::Seek() {
    return std::fseek(fpFile, static_cast<long>(fPosition), SEEK_SET) == 0;
}

template <typename Move>
bool VoFileStream::Transfer(std::uint32_t aSize, const void* apBuffer, const char* apUnopened, Move aMove) {
    if (!fOpen) {
        VO_ERROR(apUnopened);
        return false;
    }
    if (aSize == 0) {
        return true;
    }
    if (apBuffer == nullptr || !Seek()) {
        return false;
    }
    const std::size_t moved = aMove();
    fPosition += static_cast<std::uint32_t>(moved);
    return moved == aSize;
}

bool VoFileStream::Read(std::uint32_t aSize, void* apOut) {
    return Transfer(aSize, apOut, kReadUnopened, [&]() { return std::fread(apOut, 1, aSize, fpFile); });
}

bool VoFileStream::Write(std::uint32_t aSize, const void* apData) {
    return Transfer(aSize, apData, kWriteUnopened, [&]() { return std::fwrite(apData, 1, aSize, fpFile); });
}

std::int64_t VoFileStream::GetRemaining() {
    if (!fOpen || std::fseek(fpFile, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(fpFile);
    if (size < 0) {
        return -1;
    }
    return static_cast<std::int64_t>(size) > fPosition ? static_cast<std::int64_t>(size) - fPosition : 0;
}

bool VoFileStream::SetMode(std::int32_t aMode) {
    if (fOpen) {
        VO_ERROR(kSetModeOpen);
        return false;
    }
    fMode = aMode;
    return true;
}

bool VoFileStream::WriteFile(VoISerializable* apObject, const VoString& aPath, bool aMapToNative) {
    if (apObject == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    // Everything that can fail before the disk is touched happens first.
    VoMemoryStream memory(1024, VoMemoryStream::kGrowDouble);
    if (!apObject->Write(&memory)) {
        VO_ASSERT_FAILURE(kWriteFailure);
        return false;
    }
    const VoFileStream target(aPath, aMapToNative);
    if (target.fNativePath.GetLength() == 0) {
        VO_ASSERT_FAILURE(kOpenFailure);
        return false;
    }
    if (VoNativePath::IsReadOnlyFile(target.fNativePath)) {
        VO_ERROR(kReadOnlyTarget);
        return false;
    }
    VoString temporaryPath(target.fNativePath);
    temporaryPath.Append(kTemporarySuffix);
    VoFileStream temporary(temporaryPath, false);
    temporary.SetMode(kModeWrite);
    if (!temporary.Open()) {
        VO_ASSERT_FAILURE(kOpenFailure);
        return false;
    }
    const bool written = temporary.Write(memory.GetPosition(), memory.GetBuffer());
    const bool flushed = written && temporary.Flush();
    const bool closed = temporary.Close();
    if (!written || !flushed || !closed) {
        RemoveFile(temporaryPath);
        VO_ASSERT_FAILURE(kWriteFailure);
        return false;
    }
    std::string from;
    std::string to;
    // rename replaces the target in one step: a reader sees the old file or
    // the new one, never a part of either.
    if (!VoNativePath::ToNarrow(temporaryPath, &from) || !VoNativePath::ToNarrow(target.fNativePath, &to) ||
        std::rename(from.c_str(), to.c_str()) != 0) {
        RemoveFile(temporaryPath);
        VO_ASSERT_FAILURE(kRenameFailure, target.fNativePath);
        return false;
    }
    return true;
}
