#include "system/port/VoPosixFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Remembered case matches before the memory of them starts afresh.
constexpr std::size_t kMatchLimit = 4096;
// Deepest folder nesting a tree copy follows (symbolic links can loop).
constexpr int kCopyDepthLimit = 64;
constexpr std::size_t kCopyBufferSize = 64 * 1024;
// Windows' read-only attribute: no one may write the file, root included.
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

struct DirectoryEntry {
    std::string fName;
    unsigned char fType;
};

bool Exists(const std::string& aPath) {
    struct stat status;
    return lstat(aPath.c_str(), &status) == 0;
}

bool IsDirectory(const std::string& aPath) {
    struct stat status;
    return stat(aPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsReadOnly(const struct stat& aStatus) {
    return !S_ISLNK(aStatus.st_mode) && (aStatus.st_mode & kWriteBits) == 0;
}

// End of the last component, trailing separators left out ("a/b/" -> 3).
std::size_t NameEnd(const std::string& aPath) {
    std::size_t end = aPath.size();
    while (end > 1 && aPath[end - 1] == '/') {
        --end;
    }
    return end;
}

std::string NameOf(const std::string& aPath) {
    const std::size_t end = NameEnd(aPath);
    const std::size_t slash = aPath.rfind('/', end == 0 ? 0 : end - 1);
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return aPath.substr(start, end - start);
}

std::string ParentOf(const std::string& aPath) {
    const std::size_t end = NameEnd(aPath);
    const std::size_t slash = end == 0 ? std::string::npos : aPath.rfind('/', end - 1);
    if (slash == std::string::npos) {
        return ".";
    }
    std::size_t parentEnd = slash;
    while (parentEnd > 0 && aPath[parentEnd - 1] == '/') {
        --parentEnd;
    }
    return parentEnd == 0 ? std::string("/") : aPath.substr(0, parentEnd);
}

std::string Join(const std::string& aDirectory, const std::string& aName) {
    if (aDirectory.empty()) {
        return aName;
    }
    if (aDirectory.back() == '/') {
        return aDirectory + aName;
    }
    return aDirectory + "/" + aName;
}

char FoldByte(char aByte) {
    return (aByte >= 'A' && aByte <= 'Z') ? static_cast<char>(aByte - 'A' + 'a') : aByte;
}

bool HasWildcard(const std::string& aName) {
    return aName.find_first_of("*?") != std::string::npos;
}

// "*" matches any run, "?" any one byte; letters match without regard to case.
bool MatchesPattern(const char* apPattern, const char* apName) {
    const char* star = nullptr;
    const char* retry = nullptr;
    while (*apName != '\0') {
        if (*apPattern == '*') {
            star = apPattern++;
            retry = apName;
        } else if (*apPattern != '\0' && (*apPattern == '?' || FoldByte(*apPattern) == FoldByte(*apName))) {
            ++apPattern;
            ++apName;
        } else if (star != nullptr) {
            apPattern = star + 1;
            apName = ++retry;
        } else {
            return false;
        }
    }
    while (*apPattern == '*') {
        ++apPattern;
    }
    return *apPattern == '\0';
}

bool FoldedLess(const std::string& aLeft, const std::string& aRight) {
    const std::string left = VoPosixFiles::Fold(aLeft);
    const std::string right = VoPosixFiles::Fold(aRight);
    return left != right ? left < right : aLeft < aRight;
}

// Every entry but "." and "..". Returns 0 or an errno; apOpenFailed tells
// whether the directory could not be opened at all.
int ReadEntries(const std::string& aDirectory, std::vector<DirectoryEntry>* apEntries, bool* apOpenFailed) {
    DIR* directory = opendir(aDirectory.empty() ? "." : aDirectory.c_str());
    if (directory == nullptr) {
        *apOpenFailed = true;
        return errno;
    }
    *apOpenFailed = false;
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory);
        if (entry == nullptr) {
            error = errno;
            break;
        }
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            apEntries->push_back(DirectoryEntry{name, entry->d_type});
        }
    }
    closedir(directory);
    return error;
}

bool IsDirectoryEntry(const std::string& aDirectory, const DirectoryEntry& aEntry) {
    if (aEntry.fType == DT_DIR) {
        return true;
    }
    if (aEntry.fType == DT_UNKNOWN || aEntry.fType == DT_LNK) {
        return IsDirectory(Join(aDirectory, aEntry.fName));
    }
    return false;
}

