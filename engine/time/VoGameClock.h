#pragma once
// Game time: several independent clocks, numbered from 0, that move only
// when the game advances them. Clock n's time is the number state
// "currenttime_clock_" + n of the state manager, so it is saved, cleared and
// loaded with the states. The clock also keeps the delayed triggers: events
// to record, or states to add, once a given clock reaches a given time.
//
// Operations without a clock index, and those given a negative one, use the
// current clock.
//
// Record (Save / OnLoad): i32 current clock, i32 count, then count
// VoDelayedTrigger records in ascending order of due time. The clock times
// are not in it: they travel with the states.
#include <cstdint>

#include "container/VoVector.h"
#include "stdlib/VoAPIObject.h"
#include "stdlib/VoListenerList.h"

class VoDelayedTrigger;
class VoIGameClockListener;
class VoIState;
class VoIStream;

class VoGameClock : public VoAPIObject {
public:
    static constexpr const char16_t* kId = u"gameclock";
    static constexpr const char16_t* kTimeStatePrefix = u"currenttime_clock_";

    static constexpr const char* kAddListenerNull = "Add listener failure. apListener == NULL.";
    static constexpr const char* kAddListenerFailure = "AddListener failure.";
    static constexpr const char* kRemoveListenerNull = "RemoveListener failure. NULL arg.";
    static constexpr const char* kRemoveListenerFailure = "RemoveListener failure.";
    // A time state that some other code made with another type than number.
    static constexpr const char* kTimeStateNotNumber = "Time state is not a number: ";
    static constexpr const char* kOnLoadFailure = "OnLoad failure. Invalid trigger record: ";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoGameClock* GetInstance();

    VoGameClock();
    VoGameClock(const VoGameClock&) = delete;
    VoGameClock& operator=(const VoGameClock&) = delete;
    // Deletes the pending triggers.
    ~VoGameClock() override;

    void SetCurrentClock(std::int32_t aClock) { fCurrentClock = aClock; }
    std::int32_t GetCurrentClock() const { return fCurrentClock; }

    // A clock without a time state gets one of 0: the current-clock form
    // makes it quietly, the indexed form tells the state listeners.
    float GetTime();
    float GetTime(std::int32_t aClock);

    // Adds aDelta to the clock's time (the state listeners are always told;
    // aNotify governs the clock listeners), then fires the clock's triggers
    // that are due.
    void AdvanceTime(float aDelta, bool aNotify);
    void AdvanceTime(std::int32_t aClock, float aDelta, bool aNotify);
    // Sets the clock's time to 0; the triggers stay.
    void ResetTime();
    void ResetTime(std::int32_t aClock);
    // Current clock 0, every pending trigger deleted; no time changes.
    void Reset();

    // Records the event (lower-cased, stamped now with the current clock's
    // time) once the clock has advanced by aDelay. A trigger due already
    // waits for the next AdvanceTime of its clock.
    bool AddDelayedTrigger(const VoString& aEventId, float aDelay, std::int32_t aClock);
    // Adds the state once the clock has advanced by aDelay, unless a state of
    // that id exists then. apValue is a bool, float or VoString by aType.
    bool AddDelayedStateChange(const VoString& aStateId, std::int32_t aType, const void* apValue,
                               float aDelay, std::int32_t aClock);
    bool AddDelayedStateChange(const VoString& aStateId, const VoString* apValue, float aDelay,
                               std::int32_t aClock);
    bool AddDelayedStateChange(const VoString& aStateId, float aValue, float aDelay, std::int32_t aClock);
    bool AddDelayedStateChange(const VoString& aStateId, bool aValue, float aDelay, std::int32_t aClock);
    // So that literals reach the form they mean: text (which would otherwise
    // be taken as a bool) the string form, an integer the number form. A null
    // text pointer fails as a null string does.
    bool AddDelayedStateChange(const VoString& aStateId, const char16_t* apValue, float aDelay,
                               std::int32_t aClock);
    bool AddDelayedStateChange(const VoString& aStateId, const char* apValue, float aDelay,
                               std::int32_t aClock);
    bool AddDelayedStateChange(const VoString& aStateId, std::int32_t aValue, float aDelay,
                               std::int32_t aClock);
    int GetTriggerCount() const { return fTriggers.GetCount(); }
    // The pending trigger at aIndex in firing order, or null; the clock's.
    const VoDelayedTrigger* GetTrigger(int aIndex) const;

    // Not owned; told in registration order.
    bool AddListener(VoIGameClockListener* apListener);
    bool RemoveListener(VoIGameClockListener* apListener);

    bool Initialize(std::uintptr_t aArgument) override;
    // Resets first. Stops at the first trigger record that cannot be read.
    bool OnLoad(VoIStream* apStream, float aVersion) override;
    bool Save(VoIStream* apStream) override;
    VoString ToString() const override;

    // "currenttime_clock_" + the index in decimal.
    static VoString TimeStateId(std::int32_t aClock);

private:
    std::int32_t Resolve(std::int32_t aClock) const { return aClock < 0 ? fCurrentClock : aClock; }
    float TimeOf(std::int32_t aClock, bool aNotify);
    // Stores aTime in the clock's time state with notification; a missing
    // state is created from aText.
    void SetTimeState(std::int32_t aClock, float aTime, const VoString& aText);
    // The held time state when it is a number, else null (a state of another
    // type is logged).
    VoIState* NumberState(const VoString& aId);
    // Takes apItem (a VoEvent or VoIState) in every case.
    bool Schedule(std::int32_t aKind, VoBase* apItem, float aDelay, std::int32_t aClock);
    void FireDue(std::int32_t aClock, float aTime);
    void DeleteTriggers();

    std::int32_t fCurrentClock;
    VoListenerList fListeners;  // VoIGameClockListener, not owned, all at order 0
    VoVector fTriggers;         // VoDelayedTrigger (owned), ascending by due time
    std::uint64_t fNextSerial;  // the serial the next scheduled trigger gets
};
