#include "gdi/VoScrollBar.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "WidgetProbes.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "platform/VoMouse.h"
#include "stdlib/VoFrameManager.h"
#include "support/LogCapture.h"
#include "support/RecordingRasterizer.h"

namespace {

using ::testing::ElementsAre;
using Positions = std::vector<int>;

class PositionRecorder : public VoIScrollBarListener {
public:
    void OnScroll(int aPosition) override { fTold.push_back(aPosition); }
    Positions fTold;
};

class Recorder : public VoIButtonListener {
public:
    void OnButtonEvent(const VoString&, int aCode) override { fCodes.push_back(aCode); }
    std::vector<int> fCodes;
};

// The three buttons of one scroll bar, in a panel of the root: the up arrow
// at (x, 100) and the down arrow at (x, 320), 20 x 20 each; the bar at
// (x, 120), 20 x 100, in a track of 200 (travel 100).
struct Parts {
    VoButton* up;
    VoButton* down;
    VoButton* bar;
};

VoButton* NewButton(VoDisplayGroup* apPanel, const std::string& aId, float aX, float aY, float aHeight) {
    VoButton* button = new VoButton();
    button->SetId(VoString(aId.c_str()));
    button->SetPosition(aX, aY);
    EXPECT_TRUE(button->AddButtonStateObject(XBTNSTATE_NORMAL,
                                             new Look((aId + "look").c_str(), nullptr, 20.0f, aHeight)));
    EXPECT_TRUE(apPanel->AddMember(button, true));
    EXPECT_TRUE(button->SetMouseOrder(nullptr, 0.0f));
    return button;
}

class VoScrollBarTest : public ::testing::Test {
protected:
    VoScrollBarTest()
        : fDisplay(VoDisplayManager::GetInstance()),
          fMouse(VoMouse::GetInstance()),
          fFrames(VoFrameManager::GetInstance()) {
        fPanel = new VoDisplayGroup();
        fPanel->SetId(VoString(u"panel"));
        fDisplay->AddMember(fPanel);
        fContent = new VoDisplayGroup();
        fContent->SetId(VoString(u"content"));
        fDisplay->AddMember(fContent);
        fParts = MakeParts("", 500.0f);
        EXPECT_TRUE(fBar.Create(Describe(fParts)));
        EXPECT_TRUE(fBar.SetContentGroup(fContent));
        fBar.SetListener(&fTold);
    }

    Parts MakeParts(const std::string& aSuffix, float aX) {
        return Parts{NewButton(fPanel, "up" + aSuffix, aX, 100.0f, 20.0f),
                     NewButton(fPanel, "down" + aSuffix, aX, 320.0f, 20.0f),
                     NewButton(fPanel, "bar" + aSuffix, aX, 120.0f, 100.0f)};
    }
    // Content 500 behind an area of 200 (maximum scroll 300), steps of 20.
    static VoScrollBarDesc Describe(const Parts& aParts) {
        VoScrollBarDesc desc;
        desc.fpDownArrow = aParts.down;
        desc.fpUpArrow = aParts.up;
        desc.fpBar = aParts.bar;
        desc.fBarHeight = 100;
        desc.fBarAreaHeight = 200;
        desc.fContentHeight = 500;
        desc.fContentStart = VoVector2(0.0f, 50.0f);
        desc.fScrollAreaHeight = 200;
        desc.fScrollIncrement = 20;
        return desc;
    }
    void MoveTo(float aX, float aY) {
        const VoVector2 position(aX, aY);
        fMouse->Move(&position);
    }
    void Frame(double aSeconds) {
        fTimer.fNow = aSeconds;
        fFrames->Update();
    }
    float BarY() const { return fParts.bar->GetPosition().y; }
    float ContentY() const { return fContent->GetPosition().y; }
    // Presses on the bar at (510, 150).
    void StartDrag() {
        MoveTo(510.0f, 150.0f);
        fMouse->ButtonDown(1);
        ASSERT_TRUE(fBar.IsDragging());
    }

