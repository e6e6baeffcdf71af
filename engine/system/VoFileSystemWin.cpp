#include "system/VoFileSystemWin.h"

#include <string>
#include <vector>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoVectorString.h"
#include "system/VoNativePath.h"

namespace {

VoString ToWide(const std::string& aText) {
    return VoString(aText.c_str());
}

}  // namespace

VoFileSystemWin::VoFileSystemWin() {
    fNativeSeparator.Assign(u"/");
}

VoString VoFileSystemWin::ToString() const {
    return VoDebugString("VoFileSystemWin", this);
}

bool VoFileSystemWin::Initialize(std::uintptr_t) {
    GetCurrentPath(fCurrentPath);
    return true;
}

void VoFileSystemWin::MatchNativePath(VoString& aNativePath) {
    aNativePath.Replace(VoString(u"\\"), VoString(u"/"), true);
    std::string narrow;
    if (!VoNativePath::ToNarrow(aNativePath, &narrow)) {
        return;
    }
    const std::string matched = fFiles.MatchCase(narrow);
    if (matched != narrow) {
        aNativePath.Assign(ToWide(matched));
    }
}

VoString VoFileSystemWin::MakeNativePath(const VoString& aPath, bool aSymbolic) {
    VoString native;
    if (aSymbolic) {
        ResolvePath(aPath, native);
    } else {
        native.Assign(aPath);
        MatchNativePath(native);
    }
    return native;
}

std::uint32_t VoFileSystemWin::Find(const VoString& aNativePath, VoPosixFiles::Entry* apEntry) {
    std::string path;
    return VoNativePath::ToNarrow(aNativePath, &path) ? fFiles.Find(path, apEntry)
                                                      : VoPosixFiles::kInvalidName;
}

bool VoFileSystemWin::CopyDirectory(const VoString& aSource, const VoString& aDestination, bool aRecursive,
                                    bool aOverwrite, bool aSymbolic) {
    std::string source;
    std::string destination;
    if (!VoNativePath::ToNarrow(MakeNativePath(aSource, aSymbolic), &source) ||
        !VoNativePath::ToNarrow(MakeNativePath(aDestination, aSymbolic), &destination) ||
        !fFiles.CopyTree(source, destination, aRecursive, aOverwrite)) {
        VO_ERROR(kDirectoryCopyFailure);
        return false;
    }
    return true;
}

bool VoFileSystemWin::CreateDirectory(const VoString& aPath, bool aSymbolic) {
    const VoString native = MakeNativePath(aPath, aSymbolic);
    std::string path;
    if (!VoNativePath::ToNarrow(native, &path) || fFiles.CreateDirectory(path) != VoPosixFiles::kSuccess) {
        VO_ERROR(kCreateDirectoryFailure, native);
        return false;
    }
    return true;
}

bool VoFileSystemWin::DeleteDirectory(const VoString&, bool) {
    VO_ASSERT_FAILURE(kNotYetImplemented);
    return false;
}

bool VoFileSystemWin::DirectoryExists(const VoString& aPath, bool aSymbolic) {
    VoPosixFiles::Entry entry;
    return Find(MakeNativePath(aPath, aSymbolic), &entry) == VoPosixFiles::kSuccess;
}

bool VoFileSystemWin::CopyFile(const VoString& aSource, const VoString& aDestination, bool aOverwrite,
                               bool aSymbolic) {
    const VoString nativeSource = MakeNativePath(aSource, aSymbolic);
    const VoString nativeDestination = MakeNativePath(aDestination, aSymbolic);
    std::string source;
    std::string destination;
    if (!VoNativePath::ToNarrow(nativeSource, &source) ||
        !VoNativePath::ToNarrow(nativeDestination, &destination) ||
        fFiles.CopyFile(source, destination, !aOverwrite) != VoPosixFiles::kSuccess) {
        VO_ERROR(kFileCopyFailure, nativeSource, kFileCopyDestination, nativeDestination);
        return false;
    }
    return true;
}

bool VoFileSystemWin::CreateFile(const VoString& aPath, bool aSymbolic) {
    const VoString native = MakeNativePath(aPath, aSymbolic);
    std::string path;
    const std::uint32_t error =
        VoNativePath::ToNarrow(native, &path) ? fFiles.CreateFile(path) : VoPosixFiles::kInvalidName;
    if (error != VoPosixFiles::kSuccess) {
        VO_ERROR(kCreateFileFailure, native, kCreateFileErrorCode, error);
        return false;
    }
    return true;
}

