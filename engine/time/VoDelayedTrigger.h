#pragma once
// An event to record, or a state to add, once a clock of the game clock
// reaches a due time. The trigger owns its pending item until it fires.
//
// Record (VoDelayedTrigger::Write / Read): i32 kind, f32 due, i32 clock, then
// the item: a VoEvent record for kind 0, a VoIState record for kind 1.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"

class VoIStream;

class VoDelayedTrigger : public VoBase, public VoISerializable {
public:
    static constexpr std::int32_t kEvent = 0;
    static constexpr std::int32_t kState = 1;

    static constexpr const char* kMissingItem = "Missing trigger item";

    // The smallest record: kind, due, clock and an event record.
    static constexpr std::uint32_t kMinRecordSize = 4 + 4 + 4 + 6 + 4;

    VoDelayedTrigger();
    VoDelayedTrigger(const VoDelayedTrigger&) = delete;
    VoDelayedTrigger& operator=(const VoDelayedTrigger&) = delete;
    // Deletes the item it still holds.
    ~VoDelayedTrigger() override;

    // apItem is a VoEvent (kEvent) or a VoIState (kState), taken when true.
    bool Init(std::int32_t aKind, float aDue, std::int32_t aClock, VoBase* apItem);
    // Hands the item to the event or state manager with notification; an item
    // they refuse is deleted. The trigger holds no item afterwards.
    bool Fire();

    std::int32_t GetKind() const { return fKind; }
    float GetDueTime() const { return fDue; }
    std::int32_t GetClock() const { return fClock; }
    const VoBase* GetItem() const { return fpItem; }
    // When the clock took the trigger in, by the clock's count; not saved.
    // A firing walk passes over triggers taken in after it began.
    void SetSerial(std::uint64_t aSerial) { fSerial = aSerial; }
    std::uint64_t GetSerial() const { return fSerial; }

    // On failure the trigger is left as it was.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

private:
    std::int32_t fKind;
    float fDue;
    std::int32_t fClock;
    VoBase* fpItem;  // owned: VoEvent or VoIState by fKind; null once fired
    std::uint64_t fSerial;
};
