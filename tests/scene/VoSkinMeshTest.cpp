#include "scene/VoSkinMesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "scene/VoBone.h"
#include "scene/VoFrame.h"
#include "support/LogCapture.h"
#include "support/SceneTestSupport.h"

namespace {

// The position and normal of a vertex of a format-5 buffer.
std::vector<float> VertexOf(VoVertexBuffer* apBuffer, int aIndex) {
    const float* vertex = static_cast<const float*>(apBuffer->GetVertex(aIndex));
    return std::vector<float>(vertex, vertex + 6);
}

void ExpectVertexNear(VoVertexBuffer* apBuffer, int aIndex, const std::vector<float>& aExpected) {
    const std::vector<float> actual = VertexOf(apBuffer, aIndex);
    for (std::size_t i = 0; i < aExpected.size(); ++i) {
        EXPECT_NEAR(actual[i], aExpected[i], 1e-5f) << "vertex " << aIndex << " value " << i;
    }
}

// A skeleton "Biped" > ("Body" carrying the skinned mesh, "Left", "Right"),
// the mesh two vertices of format 5, unprepared and without bones.
class VoSkinMeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        fRoot->SetName(VoString(u"Biped"));
        for (const char16_t* name : {u"Body", u"Left", u"Right"}) {
            auto* frame = new VoFrame();
            frame->SetName(VoString(name));
            fRoot->AddChild(frame);
            fFrames.emplace_back(frame);
        }
        fMesh = new VoSkinMesh();
        fMesh->SetVertexBuffer(MeshVertices({{1, 0, 0, 0, 0, 2, 0.25f, 0.5f}, {0, 1, 0, 0, 1, 0, 0, 0}}));
        Frame(u"Body")->SetMesh(fMesh);
    }

    VoFrame* Frame(const char16_t* apName) { return fRoot->FindFrame(VoString(apName)); }

    // A bone on the named frame moving the vertices with the weights.
    void Bone(std::uint32_t aIndex, const char16_t* apFrame, const std::vector<std::uint32_t>& aVertices,
              const std::vector<float>& aWeights, const VoMatrix& aOffset = Identity()) {
        VoBone* bone = fMesh->GetBone(aIndex);
        ASSERT_NE(bone, nullptr);
        bone->SetName(VoString(apFrame));
        ASSERT_TRUE(bone->SetInfluences(static_cast<std::uint32_t>(aVertices.size()), aVertices.data(),
                                        aWeights.data()));
        bone->SetOffsetMatrix(aOffset);
    }

    std::unique_ptr<VoFrame> fRoot = std::make_unique<VoFrame>();
    std::vector<std::unique_ptr<VoFrame>> fFrames;
    VoSkinMesh* fMesh = nullptr;  // owned by the "Body" frame
};

}  // namespace

TEST_F(VoSkinMeshTest, OneBoneOfFullWeightAtTheIdentityKeepsTheRestPose) {
    ASSERT_TRUE(fMesh->CreateBones(1));
    Bone(0, u"Left", {0, 1}, {1.0f, 1.0f});
    ASSERT_TRUE(fMesh->PrepareSkin());
    EXPECT_EQ(fMesh->GetMeshType(), VoMesh::kSkinnedMesh);
    EXPECT_FALSE(fMesh->IsBound());
    ASSERT_TRUE(fMesh->UpdateSkin());
    EXPECT_TRUE(fMesh->IsBound());
    // The rest normal is taken at unit length; texture coordinates are left alone.
    ExpectVertexNear(fMesh->GetVertexBuffer(), 0, {1, 0, 0, 0, 0, 1});
    ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {0, 1, 0, 0, 1, 0});
    const float* uv = static_cast<const float*>(fMesh->GetVertexBuffer()->GetVertex(0)) + 6;
    EXPECT_EQ(uv[0], 0.25f);
    EXPECT_EQ(uv[1], 0.5f);
}

