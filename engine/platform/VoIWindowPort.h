#pragma once
// The platform's window as the port layer gives it: the windowing system is
// brought up, one window made (or one made elsewhere adopted), shown, and the
// system pointer held while the mouse device holds it. The port layer's is
// SDL's; tests stand a recording one in its place.
#include <cstdint>

class VoIWindowPort {
public:
    virtual ~VoIWindowPort() = default;

    // Brings up the windowing system; false when it cannot be.
    virtual bool Register() = 0;
    // A window of the size, with a drawing surface the graphics context can
    // take; full screen covers the display and keeps the size for the back
    // buffer only. False (GetErrorText says why) when it cannot be made.
    virtual bool Create(const char* apTitle, std::uint32_t aWidth, std::uint32_t aHeight,
                        bool aFullScreen) = 0;
    // Takes a window made elsewhere; it stays its maker's.
    virtual void Adopt(void* apHandle) = 0;
    // The window's handle, null while there is none.
    virtual void* GetHandle() const = 0;
    // aShowCommand: VoPlatformDesc::kShowHide hides, anything else shows.
    virtual void Show(int aShowCommand) = 0;
    // While on, the system pointer is hidden over the window; a full-screen
    // window also keeps it inside. A window lets it leave, so the pointer
    // stays the user's outside the game's window.
    virtual void HoldPointer(bool aOn) = 0;
    // The system cursor is shown while its count is 0 or more.
    virtual void AdjustCursorShowCount(int aDelta) = 0;
    // Whether the system exchanges the primary and secondary buttons before
    // reporting them to us (then we must exchange them back).
    virtual bool AreMouseButtonsSwapped() const = 0;
    // Why the last Register or Create failed.
    virtual const char* GetErrorText() const = 0;
};