    RecordingEngine fEngine;
    VoDisplayManager* fDisplay;
    VoMouse* fMouse;
    VoFrameManager* fFrames;
    VoDisplayGroup* fPanel;    // owned by the root
    VoDisplayGroup* fContent;  // owned by the root
    Parts fParts;
    SetTimer fTimer;
    PositionRecorder fTold;
    VoScrollBar fBar{&fTimer};
};

}  // namespace

TEST_F(VoScrollBarTest, ArrowStepsStopAtTheEndsAndEachPositionIsToldOnce) {
    EXPECT_EQ(fBar.GetMaxScroll(), 300);
    fBar.ScrollDown();
    EXPECT_EQ(fBar.GetBarOffset(), 6);  // 100 x 20 / 300, toward zero
    EXPECT_EQ(BarY(), 126.0f);
    EXPECT_EQ(ContentY(), 30.0f);
    for (int i = 1; i < 16; ++i) {
        fBar.ScrollDown();
    }
    EXPECT_EQ(fBar.GetScrollPosition(), 300);
    EXPECT_EQ(fTold.fTold,
              (Positions{20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 240, 260, 280, 300}));
    EXPECT_EQ(BarY(), 220.0f);
    EXPECT_EQ(ContentY(), -250.0f);

    fBar.SetScrollFraction(0.5f);
    for (int i = 0; i < 7; ++i) {
        fBar.ScrollUp();
    }
    EXPECT_EQ(fBar.GetScrollPosition(), 10);
    fBar.ScrollUp();
    fBar.ScrollUp();
    EXPECT_EQ(fBar.GetScrollPosition(), 0);
    EXPECT_EQ(fTold.fTold.back(), 0);
}

TEST_F(VoScrollBarTest, FractionsAndContentHeightsKeepTheBarInItsTrack) {
    struct Case {
        float fraction;
        int position, offset;
    };
    const Case cases[] = {
        {0.5f, 150, 50}, {1.0f / 3.0f, 100, 33}, {2.0f, 300, 100}, {-1.0f, 0, 0}, {NAN, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fraction);
        fBar.SetScrollFraction(c.fraction);
        EXPECT_EQ(fBar.GetScrollPosition(), c.position);
        EXPECT_EQ(fBar.GetBarOffset(), c.offset);
    }
    fBar.ScrollToTop();
    EXPECT_EQ(fBar.GetScrollPosition(), 0);
    // A new content height keeps the bar in its place in the track.
    fBar.SetScrollFraction(0.5f);
    fBar.SetContentHeight(800);
    EXPECT_EQ(fBar.GetScrollPosition(), 300);
    EXPECT_EQ(fBar.GetBarOffset(), 50);
    EXPECT_EQ(ContentY(), -250.0f);
}

TEST_F(VoScrollBarTest, ContentThatFitsDisablesTheParts) {
    fBar.SetScrollFraction(0.5f);
    fBar.SetContentHeight(200);
    EXPECT_FALSE(fParts.up->IsEnabled());
    EXPECT_FALSE(fParts.down->IsEnabled());
    EXPECT_FALSE(fParts.bar->IsEnabled());
    EXPECT_EQ(fBar.GetScrollPosition(), 0);
    EXPECT_EQ(BarY(), 120.0f);
    fBar.ScrollDown();
    MoveTo(510.0f, 330.0f);
    fMouse->ButtonDown(1);
    Frame(0.0);
    EXPECT_EQ(fBar.GetScrollPosition(), 0);
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    fBar.SetContentHeight(500);
    EXPECT_TRUE(fParts.bar->IsEnabled());
}

