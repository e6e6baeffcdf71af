#include "stdlib/VoFileStream.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "container/VoISerializable.h"
#include "container/VoLog.h"
#include "platform/VoIFileSystem.h"
#include "stdlib/VoMemoryStream.h"

namespace {

// The native path as the C library takes it: the low byte of each unit.
class NarrowPath {
public:
    explicit NarrowPath(const VoString& aPath) {
        aPath.ToNarrow(&fpText);
        // A unit whose low byte is 0 would cut the path short and name
        // another file: such a path names nothing, as in the file system.
        if (fpText != nullptr && std::strlen(fpText) != static_cast<std::size_t>(aPath.GetLength())) {
            delete[] fpText;
            fpText = nullptr;
        }
    }
    ~NarrowPath() { delete[] fpText; }
    NarrowPath(const NarrowPath&) = delete;
    NarrowPath& operator=(const NarrowPath&) = delete;

    // Null when the copy could not be made or the path cannot be narrowed.
    const char* Get() const { return fpText; }

private:
    char* fpText = nullptr;  // owned (VO_NEW[])
};

// True when the file exists and nobody may write it: the read-only attribute.
bool IsReadOnlyFile(const char* apPath) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(apPath, error);
    if (error || !std::filesystem::is_regular_file(status)) {
        return false;
    }
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_write | perms::group_write | perms::others_write)) ==
           perms::none;
}

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
    NarrowPath path(aNativePath);
    if (path.Get() != nullptr) {
        std::remove(path.Get());
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
    NarrowPath path(fNativePath);
    if (path.Get() == nullptr) {
        return false;
    }
    // No message of our own: callers report the failure in their terms.
    fpFile = std::fopen(path.Get(), mode);
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
    {
        NarrowPath targetPath(target.fNativePath);
        if (targetPath.Get() != nullptr && IsReadOnlyFile(targetPath.Get())) {
            VO_ERROR(kReadOnlyTarget);
            return false;
        }
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
    NarrowPath from(temporaryPath);
    NarrowPath to(target.fNativePath);
    // rename replaces the target in one step: a reader sees the old file or
    // the new one, never a part of either.
    if (from.Get() == nullptr || to.Get() == nullptr || std::rename(from.Get(), to.Get()) != 0) {
        RemoveFile(temporaryPath);
        VO_ASSERT_FAILURE(kRenameFailure, target.fNativePath);
        return false;
    }
    return true;
}
