#pragma once
// Elapsed real time in seconds on the engine timer, with pause, resume, reset
// and set. The animation side (gesture player, animation controller, steering,
// lip-sync player) embeds one wherever it needs its own time base.
#include "container/VoBase.h"

class VoITimer;

class VoStopWatch : public VoBase {
public:
    // On the engine timer; runs from 0 at once.
    VoStopWatch();
    // On the given timer (not owned, must outlive the stopwatch). Without a
    // timer every reading is 0 seconds, so the stopwatch stands still.
    explicit VoStopWatch(VoITimer* apTimer);
    ~VoStopWatch() override;

    // Paused: the frozen value; running: seconds since the (moved) start.
    float GetElapsed();
    // Freezes the elapsed time. Pausing again takes it anew from the old
    // start, so it then includes the time spent paused.
    void Pause();
    // Only when paused: runs on from the frozen value.
    void Resume();
    // Elapsed 0; paused stays paused.
    void Reset();
    // Elapsed aSeconds; paused stays paused.
    void SetElapsed(float aSeconds);

    bool IsPaused() const { return fPaused; }

private:
    double Now();

    VoITimer* fpTimer;    // not owned: the timer outlives the stopwatch
    float fStart = 0.0f;  // the reading that counts as elapsed 0 while running
    float fFrozen = 0.0f;
    bool fPaused = true;
};
