#include "interview/MGExpertComputer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ExpertGame.h"
#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoPropertyList.h"
#include "game/ScreenProbes.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "support/LogCapture.h"

namespace {

constexpr const char* kSubtitles =
    "key=Key\nlobby=Lobby\nal=Al\nforty=41\ncook=Cook\nnone=\nmary=Mary\n";

std::string Text(VoTextArea* apField) {
    return apField != nullptr ? Narrow(apField->GetText()) : "?";
}

class MGExpertComputerTest : public ::testing::Test {
protected:
    MGExpertComputerTest() : fSubtitles(InterviewGame::Parse(kSubtitles)) {}
    ~MGExpertComputerTest() override {
        fInfos.clear();
        delete fSubtitles;
    }

    // The computer of the kind, built, its lamps asleep for three seconds.
    MGExpertComputer* Open(int aKind) {
        fGame.SetDraws({3, 3, 3, 3, 3});
        MGExpertComputer* computer = MGExpertComputer::GetInstance();
        EXPECT_TRUE(computer->Open(aKind, nullptr));
        fGame.RunFrames(0.4);
        EXPECT_TRUE(computer->IsBuilt());
        return computer;
    }
    // An info node of the text, kept for the test.
    VoPropertyList* Info(const std::string& aText) {
        fInfos.emplace_back(InterviewGame::Parse(aText));
        return fInfos.back().get();
    }
    // The five fields after each frame, item|location|name|age|occupation,
    // until the typing stops; consecutive repeats left out.
    std::vector<std::string> Typed(MGExpertComputer* apComputer, int* apSteps) {
        std::vector<std::string> states;
        *apSteps = 0;
        for (int i = 0; i < 100 && apComputer->IsTyping(); ++i) {
            fGame.At(fGame.Now() + 0.01);
            ++*apSteps;
            const std::string state = Text(apComputer->GetItemField()) + "|" + Text(apComputer->GetLocationField()) +
                                      "|" + Text(apComputer->GetNameField()) + "|" +
                                      Text(apComputer->GetAgeField()) + "|" +
                                      Text(apComputer->GetOccupationField());
            if (states.empty() || states.back() != state) {
                states.push_back(state);
            }
        }
        return states;
    }

    ExpertGame fGame;
    VoPropertyList* fSubtitles;  // owned
    std::vector<std::unique_ptr<VoPropertyList>> fInfos;
};

}  // namespace

TEST_F(MGExpertComputerTest, ACardIsTypedFieldByFieldAndAnEmptyFieldPassesInOneStep) {
    struct Case {
        const char* info;
        std::vector<std::string> states;
        int steps;
    };
    const Case cases[] = {
        {"type=Evidence\nname=key\ncollected=lobby\n",
         {"K||||", "Ke||||", "Key||||", "Key|L|||", "Key|Lo|||", "Key|Lob|||", "Key|Lobb|||", "Key|Lobby|||"},
         // 3 characters, the move on, 5 characters, the end.
         10},
        {"type=person\nname=al\nage=forty\noccupation=cook\n",
         {"||A||", "||Al||", "||Al|4|", "||Al|41|", "||Al|41|C", "||Al|41|Co", "||Al|41|Coo", "||Al|41|Cook"},
         11},
        // An empty age: one step passes over it.
        {"type=person\nname=al\nage=none\noccupation=cook\n",
         {"||A||", "||Al||", "||Al||C", "||Al||Co", "||Al||Coo", "||Al||Cook"}, 9},
        // A key the subtitles lack types nothing.
        {"type=evidence\nname=missing\ncollected=lobby\n",
         {"||||", "|L|||", "|Lo|||", "|Lob|||", "|Lobb|||", "|Lobby|||"}, 7},
    };
    MGExpertComputer* computer = Open(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.info);
        computer->ShowItem(Info(c.info), fSubtitles);
        EXPECT_TRUE(computer->IsTyping());
        int steps = 0;
        EXPECT_EQ(Typed(computer, &steps), c.states);
        EXPECT_EQ(steps, c.steps);
    }
}

TEST_F(MGExpertComputerTest, TheCardsSpriteFollowsTheTypeAndCharactersComeUpTo0299SecondsApart) {
    MGExpertComputer* computer = Open(1);
    fGame.SetDraws({299});
    computer->ShowItem(Info("type=evidence\nname=key\ncollected=lobby\n"), fSubtitles);
    EXPECT_TRUE(computer->GetEvidenceCard()->GetVisible());
    EXPECT_FALSE(computer->GetProfileCard()->GetVisible());
    fGame.SetDraws({300});
    fGame.At(fGame.Now() + 0.298);
    EXPECT_EQ(Text(computer->GetItemField()), "");
    fGame.At(fGame.Now() + 0.002);
    EXPECT_EQ(Text(computer->GetItemField()), "K");
    // 300 mod 300: the next character at once.
    fGame.At(fGame.Now());
    EXPECT_EQ(Text(computer->GetItemField()), "Ke");
    computer->ShowItem(Info("type=profile\nname=al\n"), fSubtitles);
    EXPECT_FALSE(computer->GetEvidenceCard()->GetVisible());
    EXPECT_TRUE(computer->GetProfileCard()->GetVisible());
}

