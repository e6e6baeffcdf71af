#include "multicursor/MGMultiCursor.h"

#include <algorithm>

#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoToolTip.h"
#include "gdi/VoToolTipManager.h"
#include "geometry/VoImage.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "multicursor/MGIMultiCursorListener.h"
#include "platform/VoMouse.h"
#include "render/VoTextureManager.h"
#include "system/VoITimer.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"

namespace {

VoCleanerSingleton<MGMultiCursor, MGCleanerHome> gInstance;

// A cell of the texture, (left, top)-(right, bottom) with right and bottom
// outside it.
struct Cell {
    float left, top, right, bottom;
};

struct LayoutTable {
    Cell background;
    VoVector2 backgroundPosition;
    // In the order look, use, collect, analyze, talk.
    VoVector2 buttons[MGMultiCursor::kButtonCount];
};

const LayoutTable kLayouts[2] = {
    {{153.0f, 0.0f, 203.0f, 190.0f},
     {19.0f, 38.0f},
     {{0.0f, 0.0f}, {20.0f, 52.0f}, {30.0f, 107.0f}, {20.0f, 163.0f}, {0.0f, 215.0f}}},
    {{204.0f, 0.0f, 255.0f, 190.0f},
     {10.0f, 38.0f},
     {{27.0f, 0.0f}, {9.0f, 52.0f}, {0.0f, 107.0f}, {9.0f, 163.0f}, {27.0f, 215.0f}}},
};

constexpr float kCellSize = 51.0f;

// The texture's rows, in the order of the layout table, with the names of
// their state pictures.
struct ButtonPictures {
    const char16_t* id;
    const char16_t* disabled;
    const char16_t* normal;
    const char16_t* over;
};

const ButtonPictures kButtons[MGMultiCursor::kButtonCount] = {
    {u"look", u"eyeButton_n", u"eyeButton_o", u"eyeButton_d"},
    {u"use", u"useButton_n", u"useButton_o", u"useButton_d"},
    {u"collect", u"collectButton_n", u"collectButton_o", u"collectButton_d"},
    {u"analyze", u"analyzeButton_n", u"analyzeButton_o", u"analyzeButton_d"},
    {u"talk", u"talkButton_n", u"talkButton_o", u"talkButton_d"},
};

// The tooltip texts' keys, in tooltip order.
const char16_t* const kTooltipKeys[MGMultiCursor::kButtonCount] = {u"use", u"collect", u"analyze", u"talk",
                                                                   u"look"};

const VoColor kTooltipColor(0.8f, 0.96f, 1.0f, 0.62f);
const VoColor kDisabledTooltipColor(0.8f, 0.4f, 0.4f, 0.4f);
const VoColor kTooltipBorder(1.0f, 0.0f, 0.0f, 0.0f);

// Shows the cell of the texture (the sprite's texel corners are inclusive).
void ShowCell(VoSprite* apSprite, std::uint32_t aTexture, const Cell& aCell) {
    if (apSprite == nullptr || aTexture == 0) {
        return;
    }
    VoVector2 min(aCell.left, aCell.top);
    VoVector2 max(aCell.right - 1.0f, aCell.bottom - 1.0f);
    apSprite->SetTexture(aTexture, &min, &max);
}

void FadeOut(VoToolTip* apTooltip) {
    if (apTooltip != nullptr && !apTooltip->IsFadingOut()) {
        apTooltip->FadeOut();
    }
}

}  // namespace

MGMultiCursor* MGMultiCursor::GetInstance() {
    return gInstance.Get(
        [] {
            MGMultiCursor* menu = VO_NEW MGMultiCursor();
            VoDisplayManager* display = VoDisplayManager::GetInstance();
            if (menu != nullptr && (display == nullptr || !display->AddMember(menu))) {
                delete menu;
                return static_cast<MGMultiCursor*>(nullptr);
            }
            return menu;
        },
        kCreationFailure);
}

MGMultiCursor::MGMultiCursor()
    : fpMenuSprite(nullptr),
      fpUseButton(nullptr),
      fpCollectButton(nullptr),
      fpAnalyzeButton(nullptr),
      fpTalkButton(nullptr),
      fpLookButton(nullptr),
      fpHoverButtons{},
      fTexture(0),
      fFading(false),
      fLastStepTime(-1.0),
      fAlpha(0.0f),
      fAlphaStep(0.0f),
      fDeactivateOnHide(false),
      fShown(false),
      fHovered(-1),
      fpTooltips{},
      fpPendingTooltip(nullptr),
      fpDisplayedTooltip(nullptr),
      fTooltipPending(false),
      fTooltipDisplayed(false),
      fTooltipDue(0.0),
      fpListener(nullptr),
      fInFrames(false),
      fLocking(false) {
    SetId(VoString(kId));
    SetRelativeZ(kRelativeZ);
    Build();
    LoadTooltips();
}

