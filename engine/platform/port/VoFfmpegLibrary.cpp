#include "platform/port/VoFfmpegLibrary.h"

#include <dlfcn.h>

#include <string>
#include <string_view>

#include "container/VoLog.h"

namespace {

#define VO_STRING(value) #value
#define VO_SONAME(library, major) "lib" library ".so." VO_STRING(major)

// The sonames of the versions whose headers we were built with; libavutil
// first, as every other one needs it.
struct Library {
    const char* name;
    const char* soname;
    void* handle;
};

Library gLibraries[] = {
    {"avutil", VO_SONAME("avutil", LIBAVUTIL_VERSION_MAJOR), nullptr},
    {"swresample", VO_SONAME("swresample", LIBSWRESAMPLE_VERSION_MAJOR), nullptr},
    {"swscale", VO_SONAME("swscale", LIBSWSCALE_VERSION_MAJOR), nullptr},
    {"avcodec", VO_SONAME("avcodec", LIBAVCODEC_VERSION_MAJOR), nullptr},
    {"avformat", VO_SONAME("avformat", LIBAVFORMAT_VERSION_MAJOR), nullptr},
};

void* HandleOf(const char* apLibrary) {
    for (const Library& library : gLibraries) {
        if (std::string_view(library.name) == apLibrary) {
            return library.handle;
        }
    }
    return nullptr;
}

VoFfmpegLibrary::Functions gFunctions;

// Loads every library and function; the reason of the first failure in
// *apReason otherwise. The libraries stay loaded until the process ends.
bool LoadAll(std::string* apReason) {
    for (Library& library : gLibraries) {
        library.handle = dlopen(library.soname, RTLD_NOW | RTLD_LOCAL);
        if (library.handle == nullptr) {
            const char* reason = dlerror();
            *apReason = reason != nullptr ? reason : library.soname;
            return false;
        }
    }
#define VO_FFMPEG_LOOKUP(library, name)                                                      \
    gFunctions.name = reinterpret_cast<decltype(&::name)>(dlsym(HandleOf(#library), #name)); \
    if (gFunctions.name == nullptr) {                                                        \
        *apReason = #name;                                                                   \
        return false;                                                                        \
    }
    VO_FFMPEG_FUNCTIONS(VO_FFMPEG_LOOKUP)
#undef VO_FFMPEG_LOOKUP
    return true;
}

}  // namespace

bool VoFfmpegLibrary::Load() {
    static const bool sLoaded = [] {
        std::string reason;
        if (LoadAll(&reason)) {
            return true;
        }
        VO_ERROR(kLoadFailure, reason.c_str());
        return false;
    }();
    return sLoaded;
}

const VoFfmpegLibrary::Functions& VoFfmpegLibrary::Get() {
    return gFunctions;
}
