#include "pda/MGInventorySubpanel.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryItem.h"
#include "pda/MGInventorySpace.h"
#include "pda/MGPDA.h"

namespace {

constexpr int kHashShift = 7;
constexpr int kIndexCapacity = 16;

}  // namespace

VoVector2 MGInventorySubpanel::SpacePlace(int aSpace) {
    return VoVector2(kColumnStep * static_cast<float>(aSpace % kColumns),
                     kRowStep * static_cast<float>(aSpace / kColumns));
}

MGInventorySubpanel::MGInventorySubpanel()
    : fpLayout(nullptr),
      fpGroup(nullptr),
      fpSpaces{},
      fContentHeight(0),
      fIndex(kHashShift, true, kIndexCapacity),
      fpGlow(nullptr),
      fpGlowSpace(nullptr) {}

MGInventorySubpanel::~MGInventorySubpanel() {
    fIndex.Clear();
    fpGlowSpace = nullptr;
    // The items' groups leave ours as the spaces delete the items.
    for (MGInventorySpace*& space : fpSpaces) {
        delete space;
        space = nullptr;
    }
    delete fpGroup;
}

bool MGInventorySubpanel::Create(const VoString& aId, VoPropertyList* apLayout) {
    fpLayout = apLayout;
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return false;
    }
    fpGroup->SetId(aId);
    fpGroup->SetActive(false);

    VoPropertyList* glow = apLayout != nullptr ? apLayout->GetList(VoString(u"misc.glow")) : nullptr;
    if (glow == nullptr) {
        VO_ASSERT_FAILURE(kNoGlow);
    } else {
        fpGlow = VoLayoutBuilder::BuildSprite(glow);
        if (fpGlow == nullptr) {
            VO_ASSERT_FAILURE(kGlowFailure);
        } else {
            fpGlow->SetActive(false);
            fpGlow->SetRelativeZ(kGlowZ);
            if (!fpGroup->AddMember(fpGlow, true)) {
                delete fpGlow;
                fpGlow = nullptr;
            }
        }
    }

    VoPropertyList* box =
        apLayout != nullptr ? apLayout->GetList(VoString(u"misc.contentareasprite")) : nullptr;
    if (box == nullptr) {
        VO_ASSERT_FAILURE(kNoGridBox);
    }
    for (int n = 0; n < kSpaceCount; ++n) {
        fpSpaces[n] = VO_NEW MGInventorySpace(n);
        VoSprite* sprite = box != nullptr ? VoLayoutBuilder::BuildSprite(box) : nullptr;
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetId(VoString(kGridBoxPrefix) + static_cast<std::int32_t>(n));
        sprite->SetPosition(SpacePlace(n));
        sprite->SetRelativeZ(kGridBoxZ);
        if (!fpGroup->AddMember(sprite, true)) {
            delete sprite;
            continue;
        }
        if (fpSpaces[n] != nullptr) {
            fpSpaces[n]->Create(this, sprite);
        }
    }
    if (fpGroup->GetMemberCount() == 0) {
        VO_ASSERT_FAILURE("");
    }
    fContentHeight = static_cast<int>(SpacePlace(kSpaceCount - 1).y) + 54;
    return true;
}

MGInventorySpace* MGInventorySubpanel::GetSpace(int aSpace) const {
    return aSpace >= 0 && aSpace < kSpaceCount ? fpSpaces[aSpace] : nullptr;
}

bool MGInventorySubpanel::File(const VoString& aId, MGInventorySpace* apSpace) {
    if (aId.GetLength() == 0 || fIndex.IndexOf(aId) >= 0) {
        return false;
    }
    return fIndex.Add(aId, apSpace, true) != 0;
}

bool MGInventorySubpanel::Place(MGInventoryItem* apItem) {
    VoDisplayGroup* group = apItem->GetGroup();
    if (group == nullptr) {
        return false;
    }
    group->SetRelativeZ(kItemZ);
    // Refused for an id that another member of the grid has.
    if (group->GetGroup() != fpGroup && !fpGroup->AddMember(group, true)) {
        return false;
    }
    apItem->UpdateActive();
    return true;
}

bool MGInventorySubpanel::SetItem(const VoString& aId, MGInventoryItem* apItem) {
    if (apItem == nullptr || fpGroup == nullptr) {
        return false;
    }
    MGInventorySpace* space = nullptr;
    for (MGInventorySpace* candidate : fpSpaces) {
        if (candidate != nullptr && candidate->IsFree()) {
            space = candidate;
            break;
        }
    }
    // A full grid keeps nothing: the caller still owns the item.
    if (space == nullptr) {
        return false;
    }
    if (!space->SetItem(apItem)) {
        VO_ASSERT_FAILURE(kSetItemFailure);
        return false;
    }
    if (!File(aId, space)) {
        VO_ASSERT_FAILURE("");
        space->RemoveItem(nullptr);
        return false;
    }
    if (!Place(apItem)) {
        fIndex.Remove(aId, nullptr);
        space->RemoveItem(nullptr);
        return false;
    }
    return true;
}

