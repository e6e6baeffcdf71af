#include "pda/MGPhone.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPhone, MGCleanerHome> gInstance;

}  // namespace

MGPhone* MGPhone::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPhone(); }, kCreationFailure);
}

VoString MGPhone::ToString() const {
    return VoDebugString("MGPhone", this);
}
