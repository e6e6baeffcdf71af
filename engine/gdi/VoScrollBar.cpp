#include "gdi/VoScrollBar.h"

#include <climits>
#include <cmath>
#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "platform/VoMouse.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"

namespace {

// The part held across all scroll bars.
int gCapturedPart = VoScrollBar::kPartNone;

// Far below the timer's millisecond step: a step exactly one interval after
// the last must not be lost to rounding.
constexpr double kTimeTolerance = 1e-6;

// Toward zero; NaN gives 0 and values beyond an int stop at its ends, so no
// pointer position or layout number makes the conversion undefined.
int Truncate(double aValue) {
    if (std::isnan(aValue)) {
        return 0;
    }
    if (aValue >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (aValue <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(aValue);
}

int ClampToInt(long long aValue) {
    if (aValue > INT_MAX) {
        return INT_MAX;
    }
    if (aValue < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(aValue);
}

}  // namespace

VoScrollBar::VoScrollBar() : VoScrollBar(nullptr) {}

VoScrollBar::VoScrollBar(VoITimer* apTimer)
    : fHorizontal(false),
      fpContent(nullptr),
      fpBar(nullptr),
      fDragging(false),
      fpUpArrow(nullptr),
      fUpHeld(false),
      fOverUpArrow(false),
      fpDownArrow(nullptr),
      fDownHeld(false),
      fOverDownArrow(false),
      fFirstStepPending(false),
      fNextStepTime(0.0),
      fpTimer(apTimer),
      fTimerGiven(apTimer != nullptr),
      fpListener(nullptr),
      fBarOffset(0),
      fBarAreaHeight(0),
      fBarHeight(0),
      fDragStartCoordinate(0),
      fBarRest(),
      fDragStartPointer(),
      fContentHeight(0),
      fContentStart(),
      fTravel(0),
      fMaxScroll(0),
      fFraction(0.0f),
      fPosition(0),
      fScrollIncrement(0),
      fScrollAreaHeight(0),
      fLastTold(-1),
      fInFrames(false) {}

VoScrollBar::~VoScrollBar() {
    EndCapture();
    fpListener = nullptr;
    fpTimer = nullptr;
    fpContent = nullptr;
    DetachButtons();
}

VoString VoScrollBar::ToString() const {
    return VoDebugString("VoScrollBar", this);
}

int VoScrollBar::GetCapturedPart() {
    return gCapturedPart;
}

bool VoScrollBar::Create(const VoScrollBarDesc& aDesc) {
    if (aDesc.fpDownArrow == nullptr || aDesc.fpUpArrow == nullptr || aDesc.fpBar == nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    // A second Create lets go of what the first one held.
    EndCapture();
    DetachButtons();
    fHorizontal = aDesc.fHorizontal;
    fpContent = nullptr;
    fpUpArrow = aDesc.fpUpArrow;
    fpDownArrow = aDesc.fpDownArrow;
    fpBar = aDesc.fpBar;
    fpUpArrow->SetListener(this);
    fpDownArrow->SetListener(this);
    fpBar->SetListener(this);
    fUpHeld = false;
    fOverUpArrow = false;
    fDownHeld = false;
    fOverDownArrow = false;
    // The bar's own position, which ApplyPosition sets: a centre or scale
    // of the bar must not shift it.
    fBarRest = fpBar->GetPosition();
    fDragging = false;
    fBarAreaHeight = aDesc.fBarAreaHeight;
    fBarHeight = aDesc.fBarHeight;
    fTravel = ClampToInt(static_cast<long long>(fBarAreaHeight) - fBarHeight);
    fScrollAreaHeight = aDesc.fScrollAreaHeight;
    fPosition = 0;
    fBarOffset = 0;
    fContentStart = aDesc.fContentStart;
    fScrollIncrement = aDesc.fScrollIncrement;
    SetContentHeight(aDesc.fContentHeight);
    fFraction = 0.0f;
    if (!fTimerGiven) {
        fpTimer = VoITimer::GetInstance();
    }
    UpdateBarFromPosition();
    return true;
}

bool VoScrollBar::SetContentGroup(VoDisplayGroup* apContent) {
    if (apContent == nullptr) {
        VO_ERROR(kSetContentGroupNull);
        return false;
    }
    fpContent = apContent;
    UpdateBarFromPosition();
    return true;
}

void VoScrollBar::SetContentHeight(int aHeight) {
    fContentHeight = aHeight;
    fMaxScroll = ClampToInt(static_cast<long long>(aHeight) - fScrollAreaHeight);
    const bool scrolls = fMaxScroll >= 1;
    // Disabling a held part's button ends the hold (OnButtonEvent).
    for (VoButton* button : {fpDownArrow, fpUpArrow, fpBar}) {
        if (button != nullptr) {
            button->SetEnabled(scrolls);
        }
    }
    if (!scrolls) {
        fBarOffset = 0;
    }
    fBarOffset = ClampOffset(fBarOffset);
    fFraction = fTravel < 1 ? 0.0f : static_cast<float>(fBarOffset) / static_cast<float>(fTravel);
    fPosition = Truncate(static_cast<double>(fMaxScroll) * fFraction);
    ApplyPosition();
    UpdateBarFromPosition();
}

bool VoScrollBar::SetListener(VoIScrollBarListener* apListener) {
    fpListener = apListener;
    return true;
}

bool VoScrollBar::RemoveListener(VoIScrollBarListener* apListener) {
    if (apListener != fpListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

void VoScrollBar::ScrollDown() {
    if (fMaxScroll <= 0) {
        return;
    }
    const long long position = static_cast<long long>(fPosition) + fScrollIncrement;
    fPosition = position > fMaxScroll ? fMaxScroll : (position < 0 ? 0 : static_cast<int>(position));
    UpdateBarFromPosition();
}

void VoScrollBar::ScrollUp() {
    if (fMaxScroll <= 0) {
        return;
    }
    const long long position = static_cast<long long>(fPosition) - fScrollIncrement;
    fPosition = position < 0 ? 0 : (position > fMaxScroll ? fMaxScroll : static_cast<int>(position));
    UpdateBarFromPosition();
}

void VoScrollBar::ScrollToTop() {
    SetScrollFraction(0.0f);
}

void VoScrollBar::SetScrollFraction(float aFraction) {
    // Beyond the ends the content and the bar would leave their track.
    float fraction = aFraction > 0.0f ? aFraction : 0.0f;  // NaN too
    fraction = fraction < 1.0f ? fraction : 1.0f;
    fFraction = fMaxScroll < 1 ? 0.0f : fraction;
    fBarOffset = ClampOffset(Truncate(static_cast<double>(fTravel) * fFraction));
    fPosition = Truncate(static_cast<double>(fMaxScroll) * fFraction);
    ApplyPosition();
}

int VoScrollBar::ClampOffset(long long aOffset) const {
    if (aOffset > fTravel) {
        aOffset = fTravel;
    }
    if (aOffset < 0) {
        aOffset = 0;
    }
    return static_cast<int>(aOffset);
}

VoVector2 VoScrollBar::MovedAlong(const VoVector2& aPoint, float aDistance) const {
    return fHorizontal ? VoVector2(aPoint.x + aDistance, aPoint.y)
                       : VoVector2(aPoint.x, aPoint.y + aDistance);
}

void VoScrollBar::UpdateBarFromPosition() {
    fFraction = fMaxScroll < 1 ? 0.0f : static_cast<float>(fPosition) / static_cast<float>(fMaxScroll);
    fBarOffset = ClampOffset(Truncate(static_cast<double>(fTravel) * fFraction));
    ApplyPosition();
}

void VoScrollBar::ApplyPosition() {
    if (fpBar != nullptr) {
        fpBar->SetPosition(MovedAlong(fBarRest, static_cast<float>(fBarOffset)));
    }
    if (fpContent != nullptr) {
        fpContent->SetPosition(MovedAlong(fContentStart, -static_cast<float>(fPosition)));
    }
    if (fPosition != fLastTold) {
        fLastTold = fPosition;
        NotifyListener();
    }
}

void VoScrollBar::NotifyListener() {
    if (fpListener != nullptr) {
        fpListener->OnScroll(fPosition);
    }
}

bool VoScrollBar::Names(VoButton* apButton, const VoString& aId) {
    return apButton != nullptr && apButton->GetId() == aId;
}

void VoScrollBar::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode == kDisabled) {
        // A disabled button never hears its release: the hold ends here.
        if ((fUpHeld && Names(fpUpArrow, aId)) || (fDownHeld && Names(fpDownArrow, aId)) ||
            (fDragging && Names(fpBar, aId))) {
            EndCapture();
        }
        return;
    }
    if (aCode == kEnabled) {
        return;
    }
    if (Names(fpUpArrow, aId)) {
        OnUpArrowEvent(aCode);
    } else if (Names(fpDownArrow, aId)) {
        OnDownArrowEvent(aCode);
    } else if (Names(fpBar, aId)) {
        OnBarEvent(aCode);
    }
}

void VoScrollBar::OnUpArrowEvent(int aCode) {
    // Where the pointer is counts whatever is held: a press that follows
    // must find the flag true.
    if (aCode == kEntered || aCode == kLeft) {
        fOverUpArrow = aCode == kEntered;
        return;
    }
    if (gCapturedPart != kPartNone && gCapturedPart != kPartUpArrow) {
        return;
    }
    if (aCode == kPressed) {
        HoldArrow(&fUpHeld, kPartUpArrow);
    } else if (aCode == kReleasedOutside || aCode == kClick) {
        ReleaseArrow(&fUpHeld);
    }
}

void VoScrollBar::OnDownArrowEvent(int aCode) {
    if (aCode == kEntered || aCode == kLeft) {
        fOverDownArrow = aCode == kEntered;
        return;
    }
    if (gCapturedPart != kPartNone && gCapturedPart != kPartDownArrow) {
        return;
    }
    if (aCode == kPressed) {
        HoldArrow(&fDownHeld, kPartDownArrow);
    } else if (aCode == kReleasedOutside || aCode == kClick) {
        ReleaseArrow(&fDownHeld);
    }
}

void VoScrollBar::HoldArrow(bool* apHeld, int aPart) {
    if (*apHeld) {
        return;
    }
    fFirstStepPending = true;
    *apHeld = true;
    gCapturedPart = aPart;
    JoinFrames();
}

void VoScrollBar::ReleaseArrow(bool* apHeld) {
    if (!*apHeld) {
        return;
    }
    *apHeld = false;
    gCapturedPart = kPartNone;
    LeaveFrames();
}

void VoScrollBar::OnBarEvent(int aCode) {
    if (gCapturedPart != kPartNone && gCapturedPart != kPartBar) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (aCode == kPressed) {
        if (fDragging) {
            return;
        }
        fDragging = true;
        fDragStartCoordinate = Truncate(Along(fpBar->GetPosition()));
        if (mouse != nullptr) {
            mouse->GetPosition(fDragStartPointer);
        }
        gCapturedPart = kPartBar;
        JoinFrames();
        // Only the bar and the cursor hear the mouse while it is dragged.
        if (mouse != nullptr) {
            mouse->Lock(fpBar);
            if (VoCursor* cursor = VoCursor::GetInstance()) {
                mouse->AddLock(cursor);
            }
        }
    } else if (aCode == kReleasedOutside || aCode == kClick) {
        if (!fDragging) {
            return;
        }
        fDragging = false;
        gCapturedPart = kPartNone;
        LeaveFrames();
        if (mouse != nullptr) {
            mouse->Unlock(nullptr);
        }
    }
}

void VoScrollBar::EndCapture() {
    if (fUpHeld) {
        fUpHeld = false;
        if (gCapturedPart == kPartUpArrow) {
            gCapturedPart = kPartNone;
        }
    }
    if (fDownHeld) {
        fDownHeld = false;
        if (gCapturedPart == kPartDownArrow) {
            gCapturedPart = kPartNone;
        }
    }
    if (fDragging) {
        fDragging = false;
        if (gCapturedPart == kPartBar) {
            gCapturedPart = kPartNone;
        }
        // Our lock only: the bar is its first holder.
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->Unlock(fpBar);
        }
    }
    LeaveFrames();
}

void VoScrollBar::DetachButtons() {
    for (VoButton* button : {fpUpArrow, fpDownArrow, fpBar}) {
        if (button != nullptr && button->GetListener() == this) {
            button->RemoveListener();
        }
    }
}

void VoScrollBar::JoinFrames() {
    if (fInFrames) {
        return;
    }
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        fInFrames = frames->AddListener(this, kFrameOrder);
    }
}

void VoScrollBar::LeaveFrames() {
    if (!fInFrames) {
        return;
    }
    fInFrames = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}

bool VoScrollBar::HeldPartsHearMouse() {
    const auto hears = [](VoButton* apButton) {
        return apButton != nullptr && apButton->GetEffectiveActive() && apButton->GetEffectiveEnabled();
    };
    return (!fUpHeld || hears(fpUpArrow)) && (!fDownHeld || hears(fpDownArrow)) &&
           (!fDragging || hears(fpBar));
}

void VoScrollBar::OnUpdate() {
    if (!HeldPartsHearMouse()) {
        // Hidden or disabled under the pointer: the release would never come.
        EndCapture();
        return;
    }
    UpdateArrowRepeat();
    UpdateDrag();
}

double VoScrollBar::Now() const {
    return fpTimer != nullptr ? fpTimer->GetTime() : 0.0;
}

void VoScrollBar::UpdateArrowRepeat() {
    bool up = false;
    if (fUpHeld && fOverUpArrow) {
        up = true;
    } else if (!(fDownHeld && fOverDownArrow)) {
        return;
    }
    const double now = Now();
    if (fFirstStepPending) {
        fFirstStepPending = false;
        fNextStepTime = now + (kFirstRepeatDelay - kRepeatInterval);
    } else if (now - fNextStepTime + kTimeTolerance >= kRepeatInterval) {
        fNextStepTime = now;
    } else {
        return;
    }
    if (up) {
        ScrollUp();
    } else {
        ScrollDown();
    }
}

void VoScrollBar::UpdateDrag() {
    if (!fDragging) {
        return;
    }
    VoVector2 pointer = fDragStartPointer;
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->GetPosition(pointer);
    }
    SetBarOffset(Truncate(static_cast<double>(Along(pointer)) - Along(fDragStartPointer)));
}

void VoScrollBar::SetBarOffset(int aDelta) {
    if (fMaxScroll <= 0) {
        return;
    }
    fBarOffset =
        ClampOffset(static_cast<long long>(fDragStartCoordinate) - Truncate(Along(fBarRest)) + aDelta);
    fFraction = fTravel < 1 ? 0.0f : static_cast<float>(fBarOffset) / static_cast<float>(fTravel);
    fPosition = Truncate(static_cast<double>(fMaxScroll) * fFraction);
    ApplyPosition();
}
