#include "puzzles/painting/MGPaintingPuzzle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "event/VoEventManager.h"
#include "game/support/PuzzleGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleCloser.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/PlatformTestFolder.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGGameReset.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class MGPaintingPuzzleTest : public ::testing::Test {
protected:
    void Open() { fGame.Open(MGPaintingPuzzle::kActivationState); }
    bool IsOpen() const { return fGame.Screens()->FindScreen(fPuzzle) >= 0; }
    VoDisplayGroup* Root() const { return fPuzzle->GetRootGroup(); }

    // A click on the hole: the handle is set there, turning about the click.
    void SetInto(int aHole) const {
        VoString path(u"painting_buttons.hole");
        path.Append(aHole);
        ASSERT_TRUE(PuzzleGame::ClickMember(Root(), TextOf(path).c_str()));
        ASSERT_TRUE(fPuzzle->IsHandleSet());
        ASSERT_EQ(fPuzzle->GetCurrentHole(), path);
    }
    // The pointer where the handle's rotation is aDegrees.
    void TurnTo(float aDegrees) const {
        const double angle = (aDegrees - MGPaintingPuzzle::kAngleOffset) * kPi / 180.0;
        const VoVector2& centre = fPuzzle->GetTurningCentre();
        PuzzleGame::MoveTo(static_cast<float>(centre.x + 120.0 * std::cos(angle)),
                           static_cast<float>(centre.y - 120.0 * std::sin(angle)));
    }
    // A press and release far from every button.
    static void PressAway() { PuzzleGame::Click(700.0f, 30.0f); }

    static VoString StringState(const char16_t* apId) {
        VoIState* state = VoStateManager::GetInstance()->GetState(VoString(apId));
        const auto* text = state != nullptr && state->GetType() == VoIState::kString
                               ? static_cast<const VoString*>(state->GetValue())
                               : nullptr;
        return text != nullptr ? *text : VoString(u"(none)");
    }
    static void SetString(const char16_t* apId, const char16_t* apValue) {
        VoStateManager::GetInstance()->SetState(VoString(apId), VoString(u"string"), VoString(apValue), true);
    }
    static bool HasPhoto() {
        return MGPDA::GetInstance()->GetInventoryPanel()->HasItem(VoString(MGPaintingPuzzle::kPhotoItem));
    }

    PuzzleGame fGame;
    MGPaintingPuzzle* fPuzzle = MGPaintingPuzzle::GetInstance();
};

}  // namespace

TEST_F(MGPaintingPuzzleTest, TheRotationIsTheMouseAngleAboutTheCentrePlus130) {
    const VoVector2 centre(400.0f, 300.0f);
    const struct {
        VoVector2 fMouse;
        float fRotation;
    } cases[] = {{{500.0f, 300.0f}, 130.0f},
                 {{400.0f, 200.0f}, 220.0f},
                 {{300.0f, 300.0f}, 310.0f},
                 {{400.0f, 400.0f}, 40.0f},
                 {{300.0f, 400.0f}, -5.0f}};
    for (const auto& entry : cases) {
        EXPECT_NEAR(MGPaintingPuzzle::RotationFor(centre, entry.fMouse), entry.fRotation, 1e-4f)
            << entry.fMouse.x << ", " << entry.fMouse.y;
    }

    Open();
    // Free, the handle hangs on the pointer; set, it turns.
    PuzzleGame::MoveTo(250.0f, 260.0f);
    EXPECT_EQ(fPuzzle->GetHandle()->GetPosition(), VoVector2(250.0f, 260.0f));
    EXPECT_EQ(fPuzzle->GetHandle()->GetCenter(), VoVector2(101.0f, 29.0f));
    SetInto(3);
    VoVector2 hole;
    Root()->GetMember(VoString(u"painting_buttons.hole3"))->GetWorldPosition(hole);
    EXPECT_EQ(fPuzzle->GetHandle()->GetPosition(), hole + VoVector2(7.0f, 11.0f));
    EXPECT_TRUE(fPuzzle->GetHandle()->GetVisible());
    const VoVector2 centreNow = fPuzzle->GetTurningCentre();
    PuzzleGame::MoveTo(centreNow.x, centreNow.y - 50.0f);
    EXPECT_NEAR(fPuzzle->GetHandle()->GetRotation(), 220.0f, 1e-4f);
    EXPECT_EQ(fPuzzle->GetHandle()->GetPosition(), hole + VoVector2(7.0f, 11.0f));
}

