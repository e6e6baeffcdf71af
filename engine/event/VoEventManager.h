#pragma once
// The one-shot facts of a game: the events that have happened, each id held at
// most once (lower case), with listeners told in descending order of their
// orders of every event recorded with notification. "evtalways" and
// "evt_always" have always happened, "evtnever" and "evt_never" never have,
// whatever is recorded. Written into every save game and read back.
//
// Record (Save / OnLoad): i32 count, then count VoEvent records in insertion
// order.
#include <cstdint>

#include "container/VoHashKeyList.h"
#include "stdlib/VoAPIObject.h"
#include "stdlib/VoListenerList.h"

class VoEvent;
class VoIEventListener;
class VoIStream;
class VoVectorString;

class VoEventManager : public VoAPIObject {
public:
    static constexpr const char16_t* kId = u"eventmanager";

    static constexpr const char* kCreationFailure = "VoEventManager creation failure.";
    static constexpr const char* kDuplicate = "AddEvent failure. ID duplication: ";
    static constexpr const char* kAddFailure = "AddEvent failure.";
    static constexpr const char* kGetFailure = "GetEvent failure: ";
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kRemoveFailure = "RemoveEvent failure.";
    static constexpr const char* kGetArrayFailure = "GetArrayOfData failure.";
    static constexpr const char* kAddListenerNull = "Add listener failure. apListener == NULL.";
    static constexpr const char* kAddListenerFailure = "AddListener failure.";
    static constexpr const char* kRemoveListenerNull = "RemoveListener failure. NULL arg.";
    static constexpr const char* kRemoveListenerFailure = "RemoveListener failure.";
    static constexpr const char* kOnLoadWarning = "OnLoad warning. Could not add event: ";
    static constexpr const char* kOnLoadFailure = "OnLoad failure. Invalid event record: ";
    // Written by the destructor as a bare line, without level or source.
    static constexpr const char16_t* kDestroyedLine = u"~VoEventManager()";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoEventManager* GetInstance();

    VoEventManager();
    VoEventManager(const VoEventManager&) = delete;
    VoEventManager& operator=(const VoEventManager&) = delete;
    // Deletes the events; the listeners are not told.
    ~VoEventManager() override;

    // Records a new event stamped with the game clock's current time.
    bool AddEvent(const VoString& aId, bool aNotify);
    // Takes apEvent when true; it keeps its own id and time. A refused event
    // stays the caller's.
    bool AddEvent(VoEvent* apEvent, bool aNotify);
    bool HasEvent(const VoString& aId);
    // True when every id has happened (an empty list: true).
    bool HasAllEvents(const VoVectorString& aIds);
    // True when some id has happened (an empty list: false).
    bool HasAnyEvent(const VoVectorString& aIds);
    // The manager's event, or null (logged).
    VoEvent* GetEvent(const VoString& aId);
    // The same for callers that ask whether an event has happened and when:
    // null, logging nothing, when it has not (the constant ids are no events).
    VoEvent* PeekEvent(const VoString& aId);
    std::int32_t GetEventCount() const { return fEvents.GetCount(); }
    // Hands the event to the caller through *appEvent, which must hold null.
    // Listeners are not told.
    bool RemoveEvent(const VoString& aId, VoEvent** appEvent);
    void ClearEvents();

    // Not owned. A listener already registered keeps its first order.
    bool AddListener(VoIEventListener* apListener, float aOrder);
    bool RemoveListener(VoIEventListener* apListener);
    // From inside OnEvent: the rest of the notification is skipped.
    void StopNotify() { fListeners.StopNotify(); }
    void NotifyListeners(VoEvent* apEvent);

    bool Initialize(std::uintptr_t aArgument) override;
    // Adds the stored events to those held, without telling the listeners; an
    // event already held is kept and makes the result false. Stops at the
    // first record that cannot be read.
    bool OnLoad(VoIStream* apStream, float aVersion) override;
    bool Save(VoIStream* apStream) override;
    VoString ToString() const override;

private:
    // 1 for the ids that have always happened, -1 for those that never have,
    // 0 for the others; aId in lower case.
    static int ConstantAnswer(const VoString& aId);
    // Takes apEvent when true; logs nothing.
    bool Store(VoEvent* apEvent);

    VoHashKeyList fEvents;  // lower-case id -> VoEvent (owned), in insertion order
    VoListenerList fListeners;
};
