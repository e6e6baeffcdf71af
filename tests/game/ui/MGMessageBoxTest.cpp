#include "ui/MGMessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "container/VoVectorString.h"
#include "game/support/SceneGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoTextArea.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "ui/MGIMessageBoxListener.h"

namespace {

// Notes each result and whether the box was still up when it came.
class ResultProbe : public MGIMessageBoxListener {
public:
    void OnMessageBoxResult(const VoString& aId, int aCode) override {
        fResults.emplace_back(Narrow(aId), aCode);
        fShownDuringCall = MGMessageBox::GetInstance()->IsShown();
    }
    std::vector<std::pair<std::string, int>> fResults;
    bool fShownDuringCall = true;
};

// Counts the clicks that reach the mouse's ordinary listeners.
class ClickProbe : public VoIMouseListener {
public:
    void OnButtonDown(int) override { ++fDowns; }
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    int fDowns = 0;
};

float WidthOf(const char* apText) {
    return VoFontManager::GetInstance()->GetFont(VoString(u"TW_CEN_MT16"))->GetTextWidth(VoString(apText));
}

class MGMessageBoxTest : public ::testing::Test {
protected:
    MGMessageBoxTest() { fGame.WriteScene("case1/office", "vp_desk"); }

    VoTextArea* Text(const char* apId) const {
        return dynamic_cast<VoTextArea*>(fBox->GetGroup()->GetMember(VoString(apId)));
    }
    // A click at the middle of the button, in screen pixels.
    static void ClickOn(VoButton* apButton) {
        const VoVector2 at = apButton->GetPosition() + VoVector2(MGMessageBox::kX + 40.0f, MGMessageBox::kY + 14.0f);
        VoMouse::GetInstance()->Move(&at);
        VoMouse::GetInstance()->ButtonDown(1);
        VoMouse::GetInstance()->ButtonUp(1);
    }
    // A scene loaded and entered, as the box finds it over a scene.
    MGScene* EnterScene() {
        EXPECT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"case1/office"), true, true));
        MGScene* scene = MGSceneManager::GetInstance()->GetScene();
        EXPECT_TRUE(scene != nullptr && scene->IsInputEnabled());
        return scene;
    }

    SceneGame fGame;
    MGMessageBox* fBox = MGMessageBox::GetInstance();
    ResultProbe fProbe;
};

}  // namespace

TEST_F(MGMessageBoxTest, ATextIsCentredAtY75OrStartsAt25_30WhenWide) {
    const char* shortText = "Saved.";
    fBox->Show(VoString(u"note"), VoString(shortText), MGMessageBox::kOk, &fProbe);
    VoDisplayGroup* group = fBox->GetGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(Narrow(group->GetId()), "messagebox");
    EXPECT_EQ(group->GetPosition(), VoVector2(271.0f, 199.0f));
    EXPECT_EQ(group->GetRelativeZ(), 9999.0f);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"messagebox")), group);
    EXPECT_NE(group->GetMember(VoString(u"background")), nullptr);
    VoTextArea* text = Text("msgbox_text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetPosition(), VoVector2((257.0f - WidthOf(shortText)) * 0.5f, 75.0f));
    EXPECT_EQ(text->GetWidth(), 200.0f);
    EXPECT_TRUE(text->GetWordWrap());
    EXPECT_TRUE(text->GetMultiLine());

    const char* longText = "The case file could not be written to the disk; try another slot.";
    ASSERT_GE(WidthOf(longText), 200.0f);
    fBox->Show(VoString(u"note"), VoString(longText), MGMessageBox::kOk, &fProbe);
    text = Text("msgbox_text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetPosition(), VoVector2(25.0f, 30.0f));
    ASSERT_TRUE(text->LayoutLines());
    EXPECT_GT(text->GetLines().GetCount(), 1);
}

TEST_F(MGMessageBoxTest, LinesStand25ApartFrom40AndWideOnesStartAtX25) {
    const char* wide = "A line that is far too long to be centred in the box at all.";
    ASSERT_GE(WidthOf(wide), 200.0f);
    VoVectorString lines;
    for (const char* line : {"Quit the case?", wide, "No."}) {
        lines.Add(VoString(line));
    }
    fBox->Show(VoString(u"quit"), lines, MGMessageBox::kYesNo, &fProbe);
    ASSERT_NE(Text("msgbox_text0"), nullptr);
    EXPECT_EQ(Text("msgbox_text0")->GetPosition(), VoVector2((257.0f - WidthOf("Quit the case?")) * 0.5f, 40.0f));
    EXPECT_EQ(Text("msgbox_text1")->GetPosition(), VoVector2(25.0f, 65.0f));
    EXPECT_EQ(Text("msgbox_text2")->GetPosition(), VoVector2((257.0f - WidthOf("No.")) * 0.5f, 90.0f));

    VoVectorString wideFirst;
    wideFirst.Add(VoString(wide));
    fBox->Show(VoString(u"quit"), wideFirst, MGMessageBox::kOk, &fProbe);
    EXPECT_EQ(Text("msgbox_text0")->GetPosition(), VoVector2(25.0f, 30.0f));
}

TEST_F(MGMessageBoxTest, EachKindHasItsButtons) {
    struct Case {
        int kind;
        const char* first;
        const char* second;  // null: one button
        VoVector2 firstAt;
    };
    for (const Case& c : {Case{MGMessageBox::kOk, "ok", nullptr, {86.0f, 162.0f}},
                          Case{MGMessageBox::kOkCancel, "ok", "cancel", {30.0f, 162.0f}},
                          Case{MGMessageBox::kYesNo, "yes", "no", {30.0f, 162.0f}}}) {
        SCOPED_TRACE(c.kind);
        fBox->Show(VoString(u"kinds"), VoString(u"?"), c.kind, &fProbe);
        ASSERT_NE(fBox->GetFirstButton(), nullptr);
        EXPECT_EQ(Narrow(fBox->GetFirstButton()->GetId()), c.first);
        EXPECT_EQ(fBox->GetFirstButton()->GetPosition(), c.firstAt);
        EXPECT_EQ(fBox->GetFirstButton()->GetListener(), static_cast<VoIButtonListener*>(fBox));
        if (c.second == nullptr) {
            EXPECT_EQ(fBox->GetSecondButton(), nullptr);
        } else {
            ASSERT_NE(fBox->GetSecondButton(), nullptr);
            EXPECT_EQ(Narrow(fBox->GetSecondButton()->GetId()), c.second);
            EXPECT_EQ(fBox->GetSecondButton()->GetPosition(), VoVector2(142.0f, 162.0f));
        }
    }
}

TEST_F(MGMessageBoxTest, AClickClosesTheBoxThenTellsTheListenerItsCode) {
    struct Case {
        int kind;
        bool second;
        int code;
    };
    for (const Case& c : {Case{MGMessageBox::kOk, false, 0}, Case{MGMessageBox::kOkCancel, true, 1},
                          Case{MGMessageBox::kYesNo, false, 2}, Case{MGMessageBox::kYesNo, true, 3}}) {
        SCOPED_TRACE(c.code);
        fProbe.fResults.clear();
        fBox->Show(VoString(u"ask"), VoString(u"Sure?"), c.kind, &fProbe);
        ClickOn(c.second ? fBox->GetSecondButton() : fBox->GetFirstButton());
        ASSERT_EQ(fProbe.fResults.size(), 1u);
        EXPECT_EQ(fProbe.fResults[0], std::make_pair(std::string("ask"), c.code));
        EXPECT_FALSE(fProbe.fShownDuringCall);
        EXPECT_FALSE(fBox->IsShown());
        EXPECT_FALSE(VoMouse::GetInstance()->IsLocked());
        EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"messagebox")), nullptr);
    }
}

