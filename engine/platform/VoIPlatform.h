#pragma once
// The engine service that owns the window, the graphics device and the input
// devices, drives the application and runs the main loop. The start-up code
// fetches it, Creates it from a VoPlatformDesc, hands it the application,
// Initializes it, Runs it and deletes it: the platform is not the engine
// cleaner's. VoPlatformPCDX9 is the one implementation.
#include <cstdint>

#include "container/VoStreamObject.h"

class VoApp;
struct VoPlatformDesc;

class VoIPlatform : public VoStreamObject {
public:
    static constexpr char kCreationFailure[] = "VoIPlatform creation failure.";

    // The one platform, made on the first call by the "platform" creator
    // through the API-object manager (with the argument 0). Null, logged, when
    // it cannot be made; the next call tries again. Deleting the platform
    // forgets it.
    static VoIPlatform* GetInstance();

    // Deletes the application.
    ~VoIPlatform() override;

    bool Initialize(std::uintptr_t aArgument) override = 0;
    // Makes the window, the graphics device and the input devices. Writes the
    // new window's handle into apDesc when it made its own.
    virtual bool Create(VoPlatformDesc* apDesc) = 0;
    // Tells the application, then ends the loop before its next pass.
    virtual void Quit() = 0;
    // The window gained the focus: active, and the application is told.
    virtual void ShowCursor();
    // The window lost the focus: inactive, and the application is told.
    virtual void HideCursor();
    // The application's frame.
    virtual void Update() = 0;
    // Holds its place; nothing calls it.
    virtual void Reserved13(std::uint32_t aArgument) = 0;
    // The main loop; 0 when it ends.
    virtual int Run() = 0;

    VoApp* GetApp() const { return fpApp; }
    // Only stores: an application set before is not deleted.
    void SetApp(VoApp* apApp) { fpApp = apApp; }
    bool IsActive() const { return fActive; }

protected:
    VoIPlatform() = default;

    VoApp* fpApp = nullptr;  // owned
    bool fActive = true;
};
