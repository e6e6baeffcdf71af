#include "ui/MGMessageBox.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGMessageBox, MGCleanerHome> gInstance;

}  // namespace

MGMessageBox* MGMessageBox::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMessageBox(); }, kCreationFailure);
}

void MGMessageBox::Show(const VoString& aId, const VoVectorString& aLines, int, MGIMessageBoxListener*) {
    fId = aId;
    fLines = aLines;
    fShown = true;
}

VoString MGMessageBox::ToString() const {
    return VoDebugString("MGMessageBox", this);
}
