#pragma once
// Points the log at a fresh temporary folder for the life of the object, so a
// test can read back exactly the lines it caused; the previous folder is
// restored and the temporary one removed at the end.
//
// #include "support/LogCapture.h"
//     LogCapture log;
//     text.GetAt(-1);
//     EXPECT_TRUE(log.Contains(VoString::kIndexOutOfBounds));
#include <string>
#include <vector>

#include "TestText.h"

#include "container/VoString.h"

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // The lines written since construction (or the last Clear), without their
    // line breaks, as the bytes in the file.
    std::vector<std::string> Lines() const;
    // The whole file as written, line breaks included.
    std::string Contents() const;
    // True when some line contains aText.
    bool Contains(const std::string& aText) const;
    // How many lines contain aText.
    int Count(const std::string& aText) const;
    // True when some line is IsLogLine(line, aLevel, aText).
    bool Logged(const std::string& aLevel, const std::string& aText) const;
    // Forgets the lines written so far.
    void Clear();

    // The temporary folder and the log file in it.
    const std::string& Folder() const { return fFolder; }
    std::string FilePath() const { return fFolder + "/log.txt"; }

private:
    std::string fFolder;
    VoString fPreviousFolder;
};

// Whether aLine is a line of the given level ("ERROR: ", ...) that carries
// exactly aText after its source path and line number.
bool IsLogLine(const std::string& aLine, const std::string& aLevel, const std::string& aText);
