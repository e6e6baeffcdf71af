#include "scene/VoDrawElement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationTrack.h"
#include "container/VoVector.h"
#include "scene/VoFrame.h"
#include "scene/VoIUpdateHook.h"
#include "scene/VoMesh.h"
#include "scene/VoSkinMesh.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"
#include "support/SetTimer.h"
#include "support/TestText.h"

namespace {

using Names = std::vector<std::string>;

constexpr float kHalf = 0.70710678f;  // cos 45 degrees = sin 45 degrees
constexpr float kPi = 3.14159265f;

class CountingHook : public VoIUpdateHook {
public:
    explicit CountingHook(int* apCount) : fpCount(apCount) {}
    bool Update() override {
        ++*fpCount;
        return true;
    }
    int* fpCount;
};

VoFrame* NewFrame(const char16_t* apName, VoMesh* apMesh = nullptr) {
    auto* frame = new VoFrame();
    frame->SetName(VoString(apName));
    if (apMesh != nullptr) {
        frame->SetMesh(apMesh);
    }
    return frame;
}

// A static mesh of one vertex and no subsets, named for the draw order.
VoMesh* NamedMesh(const char16_t* apName) {
    auto* mesh = new VoMesh();
    mesh->SetName(VoString(apName));
    mesh->SetVertexBuffer(MeshVertices({{0, 0, 0, 0, 1, 0, 0, 0}}));
    return mesh;
}

Names FrameNames(const VoDrawElement& aElement) {
    Names names;
    for (int i = 0; i < aElement.GetFrameCount(); ++i) {
        names.push_back(Narrow(aElement.GetFrame(i)->GetName()));
    }
    return names;
}

VoQuaternion AboutZ(float aRadians) {
    return VoQuaternion(0.0f, 0.0f, std::sin(aRadians / 2), std::cos(aRadians / 2));
}

VoQuaternion AboutY(float aRadians) {
    return VoQuaternion(0.0f, std::sin(aRadians / 2), 0.0f, std::cos(aRadians / 2));
}

// Biped > (Arm > Hand, Leg): the frames of a small skeleton.
class VoDrawElementTest : public ::testing::Test {
protected:
    void SetUp() override {
        VoFrame* root = NewFrame(u"Biped");
        VoFrame* arm = NewFrame(u"Arm");
        root->AddChild(arm);
        arm->AddChild(NewFrame(u"Hand"));
        root->AddChild(NewFrame(u"Leg"));
        ASSERT_TRUE(fElement.SetRootFrame(root));
    }

    VoFrame* Frame(const char16_t* apName) { return fElement.FindFrame(VoString(apName), false); }

    // An animation of aFrames frames, held by the test, with one track per
    // name holding rotation and position keys.
    VoAnimation* Animation(int aFrames, const std::vector<const char16_t*>& aTracks) {
        fAnimations.push_back(std::make_unique<VoAnimation>());
        VoAnimation* animation = fAnimations.back().get();
        EXPECT_TRUE(animation->Create(VoString(u"anim"), static_cast<std::int32_t>(aTracks.size()), aFrames));
        for (std::size_t i = 0; i < aTracks.size(); ++i) {
            EXPECT_TRUE(animation->GetTrack(static_cast<std::int64_t>(i))
                            ->Create(VoString(aTracks[i]), aFrames, false, true, true));
        }
        return animation;
    }
    VoAnimationTrack* Track(VoAnimation* apAnimation, int aIndex) { return apAnimation->GetTrack(aIndex); }

    VoAnimationCtrl* Ctrl() {
        if (fElement.GetAnimationCtrl() == nullptr) {
            fElement.SetAnimationCtrl(new VoAnimationCtrl(&fTimer));
        }
        return fElement.GetAnimationCtrl();
    }

    SetTimer fTimer;
    std::vector<std::unique_ptr<VoAnimation>> fAnimations;
    VoDrawElement fElement;
};

}  // namespace

