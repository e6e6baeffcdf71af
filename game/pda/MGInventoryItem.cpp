#include "pda/MGInventoryItem.h"

#include <algorithm>
#include <cmath>

#include "container/VoColor.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "system/VoITimer.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGMessageBox.h"
#include "util/MGListening.h"

namespace {

constexpr float kMouseOrder = 0.0f;
constexpr float kFrameOrder = 0.0f;

// Per kind 1..3: the id's ending, the tooltip's prefix, the badge's entry.
struct KindLook {
    const char16_t* ending;
    const char16_t* prefix;
    const char16_t* badge;
};
constexpr KindLook kKinds[] = {
    {u"_cl", u"Crime Lab: ", u"crimelab"},
    {u"_re", u"Research: ", u"research"},
    {u"_su", u"Surveillance: ", u"surveillance"},
};

const KindLook* LookOf(int aKind) {
    return aKind >= MGInventoryItem::kCrimeLab && aKind <= MGInventoryItem::kSurveillance ? &kKinds[aKind - 1]
                                                                                          : nullptr;
}

const VoColor kToolTipColor(0.8f, 0.96f, 1.0f, 0.62f);
const VoColor kToolTipBorder(1.0f, 0.0f, 0.0f, 0.0f);

// The labs an analysis goes to, by the inventory's category, in order.
constexpr const char16_t* kCrimeLabEnding = u"_CL";
constexpr const char16_t* kResearchEnding = u"_RE";
constexpr const char16_t* kSurveillanceEnding = u"_SU";

}  // namespace

VoString MGInventoryItem::DisplayIdOf(VoPropertyList* apEntry, int aKind) {
    bool found = false;
    VoString id = apEntry != nullptr ? apEntry->GetString(VoString(u"sprite.id"), &found) : VoString();
    if (!found || id.GetLength() == 0) {
        return VoString(u"");
    }
    if (const KindLook* look = LookOf(aKind)) {
        id.Append(look->ending);
    }
    return id;
}

bool MGInventoryItem::FindDescription(VoPropertyList* apDescriptions, const VoString& aId,
                                      VoVectorString* apLines) {
    VoPropertyList* entries =
        apDescriptions != nullptr && aId.GetLength() > 0 ? apDescriptions->GetList(aId) : nullptr;
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool found = false;
        const VoString active = entry->GetString(VoString(u"active"), &found);
        if (found) {
            VoScript script;
            if (builder == nullptr || !builder->Build(active, &script) || !script.Evaluate()) {
                continue;
            }
        }
        const VoString text = entry->GetString(VoString(u"text"), &found);
        if (!found) {
            return false;
        }
        if (apLines != nullptr) {
            apLines->Clear();
            text.Split(VoString(u"|"), apLines);
        }
        return true;
    }
    return false;
}

MGInventoryItem::MGInventoryItem()
    : fpGroup(nullptr),
      fKind(kPlain),
      fDistance(0.0f),
      fPressTime(-1.0),
      fHovered(false),
      fToolTipPending(false),
      fHoverStart(0.0),
      fpToolTip(nullptr),
      fInMouse(false),
      fInFrames(false),
      fMenuOpen(false) {}

MGInventoryItem::~MGInventoryItem() {
    ListenToFrames(false);
    ListenToMouse(false);
    if (fMenuOpen) {
        if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
            menu->RemoveListener(this);
        }
    }
    if (fHovered && fpToolTip != nullptr && VoToolTipManager::PeekInstance() != nullptr) {
        fpToolTip->Hide();
    }
    delete fpGroup;
}