TEST_F(MGMessageBoxTest, WhileUpTheBoxHoldsTheMouseAndTheSceneIsDeaf) {
    MGScene* scene = EnterScene();
    ClickProbe clicks;
    VoMouse::GetInstance()->AddListener(&clicks, 0.0f);
    fBox->Show(VoString(u"ask"), VoString(u"Sure?"), MGMessageBox::kYesNo, &fProbe);
    EXPECT_FALSE(scene->IsInputEnabled());
    const VoVector2 beside(20.0f, 20.0f);
    VoMouse::GetInstance()->Move(&beside);
    VoMouse::GetInstance()->ButtonDown(1);
    VoMouse::GetInstance()->ButtonUp(1);
    EXPECT_EQ(clicks.fDowns, 0);
    EXPECT_TRUE(fBox->IsShown());
    ClickOn(fBox->GetFirstButton());
    EXPECT_TRUE(scene->IsInputEnabled());
    // Later than a double click would be: the scene turned them on.
    RecordingGame::Timer()->fNow += 1.0;
    VoMouse::GetInstance()->ButtonDown(1);
    EXPECT_EQ(clicks.fDowns, 1);
    VoMouse::GetInstance()->RemoveListener(&clicks);
}

TEST_F(MGMessageBoxTest, AnOpenPdaKeepsTheScenesInputOffAfterTheBox) {
    MGScene* scene = EnterScene();
    fBox->Show(VoString(u"ask"), VoString(u"Sure?"), MGMessageBox::kOk, &fProbe);
    MGPDA::GetInstance()->Open();
    ClickOn(fBox->GetFirstButton());
    EXPECT_FALSE(scene->IsInputEnabled());
}

TEST_F(MGMessageBoxTest, ASecondBoxClosesTheFirstWithoutAWordToItsListener) {
    ResultProbe second;
    fBox->Show(VoString(u"first"), VoString(u"One"), MGMessageBox::kOkCancel, &fProbe);
    fBox->Show(VoString(u"second"), VoString(u"Two"), MGMessageBox::kYesNo, &second);
    ASSERT_NE(fBox->GetGroup(), nullptr);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"messagebox")), fBox->GetGroup());
    EXPECT_EQ(Narrow(fBox->GetFirstButton()->GetId()), "yes");
    EXPECT_TRUE(VoMouse::GetInstance()->IsLocked());
    ClickOn(fBox->GetFirstButton());
    EXPECT_TRUE(fProbe.fResults.empty());
    ASSERT_EQ(second.fResults.size(), 1u);
    EXPECT_EQ(second.fResults[0], std::make_pair(std::string("second"), 2));
}
