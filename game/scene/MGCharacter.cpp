#include "scene/MGCharacter.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "animation/VoGestureAnimManager.h"
#include "character/VoGesturePlayer.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoSteeringTDO.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "scene/MGICharacterListener.h"
#include "scene/MGNavigation.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "stdlib/VoMemoryStream.h"
#include "system/VoITimer.h"
#include "util/MGOptions.h"

int MGCharacter::sLiveCount = 0;
VoPropertyList* MGCharacter::spEyes = nullptr;
bool MGCharacter::sAmbientRestarted = false;
bool MGCharacter::sCrossArmsRestarted = false;
bool MGCharacter::sPickRestarted = false;
bool MGCharacter::sCameraRestarted = false;

namespace {

bool EndsInOne(const VoString& aName) {
    return aName.GetLength() > 0 && aName.GetAt(aName.GetLength() - 1) == u'1';
}

// The frame of the slot's animation that its time shows.
int FrameOf(const VoAnimationSlot& aSlot) {
    const VoAnimation* animation = aSlot.fpAnimation;
    const double length = animation != nullptr ? animation->GetLength() : 0.0;
    if (length <= 0.0) {
        return 0;
    }
    return static_cast<int>(aSlot.GetAnimTime() / length * animation->GetFrameCount());
}

// Past that share of the slot's animation.
bool Past(const VoAnimationSlot& aSlot, float aShare) {
    return aSlot.fpAnimation != nullptr && aSlot.GetAnimTime() > aShare * aSlot.fpAnimation->GetLength();
}

float ClampedAcos(float aCosine) {
    // Rounding can carry a unit vectors' dot product just past 1.
    return std::acos(aCosine > 1.0f ? 1.0f : (aCosine < -1.0f ? -1.0f : aCosine));
}

VoSteeringTDO* Steering() {
    MGNavigation* navigation = MGNavigation::PeekInstance();
    return navigation != nullptr ? navigation->GetSteering() : nullptr;
}

VoNavigationTDO* Navigation() {
    MGNavigation* navigation = MGNavigation::PeekInstance();
    return navigation != nullptr ? navigation->GetNavigation() : nullptr;
}

float Volume() {
    MGOptions* options = MGOptions::GetInstance();
    return options != nullptr ? options->GetVolume() : 1.0f;
}

const char16_t* TurnSize(float aDegrees, float aSecond, float aThird, const char16_t* apLast) {
    return aDegrees < aSecond ? u"45" : (aDegrees < aThird ? u"90" : apLast);
}

VoString TurnName(const char16_t* apPrefix, const char16_t* apSize, float aAngle, bool aFemale) {
    VoString name(apPrefix);
    name.Append(apSize);
    name.Append(aAngle >= 0.0f ? u"-CCW_" : u"-CW_");
    name.Append(aFemale ? u"F" : u"M");
    name.Append(u".lia1");
    return name;
}

}  // namespace

MGCharacter::MGCharacter()
    : fMinInterval(0.0f),
      fMaxInterval(0.0f),
      fpGestures(nullptr),
      fGestureCount(0),
      fBusy(false),
      fAmbientSuspended(false),
      fNextAmbientTime(0.0),
      fWeightSum(0),
      fNoWeightsLogged(false),
      fpGesturePlayer(nullptr),
      fpAmbientAnimation(nullptr),
      fIsPlayer(false),
      fpInterviewIdle(nullptr),
      fHasLookAt(false),
      fHasDoneLookAt(false),
      fSeated(false),
      fpSeatedIdle(nullptr),
      fpPhoneIdle(nullptr),
      fTurning(false),
      fpTurnAnimation(nullptr),
      fTurnAngle(0.0f),
      fTurnedSoFar(0.0f),
      fpListener(nullptr),
      fTurnWalk(false),
      fWalkStartFrame(kWalkStartCounterClockwise),
      fSpeedIndex(1),
      fMovingInTurn(false),
      fLastTurnTime(0.0f),
      fRampTime(0.0f),
      fTurnSpeed(0.0f),
      fMaxTurnSpeed(kMaxTurnSpeed),
      fBoredomTime(0.0),
      fRequestedAction(0),
      fActionCode(0),
      fpActionAnimation(nullptr),
      fpActionProp(nullptr),
      fActionPropVisible(false),
      fpShutterSound(nullptr),
      fShutterDone(false),
      fDeactivated(false),
      fHandPropArmed(false),
      fHandPropKind(kBadge),
      fpHandProp(nullptr),
      fpDefaultFootstep(nullptr),
      fNextFootFirst(true),
      fFootstepSounds(7, false),
      fpFootsteps(nullptr),
      fFootstepCount(0),
      fTrackingActive(false),
      fpLookTarget(nullptr),
      fYaw(0.0f),
      fPitch(0.0f),
      fBlend(0.0f),
      fBlendMode(1),
      fBlendStart(0.0),
      fBlendRate(kBlendRate),
      fpHeadFrame(nullptr),
      fpNeckFrame(nullptr) {
    if (sLiveCount == 0 && spEyes == nullptr) {
        spEyes = VO_NEW VoPropertyList();
        if (spEyes == nullptr || !spEyes->Load(VoString(kEyesFile), true)) {
            VO_ASSERT_FAILURE(kMissing);
        }
    }
    ++sLiveCount;
}

MGCharacter::~MGCharacter() {
    DeleteGesturePlayer();
    FreeGestures();
    DropOwnAnimation(fpInterviewIdle);
    DropOwnAnimation(fpPhoneIdle);
    DropOwnAnimation(fpSeatedIdle);
    DeleteActionProp();
    delete fpShutterSound;
    fpShutterSound = nullptr;
    delete fpHandProp;
    fpHandProp = nullptr;
    FreeFootsteps();
    fpLookTarget = nullptr;
    fpHeadFrame = nullptr;
    fpNeckFrame = nullptr;
    if (--sLiveCount == 0) {
        delete spEyes;
        spEyes = nullptr;
    }
}

VoString MGCharacter::ToString() const {
    return VoDebugString("MGCharacter", this);
}