bool MGInventoryItem::Create(VoPropertyList* apEntry, int aKind) {
    fKind = aKind;
    VoPropertyList* description = apEntry != nullptr ? apEntry->GetList(VoString(u"sprite")) : nullptr;
    VoSprite* icon = nullptr;
    if (description == nullptr) {
        VO_ASSERT_FAILURE(kNoSprite);
    } else {
        icon = VoLayoutBuilder::BuildSprite(description);
        if (icon == nullptr) {
            VO_ASSERT_FAILURE(kSpriteFailure);
        }
    }

    bool found = false;
    const VoString spriteId =
        apEntry != nullptr ? apEntry->GetString(VoString(u"sprite.id"), &found) : VoString();
    if (found) {
        MakeToolTip(spriteId);
    }

    const VoString displayId = DisplayIdOf(apEntry, aKind);
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        delete icon;
        return false;
    }
    if (displayId.GetLength() > 0) {
        fpGroup->SetId(displayId);
    }
    fpGroup->SetRelativeZ(kGroupZ);
    fpGroup->SetBoundary(VoRectangle(0.0f, 0.0f, kSize, kSize));
    if (icon != nullptr && !fpGroup->AddMember(icon, true)) {
        delete icon;
    }

    if (const KindLook* look = LookOf(aKind)) {
        VoPropertyList badges;
        if (!badges.Load(VoString(kBadgeFile), true)) {
            VO_ASSERT_FAILURE("");
        }
        VoSprite* badge = VoLayoutBuilder::BuildSprite(badges.GetList(VoString(look->badge)));
        if (badge != nullptr) {
            badge->SetRelativeZ(kBadgeZ);
            badge->SetPosition(kBadgeX, kBadgeY);
            if (!fpGroup->AddMember(badge, true)) {
                delete badge;
            }
        }
    }

    SetId(displayId);
    SetDisplayObject(fpGroup);
    ListenToMouse(true);
    if (!fInMouse) {
        VO_ASSERT_FAILURE("");
    }
    return displayId.GetLength() > 0;
}

void MGInventoryItem::MakeToolTip(const VoString& aSpriteId) {
    VoPropertyList texts;
    if (!texts.Load(VoString(kTooltipFile), true)) {
        return;
    }
    bool found = false;
    VoString text = texts.GetString(aSpriteId, &found);
    if (!found || text.GetLength() == 0) {
        return;
    }
    if (const KindLook* look = LookOf(fKind)) {
        text.Prepend(look->prefix);
    }
    VoToolTipManager* tooltips = VoToolTipManager::GetInstance();
    if (tooltips == nullptr) {
        return;
    }
    fToolTipText = text;
    // Items of the same text share one tooltip, kept by the manager under
    // the text; an item built again finds its own.
    fpToolTip = tooltips->GetToolTip(text);
    if (fpToolTip != nullptr) {
        return;
    }
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kTooltipFont)) : nullptr;
    fpToolTip = tooltips->CreateToolTip(font, text, kTooltipZ);
    if (fpToolTip == nullptr) {
        return;
    }
    fpToolTip->SetBackgroundColor(kToolTipColor);
    fpToolTip->SetBorderColor(kToolTipBorder);
    fpToolTip->SetText(text);
    fpToolTip->Hide();
}

void MGInventoryItem::UpdateActive() {
    const bool active = fpGroup != nullptr && fpGroup->GetEffectiveActive();
    SetEnabled(active);
    ListenToMouse(active);
    if (!active) {
        CancelToolTip();
        fHovered = false;
    }
}

bool MGInventoryItem::IsUnder(const VoVector2& aPoint) {
    if (fpGroup == nullptr || !fpGroup->HitTest(aPoint)) {
        return false;
    }
    MGPDA* pda = MGPDA::GetInstance();
    return pda != nullptr && pda->IsInScrollArea(aPoint);
}

void MGInventoryItem::OnButtonDown(int aButton) {
    if (aButton != 1) {
        return;
    }
    const VoVector2 pointer = Pointer();
    if (IsUnder(pointer)) {
        BeginDrag();
        fDistance = 0.0f;
        CancelToolTip();
        fPressTime = Now();
    }
    fPressPosition = pointer;
}

void MGInventoryItem::OnMouseMove(const VoVector2* apPosition) {
    if (apPosition == nullptr) {
        return;
    }
    const VoVector2 pointer = *apPosition;
    if (!fHovered) {
        if (IsUnder(pointer)) {
            fHovered = true;
            if (!fToolTipPending && !IsHeld() && fpToolTip != nullptr) {
                fToolTipPending = true;
                fHoverStart = Now();
                ListenToFrames(true);
            }
        }
    } else if (!IsUnder(pointer)) {
        fHovered = false;
        CancelToolTip();
    }
    if (!IsHeld()) {
        return;
    }
    fDistance = std::max(
        {fDistance, std::fabs(pointer.x - fPressPosition.x), std::fabs(pointer.y - fPressPosition.y)});
    if (fDistance >= kDragDistance) {
        fPressTime = -1.0;
        UpdateDrag();
    }
}

