#pragma once
// A one-shot fact of the game: an id (lower case) and the game time at which
// the event object was built. An event recorded by a delayed trigger thus
// carries the time at which the trigger was scheduled.
//
// Record (VoEvent::Write / Read): string id, f32 time.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

class VoIStream;

class VoEvent : public VoBase, public VoISerializable {
public:
    // The smallest record: an empty id and the time.
    static constexpr std::uint32_t kMinRecordSize = 6 + 4;

    // Lower-cases the id and takes the game clock's current time.
    explicit VoEvent(const VoString& aId);
    VoEvent(const VoEvent&) = delete;
    VoEvent& operator=(const VoEvent&) = delete;
    ~VoEvent() override;

    VoString GetId() const { return fId; }
    // The id itself, for lookups without a copy.
    const VoString& PeekId() const { return fId; }
    float GetTime() const { return fTime; }

    // On failure the event is left as it was.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    // "[VoEvent <address> id:<id>, time:<time>", without a closing bracket.
    VoString ToString() const override;

private:
    VoString fId;
    float fTime;
};
