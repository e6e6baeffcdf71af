#include "gdi/VoDisplayGroup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoRenderer.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;

VoDisplayGroup* NewGroup(const char* apId) {
    VoDisplayGroup* group = new VoDisplayGroup();
    group->SetId(VoString(apId));
    return group;
}

// The ids of the members in drawing order.
std::vector<std::string> Order(VoDisplayGroup& aGroup) {
    std::vector<std::string> ids;
    for (int i = 0; i < aGroup.GetMemberCount(); ++i) {
        ids.push_back(Narrow(aGroup.GetMemberAt(i)->GetId()));
    }
    return ids;
}

class VoDisplayGroupTest : public ::testing::Test {
protected:
    VoDisplayGroupTest() { fGroup.SetId(VoString(u"group")); }

    ProbeObject2D* Add(const char* apId, float aZ) {
        ProbeObject2D* probe = new ProbeObject2D(apId, &fJournal);
        probe->SetRelativeZ(aZ);
        EXPECT_TRUE(fGroup.AddMember(probe, true));
        return probe;
    }

    RecordingEngine fEngine;
    Journal fJournal;
    VoDisplayGroup fGroup;
};

}  // namespace

TEST_F(VoDisplayGroupTest, DrawsByRelativeZWithEqualZInTheOrderAdded) {
    Add("first z1", 1.0f);
    Add("z0", 0.0f);
    Add("second z1", 1.0f);
    Add("z0.5", 0.5f);
    EXPECT_TRUE(fGroup.Render(VoRenderer::GetInstance()));
    EXPECT_THAT(fJournal, ElementsAre("z0", "z0.5", "first z1", "second z1"));
}

TEST_F(VoDisplayGroupTest, ASecondMemberWithTheSameIdIsRefused) {
    LogCapture log;
    ProbeObject2D* first = Add("a", 0.0f);
    ProbeObject2D second("a");
    EXPECT_FALSE(fGroup.AddMember(&second, true));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kAddDuplicate) + "a"));
    EXPECT_EQ(fGroup.GetMember(VoString(u"a")), first);
    EXPECT_EQ(second.GetGroup(), nullptr);
    EXPECT_EQ(fGroup.GetMemberCount(), 1);
}

TEST_F(VoDisplayGroupTest, AddMemberRefusesWhatItCannotOwn) {
    LogCapture log;
    EXPECT_FALSE(fGroup.AddMember(nullptr, true));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayGroup::kAddNull));

    VoDisplayGroup anonymous;
    EXPECT_FALSE(fGroup.AddMember(&anonymous, true));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayGroup::kAddNoId));

    // A member of another group stays there.
    VoDisplayGroup other;
    other.SetId(VoString(u"other"));
    ProbeObject2D* taken = new ProbeObject2D("taken");
    ASSERT_TRUE(other.AddMember(taken, true));
    EXPECT_FALSE(fGroup.AddMember(taken, true));
    EXPECT_TRUE(log.Logged("ERROR: ", VoIDisplayObject::kSetGroupAssigned));
    EXPECT_EQ(fGroup.GetMemberCount(), 0);
    EXPECT_EQ(taken->GetGroup(), &other);

    // Nor may a group hold itself or one of its ancestors.
    EXPECT_FALSE(fGroup.AddMember(&fGroup, true));
    VoDisplayGroup* child = NewGroup("child");
    ASSERT_TRUE(fGroup.AddMember(child, true));
    VoDisplayGroup* grandchild = NewGroup("grandchild");
    ASSERT_TRUE(child->AddMember(grandchild, true));
    EXPECT_FALSE(grandchild->AddMember(&fGroup, true));
    EXPECT_EQ(log.Count(VoIDisplayObject::kSetGroupCycle), 2);
    EXPECT_EQ(grandchild->GetMemberCount(), 0);
}

