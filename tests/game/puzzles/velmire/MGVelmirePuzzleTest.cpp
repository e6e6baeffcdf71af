#include "puzzles/velmire/MGVelmirePuzzle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "state/VoStateManager.h"
#include "support/TestText.h"
#include "util/MGGameReset.h"

namespace {

// Counts what reaches it.
class MouseProbe : public VoIMouseListener {
public:
    void OnButtonDown(int) override { ++fCalls; }
    void OnMouseMove(const VoVector2*) override { ++fCalls; }
    void OnButtonUp(int) override { ++fCalls; }
    int fCalls = 0;
};

// The scan code of the key that gives the character unshifted, or -1.
int KeyOf(char aCharacter) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    for (int key = 0; key < VoKeyboard::kKeyCount; ++key) {
        if (keyboard->ScanCodeToChar(key) == aCharacter) {
            return key;
        }
    }
    return -1;
}

class MGVelmirePuzzleTest : public ::testing::Test {
protected:
    void Open(int aSkill = 1) {
        PuzzleGame::SetSkill(aSkill);
        PuzzleGame::SetState(MGVelmirePuzzle::kActivationState, true);
    }
    bool ClickField(int aField) {
        const std::u16string id(1, static_cast<char16_t>(u'0' + aField));
        return PuzzleGame::ClickMember(fPuzzle->GetRootGroup(), id.c_str());
    }
    static void Press(int aKey) {
        VoKeyboard::GetInstance()->KeyDown(aKey);
        VoKeyboard::GetInstance()->KeyUp(aKey);
    }
    // Types the characters; capitals with a shift key held.
    static void Type(const std::string& aText) {
        VoKeyboard* keyboard = VoKeyboard::GetInstance();
        for (char c : aText) {
            const bool capital = c >= 'A' && c <= 'Z';
            const int key = KeyOf(capital ? static_cast<char>(c - 'A' + 'a') : c);
            ASSERT_GE(key, 0) << c;
            if (capital) {
                keyboard->KeyDown(VoKeyboard::kLeftShift);
            }
            keyboard->KeyDown(key);
            keyboard->KeyUp(key);
            if (capital) {
                keyboard->KeyUp(VoKeyboard::kLeftShift);
            }
        }
    }
    std::string Entry() const {
        std::string entry;
        for (int i = 0; i < MGVelmirePuzzle::kFieldCount; ++i) {
            VoTextArea* field = fPuzzle->GetField(i);
            entry += field != nullptr && field->GetText().GetLength() > 0 ? Narrow(field->GetText()) : "_";
        }
        return entry;
    }
    int CaretsShown() const {
        int shown = 0;
        for (int i = 0; i < MGVelmirePuzzle::kFieldCount; ++i) {
            shown += fPuzzle->GetCaret(i)->GetVisible() ? 1 : 0;
        }
        return shown;
    }

    PuzzleGame fGame;
    MGVelmirePuzzle* fPuzzle = MGVelmirePuzzle::GetInstance();
};

}  // namespace

TEST_F(MGVelmirePuzzleTest, TheFormOpensOverTheScreensAndHoldsTheMouse) {
    MouseProbe probe;
    VoMouse::GetInstance()->AddListener(&probe, -50.0f);
    Open();
    ASSERT_TRUE(fPuzzle->IsOpen());
    EXPECT_EQ(fGame.Screens()->FindScreen(fPuzzle), -1);
    EXPECT_EQ(PuzzleGame::Top(), &fGame.fScene);
    EXPECT_TRUE(fGame.fJournal.empty());
    for (int i = 0; i < MGVelmirePuzzle::kFieldCount; ++i) {
        VoTextArea* field = fPuzzle->GetField(i);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(Narrow(field->GetId()), "entry_" + std::to_string(i));
        EXPECT_EQ(field->GetRelativeZ(), 30.0f);
        EXPECT_EQ(field->GetWidth(), 24.0f);
        EXPECT_EQ(field->GetFont(), VoFontManager::GetInstance()->GetFont(VoString(u"OCRA18")));
        EXPECT_EQ(field->GetPosition(), fPuzzle->GetCaret(i)->GetPosition() + VoVector2(7.0f, 5.0f));
    }
    EXPECT_EQ(CaretsShown(), 0);
    EXPECT_EQ(fPuzzle->GetSelectedField(), MGVelmirePuzzle::kNone);
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    PuzzleGame::Click(400.0f, 300.0f);
    EXPECT_EQ(probe.fCalls, 0);
    // A second true builds nothing new.
    VoDisplayGroup* root = fPuzzle->GetRootGroup();
    PuzzleGame::SetState(MGVelmirePuzzle::kActivationState, true);
    EXPECT_EQ(fPuzzle->GetRootGroup(), root);

    EXPECT_TRUE(PuzzleGame::ClickMember(root, u"back_btn"));
    EXPECT_FALSE(fPuzzle->IsOpen());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    PuzzleGame::Click(400.0f, 300.0f);
    EXPECT_GT(probe.fCalls, 0);
    VoMouse::GetInstance()->RemoveListener(&probe);
    // Typing reaches nothing once closed.
    Type("q");
}

