#pragma once
// The engine's 3D character: a node that owns exactly one draw element (a
// skinned model), plays its animations through the element's animation
// controller and blends gestures over them as layers.
#include <cstdint>

#include "render/VoLipSyncNode.h"

class VoAnimation;
class VoAnimationCtrl;
class VoAnimationSlot;
class VoDrawElement;

class VoCharacter : public VoLipSyncNode {
public:
    // Blends as the character asks for them: a quarter-second cross-fade.
    static constexpr float kBlendRate = 4.0f;
    // A new primary animation fades in and plays once.
    static constexpr std::uint32_t kPrimaryFlags = 1;
    // A gesture layer fades in, its time held (the gesture player sets it)
    // and clamped at its last key.
    static constexpr std::uint32_t kGestureFlags = 49;

    VoCharacter();
    ~VoCharacter() override;

    // The element's controller; null without element or controller.
    VoAnimationCtrl* GetAnimationCtrl() const;
    // That slot of the controller (0 primary, 1..6 layers); null without a
    // controller or outside 0..6.
    VoAnimationSlot* GetAnimationSlot(int aIndex) const;
    // Starts the animation as the primary one: it fades in over a quarter
    // second while the previous one fades out, and plays once. False
    // without a controller.
    bool SetAnimation(VoAnimation* apAnimation);
    // Starts the animation as a gesture layer from weight 0 (see
    // kGestureFlags). False without a controller.
    bool PlayGestureAnimation(VoAnimation* apAnimation);
    // Marks the slot playing the animation as ended, so the controller fades
    // it out; false when no slot plays it.
    bool FinishAnimation(VoAnimation* apAnimation);
    // Sets the time of the slot playing the animation (its previous time
    // stays); false when no slot plays it.
    bool SetAnimationTime(VoAnimation* apAnimation, float aTime);

    bool IsFemale() const { return fFemale; }
    void SetFemale(bool aFemale) { fFemale = aFemale; }
    bool IsGesturePlaying() const { return fGesturePlaying; }

protected:
    // The one element; null before it is made.
    VoDrawElement* Element() const;

private:
    bool fGesturePlaying = false;
    bool fFemale = false;
};