TEST_F(VoDisplayGroupTest, RemoveMemberRemovesThatVeryObject) {
    LogCapture log;
    ProbeObject2D* member = Add("a", 0.0f);
    Add("b", 1.0f);

    // Its id changed while in the group: the group follows and finds it still.
    EXPECT_TRUE(member->SetId(VoString(u"renamed")));
    EXPECT_EQ(fGroup.GetMember(VoString(u"a")), nullptr);
    EXPECT_EQ(fGroup.GetMember(VoString(u"renamed")), member);
    EXPECT_THAT(Order(fGroup), ElementsAre("renamed", "b"));

    // Another object under the same id removes nothing.
    ProbeObject2D impostor("renamed");
    EXPECT_FALSE(fGroup.RemoveMember(&impostor));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kRemoveNotFound) + "renamed"));
    EXPECT_EQ(member->GetGroup(), &fGroup);
    EXPECT_EQ(fGroup.GetMemberCount(), 2);

    EXPECT_TRUE(fGroup.RemoveMember(member));
    EXPECT_EQ(member->GetGroup(), nullptr);
    EXPECT_THAT(Order(fGroup), ElementsAre("b"));
    EXPECT_FALSE(fGroup.RemoveMember(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayGroup::kRemoveNull));
    delete member;
}

TEST_F(VoDisplayGroupTest, SetIdReKeysInPlaceAndRefusesAnIdTaken) {
    LogCapture log;
    Add("a", 0.0f);
    ProbeObject2D* middle = Add("b", 1.0f);
    Add("c", 2.0f);
    EXPECT_FALSE(middle->SetId(VoString(u"c")));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kSetIdDuplicate) + "c"));
    EXPECT_EQ(Narrow(middle->GetId()), "b");
    EXPECT_TRUE(middle->SetId(VoString(u"z")));
    EXPECT_THAT(Order(fGroup), ElementsAre("a", "z", "c"));
    EXPECT_TRUE(fGroup.ReorderMember(VoString(u"z"), 5.0f));
    EXPECT_THAT(Order(fGroup), ElementsAre("a", "c", "z"));
}

TEST_F(VoDisplayGroupTest, RemoveMemberByIdHandsTheMemberBack) {
    LogCapture log;
    ProbeObject2D* member = Add("a", 0.0f);
    VoIDisplayObject* removed = nullptr;
    EXPECT_FALSE(fGroup.RemoveMember(VoString(u"missing"), &removed));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kRemoveNotFound) + "missing"));
    EXPECT_EQ(removed, nullptr);
    EXPECT_TRUE(fGroup.RemoveMember(VoString(u"a"), &removed));
    EXPECT_EQ(removed, member);
    EXPECT_EQ(member->GetGroup(), nullptr);

    // Free to join another group.
    VoDisplayGroup other;
    EXPECT_TRUE(other.AddMember(member, true));
}

TEST_F(VoDisplayGroupTest, AMemberGroupChangingItsZMovesInItsGroup) {
    Add("one", 1.0f);
    VoDisplayGroup* moving = NewGroup("moving");
    ASSERT_TRUE(fGroup.AddMember(moving, true));
    Add("three", 3.0f);
    EXPECT_THAT(Order(fGroup), ElementsAre("moving", "one", "three"));
    moving->SetPosition(7.0f, 8.0f);
    EXPECT_TRUE(moving->SetRelativeZ(5.0f));
    EXPECT_THAT(Order(fGroup), ElementsAre("one", "three", "moving"));
    EXPECT_EQ(moving->GetGroup(), &fGroup);
    EXPECT_EQ(moving->GetRelativeZ(), 5.0f);
    EXPECT_EQ(WorldPosition(*moving), VoVector2(7.0f, 8.0f));

    // A plain object keeps its place until it is added again.
    ProbeObject2D* plain = static_cast<ProbeObject2D*>(fGroup.GetMember(VoString(u"one")));
    EXPECT_TRUE(plain->SetRelativeZ(9.0f));
    EXPECT_THAT(Order(fGroup), ElementsAre("one", "three", "moving"));
    ASSERT_TRUE(fGroup.RemoveMember(plain));
    ASSERT_TRUE(fGroup.AddMember(plain, true));
    EXPECT_THAT(Order(fGroup), ElementsAre("three", "moving", "one"));

    LogCapture log;
    EXPECT_FALSE(fGroup.ReorderMember(VoString(u"missing"), 1.0f));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(VoDisplayGroup::kRemoveNotFound) + "missing"));
}

