#include "scene/MGPlacard.h"

#include <gtest/gtest.h>

#include <string>

#include "../ScreenProbes.h"
#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "game/support/SceneGame.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "pda/MGPDAMinimized.h"
#include "render/VoTextureManager.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "support/LogCapture.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"

namespace {

constexpr const char* kChimePath = "//dataroot/sounds/ching-ching.ogg";
const std::string kWide(60, 'W');

float WidthOf(const char* apText) {
    return VoFontManager::GetInstance()->GetFont(VoString(u"frizquadrata24"))->GetTextWidth(VoString(apText));
}

class MGPlacardTest : public ::testing::Test {
protected:
    MGPlacardTest() {
        fGame.WriteScene("case1/office", "vp_desk");
        fGame.WriteScene("case1/bare", "vp_wall");
        fGame.WritePlacards(
            "case1/office\n"
            "\tlocation=Harbour Police|Precinct 9|Detectives\n"
            "\taddress=12 Quay Road|Port Kestrel\n"
            "case1/bare\n"
            "\tnote=nothing to show\n"
            "case1/lost\n"
            "\tlocation=Nowhere\n"
            "case1/wide\n"
            "\tlocation=" + kWide + "\n");
        fGame.WriteScene("case1/wide", "vp_wall");
        // Read once, at the placard's creation.
        fPlacard = MGPlacard::GetInstance();
        // A screen below, as a menu or another scene stands there.
        fScreens->PushScreen(&fMenu);
    }

    // Loads the scene through the placard, up to the card with its chime.
    void ShowCard(const char16_t* apId) {
        ASSERT_TRUE(fManager->LoadScene(VoString(apId), false, false));
        fGame.RunFrames(1.0);
        ASSERT_NE(fPlacard->GetGroup(), nullptr);
    }

    SceneGame fGame;
    ScreenJournal fJournal;
    RecordingScreen fMenu{"menu", &fJournal};
    MGSceneManager* fManager = MGSceneManager::GetInstance();
    MGScreenManager* fScreens = MGScreenManager::GetInstance();
    MGPlacard* fPlacard = nullptr;
};

}  // namespace

TEST_F(MGPlacardTest, AnIdWithoutSectionIsNotShownAndChangesNothing) {
    EXPECT_FALSE(fPlacard->Show(VoString(u"case1/hall")));
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"case1/hall_placard")));
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_EQ(fPlacard->GetSceneId().GetLength(), 0);
}

TEST_F(MGPlacardTest, TheCardCentresItsLinesFrom390Down) {
    MGPDAMinimized::GetInstance()->Show();
    ShowCard(u"case1/office");
    EXPECT_FALSE(MGPDAMinimized::GetInstance()->IsShown());
    VoDisplayGroup* card = fPlacard->GetGroup();
    EXPECT_EQ(Narrow(card->GetId()), "placard");
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"placard")), card);
    auto* background = dynamic_cast<VoSprite*>(card->GetMember(VoString(u"placard_bg")));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->GetTexture(), VoTextureManager::GetInstance()->GetHandle(VoString(u"black.tga")));
    EXPECT_NE(background->GetTexture(), 0u);
    VoVector2 scale;
    background->GetScale(scale);
    EXPECT_EQ(scale, VoVector2(25.0f, 19.0f));

    struct Line {
        const char* id;
        const char* text;
        float y;
    };
    const Line lines[] = {{"location0", "Harbour Police", 390.0f}, {"location1", "Precinct 9", 430.0f},
                          {"location2", "Detectives", 470.0f},     {"address0", "12 Quay Road", 510.0f},
                          {"address1", "Port Kestrel", 550.0f}};
    for (const Line& line : lines) {
        SCOPED_TRACE(line.id);
        auto* text = dynamic_cast<VoTextArea*>(card->GetMember(VoString(line.id)));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(Narrow(text->GetText()), line.text);
        EXPECT_EQ(text->GetPosition(), VoVector2((800.0f - WidthOf(line.text)) * 0.5f, line.y));
        EXPECT_EQ(text->GetRelativeZ(), 15.0f);
        EXPECT_EQ(text->GetWidth(), 600.0f);
        EXPECT_TRUE(text->GetWordWrap());
        EXPECT_EQ(text->GetFont(), VoFontManager::GetInstance()->GetFont(VoString(u"frizquadrata24")));
    }
    EXPECT_EQ(card->GetMemberCount(), 6);
}