void MGInventoryItem::OnButtonUp(int aButton) {
    if (aButton != 1 || !IsHeld()) {
        return;
    }
    const bool dragged = fDistance >= kDragDistance;
    // The drop may move the item into another space of its grid.
    EndDrag();
    if (dragged) {
        fDistance = 0.0f;
        return;
    }
    if (fPressTime < 0.0) {
        return;
    }
    ListenToFrames(false);
    MGMultiCursor* menu = MGMultiCursor::GetInstance();
    if (menu == nullptr || fpGroup == nullptr) {
        return;
    }
    VoVector2 place;
    fpGroup->GetWorldPosition(place);
    menu->Show(place + VoVector2(kMenuOffset, 0.0f));
    fMenuOpen = menu->SetListener(this);
    menu->SetActionEnabled(kAnalyze, true);
    menu->SetActionEnabled(kTalk, false);
    menu->SetActionEnabled(kUse, true);
    menu->SetActionEnabled(kLook, true);
    menu->SetActionEnabled(kCollect, false);
}

void MGInventoryItem::OnAction(int aAction) {
    MGMultiCursor* menu = MGMultiCursor::GetInstance();
    fMenuOpen = false;
    switch (aAction) {
        case kUse: {
            if (MGCursor* cursor = MGCursor::GetInstance()) {
                cursor->SetItemCursor(GetItemId());
            }
            if (MGPDA* pda = MGPDA::GetInstance()) {
                pda->Close();
            }
            break;
        }
        case kAnalyze:
            Analyze();
            break;
        case kLook:
            Look();
            break;
        case kDismissed:
            // The menu closes itself.
            if (menu != nullptr) {
                menu->RemoveListener(this);
            }
            return;
        default:
            break;
    }
    if (menu != nullptr) {
        menu->Hide(true);
        menu->RemoveListener(this);
    }
}

void MGInventoryItem::Analyze() {
    MGPDA* pda = MGPDA::GetInstance();
    MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory == nullptr) {
        return;
    }
    const char16_t* labs[2] = {nullptr, nullptr};
    switch (inventory->GetCategory()) {
        case MGInventoryPanel::kWitnesses:
            labs[0] = kSurveillanceEnding;
            labs[1] = kResearchEnding;
            break;
        case MGInventoryPanel::kEvidence:
        case MGInventoryPanel::kDocuments:
            labs[0] = kCrimeLabEnding;
            labs[1] = kResearchEnding;
            break;
        default:
            return;
    }
    VoEventManager* events = VoEventManager::GetInstance();
    VoGameClock* clock = VoGameClock::GetInstance();
    if (events == nullptr) {
        return;
    }
    const VoString id = GetItemId();
    for (const char16_t* lab : labs) {
        const VoString submitted = id + lab + u"_S";
        if (events->HasEvent(submitted)) {
            continue;
        }
        events->AddEvent(submitted, true);
        if (clock != nullptr) {
            clock->AddDelayedTrigger(id + lab + u"_R", kResultDelay, -1);
        }
    }
}

void MGInventoryItem::Look() {
    VoPropertyList descriptions;
    if (!descriptions.Load(VoString(kDescriptionFile), true)) {
        return;
    }
    VoVectorString lines;
    if (!FindDescription(&descriptions, GetItemId(), &lines)) {
        return;
    }
    if (MGMessageBox* box = MGMessageBox::GetInstance()) {
        box->Show(VoString(kDescriptionBox), lines, MGMessageBox::kOk, nullptr);
    }
}

void MGInventoryItem::OnUpdate() {
    if (!fToolTipPending || Now() - fHoverStart < kTooltipDelay) {
        return;
    }
    fToolTipPending = false;
    ListenToFrames(false);
    if (fpToolTip == nullptr) {
        return;
    }
    const VoVector2 pointer = Pointer();
    fpToolTip->SetPosition(pointer.x, pointer.y - kTooltipRise);
    if (!fpToolTip->IsFadingIn()) {
        fpToolTip->FadeIn();
    }
}

void MGInventoryItem::CancelToolTip() {
    fToolTipPending = false;
    ListenToFrames(false);
    if (fpToolTip != nullptr && !fpToolTip->IsFadingOut()) {
        fpToolTip->FadeOut();
    }
}

void MGInventoryItem::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kFrameOrder, aListen, &fInFrames);
}

void MGInventoryItem::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kMouseOrder, aListen, &fInMouse);
}

VoVector2 MGInventoryItem::Pointer() {
    VoVector2 position;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(position);
    }
    return position;
}

double MGInventoryItem::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}
