#include "interview/MGInterviewSequence.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InterviewGame.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoTextArea.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "platform/VoKeyboard.h"
#include "support/LogCapture.h"
#include "util/MGOptions.h"

namespace {

constexpr const char* kData =
    "fonts\n"
    "\tmain=TW_CEN_MT16\n"
    "\tblue=TW_CEN_MT16_BLUE\n"
    "characters\n"
    "\tc=clerk\n";

constexpr const char* kSubtitles =
    "one=The first line.\n"
    "two=The second line.\n";

// A subtitle entry of a sequence node.
std::string Subtitle(int aIndex, const char* apFont, const char* apKey, const char* apType) {
    return "\t" + std::to_string(aIndex) + "\n\t\tfont=" + apFont + "\n\t\tsubtitle=" + apKey +
           "\n\t\ttype=" + apType + "\n";
}

class MGInterviewSequenceTest : public ::testing::Test {
protected:
    MGInterviewSequenceTest() : fInterview(fGame.MakeInterview("t1.txt", kData, kSubtitles)) {}
    ~MGInterviewSequenceTest() override {
        delete fSequence;
        delete fInterview;
    }

    // A new sequence of the node (appended to the one made so far when
    // aAppend), played from the clock's now.
    void Play(const std::string& aNode, const char* apDoneEvent = "evt_done") {
        Create(aNode, apDoneEvent);
        fSequence->Play(&fProbe);
    }
    void Create(const std::string& aNode, const char* apDoneEvent = "evt_done") {
        if (fSequence == nullptr) {
            fSequence = new MGInterviewSequence();
        }
        fNodes.emplace_back(InterviewGame::Parse(aNode));
        fSequence->Create(VoString(apDoneEvent), fNodes.back().get(), fInterview);
    }
    static bool Playing(const char* apSound) {
        const VoIState* state = InterviewGame::State(std::string("sta_interview_") + apSound);
        return state != nullptr && state->GetBoolean();
    }
    static std::string MainLine() {
        VoTextArea* text = MGSubtitle::GetInstance()->GetMainText();
        return text != nullptr ? Narrow(text->GetText()) : "";
    }
    static std::string AppendedLine() {
        VoTextArea* text = MGSubtitle::GetInstance()->GetAppendedText();
        return text != nullptr ? Narrow(text->GetText()) : "";
    }
    static void Key(int aKey) {
        VoKeyboard::GetInstance()->KeyDown(aKey);
        VoKeyboard::GetInstance()->KeyUp(aKey);
    }

    InterviewGame fGame;
    InterviewProbe fProbe;
    MGInterview* fInterview;
    MGInterviewSequence* fSequence = nullptr;
    std::vector<std::unique_ptr<VoPropertyList>> fNodes;
};

}  // namespace

TEST_F(MGInterviewSequenceTest, ASoundWaitsForTheOneBeforeWhileSubtitlesKeepTheirOwnTimes) {
    Play("sounds=a|b\nsoundtimes=0|1\nsubtitles\n" + Subtitle(0, "main", "one", "replace") +
         Subtitle(1, "blue", "two", "add") + "subtitletimes=2|2.5\n");
    fGame.At(0.0);
    EXPECT_EQ(InterviewGame::Playing(), (std::vector<std::string>{"//sounds/a.ogg"}));
    EXPECT_TRUE(Playing("a"));
    fGame.At(1.0);
    fGame.At(1.9);
    EXPECT_EQ(InterviewGame::Playing(), (std::vector<std::string>{"//sounds/a.ogg"}));
    EXPECT_EQ(MainLine(), "");
    // The first subtitle at its time, the first sound still playing.
    fGame.At(2.0);
    EXPECT_EQ(MainLine(), "The first line.");
    EXPECT_EQ(MGSubtitle::GetInstance()->GetMainText()->GetFont(),
              VoFontManager::GetInstance()->GetFont(VoString(u"TW_CEN_MT16")));
    EXPECT_TRUE(MGSubtitle::GetInstance()->IsShown());
    EXPECT_TRUE(Playing("a"));
    fGame.At(2.5);
    EXPECT_EQ(AppendedLine(), "The second line.");
    EXPECT_EQ(MainLine(), "The first line.");
    // The first sound lasts 3 s: the second starts at the next frame after.
    fGame.At(3.0);
    ASSERT_TRUE(InterviewGame::EndSound("a"));
    EXPECT_FALSE(Playing("a"));
    EXPECT_FALSE(Playing("b"));
    EXPECT_TRUE(InterviewGame::Playing().empty());
    fGame.At(3.05);
    EXPECT_EQ(InterviewGame::Playing(), (std::vector<std::string>{"//sounds/b.ogg"}));
    EXPECT_TRUE(Playing("b"));
    EXPECT_TRUE(fProbe.With("event").empty());
    ASSERT_TRUE(InterviewGame::EndSound("b"));
    EXPECT_EQ(fProbe.With("event"), (Journal{"event evt_done"}));
    EXPECT_EQ(fProbe.With("sequence"), (Journal{"sequence end"}));
    EXPECT_TRUE(fSequence->IsFinished());
    EXPECT_FALSE(Playing("b"));
}

