#include "gdi/VoIDisplayObject.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoPolygon.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;

// A group at the given place holding one probe; the group owns it.
struct GroupWithMember {
    GroupWithMember() {
        group.SetId(VoString(u"group"));
        member = new ProbeObject2D("member");
        EXPECT_TRUE(group.AddMember(member, true));
    }
    VoDisplayGroup group;
    ProbeObject2D* member;
};

std::vector<VoVector2> Points(const VoPolygon& aPolygon) {
    return std::vector<VoVector2>(aPolygon.PeekPoints(), aPolygon.PeekPoints() + aPolygon.GetNumPoints());
}

}  // namespace

TEST(VoIDisplayObject, ANewObjectIsEffectivelyOnOpaqueAndAtTheOrigin) {
    ProbeObject2D object("a");
    EXPECT_TRUE(object.GetEffectiveActive());
    EXPECT_TRUE(object.GetEffectiveVisible());
    EXPECT_TRUE(object.GetEffectiveEnabled());
    EXPECT_EQ(object.GetEffectiveBlend(), 1.0f);
    EXPECT_EQ(object.GetEffectiveRotation(), 0.0f);
    VoVector2 scale;
    object.GetEffectiveScale(scale);
    EXPECT_EQ(scale, VoVector2(1.0f, 1.0f));
    EXPECT_EQ(WorldPosition(object), VoVector2(0.0f, 0.0f));
    EXPECT_FALSE(object.GetUnscaled());
    EXPECT_FALSE(object.GetPixelSnap());

    VoPolygon boundary;
    VoRectangle rectangle(1.0f, 2.0f, 3.0f, 4.0f);
    EXPECT_FALSE(object.GetWorldBoundary(boundary));
    EXPECT_FALSE(object.GetWorldRectangle(rectangle));
    EXPECT_EQ(rectangle, VoRectangle(1.0f, 2.0f, 3.0f, 4.0f));
    EXPECT_FALSE(object.HitTest(VoVector2(0.0f, 0.0f)));
}

TEST(VoIDisplayObject, BlendIsClampedToZeroToOne) {
    struct Case {
        float given;
        float stored;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Case& c : {Case{1.5f, 1.0f}, Case{1.0f, 1.0f}, Case{0.25f, 0.25f}, Case{0.0f, 0.0f},
                          Case{-0.2f, 0.0f}, Case{nan, 0.0f}, Case{inf, 1.0f}, Case{-inf, 0.0f}}) {
        ProbeObject2D object("a");
        EXPECT_TRUE(object.SetBlend(c.given));
        EXPECT_EQ(object.GetBlend(), c.stored) << c.given;
        EXPECT_EQ(object.GetEffectiveBlend(), c.stored) << c.given;
    }
}

TEST(VoIDisplayObject, AnEmptyIdIsRefusedAndTheOldOneKept) {
    ProbeObject2D object("a");
    EXPECT_FALSE(object.SetId(VoString(u"")));
    EXPECT_FALSE(object.SetId(VoString()));
    EXPECT_EQ(Narrow(object.GetId()), "a");
    EXPECT_TRUE(object.SetId(VoString(u"b")));
    EXPECT_EQ(Narrow(object.GetId()), "b");
}

TEST(VoIDisplayObject, WorldPositionComposesTheGroupsTransform) {
    struct Case {
        VoVector2 groupPosition;
        float groupScale;
        float groupRotation;
        VoVector2 memberPosition;
        VoVector2 expected;
    };
    for (const Case& c : {
             Case{{10.0f, 20.0f}, 1.0f, 0.0f, {100.0f, 50.0f}, {110.0f, 70.0f}},
             Case{{0.0f, 0.0f}, 2.0f, 0.0f, {10.0f, 0.0f}, {20.0f, 0.0f}},
             Case{{10.0f, 20.0f}, 2.0f, 0.0f, {10.0f, 0.0f}, {30.0f, 20.0f}},
             // Counter-clockwise on the screen: the group's x axis points up.
             Case{{100.0f, 100.0f}, 1.0f, 90.0f, {10.0f, 0.0f}, {100.0f, 90.0f}},
             Case{{100.0f, 100.0f}, 1.0f, -90.0f, {10.0f, 0.0f}, {100.0f, 110.0f}},
             Case{{100.0f, 100.0f}, 2.0f, 90.0f, {0.0f, 10.0f}, {120.0f, 100.0f}},
         }) {
        GroupWithMember tree;
        tree.group.SetPosition(c.groupPosition);
        tree.group.SetScale(c.groupScale);
        tree.group.SetRotation(c.groupRotation);
        tree.member->SetPosition(c.memberPosition);
        EXPECT_THAT(WorldPosition(*tree.member), IsNear2D(c.expected.x, c.expected.y))
            << "group scale " << c.groupScale << " rotation " << c.groupRotation;
        VoVector2 inGroup;
        EXPECT_EQ(tree.member->GetPositionInGroup(inGroup), c.memberPosition);
    }
}

