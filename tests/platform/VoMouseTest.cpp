#include "platform/VoMouse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/LogCapture.h"
#include "support/ScopedEngine.h"
#include "system/VoITimeSource.h"
#include "system/VoTimerWin.h"

namespace {

using Journal = std::vector<std::string>;

// Writes "<name> <event> <argument>" to a shared journal, then runs its
// action, if any.
class Listener : public VoIMouseListener {
public:
    Listener(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnDoubleClick(int aButton) override { Record("double " + std::to_string(aButton)); }
    void OnButtonDown(int aButton) override { Record("down " + std::to_string(aButton)); }
    void OnMouseMove(const VoVector2* apPosition) override {
        Record("move " + std::to_string(static_cast<int>(apPosition->x)) + "," +
               std::to_string(static_cast<int>(apPosition->y)));
    }
    void OnButtonUp(int aButton) override { Record("up " + std::to_string(aButton)); }
    void OnWheel(float aDelta) override { Record("wheel " + std::to_string(static_cast<int>(aDelta))); }

    std::function<void()> fAction;

private:
    void Record(const std::string& aWhat) {
        fpJournal->push_back(fName + " " + aWhat);
        if (fAction) {
            fAction();
        }
    }

    std::string fName;
    Journal* fpJournal;  // not owned
};

// The engine timer's millisecond clock, set by the test.
class ScriptedClock : public VoITimeSource {
public:
    bool BeginPeriod() override { return true; }
    std::uint32_t GetMilliseconds() override { return fNow; }
    bool EndPeriod() override { return true; }

    std::uint32_t fNow = 0;
};

class VoMouseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fTimer.Initialize(0)); }

    // The journal of one event.
    Journal Down(int aButton) {
        fJournal.clear();
        EXPECT_TRUE(fMouse.ButtonDown(aButton));
        return fJournal;
    }
    Journal MoveTo(float aX, float aY) {
        fJournal.clear();
        const VoVector2 position(aX, aY);
        EXPECT_TRUE(fMouse.Move(&position));
        return fJournal;
    }
    // A press of button 1 at the clock's millisecond aAt, at (aX, aY).
    Journal ClickAt(std::uint32_t aAt, float aX, float aY) {
        fClock.fNow = aAt;
        MoveTo(aX, aY);
        return Down(1);
    }

    ScriptedClock fClock;
    VoTimerWin fTimer{&fClock};
    VoMouse fMouse{&fTimer};
    Journal fJournal;
    Listener fA{"A", &fJournal}, fB{"B", &fJournal}, fC{"C", &fJournal};
};

}  // namespace

TEST_F(VoMouseTest, LowerOrdersHearFirstAndEqualOrdersInRegistrationOrder) {
    ASSERT_TRUE(fMouse.AddListener(&fA, 0.0f));
    ASSERT_TRUE(fMouse.AddListener(&fB, 0.0f));
    ASSERT_TRUE(fMouse.AddListener(&fC, -1.0f));
    EXPECT_EQ(Down(1), (Journal{"C down 1", "A down 1", "B down 1"}));
}

TEST_F(VoMouseTest, ADuplicateAddKeepsItsPlaceAndAnAbsentRemoveIsNoError) {
    LogCapture log;
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    EXPECT_TRUE(fMouse.AddListener(&fA, 2.0f));
    EXPECT_TRUE(fMouse.RemoveListener(&fC));
    EXPECT_TRUE(fMouse.RemoveListener(nullptr));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(fMouse.GetListenerCount(), 2);
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));

    EXPECT_FALSE(fMouse.AddListener(nullptr, 0.0f));
    EXPECT_TRUE(log.Contains(VoMouse::kAddNull));
}

TEST_F(VoMouseTest, EveryEventReachesListenersAndUpdatesTheState) {
    fMouse.AddListener(&fA, 0.0f);
    EXPECT_EQ(MoveTo(120.0f, 45.0f), (Journal{"A move 120,45"}));
    VoVector2 position;
    EXPECT_EQ(fMouse.GetPosition(position), VoVector2(120.0f, 45.0f));
    EXPECT_EQ(Down(3), (Journal{"A down 3"}));
    EXPECT_TRUE(fMouse.IsButtonDown(3));
    EXPECT_FALSE(fMouse.IsButtonDown(1));
    fJournal.clear();
    EXPECT_TRUE(fMouse.ButtonUp(3));
    EXPECT_FALSE(fMouse.IsButtonDown(3));
    EXPECT_TRUE(fMouse.Wheel(-2.0f));
    EXPECT_EQ(fMouse.GetWheel(), -2.0f);
    EXPECT_EQ(fJournal, (Journal{"A up 3", "A wheel -2"}));
}

