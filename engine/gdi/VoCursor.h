#pragma once
// The pointer the player sees, drawn by the display tree: a set of named
// looks (cursor states), each a display object, inside the group
// "cursorgroup", which sits above every other display object (relative z
// 10000 in the display manager's root) and follows the mouse. Exactly one
// state's object is shown at a time; the game supplies the looks and picks
// the state.
//
// The group's origin is the pointer position, so a look's own position and
// centre inside the group set its hot spot.
//
// The cursor listens to the engine mouse (order -1000, ahead of the other
// listeners) and never consumes an event nor locks the mouse. A component
// that locks the mouse for itself adds the cursor with VoMouse::AddLock so
// the cursor keeps following the pointer.
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "platform/VoIMouseListener.h"

class VoDisplayGroup;
class VoIDisplayObject;

class VoCursor : public VoBase, public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "VoCursor creation failure.";
    static constexpr const char* kAddStateNull = "AddState failure. Invalid arg.";
    static constexpr const char* kRemoveStateNull = "RemoveState failure. NULL arg.";
    static constexpr const char* kSetStateInvalid = "SetState failure. Invalid id:";
    static constexpr const char16_t* kGroupId = u"cursorgroup";
    static constexpr float kGroupZ = 10000.0f;
    static constexpr float kMouseOrder = -1000.0f;

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it (so late
    // callers during shut-down get no cursor instead of a new one).
    static VoCursor* GetInstance();

    // Makes "cursorgroup" and adds it to the display manager, registers with
    // the engine mouse and shows the cursor at the pointer.
    VoCursor();
    VoCursor(const VoCursor&) = delete;
    VoCursor& operator=(const VoCursor&) = delete;
    // Leaves the mouse and deletes "cursorgroup" with every look in it.
    ~VoCursor() override;

    VoString ToString() const override;

    // Adds the state and the object to "cursorgroup" as an owned member; the
    // result is the group's. A second state under one id is refused (an
    // assertion line) while its object still joins the group. When the group
    // refuses the object the state is not kept and the caller keeps the
    // object. Null is refused.
    bool AddState(const VoString& aId, VoIDisplayObject* apObject);
    // Takes the state out and its object out of the group, handing the object
    // (now the caller's) to *appObject. False when the id is absent.
    bool RemoveState(const VoString& aId, VoIDisplayObject** appObject);
    // Shows the state's object and hides every other state's. An unknown id
    // is logged and leaves the look as it was (false).
    bool SetState(const VoString& aId);
    // Shows or hides the cursor; showing puts it at the pointer at once.
    void SetActive(bool aActive);
    bool IsActive() const { return fActive; }
    // "cursorgroup" (owned); null when it could not be made.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    int GetStateCount() const { return fStates.GetCount(); }

    // Engine mouse events: a move takes the looks along.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

private:
    VoHashKeyList fStates;    // state id -> VoIDisplayObject (owned by fpGroup), in the order added
    VoDisplayGroup* fpGroup;  // owned; a member of the display manager's root while both exist
    bool fActive;
    bool fInMouse;  // registered with the engine mouse
};
