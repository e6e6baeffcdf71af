#pragma once
// What the start-up code asks of the platform's Create: the window's title and
// size, the back buffer's bits per pixel, windowed or full screen, and either
// no window (the platform makes its own, and writes its handle back here) or
// a window made elsewhere for the platform to adopt.
#include <cstdint>

#include "container/VoString.h"

struct VoPresentParameters;

struct VoPlatformDesc {
    // Show commands: hidden, or shown as usual.
    static constexpr int kShowHide = 0;
    static constexpr int kShowNormal = 1;

    VoString fTitle;
    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
    // 16, 24 or 32.
    std::uint32_t fBits = 0;
    bool fWindowed = false;
    void* fpInstance = nullptr;  // not owned; the program's, passed through untouched
    int fShowCommand = kShowNormal;
    const char* fpCommandLine = nullptr;  // not owned; the platform does not read it
    // In and out: null asks the platform to make its window, whose handle
    // Create writes here; a handle makes the platform adopt that window.
    void* fpWindow = nullptr;  // not owned
    // A complete back-buffer description to use unchanged, or null.
    const VoPresentParameters* fpPresentParameters = nullptr;  // not owned
};
