#pragma once
// Mixes up to seven animations on one draw element. Slot 0 holds the primary
// animation (idle, walk, an action); slots 1 to 6 are blending layers: a
// primary animation that is fading out, gestures, turns. Each draw element
// that can animate owns one controller; every frame it calls Update with the
// controller clock's elapsed seconds and then samples the slots into its bone
// frames (VoAnimationSlot::SampleKeyIndex gives each slot's key).
//
// Blends are asked for as (animation, primary or layer, start weight, weight
// rate per second, flags, speed); the usual rate is 4.0, a quarter-second
// cross-fade. The controller never owns its animations.
#include <cstdint>

#include "animation/VoAnimationSlot.h"

class VoAnimation;
class VoITimer;
class VoStopWatch;
class VoString;

class VoAnimationCtrl {
public:
    static constexpr int kSlotCount = 7;
    static constexpr int kFirstLayer = 1;
    // The rate at which a replaced or ended animation fades out: 0.25 s from weight 1.
    static constexpr float kFadeOutRate = -4.0f;

    static constexpr const char* kInvalidSlot = "Invalid slot index: ";

    // The clock runs on the engine timer from 0.
    VoAnimationCtrl();
    // The clock runs on apTimer (not owned, outlives the controller).
    explicit VoAnimationCtrl(VoITimer* apTimer);
    ~VoAnimationCtrl();
    VoAnimationCtrl(const VoAnimationCtrl&) = delete;
    VoAnimationCtrl& operator=(const VoAnimationCtrl&) = delete;

    // Always true.
    // Primary (aSecondary false): an animation already in slot 0 is left
    // running. Otherwise the old primary animation, if any, moves whole to the
    // lowest free layer and fades out from weight 1.0 at kFadeOutRate with
    // speed 1.0 on top of the new one (with no free layer it is simply
    // replaced), and slot 0 starts apAnimation from time 0.
    // Layer (aSecondary true): an animation already in a layer is left
    // running; otherwise the lowest free layer starts it; with no free layer
    // nothing happens.
    bool SetAnimation(VoAnimation* apAnimation, bool aSecondary, float aWeight, float aRate,
                      std::uint32_t aFlags, float aSpeed);

    // Advances every slot to aTime (the clock's elapsed seconds), in slot
    // order: an ended slot without kLoop starts fading out at kFadeOutRate
    // with its time held; a slot without kHoldTime moves its time on; a slot
    // fading out whose weight reaches 0 is emptied and the layers compacted
    // (the layer that moves into its place is next advanced by the following
    // Update); a slot fading in stops at weight 1.0. Weights stay in 0..1.
    // Always true.
    bool Update(float aTime);

    // The clock the draw element reads for Update; null when it could not be
    // made. Owned by the controller.
    VoStopWatch* GetStopWatch() { return fpClock; }
    float GetLastTime() const { return fLastTime; }

    // The slot at aIndex (0..6); null, logged, outside.
    VoAnimationSlot* GetSlot(int aIndex);
    // The first slot holding the animation; null when none, and for null.
    VoAnimationSlot* FindSlot(const VoAnimation* apAnimation);
    int FindSlotIndex(const VoAnimation* apAnimation);
    // The slot's time x speed; -1.0 for an empty slot or a bad index.
    float GetSlotAnimTime(int aIndex);
    // The name of the slot's animation; null for an empty slot or a bad index.
    const VoString* GetSlotAnimationName(int aIndex);
    // The lowest empty layer; null when all six are taken.
    VoAnimationSlot* GetFreeSlot();
    bool IsLayerPlaying(const VoAnimation* apAnimation);

    // Empties the slot holding the animation at once; false when none does.
    bool RemoveAnimation(const VoAnimation* apAnimation);
    // Adds kHoldTime to the slot holding the animation; false when none does.
    bool HoldAnimation(const VoAnimation* apAnimation);
    // Flags, weight, rate and speed of the slot holding the animation, from
    // aParams[0..3]; a flags value that is no whole number in 0..2^32 - 1
    // gives no flags. False when no slot holds it or aParams is null.
    bool SetSlotParams(const VoAnimation* apAnimation, const float aParams[4]);
    // Puts the animation into slot aIndex with these values, time 0 (the
    // previous time stays), ended flag 0; false, logged, for a bad index.
    bool SetSlot(VoAnimation* apAnimation, int aIndex, float aWeight, float aRate, std::uint32_t aFlags,
                 float aSpeed);
    // The same at speed 1.0.
    bool SetSlot(VoAnimation* apAnimation, int aIndex, float aWeight, float aRate, std::uint32_t aFlags);

    // aValue 0 empties every slot. Otherwise every occupied slot fades out
    // from weight aValue: kFadeIn clears and kFadeOut is set; a slot whose
    // rate would not lower its weight fades at kFadeOutRate.
    void FadeOutAll(float aValue);
    // Empties slots 1 to 6; slot 0 stays.
    void ClearLayers();
    // Moves the occupied layers down, in order, so slots 1 to 6 have no gaps.
    void CompactLayers();

    // Pauses or resumes the clock when the value changes.
    void SetPaused(bool aPaused);
    bool IsPaused() const { return fPaused; }

private:
    bool IsValidIndex(int aIndex) const;

    VoStopWatch* fpClock;  // owned; null when it could not be made
    float fLastTime;       // the clock time of the previous Update
    VoAnimationSlot fSlots[kSlotCount];
    bool fPaused;
};
