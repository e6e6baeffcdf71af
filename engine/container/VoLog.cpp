#include "container/VoLog.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr char kFileName[] = "log.txt";

// Kept in static storage, set up before any constructor runs, so reporting
// works from static initialisation to exit and never needs the allocator.
// The lock keeps a folder change from tearing a path being opened and keeps
// lines from two threads whole.
std::mutex gLock;
char16_t gFolder[VoLog::kMaxFolderLength + 1];
// The narrow path of the log file; empty means "log.txt" in the working directory.
char gPath[VoLog::kMaxFolderLength + sizeof(kFileName) + 1];
// Whether standard error has been told that the current log file cannot be written.
bool gToldCannotWrite = false;
// Lines WriteLineAndPrint has put on standard error.
int gPrintedLines = 0;

// The text's units as their low bytes, then a line break; false when the
// stream reports an error.
bool WriteNarrow(std::FILE* apFile, const char16_t* apText) {
    char chunk[512];
    std::size_t used = 0;
    for (const char16_t* unit = apText; *unit != 0; ++unit) {
        if (used == sizeof(chunk)) {
            std::fwrite(chunk, 1, used, apFile);
            used = 0;
        }
        chunk[used++] = static_cast<char>(*unit & 0xFF);
    }
    std::fwrite(chunk, 1, used, apFile);
    std::fputc('\n', apFile);
    return std::ferror(apFile) == 0;
}

// Under the lock.
void TellCannotWrite(const char* apPath, int aError) {
    if (gToldCannotWrite) {
        return;
    }
    gToldCannotWrite = true;
    std::fprintf(stderr, "%s%s: %s\n", VoLog::kCannotWrite, apPath, std::strerror(aError));
}

}  // namespace

void VoLog::Report(const VoString& aMessage) {
    WriteLine(aMessage.GetChars());
}

void VoLog::WriteLine(const char16_t* apText) {
    if (apText == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> lock(gLock);
    const char* path = gPath[0] != '\0' ? gPath : kFileName;
    std::FILE* file = std::fopen(path, "a");
    if (file == nullptr) {
        TellCannotWrite(path, errno);
        return;
    }
    const bool written = WriteNarrow(file, apText);
    const int error = errno;
    if (std::fclose(file) != 0 || !written) {
        TellCannotWrite(path, written ? errno : error);
    }
}

void VoLog::WriteLineAndPrint(const char16_t* apText) {
    if (apText == nullptr) {
        return;
    }
    WriteLine(apText);
    std::lock_guard<std::mutex> lock(gLock);
    WriteNarrow(stderr, apText);
    std::fflush(stderr);
    ++gPrintedLines;
}

int VoLog::GetPrintedLineCount() {
    std::lock_guard<std::mutex> lock(gLock);
    return gPrintedLines;
}

void VoLog::SetFolder(const VoString& aFolder) {
    const std::int32_t length = aFolder.GetLength();
    if (length > kMaxFolderLength) {
        VO_ERROR(kFolderTooLong);
        return;
    }
    std::lock_guard<std::mutex> lock(gLock);
    gToldCannotWrite = false;
    const char16_t* units = aFolder.GetChars();
    for (std::int32_t i = 0; i < length; ++i) {
        gFolder[i] = units[i];
        gPath[i] = static_cast<char>(units[i] & 0xFF);
    }
    gFolder[length] = 0;
    if (length == 0) {
        gPath[0] = '\0';
        return;
    }
    gPath[length] = '/';
    for (std::size_t i = 0; i < sizeof(kFileName); ++i) {
        gPath[length + 1 + i] = kFileName[i];
    }
}

VoString VoLog::GetFolder() {
    // Copied out first: the string allocates, and the allocator may log while
    // it holds its own lock, so this lock is never held around an allocation.
    char16_t folder[kMaxFolderLength + 1];
    {
        std::lock_guard<std::mutex> lock(gLock);
        std::copy(gFolder, gFolder + kMaxFolderLength + 1, folder);
    }
    return VoString(folder);
}
