#pragma once
// One of the seven slots of an animation controller: the animation it plays
// (not owned; null when the slot is empty), how it is blended and where in
// the animation it stands. A plain record; the controller fades and advances
// it, the draw element samples it.
#include <cstdint>

class VoAnimation;

class VoAnimationSlot {
public:
    // Flag bits.
    // The weight rises by rate x dt until it reaches 1.0, then the bit clears.
    static constexpr std::uint32_t kFadeIn = 1;
    // The weight changes by rate x dt; at 0 or less the slot is emptied.
    static constexpr std::uint32_t kFadeOut = 2;
    // Passed with kLoop by callers; nothing tests it.
    static constexpr std::uint32_t kFlag4 = 4;
    // At the end the time restarts at 0 and the slot never fades out by itself.
    static constexpr std::uint32_t kLoop = 8;
    // Update leaves the time alone: set when an animation has ended, and by
    // callers that drive the time themselves.
    static constexpr std::uint32_t kHoldTime = 16;
    // At the end the last key stays and the ended flag is never set.
    static constexpr std::uint32_t kClamp = 32;

    static constexpr double kKeysPerSecond = 30.0;

    bool IsEmpty() const { return fpAnimation == nullptr; }
    // The time within the animation: time x speed.
    float GetAnimTime() const { return fTime * fSpeed; }
    float GetTime() const { return fTime; }
    float GetPrevTime() const { return fPrevTime; }
    // Animation null, ended flag 0; the other fields are left as they are.
    void Clear();
    void SetTime(float aTime, bool aAlsoPrevious);

    // The key index the sampler shows for this slot now, applying the end
    // rule: the ended flag is cleared; k = the animation time x 30, truncated
    // (no interpolation). When k reaches the last key (frame count - 1): a
    // clamped slot shows the last key; any other sets the ended flag and
    // either restarts (kLoop: time 0) or steps back to its previous time and
    // holds it (kHoldTime); then k = k modulo the frame count. -1 when the
    // slot is empty or its animation has no frames: nothing is shown. A
    // negative or undefined time shows key 0. Each track limits the index to
    // the keys it holds (VoAnimationTrack::ClampKey).
    std::int32_t SampleKeyIndex();

    VoAnimation* fpAnimation = nullptr;  // not owned; null while the slot is empty
    std::uint32_t fFlags = 0;
    float fWeight = 0.0f;     // 0..1, the blend factor of a layer (slots 1 to 6)
    float fRate = 0.0f;       // weight change per second
    float fSpeed = 1.0f;      // playback speed
    std::uint8_t fEnded = 0;  // set by SampleKeyIndex when the last key was reached
    float fTime = 0.0f;       // seconds since the slot started
    float fPrevTime = 0.0f;   // the time before the last advance
};
