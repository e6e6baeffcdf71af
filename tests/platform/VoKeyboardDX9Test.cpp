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

    // Every report of the updates that follow, until one reports nothing
    // (at most aMostReads updates); *apReads counts the updates that did.
    Journal UpdateUntilQuiet(int* apReads = nullptr, int aMostReads = 1000) {
        Journal all;
        int reads = 0;
        for (; reads < aMostReads; ++reads) {
            const Journal read = Update();
            if (read.empty()) {
                break;
            }
            all.insert(all.end(), read.begin(), read.end());
        }
        if (apReads != nullptr) {
            *apReads = reads;
        }
        return all;
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

struct KeyChange {
    int fCode;
    bool fDown;
};
using KeyChanges = std::vector<KeyChange>;

// A press and a release of each lower-case letter in turn.
KeyChanges Tapped(const std::string& aLetters) {
    static const std::string kRows = "qwertyuiop....asdfghjkl.....zxcvbnm";
    KeyChanges changes;
    for (char letter : aLetters) {
        const int code = 16 + static_cast<int>(kRows.find(letter));
        changes.push_back({code, true});
        changes.push_back({code, false});
    }
    return changes;
}

// The letters as a fast typist types them: each key goes down before the
// one before it comes up.
KeyChanges Rolled(const std::string& aLetters) {
    const KeyChanges taps = Tapped(aLetters);
    KeyChanges changes;
    for (std::size_t i = 0; i < taps.size(); i += 2) {
        changes.push_back(taps[i]);
        if (i >= 2) {
            changes.push_back(taps[i - 1]);
        }
    }
    if (!taps.empty()) {
        changes.push_back(taps.back());
    }
    return changes;
}

Journal Reports(const KeyChanges& aChanges) {
    Journal reports;
    for (const KeyChange& change : aChanges) {
        reports.push_back((change.fDown ? "key down " : "key up ") + std::to_string(change.fCode));
    }
    return reports;
}

KeyChanges Repeated(const KeyChanges& aChanges, int aTimes) {
    KeyChanges changes;
    for (int i = 0; i < aTimes; ++i) {
        changes.insert(changes.end(), aChanges.begin(), aChanges.end());
    }
    return changes;
}

}  // namespace

