#include "geometry/VoOctreeLoose.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

const VoVector3 kOrigin(0.0f, 0.0f, 0.0f);

std::vector<VoOctreeLooseNode*> NodesOf(const VoVector& aList) {
    std::vector<VoOctreeLooseNode*> nodes;
    for (int i = 0; i < aList.GetCount(); ++i) {
        nodes.push_back(static_cast<VoOctreeLooseNode*>(aList.GetAt(i)));
    }
    return nodes;
}

std::vector<VoVector3> CentresOf(const VoVector& aList) {
    std::vector<VoVector3> centres;
    for (VoOctreeLooseNode* node : NodesOf(aList)) {
        centres.push_back(node->centre);
    }
    return centres;
}

VoBox3 Box(float aMin, float aMax) {
    return VoBox3(VoVector3(aMin, aMin, aMin), VoVector3(aMax, aMax, aMax));
}

VoVector3 Corner(float aX, float aY, float aZ) {
    return VoVector3(aX, aY, aZ);
}

}  // namespace

TEST(VoOctreeLoose, CreateBuildsTheWholeTree) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoVector all;
    ASSERT_TRUE(tree.GetAllNodes(all));
    ASSERT_EQ(all.GetCount(), 73);

    const VoOctreeLooseNode* root = tree.GetRoot();
    EXPECT_EQ(NodesOf(all)[0], root);
    EXPECT_EQ(root->depth, 0);
    EXPECT_EQ(root->halfSize, 100.0f);
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_EQ(root->looseBounds.min, Corner(-100, -100, -100));
    EXPECT_EQ(root->looseBounds.max, Corner(100, 100, 100));

    const VoOctreeLooseNode* child = root->GetChild(1, 0, 1);
    EXPECT_EQ(child->centre, Corner(25, -25, 25));
    EXPECT_EQ(child->halfSize, 50.0f);
    EXPECT_EQ(child->depth, 1);
    EXPECT_EQ(child->parent, root);
    EXPECT_EQ(child->looseBounds.min, Corner(-25, -75, -25));

    const VoOctreeLooseNode* grandchild = child->GetChild(0, 1, 1);
    EXPECT_EQ(grandchild->centre, Corner(12.5f, -12.5f, 37.5f));
    EXPECT_EQ(grandchild->halfSize, 25.0f);
    EXPECT_EQ(grandchild->depth, 2);
    EXPECT_EQ(grandchild->parent, child);
    EXPECT_EQ(grandchild->children, nullptr);
}

TEST(VoOctreeLoose, NodesComeInPreOrder) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoVector all;
    ASSERT_TRUE(tree.GetAllNodes(all));
    const std::vector<VoVector3> centres = CentresOf(all);
    // The root, child [0][0][0] and its children [0][0][0], [0][0][1] ...
    EXPECT_EQ(centres[1], Corner(-25, -25, -25));
    EXPECT_EQ(centres[2], Corner(-37.5f, -37.5f, -37.5f));
    EXPECT_EQ(centres[3], Corner(-37.5f, -37.5f, -12.5f));
    EXPECT_EQ(centres[4], Corner(-37.5f, -12.5f, -37.5f));
    EXPECT_EQ(centres[9], Corner(-12.5f, -12.5f, -12.5f));
    // ... then child [0][0][1].
    EXPECT_EQ(centres[10], Corner(-25, -25, 25));
    EXPECT_EQ(centres[64], Corner(25, 25, 25));
    EXPECT_EQ(centres[72], Corner(37.5f, 37.5f, 37.5f));
}

TEST(VoOctreeLoose, OneLevelIsTheRootAlone) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(Corner(5, 5, 5), 10.0f, 1));
    VoBase tiny;
    ASSERT_TRUE(tree.Insert(&tiny, Box(5.0f, 5.1f)));
    VoVector all;
    ASSERT_TRUE(tree.GetAllNodes(all));
    ASSERT_EQ(all.GetCount(), 1);
    EXPECT_EQ(tree.GetRoot()->children, nullptr);
    EXPECT_EQ(tree.GetRoot()->objects.GetAt(0), &tiny);
}