TEST_F(VoSkinMeshTest, TwoHalfWeightBonesMoveAVertexHalfwayAlongEach) {
    ASSERT_TRUE(fMesh->CreateBones(2));
    Bone(0, u"Left", {0}, {0.5f});
    Bone(1, u"Right", {0}, {0.5f});
    Frame(u"Left")->SetAbsoluteMatrix(Translation(2, 0, 0));
    Frame(u"Right")->SetAbsoluteMatrix(Translation(0, 2, 0));
    ASSERT_TRUE(fMesh->PrepareSkin());
    // A second update of the same pose starts from nothing again.
    for (int update = 0; update < 2; ++update) {
        SCOPED_TRACE(update);
        ASSERT_TRUE(fMesh->UpdateSkin());
        ExpectVertexNear(fMesh->GetVertexBuffer(), 0, {2, 1, 0, 0, 0, 1});
        // Named by no bone: the origin and a zero normal.
        ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {0, 0, 0, 0, 0, 0});
    }
}

TEST_F(VoSkinMeshTest, PositionsTakeOffsetTimesFrameAndNormalsOnlyItsUnitRotation) {
    ASSERT_TRUE(fMesh->CreateBones(1));
    // Offset: back by -1 along x; frame: scale 2, a quarter turn about z, then up 5.
    Bone(0, u"Left", {0, 1}, {1.0f, 0.5f}, Translation(-1, 0, 0));
    VoMatrix scale, turn, lift, frame;
    MatrixScaling(&scale, 2, 2, 2);
    MatrixRotationZ(&turn, 3.14159265f / 2.0f);
    lift = Translation(0, 5, 0);
    MatrixMultiply(&frame, &scale, &turn);
    MatrixMultiply(&frame, &frame, &lift);
    Frame(u"Left")->SetAbsoluteMatrix(frame);
    ASSERT_TRUE(fMesh->PrepareSkin());
    ASSERT_TRUE(fMesh->UpdateSkin());
    // (1, 0, 0) - 1 = 0, scaled and turned 0, lifted: (0, 5, 0); normal z stays z.
    ExpectVertexNear(fMesh->GetVertexBuffer(), 0, {0, 5, 0, 0, 0, 1});
    // (0, 1, 0) - 1 = (-1, 1, 0) -> scaled (-2, 2, 0) -> turned (-2, -2, 0) -> lifted (-2, 3, 0), half of it;
    // the normal (0, 1, 0) turns to (-1, 0, 0) at unit length, half of it, not renormalised.
    ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {-1, 1.5f, 0, -0.5f, 0, 0});
}

TEST_F(VoSkinMeshTest, AMissingBoneFrameFailsAndLeavesTheVertexBufferAlone) {
    LogCapture log;
    ASSERT_TRUE(fMesh->CreateBones(2));
    Bone(0, u"Left", {0}, {1.0f});
    Bone(1, u"Tail", {1}, {1.0f});
    Frame(u"Left")->SetAbsoluteMatrix(Translation(5, 5, 5));
    ASSERT_TRUE(fMesh->PrepareSkin());
    const std::vector<float> before = VertexOf(fMesh->GetVertexBuffer(), 0);
    EXPECT_FALSE(fMesh->UpdateSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSkinMesh::kBoneFrameNotFound));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_EQ(VertexOf(fMesh->GetVertexBuffer(), 0), before);
    EXPECT_FALSE(fMesh->IsBound());
    // The bone bound before the failure keeps its matrix.
    EXPECT_EQ(fMesh->GetBone(0)->GetFrameMatrix(), &Frame(u"Left")->GetAbsoluteMatrix());
}

TEST_F(VoSkinMeshTest, BindingByNameNeedsAnOwnerFrame) {
    LogCapture log;
    VoSkinMesh loose;
    EXPECT_FALSE(loose.SetupBonePointers());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSkinMesh::kParentUndefined));
}