TEST_F(VoDisplayGroupTest, FindMemberWalksADottedPath) {
    VoDisplayGroup* panel = NewGroup("panel");
    VoDisplayGroup* box = NewGroup("box");
    ProbeObject2D* button = new ProbeObject2D("button");
    ProbeObject2D* deep = new ProbeObject2D("deep");
    ASSERT_TRUE(fGroup.AddMember(panel, true));
    ASSERT_TRUE(panel->AddMember(button, true));
    ASSERT_TRUE(panel->AddMember(box, true));
    ASSERT_TRUE(box->AddMember(deep, true));
    struct Case {
        const char16_t* path;
        VoIDisplayObject* found;
    };
    for (const Case& c :
         {Case{u"panel", panel}, Case{u"panel.button", button}, Case{u"panel.box.deep", deep},
          Case{u"button", nullptr}, Case{u"panel.missing", nullptr}, Case{u"missing.button", nullptr},
          Case{u"panel.button.deep", nullptr}, Case{u"", nullptr}, Case{u".", nullptr}}) {
        VoIDisplayObject* found = nullptr;
        EXPECT_EQ(fGroup.FindMember(VoString(c.path), found), c.found != nullptr) << Narrow(VoString(c.path));
        EXPECT_EQ(found, c.found) << Narrow(VoString(c.path));
        EXPECT_EQ(fGroup.GetMember(VoString(c.path)), c.found) << Narrow(VoString(c.path));
    }
}

TEST_F(VoDisplayGroupTest, LookupsWorkAfterUncheckedAdds) {
    for (const char* id : {"m5", "m1", "m4", "m2", "m3"}) {
        EXPECT_TRUE(fGroup.AddMember(new ProbeObject2D(id), false));
    }
    EXPECT_NE(fGroup.GetMember(VoString(u"m4")), nullptr);
    ProbeObject2D duplicate("m2");
    EXPECT_FALSE(fGroup.AddMember(&duplicate, false));
    VoIDisplayObject* removed = nullptr;
    EXPECT_TRUE(fGroup.RemoveMember(VoString(u"m1"), &removed));
    delete removed;
    EXPECT_TRUE(fGroup.SortMembers());
    EXPECT_THAT(Order(fGroup), ElementsAre("m5", "m4", "m2", "m3"));
    EXPECT_NE(fGroup.GetMember(VoString(u"m3")), nullptr);
}

TEST_F(VoDisplayGroupTest, DeletingAGroupDeletesEveryMemberBelowIt) {
    bool deleted[3] = {false, false, false};
    VoDisplayGroup* outer = NewGroup("outer");
    VoDisplayGroup* inner = NewGroup("inner");
    ASSERT_TRUE(fGroup.AddMember(outer, true));
    ASSERT_TRUE(outer->AddMember(new ProbeObject2D("a", nullptr, &deleted[0]), true));
    ASSERT_TRUE(outer->AddMember(inner, true));
    ASSERT_TRUE(inner->AddMember(new ProbeObject2D("b", nullptr, &deleted[1]), true));
    ASSERT_TRUE(inner->AddMember(new ProbeObject2D("c", nullptr, &deleted[2]), true));
    delete outer;
    EXPECT_TRUE(deleted[0] && deleted[1] && deleted[2]);
    EXPECT_EQ(fGroup.GetMemberCount(), 0);
}

TEST_F(VoDisplayGroupTest, AMemberThatDeletesASiblingOnItsWayOutIsDeletedOnce) {
    class Owner : public ProbeObject2D {
    public:
        Owner() : ProbeObject2D("owner") {}
        ~Owner() override { delete fpSibling; }
        VoIDisplayObject* fpSibling = nullptr;
    };
    bool siblingDeleted = false;
    VoDisplayGroup* group = NewGroup("g");
    Owner* owner = new Owner();
    owner->fpSibling = new ProbeObject2D("sibling", nullptr, &siblingDeleted);
    ASSERT_TRUE(group->AddMember(owner, true));
    ASSERT_TRUE(group->AddMember(owner->fpSibling, true));
    delete group;
    EXPECT_TRUE(siblingDeleted);
}

