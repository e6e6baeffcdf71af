#include "ui/MGCursor.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCursor, MGCleanerHome> gInstance;

// The looks of the ids; the held item's (13, 14) is the item's own.
constexpr const char16_t* kCursorNames[MGCursor::kCursorCount] = {
    u"default",        u"hand",   u"rollover",  u"crosshair",  u"target",      u"go_left",
    u"go_right",       u"go_top", u"go_bottom", u"go_topleft", u"go_topright", u"go_bottomleft",
    u"go_bottomright", u"",       u"",          u"empty"};

// Endings of item ids whose look is the id without them.
constexpr const char16_t* kItemSuffixes[] = {u"_cl", u"_re", u"_su"};
constexpr int kSuffixLength = 3;

// The section "items.case" + the case number.
VoString CaseSection(int aCase) {
    VoString path(u"items.case");
    path.Append(static_cast<std::int32_t>(aCase));
    return path;
}

}  // namespace

MGCursor* MGCursor::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCursor(); }, kCreationFailure);
}

VoString MGCursor::GetCursorName(int aId) {
    return VoString(aId >= 0 && aId < kCursorCount ? kCursorNames[aId] : u"");
}

VoString MGCursor::GetItemLook(const VoString& aItem) {
    const std::int32_t length = aItem.GetLength();
    if (length >= kSuffixLength) {
        const VoString ending = aItem.SubString(length - kSuffixLength, kSuffixLength);
        for (const char16_t* suffix : kItemSuffixes) {
            if (ending.Equals(suffix, true)) {
                return aItem.SubString(0, length - kSuffixLength);
            }
        }
    }
    return aItem;
}

MGCursor::MGCursor()
    : fpCursor(VoCursor::GetInstance()),
      fCurrentId(kDefault),
      fBaseId(kDefault),
      fItem(u""),
      fActive(true),
      fpHighlight(nullptr),
      fHighlightInRoot(false),
      fHighlightShown(false),
      fOwner(u""),
      fInMouse(false) {
    LoadLooks(kCursorFile);
    LoadLooks(kDirectionFile);
    LoadItemLooks();
    LoadHighlight();
}

MGCursor::~MGCursor() {
    if (fInMouse) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
    }
    if (!fActive && fpCursor != nullptr) {
        fpCursor->SetActive(true);
    }
    // The sprite leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the sprite already.
    if (!fHighlightInRoot || VoDisplayManager::GetInstance() != nullptr) {
        delete fpHighlight;
    }
}

void MGCursor::AddLook(VoSprite* apSprite) {
    if (apSprite == nullptr) {
        VO_ASSERT_FAILURE(kSpriteFailure);
        return;
    }
    if (fpCursor == nullptr || !fpCursor->AddState(apSprite->GetId(), apSprite)) {
        delete apSprite;
    }
}

void MGCursor::LoadLooks(const char16_t* apFile) {
    VoPropertyList list;
    if (!list.Load(VoString(apFile), true)) {
        VO_ASSERT_FAILURE(kFileFailure, apFile);
        return;
    }
    VoPropertyList* cursors = list.GetList(VoString(u"cursors"));
    if (cursors == nullptr) {
        VO_ASSERT_FAILURE(kNoCursors);
        return;
    }
    for (int i = 0; i < cursors->GetCount(); ++i) {
        AddLook(VoLayoutBuilder::BuildSprite(cursors->GetListAt(i)));
    }
}