TEST_F(VoMouseTest, ButtonsOutOfRangeAreLoggedAndChangeNothing) {
    fMouse.AddListener(&fA, 0.0f);
    LogCapture log;
    EXPECT_FALSE(fMouse.ButtonDown(0));
    EXPECT_FALSE(fMouse.ButtonDown(4));
    EXPECT_FALSE(fMouse.ButtonUp(-1));
    EXPECT_FALSE(fMouse.IsButtonDown(4));
    EXPECT_FALSE(fMouse.Move(nullptr));
    EXPECT_TRUE(fJournal.empty());
    EXPECT_TRUE(log.Contains("aButton out of range: 0"));
    EXPECT_EQ(log.Count("aButton out of range: 4"), 2);
    EXPECT_TRUE(log.Contains("aButton out of range: -1"));
    EXPECT_TRUE(log.Contains(VoMouse::kMoveNull));
}

TEST_F(VoMouseTest, ConsumingStopsTheRestOfThatEventAndBetweenEventsTheNextOne) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    fA.fAction = [&] { fMouse.ConsumeEvent(); };
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));
    EXPECT_TRUE(fMouse.ConsumeEvent());
    EXPECT_EQ(Down(2), Journal{});
    EXPECT_TRUE(fMouse.IsButtonDown(2));
    EXPECT_EQ(Down(2), (Journal{"A down 2", "B down 2"}));
}

TEST_F(VoMouseTest, DisablingSilencesListenersAndEnablingSendsAMove) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    MoveTo(10.0f, 20.0f);
    fMouse.SetEnabled(false);
    EXPECT_EQ(Down(1), Journal{});
    EXPECT_EQ(MoveTo(30.0f, 40.0f), Journal{});
    fMouse.SetEnabled(false);
    EXPECT_TRUE(fJournal.empty());
    fMouse.SetEnabled(true);
    EXPECT_EQ(fJournal, (Journal{"A move 30,40", "B move 30,40"}));
    fJournal.clear();
    fMouse.SetEnabled(true);
    EXPECT_TRUE(fJournal.empty());

    // A listener that disables the mouse is the last one told.
    fA.fAction = [&] { fMouse.SetEnabled(false); };
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
}

TEST_F(VoMouseTest, WhileLockedOnlyHoldersHearWhateverEnabledAndConsumedSay) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    ASSERT_TRUE(fMouse.Lock(&fB));
    ASSERT_TRUE(fMouse.AddLock(&fC));  // a holder need not be a listener
    EXPECT_EQ(Down(1), (Journal{"B down 1", "C down 1"}));
    fMouse.SetEnabled(false);
    fMouse.ConsumeEvent();
    EXPECT_EQ(MoveTo(5.0f, 6.0f), (Journal{"B move 5,6", "C move 5,6"}));
    fMouse.SetEnabled(true);  // the move it sends goes to the holders
    EXPECT_EQ(Down(2), (Journal{"B down 2", "C down 2"}));

    // The consume is still pending: it swallows the first unlocked event.
    EXPECT_TRUE(fMouse.Unlock(nullptr));
    EXPECT_FALSE(fMouse.IsLocked());
    EXPECT_EQ(Down(1), Journal{});
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));
}

TEST_F(VoMouseTest, AHoldersConsumeEndsWithItsLockedEvent) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    ASSERT_TRUE(fMouse.Lock(&fB));
    fB.fAction = [&] { fMouse.ConsumeEvent(); };
    EXPECT_EQ(Down(1), (Journal{"B down 1"}));
    fB.fAction = nullptr;
    fMouse.Unlock(&fB);
    EXPECT_EQ(Down(2), (Journal{"A down 2", "B down 2"}));
}

