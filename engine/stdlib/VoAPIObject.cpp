#include "stdlib/VoAPIObject.h"

#include "object/VoRestoreManager.h"

// Every API object leaves the restore manager's list as it goes; one that was
// never registered (a scene node) has the manager log that it was not found.
// After the manager's end there is nothing to leave.
VoAPIObject::~VoAPIObject() {
    if (VoRestoreManager* restore = VoRestoreManager::GetInstance()) {
        restore->RemoveRestorable(this);
    }
}

bool VoAPIObject::SetId(const VoString& aId) {
    fId = aId;
    return true;
}
