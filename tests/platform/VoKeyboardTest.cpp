#include "platform/VoKeyboard.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/LogCapture.h"
#include "support/ScopedEngine.h"

namespace {

using Journal = std::vector<std::string>;

// Writes "<name> down <key>" or "<name> up <key>" to a shared journal, then
// runs its action, if any.
class Listener : public VoIKeyboardListener {
public:
    Listener(const char* apName, Journal* apJournal) : fName(apName), fpJournal(apJournal) {}
    void OnKeyDown(int aKey) override { Record("down", aKey); }
    void OnKeyUp(int aKey) override { Record("up", aKey); }

    std::function<void()> fAction;

private:
    void Record(const char* apWhat, int aKey) {
        fpJournal->push_back(fName + " " + apWhat + " " + std::to_string(aKey));
        if (fAction) {
            fAction();
        }
    }

    std::string fName;
    Journal* fpJournal;  // not owned
};

class VoKeyboardTest : public ::testing::Test {
protected:
    // The journal of one key press.
    Journal Press(int aKey) {
        fJournal.clear();
        EXPECT_TRUE(fKeyboard.KeyDown(aKey));
        return fJournal;
    }

    VoKeyboard fKeyboard;
    Journal fJournal;
    Listener fA{"A", &fJournal}, fB{"B", &fJournal}, fC{"C", &fJournal};
};

}  // namespace

TEST_F(VoKeyboardTest, LowerOrdersHearFirstAndEqualOrdersInRegistrationOrder) {
    ASSERT_TRUE(fKeyboard.AddListener(&fA, 0.0f));
    ASSERT_TRUE(fKeyboard.AddListener(&fB, 0.0f));
    ASSERT_TRUE(fKeyboard.AddListener(&fC, -1.0f));
    EXPECT_EQ(Press(30), (Journal{"C down 30", "A down 30", "B down 30"}));
    fJournal.clear();
    EXPECT_TRUE(fKeyboard.KeyUp(30));
    EXPECT_EQ(fJournal, (Journal{"C up 30", "A up 30", "B up 30"}));
}

TEST_F(VoKeyboardTest, ConsumingStopsTheRestOfThatEventOnly) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 0.0f);
    bool consume = true;
    fA.fAction = [&] {
        if (consume) {
            fKeyboard.ConsumeEvent();
        }
    };
    EXPECT_EQ(Press(2), (Journal{"A down 2"}));
    consume = false;
    EXPECT_EQ(Press(3), (Journal{"A down 3", "B down 3"}));
}

TEST_F(VoKeyboardTest, ConsumeBetweenEventsSwallowsExactlyTheNextOneFocusIncluded) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 1.0f);
    ASSERT_TRUE(fKeyboard.GetFocus(&fB));
    EXPECT_TRUE(fKeyboard.ConsumeEvent());
    EXPECT_EQ(Press(16), Journal{});
    EXPECT_TRUE(fKeyboard.IsKeyDown(16));
    EXPECT_EQ(Press(17), (Journal{"B down 17", "A down 17"}));
}

TEST_F(VoKeyboardTest, TheFocusListenerHearsFirstAndOnce) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 1.0f);
    fKeyboard.AddListener(&fC, 2.0f);
    ASSERT_TRUE(fKeyboard.GetFocus(&fB));
    EXPECT_EQ(fKeyboard.GetFocusListener(), &fB);
    EXPECT_EQ(Press(5), (Journal{"B down 5", "A down 5", "C down 5"}));
    fB.fAction = [&] { fKeyboard.ConsumeEvent(); };
    EXPECT_EQ(Press(6), (Journal{"B down 6"}));
    fB.fAction = nullptr;
    EXPECT_EQ(Press(7), (Journal{"B down 7", "A down 7", "C down 7"}));
}

TEST_F(VoKeyboardTest, AListenerRemovedDuringAnEventIsNotCalledAgainForIt) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 1.0f);
    fKeyboard.AddListener(&fC, 2.0f);
    // A removes itself, and C, which has not been told yet.
    fA.fAction = [&] {
        EXPECT_TRUE(fKeyboard.RemoveListener(&fA));
        EXPECT_TRUE(fKeyboard.RemoveListener(&fC));
    };
    EXPECT_EQ(Press(9), (Journal{"A down 9", "B down 9"}));
    EXPECT_EQ(Press(9), (Journal{"B down 9"}));
    EXPECT_EQ(fKeyboard.GetListenerCount(), 1);
}

