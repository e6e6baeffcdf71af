#pragma once
// Every person in a scene, the player and the others: the engine character
// with what the game adds.
//
// - Ambient gestures: now and then, at random times between two intervals,
//   a gesture chosen by weight plays as the primary animation; the idle
//   comes back as it fades out.
// - The interview pose: an idle of its own and the points to turn to when an
//   interview begins and ends; ambient gestures are suspended meanwhile.
// - Boredom: the player, left standing for ten seconds, crosses its arms.
// - Turning: a character never snaps round; it plays a turn animation of
//   45, 90 or 180 degrees and turns its facing with it. A player sent off
//   well to one side plays a turn-walk that turns it, starts it moving and
//   hands over to the walk cycle on the matching foot.
// - Actions with hand props (pick-ups, a photograph, a chair, the cell
//   phone), told back to the hotspot that asked for them, the badge or
//   photo shown in the hand during a named animation, and head tracking
//   towards the other's eyes during interviews.
// - The player's footsteps, by ground region.
//
// Character file, the keys read before the engine's (see VoCharacter):
//     name=kestrin                 the key of its entry in the eyes list
//     interview
//         idleanim=Idle_Interview_M.lia1    under "//animations/"
//         lookat=x|y|z             turned to when an interview begins
//         donelookat=x|y|z         and when it ends
//     animations
//         ambient
//             mininterval=5        seconds between gestures
//             maxinterval=12
//             gestures
//                 0
//                     gesture=Idle_M_CheckWatch.lia1
//                     weight=1
//         seated
//             anim01
//                 file=Chair-idle_M.lia1
// Every character also loads "//animations/Cell-Phone_idle_M.lia1". The
// eyes list "//characters/eyes.txt", shared by all characters, holds for
// each character name (lower case) the "right" and "left" eye frames.
//
// The scene's footstep file ("sounds.txt"), read by LoadFootsteps:
//     defaultsound=carpet          a sound id of "//sounds/footsteps.txt"
//     sounds
//         0
//             soundid=tiles
//             groundmesh=WG_floor
//             polygon
//                 coords=x0|y0|x1|y1|...
//                 closed=true
#include <cstdint>

#include "character/VoCharacter.h"
#include "character/VoIGestureListener.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"

class MGICharacterListener;
class VoAnimation;
class VoDrawElement;
class VoFrame;
class VoGesturePlayer;
class VoISoundPlayer;
class VoPolygon;
class VoPropertyList;

class MGCharacter : public VoCharacter, public VoIGestureListener {
public:
    // Ambient gestures and boredom.
    static constexpr double kBoredomDelay = 10.0;
    // Random numbers run from 0 to kRandomMax; times scale them to 0 .. 1.
    static constexpr int kRandomMax = 32767;
    static constexpr float kRandomScale = 3.051851e-5f;

    // Turning.
    static constexpr float kDegreesPerRadian = 57.3248f;
    static constexpr float kMinTurnDegrees = 20.0f;
    static constexpr float kTurn90Degrees = 60.0f;
    static constexpr float kTurn180Degrees = 140.0f;
    static constexpr float kTurnWalkAngle = 0.785f;
    static constexpr float kTurnWalk90Degrees = 60.0f;
    static constexpr float kTurnWalk135Degrees = 110.0f;
    // A turn applies its angle only once it has come this far (radians).
    static constexpr float kMinTurnStep = 0.01744f;
    // A turn-walk moves forward from this share of its frames, and the walk
    // takes over at the next.
    static constexpr float kTurnWalkMoveShare = 0.4f;
    static constexpr float kTurnWalkEndShare = 0.7f;
    static constexpr float kTurnWalkRampShare = 0.3f;
    static constexpr float kMaxTurnSpeed = 48.0f;
    static constexpr int kWalkStartClockwise = 5;
    static constexpr int kWalkStartCounterClockwise = 24;
    static constexpr float kEdgeRadius = 0.1f;
    static constexpr float kEdgeStep = 0.05f;
    static constexpr float kDirectionTolerance = 0.0001f;

    // Footsteps: the frames of the walk and run cycles at which each foot
    // lands, and the cycles' lengths.
    static constexpr int kFirstFootWalk = 14;
    static constexpr int kFirstFootRun = 0;
    static constexpr int kSecondFootWalk = 32;
    static constexpr int kSecondFootRun = 12;
    static constexpr int kWalkCycle = 37;
    static constexpr int kRunCycle = 23;
    static constexpr int kStepWindow = 2;

