#include "time/VoGameClock.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "event/VoEvent.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoIStream.h"
#include "stdlib/VoRecordCount.h"
#include "time/VoDelayedTrigger.h"
#include "time/VoIGameClockListener.h"

namespace {

VoCleanerSingleton<VoGameClock> gInstance;

constexpr const char* kReadClockFailure = "OnLoad failure. Could not read the current clock.";

constexpr int kCapacity = 10;
constexpr int kIncrement = 10;

const VoListenerList::Messages kListenerMessages = {
    VoGameClock::kAddListenerNull, VoGameClock::kAddListenerFailure, VoGameClock::kRemoveListenerNull,
    VoGameClock::kRemoveListenerFailure, VoGameClock::kRemoveListenerFailure};

}  // namespace

VoGameClock* VoGameClock::GetInstance() {
    // A clock that cannot be made is an assertion failure without text, not
    // an error line of the accessor's.
    return gInstance.Get(
        [] {
            VoGameClock* clock = VO_NEW VoGameClock();
            if (clock == nullptr) {
                VO_ASSERT_FAILURE("");
            }
            return clock;
        },
        nullptr);
}

VoGameClock::VoGameClock()
    : fCurrentClock(0), fListeners(), fTriggers(kCapacity, kIncrement), fNextSerial(1) {
    SetId(kId);
}

VoGameClock::~VoGameClock() {
    DeleteTriggers();
}

bool VoGameClock::Initialize(std::uintptr_t) {
    return true;
}

VoString VoGameClock::TimeStateId(std::int32_t aClock) {
    VoString id(kTimeStatePrefix);
    id.Append(aClock);
    return id;
}

VoIState* VoGameClock::NumberState(const VoString& aId) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? states->GetState(aId) : nullptr;
    if (state != nullptr && state->GetType() != VoIState::kNumber) {
        VO_ERROR(kTimeStateNotNumber, aId);
        return nullptr;
    }
    return state;
}

float VoGameClock::TimeOf(std::int32_t aClock, bool aNotify) {
    const VoString id = TimeStateId(aClock);
    VoStateManager* states = VoStateManager::GetInstance();
    if (states == nullptr) {
        return 0.0f;
    }
    if (states->HasState(id)) {
        const VoIState* state = NumberState(id);
        return state != nullptr ? state->GetNumber() : 0.0f;
    }
    states->SetState(id, VoString(u"number"), VoString(u"0"), aNotify);
    return 0.0f;
}

float VoGameClock::GetTime() {
    return TimeOf(fCurrentClock, false);
}

float VoGameClock::GetTime(std::int32_t aClock) {
    return TimeOf(Resolve(aClock), true);
}

void VoGameClock::SetTimeState(std::int32_t aClock, float aTime, const VoString& aText) {
    VoStateManager* states = VoStateManager::GetInstance();
    if (states == nullptr) {
        return;
    }
    const VoString id = TimeStateId(aClock);
    const VoIState* held = states->GetState(id);
    if (held == nullptr) {
        states->SetState(id, VoString(u"number"), aText, true);
    } else if (held->GetType() == VoIState::kNumber) {
        states->SetState(id, &aTime, true);
    } else {
        // Raw values of the wrong type must never reach a state: the clock
        // takes the id back as a number.
        VoIState* state = VO_NEW VoIState();
        if (state == nullptr || !state->Set(id, VoIState::kNumber, &aTime) ||
            !states->AddState(state, true, true)) {
            delete state;
        }
    }
}

void VoGameClock::AdvanceTime(float aDelta, bool aNotify) {
    AdvanceTime(fCurrentClock, aDelta, aNotify);
}

void VoGameClock::AdvanceTime(std::int32_t aClock, float aDelta, bool aNotify) {
    const std::int32_t clock = Resolve(aClock);
    const VoIState* held = NumberState(TimeStateId(clock));
    const double start = held != nullptr ? held->GetNumber() : 0.0;
    const float time = static_cast<float>(start + static_cast<double>(aDelta));
    VoString text;
    text.Append(aDelta);
    SetTimeState(clock, time, text);
    if (aNotify) {
        fListeners.Notify([clock, time](void* apListener) {
            static_cast<VoIGameClockListener*>(apListener)->OnTimeChanged(clock, time);
        });
    }
    FireDue(clock, time);
}

void VoGameClock::ResetTime() {
    ResetTime(fCurrentClock);
}

void VoGameClock::ResetTime(std::int32_t aClock) {
    SetTimeState(Resolve(aClock), 0.0f, VoString(u"0"));
}

void VoGameClock::Reset() {
    fCurrentClock = 0;
    DeleteTriggers();
}

void VoGameClock::DeleteTriggers() {
    const int count = fTriggers.GetCount();
    for (int i = 0; i < count; ++i) {
        delete static_cast<VoDelayedTrigger*>(fTriggers.GetAt(i));
    }
    fTriggers.Clear();
}

