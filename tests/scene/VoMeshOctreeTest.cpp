#include "scene/VoMeshOctree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MeshFiles.h"
#include "container/VoVector.h"
#include "container/VoVectorInt.h"
#include "scene/VoMeshQuadTree.h"
#include "scene/VoMeshTriangle.h"
#include "support/LogCapture.h"

namespace {

::testing::AssertionResult Near(const VoVector3& aActual, const VoVector3& aExpected,
                                float aTolerance = 1e-5f) {
    if (std::fabs(aActual.x - aExpected.x) <= aTolerance &&
        std::fabs(aActual.y - aExpected.y) <= aTolerance &&
        std::fabs(aActual.z - aExpected.z) <= aTolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << aActual.x << ", " << aActual.y << ", " << aActual.z << ")";
}

// The triangles a tree holds, over all its cells.
template <typename Tree, typename Node>
int TriangleCount(const Tree& aTree) {
    VoVector nodes(16, 16);
    aTree.GetAllNodes(nodes);
    int count = 0;
    for (int i = 0; i < nodes.GetCount(); ++i) {
        count += static_cast<Node*>(nodes.GetAt(i))->objects.GetCount();
    }
    return count;
}

// Two triangles in the subsets of one mesh, the second (from its own
// buffer) drawn from vertices the first does not use: three in all.
VoMesh* ThreeInTwoSubsets() {
    return IndexedMesh({{0, 0, 0, 0, 1, 0, 0, 0},
                        {1, 0, 0, 0, 1, 0, 0, 0},
                        {0, 0, 1, 0, 1, 0, 0, 0},
                        {5, 0, 5, 0, 1, 0, 0, 0},
                        {6, 0, 5, 0, 1, 0, 0, 0},
                        {5, 0, 6, 0, 1, 0, 0, 0}},
                       {{0, 1, 2}, {3, 4, 5, 3, 5, 4}});
}

VoMatrix Moved(float aX, float aY, float aZ) {
    return Translation(aX, aY, aZ);
}

}  // namespace

TEST(VoMeshOctree, PickFindsTheNearestCrossingOfTheSegment) {
    VoMeshOctree tree;
    ASSERT_TRUE(tree.Create(VoVector3(), 50.0f, 4));
    std::unique_ptr<VoMesh> far(Facing(0));
    std::unique_ptr<VoMesh> near(Facing(0, 4.0f));
    const VoMatrix farWorld = Moved(0, 0, 5);
    const VoMatrix nearWorld = Moved(0, 0, 3);
    ASSERT_TRUE(tree.AddMesh(VoString(u"far"), far.get(), &farWorld));
    ASSERT_TRUE(tree.AddMesh(VoString(u"near"), near.get(), &nearWorld));
    EXPECT_EQ(tree.GetMeshIds().GetCount(), 2);

    VoVector3 hit;
    ASSERT_TRUE(tree.Pick(VoVector3(0, 0, -10), VoVector3(0, 0, 1), hit, 100.0f));
    EXPECT_TRUE(Near(hit, VoVector3(0, 0, 3)));

    // Too short to reach either, or beside both: no hit and no message.
    LogCapture log;
    hit = VoVector3(7, 7, 7);
    EXPECT_FALSE(tree.Pick(VoVector3(0, 0, -10), VoVector3(0, 0, 1), hit, 12.0f));
    EXPECT_FALSE(tree.Pick(VoVector3(20, 0, -10), VoVector3(0, 0, 1), hit, 100.0f));
    EXPECT_TRUE(Near(hit, VoVector3(7, 7, 7)));
    EXPECT_TRUE(log.Lines().empty());

    VoVectorInt indices;
    VoVector hits(4, 4);
    ASSERT_TRUE(tree.GetObjectsIntersectingRay(VoVector3(0, 0, -10), VoVector3(0, 0, 100), indices, hits));
    ASSERT_EQ(hits.GetCount(), 2);
    ASSERT_EQ(indices.GetCount(), 2);
    EXPECT_NE(indices.GetAt(0), indices.GetAt(1));
    for (int i = 0; i < hits.GetCount(); ++i) {
        delete static_cast<VoVector3*>(hits.GetAt(i));
    }
}

TEST(VoMeshOctree, AddMeshIndexesEachSubsetsOwnTrianglesOnce) {
    VoMeshOctree tree;
    ASSERT_TRUE(tree.Create(VoVector3(), 50.0f, 3));
    std::unique_ptr<VoMesh> mesh(ThreeInTwoSubsets());
    ASSERT_TRUE(tree.AddMesh(VoString(u"floor"), mesh.get(), nullptr));
    EXPECT_EQ((TriangleCount<VoMeshOctree, VoOctreeLooseNode>(tree)), 3);
    // The same id again indexes the mesh again.
    ASSERT_TRUE(tree.AddMesh(VoString(u"floor"), mesh.get(), nullptr));
    EXPECT_EQ((TriangleCount<VoMeshOctree, VoOctreeLooseNode>(tree)), 6);
    EXPECT_EQ(tree.GetMeshIds().GetCount(), 2);
}

TEST(VoMeshOctree, AMeshWithoutBuffersAddsNothingAndSaysNothing) {
    VoMeshOctree tree;
    ASSERT_TRUE(tree.Create(VoVector3(), 50.0f, 2));
    VoMeshQuadTree ground;
    ASSERT_TRUE(ground.Create(VoVector2(), 50.0f, 2));
    LogCapture log;
    VoMesh noIndices;
    noIndices.SetVertexBuffer(MeshVertices({{0, 0, 0, 0, 1, 0, 0, 0}}));
    VoMesh noVertices;
    noVertices.SetIndexBuffer(MeshIndices({0, 0, 0}));
    for (const VoMesh* mesh : {&noIndices, &noVertices}) {
        EXPECT_FALSE(tree.AddMesh(VoString(u"m"), mesh, nullptr));
        EXPECT_FALSE(ground.AddMesh(VoString(u"m"), mesh, nullptr));
    }
    EXPECT_EQ(tree.GetMeshIds().GetCount(), 0);
    EXPECT_EQ(ground.GetMeshIds().GetCount(), 0);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoMeshOctree, TheMeshBeyondTheTwoHundredAndFiftySixthIsRefused) {
    VoMeshOctree tree;
    ASSERT_TRUE(tree.Create(VoVector3(), 50.0f, 2));
    VoMeshQuadTree ground;
    ASSERT_TRUE(ground.Create(VoVector2(), 50.0f, 2));
    std::unique_ptr<VoMesh> mesh(Facing(0));
    for (int i = 0; i < VoMeshTriangle::kMaxMeshes; ++i) {
        const VoString id((std::string("m") + std::to_string(i)).c_str());
        ASSERT_TRUE(tree.AddMesh(id, mesh.get(), nullptr)) << i;
        ASSERT_TRUE(ground.AddMesh(id, mesh.get(), nullptr)) << i;
    }
    LogCapture log;
    EXPECT_FALSE(tree.AddMesh(VoString(u"one more"), mesh.get(), nullptr));
    EXPECT_FALSE(ground.AddMesh(VoString(u"one more"), mesh.get(), nullptr));
    EXPECT_EQ(log.Count(std::string(VoMeshOctree::kTooManyMeshes) + "one more"), 2);
    EXPECT_EQ((TriangleCount<VoMeshOctree, VoOctreeLooseNode>(tree)), VoMeshTriangle::kMaxMeshes);

    // The last mesh's triangles carry index 255.
    VoVectorInt indices;
    VoVector hits(4, 4);
    ASSERT_TRUE(tree.GetObjectsIntersectingRay(VoVector3(0, 0, -1), VoVector3(0, 0, 2), indices, hits));
    ASSERT_EQ(indices.GetCount(), VoMeshTriangle::kMaxMeshes);
    EXPECT_EQ(indices.GetAt(VoMeshTriangle::kMaxMeshes - 1), 255);
    for (int i = 0; i < hits.GetCount(); ++i) {
        delete static_cast<VoVector3*>(hits.GetAt(i));
    }
}

TEST(VoMeshOctree, QueriesOnTreesNeverCreatedAreRefused) {
    LogCapture log;
    VoMeshOctree tree;
    VoVectorInt indices;
    VoVector hits(4, 4);
    VoVector3 hit;
    EXPECT_FALSE(tree.GetObjectsIntersectingRay(VoVector3(), VoVector3(0, 0, 1), indices, hits));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMeshOctree::kRootUndefined));
    EXPECT_FALSE(tree.Pick(VoVector3(), VoVector3(0, 0, 1), hit, 10.0f));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMeshOctree::kPickFailure));

    VoMeshQuadTree ground;
    VoVector out(4, 4);
    EXPECT_FALSE(ground.IntersectsVertLineThruPt(VoVector2(), hit));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMeshQuadTree::kHeightNoRoot));
    EXPECT_FALSE(ground.GetObjectsContainingPt(VoVector2(), out));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoMeshQuadTree::kContainingNoRoot));
}

