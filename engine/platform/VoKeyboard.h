#pragma once
// The engine keyboard: the down state of the 256 scan codes, and key presses
// and releases delivered at once to keyboard listeners in ascending order of
// the order each registered with (equal orders in registration order). The
// application feeds it from the keyboard device through KeyDown and KeyUp.
//
// One listener may hold the focus; it is told first, and then skipped in the
// ordered walk. A listener stops delivery of the current event to the rest
// with ConsumeEvent; called between events, ConsumeEvent swallows the next
// event whole, focus listener included.
#include <cstdint>

#include "container/VoBase.h"
#include "platform/VoIKeyboardListener.h"
#include "stdlib/VoOrderedListeners.h"

class VoKeyboard : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoKeyboard creation failure.";
    static constexpr const char* kAddNull = "AddListener failure. apListener == NULL.";
    static constexpr const char* kAddDuplicate = "AddListener failure. Duplicate found.";
    // The lists could not take the listener (memory).
    static constexpr const char* kAddFailure = "AddListener failure.";
    static constexpr const char* kRemoveError = "RemoveListener error.";
    static constexpr const char* kKeyOutOfRange = "aKey out of range: ";
    static constexpr const char* kInvalidEvent = "Invalid keyboard event: ";
    static constexpr const char* kFocusNull = "GetFocus failure. NULL arg.";
    static constexpr const char* kFocusNotListed = "GetFocus failure. Listener not in current list.";

    static constexpr int kKeyCount = 256;
    static constexpr int kLeftShift = 42;
    static constexpr int kRightShift = 54;
    // The codes of FireKeyboardEvent.
    static constexpr int kEventKeyDown = 1;
    static constexpr int kEventKeyUp = 2;

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoKeyboard* GetInstance();

    VoKeyboard();
    VoKeyboard(const VoKeyboard&) = delete;
    VoKeyboard& operator=(const VoKeyboard&) = delete;
    ~VoKeyboard() override;

    // Not owned. Refuses null and a listener already added.
    bool AddListener(VoIKeyboardListener* apListener, float aOrder);
    // A listener removed during an event is not called again for it. Removing
    // the focus listener also ends its focus and any lock on it.
    bool RemoveListener(VoIKeyboardListener* apListener);

    // A key outside 0..255 is logged and refused; nothing changes.
    bool KeyDown(int aKey);
    bool KeyUp(int aKey);
    // Delivers event aCode (kEventKeyDown or kEventKeyUp) for aKey without
    // touching the key state. Any other code is logged and false once the
    // walk reaches a listener.
    bool FireKeyboardEvent(int aCode, int aKey);
    // Always true.
    bool ConsumeEvent();

    // False for a key outside 0..255 (logged).
    bool IsKeyDown(int aKey) const;
    bool IsShiftDown() const;
    // The character of a letter, digit, space, backspace or return key, as
    // the game's text input wants it (letters upper case with Shift down);
    // 0 for every other key.
    char ScanCodeToChar(int aKey) const;

    // Gives apListener, which must be a listener already, the focus. False
    // without a message while the focus is locked.
    bool GetFocus(VoIKeyboardListener* apListener);
    VoIKeyboardListener* GetFocusListener() const { return fpFocus; }
    // Fixes the focus until aOwner unlocks it; false when it is locked
    // already or no listener has the focus.
    bool LockFocus(std::uint32_t aOwner);
    // False when not locked, or locked by another owner.
    bool UnlockFocus(std::uint32_t aOwner);

    int GetListenerCount() const { return fListeners.GetCount(); }

private:
    bool SetKey(int aKey, bool aDown, int aCode);
    // Calls the listener's callback for aCode; false (nothing called) for an unknown code.
    static bool Deliver(VoIKeyboardListener* apListener, int aCode, int aKey);

    unsigned char fKeys[kKeyCount];  // 1 while the key is down
    VoOrderedListeners fListeners;   // VoIKeyboardListener*, not owned
    VoIKeyboardListener* fpFocus;    // not owned, one of fListeners, or null
    std::uint32_t fFocusOwner;
    bool fFocusLocked;
    bool fConsumed;
};