TEST_F(MGVelmirePuzzleTest, LettersFillTheFieldsFromTheOneClickedAndStopAfterTheEighth) {
    Open();
    Type("qu");
    EXPECT_EQ(Entry(), "________");
    ASSERT_TRUE(ClickField(0));
    EXPECT_EQ(fPuzzle->GetSelectedField(), 0);
    EXPECT_TRUE(fPuzzle->GetCaret(0)->GetVisible());
    Type("q5 ");
    // The full stop and minus keys, backspace and enter.
    for (int key : {52, 12, 14, 28}) {
        Press(key);
    }
    Type("U");
    EXPECT_EQ(Entry(), "QU______");
    EXPECT_EQ(fPuzzle->GetSelectedField(), 2);
    EXPECT_EQ(CaretsShown(), 1);
    EXPECT_TRUE(fPuzzle->GetCaret(2)->GetVisible());
    ASSERT_TRUE(ClickField(5));
    EXPECT_EQ(CaretsShown(), 1);
    Type("abc");
    EXPECT_EQ(Entry(), "QU___ABC");
    EXPECT_EQ(fPuzzle->GetSelectedField(), MGVelmirePuzzle::kNone);
    EXPECT_EQ(CaretsShown(), 0);
    Type("d");
    EXPECT_EQ(Entry(), "QU___ABC");
}

TEST_F(MGVelmirePuzzleTest, OneWrongLetterOverwrittenSolvesAndTheLineClosesTheForm) {
    // The item belongs to case 2, the one chosen.
    VoStateManager::GetInstance()->SetState(VoString(MGInventoryPanel::kCaseState), VoString(u"number"),
                                            VoString(u"2"), false);
    Open();
    PuzzleGame::EndSound("puzzleVO");
    ASSERT_TRUE(ClickField(0));
    Type("quentara");
    EXPECT_FALSE(fPuzzle->IsSolved());
    ASSERT_TRUE(ClickField(7));
    Type("o");
    EXPECT_EQ(Entry(), "QUENTARO");
    EXPECT_TRUE(fPuzzle->IsSolved());
    EXPECT_TRUE(PuzzleGame::HasEvent(MGVelmirePuzzle::kSolvedEvent));
    EXPECT_TRUE(MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(u"2ls08_re")));
    stubs::SoundPlayer* line = PuzzleGame::Sound("solvedAudio");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->fPath, "//sounds/2re22a_le.ogg");
    EXPECT_TRUE(fPuzzle->IsOpen());
    PuzzleGame::EndSound("solvedAudio");
    EXPECT_FALSE(fPuzzle->IsOpen());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
}

TEST_F(MGVelmirePuzzleTest, TheSolvedLineStopsTheOpeningLineWhoseEndThenClosesNothing) {
    Open(0);
    ASSERT_NE(PuzzleGame::Sound("puzzleVO"), nullptr);
    ASSERT_TRUE(ClickField(0));
    Type("QUENTARO");
    EXPECT_EQ(PuzzleGame::Sound("puzzleVO"), nullptr);
    EXPECT_EQ(PuzzleGame::LiveSounds(), 1);
    EXPECT_TRUE(fPuzzle->IsOpen());
    PuzzleGame::EndSound("solvedAudio");
    EXPECT_FALSE(fPuzzle->IsOpen());
}

TEST_F(MGVelmirePuzzleTest, WithoutTheSolvedLineTheFormClosesAtOnce) {
    stubs::Missing().insert("//sounds/2re22a_le.ogg");
    Open();
    ASSERT_TRUE(ClickField(0));
    Type("QUENTARO");
    EXPECT_TRUE(fPuzzle->IsSolved());
    EXPECT_FALSE(fPuzzle->IsOpen());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
}