TEST(VoFrame, UpdateTransformsPlacesTheTreeUnderAnIdentityRoot) {
    VoFrame root;
    VoFrame arm;
    VoFrame leg;
    VoFrame hand;
    root.AddChild(&arm);
    root.AddChild(&leg);
    arm.AddChild(&hand);
    root.SetRelativeMatrix(Translation(100, 0, 0));
    arm.SetRelativeMatrix(Translation(1, 0, 0));
    leg.SetRelativeMatrix(Translation(0, -1, 0));
    hand.SetRelativeMatrix(Translation(0, 0, 2));
    ASSERT_TRUE(root.UpdateTransforms(nullptr));
    EXPECT_TRUE(MatrixNear(root.GetAbsoluteMatrix(), Identity(), 0.0f));
    EXPECT_TRUE(MatrixNear(arm.GetAbsoluteMatrix(), Translation(1, 0, 0), 0.0f));
    EXPECT_TRUE(MatrixNear(leg.GetAbsoluteMatrix(), Translation(0, -1, 0), 0.0f));
    EXPECT_TRUE(MatrixNear(hand.GetAbsoluteMatrix(), Translation(1, 0, 2), 0.0f));
    EXPECT_EQ(hand.GetRoot(), &root);
}

// A quarter turn about z, then a step of 1 along x: the child's frame in its
// parent's. Under a parent moved 10 along x the child's x axis points along
// the parent's y and its origin sits at (11, 0, 0); multiplied the other way
// round it would sit at (1, 10, 0).
VoMatrix TurnedAndStepped() {
    VoMatrix turned = Identity();
    turned.m[0][0] = 0.0f;
    turned.m[0][1] = 1.0f;
    turned.m[1][0] = -1.0f;
    turned.m[1][1] = 0.0f;
    turned.m[3][0] = 1.0f;
    return turned;
}

VoMatrix TurnedUnderTheParent() {
    VoMatrix expected = TurnedAndStepped();
    expected.m[3][0] = 11.0f;
    return expected;
}

TEST(VoFrame, ARotatedChildTurnsAboutItsOwnOriginUnderATranslatedParent) {
    VoFrame root;
    VoFrame arm;
    VoFrame hand;
    root.AddChild(&arm);
    arm.AddChild(&hand);
    arm.SetRelativeMatrix(Translation(10, 0, 0));
    hand.SetRelativeMatrix(TurnedAndStepped());
    ASSERT_TRUE(root.UpdateTransforms(nullptr));
    EXPECT_TRUE(MatrixNear(hand.GetAbsoluteMatrix(), TurnedUnderTheParent(), 1e-6f));
}

TEST(VoFrame, WalksGoFrameThenChildrenThenSiblings) {
    LogCapture log;
    std::unique_ptr<VoFrame> frames[5];
    const char16_t* names[] = {u"a", u"b", u"c", u"d", u"e"};
    for (int i = 0; i < 5; ++i) {
        frames[i].reset(NewFrame(names[i]));
    }
    // a > (b > d, c); a's sibling e.
    frames[0]->SetFirstChild(frames[1].get());
    frames[1]->SetNextSibling(frames[2].get());
    frames[1]->SetFirstChild(frames[3].get());
    frames[0]->SetNextSibling(frames[4].get());
    frames[0]->SetParents(nullptr);
    EXPECT_EQ(frames[3]->GetParent(), frames[1].get());
    EXPECT_EQ(frames[2]->GetParent(), frames[0].get());
    EXPECT_EQ(frames[4]->GetParent(), nullptr);

    VoVector collected(10, 10);
    ASSERT_TRUE(frames[0]->CollectFrames(&collected));
    Names order;
    for (int i = 0; i < collected.GetCount(); ++i) {
        order.push_back(Narrow(static_cast<VoFrame*>(collected.GetAt(i))->GetName()));
    }
    EXPECT_EQ(order, (Names{"a", "b", "d", "c", "e"}));
    EXPECT_FALSE(frames[0]->CollectFrames(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoFrame::kNullArg));

    EXPECT_EQ(frames[0]->FindFrame(VoString(u"e")), frames[4].get());
    EXPECT_EQ(frames[0]->FindFrame(VoString(u"D")), nullptr);
    EXPECT_EQ(frames[1]->FindFrame(VoString(u"a")), nullptr);
    EXPECT_EQ(frames[2]->GetFrameId(), VoAnimationTrack::HashOf(VoString(u"c")));

    EXPECT_FALSE(frames[0]->Update());
    EXPECT_TRUE(log.Logged("ERROR: ", VoFrame::kUpdateNYI));
}

