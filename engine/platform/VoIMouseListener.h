#pragma once
// Told of mouse events by the engine mouse (VoMouse): buttons 1 (primary),
// 2 (secondary) and 3 (middle), positions in screen pixels. A listener
// registers with VoMouse::AddListener and removes itself (and gives up any
// lock it holds) before it dies.
class VoVector2;

class VoIMouseListener {
public:
    virtual ~VoIMouseListener() = default;

    // Told in place of OnButtonDown for the second press of a double click.
    virtual void OnDoubleClick(int aButton) { (void)aButton; }
    virtual void OnButtonDown(int aButton) = 0;
    // apPosition is the mouse's own record, valid for the call.
    virtual void OnMouseMove(const VoVector2* apPosition) = 0;
    virtual void OnButtonUp(int aButton) = 0;
    virtual void OnWheel(float aDelta) { (void)aDelta; }
};
