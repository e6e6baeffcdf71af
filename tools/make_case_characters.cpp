// Writes the people of the sample case and what they hold:
//
//   data/meshes/kestrin.lim1        the player, a detective in a trench coat
//   data/meshes/kestrin.lisv        his shadow volume cache
//   data/meshes/clerk.lim1          the desk clerk, a woman in a blouse and skirt
//   data/meshes/camera.lim1         the hand props the game names: the
//   data/meshes/cell-phone.lim1     photograph's camera, the cell phone, the
//   data/meshes/police-badge.lim1   police badge and the polaroid
//   data/meshes/polaroid.lim1
//   data/animations/*.lia1          every animation of tools/CaseAnimations.h
//
// Regenerate, from the repository root:
//
//   cmake --build build/release --target make_case_characters
//   build/release/tools/make_case_characters data
//
// The characters are tools/SampleCharacter.h's skeleton with looks of their
// own; the files are written by the engine's own writers and come out the
// same on every run.
//
// A hand prop is drawn at MatrixRotationY(-1.57) x MatrixRotationZ(-0.785) x
// MatrixTranslation(offset) x the world matrix of "Biped_R_Hand", with the
// offset (1.5, 0.5, 4.0) for the camera and the phone and (3.5, 1.5, 3.0)
// for the badge and the polaroid. Each prop's root frame undoes that fixed
// part and puts the prop where it belongs in this skeleton's hand, fitted to
// the held pose of its animation: the camera before the right eye, lens
// forward; the phone at the right ear, its screen to the cheek; the badge
// and the polaroid upright above the hand, their faces away from the holder.
// Each prop's front is its local -z, up its local y.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CaseAnimations.h"
#include "SampleCharacter.h"
#include "SampleClip.h"
#include "SampleModel.h"
#include "scene/VoDrawElement.h"
#include "scene/VoShadowVolumeCache.h"
#include "stdlib/VoMemoryStream.h"