TEST(VoIDisplayObject, ScaleAndRotationInheritWhileTheOwnValuesStay) {
    GroupWithMember tree;
    tree.group.SetScale(2.0f, 3.0f);
    tree.group.SetRotation(30.0f);
    tree.member->SetScale(0.5f);
    tree.member->SetRotation(15.0f);
    VoVector2 own;
    VoVector2 effective;
    tree.member->GetScale(own);
    tree.member->GetEffectiveScale(effective);
    EXPECT_EQ(own, VoVector2(0.5f, 0.5f));
    EXPECT_EQ(effective, VoVector2(1.0f, 1.5f));
    EXPECT_EQ(tree.member->GetRotation(), 15.0f);
    EXPECT_EQ(tree.member->GetEffectiveRotation(), 45.0f);

    tree.group.SetScale(1.0f);
    tree.member->GetEffectiveScale(effective);
    EXPECT_EQ(effective, VoVector2(0.5f, 0.5f));
}

TEST(VoIDisplayObject, TheCentreIsWhereThePositionPutsTheObject) {
    ProbeObject2D object("a");
    object.SetPosition(100.0f, 100.0f);
    object.SetCenter(5.0f, 5.0f);
    EXPECT_THAT(WorldPosition(object), IsNear2D(95.0f, 95.0f));
    object.Validate();  // as drawing does
    object.SetCenter(VoVector2(10.0f, 0.0f));
    EXPECT_THAT(WorldPosition(object), IsNear2D(90.0f, 100.0f));
    // Scale and rotation turn about the centre.
    object.SetScale(2.0f);
    EXPECT_THAT(WorldPosition(object), IsNear2D(80.0f, 100.0f));
    object.SetRotation(90.0f);
    EXPECT_THAT(WorldPosition(object), IsNear2D(100.0f, 120.0f));
}

TEST(VoIDisplayObject, HitTestFollowsTheRotatedBoundaryEdgesIncluded) {
    // 100 x 50 turned a quarter counter-clockwise about its origin at (200, 200):
    // it covers x 200..250, y 100..200 on the screen.
    ProbeObject2D object("a");
    object.SetBoundary(VoRectangle(0.0f, 0.0f, 100.0f, 50.0f));
    object.SetPosition(200.0f, 200.0f);
    object.SetRotation(90.0f);
    struct Case {
        VoVector2 point;
        bool hit;
    };
    for (const Case& c :
         {Case{{225.0f, 150.0f}, true}, Case{{200.0f, 100.0f}, true}, Case{{250.0f, 200.0f}, true},
          Case{{250.0f, 150.0f}, true}, Case{{225.0f, 200.0f}, true}, Case{{260.0f, 150.0f}, false},
          Case{{225.0f, 99.0f}, false}, Case{{225.0f, 201.0f}, false}, Case{{250.0f, 225.0f}, false}}) {
        EXPECT_EQ(object.HitTest(c.point), c.hit) << c.point.x << ", " << c.point.y;
    }
    VoPolygon world;
    ASSERT_TRUE(object.GetWorldBoundary(world));
    VoRectangle bounds(world);
    EXPECT_NEAR(bounds.x, 200.0f, 1e-3f);
    EXPECT_NEAR(bounds.y, 100.0f, 1e-3f);
    EXPECT_NEAR(bounds.width, 50.0f, 1e-3f);
    EXPECT_NEAR(bounds.height, 100.0f, 1e-3f);
}

TEST(VoIDisplayObject, EveryEdgeOfAnUnturnedBoundaryBelongsToIt) {
    ProbeObject2D object("a");
    object.SetBoundary(VoRectangle(10.0f, 20.0f, 30.0f, 40.0f));
    for (const VoVector2& point :
         {VoVector2(10.0f, 20.0f), VoVector2(40.0f, 20.0f), VoVector2(40.0f, 60.0f), VoVector2(10.0f, 60.0f),
          VoVector2(25.0f, 60.0f), VoVector2(40.0f, 40.0f)}) {
        EXPECT_TRUE(object.HitTest(point)) << point.x << ", " << point.y;
    }
    EXPECT_FALSE(object.HitTest(VoVector2(40.01f, 40.0f)));
    EXPECT_FALSE(object.HitTest(VoVector2(25.0f, 60.01f)));
}

