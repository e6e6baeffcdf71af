#include "gdi/VoCursor.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoIDisplayObject.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoCursor> gInstance;
constexpr int kHashShift = 7;
// A handful of looks.
constexpr int kStateCapacity = 10;
}  // namespace

VoCursor* VoCursor::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoCursor(); }, kCreationFailure);
}

VoCursor::VoCursor()
    : fStates(kHashShift, false, kStateCapacity),
      fpGroup(VO_NEW VoDisplayGroup()),
      fActive(false),
      fInMouse(false) {
    if (fpGroup != nullptr) {
        fpGroup->SetId(VoString(kGroupId));
        fpGroup->SetRelativeZ(kGroupZ);
        if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
            display->AddMember(fpGroup);
        }
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        fInMouse = mouse->AddListener(this, kMouseOrder);
    }
    SetActive(true);
}

VoCursor::~VoCursor() {
    if (fInMouse) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
        fInMouse = false;
    }
    // Leaves the root on its way out.
    delete fpGroup;
    fpGroup = nullptr;
    fStates.Clear();
}

VoString VoCursor::ToString() const {
    return VoDebugString("VoCursor", this);
}

bool VoCursor::AddState(const VoString& aId, VoIDisplayObject* apObject) {
    if (apObject == nullptr) {
        VO_ERROR(kAddStateNull);
        return false;
    }
    const int count = fStates.GetCount();
    fStates.Add(aId, apObject, true);
    // The empty id hashes to 0 too: the count tells whether the state went in.
    const bool added = fStates.GetCount() == count + 1;
    if (!added) {
        VO_ASSERT_FAILURE("");
    }
    if (fpGroup == nullptr || !fpGroup->AddMember(apObject, true)) {
        // The caller keeps the object, so no state may name it.
        if (added) {
            fStates.Remove(aId, nullptr);
        }
        return false;
    }
    return true;
}

bool VoCursor::RemoveState(const VoString& aId, VoIDisplayObject** appObject) {
    if (appObject == nullptr) {
        VO_ERROR(kRemoveStateNull);
        return false;
    }
    void* item = nullptr;
    if (fStates.IndexOf(aId) < 0 || !fStates.Remove(aId, &item)) {
        return false;
    }
    VoIDisplayObject* object = static_cast<VoIDisplayObject*>(item);
    *appObject = object;
    return fpGroup != nullptr && fpGroup->RemoveMember(object);
}

bool VoCursor::SetState(const VoString& aId) {
    if (fStates.IndexOf(aId) < 0) {
        VO_ERROR(kSetStateInvalid, aId);
        return false;
    }
    const int count = fStates.GetCount();
    if (count == 0) {
        return false;
    }
    void* wanted = fStates.Get(aId);
    bool result = true;
    for (int i = 0; i < count; ++i) {
        VoIDisplayObject* object = static_cast<VoIDisplayObject*>(fStates.GetAt(i));
        if (object != nullptr) {
            result = object->SetActive(object == wanted) && result;
        }
    }
    return result;
}

void VoCursor::SetActive(bool aActive) {
    if (aActive == fActive) {
        return;
    }
    fActive = aActive;
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetActive(aActive);
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        VoVector2 position;
        fpGroup->SetPosition(mouse->GetPosition(position));
    }
}

void VoCursor::OnButtonDown(int /*aButton*/) {}

void VoCursor::OnMouseMove(const VoVector2* apPosition) {
    if (apPosition != nullptr && fpGroup != nullptr) {
        fpGroup->SetPosition(*apPosition);
    }
}

void VoCursor::OnButtonUp(int /*aButton*/) {}
