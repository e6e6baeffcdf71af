#include "MGApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MGIScreen.h"
#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "game/support/RecordingGame.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "menu/MGCaseControl.h"
#include "menu/MGCaseSelection.h"
#include "menu/MGIntro.h"
#include "object/VoRestoreManager.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"
#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"
#include "puzzles/cigarband/MGCigarBandPuzzle.h"
#include "puzzles/combination/MGCombinationLockPuzzle.h"
#include "puzzles/crossword/MGCrossWordPuzzle.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"
#include "puzzles/harppuzzle/MGHarpPuzzle.h"
#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"
#include "puzzles/map_puzzle/MGMapPuzzle.h"
#include "puzzles/painting/MGPaintingPuzzle.h"
#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"
#include "puzzles/pobox/MGPOBoxPuzzle.h"
#include "puzzles/receipt/MGReceiptPuzzle.h"
#include "puzzles/roomservice/MGRoomServicePuzzle.h"
#include "puzzles/slidebox/MGSlideBoxPuzzle.h"
#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"
#include "puzzles/velmire/MGVelmirePuzzle.h"
#include "stdlib/VoAPIObject.h"
#include "support/LogCapture.h"
#include "support/TestText.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// Writes every mouse event: "move 799,599", "wheel 120", "down 1", "up 1".
class MouseRecorder : public VoIMouseListener {
public:
    void OnButtonDown(int aButton) override { fEvents.push_back("down " + std::to_string(aButton)); }
    void OnMouseMove(const VoVector2* apPosition) override {
        fEvents.push_back("move " + std::to_string(static_cast<int>(apPosition->x)) + "," +
                          std::to_string(static_cast<int>(apPosition->y)));
    }
    void OnButtonUp(int aButton) override { fEvents.push_back("up " + std::to_string(aButton)); }
    void OnWheel(float aDelta) override {
        fEvents.push_back("wheel " + std::to_string(static_cast<int>(aDelta)));
    }
    std::vector<std::string> fEvents;
};

class KeyRecorder : public VoIKeyboardListener {
public:
    void OnKeyDown(int aKey) override { fKeys.push_back("down " + std::to_string(aKey)); }
    void OnKeyUp(int aKey) override { fKeys.push_back("up " + std::to_string(aKey)); }
    std::vector<std::string> fKeys;
};

// Writes how many rasterizer calls the frame had made when it ran.
class FrameProbe : public VoIFrameListener {
public:
    explicit FrameProbe(RecordingRasterizer* apRasterizer) : fpRasterizer(apRasterizer) {}
    void OnUpdate() override { fCallsSeen.push_back(static_cast<int>(fpRasterizer->Calls().size())); }
    RecordingRasterizer* fpRasterizer;  // not owned
    std::vector<int> fCallsSeen;
};

class MGAppTest : public ::testing::Test {
protected:
    MGAppTest() {
        VoMouse::GetInstance()->AddListener(&fMouse, 0.0f);
        VoKeyboard::GetInstance()->AddListener(&fKeys, 0.0f);
    }
    ~MGAppTest() override {
        VoMouse::GetInstance()->RemoveListener(&fMouse);
        VoKeyboard::GetInstance()->RemoveListener(&fKeys);
    }

    // The class names of the game cleaner's instances, the first registered first.
    static std::vector<std::string> GameSingletons() {
        std::vector<std::string> names;
        MGCleaner* cleaner = MGCleaner::PeekInstance();
        for (int i = cleaner != nullptr ? cleaner->GetInstanceCount() - 1 : -1; i >= 0; --i) {
            const std::string text = Narrow(cleaner->GetInstanceAt(i)->ToString());
            names.push_back(text.substr(1, text.find(' ') - 1));
        }
        return names;
    }

    RecordingGame fGame;
    MouseRecorder fMouse;
    KeyRecorder fKeys;
    std::unique_ptr<MGApp> fApp{MGApp::GetInstance()};
};

}  // namespace

TEST_F(MGAppTest, MouseMovesAreKeptOnTheScreen) {
    ASSERT_NE(fApp, nullptr);
    EXPECT_EQ(MGApp::PeekInstance(), fApp.get());
    const float cases[][4] = {
        {800, 600, 799, 599}, {-3, 10, 0, 10}, {400, 300, 400, 300}, {-1, -1, 0, 0}, {1000, -50, 799, 0},
    };
    for (const auto& c : cases) {
        VoVector2 position(c[0], c[1]);
        EXPECT_TRUE(fApp->OnMouseMove(VoString(u"mouse"), &position));
        // In place, so the device goes on from the kept position.
        EXPECT_EQ(position, VoVector2(c[2], c[3]));
        VoVector2 seen;
        EXPECT_EQ(VoMouse::GetInstance()->GetPosition(seen), VoVector2(c[2], c[3]));
    }
    EXPECT_THAT(fMouse.fEvents,
                ElementsAre("move 799,599", "move 0,10", "move 400,300", "move 0,0", "move 799,0"));
}

