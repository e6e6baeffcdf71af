#include "pda/MGLogPanel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/pda/PDATestGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoTextArea.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "time/VoGameClock.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

MGLogPanel* Log() {
    return static_cast<MGLogPanel*>(PDAGame::PDA()->GetPanel(VoString(MGPDA::kLog)));
}

// The event, added when the game clock reads aTime.
void AddEventAt(const char16_t* apId, float aTime) {
    VoGameClock* clock = VoGameClock::GetInstance();
    clock->AdvanceTime(aTime - clock->GetTime(), false);
    VoEventManager::GetInstance()->AddEvent(VoString(apId), false);
}

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (int i = 0; i < Log()->GetEntryCount(); ++i) {
        texts.push_back(Narrow(Log()->GetEntry(i)->GetText()));
    }
    return texts;
}

// Shows the log of the file's text.
void ShowLog(const char16_t* apText) {
    VoPropertyList log;
    ASSERT_TRUE(log.Parse(VoString(apText)));
    EXPECT_TRUE(Log()->ShowLog(&log));
}

constexpr const char16_t* kCaseOne =
    u"case01\n"
    u"\tlate\n\t\ttext=late\n\t\tevents=script[e[evt_b]]\n"
    u"\tearly\n\t\ttext=early\n\t\tevents=script[e[evt_a]]\n"
    u"\tboth\n\t\ttext=both\n\t\tevents=script[e[evt_a]&e[evt_c]]\n"
    u"\tstate\n\t\ttext=state\n\t\tevents=script[s[sta_flag]]\n"
    u"\tsame\n\t\ttext=same as late\n\t\tevents=script[e[evt_b]|e[evt_never]]\n"
    u"\tnone\n\t\ttext=none\n\t\tevents=script[e[evt_missing]]\n"
    u"\tuntimed\n\t\ttext=untimed\n\t\tevents=script[true]\n"
    u"case02\n"
    u"\tother\n\t\ttext=other case\n\t\tevents=script[true]\n";

class MGLogPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        fGame.OpenOn(MGPDA::kLog);
        VoStateManager::GetInstance()->SetState(VoString(u"sta_flag"), VoString(u"boolean"),
                                                VoString(u"true"), false);
    }
    PDAGame fGame;
};

}  // namespace

TEST(MGLogPanel, EntryTimeIsTheLatestOfItsEventsThatHappened) {
    PDAGame game;
    AddEventAt(u"evt_a", 3.0f);
    AddEventAt(u"evt_b", 8.5f);
    struct Case {
        const char16_t* events;
        float time;
    };
    const Case cases[] = {
        {u"script[e[evt_a]&e[evt_b]]", 8.5f},
        {u"script[e[evt_b]&e[evt_a]]", 8.5f},
        {u"script[e[evt_a]|e[evt_missing]]", 3.0f},
        {u"script[e[EVT_A]]", 3.0f},
        {u"script[s[sta_x]]", 0.0f},
        {u"script[!e[evt_missing]]", 0.0f},
        {u"e[evt_b]", 8.5f},
        {u"script[e[evt_a", 3.0f},
        {u"script[e[]]", 0.0f},
        {u"", 0.0f},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(Narrow(VoString(test.events)));
        LogCapture log;
        EXPECT_EQ(MGLogPanel::EntryTime(VoString(test.events)), test.time);
        EXPECT_THAT(log.Lines(), IsEmpty());
    }
}

