#pragma once
// How a native path (engine text) reaches the machine's file calls. Every
// place that hands a path to the system goes through here, so a path names the
// same file, or nothing, whoever opens it.
#include <string>

#include "container/VoString.h"

class VoNativePath {
public:
    // The low byte of each unit, the inverse of how the engine widens the
    // bytes of its text files, so names read from data files come out as they
    // were written. A unit whose low byte is 0 would cut the path short and
    // name another file: such a path names nothing (false).
    static bool ToNarrow(const VoString& aPath, std::string* apNarrow);

    // True when a regular file (links followed) is at the path and nobody may
    // write it: the read-only attribute. False for a path that names nothing.
    static bool IsReadOnlyFile(const VoString& aPath);
};