void MGCharacter::ResetSharedFlagsForTests() {
    sAmbientRestarted = false;
    sCrossArmsRestarted = false;
    sPickRestarted = false;
    sCameraRestarted = false;
}

double MGCharacter::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

int MGCharacter::Random() {
    return std::rand() % (kRandomMax + 1);
}

float MGCharacter::RandomShare() {
    return static_cast<float>(Random()) * kRandomScale;
}

VoAnimation* MGCharacter::LoadOwnAnimation(const VoString& aPath) {
    VoAnimation* animation = VO_NEW VoAnimation();
    if (animation == nullptr) {
        return nullptr;
    }
    VoMemoryStream stream(VoAnimation::kLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(aPath, true)) {
        VO_ASSERT_FAILURE(kMissing);
        return animation;
    }
    if (EndsInOne(aPath)) {
        animation->Read(&stream);
    } else {
        animation->Read(&stream, aPath);
    }
    return animation;
}

VoAnimation* MGCharacter::CachedAnimation(const VoString& aFile) {
    VoGestureAnimManager* cache = VoGestureAnimManager::GetInstance();
    if (cache == nullptr || !cache->SetRoot(VoString(kAnimationRoot))) {
        return nullptr;
    }
    const std::uint32_t handle = cache->CreateAnimation(aFile);
    return handle != 0 ? cache->GetAnimation(handle) : nullptr;
}

VoDrawElement* MGCharacter::LoadProp(const VoString& aPath) {
    VoDrawElement* prop = VO_NEW VoDrawElement();
    if (prop != nullptr && !prop->LoadFile(aPath, true)) {
        VO_ASSERT_FAILURE(kMissing);
    }
    return prop;
}

void MGCharacter::DropOwnAnimation(VoAnimation*& apAnimation) {
    if (apAnimation == nullptr) {
        return;
    }
    if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
        while (ctrl->RemoveAnimation(apAnimation)) {
        }
    }
    delete apAnimation;
    apAnimation = nullptr;
}

void MGCharacter::DeleteGesturePlayer() {
    if (fpGesturePlayer == nullptr) {
        return;
    }
    fpGesturePlayer->Stop();
    delete fpGesturePlayer;
    fpGesturePlayer = nullptr;
}

void MGCharacter::FreeGestures() {
    delete[] fpGestures;
    fpGestures = nullptr;
    fGestureCount = 0;
    fWeightSum = 0;
}

void MGCharacter::FreeFootsteps() {
    fFootstepSounds.ClearAndDelete<VoISoundPlayer>();
    for (int i = 0; i < fFootstepCount; ++i) {
        delete fpFootsteps[i].fpRegion;
    }
    delete[] fpFootsteps;
    fpFootsteps = nullptr;
    fFootstepCount = 0;
    delete fpDefaultFootstep;
    fpDefaultFootstep = nullptr;
}

void MGCharacter::DeleteActionProp() {
    delete fpActionProp;
    fpActionProp = nullptr;
    fActionPropVisible = false;
}

const VoString& MGCharacter::GetGesture(int aIndex) const {
    static const VoString sNone;
    return aIndex >= 0 && aIndex < fGestureCount ? fpGestures[aIndex].fGesture : sNone;
}

void MGCharacter::ArmAmbientTimer(double aNow) {
    fNextAmbientTime = aNow + fMinInterval + RandomShare() * (fMaxInterval - fMinInterval);
}

