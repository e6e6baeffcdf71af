// The PDA's map and case log and the profiling computer in the real game on
// a real window and OpenGL device (headless), driven through the
// application's own mouse: the lobby of the sample case is entered, the PDA
// is opened from its bar, the map shows the hotel's tag and a click on it
// takes the player to the lobby again 7 s of game time later; the case log
// lists what happened; the profiling computer, opened by its state, takes
// the brass key dropped on its slot and analyses it. The engine timer is
// the test's, 0.05 s a frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "event/VoEventManager.h"
#include "game/support/WindowedGame.h"
#include "gdi/VoSprite.h"
#include "geometry/VoVector2.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGLogPanel.h"
#include "pda/MGMapTag.h"
#include "pda/MGPDA.h"
#include "profiler/MGProfilingComputer.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoStateManager.h"
#include "support/TestText.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"

namespace {

// Screen points of the sample layouts: the bar's maximize button, the
// PDA's menu buttons, the hotel's tag on the map, the log's column, the
// profiler's slot and analyze button.
const VoVector2 kMaximize(763.0f, 531.0f);
const VoVector2 kMapButton(182.0f, 153.0f);
const VoVector2 kLogButton(182.0f, 249.0f);
const VoVector2 kExitButton(182.0f, 313.0f);
const VoVector2 kHotelTag(320.0f, 218.0f);
const VoVector2 kSlot(300.0f, 70.0f);
const VoVector2 kAnalyze(435.0f, 63.0f);
constexpr int kLastFrame = 170;

class PDAPlayer : public GameDriver {
public:
    bool fOpened = false;
    bool fOnMap = false;
    int fHotelLabelPixels = -1;
    float fTripTime = -1.0f;
    bool fClosedByTrip = false;
    std::string fSceneAfterTrip;
    bool fTagUsed = false;
    int fLogEntries = -1;
    int fLogInkPixels = -1;
    bool fProfilerEntered = false;
    bool fAnalysed = false;
    bool fAnalyzing = false;

protected:
    void BeforeFrame(int aFrame) override {
        SetTime(0.05 * aFrame);
        switch (aFrame) {
            case 1:
                StartInTheLobby();
                break;
            case 20:
            case 80:
                Click(kMaximize);
                break;
            case 40:
                fOpened = MGPDA::GetInstance()->IsOpen();
                Click(kMapButton);
                break;
            case 60: {
                const float before = VoGameClock::GetInstance()->GetTime();
                Click(kHotelTag);
                fTripTime = VoGameClock::GetInstance()->GetTime() - before;
                fClosedByTrip = !MGPDA::GetInstance()->IsOpen();
                break;
            }
            case 100:
                Click(kLogButton);
                break;
            case 120:
                Click(kExitButton);
                break;
            case 130:
                VoStateManager::GetInstance()->SetState(VoString(MGProfilingComputer::kActiveState),
                                                        VoString(u"boolean"), VoString(u"true"), true);
                break;
            case 160:
                fProfilerEntered = MGProfilingComputer::GetInstance()->GetRoot() != nullptr;
                MGCursor::GetInstance()->SetItemCursor(VoString(u"brasskey"));
                Click(kSlot);
                break;
            case 165:
                Click(kAnalyze);
                break;
            default:
                break;
        }
    }

    bool AfterFrame(int aFrame) override {
        switch (aFrame) {
            case 44: {
                MGPDA* pda = MGPDA::GetInstance();
                fOnMap =
                    pda->GetCurrentPanel() != nullptr && pda->GetCurrentPanel()->GetId() == VoString(u"map");
                // The tag holds its full blend for its first 0.5 s.
                fHotelLabelPixels =
                    Count(313, 222, 30, 3, [](int r, int g, int b) { return r > 245 && g > 240 && b > 225; });
                break;
            }
            case 61: {
                MGScene* scene = MGSceneManager::GetInstance()->GetScene();
                fSceneAfterTrip = scene != nullptr ? Narrow(scene->GetSceneId()) : "";
                fTagUsed = VoEventManager::GetInstance()->HasEvent(VoString(u"evt_maptag_hotel"));
                break;
            }
            case 115: {
                auto* log = static_cast<MGLogPanel*>(MGPDA::GetInstance()->GetPanel(VoString(u"log")));
                fLogEntries = log->GetEntryCount();
                fLogInkPixels =
                    Count(286, 172, 200, 60, [](int r, int g, int b) { return r < 80 && g < 80 && b < 80; });
                break;
            }
            case 166: {
                MGProfilingComputer* profiler = MGProfilingComputer::GetInstance();
                fAnalysed = VoEventManager::GetInstance()->HasEvent(VoString(u"brasskey_profiler"));
                fAnalyzing =
                    profiler->GetAnalyzingStatus() != nullptr && profiler->GetAnalyzingStatus()->GetVisible();
                break;
            }
            default:
                break;
        }
        return aFrame < kLastFrame;
    }

private:
    static void StartInTheLobby() {
        VoStateManager* states = VoStateManager::GetInstance();
        states->SetState(VoString(u"sta_selectedcase"), VoString(u"number"), VoString(u"1"), false);
        // Seen before: no placard holds the trips back.
        VoEventManager::GetInstance()->AddEvent(VoString(u"case01/lobby_placard"), false);
        MGSceneManager::GetInstance()->LoadScene(VoString(u"case01/lobby"), true, true);
        MGPDA::GetInstance()->GetInventoryPanel()->AddItem(VoString(u"brasskey"));
    }

    void Click(const VoVector2& aAt) {
        const VoString mouse(MGApp::kMouseDevice);
        VoVector2 at = aAt;
        App()->OnMouseMove(mouse, &at);
        App()->OnMouseDown(mouse, 1);
        App()->OnMouseUp(mouse, 1);
    }

    // The pixels of the rectangle whose colour the test accepts.
    template <typename Test>
    static int Count(int aX, int aY, int aWidth, int aHeight, Test aTest) {
        const std::vector<unsigned char> bgra = ReadPixels(aX, aY, aWidth, aHeight);
        if (bgra.empty()) {
            return -1;
        }
        int count = 0;
        for (std::size_t i = 0; i < bgra.size(); i += 4) {
            count += aTest(bgra[i + 2], bgra[i + 1], bgra[i]) ? 1 : 0;
        }
        return count;
    }
};

}  // namespace

TEST(MGPDAPlayGL, TheMapTakesThePlayerAroundTheLogListsAndTheProfilerAnalyses) {
    WindowedGame game;
    PDAPlayer* player = new PDAPlayer();
    ASSERT_TRUE(game.Run(player));
    EXPECT_TRUE(player->fOpened);
    EXPECT_TRUE(player->fOnMap);
    EXPECT_GT(player->fHotelLabelPixels, 60);
    EXPECT_EQ(player->fTripTime, 7.0f);
    EXPECT_TRUE(player->fClosedByTrip);
    EXPECT_EQ(player->fSceneAfterTrip, "case01/lobby");
    EXPECT_TRUE(player->fTagUsed);
    // The case's own note and the lobby's visit.
    EXPECT_GE(player->fLogEntries, 2);
    EXPECT_GT(player->fLogInkPixels, 100);
    EXPECT_TRUE(player->fProfilerEntered);
    EXPECT_TRUE(player->fAnalysed);
    EXPECT_TRUE(player->fAnalyzing);
}
