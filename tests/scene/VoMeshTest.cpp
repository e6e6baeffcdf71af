#include "scene/VoMesh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/VoFrame.h"
#include "scene/VoMeshSubset.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"

namespace {

using Texts = std::vector<std::string>;

const std::vector<MeshVertex> kQuad = {{0, 0, 0, 0, 0, -1, 0, 0},
                                       {1, 0, 0, 0, 0, -1, 1, 0},
                                       {0, 1, 0, 0, 0, -1, 0, 1},
                                       {1, 1, 0, 0, 0, -1, 1, 1}};

// A subset of aTriangles triangles over 4 vertices, from aStart, with its
// own indices, and a material of the texture handle.
VoMeshSubset* Subset(std::uint32_t aTriangles, std::uint32_t aStart, std::uint32_t aTexture) {
    auto* subset = new VoMeshSubset();
    subset->SetTriangleCount(aTriangles);
    subset->SetVertexCount(4);
    subset->SetStartIndex(aStart);
    subset->SetBaseVertexIndex(1);
    subset->SetIndexBuffer(MeshIndices({0, 1, 2, 2, 1, 3}));
    subset->GetMaterial().SetTextureHandle(aTexture);
    return subset;
}

class VoMeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        fMesh.SetVertexBuffer(MeshVertices(kQuad));
        fMesh.AddSubset(Subset(2, 0, 7));
        fMesh.AddSubset(Subset(1, 3, 0));
        fRasterizer->ClearCalls();
    }

    RecordingEngine fEngine;
    RecordingRasterizer* fRasterizer = fEngine.Rasterizer();
    VoMesh fMesh;
};

}  // namespace

TEST_F(VoMeshTest, TheDrawSequenceFollowsTheFlags) {
    const struct {
        std::uint32_t flags;
        Texts calls;
    } cases[] = {
        // Indexed strips: each subset binds its indices, its material, then draws.
        {0x13,
         {"SetFillMode(2)", "SetVertexBuffer(5, 4)", "SetIndexBuffer(buffer)", "SetMaterial(material)",
          "DrawIndexed(4, 2, 4, 0, 1)", "SetIndexBuffer(buffer)", "SetMaterial(material)", "ResetTexture()",
          "DrawIndexed(4, 1, 4, 3, 1)"}},
        // Wireframe, not indexed: plain draws of triangle lists.
        {0x14,
         {"SetFillMode(1)", "SetVertexBuffer(5, 4)", "SetMaterial(material)", "Draw(3, 0, 2)",
          "SetMaterial(material)", "ResetTexture()", "Draw(3, 3, 1)"}},
        // Not drawn at all.
        {0x01, {}},
    };
    for (const auto& c : cases) {
        fMesh.ClearFlags(0xFF);
        fMesh.SetFlags(c.flags);
        fRasterizer->ClearCalls();
        EXPECT_TRUE(fMesh.Render()) << c.flags;
        EXPECT_EQ(fRasterizer->Texts(), c.calls) << c.flags;
    }
}

TEST_F(VoMeshTest, AnUntexturedSubsetAfterATexturedOneDrawsWithoutItsTexture) {
    // The rasterizer keeps the bound texture for a material without one:
    // the subset unbinds it itself.
    fMesh.SetFlags(VoMesh::kIndexed);
    ASSERT_TRUE(fMesh.Render());
    const auto& calls = fRasterizer->Calls();
    ASSERT_EQ(fRasterizer->Count("SetMaterial"), 2);
    EXPECT_EQ(static_cast<const VoMaterial*>(fRasterizer->Last("SetMaterial")->object)->GetTextureHandle(),
              0u);
    EXPECT_EQ(fRasterizer->Count("ResetTexture"), 1);
    EXPECT_EQ(calls[calls.size() - 2].Text(), "ResetTexture()");
    EXPECT_EQ(calls.back().name, "DrawIndexed");
}

TEST_F(VoMeshTest, OnlyTheFillModeAndVertexBufferDecideTheResult) {
    fRasterizer->SetResult("DrawIndexed", false);
    fMesh.SetFlags(VoMesh::kIndexed);
    EXPECT_TRUE(fMesh.Render());
    fRasterizer->SetResult("SetVertexBuffer", false);
    EXPECT_FALSE(fMesh.Render());
    fRasterizer->SetResult("SetVertexBuffer", true);
    fRasterizer->SetResult("SetFillMode", false);
    EXPECT_FALSE(fMesh.Render());
}

TEST_F(VoMeshTest, MissingBuffersDrawNothing) {
    LogCapture log;
    VoMesh empty;
    empty.AddSubset(Subset(1, 0, 0));
    EXPECT_FALSE(empty.Render());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMesh::kVertexBufferUndefined));
    EXPECT_EQ(fRasterizer->Count("Draw") + fRasterizer->Count("DrawIndexed"), 0);

    // An indexed subset without indices would draw with the last ones bound.
    auto* bare = new VoMeshSubset();
    bare->SetTriangleCount(1);
    fMesh.AddSubset(bare);
    fMesh.SetFlags(VoMesh::kIndexed);
    fRasterizer->ClearCalls();
    EXPECT_TRUE(fMesh.Render());
    EXPECT_EQ(fRasterizer->Count("DrawIndexed"), 2);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMeshSubset::kNoIndexBuffer));
}

TEST_F(VoMeshTest, WithoutARasterizerNothingIsDrawn) {
    LogCapture log;
    fEngine.ShutDown();
    EXPECT_FALSE(fMesh.Render());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMesh::kNoRasterizer));
}

