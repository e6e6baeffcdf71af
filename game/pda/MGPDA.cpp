#include "pda/MGPDA.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPDA, MGCleanerHome> gInstance;

}  // namespace

MGPDA* MGPDA::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPDA(); }, kCreationFailure);
}

void MGPDA::RemoveListener(MGIPDAListener* apListener) {
    if (fpListener == apListener) {
        fpListener = nullptr;
    }
}

VoString MGPDA::ToString() const {
    return VoDebugString("MGPDA", this);
}
