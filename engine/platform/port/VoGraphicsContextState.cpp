#include "platform/port/VoGraphicsContextState.h"

namespace {
bool gAlive = false;
}

bool VoGraphicsContextState::IsAlive() {
    return gAlive;
}

void VoGraphicsContextState::SetAlive(bool aAlive) {
    gAlive = aAlive;
}
