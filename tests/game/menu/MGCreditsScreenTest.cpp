#include "menu/MGCreditsScreen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../ScreenProbes.h"
#include "MGScreenManager.h"
#include "MenuGame.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"

namespace {

VoIFont* Font() {
    return VoFontManager::GetInstance()->GetFont(VoString(u"frizquadrata24"));
}

// The credits screen over a screen below (the main menu's place).
class MGCreditsScreenTest : public ::testing::Test {
protected:
    MGCreditsScreenTest() { fScreens->PushScreen(&fBelow); }

    // "//textures" moved to the scratch folder, with this credits file.
    void UseCredits(const std::string& aText) {
        fGame.fFolder.Write("textures/menu/credits.txt", aText);
        ASSERT_TRUE(VoIFileSystem::GetInstance()->Mount(
            VoString(u"//textures"), PlatformTestFolder::Wide(fGame.fFolder.Path("textures"))));
    }
    // Pushes the screen and runs frames up to the one that enters it.
    void Enter() {
        ASSERT_TRUE(fScreens->PushFade(fScreen));
        for (int i = 0; i < 40 && fScreen->GetRoot() == nullptr; ++i) {
            fGame.RunFrames(0.05);
        }
        ASSERT_NE(fScreen->GetRoot(), nullptr);
        ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    }
    VoIDisplayObject* Member(const std::string& aPath) const {
        return fScreen->GetRoot()->GetMember(VoString(aPath.c_str()));
    }
    bool Shown(const std::string& aPath) const { return Member(aPath)->GetVisible(); }
    // Frames until the next change has faded in.
    void NextChange() {
        const int picture = fScreen->GetCurrentPicture();
        const int page = fScreen->GetCurrentPage();
        for (int i = 0; i < 400 && (fScreen->IsCrossFading() || (fScreen->GetCurrentPicture() == picture &&
                                                                 fScreen->GetCurrentPage() == page));
             ++i) {
            fGame.RunFrames(0.05);
        }
        while (fScreen->IsCrossFading()) {
            fGame.RunFrames(0.05);
        }
    }

    MenuGame fGame;
    ScreenJournal fJournal;
    RecordingScreen fBelow{"menu", &fJournal};
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGCreditsScreen* fScreen = MGCreditsScreen::GetInstance();
};

}  // namespace

TEST_F(MGCreditsScreenTest, IsBuiltOverBlackWithThePicturesAndPagesHiddenAndItsMusic) {
    Enter();
    EXPECT_EQ(Narrow(fScreen->GetRoot()->GetId()), "credits_screen");
    auto* black = dynamic_cast<VoSRectangle*>(Member("black_bg"));
    ASSERT_NE(black, nullptr);
    EXPECT_EQ(black->GetRelativeZ(), -100.0f);
    EXPECT_EQ(fScreen->GetPictureCount(), 3);
    EXPECT_EQ(fScreen->GetPageCount(), 2);
    for (int i = 0; i < 3; ++i) {
        auto* picture = dynamic_cast<VoSprite*>(Member("credits_sprite_" + std::to_string(i)));
        ASSERT_NE(picture, nullptr);
        EXPECT_NE(picture->GetTexture(), 0u);
    }
    EXPECT_EQ(Member("screen_0")->GetRelativeZ(), 10.0f);
    stubs::SoundPlayer* music = stubs::SoundPlayer::Find("credits");
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->fPath, "//dataroot/sounds/Credits.ogg");
    EXPECT_EQ(music->fPlays, 1);
}

TEST_F(MGCreditsScreenTest, PicturesAndPagesCrossFadeTogetherEachInItsOwnCycle) {
    Enter();
    const double entered = fGame.Now();
    // Nothing for the first second.
    fGame.RunFrames(0.95);
    EXPECT_EQ(fScreen->GetCurrentPicture(), -1);
    EXPECT_FALSE(Shown("credits_sprite_0"));
    fGame.RunFrames(0.1);
    EXPECT_TRUE(fScreen->IsCrossFading());
    EXPECT_EQ(fScreen->GetCurrentPicture(), 0);
    EXPECT_EQ(fScreen->GetCurrentPage(), 0);
    EXPECT_TRUE(Shown("credits_sprite_0"));
    EXPECT_TRUE(Shown("screen_0"));
    EXPECT_LT(Member("screen_0")->GetBlend(), 1.0f);
    // About twenty steps of 0.05, one a frame.
    fGame.RunFrames(1.05);
    EXPECT_FALSE(fScreen->IsCrossFading());
    EXPECT_EQ(Member("credits_sprite_0")->GetBlend(), 1.0f);
    const double faded = fGame.Now();
    // Five seconds later the next.
    fGame.RunFrames(4.9);
    EXPECT_EQ(fScreen->GetCurrentPicture(), 0);
    NextChange();
    EXPECT_EQ(fScreen->GetCurrentPicture(), 1);
    EXPECT_EQ(fScreen->GetCurrentPage(), 1);
    EXPECT_FALSE(Shown("credits_sprite_0"));
    EXPECT_FALSE(Shown("screen_0"));
    EXPECT_GT(faded - entered, 1.0);
    NextChange();
    EXPECT_EQ(fScreen->GetCurrentPicture(), 2);
    EXPECT_EQ(fScreen->GetCurrentPage(), 0);
    NextChange();
    EXPECT_EQ(fScreen->GetCurrentPicture(), 0);
    EXPECT_EQ(fScreen->GetCurrentPage(), 1);
    EXPECT_TRUE(Shown("credits_sprite_0"));
    EXPECT_TRUE(Shown("screen_1"));
    EXPECT_FALSE(Shown("credits_sprite_2"));
}

