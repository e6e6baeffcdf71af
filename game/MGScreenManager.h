#pragma once
// The stack of screens (MGIScreen): the top is the screen the player sees.
// PushScreen, PopScreen and RemoveScreen change the stack at once and call no
// screen; PushFade and PopFade switch behind the screen fader:
//     old top OnLeaveBegin -> fade to black -> old top OnLeaveEnd
//     -> new top OnEnter -> fade from black -> idle
// For a pop the old top is the popped screen, the new top the one below it.
// On an empty stack PushFade only enters the new screen and fades in.
//
// From a fade's start to the end of the fade-in that follows it the manager
// is busy and refuses PushFade and PopFade. The first push on an empty stack
// listens to the fader only after its fade-in has started, so it leaves the
// manager idle and a second push during that fade-in is taken. When the
// fader is black already the whole switch happens inside PushFade/PopFade.
// The stack owns no screen: the caller of PopFade or PopScreen owns the
// popped one from then on.
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoVector.h"

class MGIScreen;
class MGScreenFader;

class MGScreenManager : public VoBase, public MGIScreenFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGScreenManager creation failure.";
    static constexpr const char* kPushScreenNull = "PushScreen failure. NULL arg.";
    static constexpr const char* kPushFadeNull = "PushFade failure. NULL arg.";
    static constexpr const char* kPopFadeInvalid = "Invalid arg.";
    static constexpr const char* kPopFadeEmpty = "PopFade failure. NULL arg.";
    static constexpr const char* kPopFadeLast = "PopFade failure.";

    // Created on first use (with the screen fader) and owned by the game's
    // cleaner; null when it cannot be created.
    static MGScreenManager* GetInstance();

    MGScreenManager();
    MGScreenManager(const MGScreenManager&) = delete;
    MGScreenManager& operator=(const MGScreenManager&) = delete;
    // Stops listening to the fader; the screens are not touched.
    ~MGScreenManager() override;

    // Without fades or screen calls. Null is refused (an assertion line).
    bool PushScreen(MGIScreen* apScreen);
    // The top into *appScreen; false for an empty stack or a null out.
    bool PopScreen(MGIScreen** appScreen);
    // That screen, wherever it stands; false when it is not on the stack.
    bool RemoveScreen(MGIScreen* apScreen);
    void Clear();
    MGIScreen* GetTopScreen() const;
    // The screen's index from the bottom (0), or -1.
    int FindScreen(MGIScreen* apScreen) const;
    int GetScreenCount() const { return fScreens.GetCount(); }

    // Switches to the new screen behind a fade. False while busy, for null
    // and when a step fails.
    bool PushFade(MGIScreen* apScreen);
    // Switches back to the screen below the top behind a fade, handing the
    // top to *appScreen, which must hold null. False while busy. With no
    // screen below the top, the top is still taken off and handed out
    // without any call, and the result is false.
    bool PopFade(MGIScreen** appScreen);

    bool IsBusy() const { return fBusy; }
    MGIScreen* GetLeavingScreen() const { return fpLeaving; }

    void OnFadeEvent(int aCode) override;

    VoString ToString() const override;

private:
    VoVector fScreens;       // MGIScreen*, not owned; the bottom at index 0
    MGScreenFader* fpFader;  // not owned: the game cleaner's, made before us
    MGIScreen* fpLeaving;    // not owned: the screen whose leave runs, or null
    bool fBusy;
};
