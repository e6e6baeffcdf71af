#include "navigation/VoSteeringTDO.h"

#include <cmath>

#include "animation/VoAnimationCtrl.h"
#include "container/VoLog.h"
#include "geometry/VoVector2.h"
#include "navigation/VoINavigation.h"
#include "navigation/VoISteeredCharacter.h"
#include "navigation/VoNavigationTDO.h"
#include "stdlib/VoFrameManager.h"

namespace {

bool InTables(int aIndex) {
    return aIndex >= 0 && aIndex < VoSteeringTDO::kSpeedCount;
}

}  // namespace

VoSteeringTDO::VoSteeringTDO()
    : fSpeedIndex(0),
      fTurnOnSpot(false),
      fTurnRates{},
      fTurnBoost(1.0f),
      fSpeeds{},
      fpCharacter(nullptr),
      fPreviousTime(0.0f),
      fHasPreviousTime(false),
      fRegistered(false) {}

VoSteeringTDO::VoSteeringTDO(VoITimer* apTimer)
    : fSpeedIndex(0),
      fTurnOnSpot(false),
      fTurnRates{},
      fTurnBoost(1.0f),
      fSpeeds{},
      fStopWatch(apTimer),
      fpCharacter(nullptr),
      fPreviousTime(0.0f),
      fHasPreviousTime(false),
      fRegistered(false) {}

VoSteeringTDO::~VoSteeringTDO() {
    LeaveFrames();
}

bool VoSteeringTDO::SetCharacter(VoISteeredCharacter* apCharacter) {
    if (apCharacter == nullptr) {
        VO_ASSERT_FAILURE(kSetCharacterFailure);
        return false;
    }
    fpCharacter = apCharacter;
    return true;
}

void VoSteeringTDO::SetDefaults() {
    const float turnRates[kSpeedCount] = {kPi, 0.7f * kPi, 0.6f * kPi, 0.8f * kPi, 0.8f * kPi};
    const float speeds[kSpeedCount] = {0.0f, 48.0f, 132.0f, 36.0f, 36.0f};
    for (int i = 0; i < kSpeedCount; ++i) {
        fTurnRates[i] = turnRates[i];
        fSpeeds[i] = speeds[i];
    }
}

void VoSteeringTDO::SetTurnRate(int aIndex, float aRadiansPerSecond) {
    if (!InTables(aIndex)) {
        VO_ASSERT_FAILURE(kInvalidTableIndex, aIndex);
        return;
    }
    fTurnRates[aIndex] = aRadiansPerSecond;
}

void VoSteeringTDO::SetSpeed(int aIndex, float aSpeed) {
    if (!InTables(aIndex)) {
        VO_ASSERT_FAILURE(kInvalidTableIndex, aIndex);
        return;
    }
    fSpeeds[aIndex] = aSpeed;
}

float VoSteeringTDO::GetTurnRate(int aIndex) const {
    return InTables(aIndex) ? fTurnRates[aIndex] : 0.0f;
}

float VoSteeringTDO::GetDefaultSpeed(int aIndex) const {
    return InTables(aIndex) ? fSpeeds[aIndex] : 0.0f;
}

// Start: on a change the steering joins the frames, the walk clock runs on
// and the walk begins by turning on the spot; the speed index and speed are
// taken and the character starts the move animation of that index. Stop: the
// steering leaves the frames, the clock pauses, the character fades into its
// idle animation and the navigation is switched off, which tells its
// listener. The turn boost starts anew either way.
bool VoSteeringTDO::SetMoving(bool aMoving, int aSpeedIndex) {
    if (aMoving && !InTables(aSpeedIndex)) {
        VO_ASSERT_FAILURE(kInvalidSpeedIndex, aSpeedIndex);
        return false;
    }
    const bool changed = aMoving != fActive;
    fActive = aMoving;
    fTurnBoost = 1.0f;
    if (aMoving) {
        if (changed) {
            JoinFrames();
            fStopWatch.Resume();
            fTurnOnSpot = true;
        }
        fSpeedIndex = aSpeedIndex;
        fSpeed = fSpeeds[aSpeedIndex];
        StartMoveAnimation();
        return true;
    }

    LeaveFrames();
    // Pausing a paused stopwatch would count the time it stood still.
    if (!fStopWatch.IsPaused()) {
        fStopWatch.Pause();
    }
    fSpeedIndex = 0;
    fSpeed = InTables(aSpeedIndex) ? fSpeeds[aSpeedIndex] : 0.0f;
    StartIdleAnimation();
    // Last: the navigation's listener may end this steering's life.
    if (fpNavigation != nullptr) {
        fpNavigation->SetActive(false);
    }
    return true;
}

