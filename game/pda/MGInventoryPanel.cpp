#include "pda/MGInventoryPanel.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "stdlib/VoIStream.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

namespace {

constexpr const char16_t* kCategoryNames[MGInventoryPanel::kCategoryCount] = {u"witnesses", u"evidence",
                                                                              u"documents", u"reports"};
constexpr float kMouseOrder = 0.0f;

// The suffixes of the labs' results, by kind 1..3.
constexpr const char16_t* kResultSuffixes[] = {u"CL", u"RE", u"SU"};

MGPDA* PDA() {
    return MGPDA::GetInstance();
}

}  // namespace

VoString MGInventoryPanel::CategoryName(int aCategory) {
    return VoString(aCategory >= 0 && aCategory < kCategoryCount ? kCategoryNames[aCategory] : u"");
}

int MGInventoryPanel::CategoryIndex(const VoString& aName) {
    for (int i = 0; i < kCategoryCount; ++i) {
        if (aName == VoString(kCategoryNames[i])) {
            return i;
        }
    }
    return -1;
}

void MGInventoryPanel::SplitItemId(const VoString& aId, VoString* apKey, int* apKind) {
    *apKey = aId;
    *apKind = MGInventoryItem::kPlain;
    const std::int32_t split = aId.Find(u"_");
    if (split < 0 || aId.Find(u"_", split + 1) >= 0) {
        return;
    }
    *apKey = aId.SubString(0, split);
    const VoString suffix = aId.SubString(split + 1, aId.GetLength() - split - 1);
    for (int kind = MGInventoryItem::kCrimeLab; kind <= MGInventoryItem::kSurveillance; ++kind) {
        if (suffix.EqualsNoCase(kResultSuffixes[kind - 1])) {
            *apKind = kind;
        }
    }
}

int MGInventoryPanel::SubpanelIndex(int aCategory, int aCase) {
    if (aCategory < 0 || aCategory >= kCategoryCount || aCase < 1 || aCase > kCaseCount) {
        return -1;
    }
    return aCategory + kCategoryCount * (aCase - 1);
}

MGInventoryPanel::MGInventoryPanel(VoDisplayGroup* apParent)
    : MGIPDAPanel(VoString(MGPDA::kInventory), apParent),
      fpLayout(nullptr),
      fpMenu(nullptr),
      fpContent(nullptr),
      fpSubpanels{},
      fpShown(nullptr),
      fCategory(kNoCategory),
      fCase(1),
      fpItems(nullptr),
      fInMouse(false) {}

MGInventoryPanel::~MGInventoryPanel() {
    ListenToMouse(false);
    for (MGInventorySubpanel*& subpanel : fpSubpanels) {
        delete subpanel;
        subpanel = nullptr;
    }
    fpShown = nullptr;
    // The PDA's scroll area never deletes a panel's content.
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ReleaseScrollContent(fpContent);
    }
    delete fpContent;
    delete fpItems;
    delete fpLayout;
}

bool MGInventoryPanel::Create(VoPropertyList* apLayout) {
    delete fpLayout;
    fpLayout = apLayout != nullptr ? VO_NEW VoPropertyList(*apLayout) : VO_NEW VoPropertyList();
    fpMenu = VO_NEW VoDisplayGroup();
    if (fpMenu != nullptr) {
        fpMenu->SetId(VoString(kMenuId));
        fpMenu->SetRelativeZ(kMenuZ);
        if (fpGroup == nullptr || !fpGroup->AddMember(fpMenu, true)) {
            delete fpMenu;
            fpMenu = nullptr;
        }
    }

    VoPropertyList* area =
        fpLayout != nullptr ? fpLayout->GetList(VoString(u"groups.g02-contentarea")) : nullptr;
    if (area == nullptr) {
        VO_ASSERT_FAILURE(kNoContentArea);
    } else {
        fpContent = VoLayoutBuilder::BuildGroup(area, true);
        if (fpContent == nullptr) {
            VO_ASSERT_FAILURE("");
        }
    }
    if (fpContent == nullptr) {
        // The grids still need a home.
        fpContent = VO_NEW VoDisplayGroup();
        if (fpContent != nullptr) {
            fpContent->SetId(VoString(u"g02-contentarea"));
        }
    }
    if (fpContent != nullptr) {
        fpContent->SetActive(false);
    }

    fCase = 1;
    ReadCase(false);

    for (int i = 0; i < kSubpanelCount; ++i) {
        fpSubpanels[i] = VO_NEW MGInventorySubpanel();
        if (fpSubpanels[i] == nullptr) {
            continue;
        }
        VoString id = CategoryName(i % kCategoryCount);
        id.Append(static_cast<std::int32_t>(i / kCategoryCount + 1));
        fpSubpanels[i]->Create(id, fpLayout);
        VoDisplayGroup* grid = fpSubpanels[i]->GetGroup();
        if (grid != nullptr && fpContent != nullptr) {
            fpContent->AddMember(grid, true);
        }
    }

    if (fpGroup != nullptr) {
        fpGroup->Validate();
    }
    if (fpMenu != nullptr) {
        fpMenu->Validate();
    }
    SelectCategory(kEvidence);

    fpItems = VO_NEW VoPropertyList();
    if (fpItems == nullptr || !fpItems->Load(VoString(kItemsFile), true)) {
        VO_ASSERT_FAILURE("");
    }
    return true;
}

