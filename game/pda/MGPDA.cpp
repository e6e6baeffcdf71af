#include "pda/MGPDA.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "pda/MGIPDAListener.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPDA, MGCleanerHome> gInstance;

}  // namespace

MGPDA* MGPDA::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPDA(); }, kCreationFailure);
}

void MGPDA::Minimize(bool) {
    if (!fOpen) {
        return;
    }
    fOpen = false;
    if (fpListener != nullptr) {
        fpListener->OnPDAEvent(MGIPDAListener::kMinimized);
    }
}

void MGPDA::RemoveListener(MGIPDAListener* apListener) {
    if (fpListener == apListener) {
        fpListener = nullptr;
    }
}

VoString MGPDA::ToString() const {
    return VoDebugString("MGPDA", this);
}
