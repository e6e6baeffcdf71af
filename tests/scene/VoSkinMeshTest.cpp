#include "scene/VoSkinMesh.h"

#include <gtest/gtest.h>

#include <cmath>
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

// Skinning sums each vertex's influences in bone order, whatever order it
// walks them in: the output matches, to the bit, the sums taken bone by bone
// as the skin is specified. Five bones over 300 vertices: some vertices
// named by no bone, some twice by one bone, one bone's matrix projective.
TEST_F(VoSkinMeshTest, SumsAreTheBoneByBoneSumsToTheBit) {
    constexpr int kVertices = 300;
    constexpr std::uint32_t kBones = 5;
    std::vector<MeshVertex> rest;
    for (int v = 0; v < kVertices; ++v) {
        const float a = static_cast<float>(v) * 0.37f;
        rest.push_back({std::cos(a) * 3.0f, static_cast<float>(v) * 0.01f - 1.0f, std::sin(a), std::sin(a),
                        0.3f, std::cos(a) * 2.0f, 0.0f, 0.0f});
    }
    fMesh->SetVertexBuffer(MeshVertices(rest));
    const char16_t* frames[] = {u"Left", u"Right", u"Body", u"Left", u"Biped"};
    std::vector<std::vector<std::uint32_t>> indices(kBones);
    std::vector<std::vector<float>> weights(kBones);
    for (std::uint32_t b = 0; b < kBones; ++b) {
        for (int v = 0; v < kVertices; ++v) {
            if ((v * 7 + static_cast<int>(b) * 3) % 5 < 2 && v % 11 != 0) {
                indices[b].push_back(static_cast<std::uint32_t>(v));
                weights[b].push_back(0.1f + 0.13f * static_cast<float>((v + static_cast<int>(b)) % 7));
            }
        }
        // Twice in one bone's list.
        indices[b].push_back(3);
        weights[b].push_back(0.25f);
    }
    ASSERT_TRUE(fMesh->CreateBones(kBones));
    for (std::uint32_t b = 0; b < kBones; ++b) {
        VoMatrix offset;
        MatrixRotationY(&offset, 0.3f * static_cast<float>(b));
        offset.m[3][0] = 0.5f * static_cast<float>(b);
        Bone(b, frames[b], indices[b], weights[b], offset);
    }
    VoMatrix turn, lift, frame;
    MatrixRotationZ(&turn, 0.7f);
    lift = Translation(1, 2, 3);
    MatrixMultiply(&frame, &turn, &lift);
    frame.m[0][0] *= 1.5f;
    Frame(u"Left")->SetAbsoluteMatrix(frame);
    Frame(u"Right")->SetAbsoluteMatrix(Translation(-2, 0.5f, 1));
    VoMatrix projective = Translation(0, 0, 1);
    projective.m[2][3] = 0.25f;
    Frame(u"Body")->SetAbsoluteMatrix(projective);
    ASSERT_TRUE(fMesh->PrepareSkin());
    ASSERT_TRUE(fMesh->UpdateSkin());

    std::vector<VoVector3> positions(kVertices);
    std::vector<VoVector3> normals(kVertices);
    for (std::uint32_t b = 0; b < kBones; ++b) {
        const VoBone& bone = *fMesh->GetBone(b);
        VoMatrix m;
        MatrixMultiply(&m, &bone.GetOffsetMatrix(), bone.GetFrameMatrix());
        VoVector3 rows[3] = {VoVector3(m.m[0][0], m.m[0][1], m.m[0][2]),
                             VoVector3(m.m[1][0], m.m[1][1], m.m[1][2]),
                             VoVector3(m.m[2][0], m.m[2][1], m.m[2][2])};
        for (VoVector3& row : rows) {
            row.NormalizeInPlace(VoSkinMesh::kNormalTolerance);
        }
        const bool affine = m.m[0][3] == 0.0f && m.m[1][3] == 0.0f && m.m[2][3] == 0.0f && m.m[3][3] == 1.0f;
        for (std::uint32_t i = 0; i < bone.GetInfluenceCount(); ++i) {
            const std::uint32_t v = bone.GetIndices()[i];
            const float w = bone.GetWeights()[i];
            const VoVector3 p(rest[v].x, rest[v].y, rest[v].z);
            VoVector3 n(rest[v].nx, rest[v].ny, rest[v].nz);
            n.NormalizeInPlace(VoSkinMesh::kNormalTolerance);
            VoVector3 placed(p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
                             p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
                             p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]);
            if (!affine) {
                TransformCoord(&placed, &m, &p);
            }
            positions[v].x += placed.x * w;
            positions[v].y += placed.y * w;
            positions[v].z += placed.z * w;
            normals[v].x += (n.x * rows[0].x + n.y * rows[1].x + n.z * rows[2].x) * w;
            normals[v].y += (n.x * rows[0].y + n.y * rows[1].y + n.z * rows[2].y) * w;
            normals[v].z += (n.x * rows[0].z + n.y * rows[1].z + n.z * rows[2].z) * w;
        }
    }
    for (int v = 0; v < kVertices; ++v) {
        const float expected[6] = {positions[v].x, positions[v].y, positions[v].z,
                                   normals[v].x,   normals[v].y,   normals[v].z};
        EXPECT_EQ(std::memcmp(fMesh->GetVertexBuffer()->GetVertex(v), expected, sizeof expected), 0)
            << "vertex " << v;
    }
}

// Influences set again after the skin was prepared are the ones skinned.
TEST_F(VoSkinMeshTest, InfluencesChangedAfterPreparingAreSkinned) {
    ASSERT_TRUE(fMesh->CreateBones(2));
    Bone(0, u"Left", {0, 1}, {1.0f, 1.0f});
    Bone(1, u"Right", {}, {});
    Frame(u"Left")->SetAbsoluteMatrix(Translation(1, 0, 0));
    Frame(u"Right")->SetAbsoluteMatrix(Translation(0, 0, 4));
    ASSERT_TRUE(fMesh->PrepareSkin());
    ASSERT_TRUE(fMesh->UpdateSkin());
    ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {1, 1, 0, 0, 1, 0});
    Bone(0, u"Left", {0}, {1.0f});
    Bone(1, u"Right", {1}, {0.5f});
    ASSERT_TRUE(fMesh->UpdateSkin());
    ExpectVertexNear(fMesh->GetVertexBuffer(), 0, {2, 0, 0, 0, 0, 1});
    ExpectVertexNear(fMesh->GetVertexBuffer(), 1, {0, 0.5f, 2, 0, 0.5f, 0});
}
