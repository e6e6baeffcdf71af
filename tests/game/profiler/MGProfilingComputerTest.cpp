#include "profiler/MGProfilingComputer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/profiler/ProfilerTestGame.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "util/MGOptions.h"

using ::testing::ElementsAre;

namespace {

// The sample profile of case 1 (tools/make_profiler.py): two entries in
// each part, explained by these items.
constexpr const char16_t* kEvidence[] = {u"brasskey", u"register", u"letter", u"1cn05", u"1cs03", u"report1"};

// The first aCount of the sample's evidence analysed before the screen opens.
void Explain(int aCount) {
    for (int i = 0; i < aCount; ++i) {
        ProfilerGame::AddEventAt(VoString(kEvidence[i]) + u"_profiler", static_cast<float>(i + 1));
    }
}

MGProfilingComputer* Profiler() {
    return ProfilerGame::Profiler();
}

std::string MatchText() {
    return Narrow(Profiler()->GetMatchText()->GetText());
}

class MGProfilingComputerTest : public ::testing::Test {
protected:
    ProfilerGame fGame;
};

}  // namespace

TEST_F(MGProfilingComputerTest, EnteringBuildsTheScreenFromTheSampleLayout) {
    MGOptions::GetInstance();
    ProfilerGame::EnterScene();
    LogCapture log;
    fGame.Open();
    VoDisplayGroup* root = Profiler()->GetRoot();
    EXPECT_EQ(Narrow(root->GetId()), "profilingComputer_layout");
    EXPECT_EQ(root->GetRelativeZ(), -50.0f);
    EXPECT_EQ(root->GetGroup(), VoDisplayManager::GetInstance()->GetRootGroup());
    EXPECT_EQ(Profiler()->GetIcons()->GetRelativeZ(), 20.0f);
    EXPECT_EQ(Narrow(Profiler()->GetIcons()->GetId()), "profiler_icons");
    auto* buttons = dynamic_cast<VoDisplayGroup*>(root->GetMember(VoString(u"profiler_buttons")));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->GetRelativeZ(), 10.0f);
    EXPECT_NE(buttons->GetMember(VoString(u"analyze")), nullptr);
    EXPECT_NE(root->GetMember(VoString(u"back_btn")), nullptr);

    VoTextArea* match = Profiler()->GetMatchText();
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(Narrow(match->GetId()), "profile_match");
    EXPECT_EQ(match->GetPosition(), VoVector2(660.0f, 86.0f));
    EXPECT_EQ(match->GetRelativeZ(), 20.0f);
    EXPECT_EQ(match->GetWidth(), 50.0f);
    EXPECT_EQ(match->GetFont(), VoFontManager::GetInstance()->GetFont(VoString(u"tahoma10")));
    EXPECT_EQ(MatchText(), "");

    for (int level = 0; level < MGProfilingComputer::kLevelCount; ++level) {
        SCOPED_TRACE(level);
        ASSERT_NE(Profiler()->GetStrengthPicture(level), nullptr);
        EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetStrengthPicture(level)), level == 0);
    }
    for (int row = 0; row < MGProfilingComputer::kRowCount; ++row) {
        SCOPED_TRACE(row);
        // Medium skill: the rows of the profile's six entries, two a part.
        EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetRow(row)), row % 4 < 2);
        ASSERT_NE(Profiler()->GetHeading(row), nullptr);
        ASSERT_NE(Profiler()->GetEntry(row), nullptr);
        EXPECT_EQ(Profiler()->GetHeading(row)->GetWidth(), 135.0f);
        EXPECT_EQ(Profiler()->GetHeading(row)->GetLineHeight(), 15.0f);
        EXPECT_EQ(Profiler()->GetEntry(row)->GetLineHeight(), 11.0f);
        EXPECT_EQ(Profiler()->GetEntry(row)->GetFont(),
                  VoFontManager::GetInstance()->GetFont(VoString(u"cenmt12white")));
        EXPECT_EQ(Narrow(Profiler()->GetHeading(row)->GetText()), "");
    }
    for (VoSprite* status : {Profiler()->GetAnalyzingStatus(), Profiler()->GetNoNewInformationStatus(),
                             Profiler()->GetTooWeakStatus()}) {
        ASSERT_NE(status, nullptr);
        EXPECT_FALSE(status->GetVisible());
    }
    EXPECT_EQ(MGCursor::GetInstance()->GetBaseId(), 1);
    // Nothing analysed: level 0 and its event, which ends in "_".
    EXPECT_EQ(Profiler()->GetLevel(), 0);
    EXPECT_TRUE(ProfilerGame::HasEvent(u"evt_profiler_case01_"));
    EXPECT_THAT(log.Lines(), ::testing::IsEmpty());
}