    // Actions.
    static constexpr int kActionCrossArms = 1;
    static constexpr int kActionPickGround = 2;
    static constexpr int kActionPickTable = 3;
    static constexpr int kActionCameraUp = 4;
    static constexpr int kActionCameraMiddle = 5;
    static constexpr int kActionCameraDown = 6;
    static constexpr int kActionSit = 7;
    static constexpr int kActionRise = 8;
    static constexpr int kActionPhoneOut = 9;
    static constexpr int kActionPhoneIn = 10;
    static constexpr int kFirstCameraFrame = 26;
    static constexpr int kLastCameraFrame = 94;
    static constexpr int kShutterFrame = 60;
    static constexpr float kActionEndShare = 0.9f;
    static constexpr float kPhoneShowShare = 0.34f;
    static constexpr float kHalfShare = 0.5f;
    static constexpr int kHandPropFrame = 28;
    static constexpr int kBadge = 0;
    static constexpr int kPolaroid = 1;

    // Head tracking.
    static constexpr float kYawScale = 0.9f;
    static constexpr float kPitchScale = 0.4f;
    static constexpr float kBlendRate = 3.0f;

    static constexpr const char16_t* kAnimationRoot = u"//animations";
    static constexpr const char16_t* kAnimationFolder = u"//animations/";
    static constexpr const char16_t* kPhoneIdleFile = u"//animations/Cell-Phone_idle_M.lia1";
    static constexpr const char16_t* kEyesFile = u"//characters/eyes.txt";
    static constexpr const char16_t* kFootstepsFile = u"//sounds/footsteps.txt";
    static constexpr const char16_t* kSoundFolder = u"//sounds/";
    static constexpr const char16_t* kDefaultFootstepName = u"leftfoot";
    static constexpr const char16_t* kCameraMesh = u"//dataroot/meshes/camera.lim1";
    static constexpr const char16_t* kPhoneMesh = u"//dataroot/meshes/cell-phone.lim1";
    static constexpr const char16_t* kBadgeMesh = u"//dataroot/meshes/police-badge.lim1";
    static constexpr const char16_t* kPolaroidMesh = u"//dataroot/meshes/polaroid.lim1";
    static constexpr const char16_t* kShutterName = u"camera";
    static constexpr const char16_t* kShutterSound = u"//sounds/blip.wav";
    static constexpr const char16_t* kHandFrame = u"Biped_R_Hand";
    static constexpr const char16_t* kHeadFrame = u"BN_Head";
    static constexpr const char16_t* kNeckFrame = u"BN_Neck";

    // Missing keys and files, mostly without a text of their own.
    static constexpr const char* kMissing = "";
    static constexpr const char* kNameNotFound = "'name' not found.";
    static constexpr const char* kNoWeights = "No ambient gesture has a weight: none is played.";
    static constexpr const char* kNoDefaultFootstep = "Default footstep sound missing";
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kRightEyeNotFound = "'right' eye data not found.";
    static constexpr const char* kLeftEyeNotFound = "'left' eye data not found.";
    static constexpr const char* kTargetEyeNotFound = "Target eye frame not found:";

    // Loads the shared eyes list when it is the first character; not yet
    // loaded, head tracking off.
    MGCharacter();
    // Deletes what it owns (gesture player, animations of its own, props,
    // sounds, footstep regions); the last character deletes the eyes list.
    ~MGCharacter() override;
    MGCharacter(const MGCharacter&) = delete;
    MGCharacter& operator=(const MGCharacter&) = delete;

    VoString ToString() const override;

    // Clears the game state, reads the game keys (see above), loads the
    // phone idle, then builds the engine character (its result).
    bool Create(VoPropertyList* apFile, const VoString* apShadowPath) override;
    // The camera or phone while shown, the badge or photo while armed, then
    // the character.
    bool Render() override;
    // The frame's game update (ambient gestures, turn, boredom, action, hand
    // prop, footsteps, the idle when nothing plays), then the engine's
    // transform (its result), then the head tracking.
    bool UpdateTransform() override;
    // The gesture player has ended: it is deleted and the ambient timer
    // runs again.
    void OnGestureEnd() override;