TEST(VoFrame, ASkinnedMeshIsDrawnInWorldSpaceAndAnyOtherAtTheFrame) {
    RecordingEngine engine;
    RecordingRasterizer* rasterizer = engine.Rasterizer();
    VoFrame bare;
    VoFrame placed;
    VoFrame skinned;
    placed.SetAbsoluteMatrix(Translation(1, 2, 3));
    skinned.SetAbsoluteMatrix(Translation(4, 5, 6));
    placed.SetMesh(NamedMesh(u"static"));
    auto* skin = new VoSkinMesh();
    skin->SetVertexBuffer(MeshVertices({{0, 0, 0, 0, 1, 0, 0, 0}}));
    skinned.SetMesh(skin);
    EXPECT_EQ(skin->GetOwnerFrame(), &skinned);

    rasterizer->ClearCalls();
    EXPECT_TRUE(bare.Render());
    EXPECT_TRUE(rasterizer->Calls().empty());
    EXPECT_TRUE(placed.Render());
    EXPECT_TRUE(skinned.Render());
    EXPECT_EQ(rasterizer->Texts("SetTransform"), (Names{"SetTransform(0)", "SetTransform(0)"}));
    EXPECT_EQ(rasterizer->Count("SetVertexBuffer"), 2);
    std::vector<const RasterizerCall*> worlds;
    for (const RasterizerCall& call : rasterizer->Calls()) {
        if (call.name == "SetTransform") {
            worlds.push_back(&call);
        }
    }
    EXPECT_TRUE(MatrixNear(worlds[0]->matrix, Translation(1, 2, 3), 0.0f));
    EXPECT_TRUE(MatrixNear(worlds[1]->matrix, Identity(), 0.0f));

    LogCapture log;
    engine.ShutDown();
    EXPECT_TRUE(placed.Render());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoFrame::kNoRasterizer));
}

TEST_F(VoDrawElementTest, FramesAreListedInPreOrderAndFoundByNameOrHash) {
    EXPECT_EQ(FrameNames(fElement), (Names{"Biped", "Arm", "Hand", "Leg"}));
    EXPECT_EQ(fElement.GetRootFrame(), fElement.GetFrame(0));
    EXPECT_EQ(fElement.GetFrame(4), nullptr);
    EXPECT_EQ(fElement.GetFrame(-1), nullptr);
    EXPECT_EQ(Frame(u"Hand")->GetParent(), Frame(u"Arm"));
    EXPECT_EQ(fElement.FindFrame(VoString(u"hand"), false), nullptr);
    EXPECT_EQ(fElement.FindFrame(VoString(u"hand"), true), Frame(u"Hand"));
    EXPECT_EQ(fElement.FindFrameIndex(VoString(u"LEG"), true), 3);
    EXPECT_EQ(fElement.FindFrameIndex(VoString(u"Tail"), true), -1);
    EXPECT_EQ(fElement.FindFrameByHash(VoAnimationTrack::GetBipedHash()), fElement.GetRootFrame());
    EXPECT_EQ(fElement.FindFrameByNameHash(VoString(u"Arm")), Frame(u"Arm"));
    EXPECT_EQ(fElement.FindFrameByNameHash(VoString(u"arm")), nullptr);
}