TEST_F(MGPaintingPuzzleTest, OnlyHole6NearZeroAndHole11NearHalfATurnOpenThePainting) {
    const struct {
        int fHole;
        float fRotation;
        bool fOpens;
    } cases[] = {{6, 4.9f, true},     {6, -4.9f, true},    {6, 0.0f, true},    {6, 5.0f, false},
                 {6, -5.0f, false},   {6, 180.0f, false},  {11, 175.1f, true}, {11, 184.9f, true},
                 {11, 175.0f, false}, {11, 185.0f, false}, {11, 0.0f, false},  {5, 0.0f, false},
                 {12, 180.0f, false}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << "hole" << entry.fHole << " at " << entry.fRotation);
        VoString hole(u"painting_buttons.hole");
        hole.Append(entry.fHole);
        EXPECT_EQ(MGPaintingPuzzle::Opens(hole, entry.fRotation), entry.fOpens);
    }
}

TEST_F(MGPaintingPuzzleTest, APressWithTheHandleInPlaceOpensThePaintingUnderItsMovie) {
    Open();
    SetInto(11);
    TurnTo(180.0f);
    // The press is made where the pointer already is.
    VoMouse::GetInstance()->ButtonDown(1);
    ASSERT_TRUE(fPuzzle->IsSolved());
    EXPECT_EQ(TextOf(StringState(MGPaintingPuzzle::kResultState)), u"solved");
    EXPECT_TRUE(MGPaintingPuzzle::WasOpened());
    VoMouse::GetInstance()->ButtonUp(1);

    fGame.Frame();
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    ASSERT_EQ(player->GetQueue().GetCount(), 1);
    EXPECT_EQ(Narrow(player->GetQueue().GetAt(0)), "Painting_Opening.bik");
    EXPECT_EQ(Narrow(player->GetTargetScene()), "case01/castillosecretapt");
    EXPECT_EQ(Narrow(player->GetTargetViewpoint()), "vp_bedroom");
    EXPECT_EQ(Narrow(player->GetDoneStates().GetAt(0)), "sta_cu_1cs08_visible");
    fGame.Settle();
    // The movie's screen went over the puzzle, which left by the screen's calls.
    EXPECT_EQ(PuzzleGame::Top(), static_cast<MGIScreen*>(player));
    EXPECT_EQ(Root(), nullptr);
    EXPECT_FALSE(
        VoStateManager::GetInstance()->GetState(VoString(MGPaintingPuzzle::kActivationState))->GetBoolean());
    // No solved event of its own.
    EXPECT_FALSE(PuzzleGame::HasEvent(u"evt_paintingpuzzle_solved"));
}

TEST_F(MGPaintingPuzzleTest, AReleaseOverAButtonKeepsTheHandleSetAndElsewhereFreesIt) {
    Open();
    SetInto(2);
    TurnTo(90.0f);
    // Over another hole and over the back button the handle stays.
    for (const char16_t* over : {u"painting_buttons.hole7", u"back_btn"}) {
        float x = 0.0f;
        float y = 0.0f;
        PuzzleGame::CentreOf(Root()->GetMember(VoString(over)), &x, &y);
        PuzzleGame::MoveTo(x, y);
        ASSERT_TRUE(fPuzzle->IsOverButton()) << Narrow(VoString(over));
        VoMouse::GetInstance()->ButtonDown(2);
        VoMouse::GetInstance()->ButtonUp(2);
        EXPECT_TRUE(fPuzzle->IsHandleSet()) << Narrow(VoString(over));
    }
    PuzzleGame::MoveTo(700.0f, 30.0f);
    EXPECT_FALSE(fPuzzle->IsOverButton());
    fPuzzle->GetHandle()->SetRotation(33.0f);
    PressAway();
    EXPECT_FALSE(fPuzzle->IsHandleSet());
    EXPECT_EQ(fPuzzle->GetCurrentHole().GetLength(), 0);
    EXPECT_EQ(fPuzzle->GetHandle()->GetRotation(), 0.0f);
}

TEST_F(MGPaintingPuzzleTest, TheHandleStateOutlivesAClose) {
    Open();
    SetInto(6);
    const VoVector2 centre = fPuzzle->GetTurningCentre();
    ASSERT_TRUE(PuzzleGame::ClickMember(Root(), u"back_btn"));
    fGame.Settle();
    ASSERT_FALSE(IsOpen());
    Open();
    EXPECT_TRUE(fPuzzle->IsHandleSet());
    EXPECT_EQ(TextOf(fPuzzle->GetCurrentHole()), u"painting_buttons.hole6");
    EXPECT_EQ(fPuzzle->GetTurningCentre(), centre);
    // The handle itself is built anew from the layout.
    EXPECT_EQ(fPuzzle->GetHandle()->GetRotation(), 0.0f);
}