TEST_F(VoScrollBarTest, AHeldArrowRepeatsAfterTheFirstDelayEverySecondFrame) {
    MoveTo(510.0f, 330.0f);
    fMouse->ButtonDown(1);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartDownArrow);
    std::vector<int> stepFrames;
    int last = 0;
    for (int frame = 0; frame <= 30; ++frame) {
        Frame(frame / 60.0);
        if (fBar.GetScrollPosition() != last) {
            stepFrames.push_back(frame);
            last = fBar.GetScrollPosition();
        }
    }
    EXPECT_EQ(stepFrames, (std::vector<int>{0, 18, 20, 22, 24, 26, 28, 30}));

    // Off the arrow the repeat pauses; back on, it goes on.
    MoveTo(510.0f, 400.0f);
    for (int frame = 31; frame <= 40; ++frame) {
        Frame(frame / 60.0);
    }
    EXPECT_EQ(fBar.GetScrollPosition(), last);
    MoveTo(510.0f, 330.0f);
    Frame(41 / 60.0);
    EXPECT_EQ(fBar.GetScrollPosition(), last + 20);

    fMouse->ButtonUp(1);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartNone);
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
}

TEST_F(VoScrollBarTest, DraggingTheBarLocksTheMouseAndMovesTheContentInProportion) {
    StartDrag();
    EXPECT_TRUE(fMouse->IsLocked());
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartBar);

    MoveTo(510.0f, 200.0f);
    Frame(0.0);
    EXPECT_EQ(fBar.GetBarOffset(), 50);
    EXPECT_EQ(fBar.GetScrollPosition(), 150);
    EXPECT_EQ(BarY(), 170.0f);
    EXPECT_EQ(ContentY(), -100.0f);
    // The cursor is the other lock holder.
    EXPECT_EQ(VoCursor::GetInstance()->GetGroup()->GetPosition(), VoVector2(510.0f, 200.0f));

    MoveTo(510.0f, 900.0f);
    Frame(0.1);
    EXPECT_EQ(fBar.GetBarOffset(), 100);
    EXPECT_EQ(fBar.GetScrollPosition(), 300);

    MoveTo(510.0f, -400.0f);
    Frame(0.2);
    EXPECT_EQ(fBar.GetScrollPosition(), 0);

    fMouse->ButtonUp(1);
    EXPECT_FALSE(fBar.IsDragging());
    EXPECT_FALSE(fMouse->IsLocked());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartNone);
}

TEST_F(VoScrollBarTest, TwoBarsReportIndependently) {
    Parts parts = MakeParts("2", 600.0f);
    VoScrollBar other(&fTimer);
    PositionRecorder otherTold;
    ASSERT_TRUE(other.Create(Describe(parts)));
    other.SetListener(&otherTold);
    fBar.ScrollDown();
    other.ScrollDown();
    fBar.ScrollDown();
    EXPECT_EQ(fTold.fTold, (Positions{20, 40}));
    EXPECT_EQ(otherTold.fTold, (Positions{20}));
}

TEST_F(VoScrollBarTest, AnotherBarsArrowDoesNothingWhileABarIsDragged) {
    Parts parts = MakeParts("2", 600.0f);
    VoScrollBar other(&fTimer);
    ASSERT_TRUE(other.Create(Describe(parts)));
    StartDrag();
    other.OnButtonEvent(VoString(u"down2"), VoIButtonListener::kEntered);
    other.OnButtonEvent(VoString(u"down2"), VoIButtonListener::kPressed);
    EXPECT_EQ(fFrames->GetListenerCount(), 1);
    Frame(0.0);
    EXPECT_EQ(other.GetScrollPosition(), 0);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartBar);
}

TEST_F(VoScrollBarTest, DeletingABarMidDragEndsTheCapture) {
    VoScrollBar* doomed = new VoScrollBar(&fTimer);
    Parts parts = MakeParts("2", 600.0f);
    ASSERT_TRUE(doomed->Create(Describe(parts)));
    MoveTo(610.0f, 150.0f);
    fMouse->ButtonDown(1);
    ASSERT_TRUE(doomed->IsDragging());
    ASSERT_TRUE(fMouse->IsLocked());
    delete doomed;
    EXPECT_FALSE(fMouse->IsLocked());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartNone);
    EXPECT_EQ(parts.bar->GetListener(), nullptr);
    // The mouse and the frames go on without calling it.
    MoveTo(610.0f, 190.0f);
    Frame(0.0);
    fMouse->ButtonUp(1);
    // And the other bar can be used.
    StartDrag();
}

