#include "time/VoDelayedTrigger.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoIStream.h"

VoDelayedTrigger::VoDelayedTrigger() : fKind(kEvent), fDue(0.0f), fClock(0), fpItem(nullptr), fSerial(0) {}

VoDelayedTrigger::~VoDelayedTrigger() {
    delete fpItem;
}

bool VoDelayedTrigger::Init(std::int32_t aKind, float aDue, std::int32_t aClock, VoBase* apItem) {
    if (apItem == nullptr) {
        VO_ERROR(kMissingItem);
        return false;
    }
    delete fpItem;
    fKind = aKind;
    fDue = aDue;
    fClock = aClock;
    fpItem = apItem;
    return true;
}

bool VoDelayedTrigger::Fire() {
    VoBase* item = fpItem;
    if (item == nullptr || (fKind != kEvent && fKind != kState)) {
        return false;
    }
    fpItem = nullptr;
    bool taken = false;
    if (fKind == kEvent) {
        VoEventManager* events = VoEventManager::GetInstance();
        taken = events != nullptr && events->AddEvent(static_cast<VoEvent*>(item), true);
    } else {
        // Never replaces: a delayed state change only creates a state that
        // does not exist when it fires.
        VoStateManager* states = VoStateManager::GetInstance();
        taken = states != nullptr && states->AddState(static_cast<VoIState*>(item), true, false);
    }
    if (!taken) {
        delete item;
    }
    return taken;
}

bool VoDelayedTrigger::Read(VoIStream* apStream) {
    std::int32_t kind = 0;
    float due = 0.0f;
    std::int32_t clock = 0;
    if (!VoIStream::ReadValue(apStream, &kind) || !VoIStream::ReadValue(apStream, &due) ||
        !VoIStream::ReadValue(apStream, &clock)) {
        return false;
    }
    kind = kind == kState ? kState : kEvent;
    VoBase* item = nullptr;
    bool read = false;
    if (kind == kEvent) {
        VoEvent* event = VO_NEW VoEvent(VoString());
        read = event != nullptr && event->Read(apStream);
        item = event;
    } else {
        VoIState* state = VO_NEW VoIState();
        read = state != nullptr && state->Read(apStream);
        item = state;
    }
    if (!read) {
        delete item;
        return false;
    }
    delete fpItem;
    fKind = kind;
    fDue = due;
    fClock = clock;
    fpItem = item;
    return true;
}

bool VoDelayedTrigger::Write(VoIStream* apStream) {
    bool written = VoIStream::WriteValue(apStream, fKind);
    written = VoIStream::WriteValue(apStream, fDue) && written;
    written = VoIStream::WriteValue(apStream, fClock) && written;
    VoISerializable* item = nullptr;
    if (fKind == kEvent) {
        item = static_cast<VoEvent*>(fpItem);
    } else if (fKind == kState) {
        item = static_cast<VoIState*>(fpItem);
    }
    return item != nullptr && item->Write(apStream) && written;
}

VoString VoDelayedTrigger::ToString() const {
    return VoDebugString("VoDelayedTrigger", this);
}
