// The offender profile: which entries are explained, in which rows, how
// strong the profile is, and how a suspect fits it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "game/profiler/ProfilerTestGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "profiler/MGProfilingComputer.h"
#include "support/LogCapture.h"
#include "support/TestText.h"

using ::testing::ElementsAre;

namespace {

MGProfilingComputer* Profiler() {
    return ProfilerGame::Profiler();
}

// A profile file's text for case 1 with these parts, each a list of keys
// (heading "H" + key, text "T" + key).
std::u16string Profile(const std::vector<std::vector<const char*>>& aParts) {
    const char* names[] = {"characteristics", "personality", "motive"};
    std::string text = "case01\n";
    for (std::size_t p = 0; p < aParts.size(); ++p) {
        text += std::string("\t") + names[p] + "\n";
        for (const char* key : aParts[p]) {
            text += std::string("\t\t") + key + "\n\t\t\theading=H" + key + "\n\t\t\ttext=T" + key + "\n";
        }
    }
    return std::u16string(text.begin(), text.end());
}

void Refresh(const std::u16string& aProfile) {
    VoPropertyList profile;
    ASSERT_TRUE(profile.Parse(VoString(aProfile.c_str())));
    Profiler()->RefreshProfile(&profile);
}

void Explain(const char* apKey, float aTime) {
    ProfilerGame::AddEventAt(VoString(apKey) + u"_profiler", aTime);
}

std::string Heading(int aRow) {
    return Narrow(Profiler()->GetHeading(aRow)->GetText());
}

class MGProfilingComputerProfileTest : public ::testing::Test {
protected:
    void SetUp() override { fGame.Enter(); }
    ProfilerGame fGame;
};

}  // namespace

TEST(MGProfilingComputerProfile, TheStrengthFollowsTheShareOfExplainedEntries) {
    struct Case {
        int profiled;
        int total;
        int level;
        const char* word;
    };
    const Case cases[] = {
        {6, 10, 2, "moderate"}, {4, 10, 2, "moderate"},    {3, 10, 1, "weak"},
        {1, 10, 0, ""},         {17, 20, 3, "strong"},     {3, 20, 0, ""},
        {4, 20, 1, "weak"},     {16, 20, 3, "strong"},     {18, 20, 4, "verystrong"},
        {7, 20, 1, "weak"},     {8, 20, 2, "moderate"},    {15, 20, 2, "moderate"},
        {0, 0, 0, ""},          {12, 12, 4, "verystrong"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.profiled) + " of " + std::to_string(test.total));
        const int level = MGProfilingComputer::StrengthLevel(test.profiled, test.total);
        EXPECT_EQ(level, test.level);
        EXPECT_EQ(Narrow(MGProfilingComputer::StrengthWord(level)), test.word);
    }
}

TEST_F(MGProfilingComputerProfileTest, ExplainedEntriesFillTheirPartsRowsInTheOrderOfAnalysis) {
    // B explained before A: row 0 is B's, row 1 A's, whatever the file order.
    Explain("register", 10.0f);
    Explain("brasskey", 20.0f);
    Explain("1cs03", 15.0f);
    Refresh(Profile({{"brasskey", "register", "letter"}, {}, {"1cs03"}}));
    EXPECT_EQ(Heading(0), "Hregister");
    EXPECT_EQ(Heading(1), "Hbrasskey");
    EXPECT_EQ(Narrow(Profiler()->GetEntry(1)->GetText()), "Tbrasskey");
    EXPECT_EQ(Heading(2), "");
    EXPECT_EQ(Heading(8), "H1cs03");
    for (int row : {0, 1, 8}) {
        EXPECT_TRUE(ProfilerGame::Visible(Profiler()->GetRow(row))) << row;
    }
    // The icons at their rows' pictures + (17, 17), in the icons group.
    struct Icon {
        const char16_t* id;
        int row;
    };
    for (const Icon& icon :
         {Icon{u"register_cicon", 0}, Icon{u"brasskey_cicon", 1}, Icon{u"1cs03_micon", 8}}) {
        SCOPED_TRACE(Narrow(VoString(icon.id)));
        VoIDisplayObject* sprite = Profiler()->GetIcons()->GetMember(VoString(icon.id));
        ASSERT_NE(sprite, nullptr);
        EXPECT_EQ(sprite->GetPosition(),
                  Profiler()->GetRow(icon.row)->GetPosition() + VoVector2(17.0f, 17.0f));
    }
    EXPECT_EQ(Profiler()->GetProfiledCount(), 3);
    EXPECT_EQ(Profiler()->GetLevel(), 2);
    EXPECT_TRUE(ProfilerGame::HasEvent(u"evt_profiler_case01_moderate"));
}