TEST_F(MGInterviewSequenceTest, ThePlayingStateIsOnExactlyWhileItsSoundPlays) {
    Play("sounds=a\nsoundtimes=0.5\n");
    fGame.At(0.0);
    EXPECT_EQ(InterviewGame::State("sta_interview_a"), nullptr);
    fGame.At(0.5);
    EXPECT_EQ(fProbe.With("state"), (Journal{"state sta_interview_a true"}));
    InterviewGame::EndSound("a");
    EXPECT_EQ(fProbe.With("state"), (Journal{"state sta_interview_a true", "state sta_interview_a false"}));
}

TEST_F(MGInterviewSequenceTest, TheSpaceBarSkipsUnlessNoSkipIsSet) {
    struct Case {
        const char* noskip;
        bool skipped;
    };
    const Case cases[] = {{"", true}, {"noskip=TRUE\n", false}, {"noskip=false\n", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.noskip);
        delete fSequence;
        fSequence = nullptr;
        fProbe.Take();
        Play(std::string(c.noskip) + "sounds=a|b\nsoundtimes=0|0\nviewpoints=cut1|cut2\nviewpointtimes=0|9\n");
        fGame.At(fGame.Now() + 0.05);
        ASSERT_TRUE(Playing("a"));
        LogCapture log;
        Key(MGInterviewSequence::kSkipKey);
        // A sequence that goes on hears the key come up.
        EXPECT_EQ(log.Logged("NOTE: ", "aKey:57"), !c.skipped);
        EXPECT_EQ(fSequence->IsFinished(), c.skipped);
        EXPECT_EQ(Playing("a"), !c.skipped);
        EXPECT_EQ(InterviewGame::Sound("a") == nullptr, c.skipped);
        EXPECT_EQ(fProbe.With("sequence").size(), c.skipped ? 1u : 0u);
        EXPECT_EQ(InterviewGame::HasEvent("evt_done"), c.skipped);
        if (!c.skipped) {
            InterviewGame::EndSound("a");
            fGame.At(fGame.Now() + 0.05);
            InterviewGame::EndSound("b");
        }
        VoEventManager::GetInstance()->ClearEvents();
    }
}

TEST_F(MGInterviewSequenceTest, OtherKeysAndASkipBeforeAnySoundLeaveNoPlayingState) {
    Play("sounds=a\nsoundtimes=2\n");
    fGame.At(0.0);
    Key(1);
    EXPECT_FALSE(fSequence->IsFinished());
    Key(MGInterviewSequence::kSkipKey);
    EXPECT_TRUE(fSequence->IsFinished());
    EXPECT_EQ(InterviewGame::State("sta_interview_a"), nullptr);
    // Nothing more plays once it is over.
    fGame.At(3.0);
    EXPECT_TRUE(InterviewGame::Playing().empty());
}