TEST(VoOctreeLoose, InsertDescendsToTheSmallestCellThatFits) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase object;
    ASSERT_TRUE(tree.Insert(&object, Box(10.0f, 30.0f)));
    const VoOctreeLooseNode* cell = tree.GetRoot()->GetChild(1, 1, 1)->GetChild(0, 0, 0);
    EXPECT_EQ(cell->centre, Corner(12.5f, 12.5f, 12.5f));
    EXPECT_EQ(cell->looseBounds.min, Corner(-12.5f, -12.5f, -12.5f));
    EXPECT_EQ(cell->looseBounds.max, Corner(37.5f, 37.5f, 37.5f));
    ASSERT_EQ(cell->objects.GetCount(), 1);
    EXPECT_EQ(cell->objects.GetAt(0), &object);

    VoVector holding;
    ASSERT_TRUE(tree.GetNodesContainingPt(Corner(20, 20, 20), holding, true));
    EXPECT_THAT(NodesOf(holding), ElementsAre(cell));
}

TEST(VoOctreeLoose, InsertKeepsLargeObjectsHigh) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase large;
    VoBase middle;
    ASSERT_TRUE(tree.Insert(&large, Box(-10.0f, 50.0f)));
    // Extent exactly 50 still fits a depth-1 cell.
    ASSERT_TRUE(tree.Insert(&middle, VoBox3(Corner(-60, -60, -60), Corner(-10, -20, -20))));
    EXPECT_EQ(tree.GetRoot()->objects.GetAt(0), &large);
    EXPECT_EQ(tree.GetRoot()->GetChild(0, 0, 0)->objects.GetAt(0), &middle);
}

TEST(VoOctreeLoose, InsertTiesGoToThePlusSide) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase atOrigin;
    ASSERT_TRUE(tree.Insert(&atOrigin, Box(-1.0f, 1.0f)));
    EXPECT_EQ(tree.GetRoot()->GetChild(1, 1, 1)->GetChild(0, 0, 0)->objects.GetAt(0), &atOrigin);
}

TEST(VoOctreeLoose, InsertOutsideTheRootEndsInAnOuterCell) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase far;
    ASSERT_TRUE(tree.Insert(&far, VoBox3(Corner(500, -500, 500), Corner(501, -499, 501))));
    EXPECT_EQ(tree.GetRoot()->GetChild(1, 0, 1)->GetChild(1, 0, 1)->objects.GetAt(0), &far);
}

TEST(VoOctreeLoose, SeventeenCellsContainTheOrigin) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoVector found;
    ASSERT_TRUE(tree.GetNodesContainingPt(kOrigin, found, false));
    const std::vector<VoVector3> centres = CentresOf(found);
    ASSERT_EQ(centres.size(), 17u);
    EXPECT_EQ(centres[0], kOrigin);
    // Each child, then its one grandchild nearest the origin.
    EXPECT_EQ(centres[1], Corner(-25, -25, -25));
    EXPECT_EQ(centres[2], Corner(-12.5f, -12.5f, -12.5f));
    EXPECT_EQ(centres[3], Corner(-25, -25, 25));
    EXPECT_EQ(centres[4], Corner(-12.5f, -12.5f, 12.5f));
    EXPECT_EQ(centres[15], Corner(25, 25, 25));
    EXPECT_EQ(centres[16], Corner(12.5f, 12.5f, 12.5f));

    // Outside the root nothing is listed, and the list is cleared.
    ASSERT_TRUE(tree.GetNodesContainingPt(Corner(100.5f, 0, 0), found, false));
    EXPECT_EQ(found.GetCount(), 0);
    // The faces belong to the cube.
    ASSERT_TRUE(tree.GetNodesContainingPt(Corner(75, 75, 75), found, false));
    EXPECT_THAT(CentresOf(found), ElementsAre(kOrigin, Corner(25, 25, 25)));
}

TEST(VoOctreeLoose, NonEmptyOnlyStillVisitsTheChildren) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase deep;
    VoBase shallow;
    ASSERT_TRUE(tree.Insert(&deep, Box(-20.0f, -10.0f)));
    ASSERT_TRUE(tree.Insert(&shallow, VoBox3(Corner(10, 10, 10), Corner(40, 40, 40))));
    VoVector found;
    ASSERT_TRUE(tree.GetNodesContainingPt(kOrigin, found, true));
    EXPECT_THAT(CentresOf(found), ElementsAre(Corner(-12.5f, -12.5f, -12.5f), Corner(25, 25, 25)));
    ASSERT_TRUE(tree.GetAllNodes(found));
    EXPECT_EQ(found.GetCount(), 73);
}