    // Set by the scene for the player (the file's "type" is the engine's).
    void SetPlayer(bool aPlayer) { fIsPlayer = aPlayer; }
    bool IsScenePlayer() const { return fIsPlayer; }
    const VoString& GetName() const { return fName; }

    // Suspending stops a gesture player and shows the idle (seated, else the
    // interview idle, else the engine idle); lifting it re-arms the ambient
    // timer.
    void SetAmbientSuspended(bool aSuspend);
    // With an interview idle: entering suspends and shows it, leaving shows
    // the engine idle and turns towards "donelookat" (true when that is
    // given). Otherwise, and after entering, the turn towards "lookat": its
    // result, false without one.
    bool SetInterviewPose(bool aEntering, MGICharacterListener* apListener);
    void ResetAmbientTimer();
    // Takes a running ambient gesture off, deletes the gesture player, then
    // the engine's transform update (its result).
    bool StopAmbient();
    // Takes a gesture player (owned from then on), replacing any other.
    void SetGesturePlayer(VoGesturePlayer* apPlayer);
    // The ambient gesture that the random number aRandom (0 .. 32767)
    // chooses by weight; -1 when there is none or no weight above 0.
    int ChooseAmbientGesture(int aRandom) const;

    // The signed angle (radians) from the facing to the point on the ground
    // plane; positive counter-clockwise seen from above with z as y.
    float GetAngleTo(const VoVector3& aPoint);
    // Starts a turn towards the point; false (no animation) when it lies
    // less than 20 degrees off. The listener (not owned) is kept either way
    // and told Execute when the turn ends.
    bool TurnTo(const VoVector3& aPoint, MGICharacterListener* apListener);
    // True, doing nothing, while an action other than crossing the arms
    // runs; false when the target lies within 45 degrees of the facing (the
    // caller walks at once); otherwise starts a turn-walk that walks on by
    // itself at aSpeedIndex, and true.
    bool TurnAndWalk(const VoVector2& aTarget, int aSpeedIndex);
    void StopTurn();
    // The turn animation for a turn of aAngle radians ("Turn-45-CCW_M.lia1"):
    // 45 below 60 degrees, 90 below 140, else 180; CW for a negative angle.
    static VoString TurnAnimationName(float aAngle, bool aFemale);
    // The turn-walk animation ("Turn-Walk_90-CW_F.lia1"): 45 below 60
    // degrees, 90 below 110, else 135.
    static VoString TurnWalkAnimationName(float aAngle, bool aFemale);
    // The turn's frame step (called by UpdateTransform while turning).
    void UpdateTurn();

    // Replaces the footstep sounds and regions by those of the scene's
    // "sounds.txt" list (see above); false for null.
    bool LoadFootsteps(VoPropertyList* apSounds);
    // The player's footstep, when the walk or run cycle puts a foot down.
    void UpdateFootsteps();

    // Starts action aCode (1 to 10); the listener (not owned) hears of it
    // for codes 2 to 10. Any other code is only remembered.
    void PlayAction(int aCode, MGICharacterListener* apListener);
    // Forgets the listener of turns and actions when it is apListener (one
    // that goes away before it is told).
    void RemoveListener(MGICharacterListener* apListener);
    // Arms the badge (kind 0) or polaroid (1) for the animation of that
    // name: it shows in the hand from frame 28 of it.
    void ShowHandProp(const VoString& aAnimationName, int aKind);
    // An interview voice line's pocket object: the animation that takes it
    // out, flag 0 for the badge and 1 for any other object (the polaroid).
    void SetPendingPocketAction(const VoString& aAnimationName, int aFlag) { ShowHandProp(aAnimationName, aFlag); }
    // The head and neck angles towards the target's left eye from our right
    // one; null: asserted, false.
    bool SetLookAtTarget(MGCharacter* apTarget);
    // Blends the head tracking in or out over a third of a second, from
    // where the blend stands.
    void SetHeadTracking(bool aOn);
    void UpdateAction();
    void UpdateHandProp();
    void UpdateHeadTracking();

    // The idle restarts that all characters share start cleared.
    static void ResetSharedFlagsForTests();