TEST_F(MGInterviewSequenceTest, AMissingLinePlaysTheTempSoundAndOneThatCannotStartIsOverAtOnce) {
    struct Case {
        bool tempMissing;
        std::vector<std::string> playing;
    };
    const Case cases[] = {{false, {"//sounds/temp.ogg"}}, {true, {"//sounds/b.ogg"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tempMissing);
        delete fSequence;
        fSequence = nullptr;
        fProbe.Take();
        stubs::Missing().clear();
        InterviewGame::Lose("a");
        if (c.tempMissing) {
            stubs::Missing().insert("//sounds/temp.ogg");
        }
        LogCapture log;
        Play("sounds=a|b\nsoundtimes=0|0\n");
        fGame.At(fGame.Now() + 0.05);
        EXPECT_TRUE(log.Logged("ERROR: ", MGInterviewSequence::kUsingTempSound));
        EXPECT_EQ(log.Logged("ERROR: ", MGInterviewSequence::kSoundFailure), c.tempMissing);
        // A line that could not start is over: its state is false again.
        EXPECT_EQ(Playing("a"), !c.tempMissing);
        fGame.At(fGame.Now() + 0.05);
        EXPECT_EQ(InterviewGame::Playing(), c.playing);
        VoEventManager::GetInstance()->ClearEvents();
    }
    // The last line failing ends the sequence.
    delete fSequence;
    fSequence = nullptr;
    fProbe.Take();
    InterviewGame::Lose("b");
    Play("sounds=b\nsoundtimes=0\n");
    fGame.At(fGame.Now() + 0.05);
    EXPECT_TRUE(fSequence->IsFinished());
    EXPECT_EQ(fProbe.With("sequence"), (Journal{"sequence end"}));
}

TEST_F(MGInterviewSequenceTest, ASequenceWithoutSoundsEndsAfterItsLastSubtitle) {
    struct Case {
        const char* node;
        double lastItem;  // the time of its last subtitle or cut; -1 for none
    };
    const Case cases[] = {
        {"", -1.0},
        {"subtitles\n\t0\n\t\tfont=main\n\t\tsubtitle=one\n\t\ttype=replace\nsubtitletimes=1.5\n", 1.5},
        {"viewpoints=c1|c2\nviewpointtimes=0|2\n", 2.0},
        {"viewpoints=STRING|c2\nviewpointtimes=0|2\n", -1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        delete fSequence;
        fSequence = nullptr;
        fProbe.Take();
        const double start = fGame.Now();
        Play(c.node);
        EXPECT_FALSE(fSequence->IsFinished());
        if (c.lastItem >= 0.0) {
            fGame.At(start + c.lastItem - 0.05);
            EXPECT_FALSE(fSequence->IsFinished());
            fGame.At(start + c.lastItem);
            EXPECT_FALSE(fSequence->IsFinished());
        }
        fGame.At(fGame.Now() + 0.05);
        EXPECT_TRUE(fSequence->IsFinished());
        EXPECT_EQ(fProbe.With("sequence"), (Journal{"sequence end"}));
        VoEventManager::GetInstance()->ClearEvents();
        fGame.At(fGame.Now() + 0.05);
    }
}

TEST_F(MGInterviewSequenceTest, TwoCreatesPlayAsOneSequenceOnOneClock) {
    Create("sounds=a\nsoundtimes=0\nsubtitles\n" + Subtitle(0, "main", "one", "replace") + "subtitletimes=0\n",
           "evt_first");
    Create("sounds=b\nsoundtimes=1\nsubtitles\n" + Subtitle(0, "main", "two", "replace") + "subtitletimes=4\n",
           "evt_second");
    EXPECT_EQ(fSequence->GetSoundCount(), 2);
    EXPECT_EQ(fSequence->GetSubtitleCount(), 2);
    fSequence->Play(&fProbe);
    fGame.At(0.0);
    EXPECT_EQ(MainLine(), "The first line.");
    fGame.At(2.0);
    InterviewGame::EndSound("a");
    fGame.At(2.05);
    EXPECT_NE(InterviewGame::Sound("b"), nullptr);
    fGame.At(4.0);
    EXPECT_EQ(MainLine(), "The second line.");
    InterviewGame::EndSound("b");
    // The done event is the last Create's.
    EXPECT_EQ(fProbe.With("event"), (Journal{"event evt_second"}));
}

TEST_F(MGInterviewSequenceTest, MissingKeysAreAssertedAndWhatWasReadPlays) {
    LogCapture log;
    Create("sounds=a|b\nsubtitles\n\t0\n\t\tsubtitle=nothere\nsubtitletimes=0\n");
    for (const char* message : {MGInterviewSequence::kNoSoundTimes, MGInterviewSequence::kNoFont,
                                MGInterviewSequence::kNoType, "GetSubtitle failure. 'nothere' not found."}) {
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", message)) << message;
    }
    EXPECT_FALSE(log.Logged("ASSERT FAILURE: ", MGInterviewSequence::kNoSubtitles));
    // Sounds without times are never played.
    EXPECT_EQ(fSequence->GetSoundCount(), 0);
    EXPECT_EQ(fSequence->GetSubtitleCount(), 1);
    log.Clear();
    Create("noskip=1\n");
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewSequence::kNoSubtitles));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", MGInterviewSequence::kNoSubtitleTimes));
    EXPECT_TRUE(fSequence->IsNoSkip());
    log.Clear();
    MGInterviewSequence lone;
    lone.Create(VoString(u""), nullptr, nullptr);
    lone.Play(nullptr);
    EXPECT_EQ(log.Count(MGInterviewSequence::kNullArg), 2);
    fGame.At(0.1);
    EXPECT_TRUE(lone.IsFinished());
}