TEST_F(MGExpertComputerTest, ANewCardWhileTypingClearsTheFieldsAndStartsAgain) {
    MGExpertComputer* computer = Open(0);
    computer->ShowItem(Info("type=evidence\nname=key\ncollected=lobby\n"), fSubtitles);
    fGame.At(fGame.Now() + 0.01);
    fGame.At(fGame.Now() + 0.01);
    ASSERT_EQ(Text(computer->GetItemField()), "Ke");
    computer->ShowItem(Info("type=person\nname=mary\nage=forty\noccupation=cook\n"), fSubtitles);
    EXPECT_EQ(Text(computer->GetItemField()), "");
    EXPECT_EQ(computer->GetCurrentField(), computer->GetNameField());
    fGame.At(fGame.Now() + 0.01);
    EXPECT_EQ(Text(computer->GetNameField()), "M");
    EXPECT_EQ(Text(computer->GetItemField()), "");
}

TEST_F(MGExpertComputerTest, ASecondPictureReplacesTheFirstAndTheLinesStayShown) {
    MGExpertComputer* computer = Open(0);
    VoDisplayGroup* group = computer->GetGroup();
    EXPECT_FALSE(computer->GetLines()->GetVisible());
    struct Case {
        const char* image;
        VoVector2 position;  // (-1, -1): no picture
    };
    // 160 x 120 and 120 x 150 centred in the 200 x 160 box at (530, 175).
    const Case cases[] = {{"brasskey_prints", VoVector2(550.0f, 195.0f)},
                          {"portrait_guest", VoVector2(570.0f, 180.0f)},
                          {"nosuchpicture", VoVector2(-1.0f, -1.0f)},
                          {"brasskey_prints", VoVector2(550.0f, 195.0f)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        computer->ShowItem(Info(std::string("type=evidence\nname=key\nimage=") + c.image + "\n"), fSubtitles);
        VoSprite* icon = computer->GetResultIcon();
        if (c.position.x < 0.0f) {
            EXPECT_EQ(icon, nullptr);
        } else {
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon->GetPosition(), c.position);
            EXPECT_EQ(icon->GetGroup(), group);
            EXPECT_FLOAT_EQ(icon->GetRelativeZ(), 10.0f);
        }
        // Only the latest picture is in the group.
        int pictures = 0;
        for (const char* id : {"brasskey_prints", "portrait_guest"}) {
            pictures += group->GetMember(VoString(id)) != nullptr ? 1 : 0;
        }
        EXPECT_EQ(pictures, icon != nullptr ? 1 : 0);
        EXPECT_TRUE(computer->GetLines()->GetVisible());
    }
}

TEST_F(MGExpertComputerTest, TheSurveillanceConsolePlacesItsFieldsAndLinesOfItsOwn) {
    struct Case {
        int kind;
        float x;
        float width;
        VoVector2 lines;
    };
    const Case cases[] = {{0, 267.0f, 225.0f, VoVector2(530.0f, 175.0f)},
                          {1, 267.0f, 225.0f, VoVector2(530.0f, 175.0f)},
                          {2, 254.0f, 239.0f, VoVector2(533.0f, 177.0f)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        MGExpertComputer* computer = Open(c.kind);
        VoTextArea* fields[] = {computer->GetNameField(), computer->GetAgeField(), computer->GetOccupationField()};
        for (VoTextArea* field : fields) {
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->GetPosition().x, c.x);
            EXPECT_EQ(field->GetWidth(), c.width);
            EXPECT_FALSE(field->GetWordWrap());
        }
        EXPECT_EQ(computer->GetNameField()->GetPosition().y, c.kind == 2 ? 204.0f : 200.0f);
        EXPECT_EQ(computer->GetItemField()->GetPosition(), VoVector2(267.0f, 199.0f));
        EXPECT_EQ(computer->GetItemField()->GetWidth(), 227.0f);
        EXPECT_TRUE(computer->GetItemField()->GetWordWrap());
        EXPECT_EQ(computer->GetLines()->GetPosition(), c.lines);
        EXPECT_FLOAT_EQ(computer->GetLines()->GetBlend(), 0.25f);
        EXPECT_FALSE(computer->GetProfileCard()->GetVisible());
        computer->OnLeaveEnd();
        MGIScreen* popped = nullptr;
        MGScreenManager::GetInstance()->PopScreen(&popped);
    }
}