bool VoGameClock::Schedule(std::int32_t aKind, VoBase* apItem, float aDelay, std::int32_t aClock) {
    const std::int32_t clock = Resolve(aClock);
    const float due = static_cast<float>(static_cast<double>(GetTime(clock)) + static_cast<double>(aDelay));
    VoDelayedTrigger* trigger = VO_NEW VoDelayedTrigger();
    if (trigger == nullptr || !trigger->Init(aKind, due, clock, apItem)) {
        delete trigger;
        delete apItem;
        return false;
    }
    trigger->SetSerial(fNextSerial++);
    // After every trigger due at the same time: those fire in the order they
    // were scheduled.
    const int count = fTriggers.GetCount();
    int index = 0;
    while (index < count && !(static_cast<VoDelayedTrigger*>(fTriggers.GetAt(index))->GetDueTime() > due)) {
        ++index;
    }
    if (!(index == count ? fTriggers.Add(trigger) : fTriggers.AddAt(index, trigger))) {
        delete trigger;
        return false;
    }
    return true;
}

bool VoGameClock::AddDelayedTrigger(const VoString& aEventId, float aDelay, std::int32_t aClock) {
    return Schedule(VoDelayedTrigger::kEvent, VO_NEW VoEvent(aEventId), aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, std::int32_t aType, const void* apValue,
                                        float aDelay, std::int32_t aClock) {
    VoIState* state = VO_NEW VoIState();
    if (state == nullptr || !state->Set(aStateId, aType, apValue)) {
        delete state;
        return false;
    }
    return Schedule(VoDelayedTrigger::kState, state, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, const VoString* apValue, float aDelay,
                                        std::int32_t aClock) {
    return AddDelayedStateChange(aStateId, VoIState::kString, apValue, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, float aValue, float aDelay,
                                        std::int32_t aClock) {
    return AddDelayedStateChange(aStateId, VoIState::kNumber, &aValue, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, bool aValue, float aDelay,
                                        std::int32_t aClock) {
    return AddDelayedStateChange(aStateId, VoIState::kBoolean, &aValue, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, const char16_t* apValue, float aDelay,
                                        std::int32_t aClock) {
    if (apValue == nullptr) {
        return AddDelayedStateChange(aStateId, static_cast<const VoString*>(nullptr), aDelay, aClock);
    }
    const VoString value(apValue);
    return AddDelayedStateChange(aStateId, &value, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, const char* apValue, float aDelay,
                                        std::int32_t aClock) {
    if (apValue == nullptr) {
        return AddDelayedStateChange(aStateId, static_cast<const VoString*>(nullptr), aDelay, aClock);
    }
    const VoString value(apValue);
    return AddDelayedStateChange(aStateId, &value, aDelay, aClock);
}

bool VoGameClock::AddDelayedStateChange(const VoString& aStateId, std::int32_t aValue, float aDelay,
                                        std::int32_t aClock) {
    return AddDelayedStateChange(aStateId, static_cast<float>(aValue), aDelay, aClock);
}

const VoDelayedTrigger* VoGameClock::GetTrigger(int aIndex) const {
    return static_cast<const VoDelayedTrigger*>(fTriggers.GetAt(aIndex));
}

void VoGameClock::FireDue(std::int32_t aClock, float aTime) {
    // Each trigger is taken out of the list before it fires, so a listener
    // that advances a clock from inside the firing starts a walk that cannot
    // fire it again; triggers scheduled meanwhile wait for the next advance.
    const std::uint64_t limit = fNextSerial;
    for (;;) {
        int index = -1;
        const int count = fTriggers.GetCount();
        for (int i = 0; i < count; ++i) {
            const VoDelayedTrigger* trigger = GetTrigger(i);
            if (trigger->GetDueTime() > aTime) {
                break;
            }
            if (trigger->GetClock() == aClock && trigger->GetSerial() < limit) {
                index = i;
                break;
            }
        }
        void* taken = nullptr;
        if (index < 0 || !fTriggers.RemoveAt(index, &taken)) {
            return;
        }
        VoDelayedTrigger* trigger = static_cast<VoDelayedTrigger*>(taken);
        trigger->Fire();
        delete trigger;
    }
}

bool VoGameClock::AddListener(VoIGameClockListener* apListener) {
    return fListeners.Add(apListener, 0.0f, kListenerMessages);
}

bool VoGameClock::RemoveListener(VoIGameClockListener* apListener) {
    return fListeners.Remove(apListener, kListenerMessages);
}

bool VoGameClock::OnLoad(VoIStream* apStream, float) {
    Reset();
    std::int32_t current = 0;
    if (!VoIStream::ReadValue(apStream, &current)) {
        VO_ERROR(kReadClockFailure);
        return false;
    }
    fCurrentClock = current;
    std::int32_t count = 0;
    if (!VoRecordCount::Read(apStream, VoDelayedTrigger::kMinRecordSize, &count)) {
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        VoDelayedTrigger* trigger = VO_NEW VoDelayedTrigger();
        if (trigger == nullptr || !trigger->Read(apStream) || !fTriggers.Add(trigger)) {
            delete trigger;
            VO_ERROR(kOnLoadFailure, i);
            return false;
        }
        trigger->SetSerial(fNextSerial++);
    }
    return true;
}

bool VoGameClock::Save(VoIStream* apStream) {
    const bool written = VoIStream::WriteValue(apStream, fCurrentClock);
    return VoRecordCount::Write<VoDelayedTrigger>(apStream, fTriggers) && written;
}

VoString VoGameClock::ToString() const {
    return VoDebugString("VoGameClock", this);
}
