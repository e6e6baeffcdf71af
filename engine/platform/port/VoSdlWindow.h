#pragma once
// The platform's window on SDL2: Register brings up SDL's video (for the rest
// of the process), Create makes an OpenGL window (full screen on the desktop's
// display mode, or an ordinary window of the size), and holding the pointer
// hides it over the window and, full screen, keeps it inside. SDL's relative
// mouse mode is never used: under it SDL drops the motion of pointers that
// report positions (tablets, virtual machines, remote desktops, synthetic
// input), so the pointer is read by its positions.
//
// SDL's drivers without a display ("offscreen", "dummy", "evdev") are taken
// only when SDL_VIDEODRIVER names them: SDL falls back to them when no
// display can be opened, and a game running there is invisible.
#include <cstdint>
#include <string>

#include "platform/VoIWindowPort.h"

class VoSdlWindow : public VoIWindowPort {
public:
    static constexpr char kHeadlessDriver[] =
        "neither DISPLAY nor WAYLAND_DISPLAY names a display that answers "
        "(SDL_VIDEODRIVER=offscreen runs without one)";

    VoSdlWindow() = default;
    VoSdlWindow(const VoSdlWindow&) = delete;
    VoSdlWindow& operator=(const VoSdlWindow&) = delete;
    // Destroys the window it made (not an adopted one); SDL's video stays up.
    ~VoSdlWindow() override;

    bool Register() override;
    bool Create(const char* apTitle, std::uint32_t aWidth, std::uint32_t aHeight, bool aFullScreen) override;
    void Adopt(void* apHandle) override;
    void* GetHandle() const override { return fpWindow; }
    void Show(int aShowCommand) override;
    void HoldPointer(bool aOn) override;
    void AdjustCursorShowCount(int aDelta) override;
    // X11 and the other systems SDL runs on apply the user's button swap
    // themselves, so the buttons arrive as the user meant them.
    bool AreMouseButtonsSwapped() const override { return false; }
    const char* GetErrorText() const override { return fError.c_str(); }

    // Whether SDL's chosen video driver may be used when SDL_VIDEODRIVER
    // holds apAsked (null when unset): any driver with a display, and a
    // driver without one only when the list (comma-separated, any case)
    // names it.
    static bool MayUseDriver(const char* apDriver, const char* apAsked);

private:
    // Shows or hides SDL's cursor by the count and the hold.
    void ApplyCursor();

    void* fpWindow = nullptr;  // an SDL_Window; owned when fOwned
    bool fOwned = false;
    bool fRegistered = false;
    bool fFullScreen = false;
    bool fHeld = false;
    int fCursorCount = 0;
    std::string fError;
};
