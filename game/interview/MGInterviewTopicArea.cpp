#include "interview/MGInterviewTopicArea.h"

#include "container/VoDebugString.h"
#include "container/VoFloat.h"
#include "container/VoLog.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewScrollBar.h"
#include "platform/VoMouse.h"
#include "script/VoScript.h"
#include "util/MGOptions.h"

MGInterviewTopicArea::MGInterviewTopicArea(MGInterview* apInterview)
    : fpInterview(apInterview),
      fpScrollBar(nullptr),
      fOpenCount(0),
      fScrollPosition(0),
      fContentHeight(0),
      fListening(false) {
    SetId(VoString(kId));
}

MGInterviewTopicArea::~MGInterviewTopicArea() {
    SetListening(false);
    if (fpScrollBar != nullptr) {
        fpScrollBar->Detach(this);
    }
    for (int i = 0; i < fDependencies.GetCount(); ++i) {
        delete static_cast<VoScript*>(fDependencies.GetAt(i));
    }
    fDependencies.Clear();
    fButtons.Clear();
}

bool MGInterviewTopicArea::AddTopic(const VoString& aKey, VoButton* apButton, VoScript* apDependencies,
                                    const VoString& aSkillLevels, const VoString& aDoneEvent,
                                    const VoString& aViewedEvent, const VoString& aLevel) {
    if (apButton == nullptr || !AddMember(apButton, true)) {
        delete apButton;
        delete apDependencies;
        return false;
    }
    if (fListening) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->AddListener(apButton, 0.0f);
        }
    }
    fKeys.Add(aKey);
    fButtons.Add(apButton);
    fDependencies.Add(apDependencies);
    fSkillLevels.Add(aSkillLevels);
    fDoneEvents.Add(aDoneEvent);
    fViewedEvents.Add(aViewedEvent);
    fLevels.Add(aLevel);
    return true;
}

VoButton* MGInterviewTopicArea::GetButton(int aIndex) const {
    return aIndex >= 0 && aIndex < fButtons.GetCount() ? static_cast<VoButton*>(fButtons.GetAt(aIndex)) : nullptr;
}

VoButton* MGInterviewTopicArea::GetButton(const VoString& aKey) const {
    return GetButton(fKeys.Find(aKey));
}

bool MGInterviewTopicArea::IsTopicAvailable(int aIndex) {
    VoVectorString flags;
    fSkillLevels.GetAt(aIndex).Split(VoString(u"|"), &flags);
    MGOptions* options = MGOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    if (skill >= 0 && skill < flags.GetCount() && flags.GetAt(skill) == VoString(kHidden)) {
        return false;
    }
    VoScript* dependencies = static_cast<VoScript*>(fDependencies.GetAt(aIndex));
    return dependencies == nullptr || dependencies->Evaluate();
}

bool MGInterviewTopicArea::IsDone(int aIndex) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(fDoneEvents.GetAt(aIndex));
}

bool MGInterviewTopicArea::IsHilighted(int aIndex) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (events != nullptr && events->HasEvent(fViewedEvents.GetAt(aIndex))) {
        return true;
    }
    return fpInterview != nullptr && fKeys.GetAt(aIndex).EqualsNoCase(fpInterview->GetCurrentTopic());
}

void MGInterviewTopicArea::Refresh() {
    fOpenCount = 0;
    float y = 0.0f;
    for (int i = 0; i < fKeys.GetCount(); ++i) {
        ++fOpenCount;
        VoButton* button = PlaceRow(i, &y);
        if (button == nullptr) {
            continue;
        }
        if (IsDone(i)) {
            button->SetEnabled(false);
            --fOpenCount;
        } else {
            button->SetEnabled(true);
        }
        button->SetHilighted(IsHilighted(i));
    }
    FinishRows(y);
}

VoButton* MGInterviewTopicArea::PlaceRow(int aIndex, float* apY) {
    VoButton* button = GetButton(aIndex);
    if (button == nullptr) {
        return nullptr;
    }
    if (!IsTopicAvailable(aIndex)) {
        button->SetVisible(false);
        button->SetEnabled(false);
        button->SetHilighted(false);
        return nullptr;
    }
    button->SetVisible(true);
    const float level = VoFloat(fLevels.GetAt(aIndex)).fValue;
    button->SetPosition(kIndent * (level - 1.0f), *apY);
    *apY += kRowHeight;
    return button;
}

void MGInterviewTopicArea::FinishRows(float aY) {
    fContentHeight = static_cast<int>(aY + kRowHeight);
    if (fpScrollBar != nullptr) {
        if (VoScrollBar* bar = fpScrollBar->GetScrollBar()) {
            bar->SetContentHeight(fContentHeight);
        }
        fpScrollBar->SetBlend(fContentHeight >= kOpaqueHeight ? kOpaqueBlend : kFaintBlend);
    }
    UpdateFade();
}

float MGInterviewTopicArea::BandBlend(const VoButton* apButton) const {
    const float d = apButton->GetPosition().y - static_cast<float>(fScrollPosition);
    float blend = 1.0f;
    if (d < 0.0f) {
        blend = 1.0f + kFadePerUnit * d;
    }
    if (d > kBandHeight) {
        blend -= kFadePerUnit * (d - kBandHeight);
    }
    return blend;
}

void MGInterviewTopicArea::UpdateFade() {
    for (int i = 0; i < fKeys.GetCount(); ++i) {
        VoButton* button = GetButton(i);
        if (button == nullptr || !button->GetVisible()) {
            continue;
        }
        const float blend = BandBlend(button);
        button->SetEnabled(!(blend < kEnabledBlend || IsDone(i)));
        button->SetHilighted(IsHilighted(i));
        button->SetBlend(blend < 0.0f ? 0.0f : blend);
    }
}

void MGInterviewTopicArea::SetListening(bool aListening) {
    if (aListening == fListening) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    fListening = aListening && mouse != nullptr;
    if (mouse == nullptr) {
        return;
    }
    for (int i = 0; i < fButtons.GetCount(); ++i) {
        VoButton* button = GetButton(i);
        if (aListening) {
            mouse->AddListener(button, 0.0f);
        } else {
            mouse->RemoveListener(button);
            button->ResetMouseState();
        }
    }
}

void MGInterviewTopicArea::SetScrollBar(MGInterviewScrollBar* apScrollBar) {
    if (apScrollBar == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
    }
    fpScrollBar = apScrollBar;
    if (fpScrollBar != nullptr && fpScrollBar->GetScrollBar() != nullptr) {
        fpScrollBar->GetScrollBar()->SetListener(this);
    }
}

void MGInterviewTopicArea::OnScroll(int aPosition) {
    fScrollPosition = aPosition;
    Refresh();
}

VoString MGInterviewTopicArea::ToString() const {
    return VoDebugString("MGInterviewTopicArea", this);
}