TEST_F(MGPlacardTest, AWideLineIsCentredOnItsWholeWidth) {
    ShowCard(u"case1/wide");
    auto* text = dynamic_cast<VoTextArea*>(fPlacard->GetGroup()->GetMember(VoString(u"location0")));
    ASSERT_NE(text, nullptr);
    EXPECT_GT(WidthOf(kWide.c_str()), 800.0f);
    EXPECT_LT(text->GetPosition().x, 0.0f);
    EXPECT_EQ(text->GetPosition().x, (800.0f - WidthOf(kWide.c_str())) * 0.5f);
}

TEST_F(MGPlacardTest, TheChimePlaysAtTheOptionsVolumeThenTheSceneFadesIn) {
    MGOptions::GetInstance()->SetVolume(0.25f);
    ShowCard(u"case1/office");
    EXPECT_EQ(fJournal, (ScreenJournal{"menu:begin", "menu:end"}));
    stubs::SoundPlayer* chime = stubs::SoundPlayer::Find("chingching");
    ASSERT_NE(chime, nullptr);
    EXPECT_EQ(chime->fPath, kChimePath);
    EXPECT_EQ(chime->fPlays, 1);
    EXPECT_EQ(chime->fVolume, 0.25f);
    // No scene until the chime has ended.
    EXPECT_EQ(fManager->GetScene(), nullptr);

    chime->End();
    EXPECT_TRUE(fPlacard->IsChimeDone());
    EXPECT_FALSE(MGCursor::GetInstance()->IsActive());
    fGame.RunFrames(0.05);
    EXPECT_EQ(stubs::SoundPlayer::Find("chingching"), nullptr);
    MGScene* scene = fManager->GetScene();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(Narrow(scene->GetSceneId()), "case1/office");
    // The stack was emptied without a call: the menu is gone, the scene
    // below the fading card.
    EXPECT_EQ(fScreens->FindScreen(&fMenu), -1);
    EXPECT_EQ(fScreens->GetScreenCount(), 1);
    EXPECT_NE(fPlacard->GetGroup(), nullptr);

    fGame.RunFrames(1.0);
    EXPECT_EQ(fPlacard->GetGroup(), nullptr);
    EXPECT_EQ(VoDisplayManager::GetInstance()->GetRootGroup()->GetMember(VoString(u"placard")), nullptr);
    EXPECT_TRUE(scene->IsEntered());
    EXPECT_EQ(fScreens->GetTopScreen(), static_cast<MGIScreen*>(scene));
    EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());
    EXPECT_TRUE(MGCursor::GetInstance()->IsActive());
    EXPECT_EQ(fJournal, (ScreenJournal{"menu:begin", "menu:end"}));
}

TEST_F(MGPlacardTest, ASectionWithoutLinesShowsABlackCardAndStillRings) {
    ShowCard(u"case1/bare");
    EXPECT_EQ(fPlacard->GetGroup()->GetMemberCount(), 1);
    EXPECT_EQ(fPlacard->GetLocationLines().GetCount(), 0);
    EXPECT_EQ(fPlacard->GetAddressLines().GetCount(), 0);
    stubs::SoundPlayer* chime = stubs::SoundPlayer::Find("chingching");
    ASSERT_NE(chime, nullptr);
    chime->End();
    fGame.RunFrames(1.0);
    ASSERT_NE(fManager->GetScene(), nullptr);
    EXPECT_TRUE(fManager->GetScene()->IsEntered());
}

