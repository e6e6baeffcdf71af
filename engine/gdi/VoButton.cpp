#include "gdi/VoButton.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoMouse.h"

namespace {
constexpr int kPrimaryButton = 1;
}  // namespace

VoButton::VoButton()
    : fPressed(false),
      fButtonEnabled(true),
      fHilighted(false),
      fPointerOver(false),
      fpListener(nullptr),
      fState(XBTNSTATE_NORMAL),
      fStateDirty(true),
      fShowPending(true),
      fStateObjects(kStateCount),
      fpCurrentObject(nullptr),
      fInMouse(false) {}

VoButton::~VoButton() {
    if (fInMouse) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            // A lock the button still holds (a dragged scroll bar whose owner
            // went first) would leave the mouse calling a deleted listener.
            mouse->Unlock(this);
            mouse->RemoveListener(this);
        }
        fInMouse = false;
    }
    fpListener = nullptr;
    fpCurrentObject = nullptr;
    // The group's destructor deletes the state objects; the table forgets them first.
    fStateObjects.Clear();
}

VoString VoButton::ToString() const {
    return VoDebugString("VoButton", this);
}

bool VoButton::AddButtonStateObject(XBTNSTATE aState, VoIDisplayObject* apObject) {
    if (fStateObjects.Contains(static_cast<std::uint32_t>(aState))) {
        VO_ERROR(kStateDefined, static_cast<int>(aState));
        return false;
    }
    if (!fStateObjects.Add(static_cast<std::uint32_t>(aState), apObject)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    if (!AddMember(apObject, true)) {
        // Not the group's: the caller keeps it, and the table must not name it.
        void* removed = nullptr;
        fStateObjects.Remove(static_cast<std::uint32_t>(aState), &removed);
        VO_ASSERT_FAILURE("");
        return false;
    }
    // A new object is shown at once unless the state is worked out again.
    fStateDirty = true;
    return true;
}

bool VoButton::RemoveButtonStateObject(XBTNSTATE aState, VoIDisplayObject** appObject) {
    if (appObject == nullptr || *appObject != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    void* removed = nullptr;
    if (!fStateObjects.Remove(static_cast<std::uint32_t>(aState), &removed)) {
        VO_ERROR(kRemoveStateFailure);
        return false;
    }
    *appObject = static_cast<VoIDisplayObject*>(removed);
    if (aState == fState || *appObject == fpCurrentObject) {
        fStateDirty = true;
    }
    return true;
}

VoIDisplayObject* VoButton::GetStateObject(XBTNSTATE aState) const {
    void* object = nullptr;
    if (!fStateObjects.Get(static_cast<std::uint32_t>(aState), &object)) {
        return nullptr;
    }
    return static_cast<VoIDisplayObject*>(object);
}

void VoButton::ForgetStateObject(const VoIDisplayObject* apObject) {
    if (apObject == nullptr) {
        return;
    }
    for (int state = 0; state < kStateCount; ++state) {
        if (GetStateObject(static_cast<XBTNSTATE>(state)) == apObject) {
            void* removed = nullptr;
            fStateObjects.Remove(static_cast<std::uint32_t>(state), &removed);
            fStateDirty = true;
        }
    }
    if (fpCurrentObject == apObject) {
        fpCurrentObject = nullptr;
        fStateDirty = true;
    }
}

bool VoButton::RemoveMember(VoIDisplayObject* apMember) {
    const bool removed = VoDisplayGroup::RemoveMember(apMember);
    if (removed) {
        ForgetStateObject(apMember);
    }
    return removed;
}

bool VoButton::RemoveMember(const VoString& aId, VoIDisplayObject** appMember) {
    VoIDisplayObject* member = nullptr;
    if (!VoDisplayGroup::RemoveMember(aId, &member)) {
        return false;
    }
    ForgetStateObject(member);
    if (appMember != nullptr) {
        *appMember = member;
    }
    return true;
}

bool VoButton::SetListener(VoIButtonListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kSetListenerNull);
        return false;
    }
    if (fpListener != nullptr) {
        VO_ERROR(kSetListenerDefined);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool VoButton::RemoveListener() {
    fpListener = nullptr;
    return true;
}

bool VoButton::SetMouseOrder(VoIButtonListener* apListener, float aOrder) {
    bool result = true;
    if (apListener != nullptr) {
        result = SetListener(apListener);
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr || !mouse->AddListener(this, aOrder)) {
        return false;
    }
    fInMouse = true;
    return result;
}

bool VoButton::ChangeMouseOrder(float aOrder) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return false;
    }
    mouse->RemoveListener(this);
    fInMouse = mouse->AddListener(this, aOrder);
    return fInMouse;
}

bool VoButton::SetEnabled(bool aEnabled) {
    const bool result = VoDisplayGroup::SetEnabled(aEnabled);
    if (!aEnabled && fButtonEnabled) {
        fButtonEnabled = false;
        fStateDirty = true;
        NotifyListener(VoIButtonListener::kDisabled);
    } else if (aEnabled && !fButtonEnabled) {
        fPressed = false;
        fPointerOver = false;
        fButtonEnabled = true;
        fStateDirty = true;
        NotifyListener(VoIButtonListener::kEnabled);
    }
    return result;
}