void MGCharacter::ClearGameState() {
    const double now = Now();
    DeleteGesturePlayer();
    FreeGestures();
    fMinInterval = 0.0f;
    fMaxInterval = 0.0f;
    fBusy = false;
    fAmbientSuspended = false;
    fNoWeightsLogged = false;
    fpAmbientAnimation = nullptr;
    fIsPlayer = false;
    DropOwnAnimation(fpInterviewIdle);
    DropOwnAnimation(fpSeatedIdle);
    DropOwnAnimation(fpPhoneIdle);
    fHasLookAt = false;
    fHasDoneLookAt = false;
    fSeated = false;

    fTurning = false;
    fpTurnAnimation = nullptr;
    fpListener = nullptr;
    fTurnWalk = false;
    fSpeedIndex = 1;
    fMovingInTurn = false;
    fMaxTurnSpeed = kMaxTurnSpeed;
    fNextFootFirst = true;

    fRequestedAction = 0;
    fActionCode = 0;
    fpActionAnimation = nullptr;
    DeleteActionProp();
    delete fpShutterSound;
    fpShutterSound = nullptr;
    fHandPropArmed = false;
    delete fpHandProp;
    fpHandProp = nullptr;

    fBoredomTime = now + kBoredomDelay;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

bool MGCharacter::Create(VoPropertyList* apFile, const VoString* apShadowPath) {
    ClearGameState();
    if (apFile != nullptr) {
        ReadGameKeys(apFile);
    }
    fpPhoneIdle = LoadOwnAnimation(VoString(kPhoneIdleFile));
    return VoCharacter::Create(apFile, apShadowPath);
}

void MGCharacter::ReadGameKeys(VoPropertyList* apFile) {
    bool found = false;
    if (VoPropertyList* interview = apFile->GetList(VoString(u"interview"))) {
        const VoString idle = interview->GetString(VoString(u"idleanim"), &found);
        if (found) {
            VoString path(kAnimationFolder);
            path.Append(idle);
            fpInterviewIdle = LoadOwnAnimation(path);
        }
        struct Point {
            const char16_t* fKey;
            bool* fpHas;
            VoVector3* fpValue;
        };
        const Point points[] = {{u"lookat", &fHasLookAt, &fLookAt},
                                {u"donelookat", &fHasDoneLookAt, &fDoneLookAt}};
        for (const Point& point : points) {
            const VoVectorFloat values = interview->GetVectorFloat(VoString(point.fKey), &found);
            if (!found) {
                continue;
            }
            // A point needs all three numbers.
            if (values.GetCount() < 3) {
                VO_ASSERT_FAILURE(kMissing);
                continue;
            }
            *point.fpHas = true;
            point.fpValue->Set(values.GetAt(0), values.GetAt(1), values.GetAt(2));
        }
    }

    VoPropertyList* ambient = apFile->GetList(VoString(u"animations.ambient"));
    if (ambient != nullptr) {
        ReadAmbient(ambient);
    }

    if (VoPropertyList* seated = apFile->GetList(VoString(u"animations.seated"))) {
        const VoString file = seated->GetString(VoString(u"anim01.file"), &found);
        if (found) {
            VoString path(kAnimationFolder);
            path.Append(file);
            fpSeatedIdle = LoadOwnAnimation(path);
        }
    }

    fName = apFile->GetString(VoString(u"name"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNameNotFound);
    }
    if (ambient != nullptr) {
        ArmAmbientTimer(Now());
    }
}

void MGCharacter::ReadAmbient(VoPropertyList* apAmbient) {
    bool found = false;
    fMinInterval = apAmbient->GetFloat(VoString(u"mininterval"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMissing);
    }
    fMaxInterval = apAmbient->GetFloat(VoString(u"maxinterval"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMissing);
    }
    VoPropertyList* gestures = apAmbient->GetList(VoString(u"gestures"));
    if (gestures == nullptr) {
        VO_ASSERT_FAILURE(kMissing);
        return;
    }
    const int count = gestures->GetCount();
    fpGestures = count > 0 ? VO_NEW Gesture[static_cast<std::size_t>(count)] : nullptr;
    if (fpGestures == nullptr) {
        return;
    }
    fGestureCount = count;
    long long sum = 0;
    for (int i = 0; i < count; ++i) {
        VoPropertyList* entry = gestures->GetListAt(i);
        Gesture& gesture = fpGestures[i];
        gesture.fGesture = entry != nullptr ? entry->GetString(VoString(u"gesture"), &found) : VoString();
        if (entry == nullptr || !found) {
            VO_ASSERT_FAILURE(kMissing);
        }
        const int weight = entry != nullptr ? entry->GetInt(VoString(u"weight"), &found) : 0;
        if (entry == nullptr || !found) {
            VO_ASSERT_FAILURE(kMissing);
        }
        // A missing, zero or negative weight never chooses its gesture; the
        // sum stays within an int.
        const long long room = INT_MAX - sum;
        gesture.fWeight = weight <= 0 ? 0 : static_cast<int>(weight < room ? weight : room);
        sum += gesture.fWeight;
    }
    fWeightSum = static_cast<int>(sum);
}

void MGCharacter::SetGesturePlayer(VoGesturePlayer* apPlayer) {
    if (apPlayer == fpGesturePlayer) {
        return;
    }
    DeleteGesturePlayer();
    fpGesturePlayer = apPlayer;
    if (apPlayer != nullptr) {
        apPlayer->SetListener(this);
    }
}

int MGCharacter::ChooseAmbientGesture(int aRandom) const {
    if (fGestureCount <= 0 || fWeightSum <= 0) {
        return -1;
    }
    if (fGestureCount == 1) {
        return 0;
    }
    int rest = (aRandom < 0 ? -aRandom : aRandom) % fWeightSum;
    for (int i = 0; i < fGestureCount; ++i) {
        const int weight = fpGestures[i].fWeight;
        if (weight <= 0) {
            continue;
        }
        // Each gesture takes as many of the numbers 0..sum-1 as its weight,
        // so it comes up in proportion to it (taking a weight equal to the
        // number too would give weights 1 and 3 even chances and never pick
        // a light gesture that follows a heavier one).
        if (weight > rest) {
            return i;
        }
        rest -= weight;
    }
    return -1;
}

bool MGCharacter::StartIdle(VoAnimation* apAnimation, float aWeight) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    return apAnimation != nullptr && ctrl != nullptr &&
           ctrl->SetAnimation(apAnimation, false, aWeight, VoCharacter::kBlendRate, kIdleFlags, 1.0f);
}

VoAnimation* MGCharacter::AmbientIdle() {
    return fAmbientSuspended && fpInterviewIdle != nullptr ? fpInterviewIdle : GetIdleAnimation();
}

VoAnimation* MGCharacter::StandingIdle() {
    return fSeated && fpSeatedIdle != nullptr ? fpSeatedIdle : AmbientIdle();
}

void MGCharacter::SetAmbientSuspended(bool aSuspend) {
    fAmbientSuspended = aSuspend;
    if (!aSuspend) {
        ArmAmbientTimer(Now());
        return;
    }
    DeleteGesturePlayer();
    StartIdle(StandingIdle(), 0.0f);
    fBusy = false;
}

bool MGCharacter::SetInterviewPose(bool aEntering, MGICharacterListener* apListener) {
    if (fpInterviewIdle != nullptr) {
        if (aEntering) {
            SetAmbientSuspended(true);
            StartIdle(fpInterviewIdle, 0.0f);
        } else {
            StartIdle(GetIdleAnimation(), 0.0f);
            if (fHasDoneLookAt) {
                TurnTo(fDoneLookAt, nullptr);
                return true;
            }
        }
    }
    return fHasLookAt ? TurnTo(fLookAt, apListener) : false;
}

void MGCharacter::ResetAmbientTimer() {
    const double now = Now();
    fpAmbientAnimation = nullptr;
    fBusy = false;
    ArmAmbientTimer(now);
    fBoredomTime = now + kBoredomDelay;
}

bool MGCharacter::StopAmbient() {
    if (fpAmbientAnimation != nullptr) {
        if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
            ctrl->RemoveAnimation(fpAmbientAnimation);
        }
        fpAmbientAnimation = nullptr;
        fBusy = false;
    }
    DeleteGesturePlayer();
    return VoCharacter::UpdateTransform();
}

void MGCharacter::OnGestureEnd() {
    // The player calls this as its last act, so it may go now.
    delete fpGesturePlayer;
    fpGesturePlayer = nullptr;
    fBusy = false;
    fActionCode = 0;
    ArmAmbientTimer(Now());
}

