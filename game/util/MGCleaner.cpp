#include "util/MGCleaner.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"

namespace {

// Owned by start-up, which deletes it before the engine's cleaner; cleared by
// the cleaner's destructor once its instances are gone.
VoCleaner* gCleaner = nullptr;

}  // namespace

MGCleaner* MGCleaner::GetInstance() {
    if (gCleaner == nullptr) {
        gCleaner = VO_NEW MGCleaner();
        if (gCleaner == nullptr) {
            VO_ERROR(kCreationFailure);
        }
    }
    return static_cast<MGCleaner*>(gCleaner);
}

MGCleaner* MGCleaner::PeekInstance() {
    return static_cast<MGCleaner*>(gCleaner);
}

MGCleaner::MGCleaner() : VoCleaner(&gCleaner) {}

VoString MGCleaner::ToString() const {
    return VoDebugString("MGCleaner", this);
}

VoCleaner* MGCleanerHome::GetInstance() {
    return gCleaner != nullptr ? gCleaner : MGCleaner::GetInstance();
}
