#include "scene/VoPickRay.h"

#include <gtest/gtest.h>

#include <memory>

#include "MeshFiles.h"
#include "scene/VoCamera.h"
#include "scene/VoSkinMesh.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

::testing::AssertionResult Near(const VoVector3& aActual, const VoVector3& aExpected,
                                float aTolerance = 1e-5f) {
    if (std::fabs(aActual.x - aExpected.x) <= aTolerance &&
        std::fabs(aActual.y - aExpected.y) <= aTolerance &&
        std::fabs(aActual.z - aExpected.z) <= aTolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "(" << aActual.x << ", " << aActual.y << ", " << aActual.z << ") instead of (" << aExpected.x
           << ", " << aExpected.y << ", " << aExpected.z << ")";
}

// A world ray along aDirection from aOrigin.
VoPickRay WorldRay(VoCamera* apCamera, const VoVector3& aOrigin, const VoVector3& aDirection) {
    VoPickRay ray(apCamera);
    ray.Set(aOrigin, aDirection, VoPickRay::kWorldSpace);
    return ray;
}

// An element of the frames given, each with its mesh, placed.
std::unique_ptr<VoDrawElement> Scene(std::initializer_list<VoFrame*> aFrames) {
    VoFrame* root = NamedFrame(u"Root");
    for (VoFrame* frame : aFrames) {
        root->AddChild(frame);
    }
    auto element = std::make_unique<VoDrawElement>();
    element->SetRootFrame(root);
    element->Update(nullptr);
    return element;
}

}  // namespace

TEST(VoPickRay, CalculateRayGoesThroughTheScreenPointInViewSpace) {
    RecordingEngine engine;
    VoCamera camera;
    MatrixIdentity(camera.GetProjectionMatrix());
    struct Case {
        int x, y;
        VoVector3 direction;
    };
    const Case cases[] = {{400, 300, {0.0f, 0.0f, 1.0f}},
                          {0, 0, {-1.0f, 1.0f, 1.0f}},
                          {800, 600, {1.0f, -1.0f, 1.0f}},
                          {600, 450, {0.5f, -0.5f, 1.0f}}};
    for (const Case& c : cases) {
        VoPickRay ray(&camera, c.x, c.y);
        EXPECT_TRUE(Near(ray.GetDirection(), c.direction)) << c.x << ", " << c.y;
        EXPECT_TRUE(Near(ray.GetOrigin(), VoVector3()));
        EXPECT_EQ(ray.GetSpace(), VoPickRay::kViewSpace);
    }
    // The projection's scale divides the direction.
    camera.GetProjectionMatrix()->m[0][0] = 2.0f;
    camera.GetProjectionMatrix()->m[1][1] = 4.0f;
    VoPickRay ray(&camera, 0, 0);
    EXPECT_TRUE(Near(ray.GetDirection(), VoVector3(-0.5f, 0.25f, 1.0f)));
}

TEST(VoPickRay, TheCentrePixelOfTheDefaultCameraLooksDownItsAxis) {
    RecordingEngine engine;
    VoCamera camera;
    VoPickRay ray(&camera, 400, 300);
    VoPickRay world(&camera);
    ASSERT_TRUE(ray.GetWorldRay(world));
    EXPECT_TRUE(Near(world.GetOrigin(), VoVector3(0, 0, -10)));
    EXPECT_TRUE(Near(world.GetDirection(), VoVector3(0, 0, 1)));
    EXPECT_EQ(world.GetSpace(), VoPickRay::kWorldSpace);
    EXPECT_EQ(ray.GetSpace(), VoPickRay::kViewSpace);

    // Converted in place, then copied as it is.
    ASSERT_TRUE(ray.GetWorldRay(ray));
    EXPECT_TRUE(Near(ray.GetOrigin(), VoVector3(0, 0, -10)));
    camera.SetPosition(5, 5, 5);
    VoPickRay copy(nullptr);
    ASSERT_TRUE(ray.GetWorldRay(copy));
    EXPECT_TRUE(Near(copy.GetOrigin(), VoVector3(0, 0, -10)));
    EXPECT_EQ(copy.GetCamera(), &camera);
}