void MGCharacter::UpdateAmbientStart(double aNow) {
    if (fAmbientSuspended || fBusy || fGestureCount <= 0 || !(aNow > fNextAmbientTime)) {
        return;
    }
    fBoredomTime = aNow + kBoredomDelay;
    // One gesture needs no random number.
    const int index = ChooseAmbientGesture(fGestureCount > 1 ? Random() : 0);
    if (index < 0) {
        if (!fNoWeightsLogged) {
            fNoWeightsLogged = true;
            VO_WARNING(kNoWeights);
        }
        ArmAmbientTimer(aNow);
        return;
    }
    VoAnimation* animation = CachedAnimation(fpGestures[index].fGesture);
    if (animation == nullptr) {
        ArmAmbientTimer(aNow);
        return;
    }
    fpAmbientAnimation = animation;
    SetAnimation(animation);
    fBusy = true;
}

void MGCharacter::UpdateAmbientEnd(double aNow) {
    if (!fBusy || fpAmbientAnimation == nullptr) {
        return;
    }
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = ctrl != nullptr ? ctrl->FindSlot(fpAmbientAnimation) : nullptr;
    if (slot == nullptr) {
        fpAmbientAnimation = nullptr;
        fBusy = false;
        ArmAmbientTimer(aNow);
        sAmbientRestarted = false;
        return;
    }
    if ((slot->fFlags & VoAnimationSlot::kFadeOut) != 0 && fActionCode == 0) {
        if (!sAmbientRestarted) {
            sAmbientRestarted = true;
            StartIdle(AmbientIdle(), 1.0f);
        }
    } else {
        sAmbientRestarted = false;
    }
}

void MGCharacter::UpdateBoredom(double aNow) {
    VoSteeringTDO* steering = Steering();
    const bool walking = steering != nullptr && steering->IsActive();
    if (fAmbientSuspended || fBusy || walking) {
        fBoredomTime = aNow + kBoredomDelay;
        return;
    }
    if (fIsPlayer && aNow > fBoredomTime) {
        PlayAction(kActionCrossArms, nullptr);
        fBoredomTime = aNow + kBoredomDelay;
    }
}

void MGCharacter::EnsureIdle() {
    VoAnimationSlot* primary = GetAnimationSlot(0);
    if (primary != nullptr && primary->IsEmpty()) {
        StartIdle(StandingIdle(), 0.0f);
    }
}

bool MGCharacter::UpdateTransform() {
    const double now = Now();
    UpdateAmbientStart(now);
    UpdateAmbientEnd(now);
    if (fTurning) {
        UpdateTurn();
    }
    UpdateBoredom(now);
    UpdateAction();
    if (fHandPropArmed) {
        UpdateHandProp();
    }
    UpdateFootsteps();
    EnsureIdle();
    const bool updated = VoCharacter::UpdateTransform();
    UpdateHeadTracking();
    return updated;
}

bool MGCharacter::Render() {
    if (IsCharacterVisible()) {
        if (fpActionProp != nullptr && fActionPropVisible) {
            fpActionProp->Render();
        }
        if (fpHandProp != nullptr && fHandPropArmed) {
            fpHandProp->Render();
        }
    }
    return VoCharacter::Render();
}

VoString MGCharacter::TurnAnimationName(float aAngle, bool aFemale) {
    const float degrees = std::fabs(aAngle) * kDegreesPerRadian;
    return TurnName(u"Turn-", TurnSize(degrees, kTurn90Degrees, kTurn180Degrees, u"180"), aAngle, aFemale);
}

VoString MGCharacter::TurnWalkAnimationName(float aAngle, bool aFemale) {
    const float degrees = std::fabs(aAngle) * kDegreesPerRadian;
    return TurnName(u"Turn-Walk_", TurnSize(degrees, kTurnWalk90Degrees, kTurnWalk135Degrees, u"135"), aAngle,
                    aFemale);
}

VoVector2 MGCharacter::Facing() {
    if (fIsPlayer) {
        if (VoSteeringTDO* steering = Steering()) {
            const VoVector3& direction = steering->GetDirection();
            return VoVector2(direction.x, direction.y);
        }
    }
    const VoVector3& direction = GetDirection();
    return VoVector2(direction.x, direction.z);
}

void MGCharacter::SetFacing(const VoVector2& aFacing) {
    if (fIsPlayer) {
        if (VoSteeringTDO* steering = Steering()) {
            steering->SetDirection(aFacing);
            return;
        }
    }
    SetDirection(VoVector3(aFacing.x, 0.0f, aFacing.y).Normalize(kDirectionTolerance));
}

float MGCharacter::GetAngleTo(const VoVector3& aPoint) {
    const VoVector3* position = GetPosition();
    const VoVector2 origin(position->x, position->z);
    const VoVector2 target(aPoint.x, aPoint.z);
    const VoVector2 facing = Facing();
    const float angle = facing.AngleBetween(target - origin);
    return target.SideOfLine(origin, origin + facing) == 1 ? -angle : angle;
}

void MGCharacter::ClearTurnAnimation() {
    if (fpTurnAnimation != nullptr) {
        if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
            ctrl->RemoveAnimation(fpTurnAnimation);
        }
        fpTurnAnimation = nullptr;
    }
}

bool MGCharacter::TurnTo(const VoVector3& aPoint, MGICharacterListener* apListener) {
    if (fpGesturePlayer != nullptr) {
        DeleteGesturePlayer();
        fBusy = false;
    }
    fBoredomTime = Now() + kBoredomDelay;
    fpListener = apListener;
    ClearTurnAnimation();
    fTurnAngle = GetAngleTo(aPoint);
    fTargetFacing = Facing();
    fTargetFacing.Rotate(fTurnAngle);
    fTurnedSoFar = 0.0f;
    if (std::fabs(fTurnAngle) * kDegreesPerRadian < kMinTurnDegrees) {
        return false;
    }
    fpTurnAnimation = CachedAnimation(TurnAnimationName(fTurnAngle, IsFemale()));
    fTurning = true;
    fTurnWalk = false;
    fMovingInTurn = false;
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl != nullptr && fpTurnAnimation != nullptr) {
        ctrl->SetAnimation(fpTurnAnimation, true, 1.0f, VoCharacter::kBlendRate, kIdleFlags, 1.0f);
    }
    return true;
}

