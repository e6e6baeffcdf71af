#include "platform/port/VoSdlWindow.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/VoPlatformDesc.h"

namespace {

SDL_Window* AsWindow(void* apHandle) {
    return static_cast<SDL_Window*>(apHandle);
}

// Standard error sent nowhere for the life of the object. While SDL tries its
// video drivers one after another, the libraries under them print their own
// complaints there (libwayland's about XDG_RUNTIME_DIR outside a Wayland
// session, for one); when none opens a display, the one line that says so is
// the platform's.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        fSaved = nowhere >= 0 ? fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0) : -1;
        if (fSaved >= 0 && dup2(nowhere, STDERR_FILENO) < 0) {
            close(fSaved);
            fSaved = -1;
        }
        if (nowhere >= 0) {
            close(nowhere);
        }
    }
    ~QuietStandardError() {
        if (fSaved >= 0) {
            std::fflush(stderr);
            dup2(fSaved, STDERR_FILENO);
            close(fSaved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int fSaved;
};

bool InitVideo() {
    QuietStandardError quiet;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// SDL's video and the OpenGL driver, once up, stay up until the process ends:
// a driver unloaded with the last window takes its own bookkeeping with it
// (which leak checkers then report as lost blocks of ours), and the next
// window would load it all again. The reference taken on the driver is never
// given back.
bool BringUpVideo(std::string* apError) {
    static bool sUp = false;
    if (sUp) {
        return true;
    }
    if (!InitVideo()) {
        *apError = SDL_GetError();
        return false;
    }
    if (!VoSdlWindow::MayUseDriver(SDL_GetCurrentVideoDriver(), SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        *apError = VoSdlWindow::kHeadlessDriver;
        return false;
    }
    // Without a driver this fails, and so will every OpenGL window: Create says why.
    SDL_GL_LoadLibrary(nullptr);
    sUp = true;
    return true;
}

}  // namespace

VoSdlWindow::~VoSdlWindow() {
    if (fpWindow != nullptr && fOwned) {
        SDL_DestroyWindow(AsWindow(fpWindow));
    }
    fpWindow = nullptr;
}

bool VoSdlWindow::Register() {
    fRegistered = fRegistered || BringUpVideo(&fError);
    return fRegistered;
}

bool VoSdlWindow::Create(const char* apTitle, std::uint32_t aWidth, std::uint32_t aHeight, bool aFullScreen) {
    if (!fRegistered || fpWindow != nullptr) {
        fError = fRegistered ? "a window exists already" : "the video system is not up";
        return false;
    }
    // An OpenGL 2.1 compatibility context; depth and stencil belong to the
    // off-screen back buffer, so the window's own surface needs neither.
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    int width = aWidth > 16384 ? 16384 : static_cast<int>(aWidth);
    int height = aHeight > 16384 ? 16384 : static_cast<int>(aHeight);
    if (aFullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
        // Made as large as the desktop at its top-left corner already, so it
        // covers the display also where no window manager makes it full screen.
        SDL_DisplayMode desktop;
        if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
            x = 0;
            y = 0;
            width = desktop.w;
            height = desktop.h;
        }
    } else {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    SDL_Window* window = SDL_CreateWindow(apTitle != nullptr ? apTitle : "", x, y, width, height, flags);
    if (window == nullptr) {
        fError = SDL_GetError();
        return false;
    }
    fpWindow = window;
    fOwned = true;
    fFullScreen = aFullScreen;
    return true;
}

void VoSdlWindow::Adopt(void* apHandle) {
    if (fpWindow != nullptr && fOwned) {
        SDL_DestroyWindow(AsWindow(fpWindow));
    }
    fpWindow = apHandle;
    fOwned = false;
    fFullScreen = false;
}

void VoSdlWindow::Show(int aShowCommand) {
    if (fpWindow == nullptr) {
        return;
    }
    if (aShowCommand == VoPlatformDesc::kShowHide) {
        SDL_HideWindow(AsWindow(fpWindow));
    } else {
        SDL_ShowWindow(AsWindow(fpWindow));
    }
}

void VoSdlWindow::HoldPointer(bool aOn) {
    fHeld = aOn;
    ApplyCursor();
    if (fFullScreen && fpWindow != nullptr) {
        SDL_SetWindowGrab(AsWindow(fpWindow), aOn ? SDL_TRUE : SDL_FALSE);
    }
}

void VoSdlWindow::AdjustCursorShowCount(int aDelta) {
    fCursorCount += aDelta;
    ApplyCursor();
}

void VoSdlWindow::ApplyCursor() {
    // SDL hides its cursor over its own windows only.
    if (fRegistered) {
        SDL_ShowCursor(fCursorCount >= 0 && !fHeld ? SDL_ENABLE : SDL_DISABLE);
    }
}

bool VoSdlWindow::MayUseDriver(const char* apDriver, const char* apAsked) {
    if (apDriver == nullptr) {
        return false;
    }
    static const char* const kHeadless[] = {"offscreen", "dummy", "evdev"};
    bool headless = false;
    for (const char* name : kHeadless) {
        headless = headless || SDL_strcasecmp(apDriver, name) == 0;
    }
    if (!headless) {
        return true;
    }
    const std::string asked = apAsked != nullptr ? apAsked : "";
    std::size_t start = 0;
    while (start <= asked.size()) {
        std::size_t end = asked.find(',', start);
        if (end == std::string::npos) {
            end = asked.size();
        }
        if (SDL_strcasecmp(asked.substr(start, end - start).c_str(), apDriver) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}
