#include "platform/VoKeyboardDX9.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoInputDX9.h"
#include "platform/VoPlatformPCDX9.h"
#include "support/LogCapture.h"

namespace {

// An input of its own over a platform (never created) whose application
// writes the reports into the journal.
class VoKeyboardDX9Test : public ::testing::Test {
protected:
    void SetUp() override {
        fPlatform.SetApp(new RecordingApp(&fJournal));
        ASSERT_TRUE(fInput.Init(nullptr, &fWindow, 1, true, false));
    }
    void Key(int aCode, bool aDown) {
        VoPortEvent event;
        event.fKind = aDown ? VoPortEvent::kKeyDown : VoPortEvent::kKeyUp;
        event.fCode = aCode;
        fInput.Feed(event);
    }
    // The reports of one update.
    Journal Update() {
        fJournal.clear();
        fInput.Update();
        return fJournal;
    }

    LogCapture fLog;
    Journal fJournal;
    FakeSetup fSetup;
    Journal fWindowJournal;
    FakeWindowPort fWindow{&fSetup, &fWindowJournal};
    FakePort fPort;
    VoPlatformPCDX9 fPlatform{&fPort};
    VoInputDX9 fInput{&fPlatform};
};

}  // namespace

TEST_F(VoKeyboardDX9Test, ChangesAreReportedInAscendingScanCodeOrderOncePerChange) {
    Key(50, true);
    Key(42, true);
    Key(2, true);
    EXPECT_EQ(Update(), Journal({"key down 2", "key down 42", "key down 50"}));
    EXPECT_TRUE(fInput.GetKeyboard()->IsKeyDown(42));
    // Held keys say nothing more.
    EXPECT_EQ(Update(), Journal());
    Key(42, false);
    Key(200, true);
    EXPECT_EQ(Update(), Journal({"key up 42", "key down 200"}));
    EXPECT_FALSE(fInput.GetKeyboard()->IsKeyDown(42));
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoKeyboardDX9Test, AKeyTappedBetweenTwoReadsIsDownInOneAndUpInTheNext) {
    struct Tap {
        int fCode;
        bool fDown;
    };
    struct Case {
        const char* fName;
        std::vector<Tap> fBeforeRead;
        std::vector<Journal> fReads;
    };
    const Case cases[] = {
        {"a tap", {{1, true}, {1, false}}, {{"key down 1"}, {"key up 1"}, {}}},
        {"two taps of one key",
         {{1, true}, {1, false}, {1, true}, {1, false}},
         {{"key down 1"}, {"key up 1"}}},
        {"tapped and pressed again stays down", {{30, true}, {30, false}, {30, true}}, {{"key down 30"}, {}}},
        {"two keys tapped",
         {{50, true}, {50, false}, {2, true}, {2, false}},
         {{"key down 2", "key down 50"}, {"key up 2", "key up 50"}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        VoInputDX9 input(&fPlatform);
        ASSERT_TRUE(input.Init(nullptr, &fWindow, 1, true, false));
        // The first read takes the device.
        input.Update();
        for (const Tap& tap : c.fBeforeRead) {
            VoPortEvent event;
            event.fKind = tap.fDown ? VoPortEvent::kKeyDown : VoPortEvent::kKeyUp;
            event.fCode = tap.fCode;
            input.Feed(event);
        }
        for (const Journal& read : c.fReads) {
            fJournal.clear();
            input.Update();
            EXPECT_EQ(fJournal, read);
        }
    }
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoKeyboardDX9Test, ATapBeforeTheFocusIsLostIsForgotten) {
    Update();
    Key(1, true);
    Key(1, false);
    fInput.SetForeground(false);
    fInput.SetForeground(true);
    EXPECT_EQ(Update(), Journal());
    EXPECT_EQ(Update(), Journal());
}

TEST_F(VoKeyboardDX9Test, InTheBackgroundNothingIsReportedAndTheDifferenceComesOnReturn) {
    Key(42, true);
    EXPECT_EQ(Update(), Journal({"key down 42"}));
    fInput.SetForeground(false);
    Key(42, false);
    Key(30, true);
    Key(30, false);
    Key(31, true);
    EXPECT_EQ(Update(), Journal());
    EXPECT_EQ(Update(), Journal());
    EXPECT_TRUE(fInput.GetKeyboard()->IsKeyDown(42));
    EXPECT_TRUE(fLog.Lines().empty());
    fInput.SetForeground(true);
    EXPECT_EQ(Update(), Journal({"key down 31", "key up 42"}));
}

TEST_F(VoKeyboardDX9Test, CodesOutsideTheStateAreIgnored) {
    for (int code : {-1, 256, 300, -2147483647 - 1}) {
        Key(code, true);
    }
    EXPECT_EQ(Update(), Journal());
    EXPECT_FALSE(fInput.GetKeyboard()->IsKeyDown(-1));
    EXPECT_FALSE(fInput.GetKeyboard()->IsKeyDown(256));
}

TEST_F(VoKeyboardDX9Test, WithoutAnApplicationTheUpdateSaysSoAndKeepsTheOldState) {
    delete fPlatform.GetApp();
    fPlatform.SetApp(nullptr);
    Key(30, true);
    fInput.Update();
    EXPECT_TRUE(fLog.Logged("ERROR: ", VoKeyboardDX9::kNoApp));
    EXPECT_FALSE(fInput.GetKeyboard()->IsKeyDown(30));
    fPlatform.SetApp(new RecordingApp(&fJournal));
    EXPECT_EQ(Update(), Journal({"key down 30"}));
}
