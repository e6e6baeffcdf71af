#include "pda/MGInventorySpace.h"

#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDragManager.h"
#include "gdi/VoDraggable.h"
#include "gdi/VoIDisplayObject.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventorySubpanel.h"

MGInventorySpace::MGInventorySpace(int aIndex) : fIndex(aIndex), fpSubpanel(nullptr), fpItem(nullptr) {}

MGInventorySpace::~MGInventorySpace() {
    delete fpItem;
}

bool MGInventorySpace::Create(MGInventorySubpanel* apSubpanel, VoIDisplayObject* apBoundary) {
    if (apSubpanel == nullptr || apBoundary == nullptr) {
        VO_ERROR(kCreateNull);
        return false;
    }
    fpSubpanel = apSubpanel;
    VoDragManager* drags = VoDragManager::GetInstance();
    return drags != nullptr && drags->AddDragTarget(this) && SetBoundaryObject(apBoundary);
}

VoVector2 MGInventorySpace::GetPlace() const {
    VoIDisplayObject* boundary = GetBoundaryObject();
    return boundary != nullptr ? boundary->GetPosition() : VoVector2();
}

bool MGInventorySpace::SetItem(MGInventoryItem* apItem) {
    if (apItem == nullptr) {
        VO_ERROR(kSetItemNull);
        return false;
    }
    if (fpItem != nullptr) {
        VO_ERROR(kSetItemFilled);
        return false;
    }
    fpItem = apItem;
    if (VoDisplayGroup* group = apItem->GetGroup()) {
        group->SetPosition(GetPlace());
    }
    apItem->UpdateActive();
    return true;
}

bool MGInventorySpace::RemoveItem(MGInventoryItem** appItem) {
    if (fpItem == nullptr) {
        VO_ERROR(kRemoveItemNone);
        return false;
    }
    if (appItem != nullptr) {
        *appItem = fpItem;
    }
    fpItem = nullptr;
    return true;
}

void MGInventorySpace::OnDragEvent(int aCode, VoDraggable* apDragged) {
    if (fpSubpanel == nullptr) {
        return;
    }
    switch (aCode) {
        case kEntered:
            if (fpItem == nullptr) {
                fpSubpanel->ActivateGlow(this, GetPlace());
            }
            return;
        case kLeft:
            fpSubpanel->DeactivateGlow(this);
            return;
        case kDropped: {
            MGInventoryItem* item = dynamic_cast<MGInventoryItem*>(apDragged);
            if (fpItem != nullptr || item == nullptr) {
                return;
            }
            fpSubpanel->DeactivateGlow(this);
            // Moved only once it has left its old space: an item is never
            // held by two spaces.
            MGInventorySpace* home = fpSubpanel->FindSpace(item->GetItemId());
            MGInventoryItem* removed = nullptr;
            if (home == nullptr || home->GetItem() != item ||
                !fpSubpanel->RemoveItemById(item->GetItemId(), &removed)) {
                return;
            }
            if (fpSubpanel->AddItemToSpace(item, this)) {
                item->SetDropAccepted(true);
            } else {
                fpSubpanel->AddItemToSpace(item, home);
            }
            return;
        }
        default:
            return;
    }
}
