#include "scene/VoNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/VoDrawElement.h"
#include "scene/VoNodeGroup.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"
#include "support/SceneTestSupport.h"
#include "support/ScopedEngine.h"
#include "support/TestText.h"

namespace {

// A node that counts its recomputations and answers Render as told,
// writing its id to a shared list when drawn.
class ProbeNode : public VoINodeObject {
public:
    explicit ProbeNode(const char16_t* apId = u"", std::vector<std::string>* apDrawn = nullptr)
        : fpDrawn(apDrawn) {
        SetNodeId(VoString(apId));
    }
    bool Render() override {
        if (fpDrawn != nullptr) {
            fpDrawn->push_back(Narrow(GetNodeId()));
        }
        return fRenderResult;
    }
    bool RecomputeVisible() override {
        ++fVisibleRecomputes;
        return VoINodeObject::RecomputeVisible();
    }
    bool RecomputeTransform() override {
        ++fTransformRecomputes;
        return VoINodeObject::RecomputeTransform();
    }

    std::vector<std::string>* fpDrawn;
    bool fRenderResult = true;
    int fVisibleRecomputes = 0;
    int fTransformRecomputes = 0;
};

}  // namespace

TEST(VoINodeObject, ANewNodeIsVisibleActiveAndAtTheIdentity) {
    ScopedEngine engine;
    ProbeNode node;
    EXPECT_TRUE(node.IsVisibleDirty() && node.IsActiveDirty() && node.IsTransformDirty());
    EXPECT_TRUE(node.IsVisible());
    EXPECT_TRUE(node.IsActive());
    EXPECT_TRUE(MatrixNear(node.GetAbsoluteMatrix(), Identity(), 0.0f));
    EXPECT_EQ(Narrow(node.ToString()), "[VoINodeObject <" + HexAddress(&node) + ">]");
    EXPECT_FALSE(node.OnLoad(nullptr, 1.0f));
    EXPECT_FALSE(node.Save(nullptr));
}

TEST(VoINodeObject, StatesAreRecomputedOnlyWhenReadWhileDirty) {
    ScopedEngine engine;
    ProbeNode node;
    EXPECT_TRUE(node.IsVisible());
    EXPECT_TRUE(node.IsVisible());
    EXPECT_EQ(node.fVisibleRecomputes, 1);
    // The same value leaves the state clean; a new one makes the next read recompute.
    node.SetVisible(true);
    EXPECT_FALSE(node.IsVisibleDirty());
    node.SetVisible(false);
    EXPECT_TRUE(node.IsVisibleDirty());
    EXPECT_EQ(node.fVisibleRecomputes, 1);
    EXPECT_FALSE(node.IsVisible());
    EXPECT_EQ(node.fVisibleRecomputes, 2);
    EXPECT_FALSE(node.GetVisible());
    node.InvalidateVisible();
    node.IsVisible();
    EXPECT_EQ(node.fVisibleRecomputes, 3);
}

TEST(VoINodeObject, SettersReplaceTheRelativeMatrixAndLeaveTheTransformClean) {
    ScopedEngine engine;
    ProbeNode node;
    node.GetAbsoluteMatrix();
    ASSERT_TRUE(node.SetTranslation(1.0f, 2.0f, 3.0f));
    EXPECT_TRUE(MatrixNear(node.GetRelativeMatrix(), Translation(1, 2, 3), 0.0f));
    // Not yet invalidated: the old absolute matrix stands.
    EXPECT_TRUE(MatrixNear(node.GetAbsoluteMatrix(), Identity(), 0.0f));
    EXPECT_EQ(node.fTransformRecomputes, 1);
    node.InvalidateTransform();
    EXPECT_TRUE(MatrixNear(node.GetAbsoluteMatrix(), Translation(1, 2, 3), 0.0f));
    EXPECT_EQ(node.fTransformRecomputes, 2);

    // Each setter overwrites the whole matrix rather than composing.
    node.SetScale(VoVector3(2.0f, 3.0f, 4.0f));
    VoMatrix scaling;
    MatrixScaling(&scaling, 2, 3, 4);
    EXPECT_TRUE(MatrixNear(node.GetRelativeMatrix(), scaling, 0.0f));
    node.SetRotationZDeg(90.0f);
    VoMatrix rotation;
    MatrixRotationZ(&rotation, 90.0f * 0.01745329f);
    EXPECT_TRUE(MatrixNear(node.GetRelativeMatrix(), rotation, 0.0f));
}

TEST(VoINodeObject, AGroupsStatesAndTransformReachAMemberThroughItsLinks) {
    ScopedEngine engine;
    ProbeNode group(u"group");
    ProbeNode member(u"member");
    ASSERT_TRUE(member.SetGroup(&group));
    group.SetTranslation(10.0f, 0.0f, 0.0f);
    group.InvalidateTransform();
    member.SetTranslation(0.0f, 1.0f, 0.0f);
    member.InvalidateTransform();
    EXPECT_TRUE(MatrixNear(member.GetAbsoluteMatrix(), Translation(10, 1, 0), 0.0f));

    EXPECT_TRUE(member.IsVisible());
    group.SetVisible(false);
    // The member's state is clean: the group's change is not pushed down.
    EXPECT_TRUE(member.IsVisible());
    member.InvalidateVisible();
    EXPECT_FALSE(member.IsVisible());
    group.SetVisible(true);
    EXPECT_FALSE(member.IsVisible());
    member.InvalidateVisible();
    EXPECT_TRUE(member.IsVisible());

    group.SetActive(false);
    member.InvalidateActive();
    EXPECT_FALSE(member.IsActive());
    EXPECT_TRUE(member.GetActive());
}

