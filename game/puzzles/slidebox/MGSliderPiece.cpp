#include "puzzles/slidebox/MGSliderPiece.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"

MGSliderPiece::MGSliderPiece()
    : fpGroup(nullptr),
      fpOwner(nullptr),
      fOrientation(kHorizontal),
      fStep(0.0f),
      fLastStepTime(0.0),
      fStop(kStartStop),
      fpButtons{},
      fSolvedStop(0),
      fInFrames(false) {}

MGSliderPiece::~MGSliderPiece() {
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    for (VoButton* button : fpButtons) {
        if (button != nullptr && button->GetListener() == this) {
            button->RemoveListener();
        }
    }
}

bool MGSliderPiece::Create(VoPropertyList* apEntry, MGSlideBoxPuzzle* apOwner) {
    fpOwner = apOwner;
    if (apEntry == nullptr) {
        return false;
    }
    bool hasId = false;
    bool hasType = false;
    bool hasPosition = false;
    const VoString id = apEntry->GetString(VoString(u"id"), &hasId);
    const VoString type = apEntry->GetString(VoString(u"type"), &hasType);
    const VoVectorFloat position = apEntry->GetVectorFloat(VoString(u"position"), &hasPosition);
    if (!hasId || !hasType || !hasPosition) {
        return false;
    }
    for (int missing = position.GetCount(); missing < 2; ++missing) {
        VO_ASSERT_FAILURE("");
    }
    fSolvedStop = apEntry->GetInt(VoString(u"solved"), nullptr);

    fpGroup = MGPuzzleFrame::NewGroup(id, 0.0f);
    if (fpGroup == nullptr) {
        return false;
    }
    fpGroup->SetPosition(position.GetCount() > 0 ? position.GetAt(0) : 0.0f,
                         position.GetCount() > 1 ? position.GetAt(1) : 0.0f);
    const bool vertical = type.EqualsNoCase(u"vertical");
    fOrientation = vertical ? kVertical : kHorizontal;
    fpGroup->SetRelativeZ(vertical ? kVerticalZ : kHorizontalZ);

    if (!VoLayoutBuilder::BuildSprites(apEntry->GetList(VoString(u"sprites")), fpGroup)) {
        VO_ASSERT_FAILURE("");
    }
    VoPropertyList* buttons = apEntry->GetList(VoString(u"buttons"));
    if (buttons == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    for (int i = 0; buttons != nullptr && i < kButtonCount && i < buttons->GetCount(); ++i) {
        VoButton* button = VoLayoutBuilder::BuildButton(buttons->GetListAt(i), this);
        if (MGPuzzleFrame::AddMember(fpGroup, button)) {
            fpButtons[i] = button;
        }
    }
    fStop = kStartStop;
    fpGroup->SetBlend(kBlend);
    VoDisplayGroup* root = apOwner != nullptr ? apOwner->GetRootGroup() : nullptr;
    if (!MGPuzzleFrame::AddMember(root, fpGroup)) {
        fpGroup = nullptr;
        fpButtons[0] = nullptr;
        fpButtons[1] = nullptr;
        return false;
    }
    return true;
}

void MGSliderPiece::SetButtonsEnabled(bool aEnabled) {
    for (VoButton* button : fpButtons) {
        if (button != nullptr) {
            button->SetEnabled(aEnabled);
        }
    }
}

void MGSliderPiece::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick || fInFrames) {
        return;
    }
    if (aId.EqualsNoCase(u"up") || aId.EqualsNoCase(u"left")) {
        if (fStop < 1) {
            return;
        }
        --fStop;
        fStep = -kStep;
    } else if (aId.EqualsNoCase(u"down") || aId.EqualsNoCase(u"right")) {
        if (fStop >= kStopCount - 1) {
            return;
        }
        ++fStop;
        fStep = kStep;
    } else {
        return;
    }
    if (fpOwner != nullptr) {
        fpOwner->OnPieceMoveStarted();
    }
    fLastStepTime = MGPuzzleFrame::Now();
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
}

float MGSliderPiece::StopCoordinate() const {
    return fOrientation == kVertical ? kYStops[fStop] : kXStops[fStop];
}

void MGSliderPiece::OnUpdate() {
    const double now = MGPuzzleFrame::Now();
    if (fpGroup == nullptr || now - fLastStepTime <= kStepTime) {
        return;
    }
    VoVector2 position = fpGroup->GetPosition();
    float& coordinate = fOrientation == kVertical ? position.y : position.x;
    coordinate += fStep;
    const float stop = StopCoordinate();
    const bool arrived = fStep < 0.0f ? coordinate < stop : coordinate > stop;
    if (arrived) {
        coordinate = stop;
    }
    fpGroup->SetPosition(position);
    fLastStepTime = now;
    if (arrived) {
        MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
        if (fpOwner != nullptr) {
            fpOwner->OnPieceMoveEnded();
        }
    }
}

VoString MGSliderPiece::ToString() const {
    return VoDebugString("MGSliderPiece", this);
}