TEST(VoIDisplayObject, HitTestAsksActiveAndEnabledButNotVisible) {
    GroupWithMember tree;
    tree.member->SetBoundary(VoRectangle(0.0f, 0.0f, 10.0f, 10.0f));
    const VoVector2 inside(5.0f, 5.0f);
    EXPECT_TRUE(tree.member->HitTest(inside));
    tree.member->SetVisible(false);
    EXPECT_TRUE(tree.member->HitTest(inside));
    tree.group.SetVisible(false);
    EXPECT_TRUE(tree.member->HitTest(inside));
    tree.member->SetActive(false);
    EXPECT_FALSE(tree.member->HitTest(inside));
    tree.member->SetActive(true);
    tree.member->SetEnabled(false);
    EXPECT_FALSE(tree.member->HitTest(inside));
    tree.member->SetEnabled(true);
    tree.group.SetEnabled(false);
    EXPECT_FALSE(tree.member->HitTest(inside));
    tree.group.SetEnabled(true);
    tree.group.SetActive(false);
    EXPECT_FALSE(tree.member->HitTest(inside));
    tree.group.SetActive(true);
    EXPECT_TRUE(tree.member->HitTest(inside));
    // Moving the group moves the hit area.
    tree.group.SetPosition(100.0f, 0.0f);
    EXPECT_FALSE(tree.member->HitTest(inside));
    EXPECT_TRUE(tree.member->HitTest(VoVector2(105.0f, 5.0f)));
}

TEST(VoIDisplayObject, WorldBoundaryComesBackInScreenOrientation) {
    ProbeObject2D object("a");
    const VoVector2 triangle[] = {{0.0f, 0.0f}, {10.0f, 0.0f}, {0.0f, 20.0f}};
    VoPolygon region(triangle, 3, true);
    EXPECT_TRUE(object.SetBoundary(region));
    region.Clear();  // the object keeps a copy
    object.SetPosition(5.0f, 5.0f);
    VoPolygon world;
    ASSERT_TRUE(object.GetWorldBoundary(world));
    EXPECT_THAT(Points(world),
                ElementsAre(VoVector2(5.0f, 5.0f), VoVector2(15.0f, 5.0f), VoVector2(5.0f, 25.0f)));
    EXPECT_TRUE(world.IsClosed());
    ASSERT_NE(object.GetBoundary(), nullptr);
    EXPECT_EQ(object.GetBoundary()->GetNumPoints(), 3);
}

TEST(VoIDisplayObject, TheClipRectangleIsClippedAtAllFourScreenEdges) {
    struct Case {
        VoRectangle local;
        VoVector2 position;
        bool exists;
        VoRectangle world;
    };
    for (const Case& c : {
             Case{{-10.0f, 5.0f, 30.0f, 20.0f}, {0.0f, 0.0f}, true, {0.0f, 5.0f, 20.0f, 20.0f}},
             Case{{-40.0f, 0.0f, 30.0f, 10.0f}, {0.0f, 0.0f}, false, {}},
             Case{{0.0f, 0.0f, 10.0f, 10.0f}, {100.0f, 100.0f}, true, {100.0f, 100.0f, 10.0f, 10.0f}},
             Case{{5.0f, -20.0f, 10.0f, 30.0f}, {0.0f, 0.0f}, true, {5.0f, 0.0f, 10.0f, 10.0f}},
             Case{{790.0f, 0.0f, 30.0f, 10.0f}, {0.0f, 0.0f}, true, {790.0f, 0.0f, 10.0f, 10.0f}},
             Case{{0.0f, 10.0f, 10.0f, 30.0f}, {0.0f, 580.0f}, true, {0.0f, 590.0f, 10.0f, 10.0f}},
             Case{{-10.0f, -10.0f, 900.0f, 700.0f}, {0.0f, 0.0f}, true, {0.0f, 0.0f, 800.0f, 600.0f}},
             Case{{810.0f, 0.0f, 10.0f, 10.0f}, {0.0f, 0.0f}, false, {}},
             Case{{0.0f, 0.0f, 10.0f, 10.0f}, {0.0f, 601.0f}, false, {}},
             // An edge-on rectangle still counts.
             Case{{800.0f, 0.0f, 10.0f, 10.0f}, {0.0f, 0.0f}, true, {800.0f, 0.0f, 0.0f, 10.0f}},
             Case{{-30.0f, 0.0f, 30.0f, 10.0f}, {0.0f, 0.0f}, true, {0.0f, 0.0f, 0.0f, 10.0f}},
         }) {
        ProbeObject2D object("a");
        object.SetPosition(c.position);
        EXPECT_TRUE(object.SetRectangle(c.local));
        VoRectangle world(-1.0f, -1.0f, -1.0f, -1.0f);
        EXPECT_EQ(object.GetWorldRectangle(world), c.exists) << ::testing::PrintToString(c.local);
        if (c.exists) {
            EXPECT_EQ(world, c.world) << ::testing::PrintToString(c.local);
        }
    }
}

