#include "platform/port/VoSdlEventSource.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "platform/VoWindowWin.h"
#include "platform/port/VoSdlWindow.h"
#include "support/LogCapture.h"
#include "support/XServer.h"

namespace {

std::string Describe(const VoPortEvent& aEvent) {
    static const char* const kKinds[] = {"quit",   "focus gained", "focus lost", "key down", "key up",
                                         "motion", "wheel",        "press",      "release",  "position"};
    return std::string(kKinds[aEvent.fKind]) + " " + std::to_string(aEvent.fCode) + " " +
           std::to_string(aEvent.fX) + "," + std::to_string(aEvent.fY);
}

int Scancode(const char* apName) {
    return VoSdlEventSource::ScancodeFromName(apName);
}

// One step of a user at an X display: an xdotool command, then the entries it
// must bring to the application's journal, in order.
struct UserStep {
    std::string fCommand;
    Journal fEntries;
};

// Runs the platform on a window of the X server through the steps; each
// problem is one line of the result.
std::string DriveUnderX(bool aWindowed, const std::function<std::vector<UserStep>(int, int)>& aSteps,
                        const std::function<std::string(SDL_Window*)>& aCheckAfter) {
    Journal journal;
    VoPlatformPCDX9 platform;
    VoPlatformDesc desc = TestWindowDesc(aWindowed);
    if (!platform.Create(&desc)) {
        return "the window could not be made\n";
    }
    RecordingApp* app = new RecordingApp(&journal);
    platform.SetApp(app);
    SDL_Window* window = static_cast<SDL_Window*>(platform.GetWindow()->GetHandle());
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(window, &left, &top);
    const std::vector<UserStep> steps = aSteps(left, top);
    std::string problems;
    std::size_t step = 0;
    bool issued = false;
    std::size_t mark = 0;
    std::uint32_t deadline = 0;
    app->fOnFrame = [&](int) {
        if (step == steps.size()) {
            platform.Quit();
            return;
        }
        if (!issued) {
            mark = journal.size();
            deadline = SDL_GetTicks() + 5000;
            issued = true;
            if (!XServer::Xdotool(steps[step].fCommand)) {
                problems += "xdotool " + steps[step].fCommand + " failed\n";
            }
            return;
        }
        // The step's entries, in order, among what came after its command.
        std::size_t found = 0;
        for (std::size_t i = mark; i < journal.size() && found < steps[step].fEntries.size(); ++i) {
            found += journal[i] == steps[step].fEntries[found] ? 1 : 0;
        }
        const bool done = found == steps[step].fEntries.size();
        if (done || SDL_TICKS_PASSED(SDL_GetTicks(), deadline)) {
            if (!done) {
                problems +=
                    "after xdotool " + steps[step].fCommand + " no " + steps[step].fEntries[found] + ":";
                for (std::size_t i = mark; i < journal.size(); ++i) {
                    problems += journal[i] != "frame" ? " [" + journal[i] + "]" : "";
                }
                problems += "\n";
            }
            ++step;
            issued = false;
        }
    };
    platform.Run();
    return problems + aCheckAfter(window);
}

// Both windows on a 1024 x 768 X screen; 0 when all went as a user expects.
int PlayUnderX() {
    // An 800 x 600 window shows the picture as it is; the pointer leaves it
    // freely, and the engine's stops at the edge it left by.
    std::string problems = DriveUnderX(
        true,
        [](int aLeft, int aTop) {
            const auto at = [&](int aX, int aY) {
                return "mousemove --sync " + std::to_string(aLeft + aX) + " " + std::to_string(aTop + aY);
            };
            return std::vector<UserStep>{{at(100, 50), {"mouse move mouse 100,50"}},
                                         {"key Escape", {"key down 1", "key up 1"}},
                                         {at(300, 200), {"mouse move mouse 300,200"}},
                                         {at(900, 200), {"mouse move mouse 799,200"}}};
        },
        [](SDL_Window* apWindow) -> std::string {
            int left = 0;
            int x = 0;
            SDL_GetWindowPosition(apWindow, &left, nullptr);
            SDL_GetGlobalMouseState(&x, nullptr);
            return x == left + 900 ? "" : "the window held the pointer at " + std::to_string(x - left) + "\n";
        });
    // Full screen the picture is scaled by 1.28 and the pointer kept inside.
    problems += DriveUnderX(
        false,
        [](int, int) {
            return std::vector<UserStep>{{"mousemove --sync 512 384", {"mouse move mouse 400,300"}},
                                         {"key Escape", {"key down 1", "key up 1"}},
                                         {"mousemove --sync 1023 767", {"mouse move mouse 799,599"}}};
        },
        [](SDL_Window* apWindow) -> std::string {
            return SDL_GetWindowGrab(apWindow) == SDL_TRUE ? "" : "full screen did not hold the pointer\n";
        });
    std::fprintf(stderr, "%s", problems.c_str());
    return problems.empty() ? 0 : 1;
}

}  // namespace

