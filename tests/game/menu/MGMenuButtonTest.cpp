#include "menu/MGMenuButton.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MenuGame.h"
#include "container/VoPropertyList.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoSprite.h"
#include "menu/MGMenuArea.h"

namespace {

// Every event a button reports, as "id:code".
class ButtonJournal : public VoIButtonListener {
public:
    void OnButtonEvent(const VoString& aId, int aCode) override {
        fEvents.push_back(Narrow(aId) + ":" + std::to_string(aCode));
    }
    std::vector<std::string> fEvents;
};

// A button at 100|200 whose area is the rectangle 100..164 x 200..232, with
// the sample's pictures in every state and one entry of another type.
const char* const kButton =
    "button\n"
    "\tid=play\n"
    "\tposition=100|200\n"
    "\tactivearea=100|200|164|200|164|232|100|232\n"
    "\tstates\n"
    "\t\tn\n\t\t\tid=play_n\n\t\t\ttype=n\n\t\t\ttexture=sample/test_button_n.tga\n"
    "\t\to\n\t\t\tid=play_o\n\t\t\ttype=o\n\t\t\ttexture=sample/test_button_o.tga\n"
    "\t\td\n\t\t\tid=play_d\n\t\t\ttype=d\n\t\t\ttexture=sample/test_button_o.tga\n"
    "\t\tx\n\t\t\tid=play_x\n\t\t\ttype=x\n\t\t\ttexture=sample/test_button_n.tga\n"
    "\t\th\n\t\t\tid=play_h\n\t\t\ttype=h\n\t\t\ttexture=sample/test_button_o.tga\n"
    "\t\tupper\n\t\t\tid=play_upper\n\t\t\ttype=O\n\t\t\ttexture=sample/test_button_o.tga\n";

class MGMenuButtonTest : public ::testing::Test {
protected:
    MGMenuButtonTest() {
        fLayout.Parse(VoString(kButton));
        fButton = new MGMenuButton();
        EXPECT_TRUE(fButton->Load(fLayout.GetList(VoString(u"button")), &fJournal));
        fParent->SetId(VoString(u"parent"));
        EXPECT_TRUE(fParent->AddMember(fButton, true));
        MenuGame::MoveTo(10, 10);
    }
    ~MGMenuButtonTest() override { delete fParent; }

    bool Shown(char16_t aType) { return fButton->GetStateSprite(aType)->GetVisible(); }
    float OverBlend() { return fButton->GetStateSprite(u'o')->GetBlend(); }

    MenuGame fGame;
    VoPropertyList fLayout;
    ButtonJournal fJournal;
    VoDisplayGroup* fParent = new VoDisplayGroup();  // owns the button
    MGMenuButton* fButton = nullptr;
};

}  // namespace

TEST_F(MGMenuButtonTest, LoadsItsPicturesWithTheirRoles) {
    EXPECT_EQ(Narrow(fButton->GetId()), "play");
    EXPECT_EQ(fButton->GetPosition(), VoVector2(100.0f, 200.0f));
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kNormal);
    EXPECT_EQ(fButton->GetMemberCount(), 6);
    EXPECT_TRUE(Shown(u'n'));
    EXPECT_FALSE(Shown(u'o'));
    EXPECT_EQ(OverBlend(), 0.0f);
    EXPECT_FALSE(Shown(u'd'));
    EXPECT_FALSE(Shown(u'x'));
    EXPECT_FALSE(Shown(u'h'));
    EXPECT_EQ(fButton->GetStateSprite(u'h')->GetRelativeZ(), MGMenuButton::kHighlightZ);
    // "O" is no type: its sprite has no role and stays as built.
    VoIDisplayObject* upper = fButton->GetMember(VoString(u"play_upper"));
    ASSERT_NE(upper, nullptr);
    EXPECT_TRUE(upper->GetVisible());
    EXPECT_EQ(upper->GetBlend(), 1.0f);
}

