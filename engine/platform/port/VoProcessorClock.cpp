#include "platform/port/VoProcessorClock.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kKey[] = "cpu MHz";
constexpr std::size_t kKeyLength = sizeof kKey - 1;

bool IsBlank(char aByte) {
    return aByte == ' ' || aByte == '\t';
}

bool IsDigit(char aByte) {
    return aByte >= '0' && aByte <= '9';
}

// The number at [aBegin, aEnd): digits, optionally "." and more digits,
// rounded to whole units; false when there is none or it exceeds 32 bits.
bool ParseNumber(const char* aBegin, const char* aEnd, std::uint32_t* apValue) {
    const char* p = aBegin;
    std::uint64_t whole = 0;
    bool digits = false;
    while (p < aEnd && IsDigit(*p)) {
        whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
        if (whole > 0xFFFFFFFFull) {
            return false;
        }
        digits = true;
        ++p;
    }
    bool roundUp = false;
    if (p < aEnd && *p == '.') {
        ++p;
        if (p < aEnd && IsDigit(*p)) {
            roundUp = *p >= '5';
            digits = true;
        }
    }
    if (!digits) {
        return false;
    }
    if (roundUp) {
        ++whole;
    }
    if (whole > 0xFFFFFFFFull) {
        return false;
    }
    *apValue = static_cast<std::uint32_t>(whole);
    return true;
}

}  // namespace

std::uint32_t VoProcessorClock::ParseMHz(const char* apText, std::size_t aLength) {
    if (apText == nullptr) {
        return 0;
    }
    const char* const end = apText + aLength;
    const char* line = apText;
    while (line < end) {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        if (lineEnd == nullptr) {
            lineEnd = end;
        }
        if (static_cast<std::size_t>(lineEnd - line) >= kKeyLength &&
            std::memcmp(line, kKey, kKeyLength) == 0) {
            const char* p = line + kKeyLength;
            while (p < lineEnd && IsBlank(*p)) {
                ++p;
            }
            if (p < lineEnd && *p == ':') {
                ++p;
                while (p < lineEnd && IsBlank(*p)) {
                    ++p;
                }
                std::uint32_t value = 0;
                // The first such line decides, whatever it holds.
                return ParseNumber(p, lineEnd, &value) ? value : 0;
            }
        }
        line = lineEnd + 1;
    }
    return 0;
}

std::uint32_t VoProcessorClock::ReadMHz(const char* apPath) {
    const int file = open(apPath, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return 0;
    }
    std::vector<char> text(kReadLimit);
    std::size_t length = 0;
    while (length < text.size()) {
        const ssize_t count = read(file, text.data() + length, text.size() - length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        length += static_cast<std::size_t>(count);
    }
    close(file);
    return ParseMHz(text.data(), length);
}
