#include "platform/VoMouseDX9.h"

#include <gtest/gtest.h>

#include <algorithm>

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
// The pointer at (aX, aY) on a window surface of aWidth x aHeight.
VoPortEvent At(int aX, int aY, int aWidth = 800, int aHeight = 600) {
    VoPortEvent event = Event(VoPortEvent::kMousePosition, 0, aX, aY);
    event.fWidth = aWidth;
    event.fHeight = aHeight;
    return event;
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
    // Positions map into an 800 x 600 picture, and the application keeps
    // the point on it, as the game's does.
    void KeepOnThePicture() {
        fInput.SetPictureSize(800, 600);
        fpApp->fOnMove = [](VoVector2* apPoint) {
            apPoint->x = std::clamp(apPoint->x, 0.0f, 799.0f);
            apPoint->y = std::clamp(apPoint->y, 0.0f, 599.0f);
        };
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

TEST(VoMouseDX9, PositionsMoveThePointerByTheirChangeInThePicture) {
    struct Case {
        const char* fName;
        std::vector<Frame> fFrames;
        Reports fReports;
    };
    const Case cases[] = {
        {"positions alone, from the corner where the pointer starts",
         {{At(100, 50)}, {At(110, 40), At(120, 45)}, {At(120, 45)}},
         {{"mouse move mouse 100,50"}, {"mouse move mouse 120,45"}, {}}},
        {"a surface twice the picture's size",
         {{At(1000, 700, 1600, 1200)}, {At(1599, 1199, 1600, 1200)}},
         {{"mouse move mouse 500,350"}, {"mouse move mouse 799,599"}}},
        // 800 x 600 shown 1000 x 750 wide in the middle of 1200 x 750.
        {"bars left and right",
         {{At(350, 375, 1200, 750)}, {At(1099, 749, 1200, 750)}, {At(100, 0, 1200, 750)}},
         {{"mouse move mouse 200,300"}, {"mouse move mouse 799,599"}, {"mouse move mouse 0,0"}}},
        {"points on a bar or off the surface stop at the picture's edge",
         {{At(400, 300)}, {At(-30, 650)}, {At(50, 10, 1200, 750)}, {At(1300, 300, 1200, 750)}},
         {{"mouse move mouse 400,300"},
          {"mouse move mouse 0,599"},
          {"mouse move mouse 0,8"},
          {"mouse move mouse 799,240"}}},
        {"relative motion alone",
         {{Move(5, 0), Move(0, 3)}, {Move(-2, 1)}},
         {{"mouse move mouse 5,3"}, {"mouse move mouse 3,4"}}},
        {"a position after relative motion brings the pointer under the system's",
         {{At(100, 100)}, {Move(10, 0)}, {At(100, 100)}, {Move(-500, 0)}, {At(10, 100)}},
         {{"mouse move mouse 100,100"},
          {"mouse move mouse 110,100"},
          {"mouse move mouse 100,100"},
          {"mouse move mouse 0,100"},
          {"mouse move mouse 10,100"}}},
        {"a position and a button in one frame keep their order",
         {{At(30, 40), Press(0), At(35, 40), Release(0)}},
         {{"mouse move mouse 30,40", "mouse down mouse 1", "mouse move mouse 35,40", "mouse up mouse 1"}}},
        {"a surface without area is ignored", {{At(10, 10, 0, 600), At(10, 10, 800, -1)}}, {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        LogCapture log;
        MouseRig rig;
        rig.KeepOnThePicture();
        EXPECT_EQ(rig.Run(c.fFrames), c.fReports);
        EXPECT_TRUE(log.Lines().empty());
    }
}

TEST(VoMouseDX9, PositionsLostInTheBackgroundAreMadeUpByTheNextOne) {
    MouseRig rig;
    rig.KeepOnThePicture();
    EXPECT_EQ(rig.Run({{At(100, 100)}}), Reports({{"mouse move mouse 100,100"}}));
    rig.fInput.SetForeground(false);
    EXPECT_EQ(rig.Run({{At(300, 200)}}), Reports({{}}));
    rig.fInput.SetForeground(true);
    EXPECT_EQ(rig.Run({{}, {At(310, 200)}}), Reports({{}, {"mouse move mouse 310,200"}}));
}

TEST(VoMouseDX9, WithoutAPictureSizePositionsAreTakenOnTheSurface) {
    MouseRig rig;
    EXPECT_EQ(rig.Run({{At(1000, 700, 1600, 1200)}, {At(1700, -5, 1600, 1200)}}),
              Reports({{"mouse move mouse 1000,700"}, {"mouse move mouse 1599,0"}}));
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

TEST(VoMouseDX9, TheDeviceHoldsTheSystemPointerWhileAcquired) {
    MouseRig rig;
    EXPECT_EQ(rig.fWindowJournal, Journal({"hold on"}));
    rig.fInput.GetMouse()->Unacquire();
    EXPECT_EQ(rig.Run({{Move(1, 1)}, {Move(1, 1)}}), Reports({{}, {"mouse move mouse 1,1"}}));
    EXPECT_EQ(rig.fWindowJournal, Journal({"hold on", "hold off", "hold on"}));
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
