#include "pda/MGPhonePanel.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "pda/MGPhone.h"
#include "pda/MGPhoneDirectoryPanel.h"
#include "pda/MGPhoneMessagesPanel.h"
#include "platform/VoMouse.h"
#include "util/MGTextureRoot.h"

namespace {

constexpr const char16_t* kPDARoot = u"//textures/pda";

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

}  // namespace

MGPhonePanel::MGPhonePanel(VoDisplayGroup* apParent)
    : MGIPDAPanel(VoString(kId), apParent),
      fpDirectory(nullptr),
      fpMessages(nullptr),
      fpPhoneGroup(nullptr),
      fpMenu(nullptr),
      fpLayout(nullptr),
      fPhoneGroupOwned(false) {}

MGPhonePanel::~MGPhonePanel() {
    if (fpDirectory != nullptr) {
        RemoveSubgroup(fpDirectory->GetGroup());
    }
    if (fpMessages != nullptr) {
        RemoveSubgroup(fpMessages->GetGroup());
    }
    delete fpDirectory;
    delete fpMessages;
    if (fPhoneGroupOwned) {
        delete fpPhoneGroup;
    }
    delete fpLayout;
}

bool MGPhonePanel::Create(VoPropertyList* apLayout) {
    delete fpLayout;
    // The PDA lets its copy go after Create; the sub-panels read the layout
    // for as long as they live.
    fpLayout = apLayout != nullptr ? VO_NEW VoPropertyList(*apLayout) : nullptr;
    fpPhoneGroup = VO_NEW VoDisplayGroup();
    if (fpPhoneGroup == nullptr) {
        return true;
    }
    fpPhoneGroup->SetId(VoString(kGroupId));
    {
        MGTextureRoot root(kPDARoot);
        VoPropertyList* node = fpLayout != nullptr ? fpLayout->GetList(VoString(kMenuNode)) : nullptr;
        fpMenu = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
    }
    if (fpMenu != nullptr && !fpPhoneGroup->AddMember(fpMenu, true)) {
        delete fpMenu;
        fpMenu = nullptr;
    }
    fpPhoneGroup->SetActive(false);
    for (const char16_t* id : {kDirectoryId, kMessagesId}) {
        VoButton* button = GetMenuButton(VoString(id));
        if (button == nullptr) {
            VO_ASSERT_FAILURE("");
        } else {
            button->SetListener(this);
        }
    }
    fpDirectory = VO_NEW MGPhoneDirectoryPanel();
    if (fpDirectory != nullptr) {
        fpDirectory->Create(fpLayout);
    }
    fpMessages = VO_NEW MGPhoneMessagesPanel();
    if (fpMessages != nullptr) {
        fpMessages->Create(fpLayout);
    }
    if (fpGroup == nullptr || !fpGroup->AddMember(fpPhoneGroup, true)) {
        VO_ASSERT_FAILURE("");
        fPhoneGroupOwned = true;
    }
    return true;
}

VoButton* MGPhonePanel::GetMenuButton(const VoString& aId) const {
    return fpMenu != nullptr ? dynamic_cast<VoButton*>(fpMenu->GetMember(aId)) : nullptr;
}

void MGPhonePanel::RemoveSubgroup(VoDisplayGroup* apGroup) {
    if (apGroup != nullptr && fpPhoneGroup != nullptr && apGroup->GetGroup() == fpPhoneGroup) {
        fpPhoneGroup->RemoveMember(apGroup);
    }
}

void MGPhonePanel::AddSubgroup(VoDisplayGroup* apGroup) {
    if (apGroup != nullptr && fpPhoneGroup != nullptr && apGroup->GetGroup() == nullptr) {
        fpPhoneGroup->AddMember(apGroup, true);
    }
}

bool MGPhonePanel::IsDirectoryShown() const {
    return fpDirectory != nullptr && fpDirectory->GetGroup() != nullptr &&
           fpDirectory->GetGroup()->GetGroup() == fpPhoneGroup;
}

bool MGPhonePanel::IsMessagesShown() const {
    return fpMessages != nullptr && fpMessages->GetGroup() != nullptr &&
           fpMessages->GetGroup()->GetGroup() == fpPhoneGroup;
}

bool MGPhonePanel::Show() {
    if (MGPhone* phone = MGPhone::GetInstance()) {
        phone->UpdateMessages();
    }
    const bool shown = MGIPDAPanel::Show();
    const bool active = fpPhoneGroup != nullptr && fpPhoneGroup->SetActive(true);
    return shown && active;
}

bool MGPhonePanel::Hide() {
    if (fpDirectory != nullptr) {
        RemoveSubgroup(fpDirectory->GetGroup());
        fpDirectory->ClearContent();
    }
    if (fpMessages != nullptr) {
        RemoveSubgroup(fpMessages->GetGroup());
        fpMessages->Hide();
    }
    const bool hidden = MGIPDAPanel::Hide();
    const bool inactive = fpPhoneGroup != nullptr && fpPhoneGroup->SetActive(false);
    return hidden && inactive;
}

void MGPhonePanel::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId == VoString(kDirectoryId)) {
        if (fpMessages != nullptr) {
            RemoveSubgroup(fpMessages->GetGroup());
            fpMessages->Hide();
        }
        if (fpDirectory != nullptr) {
            AddSubgroup(fpDirectory->GetGroup());
            fpDirectory->BuildContent();
        }
        ConsumeMouseEvent();
    } else if (aId == VoString(kMessagesId)) {
        if (fpDirectory != nullptr) {
            RemoveSubgroup(fpDirectory->GetGroup());
            fpDirectory->ClearContent();
        }
        if (fpMessages != nullptr) {
            AddSubgroup(fpMessages->GetGroup());
            fpMessages->Show();
        }
        ConsumeMouseEvent();
    }
}

VoString MGPhonePanel::ToString() const {
    return VoDebugString("MGPhonePanel", this);
}