TEST_F(MGMenuButtonTest, APressAndAReleaseInsideClickOnce) {
    MenuGame::MoveTo(120, 210);
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kOver);
    EXPECT_TRUE(Shown(u'o'));
    VoMouse::GetInstance()->ButtonDown(1);
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kDown);
    EXPECT_TRUE(Shown(u'd'));
    EXPECT_FALSE(Shown(u'o'));
    EXPECT_EQ(OverBlend(), 1.0f);
    EXPECT_TRUE(fJournal.fEvents.empty());
    VoMouse::GetInstance()->ButtonUp(1);
    EXPECT_EQ(fJournal.fEvents, std::vector<std::string>{"play:4"});
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kOver);
    EXPECT_TRUE(Shown(u'o'));
    EXPECT_FALSE(Shown(u'd'));
}

TEST_F(MGMenuButtonTest, APressInsideReleasedOutsideGivesNoClickAndFadesOut) {
    MenuGame::MoveTo(120, 210);
    VoMouse::GetInstance()->ButtonDown(1);
    MenuGame::MoveTo(300, 300);
    VoMouse::GetInstance()->ButtonUp(1);
    EXPECT_TRUE(fJournal.fEvents.empty());
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kNormal);
    EXPECT_TRUE(Shown(u'n'));
    EXPECT_TRUE(Shown(u'o'));
    EXPECT_FALSE(Shown(u'd'));
    EXPECT_TRUE(fButton->IsFading());
    // The over picture fades out from full, a tenth a step.
    fGame.FrameAt(0.03);
    EXPECT_NEAR(OverBlend(), 0.9f, 1e-5);
}

TEST_F(MGMenuButtonTest, APressOutsideReleasedInsideGivesNoClick) {
    VoMouse::GetInstance()->ButtonDown(1);
    MenuGame::MoveTo(120, 210);
    VoMouse::GetInstance()->ButtonUp(1);
    EXPECT_TRUE(fJournal.fEvents.empty());
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kOver);
}