TEST_F(VoDrawElementTest, TheMeshListFollowsTheFrameList) {
    LogCapture log;
    VoDrawElement empty;
    int count = -1;
    VoMesh** meshes = nullptr;
    EXPECT_FALSE(empty.GetMeshes(&count, &meshes));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoDrawElement::kFramesUndefined));

    Frame(u"Leg")->SetMesh(NamedMesh(u"leg"));
    Frame(u"Arm")->SetMesh(NamedMesh(u"arm"));
    ASSERT_TRUE(fElement.GetMeshes(&count, &meshes));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(meshes[0], Frame(u"Arm")->GetMesh());
    EXPECT_EQ(meshes[1], Frame(u"Leg")->GetMesh());
    delete[] meshes;
    EXPECT_EQ(fElement.GetMeshCount(), 0);
    ASSERT_TRUE(fElement.BuildMeshList());
    EXPECT_EQ(fElement.GetMeshCount(), 2);
    EXPECT_EQ(fElement.GetMesh(1), Frame(u"Leg")->GetMesh());
    EXPECT_EQ(fElement.GetMesh(2), nullptr);
}

TEST_F(VoDrawElementTest, BothRenderModesDrawTheSameFramesInTheSameOrder) {
    RecordingEngine engine;
    RecordingRasterizer* rasterizer = engine.Rasterizer();
    Frame(u"Hand")->SetMesh(NamedMesh(u"hand"));
    Frame(u"Biped")->SetMesh(NamedMesh(u"biped"));
    Frame(u"Leg")->SetMesh(NamedMesh(u"leg"));
    Frame(u"Biped")->SetAbsoluteMatrix(Translation(1, 0, 0));
    Frame(u"Hand")->SetAbsoluteMatrix(Translation(2, 0, 0));
    Frame(u"Leg")->SetAbsoluteMatrix(Translation(3, 0, 0));
    std::vector<std::vector<float>> orders;
    for (std::int32_t mode : {VoDrawElement::kRenderList, VoDrawElement::kRenderTree}) {
        fElement.SetRenderMode(mode);
        rasterizer->ClearCalls();
        EXPECT_TRUE(fElement.Render());
        std::vector<float> order;
        for (const RasterizerCall& call : rasterizer->Calls()) {
            if (call.name == "SetTransform") {
                order.push_back(call.matrix.m[3][0]);
            }
        }
        orders.push_back(order);
    }
    EXPECT_EQ(orders[0], (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(orders[1], orders[0]);
}

TEST_F(VoDrawElementTest, TagGroupsComeFromWLettersUnderscoreNames) {
    VoFrame* root = NewFrame(u"WGS_head");
    for (const char16_t* name :
         {u"W_x", u"Wx", u"WNCR_arm", u"Wgs_low", u"WG1_x", u"W", u"WGG_twice", u"XG_no"}) {
        root->AddChild(NewFrame(name));
    }
    ASSERT_TRUE(fElement.SetRootFrame(root));
    ASSERT_TRUE(fElement.BuildTagGroups());
    const Names expected[VoDrawElement::kTagGroupCount] = {
        {"WGS_head", "WGG_twice"}, {"WNCR_arm"}, {"WNCR_arm"}, {"WGS_head"}, {"WNCR_arm"}};
    for (int group = 0; group < VoDrawElement::kTagGroupCount; ++group) {
        Names names;
        for (int i = 0; i < fElement.GetTagGroupCount(group); ++i) {
            names.push_back(Narrow(fElement.GetTagGroupFrame(group, i)->GetName()));
        }
        EXPECT_EQ(names, expected[group]) << "group " << group;
    }
    EXPECT_EQ(fElement.GetTagGroupCount(5), 0);
    EXPECT_EQ(fElement.GetTagGroupFrame(0, 2), nullptr);
    EXPECT_EQ(fElement.GetTagGroupFrame(-1, 0), nullptr);
}

TEST_F(VoDrawElementTest, WithoutAControllerUpdateOnlyPlacesTheFrames) {
    Frame(u"Biped")->SetRelativeMatrix(Translation(0, 1, 0));
    Frame(u"Arm")->SetRelativeMatrix(Translation(2, 0, 0));
    Frame(u"Hand")->SetRelativeMatrix(Translation(0, 0, 3));
    Frame(u"Leg")->SetRelativeMatrix(Translation(0, -1, 0));
    Frame(u"Arm")->SetFileMatrix(Translation(50, 50, 50));
    const VoMatrix parent = Translation(10, 0, 0);
    ASSERT_TRUE(fElement.Update(&parent));
    EXPECT_TRUE(MatrixNear(Frame(u"Biped")->GetAbsoluteMatrix(), Translation(10, 1, 0), 0.0f));
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetAbsoluteMatrix(), Translation(12, 1, 0), 0.0f));
    EXPECT_TRUE(MatrixNear(Frame(u"Hand")->GetAbsoluteMatrix(), Translation(12, 1, 3), 0.0f));
    EXPECT_TRUE(MatrixNear(Frame(u"Leg")->GetAbsoluteMatrix(), Translation(10, 0, 0), 0.0f));
    // No animation: the relative matrices stand.
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetRelativeMatrix(), Translation(2, 0, 0), 0.0f));
    ASSERT_TRUE(fElement.Update(nullptr));
    EXPECT_TRUE(MatrixNear(Frame(u"Hand")->GetAbsoluteMatrix(), Translation(2, 1, 3), 0.0f));
}

