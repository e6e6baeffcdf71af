#pragma once
// The platform: the window and its message pump, the graphics device and the
// keyboard and mouse devices, all made by Create through the port layer
// (SDL and OpenGL, or whatever port a test hands the constructor), and the
// main loop.
//
// Each pass of Run: drain the window's messages (the quit message ends the
// loop); when the window's focus changed since the last pass, release the
// mouse device (its next update takes it again); begin the scene; update the
// keyboard, then the mouse, which report to the application at once; the
// application's Frame; end the scene; present. Quit is tested before the
// messages are drained, so a Quit during a frame ends the loop after that
// frame's present. The loop runs whether the window is active or not, with
// no frame-rate limit.
#include <cstdint>

#include "container/VoString.h"
#include "platform/VoIPlatform.h"

class VoGraphicsDX9;
class VoInputDX9;
class VoIPlatformPort;
class VoWindowWin;

class VoPlatformPCDX9 : public VoIPlatform {
public:
    static constexpr char kNullDesc[] = "Create failure. NULL arg.";
    static constexpr char kCreatedAlready[] = "Create failure. Already created.";
    static constexpr char kWindowAllocationFailure[] = " Could not allocate fpWindow.";
    static constexpr char kRegisterFailure[] = "Could not register window.";
    static constexpr char kWindowInitFailure[] = "Could not init window.";
    static constexpr char kGraphicsAllocationFailure[] = "Could not allocate fpGraphics.";
    static constexpr char kRunWithoutCreate[] = "Run failure. Platform not created.";

    using Callback = void (*)();

    // Over the SDL and OpenGL port.
    VoPlatformPCDX9();
    // Over apPort (not owned, outlives the platform).
    explicit VoPlatformPCDX9(VoIPlatformPort* apPort);
    VoPlatformPCDX9(const VoPlatformPCDX9&) = delete;
    VoPlatformPCDX9& operator=(const VoPlatformPCDX9&) = delete;
    // Tells the application (OnQuit), deletes the graphics device, the input
    // and the window, then the application.
    ~VoPlatformPCDX9() override;

    VoString ToString() const override;

    // Runs the application's Init when one is set; always true.
    bool Initialize(std::uintptr_t aArgument) override;
    // Window, graphics device, and the input devices when the platform made
    // its own window; shows the window. What was made before a failure stays
    // until the platform is deleted.
    bool Create(VoPlatformDesc* apDesc) override;
    void Quit() override;
    void ShowCursor() override;
    void HideCursor() override;
    void Update() override;
    void Reserved13(std::uint32_t aArgument) override;
    // Without a successful Create there is no window to run: logged, 0 at once.
    int Run() override;
    virtual void Reserved15();
    virtual void Reserved16();

    // Stored and never called.
    void SetCallback(Callback apCallback) { fpCallback = apCallback; }
    Callback GetCallback() const { return fpCallback; }

    VoGraphicsDX9* GetGraphics() const { return fpGraphics; }
    VoInputDX9* GetInput() const { return fpInput; }
    VoWindowWin* GetWindow() const { return fpWindow; }

private:
    VoString fTitle;
    std::uint32_t fWidth;
    std::uint32_t fHeight;
    bool fWindowed;
    std::uint32_t fBits;
    VoGraphicsDX9* fpGraphics;  // owned
    VoInputDX9* fpInput;        // owned; null in a window made elsewhere
    VoWindowWin* fpWindow;      // owned
    bool fQuit;
    bool fCreated;
    Callback fpCallback;
    VoIPlatformPort* fpPort;  // not owned
};
