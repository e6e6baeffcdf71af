#pragma once
// The engine's clickable widget: a display group that holds one display
// object per visual state, shows exactly one of them, listens to the engine
// mouse and tells one listener (VoIButtonListener) what happens to it.
//
// The state objects are members of the button's group, which owns them.
// Which one is shown follows from the button's flags (enabled, hilighted,
// pointer over, pressed); a state without an object falls back to the
// hilighted object (for "hilighted and over") or to the normal one, so a
// button with only a normal object always shows it.
//
// The button reacts to mouse button 1 only and never consumes an event: the
// listeners after it in the engine mouse's order hear the same events. It
// reacts only while it is effectively active and enabled as a display object.
// A press and a release on the button give a click; pressing on it, leaving
// it and releasing gives pressed, left, released outside.
#include "container/VoTableUInt.h"
#include "gdi/VoDisplayGroup.h"
#include "platform/VoIMouseListener.h"

class VoIButtonListener;

// The visual states, written in layouts as "x", "d", "h", "ho", "n" and "o".
enum XBTNSTATE {
    XBTNSTATE_DISABLED = 0,
    XBTNSTATE_DOWN = 1,
    XBTNSTATE_HILIGHTED = 2,
    XBTNSTATE_HILIGHTED_OVER = 3,
    XBTNSTATE_NORMAL = 4,
    XBTNSTATE_OVER = 5,
};

class VoButton : public VoDisplayGroup, public VoIMouseListener {
public:
    static constexpr int kStateCount = 6;

    static constexpr const char* kStateDefined = "AddButtonStateObject failed. aState already defined: ";
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kRemoveStateFailure = "RemoveButtonStateObject failure.";
    static constexpr const char* kSetListenerNull = "SetListener failure. apListener not defined.";
    static constexpr const char* kSetListenerDefined =
        "SetListener failure. Listener already defined. Remove first.";
    static constexpr const char* kGetObjectFailure = "GetObject failure. XBTNSTATE_NORMAL object undefined.";
    static constexpr const char* kTrackRender = "TRACK RENDER:";

    VoButton();
    // Leaves the engine mouse (ending a lock the button holds first, so the
    // mouse never calls a deleted listener), forgets the listener, then the
    // group deletes the state objects.
    ~VoButton() override;

    VoString ToString() const override;

    // Resolves and shows the state object, then draws the members, among
    // them the shown object, once. False when the button is not effectively
    // active and visible or shows nothing.
    bool Render(VoRenderer* apRenderer) override;
    // The display object's own flag (its result is returned) and the
    // button's: disabling sends kDisabled; enabling clears a pending press
    // and the pointer-over flag and sends kEnabled. An unchanged value sends
    // nothing.
    bool SetEnabled(bool aEnabled) override;
    // Brings the shown object up to date first, then asks it; false without one.
    bool HitTest(const VoVector2& aScreenPoint) override;
    // A member that leaves the group (or is deleted) leaves the state table too.
    bool RemoveMember(VoIDisplayObject* apMember) override;
    bool RemoveMember(const VoString& aId, VoIDisplayObject** appMember) override;

    // Keys the object by the state and adds it to the group as an owned
    // member. False, nothing taken, when the state has an object already or
    // the group refuses the object (null, no id, an id in use, a member of
    // another group).
    bool AddButtonStateObject(XBTNSTATE aState, VoIDisplayObject* apObject);
    // Hands the state's object out through *appObject, which must hold null;
    // the object stays a member of the group.
    bool RemoveButtonStateObject(XBTNSTATE aState, VoIDisplayObject** appObject);
    // Null when the state has none.
    VoIDisplayObject* GetStateObject(XBTNSTATE aState) const;

    // Not owned. Null is refused, and so is a second listener (the same one
    // too) until RemoveListener.
    bool SetListener(VoIButtonListener* apListener);
    // Always true.
    bool RemoveListener();
    VoIButtonListener* GetListener() const { return fpListener; }
    // SetListener when a listener is given, then registers with the engine
    // mouse at aOrder; true when both steps succeeded.
    bool SetMouseOrder(VoIButtonListener* apListener, float aOrder);
    bool ChangeMouseOrder(float aOrder);

    bool IsEnabled() const { return fButtonEnabled; }
    bool IsHilighted() const { return fHilighted; }
    // Always true.
    bool SetHilighted(bool aHilighted);
    // Forgets a press and the pointer; the shown object changes with the next
    // change that flags the state.
    void ResetMouseState();
    void InvalidateState() { fStateDirty = true; }

    // The state the flags call for.
    XBTNSTATE GetState();
    // The object of that state, or its fallback; null (logged) when even the
    // normal object is missing.
    VoIDisplayObject* GetObject();
    // When the state changed: shows the state's object and hides the other
    // state objects. Then recomputes the button's own cached values.
    void UpdateState();
    // The object shown since the last UpdateState; null before the first.
    VoIDisplayObject* GetCurrentObject() const { return fpCurrentObject; }
    bool IsPressed() const { return fPressed; }
    bool IsPointerOver() const { return fPointerOver; }

    // Engine mouse events.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

private:
    // Tells the listener, if any. The last thing every caller does: the
    // listener may delete the button.
    void NotifyListener(int aCode);
    // Whether the button hears the mouse: effectively active and enabled.
    bool HearsMouse();
    // Drops every state entry that holds the object.
    void ForgetStateObject(const VoIDisplayObject* apObject);

    bool fPressed;
    bool fButtonEnabled;
    bool fHilighted;
    bool fPointerOver;
    VoIButtonListener* fpListener;  // not owned
    XBTNSTATE fState;
    bool fStateDirty;
    // Set whenever the state is worked out anew, cleared when the objects
    // shown follow it: a GetState between two UpdateStates must not leave
    // the old object shown.
    bool fShowPending;
    VoTableUInt fStateObjects;          // XBTNSTATE -> VoIDisplayObject*, owned by the group
    VoIDisplayObject* fpCurrentObject;  // not owned: a member of the group
    bool fInMouse;                      // registered with the engine mouse
};