TEST_F(VoMeshTest, SubsetsCopyDeeplyAndBelongToTheirMesh) {
    VoMeshSubset* original = fMesh.GetSubset(0);
    EXPECT_EQ(original->GetOwner(), &fMesh);
    VoMeshSubset copy(*original);
    EXPECT_EQ(copy.GetOwner(), &fMesh);
    ASSERT_NE(copy.GetIndexBuffer(), nullptr);
    EXPECT_NE(copy.GetIndexBuffer(), original->GetIndexBuffer());
    EXPECT_EQ(copy.GetIndexBuffer()->GetIndex(5), 3u);
    EXPECT_EQ(copy.GetMaterial().GetTextureHandle(), 7u);
    original->GetIndexBuffer()->SetIndex(5, 9);
    EXPECT_EQ(copy.GetIndexBuffer()->GetIndex(5), 3u);

    VoMeshSubset assigned;
    assigned = *fMesh.GetSubset(1);
    EXPECT_EQ(assigned.GetOwner(), nullptr);
    EXPECT_EQ(assigned.GetStartIndex(), 3u);
    EXPECT_NE(assigned.GetIndexBuffer(), fMesh.GetSubset(1)->GetIndexBuffer());
    assigned = copy;
    EXPECT_EQ(assigned.GetIndexBuffer()->GetIndex(5), 3u);
    EXPECT_EQ(assigned.GetTriangleCount(), 2u);
}

TEST_F(VoMeshTest, AMaterialPastTheListIsTheDefaultOne) {
    LogCapture log;
    VoMaterial red;
    red.SetDiffuse(VoColor(1.0f, 1.0f, 0.0f, 0.0f));
    red.SetTextureHandle(3);
    ASSERT_TRUE(fMesh.AddMaterial(red));
    VoMaterial out;
    EXPECT_TRUE(fMesh.CopyMaterial(0, &out));
    EXPECT_EQ(out.GetDiffuse(), red.GetDiffuse());
    EXPECT_EQ(out.GetTextureHandle(), 3u);
    EXPECT_FALSE(fMesh.CopyMaterial(1, &out));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", "Material index out of range: 1"));
    EXPECT_EQ(out.GetDiffuse(), VoMaterial().GetDiffuse());
    EXPECT_EQ(out.GetTextureHandle(), 0u);
}

TEST_F(VoMeshTest, BoundingBoxesSpanTheVerticesInTheirOwnOrTheWorldsSpace) {
    VoMesh single;
    single.SetVertexBuffer(MeshVertices({{1, 2, 3, 0, 1, 0, 0, 0}}));
    const VoBox3 point = single.GetBoundingBox(false);
    EXPECT_EQ(point.min, VoVector3(1, 2, 3));
    EXPECT_EQ(point.max, VoVector3(1, 2, 3));

    VoMesh none;
    EXPECT_TRUE(none.GetBoundingBox(false).IsEmpty());

    VoFrame frame;
    frame.SetAbsoluteMatrix(Translation(10, 20, 30));
    frame.SetMesh(new VoMesh());
    VoMesh* placed = frame.GetMesh();
    placed->SetVertexBuffer(MeshVertices({{-1, 0, 2, 0, 1, 0, 0, 0}, {3, -4, 1, 0, 1, 0, 0, 0}}));
    const VoBox3 own = placed->GetBoundingBox(false);
    EXPECT_EQ(own.min, VoVector3(-1, -4, 1));
    EXPECT_EQ(own.max, VoVector3(3, 0, 2));
    const VoBox3 world = placed->GetBoundingBox(true);
    EXPECT_EQ(world.min, VoVector3(9, 16, 31));
    EXPECT_EQ(world.max, VoVector3(13, 20, 32));
    const VoBox2 footprint = placed->GetBoundingBoxXZ(true);
    EXPECT_EQ(footprint.min, VoVector2(9, 31));
    EXPECT_EQ(footprint.max, VoVector2(13, 32));
}

TEST_F(VoMeshTest, CustomLightingBuildsTheLitBufferOnceAndOnlyFromFormatFive) {
    LogCapture log;
    ASSERT_TRUE(fMesh.SetCustomLighting(true));
    VoVertexBuffer* lit = fMesh.GetLitVertexBuffer();
    ASSERT_NE(lit, nullptr);
    EXPECT_EQ(lit->GetFormat(), 6);
    EXPECT_EQ(lit->GetVertexCount(), 4);
    const float* vertex = static_cast<const float*>(lit->GetVertex(3));
    EXPECT_EQ(std::vector<float>(vertex, vertex + 12),
              (std::vector<float>{1, 1, 0, 1, 0, 0, 0, 0, 0, -1, 1, 1}));
    EXPECT_TRUE(fMesh.SetCustomLighting(true));
    EXPECT_EQ(fMesh.GetLitVertexBuffer(), lit);
    EXPECT_TRUE(fMesh.SetCustomLighting(false));
    EXPECT_EQ(fMesh.GetLitVertexBuffer(), nullptr);
    EXPECT_EQ(fMesh.GetFlags() & VoMesh::kCustomLighting, 0u);

    VoMesh positions;
    const float xyz[3] = {0, 0, 0};
    auto* buffer = new VoVertexBuffer();
    buffer->Create(1, xyz, 1);
    positions.SetVertexBuffer(buffer);
    EXPECT_FALSE(positions.SetCustomLighting(true));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMesh::kLightingFormat));
    VoMesh bare;
    EXPECT_FALSE(bare.SetCustomLighting(true));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMesh::kVertexBufferUndefined));
}