TEST(VoINodeObject, SetGroupRefusesNullAndAGroupChainThatComesBack) {
    ScopedEngine engine;
    LogCapture log;
    ProbeNode a(u"a");
    ProbeNode b(u"b");
    EXPECT_FALSE(a.SetGroup(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoINodeObject::kSetGroupNull));
    ASSERT_TRUE(b.SetGroup(&a));
    EXPECT_FALSE(a.SetGroup(&b));
    EXPECT_FALSE(a.SetGroup(&a));
    EXPECT_EQ(log.Count(VoINodeObject::kSetGroupCycle), 2);
    EXPECT_EQ(a.GetGroup(), nullptr);
}

TEST(VoNode, ElementsAreOwnedRenderedInOrderAndCheckedOnTheWay) {
    RecordingEngine engine;
    LogCapture log;
    VoNode node;
    EXPECT_TRUE(node.Render());
    auto* first = new VoDrawElement();
    auto* second = new VoDrawElement();
    ASSERT_TRUE(node.AddElement(first));
    ASSERT_TRUE(node.AddElement(second));
    EXPECT_FALSE(node.AddElement(first));
    EXPECT_TRUE(log.Logged("ERROR: ", VoNode::kAddElementDuplicate));
    EXPECT_FALSE(node.AddElement(nullptr));
    EXPECT_EQ(node.GetElements().GetCount(), 2);
    EXPECT_EQ(node.GetElement(1), second);

    log.Clear();
    EXPECT_EQ(node.GetElement(-1), nullptr);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(node.GetElement(2), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", VoNode::kGetElementOutOfBounds));

    // Taken out, the element is the caller's again.
    EXPECT_TRUE(node.RemoveElement(first));
    EXPECT_FALSE(node.RemoveElement(first));
    EXPECT_EQ(node.GetElement(0), second);
    EXPECT_TRUE(node.Render());
    delete first;
}

TEST(VoNodeGroup, MembersAreFiledByIdAndRenderedInInsertionOrder) {
    ScopedEngine engine;
    LogCapture log;
    std::vector<std::string> drawn;
    VoNodeGroup group;
    EXPECT_TRUE(group.Render());
    EXPECT_TRUE(group.InvalidateTransform());
    ProbeNode b(u"b", &drawn);
    ProbeNode a(u"a", &drawn);
    ProbeNode c(u"c", &drawn);
    for (ProbeNode* node : {&b, &a, &c}) {
        ASSERT_TRUE(group.AddMember(node));
    }
    EXPECT_EQ(group.GetMember(VoString(u"a")), &a);
    EXPECT_EQ(group.GetMember(VoString(u"A")), nullptr);
    a.fRenderResult = false;
    EXPECT_FALSE(group.Render());
    EXPECT_EQ(drawn, (std::vector<std::string>{"b", "a", "c"}));
    // Filing does not link the member to the group.
    EXPECT_EQ(a.GetGroup(), nullptr);
    EXPECT_EQ(Narrow(group.ToString()), "[VoNodeGroup <" + HexAddress(&group) + ">]");
}

TEST(VoNodeGroup, AddMemberRefusesNullNamelessAndDuplicateIds) {
    ScopedEngine engine;
    LogCapture log;
    VoNodeGroup group;
    ProbeNode nameless;
    ProbeNode first(u"lamp");
    ProbeNode second(u"lamp");
    EXPECT_FALSE(group.AddMember(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoNodeGroup::kAddMemberNull));
    EXPECT_FALSE(group.AddMember(&nameless));
    EXPECT_TRUE(log.Logged("ERROR: ", VoNodeGroup::kAddMemberNoId));
    ASSERT_TRUE(group.AddMember(&first));
    EXPECT_FALSE(group.AddMember(&second));
    EXPECT_TRUE(log.Logged("ERROR: ", "AddMember failure. ID:lamp"));
    EXPECT_EQ(group.GetMemberCount(), 1);
}

TEST(VoNodeGroup, RemoveMemberHandsTheMemberOut) {
    ScopedEngine engine;
    LogCapture log;
    VoNodeGroup group;
    ProbeNode lamp(u"lamp");
    group.AddMember(&lamp);
    EXPECT_FALSE(group.RemoveMember(VoString(u"lamp"), nullptr));
    VoINodeObject* out = &lamp;
    EXPECT_FALSE(group.RemoveMember(VoString(u"lamp"), &out));
    EXPECT_EQ(log.Count(VoNodeGroup::kInvalidArg), 2);
    out = nullptr;
    EXPECT_TRUE(group.RemoveMember(VoString(u"chair"), &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(group.RemoveMember(VoString(u"lamp"), &out));
    EXPECT_EQ(out, &lamp);
    EXPECT_EQ(group.GetMemberCount(), 0);
}

TEST(VoNodeGroup, InvalidateTransformReachesEveryMemberButNotTheGroup) {
    ScopedEngine engine;
    VoNodeGroup group;
    ProbeNode a(u"a");
    ProbeNode b(u"b");
    group.AddMember(&a);
    group.AddMember(&b);
    group.GetAbsoluteMatrix();
    a.GetAbsoluteMatrix();
    b.GetAbsoluteMatrix();
    EXPECT_TRUE(group.InvalidateTransform());
    EXPECT_TRUE(a.IsTransformDirty());
    EXPECT_TRUE(b.IsTransformDirty());
    EXPECT_FALSE(group.IsTransformDirty());
}
