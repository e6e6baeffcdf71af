#include "pda/MGPDAMinimized.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPDAMinimized, MGCleanerHome> gInstance;

}  // namespace

MGPDAMinimized* MGPDAMinimized::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPDAMinimized(); }, kCreationFailure);
}

bool MGPDAMinimized::Maximize(bool) {
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->Open();
    }
    return false;
}

VoString MGPDAMinimized::ToString() const {
    return VoDebugString("MGPDAMinimized", this);
}
