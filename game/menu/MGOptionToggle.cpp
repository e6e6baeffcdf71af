#include "menu/MGOptionToggle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"

namespace {

// The button of the section's next sub-section from *apIndex on.
VoButton* NextButton(VoPropertyList* apNode, int* apIndex, VoIButtonListener* apListener) {
    for (; *apIndex < apNode->GetCount(); ++*apIndex) {
        if (VoPropertyList* entry = apNode->GetListAt(*apIndex)) {
            ++*apIndex;
            return VoLayoutBuilder::BuildButton(entry, apListener);
        }
    }
    return nullptr;
}

}  // namespace

MGOptionToggle::~MGOptionToggle() {
    // Once in the parent the buttons go with the parent's tree, which the
    // screen deletes first.
    if (!fInParent) {
        delete fpGroup;
    }
}

bool MGOptionToggle::Load(VoPropertyList* apNode, VoDisplayGroup* apParent) {
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr || apNode == nullptr) {
        return true;
    }
    bool found = false;
    const VoString id = apNode->GetString(VoString(u"id"), &found);
    if (!found || !fpGroup->SetId(id)) {
        VO_ASSERT_FAILURE("");
    }
    int index = 0;
    VoButton* buttons[2] = {NextButton(apNode, &index, this), NextButton(apNode, &index, this)};
    for (VoButton*& button : buttons) {
        if (button != nullptr && !fpGroup->AddMember(button, true)) {
            delete button;
            button = nullptr;
        }
    }
    fpOn = buttons[0];
    fpOff = buttons[1];
    fInParent = apParent != nullptr && apParent->AddMember(fpGroup, true);
    SetValue(kOn);
    return true;
}

void MGOptionToggle::SetValue(int aValue) {
    fValue = aValue;
    if (aValue != kOn && aValue != kOff) {
        return;
    }
    if (fpOn != nullptr) {
        fpOn->SetHilighted(aValue == kOn);
    }
    if (fpOff != nullptr) {
        fpOff->SetHilighted(aValue == kOff);
    }
}

void MGOptionToggle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode == kClick) {
        SetValue(aId.EqualsNoCase(VoString(u"on")) ? kOn : kOff);
    }
}

VoString MGOptionToggle::ToString() const {
    return VoDebugString("MGOptionToggle", this);
}
