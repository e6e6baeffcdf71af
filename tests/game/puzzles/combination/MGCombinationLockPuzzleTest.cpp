#include "puzzles/combination/MGCombinationLockPuzzle.h"

#include <gtest/gtest.h>

#include <string>

#include "event/VoEventManager.h"
#include "game/support/PuzzleData.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "platform/VoMouse.h"
#include "puzzles/combination/MGCombinationDisplay.h"
#include "puzzles/combination/MGKeypadButton.h"
#include "support/TestText.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGGameReset.h"

namespace {

constexpr const char* kLayoutFile = "keypad_layout.txt";

class MGCombinationLockPuzzleTest : public ::testing::Test {
protected:
    MGCombinationLockPuzzleTest() { fGame.Open(MGCombinationLockPuzzle::kActivationState); }

    MGKeypadButton* Key(const char16_t* apId) const {
        VoString path(u"keypad_buttons.");
        path.Append(apId);
        return dynamic_cast<MGKeypadButton*>(fPuzzle->GetRootGroup()->GetMember(path));
    }
    // The middle of the key's press area.
    VoVector2 Middle(const char16_t* apId) const {
        MGKeypadButton* key = Key(apId);
        EXPECT_NE(key, nullptr) << Narrow(VoString(apId));
        if (key == nullptr) {
            return VoVector2(-1.0f, -1.0f);
        }
        const VoRectangle area(*key->GetActiveArea());
        return VoVector2(area.x + area.width / 2.0f, area.y + area.height / 2.0f);
    }
    void Type(const char16_t* apKey) const {
        const VoVector2 at = Middle(apKey);
        PuzzleGame::Click(at.x, at.y);
    }
    void TypeDigits(const std::string& aDigits) const {
        for (char digit : aDigits) {
            const char16_t key[2] = {static_cast<char16_t>(digit), u'\0'};
            Type(key);
        }
    }
    std::string Shown() const { return Narrow(fPuzzle->GetDisplay()->GetText()); }
    static int Queued() { return MGCutScenePlayer::GetInstance()->GetQueue().GetCount(); }

    PuzzleGame fGame;
    MGCombinationLockPuzzle* fPuzzle = MGCombinationLockPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGCombinationLockPuzzleTest, TheKeysOfTheSampleAreAllThere) {
    for (const char16_t* id : {u"0", u"1", u"5", u"9", u"A", u"B", u"clear", u"enter"}) {
        MGKeypadButton* key = Key(id);
        ASSERT_NE(key, nullptr) << Narrow(VoString(id));
        EXPECT_FALSE(key->IsPressed());
    }
    ASSERT_NE(fPuzzle->GetDisplay(), nullptr);
    EXPECT_EQ(TextOf(fPuzzle->GetDisplay()->GetId()), u"combination_display");
    EXPECT_EQ(TextOf(fPuzzle->GetRootGroup()->GetId()), u"kaypad_layout");
    EXPECT_EQ(fPuzzle->GetDisplay()->GetMemberCount(), 7 * 12);
}

TEST_F(MGCombinationLockPuzzleTest, AKeyCountsWhenPressedInsideAndReleasedAnywhere) {
    const VoVector2 five = Middle(u"5");
    PuzzleGame::Press(five.x, five.y);
    EXPECT_TRUE(Key(u"5")->IsPressed());
    stubs::SoundPlayer* click = PuzzleGame::Sound("button_press");
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->fPath, "//dataroot/sounds/blip.wav");
    EXPECT_TRUE(click->fPlays > 0);
    EXPECT_EQ(Shown(), "");
    PuzzleGame::MoveTo(5.0f, 5.0f);
    PuzzleGame::Release();
    EXPECT_FALSE(Key(u"5")->IsPressed());
    EXPECT_EQ(Shown(), "5");

    // A press outside every key does nothing; one just inside an area counts.
    PuzzleGame::Click(5.0f, 5.0f);
    const VoRectangle area(*Key(u"7")->GetActiveArea());
    PuzzleGame::Click(area.x + 1.0f, area.y + 1.0f);
    EXPECT_EQ(Shown(), "57");
    // The click of a key does not cut off the puzzle's own sound.
    EXPECT_NE(PuzzleGame::Sound("hintAudio"), nullptr);
}