TEST(MGProfilingComputer, OnHardSkillOnlyProfiledRowsShow) {
    struct Case {
        int skill;
        std::vector<bool> shown;
    };
    // The brass key (row 0) is explained; the profile has rows 0, 1, 4, 5, 8, 9.
    const Case cases[] = {
        {0, {true, true, false, false, true, true, false, false, true, true, false, false}},
        {2, {true, false, false, false, false, false, false, false, false, false, false, false}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.skill);
        ProfilerGame game;
        MGOptions::GetInstance()->SetSkillLevel(test.skill);
        Explain(1);
        game.Enter();
        for (int row = 0; row < MGProfilingComputer::kRowCount; ++row) {
            EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetRow(row)), test.shown[row]) << row;
        }
    }
}

TEST_F(MGProfilingComputerTest, ADropOnTheSlotOrItsEdgePutsTheIconThere) {
    fGame.Enter();
    struct Case {
        float x;
        float y;
        bool inside;
    };
    const Case cases[] = {
        {273.0f, 40.0f, true},  {365.0f, 116.0f, true},  {273.0f, 116.0f, true},
        {272.5f, 60.0f, false}, {300.0f, 116.5f, false}, {365.5f, 40.0f, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.x) + ", " + std::to_string(test.y));
        if (Profiler()->GetSlotSprite() != nullptr) {
            // An analysis empties the slot.
            ProfilerGame::Analyze();
            ProfilerGame::EndSound("analyze");
            ProfilerGame::EndSound("match");
            ASSERT_EQ(Profiler()->GetSlotSprite(), nullptr);
        }
        fGame.Drop(u"letter", test.x, test.y);
        EXPECT_EQ(Narrow(Profiler()->GetSlotItem()), "letter");
        EXPECT_EQ(MGCursor::GetInstance()->GetBaseId(), 1);
        EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), 1);
        VoSprite* icon = Profiler()->GetSlotSprite();
        ASSERT_EQ(icon != nullptr, test.inside);
        if (icon != nullptr) {
            EXPECT_EQ(Narrow(icon->GetId()), "letter");
            EXPECT_EQ(icon->GetPosition(), VoVector2(273.0f, 60.0f));
            EXPECT_EQ(icon->GetRelativeZ(), 20.0f);
            EXPECT_EQ(icon->GetGroup(), Profiler()->GetRoot());
        }
    }
}

TEST_F(MGProfilingComputerTest, ADropReplacesTheIconAndNeedsAnItemInTheCursor) {
    fGame.Enter();
    fGame.Drop(u"letter");
    fGame.Drop(u"brasskey");
    ASSERT_NE(Profiler()->GetSlotSprite(), nullptr);
    EXPECT_EQ(Narrow(Profiler()->GetSlotSprite()->GetId()), "brasskey");
    EXPECT_EQ(Profiler()->GetRoot()->GetMember(VoString(u"letter")), nullptr);
    // Without an item in the cursor, a click changes nothing.
    fGame.RunFrames(0.3);
    PDAGame::Click(ProfilerGame::kSlotX, ProfilerGame::kSlotY);
    EXPECT_EQ(Narrow(Profiler()->GetSlotSprite()->GetId()), "brasskey");
    // Nor does another button than the first.
    MGCursor::GetInstance()->SetItemCursor(VoString(u"letter"));
    fGame.RunFrames(0.3);
    PDAGame::Click(ProfilerGame::kSlotX, ProfilerGame::kSlotY, 2);
    EXPECT_EQ(Narrow(Profiler()->GetSlotSprite()->GetId()), "brasskey");
}

TEST_F(MGProfilingComputerTest, EvidenceExplainsItsEntriesAndASecondTimeBuzzes) {
    fGame.Enter();
    struct Step {
        const char* what;
        bool drop;
        const char* after;
        int profiled;
        bool noNewInformation;
    };
    const Step steps[] = {
        {"the brass key: a new entry, the match sound", true, "//sounds/match.mp2", 1, false},
        {"the brass key again: nothing new, the buzz", true, "//sounds/buzz.mp2", 1, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        fGame.Drop(u"brasskey");
        ProfilerGame::Analyze();
        EXPECT_TRUE(ProfilerGame::HasEvent(u"brasskey_profiler"));
        EXPECT_EQ(Profiler()->GetSlotSprite(), nullptr);
        EXPECT_TRUE(ProfilerGame::Visible(Profiler()->GetAnalyzingStatus()));
        EXPECT_EQ(ProfilerGame::Playing(), "//sounds/analyze.mp2");
        ProfilerGame::EndSound("analyze");
        EXPECT_FALSE(ProfilerGame::Visible(Profiler()->GetAnalyzingStatus()));
        EXPECT_EQ(ProfilerGame::Playing(), step.after);
        EXPECT_EQ(Profiler()->GetProfiledCount(), step.profiled);
        EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetNoNewInformationStatus()), step.noNewInformation);
        ProfilerGame::EndSound("match");
        EXPECT_EQ(ProfilerGame::Playing(), "");
        EXPECT_FALSE(ProfilerGame::Visible(Profiler()->GetNoNewInformationStatus()));
    }
    EXPECT_EQ(Narrow(Profiler()->GetHeading(0)->GetText()), "Knows the building");
    EXPECT_EQ(Profiler()->GetLevel(), 1);
    EXPECT_TRUE(ProfilerGame::HasEvent(u"evt_profiler_case01_weak"));
}

