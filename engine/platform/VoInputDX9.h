#pragma once
// The platform's input: the keyboard and mouse devices, read once per pass of
// the main loop. They report what changed to the application's input slots
// (the application forwards the reports to the engine keyboard and mouse).
// The message pump feeds the devices through Feed and tells them the focus.
#include <cstdint>

class VoIPlatform;
class VoIWindowPort;
class VoKeyboardDX9;
class VoMouseDX9;
struct VoPortEvent;

class VoInputDX9 {
public:
    static constexpr char kKeyboardCreationFailure[] = "Keyboard creation failure.";
    static constexpr char kMouseCreationFailure[] = "Mouse creation failure.";

    // apPlatform: not owned, owns the input; its application gets the reports.
    explicit VoInputDX9(VoIPlatform* apPlatform);
    VoInputDX9(const VoInputDX9&) = delete;
    VoInputDX9& operator=(const VoInputDX9&) = delete;
    // Deletes the keyboard, then the mouse.
    ~VoInputDX9();

    // Makes the devices asked for on the window (not owned, outlives the
    // input; the mouse holds the system pointer while acquired). aFlag is
    // not used.
    bool Init(void* apInstance, VoIWindowPort* apWindow, int aFlag, bool aMakeKeyboard, bool aMakeMouse);
    // The keyboard's update, then the mouse's.
    void Update();

    // A key or mouse message of the window's queue; others are ignored.
    void Feed(const VoPortEvent& aEvent);
    // Whether the window has the focus.
    void SetForeground(bool aForeground);
    // The size of the picture the window shows, which the pointer's
    // positions are mapped into (see VoMouseDevice).
    void SetPictureSize(std::uint32_t aWidth, std::uint32_t aHeight);

    // Clear the keyboard's stored keys and acquire, or release, the mouse.
    // Nothing in the engine calls them.
    void AcquireDevices();
    void UnacquireDevices();

    VoKeyboardDX9* GetKeyboard() const { return fpKeyboard; }
    VoMouseDX9* GetMouse() const { return fpMouse; }
    VoIPlatform* GetPlatform() const { return fpPlatform; }

private:
    VoKeyboardDX9* fpKeyboard;  // owned
    VoMouseDX9* fpMouse;        // owned
    VoIPlatform* fpPlatform;    // not owned
};
