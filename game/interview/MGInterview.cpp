#include "interview/MGInterview.h"

#include "container/VoDebugString.h"

VoString MGInterview::ToString() const {
    return VoDebugString("MGInterview", this);
}