TEST_F(MGProfilingComputerTest, AnalyzeWithAnEmptySlotOnlyClearsTheMatchText) {
    fGame.Enter();
    Profiler()->GetMatchText()->SetText(VoString(u"40%"));
    stubs::SoundsAsked().clear();
    ProfilerGame::Analyze();
    EXPECT_EQ(MatchText(), "");
    EXPECT_EQ(ProfilerGame::Playing(), "");
    EXPECT_TRUE(stubs::SoundsAsked().empty());
    EXPECT_FALSE(ProfilerGame::Visible(Profiler()->GetAnalyzingStatus()));
}

TEST(MGProfilingComputer, ASuspectIsComparedOnlyWithAStrongProfile) {
    struct Case {
        const char* what;
        int explained;
        const char* sound;
        bool tooWeak;
        const char* match;
    };
    // Six entries: 2 explained is 0.33 (weak), 4 is 0.67 (moderate), 5 is
    // 0.83 (strong). The manager's first criterion needs a very strong profile.
    const Case cases[] = {
        {"weak", 2, "//sounds/buzz.mp2", true, ""},
        {"moderate", 4, "//sounds/buzz.mp2", true, ""},
        {"strong", 5, "//sounds/analyze.mp2", false, "70%"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ProfilerGame game;
        Explain(test.explained);
        game.Enter();
        game.Drop(u"manager");
        stubs::SoundsAsked().clear();
        ProfilerGame::Analyze();
        EXPECT_EQ(Profiler()->GetSlotSprite(), nullptr);
        EXPECT_EQ(ProfilerGame::Playing(), test.sound);
        EXPECT_EQ(stubs::SoundsAsked().size(), 1u);
        EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetTooWeakStatus()), test.tooWeak);
        EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetAnalyzingStatus()), !test.tooWeak);
        EXPECT_FALSE(ProfilerGame::HasEvent(u"manager_profiler"));
        ProfilerGame::EndSound(test.tooWeak ? "match" : "analyze");
        EXPECT_EQ(MatchText(), test.match);
        // A suspect's comparison is followed by no sound.
        EXPECT_EQ(ProfilerGame::Playing(), "");
        EXPECT_EQ(ProfilerGame::HasEvent(u"evt_profiler_manager_suspected"), !test.tooWeak);
    }
}

