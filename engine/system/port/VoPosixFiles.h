#pragma once
// The file operations of the file system service, done on POSIX the way the
// Win32 calls behind the engine's file system behave: paths are narrow byte
// strings with "/" separators, failures are reported as the Windows error codes
// that the engine's messages carry (0 for success), a file without any write
// bit is read-only even for root, and a path whose exact spelling is missing is
// looked up again without regard to ASCII case, as on the file system the data
// tree was made on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class VoPosixFiles {
public:
    static constexpr std::uint32_t kSuccess = 0;
    static constexpr std::uint32_t kFileNotFound = 2;
    static constexpr std::uint32_t kPathNotFound = 3;
    static constexpr std::uint32_t kTooManyOpenFiles = 4;
    static constexpr std::uint32_t kAccessDenied = 5;
    static constexpr std::uint32_t kNotEnoughMemory = 8;
    static constexpr std::uint32_t kWriteProtect = 19;
    static constexpr std::uint32_t kGeneralFailure = 31;
    static constexpr std::uint32_t kSharingViolation = 32;
    static constexpr std::uint32_t kFileExists = 80;
    static constexpr std::uint32_t kInvalidParameter = 87;
    static constexpr std::uint32_t kDiskFull = 112;
    static constexpr std::uint32_t kInvalidName = 123;
    static constexpr std::uint32_t kDirectoryNotEmpty = 145;
    static constexpr std::uint32_t kFilenameTooLong = 206;
    static constexpr std::uint32_t kCannotResolve = 1921;

    struct Entry {
        bool fDirectory = false;
        std::uint64_t fSize = 0;
    };

    // The path as it is spelled on disk. When the exact path exists it is
    // returned as is; otherwise each component that is missing is matched
    // against its directory's entries ignoring ASCII case (the lowest such name
    // in byte order when several match), and from the first component that
    // matches nothing on, the path stays as given. Matches are remembered.
    std::string MatchCase(const std::string& aPath);
    // Forgets remembered matches (relative ones change with the working directory).
    void ForgetMatches();

    // Finds a file or directory; a last component with "*" or "?" finds the
    // first entry (in case-folded order) that the pattern matches, ignoring case.
    std::uint32_t Find(const std::string& aPath, Entry* apEntry);
    // One level: the parent must exist, the directory must not.
    std::uint32_t CreateDirectory(const std::string& aPath);
    // An empty file; an existing one is truncated unless it is read-only.
    std::uint32_t CreateFile(const std::string& aPath);
    // Refuses directories and read-only files with kAccessDenied.
    std::uint32_t DeleteFile(const std::string& aPath);
    // Copies contents and permission bits. With aFailIfExists an existing
    // destination gives kFileExists; otherwise a read-only one is refused.
    std::uint32_t CopyFile(const std::string& aSource, const std::string& aDestination, bool aFailIfExists);
    // As the shell copies a folder: aDestination becomes the copy, or receives
    // it under the source's name when it is a directory already. Without
    // aRecursive only the files of the top level are copied; without
    // aOverwrite files that exist are skipped.
    bool CopyTree(const std::string& aSource, const std::string& aDestination, bool aRecursive,
                  bool aOverwrite);

    // The names (no "." or "..") of the directories or of the other entries in
    // aDirectory, sorted by case-folded name. A directory that cannot be opened
    // gives its error in apOpenError; one that fails part-way gives it in
    // apReadError with the names read so far in apNames.
    void List(const std::string& aDirectory, bool aDirectories, std::vector<std::string>* apNames,
              std::uint32_t* apOpenError, std::uint32_t* apReadError);

    // A regular file (links followed) without any write bit; false when the
    // path names nothing.
    static bool IsReadOnlyFile(const std::string& aPath);

    // The working directory when it has at most aMaxLength bytes.
    bool GetWorkingDirectory(std::size_t aMaxLength, std::string* apDirectory);
    bool SetWorkingDirectory(const std::string& aPath);

    // The Windows code for errno aError met on aPath: a missing entry whose
    // parent directory is missing too is a missing path (3), else a missing file (2).
    static std::uint32_t ToWindowsError(int aError, const std::string& aPath);
    // ASCII-only folding, as the engine's string compares without case.
    static std::string Fold(const std::string& aText);

private:
    std::string FindName(const std::string& aDirectory, const std::string& aName);
    bool CopyTreeAt(const std::string& aSource, const std::string& aDestination, bool aRecursive,
                    bool aOverwrite, int aDepth);

    // Remembered matches: directory + a NUL byte + folded name -> name on disk.
    std::unordered_map<std::string, std::string> fMatches;
};