TEST_F(VoDrawElementTest, ARotatedFrameTurnsAboutItsOwnOriginUnderATranslatedOne) {
    Frame(u"Arm")->SetRelativeMatrix(TurnedAndStepped());
    const VoMatrix parent = Translation(10, 0, 0);
    ASSERT_TRUE(fElement.Update(&parent));
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetAbsoluteMatrix(), TurnedUnderTheParent(), 1e-6f));
    // Its child goes with it: a step along the child's y is one along -x.
    Frame(u"Hand")->SetRelativeMatrix(Translation(0, 2, 0));
    ASSERT_TRUE(fElement.Update(&parent));
    VoMatrix hand = TurnedUnderTheParent();
    hand.m[3][0] = 9.0f;
    EXPECT_TRUE(MatrixNear(Frame(u"Hand")->GetAbsoluteMatrix(), hand, 1e-6f));
}

TEST_F(VoDrawElementTest, TheHookRunsAfterEachControllerAdvance) {
    LogCapture log;
    EXPECT_FALSE(fElement.SetUpdateHook(nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoDrawElement::kNullArg));
    int calls = 0;
    ASSERT_TRUE(fElement.SetUpdateHook(new CountingHook(&calls)));
    fElement.Update(nullptr);
    EXPECT_EQ(calls, 0);
    VoAnimation* walk = Animation(30, {u"Arm"});
    Ctrl()->SetAnimation(walk, false, 1.0f, 0.0f, VoAnimationSlot::kLoop, 1.0f);
    fTimer.fNow = 0.5;
    fElement.Update(nullptr);
    fElement.Update(nullptr);
    EXPECT_EQ(calls, 2);
    EXPECT_FLOAT_EQ(Ctrl()->GetSlot(0)->GetTime(), 0.5f);
}