TEST_F(VoDisplayGroupTest, ASetterOnAGroupReachesTheWholeSubtree) {
    VoDisplayGroup* inner = NewGroup("inner");
    ProbeObject2D* leaf = new ProbeObject2D("leaf");
    ASSERT_TRUE(fGroup.AddMember(inner, true));
    ASSERT_TRUE(inner->AddMember(leaf, true));
    leaf->SetPosition(1.0f, 2.0f);
    inner->SetPosition(10.0f, 20.0f);
    EXPECT_EQ(WorldPosition(*leaf), VoVector2(11.0f, 22.0f));
    fGroup.SetPosition(100.0f, 200.0f);
    EXPECT_EQ(WorldPosition(*leaf), VoVector2(111.0f, 222.0f));
    fGroup.SetScale(2.0f);
    EXPECT_EQ(WorldPosition(*leaf), VoVector2(122.0f, 244.0f));
}

TEST_F(VoDisplayGroupTest, DrawsMembersAtTheirEffectiveBlend) {
    fGroup.SetBlend(0.5f);
    ProbeObject2D* member = Add("a", 0.0f);
    member->SetBlend(0.5f);
    float drawnAt = -1.0f;
    member->fOnRender = [&](VoRenderer*) { drawnAt = member->GetEffectiveBlend(); };
    EXPECT_TRUE(fGroup.Render(VoRenderer::GetInstance()));
    EXPECT_EQ(drawnAt, 0.25f);
}

TEST_F(VoDisplayGroupTest, AnInactiveOrHiddenGroupDrawsNothing) {
    Add("a", 0.0f)->fResult = false;
    VoRenderer* renderer = VoRenderer::GetInstance();
    EXPECT_FALSE(fGroup.Render(renderer));  // the AND of the members
    fJournal.clear();
    fGroup.SetVisible(false);
    EXPECT_TRUE(fGroup.Render(renderer));
    fGroup.SetVisible(true);
    fGroup.SetActive(false);
    EXPECT_TRUE(fGroup.Render(renderer));
    EXPECT_TRUE(fJournal.empty());

    LogCapture log;
    EXPECT_FALSE(fGroup.Render(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDisplayGroup::kRenderNull));
}

TEST_F(VoDisplayGroupTest, AClipRectangleNarrowsTheViewWhileTheMembersDraw) {
    VoRenderer* renderer = VoRenderer::GetInstance();
    RecordingRasterizer* raster = fEngine.Rasterizer();
    ASSERT_NE(raster, nullptr);
    fGroup.SetPosition(100.0f, 50.0f);
    fGroup.SetRectangle(VoRectangle(0.0f, 0.0f, 200.0f, 120.0f));
    VoDisplayGroup* inner = NewGroup("inner");
    inner->SetRectangle(VoRectangle(10.0f, 10.0f, 20.0f, 30.0f));
    ASSERT_TRUE(fGroup.AddMember(inner, true));
    std::vector<VoRectangle> views;
    auto note = [&](VoRenderer* apRenderer) {
        VoRectangle* view = apRenderer->GetViewRectangle();
        views.push_back(view != nullptr ? *view : VoRectangle(-1.0f, -1.0f, -1.0f, -1.0f));
    };
    Add("outer probe", 0.0f)->fOnRender = note;
    ProbeObject2D* innerProbe = new ProbeObject2D("inner probe");
    innerProbe->fOnRender = note;
    ASSERT_TRUE(inner->AddMember(innerProbe, true));
    Add("last probe", 5.0f)->fOnRender = note;

    raster->ClearCalls();
    EXPECT_TRUE(fGroup.Render(renderer));
    EXPECT_THAT(views, ElementsAre(VoRectangle(110.0f, 60.0f, 20.0f, 30.0f),
                                   VoRectangle(100.0f, 50.0f, 200.0f, 120.0f),
                                   VoRectangle(100.0f, 50.0f, 200.0f, 120.0f)));
    EXPECT_EQ(renderer->GetViewRectangle(), nullptr);
    EXPECT_THAT(raster->Texts("SetViewport"),
                ElementsAre("SetViewport(100, 50, 200, 120, 0, 1)", "SetViewport(110, 60, 20, 30, 0, 1)",
                            "SetViewport(100, 50, 200, 120, 0, 1)", "SetViewport(0, 0, 800, 600, 0, 1)"));
}
