#include "interview/MGInterviewTopic.h"

#include "container/VoDebugString.h"
#include "container/VoFloat.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewSequence.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "util/MGStateChanges.h"

namespace {

const char16_t* const kModeKeys[MGInterviewTopic::kModeCount] = {u"conf", u"decp", u"flat", u"stra", u"empa"};

void AddEvent(const VoString& aId) {
    if (aId.GetLength() == 0) {
        return;
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(aId, true);
    }
}

}  // namespace

const char16_t* MGInterviewTopic::ModeKey(int aIndex) {
    return aIndex >= 0 && aIndex < kModeCount ? kModeKeys[aIndex] : nullptr;
}

int MGInterviewTopic::ModeIndex(const VoString& aKey) {
    for (int i = 0; i < kModeCount; ++i) {
        if (aKey.EqualsNoCase(kModeKeys[i])) {
            return i;
        }
    }
    return -1;
}

MGInterviewTopic::MGInterviewTopic()
    : fpInterview(nullptr),
      fExpert(0),
      fpModes(nullptr),
      fpDependencies(nullptr),
      fDelay(0.0f),
      fGood(false),
      fBargain(false),
      fpSequence(nullptr),
      fpStateChanges(nullptr),
      fpDoneEvents(nullptr) {}

MGInterviewTopic::~MGInterviewTopic() {
    delete fpSequence;
    delete fpDependencies;
    DeleteLists();
}

bool MGInterviewTopic::Create(const VoString& aName, VoPropertyList* apNode) {
    fName = aName;
    VoPropertyList empty;
    VoPropertyList* node = apNode != nullptr ? apNode : &empty;
    fDoneEvent = node->GetString(VoString(u"doneevent"), nullptr);
    fViewedEvent = node->GetString(VoString(u"viewedevent"), nullptr);
    bool found = false;
    VoString dependencies = node->GetString(VoString(u"dependencies"), &found);
    if (!found) {
        dependencies = VoString(u"script[true]");
    }
    delete fpDependencies;
    fpDependencies = VO_NEW VoScript();
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    if (fpDependencies == nullptr || builder == nullptr || !builder->Build(dependencies, fpDependencies)) {
        VO_ASSERT_FAILURE(kScriptFailure);
    }
    fpModes = apNode != nullptr ? apNode->GetList(VoString(u"modes")) : nullptr;
    if (fpModes == nullptr) {
        VO_ASSERT_FAILURE(kNoModes);
    }
    fBargain = node->GetBool(VoString(u"bargain"), nullptr);
    const VoVectorString delayed = node->GetVectorString(VoString(u"delayedevent"), nullptr);
    fDelayedEvent = delayed.GetCount() > 0 ? delayed.GetAt(0) : VoString(u"");
    fDelay = delayed.GetCount() > 1 ? VoFloat(delayed.GetAt(1)).fValue : 0.0f;
    return true;
}

bool MGInterviewTopic::SelectMode(int aIndex, MGInterview* apInterview, int aExpert) {
    fExpert = aExpert;
    fpInterview = apInterview;
    if (apInterview == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
    }
    const char16_t* key = ModeKey(aIndex);
    VoPropertyList* mode = key != nullptr && fpModes != nullptr ? fpModes->GetList(VoString(key)) : nullptr;
    if (mode == nullptr) {
        VO_ASSERT_FAILURE(kNoModeData);
    }
    DeleteLists();
    VoPropertyList empty;
    VoPropertyList* node = mode != nullptr ? mode : &empty;
    fpStateChanges = VO_NEW VoVectorString(node->GetVectorString(VoString(u"statechanges"), nullptr));
    fpDoneEvents = VO_NEW VoVectorString(node->GetVectorString(VoString(u"doneevents"), nullptr));
    bool found = false;
    fGood = node->GetString(VoString(u"type"), &found).EqualsNoCase(u"good");
    if (mode != nullptr && !found) {
        VO_ASSERT_FAILURE(kNoType);
    }
    fAddItem = node->GetString(VoString(u"additem"), nullptr);

    delete fpSequence;
    fpSequence = VO_NEW MGInterviewSequence();
    if (fpSequence == nullptr) {
        return true;
    }
    VoString doneEvent = fName;
    doneEvent.Append(u"_");
    if (key != nullptr) {
        doneEvent.Append(key);
    }
    fpSequence->Create(doneEvent, mode, apInterview);
    fpSequence->Play(this);
    return true;
}

void MGInterviewTopic::OnSequenceEnd() {
    if (fpInterview != nullptr) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->Unlock(fpInterview);
        }
    }
    // The sequence calls nothing of itself after telling us.
    delete fpSequence;
    fpSequence = nullptr;
    ApplyChanges();
    AddEvent(fViewedEvent);

    VoGameClock* clock = VoGameClock::GetInstance();
    if (fGood && fDelayedEvent.GetLength() > 0 && clock != nullptr) {
        clock->AddDelayedTrigger(fDelayedEvent, fDelay, -1);
    }
    if (fGood && fBargain) {
        AddEvent(fDoneEvent);
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            const VoString id = fpInterview != nullptr
                                    ? VoString(kBargainStatePrefix) + fpInterview->GetId() + kBargainStateSuffix
                                    : VoString(u"");
            states->SetState(id, VoString(u"boolean"), VoString(u"true"), false);
        }
        if (fpInterview != nullptr) {
            fpInterview->LeaveForBargain(true);
        }
        return;
    }
    if (fGood) {
        if (fpInterview != nullptr) {
            fpInterview->AddGoodStep();
        }
        AddEvent(fDoneEvent);
    } else if (fpInterview != nullptr) {
        fpInterview->AddBadStep();
    }
    if (fAddItem.GetLength() > 0) {
        MGPDA* pda = MGPDA::GetInstance();
        if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
            inventory->AddItem(fAddItem);
        }
    }
    if (fpInterview == nullptr) {
        return;
    }
    MGExpertInterview* expert = fExpert == 1 ? dynamic_cast<MGExpertInterview*>(fpInterview) : nullptr;
    if (expert != nullptr) {
        expert->OnTopicDone(fGood);
    } else {
        fpInterview->OnModeSequenceDone(fGood);
    }
    if (!fpInterview->IsExitAfter()) {
        if (MGSubtitle* subtitle = MGSubtitle::GetInstance()) {
            subtitle->Hide();
        }
    }
}

void MGInterviewTopic::ApplyChanges() {
    if (fpDoneEvents != nullptr) {
        for (int i = 0; i < fpDoneEvents->GetCount(); ++i) {
            AddEvent(fpDoneEvents->GetAt(i));
        }
    }
    if (fpStateChanges != nullptr) {
        const int left = MGApplyStateChanges(*fpStateChanges);
        if (left > 0) {
            VO_WARNING(kIncompleteStateChange, fpStateChanges->GetAt(fpStateChanges->GetCount() - left));
        }
    }
    DeleteLists();
}

void MGInterviewTopic::DeleteLists() {
    delete fpStateChanges;
    fpStateChanges = nullptr;
    delete fpDoneEvents;
    fpDoneEvents = nullptr;
}

VoString MGInterviewTopic::ToString() const {
    return VoDebugString("MGInterviewTopic", this);
}
