#include "interview/MGInterviewTopicArea.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InterviewGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGInterviewScrollBar.h"
#include "platform/VoMouse.h"
#include "support/LogCapture.h"
#include "util/MGOptions.h"

namespace {

// An interview file of topics t0, t1, ... with the given extra keys each.
std::string Topics(int aCount, const std::string& aExtra = "") {
    std::string text = "fonts\n\tmain=TW_CEN_MT16\ntopics\n";
    for (int i = 0; i < aCount; ++i) {
        text += "\tt" + std::to_string(i) + "\n\t\tname=topic\n\t\tlevel=1\n\t\tdependencies=script[true]\n" +
                "\t\tdoneevent=evt_done_" + std::to_string(i) + "\n" + aExtra + "\t\tmodes\n\t\t\tstra\n";
    }
    return text;
}

class MGInterviewTopicAreaTest : public ::testing::Test {
protected:
    std::unique_ptr<MGInterview> Make(const std::string& aData) {
        return std::unique_ptr<MGInterview>(fGame.MakeInterview("ta.txt", aData, "topic=A topic\n"));
    }

    InterviewGame fGame;
};

}  // namespace

TEST_F(MGInterviewTopicAreaTest, TheSkillLevelFlagHidesATopicAtItsLevelOnly) {
    struct Case {
        const char* flags;
        bool listed[3];  // easy, medium, hard
    };
    const Case cases[] = {{"1|0|1", {true, false, true}},
                          {"0", {false, true, true}},
                          {"1|1|0", {true, true, false}},
                          {"0|0|0", {false, false, false}}};
    for (const Case& c : cases) {
        std::unique_ptr<MGInterview> interview =
            Make(Topics(1, std::string("\t\tskilllevels=") + c.flags + "\n"));
        MGInterviewTopicArea* area = interview->GetTopicArea();
        ASSERT_NE(area, nullptr);
        for (int skill = 0; skill < 3; ++skill) {
            SCOPED_TRACE(std::string(c.flags) + " at skill " + std::to_string(skill));
            MGOptions::GetInstance()->SetSkillLevel(skill);
            area->Refresh();
            EXPECT_EQ(area->IsTopicAvailable(0), c.listed[skill]);
            EXPECT_EQ(area->GetButton(0)->GetVisible(), c.listed[skill]);
            // A hidden topic counts as open.
            EXPECT_EQ(area->GetOpenCount(), 1);
        }
    }
}

TEST_F(MGInterviewTopicAreaTest, ListedTopicsStandThirtyApartIndentedByLevel) {
    std::unique_ptr<MGInterview> interview = Make(
        "fonts\ntopics\n"
        "\ta\n\t\tname=topic\n\t\tlevel=1\n\t\tdependencies=true\n"
        "\tb\n\t\tname=topic\n\t\tlevel=2\n\t\tdependencies=script[event[evt_never_seen]]\n"
        "\tc\n\t\tname=topic\n\t\tlevel=2\n\t\tdependencies=true\n"
        "\td\n\t\tname=topic\n\t\tlevel=3\n\t\tdependencies=true\n");
    MGInterviewTopicArea* area = interview->GetTopicArea();
    area->Refresh();
    EXPECT_EQ(area->GetButton(VoString(u"a"))->GetPosition(), VoVector2(0.0f, 0.0f));
    EXPECT_FALSE(area->GetButton(VoString(u"b"))->GetVisible());
    EXPECT_EQ(area->GetButton(VoString(u"c"))->GetPosition(), VoVector2(15.0f, 30.0f));
    EXPECT_EQ(area->GetButton(VoString(u"d"))->GetPosition(), VoVector2(30.0f, 60.0f));
    EXPECT_EQ(area->GetContentHeight(), 120);
    EXPECT_EQ(area->GetOpenCount(), 4);
}

TEST_F(MGInterviewTopicAreaTest, SevenTopicsMakeTheScrollBarOpaqueAndFiveLeaveItFaint) {
    struct Case {
        int topics;
        int height;
        float blend;
    };
    const Case cases[] = {{7, 240, 1.0f}, {5, 180, 0.3f}, {6, 210, 1.0f}, {0, 30, 0.3f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.topics);
        std::unique_ptr<MGInterview> interview = Make(Topics(c.topics));
        interview->Start();
        EXPECT_EQ(interview->GetTopicArea()->GetContentHeight(), c.height);
        EXPECT_FLOAT_EQ(MGInterviewManager::GetInstance()->GetScrollBar()->GetGroup()->GetBlend(), c.blend);
        interview->End();
    }
}