TEST(VoPickRay, WithoutCameraOrViewportNoRayIsMade) {
    RecordingEngine engine;
    LogCapture log;
    VoPickRay lost(nullptr, 400, 300);
    EXPECT_TRUE(log.Logged("ERROR: ", VoPickRay::kNullCamera));
    EXPECT_FALSE(lost.CalculateRay(1, 1));
    VoPickRay out(nullptr);
    EXPECT_FALSE(lost.GetWorldRay(out));

    VoCamera camera;
    engine.Rasterizer()->SetResult("GetViewport", false);
    VoPickRay ray(&camera);
    EXPECT_FALSE(ray.CalculateRay(400, 300));
    EXPECT_TRUE(log.Logged("ERROR: ", VoPickRay::kCalculateRayFailure));
}

TEST(VoPickRay, PickKeepsTheNearestHitAheadOfTheOrigin) {
    VoCamera camera;
    auto element = Scene(
        {NamedFrame(u"far", Facing(5)), NamedFrame(u"near", Facing(3)), NamedFrame(u"behind", Facing(-2))});
    VoVector3 hit(9, 9, 9);
    ASSERT_TRUE(WorldRay(&camera, VoVector3(), VoVector3(0, 0, 1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, 3)));

    // Looking the other way only the one behind is ahead.
    ASSERT_TRUE(WorldRay(&camera, VoVector3(), VoVector3(0, 0, -1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, -2)));

    // A miss leaves the hit as it was.
    hit = VoVector3(9, 9, 9);
    EXPECT_FALSE(WorldRay(&camera, VoVector3(5, 5, 0), VoVector3(0, 0, 1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(9, 9, 9)));
}

TEST(VoPickRay, PickWalksTheTrianglesEachSubsetDraws) {
    VoCamera camera;
    // Subset 0 draws a triangle off the ray, subset 1 (from its own buffer)
    // the one on it; the mesh-wide buffer starts with subset 0's.
    VoMesh* mesh = IndexedMesh({{10, 10, 4, 0, 0, -1, 0, 0},
                                {11, 12, 4, 0, 0, -1, 0, 0},
                                {12, 10, 4, 0, 0, -1, 0, 0},
                                {-1, -1, 4, 0, 0, -1, 0, 0},
                                {0, 1, 4, 0, 0, -1, 0, 0},
                                {1, -1, 4, 0, 0, -1, 0, 0}},
                               {{0, 1, 2}, {3, 4, 5}});
    auto element = Scene({NamedFrame(u"two", mesh)});
    VoVector3 hit;
    ASSERT_TRUE(WorldRay(&camera, VoVector3(), VoVector3(0, 0, 1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, 4)));
}

TEST(VoPickRay, PickPlacesEveryMeshAsItIsDrawn) {
    VoCamera camera;
    // A static mesh by its frame; a skinned one as it stands, its vertices
    // being in the world already.
    VoFrame* moved = NamedFrame(u"moved", Facing(0));
    moved->SetRelativeMatrix(Translation(0, 0, 6));
    auto* skin = new VoSkinMesh();
    skin->SetFlags(VoMesh::kIndexed);
    skin->SetVertexBuffer(
        MeshVertices({{-1, -1, 8, 0, 0, -1, 0, 0}, {0, 1, 8, 0, 0, -1, 0, 0}, {1, -1, 8, 0, 0, -1, 0, 0}}));
    skin->SetIndexBuffer(MeshIndices({0, 1, 2}));
    skin->AddSubset(Triangles({0, 1, 2}));
    VoFrame* skinned = NamedFrame(u"skinned", skin);
    skinned->SetRelativeMatrix(Translation(0, 0, -100));
    auto element = Scene({moved, skinned});
    VoVector3 hit;
    ASSERT_TRUE(WorldRay(&camera, VoVector3(0, 0, 7), VoVector3(0, 0, 1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, 8)));
    ASSERT_TRUE(WorldRay(&camera, VoVector3(0, 0, 5), VoVector3(0, 0, 1)).Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, 6)));
}

TEST(VoPickRay, AnElementWithoutMeshesIsNotHit) {
    VoCamera camera;
    LogCapture log;
    auto element = Scene({NamedFrame(u"empty")});
    VoVector3 hit(1, 2, 3);
    const VoPickRay ray = WorldRay(&camera, VoVector3(), VoVector3(0, 0, 1));
    EXPECT_FALSE(ray.Pick(element.get(), hit));
    EXPECT_TRUE(Near(hit, VoVector3(1, 2, 3)));
    EXPECT_FALSE(ray.Pick(nullptr, hit));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoPickRay::kPickNull));
}
