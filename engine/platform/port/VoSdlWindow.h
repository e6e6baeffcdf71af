#pragma once
// The platform's window on SDL2: Register brings up SDL's video (for the rest
// of the process), Create makes an OpenGL window (full screen on the desktop's
// display mode, or an ordinary window of the size), and relative mouse mode
// holds the pointer.
#include <cstdint>
#include <string>

#include "platform/VoIWindowPort.h"

class VoSdlWindow : public VoIWindowPort {
public:
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
    void SetRelativeMouseMode(bool aOn) override;
    void AdjustCursorShowCount(int aDelta) override;
    // X11 and the other systems SDL runs on apply the user's button swap
    // themselves, so the buttons arrive as the user meant them.
    bool AreMouseButtonsSwapped() const override { return false; }
    const char* GetErrorText() const override { return fError.c_str(); }

private:
    void* fpWindow = nullptr;  // an SDL_Window; owned when fOwned
    bool fOwned = false;
    bool fRegistered = false;
    int fCursorCount = 0;
    std::string fError;
};