TEST_F(MGCreditsScreenTest, LinesAreCentredAndThePageSitsInTheMiddle) {
    const std::string wide(60, 'W');
    UseCredits(
        "credits\n\timages\n\t\tone\n\t\t\tfile=missing.tga\n"
        "\tscreens\n\t\tpage\n\t\t\tentries\n"
        "\t\t\t\tfirst\n\t\t\t\t\ta=Short\n\t\t\t\t\tb=" +
        wide +
        "\n"
        "\t\t\t\tsecond\n\t\t\t\t\tc=Last\n");
    Enter();
    VoIDisplayObject* page = Member("screen_0");
    ASSERT_NE(page, nullptr);
    auto* first = dynamic_cast<VoTextArea*>(Member("screen_0.id_0_0"));
    auto* second = dynamic_cast<VoTextArea*>(Member("screen_0.id_0_1"));
    auto* third = dynamic_cast<VoTextArea*>(Member("screen_0.id_1_0"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(third, nullptr);
    const auto x = [](const char* apText) {
        return static_cast<float>(
            (800 - static_cast<int>(std::trunc(Font()->GetTextWidth(VoString(apText))))) / 2);
    };
    EXPECT_EQ(first->GetPosition(), VoVector2(x("Short"), 0.0f));
    const float line = first->GetLineHeight();
    EXPECT_EQ(second->GetPosition(), VoVector2(x(wide.c_str()), line));
    EXPECT_LT(second->GetPosition().x, 0.0f);
    EXPECT_EQ(third->GetPosition(), VoVector2(x("Last"), 2 * line + 30.0f));
    const float height = 3 * line + 60.0f;
    EXPECT_EQ(page->GetPosition(), VoVector2(0.0f, static_cast<float>((600 - static_cast<int>(height)) / 2)));
    // A picture that cannot be read leaves a sprite without one.
    auto* picture = dynamic_cast<VoSprite*>(Member("credits_sprite_0"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetTexture(), 0u);
}

TEST_F(MGCreditsScreenTest, AnEmptyCycleIsLeftOutAndOneOfOneEntryStays) {
    struct Case {
        const char* what;
        const char* file;
        int pictures, pages;
    };
    const Case cases[] = {
        {"no pictures",
         "credits\n\tscreens\n\t\tp\n\t\t\tentries\n\t\t\t\ta\n\t\t\t\t\tl=A\n"
         "\t\tq\n\t\t\tentries\n\t\t\t\tb\n\t\t\t\t\tl=B\n",
         0, 2},
        {"no pages", "credits\n\timages\n\t\ta\n\t\t\tfile=a.tga\n\t\tb\n\t\t\tfile=b.tga\n", 2, 0},
        {"nothing", "credits\n", 0, 0},
        {"one of each",
         "credits\n\timages\n\t\ta\n\t\t\tfile=a.tga\n"
         "\tscreens\n\t\tp\n\t\t\tentries\n\t\t\t\ta\n\t\t\t\t\tl=A\n",
         1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        UseCredits(c.file);
        Enter();
        EXPECT_EQ(fScreen->GetPictureCount(), c.pictures);
        EXPECT_EQ(fScreen->GetPageCount(), c.pages);
        for (int change = 0; change < 4; ++change) {
            NextChange();
            EXPECT_EQ(fScreen->GetCurrentPicture(), c.pictures == 0 ? -1 : change % c.pictures);
            EXPECT_EQ(fScreen->GetCurrentPage(), c.pages == 0 ? -1 : change % c.pages);
            if (c.pictures == 1) {
                EXPECT_TRUE(Shown("credits_sprite_0"));
                EXPECT_EQ(Member("credits_sprite_0")->GetBlend(), 1.0f);
            }
        }
        MenuGame::Type(30);
        fGame.RunFrames(1.0);
        ASSERT_EQ(fScreens->GetTopScreen(), &fBelow);
    }
}

TEST_F(MGCreditsScreenTest, AnyKeyLeavesOnceTheStackTakesThePop) {
    Enter();
    fGame.RunFrames(1.5);
    ASSERT_TRUE(fScreen->IsCrossFading());
    // While another fade runs the key is ignored, and the next one counts.
    RecordingScreen other("other", &fJournal);
    ASSERT_TRUE(fScreens->PushFade(&other));
    MenuGame::Type(30);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &other);
    MGIScreen* popped = nullptr;
    ASSERT_TRUE(fScreens->PopFade(&popped));
    fGame.RunFrames(1.0);
    ASSERT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(fScreen));
    MenuGame::Type(1);
    fGame.RunFrames(1.0);
    EXPECT_EQ(fScreens->GetTopScreen(), &fBelow);
    EXPECT_EQ(fScreen->GetRoot(), nullptr);
    EXPECT_EQ(stubs::SoundPlayer::Find("credits"), nullptr);
}