void VoSteeringTDO::StartMoveAnimation() {
    if (fpCharacter == nullptr) {
        return;
    }
    VoAnimation* move = fpCharacter->GetMoveAnimation(fSpeedIndex);
    VoAnimationCtrl* controller = fpCharacter->GetAnimationCtrl();
    if (move == nullptr) {
        // The move list is 1-based and may be shorter than the speed tables:
        // the animation that plays goes on, at the table's speed.
        VO_ASSERT_FAILURE(kNoMoveAnimation, fSpeedIndex);
        return;
    }
    if (controller != nullptr) {
        controller->SetAnimation(move, false, kMoveWeight, kMoveWeightRate, kAnimationFlags, kPlaybackSpeed);
    }
    fSpeed = fpCharacter->GetMoveSpeed(fSpeedIndex) * kCharacterSpeedScale;
}

void VoSteeringTDO::StartIdleAnimation() {
    if (fpCharacter == nullptr) {
        return;
    }
    VoAnimation* idle = fpCharacter->GetIdleAnimation();
    VoAnimationCtrl* controller = fpCharacter->GetAnimationCtrl();
    if (idle == nullptr || controller == nullptr) {
        return;
    }
    controller->SetAnimation(idle, false, kIdleWeight, kIdleWeightRate, kAnimationFlags, kPlaybackSpeed);
    if (VoAnimationSlot* primary = controller->GetSlot(0)) {
        primary->fRate = kIdleFadeRate;
    }
}

bool VoSteeringTDO::Update() {
    VO_ASSERT_FAILURE(kNYI);
    return false;
}

void VoSteeringTDO::OnUpdate() {
    if (!fActive) {
        return;
    }
    const float now = fStopWatch.GetElapsed();
    if (!fHasPreviousTime || fPreviousTime > now) {
        fPreviousTime = now;
        fHasPreviousTime = true;
    }
    const float elapsed = now - fPreviousTime;
    if (fpNavigation == nullptr) {
        fPreviousTime = now;
        return;
    }

    const VoVector3 position = fpNavigation->GetPosition();
    if ((fpNavigation->GetTarget() - position).Length() < kArrivalDistance) {
        // The time of this step stays unused: the next walk's first step
        // measures from the step before.
        SetMoving(false, 0);
        return;
    }
    const VoVector3 next = fpNavigation->GetNextPoint();
    const float distance = (next - position).Length();
    Turn(elapsed, distance);

    if (!fTurnOnSpot) {
        float step = elapsed * fSpeed;
        if (step > distance) {
            step = distance;
        }
        const VoVector3 moved = position + fDirection * step;
        VoVector2 point(moved.x, moved.y);
        if (VoNavigationTDO* ground = dynamic_cast<VoNavigationTDO*>(fpNavigation)) {
            ground->PushAwayFromEdges(kEdgeRadius, kEdgeStep, &point);
        }
        fpNavigation->SetPosition(VoVector3(point.x, point.y, 0.0f));
    }
    fPreviousTime = now;
}

void VoSteeringTDO::Turn(float aElapsed, float aDistance) {
    if (aElapsed == 0.0f) {
        return;
    }
    const VoVector3& position3 = fpNavigation->GetPosition();
    const VoVector3& next3 = fpNavigation->GetNextPoint();
    const VoVector2 position(position3.x, position3.y);
    const VoVector2 next(next3.x, next3.y);
    VoVector2 facing(fDirection.x, fDirection.y);
    float angle = facing.AngleBetween(next - position);

    // Where turning at this rate would walk past the next point, turn faster;
    // too sharp a bend stops the walker to turn on the spot.
    const float rate = fTurnRates[fSpeedIndex] * fTurnBoost;
    if (rate > 0.0f && angle / rate * fSpeed > aDistance) {
        fTurnBoost *= kBoostGrowth;
        if (fTurnBoost > kBoostLimit) {
            fTurnOnSpot = true;
        }
    }
    if (angle < kFacingAngle) {
        fTurnOnSpot = false;
        return;
    }
    // At most the angle that is left: a boosted turn must not swing past the point.
    const float turn = aElapsed * fTurnRates[fSpeedIndex] * fTurnBoost;
    if (turn < angle) {
        angle = turn;
    }
    if (next.SideOfLine(position, position + facing) == 1) {
        angle = -angle;
    }
    facing.Rotate(angle);
    fDirection.Set(facing.x, facing.y, 0.0f);
    fDirection.NormalizeInPlace(kDirectionTolerance);
}

void VoSteeringTDO::JoinFrames() {
    if (fRegistered) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fRegistered = frames != nullptr && frames->AddListener(this, kFrameOrder);
}

void VoSteeringTDO::LeaveFrames() {
    if (!fRegistered) {
        return;
    }
    fRegistered = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}
