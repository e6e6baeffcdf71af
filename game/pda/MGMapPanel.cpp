#include "pda/MGMapPanel.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "pda/MGMapTag.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

MGMapPanel::MGMapPanel(VoDisplayGroup* apParent)
    : MGIPDAPanel(VoString(MGPDA::kMap), apParent),
      fpLayout(nullptr),
      fpMap(nullptr),
      fCase(kDefaultCase),
      fInMouse(false) {}

MGMapPanel::~MGMapPanel() {
    ListenToMouse(false);
    DeleteTags();
    DeleteMap();
    delete fpLayout;
}

bool MGMapPanel::Create(VoPropertyList* apLayout) {
    delete fpLayout;
    fpLayout = apLayout != nullptr ? VO_NEW VoPropertyList(*apLayout) : VO_NEW VoPropertyList();
    MGTextureRoot root(kTextureRoot);
    fCase = MGPDA::ReadSelectedCase(kDefaultCase);
    BuildMap();
    if (fpMap != nullptr) {
        fpMap->SetEnabled(false);
    }
    BuildTags(true);
    if (fpMap != nullptr) {
        fpMap->Validate();
    }
    return true;
}

void MGMapPanel::BuildMap() {
    DeleteTags();
    DeleteMap();
    fpMap = VO_NEW VoDisplayGroup();
    if (fpMap == nullptr) {
        return;
    }
    fpMap->SetId(VoString(kGroupId));
    VoPropertyList* background = fpLayout != nullptr ? fpLayout->GetList(VoString(kBackgroundPath)) : nullptr;
    if (background == nullptr) {
        VO_ASSERT_FAILURE(kNoBackground);
    } else {
        VoDisplayGroup* group = VoLayoutBuilder::BuildGroup(background, true);
        if (group != nullptr && !fpMap->AddMember(group, true)) {
            delete group;
        }
    }
    fpMap->SetActive(false);
}

void MGMapPanel::BuildTags(bool aAssert) {
    VoString path(kTagListPrefix);
    path.Append(static_cast<std::int32_t>(fCase));
    path.Append(kTagListSuffix);
    VoPropertyList* list = fpLayout != nullptr ? fpLayout->GetList(path) : nullptr;
    if (list == nullptr) {
        if (aAssert) {
            VO_ASSERT_FAILURE("");
        }
        return;
    }
    for (int i = 0; i < list->GetCount(); ++i) {
        VoPropertyList* node = list->GetListAt(i);
        if (node == nullptr) {
            VO_ASSERT_FAILURE("");
            continue;
        }
        MGMapTag* tag = VO_NEW MGMapTag();
        if (tag == nullptr) {
            continue;
        }
        // A tag whose creation failed shows what of it was built.
        if (!tag->Create(node)) {
            VO_ASSERT_FAILURE("");
        }
        VoDisplayGroup* group = tag->GetGroup();
        if (group != nullptr && fpMap != nullptr && fpMap->AddMember(group, true)) {
            tag->GiveGroup();
        }
        if (!fTags.Add(tag)) {
            delete tag;
        }
    }
}

void MGMapPanel::DeleteTags() {
    for (int i = 0; i < fTags.GetCount(); ++i) {
        delete static_cast<MGMapTag*>(fTags.GetAt(i));
    }
    fTags.Clear();
}

void MGMapPanel::DeleteMap() {
    if (fpMap == nullptr) {
        return;
    }
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ReleaseScrollContent(fpMap);
    }
    delete fpMap;
    fpMap = nullptr;
}

bool MGMapPanel::Show() {
    bool found = false;
    int selected = MGPDA::ReadSelectedCase(kDefaultCase, &found);
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    if (selected != fCase) {
        fCase = selected;
        MGTextureRoot root(kTextureRoot);
        BuildMap();
        VoPropertyList* cheat = fpLayout != nullptr ? fpLayout->GetList(VoString(kCheatPath)) : nullptr;
        VoButton* button = cheat != nullptr ? VoLayoutBuilder::BuildButton(cheat, this) : nullptr;
        if (button != nullptr && (fpMap == nullptr || !fpMap->AddMember(button, true))) {
            delete button;
        }
        BuildTags(false);
        if (fpMap != nullptr) {
            fpMap->Validate();
        }
    }

    bool shown = MGIPDAPanel::Show();
    if (fpMap != nullptr) {
        shown = fpMap->SetActive(true) && shown;
        shown = fpMap->SetEnabled(true) && shown;
    } else {
        shown = false;
    }
    MGPDA* pda = MGPDA::GetInstance();
    bool scrolled = pda != nullptr && fpMap != nullptr && pda->SetScrollContentGroup(fpMap);
    scrolled = pda != nullptr && pda->SetScrollContentHeight(kContentHeight) && scrolled;
    for (int i = 0; i < fTags.GetCount(); ++i) {
        static_cast<MGMapTag*>(fTags.GetAt(i))->SetActive(true);
    }
    ListenToMouse(true);
    return shown && scrolled;
}

bool MGMapPanel::Hide() {
    ListenToMouse(false);
    bool hidden = MGIPDAPanel::Hide();
    if (fpMap != nullptr) {
        hidden = fpMap->SetActive(false) && hidden;
        if (MGPDA* pda = MGPDA::PeekInstance()) {
            pda->ReleaseScrollContent(fpMap);
        }
    }
    for (int i = 0; i < fTags.GetCount(); ++i) {
        static_cast<MGMapTag*>(fTags.GetAt(i))->SetActive(false);
    }
    return hidden;
}

void MGMapPanel::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != VoIButtonListener::kClick || aId != VoString(kShowAllId)) {
        return;
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
    for (int i = 0; i < fTags.GetCount(); ++i) {
        static_cast<MGMapTag*>(fTags.GetAt(i))->ForceShow();
    }
}

void MGMapPanel::OnWheel(float aDelta) {
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ScrollByWheel(aDelta);
    }
}

MGMapTag* MGMapPanel::GetTag(int aIndex) const {
    return aIndex >= 0 && aIndex < fTags.GetCount() ? static_cast<MGMapTag*>(fTags.GetAt(aIndex)) : nullptr;
}

MGMapTag* MGMapPanel::FindTag(const VoString& aId) const {
    for (int i = 0; i < fTags.GetCount(); ++i) {
        MGMapTag* tag = static_cast<MGMapTag*>(fTags.GetAt(i));
        if (tag->GetId() == aId) {
            return tag;
        }
    }
    return nullptr;
}

void MGMapPanel::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kMouseOrder, aListen, &fInMouse);
}

VoString MGMapPanel::ToString() const {
    return VoDebugString("MGMapPanel", this);
}