TEST_F(VoScrollBarTest, APartThatCanNoLongerHearItsReleaseLetsGo) {
    StartDrag();
    fBar.SetContentHeight(100);  // disables the bar
    EXPECT_FALSE(fBar.IsDragging());
    EXPECT_FALSE(fMouse->IsLocked());
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartNone);

    fMouse->ButtonUp(1);
    fBar.SetContentHeight(500);
    MoveTo(510.0f, 330.0f);
    fMouse->ButtonDown(1);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartDownArrow);
    fPanel->SetActive(false);  // hides the held arrow
    Frame(0.1);
    EXPECT_EQ(VoScrollBar::GetCapturedPart(), VoScrollBar::kPartNone);
    EXPECT_EQ(fFrames->GetListenerCount(), 0);
}

TEST_F(VoScrollBarTest, TheArrowUnderThePointerStepsWhenPressedAfterAnotherPartLetGo) {
    MoveTo(510.0f, 330.0f);
    fMouse->ButtonDown(1);
    Frame(0.0);
    EXPECT_EQ(fBar.GetScrollPosition(), 20);
    MoveTo(510.0f, 110.0f);  // onto the up arrow while the down arrow is held
    fMouse->ButtonUp(1);
    fMouse->ButtonDown(1);
    Frame(1.0);
    EXPECT_EQ(fBar.GetScrollPosition(), 0);
}

TEST_F(VoScrollBarTest, AHorizontalBarMovesAlongXAndACentredBarStays) {
    Parts parts = MakeParts("2", 600.0f);
    VoScrollBar across(&fTimer);
    VoScrollBarDesc desc = Describe(parts);
    desc.fHorizontal = true;
    ASSERT_TRUE(across.Create(desc));
    VoDisplayGroup content;
    across.SetContentGroup(&content);
    across.ScrollDown();
    EXPECT_EQ(content.GetPosition(), VoVector2(-20.0f, 50.0f));
    EXPECT_EQ(parts.bar->GetPosition(), VoVector2(606.0f, 120.0f));
    // The bar's rest is its own position, whatever its centre.
    fParts.bar->SetCenter(10.0f, 50.0f);
    ASSERT_TRUE(fBar.Create(Describe(fParts)));
    EXPECT_EQ(BarY(), 120.0f);
}

TEST_F(VoScrollBarTest, RefusalsAndListeners) {
    LogCapture log;
    VoScrollBar bar(&fTimer);
    VoScrollBarDesc desc = Describe(fParts);
    desc.fpBar = nullptr;
    EXPECT_FALSE(bar.Create(desc));
    EXPECT_TRUE(log.Logged("ERROR: ", VoScrollBar::kInvalidArgument));
    EXPECT_FALSE(fBar.SetContentGroup(nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", VoScrollBar::kSetContentGroupNull));

    PositionRecorder stranger;
    EXPECT_FALSE(fBar.RemoveListener(&stranger));
    EXPECT_TRUE(fBar.RemoveListener(&fTold));
    fBar.ScrollDown();
    EXPECT_TRUE(fTold.fTold.empty());
    EXPECT_EQ(Narrow(fBar.ToString()), "[VoScrollBar <" + HexAddress(&fBar) + ">]");
}

TEST_F(VoScrollBarTest, AButtonWithAnotherListenerKeepsIt) {
    Parts parts = MakeParts("2", 600.0f);
    Recorder mine;
    parts.up->SetListener(&mine);
    LogCapture log;
    {
        VoScrollBar bar(&fTimer);
        ASSERT_TRUE(bar.Create(Describe(parts)));
        EXPECT_TRUE(log.Logged("ERROR: ", VoButton::kSetListenerDefined));
    }
    EXPECT_EQ(parts.up->GetListener(), &mine);
    EXPECT_EQ(parts.down->GetListener(), nullptr);
}