TEST_F(VoDrawElementTest, SlotsPoseATwoFrameSkeletonAsWorkedOutByHand) {
    // Biped: scale 2, at (3, 0, 0); Arm one unit along x under it.
    VoMatrix bipedFile;
    MatrixScaling(&bipedFile, 2, 2, 2);
    bipedFile.m[3][0] = 3.0f;
    Frame(u"Biped")->SetFileMatrix(bipedFile);
    Frame(u"Arm")->SetFileMatrix(Translation(1, 0, 0));

    // Primary at key 1: Biped a quarter turn about y, moved to (0, 5, 0);
    // Arm a quarter turn about z, its position key ignored.
    VoAnimation* primary = Animation(3, {u"Biped", u"Arm"});
    Track(primary, 0)->GetRotationKeys()[1] = AboutY(kPi / 2);
    Track(primary, 0)->GetPositionKeys()[1] = VoVector3(0, 5, 0);
    Track(primary, 1)->GetRotationKeys()[1] = AboutZ(kPi / 2);
    Track(primary, 1)->GetPositionKeys()[1] = VoVector3(9, 9, 9);
    // A layer at weight 0.5 pulling both back to no turn, Biped towards (0, 1, 0).
    VoAnimation* layer = Animation(3, {u"Biped", u"Arm"});
    Track(layer, 0)->GetPositionKeys()[1] = VoVector3(0, 1, 0);

    VoAnimationCtrl* ctrl = Ctrl();
    ctrl->SetSlot(primary, 0, 1.0f, 0.0f, VoAnimationSlot::kHoldTime);
    ctrl->GetSlot(0)->SetTime(0.04f, true);  // key trunc(1.2) = 1
    ctrl->SetSlot(layer, 1, 0.5f, 0.0f, VoAnimationSlot::kHoldTime);
    ctrl->GetSlot(1)->SetTime(0.04f, true);
    const VoMatrix parent = Translation(10, 0, 0);
    ASSERT_TRUE(fElement.Update(&parent));

    // Biped: half of the quarter turn about y (45 degrees), scale 2 kept, at (0, 3, 0).
    const VoMatrix biped(2 * kHalf, 0, -2 * kHalf, 0,  //
                         0, 2, 0, 0,                   //
                         2 * kHalf, 0, 2 * kHalf, 0,   //
                         0, 3, 0, 1);
    // Arm: 45 degrees about z, still at (1, 0, 0).
    const VoMatrix arm(kHalf, kHalf, 0, 0,   //
                       -kHalf, kHalf, 0, 0,  //
                       0, 0, 1, 0,           //
                       1, 0, 0, 1);
    EXPECT_TRUE(MatrixNear(Frame(u"Biped")->GetRelativeMatrix(), biped));
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetRelativeMatrix(), arm));
    // Placed: the arm's origin is (1, 0, 0) through the Biped, then the parent.
    const VoMatrix& armWorld = Frame(u"Arm")->GetAbsoluteMatrix();
    EXPECT_NEAR(armWorld.m[3][0], 10 + 2 * kHalf, 1e-5f);
    EXPECT_NEAR(armWorld.m[3][1], 3, 1e-5f);
    EXPECT_NEAR(armWorld.m[3][2], -2 * kHalf, 1e-5f);
    // Untouched frames are back at their file matrices.
    EXPECT_TRUE(MatrixNear(Frame(u"Leg")->GetRelativeMatrix(), Identity(), 0.0f));

    // The primary alone replaces the rotation outright.
    ctrl->RemoveAnimation(layer);
    fElement.ApplyAnimations();
    const VoMatrix quarter(0, 0, -2, 0, 0, 2, 0, 0, 2, 0, 0, 0, 0, 5, 0, 1);
    EXPECT_TRUE(MatrixNear(Frame(u"Biped")->GetRelativeMatrix(), quarter));
}

TEST_F(VoDrawElementTest, ALayerMovesThePoseByItsWeight) {
    // The primary turns Biped a quarter about y and moves it to (0, 5, 0);
    // the layer pulls back to no turn at (0, 1, 0).
    VoAnimation* primary = Animation(3, {u"Biped"});
    Track(primary, 0)->GetRotationKeys()[1] = AboutY(kPi / 2);
    Track(primary, 0)->GetPositionKeys()[1] = VoVector3(0, 5, 0);
    VoAnimation* layer = Animation(3, {u"Biped"});
    Track(layer, 0)->GetPositionKeys()[1] = VoVector3(0, 1, 0);
    struct Case {
        float fWeight;
        float fHeight;
        float fDegrees;
    };
    const Case cases[] = {
        {0.25f, 4.0f, 67.5f}, {0.75f, 2.0f, 22.5f}, {1.0f, 1.0f, 0.0f}, {0.0f, 5.0f, 90.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fWeight);
        VoAnimationCtrl* ctrl = Ctrl();
        ctrl->SetSlot(primary, 0, 1.0f, 0.0f, VoAnimationSlot::kHoldTime);
        ctrl->GetSlot(0)->SetTime(0.04f, true);
        ctrl->SetSlot(layer, 1, c.fWeight, 0.0f, VoAnimationSlot::kHoldTime);
        ctrl->GetSlot(1)->SetTime(0.04f, true);
        ASSERT_TRUE(fElement.Update(nullptr));
        const float angle = c.fDegrees * kPi / 180.0f;
        const VoMatrix expected(std::cos(angle), 0, -std::sin(angle), 0,  //
                                0, 1, 0, 0,                               //
                                std::sin(angle), 0, std::cos(angle), 0,   //
                                0, c.fHeight, 0, 1);
        EXPECT_TRUE(MatrixNear(Frame(u"Biped")->GetRelativeMatrix(), expected));
    }
}