MGMultiCursor::~MGMultiCursor() {
    ListenToFrames(false);
    UnlockMouse();
    fpListener = nullptr;
    // Once the tooltip manager is gone, the display root has deleted them.
    if (VoToolTipManager* tooltips = VoToolTipManager::PeekInstance()) {
        for (int i = 0; i < kButtonCount; ++i) {
            VoToolTip* tooltip = nullptr;
            if (tooltips->RemoveToolTip(VoString(kTooltipPrefix) + i, &tooltip)) {
                delete tooltip;
            }
        }
    }
}

void MGMultiCursor::Build() {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures != nullptr) {
        fTexture = textures->GetHandle(VoString(kTextureId));
        if (fTexture == 0) {
            VoImage* image = nullptr;
            if (!VoImage::CreateFromFile(VoString(kTextureFile), &image) || image == nullptr) {
                VO_ASSERT_FAILURE("");
            } else {
                fTexture = textures->CreateTexture(VoString(kTextureId), image);
            }
            delete image;
        }
    }

    fpMenuSprite = VO_NEW VoSprite();
    if (fpMenuSprite != nullptr) {
        fpMenuSprite->SetId(VoString(kMenuSpriteId));
        ShowCell(fpMenuSprite, fTexture, kLayouts[0].background);
        fpMenuSprite->SetPosition(kLayouts[0].backgroundPosition);
    }
    fpLookButton = MakeButton(kButtons[0].id, 0);
    fpUseButton = MakeButton(kButtons[1].id, 1);
    fpCollectButton = MakeButton(kButtons[2].id, 2);
    fpAnalyzeButton = MakeButton(kButtons[3].id, 3);
    fpTalkButton = MakeButton(kButtons[4].id, 4);
    fpHoverButtons[0] = fpUseButton;
    fpHoverButtons[1] = fpCollectButton;
    fpHoverButtons[2] = fpAnalyzeButton;
    fpHoverButtons[3] = fpTalkButton;
    fpHoverButtons[4] = fpLookButton;
    for (VoButton* button : {fpUseButton, fpCollectButton, fpAnalyzeButton, fpTalkButton}) {
        if (button != nullptr) {
            button->SetEnabled(false);
        }
    }

    SetVisible(false);
    if (fpMenuSprite != nullptr && !AddMember(fpMenuSprite, true)) {
        delete fpMenuSprite;
        fpMenuSprite = nullptr;
    }
    for (VoButton** button : {&fpLookButton, &fpUseButton, &fpCollectButton, &fpAnalyzeButton, &fpTalkButton}) {
        if (*button != nullptr && !AddMember(*button, true)) {
            for (VoButton*& hover : fpHoverButtons) {
                if (hover == *button) {
                    hover = nullptr;
                }
            }
            delete *button;
            *button = nullptr;
        }
    }
}

VoButton* MGMultiCursor::MakeButton(const char16_t* apId, int aRow) {
    VoButton* button = VO_NEW VoButton();
    if (button == nullptr) {
        return nullptr;
    }
    button->SetId(VoString(apId));
    button->SetRelativeZ(kButtonZ);
    button->SetMouseOrder(this, kMouseOrder);
    const ButtonPictures& pictures = kButtons[aRow];
    const XBTNSTATE states[3] = {XBTNSTATE_DISABLED, XBTNSTATE_NORMAL, XBTNSTATE_OVER};
    const char16_t* names[3] = {pictures.disabled, pictures.normal, pictures.over};
    const float top = kCellSize * static_cast<float>(aRow);
    for (int column = 0; column < 3; ++column) {
        VoSprite* sprite = VO_NEW VoSprite();
        if (sprite == nullptr) {
            continue;
        }
        sprite->SetId(VoString(names[column]));
        const float left = kCellSize * static_cast<float>(column);
        ShowCell(sprite, fTexture, Cell{left, top, left + kCellSize, top + kCellSize});
        if (!button->AddButtonStateObject(states[column], sprite)) {
            delete sprite;
        }
    }
    button->SetPosition(kLayouts[0].buttons[aRow]);
    return button;
}

