#pragma once
// A timer that reads whatever the test sets: handed to the objects that take
// a timer (faders, tooltips, stopwatches, controllers, schedules), it puts
// the test in charge of time.
//
//     SetTimer timer;
//     timer.fNow = 2.5;
#include <cstdint>

#include "system/VoITimer.h"

class SetTimer : public VoITimer {
public:
    explicit SetTimer(double aNow = 0.0) : fNow(aNow) {}

    bool Initialize(std::uintptr_t) override { return true; }
    double GetTime() override { return fNow; }
    // Time starts again from 0, as the engine timer's does.
    bool Reset() override {
        fNow = 0.0;
        return true;
    }

    double fNow;
};
