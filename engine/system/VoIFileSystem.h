#pragma once
// The engine's one file-system service. Data files are named by engine paths:
// "//" + a mount name + the rest ("//textures/fonts/fonts.txt"), which
// ResolvePath maps through the mount table to native paths. The operations on
// files and directories belong to the implementation.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoTableString;
class VoVectorString;

class VoIFileSystem : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "VoIFileSystem creation failure.";
    static constexpr char kInvalidPath[] = "Invalid symbolic path: ";
    static constexpr char kMountUndefined[] = "Mount undefined: ";
    static constexpr char kMountNotSymbolic[] =
        "Invalid arg. Symbolic name should start with '//'. aSymName:";
    static constexpr char kMountInvalidName[] = "Invalid arg. aSymName:";
    static constexpr char kNoTemporaryMounts[] = "No temp mounts left. Max index reached.";
    // Temporary mounts are named "//1" up to this number.
    static constexpr int kTemporaryMountLimit = 9999;

    // The one file system, made on first use by the "filesystem" creator
    // through the API-object manager (with the argument 0) and owned by the
    // engine cleaner. Null once the cleaner has deleted it, for the rest of the run.
    static VoIFileSystem* GetInstance();

    ~VoIFileSystem() override;

    bool Initialize(std::uintptr_t aArgument) override = 0;

    // Every path below is an engine path when aSymbolic is set (resolved
    // first; a failed resolution leaves an empty or unchanged native path that
    // the operation then fails on), else a native path.
    virtual bool CopyDirectory(const VoString& aSource, const VoString& aDestination, bool aRecursive,
                               bool aOverwrite, bool aSymbolic) = 0;
    virtual bool CreateDirectory(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool DeleteDirectory(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool DirectoryExists(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool CopyFile(const VoString& aSource, const VoString& aDestination, bool aOverwrite,
                          bool aSymbolic) = 0;
    virtual bool CreateFile(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool DeleteFile(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool FileExists(const VoString& aPath, bool aSymbolic) = 0;
    virtual bool GetCurrentPath(VoString& aPath) = 0;
    // Names only, no paths; the vector is cleared first.
    virtual bool GetDirectories(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) = 0;
    virtual bool GetFiles(const VoString& aDirectory, VoVectorString* apNames, bool aSymbolic) = 0;
    // Bytes, or -1 when the file is missing or too big to report.
    virtual std::int32_t GetFileSize(const VoString& aPath, bool aSymbolic) = 0;
    // Holds its place in the interface; no behaviour was ever given to it.
    virtual void Reserved(const VoString& aPath) = 0;
    // *appVolumes must be null; a new array of root paths goes there (freed by
    // the caller with delete[]) and the count is returned.
    virtual std::int32_t GetVolumes(VoString** appVolumes) = 0;
    virtual VoString GetSeparator() = 0;
    virtual bool GetCurrentDirectory(VoString& aDirectory) = 0;
    virtual bool SetCurrentDirectory(const VoString& aPath, bool aSymbolic) = 0;

    // Engine path to native path; false (logged) for an unmounted name or a
    // path of no known form.
    bool ResolvePath(const VoString& aPath, VoString& aNativePath);
    // Defines or redefines "//name"; the directory is stored as given.
    bool Mount(const VoString& aSymName, const VoString& aNativeDirectory);
    // Whether aSymName was mounted; nothing is logged.
    bool Unmount(const VoString& aSymName);
    // Mounts aNativeDirectory under the next free "//" + number and hands the
    // name back in aSymName.
    bool MountTemporary(const VoString& aNativeDirectory, VoString& aSymName);

protected:
    VoIFileSystem();

    // Last step of every resolution: the implementation's chance to bring a
    // path into the form its platform needs. The interface leaves it as is.
    virtual void MatchNativePath(VoString& aNativePath);

    VoString fNativeSeparator;
    VoString fBaseDirectory;
    VoString fCurrentSuffix;
    VoString fCurrentPath;
    VoTableString* fpMounts;  // owned, and so are its VoString values
    VoString fParentSuffix;

private:
    void ReleaseMounts();

    // The last number given to a temporary mount, shared by every instance.
    static int sTemporaryMounts;
};
