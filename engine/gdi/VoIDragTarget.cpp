#include "gdi/VoIDragTarget.h"

#include "container/VoLog.h"
#include "gdi/VoDragManager.h"
#include "gdi/VoDraggable.h"
#include "gdi/VoIDisplayObject.h"
#include "geometry/VoPolygon.h"

VoIDragTarget::~VoIDragTarget() {
    if (VoDragManager* manager = VoDragManager::PeekInstance()) {
        manager->RemoveDragTarget(this);
    }
    fpBoundaryObject = nullptr;
}

bool VoIDragTarget::SetBoundaryObject(VoIDisplayObject* apObject) {
    if (apObject == nullptr) {
        VO_ERROR(kSetBoundaryNull);
        return false;
    }
    fpBoundaryObject = apObject;
    return true;
}

bool VoIDragTarget::SetDragged(VoDraggable* apDragged) {
    if (fpBoundaryObject == nullptr || apDragged == nullptr) {
        return false;
    }
    if (!fpBoundaryObject->GetEffectiveActive()) {
        return true;
    }
    fpBoundaryObject->Validate();
    // An object without a boundary contains nothing.
    VoPolygon boundary;
    if (!fpBoundaryObject->GetWorldBoundary(boundary)) {
        VO_ASSERT_FAILURE(kBoundaryFailure);
    }
    VoVector2 pointer;
    apDragged->GetLastMousePosition(pointer);
    const bool inside = boundary.ContainsPoint(pointer);
    const bool wasInside = fPointerOver;
    // Stored before the handler runs, which may remove or delete the target.
    fPointerOver = inside;
    if (wasInside && !inside) {
        OnDragEvent(kLeft, apDragged);
    } else if (!wasInside && inside) {
        OnDragEvent(kEntered, apDragged);
    }
    return true;
}

bool VoIDragTarget::Drop(VoDraggable* apDragged) {
    if (apDragged == nullptr) {
        return false;
    }
    if (fPointerOver) {
        OnDragEvent(kDropped, apDragged);
    }
    return true;
}