bool VoButton::SetHilighted(bool aHilighted) {
    if (aHilighted != fHilighted) {
        fHilighted = aHilighted;
        fStateDirty = true;
    }
    return true;
}

void VoButton::ResetMouseState() {
    fPressed = false;
    fPointerOver = false;
}

XBTNSTATE VoButton::GetState() {
    if (!fStateDirty) {
        return fState;
    }
    if (!fButtonEnabled) {
        fState = fHilighted ? XBTNSTATE_HILIGHTED : XBTNSTATE_DISABLED;
    } else if (!fPointerOver) {
        // Held down with the pointer moved off: the resting look.
        fState = fHilighted ? XBTNSTATE_HILIGHTED : XBTNSTATE_NORMAL;
    } else if (fPressed) {
        fState = XBTNSTATE_DOWN;
    } else {
        fState = fHilighted ? XBTNSTATE_HILIGHTED_OVER : XBTNSTATE_OVER;
    }
    fStateDirty = false;
    fShowPending = true;
    return fState;
}

VoIDisplayObject* VoButton::GetObject() {
    const XBTNSTATE state = GetState();
    VoIDisplayObject* object = GetStateObject(state);
    if (object == nullptr && state == XBTNSTATE_HILIGHTED_OVER) {
        object = GetStateObject(XBTNSTATE_HILIGHTED);
    }
    if (object == nullptr) {
        object = GetStateObject(XBTNSTATE_NORMAL);
    }
    if (object == nullptr) {
        VO_ERROR(kGetObjectFailure);
    }
    return object;
}

void VoButton::UpdateState() {
    if (fStateDirty || fShowPending) {
        fpCurrentObject = GetObject();
        if (fpCurrentObject == nullptr) {
            VO_ASSERT_FAILURE("");
        }
        for (int state = 0; state < kStateCount; ++state) {
            VoIDisplayObject* object = GetStateObject(static_cast<XBTNSTATE>(state));
            if (object != nullptr && object != fpCurrentObject) {
                object->SetActive(false);
            }
        }
        if (fpCurrentObject != nullptr) {
            fpCurrentObject->SetActive(true);
        }
        fShowPending = false;
    }
    VoIDisplayObject::Validate();
}

bool VoButton::HitTest(const VoVector2& aScreenPoint) {
    // Shown first, so the object asked is the one the player sees.
    if (fStateDirty || fShowPending) {
        UpdateState();
    }
    return fpCurrentObject != nullptr && fpCurrentObject->HitTest(aScreenPoint);
}

bool VoButton::Render(VoRenderer* apRenderer) {
    if (GetTrackRender()) {
        VO_ERROR(kTrackRender, GetId());
    }
    UpdateState();
    bool result = VoDisplayGroup::Render(apRenderer);
    if (!GetEffectiveActive() || !GetEffectiveVisible() || fpCurrentObject == nullptr) {
        return false;
    }
    // The group drew the shown object among its members; one that has left
    // the group is drawn here so the button still shows it.
    if (fpCurrentObject->GetGroup() != this) {
        result = fpCurrentObject->Render(apRenderer) && result;
    }
    return result;
}

bool VoButton::HearsMouse() {
    return GetEffectiveActive() && GetEffectiveEnabled();
}

void VoButton::OnButtonDown(int aButton) {
    if (aButton != kPrimaryButton || !HearsMouse() || !fPointerOver || fPressed) {
        return;
    }
    fPressed = true;
    fStateDirty = true;
    if (fButtonEnabled) {
        NotifyListener(VoIButtonListener::kPressed);
    }
}

void VoButton::OnMouseMove(const VoVector2* apPosition) {
    if (apPosition == nullptr || !HearsMouse()) {
        return;
    }
    if (IsTransformDirty()) {
        RecomputeTransform();
    }
    const bool hit = HitTest(*apPosition);
    if (hit && !fPointerOver) {
        fPointerOver = true;
        fStateDirty = true;
        NotifyListener(VoIButtonListener::kEntered);
    } else if (!hit && fPointerOver) {
        fPointerOver = false;
        fStateDirty = true;
        NotifyListener(VoIButtonListener::kLeft);
    }
}

void VoButton::OnButtonUp(int aButton) {
    if (aButton != kPrimaryButton || !HearsMouse() || !fPressed) {
        return;
    }
    fPressed = false;
    fStateDirty = true;
    if (!fPointerOver) {
        NotifyListener(VoIButtonListener::kReleasedOutside);
    } else if (fButtonEnabled) {
        NotifyListener(VoIButtonListener::kClick);
    }
}

void VoButton::NotifyListener(int aCode) {
    if (fpListener != nullptr) {
        fpListener->OnButtonEvent(GetId(), aCode);
    }
}