TEST_F(MGMenuButtonTest, TheAreaIncludesItsEdges) {
    struct Case {
        float x, y;
        bool inside;
    };
    const Case cases[] = {{100, 200, true},     {164, 232, true},     {164, 215, true}, {130, 232, true},
                          {164.5f, 215, false}, {130, 199.5f, false}, {99, 232, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(MGMenuArea::Contains(fButton->GetActiveArea(), VoVector2(c.x, c.y)), c.inside)
            << c.x << ", " << c.y;
    }
}

TEST_F(MGMenuButtonTest, HoveringFadesTheOverPictureInByTenthsMoreThanAQuarterOfATenthApart) {
    MenuGame::MoveTo(120, 210);
    EXPECT_TRUE(fButton->IsFading());
    // The steps count from the move, at 0.0 s.
    fGame.FrameAt(0.025);
    EXPECT_EQ(OverBlend(), 0.0f);
    double now = 0.0;
    for (int step = 1; step <= 9; ++step) {
        now += 0.026;
        fGame.FrameAt(now);
        EXPECT_NEAR(OverBlend(), 0.1f * step, 1e-5) << "step " << step;
        EXPECT_TRUE(Shown(u'n')) << "step " << step;
    }
    // Full (the tenths add up to a hair over 1) and beyond: the normal
    // picture goes.
    for (int step = 10; step <= 11; ++step) {
        now += 0.026;
        fGame.FrameAt(now);
    }
    EXPECT_EQ(OverBlend(), 1.0f);
    EXPECT_FALSE(Shown(u'n'));
    // Leaving fades it out again, down to hidden.
    MenuGame::MoveTo(10, 10);
    EXPECT_TRUE(Shown(u'n'));
    for (int step = 0; step < 12; ++step) {
        now += 0.026;
        fGame.FrameAt(now);
    }
    EXPECT_FALSE(fButton->IsFading());
    EXPECT_FALSE(Shown(u'o'));
    EXPECT_EQ(OverBlend(), 0.0f);
}

TEST_F(MGMenuButtonTest, DisabledAndHighlightedShowOnlyTheirPictureAndHearNoMouse) {
    struct Case {
        const char* what;
        void (*set)(MGMenuButton*);
        void (*reset)(MGMenuButton*);
        int state;
        char16_t shown;
    };
    const Case cases[] = {
        {"disabled", [](MGMenuButton* b) { b->SetEnabled(false); },
         [](MGMenuButton* b) { b->SetEnabled(true); }, MGMenuButton::kDisabled, u'x'},
        {"highlighted", [](MGMenuButton* b) { b->SetHighlighted(true); },
         [](MGMenuButton* b) { b->SetHighlighted(false); }, MGMenuButton::kHighlighted, u'h'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set(fButton);
        EXPECT_EQ(fButton->GetState(), c.state);
        for (char16_t type : {u'n', u'o', u'd', u'x', u'h'}) {
            EXPECT_EQ(Shown(type), type == c.shown) << static_cast<char>(type);
        }
        MenuGame::Click(120, 210);
        EXPECT_TRUE(fJournal.fEvents.empty());
        EXPECT_EQ(fButton->GetState(), c.state);
        MenuGame::MoveTo(10, 10);
        c.reset(fButton);
        EXPECT_EQ(fButton->GetState(), MGMenuButton::kNormal);
        for (char16_t type : {u'n', u'o', u'd', u'x', u'h'}) {
            EXPECT_EQ(Shown(type), type == u'n') << static_cast<char>(type);
        }
        MenuGame::Click(120, 210);
        EXPECT_EQ(fJournal.fEvents, std::vector<std::string>{"play:4"});
        fJournal.fEvents.clear();
        MenuGame::MoveTo(10, 10);
    }
}

TEST_F(MGMenuButtonTest, ADisabledGroupAboveKeepsTheMouseOut) {
    fParent->SetEnabled(false);
    MenuGame::Click(120, 210);
    EXPECT_TRUE(fJournal.fEvents.empty());
    EXPECT_EQ(fButton->GetState(), MGMenuButton::kNormal);
}

TEST_F(MGMenuButtonTest, ADescriptionWithoutIdAreaOrStatesIsRefused) {
    const char* const descriptions[] = {
        ("button\n\tactivearea=0|0|1|0|1|1\n\tstates\n\t\tn\n\t\t\tid=a\n\t\t\ttexture=sample/"
         "test_button_n.tga\n"),
        "button\n\tid=a\n\tstates\n\t\tn\n\t\t\tid=a\n\t\t\ttexture=sample/test_button_n.tga\n",
        "button\n\tid=a\n\tactivearea=0|0|1|0|1|1\n",
    };
    for (const char* text : descriptions) {
        VoPropertyList layout;
        layout.Parse(VoString(text));
        MGMenuButton button;
        EXPECT_FALSE(button.Load(layout.GetList(VoString(u"button")), &fJournal)) << text;
        EXPECT_EQ(VoMouse::GetInstance()->GetListenerCount(), 1) << text;
    }
}

TEST_F(MGMenuButtonTest, TheListenerMayDeleteTheButtonOnItsClick) {
    class Deleter : public VoIButtonListener {
    public:
        void OnButtonEvent(const VoString&, int) override {
            delete fpGroup;
            fpGroup = nullptr;
        }
        VoDisplayGroup* fpGroup = nullptr;
    };
    Deleter deleter;
    VoPropertyList layout;
    layout.Parse(VoString(kButton));
    deleter.fpGroup = new VoDisplayGroup();
    deleter.fpGroup->SetId(VoString(u"doomed"));
    auto* button = new MGMenuButton();
    ASSERT_TRUE(button->Load(layout.GetList(VoString(u"button")), &deleter));
    ASSERT_TRUE(deleter.fpGroup->AddMember(button, true));
    MenuGame::Click(120, 210);
    EXPECT_EQ(deleter.fpGroup, nullptr);
}
