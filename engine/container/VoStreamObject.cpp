#include "container/VoStreamObject.h"

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

// The two-flag form reads and writes through the byte streams' boolean reader
// and writer; until those streams exist nothing can be read or written.
bool VoStreamObject::Read(VoIStream* /*apStream*/) {
    return false;
}

bool VoStreamObject::Write(VoIStream* /*apStream*/) {
    return false;
}