TEST_F(VoSkinMeshTest, BonesBoundByFrameNumberMustAllHaveAMatrix) {
    LogCapture log;
    ASSERT_TRUE(fMesh->CreateBones(2));
    Bone(0, u"", {0}, {1.0f});
    Bone(1, u"", {1}, {1.0f});
    fMesh->GetBone(0)->SetFrameNumber(4);
    fMesh->GetBone(1)->SetFrameNumber(9);
    fMesh->SetBound(true);
    const VoMatrix moved = Translation(0, 0, 3);
    fMesh->SetBoneFrame(4, VoString(u"ignored"), &moved);
    ASSERT_TRUE(fMesh->PrepareSkin());
    const std::vector<float> before = VertexOf(fMesh->GetVertexBuffer(), 0);
    EXPECT_FALSE(fMesh->UpdateSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "UpdateSkin failure. Bone without frame: "));
    EXPECT_EQ(VertexOf(fMesh->GetVertexBuffer(), 0), before);

    fMesh->SetBoneFrame(9, VoString(), &moved);
    ASSERT_TRUE(fMesh->UpdateSkin());
    ExpectVertexNear(fMesh->GetVertexBuffer(), 0, {1, 0, 3, 0, 0, 1});
    ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {0, 1, 3, 0, 1, 0});
}

TEST_F(VoSkinMeshTest, InfluencesPastTheVertexCountAreDropped) {
    LogCapture log;
    ASSERT_TRUE(fMesh->CreateBones(1));
    Bone(0, u"Left", {7, 1, 0xFFFFFFFFu, 0}, {1.0f, 1.0f, 1.0f, 1.0f});
    ASSERT_TRUE(fMesh->PrepareSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "Bone influences past the vertex count dropped: Left"));
    const VoBone* bone = fMesh->GetBone(0);
    ASSERT_EQ(bone->GetInfluenceCount(), 2u);
    EXPECT_EQ(bone->GetIndices()[0], 1u);
    EXPECT_EQ(bone->GetIndices()[1], 0u);
    // Influences that arrive after the skin was prepared are dropped when bound.
    Bone(0, u"Left", {1, 2}, {1.0f, 1.0f});
    log.Clear();
    EXPECT_TRUE(fMesh->UpdateSkin());
    EXPECT_EQ(fMesh->GetBone(0)->GetInfluenceCount(), 1u);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "Bone influences past the vertex count dropped: Left"));
}

TEST_F(VoSkinMeshTest, OnlyFormatsWithTheNormalAtByteTwelveAreSkinned) {
    LogCapture log;
    const float vertex[12] = {1, 2, 3, 1, 0, 0, 0, 0, 0, 1, 0, 0};
    auto* coloured = new VoVertexBuffer();
    ASSERT_TRUE(coloured->Create(6, vertex, 1));
    fMesh->SetVertexBuffer(coloured);
    EXPECT_FALSE(fMesh->PrepareSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "PrepareSkin failure. Vertex format not supported: 6"));
    EXPECT_FALSE(fMesh->IsSkinPrepared());
    EXPECT_FALSE(fMesh->UpdateSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSkinMesh::kSkinNotPrepared));

    // Position and normal alone (format 7) is laid out the same way.
    auto* plain = new VoVertexBuffer();
    const float normal[6] = {1, 2, 3, 0, 3, 0};
    ASSERT_TRUE(plain->Create(7, normal, 1));
    fMesh->SetVertexBuffer(plain);
    EXPECT_TRUE(fMesh->PrepareSkin());
}

TEST_F(VoSkinMeshTest, ANewVertexBufferNeedsTheSkinPreparedAgain) {
    ASSERT_TRUE(fMesh->CreateBones(1));
    Bone(0, u"Left", {0}, {1.0f});
    ASSERT_TRUE(fMesh->PrepareSkin());
    fMesh->SetVertexBuffer(MeshVertices({{4, 4, 4, 0, 1, 0, 0, 0}}));
    EXPECT_FALSE(fMesh->IsSkinPrepared());
    {
        LogCapture log;
        EXPECT_FALSE(fMesh->UpdateSkin());
    }
    // A buffer refilled behind the skin's back with fewer vertices is refused too.
    ASSERT_TRUE(fMesh->PrepareSkin());
    const MeshVertex none{0, 0, 0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(fMesh->GetVertexBuffer()->Create(3, &none, 1));
    LogCapture log;
    EXPECT_FALSE(fMesh->UpdateSkin());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoSkinMesh::kSkinNotPrepared));
}
