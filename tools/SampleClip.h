#pragma once
// Animations of the sample data tree as the generators in tools/ describe
// them: per bone, a turn as a function of the phase (0..1 over the clip),
// and optionally the hips' rise above their rest height. Build fills the
// engine's VoAnimation from a clip; Written gives the file bytes through the
// engine's own writers.
//
// The characters (tools/SampleCharacter.h) face -z with +x their left, and
// every bone's rest transform is a pure translation, so a key's rotation is
// the bone's turn in the model's own axes: about x a limb hanging down
// swings forward for a positive angle (and a bone pointing up, the spine or
// the head, leans back), about y a positive turn takes the
// face towards the character's right, about z a positive turn raises a
// left arm sideways (and lowers a right one). Moving animations are played
// in place: the steering moves the character, so "Biped" keys only raise
// and lower the hips (rest height 38) and never move them along -z.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/VoMatrix.h"
#include "geometry/VoVector4.h"

class VoAnimation;

namespace sample {

using Bytes = std::vector<unsigned char>;

constexpr float kPi = 3.14159265f;
constexpr float kBipedHeight = 38.0f;

float Degrees(float aDegrees);

// A bone's turn in degrees about x, then y, then z.
struct Turn {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// The turn as a rotation matrix (row vectors, x first) and as a quaternion.
VoMatrix RotationOf(const Turn& aTurn);
VoQuaternion QuaternionOf(const Turn& aTurn);

// The pose of one bone at phase p (0..1 over the animation).
using Pose = std::function<Turn(float)>;

struct BoneTrack {
    std::u16string name;
    Pose pose;
};

// One animation: its bones' poses, and the hips' rise above their rest
// height (only when bob is set; the track "Biped" then takes positions).
struct Clip {
    std::u16string name;
    std::int32_t frames;
    std::vector<BoneTrack> bones;
    std::function<float(float)> bob;  // empty: no Biped position keys
    // A looping clip's last key stops short of phase 1 (its first key
    // follows); any other runs from phase 0 to 1 on its first and last keys.
    bool loops = true;
};

float Wave(float aPhase, float aShift = 0.0f);
// One rise and fall over the phase: 0 at both ends, 1 in the middle.
float Rise(float aPhase);
float PhaseOf(const Clip& aClip, std::int32_t aKey);

bool Build(const Clip& aClip, VoAnimation* apAnimation);
// The serialised form (or with aRaw the raw one); empty when the engine
// could not build or write it.
Bytes Written(const Clip& aClip, bool aRaw);
std::string Narrow(const std::u16string& aText);

// A stride cycle: legs swing by aLeg degrees (knees bend up to aKnee), arms
// swing against them by aArm, elbows bend aElbow, the chest turns by aLean
// about x (negative leans it forward), the hips bob by aBob (twice a cycle), aLift raising the knees more
// on the forward swing (stairs). The left leg is furthest forward at phase
// 0.25 - aPhase, the right half a cycle later.
Clip Stride(const std::u16string& aName, std::int32_t aFrames, float aLeg, float aKnee, float aArm, float aElbow,
            float aLean, float aBob, float aLift, float aPhase = 0.0f);

// A pose held at one frame of a keyed clip: the turns of the bones it names
// (every other bone at rest) and the hips' rise.
struct Key {
    float frame;
    std::vector<std::pair<std::u16string, Turn>> turns;
    float hips = 0.0f;
};

// A clip that eases from each key to the next (smoothstep), holding the
// first key before it and the last after it. Every bone any key names gets
// a track; with aHips the "Biped" track takes the hips' rise too.
Clip Keyed(const std::u16string& aName, std::int32_t aFrames, const std::vector<Key>& aKeys, bool aHips,
           bool aLoops = false);

}  // namespace sample
