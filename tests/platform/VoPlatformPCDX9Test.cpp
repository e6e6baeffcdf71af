#include "platform/VoPlatformPCDX9.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoInputDX9.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoWindowWin.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"
#include "support/ScopedEngine.h"

namespace {

// A platform over the fake port with a recording application; the journal
// and the log start empty after Create.
class VoPlatformPCDX9Test : public ::testing::Test {
protected:
    void SetUp() override {
        fApp = new RecordingApp(&fPort.fJournal);
        fPlatform.SetApp(fApp);
    }
    bool Create(bool aWindowed = true) {
        VoPlatformDesc desc = TestWindowDesc(aWindowed);
        const bool created = fPlatform.Create(&desc);
        fPort.fJournal.clear();
        fLog.Clear();
        return created;
    }

    LogCapture fLog;
    FakePort fPort;
    VoPlatformPCDX9 fPlatform{&fPort};
    RecordingApp* fApp = nullptr;  // owned by the platform
};

}  // namespace

TEST_F(VoPlatformPCDX9Test, InitializeRunsTheApplicationsInitOnlyOnceOneIsSet) {
    VoPlatformPCDX9 bare(&fPort);
    EXPECT_TRUE(bare.Initialize(0));
    EXPECT_TRUE(fPort.fJournal.empty());
    EXPECT_TRUE(fPlatform.Initialize(0));
    EXPECT_EQ(fPort.fJournal, Journal({"init"}));
}

TEST_F(VoPlatformPCDX9Test, DeletingThePlatformTellsThenDeletesItsApplicationButSetAppDeletesNothing) {
    Journal journal;
    bool firstDeleted = false;
    bool secondDeleted = false;
    RecordingApp* first = new RecordingApp(&journal, &firstDeleted);
    {
        VoPlatformPCDX9 platform(&fPort);
        platform.SetApp(first);
        platform.SetApp(new RecordingApp(&journal, &secondDeleted));
        EXPECT_FALSE(firstDeleted);
    }
    EXPECT_TRUE(secondDeleted);
    EXPECT_EQ(journal, Journal({"quit"}));
    EXPECT_FALSE(firstDeleted);
    delete first;
}

TEST_F(VoPlatformPCDX9Test, CreateMakesAFullScreenWindowGraphicsAndInputAndWritesTheHandleBack) {
    VoPlatformDesc desc = TestWindowDesc(false);
    ASSERT_TRUE(fPlatform.Create(&desc));
    EXPECT_EQ(fPort.fJournal, Journal({"create Test 800x600 full", "show 1"}));
    EXPECT_NE(desc.fpWindow, nullptr);
    EXPECT_EQ(desc.fpWindow, fPlatform.GetWindow()->GetHandle());
    EXPECT_NE(fPlatform.GetInput(), nullptr);
    EXPECT_EQ(VoGraphicsDX9::GetInstance(), fPlatform.GetGraphics());
    EXPECT_EQ(Narrow(fPlatform.ToString()), "[VoPlatformPCDX9 <" + HexAddress(&fPlatform) + ">]");
}

TEST_F(VoPlatformPCDX9Test, AnAdoptedWindowGetsNoInputAndTheLoopSkipsIt) {
    int elsewhere = 0;
    VoPlatformDesc desc = TestWindowDesc();
    desc.fpWindow = &elsewhere;
    ASSERT_TRUE(fPlatform.Create(&desc));
    EXPECT_EQ(fPlatform.GetInput(), nullptr);
    EXPECT_EQ(fPlatform.GetWindow()->GetHandle(), &elsewhere);
    fPort.fJournal.clear();
    fPort.Queue(VoPortEvent::kKeyDown, 30);
    fPort.Queue(VoPortEvent::kFocusLost);
    fApp->fOnFrame = [this](int) { fPlatform.Quit(); };
    EXPECT_EQ(fPlatform.Run(), 0);
    EXPECT_EQ(fPort.fJournal,
              Journal({"cursor -1", "deactivate", "messages", "begin", "frame", "quit", "end", "present"}));
}