TEST_F(VoDrawElementTest, TheLastKeyEndsANonLoopingSlotAndIsShown) {
    // 31 keys, key i a turn of i degrees about z.
    VoAnimation* wave = Animation(31, {u"Arm"});
    for (int i = 0; i < 31; ++i) {
        Track(wave, 0)->GetRotationKeys()[i] = AboutZ(static_cast<float>(i) * kPi / 180.0f);
    }
    VoAnimationCtrl* ctrl = Ctrl();
    ctrl->SetSlot(wave, 0, 1.0f, 0.0f, 0);
    VoAnimationSlot* slot = ctrl->GetSlot(0);
    slot->SetTime(0.9f, true);
    slot->SetTime(1.0f, false);
    fElement.ApplyAnimations();
    EXPECT_EQ(slot->fEnded, 1);
    EXPECT_FLOAT_EQ(slot->GetTime(), 0.9f);
    EXPECT_NE(slot->fFlags & VoAnimationSlot::kHoldTime, 0u);
    VoMatrix expected;
    MatrixRotationZ(&expected, 30.0f * kPi / 180.0f);
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetRelativeMatrix(), expected));
}

TEST_F(VoDrawElementTest, WhatAnAnimationLacksLeavesTheFileMatrix) {
    Frame(u"Biped")->SetFileMatrix(Translation(0, 7, 0));
    Frame(u"Arm")->SetFileMatrix(Translation(1, 0, 0));
    Frame(u"Arm")->SetRelativeMatrix(Translation(8, 8, 8));
    // No frames: never sampled.
    VoAnimation* empty = Animation(0, {u"Arm"});
    // Keys only for what the track holds: Biped has positions but no rotations.
    VoAnimation* partial = Animation(2, {});
    ASSERT_TRUE(partial->Create(VoString(u"partial"), 2, 2));
    Track(partial, 0)->Create(VoString(u"Biped"), 2, false, false, true);
    Track(partial, 0)->GetPositionKeys()[0] = VoVector3(0, 2, 0);
    Track(partial, 1)->Create(VoString(u"Tail"), 2, false, true, true);
    Track(partial, 1)->GetRotationKeys()[0] = AboutZ(1.0f);

    VoAnimationCtrl* ctrl = Ctrl();
    ctrl->SetSlot(empty, 0, 1.0f, 0.0f, VoAnimationSlot::kHoldTime);
    fElement.ApplyAnimations();
    EXPECT_EQ(ctrl->GetSlot(0)->fEnded, 0);
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetRelativeMatrix(), Translation(1, 0, 0), 0.0f));

    ctrl->SetSlot(partial, 0, 1.0f, 0.0f, VoAnimationSlot::kHoldTime);
    fElement.ApplyAnimations();
    EXPECT_TRUE(MatrixNear(Frame(u"Biped")->GetRelativeMatrix(), Translation(0, 2, 0), 0.0f));
    EXPECT_TRUE(MatrixNear(Frame(u"Arm")->GetRelativeMatrix(), Translation(1, 0, 0), 0.0f));
}
