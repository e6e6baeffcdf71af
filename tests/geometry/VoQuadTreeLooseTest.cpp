#include "geometry/VoQuadTreeLoose.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "support/GeometryTestSupport.h"

using testing::ElementsAre;

namespace {

const VoVector2 kOrigin(0.0f, 0.0f);

std::vector<VoVector2> CentresOf(const VoVector& aList) {
    std::vector<VoVector2> centres;
    for (int i = 0; i < aList.GetCount(); ++i) {
        centres.push_back(static_cast<VoQuadTreeLooseNode*>(aList.GetAt(i))->centre);
    }
    return centres;
}

}  // namespace

TEST(VoQuadTreeLoose, CreateBuildsFiveCellsForTwoLevels) {
    VoQuadTreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    VoVector all;
    ASSERT_TRUE(tree.GetAllNodes(all));
    EXPECT_THAT(CentresOf(all), ElementsAre(kOrigin, VoVector2(-25.0f, -25.0f), VoVector2(-25.0f, 25.0f),
                                            VoVector2(25.0f, -25.0f), VoVector2(25.0f, 25.0f)));
    const VoQuadTreeLooseNode* child = tree.GetRoot()->GetChild(1, 0);
    EXPECT_EQ(child->halfSize, 50.0f);
    EXPECT_EQ(child->depth, 1);
    EXPECT_EQ(child->parent, tree.GetRoot());
    EXPECT_EQ(child->looseBounds.min, VoVector2(-25.0f, -75.0f));
    EXPECT_EQ(child->looseBounds.max, VoVector2(75.0f, 25.0f));

    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 4));
    ASSERT_TRUE(tree.GetAllNodes(all));
    EXPECT_EQ(all.GetCount(), 85);
}

TEST(VoQuadTreeLoose, InsertPlacesBySizeAndCentre) {
    VoQuadTreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    VoBase small;
    VoBase large;
    VoBase tie;
    ASSERT_TRUE(tree.Insert(&small, VoBox2(30.0f, 30.0f, 40.0f, 50.0f)));
    ASSERT_TRUE(tree.Insert(&large, VoBox2(-30.0f, -30.0f, 30.0f, 0.0f)));
    ASSERT_TRUE(tree.Insert(&tie, VoBox2(-1.0f, -1.0f, 1.0f, 1.0f)));
    EXPECT_EQ(tree.GetRoot()->objects.GetAt(0), &large);
    const VoQuadTreeLooseNode* plus = tree.GetRoot()->GetChild(1, 1);
    ASSERT_EQ(plus->objects.GetCount(), 2);
    EXPECT_EQ(plus->objects.GetAt(0), &small);
    EXPECT_EQ(plus->objects.GetAt(1), &tie);
}

TEST(VoQuadTreeLoose, ContainingPointListsTheCellsInPreOrder) {
    VoQuadTreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    VoVector found;
    ASSERT_TRUE(tree.GetNodesContainingPt(kOrigin, found, false));
    EXPECT_EQ(found.GetCount(), 5);
    EXPECT_EQ(CentresOf(found)[0], kOrigin);
    ASSERT_TRUE(tree.GetNodesContainingPt(VoVector2(80.0f, 80.0f), found, false));
    EXPECT_THAT(CentresOf(found), ElementsAre(kOrigin));

    VoBase object;
    ASSERT_TRUE(tree.Insert(&object, VoBox2(-40.0f, 10.0f, -30.0f, 20.0f)));
    ASSERT_TRUE(tree.GetNodesContainingPt(kOrigin, found, true));
    EXPECT_THAT(CentresOf(found), ElementsAre(VoVector2(-25.0f, 25.0f)));
}

TEST(VoQuadTreeLoose, ClassifyPlacesAValueAgainstABox) {
    const VoBox2 box(5.0f, 0.0f, 10.0f, 10.0f);
    EXPECT_EQ(VoQuadTreeLoose::Classify(0, 5.0f, box), -1);
    EXPECT_EQ(VoQuadTreeLoose::Classify(0, 7.0f, box), 0);
    EXPECT_EQ(VoQuadTreeLoose::Classify(0, 10.0f, box), 1);
    EXPECT_EQ(VoQuadTreeLoose::Classify(1, 0.0f, box), -1);
    EXPECT_EQ(VoQuadTreeLoose::Classify(1, 7.0f, box), 0);
    EXPECT_EQ(VoQuadTreeLoose::Classify(1, 11.0f, box), 1);

    LogCapture log;
    EXPECT_EQ(VoQuadTreeLoose::Classify(2, 7.0f, box), 2);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoQuadTreeLoose::kInvalidOrientation)));
}

TEST(VoQuadTreeLoose, BoxAndRayQueriesAreNotImplemented) {
    VoQuadTreeLoose tree;
    ASSERT_TRUE(tree.Create(kOrigin, 100.0f, 2));
    VoVector found;
    ASSERT_TRUE(tree.GetAllNodes(found));
    LogCapture log;
    EXPECT_FALSE(tree.GetNodesIntersecting(VoBox2(0.0f, 0.0f, 1.0f, 1.0f), found, false));
    EXPECT_EQ(found.GetCount(), 0);
    ASSERT_TRUE(tree.GetAllNodes(found));
    EXPECT_FALSE(tree.GetNodesIntersectingRay(kOrigin, VoVector2(1.0f, 0.0f), found, false));
    EXPECT_EQ(found.GetCount(), 0);
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure(VoLooseTreeText::kNotImplemented),
                                         IsAssertFailure(VoLooseTreeText::kNotImplemented)));
}

TEST(VoQuadTreeLoose, RefusesATreeNeverCreatedAndBadArguments) {
    LogCapture log;
    VoQuadTreeLoose tree;
    VoBase object;
    VoVector found;
    EXPECT_FALSE(tree.Insert(&object, VoBox2(0.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_FALSE(tree.GetNodesContainingPt(kOrigin, found, false));
    EXPECT_FALSE(tree.Create(kOrigin, 10.0f, 0));
    ASSERT_TRUE(tree.Create(kOrigin, 10.0f, 1));
    EXPECT_FALSE(tree.Insert(nullptr, VoBox2(0.0f, 0.0f, 1.0f, 1.0f)));
    ASSERT_TRUE(tree.SetupChildren(tree.GetRoot()));
    EXPECT_FALSE(tree.SetupChildren(tree.GetRoot()));
    EXPECT_EQ(tree.GetRoot()->GetChild(1, 0)->centre, VoVector2(2.5f, -2.5f));
    EXPECT_THAT(log.Lines(), ElementsAre(IsAssertFailure("Insert failure. Tree not created."),
                                         IsAssertFailure("GetNodesContainingPt failure. Tree not created."),
                                         IsAssertFailure(VoLooseTreeText::kInvalidLevels),
                                         IsAssertFailure(VoLooseTreeText::kInsertNull),
                                         IsAssertFailure(VoLooseTreeText::kSetupChildren)));
}