TEST_F(MGCombinationLockPuzzleTest, AnEighthKeyIsIgnoredAndEachPositionShowsItsSprite) {
    TypeDigits("12345678");
    EXPECT_EQ(Shown(), "1234567");
    MGCombinationDisplay* display = fPuzzle->GetDisplay();
    for (int position = 1; position <= 7; ++position) {
        VoIDisplayObject* shown = display->GetShown(position);
        ASSERT_NE(shown, nullptr);
        std::string id = "dsp_0" + std::to_string(position) + "_" + std::to_string(position);
        EXPECT_EQ(Narrow(shown->GetId()), id);
        EXPECT_TRUE(shown->GetVisible());
    }
    Type(u"clear");
    EXPECT_EQ(Shown(), "");
    for (int position = 1; position <= 7; ++position) {
        EXPECT_EQ(display->GetShown(position), nullptr);
    }
    for (int i = 0; i < display->GetMemberCount(); ++i) {
        EXPECT_FALSE(display->GetMemberAt(i)->GetVisible());
    }
}

TEST_F(MGCombinationLockPuzzleTest, ALetterKeyIsEnteredAndShownOnlyWithItsSprite) {
    Type(u"A");
    fPuzzle->OnKey(VoString(u"Z"));
    fPuzzle->OnKey(VoString(u"a.b"));
    EXPECT_EQ(Shown(), "AZa.b");
    EXPECT_NE(fPuzzle->GetDisplay()->GetShown(1), nullptr);
    EXPECT_EQ(fPuzzle->GetDisplay()->GetShown(2), nullptr);
    EXPECT_EQ(fPuzzle->GetDisplay()->GetShown(3), nullptr);
}

TEST_F(MGCombinationLockPuzzleTest, AWrongCodeOrNoneBuzzesAndClears) {
    for (const std::string& code : {std::string(), std::string("503816"), std::string("03816450")}) {
        SCOPED_TRACE(code);
        TypeDigits(code);
        Type(u"enter");
        stubs::SoundPlayer* buzz = PuzzleGame::Sound("buzz");
        ASSERT_NE(buzz, nullptr);
        EXPECT_EQ(buzz->fPath, "//dataroot/sounds/buzz.mp2");
        EXPECT_EQ(buzz->fpListener, nullptr);
        EXPECT_TRUE(buzz->fPlays > 0);
        EXPECT_EQ(Shown(), "");
        EXPECT_FALSE(fPuzzle->IsSolved());
    }
    // The buzz took the hint's place.
    EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
}

TEST_F(MGCombinationLockPuzzleTest, ClearAndEnterIgnoreCase) {
    fPuzzle->OnKey(VoString(u"4"));
    fPuzzle->OnKey(VoString(u"CLEAR"));
    EXPECT_EQ(Shown(), "");
    for (char digit : std::string("5038164")) {
        const char16_t key[2] = {static_cast<char16_t>(digit), u'\0'};
        fPuzzle->OnKey(VoString(key));
    }
    fPuzzle->OnKey(VoString(u"Enter"));
    EXPECT_TRUE(fPuzzle->IsSolved());
}

TEST_F(MGCombinationLockPuzzleTest, TheRightCodeOpensTheDoorWhenTheEntrySoundEndsAndNothingElseCounts) {
    TypeDigits("5038164");
    Type(u"enter");
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGCombinationLockPuzzle::kSolvedEvent));
    EXPECT_FALSE(fPuzzle->GetRootGroup()->GetEnabled());
    stubs::SoundPlayer* entry = PuzzleGame::Sound("buzz");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->fPath, "//dataroot/sounds/entry.mp2");
    EXPECT_EQ(entry->fpListener, static_cast<VoISoundListener*>(fPuzzle));

    // Keys and the back button do nothing from now on.
    const int events = VoEventManager::GetInstance()->GetEventCount();
    const auto created = PuzzleGame::SoundsAsked().size();
    Type(u"clear");
    Type(u"1");
    Type(u"enter");
    EXPECT_TRUE(PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(Shown(), "5038164");
    EXPECT_EQ(PuzzleGame::SoundsAsked().size(), created);
    EXPECT_EQ(PuzzleGame::Sound("buzz"), entry);
    EXPECT_EQ(VoEventManager::GetInstance()->GetEventCount(), events);
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(fPuzzle));
    EXPECT_EQ(Queued(), 0);

    entry->End();
    EXPECT_EQ(Queued(), 0);
    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(Queued(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "Secret_Apt_Door.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/castillosecretapt");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_start");
    EXPECT_EQ(player->GetDoneStates().GetCount(), 0);
    // The movie's screen goes over the puzzle.
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(player));
    EXPECT_GE(fGame.Screens()->FindScreen(fPuzzle), 0);
}

