#pragma once
// Scrolls a content group behind a fixed viewing area. Not a display object
// itself: it drives three buttons of a layout (an up arrow, a down arrow and
// the bar, or thumb) by listening to their events, moves the bar along its
// track and the content group along the scroll axis (y, or x for a
// horizontal bar), and tells one listener the new scroll position, from 0
// to the maximum scroll (content length - visible length).
//
// An arrow held down steps once at once, a second time 0.3 s later and then
// every 0.03 s (at most once per frame) while the pointer stays on it. A
// dragged bar locks the engine mouse to itself and the engine cursor; the
// content follows the bar in proportion. Float-to-int conversions truncate
// toward zero.
//
// Only one part (arrow or bar) of one kind is held at a time across all
// scroll bars: while a part of one kind is held, presses and releases of the
// other kinds are ignored by every scroll bar. Each scroll bar tells its
// listener every change of its own position.
//
// The three buttons are registered with the engine mouse by their owner and
// must outlive the scroll bar.
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "stdlib/VoIFrameListener.h"

class VoButton;
class VoDisplayGroup;
class VoITimer;

// What VoScrollBar::Create needs; the lengths are pixels along the axis.
struct VoScrollBarDesc {
    VoButton* fpDownArrow = nullptr;  // not owned; required
    VoButton* fpUpArrow = nullptr;    // not owned; required
    VoButton* fpBar = nullptr;        // not owned; required
    int fBarHeight = 0;
    int fBarAreaHeight = 0;
    int fContentHeight = 0;
    // Where the content group sits at scroll position 0.
    VoVector2 fContentStart;
    int fScrollAreaHeight = 0;
    // Pixels per arrow step.
    int fScrollIncrement = 0;
    bool fHorizontal = false;
};

// Told the new scroll position of a scroll bar.
class VoIScrollBarListener {
public:
    virtual ~VoIScrollBarListener() = default;
    // The scroll bar goes on working after the call: it must not be deleted from here.
    virtual void OnScroll(int aPosition) = 0;
};

class VoScrollBar : public VoIButtonListener, public VoIFrameListener {
public:
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kSetContentGroupNull = "SetContentGroup failure. NULL arg.";

    // Seconds between repeated arrow steps, and before the first repeat.
    static constexpr double kRepeatInterval = 0.03;
    static constexpr double kFirstRepeatDelay = 0.3;
    // The frame-manager order while an arrow is held or the bar dragged.
    static constexpr float kFrameOrder = 0.0f;

    // The parts, for the capture shared by all scroll bars.
    static constexpr int kPartNone = 0;
    static constexpr int kPartUpArrow = 1;
    static constexpr int kPartDownArrow = 2;
    static constexpr int kPartBar = 3;

    // Create takes the engine timer.
    VoScrollBar();
    // Create takes apTimer (not owned, outlives the scroll bar) instead.
    explicit VoScrollBar(VoITimer* apTimer);
    VoScrollBar(const VoScrollBar&) = delete;
    VoScrollBar& operator=(const VoScrollBar&) = delete;
    // Ends a hold or a drag (unlocking the mouse), leaves the frame manager
    // and stops listening to its buttons.
    ~VoScrollBar() override;

    // Becomes the listener of the three buttons (a button that has another
    // keeps it; the refusal is logged), notes the bar's rest position and
    // the sizes, and places bar and content for position 0. False, nothing
    // changed, when a button is missing.
    bool Create(const VoScrollBarDesc& aDesc);
    // Not owned; placed at once.
    bool SetContentGroup(VoDisplayGroup* apContent);
    // Content that fits (maximum scroll below 1) disables the arrows and the
    // bar; otherwise they are enabled. The bar keeps its place in its track
    // and the content moves to the matching position.
    void SetContentHeight(int aHeight);
    // Not owned; null allowed. Always true.
    bool SetListener(VoIScrollBarListener* apListener);
    // Forgets the listener only when it is the one given.
    bool RemoveListener(VoIScrollBarListener* apListener);

    // One increment, within 0 .. the maximum scroll.
    void ScrollUp();
    void ScrollDown();
    void ScrollToTop();
    // 0 (top) to 1 (end); outside values and NaN are brought into that range.
    void SetScrollFraction(float aFraction);

    int GetMaxScroll() const { return fMaxScroll; }
    int GetScrollPosition() const { return fPosition; }
    int GetBarOffset() const { return fBarOffset; }
    bool IsDragging() const { return fDragging; }
    // The part held across all scroll bars (kPart...).
    static int GetCapturedPart();

    // The three buttons' events.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // Each frame while a part is held: arrow repeat, then the drag.
    void OnUpdate() override;

    // "[VoScrollBar <" + address + ">]".
    VoString ToString() const;

private:
    void OnUpArrowEvent(int aCode);
    void OnDownArrowEvent(int aCode);
    void OnBarEvent(int aCode);
    // Holds an arrow: a step at the next frame, then the repeat.
    void HoldArrow(bool* apHeld, int aPart);
    void ReleaseArrow(bool* apHeld);
    // Whether aButton is one of ours with that id.
    static bool Names(VoButton* apButton, const VoString& aId);
    // Stops listening to the buttons that still have this scroll bar as listener.
    void DetachButtons();
    // Ends whatever this scroll bar holds: the destructor, and a held part
    // whose button is disabled or hidden (its release would never come).
    void EndCapture();
    void JoinFrames();
    void LeaveFrames();
    // Whether the held parts' buttons can still hear their release.
    bool HeldPartsHearMouse();
    // aOffset within 0 .. the travel.
    int ClampOffset(long long aOffset) const;

    void UpdateArrowRepeat();
    void UpdateDrag();
    // Places the bar at its rest position + aDelta (pixels the pointer moved
    // since the drag began) and the content to match.
    void SetBarOffset(int aDelta);
    void UpdateBarFromPosition();
    // Places bar and content and tells the listener a changed position.
    void ApplyPosition();
    void NotifyListener();
    double Now() const;
    // The coordinate along the scroll axis.
    float Along(const VoVector2& aPoint) const { return fHorizontal ? aPoint.x : aPoint.y; }
    // aPoint moved by aDistance along the axis.
    VoVector2 MovedAlong(const VoVector2& aPoint, float aDistance) const;

    bool fHorizontal;
    VoDisplayGroup* fpContent;  // not owned
    VoButton* fpBar;            // not owned
    bool fDragging;
    VoButton* fpUpArrow;  // not owned
    bool fUpHeld;
    bool fOverUpArrow;
    VoButton* fpDownArrow;  // not owned
    bool fDownHeld;
    bool fOverDownArrow;
    bool fFirstStepPending;
    // Seconds of the timer, kept whole: a float's step grows coarse after
    // hours of play.
    double fNextStepTime;
    VoITimer* fpTimer;                 // not owned
    bool fTimerGiven;                  // the constructor named the timer
    VoIScrollBarListener* fpListener;  // not owned
    int fBarOffset;
    int fBarAreaHeight;
    int fBarHeight;
    int fDragStartCoordinate;
    VoVector2 fBarRest;
    VoVector2 fDragStartPointer;
    int fContentHeight;
    VoVector2 fContentStart;
    int fTravel;
    int fMaxScroll;
    float fFraction;
    int fPosition;
    int fScrollIncrement;
    int fScrollAreaHeight;
    // The position this scroll bar last told (-1 before the first).
    int fLastTold;
    bool fInFrames;  // registered with the frame manager
};