TEST(VoOctreeLoose, RayQueryListsTheCellsTheSegmentTouches) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoVector found;
    ASSERT_TRUE(tree.GetNodesIntersectingRay(Corner(-200, 60, 60), Corner(400, 0, 0), found, false));
    EXPECT_THAT(CentresOf(found), ElementsAre(kOrigin, Corner(-25, 25, 25), Corner(-37.5f, 37.5f, 37.5f),
                                              Corner(-12.5f, 37.5f, 37.5f), Corner(25, 25, 25),
                                              Corner(12.5f, 37.5f, 37.5f), Corner(37.5f, 37.5f, 37.5f)));
    // A segment that stops short of the root reaches nothing.
    ASSERT_TRUE(tree.GetNodesIntersectingRay(Corner(-200, 60, 60), Corner(50, 0, 0), found, false));
    EXPECT_EQ(found.GetCount(), 0);
}

TEST(VoOctreeLoose, BoxQueryIsNotImplemented) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    VoVector found;
    ASSERT_TRUE(tree.GetAllNodes(found));
    LogCapture log;
    EXPECT_FALSE(tree.GetNodesIntersecting(Box(-1.0f, 1.0f), found, false));
    EXPECT_EQ(found.GetCount(), 0);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoLooseTreeText::kNotImplemented)));
}

TEST(VoOctreeLoose, EveryOperationRefusesATreeNeverCreated) {
    LogCapture log;
    VoOctreeLoose tree;
    VoBase object;
    VoVector found;
    EXPECT_FALSE(tree.Insert(&object, Box(0.0f, 1.0f)));
    EXPECT_FALSE(tree.GetAllNodes(found));
    EXPECT_FALSE(tree.GetNodesContainingPt(kOrigin, found, false));
    EXPECT_FALSE(tree.GetNodesIntersectingRay(kOrigin, Corner(1, 0, 0), found, false));
    EXPECT_FALSE(tree.GetNodesIntersecting(Box(0.0f, 1.0f), found, false));
    EXPECT_THAT(log.Lines(),
                ElementsAre(IsAssertFailure("Insert failure. Tree not created."),
                            IsAssertFailure("GetAllNodes failure. Tree not created."),
                            IsAssertFailure("GetNodesContainingPt failure. Tree not created."),
                            IsAssertFailure("GetNodesIntersectingRay failure. Tree not created."),
                            IsAssertFailure("GetNodesIntersecting failure. Tree not created.")));
}

TEST(VoOctreeLoose, RefusedArgumentsLeaveTheTree) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    const VoOctreeLooseNode* root = tree.GetRoot();
    LogCapture log;
    EXPECT_FALSE(tree.Insert(nullptr, Box(0.0f, 1.0f)));
    EXPECT_FALSE(tree.Create(kOrigin, 50.0f, 0));
    EXPECT_FALSE(tree.SetupChildren(tree.GetRoot()));
    EXPECT_FALSE(tree.SetupChildren(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoLooseTreeText::kInsertNull),
                                         IsAssertFailure(VoLooseTreeText::kInvalidLevels),
                                         IsAssertFailure(VoLooseTreeText::kSetupChildren),
                                         IsAssertFailure(VoLooseTreeText::kSetupChildren)));
    EXPECT_EQ(tree.GetRoot(), root);
    EXPECT_EQ(tree.GetSize(), 100.0f);
    EXPECT_EQ(tree.GetLevels(), 2);
}

TEST(VoOctreeLoose, SetupChildrenPlacesTheChildrenOfALeaf) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 1));
    ASSERT_TRUE(tree.SetupChildren(tree.GetRoot()));
    const VoOctreeLooseNode* child = tree.GetRoot()->GetChild(0, 1, 0);
    EXPECT_EQ(child->centre, Corner(-25, 25, -25));
    EXPECT_EQ(child->halfSize, 50.0f);
    EXPECT_EQ(child->parent, tree.GetRoot());
}

TEST(VoOctreeLoose, CreateAgainReplacesTheTree) {
    VoOctreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 3));
    VoBase object;
    ASSERT_TRUE(tree.Insert(&object, Box(10.0f, 30.0f)));
    ASSERT_TRUE(tree.Create(Corner(10, 10, 10), 8.0f, 2));
    VoVector found;
    ASSERT_TRUE(tree.GetNodesContainingPt(Corner(20, 20, 20), found, true));
    EXPECT_THAT(NodesOf(found), IsEmpty());
    ASSERT_TRUE(tree.GetAllNodes(found));
    EXPECT_EQ(found.GetCount(), 9);
    EXPECT_EQ(CentresOf(found)[8], Corner(12, 12, 12));
}