TEST_F(MGLogPanelTest, NotesStandInTheOrderOfTheirEventsTimes) {
    struct Step {
        const char* what;
        const char16_t* event;
        float at;
        std::vector<std::string> texts;
    };
    // "untimed" and "state" have time 0 and stand first, in file order.
    const Step steps[] = {
        {"nothing happened", nullptr, 0.0f, {"state", "untimed"}},
        {"evt_b", u"evt_b", 4.0f, {"state", "untimed", "late", "same as late"}},
        {"evt_a, later", u"evt_a", 6.0f, {"state", "untimed", "late", "same as late", "early"}},
        {"evt_c, later still", u"evt_c", 9.0f, {"state", "untimed", "late", "same as late", "early", "both"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.event != nullptr) {
            AddEventAt(step.event, step.at);
        }
        ShowLog(kCaseOne);
        EXPECT_EQ(Texts(), step.texts);
    }
}

TEST_F(MGLogPanelTest, NotesAreWrappedTextsOneBelowTheOther) {
    ShowLog(
        u"case01\n\ta\n\t\ttext=A short note.\n\t\tevents=script[true]\n"
        u"\tb\n\t\ttext=A note long enough to need a second and even a third line in the column of the "
        u"case log.\n\t\tevents=script[true]\n"
        u"\tc\n\t\ttext=Last.\n\t\tevents=script[true]\n");
    ASSERT_EQ(Log()->GetEntryCount(), 3);
    float y = 0.0f;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        VoTextArea* entry = Log()->GetEntry(i);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(Narrow(entry->GetId()), "logentry_" + std::to_string(i));
        EXPECT_EQ(entry->GetFont(), VoFontManager::GetInstance()->GetFont(VoString(u"tahoma10black")));
        EXPECT_EQ(entry->GetWidth(), 210.0f);
        EXPECT_TRUE(entry->GetWordWrap());
        EXPECT_TRUE(entry->GetMultiLine());
        EXPECT_EQ(entry->GetPosition(), VoVector2(15.0f, y));
        y += entry->GetLinesHeight() + 10.0f;
    }
    EXPECT_GT(Log()->GetEntry(1)->GetLines().GetCount(), 1);
    EXPECT_EQ(Log()->GetColumnHeight(), static_cast<int>(y));
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), Log()->GetColumn());
    EXPECT_EQ(Narrow(Log()->GetColumn()->GetId()), "logpanel");
}

TEST_F(MGLogPanelTest, ShowingTwiceGivesTheSameColumn) {
    AddEventAt(u"evt_a", 2.0f);
    ShowLog(kCaseOne);
    const std::vector<std::string> first = Texts();
    const int height = Log()->GetColumnHeight();
    ShowLog(kCaseOne);
    EXPECT_EQ(Texts(), first);
    EXPECT_EQ(Log()->GetColumnHeight(), height);
    EXPECT_EQ(PDAGame::PDA()->GetScrollContent(), Log()->GetColumn());
}

TEST_F(MGLogPanelTest, EachCaseShowsItsOwnListAndAMissingOneNothing) {
    struct Case {
        float selected;
        std::vector<std::string> texts;
    };
    const Case cases[] = {{2.0f, {"other case"}}, {1.0f, {"state", "untimed"}}, {3.0f, {}}, {0.0f, {}}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.selected);
        PDAGame::SetNumber(u"sta_selectedcase", test.selected);
        ShowLog(kCaseOne);
        EXPECT_EQ(Texts(), test.texts);
    }
    EXPECT_TRUE(Log()->ShowLog(nullptr));
    EXPECT_EQ(Log()->GetEntryCount(), 0);
    EXPECT_EQ(Log()->GetColumnHeight(), 0);
}

TEST_F(MGLogPanelTest, TheSampleLogListsWhatHappened) {
    AddEventAt(u"evt_office_visited", 40.0f);
    AddEventAt(u"evt_lobby_visited", 50.0f);
    EXPECT_TRUE(Log()->Show());
    // The case's own note first (a state alone), then by the events' times.
    EXPECT_THAT(Texts(),
                ElementsAre(::testing::StartsWith("Case one:"), ::testing::StartsWith("The manager's office"),
                            ::testing::StartsWith("Called to the Marlowe Hotel")));
}

TEST_F(MGLogPanelTest, HiddenTheColumnIsInactiveAndDeaf) {
    ShowLog(kCaseOne);
    const int listening = VoMouse::GetInstance()->GetListenerCount();
    EXPECT_TRUE(Log()->Hide());
    EXPECT_FALSE(Log()->GetColumn()->GetActive());
    EXPECT_EQ(VoMouse::GetInstance()->GetListenerCount(), listening - 1);
    // The panel's own group stays as it was.
    EXPECT_TRUE(Log()->IsShown());
}

TEST(MGLogPanel, CreateSaysTheLogNeedsNoLayout) {
    PDAGame game;
    MGLogPanel panel(nullptr);
    LogCapture log;
    EXPECT_FALSE(panel.Create(nullptr));
    EXPECT_THAT(log.Lines(), ElementsAre(::testing::EndsWith(": NYI.")));
}