TEST_F(MGCombinationLockPuzzleTest, WithoutAnEntrySoundTheDoorOpensAtOnce) {
    stubs::Missing().insert("//dataroot/sounds/entry.mp2");
    TypeDigits("5038164");
    Type(u"enter");
    EXPECT_TRUE(fPuzzle->IsSolved());
    fGame.Frame();
    EXPECT_EQ(Queued(), 1);
}

TEST_F(MGCombinationLockPuzzleTest, EveryOpeningANewGameAndALoadStartUnsolved) {
    TypeDigits("5038164");
    Type(u"enter");
    ASSERT_TRUE(fPuzzle->IsSolved());
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fGame.Screens()->PopFade(&popped));
    fGame.Settle();
    EXPECT_TRUE(fPuzzle->IsSolved());
    MGGameReset::GetInstance()->Notify();
    EXPECT_FALSE(fPuzzle->IsSolved());

    // A new game: the hint plays again, and its end opens no door.
    VoEventManager::GetInstance()->ClearEvents();
    fGame.Open(MGCombinationLockPuzzle::kActivationState);
    EXPECT_FALSE(fPuzzle->IsSolved());
    EXPECT_EQ(Shown(), "");
    ASSERT_TRUE(PuzzleGame::EndSound("hintAudio"));
    fGame.Frames(3);
    EXPECT_EQ(Queued(), 0);
    Type(u"3");
    EXPECT_EQ(Shown(), "3");
}

TEST_F(MGCombinationLockPuzzleTest, KeysWithoutTheirDataAreDroppedOrTakeNoInput) {
    PuzzleData data("keypad");
    data.WriteLayout(
        kLayoutFile,
        "groups\n"
        "\tg03-buttons\n\t\tbuttons\n"
        "\t\t\tnoid\n\t\t\t\tposition=0|0\n\t\t\t\tactivearea=0|0|50|0|50|50\n"
        "\t\t\tnoarea\n\t\t\t\tid=1\n\t\t\t\tposition=0|0\n"
        "\t\t\tshortposition\n\t\t\t\tid=2\n\t\t\t\tposition=7\n\t\t\t\tactivearea=0|0|50|0|50|50\n"
        "\t\t\tmute\n\t\t\t\tid=3\n\t\t\t\tposition=0|0\n\t\t\t\tactivearea=0|0|50|0|50|50\n"
        "\t\t\tlive\n\t\t\t\tid=4\n\t\t\t\tposition=100|0\n\t\t\t\tactivearea=100|0|150|0|150|50\n"
        "\t\t\t\tsprite\n\t\t\t\t\tid=pressed\n\t\t\t\t\ttexture=keypad_pressed_4.tga\n");
    fPuzzle->OnButtonEvent(VoString(u"back_btn"), VoIButtonListener::kClick);
    fGame.Settle();
    const int listeners = VoMouse::GetInstance()->GetListenerCount();
    fGame.Open(MGCombinationLockPuzzle::kActivationState);
    VoDisplayGroup* keys =
        dynamic_cast<VoDisplayGroup*>(fPuzzle->GetRootGroup()->GetMember(VoString(u"keypad_buttons")));
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->GetMemberCount(), 2);
    EXPECT_EQ(VoMouse::GetInstance()->GetListenerCount(), listeners + 1);
    PuzzleGame::Click(20.0f, 20.0f);
    PuzzleGame::Click(120.0f, 20.0f);
    EXPECT_EQ(Shown(), "4");

    // Leaving takes the keys off the mouse.
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fGame.Screens()->PopFade(&popped));
    fGame.Settle();
    EXPECT_EQ(VoMouse::GetInstance()->GetListenerCount(), listeners);
}
