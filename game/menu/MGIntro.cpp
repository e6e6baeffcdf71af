#include "menu/MGIntro.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "platform/VoIPlatform.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"

namespace {

VoCleanerSingleton<MGIntro, MGCleanerHome> gInstance;

// The section of the file at aPath, built as a group with its children.
VoDisplayGroup* BuildGroup(VoPropertyList* apList, const char16_t* apPath, const char16_t* apSection) {
    if (!apList->Load(VoString(apPath), true)) {
        VO_ASSERT_FAILURE(MGIntro::kFileFailure, apPath);
        return nullptr;
    }
    VoPropertyList* section = apList->GetList(VoString(apSection));
    if (section == nullptr) {
        VO_ASSERT_FAILURE(MGIntro::kNoSection, apSection);
        return nullptr;
    }
    return VoLayoutBuilder::BuildGroup(section, true);
}

}  // namespace

MGIntro* MGIntro::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGIntro(); }, kCreationFailure);
}

MGIntro::MGIntro() : fpGroup(nullptr), fInRoot(false), fInKeyboard(false) {
    VoPropertyList layout;
    fpGroup = BuildGroup(&layout, kLayoutFile, u"intro");
    if (fpGroup == nullptr) {
        return;
    }
    VoPropertyList sample;
    VoDisplayGroup* panel = BuildGroup(&sample, kSampleFile, u"sample");
    if (panel != nullptr && !fpGroup->AddMember(panel, true)) {
        delete panel;
    }
    BuildTexts(layout.GetList(VoString(u"texts")));
    fpGroup->SetActive(false);
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fInRoot = display != nullptr && display->AddMember(fpGroup);
}

MGIntro::~MGIntro() {
    ListenToKeys(false);
    // The group leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the group already.
    if (!fInRoot || VoDisplayManager::GetInstance() != nullptr) {
        delete fpGroup;
    }
}

void MGIntro::BuildTexts(VoPropertyList* apTexts) {
    for (int i = 0; apTexts != nullptr && i < apTexts->GetCount(); ++i) {
        VoPropertyList* entry = apTexts->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const VoString id = entry->GetString(VoString(u"id"), &found);
        VoTextArea* text = VO_NEW VoTextArea();
        if (text == nullptr || !found || !text->SetId(id) ||
            !text->Create(entry->GetString(VoString(u"font"), nullptr))) {
            VO_ASSERT_FAILURE(kTextFailure, id);
            delete text;
            continue;
        }
        const VoVectorFloat position = entry->GetVectorFloat(VoString(u"position"), &found);
        if (found && position.GetCount() == 2) {
            text->SetPosition(position.GetAt(0), position.GetAt(1));
        }
        text->SetWidth(entry->GetFloat(VoString(u"width"), nullptr));
        text->SetRelativeZ(entry->GetFloat(VoString(u"relativez"), nullptr));
        text->SetWordWrap(true);
        text->SetMultiLine(true);
        text->SetText(entry->GetString(VoString(u"text"), nullptr));
        if (!fpGroup->AddMember(text, true)) {
            delete text;
        }
    }
}

void MGIntro::ListenToKeys(bool aListen) {
    MGListenToKeys(this, kKeyboardOrder, aListen, &fInKeyboard);
}

void MGIntro::OnLeaveBegin() {
    ListenToKeys(false);
}

void MGIntro::OnLeaveEnd() {
    if (fpGroup != nullptr) {
        fpGroup->SetActive(false);
    }
}

void MGIntro::OnEnter() {
    if (fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
    ListenToKeys(true);
}

void MGIntro::OnKeyDown(int aKey) {
    if (aKey == kEscape) {
        if (VoIPlatform* platform = VoIPlatform::GetInstance()) {
            platform->Quit();
        }
    }
}

VoString MGIntro::ToString() const {
    return VoDebugString("MGIntro", this);
}
