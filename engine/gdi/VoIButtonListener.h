#pragma once
// Told by a button (VoButton) what happens to it: the id is the button's
// display-object id, the code one of the constants below. A button has at
// most one listener, which it does not own; a listener outlives the buttons
// it listens to or removes itself from them (VoButton::RemoveListener).
class VoString;

class VoIButtonListener {
public:
    // The primary mouse button went down over an enabled button.
    static constexpr int kPressed = 0;
    // The pointer moved onto the button.
    static constexpr int kEntered = 1;
    // The pointer moved off the button.
    static constexpr int kLeft = 2;
    // The primary button came up after a press, with the pointer off the button.
    static constexpr int kReleasedOutside = 3;
    // The primary button came up after a press, with the pointer on an enabled button.
    static constexpr int kClick = 4;
    static constexpr int kEnabled = 5;
    static constexpr int kDisabled = 6;

    virtual ~VoIButtonListener() = default;
    // The button may be deleted from here; it touches nothing of itself after the call.
    virtual void OnButtonEvent(const VoString& aId, int aCode) = 0;
};
