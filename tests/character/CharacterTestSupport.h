#pragma once
// What the character, lip-sync and gesture tests share: a timer the test
// sets, a small skinned model built in code, animations made in code, and
// raw animation files for the folders the loaders read.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationTrack.h"
#include "scene/VoBone.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoSkinMesh.h"
#include "support/AnimationFiles.h"
#include "support/SetTimer.h"
#include "support/ShadowTestSupport.h"

inline VoQuaternion AboutX(float aRadians) {
    return VoQuaternion(std::sin(aRadians / 2), 0.0f, 0.0f, std::cos(aRadians / 2));
}

inline VoQuaternion AboutY(float aRadians) {
    return VoQuaternion(0.0f, std::sin(aRadians / 2), 0.0f, std::cos(aRadians / 2));
}

// Rotation about x by aRadians, then the translation.
inline VoMatrix TurnedAboutX(float aRadians, float aX, float aY, float aZ) {
    VoMatrix matrix;
    MatrixRotationX(&matrix, aRadians);
    matrix.m[3][0] = aX;
    matrix.m[3][1] = aY;
    matrix.m[3][2] = aZ;
    return matrix;
}

// A new frame of that name moved to (x, y, z), in its file and relative
// matrices.
inline VoFrame* PlacedFrame(const char16_t* apName, float aX, float aY, float aZ) {
    auto* frame = new VoFrame();
    frame->SetName(VoString(apName));
    VoMatrix place;
    MatrixTranslation(&place, aX, aY, aZ);
    frame->SetFileMatrix(place);
    frame->SetRelativeMatrix(place);
    return frame;
}

// The model "Model" > ("Body" carrying the skinned cube, "Biped" > "Head"
// > "Jaw"): Biped 10 units up, Head 5 above it, Jaw 1 below and 1 in front
// of the head. One bone on "Biped" moves every vertex of the cube; the
// skin is prepared.
inline VoDrawElement* SkinnedModel() {
    auto* mesh = new VoSkinMesh();
    CubeMesh(mesh);
    EXPECT_TRUE(mesh->CreateBones(1));
    std::vector<std::uint32_t> vertices;
    std::vector<float> weights;
    for (std::uint32_t i = 0; i < 24; ++i) {
        vertices.push_back(i);
        weights.push_back(1.0f);
    }
    VoBone* bone = mesh->GetBone(0);
    bone->SetName(VoString(u"Biped"));
    EXPECT_TRUE(bone->SetInfluences(24, vertices.data(), weights.data()));
    VoMatrix offset;
    MatrixTranslation(&offset, 0, -10, 0);
    bone->SetOffsetMatrix(offset);
    EXPECT_TRUE(mesh->PrepareSkin());

    auto frame = PlacedFrame;
    VoFrame* root = frame(u"Model", 0, 0, 0);
    VoFrame* body = frame(u"Body", 0, 0, 0);
    body->SetMesh(mesh);
    root->AddChild(body);
    VoFrame* biped = frame(u"Biped", 0, 10, 0);
    root->AddChild(biped);
    VoFrame* head = frame(u"Head", 0, 5, 0);
    biped->AddChild(head);
    head->AddChild(frame(u"Jaw", 0, -1, -1));
    auto* element = new VoDrawElement();
    element->SetRootFrame(root);
    element->Update(nullptr);
    return element;
}

// An animation named aName of aFrames frames with one track per name, each
// holding rotation and position keys (identity rotations, zero positions).
inline VoAnimation* MadeAnimation(const char16_t* apName, int aFrames,
                                  const std::vector<const char16_t*>& aTracks) {
    auto* animation = new VoAnimation();
    EXPECT_TRUE(animation->Create(VoString(apName), static_cast<std::int32_t>(aTracks.size()), aFrames));
    for (std::size_t i = 0; i < aTracks.size(); ++i) {
        EXPECT_TRUE(animation->GetTrack(static_cast<std::int64_t>(i))
                        ->Create(VoString(aTracks[i]), aFrames, false, true, true));
    }
    return animation;
}

// A raw animation file of aFrames frames with one track "Biped" whose keys
// turn it about y by 0.1 radian per frame, standing at (0, 10, 0).
inline Bytes RawAnimationFile(std::uint32_t aFrames) {
    Bytes bytes;
    Field field(bytes);
    field.Chars("LIA\0\0\0\0\0", 8).U32s({0, 1, aFrames}).RawName("Biped").U32(0);
    for (std::uint32_t k = 0; k < aFrames; ++k) {
        const VoQuaternion q = AboutY(0.1f * static_cast<float>(k));
        field.Floats({1, 1, 1, q.x, q.y, q.z, q.w, 0, 10, 0});
    }
    return bytes;
}

// The same in the serialised form, named aName.
inline Bytes SerialisedAnimationFile(const std::u16string& aName, std::uint32_t aFrames) {
    Bytes bytes;
    Field field(bytes);
    field.Text(aName).U32s({1, aFrames}).Text(u"Biped").U32(NameHash(u"Biped")).U32(aFrames);
    field.Byte(0).Byte(1);
    for (std::uint32_t k = 0; k < aFrames; ++k) {
        const VoQuaternion q = AboutY(0.1f * static_cast<float>(k));
        field.Floats({q.x, q.y, q.z, q.w});
    }
    field.Byte(1);
    for (std::uint32_t k = 0; k < aFrames; ++k) {
        field.Floats({0, 10, 0});
    }
    return bytes;
}

inline std::string AsText(const Bytes& aBytes) {
    return std::string(aBytes.begin(), aBytes.end());
}