TEST_F(MGVelmirePuzzleTest, TheVoiceOversOfThreeOpeningsBySkill) {
    const struct {
        int fSkill;
        std::vector<std::string> fLines;  // by opening: "stream path", then what follows its end
    } cases[] = {
        {0,
         {"puzzleVO //sounds/2re22_le.ogg", "puzzleHint //sounds/hi11_rg.ogg",
          "puzzleHint //sounds/2re22c_le.ogg"}},
        {1, {"puzzleVO //sounds/2re22_le.ogg"}},
        {2, {"puzzleVO //sounds/2re22_le.ogg"}},
    };
    VoIFont* blue = VoFontManager::GetInstance()->GetFont(VoString(u"TW_CEN_MT16_BLUE"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fSkill);
        VoEventManager::GetInstance()->ClearEvents();
        stubs::SoundsAsked().clear();
        for (int opening = 0; opening < 3; ++opening) {
            Open(c.fSkill);
            if (stubs::SoundPlayer* line = stubs::Live<stubs::SoundPlayer>().empty()
                                               ? nullptr
                                               : stubs::Live<stubs::SoundPlayer>().back()) {
                EXPECT_EQ(MGSubtitle::PeekInstance()->GetMainText()->GetFont(), blue);
                line->End();
            }
            while (!stubs::Live<stubs::SoundPlayer>().empty()) {
                stubs::Live<stubs::SoundPlayer>().back()->End();
            }
            EXPECT_TRUE(fPuzzle->IsOpen());
            fPuzzle->Close();
        }
        EXPECT_EQ(PuzzleGame::SoundsAsked(), c.fLines);
    }
}

TEST_F(MGVelmirePuzzleTest, TheOpeningLinesSubtitleOutlivesTheNextHideAskedOfTheBox) {
    Open();
    MGSubtitle* subtitle = MGSubtitle::PeekInstance();
    ASSERT_TRUE(subtitle->IsShown());
    // What hid the line before the form (an interview's last line) does not take this one.
    subtitle->Hide();
    EXPECT_TRUE(subtitle->IsShown());
}

TEST_F(MGVelmirePuzzleTest, FalseClosesOnlyTheFormAndANewGameForgetsTheSolution) {
    RecordingScreen box("box", &fGame.fJournal);
    fGame.Screens()->PushScreen(&box);
    Open();
    PuzzleGame::SetState(MGVelmirePuzzle::kActivationState, false);
    fGame.Settle();
    EXPECT_FALSE(fPuzzle->IsOpen());
    EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
    EXPECT_EQ(PuzzleGame::Top(), &box);
    EXPECT_TRUE(fGame.fJournal.empty());
    // False again, the form closed: nothing, and no lock of another is ended.
    MouseProbe holder;
    VoMouse::GetInstance()->Lock(&holder);
    PuzzleGame::SetState(MGVelmirePuzzle::kActivationState, false);
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    VoMouse::GetInstance()->Unlock(nullptr);

    Open();
    ASSERT_TRUE(ClickField(0));
    Type("QUENTARO");
    PuzzleGame::EndSound("solvedAudio");
    ASSERT_TRUE(fPuzzle->IsSolved());
    MGGameReset::GetInstance()->Notify();
    EXPECT_FALSE(fPuzzle->IsSolved());
    // In the new game the opening line's end leaves the form open.
    VoEventManager::GetInstance()->ClearEvents();
    Open();
    ASSERT_TRUE(PuzzleGame::EndSound("puzzleVO"));
    EXPECT_TRUE(fPuzzle->IsOpen());
    fGame.Screens()->RemoveScreen(&box);
}

TEST_F(MGVelmirePuzzleTest, MovesGoOnToTheEngineCursorWhileTheMouseIsHeld) {
    Open();
    MouseProbe probe;
    VoMouse::GetInstance()->AddListener(&probe, -50.0f);
    PuzzleGame::MoveTo(123.0f, 456.0f);
    EXPECT_EQ(probe.fCalls, 0);
    VoVector2 cursor;
    VoCursor::GetInstance()->GetGroup()->GetWorldPosition(cursor);
    EXPECT_EQ(cursor, VoVector2(123.0f, 456.0f));
    VoMouse::GetInstance()->RemoveListener(&probe);
}