TEST_F(VoPlatformPCDX9Test, EachCreateFailureIsLoggedAndLeavesNothingToRun) {
    struct Case {
        const char* fName;
        void (*fBreak)(FakeSetup*);
        const char* fLevel;
        const char* fMessage;
        // The plain line that comes first in the log and on standard error
        // too: without a display or a window the program cannot go on.
        const char* fPrinted;
    };
    const Case cases[] = {
        {"register", [](FakeSetup* s) { s->fRegisters = false; },
         "ERROR: ", VoPlatformPCDX9::kRegisterFailure, "The display could not be opened: no display"},
        {"window", [](FakeSetup* s) { s->fCreatesWindow = false; },
         "ERROR: ", VoPlatformPCDX9::kWindowInitFailure, "CreateWindow failed: no display"},
        {"context", [](FakeSetup* s) { s->fCreatesContext = false; },
         "ASSERT FAILURE: ", VoGraphicsDX9::kCreateObjectFailure, nullptr},
        {"back buffer", [](FakeSetup* s) { s->fCreatesBackBuffer = false; },
         "ERROR: ", "CreateDevice failure: E_FAIL: no back buffer", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        LogCapture log;
        FakePort port;
        c.fBreak(&port.fSetup);
        VoPlatformPCDX9 platform(&port);
        VoPlatformDesc desc = TestWindowDesc();
        testing::internal::CaptureStderr();
        EXPECT_FALSE(platform.Create(&desc));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  c.fPrinted != nullptr ? std::string(c.fPrinted) + "\n" : "");
        EXPECT_TRUE(log.Logged(c.fLevel, c.fMessage));
        if (c.fPrinted != nullptr) {
            ASSERT_FALSE(log.Lines().empty());
            EXPECT_EQ(log.Lines().front(), c.fPrinted);
        }
        port.fJournal.clear();
        EXPECT_EQ(platform.Run(), 0);
        EXPECT_TRUE(log.Logged("ERROR: ", VoPlatformPCDX9::kRunWithoutCreate));
        EXPECT_TRUE(port.fJournal.empty());
    }
}

TEST_F(VoPlatformPCDX9Test, ASecondCreateIsRefused) {
    ASSERT_TRUE(Create());
    VoPlatformDesc desc = TestWindowDesc();
    EXPECT_FALSE(fPlatform.Create(&desc));
    EXPECT_TRUE(fLog.Logged("ERROR: ", VoPlatformPCDX9::kCreatedAlready));
    EXPECT_TRUE(fPort.fJournal.empty());
}

TEST_F(VoPlatformPCDX9Test,
       EachPassDrainsReleasesOnFocusChangeBeginsReadsKeyboardThenMouseFramesEndsAndPresents) {
    ASSERT_TRUE(Create());
    fPort.Queue(VoPortEvent::kKeyDown, 30);
    fApp->fOnFrame = [this](int aFrame) {
        if (aFrame == 1) {
            fPort.Queue(VoPortEvent::kKeyUp, 30);
            fPort.Queue(VoPortEvent::kMouseMotion, 0, 4, 0);
        } else if (aFrame == 2) {
            fPort.Queue(VoPortEvent::kFocusGained);
        } else {
            fPlatform.Quit();
        }
    };
    EXPECT_EQ(fPlatform.Run(), 0);
    const Journal expected = {
        // Pass 1: the keyboard and mouse are taken on their first read.
        "messages", "begin", "key down 30", "hold on", "frame", "end", "present",
        // Pass 2: the keyboard reports before the mouse.
        "messages", "begin", "key up 30", "mouse move mouse 4,0", "frame", "end", "present",
        // Pass 3: a focus change releases the mouse, which its read takes again;
        // Quit ends the loop after this pass, without another drain.
        "cursor +1", "activate", "messages", "hold off", "begin", "hold on", "frame", "quit", "end",
        "present"};
    EXPECT_EQ(fPort.fJournal, expected);
}

