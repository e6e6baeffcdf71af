#include "gdi/VoDraggable.h"

#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDragManager.h"
#include "gdi/VoIDisplayObject.h"
#include "platform/VoMouse.h"

bool VoDraggable::SetDisplayObject(VoIDisplayObject* apObject) {
    if (apObject == nullptr) {
        VO_ERROR(kSetObjectNull);
        return false;
    }
    fpObject = apObject;
    return true;
}

bool VoDraggable::SetEnabled(bool aEnabled) {
    fEnabled = aEnabled;
    return true;
}

VoVector2 VoDraggable::PointerPosition() {
    VoVector2 position;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(position);
    }
    return position;
}

VoVector2 VoDraggable::GroupOrigin() const {
    VoVector2 origin;
    if (VoDisplayGroup* group = fpObject->GetGroup()) {
        group->GetWorldPosition(origin);
    }
    return origin;
}

bool VoDraggable::BeginDrag() {
    if (fpObject == nullptr) {
        return false;
    }
    fHeld = true;
    // Taken from the position itself (not the transformed origin, which lies
    // the centre away from it), so an object with a centre neither jumps at
    // the first move nor comes home displaced.
    fHome = fpObject->GetPosition();
    fOffset = PointerPosition() - GroupOrigin() - fHome;
    return true;
}

bool VoDraggable::UpdateDrag() {
    if (fpObject == nullptr) {
        return false;
    }
    if (!fEnabled) {
        return true;
    }
    if (!fMoving) {
        fMoving = fHeld;
    }
    if (!fMoving) {
        return true;
    }
    const VoVector2 pointer = PointerPosition();
    fpObject->SetPosition(pointer - GroupOrigin() - fOffset);
    fLastPointer = pointer;
    VoDragManager* manager = VoDragManager::GetInstance();
    return manager != nullptr && manager->DragMove(this);
}

bool VoDraggable::EndDrag() {
    if (fpObject == nullptr) {
        return false;
    }
    fHeld = false;
    if (!fMoving) {
        return true;
    }
    VoDragManager* manager = VoDragManager::GetInstance();
    const bool result = manager != nullptr && manager->Drop(this);
    fMoving = false;
    if (fDropAccepted) {
        fDropAccepted = false;
    } else {
        fpObject->SetPosition(fHome);
    }
    return result;
}
