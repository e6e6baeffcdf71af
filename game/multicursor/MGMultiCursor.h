#pragma once
// The five-action menu that opens over a clicked hotspot or inventory item:
// five buttons (look, use, collect, analyze, talk) over a curved background
// strip, each with a tooltip, drawn above the scene (the group "multicursor"
// at relative z 9500 in the display root).
//
// The opener sets the layout (0, or 1 for the mirrored one), the enabled
// actions and the listener, then shows the menu at a position (y at most
// 300). While open the menu holds the mouse: its buttons, the menu itself
// and the two cursors are the only lock holders. A pressed button advances
// the game clock by one second and tells the listener its action; a press
// beside the buttons tells the listener 0 and closes the menu. Opening and
// closing fade the menu's blend in steps of 0.1, one per frame at most and
// only after more than 0.015 seconds; the buttons' tooltips show one second
// after the pointer came onto a button, 30 pixels below a pointer in the top
// 50 pixels of the screen and 20 above it elsewhere, grey for a disabled
// button.
//
// Pictures: "//textures/multicursor.tga" (filed as "multicursor_tex"), cut
// into 51 x 51 cells: a row per button (look, use, collect, analyze, talk),
// columns disabled, normal and under the pointer, and the two strips of the
// layouts beside them. Tooltip texts: "//dataroot/assets/tooltips.txt",
// keys "use", "collect", "analyze", "talk" and "look".
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class MGIMultiCursorListener;
class VoButton;
class VoSprite;
class VoToolTip;

class MGMultiCursor : public VoDisplayGroup,
                      public VoIButtonListener,
                      public VoIMouseListener,
                      public VoIFrameListener {
public:
    static constexpr const char* kCreationFailure = "MGMultiCursor creation failure.";
    static constexpr const char* kSetListenerNull = "SetListener failure. NULL arg.";
    static constexpr const char16_t* kId = u"multicursor";
    static constexpr const char16_t* kTextureId = u"multicursor_tex";
    static constexpr const char16_t* kTextureFile = u"//textures/multicursor.tga";
    static constexpr const char16_t* kTooltipFile = u"//dataroot/assets/tooltips.txt";
    static constexpr const char16_t* kTooltipFont = u"tahoma10black";
    static constexpr const char16_t* kTooltipPrefix = u"mctooltip_";
    static constexpr const char16_t* kMenuSpriteId = u"menusprite";

    static constexpr int kButtonCount = 5;
    static constexpr float kRelativeZ = 9500.0f;
    static constexpr float kButtonZ = 10.0f;
    static constexpr float kTooltipZ = 9700.0f;
    static constexpr float kMouseOrder = -100.0f;
    static constexpr float kFrameOrder = 0.0f;
    static constexpr float kMaxY = 300.0f;
    static constexpr float kFadeStep = 0.1f;
    static constexpr double kStepInterval = 0.015;
    static constexpr double kTooltipDelay = 1.0;
    static constexpr float kActionSeconds = 1.0f;
    // A pointer at or above this y gets its tooltip below it.
    static constexpr float kTooltipFlipY = 50.0f;
    static constexpr float kTooltipBelow = 30.0f;
    static constexpr float kTooltipAbove = 20.0f;

    // Created on first use, hidden, in the display root, and owned by the
    // game's cleaner; null when it cannot be created.
    static MGMultiCursor* GetInstance();

    // Builds the menu (see above); a missing picture leaves it without
    // images and a missing tooltip text empty.
    MGMultiCursor();
    MGMultiCursor(const MGMultiCursor&) = delete;
    MGMultiCursor& operator=(const MGMultiCursor&) = delete;
    // Leaves the frame manager and the mouse, forgets the listener, deletes
    // the tooltips; the group then deletes the strip and the buttons.
    ~MGMultiCursor() override;

    // 1 selects layout 1, any other value layout 0.
    void SetLayout(int aLayout);
    // Actions 1..5 as MGIMultiCursorListener numbers them; others are
    // ignored. Always true.
    bool SetActionEnabled(int aAction, bool aEnabled);
    // Null is refused (logged, false).
    bool SetListener(MGIMultiCursorListener* apListener);
    // Clears the listener when it is the one given; false otherwise.
    bool RemoveListener(MGIMultiCursorListener* apListener);
    MGIMultiCursorListener* GetListener() const { return fpListener; }

    // Opens the menu at the position, y kept at most 300; nothing while the
    // menu is visible.
    void Show(const VoVector2& aPosition);
    // Closes it; with aDeactivate the menu ends inactive and its buttons deaf
    // until the next opening fade completes.
    void Hide(bool aDeactivate);

    // Pressed buttons: only while the menu is active.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // A primary press beside the five buttons dismisses the menu.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    // Hover tooltips and the fade steps.
    void OnUpdate() override;

    VoButton* GetButton(int aAction) const;
    VoSprite* GetMenuSprite() const { return fpMenuSprite; }
    // The tooltip of the button at the index of the order use, collect,
    // analyze, talk, look; null outside 0..4 or when it could not be made.
    VoToolTip* GetToolTip(int aIndex) const;
    VoToolTip* GetDisplayedToolTip() const { return fTooltipDisplayed ? fpDisplayedTooltip : nullptr; }
    bool IsShown() const { return fShown; }
    bool IsFading() const { return fFading; }
    float GetAlpha() const { return fAlpha; }
    int GetHovered() const { return fHovered; }

    VoString ToString() const override;

private:
    void Build();
    void LoadTooltips();
    VoButton* MakeButton(const char16_t* apId, int aRow);
    // Index in the order use, collect, analyze, talk, look of the first
    // button whose picture lies under the point; -1 for none.
    int FindButtonAt(const VoVector2& aPoint);
    void FadeOutTooltips();
    void StartClosingFade();
    void LockMouse();
    void UnlockMouse();
    void ListenToFrames(bool aListen);
    static double Now();

    VoSprite* fpMenuSprite;  // owned by the group
    VoButton* fpUseButton;   // the five owned by the group
    VoButton* fpCollectButton;
    VoButton* fpAnalyzeButton;
    VoButton* fpTalkButton;
    VoButton* fpLookButton;
    VoButton* fpHoverButtons[kButtonCount];  // the same, in tooltip order
    std::uint32_t fTexture;
    bool fFading;
    double fLastStepTime;
    float fAlpha;
    float fAlphaStep;
    bool fDeactivateOnHide;
    bool fShown;
    int fHovered;
    VoToolTip* fpTooltips[kButtonCount];  // owned by the display root
    VoToolTip* fpPendingTooltip;          // one of fpTooltips
    VoToolTip* fpDisplayedTooltip;        // one of fpTooltips
    bool fTooltipPending;
    bool fTooltipDisplayed;
    double fTooltipDue;
    MGIMultiCursorListener* fpListener;  // not owned
    bool fInFrames;                      // registered with the frame manager
    bool fLocking;                       // the look button holds the mouse's first lock
};
