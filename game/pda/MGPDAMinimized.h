#pragma once
// The PDA's minimized form: a small bar over the scene with a "maximize"
// button that opens the PDA, a "move" button to drag the bar by, three
// blinkers ("icon_map", "icon_phone", "icon_evidence") that call attention to
// the map, the phone and the evidence, and a short flash of an item's icon
// when the item enters the inventory. Opening and closing the PDA run through
// the bar: it grows from its place to the PDA window's in 0.3 s of the engine
// timer (scale 1 to 3, fading out), or shrinks back, and tells the PDA's
// listener 0 (shrinking begins), 1 (minimized), 2 (a maximize begins) and 3
// (grown, the PDA is open).
//
// Screens that fill the display hide the bar (Hide) and show it again on
// leaving (Show). With the options' toggle 1 set (right-button mode) the bar
// stays invisible, and a release of mouse button 2 opens the PDA.
//
// Built on first need from "//textures/pda/pda_minimized_layout.txt" (its
// pictures under "//textures/pda"): every entry of "groups" goes into the
// group "groups" (relative z 1000 in the display root); "layout" is the bar,
// with its members "blinkers", "move" and "maximize".
//
// One frame listener serves the animations, the blinking and the item icon;
// the icon takes the frames for its 1.2 s, then the animation, then the
// blinking. The bar leaves the frame manager only when none of them needs
// frames any more.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "stdlib/VoIFrameListener.h"

class VoButton;
class VoDisplayGroup;
class VoISoundPlayer;
class VoPropertyList;
class VoSprite;

