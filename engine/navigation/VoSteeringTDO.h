#pragma once
// Makes a walker follow the ground navigation. Every frame of a walk (frame
// order -95, after the navigation's step at -100 has worked out the next
// point) it turns the facing towards the navigation's next point at a
// limited turn rate, advances the position by speed x elapsed time without
// passing the next point, clamps it into the walkable regions and writes it
// back to the navigation. Within 4.0 of the target it stops, which switches
// the navigation off and so tells the navigation's listener that the walk
// has ended.
//
// A walk starts by turning on the spot until the walker faces its next
// point, then advances while it turns. Where the next point lies so far
// round that the turn would take longer than the way there, the turn is
// boosted by x1.2 per frame; past x2.0 the walker stops to turn on the spot
// again. Turn rates and speeds are kept per speed index (0 standing, 1 walk,
// 2 run, 3 and 4 the stair animations); a bound character's walk speed is
// its move animation's speed x 12.
//
// Time is the steering's own stopwatch, paused while standing, so a long
// pause between walks does not become one long first step.
#include "navigation/VoISteering.h"
#include "stdlib/VoIFrameListener.h"
#include "stdlib/VoStopWatch.h"

class VoISteeredCharacter;
class VoITimer;

class VoSteeringTDO : public VoISteering, public VoIFrameListener {
public:
    static constexpr float kFrameOrder = -95.0f;
    static constexpr int kSpeedCount = 5;
    static constexpr float kPi = 3.14159265f;
    // A walk ends once the walker is nearer than this to its target.
    static constexpr float kArrivalDistance = 4.0f;
    // A character's move speed, in its file's units, to ground units per second.
    static constexpr float kCharacterSpeedScale = 12.0f;
    // The clamp of each new position into the walkable regions.
    static constexpr float kEdgeRadius = 0.1f;
    static constexpr float kEdgeStep = 0.05f;
    // The walker faces its next point once the angle left is below this.
    static constexpr float kFacingAngle = 0.001f;
    static constexpr float kBoostGrowth = 1.2f;
    static constexpr float kBoostLimit = 2.0f;

    // The animation blends of a walk's start and end.
    static constexpr float kMoveWeight = 1.0f;
    static constexpr float kMoveWeightRate = 2.0f;
    static constexpr float kIdleWeight = 0.0f;
    static constexpr float kIdleWeightRate = 4.0f;
    static constexpr float kIdleFadeRate = -8.0f;
    static constexpr unsigned kAnimationFlags = 12;
    static constexpr float kPlaybackSpeed = 1.0f;

    static constexpr const char* kSetCharacterFailure = "SetCharacter failure.";
    static constexpr const char* kNYI = "NYI.";
    static constexpr const char* kInvalidSpeedIndex = "SetMoving failure. Invalid speed index: ";
    static constexpr const char* kNoMoveAnimation = "SetMoving failure. No move animation: ";
    static constexpr const char* kInvalidTableIndex = "Invalid speed index: ";

    // The walk clock runs on the engine timer.
    VoSteeringTDO();
    // The walk clock runs on apTimer (not owned, outlives the steering).
    explicit VoSteeringTDO(VoITimer* apTimer);
    // Leaves the frames; the navigation and the character are left alone.
    ~VoSteeringTDO() override;

    // Not owned; null is refused and keeps the old one.
    bool SetCharacter(VoISteeredCharacter* apCharacter);
    VoISteeredCharacter* GetCharacter() const { return fpCharacter; }
    // Turn rates pi, 0.7 pi, 0.6 pi, 0.8 pi, 0.8 pi radians per second and
    // speeds 0, 48, 132, 36, 36 by speed index. Until called, all are 0.
    void SetDefaults();
    // One entry; an index outside 0..4 is logged and changes nothing.
    void SetTurnRate(int aIndex, float aRadiansPerSecond);
    void SetSpeed(int aIndex, float aSpeed);
    float GetTurnRate(int aIndex) const;
    float GetDefaultSpeed(int aIndex) const;

    // Starts a walk (or switches its speed index) or ends it; see the .cpp.
    // A walk with a speed index outside 0..4 is refused (logged, false);
    // otherwise true.
    bool SetMoving(bool aMoving, int aSpeedIndex);

    // Not implemented: logs and answers false.
    bool Update() override;
    // The walk's frame step.
    void OnUpdate() override;

    int GetSpeedIndex() const { return fSpeedIndex; }
    bool IsTurningOnSpot() const { return fTurnOnSpot; }
    float GetTurnBoost() const { return fTurnBoost; }
    VoStopWatch& GetStopWatch() { return fStopWatch; }

private:
    // Turns the facing towards the next point; aDistance is the way there.
    void Turn(float aElapsed, float aDistance);
    // The animation of a walk's start and its speed, from the character.
    void StartMoveAnimation();
    void StartIdleAnimation();
    void JoinFrames();
    void LeaveFrames();

    int fSpeedIndex;
    bool fTurnOnSpot;
    float fTurnRates[kSpeedCount];
    float fTurnBoost;
    float fSpeeds[kSpeedCount];
    VoStopWatch fStopWatch;
    VoISteeredCharacter* fpCharacter;  // not owned
    // The stopwatch time of the last step, per steering; none before the first.
    float fPreviousTime;
    bool fHasPreviousTime;
    bool fRegistered;  // joined to the frame manager
};