bool VoFileSystemWin::DeleteFile(const VoString& aPath, bool aSymbolic) {
    std::string path;
    const std::uint32_t error = VoNativePath::ToNarrow(MakeNativePath(aPath, aSymbolic), &path)
                                    ? fFiles.DeleteFile(path)
                                    : VoPosixFiles::kInvalidName;
    if (error == VoPosixFiles::kAccessDenied) {
        VO_ERROR(kDeleteReadOnly);
        return false;
    }
    if (error != VoPosixFiles::kSuccess) {
        VO_ERROR(kDeleteFailure, error);
        return false;
    }
    return true;
}

bool VoFileSystemWin::FileExists(const VoString& aPath, bool aSymbolic) {
    VoPosixFiles::Entry entry;
    const std::uint32_t error = Find(MakeNativePath(aPath, aSymbolic), &entry);
    if (error != VoPosixFiles::kSuccess) {
        VO_ERROR(kFileExistsFailure, error);
        return false;
    }
    return true;
}

bool VoFileSystemWin::GetCurrentPath(VoString& aPath) {
    aPath.Assign(fBaseDirectory);
    aPath.Append(u"/");
    aPath.Append(fCurrentSuffix);
    return true;
}

bool VoFileSystemWin::GetDirectories(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) {
    return List(aDirectory, apNames, aSymbolic, true);
}

bool VoFileSystemWin::GetFiles(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) {
    return List(aDirectory, apNames, aSymbolic, false);
}

bool VoFileSystemWin::List(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic,
                           bool aDirectories) {
    if (apNames == nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    const VoString native = MakeNativePath(aDirectory, aSymbolic);
    apNames->Clear();
    std::string path;
    std::vector<std::string> names;
    std::uint32_t openError = VoPosixFiles::kInvalidName;
    std::uint32_t readError = VoPosixFiles::kSuccess;
    if (VoNativePath::ToNarrow(native, &path)) {
        fFiles.List(path, aDirectories, &names, &openError, &readError);
    }
    if (openError != VoPosixFiles::kSuccess) {
        VO_ERROR(kInvalidFileHandle, openError);
        return false;
    }
    for (const std::string& name : names) {
        if (!apNames->Add(ToWide(name))) {
            // A listing short of names must not pass for the whole directory.
            VO_ERROR(kListStoreFailure);
            return false;
        }
    }
    if (readError != VoPosixFiles::kSuccess) {
        VO_ERROR(kFindNextFailure, readError);
        return false;
    }
    return true;
}

std::int32_t VoFileSystemWin::GetFileSize(const VoString& aPath, bool aSymbolic) {
    const VoString native = MakeNativePath(aPath, aSymbolic);
    VoPosixFiles::Entry entry;
    const std::uint32_t error = Find(native, &entry);
    if (error != VoPosixFiles::kSuccess) {
        VO_ERROR(kGetFileSizeFailure, error, kForNativePath, native);
        return -1;
    }
    // Sizes that a signed 32-bit result cannot hold are refused outright: a
    // caller must never see a negative size, nor one cut to its low bits.
    if (entry.fSize > 0x7FFFFFFFu) {
        VO_ERROR(kFileSizeOutOfRange);
        return -1;
    }
    return static_cast<std::int32_t>(entry.fSize);
}

void VoFileSystemWin::Reserved(const VoString&) {
    VO_ASSERT_FAILURE(kNotYetImplemented);
}

std::int32_t VoFileSystemWin::GetVolumes(VoString** appVolumes) {
    if (appVolumes == nullptr || *appVolumes != nullptr) {
        VO_ERROR(kInvalidArgument);
    }
    return 0;
}

VoString VoFileSystemWin::GetSeparator() {
    return fNativeSeparator;
}

bool VoFileSystemWin::GetCurrentDirectory(VoString& aDirectory) {
    std::string directory;
    if (!fFiles.GetWorkingDirectory(kMaxDirectoryLength, &directory)) {
        return false;
    }
    aDirectory.Assign(ToWide(directory));
    return true;
}

bool VoFileSystemWin::SetCurrentDirectory(const VoString& aPath, bool aSymbolic) {
    std::string path;
    return VoNativePath::ToNarrow(MakeNativePath(aPath, aSymbolic), &path) &&
           fFiles.SetWorkingDirectory(path);
}