class MGPDAMinimized : public VoBase,
                       public VoIButtonListener,
                       public VoIMouseListener,
                       public VoIFrameListener,
                       public VoISoundListener {
public:
    static constexpr const char* kCreationFailure = "MGPDAMinimized creation failure.";
    static constexpr const char* kNoGroups = "'groups' not found.";
    static constexpr const char* kNoSprite = "'sprite' not found.";
    static constexpr const char* kSpriteFailure = "Sprite build failure.";

    static constexpr const char16_t* kLayoutFile = u"//textures/pda/pda_minimized_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/pda";
    static constexpr const char16_t* kGroupsId = u"groups";
    static constexpr const char16_t* kLayoutId = u"layout";
    static constexpr const char16_t* kBlinkersId = u"blinkers";
    static constexpr const char16_t* kMoveId = u"move";
    static constexpr const char16_t* kMaximizeId = u"maximize";
    static constexpr const char16_t* kMoveCursor = u"pdaminmove";
    static constexpr const char16_t* kMaximizeCursor = u"pdaminmaximize";
    static constexpr const char16_t* kSoundName = u"messageFlash";
    static constexpr const char16_t* kSoundFile = u"//sounds/message.mp2";

    static constexpr int kBlinkerCount = 3;
    // StopBlink's argument for all three blinkers.
    static constexpr int kAllBlinkers = 3;
    static constexpr float kGroupsZ = 1000.0f;
    static constexpr float kNormalScale = 1.0f;
    static constexpr float kOpenScale = 3.0f;
    static constexpr double kAnimationTime = 0.3;
    static constexpr double kIconToggleTime = 0.3;
    static constexpr int kIconToggles = 4;
    static constexpr float kIconZ = 100.0f;
    static constexpr float kIconX = 73.0f;
    static constexpr float kIconY = 27.0f;
    static constexpr float kIconBlend = 0.7f;
    static constexpr float kDragOrder = -100.0f;
    // Where the dragged bar may go: x 0 to 630, y 5 to 492.
    static VoRectangle DragBounds() { return VoRectangle(0.0f, 5.0f, 630.0f, 487.0f); }

    // Created on first use, minimized and not yet built, owned by the game's
    // cleaner; null when it cannot be created.
    static MGPDAMinimized* GetInstance();

    MGPDAMinimized();
    MGPDAMinimized(const MGPDAMinimized&) = delete;
    MGPDAMinimized& operator=(const MGPDAMinimized&) = delete;
    // Leaves the frame manager and the mouse, deletes the sound and the bar
    // (out of the display root first).
    ~MGPDAMinimized() override;

    // Puts the bar in the display root (building it first if needed) and
    // lets its buttons hear the mouse; in right-button mode the bar stays
    // invisible at its first place and listens for the right button itself.
    void Show();
    // Takes the bar out of the display root; its buttons stop hearing the
    // mouse (the right-button listener stays).
    void Hide();
    // The bar is in the display root and "layout" is effectively active.
    bool IsShown();

    // From the open PDA to the bar: animated (0.3 s, false, tells 0 and 1 at
    // the end), or at once (closes the PDA, tells 1, true). False, nothing
    // told, when minimized already. Right-button mode never animates.
    bool Minimize(bool aAnimate);
    // From the bar to the open PDA: animated (the scene's input off, tells 2
    // now and 3 at the end) or at once (opens the PDA, tells 2). False
    // always; nothing told when not minimized.
    bool Maximize(bool aAnimate);

    // Shows blinker aIndex (0 map, 1 phone, 2 evidence), toggled every
    // aInterval seconds, for aDuration seconds (0: until StopBlink), with the
    // notification sound.
    void Blink(int aIndex, float aDuration, float aInterval);
    // kAllBlinkers hides all three blinkers, another value the blinking one.
    void StopBlink(int aWhich);
    // Only while minimized: flashes the sprite of the item's entry (its
    // "sprite") on the bar, twice for 0.3 s, gone after 1.2 s; a second
    // item replaces the first's icon.
    void ShowItemIcon(VoPropertyList* apItem);

    bool IsMinimized() const { return fMinimized; }
    bool IsMaximizing() const { return fMaximizing; }
    bool IsMinimizing() const { return fMinimizing; }
    bool IsBlinking() const { return fBlinking; }
    bool IsDragging() const { return fDragging; }
    // Owned by the bar's "layout" while shown; null otherwise.
    VoSprite* GetItemIcon() const { return fIconShown ? fpIcon : nullptr; }
    bool IsListeningToFrames() const { return fInFrames; }
    // The built parts; null until built.
    VoDisplayGroup* GetGroups() const { return fpGroups; }
    VoDisplayGroup* GetLayout() const { return fpLayout; }
    VoDisplayGroup* GetBlinkers() const { return fpBlinkers; }
    VoSprite* GetBlinker(int aIndex) const;
    VoButton* GetMoveButton() const { return fpMove; }
    VoButton* GetMaximizeButton() const { return fpMaximize; }
    const VoVector2& GetPlace() const { return fPlace; }
    // Owned until its sound ends; null when none plays.
    VoISoundPlayer* GetSound() const { return fpSound; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnButtonDown(int) override {}
    // Drags the bar while "move" is held.
    void OnMouseMove(const VoVector2* apPosition) override;
    // Ends a drag; in right-button mode a release of button 2 opens the PDA.
    void OnButtonUp(int aButton) override;
    void OnUpdate() override;
    void OnSoundEnd(const VoString& aName) override;

    VoString ToString() const override;

private:
    // Builds the bar once.
    void Create();
    void UpdateIcon(double aNow);
    void UpdateAnimation(double aNow);
    void UpdateBlink(double aNow);
    void DeleteIcon();
    // Registered with the frame manager exactly while the icon, an
    // animation or the blinking needs frames.
    void UpdateFrameListening();
    void ListenToMouse(bool aListen, float aOrder);
    void SetButtonsInMouse(bool aListen);
    void JoinDisplayRoot();
    void LeaveDisplayRoot();
    static bool RightButtonMode();
    static double Now();
    // The PDA window's place on the screen.
    static VoVector2 WindowPosition();

    bool fCreated;
    bool fMinimized;
    VoDisplayGroup* fpGroups;                   // owned; a member of the display root while shown
    VoDisplayGroup* fpLayout;                   // owned by fpGroups
    VoDisplayGroup* fpBlinkers;                 // owned by fpLayout
    VoSprite* fpBlinkerSprites[kBlinkerCount];  // owned by fpBlinkers
    VoButton* fpMove;                           // owned by fpLayout
    VoButton* fpMaximize;                       // owned by fpLayout
    float fScale;
    VoVector2 fPlace;
    VoVector2 fFirstPlace;
    VoVector2 fFarPoint;
    VoVector2 fCurrent;
    double fStartTime;
    bool fDragging;
    VoVector2 fDragOffset;
    bool fMaximizing;
    bool fMinimizing;
    float fBlend;
    int fBlinkIndex;
    bool fBlinking;
    double fBlinkEnd;
    double fBlinkInterval;
    double fNextToggle;
    VoSprite* fpIcon;  // owned by fpLayout while shown
    bool fIconShown;
    double fIconToggleTime;
    int fIconToggles;
    VoISoundPlayer* fpSound;  // owned
    bool fInMouse;            // the bar's own mouse listener is registered
    bool fButtonsInMouse;     // "move" and "maximize" are registered
    bool fInFrames;           // registered with the frame manager
    bool fInRoot;             // fpGroups is a member of the display root
};