// Keys that come faster than the frames: "abdcef" (scan codes out of
// ascending order) and three BackSpaces, all drained in one pass, reach the
// application over the passes that follow, each key once and in order.
TEST_F(VoPlatformPCDX9Test, KeysQueuedWithinOnePassReachTheApplicationInOrderOverTheNextPasses) {
    ASSERT_TRUE(Create());
    const int typed[] = {30, 48, 32, 46, 18, 33, 14, 14, 14};
    Journal expected;
    for (int code : typed) {
        fPort.Queue(VoPortEvent::kKeyDown, code);
        fPort.Queue(VoPortEvent::kKeyUp, code);
        expected.push_back("key down " + std::to_string(code));
        expected.push_back("key up " + std::to_string(code));
    }
    fApp->fOnFrame = [this](int aFrame) {
        if (aFrame == 2 * static_cast<int>(sizeof typed / sizeof typed[0])) {
            fPlatform.Quit();
        }
    };
    EXPECT_EQ(fPlatform.Run(), 0);
    Journal keys;
    for (const std::string& entry : fPort.fJournal) {
        if (entry.rfind("key ", 0) == 0) {
            keys.push_back(entry);
        }
    }
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoPlatformPCDX9Test, TheMouseFollowsThePointerByPositionsDeltasOrBoth) {
    struct Motion {
        bool fPosition;
        int fX;
        int fY;
    };
    struct Case {
        const char* fName;
        bool fWindowed;
        std::vector<std::vector<Motion>> fFrames;
        Journal fMoves;
    };
    // Positions on a 1600 x 900 surface, which shows the 800 x 600 picture
    // 1200 x 900 from x = 200.
    const Case cases[] = {
        {"positions only",
         false,
         {{{true, 800, 450}}, {{true, 203, 0}, {true, 1399, 899}}, {{true, 0, 0}}},
         {"mouse move mouse 400,300", "mouse move mouse 799,599", "mouse move mouse 0,0"}},
        {"deltas only",
         true,
         {{{false, 5, 2}}, {{false, 1, 1}, {false, -3, 0}}},
         {"mouse move mouse 5,2", "mouse move mouse 3,3"}},
        {"both",
         false,
         {{{true, 800, 450}}, {{false, 7, -4}}, {{true, 803, 450}}},
         {"mouse move mouse 400,300", "mouse move mouse 407,296", "mouse move mouse 402,300"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        FakePort port;
        VoPlatformPCDX9 platform(&port);
        RecordingApp* app = new RecordingApp(&port.fJournal);
        platform.SetApp(app);
        VoPlatformDesc desc = TestWindowDesc(c.fWindowed);
        ASSERT_TRUE(platform.Create(&desc));
        const auto queue = [&](std::size_t aFrame) {
            for (const Motion& motion : c.fFrames[aFrame]) {
                VoPortEvent event;
                event.fKind = motion.fPosition ? VoPortEvent::kMousePosition : VoPortEvent::kMouseMotion;
                event.fX = motion.fX;
                event.fY = motion.fY;
                event.fWidth = motion.fPosition ? 1600 : 0;
                event.fHeight = motion.fPosition ? 900 : 0;
                port.fSetup.fEvents.push_back(event);
            }
        };
        // The devices are taken on the first pass; from then on they listen.
        app->fOnFrame = [&](int aFrame) {
            if (static_cast<std::size_t>(aFrame) <= c.fFrames.size()) {
                queue(aFrame - 1);
            } else {
                platform.Quit();
            }
        };
        platform.Run();
        Journal moves;
        for (const std::string& entry : port.fJournal) {
            if (entry.rfind("mouse move", 0) == 0) {
                moves.push_back(entry);
            }
        }
        EXPECT_EQ(moves, c.fMoves);
    }
}

TEST_F(VoPlatformPCDX9Test, TheQuitMessageEndsTheLoopAtTheDrainAndLeavesWhatFollowsQueued) {
    ASSERT_TRUE(Create());
    fPort.Queue(VoPortEvent::kMouseMotion, 0, 1, 1);
    fPort.Queue(VoPortEvent::kQuit);
    fPort.Queue(VoPortEvent::kKeyDown, 30);
    EXPECT_EQ(fPlatform.Run(), 0);
    EXPECT_TRUE(fPort.fJournal.empty());
    ASSERT_EQ(fPort.fSetup.fEvents.size(), 1u);
    EXPECT_EQ(fPort.fSetup.fEvents.front().fKind, VoPortEvent::kKeyDown);
}

TEST_F(VoPlatformPCDX9Test, LosingTheFocusDeactivatesAndSilencesTheDevices) {
    ASSERT_TRUE(Create());
    fPort.Queue(VoPortEvent::kFocusLost);
    fApp->fOnFrame = [this](int aFrame) {
        if (aFrame == 1) {
            fPort.Queue(VoPortEvent::kKeyDown, 30);
            fPort.Queue(VoPortEvent::kMouseMotion, 0, 4, 4);
        } else {
            fPlatform.Quit();
        }
    };
    fPlatform.Run();
    EXPECT_FALSE(fPlatform.IsActive());
    const Journal expected = {"cursor -1", "deactivate", "messages", "begin", "frame", "end",    "present",
                              "messages",  "begin",      "frame",    "quit",  "end",   "present"};
    EXPECT_EQ(fPort.fJournal, expected);
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoPlatformPCDX9Test, GetInstanceMakesThePlatformThroughItsCreatorAndForgetsItWhenDeleted) {
    {
        LogCapture log;
        delete VoCleaner::PeekInstance();
        ASSERT_NE(VoCleaner::GetInstance(), nullptr);
        EXPECT_EQ(VoIPlatform::GetInstance(), nullptr);
        EXPECT_TRUE(log.Logged("ERROR: ", VoIPlatform::kCreationFailure));
        delete VoCleaner::PeekInstance();
    }
    ScopedEngine engine;
    VoIPlatform* platform = VoIPlatform::GetInstance();
    ASSERT_NE(dynamic_cast<VoPlatformPCDX9*>(platform), nullptr);
    EXPECT_EQ(VoIPlatform::GetInstance(), platform);
    delete platform;
    VoIPlatform* next = VoIPlatform::GetInstance();
    EXPECT_NE(next, nullptr);
    delete next;
}

TEST_F(VoPlatformPCDX9Test, TheCallbackIsKeptAndNeverCalled) {
    static int calls = 0;
    fPlatform.SetCallback([] { ++calls; });
    ASSERT_TRUE(Create());
    fApp->fOnFrame = [this](int) { fPlatform.Quit(); };
    fPlatform.Run();
    EXPECT_NE(fPlatform.GetCallback(), nullptr);
    EXPECT_EQ(calls, 0);
}
