#include "multicursor/MGMultiCursor.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGMultiCursor, MGCleanerHome> gInstance;

}  // namespace

MGMultiCursor* MGMultiCursor::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMultiCursor(); }, kCreationFailure);
}

void MGMultiCursor::Hide(bool) {
    fShown = false;
}

VoString MGMultiCursor::ToString() const {
    return VoDebugString("MGMultiCursor", this);
}