bool MGCharacter::TurnAndWalk(const VoVector2& aTarget, int aSpeedIndex) {
    if (fBusy && fActionCode != kActionCrossArms) {
        return true;
    }
    if (fpGesturePlayer != nullptr) {
        DeleteGesturePlayer();
        fBusy = false;
    }
    if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
        ctrl->ClearLayers();
    }
    fSpeedIndex = aSpeedIndex;
    VoSteeringTDO* steering = Steering();
    if (steering != nullptr && steering->IsActive()) {
        steering->SetMoving(false, 0);
    }
    fBoredomTime = Now() + kBoredomDelay;
    fpListener = nullptr;
    ClearTurnAnimation();

    fTurnAngle = GetAngleTo(VoVector3(aTarget.x, 0.0f, aTarget.y));
    if (fTurnAngle >= -kTurnWalkAngle && fTurnAngle <= kTurnWalkAngle) {
        return false;
    }
    fWalkTarget = aTarget;
    if (steering != nullptr) {
        const VoVector3& direction = steering->GetDirection();
        fTargetFacing.Set(direction.x, direction.y);
    } else {
        fTargetFacing = Facing();
    }
    fTargetFacing.Rotate(fTurnAngle);
    fTurnedSoFar = 0.0f;
    const bool clockwise = fTurnAngle < 0.0f;
    fWalkStartFrame = clockwise ? kWalkStartClockwise : kWalkStartCounterClockwise;
    // The walk cycle starts before the foot that lands next.
    fNextFootFirst = clockwise;

    fpTurnAnimation = CachedAnimation(TurnWalkAnimationName(fTurnAngle, IsFemale()));
    fTurning = true;
    fTurnWalk = true;
    fMovingInTurn = false;
    if (fpTurnAnimation != nullptr) {
        SetAnimation(fpTurnAnimation);
    }
    return true;
}

void MGCharacter::StopTurn() {
    fTurning = false;
    ClearTurnAnimation();
}

void MGCharacter::BeginWalk(bool aSetCycle) {
    fTurning = false;
    const bool stairs =
        fSpeedIndex == MGNavigation::kStairsUpSpeed || fSpeedIndex == MGNavigation::kStairsDownSpeed;
    if (MGNavigation* navigation = MGNavigation::GetInstance()) {
        navigation->WalkTo(fWalkTarget, false, fSpeedIndex, !stairs);
    }
    if (!aSetCycle) {
        return;
    }
    VoAnimationSlot* primary = GetAnimationSlot(0);
    const VoAnimation* walk = primary != nullptr ? primary->fpAnimation : nullptr;
    if (walk != nullptr && walk->GetFrameCount() > 0) {
        const double time = static_cast<double>(fWalkStartFrame) / walk->GetFrameCount() * walk->GetLength();
        primary->SetTime(static_cast<float>(time), false);
    }
}

void MGCharacter::EndTurn(bool aSetFacing) {
    fTurning = false;
    if (aSetFacing && fIsPlayer) {
        if (VoSteeringTDO* steering = Steering()) {
            steering->SetDirection(fTargetFacing);
        }
    }
    ClearTurnAnimation();
    if (!fTurnWalk) {
        StartIdle(AmbientIdle(), 0.0f);
    }
    if (fpListener != nullptr) {
        // Forgotten before it is told: the call may hand us the next one.
        MGICharacterListener* listener = fpListener;
        fpListener = nullptr;
        listener->Execute();
    } else if (fTurnWalk) {
        BeginWalk(aSetFacing);
    }
}

void MGCharacter::UpdateTurn() {
    const double now = Now();
    fBoredomTime = now + kBoredomDelay;
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot =
        ctrl != nullptr && fpTurnAnimation != nullptr ? ctrl->FindSlot(fpTurnAnimation) : nullptr;
    if (slot == nullptr || slot->IsEmpty()) {
        // The animation has gone (or never loaded): the turn ends here.
        fpTurnAnimation = nullptr;
        EndTurn(false);
        return;
    }
    const VoAnimation* animation = slot->fpAnimation;
    const int count = static_cast<int>(animation->GetFrameCount());
    const float length = static_cast<float>(animation->GetLength());
    const int frame = FrameOf(*slot);
    if (frame >= count - 2) {
        EndTurn(true);
        return;
    }
    if (fTurnWalk && frame >= static_cast<int>(static_cast<float>(count) * kTurnWalkEndShare)) {
        BeginWalk(true);
        return;
    }
    if (fTurnWalk && !fMovingInTurn &&
        frame >= static_cast<int>(static_cast<float>(count) * kTurnWalkMoveShare)) {
        fMovingInTurn = true;
        fTurnSpeed = 0.0f;
        fLastTurnTime = slot->GetAnimTime();
        fRampTime = length * kTurnWalkRampShare;
        return;
    }
    const float applied = static_cast<float>(frame) / static_cast<float>(count - 1) * fTurnAngle;
    if (std::fabs(applied) > kMinTurnStep) {
        VoVector2 facing = Facing();
        facing.Rotate(applied - fTurnedSoFar);
        fTurnedSoFar = applied;
        SetFacing(facing);
    }
    if (!fMovingInTurn) {
        return;
    }
    const float time = slot->GetAnimTime();
    const float elapsed = time - fLastTurnTime;
    fLastTurnTime = time;
    if (fRampTime > 0.0f) {
        fTurnSpeed += elapsed / fRampTime * fMaxTurnSpeed;
    }
    if (fTurnSpeed > fMaxTurnSpeed) {
        fTurnSpeed = fMaxTurnSpeed;
    }
    VoSteeringTDO* steering = Steering();
    VoNavigationTDO* navigation = Navigation();
    if (steering == nullptr || navigation == nullptr) {
        return;
    }
    const VoVector3& direction = steering->GetDirection();
    const VoVector3& position = navigation->GetPosition();
    const float step = elapsed * fTurnSpeed;
    VoVector2 point(position.x + direction.x * step, position.y + direction.y * step);
    navigation->PushAwayFromEdges(kEdgeRadius, kEdgeStep, &point);
    navigation->SetPosition(VoVector3(point.x, point.y, 0.0f));
}

