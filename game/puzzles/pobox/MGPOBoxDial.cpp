#include "puzzles/pobox/MGPOBoxDial.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"

MGPOBoxDial::MGPOBoxDial()
    : fpGroup(nullptr), fpFace(nullptr), fpButton(nullptr), fpPuzzle(nullptr), fDigit(0) {}

MGPOBoxDial::~MGPOBoxDial() {
    if (fpButton != nullptr && fpButton->GetListener() == this) {
        fpButton->RemoveListener();
    }
}

bool MGPOBoxDial::Create(VoPropertyList* apEntry, MGPOBoxPuzzle* apPuzzle) {
    fpPuzzle = apPuzzle;
    bool found = false;
    const VoString id = apEntry != nullptr ? apEntry->GetString(VoString(u"id"), &found) : VoString();
    fpGroup = found ? MGPuzzleFrame::NewGroup(id, 0.0f) : nullptr;
    if (fpGroup == nullptr) {
        return false;
    }
    const VoVectorFloat position = apEntry->GetVectorFloat(VoString(u"position"), &found);
    if (position.GetCount() >= 2) {
        fpGroup->SetPosition(position.GetAt(0), position.GetAt(1));
    }
    VoSprite* face = VoLayoutBuilder::BuildSprite(apEntry->GetList(VoString(u"sprite")));
    if (MGPuzzleFrame::AddMember(fpGroup, face)) {
        fpFace = face;
    }
    VoButton* button = VoLayoutBuilder::BuildButton(apEntry->GetList(VoString(u"button")), this);
    if (MGPuzzleFrame::AddMember(fpGroup, button)) {
        fpButton = button;
    }
    return true;
}

void MGPOBoxDial::ShowDigit(int aDigit) {
    fDigit = aDigit >= 0 && aDigit < kDigits ? aDigit : 0;
    if (fpFace != nullptr) {
        fpFace->SetRotation(static_cast<float>(fDigit) * kDegreesPerDigit);
    }
}

void MGPOBoxDial::SetDigit(int aDigit) {
    ShowDigit(aDigit);
    if (fpPuzzle != nullptr) {
        fpPuzzle->CheckCombination();
    }
}

void MGPOBoxDial::OnButtonEvent(const VoString&, int aCode) {
    if (aCode != kClick) {
        return;
    }
    ShowDigit((fDigit + 1) % kDigits);
    if (fpPuzzle != nullptr) {
        fpPuzzle->CheckCombination();
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

VoString MGPOBoxDial::ToString() const {
    return VoDebugString("MGPOBoxDial", this);
}
