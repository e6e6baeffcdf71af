#include "platform/VoMouseDX9.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoInputDX9.h"
#include "platform/VoPlatformPCDX9.h"
#include "support/LogCapture.h"

namespace {

// What the mouse is fed: motion, wheel notches or a device button.
VoPortEvent Event(VoPortEvent::Kind aKind, int aCode, int aX, int aY) {
    VoPortEvent event;
    event.fKind = aKind;
    event.fCode = aCode;
    event.fX = aX;
    event.fY = aY;
    return event;
}
VoPortEvent Move(int aX, int aY) {
    return Event(VoPortEvent::kMouseMotion, 0, aX, aY);
}
VoPortEvent Wheel(int aNotches) {
    return Event(VoPortEvent::kMouseWheel, 0, 0, aNotches);
}
VoPortEvent Press(int aButton) {
    return Event(VoPortEvent::kMouseButtonDown, aButton, 0, 0);
}
VoPortEvent Release(int aButton) {
    return Event(VoPortEvent::kMouseButtonUp, aButton, 0, 0);
}

using Frame = std::vector<VoPortEvent>;
using Reports = std::vector<Journal>;

// A mouse of its own input over a platform (never created) whose application
// writes the reports into the journal.
class MouseRig {
public:
    explicit MouseRig(bool aSwapped = false) {
        fPlatform.SetApp(fpApp);
        fSetup.fSwapped = aSwapped;
        fInput.Init(nullptr, &fWindow, 1, false, true);
        // The first read takes the device.
        fInput.GetMouse()->Update();
    }
    // Each frame's records fed, then the reports of its update.
    Reports Run(const std::vector<Frame>& aFrames) {
        Reports reports;
        for (const Frame& frame : aFrames) {
            for (const VoPortEvent& event : frame) {
                fInput.Feed(event);
            }
            fJournal.clear();
            fInput.Update();
            reports.push_back(fJournal);
        }
        return reports;
    }

    Journal fJournal;
    RecordingApp* fpApp = new RecordingApp(&fJournal);  // owned by the platform
    FakeSetup fSetup;
    Journal fWindowJournal;
    FakeWindowPort fWindow{&fSetup, &fWindowJournal};
    FakePort fPort;
    VoPlatformPCDX9 fPlatform{&fPort};
    VoInputDX9 fInput{&fPlatform};
};

}  // namespace

TEST(VoMouseDX9, RecordsOfAFrameAreAggregatedInOrder) {
    struct Case {
        const char* fName;
        std::vector<Frame> fFrames;
        Reports fReports;
    };
    const Case cases[] = {
        {"motion sums into one report before the button",
         {{Move(5, 0), Move(0, 3), Move(2, 0), Press(0)}},
         {{"mouse move mouse 7,3", "mouse down mouse 1"}}},
        {"the wheel reports its running total",
         {{Wheel(1)}, {Wheel(1)}, {Wheel(-3)}},
         {{"mouse move wheel 0,120"}, {"mouse move wheel 0,240"}, {"mouse move wheel 0,-120"}}},
        {"a wheel step while motion is pending goes first",
         {{Move(4, 0), Wheel(1), Move(1, 0)}},
         {{"mouse move wheel 0,120", "mouse move mouse 5,0"}}},
        {"a button sends the pending wheel before it",
         {{Wheel(1), Press(1), Release(1)}},
         {{"mouse move wheel 0,120", "mouse down mouse 2", "mouse up mouse 2"}}},
        {"the position runs on from frame to frame, from the corner",
         {{Move(3, 4)}, {Move(-1, 1)}, {}},
         {{"mouse move mouse 3,4"}, {"mouse move mouse 2,5"}, {}}},
        {"a press of a button that is down already says nothing",
         {{Press(0), Press(0)}, {Press(0)}, {Release(0), Release(0)}},
         {{"mouse down mouse 1"}, {}, {"mouse up mouse 1"}}},
        {"the middle button is 3", {{Press(2), Release(2)}}, {{"mouse down mouse 3", "mouse up mouse 3"}}},
        {"other buttons are ignored",
         {{Press(3), Press(4), Press(7), Press(8), Press(-1), Release(3)}},
         {{}}},
        {"only the first 64 records of a frame are kept",
         {Frame(70, Move(1, 0))},
         {{"mouse move mouse 64,0"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        LogCapture log;
        MouseRig rig;
        EXPECT_EQ(rig.Run(c.fFrames), c.fReports);
        EXPECT_TRUE(log.Lines().empty());
    }
}

TEST(VoMouseDX9, SwappedButtonsAreExchangedBack) {
    MouseRig rig(true);
    EXPECT_EQ(rig.Run({{Press(0), Press(1), Press(2)}}),
              Reports({{"mouse down mouse 2", "mouse down mouse 1", "mouse down mouse 3"}}));
}

TEST(VoMouseDX9, TheNextMotionAddsToThePointAsTheApplicationLeftIt) {
    MouseRig rig;
    rig.fpApp->fOnMove = [](VoVector2* apPoint) {
        if (apPoint->x < 0.0f) {
            apPoint->x = 0.0f;
        }
    };
    EXPECT_EQ(rig.Run({{Move(-5, 2)}, {Move(1, 0)}}),
              Reports({{"mouse move mouse 0,2"}, {"mouse move mouse 1,2"}}));
}

TEST(VoMouseDX9, TheDeviceHoldsThePointerInRelativeModeWhileAcquired) {
    MouseRig rig;
    EXPECT_EQ(rig.fWindowJournal, Journal({"relative on"}));
    rig.fInput.GetMouse()->Unacquire();
    EXPECT_EQ(rig.Run({{Move(1, 1)}, {Move(1, 1)}}), Reports({{}, {"mouse move mouse 1,1"}}));
    EXPECT_EQ(rig.fWindowJournal, Journal({"relative on", "relative off", "relative on"}));
}

TEST(VoMouseDX9, InTheBackgroundRecordsAreDroppedWithoutAWord) {
    LogCapture log;
    MouseRig rig;
    rig.fPlatform.HideCursor();
    rig.fInput.SetForeground(false);
    EXPECT_EQ(rig.Run({{Move(3, 3), Press(0)}, {Wheel(1)}, {}}), Reports({{}, {}, {}}));
    EXPECT_FALSE(rig.fInput.GetMouse()->Update());
    EXPECT_TRUE(log.Lines().empty());
    rig.fPlatform.ShowCursor();
    rig.fInput.SetForeground(true);
    EXPECT_EQ(rig.Run({{}, {Move(1, 2)}}), Reports({{}, {"mouse move mouse 1,2"}}));
}

TEST(VoMouseDX9, WithoutAnApplicationTheUpdateSaysSo) {
    LogCapture log;
    MouseRig rig;
    delete rig.fPlatform.GetApp();
    rig.fPlatform.SetApp(nullptr);
    EXPECT_FALSE(rig.fInput.GetMouse()->Update());
    EXPECT_TRUE(log.Logged("ERROR: ", VoMouseDX9::kNoApp));
}