bool MGCharacter::LoadFootsteps(VoPropertyList* apSounds) {
    if (apSounds == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool found = false;
    const VoString defaultId = apSounds->GetString(VoString(u"defaultsound"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoDefaultFootstep);
    }
    VoPropertyList files;
    files.Load(VoString(kFootstepsFile), true);
    FreeFootsteps();

    // The sound manager is made only once a sound is to be loaded.
    VoISoundManager* sounds = nullptr;
    auto soundManager = [&sounds] {
        if (sounds == nullptr) {
            sounds = VoISoundManager::GetInstance();
        }
        return sounds;
    };
    const float volume = Volume();
    VoPropertyList* entries = apSounds->GetList(VoString(u"sounds"));
    const int count = entries != nullptr ? entries->GetCount() : 0;
    fpFootsteps = count > 0 ? VO_NEW Footstep[static_cast<std::size_t>(count)] : nullptr;
    fFootstepCount = fpFootsteps != nullptr ? count : 0;
    for (int i = 0; i < fFootstepCount; ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            VO_ASSERT_FAILURE(kMissing);
            continue;
        }
        Footstep& record = fpFootsteps[i];
        record.fSoundId = entry->GetString(VoString(u"soundid"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kMissing);
        }
        const VoString file = files.GetString(record.fSoundId, &found);
        if (!found) {
            VO_ASSERT_FAILURE(kMissing);
        } else if (record.fSoundId.GetLength() > 0 && fFootstepSounds.Get(record.fSoundId) == nullptr &&
                   soundManager() != nullptr) {
            // Regions that share a sound share its player.
            VoString path(kSoundFolder);
            path.Append(file);
            VoISoundPlayer* player = sounds->CreateSample(record.fSoundId, path);
            if (player != nullptr) {
                player->SetVolume(volume);
                // The empty id is stored with the hash 0: the count tells.
                const int count = fFootstepSounds.GetCount();
                fFootstepSounds.Add(record.fSoundId, player, true);
                if (fFootstepSounds.GetCount() == count) {
                    delete player;
                }
            }
        }
        record.fGroundMesh = entry->GetString(VoString(u"groundmesh"), nullptr);
        const VoVectorFloat coords = entry->GetVectorFloat(VoString(u"polygon.coords"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kMissing);
        }
        const bool closed = entry->GetBool(VoString(u"polygon.closed"), &found);
        record.fpRegion = VO_NEW VoPolygon(coords, found ? closed : true);
    }

    const VoString defaultFile = files.GetString(defaultId, &found);
    if (found && soundManager() != nullptr) {
        VoString path(kSoundFolder);
        path.Append(defaultFile);
        fpDefaultFootstep = sounds->CreateSample(VoString(kDefaultFootstepName), path);
    }
    if (fpDefaultFootstep == nullptr) {
        VO_ASSERT_FAILURE(kMissing);
    } else {
        fpDefaultFootstep->SetVolume(volume);
    }
    return true;
}

VoISoundPlayer* MGCharacter::GetFootstepSound(const VoString& aSoundId) {
    return static_cast<VoISoundPlayer*>(fFootstepSounds.Get(aSoundId));
}

void MGCharacter::UpdateFootsteps() {
    if (!fIsPlayer) {
        return;
    }
    VoSteeringTDO* steering = Steering();
    const int speed = steering != nullptr ? steering->GetSpeedIndex() : 0;
    if (speed <= 0 || speed > MGNavigation::kStairsDownSpeed) {
        return;
    }
    const bool running = speed == 2;
    const int first = running ? kFirstFootRun : kFirstFootWalk;
    const int second = running ? kSecondFootRun : kSecondFootWalk;
    const int cycle = running ? kRunCycle : kWalkCycle;

    VoAnimationSlot* primary = GetAnimationSlot(0);
    if (primary == nullptr || primary->fpAnimation == nullptr) {
        return;
    }
    const int r = FrameOf(*primary) % cycle;
    if (r == 0) {
        return;
    }
    bool due = false;
    if (fNextFootFirst && first <= r && r < first + kStepWindow) {
        due = true;
        fNextFootFirst = false;
    }
    if (!fNextFootFirst && !due && second <= r && r < second + kStepWindow) {
        due = true;
        fNextFootFirst = true;
    }
    VoNavigationTDO* navigation = Navigation();
    if (!due || navigation == nullptr) {
        return;
    }
    const VoVector2 point(navigation->GetPosition().x, navigation->GetPosition().y);
    for (int i = 0; i < fFootstepCount; ++i) {
        const Footstep& record = fpFootsteps[i];
        if (record.fpRegion != nullptr && record.fpRegion->ContainsPoint(point, true, 0.0f)) {
            if (VoISoundPlayer* player = GetFootstepSound(record.fSoundId)) {
                player->Play();
            }
            return;
        }
    }
    if (fpDefaultFootstep != nullptr) {
        fpDefaultFootstep->Play();
    }
}

void MGCharacter::PlayAction(int aCode, MGICharacterListener* apListener) {
    fRequestedAction = aCode;
    if (aCode < kActionCrossArms || aCode > kActionPhoneIn) {
        return;
    }
    if (aCode == kActionCrossArms) {
        DeleteGesturePlayer();
        fpGesturePlayer = VO_NEW VoGesturePlayer();
    } else {
        fpListener = apListener;
    }
    // The action takes over from an ambient gesture: the gesture's end must
    // not end the action's busy time, or the action would never finish.
    fpAmbientAnimation = nullptr;
    static const char16_t* const kAnimations[] = {u"Idle_M_SS_CrossArms.lia1", u"Pick_ground_M.lia1",
                                                  u"Pick_table_M.lia1",        u"camera_out-up_M.lia1",
                                                  u"camera_out-middle_M.lia1", u"camera_out-down_M.lia1",
                                                  u"Chair-sitting_M.lia1",     u"Chair-rising_M.lia1",
                                                  u"Cell-Phone_out_M.lia1",    u"Cell-Phone_in_M.lia1"};
    if (aCode >= kActionCameraUp && aCode <= kActionCameraDown) {
        DeleteActionProp();
        fpActionProp = LoadProp(VoString(kCameraMesh));
    } else if (aCode == kActionPhoneOut) {
        DeleteActionProp();
        fpActionProp = LoadProp(VoString(kPhoneMesh));
    } else if (aCode == kActionSit) {
        fSeated = true;
    } else if (aCode == kActionRise) {
        fSeated = false;
    }
    fShutterDone = false;
    fDeactivated = false;
    fpActionAnimation = CachedAnimation(VoString(kAnimations[aCode - 1]));
    fActionCode = aCode;
    if (fpActionAnimation != nullptr) {
        SetAnimation(fpActionAnimation);
    }
    fBusy = true;
}