TEST_F(MGInterviewTopicAreaTest, ButtonsFadeOutsideTheBandAndFaintOnesAreDisabled) {
    std::unique_ptr<MGInterview> interview = Make(Topics(9));
    interview->Start();
    MGInterviewTopicArea* area = interview->GetTopicArea();
    struct Case {
        int scroll;
        int button;
        float blend;
        bool enabled;
    };
    const Case cases[] = {
        {33, 1, 0.79f, false},  // 3 above the band
        {32, 1, 0.86f, true},   // 2 above
        {0, 0, 1.0f, true},     {0, 6, 1.0f, true},  // y 180, the band's end
        {0, 7, 0.0f, false},    // y 210: 30 below, faded out
        {20, 7, 0.3f, false},   // 10 below
        {30, 7, 1.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("scroll " + std::to_string(c.scroll) + " button " + std::to_string(c.button));
        area->OnScroll(c.scroll);
        VoButton* button = area->GetButton(c.button);
        EXPECT_NEAR(button->GetBlend(), c.blend, 1e-4f);
        EXPECT_EQ(button->IsEnabled(), c.enabled);
    }
}

TEST_F(MGInterviewTopicAreaTest, AnAnsweredTopicStaysListedDisabledAndNoLongerOpen) {
    std::unique_ptr<MGInterview> interview = Make(Topics(3, "\t\tviewedevent=evt_viewed\n"));
    MGInterviewTopicArea* area = interview->GetTopicArea();
    area->Refresh();
    EXPECT_EQ(area->GetOpenCount(), 3);
    EXPECT_FALSE(area->GetButton(1)->IsHilighted());
    InterviewGame::AddEvent("evt_done_1");
    InterviewGame::AddEvent("evt_viewed");
    area->Refresh();
    EXPECT_EQ(area->GetOpenCount(), 2);
    EXPECT_TRUE(area->GetButton(1)->GetVisible());
    EXPECT_FALSE(area->GetButton(1)->IsEnabled());
    EXPECT_TRUE(area->GetButton(0)->IsEnabled());
    EXPECT_TRUE(area->GetButton(1)->IsHilighted());
}

TEST_F(MGInterviewTopicAreaTest, TheChosenTopicIsHilightedWhateverItsCase) {
    std::unique_ptr<MGInterview> interview = Make(Topics(2));
    interview->Start();
    MGInterviewTopicArea* area = interview->GetTopicArea();
    interview->OnButtonEvent(VoString(u"t1"), VoIButtonListener::kClick);
    EXPECT_TRUE(area->GetButton(1)->IsHilighted());
    EXPECT_FALSE(area->GetButton(0)->IsHilighted());
    interview->ShowModes(VoString(u"T0"));
    area->Refresh();
    EXPECT_TRUE(area->GetButton(0)->IsHilighted());
    interview->End();
}

TEST_F(MGInterviewTopicAreaTest, ATopicButtonIsBuiltFromTheLayoutForEachLook) {
    std::unique_ptr<MGInterview> interview = Make(Topics(1));
    VoButton* button = interview->GetTopicArea()->GetButton(VoString(u"t0"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetListener(), static_cast<VoIButtonListener*>(interview.get()));
    struct Case {
        XBTNSTATE state;
        const char* id;
        const char* font;
    };
    const Case cases[] = {{XBTNSTATE_NORMAL, "t0_n", "Friz_Quad_TT_8"},
                          {XBTNSTATE_OVER, "t0_o", "Friz_Quad_TT_8"},
                          {XBTNSTATE_DOWN, "t0_d", "Friz_Quad_TT_8"},
                          {XBTNSTATE_DISABLED, "t0_x", "Friz_Quad_TT_8_grey"},
                          {XBTNSTATE_HILIGHTED, "t0_h", "Friz_Quad_TT_8"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        VoDisplayGroup* look = dynamic_cast<VoDisplayGroup*>(button->GetStateObject(c.state));
        ASSERT_NE(look, nullptr);
        EXPECT_EQ(Narrow(look->GetId()), std::string(c.id) + "topicbutton");
        VoTextArea* text = dynamic_cast<VoTextArea*>(look->GetMember(VoString(c.id)));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(Narrow(text->GetText()), "A topic");
        EXPECT_EQ(text->GetPosition(), VoVector2(15.0f, 6.0f));
        EXPECT_EQ(text->GetRelativeZ(), 5.0f);
        EXPECT_EQ(text->GetFont(), VoFontManager::GetInstance()->GetFont(VoString(c.font)));
        VoVector2 scale;
        look->GetMember(VoString(u"middle"))->GetScale(scale);
        EXPECT_EQ(scale, VoVector2(12.0f, 1.0f));
        // The sample's right cap stands at x 5, 8 wide: moved to 140, so the
        // look reaches to 148.
        EXPECT_EQ(look->GetMember(VoString(u"right_cap"))->GetPosition(), VoVector2(140.0f, 0.0f));
        ASSERT_NE(look->GetBoundary(), nullptr);
        const VoRectangle bounds(*look->GetBoundary());
        EXPECT_EQ(bounds.width, 148.0f);
        EXPECT_EQ(bounds.height, 24.0f);
    }
}

TEST_F(MGInterviewTopicAreaTest, MissingTopicKeysAreSaidAndTheTopicIsListedAllTheSame) {
    LogCapture log;
    std::unique_ptr<MGInterview> interview = Make("fonts\ntopics\n\tbare\n");
    for (const char* message : {MGInterview::kNoName, MGInterview::kNoLevel, MGInterview::kNoDependencies}) {
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", message)) << message;
    }
    MGInterviewTopicArea* area = interview->GetTopicArea();
    ASSERT_EQ(area->GetTopicCount(), 1);
    area->Refresh();
    EXPECT_TRUE(area->GetButton(0)->GetVisible());
    EXPECT_EQ(area->GetOpenCount(), 1);
}

TEST_F(MGInterviewTopicAreaTest, TheButtonsHearTheMouseOnlyWhileTheInterviewRuns) {
    std::unique_ptr<MGInterview> interview = Make(Topics(2));
    MGInterviewTopicArea* area = interview->GetTopicArea();
    EXPECT_FALSE(area->IsListening());
    interview->Start();
    EXPECT_TRUE(area->IsListening());
    VoMouse* mouse = VoMouse::GetInstance();
    const int listening = mouse->GetListenerCount();
    // Each switch takes or gives the two buttons once.
    LogCapture log;
    area->SetListening(false);
    area->SetListening(false);
    EXPECT_EQ(mouse->GetListenerCount(), listening - 2);
    area->SetListening(true);
    area->SetListening(true);
    EXPECT_EQ(mouse->GetListenerCount(), listening);
    EXPECT_TRUE(log.Lines().empty());
    interview->End();
    EXPECT_FALSE(area->IsListening());
}