void MGMultiCursor::LoadTooltips() {
    VoString texts[kButtonCount];
    VoPropertyList list;
    if (list.Load(VoString(kTooltipFile), true)) {
        for (int i = 0; i < kButtonCount; ++i) {
            texts[i] = list.GetString(VoString(kTooltipKeys[i]), nullptr);
        }
    }
    VoToolTipManager* tooltips = VoToolTipManager::GetInstance();
    VoFontManager* fonts = VoFontManager::GetInstance();
    if (tooltips == nullptr) {
        return;
    }
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kTooltipFont)) : nullptr;
    for (int i = 0; i < kButtonCount; ++i) {
        VoToolTip* tooltip = tooltips->CreateToolTip(font, VoString(kTooltipPrefix) + i, kTooltipZ);
        if (tooltip == nullptr) {
            continue;
        }
        tooltip->SetBackgroundColor(kTooltipColor);
        tooltip->SetBorderColor(kTooltipBorder);
        tooltip->SetText(texts[i]);
        tooltip->Hide();
        fpTooltips[i] = tooltip;
    }
}

void MGMultiCursor::SetLayout(int aLayout) {
    const LayoutTable& layout = kLayouts[aLayout == 1 ? 1 : 0];
    if (fpMenuSprite != nullptr) {
        ShowCell(fpMenuSprite, fTexture, layout.background);
        fpMenuSprite->SetPosition(layout.backgroundPosition);
    }
    VoButton* buttons[kButtonCount] = {fpLookButton, fpUseButton, fpCollectButton, fpAnalyzeButton, fpTalkButton};
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttons[i] != nullptr) {
            buttons[i]->SetPosition(layout.buttons[i]);
        }
    }
}

VoButton* MGMultiCursor::GetButton(int aAction) const {
    switch (aAction) {
        case MGIMultiCursorListener::kUse:
            return fpUseButton;
        case MGIMultiCursorListener::kCollect:
            return fpCollectButton;
        case MGIMultiCursorListener::kAnalyze:
            return fpAnalyzeButton;
        case MGIMultiCursorListener::kTalk:
            return fpTalkButton;
        case MGIMultiCursorListener::kLook:
            return fpLookButton;
        default:
            return nullptr;
    }
}

VoToolTip* MGMultiCursor::GetToolTip(int aIndex) const {
    return aIndex >= 0 && aIndex < kButtonCount ? fpTooltips[aIndex] : nullptr;
}

bool MGMultiCursor::SetActionEnabled(int aAction, bool aEnabled) {
    if (VoButton* button = GetButton(aAction)) {
        button->SetEnabled(aEnabled);
        button->InvalidateState();
        button->Validate();
    }
    return true;
}

