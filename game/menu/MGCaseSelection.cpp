#include "menu/MGCaseSelection.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCaseSelection, MGCleanerHome> gInstance;

}  // namespace

MGCaseSelection* MGCaseSelection::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCaseSelection(); }, kCreationFailure);
}

VoString MGCaseSelection::ToString() const {
    return VoDebugString("MGCaseSelection", this);
}