TEST_F(MGProfilingComputerProfileTest, EqualTimesKeepFileOrderAndIconsMoveWithTheirRows) {
    Explain("letter", 5.0f);
    Explain("brasskey", 5.0f);
    Refresh(Profile({{"brasskey", "letter"}}));
    EXPECT_EQ(Heading(0), "Hbrasskey");
    EXPECT_EQ(Heading(1), "Hletter");
    // An earlier entry arrives later in the file's own order: icons move.
    Explain("register", 1.0f);
    Refresh(Profile({{"brasskey", "letter", "register"}}));
    EXPECT_EQ(Heading(0), "Hregister");
    VoIDisplayObject* key = Profiler()->GetIcons()->GetMember(VoString(u"brasskey_cicon"));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->GetPosition(), Profiler()->GetRow(1)->GetPosition() + VoVector2(17.0f, 17.0f));
    EXPECT_EQ(Profiler()->GetIcons()->GetMemberCount(), 3);
}

TEST_F(MGProfilingComputerProfileTest, TheLevelsPictureAndEventFollowEachRefresh) {
    struct Step {
        int explained;
        int level;
        const char16_t* event;
    };
    // Ten entries: 1 explained is 0.1, 3 is 0.3, 4 is 0.4, 6 is 0.6.
    const char* keys[] = {"k1", "k2", "k3", "k4", "k5", "k6", "k7", "k8", "k9", "k10"};
    const std::u16string profile =
        Profile({{"k1", "k2", "k3", "k4"}, {"k5", "k6", "k7", "k8"}, {"k9", "k10"}});
    const Step steps[] = {
        {1, 0, u"evt_profiler_case01_"},
        {3, 1, u"evt_profiler_case01_weak"},
        {4, 2, u"evt_profiler_case01_moderate"},
        {6, 2, u"evt_profiler_case01_moderate"},
    };
    int explained = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.explained);
        for (; explained < step.explained; ++explained) {
            Explain(keys[explained], static_cast<float>(explained + 1));
        }
        LogCapture log;
        Refresh(profile);
        EXPECT_EQ(Profiler()->GetLevel(), step.level);
        EXPECT_EQ(Profiler()->GetProfiledCount(), step.explained);
        EXPECT_TRUE(ProfilerGame::HasEvent(step.event));
        for (int level = 0; level < MGProfilingComputer::kLevelCount; ++level) {
            EXPECT_EQ(ProfilerGame::Visible(Profiler()->GetStrengthPicture(level)), level == step.level)
                << level;
        }
        // A repeat of the event is not added again, nor refused with an error.
        EXPECT_THAT(log.Lines(), ::testing::IsEmpty());
    }
}

TEST_F(MGProfilingComputerProfileTest, APartCountsItsFirstFourEntries) {
    Explain("k5", 1.0f);
    Explain("k1", 2.0f);
    LogCapture log;
    Refresh(Profile({{"k1", "k2", "k3", "k4", "k5"}}));
    // k5 is left out: 1 of 4.
    EXPECT_EQ(Profiler()->GetProfiledCount(), 1);
    EXPECT_EQ(Heading(0), "Hk1");
    EXPECT_EQ(Profiler()->GetLevel(), 1);
    EXPECT_TRUE(log.Contains(MGProfilingComputer::kTooManyEntries));
    VoVectorString keys;
    VoPropertyList profile;
    ASSERT_TRUE(profile.Parse(VoString(Profile({{"k1", "k2", "k3", "k4", "k5"}}).c_str())));
    MGProfilingComputer::CollectProfiledEntries(profile.GetList(VoString(u"case01.characteristics")), &keys);
    ASSERT_EQ(keys.GetCount(), 1);
    EXPECT_EQ(Narrow(keys.GetAt(0)), "k1");
}

TEST_F(MGProfilingComputerProfileTest, NoProfileIsLevelZero) {
    Explain("brasskey", 1.0f);
    Profiler()->RefreshProfile(nullptr);
    EXPECT_EQ(Profiler()->GetLevel(), 0);
    EXPECT_EQ(Profiler()->GetProfiledCount(), 0);
    Refresh(u"case02\n\tcharacteristics\n\t\tbrasskey\n\t\t\theading=x\n");
    EXPECT_EQ(Profiler()->GetLevel(), 0);
}

