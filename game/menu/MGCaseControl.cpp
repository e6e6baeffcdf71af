#include "menu/MGCaseControl.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCaseControl, MGCleanerHome> gInstance;

}  // namespace

MGCaseControl* MGCaseControl::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCaseControl(); }, kCreationFailure);
}

VoString MGCaseControl::ToString() const {
    return VoDebugString("MGCaseControl", this);
}
