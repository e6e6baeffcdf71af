#pragma once
// Told by the screen fader (MGScreenFader) when its fade starts, is stopped
// or finishes, with the engine fader's codes. The fader has one listener,
// which it does not own.
#include "gdi/VoIFaderListener.h"

class MGIScreenFaderListener {
public:
    static constexpr int kStarted = VoIFaderListener::kStarted;
    static constexpr int kStopped = VoIFaderListener::kStopped;
    static constexpr int kFinished = VoIFaderListener::kFinished;

    virtual ~MGIScreenFaderListener() = default;
    virtual void OnFadeEvent(int aCode) = 0;
};
