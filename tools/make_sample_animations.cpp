// Writes the sample character's animations into the data tree:
//
//   data/animations/sample_idle.lia1       breathing and a slow sway, 2 s
//   data/animations/sample_walk.lia1       one walking stride pair, 0.8 s
//   data/animations/sample_run.lia1        one running stride pair, 0.5 s
//   data/animations/sample_stair_up.lia1   climbing two steps, 1 s
//   data/animations/sa_M/sa_<gesture>.lia1 the gestures of the head type "sa"
//   data/animations/sa_F/sa_<gesture>.lia1 the same, smaller, for a woman
//   data/phonemes/sa/<channel>.lia         the 27 one-frame face poses the
//                                          lip-sync player loads (raw form)
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_sample_animations
//   build/release/tools/make_sample_animations data
//
// Every file is written by the engine's own writers (VoAnimation::Write for
// ".lia1", VoAnimation::WriteRaw for ".lia"); the output is the same on
// every run.
//
// The character (tools/make_sample_meshes.cpp) faces -z with +x its left,
// and every bone's rest transform is a pure translation, so a key's rotation
// is the bone's turn in the model's own axes: about x a limb hanging down
// swings forward for a positive angle. The moving animations are played in
// place: the character's steering moves it, so "Biped" keys only raise and
// lower the hips (its rest height is 38) and never move them along -z.
// Gestures are played as layers and leave "Biped" alone; phoneme poses turn
// the face bones only.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationTrack.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"
#include "stdlib/VoMemoryStream.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr float kPi = 3.14159265f;
constexpr float kBipedHeight = 38.0f;

float Degrees(float aDegrees) { return aDegrees * kPi / 180.0f; }