bool MGMultiCursor::SetListener(MGIMultiCursorListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kSetListenerNull);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool MGMultiCursor::RemoveListener(MGIMultiCursorListener* apListener) {
    if (fpListener == nullptr || fpListener != apListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

void MGMultiCursor::Show(const VoVector2& aPosition) {
    if (GetVisible()) {
        return;
    }
    SetPosition(aPosition.x, std::min(aPosition.y, kMaxY));
    // A new opening: the button hovered when the menu last closed gets its
    // tooltip again.
    fHovered = -1;
    fLastStepTime = Now();
    fAlpha = 0.0f;
    fAlphaStep = kFadeStep;
    SetBlend(0.0f);
    SetVisible(true);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(1, VoString(u""));
    }
    LockMouse();
    fFading = true;
    ListenToFrames(true);
}

void MGMultiCursor::Hide(bool aDeactivate) {
    const VoVector2 origin(0.0f, 0.0f);
    for (VoButton* button : fpHoverButtons) {
        if (button != nullptr) {
            button->OnButtonUp(1);
            button->OnMouseMove(&origin);
        }
    }
    fShown = false;
    FadeOutTooltips();
    fDeactivateOnHide = aDeactivate;
    fLastStepTime = Now();
    fAlpha = 1.0f;
    fAlphaStep = -kFadeStep;
    fFading = true;
    UnlockMouse();
}

void MGMultiCursor::OnButtonEvent(const VoString& aId, int aCode) {
    // Only a menu that is open: its buttons hear the mouse whenever the
    // menu is active, also while it is hidden or fading away.
    if (aCode != kPressed || !GetActive() || !fLocking) {
        return;
    }
    FadeOutTooltips();
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->AdvanceTime(kActionSeconds, true);
    }
    int action = 0;
    for (int i = 0; i < kButtonCount; ++i) {
        if (aId == VoString(kButtons[i].id)) {
            action = i == 0 ? MGIMultiCursorListener::kLook : i;
        }
    }
    if (action == 0) {
        return;
    }
    if (fpListener != nullptr) {
        fpListener->OnAction(action);
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

void MGMultiCursor::OnButtonDown(int aButton) {
    if (aButton != 1) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    VoVector2 position;
    if (mouse != nullptr) {
        mouse->GetPosition(position);
    }
    if (FindButtonAt(position) >= 0) {
        return;
    }
    if (fpListener != nullptr) {
        fpListener->OnAction(MGIMultiCursorListener::kDismissed);
    }
    fShown = false;
    FadeOutTooltips();
    fDeactivateOnHide = false;
    fAlpha = 1.0f;
    fAlphaStep = -kFadeStep;
    fFading = true;
    UnlockMouse();
    if (mouse != nullptr) {
        mouse->ConsumeEvent();
    }
}

void MGMultiCursor::OnUpdate() {
    const double now = Now();
    VoVector2 pointer;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(pointer);
    }
    if (fShown) {
        const int found = FindButtonAt(pointer);
        if (found >= 0 && found != fHovered) {
            if (fTooltipDisplayed) {
                FadeOut(fpDisplayedTooltip);
            }
            fpPendingTooltip = fpTooltips[found];
            if (fpPendingTooltip != nullptr) {
                fpPendingTooltip->SetBackgroundColor(fpHoverButtons[found]->IsEnabled() ? kTooltipColor
                                                                                        : kDisabledTooltipColor);
            }
            fTooltipDue = now + kTooltipDelay;
            fTooltipPending = fpPendingTooltip != nullptr;
        } else if (found < 0) {
            if (fTooltipDisplayed) {
                FadeOut(fpDisplayedTooltip);
            }
            fTooltipPending = false;
            fTooltipDisplayed = false;
        }
        fHovered = found;
    }
    if (fTooltipPending && now >= fTooltipDue) {
        VoVector2 place = pointer;
        place.y = place.y <= kTooltipFlipY ? place.y + kTooltipBelow : place.y - kTooltipAbove;
        fpPendingTooltip->SetPosition(place);
        if (!fpPendingTooltip->IsFadingIn()) {
            fpPendingTooltip->FadeIn();
        }
        fpDisplayedTooltip = fpPendingTooltip;
        fTooltipDisplayed = true;
        fTooltipPending = false;
        return;
    }
    if (!fFading || !(now - fLastStepTime > kStepInterval)) {
        return;
    }
    fAlpha += fAlphaStep;
    if (fAlpha < 0.0f) {
        fAlpha = 0.0f;
        SetVisible(false);
        fShown = false;
        if (fDeactivateOnHide) {
            SetActive(false);
        }
        fLastStepTime = -1.0;
        ListenToFrames(false);
        fFading = false;
        SetBlend(0.0f);
    } else if (fAlpha < 1.0f) {
        SetBlend(fAlpha);
        fLastStepTime = now;
    } else {
        fAlpha = 1.0f;
        SetActive(true);
        fShown = true;
        fFading = false;
        SetBlend(1.0f);
        fLastStepTime = now;
    }
}

int MGMultiCursor::FindButtonAt(const VoVector2& aPoint) {
    for (int i = 0; i < kButtonCount; ++i) {
        VoIDisplayObject* picture = fpHoverButtons[i] != nullptr ? fpHoverButtons[i]->GetObject() : nullptr;
        VoPolygon outline;
        if (picture != nullptr && picture->GetWorldBoundary(outline) && outline.ContainsPoint(aPoint)) {
            return i;
        }
    }
    return -1;
}

void MGMultiCursor::FadeOutTooltips() {
    // A tooltip still waiting for its delay must not appear on a closed menu.
    fTooltipPending = false;
    fTooltipDisplayed = false;
    for (VoToolTip* tooltip : fpTooltips) {
        FadeOut(tooltip);
    }
}

void MGMultiCursor::LockMouse() {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr || fpLookButton == nullptr) {
        return;
    }
    fLocking = mouse->Lock(fpLookButton);
    for (VoButton* button : {fpUseButton, fpCollectButton, fpAnalyzeButton, fpTalkButton}) {
        if (button != nullptr) {
            mouse->AddLock(button);
        }
    }
    mouse->AddLock(static_cast<VoIMouseListener*>(this));
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        mouse->AddLock(cursor);
    }
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        mouse->AddLock(cursor);
    }
    for (VoButton* button : fpHoverButtons) {
        if (button != nullptr) {
            button->Validate();
        }
    }
}

void MGMultiCursor::UnlockMouse() {
    if (!fLocking) {
        return;
    }
    fLocking = false;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        // Ends the locks only while the look button holds the first one.
        mouse->Unlock(fpLookButton);
    }
}

void MGMultiCursor::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kFrameOrder, aListen, &fInFrames);
}

double MGMultiCursor::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoString MGMultiCursor::ToString() const {
    return VoDebugString("MGMultiCursor", this);
}
