#pragma once
// An engine timer that reads what the test sets: stand it in for the
// engine's (through a "timer" creator, or handed to the class that takes
// one) so that time moves only when the test says.
#include <cstdint>

#include "system/VoITimer.h"

class SetTimer : public VoITimer {
public:
    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    bool Reset() override {
        fNow = 0.0;
        return true;
    }

    double fNow = 0.0;
};