// A bone's turn in degrees about x, then y, then z.
struct Turn {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

VoQuaternion QuaternionOf(const Turn& aTurn) {
    VoMatrix rx;
    VoMatrix ry;
    VoMatrix rz;
    MatrixRotationX(&rx, Degrees(aTurn.x));
    MatrixRotationY(&ry, Degrees(aTurn.y));
    MatrixRotationZ(&rz, Degrees(aTurn.z));
    VoMatrix xy;
    VoMatrix xyz;
    MatrixMultiply(&xy, &rx, &ry);
    MatrixMultiply(&xyz, &xy, &rz);
    VoQuaternion q;
    QuaternionRotationMatrix(&q, &xyz);
    return q;
}

// The pose of one bone at phase p (0..1 over the animation).
using Pose = std::function<Turn(float)>;

struct BoneTrack {
    const char16_t* name;
    Pose pose;
};

// One animation: its bones' poses, and the hips' rise above their rest
// height (only when aBob is set; the track "Biped" then takes positions).
struct Clip {
    const char16_t* name;
    std::int32_t frames;
    std::vector<BoneTrack> bones;
    std::function<float(float)> bob;  // empty: no Biped position keys
    // A looping clip's last key stops short of phase 1 (its first key
    // follows); any other runs from phase 0 to 1 on its first and last keys.
    bool loops = true;
};

float Wave(float aPhase, float aShift = 0.0f) { return std::sin(2.0f * kPi * (aPhase + aShift)); }

float PhaseOf(const Clip& aClip, std::int32_t aKey) {
    const std::int32_t span = aClip.loops ? aClip.frames : aClip.frames - 1;
    return span > 0 ? static_cast<float>(aKey) / static_cast<float>(span) : 0.0f;
}

bool Build(const Clip& aClip, VoAnimation* apAnimation) {
    const bool hasBiped = static_cast<bool>(aClip.bob);
    const auto trackCount = static_cast<std::int32_t>(aClip.bones.size() + (hasBiped ? 1 : 0));
    if (!apAnimation->Create(VoString(aClip.name), trackCount, aClip.frames)) {
        return false;
    }
    std::int32_t index = 0;
    if (hasBiped) {
        VoAnimationTrack* biped = apAnimation->GetTrack(index++);
        if (!biped->Create(VoString(VoAnimationTrack::kBipedName), aClip.frames, false, true, true)) {
            return false;
        }
        for (std::int32_t k = 0; k < aClip.frames; ++k) {
            biped->GetPositionKeys()[k] = VoVector3(0.0f, kBipedHeight + aClip.bob(PhaseOf(aClip, k)), 0.0f);
        }
    }
    for (const BoneTrack& bone : aClip.bones) {
        VoAnimationTrack* track = apAnimation->GetTrack(index++);
        if (!track->Create(VoString(bone.name), aClip.frames, false, true, false)) {
            return false;
        }
        for (std::int32_t k = 0; k < aClip.frames; ++k) {
            track->GetRotationKeys()[k] = QuaternionOf(bone.pose(PhaseOf(aClip, k)));
        }
    }
    return true;
}

// ---- the body ---------------------------------------------------------------

// A stride cycle: legs swing by aLeg degrees (knees bend up to aKnee), arms
// swing against them by aArm, elbows bend aElbow, the body leans aLean
// forward, the hips bob by aBob (twice a cycle), aLift raising the knees more
// on the forward swing (stairs).
Clip Stride(const char16_t* apName, std::int32_t aFrames, float aLeg, float aKnee, float aArm, float aElbow,
            float aLean, float aBob, float aLift) {
    Clip clip{apName, aFrames, {}, nullptr};
    const auto thigh = [aLeg, aLift](float aShift) {
        return [aLeg, aLift, aShift](float p) {
            const float swing = Wave(p, aShift);
            return Turn{aLeg * swing + aLift * std::max(0.0f, swing), 0, 0};
        };
    };
    const auto calf = [aKnee](float aShift) {
        // The knee bends (the shin swings back) while the leg comes forward.
        return [aKnee, aShift](float p) { return Turn{-aKnee * (0.5f + 0.5f * Wave(p, aShift + 0.25f)), 0, 0}; };
    };
    const auto foot = [aLeg](float aShift) {
        return [aLeg, aShift](float p) { return Turn{-0.3f * aLeg * Wave(p, aShift), 0, 0}; };
    };
    const auto upperArm = [aArm](float aShift, float aOut) {
        return [aArm, aShift, aOut](float p) { return Turn{aArm * Wave(p, aShift), 0, aOut}; };
    };
    const auto forearm = [aElbow](float aShift) {
        return [aElbow, aShift](float p) { return Turn{aElbow * (0.6f + 0.4f * Wave(p, aShift)), 0, 0}; };
    };
    clip.bones = {
        {u"Biped_Spine1", [aLean](float p) { return Turn{aLean, 3.0f * Wave(p), 0}; }},
        {u"BN_Head", [aLean](float p) { return Turn{-0.5f * aLean, -2.0f * Wave(p), 0}; }},
        {u"Biped_L_Thigh", thigh(0.0f)},
        {u"Biped_L_Calf", calf(0.0f)},
        {u"Biped_L_Foot", foot(0.0f)},
        {u"Biped_R_Thigh", thigh(0.5f)},
        {u"Biped_R_Calf", calf(0.5f)},
        {u"Biped_R_Foot", foot(0.5f)},
        // Each arm swings with the opposite leg, a little away from the body.
        {u"Biped_L_UpperArm", upperArm(0.5f, 4.0f)},
        {u"Biped_L_Forearm", forearm(0.5f)},
        {u"Biped_R_UpperArm", upperArm(0.0f, -4.0f)},
        {u"Biped_R_Forearm", forearm(0.0f)},
    };
    // Lowest as a foot passes under the body, twice a cycle.
    clip.bob = [aBob](float p) { return aBob * (std::cos(4.0f * kPi * p) - 1.0f) * 0.5f; };
    return clip;
}

Clip Idle() {
    Clip clip{u"sample_idle", 60, {}, nullptr};
    clip.bones = {
        {u"Biped_Spine1", [](float p) { return Turn{1.5f * Wave(p), 0, 1.0f * Wave(p, 0.25f)}; }},
        {u"BN_Head", [](float p) { return Turn{-1.0f * Wave(p), 3.0f * Wave(p, 0.1f), 0}; }},
        {u"Biped_L_UpperArm", [](float p) { return Turn{2.0f * Wave(p), 0, 5.0f}; }},
        {u"Biped_R_UpperArm", [](float p) { return Turn{2.0f * Wave(p), 0, -5.0f}; }},
        {u"Biped_L_Forearm", [](float) { return Turn{10.0f, 0, 0}; }},
        {u"Biped_R_Forearm", [](float) { return Turn{10.0f, 0, 0}; }},
    };
    clip.bob = [](float p) { return 0.15f * Wave(p); };
    return clip;
}

// ---- gestures ---------------------------------------------------------------

// One rise and fall over the gesture: 0 at both ends, 1 in the middle.
float Rise(float aPhase) { return std::sin(kPi * aPhase); }

// The gestures of the head type, each played as a layer; aScale softens the
// woman's. Each starts and ends at rest.
std::vector<Clip> Gestures(float aScale) {
    const float s = aScale;
    return {
        {u"sa_wave",
         45,
         {{u"Biped_R_UpperArm", [s](float p) { return Turn{20.0f * s * Rise(p), 0, -150.0f * s * Rise(p)}; }},
          {u"Biped_R_Forearm", [s](float p) { return Turn{0, 0, 25.0f * s * Rise(p) * Wave(2.0f * p)}; }},
          {u"BN_Head", [s](float p) { return Turn{0, -8.0f * s * Rise(p), 0}; }}},
         nullptr,
         false},
        {u"sa_point",
         30,
         {{u"Biped_R_UpperArm", [s](float p) { return Turn{80.0f * s * Rise(p), 0, -10.0f * s * Rise(p)}; }},
          {u"Biped_R_Forearm", [s](float p) { return Turn{10.0f * s * Rise(p), 0, 0}; }},
          {u"Biped_Spine1", [s](float p) { return Turn{0, -10.0f * s * Rise(p), 0}; }}},
         nullptr,
         false},
        {u"sa_nod",
         20,
         {{u"BN_Head", [s](float p) { return Turn{-15.0f * s * Rise(p) * (1.0f + 0.3f * Wave(2.0f * p)), 0, 0}; }},
          {u"BN_Neck", [s](float p) { return Turn{-5.0f * s * Rise(p), 0, 0}; }}},
         nullptr,
         false},
        {u"sa_shrug",
         24,
         {{u"Biped_L_Clavicle", [s](float p) { return Turn{0, 0, 12.0f * s * Rise(p)}; }},
          {u"Biped_R_Clavicle", [s](float p) { return Turn{0, 0, -12.0f * s * Rise(p)}; }},
          {u"Biped_L_Forearm", [s](float p) { return Turn{45.0f * s * Rise(p), -30.0f * s * Rise(p), 0}; }},
          {u"Biped_R_Forearm", [s](float p) { return Turn{45.0f * s * Rise(p), 30.0f * s * Rise(p), 0}; }},
          {u"BN_Head", [s](float p) { return Turn{0, 0, 6.0f * s * Rise(p)}; }}},
         nullptr,
         false},
    };
}

// ---- face poses -------------------------------------------------------------

// The face bones' turns in one pose: jaw open (degrees, the chin drops),
// upper lip raised, mouth corners up (smile) or down, eyelids closed (0..1),
// brows raised (negative: lowered), brows drawn together.
struct Face {
    float jaw = 0, lip = 0, corners = 0, blink = 0, brows = 0, knit = 0;
};

struct Phoneme {
    const char16_t* name;
    Face face;
};

// The 27 channels of the lip-sync player, in its order.
const Phoneme kPhonemes[] = {
    {u"Phoneme_Bump", {0, 0, 0, 0, 0, 0}},          // lips closed
    {u"Phoneme_Cage", {10, 3, 4, 0, 0, 0}},
    {u"Phoneme_Church", {6, 4, -3, 0, 0, 0}},
    {u"Phoneme_Earth", {7, 2, 0, 0, 0, 0}},
    {u"Phoneme_Eat", {4, 2, 8, 0, 0, 0}},
    {u"Phoneme_Fave", {3, -4, 0, 0, 0, 0}},         // lower lip to the teeth
    {u"Phoneme_If", {8, 2, 3, 0, 0, 0}},
    {u"Phoneme_New", {5, 1, 0, 0, 0, 0}},
    {u"Phoneme_Oat", {12, 3, -6, 0, 0, 0}},
    {u"Phoneme_Ox", {16, 2, -2, 0, 0, 0}},
    {u"Phoneme_Roar", {9, 3, -5, 0, 0, 0}},
    {u"Phoneme_Size", {3, 2, 5, 0, 0, 0}},
    {u"Phoneme_Though", {6, 1, 0, 0, 0, 0}},
    {u"Phoneme_Told", {6, 2, 1, 0, 0, 0}},
    {u"Phoneme_Wet", {5, 3, -8, 0, 0, 0}},
    {u"Viseme_Blink", {0, 0, 0, 1, 0, 0}},
    {u"Viseme_EB_Down", {0, 0, 0, 0, -8, 0}},
    {u"Viseme_EB_Up", {0, 0, 0, 0, 10, 0}},
    {u"Viseme_Anger", {2, 3, -6, 0.3f, -10, 8}},
    {u"Viseme_Disgust", {3, 6, -8, 0.4f, -6, 4}},
    {u"Viseme_Frown", {0, 0, -10, 0, -4, 3}},
    {u"Viseme_Happy", {3, 2, 12, 0.2f, 4, 0}},
    {u"Viseme_Sad", {0, -1, -8, 0.2f, 6, -4}},
    {u"Viseme_Smile", {0, 1, 14, 0.1f, 2, 0}},
    {u"Viseme_Squint", {0, 0, 3, 0.6f, -3, 2}},
    {u"Viseme_Surprise", {14, 2, 0, 0, 14, 0}},
    {u"Viseme_Tightlipped", {0, -2, -3, 0, 0, 2}},
};

Clip FacePose(const Phoneme& aPhoneme) {
    const Face f = aPhoneme.face;
    Clip clip{aPhoneme.name, 1, {}, nullptr};
    clip.bones = {
        // The jaw and lips point forward (-z): a negative turn about x drops them.
        {u"BN_Jaw", [f](float) { return Turn{-f.jaw, 0, 0}; }},
        {u"BN_Lip_Upper", [f](float) { return Turn{f.lip, 0, 0}; }},
        {u"BN_Mouth_L", [f](float) { return Turn{0, -0.5f * f.corners, f.corners}; }},
        {u"BN_Mouth_R", [f](float) { return Turn{0, 0.5f * f.corners, -f.corners}; }},
        {u"BN_Eye_L", [f](float) { return Turn{-30.0f * f.blink, 0, 0}; }},
        {u"BN_Eye_R", [f](float) { return Turn{-30.0f * f.blink, 0, 0}; }},
        {u"BN_Brow_L", [f](float) { return Turn{f.brows, 0, -f.knit}; }},
        {u"BN_Brow_R", [f](float) { return Turn{f.brows, 0, f.knit}; }},
    };
    return clip;
}

// ---- output -----------------------------------------------------------------

Bytes Written(const Clip& aClip, bool aRaw) {
    VoAnimation animation;
    if (!Build(aClip, &animation)) {
        std::fprintf(stderr, "could not build an animation\n");
        return {};
    }
    VoMemoryStream stream(1024, VoMemoryStream::kGrowDouble);
    if (!(aRaw ? animation.WriteRaw(&stream) : animation.Write(&stream))) {
        std::fprintf(stderr, "the engine could not write an animation\n");
        return {};
    }
    return Bytes(stream.GetBuffer(), stream.GetBuffer() + stream.GetPosition());
}

std::string Narrow(const char16_t* apText) {
    std::string text;
    for (; *apText != 0; ++apText) {
        text.push_back(static_cast<char>(*apText));
    }
    return text;
}

bool Save(const std::string& aPath, const Bytes& aBytes) {
    if (aBytes.empty()) {
        return false;
    }
    std::FILE* file = std::fopen(aPath.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", aPath.c_str());
        return false;
    }
    const bool written = std::fwrite(aBytes.data(), 1, aBytes.size(), file) == aBytes.size();
    const bool closed = std::fclose(file) == 0;
    std::printf("%s: %zu bytes\n", aPath.c_str(), aBytes.size());
    return written && closed;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string animations = data + "/animations/";
    bool saved = Save(animations + "sample_idle.lia1", Written(Idle(), false));
    saved = Save(animations + "sample_walk.lia1",
                 Written(Stride(u"sample_walk", 24, 25.0f, 40.0f, 20.0f, 15.0f, 3.0f, 0.8f, 0.0f), false)) &&
            saved;
    saved = Save(animations + "sample_run.lia1",
                 Written(Stride(u"sample_run", 16, 40.0f, 80.0f, 35.0f, 70.0f, 12.0f, 1.5f, 0.0f), false)) &&
            saved;
    saved = Save(animations + "sample_stair_up.lia1",
                 Written(Stride(u"sample_stair_up", 30, 20.0f, 55.0f, 15.0f, 20.0f, 8.0f, 1.2f, 25.0f), false)) &&
            saved;
    const struct {
        const char* folder;
        float scale;
    } kGenders[] = {{"sa_M/", 1.0f}, {"sa_F/", 0.75f}};
    for (const auto& gender : kGenders) {
        for (const Clip& gesture : Gestures(gender.scale)) {
            saved = Save(animations + gender.folder + Narrow(gesture.name) + ".lia1", Written(gesture, false)) && saved;
        }
    }
    for (const Phoneme& phoneme : kPhonemes) {
        saved = Save(data + "/phonemes/sa/" + Narrow(phoneme.name) + ".lia", Written(FacePose(phoneme), true)) && saved;
    }
    return saved ? 0 : 1;
}