TEST_F(MGInterviewSequenceTest, TheListenerMayDeleteTheSequenceWhenItEnds) {
    // Told of the end, it deletes the sequence at once.
    class Deleter : public MGISequenceListener {
    public:
        void OnSequenceEnd() override {
            delete fpSequence;
            fpSequence = nullptr;
        }
        MGInterviewSequence* fpSequence = nullptr;
    };
    struct Case {
        const char* node;
        const char* end;  // "sound", "skip" or "frame"
    };
    const Case cases[] = {{"sounds=a\nsoundtimes=0\n", "sound"},
                          {"sounds=a\nsoundtimes=0\nviewpoints=c\nviewpointtimes=0\n", "skip"},
                          {"subtitles\n\t0\n\t\tfont=main\n\t\tsubtitle=one\n\t\ttype=replace\nsubtitletimes=0\n",
                           "frame"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        Deleter deleter;
        std::unique_ptr<VoPropertyList> node(InterviewGame::Parse(c.node));
        deleter.fpSequence = new MGInterviewSequence();
        deleter.fpSequence->Create(VoString(u"evt_deleted"), node.get(), fInterview);
        deleter.fpSequence->Play(&deleter);
        fGame.At(fGame.Now() + 0.05);
        if (std::string(c.end) == "sound") {
            InterviewGame::EndSound("a");
        } else if (std::string(c.end) == "skip") {
            Key(MGInterviewSequence::kSkipKey);
        } else {
            fGame.At(fGame.Now() + 0.05);
        }
        EXPECT_EQ(deleter.fpSequence, nullptr);
        EXPECT_TRUE(InterviewGame::HasEvent("evt_deleted"));
        VoEventManager::GetInstance()->ClearEvents();
        fGame.At(fGame.Now() + 0.05);
    }
}

TEST_F(MGInterviewSequenceTest, TheVoiceIsPlayedAtTheOptionsVolumeFromThePlayersName) {
    MGOptions::GetInstance()->SetVolume(0.25f);
    Play("sounds=a\nsoundtimes=0\n");
    fGame.At(0.0);
    stubs::SoundPlayer* player = InterviewGame::Sound("a");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->fName, "sequenceSound");
    EXPECT_EQ(player->fVolume, 0.25f);
    EXPECT_EQ(player->fPlays, 1);
    EXPECT_EQ(MGSubtitle::GetInstance()->GetPosition(), VoVector2(0.0f, 500.0f));
}