TEST(VoSdlEventSource, KeysBecomeTheirKeyboardScanCodes) {
    struct Case {
        const char* fName;
        int fScanCode;
    };
    const Case cases[] = {
        {"A", 30},
        {"Q", 16},
        {"Z", 44},
        {"M", 50},
        {"L", 38},
        {"1", 2},
        {"9", 10},
        {"0", 11},
        {"Escape", 1},
        {"Return", 28},
        {"Space", 57},
        {"Backspace", 14},
        {"Left Shift", 42},
        {"Right Shift", 54},
        {"Left Ctrl", 29},
        {"Right Ctrl", 157},
        {"Left Alt", 56},
        {"Right Alt", 184},
        {"Up", 200},
        {"Left", 203},
        {"Right", 205},
        {"Down", 208},
        {"Keypad Enter", 156},
        {"F12", 88},
        {"Delete", 211},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        ASSERT_NE(Scancode(c.fName), 0);
        EXPECT_EQ(VoSdlEventSource::ToScanCode(Scancode(c.fName)), c.fScanCode);
    }
    for (int outside : {0, -1, 512, 100000}) {
        EXPECT_EQ(VoSdlEventSource::ToScanCode(outside), 0);
    }
}

TEST(VoSdlEventSource, SdlEventsBecomeTheWindowsMessagesAndOthersAreSkipped) {
    VoSdlWindow window;
    ASSERT_TRUE(window.Register());
    VoSdlEventSource source;
    VoPortEvent event;
    while (source.Poll(&event)) {
    }
    const std::vector<std::function<bool()>> pushes = {
        [] { return VoSdlEventSource::PushKey(Scancode("A"), true); },
        // A key without a scan code is skipped.
        [] { return VoSdlEventSource::PushKey(Scancode("AC Back"), true); },
        [] { return VoSdlEventSource::PushKey(Scancode("Right Alt"), false); },
        [] { return VoSdlEventSource::PushMotion(5, -3); },
        [] { return VoSdlEventSource::PushWheel(2); },
        [] { return VoSdlEventSource::PushButton(1, true); },
        [] { return VoSdlEventSource::PushButton(3, false); },
        [] { return VoSdlEventSource::PushButton(2, true); },
        [] { return VoSdlEventSource::PushButton(4, true); },
        // Buttons past the side buttons are skipped.
        [] { return VoSdlEventSource::PushButton(9, true); },
        [] { return VoSdlEventSource::PushFocus(false); },
        [] { return VoSdlEventSource::PushFocus(true); },
        [] { return VoSdlEventSource::PushWindowClose(); },
        [] { return VoSdlEventSource::PushQuit(); },
        [] { return VoSdlEventSource::PushKey(Scancode("B"), true); },
    };
    for (const auto& push : pushes) {
        ASSERT_TRUE(push());
    }
    std::vector<std::string> messages;
    while (source.Poll(&event)) {
        messages.push_back(Describe(event));
    }
    const std::vector<std::string> expected = {
        "key down 30 0,0", "key up 184 0,0", "motion 0 5,-3",  "wheel 0 0,2",      "press 0 0,0",
        "release 1 0,0",   "press 2 0,0",    "press 3 0,0",    "focus lost 0 0,0", "focus gained 0 0,0",
        "quit 0 0,0",      "quit 0 0,0",     "key down 48 0,0"};
    EXPECT_EQ(messages, expected);
}

