#include "interview/MGExpertTopicArea.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "interview/MGInterview.h"
#include "script/VoScript.h"
#include "util/MGOptions.h"

MGExpertTopicArea::MGExpertTopicArea(MGInterview* apInterview)
    : MGInterviewTopicArea(apInterview), fWaitingCount(0), fReadyCount(0), fViewedCount(0) {}

MGExpertTopicArea::~MGExpertTopicArea() {
    for (VoVector* scripts : {&fSubmitted, &fReady}) {
        for (int i = 0; i < scripts->GetCount(); ++i) {
            delete static_cast<VoScript*>(scripts->GetAt(i));
        }
        scripts->Clear();
    }
}

bool MGExpertTopicArea::AddTopic(const VoString& aKey, VoButton* apButton, VoScript* apDependencies,
                                 const VoString& aSkillLevels, VoScript* apSubmitted, VoScript* apReady,
                                 const VoString& aDoneEvent, const VoString& aViewedEvent, const VoString& aLevel) {
    if (!MGInterviewTopicArea::AddTopic(aKey, apButton, apDependencies, aSkillLevels, aDoneEvent, aViewedEvent,
                                        aLevel)) {
        delete apSubmitted;
        delete apReady;
        return false;
    }
    fSubmitted.Add(apSubmitted);
    fReady.Add(apReady);
    return true;
}

bool MGExpertTopicArea::Holds(const VoVector& aScripts, int aIndex, bool aDefault) {
    VoScript* script = aIndex >= 0 && aIndex < aScripts.GetCount() ? static_cast<VoScript*>(aScripts.GetAt(aIndex))
                                                                    : nullptr;
    return script != nullptr ? script->Evaluate() : aDefault;
}

bool MGExpertTopicArea::IsTopicAvailable(int aIndex) {
    VoVectorString flags;
    fSkillLevels.GetAt(aIndex).Split(VoString(u"|"), &flags);
    MGOptions* options = MGOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    if (skill >= 0 && skill < flags.GetCount() && flags.GetAt(skill) == VoString(kHidden)) {
        return false;
    }
    return Holds(fDependencies, aIndex, false) || Holds(fSubmitted, aIndex, false);
}

bool MGExpertTopicArea::IsTopicViewed(int aIndex) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(fViewedEvents.GetAt(aIndex));
}

bool MGExpertTopicArea::IsTopicReady(int aIndex) {
    return Holds(fReady, aIndex, true);
}

void MGExpertTopicArea::Refresh() {
    fWaitingCount = 0;
    fReadyCount = 0;
    fViewedCount = 0;
    const VoString current = fpInterview != nullptr ? fpInterview->GetCurrentTopic() : VoString(u"");
    float y = 0.0f;
    for (int i = 0; i < fKeys.GetCount(); ++i) {
        VoButton* button = PlaceRow(i, &y);
        if (button == nullptr) {
            continue;
        }
        const bool ready = IsTopicReady(i);
        button->SetEnabled(ready);
        ShowHourglass(button, !ready);
        const bool viewed = IsTopicViewed(i);
        // A viewed topic counts as viewed, whether its result is ready or not.
        if (viewed) {
            ShowCheckmark(button, true);
            ShowHourglass(button, false);
            ++fViewedCount;
        } else {
            ShowCheckmark(button, false);
            ++(ready ? fReadyCount : fWaitingCount);
        }
        button->SetHilighted(fKeys.GetAt(i).EqualsNoCase(current));
    }
    FinishRows(y);
}

void MGExpertTopicArea::UpdateFade() {
    const VoString current = fpInterview != nullptr ? fpInterview->GetCurrentTopic() : VoString(u"");
    for (int i = 0; i < fKeys.GetCount(); ++i) {
        VoButton* button = GetButton(i);
        if (button == nullptr || !button->GetVisible()) {
            continue;
        }
        const float d = button->GetPosition().y - static_cast<float>(fScrollPosition);
        const float blend = BandBlend(button);
        // Inside the band the button keeps what Refresh gave it.
        if (d < 0.0f || d > kBandHeight) {
            button->SetEnabled(!(blend < kEnabledBlend || IsDone(i)));
        }
        button->SetHilighted(fKeys.GetAt(i).EqualsNoCase(current));
        button->SetBlend(blend < 0.0f ? 0.0f : blend);
    }
}

void MGExpertTopicArea::OnScroll(int aPosition) {
    fScrollPosition = aPosition;
    Refresh();
}

void MGExpertTopicArea::ShowMember(VoButton* apButton, const char16_t* apId, bool aShow) {
    if (apButton == nullptr) {
        return;
    }
    for (int state = 0; state < kButtonStateCount; ++state) {
        VoDisplayGroup* look = dynamic_cast<VoDisplayGroup*>(apButton->GetStateObject(static_cast<XBTNSTATE>(state)));
        VoIDisplayObject* member = look != nullptr ? look->GetMember(VoString(apId)) : nullptr;
        if (member != nullptr) {
            member->SetVisible(aShow);
        }
    }
}

void MGExpertTopicArea::ShowCheckmark(VoButton* apButton, bool aShow) {
    ShowMember(apButton, kCheckmarkId, aShow);
}

void MGExpertTopicArea::ShowHourglass(VoButton* apButton, bool aShow) {
    ShowMember(apButton, kHourglassId, aShow);
}

VoString MGExpertTopicArea::ToString() const {
    return VoDebugString("MGExpertTopicArea", this);
}