    bool IsBusy() const { return fBusy; }
    bool IsAmbientSuspended() const { return fAmbientSuspended; }
    double GetNextAmbientTime() const { return fNextAmbientTime; }
    double GetBoredomTime() const { return fBoredomTime; }
    VoAnimation* GetAmbientAnimation() const { return fpAmbientAnimation; }
    int GetGestureCount() const { return fGestureCount; }
    int GetWeightSum() const { return fWeightSum; }
    const VoString& GetGesture(int aIndex) const;
    float GetMinInterval() const { return fMinInterval; }
    float GetMaxInterval() const { return fMaxInterval; }
    VoGesturePlayer* GetGesturePlayer() const { return fpGesturePlayer; }
    VoAnimation* GetInterviewIdle() const { return fpInterviewIdle; }
    VoAnimation* GetSeatedIdle() const { return fpSeatedIdle; }
    VoAnimation* GetPhoneIdle() const { return fpPhoneIdle; }
    bool HasLookAt() const { return fHasLookAt; }
    bool HasDoneLookAt() const { return fHasDoneLookAt; }
    const VoVector3& GetLookAt() const { return fLookAt; }
    const VoVector3& GetDoneLookAt() const { return fDoneLookAt; }
    bool IsSeated() const { return fSeated; }

    bool IsTurning() const { return fTurning; }
    bool IsTurnWalk() const { return fTurnWalk; }
    VoAnimation* GetTurnAnimation() const { return fpTurnAnimation; }
    float GetTurnAngle() const { return fTurnAngle; }
    float GetTurnedSoFar() const { return fTurnedSoFar; }
    const VoVector2& GetTargetFacing() const { return fTargetFacing; }
    MGICharacterListener* GetListener() const { return fpListener; }
    int GetWalkStartFrame() const { return fWalkStartFrame; }
    int GetSpeedIndex() const { return fSpeedIndex; }
    bool IsMovingInTurn() const { return fMovingInTurn; }
    float GetTurnSpeed() const { return fTurnSpeed; }
    bool IsNextFootFirst() const { return fNextFootFirst; }
    int GetFootstepCount() const { return fFootstepCount; }
    VoISoundPlayer* GetDefaultFootstep() const { return fpDefaultFootstep; }
    // The player of the sound id; null when there is none.
    VoISoundPlayer* GetFootstepSound(const VoString& aSoundId);

    int GetRequestedAction() const { return fRequestedAction; }
    int GetActionCode() const { return fActionCode; }
    VoAnimation* GetActionAnimation() const { return fpActionAnimation; }
    VoDrawElement* GetActionProp() const { return fpActionProp; }
    bool IsActionPropVisible() const { return fActionPropVisible; }
    VoISoundPlayer* GetShutterSound() const { return fpShutterSound; }
    bool IsHandPropArmed() const { return fHandPropArmed; }
    VoDrawElement* GetHandProp() const { return fpHandProp; }
    int GetHandPropKind() const { return fHandPropKind; }

    bool IsTrackingActive() const { return fTrackingActive; }
    float GetYaw() const { return fYaw; }
    float GetPitch() const { return fPitch; }
    float GetBlend() const { return fBlend; }

private:
    struct Gesture {
        VoString fGesture;
        int fWeight = 0;
    };
    struct Footstep {
        VoString fSoundId;
        VoString fGroundMesh;
        VoPolygon* fpRegion = nullptr;  // owned
    };

    static double Now();
    // 0 .. kRandomMax, from the runtime's random numbers.
    static int Random();
    // 0 .. 1.
    static float RandomShare();
    // An animation of the character's own from "//animations/" + aFile:
    // serialised when the name ends in "1", else raw; empty (asserted) when
    // the file cannot be read.
    static VoAnimation* LoadOwnAnimation(const VoString& aFile);
    // The cache's animation of that file under "//animations"; null when it
    // cannot be had.
    static VoAnimation* CachedAnimation(const VoString& aFile);
    // A new element with the mesh file (empty, asserted, when it cannot be
    // read).
    static VoDrawElement* LoadProp(const VoString& aPath);

    void ClearGameState();
    void ReadGameKeys(VoPropertyList* apFile);
    void ReadAmbient(VoPropertyList* apAmbient);
    void FreeGestures();
    void FreeFootsteps();
    // Takes the animation out of every slot, then deletes it.
    void DropOwnAnimation(VoAnimation*& apAnimation);
    void DeleteGesturePlayer();
    void ArmAmbientTimer(double aNow);