TEST(VoIDisplayObject, HidingAGroupHidesItsDescendantsWithoutTouchingTheirFlags) {
    VoDisplayGroup outer;
    outer.SetId(VoString(u"outer"));
    VoDisplayGroup* inner = new VoDisplayGroup();
    inner->SetId(VoString(u"inner"));
    ProbeObject2D* leaf = new ProbeObject2D("leaf");
    inner->AddMember(leaf, true);
    outer.AddMember(inner, true);
    EXPECT_TRUE(leaf->GetEffectiveVisible());

    outer.SetVisible(false);
    EXPECT_FALSE(inner->GetEffectiveVisible());
    EXPECT_FALSE(leaf->GetEffectiveVisible());
    EXPECT_TRUE(inner->GetVisible());
    EXPECT_TRUE(leaf->GetVisible());
    outer.SetVisible(true);
    EXPECT_TRUE(leaf->GetEffectiveVisible());

    outer.SetBlend(0.5f);
    inner->SetBlend(0.5f);
    leaf->SetBlend(0.5f);
    EXPECT_FLOAT_EQ(leaf->GetEffectiveBlend(), 0.125f);
    outer.SetEnabled(false);
    EXPECT_FALSE(leaf->GetEffectiveEnabled());
    EXPECT_TRUE(leaf->GetEnabled());
    outer.SetActive(false);
    EXPECT_FALSE(leaf->GetEffectiveActive());
    outer.SetActive(true);
    EXPECT_TRUE(leaf->GetEffectiveActive());
}

TEST(VoIDisplayObject, ValuesReadBeforeJoiningAGroupFollowItAfterwards) {
    VoDisplayGroup group;
    group.SetId(VoString(u"group"));
    group.SetBlend(0.5f);
    group.SetVisible(false);
    group.SetPosition(10.0f, 20.0f);
    ProbeObject2D* member = new ProbeObject2D("member");
    member->Validate();  // every cache filled while on its own
    EXPECT_EQ(member->GetEffectiveBlend(), 1.0f);

    ASSERT_TRUE(group.AddMember(member, true));
    EXPECT_EQ(member->GetEffectiveBlend(), 0.5f);
    EXPECT_FALSE(member->GetEffectiveVisible());
    EXPECT_EQ(WorldPosition(*member), VoVector2(10.0f, 20.0f));

    ASSERT_TRUE(group.RemoveMember(member));
    EXPECT_EQ(member->GetGroup(), nullptr);
    EXPECT_EQ(member->GetEffectiveBlend(), 1.0f);
    EXPECT_TRUE(member->GetEffectiveVisible());
    EXPECT_EQ(WorldPosition(*member), VoVector2(0.0f, 0.0f));
    delete member;
}

TEST(VoIDisplayObject, SetGroupRefusesNullASecondGroupAndALoop) {
    LogCapture log;
    VoDisplayGroup first;
    VoDisplayGroup second;
    ProbeObject2D object("a");
    EXPECT_FALSE(object.SetGroup(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoIDisplayObject::kSetGroupNull));
    EXPECT_TRUE(object.SetGroup(&first));
    EXPECT_FALSE(object.SetGroup(&second));
    EXPECT_TRUE(log.Logged("ERROR: ", VoIDisplayObject::kSetGroupAssigned));
    EXPECT_EQ(object.GetGroup(), &first);
    EXPECT_FALSE(first.SetGroup(&first));
    EXPECT_TRUE(log.Logged("ERROR: ", VoIDisplayObject::kSetGroupCycle));
    EXPECT_EQ(first.GetGroup(), nullptr);
    // SetGroup only links; the group's AddMember enters the list.
    EXPECT_EQ(first.GetMemberCount(), 0);
}

TEST(VoIDisplayObject, DeletingAMemberTakesItOutOfItsGroup) {
    GroupWithMember tree;
    delete tree.member;
    EXPECT_EQ(tree.group.GetMemberCount(), 0);
    EXPECT_EQ(tree.group.GetMember(VoString(u"member")), nullptr);
}