// The whole road: SDL events pushed at a real (headless) window reach the
// application through the message pump and the devices.
TEST(VoSdlEventSource, PushedEventsReachTheApplicationThroughTheMainLoop) {
    LogCapture log;
    Journal journal;
    VoPlatformPCDX9 platform;
    VoPlatformDesc desc = TestWindowDesc();
    ASSERT_TRUE(platform.Create(&desc));
    RecordingApp* app = new RecordingApp(&journal);
    platform.SetApp(app);
    app->fOnFrame = [&](int aFrame) {
        if (aFrame == 1) {
            // The devices are taken on the first pass; from now on they listen.
            VoSdlEventSource::PushKey(Scancode("Escape"), true);
            VoSdlEventSource::PushMotion(5, 0);
            VoSdlEventSource::PushMotion(0, 3);
            VoSdlEventSource::PushMotion(2, 0);
            VoSdlEventSource::PushButton(1, true);
            VoSdlEventSource::PushWheel(1);
            // A position in the 800 x 600 window: the pointer goes there.
            VoSdlEventSource::PushPointer(100, 50);
        } else if (aFrame == 2) {
            VoSdlEventSource::PushWindowClose();
        } else if (aFrame > 3) {
            // Never reached while the close ends the loop; a guard against a hang.
            platform.Quit();
        }
    };
    EXPECT_EQ(platform.Run(), 0);
    const Journal expected = {"frame",
                              "key down 1",
                              "mouse move mouse 7,3",
                              "mouse down mouse 1",
                              "mouse move wheel 0,120",
                              "mouse move mouse 100,50",
                              "frame"};
    // Under a window system the window may also gain the focus.
    EXPECT_EQ(WithoutFocus(journal), expected);
}

TEST(VoSdlWindow, DriversWithoutADisplayOnlyWhenSdlVideoDriverNamesThem) {
    struct Case {
        const char* fDriver;
        const char* fAsked;
        bool fMay;
    };
    const Case cases[] = {
        {"x11", nullptr, true},
        {"wayland", "", true},
        {"kmsdrm", "offscreen", true},
        {"offscreen", nullptr, false},
        {"offscreen", "", false},
        {"offscreen", "x11", false},
        {"offscreen", "offscreen", true},
        {"offscreen", "OffScreen", true},
        {"offscreen", "x11,offscreen", true},
        {"offscreen", "offscreens", false},
        {"dummy", nullptr, false},
        {"dummy", "wayland,dummy", true},
        {"evdev", "dummy", false},
        {"evdev", "evdev", true},
        {nullptr, "offscreen", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fDriver != nullptr ? c.fDriver : "(none)") + " asked " +
                     (c.fAsked != nullptr ? c.fAsked : "(unset)"));
        EXPECT_EQ(VoSdlWindow::MayUseDriver(c.fDriver, c.fAsked), c.fMay);
    }
}

// In a process of its own, with nothing saying where a display is: SDL finds
// none, and the platform says so in one line instead of running invisibly.
TEST(VoSdlWindow, WithoutADisplayThePlatformSaysSoInOneLine) {
    if (std::filesystem::exists("/dev/dri")) {
        GTEST_SKIP() << "this machine has a console display, which SDL may open";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto start = [] {
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        VoPlatformPCDX9 platform;
        VoPlatformDesc desc = TestWindowDesc();
        const bool created = platform.Create(&desc);
        std::fflush(stderr);
        std::_Exit(created ? 0 : 3);
    };
    const std::string line =
        std::string("The display could not be opened: ") + VoSdlWindow::kHeadlessDriver + "\n";
    EXPECT_EXIT(
        start(), [](int aStatus) { return WIFEXITED(aStatus) && WEXITSTATUS(aStatus) == 3; },
        testing::Eq(line));
}

// A user's pointer and keys at a real X display, as xdotool gives them: the
// pointer moves by absolute positions, and a key is down for about a millisecond.
TEST(VoSdlEventSource, UnderXThePointerAndQuickKeysOfXdotoolReachTheApplication) {
    ExpectCleanExitUnderX(&PlayUnderX);
}