TEST_F(VoKeyboardTest, AListenerAddedDuringAnEventHearsFromTheNextOne) {
    fKeyboard.AddListener(&fA, 0.0f);
    fA.fAction = [&] { fKeyboard.AddListener(&fB, 1.0f); };
    EXPECT_EQ(Press(9), (Journal{"A down 9"}));
    fA.fAction = nullptr;
    EXPECT_EQ(Press(9), (Journal{"A down 9", "B down 9"}));
}

TEST_F(VoKeyboardTest, RefusesNullDuplicateAndUnknownListeners) {
    LogCapture log;
    EXPECT_FALSE(fKeyboard.AddListener(nullptr, 0.0f));
    EXPECT_TRUE(log.Contains("ERROR: engine/platform/VoKeyboard.cpp, "));  // logged at the caller
    EXPECT_TRUE(log.Contains(VoKeyboard::kAddNull));
    fKeyboard.AddListener(&fA, 5.0f);
    fKeyboard.AddListener(&fB, 6.0f);
    EXPECT_FALSE(fKeyboard.AddListener(&fA, 7.0f));
    EXPECT_TRUE(log.Contains(VoKeyboard::kAddDuplicate));
    EXPECT_EQ(Press(1), (Journal{"A down 1", "B down 1"}));
    EXPECT_FALSE(fKeyboard.RemoveListener(&fC));
    EXPECT_FALSE(fKeyboard.RemoveListener(nullptr));
    EXPECT_EQ(log.Count(VoKeyboard::kRemoveError), 2);
}

TEST_F(VoKeyboardTest, KeysOutOfRangeAreLoggedAndChangeNothing) {
    fKeyboard.AddListener(&fA, 0.0f);
    LogCapture log;
    EXPECT_FALSE(fKeyboard.KeyDown(256));
    EXPECT_FALSE(fKeyboard.KeyDown(-1));
    EXPECT_FALSE(fKeyboard.KeyUp(256));
    EXPECT_FALSE(fKeyboard.IsKeyDown(300));
    EXPECT_TRUE(fJournal.empty());
    EXPECT_EQ(log.Count("aKey out of range: 256"), 2);
    EXPECT_TRUE(log.Contains("aKey out of range: -1"));
    EXPECT_TRUE(log.Contains("aKey out of range: 300"));
    for (int key = 0; key < VoKeyboard::kKeyCount; ++key) {
        EXPECT_FALSE(fKeyboard.IsKeyDown(key)) << key;
    }
}

TEST_F(VoKeyboardTest, KeepsTheDownStateOfEveryKey) {
    EXPECT_TRUE(fKeyboard.KeyDown(0));
    EXPECT_TRUE(fKeyboard.KeyDown(255));
    EXPECT_TRUE(fKeyboard.IsKeyDown(0));
    EXPECT_TRUE(fKeyboard.IsKeyDown(255));
    EXPECT_TRUE(fKeyboard.KeyUp(0));
    EXPECT_FALSE(fKeyboard.IsKeyDown(0));
    EXPECT_TRUE(fKeyboard.IsKeyDown(255));
}

TEST_F(VoKeyboardTest, AnUnknownEventCodeIsLoggedOnceAListenerIsMet) {
    LogCapture log;
    EXPECT_TRUE(fKeyboard.FireKeyboardEvent(3, 30));
    fKeyboard.AddListener(&fA, 0.0f);
    EXPECT_FALSE(fKeyboard.FireKeyboardEvent(3, 30));
    EXPECT_EQ(log.Count("Invalid keyboard event: 3"), 1);
    EXPECT_TRUE(fJournal.empty());
    EXPECT_FALSE(fKeyboard.IsKeyDown(30));
    EXPECT_EQ(Press(30), (Journal{"A down 30"}));
}

