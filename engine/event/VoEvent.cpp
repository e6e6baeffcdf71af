#include "event/VoEvent.h"

#include "container/VoDebugString.h"
#include "stdlib/VoIStream.h"
#include "time/VoGameClock.h"

namespace {

float GameTime() {
    VoGameClock* clock = VoGameClock::GetInstance();
    return clock != nullptr ? clock->GetTime() : 0.0f;
}

}  // namespace

VoEvent::VoEvent(const VoString& aId) : fId(aId.ToLower()), fTime(GameTime()) {}

VoEvent::~VoEvent() = default;

bool VoEvent::Read(VoIStream* apStream) {
    VoString id;
    float time = 0.0f;
    if (!VoIStream::ReadValue(apStream, &id) || !VoIStream::ReadValue(apStream, &time)) {
        return false;
    }
    fId = id;
    fTime = time;
    return true;
}

bool VoEvent::Write(VoIStream* apStream) {
    const bool written = VoIStream::WriteValue(apStream, fId);
    return VoIStream::WriteValue(apStream, fTime) && written;
}

VoString VoEvent::ToString() const {
    VoString text = VoDebugStringHead("VoEvent", this);
    text.Append(" id:");
    text.Append(fId);
    text.Append(", time:");
    text.Append(fTime);
    return text;
}
