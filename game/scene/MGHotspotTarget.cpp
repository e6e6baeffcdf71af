#include "scene/MGHotspotTarget.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"

MGHotspotTarget::MGHotspotTarget() : MGHotspot(kTarget), fpData(VO_NEW MGTargetHotspotData()) {
    SetTypeData(fpData);
}

bool MGHotspotTarget::ReadEntry(VoPropertyList* apEntry) {
    MGHotspot::ReadEntry(apEntry);
    VoPropertyList* data =
        ReadTypeData(apEntry, u"typedata.target", fpData, kTypeDataNotFound, kEnabledNotFound);
    if (data == nullptr) {
        return true;
    }
    bool found = false;
    fpData->fSatisfiedItems = data->GetVectorString(VoString(u"satisfied"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kSatisfiedNotFound);
    }
    fpData->fDoneEvents = data->GetVectorString(VoString(u"doneevents"), &found);
    fpData->fStateChanges = data->GetVectorString(VoString(u"statechanges"), &found);
    return true;
}

void MGHotspotTarget::UpdateCursor() {
    UpdateItemTargetCursor();
}

void MGHotspotTarget::RestoreInput() {
    if (!IsInCloseUp()) {
        SetSceneInput(true);
        SetMouseLocked(false);
    }
    if (MGCursor* cursor = Cursor()) {
        cursor->SetActive(true);
    }
}

void MGHotspotTarget::CheckTargetSatisfied() {
    MGCursor* cursor = Cursor();
    if (!IsInCloseUp()) {
        SetSceneInput(false);
    }
    const int look = cursor != nullptr ? cursor->GetCurrentId() : MGCursor::kDefault;
    if (look != MGCursor::kItem && look != MGCursor::kItemHighlighted) {
        if (!IsInCloseUp()) {
            SetMouseLocked(true);
        }
        if (cursor != nullptr) {
            cursor->SetActive(false);
        }
        if (!PlaySound(kLookList)) {
            RestoreInput();
        }
        return;
    }
    const VoString item = cursor->GetItemId();
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kUsedPrefix) + item + u"_" + GetId(), true);
    }
    const bool satisfied = fpData != nullptr && fpData->fSatisfiedItems.Contains(item);
    if (!IsInCloseUp()) {
        SetMouseLocked(true);
    }
    cursor->SetActive(false);
    const int list = satisfied ? kSatisfiedList : kUnsatisfiedList;
    bool cutScene = false;
    if (!PlaySound(list)) {
        cutScene = PlayCutScene(list);
        if (!cutScene) {
            RestoreInput();
        }
    }
    cursor->SetBaseCursor(MGCursor::kDefault);
    cursor->ResetCursor(VoString());
    if (!satisfied || fpData == nullptr) {
        return;
    }
    if (cutScene) {
        // The results wait for the movie's end.
        if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
            player->AddDoneEvents(fpData->fDoneEvents);
            player->AddDoneStates(fpData->fStateChanges);
        }
        return;
    }
    ApplyResults(&fpData->fDoneEvents, &fpData->fStateChanges);
}