TEST_F(MGPlacardTest, AChimeThatCannotBeMadeDoesNotKeepTheCardUp) {
    stubs::Missing().insert(kChimePath);
    ASSERT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
    fGame.RunFrames(2.0);
    ASSERT_NE(fManager->GetScene(), nullptr);
    EXPECT_TRUE(fManager->GetScene()->IsEntered());
    EXPECT_EQ(fPlacard->GetGroup(), nullptr);
    EXPECT_TRUE(MGScreenFader::GetInstance()->IsClear());
}

TEST_F(MGPlacardTest, ASceneThatFailsAfterTheChimeTakesTheCardAwayAndIsNotShownAgain) {
    ShowCard(u"case1/lost");
    LogCapture log;
    stubs::SoundPlayer::Find("chingching")->End();
    fGame.RunFrames(1.0);
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGPlacard::kLoadFailure) + "case1/lost"));
    EXPECT_EQ(fManager->GetScene(), nullptr);
    EXPECT_EQ(fPlacard->GetGroup(), nullptr);
    EXPECT_EQ(fScreens->GetScreenCount(), 0);
    EXPECT_TRUE(MGCursor::GetInstance()->IsActive());
    EXPECT_TRUE(VoEventManager::GetInstance()->HasEvent(VoString(u"case1/lost_placard")));

    // The next try goes straight to the load.
    EXPECT_FALSE(fManager->LoadScene(VoString(u"case1/lost"), false, false));
    EXPECT_EQ(stubs::SoundPlayer::Find("chingching"), nullptr);
}

TEST_F(MGPlacardTest, AFadeTheStackRefusesLeavesThePlacardDueAndTheSceneLoadsDirectly) {
    ScreenJournal journal;
    RecordingScreen other("other", &journal);
    // A switch under way: the stack refuses another fade.
    ASSERT_TRUE(fScreens->PushFade(&other));
    fGame.RunFrames(0.05);
    ASSERT_TRUE(fScreens->IsBusy());
    LogCapture log;
    EXPECT_FALSE(fPlacard->Show(VoString(u"case1/office")));
    EXPECT_TRUE(log.Logged("ERROR: ", std::string(MGPlacard::kPushFailure) + "case1/office"));
    EXPECT_FALSE(VoEventManager::GetInstance()->HasEvent(VoString(u"case1/office_placard")));

    EXPECT_TRUE(fManager->LoadScene(VoString(u"case1/office"), false, false));
    ASSERT_NE(fManager->GetScene(), nullptr);
    EXPECT_EQ(Narrow(fManager->GetScene()->GetSceneId()), "case1/office");
    fGame.RunFrames(1.0);
}

TEST(MGPlacardSampleTest, TheSamplePlacardsNameTheLobbyAndTheOffice) {
    SampleGame game;
    MGPlacard* placard = MGPlacard::GetInstance();
    ASSERT_NE(placard, nullptr);
    ScreenJournal journal;
    RecordingScreen menu("menu", &journal);
    double now = 0.0;
    for (const char16_t* id : {u"case01/lobby", u"case01/office"}) {
        MGScreenManager::GetInstance()->PushScreen(&menu);
        ASSERT_TRUE(placard->Show(VoString(id)));
        EXPECT_GE(placard->GetLocationLines().GetCount(), 1);
        EXPECT_GE(placard->GetAddressLines().GetCount(), 1);
        for (int i = 0; i < 20; ++i) {
            now += 0.05;
            RecordingGame::FrameAt(now);
        }
        ASSERT_NE(placard->GetGroup(), nullptr);
        EXPECT_NE(placard->GetGroup()->GetMember(VoString(u"location0")), nullptr);
        MGScreenManager::GetInstance()->Clear();
        placard->OnLeaveEnd();
    }
    EXPECT_EQ(Narrow(placard->GetLocationLines().GetAt(0)), "The Marlowe Hotel");
    EXPECT_NE(stubs::SoundPlayer::Find("chingching"), nullptr);
}