void MGInventoryPanel::ReadCase(bool aAssertMissing) {
    bool found = false;
    fCase = MGPDA::ReadSelectedCase(fCase, &found);
    if (!found && aAssertMissing) {
        VO_ASSERT_FAILURE("");
    }
}

MGInventorySubpanel* MGInventoryPanel::GetSubpanel(int aIndex) const {
    return aIndex >= 0 && aIndex < kSubpanelCount ? fpSubpanels[aIndex] : nullptr;
}

VoButton* MGInventoryPanel::GetCategoryButton(int aCategory) const {
    if (fpMenu == nullptr || aCategory < 0 || aCategory >= kCategoryCount) {
        return nullptr;
    }
    return dynamic_cast<VoButton*>(fpMenu->GetMember(VoString(kCategoryNames[aCategory])));
}

void MGInventoryPanel::ShowSubpanel() {
    HideSubpanel();
    // No case chosen yet (or none of the four): no grid.
    fpShown = GetSubpanel(SubpanelIndex(fCategory, fCase));
    if (fpShown != nullptr) {
        fpShown->Show();
    }
}

void MGInventoryPanel::HideSubpanel() {
    if (fpShown != nullptr) {
        fpShown->Hide();
    }
    fpShown = nullptr;
}

bool MGInventoryPanel::Show() {
    DeleteCategoryButtons();
    {
        MGTextureRoot root(kLayoutRoot);
        VoPropertyList layout;
        layout.Load(VoString(kLayoutFile), true);
        VoPropertyList* buttons = layout.GetList(VoString(u"groups.g01-inventorymenu.buttons"));
        for (int i = 0; buttons != nullptr && i < buttons->GetCount(); ++i) {
            VoButton* button = VoLayoutBuilder::BuildButton(buttons->GetListAt(i), this);
            if (button == nullptr) {
                continue;
            }
            if (i == fCategory) {
                button->SetEnabled(false);
            }
            if (fpMenu == nullptr || !fpMenu->AddMember(button, true)) {
                delete button;
            }
        }
    }

    MGIPDAPanel::Show();
    if (fpMenu != nullptr) {
        fpMenu->SetActive(true);
    }
    MGPDA* pda = PDA();
    if (fpContent != nullptr) {
        fpContent->SetActive(true);
        if (pda != nullptr) {
            pda->SetScrollContentGroup(fpContent);
        }
    }
    ReadCase(true);
    ShowSubpanel();
    if (pda != nullptr) {
        pda->ScrollToTop();
    }
    ListenToMouse(true);
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->SetDoubleClickEnabled(false);
    }
    return true;
}

bool MGInventoryPanel::Hide() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->SetDoubleClickEnabled(true);
    }
    ListenToMouse(false);
    const bool hidden = MGIPDAPanel::Hide();
    DeleteCategoryButtons();
    if (fpMenu != nullptr) {
        fpMenu->SetActive(false);
    }
    if (fpContent != nullptr) {
        fpContent->SetActive(false);
    }
    HideSubpanel();
    return hidden;
}

void MGInventoryPanel::DeleteCategoryButtons() {
    for (int i = 0; i < kCategoryCount; ++i) {
        // Deleted, it leaves the menu group and the engine mouse.
        delete GetCategoryButton(i);
    }
}

bool MGInventoryPanel::SelectCategory(int aCategory) {
    if (aCategory < 0 || aCategory >= kCategoryCount) {
        return false;
    }
    if (aCategory == fCategory) {
        return true;
    }
    if (VoButton* button = GetCategoryButton(fCategory)) {
        button->SetEnabled(true);
    }
    HideSubpanel();
    ReadCase(false);
    fCategory = aCategory;
    ShowSubpanel();
    if (VoButton* button = GetCategoryButton(aCategory)) {
        button->SetEnabled(false);
    }
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->ScrollToTop();
    }
    return true;
}

VoPropertyList* MGInventoryPanel::FindEntry(int aCase, const VoString& aKey) {
    // A key is one level of the file: "." would reach into an entry.
    if (fpItems == nullptr || aKey.GetLength() == 0 || aKey.Find(u".") >= 0) {
        return nullptr;
    }
    VoString path(u"items.case");
    path.Append(static_cast<std::int32_t>(aCase));
    path.Append(u".");
    path.Append(aKey);
    return fpItems->GetList(path);
}