TEST(VoMeshQuadTree, TheHeightUnderAPointOnASlopedTriangle) {
    // Either way round: the winding of a ground triangle says nothing.
    for (const std::vector<std::uint16_t>& winding : {std::vector<std::uint16_t>{0, 1, 2}, {0, 2, 1}}) {
        SCOPED_TRACE(winding[1] == 1 ? "clockwise" : "anticlockwise");
        VoMeshQuadTree ground;
        ASSERT_TRUE(ground.Create(VoVector2(), 64.0f, 5));
        // Rising from y = 0 along z = 0 to y = 4 at z = 8, placed 10 along x.
        std::unique_ptr<VoMesh> slope(IndexedMesh(
            {{-5, 0, 0, 0, 1, 0, 0, 0}, {0, 4, 8, 0, 1, 0, 0, 0}, {5, 0, 0, 0, 1, 0, 0, 0}}, {winding}));
        const VoMatrix world = Moved(10, 0, 0);
        ASSERT_TRUE(ground.AddMesh(VoString(u"ramp"), slope.get(), &world));
        struct Case {
            float x, z;
            bool found;
            float height;
        };
        const Case cases[] = {{10, 4, true, 2.0f},     // inside
                              {11, 2, true, 1.0f},     // inside, off centre
                              {10, 8, true, 4.0f},     // the top corner
                              {12.5f, 4, true, 2.0f},  // on the right edge
                              {7.5f, 4, true, 2.0f},   // on the left edge
                              {10, 0, true, 0.0f},     // on the lower edge
                              {10, -1, false, 0},      // before it
                              {20, 4, false, 0}};      // beside it
        for (const Case& c : cases) {
            VoVector3 hit(-1, -1, -1);
            EXPECT_EQ(ground.IntersectsVertLineThruPt(VoVector2(c.x, c.z), hit), c.found)
                << c.x << ", " << c.z;
            if (c.found) {
                EXPECT_TRUE(Near(hit, VoVector3(c.x, c.height, c.z), 1e-4f)) << c.x << ", " << c.z;
            }
        }
    }
}

