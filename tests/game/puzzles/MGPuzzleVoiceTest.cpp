#include "puzzles/MGPuzzleVoice.h"

#include <gtest/gtest.h>

#include "game/support/PuzzleGame.h"
#include "gdi/VoTextArea.h"
#include "interview/MGSubtitle.h"
#include "support/TestText.h"
#include "util/MGOptions.h"

namespace {

// Lines of the sample subtitle file, and one it does not have.
constexpr const char16_t* kLine = u"hi02_rg";
constexpr const char16_t* kOtherLine = u"1cn05_rg";
constexpr const char16_t* kSilentLine = u"no_such_line";

class MGPuzzleVoiceTest : public ::testing::Test {
protected:
    static MGSubtitle* Subtitle() { return MGSubtitle::PeekInstance(); }
    static std::string ShownText() {
        MGSubtitle* subtitle = Subtitle();
        return subtitle != nullptr && subtitle->GetMainText() != nullptr ? Narrow(subtitle->GetMainText()->GetText())
                                                                     : "";
    }
    static std::string TextOfLine(const char16_t* apLine) {
        VoString text;
        MGPuzzleVoice::FindSubtitle(VoString(apLine), &text);
        return Narrow(text);
    }

    PuzzleGame fGame;
    MGPuzzleVoice fVoice;
};

}  // namespace

TEST_F(MGPuzzleVoiceTest, ALinePlaysItsStreamWithItsSubtitleAtTheOptionsVolume) {
    MGOptions::GetInstance()->SetVolume(0.25f);
    ASSERT_TRUE(fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr));
    stubs::SoundPlayer* player = PuzzleGame::Sound("hintAudio");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->fPath, "//sounds/hi02_rg.ogg");
    EXPECT_TRUE(player->fPlays > 0);
    EXPECT_EQ(player->fVolume, 0.25f);
    EXPECT_FALSE(TextOfLine(kLine).empty());
    EXPECT_EQ(ShownText(), TextOfLine(kLine));
    EXPECT_TRUE(Subtitle()->IsShown());
}

TEST_F(MGPuzzleVoiceTest, ANewLineStopsTheOneThatPlays) {
    fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr);
    fVoice.PlayLine(VoString(kOtherLine), u"solvedAudio", nullptr);
    EXPECT_EQ(PuzzleGame::LiveSounds(), 1);
    EXPECT_EQ(PuzzleGame::Sound("hintAudio"), nullptr);
    EXPECT_EQ(ShownText(), TextOfLine(kOtherLine));
    EXPECT_TRUE(Subtitle()->IsShown());
}

TEST_F(MGPuzzleVoiceTest, ALineStoppedOrReplacedBySoundHidesTheSubtitleItShowed) {
    fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr);
    fVoice.Stop();
    EXPECT_FALSE(Subtitle()->IsShown());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);

    fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr);
    fVoice.PlaySound(u"slide", VoString(u"//sounds/slide.wav"), nullptr);
    EXPECT_FALSE(Subtitle()->IsShown());
    EXPECT_EQ(PuzzleGame::Sound("slide")->fPath, "//sounds/slide.wav");
}

TEST_F(MGPuzzleVoiceTest, ALineWithoutTextLeavesAnotherCallersSubtitleAlone) {
    MGSubtitle* subtitle = MGSubtitle::GetInstance();
    subtitle->SetText(VoString(u"Someone else speaks."), nullptr);
    subtitle->Show();
    ASSERT_TRUE(fVoice.PlayLine(VoString(kSilentLine), u"hintAudio", nullptr));
    fVoice.Stop();
    EXPECT_TRUE(subtitle->IsShown());
    EXPECT_EQ(ShownText(), "Someone else speaks.");
}

TEST_F(MGPuzzleVoiceTest, WithSubtitlesOffTheLinePlaysAlone) {
    MGOptions::GetInstance()->SetOption(MGSubtitle::kSubtitlesOffOption, 1);
    ASSERT_TRUE(fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr));
    EXPECT_FALSE(fVoice.ShowsSubtitle());
    EXPECT_FALSE(Subtitle()->IsShown());
    EXPECT_TRUE(PuzzleGame::Sound("hintAudio")->fPlays > 0);
}

TEST_F(MGPuzzleVoiceTest, AStreamThatCannotBeMadeLeavesNothingPlaying) {
    fVoice.PlayLine(VoString(kLine), u"hintAudio", nullptr);
    stubs::Missing().insert("//sounds/1cn05_rg.ogg");
    EXPECT_FALSE(fVoice.PlayLine(VoString(kOtherLine), u"solvedAudio", nullptr));
    EXPECT_FALSE(fVoice.IsPlaying());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
    EXPECT_FALSE(Subtitle()->IsShown());
}