// The first report's change is measured from 0.
TEST_F(MGAppTest, WheelPositionsBecomeChanges) {
    for (float at : {120.0f, 240.0f, 120.0f}) {
        VoVector2 wheel(0.0f, at);
        EXPECT_TRUE(fApp->OnMouseMove(VoString(u"wheel"), &wheel));
    }
    EXPECT_THAT(fMouse.fEvents, ElementsAre("wheel 120", "wheel 120", "wheel -120"));
}

TEST_F(MGAppTest, OnlyTheExactDeviceIdsReachTheMouse) {
    for (const char16_t* device : {u"Mouse", u"WHEEL", u"keyboard", u""}) {
        VoVector2 position(10.0f, 10.0f);
        fApp->OnMouseMove(VoString(device), &position);
        fApp->OnMouseDown(VoString(device), 1);
        fApp->OnMouseUp(VoString(device), 1);
    }
    EXPECT_THAT(fMouse.fEvents, IsEmpty());
    EXPECT_TRUE(fApp->OnMouseDown(VoString(u"mouse"), 1));
    EXPECT_TRUE(fApp->OnMouseUp(VoString(u"mouse"), 1));
    EXPECT_THAT(fMouse.fEvents, ElementsAre("down 1", "up 1"));
}

TEST_F(MGAppTest, KeysGoToTheEngineKeyboard) {
    EXPECT_TRUE(fApp->OnKeyDown(30));
    EXPECT_TRUE(VoKeyboard::GetInstance()->IsKeyDown(30));
    EXPECT_TRUE(fApp->OnKeyUp(30));
    EXPECT_THAT(fKeys.fKeys, ElementsAre("down 30", "up 30"));
}

