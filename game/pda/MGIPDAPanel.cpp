#include "pda/MGIPDAPanel.h"

#include "container/VoDebugString.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"

MGIPDAPanel::MGIPDAPanel(const VoString& aId, VoDisplayGroup* apParent)
    : fpGroup(VO_NEW VoDisplayGroup()), fId(aId), fShown(false) {
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetId(aId);
    fpGroup->SetActive(false);
    if (apParent != nullptr) {
        // A refused group stays the panel's alone: the panel works, unseen.
        apParent->AddMember(fpGroup, true);
    }
}

MGIPDAPanel::~MGIPDAPanel() {
    delete fpGroup;
}

bool MGIPDAPanel::Hide() {
    if (fpGroup == nullptr || !fpGroup->SetActive(false)) {
        return false;
    }
    fShown = false;
    return true;
}

bool MGIPDAPanel::Show() {
    if (fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
    fShown = true;
    return true;
}

VoString MGIPDAPanel::ToString() const {
    return VoDebugString("MGIPDAPanel", this);
}
