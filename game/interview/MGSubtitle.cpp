#include "interview/MGSubtitle.h"

#include "container/VoDebugString.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"
#include "util/MGOptions.h"

namespace {

VoCleanerSingleton<MGSubtitle, MGCleanerHome> gInstance;

}  // namespace

MGSubtitle* MGSubtitle::GetInstance() {
    return gInstance.Get(
        [] {
            MGSubtitle* box = VO_NEW MGSubtitle();
            VoDisplayManager* display = VoDisplayManager::GetInstance();
            if (box != nullptr && (display == nullptr || !display->AddMember(box))) {
                delete box;
                return static_cast<MGSubtitle*>(nullptr);
            }
            return box;
        },
        kCreationFailure);
}

MGSubtitle::MGSubtitle() : fpMain(nullptr), fpAppended(nullptr), fVisible(false) {
    SetId(VoString(kId));
    SetRelativeZ(kRelativeZ);
    SetVisible(false);
}

void MGSubtitle::Replace(VoTextArea** appArea, const char16_t* apId, const VoString& aText, VoIFont* apFont,
                         float aY) {
    delete *appArea;
    *appArea = VO_NEW VoTextArea();
    if (*appArea == nullptr) {
        return;
    }
    (*appArea)->SetId(VoString(apId));
    (*appArea)->Create(apFont);
    (*appArea)->SetWidth(kTextWidth);
    (*appArea)->SetWordWrap(true);
    (*appArea)->SetPosition(0.0f, aY);
    (*appArea)->SetText(aText);
    if (!AddMember(*appArea, true)) {
        delete *appArea;
        *appArea = nullptr;
    }
}

void MGSubtitle::SetText(const VoString& aText, VoIFont* apFont) {
    delete fpAppended;
    fpAppended = nullptr;
    Replace(&fpMain, kMainId, aText, apFont, 0.0f);
}

void MGSubtitle::AppendText(const VoString& aText, VoIFont* apFont) {
    Replace(&fpAppended, kAppendedId, aText, apFont, kAppendedY);
}

void MGSubtitle::Show() {
    MGOptions* options = MGOptions::GetInstance();
    if (options != nullptr && options->GetOption(0) != 0) {
        return;
    }
    SetVisible(true);
    fVisible = true;
}

void MGSubtitle::Hide() {
    HideImmediately();
}

void MGSubtitle::HideImmediately() {
    SetVisible(false);
    fVisible = false;
}

VoString MGSubtitle::ToString() const {
    return VoDebugString("MGSubtitle", this);
}
