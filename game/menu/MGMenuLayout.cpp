#include "menu/MGMenuLayout.h"

#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "menu/MGMenuButton.h"
#include "render/VoTextureManager.h"
#include "ui/MGMessageBox.h"

VoDisplayGroup* MGScreenTree::Create(const VoString& aId) {
    Drop();
    fpGroup = MGMenuLayout::NewGroup(aId, 0.0f);
    return fpGroup;
}

bool MGScreenTree::Show() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fInRoot = fpGroup != nullptr && display != nullptr && display->AddMember(fpGroup);
    return fInRoot;
}

void MGScreenTree::Drop() {
    // The group leaves the display root as it is deleted.
    if (!fInRoot || VoDisplayManager::GetInstance() != nullptr) {
        delete fpGroup;
    }
    fpGroup = nullptr;
    fInRoot = false;
}

VoDisplayGroup* MGMenuLayout::NewGroup(const VoString& aId, float aRelativeZ) {
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr || !group->SetId(aId)) {
        delete group;
        return nullptr;
    }
    group->SetRelativeZ(aRelativeZ);
    return group;
}

bool MGMenuLayout::AddGroup(VoPropertyList* apLayout, const VoString& aPath, VoDisplayGroup* apParent) {
    VoPropertyList* node = apLayout != nullptr ? apLayout->GetList(aPath) : nullptr;
    VoDisplayGroup* group = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
    if (group == nullptr || apParent == nullptr || !apParent->AddMember(group, true)) {
        delete group;
        return false;
    }
    return true;
}

VoDisplayGroup* MGMenuLayout::AddButtons(VoPropertyList* apLayout, const VoString& aPath,
                                         const VoString& aGroupId, VoDisplayGroup* apParent,
                                         VoIButtonListener* apListener,
                                         const std::function<void(MGMenuButton*, int)>& aPrepare) {
    VoDisplayGroup* group = NewGroup(aGroupId, kButtonsZ);
    if (group == nullptr) {
        return nullptr;
    }
    VoPropertyList* list = apLayout != nullptr ? apLayout->GetList(aPath) : nullptr;
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        MGMenuButton* button = VO_NEW MGMenuButton();
        if (button == nullptr || !button->Load(list->GetListAt(i), apListener)) {
            delete button;
            continue;
        }
        if (aPrepare) {
            aPrepare(button, i);
        }
        if (!group->AddMember(button, true)) {
            delete button;
        }
    }
    if (apParent == nullptr || !apParent->AddMember(group, true)) {
        delete group;
        return nullptr;
    }
    return group;
}

bool MGMenuLayout::Is(const VoString& aId, const char16_t* apName) {
    return aId.EqualsNoCase(VoString(apName));
}

std::uint32_t MGMenuLayout::FiledTexture(const VoString& aId, const VoString& aPath) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures == nullptr) {
        return 0;
    }
    const std::uint32_t handle = textures->GetHandle(aId);
    if (handle != 0) {
        return handle;
    }
    VoImage* image = nullptr;
    const std::uint32_t filed =
        VoImage::CreateFromFile(aPath, &image) ? textures->CreateTexture(aId, image) : 0;
    delete image;
    return filed;
}

void MGMenuLayout::Tell(const char16_t* apBox, const char16_t* apText) {
    if (MGMessageBox* box = MGMessageBox::GetInstance()) {
        box->Show(VoString(apBox), VoString(apText), MGMessageBox::kOk, nullptr);
    }
}