TEST_F(MGPaintingPuzzleTest, ThePhotoStateGivesTheItemOpenOrNotButNotOnceThePaintingWasOpened) {
    SetString(MGPaintingPuzzle::kPhotoState, u"on");
    EXPECT_FALSE(HasPhoto());
    SetString(MGPaintingPuzzle::kPhotoState, u"off");
    EXPECT_TRUE(HasPhoto());
}

TEST_F(MGPaintingPuzzleTest, OnceOpenedThePaintingIgnoresItsStatesUntilANewGame) {
    Open();
    SetInto(6);
    TurnTo(0.0f);
    VoMouse::GetInstance()->ButtonDown(1);
    VoMouse::GetInstance()->ButtonUp(1);
    ASSERT_TRUE(fPuzzle->IsSolved());
    // Left without its movie.
    MGPuzzleCloser::GetInstance()->Cancel(fPuzzle);
    ASSERT_TRUE(PuzzleGame::ClickMember(Root(), u"back_btn"));
    fGame.Settle();
    ASSERT_FALSE(IsOpen());

    SetString(MGPaintingPuzzle::kPhotoState, u"off");
    EXPECT_FALSE(HasPhoto());
    Open();
    EXPECT_FALSE(IsOpen());

    // A new game: the states and events go, the notice tells the puzzles.
    VoStateManager::GetInstance()->ClearStates();
    VoEventManager::GetInstance()->ClearEvents();
    MGGameReset::GetInstance()->Notify();
    Open();
    ASSERT_TRUE(IsOpen());
    EXPECT_FALSE(fPuzzle->IsSolved());
    EXPECT_FALSE(fPuzzle->IsHandleSet());
    SetInto(11);
    TurnTo(180.0f);
    VoMouse::GetInstance()->ButtonDown(1);
    EXPECT_TRUE(fPuzzle->IsSolved());
    VoMouse::GetInstance()->ButtonUp(1);
}

TEST_F(MGPaintingPuzzleTest, BackReturnsStraightToTheSceneOrWithoutOneOnlyPops) {
    // Without a scene: only the puzzle goes.
    RecordingScreen closeUp("closeup", &fGame.fJournal);
    fGame.Screens()->PushScreen(&closeUp);
    Open();
    ASSERT_TRUE(PuzzleGame::ClickMember(Root(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), &closeUp);
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), 2);
    // Every close sets the activation state back.
    EXPECT_FALSE(
        VoStateManager::GetInstance()->GetState(VoString(MGPaintingPuzzle::kActivationState))->GetBoolean());

    // With one: everything between goes too.
    PlatformTestFolder scenes;
    scenes.Write("test/gallery/scene.txt", "defaultviewpoint=vp_wall\n");
    scenes.Write("test/gallery/lights_low.txt", "sun\n\ttype=directional\n\tglobal=true\n\ton=true\n");
    ASSERT_TRUE(
        VoIFileSystem::GetInstance()->Mount(VoString(u"//scenes"), PlatformTestFolder::Wide(scenes.Files())));
    fGame.Screens()->Clear();
    fGame.Screens()->PushScreen(&fGame.fScene);
    ASSERT_TRUE(MGSceneManager::GetInstance()->LoadScene(VoString(u"test/gallery"), false, true));
    MGIScreen* scene = MGSceneManager::GetInstance()->GetScene();
    ASSERT_NE(scene, nullptr);
    ASSERT_EQ(PuzzleGame::Top(), scene);
    fGame.Screens()->PushScreen(&closeUp);
    Open();
    ASSERT_TRUE(PuzzleGame::ClickMember(Root(), u"back_btn"));
    fGame.Settle();
    EXPECT_EQ(PuzzleGame::Top(), scene);
    EXPECT_EQ(fGame.Screens()->GetScreenCount(), 1);
    EXPECT_EQ(Root(), nullptr);
}

TEST_F(MGPaintingPuzzleTest, AHintStillPlayingAfterACloseEndsByItself) {
    Open();
    stubs::SoundPlayer* hint = PuzzleGame::Sound("hintAudio");
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->fPath, "//sounds/2ls02_rg.ogg");
    // The back button's id in any case.
    fPuzzle->OnButtonEvent(VoString(u"BACK_BTN"), VoIButtonListener::kClick);
    fGame.Settle();
    ASSERT_FALSE(IsOpen());
    EXPECT_TRUE(fPuzzle->GetVoice().IsPlaying());
    EXPECT_TRUE(PuzzleGame::EndSound("hintAudio"));
    EXPECT_FALSE(fPuzzle->GetVoice().IsPlaying());
    EXPECT_EQ(PuzzleGame::LiveSounds(), 0);
}
