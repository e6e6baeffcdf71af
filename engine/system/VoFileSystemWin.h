#pragma once
// The engine's file system on the machine it runs on. It behaves and logs as
// the engine's Windows file system does, reporting failures with Windows
// error codes (2 for a missing file, 3 for a missing path, ...), so logs read
// the same on every machine; the native separator is "/", every "\" in a
// path becomes "/", and a path whose exact spelling is missing is looked up
// again ignoring case, component by component.
#include "system/VoIFileSystem.h"
#include "system/port/VoPosixFiles.h"

class VoFileSystemWin : public VoIFileSystem {
public:
    static constexpr char kDirectoryCopyFailure[] = "Directory copy failure.";
    static constexpr char kCreateDirectoryFailure[] = "Could not create directory from path: ";
    static constexpr char kNotYetImplemented[] = "NYI.";
    static constexpr char kFileCopyFailure[] = "File copy failure. src: ";
    static constexpr char kFileCopyDestination[] = ", dst: ";
    static constexpr char kCreateFileFailure[] = "Could not create file:";
    static constexpr char kCreateFileErrorCode[] = ", error code:";
    static constexpr char kDeleteReadOnly[] = "Attempt to delete read-only file.";
    static constexpr char kDeleteFailure[] = "File delete failure. Error code: ";
    static constexpr char kFileExistsFailure[] = "FileExists failure. Error:";
    static constexpr char kInvalidFileHandle[] = "Invalid file handle. Error: ";
    static constexpr char kFindNextFailure[] = "FindNextFile failure. Error:";
    // The vector could not take a name (memory).
    static constexpr char kListStoreFailure[] = "Listing failure. Could not store a name.";
    static constexpr char kGetFileSizeFailure[] = "GetFileSize failure. Error:";
    static constexpr char kForNativePath[] = " for native path:";
    static constexpr char kFileSizeOutOfRange[] = "File size out of range.";
    static constexpr char kInvalidArgument[] = "Invalid argument.";
    // The working directory is read into a buffer of 512 bytes.
    static constexpr int kMaxDirectoryLength = 511;

    VoFileSystemWin();
    ~VoFileSystemWin() override = default;

    VoString ToString() const override;

    // Takes the current path; may run any number of times.
    bool Initialize(std::uintptr_t aArgument) override;

    bool CopyDirectory(const VoString& aSource, const VoString& aDestination, bool aRecursive,
                       bool aOverwrite, bool aSymbolic) override;
    bool CreateDirectory(const VoString& aPath, bool aSymbolic) override;
    bool DeleteDirectory(const VoString& aPath, bool aSymbolic) override;
    // True for a file as well: anything at the path counts.
    bool DirectoryExists(const VoString& aPath, bool aSymbolic) override;
    bool CopyFile(const VoString& aSource, const VoString& aDestination, bool aOverwrite,
                  bool aSymbolic) override;
    bool CreateFile(const VoString& aPath, bool aSymbolic) override;
    bool DeleteFile(const VoString& aPath, bool aSymbolic) override;
    // Logs every miss as an error with its error code, an expected miss too:
    // callers that only probe for a file leave a line in the log.
    bool FileExists(const VoString& aPath, bool aSymbolic) override;
    bool GetCurrentPath(VoString& aPath) override;
    bool GetDirectories(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) override;
    bool GetFiles(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) override;
    std::int32_t GetFileSize(const VoString& aPath, bool aSymbolic) override;
    void Reserved(const VoString& aPath) override;
    // No drive letters here: always 0, and *appVolumes stays null.
    std::int32_t GetVolumes(VoString** appVolumes) override;
    VoString GetSeparator() override;
    bool GetCurrentDirectory(VoString& aDirectory) override;
    bool SetCurrentDirectory(const VoString& aPath, bool aSymbolic) override;

protected:
    void MatchNativePath(VoString& aNativePath) override;

private:
    VoString MakeNativePath(const VoString& aPath, bool aSymbolic);
    // kInvalidName for a path that cannot be narrowed.
    std::uint32_t Find(const VoString& aNativePath, VoPosixFiles::Entry* apEntry);
    bool List(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic, bool aDirectories);

    VoPosixFiles fFiles;
};