void MGCursor::LoadItemLooks() {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures == nullptr) {
        return;
    }
    // The items' pictures are named from the inventory's folder.
    const VoString root = textures->GetRoot();
    textures->SetRoot(VoString(kItemRoot));
    VoPropertyList list;
    if (!list.Load(VoString(kItemFile), true)) {
        VO_ASSERT_FAILURE(kFileFailure, kItemFile);
    } else {
        for (int c = 1; c <= kCaseCount; ++c) {
            VoPropertyList* items = list.GetList(CaseSection(c));
            for (int i = 0; items != nullptr && i < items->GetCount(); ++i) {
                VoPropertyList* entry = items->GetListAt(i);
                VoPropertyList* description =
                    entry != nullptr ? entry->GetList(VoString(u"sprite")) : nullptr;
                VoSprite* sprite = VoLayoutBuilder::BuildSprite(description);
                bool found = false;
                const VoVectorFloat coords =
                    description != nullptr ? description->GetVectorFloat(VoString(u"texturecoords"), &found)
                                           : VoVectorFloat();
                if (sprite != nullptr && found && coords.GetCount() >= 4) {
                    // The hot spot in the middle of the picture.
                    sprite->SetCenter((coords.GetAt(2) - coords.GetAt(0)) * 0.5f,
                                      (coords.GetAt(3) - coords.GetAt(1)) * 0.5f);
                }
                AddLook(sprite);
            }
        }
    }
    if (root.GetLength() > 0) {
        textures->SetRoot(root);
    }
}

void MGCursor::LoadHighlight() {
    VoPropertyList list;
    if (!list.Load(VoString(kIconFile), true)) {
        VO_ASSERT_FAILURE(kFileFailure, kIconFile);
        return;
    }
    VoPropertyList* description = list.GetList(VoString(u"hilight"));
    if (description == nullptr) {
        VO_ASSERT_FAILURE(kNoHighlight);
        return;
    }
    fpHighlight = VoLayoutBuilder::BuildSprite(description);
    if (fpHighlight == nullptr) {
        VO_ASSERT_FAILURE(kSpriteFailure);
        return;
    }
    fpHighlight->SetRelativeZ(kHighlightZ);
    fpHighlight->SetActive(false);
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    fHighlightInRoot = display != nullptr && display->AddMember(fpHighlight);
}

bool MGCursor::SetCursor(int aId, const VoString& aName) {
    if (aId < 0 || aId >= kCursorCount) {
        VO_ERROR(kSetCursorInvalid);
        return false;
    }
    fOwner = aName;
    const bool itemLook = aId == kItem || aId == kItemHighlighted;
    const VoString look = itemLook ? GetItemLook(fItem) : GetCursorName(aId);
    const bool shown = fpCursor != nullptr && fpCursor->SetState(look);
    SetHighlight(aId == kItemHighlighted);
    if (shown) {
        fCurrentId = aId;
    }
    return shown;
}

bool MGCursor::ResetCursor(const VoString& aName) {
    if (aName.GetLength() > 0 && aName != fOwner) {
        return false;
    }
    fCurrentId = fBaseId;
    return SetCursor(fBaseId, VoString(u""));
}

void MGCursor::SetItemCursor(const VoString& aItem) {
    fBaseId = kItem;
    fItem = aItem;
    ResetCursor(VoString(u""));
}

void MGCursor::SetActive(bool aActive) {
    if (aActive == fActive) {
        return;
    }
    fActive = aActive;
    if (fpCursor != nullptr) {
        fpCursor->SetActive(aActive);
    }
}

void MGCursor::SetHighlight(bool aOn) {
    if (aOn == fHighlightShown || fpHighlight == nullptr) {
        return;
    }
    fHighlightShown = aOn;
    VoMouse* mouse = VoMouse::GetInstance();
    if (!aOn) {
        if (fInMouse && mouse != nullptr) {
            mouse->RemoveListener(this);
        }
        fInMouse = false;
        fpHighlight->SetActive(false);
        return;
    }
    if (mouse != nullptr) {
        fInMouse = mouse->AddListener(this, kHighlightMouseOrder);
        VoVector2 position;
        fpHighlight->SetPosition(mouse->GetPosition(position));
    }
    fpHighlight->SetActive(true);
}

void MGCursor::OnMouseMove(const VoVector2* apPosition) {
    if (fHighlightShown && fpHighlight != nullptr && apPosition != nullptr) {
        fpHighlight->SetPosition(*apPosition);
    }
}

VoString MGCursor::ToString() const {
    return VoDebugString("MGCursor", this);
}
