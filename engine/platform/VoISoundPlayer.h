#pragma once
// One sound: a sample loaded whole, or a stream decoded as it plays. A player
// is meant to hold one or the other; while it holds a stream, the stream
// operations take precedence. Times are in seconds. Operations on an empty
// player do nothing and give 0 or false.
#include <cstdint>

#include "container/VoStreamObject.h"
#include "container/VoString.h"

class VoISoundListener;

class VoISoundPlayer : public VoStreamObject {
public:
    ~VoISoundPlayer() override = default;

    // An engine path. A stream already held is released first.
    virtual bool OpenStream(const VoString& aPath) = 0;
    // An engine path. A sample already held is released first.
    virtual bool LoadSample(const VoString& aPath) = 0;
    // Gives back everything the player holds.
    virtual void Release() = 0;
    // A stream keeps its time; a sample is not paused.
    virtual void Pause() = 0;
    virtual void Play() = 0;
    // A stream goes back to its start; no end is reported.
    virtual void Stop() = 0;
    virtual VoString GetName() const = 0;
    virtual float GetLength() const = 0;
    // The louder side's peak (0 .. 1) in the last mixed block.
    virtual float GetLevels() const = 0;
    virtual float GetPosition() const = 0;
    // Whether the sound has run to its end.
    virtual bool IsFinished() const = 0;
    // Holds its place in the interface; no behaviour was ever given to it.
    virtual void Reserved(std::uint32_t aArgument) = 0;
    // Not owned; null removes it.
    virtual void SetListener(VoISoundListener* apListener) = 0;
    // A stream plays endlessly or once; a sample is not affected.
    virtual void SetLoopCount(bool aLoop) = 0;
    virtual void Seek(float aSeconds) = 0;
    // aScale clamped to 0 .. 1.
    virtual void SetVolume(float aScale) = 0;

protected:
    VoISoundPlayer() = default;
};
