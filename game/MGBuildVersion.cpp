#include "MGBuildVersion.h"

#include "container/VoDebugString.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGBuildVersion, MGCleanerHome> gInstance;

VoTextArea* NewText(const char16_t* apId, float aX, float aY, const char16_t* apText) {
    VoTextArea* text = VO_NEW VoTextArea();
    if (text != nullptr) {
        text->SetId(VoString(apId));
        text->Create(VoString(MGBuildVersion::kFont));
        text->SetPosition(aX, aY);
        text->SetText(VoString(apText));
    }
    return text;
}

}  // namespace

MGBuildVersion* MGBuildVersion::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGBuildVersion(); }, kCreationFailure);
}

MGBuildVersion::MGBuildVersion()
    : fpVersion(NewText(kVersionId, 700.0f, 570.0f, kVersionText)),
      fpDescription(NewText(kDescriptionId, 20.0f, 570.0f, u"")) {}

MGBuildVersion::~MGBuildVersion() {
    delete fpVersion;
    delete fpDescription;
}

void MGBuildVersion::SetViewDescription(const VoString& aText) {
    if (fpDescription != nullptr) {
        fpDescription->SetText(aText);
    }
}

VoString MGBuildVersion::ToString() const {
    return VoDebugString("MGBuildVersion", this);
}