TEST_F(VoMouseTest, OnlyTheFirstHolderOrNobodyUnlocks) {
    EXPECT_FALSE(fMouse.Unlock(nullptr));
    fMouse.AddLock(&fA);
    fMouse.AddLock(&fB);
    EXPECT_TRUE(fMouse.Unlock(&fB));
    EXPECT_TRUE(fMouse.Unlock(&fC));
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));
    EXPECT_TRUE(fMouse.Unlock(&fA));
    EXPECT_FALSE(fMouse.IsLocked());
    EXPECT_FALSE(fMouse.Unlock(&fA));

    // Lock replaces every holder.
    fMouse.AddLock(&fA);
    fMouse.AddLock(&fB);
    fMouse.Lock(&fC);
    EXPECT_EQ(Down(1), (Journal{"C down 1"}));

    LogCapture log;
    EXPECT_FALSE(fMouse.Lock(nullptr));
    EXPECT_FALSE(fMouse.AddLock(nullptr));
    EXPECT_TRUE(log.Contains(VoMouse::kLockNull));
    EXPECT_TRUE(log.Contains(VoMouse::kAddLockNull));
    EXPECT_EQ(Down(1), (Journal{"C down 1"}));
}

TEST_F(VoMouseTest, AHolderThatUnlocksEndsTheLockedWalk) {
    fMouse.AddListener(&fC, 0.0f);
    fMouse.AddLock(&fA);
    fMouse.AddLock(&fB);
    fA.fAction = [&] { fMouse.Unlock(&fA); };
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
    EXPECT_EQ(Down(1), (Journal{"C down 1"}));
}

TEST_F(VoMouseTest, ALockTakenDuringAWalkHoldsFromTheNextEvent) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    fA.fAction = [&] { fMouse.Lock(&fA); };
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
}

