#include "gdi/VoDraggable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WidgetProbes.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoDragManager.h"
#include "gdi/VoIDragTarget.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A drop target whose area is a 50 x 50 look at (aX, aY) in the root; it
// writes "<name> <code>" to a shared journal and runs its handler, if any.
class Target : public VoIDragTarget {
public:
    Target(const char* apName, Journal* apJournal, float aX, float aY) : fName(apName), fpJournal(apJournal) {
        fpArea = new Look((fName + "area").c_str(), nullptr, 50.0f, 50.0f);
        fpArea->SetPosition(aX, aY);
        VoDisplayManager::GetInstance()->AddMember(fpArea);
        SetBoundaryObject(fpArea);
        VoDragManager::GetInstance()->AddDragTarget(this);
    }
    void OnDragEvent(int aCode, VoDraggable* apDragged) override {
        fpJournal->push_back(fName + " " + std::to_string(aCode));
        if (fHandler) {
            fHandler(aCode, apDragged);
        }
    }

    Look* fpArea;  // owned by the root
    std::function<void(int, VoDraggable*)> fHandler;

private:
    std::string fName;
    Journal* fpJournal;  // not owned
};

// A group at (100, 100) in the root holding the 20 x 20 "piece" at (10, 10),
// which the draggable moves; target A covers (200, 200) to (250, 250).
class VoDraggableTest : public ::testing::Test {
protected:
    VoDraggableTest() {
        fPanel->SetId(VoString(u"panel"));
        fPanel->SetPosition(100.0f, 100.0f);
        VoDisplayManager::GetInstance()->AddMember(fPanel);
        fPanel->AddMember(fPiece, true);
        fPiece->SetPosition(10.0f, 10.0f);
        EXPECT_TRUE(fDrag.SetDisplayObject(fPiece));
        EXPECT_TRUE(fDrag.SetEnabled(true));
    }

    void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        fMouse->Move(&position);
    }
    // Press at the first point, move through the others.
    void DragThrough(std::initializer_list<VoVector2> aPoints) {
        bool first = true;
        for (const VoVector2& point : aPoints) {
            MoveTo(point.x, point.y);
            if (first) {
                EXPECT_TRUE(fDrag.BeginDrag());
                first = false;
            } else {
                EXPECT_TRUE(fDrag.UpdateDrag());
            }
        }
    }

    ScopedEngine fEngine;
    VoMouse* fMouse = VoMouse::GetInstance();
    Journal fJournal;
    VoDisplayGroup* fPanel = new VoDisplayGroup();  // owned by the root
    Look* fPiece = new Look("piece", nullptr, 20.0f, 20.0f);
    VoDraggable fDrag;
    Target fA{"A", &fJournal, 200.0f, 200.0f};
};

}  // namespace

TEST_F(VoDraggableTest, TheObjectFollowsThePointerAndARefusedDropSendsItHome) {
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(110.0f, 110.0f));
    EXPECT_THAT(WorldPosition(*fPiece), IsNear2D(210.0f, 210.0f));
    EXPECT_THAT(fJournal, ElementsAre("A 0"));
    VoVector2 last;
    fDrag.GetLastMousePosition(last);
    EXPECT_THAT(last, IsNear2D(215.0f, 212.0f));

    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fJournal, ElementsAre("A 0", "A 2"));
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(10.0f, 10.0f));
    EXPECT_FALSE(fDrag.IsMoving());
    EXPECT_FALSE(fDrag.IsHeld());
}

TEST_F(VoDraggableTest, AnAcceptingTargetKeepsTheObjectWhereItPutIt) {
    fA.fHandler = [&](int aCode, VoDraggable* apDragged) {
        if (aCode == VoIDragTarget::kDropped) {
            fPiece->SetPosition(105.0f, 105.0f);
            apDragged->SetDropAccepted(true);
        }
    };
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(105.0f, 105.0f));
    EXPECT_FALSE(fDrag.IsDropAccepted());

    // The next drag that nobody accepts goes home to the new place.
    fJournal.clear();
    DragThrough({{210.0f, 210.0f}, {400.0f, 400.0f}});
    EXPECT_THAT(fJournal, ElementsAre("A 1"));
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(105.0f, 105.0f));
}

TEST_F(VoDraggableTest, EnteringAndLeavingAreToldOnceEachAndADropOutsideSendsNothing) {
    DragThrough({{115.0f, 112.0f}, {150.0f, 150.0f}, {210.0f, 210.0f}, {220.0f, 220.0f}, {300.0f, 210.0f}});
    EXPECT_THAT(fJournal, ElementsAre("A 0", "A 1"));
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fJournal, ElementsAre("A 0", "A 1"));
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(10.0f, 10.0f));
}

TEST_F(VoDraggableTest, OverlappingTargetsBothHearTheDropInRegistrationOrder) {
    Target b("B", &fJournal, 220.0f, 220.0f);
    DragThrough({{115.0f, 112.0f}, {230.0f, 230.0f}});
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fJournal, ElementsAre("A 0", "B 0", "A 2", "B 2"));
}

