#include "menu/MGCaseControl.h"

#include "container/VoDebugString.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "state/VoStateManager.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCaseControl, MGCleanerHome> gInstance;

// The event that closes each case, case 1 first.
constexpr const char16_t* kClosingEvents[MGCaseControl::kCaseCount] = {
    u"evt_interview117_complete",
    u"evt_interview218_complete",
    u"evt_interview321_complete",
    u"bargainingsolved_415_done",
};

bool HasEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(aId);
}

}  // namespace

MGCaseControl* MGCaseControl::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCaseControl(); }, kCreationFailure);
}

VoString MGCaseControl::ClosedEvent(int aCase) {
    VoString id(u"evt_case0");
    id.Append(static_cast<std::int32_t>(aCase));
    id.Append(u"_closed");
    return id;
}

bool MGCaseControl::IsClosed(int aCase) {
    return HasEvent(ClosedEvent(aCase));
}

bool MGCaseControl::AreFirstThreeClosed() {
    return IsClosed(1) && IsClosed(2) && IsClosed(3);
}

MGCaseControl::MGCaseControl() : fListening(false) {
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        fListening = events->AddListener(this, kOrder);
    }
}

MGCaseControl::~MGCaseControl() {
    if (VoEventManager* events = VoEventManager::GetInstance(); events != nullptr && fListening) {
        events->RemoveListener(this);
    }
}

void MGCaseControl::OnEvent(VoEvent* apEvent) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (apEvent == nullptr || events == nullptr) {
        return;
    }
    const VoString id = apEvent->GetId();
    for (int i = 0; i < kCaseCount; ++i) {
        if (!id.EqualsNoCase(kClosingEvents[i])) {
            continue;
        }
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->SetState(VoString(kCaseState), VoString(u"number"), VoString(u"0"), false);
        }
        events->AddEvent(ClosedEvent(i + 1), true);
        break;
    }
    // The closed event's own notice comes through here first, so the
    // second look finds the event already there.
    if (AreFirstThreeClosed() && !events->HasEvent(VoString(kCases123Solved))) {
        events->AddEvent(VoString(kCases123Solved), true);
    }
}

VoString MGCaseControl::ToString() const {
    return VoDebugString("MGCaseControl", this);
}
