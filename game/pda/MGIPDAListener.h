#pragma once
// Told by the PDA (MGPDA) what happens to it, by code; 1 means the PDA has
// been minimized to its bar. The PDA has one listener, which it does not own.
class MGIPDAListener {
public:
    static constexpr int kMinimized = 1;

    virtual ~MGIPDAListener() = default;
    virtual void OnPDAEvent(int aCode) = 0;
};
