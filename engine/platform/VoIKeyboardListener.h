#pragma once
// Told of key presses and releases by the engine keyboard (VoKeyboard), with
// DirectInput scan codes 0..255. A listener registers with
// VoKeyboard::AddListener and removes itself before it dies.
class VoIKeyboardListener {
public:
    virtual void OnKeyDown(int aKey) = 0;
    virtual void OnKeyUp(int aKey) = 0;

protected:
    // Listeners are never deleted through this interface.
    ~VoIKeyboardListener() = default;
};
