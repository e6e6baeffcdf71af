#pragma once
// The animations of the case's people (tools/make_case_characters.cpp
// writes them under data/animations/), and the held poses that the hand
// props are fitted to.
//
// Names follow the game's: "_M" files for men, "_F" for women. Moves, idles
// and gestures are named by gender so any character of that gender can use
// them; the turns, turn-walks and actions carry the names the game builds.
// Timings the game reads off the files:
//   - the walk cycle is 37 frames with the first foot down at frame 14 and
//     the second at 32, the run 23 frames with the feet down at 0 and 12,
//     the stairs 37 frames like the walk;
//   - a turn-walk hands over to the walk at 0.7 of its length, in the pose
//     of walk frame 5 after a clockwise turn and 24 after a counter-
//     clockwise one; it starts moving forward at 0.4;
//   - the photograph's camera shows from frame 26 to 94 (the clip is 110
//     frames), the shutter goes after frame 60; the phone shows from 0.34 of
//     "Cell-Phone_out_M" and goes at half of "Cell-Phone_in_M"; a badge or
//     photo shows from frame 28 of its show animation.
#include <string>
#include <utility>
#include <vector>

#include "SampleClip.h"

namespace sample {

// The turns of the bones a pose names (the others at rest).
using BonePose = std::vector<std::pair<std::u16string, Turn>>;

// Poses that a hand prop is fitted to: the prop sits where it belongs in
// the character's right hand in this pose.
BonePose CameraHoldPose();
BonePose PhoneHoldPose();
BonePose ShowHoldPose();

struct NamedClip {
    std::string file;  // under data/animations/
    Clip clip;
};

// Every animation of the case, in a fixed order.
std::vector<NamedClip> CaseAnimations();

}  // namespace sample
