#pragma once
// The engine's only diagnostic channel: every message is one line appended to
// "log.txt" (in the log folder, or the working directory while none is set).
// A failure that ends the program at start-up is also printed on standard
// error, where whoever started it sees it; so is, once for each log file, the
// news that the log cannot be written.
//
// Reporting code uses the macros at the bottom, which build the line
//     <level> <source path>, <line>: <text><further values...>
// e.g. VO_ERROR("AddEvent failure. ID duplication: ", id);
// Each further value is appended with VoString::Append, so it is formatted the
// way the string formats it (integers signed, floats "%f", bools "true"/"false",
// pointers in lower-case hex, VoBase objects by their ToString).
#include "container/VoString.h"

class VoLog {
public:
    // A folder whose path would not fit the platform's path limit is refused.
    static constexpr const char* kFolderTooLong = "SetFolder failure. Folder too long.";
    static constexpr int kMaxFolderLength = 4000;
    // Printed on standard error, followed by the file's path, ": " and the
    // system's reason, the first time a line cannot be written to a log file.
    static constexpr const char* kCannotWrite = "The log cannot be written, its lines are lost: ";

    // Writes the message's text as one line.
    static void Report(const VoString& aMessage);
    // Appends apText and a line break to the log file; null does nothing. The
    // file is opened and closed for each line so nothing is lost on a crash.
    // Each 16-bit unit is written as its low byte, the inverse of how narrow
    // text is widened. A line that cannot be written is lost; the first one
    // lost to a log file says so on standard error (kCannotWrite). Safe to
    // call from the memory manager, also while an allocation fails: it never
    // allocates through the engine's operators.
    static void WriteLine(const char16_t* apText);
    // WriteLine, and the same line on standard error.
    static void WriteLineAndPrint(const char16_t* apText);
    // How many lines WriteLineAndPrint has put on standard error, so a caller
    // can tell whether a failure below it has told the user already.
    static int GetPrintedLineCount();
    // Later lines go to aFolder + "/log.txt"; an empty folder means the working directory.
    static void SetFolder(const VoString& aFolder);
    static VoString GetFolder();

    // The source path relative to the tree: the build maps the tree's absolute
    // prefix away, but a compiler cache may hand the compiler a relative path
    // ("../../engine/..."), so leading "./" and "../" are skipped too.
    static const char* SourcePath(const char* apSource) {
        if (apSource == nullptr) {
            return "";
        }
        for (;;) {
            if (apSource[0] == '.' && apSource[1] == '/') {
                apSource += 2;
            } else if (apSource[0] == '.' && apSource[1] == '.' && apSource[2] == '/') {
                apSource += 3;
            } else {
                return apSource;
            }
        }
    }

    template <typename... Parts>
    static VoString Compose(const char* apLevel, const char* apSource, int aLine, const Parts&... aParts) {
        VoString message(apLevel);
        message.Append(SourcePath(apSource));
        message.Append(", ");
        message.Append(aLine);
        message.Append(": ");
        (message.Append(aParts), ...);
        return message;
    }
};

// The line is __LINE__ of the call: for a call spread over several lines gcc
// gives the first and clang the last, so a test that names the line keeps the
// call on one line.
#define VO_REPORT_AT(level, ...) VoLog::Report(VoLog::Compose(level, __FILE__, __LINE__, __VA_ARGS__))
#define VO_ERROR(...) VO_REPORT_AT("ERROR: ", __VA_ARGS__)
#define VO_WARNING(...) VO_REPORT_AT("WARNING: ", __VA_ARGS__)
#define VO_NOTE(...) VO_REPORT_AT("NOTE: ", __VA_ARGS__)
#define VO_ASSERT_FAILURE(...) VO_REPORT_AT("ASSERT FAILURE: ", __VA_ARGS__)
// Logs an ASSERT FAILURE when the condition is false; execution goes on.
#define VO_ASSERT(condition, ...)           \
    do {                                    \
        if (!(condition)) {                 \
            VO_ASSERT_FAILURE(__VA_ARGS__); \
        }                                   \
    } while (0)