TEST_F(VoKeyboardDX9Test, KeysFasterThanTheReadsReachTheApplicationInOrderAndInFull) {
    const KeyChange shiftDown{42, true};
    const KeyChange shiftUp{42, false};
    struct Case {
        const char* fName;
        KeyChanges fChanges;
    };
    KeyChanges capital = {shiftDown};
    for (const KeyChange& change : Tapped("a")) {
        capital.push_back(change);
    }
    capital.push_back(shiftUp);
    for (const KeyChange& change : Tapped("b")) {
        capital.push_back(change);
    }
    const Case cases[] = {
        {"letters out of scan-code order", Tapped("abdcef")},
        {"letters in scan-code order", Tapped("qwerty")},
        {"a word with a letter twice", Tapped("second")},
        {"keys that overlap", Rolled("second")},
        {"three BackSpaces", Repeated({{14, true}, {14, false}}, 3)},
        {"a capital between shift's press and release", capital},
        {"keys of the highest and the lowest code", {{255, true}, {0, true}, {255, false}, {0, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        UpdateUntilQuiet();
        for (const KeyChange& change : c.fChanges) {
            Key(change.fCode, change.fDown);
        }
        int reads = 0;
        EXPECT_EQ(UpdateUntilQuiet(&reads), Reports(c.fChanges));
        EXPECT_LE(reads, static_cast<int>(c.fChanges.size()));
    }
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoKeyboardDX9Test, ChangesThatChangeNothingAreNotReported) {
    struct Case {
        const char* fName;
        KeyChanges fChanges;
        Journal fReports;
    };
    const Case cases[] = {
        {"a held key's repeats",
         {{30, true}, {30, true}, {30, true}, {30, false}},
         {"key down 30", "key up 30"}},
        {"the release of a key that is up",
         {{31, false}, {30, true}, {30, false}},
         {"key down 30", "key up 30"}},
        {"a repeat between other keys",
         {{30, true}, {31, true}, {30, true}, {31, false}, {30, false}},
         {"key down 30", "key down 31", "key up 31", "key up 30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        UpdateUntilQuiet();
        for (const KeyChange& change : c.fChanges) {
            Key(change.fCode, change.fDown);
        }
        EXPECT_EQ(UpdateUntilQuiet(), c.fReports);
    }
}

// A game that stops reading cannot make the device hold more than its
// queue: past it the next read gives the keys as they are.
TEST_F(VoKeyboardDX9Test, PastTheQueueTheNextReadGivesTheKeysAsTheyAre) {
    struct Case {
        const char* fName;
        int fTaps;
        Journal fReports;
    };
    const int fill = VoKeyboardDevice::kQueueSize / 2;
    Journal all = Reports(Repeated({{30, true}, {30, false}}, fill - 1));
    all.push_back("key down 31");
    const Case cases[] = {
        {"a full queue", fill - 1, all},
        {"one change more", fill, {"key down 31"}},
        {"many more", 10 * fill, {"key down 31"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        Key(31, false);
        UpdateUntilQuiet();
        for (const KeyChange& change : Repeated({{30, true}, {30, false}}, c.fTaps)) {
            Key(change.fCode, change.fDown);
        }
        Key(31, true);
        EXPECT_LE(fInput.GetKeyboard()->GetDevice()->GetQueuedCount(), VoKeyboardDevice::kQueueSize);
        EXPECT_EQ(UpdateUntilQuiet(), c.fReports);
        EXPECT_TRUE(fInput.GetKeyboard()->IsKeyDown(31));
        EXPECT_FALSE(fInput.GetKeyboard()->IsKeyDown(30));
    }
}

// An overflow costs the changes up to the read that settles, no more: the
// keys typed after it are queued again and come key by key, in order.
TEST_F(VoKeyboardDX9Test, AfterAnOverflowHasSettledKeysFasterThanTheReadsComeInFullAgain) {
    struct Case {
        const char* fName;
        KeyChanges fChanges;
    };
    const Case cases[] = {
        {"letters out of scan-code order", Tapped("second")},
        {"a key tapped twice", Tapped("aa")},
        {"keys that overlap", Rolled("abdcef")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        UpdateUntilQuiet();
        for (const KeyChange& change : Repeated({{30, true}, {30, false}}, VoKeyboardDevice::kQueueSize)) {
            Key(change.fCode, change.fDown);
        }
        Key(42, true);
        EXPECT_EQ(UpdateUntilQuiet(), Journal({"key down 42"}));
        KeyChanges changes = c.fChanges;
        changes.push_back({42, false});
        for (const KeyChange& change : changes) {
            Key(change.fCode, change.fDown);
        }
        EXPECT_EQ(UpdateUntilQuiet(), Reports(changes));
    }
    EXPECT_TRUE(fLog.Lines().empty());
}

TEST_F(VoKeyboardDX9Test, ChangesAreReportedInAscendingScanCodeOrderOncePerChange) {
    Key(2, true);
    Key(42, true);
    Key(50, true);
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
         {{"key down 1"}, {"key up 1"}, {"key down 1"}, {"key up 1"}, {}}},
        {"tapped and pressed again",
         {{30, true}, {30, false}, {30, true}},
         {{"key down 30"}, {"key up 30"}, {"key down 30"}, {}}},
        {"two keys tapped, the higher first",
         {{50, true}, {50, false}, {2, true}, {2, false}},
         {{"key down 50"}, {"key up 50"}, {"key down 2"}, {"key up 2"}, {}}},
        {"two keys tapped, the lower first",
         {{2, true}, {2, false}, {50, true}, {50, false}},
         {{"key down 2"}, {"key up 2", "key down 50"}, {"key up 50"}, {}}},
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

TEST_F(VoKeyboardDX9Test, LosingTheFocusDropsTheChangesStillQueuedAndTheKeysSettle) {
    Update();
    for (const KeyChange& change : Tapped("zyx")) {
        Key(change.fCode, change.fDown);
    }
    Key(42, true);
    EXPECT_EQ(Update(), Journal({"key down 44"}));
    fInput.SetForeground(false);
    EXPECT_EQ(fInput.GetKeyboard()->GetDevice()->GetQueuedCount(), 0);
    fInput.SetForeground(true);
    // Only the keys as they are now come: shift, still held, and z up.
    EXPECT_EQ(UpdateUntilQuiet(), Journal({"key down 42", "key up 44"}));
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
