#include "interview/MGInterviewScrollBar.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoScrollBar.h"
#include "memory/VoNew.h"

MGInterviewScrollBar::MGInterviewScrollBar()
    : fpGroup(nullptr), fpScrollBar(nullptr), fpContent(nullptr), fpPlaceholder(nullptr) {}

MGInterviewScrollBar::~MGInterviewScrollBar() {
    delete fpScrollBar;
    delete fpPlaceholder;
}

bool MGInterviewScrollBar::Setup(VoPropertyList* apLayout, VoDisplayGroup* apParent) {
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return true;
    }
    fpGroup->SetId(VoString(kGroupId));
    if (apParent == nullptr || !apParent->AddMember(fpGroup, true)) {
        VO_ASSERT_FAILURE("");
        delete fpGroup;
        fpGroup = nullptr;
        return true;
    }
    VoPropertyList* sprites = apLayout != nullptr ? apLayout->GetList(VoString(kSpritesPath)) : nullptr;
    if (sprites == nullptr) {
        VO_ASSERT_FAILURE(kNoSprites);
    } else if (!VoLayoutBuilder::BuildSprites(sprites, fpGroup)) {
        VO_ASSERT_FAILURE("");
    }
    VoPropertyList* buttons = apLayout != nullptr ? apLayout->GetList(VoString(kButtonsPath)) : nullptr;
    if (buttons == nullptr) {
        VO_ASSERT_FAILURE(kNoButtons);
    } else {
        for (int i = 0; i < buttons->GetCount(); ++i) {
            VoPropertyList* entry = buttons->GetListAt(i);
            const VoString id = entry != nullptr ? entry->GetString(VoString(u"id"), nullptr) : VoString(u"");
            if (id != VoString(kUpArrowId) && id != VoString(kDownArrowId) && id != VoString(kBarId)) {
                continue;
            }
            VoButton* button = VoLayoutBuilder::BuildButton(entry, nullptr);
            if (button != nullptr && !fpGroup->AddMember(button, true)) {
                delete button;
            }
        }
    }
    fpPlaceholder = VO_NEW VoDisplayGroup();
    fpScrollBar = VO_NEW VoScrollBar();
    if (fpScrollBar != nullptr) {
        VoScrollBarDesc desc;
        desc.fpUpArrow = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kUpArrowId)));
        desc.fpDownArrow = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kDownArrowId)));
        desc.fpBar = dynamic_cast<VoButton*>(fpGroup->GetMember(VoString(kBarId)));
        desc.fBarHeight = kBarHeight;
        desc.fBarAreaHeight = kBarAreaHeight;
        desc.fContentHeight = kContentHeight;
        desc.fContentStart = VoVector2(kContentX, kContentY);
        desc.fScrollAreaHeight = kScrollAreaHeight;
        desc.fScrollIncrement = kScrollIncrement;
        if (!fpScrollBar->Create(desc)) {
            VO_ASSERT_FAILURE("");
        }
    }
    fpGroup->SetBlend(kFaintBlend);
    return true;
}

void MGInterviewScrollBar::SetContentGroup(VoDisplayGroup* apContent) {
    fpContent = apContent;
    if (fpScrollBar != nullptr && apContent != nullptr) {
        fpScrollBar->SetContentGroup(apContent);
    }
}

void MGInterviewScrollBar::Detach(VoDisplayGroup* apContent) {
    if (apContent == nullptr || apContent != fpContent) {
        return;
    }
    fpContent = nullptr;
    if (fpScrollBar != nullptr) {
        fpScrollBar->SetListener(nullptr);
        if (fpPlaceholder != nullptr) {
            fpScrollBar->SetContentGroup(fpPlaceholder);
        }
    }
}

void MGInterviewScrollBar::SetBlend(float aBlend) {
    if (fpGroup != nullptr) {
        fpGroup->SetBlend(aBlend);
    }
}

VoString MGInterviewScrollBar::ToString() const {
    return VoDebugString("MGInterviewScrollBar", this);
}
