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
// ".lia1", VoAnimation::WriteRaw for ".lia"), through tools/SampleClip.h,
// which also says how a clip's turns meet the character's bones; the output
// is the same on every run. Gestures are played as layers and leave "Biped" alone; phoneme poses turn
// the face bones only.
#include <cstdint>
#include <string>
#include <vector>

#include "SampleClip.h"
#include "SampleModel.h"

namespace {

using namespace sample;

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