TEST_F(VoMouseTest, AListenerRemovedDuringAnEventIsNotCalledAgainForIt) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    fMouse.AddListener(&fC, 2.0f);
    fB.fAction = [&] { fMouse.RemoveListener(&fB); };
    fA.fAction = [&] { fMouse.RemoveListener(&fC); };
    EXPECT_EQ(Down(1), (Journal{"A down 1", "B down 1"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
}

TEST_F(VoMouseTest, ARemovalInsideANestedEventReachesTheOuterWalk) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.AddListener(&fB, 1.0f);
    fMouse.AddListener(&fC, 2.0f);
    bool nested = false;
    // A's press raises a wheel event, during which B removes C: the press,
    // still being walked, must not reach C either.
    fA.fAction = [&] {
        if (!nested) {
            nested = true;
            fMouse.Wheel(1.0f);
        }
    };
    fB.fAction = [&] {
        if (nested) {
            fMouse.RemoveListener(&fC);
        }
    };
    EXPECT_EQ(Down(1), (Journal{"A down 1", "A wheel 1", "B wheel 1", "B down 1"}));
}

TEST_F(VoMouseTest, AListenerAddedDuringAnEventHearsFromTheNextOne) {
    fMouse.AddListener(&fA, 0.0f);
    fA.fAction = [&] { fMouse.AddListener(&fB, -1.0f); };
    EXPECT_EQ(Down(1), (Journal{"A down 1"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Down(1), (Journal{"B down 1", "A down 1"}));
}

TEST_F(VoMouseTest, AnUnknownEventCodeIsLoggedOnceAListenerIsMet) {
    LogCapture log;
    EXPECT_TRUE(fMouse.FireMouseEvent(6, 1));
    fMouse.AddLock(&fB);
    EXPECT_TRUE(fMouse.FireMouseEvent(6, 1));
    fMouse.Unlock(nullptr);
    fMouse.AddListener(&fA, 0.0f);
    EXPECT_FALSE(fMouse.FireMouseEvent(6, 1));
    EXPECT_EQ(log.Count("Invalid mouse event: 6"), 1);
    EXPECT_TRUE(fJournal.empty());
}

TEST_F(VoMouseTest, QuickPressesAtOnePointAreDoubleClicks) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.SetDoubleClickEnabled(true);
    // The very first press, at the timer's start and the initial position,
    // has no press before it to pair with.
    EXPECT_EQ(ClickAt(0, 0.0f, 0.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(100, 0.0f, 0.0f), (Journal{"A double 1"}));
    EXPECT_EQ(ClickAt(200, 0.0f, 0.0f), (Journal{"A double 1"}));
    // Exactly the double-click time after the last press is too late.
    EXPECT_EQ(ClickAt(450, 0.0f, 0.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(700, 0.0f, 0.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(949, 0.0f, 0.0f), (Journal{"A double 1"}));
}

TEST_F(VoMouseTest, APressExactlyTheDoubleClickTimeLaterIsAPress) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.SetDoubleClickEnabled(true);
    // 0.35 - 0.10 in doubles is just below 0.25.
    ClickAt(100, 50.0f, 50.0f);
    EXPECT_EQ(ClickAt(350, 50.0f, 50.0f), (Journal{"A down 1"}));
    fMouse.SetDoubleClickTime(0.3f);
    EXPECT_EQ(ClickAt(650, 50.0f, 50.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(949, 50.0f, 50.0f), (Journal{"A double 1"}));
}

TEST_F(VoMouseTest, ADoubleClickStaysWithinTheToleranceOnEachAxis) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.SetDoubleClickEnabled(true);
    ClickAt(1000, 100.0f, 100.0f);
    EXPECT_EQ(ClickAt(1100, 104.0f, 100.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(1200, 101.0f, 97.0f), (Journal{"A double 1"}));
    EXPECT_EQ(ClickAt(1300, 101.0f, 93.0f), (Journal{"A down 1"}));
    fMouse.SetDoubleClickTolerance(10);
    EXPECT_EQ(ClickAt(1400, 109.0f, 90.0f), (Journal{"A double 1"}));
}

TEST_F(VoMouseTest, APressIsRememberedWhereTheListenersLeftThePointer) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.SetDoubleClickEnabled(true);
    // A listener that moves the pointer on a press (a cursor snapping to a
    // target): the next quick press there pairs with it.
    MoveTo(10.0f, 10.0f);
    fA.fAction = [&] {
        if (fJournal.back() == "A down 1") {
            const VoVector2 target(200.0f, 200.0f);
            fMouse.Move(&target);
        }
    };
    fClock.fNow = 1000;
    EXPECT_EQ(Down(1), (Journal{"A down 1", "A move 200,200"}));
    fA.fAction = nullptr;
    EXPECT_EQ(ClickAt(1100, 200.0f, 200.0f), (Journal{"A double 1"}));
}

TEST_F(VoMouseTest, DoubleClicksAreJudgedPerButtonAndOnlyWhenEnabled) {
    fMouse.AddListener(&fA, 0.0f);
    EXPECT_EQ(ClickAt(1000, 10.0f, 10.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(1050, 10.0f, 10.0f), (Journal{"A down 1"}));

    fMouse.SetDoubleClickEnabled(true);
    ClickAt(2000, 10.0f, 10.0f);
    fClock.fNow = 2050;
    EXPECT_EQ(Down(2), (Journal{"A down 2"}));
    EXPECT_EQ(ClickAt(2100, 10.0f, 10.0f), (Journal{"A double 1"}));
    fClock.fNow = 2150;
    EXPECT_EQ(Down(2), (Journal{"A double 2"}));
}

TEST_F(VoMouseTest, ATimerResetBetweenPressesIsNoDoubleClick) {
    fMouse.AddListener(&fA, 0.0f);
    fMouse.SetDoubleClickEnabled(true);
    ClickAt(5000, 10.0f, 10.0f);
    ASSERT_TRUE(fTimer.Reset());
    EXPECT_EQ(ClickAt(5100, 10.0f, 10.0f), (Journal{"A down 1"}));
    EXPECT_EQ(ClickAt(5200, 10.0f, 10.0f), (Journal{"A double 1"}));
}

TEST_F(VoMouseTest, ADebugStringNamesTheClass) {
    const std::u16string text = TextOf(fMouse.ToString());
    EXPECT_EQ(text.rfind(u"[VoMouse <", 0), 0u);
    EXPECT_EQ(text.back(), u']');
}

TEST(VoMouseSingleton, OneMouseOnTheEngineTimerOwnedByTheEngineCleanerAndNotRemadeAfterIt) {
    ScopedEngine engine;
    LogCapture log;
    VoMouse* mouse = VoMouse::GetInstance();
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(VoMouse::GetInstance(), mouse);

    // It works on the engine timer. (Double-click timing is tested on a
    // scripted clock above: on the real one a stalled machine would split the pair.)
    Journal journal;
    Listener listener("A", &journal);
    mouse->AddListener(&listener, 0.0f);
    mouse->SetDoubleClickEnabled(true);
    mouse->ButtonDown(1);
    mouse->RemoveListener(&listener);
    EXPECT_EQ(journal, (Journal{"A down 1"}));

    engine.ShutDown();
    EXPECT_EQ(VoMouse::GetInstance(), nullptr);
    ScopedEngine next;
    EXPECT_NE(VoMouse::GetInstance(), nullptr);
}