TEST(VoMeshQuadTree, AStandingTriangleNeverAnswersTheHeight) {
    for (const std::vector<std::uint16_t>& winding : {std::vector<std::uint16_t>{0, 1, 2}, {0, 2, 1}}) {
        VoMeshQuadTree ground;
        ASSERT_TRUE(ground.Create(VoVector2(), 16.0f, 3));
        // Upright in the plane z = 0: its outline on the ground is a line.
        std::unique_ptr<VoMesh> wall(IndexedMesh(
            {{-1, 0, 0, 0, 0, -1, 0, 0}, {0, 2, 0, 0, 0, -1, 0, 0}, {1, 0, 0, 0, 0, -1, 0, 0}}, {winding}));
        ASSERT_TRUE(ground.AddMesh(VoString(u"wall"), wall.get(), nullptr));
        VoVector3 hit;
        EXPECT_FALSE(ground.IntersectsVertLineThruPt(VoVector2(0, 0), hit)) << winding[1];
    }
}

TEST(VoMeshQuadTree, AnIdAddedTwiceIsRefused) {
    VoMeshQuadTree ground;
    ASSERT_TRUE(ground.Create(VoVector2(), 16.0f, 3));
    std::unique_ptr<VoMesh> mesh(ThreeInTwoSubsets());
    ASSERT_TRUE(ground.AddMesh(VoString(u"floor"), mesh.get(), nullptr));
    LogCapture log;
    EXPECT_FALSE(ground.AddMesh(VoString(u"floor"), mesh.get(), nullptr));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(VoMeshQuadTree::kDuplicateId) + "floor"));
    EXPECT_EQ(ground.GetMeshIds().GetCount(), 1);
    EXPECT_EQ((TriangleCount<VoMeshQuadTree, VoQuadTreeLooseNode>(ground)), 3);
}

TEST(VoMeshQuadTree, GetObjectsContainingPtGathersTheFirstTriangleOfEachCellOnTheWay) {
    VoMeshQuadTree ground;
    ASSERT_TRUE(ground.Create(VoVector2(), 16.0f, 3));
    // A large triangle stays in the root; a small one goes down by (5, 5).
    std::unique_ptr<VoMesh> large(IndexedMesh(
        {{-15, 0, -15, 0, 1, 0, 0, 0}, {0, 0, 15, 0, 1, 0, 0, 0}, {15, 0, -15, 0, 1, 0, 0, 0}}, {{0, 1, 2}}));
    std::unique_ptr<VoMesh> small(IndexedMesh(
        {{5, 0, 5, 0, 1, 0, 0, 0}, {5, 0, 5.5f, 0, 1, 0, 0, 0}, {5.5f, 0, 5, 0, 1, 0, 0, 0}}, {{0, 1, 2}}));
    ASSERT_TRUE(ground.AddMesh(VoString(u"large"), large.get(), nullptr));
    ASSERT_TRUE(ground.AddMesh(VoString(u"small"), small.get(), nullptr));
    VoVector out(4, 4);
    ASSERT_TRUE(ground.GetObjectsContainingPt(VoVector2(5, 5), out));
    ASSERT_EQ(out.GetCount(), 2);
    EXPECT_EQ(static_cast<VoMeshTriangle*>(out.GetAt(0))->meshIndex, 0);
    EXPECT_EQ(static_cast<VoMeshTriangle*>(out.GetAt(1))->meshIndex, 1);
    ASSERT_TRUE(ground.GetObjectsContainingPt(VoVector2(-5, -5), out));
    EXPECT_EQ(out.GetCount(), 1);
}
