#pragma once
// The game's application: the platform calls Init once, Frame once per pass
// of the main loop and the input slots as the devices report. It fixes the
// two orders the rest of the game relies on.
//
// Init, in order: the game cursor at its default look; the fonts of
// "//dataroot/textures/fonts/fonts.txt"; the rasterizer's clear colour
// (opaque black) and no culling; five plain log lines on the device's
// capabilities; the event manager, state manager and game clock as
// restorables, in that order; the game's singletons (interview manager,
// PDA, profiling computer, case selection, the eighteen puzzles, case
// control, cut-scene player, phone, intro); last the intro pushed as the
// first screen, fading in from black.
//
// Frame, in order: the rasterizer clears target, depth and stencil and turns
// alpha blending on; the frame manager's listeners; the scene manager's
// update, then its drawing; the 3D nodes; last the 2D display, over all.
//
// Input: "mouse" buttons and moves (kept within 0..799 x 0..599) go to the
// engine mouse, "wheel" positions as the change since the last one, keys to
// the engine keyboard. Device ids are compared case-sensitively; others are
// ignored.
//
// The platform owns the application and deletes it; it is no cleaner's.
#include "platform/VoApp.h"

class MGSceneManager;
class VoDisplayManager;
class VoFontManager;
class VoFrameManager;
class VoIRasterizer;
class VoKeyboard;
class VoMouse;
class VoNodeManager;

class MGApp : public VoApp {
public:
    static constexpr const char* kCreationFailure = "MGApp creation failure.";
    static constexpr const char* kFontFailure = "Font setup failure.";
    static constexpr const char16_t* kFontList = u"//dataroot/textures/fonts/fonts.txt";
    static constexpr const char16_t* kFontRoot = u"//dataroot/textures/fonts/";
    static constexpr const char16_t* kMouseDevice = u"mouse";
    static constexpr const char16_t* kWheelDevice = u"wheel";
    static constexpr float kMaxX = 799.0f;
    static constexpr float kMaxY = 599.0f;

    // Made on the first call; null, logged, when it cannot be. Start-up hands
    // it to the platform, which deletes it.
    static MGApp* GetInstance();
    // The application if there is one; never creates.
    static MGApp* PeekInstance();

    MGApp(const MGApp&) = delete;
    MGApp& operator=(const MGApp&) = delete;
    // Forgets the singleton.
    ~MGApp() override;

    bool OnMouseDown(const VoString& aDevice, int aButton) override;
    bool OnMouseUp(const VoString& aDevice, int aButton) override;
    bool OnMouseMove(const VoString& aDevice, VoVector2* apValue) override;
    // The result of pushing the intro.
    bool Init() override;
    bool OnKeyDown(int aKey) override;
    bool OnKeyUp(int aKey) override;
    // The display manager's result.
    bool Frame() override;

private:
    // Fetches the services it drives.
    MGApp();
    void LogDeviceCapabilities();
    void CreateGameSingletons();

    VoMouse* fpMouse;                // not owned
    VoKeyboard* fpKeyboard;          // not owned
    VoIRasterizer* fpRasterizer;     // not owned
    VoDisplayManager* fpDisplay;     // not owned
    VoFrameManager* fpFrames;        // not owned
    VoNodeManager* fpNodes;          // not owned
    VoFontManager* fpFonts;          // not owned
    MGSceneManager* fpSceneManager;  // not owned
    float fLastWheel;
};