namespace {

using namespace sample;

CharacterLook Kestrin() {
    CharacterLook look;
    look.coat = {0.47f, 0.36f, 0.22f, ""};  // a tan trench coat
    look.skin = {0.86f, 0.66f, 0.52f, ""};
    look.shoes = {0.12f, 0.08f, 0.05f, ""};
    look.features = {0.28f, 0.14f, 0.1f, ""};
    look.ownLegs = true;
    look.legs = {0.16f, 0.17f, 0.2f, ""};
    look.tail = true;
    look.tailBottom = 24.0f;
    look.hair = true;
    look.hairColour = {0.2f, 0.13f, 0.08f, ""};
    return look;
}

CharacterLook Clerk() {
    CharacterLook look;
    look.coat = {0.56f, 0.13f, 0.2f, ""};  // a burgundy blouse
    look.skin = {0.9f, 0.72f, 0.6f, ""};
    look.shoes = {0.08f, 0.05f, 0.05f, ""};
    look.features = {0.45f, 0.12f, 0.14f, ""};
    look.ownLegs = true;
    look.legs = {0.22f, 0.22f, 0.26f, ""};  // a slate skirt over dark stockings
    look.tail = true;
    look.tailBottom = 22.0f;
    look.skirtOfLegs = true;
    look.hair = true;
    look.hairColour = {0.55f, 0.32f, 0.12f, ""};
    look.longHair = true;
    look.chest = 7.0f;
    look.shoulder = 4.9f;
    look.hips = 4.8f;
    return look;
}

// ---- where the hand is in a pose ---------------------------------------------

// The frame's world matrix with the pose's turns on the bones (each bone
// turns about its rest place, as the draw element poses it).
VoMatrix PosedAbsolute(const Model& aModel, const BonePose& aPose, const std::string& aFrame) {
    std::vector<VoMatrix> absolute(aModel.frames.size());
    for (std::size_t i = 0; i < aModel.frames.size(); ++i) {
        const Frame& frame = aModel.frames[i];
        VoMatrix relative = frame.relative;
        for (const auto& turn : aPose) {
            if (Narrow(turn.first) == frame.name) {
                relative = RotationOf(turn.second);
                for (int c = 0; c < 3; ++c) {
                    relative.m[3][c] = frame.relative.m[3][c];
                }
            }
        }
        if (frame.parent >= 0) {
            MatrixMultiply(&absolute[i], &relative, &absolute[static_cast<std::size_t>(frame.parent)]);
        } else {
            absolute[i] = relative;
        }
    }
    return absolute[static_cast<std::size_t>(aModel.Find(aFrame))];
}

VoMatrix Placed(const Vec& aRight, const Vec& aUp, const Vec& aBack, const Vec& aAt) {
    VoMatrix m;
    MatrixIdentity(&m);
    const Vec rows[4] = {aRight, aUp, aBack, aAt};
    for (int r = 0; r < 4; ++r) {
        m.m[r][0] = rows[r].x;
        m.m[r][1] = rows[r].y;
        m.m[r][2] = rows[r].z;
    }
    return m;
}

// The middle of the hand's box (6 long from the wrist down its local -y).
Vec Palm(const VoMatrix& aHand) {
    VoMatrix palm;
    MatrixTranslation(&palm, 0.0f, -3.0f, -0.25f);
    VoMatrix placed;
    MatrixMultiply(&placed, &palm, &aHand);
    return {placed.m[3][0], placed.m[3][1], placed.m[3][2]};
}

// The prop's root transform: aWanted (where the prop should stand in the
// character's space in the pose whose hand matrix is aHand) with the
// game's fixed part for aOffset undone.
VoMatrix RootFor(const VoMatrix& aWanted, const VoMatrix& aHand, const Vec& aOffset) {
    VoMatrix toHand;
    VoMatrix handInverse;
    MatrixInverse(&handInverse, &aHand);
    MatrixMultiply(&toHand, &aWanted, &handInverse);
    VoMatrix ry;
    VoMatrix rz;
    VoMatrix t;
    MatrixRotationY(&ry, -1.57f);
    MatrixRotationZ(&rz, -0.785f);
    MatrixTranslation(&t, aOffset.x, aOffset.y, aOffset.z);
    VoMatrix yz;
    VoMatrix fixed;
    MatrixMultiply(&yz, &ry, &rz);
    MatrixMultiply(&fixed, &yz, &t);
    VoMatrix fixedInverse;
    MatrixInverse(&fixedInverse, &fixed);
    VoMatrix root;
    MatrixMultiply(&root, &toHand, &fixedInverse);
    return root;
}

// ---- the props ----------------------------------------------------------------

Model Prop(const std::string& aName, const VoMatrix& aRoot, std::unique_ptr<Mesh> aMesh) {
    Model model;
    const int root = model.AddPlaced(aName, -1, aRoot);
    aMesh->name = aName;
    model.frames[static_cast<std::size_t>(root)].mesh = std::move(aMesh);
    return model;
}

std::unique_ptr<Mesh> PropMesh(const std::vector<Material>& aMaterials) {
    auto mesh = std::make_unique<Mesh>();
    mesh->materials = aMaterials;
    mesh->subsets.resize(aMaterials.size());
    for (std::size_t i = 0; i < aMaterials.size(); ++i) {
        mesh->subsets[i].material = static_cast<int>(i);
    }
    return mesh;
}

std::unique_ptr<Mesh> CameraMesh() {
    auto mesh = PropMesh({{0.16f, 0.16f, 0.18f, "", 0.5f, 0.5f},   // body
                          {0.03f, 0.03f, 0.04f, "", 0.5f, 0.6f},   // lens
                          {0.85f, 0.85f, 0.8f, "", 0.5f, 0.3f}});  // flash and button
    mesh->AddBox(0, {-2.5f, -1.5f, -1.0f}, {2.5f, 1.5f, 1.0f});
    mesh->AddBox(1, {-0.8f, -0.8f, -2.0f}, {0.8f, 0.8f, -1.0f});
    mesh->AddBox(2, {1.3f, 0.6f, -1.1f}, {2.2f, 1.2f, -1.0f});
    mesh->AddBox(2, {-2.0f, 1.5f, -0.4f}, {-1.4f, 1.8f, 0.2f});
    return mesh;
}

std::unique_ptr<Mesh> PhoneMesh() {
    auto mesh = PropMesh({{0.08f, 0.08f, 0.1f, "", 0.5f, 0.5f},      // case
                          {0.2f, 0.35f, 0.45f, "", 0.5f, 0.6f}});   // screen
    mesh->AddBox(0, {-1.1f, -2.3f, -0.25f}, {1.1f, 2.3f, 0.25f});
    mesh->AddBox(1, {-0.9f, -1.6f, -0.3f}, {0.9f, 2.0f, -0.25f});
    return mesh;
}

std::unique_ptr<Mesh> BadgeMesh() {
    auto mesh = PropMesh({{0.2f, 0.11f, 0.06f, "", 0.5f, 0.2f},     // leather wallet
                          {0.85f, 0.68f, 0.25f, "", 0.5f, 0.7f}});  // the gilt badge
    mesh->AddBox(0, {-1.5f, -2.0f, -0.2f}, {1.5f, 2.0f, 0.2f});
    mesh->AddBox(1, {-0.9f, -0.3f, -0.35f}, {0.9f, 1.6f, -0.2f});
    mesh->AddBox(1, {-0.5f, -0.9f, -0.35f}, {0.5f, -0.3f, -0.2f});
    return mesh;
}

std::unique_ptr<Mesh> PolaroidMesh() {
    auto mesh = PropMesh({{0.93f, 0.92f, 0.88f, "", 0.5f, 0.1f},    // the white card
                          {0.25f, 0.3f, 0.38f, "", 0.5f, 0.1f},     // the picture
                          {0.62f, 0.45f, 0.3f, "", 0.5f, 0.1f}});   // a figure in it
    mesh->AddBox(0, {-1.75f, -2.1f, -0.05f}, {1.75f, 2.1f, 0.05f});
    mesh->AddBox(1, {-1.5f, -1.1f, -0.08f}, {1.5f, 1.9f, -0.05f});
    mesh->AddBox(2, {-0.4f, -1.1f, -0.1f}, {0.4f, 0.9f, -0.08f});
    return mesh;
}

// ---- output -------------------------------------------------------------------

// The shadow volumes the engine builds for the model, in the cache's form.
Bytes ShadowCache(const Bytes& aModel) {
    VoMemoryStream in(static_cast<std::int32_t>(aModel.size()), VoMemoryStream::kGrowDouble);
    in.Write(static_cast<std::uint32_t>(aModel.size()), aModel.data());
    in.SetPosition(0);
    VoDrawElement element;
    if (!element.Read(&in)) {
        std::fprintf(stderr, "the engine could not read the model back\n");
        return {};
    }
    VoShadowVolumeCache cache(&element);
    VoMemoryStream out(1024, VoMemoryStream::kGrowDouble);
    if (!cache.Build() || !cache.Write(&out)) {
        std::fprintf(stderr, "the engine could not build the shadow volumes\n");
        return {};
    }
    return Bytes(out.GetBuffer(), out.GetBuffer() + out.GetPosition());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string data = argc > 1 ? argv[1] : "data";
    const std::string meshes = data + "/meshes/";
    const Model kestrin = Character(Kestrin());
    const Bytes kestrinBytes = Serialised(kestrin);
    bool saved = Save(meshes + "kestrin.lim1", kestrinBytes);
    saved = Save(meshes + "kestrin.lisv", ShadowCache(kestrinBytes)) && saved;
    saved = Save(meshes + "clerk.lim1", Serialised(Character(Clerk()))) && saved;

    // The props, fitted to the player's hand. The eyes stand 67.5 high, 3.5
    // before the head's centre; the right ear at x -3.
    const Vec right{1, 0, 0};
    const Vec up{0, 1, 0};
    const Vec back{0, 0, 1};
    const VoMatrix cameraHand = PosedAbsolute(kestrin, CameraHoldPose(), "Biped_R_Hand");
    const VoMatrix camera = Placed(right, up, back, {-1.4f, 66.6f, -7.6f});
    const VoMatrix phoneHand = PosedAbsolute(kestrin, PhoneHoldPose(), "Biped_R_Hand");
    // Long side from the mouth up to the ear, screen to the cheek.
    const VoMatrix phone = Placed({0, -0.6f, 0.8f}, {0, 0.8f, 0.6f}, {-1, 0, 0}, {-3.6f, 65.6f, -1.2f});
    const VoMatrix showHand = PosedAbsolute(kestrin, ShowHoldPose(), "Biped_R_Hand");
    const Vec held = Palm(showHand);
    const VoMatrix badge = Placed(right, up, back, {held.x, held.y + 2.2f, held.z - 1.0f});
    const VoMatrix photo = Placed(right, up, back, {held.x, held.y + 2.4f, held.z - 1.0f});

    const Vec near{1.5f, 0.5f, 4.0f};
    const Vec far{3.5f, 1.5f, 3.0f};
    saved = Save(meshes + "camera.lim1", Serialised(Prop("Camera", RootFor(camera, cameraHand, near), CameraMesh()))) &&
            saved;
    saved = Save(meshes + "cell-phone.lim1",
                 Serialised(Prop("Cell_Phone", RootFor(phone, phoneHand, near), PhoneMesh()))) &&
            saved;
    saved = Save(meshes + "police-badge.lim1",
                 Serialised(Prop("Police_Badge", RootFor(badge, showHand, far), BadgeMesh()))) &&
            saved;
    saved = Save(meshes + "polaroid.lim1",
                 Serialised(Prop("Polaroid", RootFor(photo, showHand, far), PolaroidMesh()))) &&
            saved;

    for (const NamedClip& entry : CaseAnimations()) {
        saved = Save(data + "/animations/" + entry.file, Written(entry.clip, false)) && saved;
    }
    return saved ? 0 : 1;
}