bool MGInventoryPanel::AddItem(const VoString& aItemId) {
    ReadCase(false);
    if (fCase < 1 || fCase > kCaseCount) {
        VO_ERROR(kNoCase, aItemId);
        return false;
    }
    VoString key;
    int kind = MGInventoryItem::kPlain;
    SplitItemId(aItemId, &key, &kind);
    VoPropertyList* entry = FindEntry(fCase, key);
    if (entry == nullptr) {
        VO_ERROR(kUnableToAdd, key);
        return false;
    }
    int category = kReports;
    if (kind == MGInventoryItem::kPlain) {
        bool found = false;
        const VoString type = entry->GetString(VoString(u"type"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoType);
        }
        category = CategoryIndex(type);
        if (category < 0) {
            VO_ASSERT_FAILURE(kInvalidType);
            return false;
        }
    }
    MGInventorySubpanel* grid = GetSubpanel(SubpanelIndex(category, fCase));
    const VoString displayId = MGInventoryItem::DisplayIdOf(entry, kind);
    if (grid == nullptr) {
        return false;
    }
    if (grid->GetItem(displayId) != nullptr) {
        return true;
    }

    MGTextureRoot root(kItemRoot);
    MGInventoryItem* item = VO_NEW MGInventoryItem();
    if (item == nullptr) {
        return false;
    }
    if (!item->Create(entry, kind)) {
        VO_ASSERT_FAILURE(kItemFailure);
    }
    // Without a sprite id there is nothing to file the item under.
    if (displayId.GetLength() == 0) {
        delete item;
        return false;
    }
    if (!grid->SetItem(displayId, item)) {
        VO_ERROR(kGridFull, aItemId);
        delete item;
        return false;
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->ShowItemIcon(entry);
    }
    return true;
}

bool MGInventoryPanel::HasItem(const VoString& aItemId) {
    for (MGInventorySubpanel* grid : fpSubpanels) {
        if (grid != nullptr && grid->GetItem(aItemId) != nullptr) {
            return true;
        }
    }
    return false;
}

void MGInventoryPanel::ClearItems() {
    for (MGInventorySubpanel* grid : fpSubpanels) {
        if (grid != nullptr) {
            grid->ClearItems();
        }
    }
}

bool MGInventoryPanel::FailRead() {
    VO_ERROR(kDamagedBlock);
    ClearItems();
    return false;
}

bool MGInventoryPanel::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    MGTextureRoot root(kItemRoot);
    for (int i = 0; i < kSubpanelCount; ++i) {
        MGInventorySubpanel* grid = fpSubpanels[i];
        if (grid != nullptr) {
            grid->ClearItems();
        }
        std::int32_t count = 0;
        if (!apStream->ReadInt(&count) || count < 0 || count > MGInventorySubpanel::kSpaceCount) {
            return FailRead();
        }
        bool taken[MGInventorySubpanel::kSpaceCount] = {};
        for (std::int32_t pair = 0; pair < count; ++pair) {
            std::int32_t space = 0;
            VoString id;
            if (!apStream->ReadInt(&space) || !apStream->ReadString(&id) || space < 0 ||
                space >= MGInventorySubpanel::kSpaceCount || taken[space]) {
                return FailRead();
            }
            taken[space] = true;
            VoString key;
            int kind = MGInventoryItem::kPlain;
            SplitItemId(id, &key, &kind);
            VoPropertyList* entry = FindEntry(i / kCategoryCount + 1, key);
            if (entry == nullptr || grid == nullptr) {
                continue;
            }
            MGInventoryItem* item = VO_NEW MGInventoryItem();
            if (item == nullptr) {
                return FailRead();
            }
            if (!item->Create(entry, kind)) {
                // No display id: nothing to file it under.
                VO_ASSERT_FAILURE(kItemFailure);
                delete item;
                continue;
            }
            if (!grid->AddItemAt(item, space)) {
                // The same item twice in one grid.
                delete item;
                return FailRead();
            }
        }
    }
    return true;
}

bool MGInventoryPanel::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    for (MGInventorySubpanel* grid : fpSubpanels) {
        VoVectorString ids;
        VoVectorInt spaces;
        if (grid != nullptr) {
            grid->GetItems(&ids, &spaces);
        }
        if (!apStream->WriteInt(ids.GetCount())) {
            return false;
        }
        for (int i = 0; i < ids.GetCount(); ++i) {
            if (!apStream->WriteInt(spaces.GetAt(i)) || !apStream->WriteString(ids.GetAt(i))) {
                return false;
            }
        }
    }
    return true;
}

void MGInventoryPanel::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kPressed) {
        return;
    }
    const int category = CategoryIndex(aId);
    if (category >= 0) {
        SelectCategory(category);
    }
}

void MGInventoryPanel::OnWheel(float aDelta) {
    if (MGPDA* pda = PDA()) {
        pda->ScrollByWheel(aDelta);
    }
}

void MGInventoryPanel::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kMouseOrder, aListen, &fInMouse);
}

VoString MGInventoryPanel::ToString() const {
    return VoDebugString("MGInventoryPanel", this);
}
