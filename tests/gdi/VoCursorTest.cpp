#include "gdi/VoCursor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WidgetProbes.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;

// Notes where "cursorgroup" is when it hears a move.
class Follower : public VoIMouseListener {
public:
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {
        fSeen = VoCursor::GetInstance()->GetGroup()->GetPosition();
    }
    void OnButtonUp(int) override {}

    VoVector2 fSeen;
};

class VoCursorTest : public ::testing::Test {
protected:
    Look* AddLook(const char16_t* apState, const char* apId) {
        Look* look = new Look(apId, &fJournal);
        EXPECT_TRUE(fCursor->AddState(VoString(apState), look));
        return look;
    }
    void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        fMouse->Move(&position);
    }

    RecordingEngine fEngine;
    VoCursor* fCursor = VoCursor::GetInstance();
    VoMouse* fMouse = VoMouse::GetInstance();
    Journal fJournal;
};

}  // namespace

TEST_F(VoCursorTest, MadeOnceWithItsGroupOnTopOfTheRootAndGoneAfterShutDown) {
    ASSERT_NE(fCursor, nullptr);
    EXPECT_EQ(VoCursor::GetInstance(), fCursor);
    VoDisplayGroup* group = fCursor->GetGroup();
    EXPECT_EQ(Narrow(group->GetId()), "cursorgroup");
    EXPECT_EQ(group->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_EQ(Narrow(fCursor->ToString()), "[VoCursor <" + HexAddress(fCursor) + ">]");

    AddLook(u"a", "cursor");
    ProbeObject2D* below = new ProbeObject2D("below", &fJournal);
    below->SetRelativeZ(9999.0f);
    VoDisplayManager::GetInstance()->AddMember(below);
    VoDisplayManager::GetInstance()->Render();
    EXPECT_THAT(fJournal, ElementsAre("below", "cursor"));

    fEngine.ShutDown();
    EXPECT_EQ(VoCursor::GetInstance(), nullptr);
}

TEST_F(VoCursorTest, TheGroupFollowsTheMouseBeforeOtherListenersHear) {
    Follower follower;
    fMouse->AddListener(&follower, 0.0f);
    MoveTo(320.0f, 240.0f);
    EXPECT_EQ(fCursor->GetGroup()->GetPosition(), VoVector2(320.0f, 240.0f));
    EXPECT_EQ(follower.fSeen, VoVector2(320.0f, 240.0f));
    fMouse->RemoveListener(&follower);
}

TEST_F(VoCursorTest, SetStateShowsOneLookAndAnUnknownIdKeepsIt) {
    Look* arrow = AddLook(u"arrow", "arrowlook");
    Look* hand = AddLook(u"hand", "handlook");
    EXPECT_TRUE(fCursor->SetState(VoString(u"hand")));
    LogCapture log;
    EXPECT_FALSE(fCursor->SetState(VoString(u"nope")));
    EXPECT_TRUE(log.Logged("ERROR: ", "SetState failure. Invalid id:nope"));
    EXPECT_TRUE(hand->GetActive());
    EXPECT_FALSE(arrow->GetActive());
    VoDisplayManager::GetInstance()->Render();
    EXPECT_THAT(fJournal, ElementsAre("handlook"));
}

TEST_F(VoCursorTest, AddAndRemoveStates) {
    LogCapture log;
    EXPECT_FALSE(fCursor->AddState(VoString(u"a"), nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoCursor::kAddStateNull));
    Look* first = AddLook(u"a", "first");
    // A second state under one id: refused by the list, but the look joins the group.
    Look* second = new Look("second");
    EXPECT_TRUE(fCursor->AddState(VoString(u"a"), second));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_EQ(fCursor->GetStateCount(), 1);
    EXPECT_EQ(second->GetGroup(), fCursor->GetGroup());
    // A look the group refuses (its id is in use) stays the caller's and no state names it.
    Look clash("first");
    EXPECT_FALSE(fCursor->AddState(VoString(u"b"), &clash));
    EXPECT_EQ(fCursor->GetStateCount(), 1);

    VoIDisplayObject* out = nullptr;
    EXPECT_FALSE(fCursor->RemoveState(VoString(u"b"), &out));
    EXPECT_FALSE(fCursor->RemoveState(VoString(u"a"), nullptr));
    EXPECT_TRUE(fCursor->RemoveState(VoString(u"a"), &out));
    EXPECT_EQ(out, first);
    EXPECT_EQ(first->GetGroup(), nullptr);
    delete first;
}

TEST_F(VoCursorTest, SetActiveHidesAndShowsAtThePointer) {
    VoDisplayGroup* group = fCursor->GetGroup();
    EXPECT_TRUE(fCursor->IsActive());
    fCursor->SetActive(false);
    EXPECT_FALSE(group->GetActive());
    MoveTo(50.0f, 60.0f);
    group->SetPosition(0.0f, 0.0f);
    fCursor->SetActive(false);  // unchanged: nothing happens
    EXPECT_EQ(group->GetPosition(), VoVector2(0.0f, 0.0f));
    fCursor->SetActive(true);
    EXPECT_TRUE(group->GetActive());
    EXPECT_EQ(group->GetPosition(), VoVector2(50.0f, 60.0f));
}