bool WriteAll(int aFile, const char* apData, std::size_t aSize) {
    while (aSize > 0) {
        const ssize_t written = write(aFile, apData, aSize);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        apData += written;
        aSize -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies every byte; false with errno set on a read or write error.
bool CopyContents(int aSource, int aDestination) {
    std::vector<char> buffer(kCopyBufferSize);
    for (;;) {
        const ssize_t count = read(aSource, buffer.data(), buffer.size());
        if (count == 0) {
            return true;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (!WriteAll(aDestination, buffer.data(), static_cast<std::size_t>(count))) {
            return false;
        }
    }
}

// Whether aInner is aOuter or lies inside it (both existing, links followed).
bool IsWithin(const std::string& aInner, const std::string& aOuter) {
    char inner[PATH_MAX];
    char outer[PATH_MAX];
    if (realpath(aInner.c_str(), inner) == nullptr || realpath(aOuter.c_str(), outer) == nullptr) {
        return false;
    }
    const std::string innerPath = inner;
    std::string outerPath = outer;
    if (innerPath == outerPath) {
        return true;
    }
    if (outerPath.back() != '/') {
        outerPath += '/';
    }
    return innerPath.compare(0, outerPath.size(), outerPath) == 0;
}

}  // namespace

std::string VoPosixFiles::Fold(const std::string& aText) {
    std::string folded = aText;
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldByte);
    return folded;
}

std::uint32_t VoPosixFiles::ToWindowsError(int aError, const std::string& aPath) {
    switch (aError) {
        case 0:
            return kSuccess;
        case ENOENT:
            return (!aPath.empty() && IsDirectory(ParentOf(aPath))) ? kFileNotFound : kPathNotFound;
        case ENOTDIR:
            return kPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
            return kAccessDenied;
        case EEXIST:
            return kFileExists;
        case EROFS:
            return kWriteProtect;
        case ENAMETOOLONG:
            return kFilenameTooLong;
        case ENOSPC:
        case EDQUOT:
            return kDiskFull;
        case ENOTEMPTY:
            return kDirectoryNotEmpty;
        case EBUSY:
        case ETXTBSY:
            return kSharingViolation;
        case EMFILE:
        case ENFILE:
            return kTooManyOpenFiles;
        case ENOMEM:
            return kNotEnoughMemory;
        case EINVAL:
            return kInvalidParameter;
        case ELOOP:
            return kCannotResolve;
        default:
            return kGeneralFailure;
    }
}

std::string VoPosixFiles::MatchCase(const std::string& aPath) {
    if (aPath.empty() || Exists(aPath)) {
        return aPath;
    }
    const std::size_t length = aPath.size();
    std::string result;
    std::size_t i = 0;
    while (i < length && aPath[i] == '/') {
        result += aPath[i++];
    }
    while (i < length) {
        std::size_t end = aPath.find('/', i);
        if (end == std::string::npos) {
            end = length;
        }
        const std::string component = aPath.substr(i, end - i);
        std::string candidate = result + component;
        if (component != "." && component != ".." && !Exists(candidate)) {
            const std::string found = FindName(result, component);
            if (found.empty()) {
                return result + aPath.substr(i);
            }
            candidate = result + found;
        }
        result = candidate;
        i = end;
        while (i < length && aPath[i] == '/') {
            result += aPath[i++];
        }
    }
    return result;
}

void VoPosixFiles::ForgetMatches() {
    fMatches.clear();
}

std::string VoPosixFiles::FindName(const std::string& aDirectory, const std::string& aName) {
    const std::string folded = Fold(aName);
    std::string key = aDirectory;
    key += '\0';
    key += folded;
    const auto remembered = fMatches.find(key);
    if (remembered != fMatches.end()) {
        if (Exists(Join(aDirectory, remembered->second))) {
            return remembered->second;
        }
        fMatches.erase(remembered);
    }
    std::vector<DirectoryEntry> entries;
    bool openFailed = false;
    ReadEntries(aDirectory, &entries, &openFailed);
    std::string best;
    for (const DirectoryEntry& entry : entries) {
        if (Fold(entry.fName) == folded && (best.empty() || entry.fName < best)) {
            best = entry.fName;
        }
    }
    if (!best.empty()) {
        if (fMatches.size() >= kMatchLimit) {
            fMatches.clear();
        }
        fMatches.emplace(key, best);
    }
    return best;
}

std::uint32_t VoPosixFiles::Find(const std::string& aPath, Entry* apEntry) {
    if (aPath.empty()) {
        return kPathNotFound;
    }
    std::string target = aPath;
    const std::string name = NameOf(aPath);
    if (HasWildcard(name)) {
        const std::string parent = ParentOf(aPath);
        std::vector<DirectoryEntry> entries;
        bool openFailed = false;
        const int error = ReadEntries(parent, &entries, &openFailed);
        if (openFailed) {
            return ToWindowsError(error, aPath);
        }
        std::string first;
        for (const DirectoryEntry& entry : entries) {
            if (MatchesPattern(name.c_str(), entry.fName.c_str()) &&
                (first.empty() || FoldedLess(entry.fName, first))) {
                first = entry.fName;
            }
        }
        if (first.empty()) {
            return kFileNotFound;
        }
        target = Join(parent, first);
    }
    struct stat status;
    if (stat(target.c_str(), &status) != 0 && lstat(target.c_str(), &status) != 0) {
        return ToWindowsError(errno, target);
    }
    apEntry->fDirectory = S_ISDIR(status.st_mode);
    apEntry->fSize = apEntry->fDirectory ? 0 : static_cast<std::uint64_t>(status.st_size);
    return kSuccess;
}

std::uint32_t VoPosixFiles::CreateDirectory(const std::string& aPath) {
    if (aPath.empty()) {
        return kPathNotFound;
    }
    return mkdir(aPath.c_str(), 0777) == 0 ? kSuccess : ToWindowsError(errno, aPath);
}

bool VoPosixFiles::IsReadOnlyFile(const std::string& aPath) {
    struct stat status;
    return stat(aPath.c_str(), &status) == 0 && S_ISREG(status.st_mode) && IsReadOnly(status);
}

std::uint32_t VoPosixFiles::CreateFile(const std::string& aPath) {
    if (aPath.empty()) {
        return kPathNotFound;
    }
    struct stat status;
    if (stat(aPath.c_str(), &status) == 0 && (S_ISDIR(status.st_mode) || IsReadOnly(status))) {
        return kAccessDenied;
    }
    const int file = open(aPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) {
        return ToWindowsError(errno, aPath);
    }
    close(file);
    return kSuccess;
}

std::uint32_t VoPosixFiles::DeleteFile(const std::string& aPath) {
    if (aPath.empty()) {
        return kPathNotFound;
    }
    struct stat status;
    if (lstat(aPath.c_str(), &status) != 0) {
        return ToWindowsError(errno, aPath);
    }
    if (S_ISDIR(status.st_mode) || IsReadOnly(status)) {
        return kAccessDenied;
    }
    return unlink(aPath.c_str()) == 0 ? kSuccess : ToWindowsError(errno, aPath);
}

std::uint32_t VoPosixFiles::CopyFile(const std::string& aSource, const std::string& aDestination,
                                     bool aFailIfExists) {
    if (aSource.empty() || aDestination.empty()) {
        return kPathNotFound;
    }
    const int source = open(aSource.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return ToWindowsError(errno, aSource);
    }
    struct stat sourceStatus;
    if (fstat(source, &sourceStatus) != 0 || S_ISDIR(sourceStatus.st_mode)) {
        close(source);
        return kAccessDenied;
    }
    struct stat destinationStatus;
    if (stat(aDestination.c_str(), &destinationStatus) == 0) {
        std::uint32_t refusal = kSuccess;
        if (aFailIfExists) {
            refusal = kFileExists;
        } else if (destinationStatus.st_dev == sourceStatus.st_dev &&
                   destinationStatus.st_ino == sourceStatus.st_ino) {
            // Truncating the destination would destroy the source.
            refusal = kSharingViolation;
        } else if (S_ISDIR(destinationStatus.st_mode) || IsReadOnly(destinationStatus)) {
            refusal = kAccessDenied;
        }
        if (refusal != kSuccess) {
            close(source);
            return refusal;
        }
    }
    const mode_t mode = sourceStatus.st_mode & 0777;
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (aFailIfExists ? O_EXCL : 0);
    const int destination = open(aDestination.c_str(), flags, mode);
    if (destination < 0) {
        const std::uint32_t error = ToWindowsError(errno, aDestination);
        close(source);
        return error;
    }
    bool copied = CopyContents(source, destination) && fchmod(destination, mode) == 0;
    std::uint32_t error = copied ? kSuccess : ToWindowsError(errno, aDestination);
    if (close(destination) != 0 && copied) {
        copied = false;
        error = ToWindowsError(errno, aDestination);
    }
    close(source);
    if (!copied) {
        // A half-written copy is worse than none.
        unlink(aDestination.c_str());
    }
    return error;
}

bool VoPosixFiles::CopyTree(const std::string& aSource, const std::string& aDestination, bool aRecursive,
                            bool aOverwrite) {
    if (aSource.empty() || aDestination.empty()) {
        return false;
    }
    struct stat status;
    if (stat(aSource.c_str(), &status) != 0) {
        return false;
    }
    std::string target = aDestination;
    if (IsDirectory(aDestination)) {
        target = Join(aDestination, NameOf(aSource));
    }
    // A folder copied into itself would grow without end.
    if (S_ISDIR(status.st_mode) && IsWithin(ParentOf(target), aSource)) {
        return false;
    }
    return CopyTreeAt(aSource, target, aRecursive, aOverwrite, 0);
}

bool VoPosixFiles::CopyTreeAt(const std::string& aSource, const std::string& aDestination, bool aRecursive,
                              bool aOverwrite, int aDepth) {
    if (aDepth > kCopyDepthLimit) {
        return false;
    }
    if (!IsDirectory(aSource)) {
        if (!aOverwrite && Exists(aDestination)) {
            return true;
        }
        return CopyFile(aSource, aDestination, false) == kSuccess;
    }
    if (mkdir(aDestination.c_str(), 0777) != 0 && !(errno == EEXIST && IsDirectory(aDestination))) {
        return false;
    }
    std::vector<DirectoryEntry> entries;
    bool openFailed = false;
    if (ReadEntries(aSource, &entries, &openFailed) != 0) {
        return false;
    }
    for (const DirectoryEntry& entry : entries) {
        if (!aRecursive && IsDirectoryEntry(aSource, entry)) {
            continue;
        }
        if (!CopyTreeAt(Join(aSource, entry.fName), Join(aDestination, entry.fName), aRecursive, aOverwrite,
                        aDepth + 1)) {
            return false;
        }
    }
    return true;
}

void VoPosixFiles::List(const std::string& aDirectory, bool aDirectories, std::vector<std::string>* apNames,
                        std::uint32_t* apOpenError, std::uint32_t* apReadError) {
    *apOpenError = kSuccess;
    *apReadError = kSuccess;
    if (aDirectory.empty()) {
        *apOpenError = kPathNotFound;
        return;
    }
    std::vector<DirectoryEntry> entries;
    bool openFailed = false;
    const int error = ReadEntries(aDirectory, &entries, &openFailed);
    if (openFailed) {
        // The search pattern lies inside the directory, so a missing
        // directory is a missing path, never a missing file.
        *apOpenError =
            (error == ENOENT || error == ENOTDIR) ? kPathNotFound : ToWindowsError(error, aDirectory);
        return;
    }
    for (const DirectoryEntry& entry : entries) {
        if (IsDirectoryEntry(aDirectory, entry) == aDirectories) {
            apNames->push_back(entry.fName);
        }
    }
    std::sort(apNames->begin(), apNames->end(), FoldedLess);
    *apReadError = ToWindowsError(error, aDirectory);
}

bool VoPosixFiles::GetWorkingDirectory(std::size_t aMaxLength, std::string* apDirectory) {
    std::vector<char> buffer(aMaxLength + 1);
    if (getcwd(buffer.data(), buffer.size()) == nullptr) {
        return false;
    }
    apDirectory->assign(buffer.data());
    return true;
}

bool VoPosixFiles::SetWorkingDirectory(const std::string& aPath) {
    if (aPath.empty() || chdir(aPath.c_str()) != 0) {
        return false;
    }
    ForgetMatches();
    return true;
}