void MGCharacter::RemoveListener(MGICharacterListener* apListener) {
    if (apListener != nullptr && fpListener == apListener) {
        fpListener = nullptr;
    }
}

void MGCharacter::ShowHandProp(const VoString& aAnimationName, int aKind) {
    fHandPropAnimation = aAnimationName;
    fHandPropKind = aKind;
    fHandPropArmed = true;
}

void MGCharacter::EndAction() {
    const int code = fRequestedAction;
    MGICharacterListener* listener = fpListener;
    fpListener = nullptr;
    fActionCode = 0;
    fpActionAnimation = nullptr;
    fBusy = false;
    // Last: the listener may take the scene, and this character, away.
    if (listener != nullptr) {
        listener->OnActionDone(code);
    }
}

void MGCharacter::RestartIdleOnFade(VoAnimationSlot* apSlot, bool& aDoneFlag) {
    if (apSlot != nullptr && (apSlot->fFlags & VoAnimationSlot::kFadeOut) != 0 && fActionCode != 0) {
        if (!aDoneFlag) {
            aDoneFlag = true;
            StartIdle(AmbientIdle(), 0.0f);
        }
    } else {
        aDoneFlag = false;
    }
}

void MGCharacter::FollowHand(VoDrawElement* apProp, const VoVector3& aOffset) {
    VoDrawElement* element = GetDrawElement();
    const VoFrame* hand = element != nullptr ? element->FindFrame(VoString(kHandFrame), true) : nullptr;
    if (apProp == nullptr || hand == nullptr) {
        return;
    }
    VoMatrix turnY;
    VoMatrix turnZ;
    VoMatrix offset;
    VoMatrix turned;
    VoMatrix moved;
    VoMatrix placed;
    MatrixRotationY(&turnY, -1.57f);
    MatrixRotationZ(&turnZ, -0.785f);
    MatrixTranslation(&offset, aOffset.x, aOffset.y, aOffset.z);
    MatrixMultiply(&turned, &turnY, &turnZ);
    MatrixMultiply(&moved, &turned, &offset);
    MatrixMultiply(&placed, &moved, &hand->GetAbsoluteMatrix());
    apProp->Update(&placed);
}

void MGCharacter::UpdateAction() {
    if (!fBusy || fTurning || fActionCode == 0) {
        return;
    }
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot =
        ctrl != nullptr && fpActionAnimation != nullptr ? ctrl->FindSlot(fpActionAnimation) : nullptr;
    const VoVector3 handOffset(1.5f, 0.5f, 4.0f);
    switch (fActionCode) {
        case kActionCrossArms:
            if (slot == nullptr) {
                // Boredom's own action: nobody waits for its end.
                fActionCode = 0;
                fpActionAnimation = nullptr;
                fBusy = false;
                sCrossArmsRestarted = false;
                return;
            }
            RestartIdleOnFade(slot, sCrossArmsRestarted);
            return;
        case kActionPickGround:
        case kActionPickTable:
            if (slot == nullptr) {
                sPickRestarted = false;
                EndAction();
                return;
            }
            RestartIdleOnFade(slot, sPickRestarted);
            // The object is taken once, half-way through.
            if (!fDeactivated && Past(*slot, kHalfShare) && fpListener != nullptr) {
                fDeactivated = true;
                fpListener->Deactivate();
            }
            return;
        case kActionCameraUp:
        case kActionCameraMiddle:
        case kActionCameraDown: {
            if (slot == nullptr) {
                sCameraRestarted = false;
                DeleteActionProp();
                delete fpShutterSound;
                fpShutterSound = nullptr;
                EndAction();
                return;
            }
            RestartIdleOnFade(slot, sCameraRestarted);
            const int frame = FrameOf(*slot);
            fActionPropVisible = frame >= kFirstCameraFrame && frame <= kLastCameraFrame;
            FollowHand(fpActionProp, handOffset);
            if (frame > kShutterFrame && !fShutterDone) {
                fShutterDone = true;
                if (fpListener != nullptr) {
                    fpListener->Deactivate();
                }
                delete fpShutterSound;
                VoISoundManager* sounds = VoISoundManager::GetInstance();
                fpShutterSound = sounds != nullptr
                                     ? sounds->CreateStream(VoString(kShutterName), VoString(kShutterSound))
                                     : nullptr;
                if (fpShutterSound != nullptr) {
                    fpShutterSound->SetVolume(Volume());
                    fpShutterSound->Play();
                }
            }
            return;
        }
        case kActionSit:
        case kActionRise:
            if (slot == nullptr || Past(*slot, kActionEndShare)) {
                StartIdle(fActionCode == kActionSit ? fpSeatedIdle : GetIdleAnimation(), 0.0f);
                EndAction();
            }
            return;
        case kActionPhoneOut:
        case kActionPhoneIn: {
            const bool out = fActionCode == kActionPhoneOut;
            if (slot != nullptr && out && Past(*slot, kPhoneShowShare)) {
                fActionPropVisible = true;
            }
            if (slot != nullptr && !out && Past(*slot, kHalfShare)) {
                DeleteActionProp();
            }
            FollowHand(fpActionProp, handOffset);
            if (slot == nullptr || Past(*slot, kActionEndShare)) {
                StartIdle(out ? fpPhoneIdle : GetIdleAnimation(), 0.0f);
                EndAction();
            }
            return;
        }
        default:
            return;
    }
}