TEST_F(MGAppTest, InitMakesTheGameInItsOrderAndFadesInTheIntro) {
    ASSERT_TRUE(RecordingGame::MountSampleTree());
    LogCapture log;
    RecordingRasterizer* rasterizer = fGame.Rasterizer();
    rasterizer->ClearCalls();
    EXPECT_TRUE(fApp->Init());

    // The scene manager comes with the application; the PDA's bar and the
    // subtitle box (for the phone's voice mail) with the PDA; the screen
    // fader with the screen manager, last.
    EXPECT_THAT(GameSingletons(), ElementsAreArray({"MGSceneManager",
                                                    "MGCursor",
                                                    "MGInterviewManager",
                                                    "MGPDAMinimized",
                                                    "MGPDA",
                                                    "MGSubtitle",
                                                    "MGProfilingComputer",
                                                    "MGCaseSelection",
                                                    "MGCigarBandPuzzle",
                                                    // The painting listens to the new-game
                                                    // notice, made for it.
                                                    "MGGameReset",
                                                    "MGPaintingPuzzle",
                                                    "MGCombinationLockPuzzle",
                                                    "MGSlideBoxPuzzle",
                                                    "MGFloorSafePuzzle",
                                                    "MGMapPuzzle",
                                                    "MGCrossWordPuzzle",
                                                    "MGReceiptPuzzle",
                                                    "MGDravoBoxPuzzle",
                                                    "MGRoomServicePuzzle",
                                                    "MGBaseballBatPuzzle",
                                                    "MGPCDesktopPuzzle",
                                                    "MGHarpPuzzle",
                                                    "MGVelmirePuzzle",
                                                    "MGChasePhotoPuzzle",
                                                    "MGHotelWindowPuzzle",
                                                    "MGPOBoxPuzzle",
                                                    "MGSurveillanceTapePuzzle",
                                                    "MGCaseControl",
                                                    "MGCutScenePlayer",
                                                    "MGPhone",
                                                    "MGIntro",
                                                    "MGScreenFader",
                                                    "MGScreenManager",
                                                    "MGOptions"}));

    // Each accessor Init called hands back what Init made: nothing more is
    // made or registered.
    const std::vector<std::string> made = GameSingletons();
    const void* const again[] = {
        MGCaseSelection::GetInstance(),    MGCaseControl::GetInstance(),        MGCigarBandPuzzle::GetInstance(),
        MGPaintingPuzzle::GetInstance(),   MGCombinationLockPuzzle::GetInstance(), MGSlideBoxPuzzle::GetInstance(),
        MGFloorSafePuzzle::GetInstance(),  MGMapPuzzle::GetInstance(),          MGCrossWordPuzzle::GetInstance(),
        MGReceiptPuzzle::GetInstance(),    MGDravoBoxPuzzle::GetInstance(),     MGRoomServicePuzzle::GetInstance(),
        MGBaseballBatPuzzle::GetInstance(), MGPCDesktopPuzzle::GetInstance(),   MGHarpPuzzle::GetInstance(),
        MGVelmirePuzzle::GetInstance(),    MGChasePhotoPuzzle::GetInstance(),   MGHotelWindowPuzzle::GetInstance(),
        MGPOBoxPuzzle::GetInstance(),      MGSurveillanceTapePuzzle::GetInstance(),
    };
    for (const void* instance : again) {
        EXPECT_NE(instance, nullptr);
    }
    EXPECT_EQ(GameSingletons(), made);

    VoRestoreManager* restore = VoRestoreManager::GetInstance();
    ASSERT_EQ(restore->GetRestorableCount(), 3);
    const char* const restorables[] = {"eventmanager", "statemanager", "gameclock"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Narrow(restore->GetRestorable(i)->GetId()), restorables[i]);
    }

    EXPECT_THAT(rasterizer->Texts("SetColorValues"), ElementsAre("SetColorValues(1, 0, 0, 0)"));
    EXPECT_THAT(rasterizer->Texts("SetCullMode"), ElementsAre("SetCullMode(0)"));
    EXPECT_THAT(log.Lines(),
                ::testing::IsSupersetOf({"Device requires pow2 textures: false",
                                         "Device requires square textures: false",
                                         "Device max texture width: 2048", "Device max texture height: 2048",
                                         "Device supports two-sided stencils: false"}));
    EXPECT_FALSE(log.Contains(MGApp::kFontFailure));

    // The stack holds the intro alone, entered: its logo movie plays, and the
    // fade from black has begun.
    MGScreenManager* screens = MGScreenManager::GetInstance();
    EXPECT_EQ(screens->GetScreenCount(), 1);
    EXPECT_EQ(screens->GetTopScreen(), static_cast<MGIScreen*>(MGIntro::GetInstance()));
    EXPECT_NE(MGIntro::GetInstance()->GetMovie(), nullptr);
    MGScreenFader* fader = MGScreenFader::GetInstance();
    EXPECT_TRUE(fader->IsClear());
    EXPECT_EQ(fader->GetGroup()->GetBlend(), 1.0f);
    EXPECT_EQ(fader->GetListener(), screens);
    // Over the movie the pointer shows nothing.
    EXPECT_EQ(MGCursor::GetInstance()->GetCurrentId(), MGCursor::kEmpty);
    EXPECT_TRUE(VoCursor::GetInstance()->GetGroup()->GetMember(VoString(u"empty"))->GetActive());
}

TEST_F(MGAppTest, AMissingFontListIsLoggedAndInitGoesOn) {
    LogCapture log;
    EXPECT_TRUE(fApp->Init());
    EXPECT_TRUE(log.Logged("ERROR: ", MGApp::kFontFailure));
    EXPECT_EQ(MGScreenManager::GetInstance()->GetScreenCount(), 1);
}

// Clear and blending first, then the frame listeners, then the drawing; the
// display is drawn last, and its result is the frame's.
TEST_F(MGAppTest, FrameClearsThenUpdatesThenDraws) {
    ASSERT_TRUE(RecordingGame::MountSampleTree());
    ASSERT_TRUE(fApp->Init());
    RecordingRasterizer* rasterizer = fGame.Rasterizer();
    FrameProbe probe(rasterizer);
    VoFrameManager::GetInstance()->AddListener(&probe, 1000.0f);
    rasterizer->ClearCalls();

    EXPECT_TRUE(fApp->Frame());
    const std::vector<std::string> calls = rasterizer->Texts();
    ASSERT_GT(calls.size(), 2u);
    EXPECT_EQ(calls[0], "Clear()");
    EXPECT_EQ(calls[1], "SetAlphaBlending(1)");
    EXPECT_THAT(probe.fCallsSeen, ElementsAre(2));
    // The 2D display draws over the intro's movie (which goes to the back
    // buffer by itself): the screen fader's black at least.
    EXPECT_GE(rasterizer->Count("Draw"), 1);
    VoFrameManager::GetInstance()->RemoveListener(&probe);
}