TEST_F(MGProfilingComputerProfileTest, AnEntryWhoseItemHasNoPictureGetsNoIcon) {
    Explain("nosuchitem", 1.0f);
    Refresh(Profile({{"nosuchitem"}}));
    EXPECT_EQ(Heading(0), "Hnosuchitem");
    EXPECT_EQ(Profiler()->GetIcons()->GetMemberCount(), 0);
}

TEST_F(MGProfilingComputerProfileTest, ASuspectFitsByTheFirstCriterionThatHolds) {
    struct Case {
        const char* what;
        const char16_t* criteria;
        const char16_t* suspect;
        const char* match;
        std::vector<const char16_t*> added;
        std::vector<const char16_t*> notAdded;
    };
    const Case cases[] = {
        {"the first's event missing, the second's script true: the second, its done event",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=evt_missing\n\t\t\tviability=90\n\t\t\tdoneevent=evt_a_done\n"
         u"\t\tb\n\t\t\tdepend=script[true]\n\t\t\tviability=45\n\t\t\tdoneevent=evt_b_done\n",
         u"guest",
         "45%",
         {u"evt_b_done"},
         {u"evt_a_done"}},
        {"an event depend never adds its done event",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=evt_seen\n\t\t\tviability=60\n\t\t\tdoneevent=evt_a_done\n",
         u"guest",
         "60%",
         {},
         {u"evt_a_done"}},
        {"script in any case; a false one is passed over",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=SCRIPT[false]\n\t\t\tviability=10\n"
         u"\t\tb\n\t\t\tdepend=Script[e[evt_seen]]\n\t\t\tviability=20\n",
         u"guest",
         "20%",
         {},
         {}},
        {"entries without depend or viability are skipped",
         u"case01\n\tguest\n\t\ta\n\t\t\tviability=10\n\t\tb\n\t\t\tdepend=script[true]\n"
         u"\t\tc\n\t\t\tdepend=script[true]\n\t\t\tviability=30\n",
         u"guest",
         "30%",
         {},
         {}},
        {"no criterion holds",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=evt_missing\n\t\t\tviability=90\n",
         u"guest",
         "",
         {},
         {}},
        {"another case's list",
         u"case02\n\tguest\n\t\ta\n\t\t\tdepend=script[true]\n\t\t\tviability=90\n",
         u"guest",
         "",
         {},
         {}},
        {"a suspect without a list",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=script[true]\n\t\t\tviability=90\n",
         u"porter",
         "",
         {},
         {}},
        {"an id that reaches into a list",
         u"case01\n\tguest\n\t\ta\n\t\t\tdepend=script[true]\n\t\t\tviability=90\n",
         u"guest.a",
         "",
         {},
         {}},
    };
    VoEventManager::GetInstance()->AddEvent(VoString(u"evt_seen"), false);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        VoPropertyList* criteria = new VoPropertyList();
        ASSERT_TRUE(criteria->Parse(VoString(test.criteria)));
        Profiler()->SetMatchCriteria(criteria);
        Profiler()->GetMatchText()->SetText(VoString(u""));
        Profiler()->EvaluateSuspect(VoString(test.suspect));
        EXPECT_EQ(Narrow(Profiler()->GetMatchText()->GetText()), test.match);
        for (const char16_t* event : test.added) {
            EXPECT_TRUE(ProfilerGame::HasEvent(event)) << Narrow(VoString(event));
        }
        for (const char16_t* event : test.notAdded) {
            EXPECT_FALSE(ProfilerGame::HasEvent(event)) << Narrow(VoString(event));
        }
    }
}

TEST_F(MGProfilingComputerProfileTest, SuspectsAreComparedInCasesOneToFourOnly) {
    VoPropertyList* criteria = new VoPropertyList();
    ASSERT_TRUE(
        criteria->Parse(VoString(u"case05\n\tguest\n\t\ta\n\t\t\tdepend=script[true]\n\t\t\tviability=9\n")));
    Profiler()->SetMatchCriteria(criteria);
    PDAGame::SetNumber(u"sta_selectedcase", 5.0f);
    Profiler()->EvaluateSuspect(VoString(u"guest"));
    EXPECT_EQ(Narrow(Profiler()->GetMatchText()->GetText()), "");
}
