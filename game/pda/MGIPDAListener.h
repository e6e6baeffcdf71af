#pragma once
// Told by the PDA (MGPDA) and its minimized bar (MGPDAMinimized) what happens
// to the PDA, by code. The PDA has one listener, which it does not own; in
// the game it is the current scene, which turns its input on at kMinimized
// and off at kOpened.
class MGIPDAListener {
public:
    // The bar starts its animated minimize.
    static constexpr int kMinimizeBegins = 0;
    // The bar is minimized: at once, or at the end of the shrink animation.
    static constexpr int kMinimized = 1;
    // A maximize begins (animated or not).
    static constexpr int kMaximizeBegins = 2;
    // The grow animation has ended and the PDA is open.
    static constexpr int kGrown = 3;
    static constexpr int kOpened = 4;
    static constexpr int kClosed = 5;

    virtual ~MGIPDAListener() = default;
    virtual void OnPDAEvent(int aCode) = 0;
};
