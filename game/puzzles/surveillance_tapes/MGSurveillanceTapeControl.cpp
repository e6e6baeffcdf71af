#include "puzzles/surveillance_tapes/MGSurveillanceTapeControl.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoRectangle.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"

namespace {

// A switch's picture, added to the group and taking clicks on its rectangle.
VoSprite* BuildPicture(VoDisplayGroup* apGroup, VoPropertyList* apNode) {
    VoSprite* sprite = apNode != nullptr ? VoLayoutBuilder::BuildSprite(apNode) : nullptr;
    if (!MGPuzzleFrame::AddMember(apGroup, sprite)) {
        return nullptr;
    }
    sprite->SetBoundary(VoRectangle(0.0f, 0.0f, MGSurveillanceTapeControl::kSwitchWidth,
                                    MGSurveillanceTapeControl::kSwitchHeight));
    return sprite;
}

}  // namespace

MGSurveillanceTapeControl::MGSurveillanceTapeControl()
    : fpGroup(nullptr),
      fpPuzzle(nullptr),
      fSelected(kNone),
      fLocked(false),
      fpOn{},
      fpOff{},
      fListening(false) {}

MGSurveillanceTapeControl::~MGSurveillanceTapeControl() {
    Listen(false);
}

bool MGSurveillanceTapeControl::Create(MGSurveillanceTapePuzzle* apPuzzle, VoPropertyList* apTape,
                                       VoPropertyList* apSwitches) {
    fpPuzzle = apPuzzle;
    fpGroup = apTape != nullptr
                  ? MGPuzzleFrame::NewGroup(apTape->GetString(VoString(u"id"), nullptr), kRelativeZ)
                  : nullptr;
    if (fpGroup == nullptr) {
        return false;
    }
    fLocked = false;
    bool found = false;
    const VoVectorFloat position = apTape->GetVectorFloat(VoString(u"position"), &found);
    fpGroup->SetPosition(position.GetCount() > 0 ? position.GetAt(0) : 0.0f,
                         position.GetCount() > 1 ? position.GetAt(1) : 0.0f);
    for (int k = 0; k < kSwitchCount; ++k) {
        VoPropertyList* entry =
            apSwitches != nullptr && k < apSwitches->GetCount() ? apSwitches->GetListAt(k) : nullptr;
        fpOn[k] = BuildPicture(fpGroup, entry != nullptr ? entry->GetList(VoString(u"on")) : nullptr);
        fpOff[k] = BuildPicture(fpGroup, entry != nullptr ? entry->GetList(VoString(u"off")) : nullptr);
        if (fpOn[k] == nullptr || fpOff[k] == nullptr) {
            VO_ASSERT_FAILURE("");
        }
        ShowSwitch(k, false);
    }
    return true;
}

bool MGSurveillanceTapeControl::IsComplete() const {
    for (int k = 0; k < kSwitchCount; ++k) {
        if (fpOn[k] == nullptr || fpOff[k] == nullptr) {
            return false;
        }
    }
    return true;
}

VoSprite* MGSurveillanceTapeControl::GetSwitch(int aIndex, bool aOn) const {
    if (aIndex < 0 || aIndex >= kSwitchCount) {
        return nullptr;
    }
    return aOn ? fpOn[aIndex] : fpOff[aIndex];
}

void MGSurveillanceTapeControl::ShowSwitch(int aIndex, bool aOn) {
    if (fpOn[aIndex] != nullptr) {
        fpOn[aIndex]->SetVisible(aOn);
    }
    if (fpOff[aIndex] != nullptr) {
        fpOff[aIndex]->SetVisible(!aOn);
    }
}

void MGSurveillanceTapeControl::AllOff() {
    for (int k = 0; k < kSwitchCount; ++k) {
        ShowSwitch(k, false);
    }
}

void MGSurveillanceTapeControl::Listen(bool aListen) {
    if (aListen == fListening) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        fListening = false;
        return;
    }
    if (aListen) {
        fListening = mouse->AddListener(this, kMouseOrder);
    } else {
        mouse->RemoveListener(this);
        fListening = false;
    }
}

void MGSurveillanceTapeControl::Show() {
    if (fpGroup != nullptr) {
        fpGroup->SetVisible(true);
    }
    AllOff();
    fSelected = kNone;
    Listen(true);
}

void MGSurveillanceTapeControl::Hide() {
    if (fpGroup != nullptr) {
        fpGroup->SetVisible(false);
    }
    for (int k = 0; k < kSwitchCount; ++k) {
        if (fpOn[k] != nullptr) {
            fpOn[k]->SetVisible(false);
        }
        if (fpOff[k] != nullptr) {
            fpOff[k]->SetVisible(false);
        }
    }
    Listen(false);
}

void MGSurveillanceTapeControl::Lock() {
    fSelected = kNone;
    fLocked = true;
    if (fpGroup != nullptr) {
        fpGroup->SetVisible(true);
    }
    AllOff();
    Listen(true);
}

void MGSurveillanceTapeControl::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (fLocked || mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    for (int k = 0; k < kSwitchCount; ++k) {
        if (fpOn[k] == nullptr || !fpOn[k]->HitTest(point)) {
            continue;
        }
        if (k == fSelected) {
            ShowSwitch(k, false);
            fSelected = kNone;
            continue;
        }
        if (fSelected != kNone) {
            ShowSwitch(fSelected, false);
        }
        fSelected = k;
        ShowSwitch(k, true);
    }
}

VoString MGSurveillanceTapeControl::ToString() const {
    return VoDebugString("MGSurveillanceTapeControl", this);
}
