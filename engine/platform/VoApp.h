#pragma once
// The application that the platform drives: the platform calls Init once,
// Frame once per pass of the main loop, the input slots as the keyboard and
// mouse devices report, OnActivate and OnDeactivate as the window gains and
// loses the focus, and OnQuit when the loop is told to end. The platform owns
// the application it is given and deletes it. Every slot does nothing here;
// the platform ignores every result. The Reserved slots keep the places that
// the platform never calls.
class VoString;
class VoVector2;

class VoApp {
public:
    VoApp() = default;
    VoApp(const VoApp&) = delete;
    VoApp& operator=(const VoApp&) = delete;
    virtual ~VoApp() = default;

    virtual bool Reserved1() { return true; }
    virtual bool Reserved2() { return true; }
    // aDevice is "mouse"; aButton 1 (primary), 2 (secondary) or 3 (middle).
    virtual bool OnMouseDown(const VoString& aDevice, int aButton);
    virtual bool OnMouseUp(const VoString& aDevice, int aButton);
    // For "mouse" apValue is the pointer's accumulated position, which the
    // application may change in place (the next motion adds to it); for
    // "wheel" its y is the accumulated wheel position (120 per notch).
    virtual bool OnMouseMove(const VoString& aDevice, VoVector2* apValue);
    virtual bool Reserved6() { return true; }
    virtual bool Reserved7() { return true; }
    virtual bool Reserved8() { return true; }
    virtual bool Reserved9() { return true; }
    virtual bool OnQuit() { return true; }
    virtual bool Init() { return true; }
    // aKey: the keyboard scan code, 0..255.
    virtual bool OnKeyDown(int aKey);
    virtual bool OnKeyUp(int aKey);
    virtual bool Frame() { return true; }
    virtual bool OnActivate() { return true; }
    virtual bool OnDeactivate() { return true; }
    virtual bool Reserved17() { return true; }
    virtual bool Reserved18() { return true; }
    virtual bool Reserved19() { return true; }
    virtual bool Reserved20() { return true; }
    virtual bool Reserved21() { return true; }
};
