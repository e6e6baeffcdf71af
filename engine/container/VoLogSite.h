#pragma once
// The source file and line a message is reported from.
//
// Code shared by several classes (the vector and key-list cores) takes a site
// as its last argument, defaulted to VoLogSite::Here(): the default is
// evaluated where the shared code is called, so each log line names the
// calling class's own source file and line, not the shared header's.
#include "container/VoLog.h"

class VoLogSite {
public:
    static constexpr VoLogSite Here(const char* apFile = __builtin_FILE(), int aLine = __builtin_LINE()) {
        return VoLogSite(apFile, aLine);
    }

    const char* File() const { return fpFile; }
    int Line() const { return fLine; }

    template <typename... Parts>
    void Error(const Parts&... aParts) const {
        VoLog::Report(VoLog::Compose("ERROR: ", fpFile, fLine, aParts...));
    }
    template <typename... Parts>
    void Warning(const Parts&... aParts) const {
        VoLog::Report(VoLog::Compose("WARNING: ", fpFile, fLine, aParts...));
    }

private:
    constexpr VoLogSite(const char* apFile, int aLine) : fpFile(apFile), fLine(aLine) {}

    const char* fpFile;  // not owned, a string literal
    int fLine;
};
