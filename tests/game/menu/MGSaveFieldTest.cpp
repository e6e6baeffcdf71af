#include "menu/MGSaveField.h"

#include <gtest/gtest.h>

#include <string>

#include "MenuGame.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "render/VoTextureManager.h"
#include "support/LogCapture.h"
#include "system/VoIFileSystem.h"

namespace {

// Scan codes.
constexpr int kA = 30;
constexpr int kB = 48;
constexpr int kC = 46;
constexpr int kW = 17;
constexpr int kI = 23;
constexpr int k1 = 2;
constexpr int kSpace = 57;
constexpr int kShift = 42;
constexpr int kBackspace = 14;
constexpr int kEnter = 28;
constexpr int kTab = 15;
constexpr int kComma = 51;
constexpr int kMinus = 12;

VoIFont* FieldFont() {
    return VoFontManager::GetInstance()->GetFont(VoString(u"twcenmt14white"));
}

float WidthOf(const char* apText) {
    return FieldFont()->GetTextWidth(VoString(apText));
}

// A field at 293|328 of the save screen's size in a group of its own.
class MGSaveFieldTest : public ::testing::Test {
protected:
    MGSaveFieldTest() {
        fGroup->SetId(VoString(u"texts"));
        fField->SetId(VoString(u"textfield"));
        fField->SetPosition(293.0f, 328.0f);
        fField->SetSize(215.0f, 18.0f);
        EXPECT_TRUE(fField->Create(FieldFont()));
        EXPECT_TRUE(fGroup->AddMember(fField, true));
    }
    ~MGSaveFieldTest() override { delete fGroup; }

    std::string Text() const { return Narrow(fField->GetText()); }

    MenuGame fGame;
    VoDisplayGroup* fGroup = new VoDisplayGroup();  // owns the field
    MGSaveField* fField = new MGSaveField();
};

}  // namespace

TEST_F(MGSaveFieldTest, IsBuiltWithItsTextAreaAndAHiddenWhiteCaret) {
    VoTextArea* text = fField->GetTextArea();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Narrow(text->GetId()), "savefieldtext");
    EXPECT_EQ(text->GetLineHeight(), 19.0f);
    EXPECT_FALSE(text->GetWordWrap());
    VoSprite* caret = fField->GetCaret();
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(Narrow(caret->GetId()), "cursor");
    EXPECT_FALSE(caret->GetVisible());
    VoVector2 scale;
    caret->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(0.25f, 2.0f));
    const std::uint32_t white = VoTextureManager::GetInstance()->GetHandle(VoString(u"savefield_cursor"));
    EXPECT_NE(white, 0u);
    EXPECT_EQ(caret->GetTexture(), white);
}

TEST_F(MGSaveFieldTest, TypesLettersDigitsAndSpacesOnlyWhileFocused) {
    MenuGame::Type(kA);
    EXPECT_EQ(Text(), "");
    fField->SetFocus(true);
    for (int key : {kA, k1, kSpace, kB, kComma, kEnter, kTab, kMinus}) {
        MenuGame::Type(key);
    }
    VoKeyboard::GetInstance()->KeyDown(kShift);
    MenuGame::Type(kC);
    VoKeyboard::GetInstance()->KeyUp(kShift);
    MenuGame::Type(kC);
    EXPECT_EQ(Text(), "a1 bCc");
    EXPECT_EQ(Narrow(fField->GetTextArea()->GetText()), "a1 bCc");
    // The caret stands at the end of the text.
    EXPECT_EQ(fField->GetCaret()->GetPosition(), VoVector2(WidthOf("a1 bCc"), 0.0f));
    fField->SetFocus(false);
    MenuGame::Type(kA);
    EXPECT_EQ(Text(), "a1 bCc");
}

TEST_F(MGSaveFieldTest, BackspaceDeletesTheLastCharacterAndNothingOnAnEmptyField) {
    fField->SetFocus(true);
    MenuGame::Type(kBackspace);
    EXPECT_EQ(Text(), "");
    MenuGame::Type(kA);
    MenuGame::Type(kB);
    MenuGame::Type(kBackspace);
    EXPECT_EQ(Text(), "a");
    EXPECT_EQ(fField->GetCaret()->GetPosition(), VoVector2(WidthOf("a"), 0.0f));
    MenuGame::Type(kBackspace);
    MenuGame::Type(kBackspace);
    EXPECT_EQ(Text(), "");
}

TEST_F(MGSaveFieldTest, ACharacterThatMakesTheTextWiderThanTheFieldIsRefused) {
    // Exactly as wide as the field fits; one pixel more does not.
    ASSERT_GT(WidthOf("wiw"), WidthOf("wi"));
    fField->SetSize(WidthOf("wi"), 18.0f);
    fField->SetFocus(true);
    for (int key : {kW, kI, kW}) {
        MenuGame::Type(key);
    }
    EXPECT_EQ(Text(), "wi");
    // A narrower one is refused as well when it does not fit.
    MenuGame::Type(kI);
    EXPECT_EQ(Text(), "wi");

    // With the save screen's 215 pixels: w's up to the last that fits.
    fField->SetSize(215.0f, 18.0f);
    std::string typed = "wi";
    while (WidthOf((typed + "w").c_str()) <= 215.0f) {
        MenuGame::Type(kW);
        typed += "w";
    }
    EXPECT_EQ(Text(), typed);
    MenuGame::Type(kW);
    EXPECT_EQ(Text(), typed);
    EXPECT_LE(WidthOf(Text().c_str()), 215.0f);
}

TEST_F(MGSaveFieldTest, TheCaretBlinksMoreThanHalfASecondApartWhileFocused) {
    fGame.FrameAt(1.0);
    fField->SetFocus(true);
    EXPECT_TRUE(fField->GetCaret()->GetVisible());
    fGame.FrameAt(1.5);
    EXPECT_TRUE(fField->GetCaret()->GetVisible());
    fGame.FrameAt(1.51);
    EXPECT_FALSE(fField->GetCaret()->GetVisible());
    fGame.FrameAt(2.02);
    EXPECT_TRUE(fField->GetCaret()->GetVisible());
    fField->SetFocus(false);
    EXPECT_FALSE(fField->GetCaret()->GetVisible());
    fGame.FrameAt(3.0);
    EXPECT_FALSE(fField->GetCaret()->GetVisible());
}

TEST_F(MGSaveFieldTest, APressStrictlyInsideTheBoxTakesTheFocusAndNothingTakesItAway) {
    struct Case {
        float x, y;
        bool focus;
    };
    const Case cases[] = {{293, 330, false}, {508, 330, false}, {400, 328, false},     {400, 346, false},
                          {100, 100, false}, {294, 329, true},  {507.5f, 345.5f, true}};
    for (const Case& c : cases) {
        fField->SetFocus(false);
        MenuGame::Click(c.x, c.y);
        EXPECT_EQ(fField->HasFocus(), c.focus) << c.x << ", " << c.y;
    }
    MenuGame::Click(10, 10);
    EXPECT_TRUE(fField->HasFocus());
}

TEST(MGSaveField, AMissingCaretPictureIsLoggedAndTheCaretShowsNothing) {
    MenuGame game;
    ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(VoString(u"//textures"),
                                                    PlatformTestFolder::Wide(game.fFolder.Files())));
    LogCapture log;
    MGSaveField field;
    EXPECT_FALSE(field.Create(FieldFont()) && field.GetCaret()->GetTexture() != 0);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    ASSERT_NE(field.GetCaret(), nullptr);
    EXPECT_EQ(field.GetCaret()->GetTexture(), 0u);
}
