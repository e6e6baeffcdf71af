#include "gdi/VoCursor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DisplayProbe.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;

// Draws (into the journal) only while effectively active, as drawables do.
class Look : public ProbeObject2D {
public:
    using ProbeObject2D::ProbeObject2D;
    bool Render(VoRenderer* apRenderer) override {
        Validate();
        return !GetEffectiveActive() || !GetEffectiveVisible() || ProbeObject2D::Render(apRenderer);
    }
};

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
    VoCursorTest() : fCursor(VoCursor::GetInstance()), fMouse(VoMouse::GetInstance()) {}

    Look* AddLook(const char* apState, const char* apId) {
        Look* look = new Look(apId, &fJournal);
        EXPECT_TRUE(fCursor->AddState(VoString(apState), look));
        return look;
    }
    void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        fMouse->Move(&position);
    }

    RecordingEngine fEngine;
    VoCursor* fCursor;
    VoMouse* fMouse;
    Journal fJournal;
};

}  // namespace

TEST_F(VoCursorTest, MadeOnceWithItsGroupOnTopOfTheRoot) {
    ASSERT_NE(fCursor, nullptr);
    EXPECT_EQ(VoCursor::GetInstance(), fCursor);
    VoDisplayGroup* group = fCursor->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "cursorgroup");
    EXPECT_EQ(group->GetRelativeZ(), 10000.0f);
    EXPECT_EQ(group->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_TRUE(fCursor->IsActive());
    EXPECT_EQ(fMouse->GetListenerCount(), 1);
    EXPECT_EQ(Narrow(fCursor->ToString()), "[VoCursor <" + HexAddress(fCursor) + ">]");
}

TEST_F(VoCursorTest, GoneAfterShutDownAndNotMadeAgain) {
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

TEST_F(VoCursorTest, SetStateShowsOneLook) {
    Look* arrow = AddLook("arrow", "arrowlook");
    Look* hand = AddLook("hand", "handlook");
    EXPECT_TRUE(fCursor->SetState(VoString(u"hand")));
    EXPECT_FALSE(arrow->GetActive());
    EXPECT_TRUE(hand->GetActive());

    LogCapture log;
    EXPECT_FALSE(fCursor->SetState(VoString(u"nope")));
    EXPECT_TRUE(log.Logged("ERROR: ", "SetState failure. Invalid id:nope"));
    EXPECT_TRUE(hand->GetActive());
    EXPECT_FALSE(arrow->GetActive());

    VoDisplayManager::GetInstance()->Render();
    EXPECT_THAT(fJournal, ElementsAre("handlook"));
}

TEST_F(VoCursorTest, AddStateRules) {
    LogCapture log;
    EXPECT_FALSE(fCursor->AddState(VoString(u"a"), nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoCursor::kAddStateNull));

    AddLook("a", "first");
    // A second state under one id: refused by the list, but the look joins the group.
    Look* second = new Look("second", &fJournal);
    EXPECT_TRUE(fCursor->AddState(VoString(u"a"), second));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    EXPECT_EQ(fCursor->GetStateCount(), 1);
    EXPECT_EQ(second->GetGroup(), fCursor->GetGroup());

    // A look the group refuses (its id is in use) stays the caller's and no state names it.
    Look* clash = new Look("first");
    EXPECT_FALSE(fCursor->AddState(VoString(u"b"), clash));
    EXPECT_EQ(fCursor->GetStateCount(), 1);
    EXPECT_EQ(clash->GetGroup(), nullptr);
    delete clash;
    EXPECT_FALSE(fCursor->SetState(VoString(u"b")));
}

TEST_F(VoCursorTest, RemoveStateHandsTheLookBack) {
    Look* look = AddLook("a", "look");
    VoIDisplayObject* out = nullptr;
    EXPECT_FALSE(fCursor->RemoveState(VoString(u"absent"), &out));
    EXPECT_FALSE(fCursor->RemoveState(VoString(u"a"), nullptr));
    EXPECT_TRUE(fCursor->RemoveState(VoString(u"a"), &out));
    EXPECT_EQ(out, look);
    EXPECT_EQ(look->GetGroup(), nullptr);
    EXPECT_EQ(fCursor->GetStateCount(), 0);
    delete look;
}

TEST_F(VoCursorTest, SetActiveHidesAndShowsAtThePointer) {
    VoDisplayGroup* group = fCursor->GetGroup();
    fCursor->SetActive(false);
    EXPECT_FALSE(group->GetActive());
    MoveTo(50.0f, 60.0f);  // the group still follows: it only is not drawn
    group->SetPosition(0.0f, 0.0f);
    fCursor->SetActive(false);
    EXPECT_EQ(group->GetPosition(), VoVector2(0.0f, 0.0f));
    fCursor->SetActive(true);
    EXPECT_TRUE(group->GetActive());
    EXPECT_EQ(group->GetPosition(), VoVector2(50.0f, 60.0f));
}

TEST_F(VoCursorTest, DrawnAboveTheRestOfTheRoot) {
    AddLook("a", "cursor");
    ProbeObject2D* top = new ProbeObject2D("top", &fJournal);
    top->SetRelativeZ(9999.0f);
    VoDisplayManager::GetInstance()->AddMember(top);
    VoDisplayManager::GetInstance()->Render();
    EXPECT_THAT(fJournal, ElementsAre("top", "cursor"));
}
