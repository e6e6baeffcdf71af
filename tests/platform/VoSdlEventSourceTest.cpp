#include "platform/port/VoSdlEventSource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "platform/port/VoSdlWindow.h"
#include "support/LogCapture.h"

namespace {

std::string Describe(const VoPortEvent& aEvent) {
    static const char* const kKinds[] = {"quit",   "focus gained", "focus lost", "key down", "key up",
                                         "motion", "wheel",        "press",      "release"};
    return std::string(kKinds[aEvent.fKind]) + " " + std::to_string(aEvent.fCode) + " " +
           std::to_string(aEvent.fX) + "," + std::to_string(aEvent.fY);
}

int Scancode(const char* apName) {
    return VoSdlEventSource::ScancodeFromName(apName);
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
    VoPlatformDesc desc;
    desc.fTitle = VoString("Test");
    desc.fWidth = 800;
    desc.fHeight = 600;
    desc.fBits = 32;
    desc.fWindowed = true;
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
        } else if (aFrame == 2) {
            VoSdlEventSource::PushWindowClose();
        } else if (aFrame > 3) {
            // Never reached while the close ends the loop; a guard against a hang.
            platform.Quit();
        }
    };
    EXPECT_EQ(platform.Run(), 0);
    const Journal expected = {
        "frame", "key down 1", "mouse move mouse 7,3", "mouse down mouse 1", "mouse move wheel 0,120",
        "frame"};
    // Under a window system the window may also gain the focus.
    EXPECT_EQ(WithoutFocus(journal), expected);
}
