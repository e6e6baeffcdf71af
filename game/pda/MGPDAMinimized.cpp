#include "pda/MGPDAMinimized.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPDAMinimized, MGCleanerHome> gInstance;

}  // namespace

MGPDAMinimized* MGPDAMinimized::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPDAMinimized(); }, kCreationFailure);
}

VoString MGPDAMinimized::ToString() const {
    return VoDebugString("MGPDAMinimized", this);
}
