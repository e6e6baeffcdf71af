#include "LogCapture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "container/VoLog.h"

LogCapture::LogCapture() : fPreviousFolder(VoLog::GetFolder()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vo-log-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary log folder";
        return;
    }
    fFolder = pattern;
    VoLog::SetFolder(VoString(fFolder.c_str()));
}

LogCapture::~LogCapture() {
    VoLog::SetFolder(fPreviousFolder);
    if (!fFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(fFolder, ignored);
    }
}

std::string LogCapture::Contents() const {
    std::ifstream in(FilePath(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> LogCapture::Lines() const {
    std::vector<std::string> lines;
    const std::string contents = Contents();
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos) {
            end = contents.size();
        }
        lines.push_back(contents.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool LogCapture::Contains(const std::string& aText) const {
    return Count(aText) > 0;
}

int LogCapture::Count(const std::string& aText) const {
    int count = 0;
    for (const std::string& line : Lines()) {
        if (line.find(aText) != std::string::npos) {
            ++count;
        }
    }
    return count;
}

bool LogCapture::Logged(const std::string& aLevel, const std::string& aText) const {
    for (const std::string& line : Lines()) {
        if (IsLogLine(line, aLevel, aText)) {
            return true;
        }
    }
    return false;
}

void LogCapture::Clear() {
    std::error_code ignored;
    std::filesystem::remove(FilePath(), ignored);
}

bool IsLogLine(const std::string& aLine, const std::string& aLevel, const std::string& aText) {
    const std::string tail = ": " + aText;
    return aLine.compare(0, aLevel.size(), aLevel) == 0 && aLine.size() >= tail.size() &&
           aLine.compare(aLine.size() - tail.size(), tail.size(), tail) == 0;
}
