#pragma once
// The skinned people of the sample data tree, built from rigid boxes over one
// skeleton. Every character stands on y = 0 facing local -z, y up, with its
// left at +x. The skeleton is rooted at "Biped" (at hip height 38, the only
// frame animations move as well as turn); every bone's rest transform
// relative to its parent is a pure translation, so its axes are the model's,
// and the animations of one character fit every other. The skinned mesh
// hangs on the frame "Body", beside "Biped" under the root "Character".
// Each limb's box blends half-and-half with its parent at the joint.
//
// Frames the game looks for: "Biped", "Biped_R_Hand" (hand props), "BN_Head"
// and "BN_Neck" (head tracking), "BN_Eye_L" and "BN_Eye_R" (eyes), and the
// face bones the lip-sync poses turn ("BN_Jaw", "BN_Lip_Upper",
// "BN_Mouth_L", "BN_Mouth_R", "BN_Brow_L", "BN_Brow_R").
#include "SampleModel.h"

namespace sample {

// What sets one character apart: colours and a few proportions. The
// defaults are the sample character of the engine's tests.
struct CharacterLook {
    Material coat{0.15f, 0.2f, 0.35f, ""};
    Material skin{0.85f, 0.65f, 0.5f, ""};
    Material shoes{0.1f, 0.08f, 0.06f, ""};
    Material features{0.3f, 0.15f, 0.1f, ""};  // eyes, brows and lips
    // Trousers of their own colour (otherwise the coat's), or, with bareLegs,
    // legs of the skin's colour.
    bool ownLegs = false;
    Material legs{0.0f, 0.0f, 0.0f, ""};
    bool bareLegs = false;
    // A coat's tail or a skirt round the hips down to this height, in the
    // legs' colour when skirtOfLegs is set, else the coat's.
    bool tail = false;
    float tailBottom = 26.0f;
    bool skirtOfLegs = false;
    // A cap of hair, and with longHair hair down the back to the shoulders.
    bool hair = false;
    Material hairColour{0.0f, 0.0f, 0.0f, ""};
    bool longHair = false;
    // Length from the chest bone to the neck (the head rides on it), the
    // shoulder joint's distance from the clavicle, and the hips' half width.
    float chest = 8.0f;
    float shoulder = 5.5f;
    float hips = 4.5f;
};

Model Character(const CharacterLook& aLook);

}  // namespace sample