TEST_F(MGExpertComputerTest, TheLampsStartAfterWholeSecondsAndFadeATenthAtLeast003SecondsApart) {
    // A lamp due at the timer's 0 would never start: open a second in.
    fGame.At(1.0);
    fGame.SetDraws({1, 2, 3, 0, 5});
    const double opened = fGame.Now();
    MGExpertComputer::GetInstance()->Open(0, nullptr);
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    ASSERT_TRUE(computer->IsBuilt());
    const double firsts[] = {1.0, 2.0, 3.0, 0.0, 1.0};
    for (int i = 0; i < MGExpertComputer::kAnimationCount; ++i) {
        ASSERT_NE(computer->GetAnimation(i), nullptr);
        EXPECT_FALSE(computer->GetAnimation(i)->GetVisible());
        EXPECT_NEAR(computer->GetNextTime(i) - opened, firsts[i], 1e-9);
    }
    // Lamp 3 starts at once; frames every 0.01 s step it every 0.03 s.
    fGame.SetDraws({1});
    std::vector<double> changes;
    float last = computer->GetAnimationBlend(3);
    for (int i = 0; i < 60; ++i) {
        fGame.At(fGame.Now() + 0.01);
        if (computer->GetAnimationBlend(3) != last) {
            last = computer->GetAnimationBlend(3);
            changes.push_back(fGame.Now());
        }
    }
    ASSERT_EQ(changes.size(), 10u);
    for (size_t i = 1; i < changes.size(); ++i) {
        EXPECT_GE(changes[i] - changes[i - 1], 0.03 - 1e-9);
    }
    EXPECT_FLOAT_EQ(last, 1.0f);
    EXPECT_TRUE(computer->GetAnimation(3)->GetVisible());
    // Fully lit, it goes out again (1 mod 3) + 1 = 2 seconds later.
    EXPECT_NEAR(computer->GetNextTime(3) - changes.back(), 2.0, 1e-6);
}

TEST_F(MGExpertComputerTest, AnUnknownKindIsRefusedAndACardBeforeTheScreenTouchesNoDisplay) {
    LogCapture log;
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    EXPECT_FALSE(computer->Open(3, nullptr));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGExpertComputer::kInvalidKind) + "3"));
    EXPECT_EQ(MGScreenManager::GetInstance()->GetTopScreen(), nullptr);
    computer->ShowItem(Info("type=evidence\nname=key\nimage=brasskey_prints\n"), fSubtitles);
    EXPECT_FALSE(computer->IsBuilt());
    EXPECT_FALSE(computer->IsTyping());
    EXPECT_EQ(computer->GetResultIcon(), nullptr);
    // Closing what is not built does nothing.
    computer->Close();
    fGame.RunFrames(0.5);
    EXPECT_FALSE(computer->IsBuilt());
}

TEST_F(MGExpertComputerTest, ClosingPlaysTheInterviewsExitOnlyAfterTheSceneHasFadedBackIn) {
    ScreenJournal journal;
    RecordingScreen scene("scene", &journal);
    MGScreenManager* screens = MGScreenManager::GetInstance();
    ASSERT_TRUE(screens->PushScreen(&scene));
    std::unique_ptr<MGExpertInterview> expert = fGame.MakeExpert("1CL01.txt", ExpertData({Topic("key")}));
    MGExpertComputer* computer = MGExpertComputer::GetInstance();
    ASSERT_TRUE(computer->Open(0, expert.get()));
    EXPECT_EQ(journal, (ScreenJournal{"scene:begin"}));
    EXPECT_FALSE(computer->IsBuilt());
    fGame.RunFrames(0.8);
    EXPECT_EQ(journal, (ScreenJournal{"scene:begin", "scene:end"}));
    ASSERT_TRUE(computer->IsBuilt());
    EXPECT_EQ(screens->GetTopScreen(), computer);
    EXPECT_EQ(expert->GetNotepad()->GetPosition(), VoVector2(-130.0f, 0.0f));
    EXPECT_TRUE(expert->GetNotepad()->GetActive());
    VoDisplayGroup* root = VoDisplayManager::GetInstance()->GetRootGroup();
    EXPECT_NE(root->GetMember(VoString(u"expertComputer")), nullptr);

    computer->Close();
    for (int i = 0; i < 40 && journal.size() < 3; ++i) {
        fGame.At(fGame.Now() + 0.02);
    }
    // Black: the computer is gone and the scene entered, still dark.
    ASSERT_EQ(journal, (ScreenJournal{"scene:begin", "scene:end", "scene:enter"}));
    EXPECT_FALSE(computer->IsBuilt());
    EXPECT_EQ(root->GetMember(VoString(u"expertComputer")), nullptr);
    EXPECT_EQ(screens->GetTopScreen(), &scene);
    EXPECT_EQ(ExpertGame::Speaking(), "");
    // The exit starts once the fade back in (0.3 s) has ended.
    const double entered = fGame.Now();
    for (int i = 0; i < 40 && !expert->IsExitPlayed(); ++i) {
        fGame.At(fGame.Now() + 0.02);
    }
    EXPECT_TRUE(expert->IsExitPlayed());
    EXPECT_GE(fGame.Now() - entered, MGScreenFader::kFadeTime - 1e-6);
    fGame.At(fGame.Now() + 0.02);
    EXPECT_EQ(ExpertGame::Speaking(), "bye");
    EXPECT_TRUE(expert->IsExitPlayed());
    fGame.EndLine();
    EXPECT_FALSE(expert->IsExitPlayed());
    screens->Clear();
}