TEST_F(VoDraggableTest, NoMoveMeansNoDragAndADisabledDraggableStaysPut) {
    MoveTo(115.0f, 112.0f);
    EXPECT_TRUE(fDrag.BeginDrag());
    EXPECT_TRUE(fDrag.IsHeld());
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_FALSE(fDrag.IsHeld());
    EXPECT_THAT(fJournal, IsEmpty());
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(10.0f, 10.0f));

    fDrag.SetEnabled(false);
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    EXPECT_TRUE(fDrag.IsHeld());
    EXPECT_FALSE(fDrag.IsMoving());
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_FALSE(fDrag.IsHeld());
    EXPECT_THAT(fJournal, IsEmpty());
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(10.0f, 10.0f));
}

TEST_F(VoDraggableTest, AnInactiveBoundaryIsSkippedAndKeepsItsFlag) {
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    fA.fpArea->SetActive(false);
    MoveTo(400.0f, 400.0f);
    EXPECT_TRUE(fDrag.UpdateDrag());
    EXPECT_THAT(fJournal, ElementsAre("A 0"));
    EXPECT_TRUE(fA.IsPointerOver());
    // The flag still says "over": the drop reaches it.
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fJournal, ElementsAre("A 0", "A 2"));
}

TEST_F(VoDraggableTest, ATargetWithoutBoundaryReportsFalseAndTheOthersGoOn) {
    class Bare : public VoIDragTarget {
    public:
        void OnDragEvent(int, VoDraggable*) override { ++fCalls; }
        int fCalls = 0;
    } bare;
    EXPECT_FALSE(bare.SetDragged(&fDrag));
    LogCapture log;
    EXPECT_FALSE(bare.SetBoundaryObject(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoIDragTarget::kSetBoundaryNull));
    ASSERT_TRUE(VoDragManager::GetInstance()->AddDragTarget(&bare));
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    EXPECT_THAT(fJournal, ElementsAre("A 0"));
    EXPECT_EQ(bare.fCalls, 0);
}

// With no object nothing happens; an object in no group counts from (0, 0).
TEST_F(VoDraggableTest, WithoutObjectNothingHappensAndWithoutGroupTheOriginIsZero) {
    VoDraggable empty;
    empty.SetEnabled(true);
    MoveTo(215.0f, 212.0f);
    EXPECT_FALSE(empty.BeginDrag());
    EXPECT_FALSE(empty.IsHeld());
    EXPECT_FALSE(empty.UpdateDrag());
    EXPECT_FALSE(empty.EndDrag());
    EXPECT_THAT(fJournal, IsEmpty());
    LogCapture log;
    EXPECT_FALSE(empty.SetDisplayObject(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoDraggable::kSetObjectNull));

    Look loose("loose", nullptr, 20.0f, 20.0f);
    loose.SetPosition(10.0f, 10.0f);
    VoDraggable drag;
    drag.SetDisplayObject(&loose);
    drag.SetEnabled(true);
    MoveTo(15.0f, 12.0f);
    EXPECT_TRUE(drag.BeginDrag());
    MoveTo(215.0f, 212.0f);
    EXPECT_TRUE(drag.UpdateDrag());
    EXPECT_THAT(loose.GetPosition(), IsNear2D(210.0f, 210.0f));
    EXPECT_THAT(fJournal, ElementsAre("A 0"));
    EXPECT_TRUE(drag.EndDrag());
    EXPECT_THAT(loose.GetPosition(), IsNear2D(10.0f, 10.0f));
}

// The grip is taken from the position, not the transformed origin.
TEST_F(VoDraggableTest, AnObjectWithACentreNeitherJumpsNorComesHomeDisplaced) {
    fPiece->SetCenter(10.0f, 10.0f);
    DragThrough({{105.0f, 105.0f}, {106.0f, 107.0f}});
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(11.0f, 12.0f));
    EXPECT_TRUE(fDrag.EndDrag());
    EXPECT_THAT(fPiece->GetPosition(), IsNear2D(10.0f, 10.0f));
}

TEST_F(VoDraggableTest, TheManagerKeepsEachTargetOnceAndForgetsDeletedOnes) {
    VoDragManager* manager = VoDragManager::GetInstance();
    EXPECT_EQ(manager->GetDragTargetCount(), 1);
    EXPECT_TRUE(manager->AddDragTarget(&fA));
    EXPECT_EQ(manager->GetDragTargetCount(), 1);
    {
        Target b("B", &fJournal, 0.0f, 0.0f);
        EXPECT_EQ(manager->GetDragTargetCount(), 2);
    }
    EXPECT_EQ(manager->GetDragTargetCount(), 1);
    LogCapture log;
    EXPECT_FALSE(manager->AddDragTarget(nullptr));
    EXPECT_FALSE(manager->RemoveDragTarget(nullptr));
    EXPECT_EQ(log.Count(VoDragManager::kInvalidArg), 2);
    EXPECT_TRUE(manager->RemoveDragTarget(&fA));
    EXPECT_FALSE(manager->RemoveDragTarget(&fA));
}

// A handler that removes a later target: that target is not told again.
TEST_F(VoDraggableTest, ATargetRemovedByAHandlerIsNotToldInTheSameDispatch) {
    Target b("B", &fJournal, 200.0f, 200.0f);
    fA.fHandler = [&](int aCode, VoDraggable*) {
        if (aCode == VoIDragTarget::kEntered) {
            VoDragManager::GetInstance()->RemoveDragTarget(&b);
        }
    };
    DragThrough({{115.0f, 112.0f}, {215.0f, 212.0f}});
    EXPECT_THAT(fJournal, ElementsAre("A 0"));
}
