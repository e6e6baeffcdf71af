#include "event/VoEventManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoVectorString.h"
#include "event/VoEvent.h"
#include "event/VoIEventListener.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoIStream.h"
#include "stdlib/VoRecordCount.h"

namespace {

VoCleanerSingleton<VoEventManager> gInstance;

constexpr int kHashShift = 7;

const VoListenerList::Messages kListenerMessages = {
    VoEventManager::kAddListenerNull, VoEventManager::kAddListenerFailure,
    VoEventManager::kRemoveListenerNull, VoEventManager::kRemoveListenerFailure,
    VoEventManager::kRemoveListenerFailure};

}  // namespace

VoEventManager* VoEventManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoEventManager(); }, kCreationFailure);
}

VoEventManager::VoEventManager() : fEvents(kHashShift, false), fListeners() {
    SetId(kId);
}

VoEventManager::~VoEventManager() {
    VoLog::WriteLine(kDestroyedLine);
    ClearEvents();
}

bool VoEventManager::Initialize(std::uintptr_t) {
    return true;
}

int VoEventManager::ConstantAnswer(const VoString& aId) {
    if (aId.Equals(u"evtalways") || aId.Equals(u"evt_always")) {
        return 1;
    }
    if (aId.Equals(u"evtnever") || aId.Equals(u"evt_never")) {
        return -1;
    }
    return 0;
}

bool VoEventManager::Store(VoEvent* apEvent) {
    const int count = fEvents.GetCount();
    fEvents.Add(apEvent->PeekId(), apEvent, true);
    return fEvents.GetCount() == count + 1;
}

bool VoEventManager::AddEvent(const VoString& aId, bool aNotify) {
    const VoString id = aId.ToLower();
    if (fEvents.Get(id) != nullptr) {
        VO_ERROR(kDuplicate, id);
        return false;
    }
    VoEvent* event = VO_NEW VoEvent(id);
    if (event == nullptr || !Store(event)) {
        // Held by nobody: reporting success would leak it.
        delete event;
        VO_ASSERT_FAILURE(kAddFailure);
        return false;
    }
    if (aNotify) {
        NotifyListeners(event);
    }
    return true;
}

bool VoEventManager::AddEvent(VoEvent* apEvent, bool aNotify) {
    if (apEvent == nullptr) {
        VO_ERROR(kAddFailure);
        return false;
    }
    if (fEvents.Get(apEvent->PeekId()) != nullptr) {
        VO_ERROR(kDuplicate, apEvent->PeekId());
        return false;
    }
    if (!Store(apEvent)) {
        VO_ERROR(kAddFailure);
        return false;
    }
    if (aNotify) {
        NotifyListeners(apEvent);
    }
    return true;
}

bool VoEventManager::HasEvent(const VoString& aId) {
    const VoString id = aId.ToLower();
    const int constant = ConstantAnswer(id);
    if (constant != 0) {
        return constant > 0;
    }
    return fEvents.Get(id) != nullptr;
}

bool VoEventManager::HasAllEvents(const VoVectorString& aIds) {
    const int count = aIds.GetCount();
    for (int i = 0; i < count; ++i) {
        if (!HasEvent(aIds.GetAt(i))) {
            return false;
        }
    }
    return true;
}

bool VoEventManager::HasAnyEvent(const VoVectorString& aIds) {
    const int count = aIds.GetCount();
    for (int i = 0; i < count; ++i) {
        if (HasEvent(aIds.GetAt(i))) {
            return true;
        }
    }
    return false;
}

VoEvent* VoEventManager::GetEvent(const VoString& aId) {
    VoEvent* event = static_cast<VoEvent*>(fEvents.Get(aId.ToLower()));
    if (event == nullptr) {
        VO_ERROR(kGetFailure, aId);
    }
    return event;
}

VoEvent* VoEventManager::PeekEvent(const VoString& aId) {
    return static_cast<VoEvent*>(fEvents.Get(aId.ToLower()));
}

bool VoEventManager::RemoveEvent(const VoString& aId, VoEvent** appEvent) {
    if (appEvent == nullptr || *appEvent != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    void* removed = nullptr;
    if (!fEvents.Remove(aId.ToLower(), &removed) || removed == nullptr) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    *appEvent = static_cast<VoEvent*>(removed);
    return true;
}

void VoEventManager::ClearEvents() {
    if (!fEvents.ClearAndDelete<VoEvent>()) {
        VO_ASSERT_FAILURE(kGetArrayFailure);
    }
}

bool VoEventManager::AddListener(VoIEventListener* apListener, float aOrder) {
    return fListeners.Add(apListener, aOrder, kListenerMessages);
}

bool VoEventManager::RemoveListener(VoIEventListener* apListener) {
    return fListeners.Remove(apListener, kListenerMessages);
}

void VoEventManager::NotifyListeners(VoEvent* apEvent) {
    fListeners.Notify(
        [apEvent](void* apListener) { static_cast<VoIEventListener*>(apListener)->OnEvent(apEvent); });
}

bool VoEventManager::OnLoad(VoIStream* apStream, float) {
    std::int32_t count = 0;
    if (!VoRecordCount::Read(apStream, VoEvent::kMinRecordSize, &count)) {
        return false;
    }
    bool loaded = true;
    for (std::int32_t i = 0; i < count; ++i) {
        VoEvent* event = VO_NEW VoEvent(VoString());
        if (event == nullptr || !event->Read(apStream)) {
            delete event;
            VO_ERROR(kOnLoadFailure, i);
            return false;
        }
        if (!AddEvent(event, false)) {
            VO_WARNING(kOnLoadWarning, event->PeekId());
            delete event;
            loaded = false;
        }
    }
    return loaded;
}

bool VoEventManager::Save(VoIStream* apStream) {
    return VoRecordCount::Write<VoEvent>(apStream, fEvents);
}

VoString VoEventManager::ToString() const {
    return VoDebugString("VoEventManager", this);
}