void MGCharacter::UpdateHandProp() {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = nullptr;
    for (int i = 0; ctrl != nullptr && i < VoAnimationCtrl::kSlotCount && slot == nullptr; ++i) {
        VoAnimationSlot* candidate = ctrl->GetSlot(i);
        if (candidate != nullptr && candidate->fpAnimation != nullptr &&
            candidate->fpAnimation->GetName().EqualsNoCase(fHandPropAnimation)) {
            slot = candidate;
        }
    }
    if (slot == nullptr || FrameOf(*slot) < kHandPropFrame) {
        if (fpHandProp != nullptr) {
            delete fpHandProp;
            fpHandProp = nullptr;
            fHandPropArmed = false;
        }
        return;
    }
    if (fpHandProp == nullptr) {
        fpHandProp = LoadProp(VoString(fHandPropKind == kBadge ? kBadgeMesh : kPolaroidMesh));
    }
    FollowHand(fpHandProp, VoVector3(3.5f, 1.5f, 3.0f));
}

bool MGCharacter::SetLookAtTarget(MGCharacter* apTarget) {
    if (apTarget == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    fpLookTarget = apTarget;
    VoDrawElement* element = GetDrawElement();
    fpHeadFrame = element != nullptr ? element->FindFrame(VoString(kHeadFrame), true) : nullptr;
    fpNeckFrame = element != nullptr ? element->FindFrame(VoString(kNeckFrame), true) : nullptr;

    bool found = false;
    VoString key = fName.ToLower();
    key.Append(u".right");
    const VoString ownEyeName = spEyes != nullptr ? spEyes->GetString(key, &found) : VoString();
    if (!found) {
        VO_ASSERT_FAILURE(kRightEyeNotFound);
    }
    key = apTarget->GetName().ToLower();
    key.Append(u".left");
    const VoString targetEyeName = spEyes != nullptr ? spEyes->GetString(key, &found) : VoString();
    if (!found) {
        VO_ASSERT_FAILURE(kLeftEyeNotFound);
    }

    VoDrawElement* targetElement = apTarget->GetDrawElement();
    const VoFrame* targetEye =
        targetElement != nullptr ? targetElement->FindFrame(targetEyeName, true) : nullptr;
    if (targetEye == nullptr) {
        VO_ASSERT_FAILURE(kTargetEyeNotFound, targetEyeName);
    }
    const VoFrame* ownEye = element != nullptr ? element->FindFrame(ownEyeName, true) : nullptr;
    if (ownEye == nullptr) {
        VO_ASSERT_FAILURE(kMissing);
    }
    // Without an eye frame the character's own position stands in.
    auto placeOf = [](const VoFrame* apFrame, MGCharacter* apCharacter) {
        if (apFrame == nullptr) {
            return *apCharacter->GetPosition();
        }
        const VoMatrix& world = apFrame->GetAbsoluteMatrix();
        return VoVector3(world.m[3][0], world.m[3][1], world.m[3][2]);
    };
    const VoVector3 targetPoint = placeOf(targetEye, apTarget);
    const VoVector3 ownPoint = placeOf(ownEye, this);
    const VoVector3 facing = GetDirection().Normalize(kDirectionTolerance);
    const VoVector3 towards = targetPoint - ownPoint;

    const VoVector3 flat = VoVector3(towards.x, 0.0f, towards.z).Normalize(kDirectionTolerance);
    fYaw = ClampedAcos(VoVector3::Dot(facing, flat));
    const float across = std::sqrt(towards.x * towards.x + towards.z * towards.z);
    const VoVector3 raised = VoVector3(0.0f, towards.y, across).Normalize(kDirectionTolerance);
    fPitch = ClampedAcos(VoVector3::Dot(VoVector3(0.0f, 0.0f, 1.0f), raised));

    const VoVector3* position = GetPosition();
    const VoVector2 origin(position->x, position->z);
    if (VoVector2(targetPoint.x, targetPoint.z).SideOfLine(origin, origin + VoVector2(facing.x, facing.z)) ==
        -1) {
        fYaw = -fYaw;
    }
    if (targetPoint.y > ownPoint.y) {
        fPitch = -fPitch;
    }
    fYaw *= kYawScale;
    fPitch *= kPitchScale;
    return true;
}

void MGCharacter::SetHeadTracking(bool aOn) {
    if (aOn) {
        fTrackingActive = true;
        fBlendMode = 1;
    } else {
        fBlendMode = -1;
    }
    fBlendStart = Now() - (fBlendMode == 1 ? fBlend : 1.0f - fBlend) / fBlendRate;
    if (!aOn && fBlend <= 0.0f) {
        fTrackingActive = false;
    }
}

void MGCharacter::UpdateHeadTracking() {
    if (!fTrackingActive) {
        return;
    }
    const float t = static_cast<float>((Now() - fBlendStart) * fBlendRate);
    fBlend = fBlendMode == 1 ? t : 1.0f - t;
    if (t >= 1.0f) {
        fBlend = fBlendMode == 1 ? 1.0f : 0.0f;
        fTrackingActive = fBlendMode == 1;
    } else if (t < 0.0f) {
        fBlend = fBlendMode == 1 ? 0.0f : 1.0f;
        fTrackingActive = fBlendMode != 1;
    }
    if (!fTrackingActive || fpHeadFrame == nullptr || fpNeckFrame == nullptr) {
        return;
    }
    VoMatrix turn;
    VoMatrix turned;
    MatrixRotationX(&turn, fYaw * fBlend);
    MatrixMultiply(&turned, &turn, &fpNeckFrame->GetRelativeMatrix());
    fpNeckFrame->SetRelativeMatrix(turned);
    MatrixRotationY(&turn, fPitch * fBlend);
    MatrixMultiply(&turned, &fpHeadFrame->GetRelativeMatrix(), &turn);
    fpHeadFrame->SetRelativeMatrix(turned);
    // The animation writes the relative matrices anew every frame, so the
    // turn does not add up.
    if (fpNeckFrame->GetParent() != nullptr) {
        fpNeckFrame->UpdateTransforms(fpNeckFrame->GetParent());
    }
}