TEST(VoKeyboard, ScanCodesGiveTheirCharactersAndShiftRaisesOnlyLetters) {
    VoKeyboard keyboard;
    const std::string letters =
        "qwertyuiop"
        "asdfghjkl"
        "zxcvbnm";
    const int firstCodes[] = {16, 30, 44};
    const int rowLengths[] = {10, 9, 7};
    std::string lower, upper;
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; i < rowLengths[row]; ++i) {
            lower += keyboard.ScanCodeToChar(firstCodes[row] + i);
        }
    }
    EXPECT_EQ(lower, letters);
    EXPECT_EQ(keyboard.ScanCodeToChar(2), '1');
    EXPECT_EQ(keyboard.ScanCodeToChar(10), '9');
    EXPECT_EQ(keyboard.ScanCodeToChar(11), '0');
    EXPECT_EQ(keyboard.ScanCodeToChar(14), 8);
    EXPECT_EQ(keyboard.ScanCodeToChar(28), 13);
    EXPECT_EQ(keyboard.ScanCodeToChar(57), ' ');
    for (int key : {-1, 0, 1, 12, 13, 15, 26, 29, 39, 42, 51, 56, 58, 200, 255, 256}) {
        EXPECT_EQ(keyboard.ScanCodeToChar(key), 0) << key;
    }

    for (int shift : {VoKeyboard::kLeftShift, VoKeyboard::kRightShift}) {
        keyboard.KeyDown(shift);
        EXPECT_TRUE(keyboard.IsShiftDown());
        EXPECT_EQ(keyboard.ScanCodeToChar(30), 'A');
        EXPECT_EQ(keyboard.ScanCodeToChar(50), 'M');
        EXPECT_EQ(keyboard.ScanCodeToChar(2), '1');
        EXPECT_EQ(keyboard.ScanCodeToChar(57), ' ');
        keyboard.KeyUp(shift);
        EXPECT_FALSE(keyboard.IsShiftDown());
        EXPECT_EQ(keyboard.ScanCodeToChar(30), 'a');
    }
}

TEST_F(VoKeyboardTest, FocusGoesOnlyToListenersAndStaysWhileLocked) {
    LogCapture log;
    EXPECT_FALSE(fKeyboard.GetFocus(nullptr));
    EXPECT_TRUE(log.Contains(VoKeyboard::kFocusNull));
    EXPECT_FALSE(fKeyboard.GetFocus(&fA));
    EXPECT_TRUE(log.Contains(VoKeyboard::kFocusNotListed));
    EXPECT_FALSE(fKeyboard.LockFocus(7));  // nobody has the focus

    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 0.0f);
    ASSERT_TRUE(fKeyboard.GetFocus(&fA));
    EXPECT_TRUE(fKeyboard.LockFocus(7));
    EXPECT_FALSE(fKeyboard.LockFocus(8));
    log.Clear();
    EXPECT_FALSE(fKeyboard.GetFocus(&fB));
    EXPECT_FALSE(fKeyboard.GetFocus(nullptr));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(fKeyboard.GetFocusListener(), &fA);

    EXPECT_FALSE(fKeyboard.UnlockFocus(8));
    EXPECT_TRUE(fKeyboard.UnlockFocus(7));
    EXPECT_FALSE(fKeyboard.UnlockFocus(7));
    EXPECT_TRUE(fKeyboard.GetFocus(&fB));
    EXPECT_EQ(fKeyboard.GetFocusListener(), &fB);
}

TEST_F(VoKeyboardTest, RemovingTheFocusListenerEndsItsFocusAndLock) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 0.0f);
    fKeyboard.GetFocus(&fB);
    fKeyboard.LockFocus(7);
    ASSERT_TRUE(fKeyboard.RemoveListener(&fB));
    EXPECT_EQ(fKeyboard.GetFocusListener(), nullptr);
    EXPECT_EQ(Press(4), (Journal{"A down 4"}));
    EXPECT_FALSE(fKeyboard.UnlockFocus(7));
    EXPECT_TRUE(fKeyboard.GetFocus(&fA));
}

TEST_F(VoKeyboardTest, TheFocusListenerRemovingItselfIsNotCalledAgain) {
    fKeyboard.AddListener(&fA, 0.0f);
    fKeyboard.AddListener(&fB, 1.0f);
    fKeyboard.GetFocus(&fB);
    fB.fAction = [&] { fKeyboard.RemoveListener(&fB); };
    EXPECT_EQ(Press(4), (Journal{"B down 4", "A down 4"}));
    EXPECT_EQ(Press(5), (Journal{"A down 5"}));
}

TEST(VoKeyboardSingleton, OneKeyboardOwnedByTheEngineCleanerAndNotRemadeAfterIt) {
    ScopedEngine engine;
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(VoKeyboard::GetInstance(), keyboard);
    engine.ShutDown();
    EXPECT_EQ(VoKeyboard::GetInstance(), nullptr);
    ScopedEngine next;
    EXPECT_NE(VoKeyboard::GetInstance(), nullptr);
}
