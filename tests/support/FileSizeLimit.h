#pragma once
// Lowers the largest file this process may write for the life of the
// object, so a write fails the way a full disk makes it fail; the signal
// that would end the process is ignored meanwhile.
#include <sys/resource.h>

#include <csignal>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t aBytes) {
        getrlimit(RLIMIT_FSIZE, &fSaved);
        fHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = fSaved;
        limit.rlim_cur = aBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &fSaved);
        std::signal(SIGXFSZ, fHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit fSaved{};
    void (*fHandler)(int) = nullptr;
};
