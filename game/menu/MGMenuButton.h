#pragma once
// The push button of the menu screens. Its description (a layout section):
//     id          the id reported with each click (required)
//     position    x|y (default 0|0)
//     activearea  x1|y1|x2|y2|...: the click polygon in screen coordinates
//                 (required; see MGMenuArea)
//     states      one sprite description per picture (required), each with a
//                 "type": "n" normal, "o" pointer over, "d" down, "x"
//                 disabled, "h" highlighted (exact case); another type, or
//                 none, adds the sprite without a role: it stays as built.
//
// States: 0 disabled, 1 down, 2 highlighted, 4 normal, 5 over. The pointer
// entering the area (state 4) fades the "o" picture in over "n", leaving it
// fades it out, in steps of 0.1 more than 0.025 s apart. A press inside in
// state 5 and a release inside report a click (code 4) to the one listener;
// nothing else is reported. Disabled and highlighted buttons show only their
// "x" or "h" picture and hear no mouse; so does a button whose group above
// is disabled.
#include "container/VoString.h"
#include "gdi/VoDisplayGroup.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoIButtonListener;
class VoPolygon;
class VoPropertyList;
class VoSprite;

class MGMenuButton : public VoDisplayGroup, public VoIMouseListener, public VoIFrameListener {
public:
    static constexpr int kDisabled = 0;
    static constexpr int kDown = 1;
    static constexpr int kHighlighted = 2;
    static constexpr int kNormal = 4;
    static constexpr int kOver = 5;

    static constexpr float kFadeStep = 0.1f;
    static constexpr float kFadeInterval = 0.025f;
    static constexpr float kHighlightZ = 10.0f;
    static constexpr float kMouseOrder = 0.0f;
    static constexpr float kFrameOrder = 0.0f;

    static constexpr const char16_t* kActiveAreaKey = u"activearea";

    MGMenuButton();
    MGMenuButton(const MGMenuButton&) = delete;
    MGMenuButton& operator=(const MGMenuButton&) = delete;
    // Leaves the mouse and the frame manager.
    ~MGMenuButton() override;

    // Builds the button from its description and starts listening (state 4).
    // False without "id", "activearea" or "states": the caller leaves the
    // button out.
    bool Load(VoPropertyList* apNode, VoIButtonListener* apListener);

    // True: state 4 with "n" shown; false: state 0 with "x" shown. The other
    // pictures are hidden and the mouse is heard only while enabled.
    bool SetEnabled(bool aEnabled) override;
    // True: state 2 with "h" shown; false: state 4 with "n" shown.
    void SetHighlighted(bool aHighlighted);

    int GetState() const { return fState; }
    bool IsFading() const { return fFading; }
    // The picture of a state letter (n, o, d, x, h); null when none.
    VoSprite* GetStateSprite(char16_t aType) const;
    VoPolygon* GetActiveArea() const { return fpArea; }

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;
    void OnUpdate() override;

    VoString ToString() const override;

private:
    enum Picture {
        kPictureNormal,
        kPictureOver,
        kPictureDown,
        kPictureDisabled,
        kPictureHighlighted,
        kPictureCount
    };

    // Shows only that picture (kPictureCount: none).
    void ShowOnly(int aPicture);
    void Show(int aPicture, bool aVisible);
    void ListenToMouse(bool aListen);
    // Starts fading "o" in (+1) or out (-1).
    void StartFade(float aStep);
    bool PointerInside() const;
    // Ignoring the mouse: disabled, highlighted, or a group above disabled.
    bool IgnoresMouse();
    static double Now();

    VoIButtonListener* fpListener;        // not owned
    VoPolygon* fpArea;                    // owned
    VoSprite* fpPictures[kPictureCount];  // owned by the group as members
    int fState;
    bool fFading;
    float fFadeStep;
    double fLastStep;
    bool fInMouse;   // registered with the engine mouse
    bool fInFrames;  // registered with the frame manager
};
