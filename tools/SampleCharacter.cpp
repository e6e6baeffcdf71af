#include "SampleCharacter.h"

namespace sample {

namespace {

// One rigid box of the character, driven by a bone; the vertices on the
// joint face (aJointAxis 0 x, 1 y, at aJointValue) share with the parent
// bone half and half. aJointAxis -1: no joint.
void AddLimb(Model& aModel, Mesh& aMesh, int aSubset, const std::string& aBone, const Vec& aMin, const Vec& aMax,
             int aJointAxis = -1, float aJointValue = 0.0f) {
    const int bone = aModel.Find(aBone);
    const int parent = aModel.frames[static_cast<std::size_t>(bone)].parent;
    const int first = aMesh.VertexCount();
    aMesh.AddBox(aSubset, aMin, aMax);
    for (int v = first; v < aMesh.VertexCount(); ++v) {
        const Vec p = aMesh.Position(v);
        const float along = aJointAxis == 0 ? p.x : p.y;
        if (aJointAxis >= 0 && along == aJointValue) {
            aMesh.influences.push_back({{bone, 0.5f}, {parent, 0.5f}});
        } else {
            aMesh.influences.push_back({{bone, 1.0f}});
        }
    }
}

}  // namespace

// Every measure is the sample character's plus the look's difference from
// it (u: how much higher the chest and all above it sit; w: how much wider
// the shoulders are; h: how much wider the hips), so the defaults give the
// sample's numbers exactly.
Model Character(const CharacterLook& aLook) {
    const float u = aLook.chest - 8.0f;
    const float w = aLook.shoulder - 5.5f;
    const float h = aLook.hips - 4.5f;
    Model model;
    const int root = model.Add("Character", -1, 0, 0, 0);
    const int body = model.Add("Body", root, 0, 0, 0);
    const int biped = model.Add("Biped", root, 0, 38, 0);
    const int pelvis = model.Add("Biped_Pelvis", biped, 0, 0, 0);
    const int spine = model.Add("Biped_Spine", pelvis, 0, 4, 0);
    const int chest = model.Add("Biped_Spine1", spine, 0, 8, 0);
    const int neck = model.Add("BN_Neck", chest, 0, aLook.chest, 0);
    const int head = model.Add("BN_Head", neck, 0, 4, 0);
    // The face, on the head's -z side; the character's left is +x.
    model.Add("BN_Jaw", head, 0, 2.5f, -1.0f);
    model.Add("BN_Lip_Upper", head, 0, 2.6f, -3.5f);
    model.Add("BN_Mouth_L", head, 1.1f, 2.2f, -3.5f);
    model.Add("BN_Mouth_R", head, -1.1f, 2.2f, -3.5f);
    model.Add("BN_Eye_L", head, 1.2f, 5.5f, -3.5f);
    model.Add("BN_Eye_R", head, -1.2f, 5.5f, -3.5f);
    model.Add("BN_Brow_L", head, 1.2f, 6.7f, -3.5f);
    model.Add("BN_Brow_R", head, -1.2f, 6.7f, -3.5f);
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const int clavicle = model.Add(prefix + "Clavicle", chest, 1.5f * s, 7 + u, 0);
        const int upper = model.Add(prefix + "UpperArm", clavicle, aLook.shoulder * s, 0, 0);
        const int fore = model.Add(prefix + "Forearm", upper, 0, -11, 0);
        model.Add(prefix + "Hand", fore, 0, -10, 0);
    }
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const int thigh = model.Add(prefix + "Thigh", pelvis, 3 * s, -2, 0);
        const int calf = model.Add(prefix + "Calf", thigh, 0, -17, 0);
        model.Add(prefix + "Foot", calf, 0, -16, 0);
    }

    auto mesh = std::make_unique<Mesh>();
    mesh->name = "Body";
    mesh->skinned = true;
    mesh->materials = {aLook.coat, aLook.skin, aLook.shoes, aLook.features};
    enum { kCoat, kSkin, kShoes, kFeatures };
    int legs = aLook.bareLegs ? kSkin : kCoat;
    if (aLook.ownLegs) {
        legs = static_cast<int>(mesh->materials.size());
        mesh->materials.push_back(aLook.legs);
    }
    int hair = -1;
    if (aLook.hair) {
        hair = static_cast<int>(mesh->materials.size());
        mesh->materials.push_back(aLook.hairColour);
    }
    mesh->subsets.resize(mesh->materials.size());
    for (std::size_t i = 0; i < mesh->subsets.size(); ++i) {
        mesh->subsets[i].material = static_cast<int>(i);
    }
    const int hipsMaterial = aLook.skirtOfLegs ? legs : kCoat;
    Mesh& m = *mesh;
    AddLimb(model, m, hipsMaterial, "Biped_Pelvis", {-4.5f - h, 34, -3}, {4.5f + h, 42, 3});
    AddLimb(model, m, kCoat, "Biped_Spine", {-4.5f - h, 42, -3}, {4.5f + h, 50, 3}, 1, 42);
    AddLimb(model, m, kCoat, "Biped_Spine1", {-5.5f - w, 50, -3.5f}, {5.5f + w, 58 + u, 3.5f}, 1, 50);
    AddLimb(model, m, kSkin, "BN_Neck", {-1.5f, 58 + u, -1.5f}, {1.5f, 62 + u, 1.5f}, 1, 58 + u);
    AddLimb(model, m, kSkin, "BN_Head", {-3, 62 + u, -3.5f}, {3, 71 + u, 3.5f}, 1, 62 + u);
    AddLimb(model, m, kSkin, "BN_Jaw", {-1.8f, 62.6f + u, -3.9f}, {1.8f, 63.8f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Lip_Upper", {-1, 64.5f + u, -3.8f}, {1, 64.8f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Mouth_L", {0.9f, 64.1f + u, -3.75f}, {1.3f, 64.4f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Mouth_R", {-1.3f, 64.1f + u, -3.75f}, {-0.9f, 64.4f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Eye_L", {0.7f, 67.1f + u, -3.8f}, {1.7f, 67.9f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Eye_R", {-1.7f, 67.1f + u, -3.8f}, {-0.7f, 67.9f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Brow_L", {0.5f, 68.55f + u, -3.8f}, {1.9f, 68.85f + u, -3.5f});
    AddLimb(model, m, kFeatures, "BN_Brow_R", {-1.9f, 68.55f + u, -3.8f}, {-0.5f, 68.85f + u, -3.5f});
    if (hair >= 0) {
        // A cap over the crown and the back of the head, clear of the brows.
        AddLimb(model, m, hair, "BN_Head", {-3.3f, 69.2f + u, -3.0f}, {3.3f, 71.8f + u, 3.8f});
        const float bottom = aLook.longHair ? 57.0f + u : 65.0f + u;
        AddLimb(model, m, hair, "BN_Head", {-3.3f, bottom, 3.5f}, {3.3f, 69.2f + u, 4.3f});
    }
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        auto span = [s](float aInner, float aOuter, float* apMin, float* apMax) {
            *apMin = s > 0 ? aInner : -aOuter;
            *apMax = s > 0 ? aOuter : -aInner;
        };
        float lo = 0.0f;
        float hi = 0.0f;
        span(1.5f, 7.0f + w, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "Clavicle", {lo, 56 + u, -2}, {hi, 58.5f + u, 2}, 0, 1.5f * s);
        span(5.6f + w, 8.4f + w, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "UpperArm", {lo, 46 + u, -1.4f}, {hi, 57 + u, 1.4f}, 1, 57 + u);
        span(5.8f + w, 8.2f + w, &lo, &hi);
        AddLimb(model, m, kCoat, prefix + "Forearm", {lo, 36 + u, -1.2f}, {hi, 46 + u, 1.2f}, 1, 46 + u);
        span(6.0f + w, 8.0f + w, &lo, &hi);
        AddLimb(model, m, kSkin, prefix + "Hand", {lo, 30 + u, -1.5f}, {hi, 36 + u, 1.0f}, 1, 36 + u);
    }
    for (const char* side : {"L", "R"}) {
        const float s = side[0] == 'L' ? 1.0f : -1.0f;
        const std::string prefix = std::string("Biped_") + side + "_";
        const float lo = s > 0 ? 1.0f : -5.0f;
        const float hi = s > 0 ? 5.0f : -1.0f;
        AddLimb(model, m, legs, prefix + "Thigh", {lo, 19, -2}, {hi, 36, 2}, 1, 36);
        AddLimb(model, m, legs, prefix + "Calf", {lo + 0.5f, 3, -1.6f}, {hi - 0.5f, 19, 1.6f}, 1, 19);
        AddLimb(model, m, kShoes, prefix + "Foot", {lo + 0.5f, 0, -6}, {hi - 0.5f, 3, 2}, 1, 3);
    }
    if (aLook.tail) {
        // Round the hips and over the thighs; it hangs from the pelvis and
        // does not follow the legs.
        const int tail = aLook.skirtOfLegs ? legs : kCoat;
        AddLimb(model, m, tail, "Biped_Pelvis", {-5.2f - h, aLook.tailBottom, -3.4f}, {5.2f + h, 35.0f, 3.6f});
    }
    model.frames[static_cast<std::size_t>(body)].mesh = std::move(mesh);
    return model;
}

}  // namespace sample