    // Starts the animation as the primary one with the idle blend values.
    bool StartIdle(VoAnimation* apAnimation, float aWeight);
    // The interview idle while suspended, else the engine idle.
    VoAnimation* AmbientIdle();
    // The seated idle when seated, else AmbientIdle.
    VoAnimation* StandingIdle();

    void UpdateAmbientStart(double aNow);
    void UpdateAmbientEnd(double aNow);
    void UpdateBoredom(double aNow);
    void EnsureIdle();

    // The facing on the ground plane: the steering's for the player, the
    // direction's (x, z) for the others.
    VoVector2 Facing();
    void SetFacing(const VoVector2& aFacing);
    void ClearTurnAnimation();
    // The turn-walk hands over to the walk; aSetCycle places the walk cycle
    // on the matching foot.
    void BeginWalk(bool aSetCycle);
    // The turn has ended by its last frames or by its animation leaving.
    void EndTurn(bool aSetFacing);

    // The action has ended: the state is cleared, then the listener told.
    void EndAction();
    // The idle restart as an action's animation fades out, once per flag.
    void RestartIdleOnFade(VoAnimationSlot* apSlot, bool& aDoneFlag);
    // Places the prop in the right hand with the offset.
    void FollowHand(VoDrawElement* apProp, const VoVector3& aOffset);
    void DeleteActionProp();

    // Shared by all characters.
    static int sLiveCount;
    static VoPropertyList* spEyes;  // owned; loaded by the first character
    static bool sAmbientRestarted;
    static bool sCrossArmsRestarted;
    static bool sPickRestarted;
    static bool sCameraRestarted;

    VoString fName;
    float fMinInterval;
    float fMaxInterval;
    Gesture* fpGestures;  // owned, fGestureCount of them
    int fGestureCount;
    bool fBusy;
    bool fAmbientSuspended;
    double fNextAmbientTime;
    int fWeightSum;
    bool fNoWeightsLogged;
    VoGesturePlayer* fpGesturePlayer;  // owned
    VoAnimation* fpAmbientAnimation;   // not owned: the animation cache's
    bool fIsPlayer;
    VoAnimation* fpInterviewIdle;  // owned
    bool fHasLookAt;
    VoVector3 fLookAt;
    bool fHasDoneLookAt;
    VoVector3 fDoneLookAt;
    bool fSeated;
    VoAnimation* fpSeatedIdle;  // owned
    VoAnimation* fpPhoneIdle;   // owned

    // Turning.
    bool fTurning;
    VoAnimation* fpTurnAnimation;  // not owned: the animation cache's
    float fTurnAngle;
    float fTurnedSoFar;
    VoVector2 fTargetFacing;
    MGICharacterListener* fpListener;  // not owned; told of turns and actions
    bool fTurnWalk;
    int fWalkStartFrame;
    VoVector2 fWalkTarget;
    int fSpeedIndex;
    bool fMovingInTurn;
    float fLastTurnTime;
    float fRampTime;
    float fTurnSpeed;
    float fMaxTurnSpeed;

    double fBoredomTime;

    // Actions and hand props.
    int fRequestedAction;
    int fActionCode;
    VoAnimation* fpActionAnimation;  // not owned: the animation cache's
    VoDrawElement* fpActionProp;     // owned
    bool fActionPropVisible;
    VoISoundPlayer* fpShutterSound;  // owned
    bool fShutterDone;
    bool fDeactivated;
    bool fHandPropArmed;
    VoString fHandPropAnimation;
    int fHandPropKind;
    VoDrawElement* fpHandProp;  // owned

    // Footsteps.
    VoISoundPlayer* fpDefaultFootstep;  // owned
    bool fNextFootFirst;
    VoHashKeyList fFootstepSounds;  // sound id -> VoISoundPlayer, owned
    Footstep* fpFootsteps;          // owned, fFootstepCount of them
    int fFootstepCount;

    // Head tracking.
    bool fTrackingActive;
    MGCharacter* fpLookTarget;  // not owned
    float fYaw;
    float fPitch;
    float fBlend;
    int fBlendMode;
    double fBlendStart;
    float fBlendRate;
    VoFrame* fpHeadFrame;  // not owned: the element's
    VoFrame* fpNeckFrame;  // not owned: the element's
};
