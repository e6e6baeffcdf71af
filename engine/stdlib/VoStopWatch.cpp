#include "stdlib/VoStopWatch.h"

#include "system/VoITimer.h"

VoStopWatch::VoStopWatch() : VoStopWatch(VoITimer::GetInstance()) {}

VoStopWatch::VoStopWatch(VoITimer* apTimer) : fpTimer(apTimer) {
    Resume();
}

VoStopWatch::~VoStopWatch() {
    fpTimer = nullptr;
}

double VoStopWatch::Now() {
    return fpTimer != nullptr ? fpTimer->GetTime() : 0.0;
}

float VoStopWatch::GetElapsed() {
    if (fPaused) {
        return fFrozen;
    }
    return static_cast<float>(Now() - fStart);
}

void VoStopWatch::Pause() {
    fFrozen = static_cast<float>(Now() - fStart);
    fPaused = true;
}

void VoStopWatch::Resume() {
    if (!fPaused) {
        return;
    }
    fStart = static_cast<float>(Now() - fFrozen);
    fPaused = false;
}

void VoStopWatch::Reset() {
    fStart = static_cast<float>(Now());
    fFrozen = 0.0f;
}

void VoStopWatch::SetElapsed(float aSeconds) {
    fStart = static_cast<float>(Now() - aSeconds);
    fFrozen = aSeconds;
}
