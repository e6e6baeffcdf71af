#include "ui/MGMessageBox.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "ui/MGIMessageBoxListener.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGMessageBox, MGCleanerHome> gInstance;

}  // namespace

MGMessageBox* MGMessageBox::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMessageBox(); }, kCreationFailure);
}

void MGMessageBox::Show(const VoString& aId, const VoString& aText, int aKind,
                        MGIMessageBoxListener* apListener) {
    fId = aId;
    fText = aText;
    fKind = aKind;
    fpListener = apListener;
    fShown = true;
}

bool MGMessageBox::Answer(int aCode) {
    if (!fShown) {
        return false;
    }
    fShown = false;
    MGIMessageBoxListener* listener = fpListener;
    fpListener = nullptr;
    if (listener != nullptr) {
        listener->OnMessageBoxResult(fId, aCode);
    }
    return true;
}

VoString MGMessageBox::ToString() const {
    return VoDebugString("MGMessageBox", this);
}
