#include "CaseAnimations.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace sample {

namespace {

// ---- poses ------------------------------------------------------------------

// The pose with the changes laid over it (a bone named again takes the new turn).
BonePose Over(BonePose aBase, const BonePose& aChanges) {
    for (const auto& change : aChanges) {
        auto found = std::find_if(aBase.begin(), aBase.end(),
                                  [&change](const std::pair<std::u16string, Turn>& aEntry) {
                                      return aEntry.first == change.first;
                                  });
        if (found != aBase.end()) {
            found->second = change.second;
        } else {
            aBase.push_back(change);
        }
    }
    return aBase;
}

// Standing at ease: arms a little away from the body, elbows a little bent.
// aScale narrows a woman's stance.
BonePose Stand(float aScale = 1.0f) {
    return {{u"Biped_L_UpperArm", {0, 0, 5.0f * aScale}},
            {u"Biped_R_UpperArm", {0, 0, -5.0f * aScale}},
            {u"Biped_L_Forearm", {10.0f, 0, 0}},
            {u"Biped_R_Forearm", {10.0f, 0, 0}},
            {u"Biped_Spine1", {0, 0, 0}},
            {u"BN_Head", {0, 0, 0}}};
}

float ToDegrees(float aRadians) {
    return aRadians * 180.0f / kPi;
}

// Both legs bent so the hips sink by aDrop while each ankle stays on the
// floor aForward ahead of where it stood, soles flat. The thigh is 17 units,
// the calf 16, the hip joint 2 below "Biped" and the ankle 3 above the floor.
BonePose Legs(float aDrop, float aForward) {
    const float thigh = 17.0f;
    const float calf = 16.0f;
    const float down = 33.0f - aDrop;
    const float reach = std::min(std::sqrt(down * down + aForward * aForward), thigh + calf - 0.001f);
    const float toAnkle = std::atan2(aForward, down);
    const float atHip = std::acos((thigh * thigh + reach * reach - calf * calf) / (2.0f * thigh * reach));
    const float atKnee = std::acos((thigh * thigh + calf * calf - reach * reach) / (2.0f * thigh * calf));
    const float hip = ToDegrees(toAnkle + atHip);
    const float knee = -ToDegrees(kPi - atKnee);
    const float foot = -(hip + knee);
    BonePose pose;
    for (const char16_t* side : {u"L", u"R"}) {
        const std::u16string prefix = std::u16string(u"Biped_") + side + u"_";
        pose.push_back({prefix + u"Thigh", {hip, 0, 0}});
        pose.push_back({prefix + u"Calf", {knee, 0, 0}});
        pose.push_back({prefix + u"Foot", {foot, 0, 0}});
    }
    return pose;
}

BonePose Straight() {
    return Legs(0.0f, 0.0f);
}

Key At(float aFrame, const BonePose& aPose, float aHips = 0.0f) {
    return Key{aFrame, aPose, aHips};
}

// ---- the held poses ---------------------------------------------------------

// The right hand before the face, the eye at the viewfinder; aTilt raises
// (negative) or lowers (positive) the aim.
BonePose Camera(float aTilt) {
    const float rise = -aTilt;
    return Over(Stand(), {{u"Biped_R_UpperArm", {65.0f + 0.6f * rise, -20.0f, -10.0f}},
                          {u"Biped_R_Forearm", {110.0f - 0.2f * rise, 0, 0}},
                          {u"Biped_R_Hand", {0, 0, 0}},
                          {u"Biped_L_UpperArm", {30.0f + 0.4f * rise, 10.0f, 0}},
                          {u"Biped_L_Forearm", {80.0f, 0, 0}},
                          {u"Biped_Spine1", {-0.5f * aTilt, 0, 0}},
                          {u"BN_Head", {-aTilt, -4.0f, 0}}});
}

BonePose Phone() {
    return Over(Stand(), {{u"Biped_R_UpperArm", {95.0f, 0, -20.0f}},
                          {u"Biped_R_Forearm", {135.0f, 0, 0}},
                          {u"Biped_R_Hand", {0, 0, 0}},
                          {u"BN_Head", {0, 0, 6.0f}}});
}

BonePose Pocket() {
    return Over(Stand(), {{u"Biped_R_UpperArm", {-15.0f, 0, -8.0f}}, {u"Biped_R_Forearm", {35.0f, 0, 0}}});
}

// The right hand held out in front at chest height, showing what it holds.
BonePose Show() {
    return Over(Stand(), {{u"Biped_R_UpperArm", {30.0f, -10.0f, -10.0f}},
                          {u"Biped_R_Forearm", {70.0f, 0, 0}},
                          {u"Biped_R_Hand", {0, 0, 0}},
                          {u"BN_Head", {-4.0f, 0, 0}}});
}

// The right hand inside the coat at the chest.
BonePose InsideCoat() {
    return Over(Stand(), {{u"Biped_R_UpperArm", {25.0f, -30.0f, 10.0f}}, {u"Biped_R_Forearm", {110.0f, 0, 0}}});
}

BonePose Seated() {
    return Over(Over(Stand(), Legs(18.0f, 17.0f)), {{u"Biped_L_UpperArm", {20.0f, 0, 5.0f}},
                                                    {u"Biped_R_UpperArm", {20.0f, 0, -5.0f}},
                                                    {u"Biped_L_Forearm", {55.0f, 0, 0}},
                                                    {u"Biped_R_Forearm", {55.0f, 0, 0}},
                                                    {u"Biped_Spine1", {4.0f, 0, 0}}});
}

// ---- clips ------------------------------------------------------------------

// A loop that breathes and sways a little over the pose.
Clip Breathing(const std::u16string& aName, const BonePose& aPose, float aSway) {
    Clip clip{aName, 60, {}, nullptr};
    for (const auto& entry : aPose) {
        const Turn base = entry.second;
        const std::u16string bone = entry.first;
        Pose pose;
        if (bone == u"Biped_Spine1") {
            pose = [base, aSway](float p) {
                return Turn{base.x + 1.5f * Wave(p), base.y, base.z + aSway * Wave(p, 0.25f)};
            };
        } else if (bone == u"BN_Head") {
            pose = [base](float p) { return Turn{base.x - 1.0f * Wave(p), base.y + 3.0f * Wave(p, 0.1f), base.z}; };
        } else if (bone.find(u"UpperArm") != std::u16string::npos) {
            pose = [base](float p) { return Turn{base.x + 2.0f * Wave(p), base.y, base.z}; };
        } else {
            pose = [base](float) { return base; };
        }
        clip.bones.push_back({bone, pose});
    }
    clip.bob = [](float p) { return 0.15f * Wave(p); };
    return clip;
}

struct Gender {
    const char* suffix;  // "M" or "F"
    float scale;         // how far arms and legs move
};

const Gender kMan{"M", 1.0f};
const Gender kWoman{"F", 0.8f};

std::string Named(const std::string& aStem, const Gender& aGender) {
    return aStem + "_" + aGender.suffix + ".lia1";
}

std::u16string Wide(const std::string& aText) {
    return std::u16string(aText.begin(), aText.end());
}

// The file name without ".lia1" is the clip's name.
NamedClip Entry(const std::string& aFile, Clip aClip) {
    aClip.name = Wide(aFile.substr(0, aFile.size() - 5));
    return {aFile, aClip};
}

// The walk phase that puts the first (left) foot down at frame 14 of 37.
constexpr float kWalkFrames = 37.0f;
constexpr float kWalkPhase = 0.25f - 14.0f / kWalkFrames;

Clip Walk(const Gender& aGender) {
    const float s = aGender.scale;
    return Stride(u"", 37, 25.0f * s, 40.0f * s, 20.0f * s * s, 15.0f, -3.0f, 0.8f, 0.0f, kWalkPhase);
}

Clip Run(const Gender& aGender) {
    const float s = aGender.scale;
    return Stride(u"", 23, 40.0f * s, 80.0f * s, 35.0f * s, 70.0f, -12.0f, 1.5f, 0.0f, 0.25f);
}

Clip StairsUp(const Gender& aGender) {
    const float s = aGender.scale;
    return Stride(u"", 37, 20.0f * s, 55.0f * s, 15.0f * s, 20.0f, -8.0f, 1.2f, 25.0f * s, kWalkPhase);
}

Clip StairsDown(const Gender& aGender) {
    const float s = aGender.scale;
    return Stride(u"", 37, 18.0f * s, 30.0f * s, 12.0f * s, 15.0f, 2.0f, 1.6f, 8.0f * s, kWalkPhase);
}

// A step on the spot with one leg over frames aFrom..aTo: the knee lifts
// and the foot comes down again.
Pose StepThigh(float aFrom, float aTo, float aFrames, float aLift) {
    return [aFrom, aTo, aFrames, aLift](float p) {
        const float f = p * (aFrames - 1.0f);
        const float t = (f - aFrom) / (aTo - aFrom);
        return Turn{t > 0.0f && t < 1.0f ? aLift * Rise(t) : 0.0f, 0, 0};
    };
}

Pose StepCalf(float aFrom, float aTo, float aFrames, float aLift) {
    return [aFrom, aTo, aFrames, aLift](float p) {
        const float f = p * (aFrames - 1.0f);
        const float t = (f - aFrom) / (aTo - aFrom);
        return Turn{t > 0.0f && t < 1.0f ? -1.8f * aLift * Rise(t) : 0.0f, 0, 0};
    };
}

// Turning on the spot by aDegrees (the game turns the body; the clip only
// steps): the head and chest lead into the turn and settle, the feet step
// in turn, the one on the turn's side first. Positive degrees turn left
// (counter-clockwise seen from above).
Clip TurnOnSpot(std::int32_t aFrames, float aDegrees, int aSteps, const Gender& aGender) {
    const float n = static_cast<float>(aFrames);
    const float s = aGender.scale;
    const float lead = std::min(25.0f, std::fabs(aDegrees) * 0.25f) * (aDegrees > 0.0f ? -1.0f : 1.0f);
    Clip clip{u"", aFrames, {}, nullptr, false};
    clip.bones.push_back({u"BN_Head", [lead](float p) { return Turn{0, lead * Rise(std::min(1.0f, p * 1.4f)), 0}; }});
    clip.bones.push_back({u"Biped_Spine1", [lead](float p) { return Turn{-2.0f * Rise(p), 0.4f * lead * Rise(p), 0}; }});
    for (const auto& arm : Stand(s)) {
        if (arm.first.find(u"Arm") != std::u16string::npos) {
            const Turn base = arm.second;
            clip.bones.push_back({arm.first, [base](float) { return base; }});
        }
    }
    const std::u16string first = aDegrees > 0.0f ? u"L" : u"R";
    const std::u16string second = aDegrees > 0.0f ? u"R" : u"L";
    const float span = (n - 4.0f) / static_cast<float>(aSteps);
    const float lift = 22.0f * s;
    // Each leg's steps, every other one; a leg with no step stays straight.
    for (int leg = 0; leg < 2; ++leg) {
        const std::u16string prefix = std::u16string(u"Biped_") + (leg == 0 ? first : second) + u"_";
        std::vector<std::pair<float, float>> steps;
        for (int i = leg; i < aSteps; i += 2) {
            steps.push_back({2.0f + span * static_cast<float>(i), 2.0f + span * static_cast<float>(i + 1)});
        }
        auto thighs = std::make_shared<std::vector<Pose>>();
        auto calves = std::make_shared<std::vector<Pose>>();
        for (const auto& step : steps) {
            thighs->push_back(StepThigh(step.first, step.second, n, lift));
            calves->push_back(StepCalf(step.first, step.second, n, lift));
        }
        const auto sum = [](std::shared_ptr<std::vector<Pose>> aParts) {
            return [aParts](float p) {
                Turn total;
                for (const Pose& part : *aParts) {
                    total.x += part(p).x;
                }
                return total;
            };
        };
        clip.bones.push_back({prefix + u"Thigh", sum(thighs)});
        clip.bones.push_back({prefix + u"Calf", sum(calves)});
    }
    clip.bob = [](float p) { return -0.6f * Rise(p); };
    return clip;
}

// Turning into a walk: a step on the spot towards the turn, then the stride
// eases in so that at 0.7 of the clip the pose is the walk's frame
// aWalkFrame, and the stride goes on from there.
Clip TurnIntoWalk(std::int32_t aFrames, float aDegrees, float aWalkFrame, const Gender& aGender) {
    const float n = static_cast<float>(aFrames);
    const Clip turn = TurnOnSpot(static_cast<std::int32_t>(n * 0.45f), aDegrees, 1, aGender);
    const Clip walk = Walk(aGender);
    // The game starts the walk on the first frame at or past 0.7 of the clip.
    const float handOver = std::floor(0.7f * n);
    Clip clip{u"", aFrames, {}, nullptr, false};
    const auto walkPhase = [n, handOver, aWalkFrame](float p) {
        const float frame = aWalkFrame + (p * (n - 1.0f) - handOver);
        return std::fmod(frame / kWalkFrames + 4.0f, 1.0f);
    };
    // The stride eases in between 0.3 and 0.68, whole by the hand-over;
    // before, the step's phase runs over the first 45% of the clip.
    const auto blend = [](float p) {
        const float t = std::min(1.0f, std::max(0.0f, (p - 0.3f) / 0.38f));
        return t * t * (3.0f - 2.0f * t);
    };
    const float stepShare = 0.45f;
    std::vector<std::u16string> names;
    for (const auto& bone : turn.bones) {
        names.push_back(bone.name);
    }
    for (const auto& bone : walk.bones) {
        if (std::find(names.begin(), names.end(), bone.name) == names.end()) {
            names.push_back(bone.name);
        }
    }
    for (const std::u16string& name : names) {
        Pose stepPose = [](float) { return Turn{}; };
        Pose stridePose = [](float) { return Turn{}; };
        for (const auto& bone : turn.bones) {
            if (bone.name == name) {
                stepPose = bone.pose;
            }
        }
        for (const auto& bone : walk.bones) {
            if (bone.name == name) {
                stridePose = bone.pose;
            }
        }
        clip.bones.push_back({name, [stepPose, stridePose, walkPhase, blend, stepShare](float p) {
                                  const Turn a = stepPose(std::min(1.0f, p / stepShare));
                                  const Turn b = stridePose(walkPhase(p));
                                  const float t = blend(p);
                                  return Turn{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
                              }});
    }
    const auto walkBob = walk.bob;
    clip.bob = [walkBob, walkPhase, blend](float p) { return walkBob(walkPhase(p)) * blend(p); };
    return clip;
}

// ---- the idles and gestures ---------------------------------------------------

BonePose WomanStand() {
    return Over(Stand(0.6f), {{u"Biped_L_UpperArm", {12.0f, 15.0f, 3.0f}},
                              {u"Biped_R_UpperArm", {12.0f, -15.0f, -3.0f}},
                              {u"Biped_L_Forearm", {55.0f, 25.0f, 0}},
                              {u"Biped_R_Forearm", {55.0f, -25.0f, 0}}});
}

// Hands in the coat's pockets, weight on one leg.
BonePose ManInterview() {
    return Over(Stand(), {{u"Biped_L_UpperArm", {-8.0f, 0, 10.0f}},
                          {u"Biped_R_UpperArm", {-8.0f, 0, -10.0f}},
                          {u"Biped_L_Forearm", {25.0f, 0, 0}},
                          {u"Biped_R_Forearm", {25.0f, 0, 0}},
                          {u"BN_Head", {-2.0f, 0, 0}}});
}

// Both hands resting forward, as on a counter.
BonePose WomanInterview() {
    return Over(Stand(0.6f), {{u"Biped_L_UpperArm", {30.0f, 10.0f, 4.0f}},
                              {u"Biped_R_UpperArm", {30.0f, -10.0f, -4.0f}},
                              {u"Biped_L_Forearm", {50.0f, 0, 0}},
                              {u"Biped_R_Forearm", {50.0f, 0, 0}},
                              {u"Biped_Spine1", {-5.0f, 0, 0}}});
}

Clip LookAround(std::int32_t aFrames, const BonePose& aStand) {
    const float n = static_cast<float>(aFrames - 1);
    return Keyed(u"", aFrames,
                 {At(0, aStand), At(0.2f * n, Over(aStand, {{u"BN_Head", {0, -35.0f, 0}}, {u"Biped_Spine1", {0, -8.0f, 0}}})),
                  At(0.4f * n, Over(aStand, {{u"BN_Head", {0, -35.0f, 0}}, {u"Biped_Spine1", {0, -8.0f, 0}}})),
                  At(0.65f * n, Over(aStand, {{u"BN_Head", {0, 30.0f, 0}}, {u"Biped_Spine1", {0, 6.0f, 0}}})),
                  At(0.8f * n, Over(aStand, {{u"BN_Head", {0, 30.0f, 0}}, {u"Biped_Spine1", {0, 6.0f, 0}}})),
                  At(n, aStand)},
                 false);
}

Clip ScratchHead() {
    const BonePose up = Over(Stand(), {{u"Biped_R_UpperArm", {40.0f, 0, -70.0f}},
                                       {u"Biped_R_Forearm", {0, 0, -120.0f}},
                                       {u"BN_Head", {-6.0f, 0, 8.0f}}});
    BonePose scratch = up;
    scratch = Over(scratch, {{u"Biped_R_Forearm", {0, 0, -130.0f}}});
    return Keyed(u"", 75, {At(0, Stand()), At(18, up), At(26, scratch), At(34, up), At(42, scratch), At(52, up),
                           At(70, Stand()), At(74, Stand())},
                 false);
}

Clip CheckWatch() {
    const BonePose look = Over(Stand(), {{u"Biped_L_UpperArm", {35.0f, 20.0f, 0}},
                                         {u"Biped_L_Forearm", {95.0f, 0, 0}},
                                         {u"BN_Head", {-25.0f, 10.0f, 0}}});
    return Keyed(u"", 60, {At(0, Stand()), At(16, look), At(40, look), At(55, Stand()), At(59, Stand())}, false);
}

Clip FixHair() {
    const BonePose stand = WomanStand();
    const BonePose up = Over(stand, {{u"Biped_R_UpperArm", {30.0f, 0, -75.0f}},
                                     {u"Biped_R_Forearm", {0, 0, -125.0f}},
                                     {u"BN_Head", {0, 0, 10.0f}}});
    const BonePose tuck = Over(up, {{u"Biped_R_Forearm", {0, -20.0f, -135.0f}}});
    return Keyed(u"", 80, {At(0, stand), At(20, up), At(34, tuck), At(46, up), At(66, stand), At(79, stand)}, false);
}

Clip ShiftWeight() {
    const BonePose stand = WomanStand();
    const BonePose lean = Over(stand, {{u"Biped_Spine", {0, 0, 4.0f}},
                                       {u"Biped_Spine1", {0, 0, -6.0f}},
                                       {u"BN_Head", {0, -10.0f, -4.0f}},
                                       {u"Biped_L_Thigh", {0, 0, 3.0f}},
                                       {u"Biped_R_Thigh", {6.0f, 0, 2.0f}},
                                       {u"Biped_R_Calf", {-10.0f, 0, 0}}});
    return Keyed(u"", 70, {At(0, stand), At(20, lean), At(50, lean), At(69, stand)}, false);
}

// ---- the actions ----------------------------------------------------------------

Clip CrossArms() {
    const BonePose crossed = Over(Stand(), {{u"Biped_L_UpperArm", {30.0f, 20.0f, 8.0f}},
                                            {u"Biped_R_UpperArm", {34.0f, -20.0f, -8.0f}},
                                            {u"Biped_L_Forearm", {90.0f, 70.0f, 0}},
                                            {u"Biped_R_Forearm", {100.0f, -70.0f, 0}},
                                            {u"BN_Head", {-3.0f, 5.0f, 0}}});
    const BonePose settled = Over(crossed, {{u"BN_Head", {-3.0f, -8.0f, 2.0f}}, {u"Biped_Spine1", {-2.0f, 0, 0}}});
    return Keyed(u"", 150,
                 {At(0, Stand()), At(22, crossed), At(70, settled), At(125, crossed), At(146, Stand()), At(149, Stand())},
                 false);
}

Clip PickFromGround() {
    const BonePose stand = Over(Stand(), Straight());
    const BonePose reach = Over(Over(Stand(), Legs(15.0f, 3.0f)), {{u"Biped_Spine", {-25.0f, 0, 0}},
                                                                  {u"Biped_Spine1", {-20.0f, 0, 0}},
                                                                  {u"BN_Head", {-15.0f, 0, 0}},
                                                                  {u"Biped_R_UpperArm", {35.0f, -10.0f, -5.0f}},
                                                                  {u"Biped_R_Forearm", {15.0f, 0, 0}},
                                                                  {u"Biped_L_UpperArm", {10.0f, 0, 15.0f}},
                                                                  {u"Biped_L_Forearm", {40.0f, 0, 0}}});
    const BonePose grab = Over(reach, {{u"Biped_R_Forearm", {30.0f, 0, 0}}});
    return Keyed(u"", 60, {At(0, stand), At(20, reach, -15.0f), At(28, grab, -15.0f), At(33, grab, -15.0f),
                           At(54, stand), At(59, stand)},
                 true);
}

Clip PickFromTable() {
    const BonePose reach = Over(Stand(), {{u"Biped_Spine", {-10.0f, 0, 0}},
                                          {u"Biped_Spine1", {-12.0f, 0, 0}},
                                          {u"BN_Head", {-15.0f, 0, 0}},
                                          {u"Biped_R_UpperArm", {55.0f, -10.0f, 0}},
                                          {u"Biped_R_Forearm", {20.0f, 0, 0}}});
    const BonePose grab = Over(reach, {{u"Biped_R_Forearm", {35.0f, 0, 0}}});
    return Keyed(u"", 50, {At(0, Stand()), At(16, reach), At(23, grab), At(27, grab), At(45, Stand()), At(49, Stand())},
                 false);
}

Clip Photograph(float aTilt) {
    const BonePose hold = Camera(aTilt);
    const BonePose shot = Over(hold, {{u"Biped_R_Hand", {4.0f, 0, 0}}});
    return Keyed(u"", 110, {At(0, Stand()), At(12, InsideCoat()), At(24, hold), At(58, hold), At(61, shot),
                            At(64, hold), At(94, hold), At(106, Stand()), At(109, Stand())},
                 false);
}

Clip SitDown() {
    const BonePose stand = Over(Stand(), Straight());
    const BonePose lowering = Over(Over(Stand(), Legs(10.0f, 8.0f)), {{u"Biped_Spine1", {-18.0f, 0, 0}}});
    return Keyed(u"", 50, {At(0, stand), At(20, lowering, -10.0f), At(40, Seated(), -18.0f), At(49, Seated(), -18.0f)},
                 true);
}

Clip StandUp() {
    const BonePose stand = Over(Stand(), Straight());
    const BonePose forward = Over(Seated(), {{u"Biped_Spine", {-15.0f, 0, 0}}, {u"Biped_Spine1", {-18.0f, 0, 0}}});
    const BonePose rising = Over(Over(Stand(), Legs(10.0f, 8.0f)), {{u"Biped_Spine1", {-18.0f, 0, 0}}});
    return Keyed(u"", 50, {At(0, Seated(), -18.0f), At(12, forward, -18.0f), At(26, rising, -10.0f), At(42, stand),
                           At(49, stand)},
                 true);
}

Clip SeatedIdle() {
    Clip clip = Breathing(u"", Seated(), 0.5f);
    const auto bob = clip.bob;
    clip.bob = [bob](float p) { return bob(p) - 18.0f; };
    return clip;
}

Clip PhoneOut() {
    return Keyed(u"", 60, {At(0, Stand()), At(12, Pocket()), At(20, Pocket()), At(40, Phone()), At(59, Phone())}, false);
}

Clip PhoneIn() {
    return Keyed(u"", 50, {At(0, Phone()), At(20, Pocket()), At(28, Pocket()), At(44, Stand()), At(49, Stand())}, false);
}

Clip PhoneIdle() {
    Clip clip = Breathing(u"", Phone(), 1.0f);
    // A slow nod while listening.
    for (BoneTrack& bone : clip.bones) {
        if (bone.name == u"BN_Head") {
            const Pose listen = bone.pose;
            bone.pose = [listen](float p) {
                Turn turn = listen(p);
                turn.x += 4.0f * Rise(std::fmod(2.0f * p, 1.0f));
                return turn;
            };
        }
    }
    return clip;
}

// The badge or the photo: the hand goes into the coat, comes out by frame
// 27 and holds it out until the clip ends.
Clip ShowFromCoat() {
    return Keyed(u"", 90, {At(0, Stand()), At(12, InsideCoat()), At(16, InsideCoat()), At(27, Show()), At(72, Show()),
                           At(86, Stand()), At(89, Stand())},
                 false);
}

}  // namespace

BonePose CameraHoldPose() {
    return Camera(0.0f);
}

BonePose PhoneHoldPose() {
    return Phone();
}

BonePose ShowHoldPose() {
    return Show();
}

std::vector<NamedClip> CaseAnimations() {
    std::vector<NamedClip> clips;
    for (const Gender& gender : {kMan, kWoman}) {
        const bool man = gender.suffix[0] == 'M';
        const BonePose stand = man ? Stand() : WomanStand();
        clips.push_back(Entry(Named("Idle", gender), Breathing(u"", stand, man ? 1.0f : 1.8f)));
        clips.push_back(Entry(Named("Idle_Interview", gender),
                              Breathing(u"", man ? ManInterview() : WomanInterview(), 0.6f)));
        clips.push_back(Entry(Named("Walk", gender), Walk(gender)));
        clips.push_back(Entry(Named("Run", gender), Run(gender)));
        clips.push_back(Entry(Named("Stairs-up", gender), StairsUp(gender)));
        clips.push_back(Entry(Named("Stairs-down", gender), StairsDown(gender)));
        clips.push_back(Entry("Idle_" + std::string(gender.suffix) + "_LookAround.lia1", LookAround(90, stand)));
        const struct {
            const char* angle;
            std::int32_t frames;
            float degrees;
            int steps;
        } kTurns[] = {{"45", 24, 45.0f, 2}, {"90", 32, 90.0f, 2}, {"180", 44, 180.0f, 3}};
        for (const auto& turn : kTurns) {
            for (const float sign : {1.0f, -1.0f}) {
                const std::string name =
                    std::string("Turn-") + turn.angle + (sign > 0.0f ? "-CCW" : "-CW");
                clips.push_back(
                    Entry(Named(name, gender), TurnOnSpot(turn.frames, sign * turn.degrees, turn.steps, gender)));
            }
        }
        const struct {
            const char* angle;
            std::int32_t frames;
            float degrees;
        } kTurnWalks[] = {{"45", 36, 45.0f}, {"90", 45, 90.0f}, {"135", 54, 135.0f}};
        for (const auto& turn : kTurnWalks) {
            for (const float sign : {1.0f, -1.0f}) {
                const std::string name = std::string("Turn-Walk_") + turn.angle + (sign > 0.0f ? "-CCW" : "-CW");
                // The walk picks up before the next foot: frame 5 ahead of the
                // first at 14, frame 24 ahead of the second at 32.
                const float walkFrame = sign > 0.0f ? 24.0f : 5.0f;
                clips.push_back(
                    Entry(Named(name, gender), TurnIntoWalk(turn.frames, sign * turn.degrees, walkFrame, gender)));
            }
        }
    }
    clips.push_back(Entry("Idle_M_ScratchHead.lia1", ScratchHead()));
    clips.push_back(Entry("Idle_M_CheckWatch.lia1", CheckWatch()));
    clips.push_back(Entry("Idle_F_FixHair.lia1", FixHair()));
    clips.push_back(Entry("Idle_F_ShiftWeight.lia1", ShiftWeight()));
    clips.push_back(Entry("Idle_M_SS_CrossArms.lia1", CrossArms()));
    clips.push_back(Entry("Pick_ground_M.lia1", PickFromGround()));
    clips.push_back(Entry("Pick_table_M.lia1", PickFromTable()));
    clips.push_back(Entry("camera_out-up_M.lia1", Photograph(-20.0f)));
    clips.push_back(Entry("camera_out-middle_M.lia1", Photograph(0.0f)));
    clips.push_back(Entry("camera_out-down_M.lia1", Photograph(20.0f)));
    clips.push_back(Entry("Chair-sitting_M.lia1", SitDown()));
    clips.push_back(Entry("Chair-rising_M.lia1", StandUp()));
    clips.push_back(Entry("Chair-idle_M.lia1", SeatedIdle()));
    clips.push_back(Entry("Cell-Phone_out_M.lia1", PhoneOut()));
    clips.push_back(Entry("Cell-Phone_in_M.lia1", PhoneIn()));
    clips.push_back(Entry("Cell-Phone_idle_M.lia1", PhoneIdle()));
    clips.push_back(Entry("Show-Badge_M.lia1", ShowFromCoat()));
    clips.push_back(Entry("Show-Photo_M.lia1", ShowFromCoat()));
    return clips;
}

}  // namespace sample