bool MGInventorySubpanel::AddItemAt(MGInventoryItem* apItem, int aSpace) {
    MGInventorySpace* space = GetSpace(aSpace);
    if (apItem == nullptr || space == nullptr || fpGroup == nullptr) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    if (!space->SetItem(apItem)) {
        return false;
    }
    if (!File(apItem->GetItemId(), space)) {
        space->RemoveItem(nullptr);
        return false;
    }
    if (!Place(apItem)) {
        fIndex.Remove(apItem->GetItemId(), nullptr);
        space->RemoveItem(nullptr);
        return false;
    }
    return true;
}

bool MGInventorySubpanel::AddItemToSpace(MGInventoryItem* apItem, MGInventorySpace* apSpace) {
    if (apItem == nullptr || apSpace == nullptr) {
        return false;
    }
    if (fIndex.IndexOf(apItem->GetItemId()) >= 0) {
        VO_ERROR(kAlreadyAssigned);
        return false;
    }
    if (!apSpace->SetItem(apItem)) {
        return false;
    }
    if (!File(apItem->GetItemId(), apSpace)) {
        apSpace->RemoveItem(nullptr);
        return false;
    }
    return true;
}

bool MGInventorySubpanel::RemoveItemById(const VoString& aId, MGInventoryItem** appItem) {
    MGInventorySpace* space = FindSpace(aId);
    if (space == nullptr) {
        return false;
    }
    fIndex.Remove(aId, nullptr);
    return space->RemoveItem(appItem);
}

MGInventorySpace* MGInventorySubpanel::FindSpace(const VoString& aId) {
    return static_cast<MGInventorySpace*>(fIndex.Get(aId));
}

MGInventoryItem* MGInventorySubpanel::GetItem(const VoString& aId) {
    MGInventorySpace* space = FindSpace(aId);
    return space != nullptr ? space->GetItem() : nullptr;
}

void MGInventorySubpanel::GetItems(VoVectorString* apIds, VoVectorInt* apSpaces) const {
    for (MGInventorySpace* space : fpSpaces) {
        MGInventoryItem* item = space != nullptr ? space->GetItem() : nullptr;
        if (item == nullptr) {
            continue;
        }
        if (apIds != nullptr) {
            apIds->Add(item->GetItemId());
        }
        if (apSpaces != nullptr) {
            apSpaces->Add(space->GetIndex());
        }
    }
}

void MGInventorySubpanel::ClearItems() {
    fIndex.Clear();
    for (MGInventorySpace* space : fpSpaces) {
        MGInventoryItem* item = nullptr;
        if (space == nullptr || space->IsFree() || !space->RemoveItem(&item)) {
            continue;
        }
        // The item's group leaves ours as the item is deleted.
        delete item;
    }
    DeactivateGlow(fpGlowSpace);
}

void MGInventorySubpanel::Show() {
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetActive(true);
    // A grid of an inventory that does not fill the scroll area sets no range.
    MGPDA* pda = MGPDA::GetInstance();
    if (pda != nullptr && pda->GetScrollContent() != nullptr &&
        pda->GetScrollContent() == fpGroup->GetGroup()) {
        pda->SetScrollContentHeight(fContentHeight);
    }
    RefreshItems();
}

void MGInventorySubpanel::Hide() {
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetActive(false);
    RefreshItems();
}

void MGInventorySubpanel::RefreshItems() {
    for (MGInventorySpace* space : fpSpaces) {
        if (MGInventoryItem* item = space != nullptr ? space->GetItem() : nullptr) {
            if (VoDisplayGroup* group = item->GetGroup()) {
                group->SetRelativeZ(kItemZ);
            }
            item->UpdateActive();
        }
    }
}

void MGInventorySubpanel::ActivateGlow(MGInventorySpace* apSpace, const VoVector2& aPlace) {
    if (apSpace == nullptr) {
        VO_ERROR(kActivateGlowNull);
        return;
    }
    fpGlowSpace = apSpace;
    if (fpGlow != nullptr) {
        fpGlow->SetPosition(aPlace);
        fpGlow->SetActive(true);
    }
}

void MGInventorySubpanel::DeactivateGlow(MGInventorySpace* apSpace) {
    if (apSpace == nullptr || apSpace != fpGlowSpace) {
        return;
    }
    fpGlowSpace = nullptr;
    if (fpGlow != nullptr) {
        fpGlow->SetActive(false);
    }
}

VoString MGInventorySubpanel::ToString() const {
    return VoDebugString("MGInventorySubpanel", this);
}
