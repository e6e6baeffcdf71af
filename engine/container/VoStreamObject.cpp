#include "container/VoStreamObject.h"

#include "stdlib/VoIStream.h"

bool VoStreamObject::Initialize(std::uintptr_t /*aArgument*/) {
    return true;
}

bool VoStreamObject::GetPersistedFlag1() const {
    return fPersistedFlag1;
}

std::uint32_t VoStreamObject::GetReserved4() const {
    return 0;
}

bool VoStreamObject::GetPersistedFlag2() const {
    return fPersistedFlag2;
}

std::uint32_t VoStreamObject::GetReserved6() const {
    return 0;
}

std::uint32_t VoStreamObject::GetReserved7() const {
    return 0;
}

// Both flags are always attempted, so a failure on the first still moves the
// stream past the second, as the stored format expects.
bool VoStreamObject::Read(VoIStream* apStream) {
    const bool first = VoIStream::ReadValue(apStream, &fPersistedFlag1);
    const bool second = VoIStream::ReadValue(apStream, &fPersistedFlag2);
    return first && second;
}

bool VoStreamObject::Write(VoIStream* apStream) {
    const bool first = VoIStream::WriteValue(apStream, fPersistedFlag1);
    const bool second = VoIStream::WriteValue(apStream, fPersistedFlag2);
    return first && second;
}