TEST(MGProfilingComputer, ASuspectAddsTheDoneEventsOfTheScriptsThatHoldAndNoOther) {
    struct Case {
        const char* what;
        const char16_t* suspect;
        int explained;
        bool letterRead;
        const char* match;
        std::vector<const char16_t*> added;
        std::vector<const char16_t*> notAdded;
    };
    // The sample's criteria: the manager's first script needs the letter
    // read and a very strong profile, his second holds always; the clerk's
    // first depends on an event, its second script needs a very strong
    // profile, its third holds always and has no done event.
    const Case cases[] = {
        {"the manager, strong: his second script",
         u"manager",
         5,
         true,
         "70%",
         {u"evt_profiler_manager_suspected"},
         {u"evt_profiler_manager_matched"}},
        {"the manager, very strong, letter read: his first script only",
         u"manager",
         6,
         true,
         "92%",
         {u"evt_profiler_manager_matched"},
         {u"evt_profiler_manager_suspected"}},
        {"the clerk, strong: the third, without a done event",
         u"clerk",
         5,
         false,
         "25%",
         {},
         {u"evt_profiler_clerk_cleared"}},
        {"the clerk, very strong: the second",
         u"clerk",
         6,
         false,
         "15%",
         {u"evt_profiler_clerk_cleared"},
         {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ProfilerGame game;
        Explain(test.explained);
        if (test.letterRead) {
            VoEventManager::GetInstance()->AddEvent(VoString(u"evt_letter_read"), false);
        }
        game.Enter();
        ASSERT_GE(Profiler()->GetLevel(), 3);
        game.Drop(test.suspect);
        ProfilerGame::Analyze();
        ProfilerGame::EndSound("analyze");
        EXPECT_EQ(MatchText(), test.match);
        for (const char16_t* event : test.added) {
            EXPECT_TRUE(ProfilerGame::HasEvent(event)) << Narrow(VoString(event));
        }
        for (const char16_t* event : test.notAdded) {
            EXPECT_FALSE(ProfilerGame::HasEvent(event)) << Narrow(VoString(event));
        }
    }
}

TEST_F(MGProfilingComputerTest, AnItemTheCaseDoesNotKnowComparesTheWaitingSuspectAgain) {
    Explain(5);
    fGame.Enter();
    fGame.Drop(u"manager");
    ProfilerGame::Analyze();
    ProfilerGame::EndSound("analyze");
    ASSERT_EQ(MatchText(), "70%");
    ASSERT_EQ(Narrow(Profiler()->GetPendingSuspect()), "manager");

    // The report's entry goes from the items file once its icon is in the slot.
    fGame.Drop(u"report1");
    VoPropertyList* gone = nullptr;
    ASSERT_TRUE(Profiler()->GetItems()->RemoveList(VoString(u"items.case1.report1"), &gone));
    delete gone;
    ProfilerGame::Analyze();
    EXPECT_EQ(MatchText(), "");
    EXPECT_NE(Profiler()->GetSlotSprite(), nullptr);
    EXPECT_EQ(ProfilerGame::Playing(), "//sounds/analyze.mp2");
    EXPECT_FALSE(ProfilerGame::HasEvent(u"report1_profiler"));
    ProfilerGame::EndSound("analyze");
    EXPECT_EQ(MatchText(), "70%");
    EXPECT_EQ(ProfilerGame::Playing(), "");
}

TEST_F(MGProfilingComputerTest, AnalyzeWhileASoundPlaysDoesTheWorkWithoutANewSound) {
    fGame.Enter();
    fGame.Drop(u"brasskey");
    ProfilerGame::Analyze();
    stubs::SoundPlayer* analysis = stubs::SoundPlayer::Find("analyze");
    ASSERT_NE(analysis, nullptr);
    fGame.Drop(u"letter");
    stubs::SoundsAsked().clear();
    ProfilerGame::Analyze();
    EXPECT_TRUE(ProfilerGame::HasEvent(u"letter_profiler"));
    EXPECT_EQ(Profiler()->GetSlotSprite(), nullptr);
    EXPECT_TRUE(ProfilerGame::Visible(Profiler()->GetAnalyzingStatus()));
    EXPECT_TRUE(stubs::SoundsAsked().empty());
    EXPECT_EQ(Profiler()->GetSoundPlayer(), analysis);
    // No refresh until that sound ends: then both entries at once.
    EXPECT_EQ(Profiler()->GetProfiledCount(), 0);
    ProfilerGame::EndSound("analyze");
    EXPECT_EQ(Profiler()->GetProfiledCount(), 2);
}

TEST_F(MGProfilingComputerTest, TheStateOpensItOnceAndAgainAfterLeaving) {
    fGame.Enter();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    const int count = screens->GetScreenCount();
    VoDisplayGroup* root = Profiler()->GetRoot();
    ProfilerGame::SetActive();
    fGame.RunFrames(1.0);
    EXPECT_EQ(screens->GetScreenCount(), count);
    EXPECT_EQ(Profiler()->GetRoot(), root);

    // The back button leaves, tearing the screen down.
    fGame.Drop(u"letter");
    ProfilerGame::Analyze();
    Profiler()->OnButtonEvent(VoString(u"BACK_BTN"), VoIButtonListener::kClick);
    fGame.RunFrames(1.0);
    EXPECT_EQ(screens->GetTopScreen(), MGSceneManager::GetInstance()->GetScene());
    EXPECT_EQ(Profiler()->GetRoot(), nullptr);
    EXPECT_EQ(Profiler()->GetSoundPlayer(), nullptr);
    EXPECT_EQ(MGCursor::GetInstance()->GetBaseId(), 0);
    EXPECT_TRUE(MGSceneManager::GetInstance()->GetScene()->IsEntered());

    // The state still reads true: setting it again opens the screen again.
    ProfilerGame::SetActive();
    fGame.RunFrames(1.0);
    EXPECT_EQ(screens->GetTopScreen(), Profiler());
    EXPECT_NE(Profiler()->GetRoot(), nullptr);
}

TEST_F(MGProfilingComputerTest, OpeningKeepsTheScenesAudioAndFalseDoesNothing) {
    MGScene* scene = ProfilerGame::EnterScene();
    VoStateManager::GetInstance()->SetState(VoString(u"sta_profiler_active"), VoString(u"boolean"),
                                            VoString(u"false"), true);
    EXPECT_NE(MGScreenManager::GetInstance()->GetTopScreen(), Profiler());
    EXPECT_FALSE(scene->GetKeepAudio());
    ProfilerGame::SetActive();
    EXPECT_TRUE(scene->GetKeepAudio());
    EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), Profiler());
}
