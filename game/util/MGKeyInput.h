#pragma once
// A keyboard listener placed before every other (order -10000 on the engine
// keyboard), for text entry. Its text-entry mode is never switched on in this
// game, and while it is off the listener ignores every key without consuming
// it, so all keys pass on to the other listeners.
#include "container/VoBase.h"
#include "platform/VoIKeyboardListener.h"
#include "stdlib/VoIFrameListener.h"

class MGKeyInput : public VoBase, public VoIKeyboardListener, public VoIFrameListener {
public:
    static constexpr const char* kCreationFailure = "MGKeyInput creation failure.";
    static constexpr float kKeyboardOrder = -10000.0f;

    // Created on first use, registered with the engine keyboard and owned by
    // the game's cleaner; null when it cannot be created.
    static MGKeyInput* GetInstance();

    MGKeyInput() = default;
    MGKeyInput(const MGKeyInput&) = delete;
    MGKeyInput& operator=(const MGKeyInput&) = delete;
    // Leaves the keyboard.
    ~MGKeyInput() override;

    bool IsTextEntryOn() const { return fTextEntry; }

    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;
    void OnUpdate() override {}

    VoString ToString() const override;

private:
    bool fTextEntry = false;
    bool fInKeyboard = false;  // registered with the engine keyboard
};
