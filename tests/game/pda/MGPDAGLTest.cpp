// The PDA drawn on the headless GL context over a stand-in for the scene (a
// full-screen rectangle of one colour): the minimized bar in the corner
// while the PDA is closed; once opened on the inventory, the device, its
// menu, the grid and an item lie over the scene where the sample layout puts
// them, the bar is gone and the scene shows around the device; on the map,
// the town and the tags whose conditions hold.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MGApp.h"
#include "event/VoEventManager.h"
#include "game/support/RecordingGame.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSRectangle.h"
#include "object/VoRegistry.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/port/VoIRenderDevice.h"
#include "render/VoIRasterizer.h"
#include "render/VoRenderDeviceSource.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "support/FakeDeviceCapabilities.h"
#include "support/GLTestContext.h"
#include "support/ProbeObjects.h"
#include "support/SetTimer.h"

namespace {

// The sample pictures' colours (tools/make_pda.py).
const Rgba kScene = {51, 102, 153, 255};
const Rgba kBody = {46, 50, 58, 255};
const Rgba kScreen = {206, 216, 196, 255};
const Rgba kGridBox = {20, 52, 56, 255};
const Rgba kButton = {70, 76, 88, 255};
const Rgba kButtonShown = {24, 64, 66, 255};
const Rgba kDocumentCard = {238, 232, 210, 255};

struct Probe {
    const char* what;
    int x, y;
    Rgba colour;
};

// A game over the engine's own drawing on the GL context, but for the
// timer, which the test sets, and device capabilities that take the sample
// pictures whole (the context has no window of the platform to ask).
class DrawnGame : public ScopedGame {
public:
    DrawnGame() : ScopedGame(&Register) {}

private:
    static void Register() {
        VoIObjectCreator* creators[] = {
            new FunctionCreator(VoString(u"timer"), [] { return new SetTimer(); }),
            new FunctionCreator(VoString(u"devicecaps"),
                                [] { return new FakeDeviceCapabilities(TextureLimits()); }),
        };
        for (VoIObjectCreator* creator : creators) {
            if (!VoRegistry::Get()->AddCreator(creator)) {
                delete creator;
            }
        }
    }
};

class MGPDAGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fGL.IsReady()) << fGL.Error();
        fDevice.reset(VoCreateRenderDevice());
        ASSERT_NE(fDevice, nullptr);
        VoRenderDeviceSource::Set(fDevice.get());
        fGame = std::make_unique<DrawnGame>();
        ASSERT_TRUE(RecordingGame::MountSampleTree());
        ASSERT_TRUE(VoFontManager::GetInstance()->CreateFonts(VoString(MGApp::kFontList),
                                                              VoString(MGApp::kFontRoot)));
        const float selected = 1.0f;
        VoIState* state = new VoIState();
        ASSERT_TRUE(state->Set(VoString(u"sta_selectedcase"), VoIState::kNumber, &selected));
        ASSERT_TRUE(VoStateManager::GetInstance()->AddState(state, false, true));

        auto* scene = new VoSRectangle();
        scene->SetId(VoString(u"scene"));
        scene->SetShapeRectangle(VoRectangle(0.0f, 0.0f, 800.0f, 600.0f));
        scene->SetFilled(true);
        scene->SetStroked(false);
        scene->SetFillColor(VoColor(1.0f, 0.2f, 0.4f, 0.6f));
        ASSERT_TRUE(VoDisplayManager::GetInstance()->AddMember(scene));
    }

    void TearDown() override {
        fGame.reset();
        VoRenderDeviceSource::Set(nullptr);
        fDevice.reset();
    }

    void Draw() {
        VoIRasterizer* rasterizer = VoIRasterizer::Get();
        ASSERT_TRUE(rasterizer->SetColorValues(1.0f, 0.0f, 0.0f, 0.0f));
        ASSERT_TRUE(rasterizer->Clear());
        ASSERT_TRUE(VoDisplayManager::GetInstance()->Render());
    }

    void ExpectPixels(const Probe* apProbes, int aCount) {
        for (int i = 0; i < aCount; ++i) {
            const Probe& probe = apProbes[i];
            EXPECT_TRUE(fGL.PixelNear(probe.x, probe.y, probe.colour, 3))
                << probe.what << ": pixel " << probe.x << ", " << probe.y << " is "
                << ToText(fGL.Pixel(probe.x, probe.y)) << ", expected " << ToText(probe.colour);
        }
    }

    GLTestContext fGL;
    std::unique_ptr<VoIRenderDevice> fDevice;
    std::unique_ptr<DrawnGame> fGame;
};

}  // namespace

TEST_F(MGPDAGLTest, ThePDAOpensOverTheScene) {
    MGPDA* pda = MGPDA::GetInstance();
    ASSERT_NE(pda, nullptr);
    MGPDAMinimized* bar = MGPDAMinimized::GetInstance();
    bar->Show();
    Draw();
    // Closed: the scene everywhere but the bar at (610, 480).
    const Probe closed[] = {
        {"the scene where the device will be", 105, 250, kScene},
        {"the scene where the grid will be", 349, 205, kScene},
        {"the bar's body", 613, 530, kBody},
        {"the scene beside the bar", 600, 530, kScene},
    };
    ExpectPixels(closed, static_cast<int>(std::size(closed)));

    ASSERT_TRUE(pda->GetInventoryPanel()->AddItem(VoString(u"letter")));
    bar->Maximize(false);
    ASSERT_TRUE(pda->SetPanel(VoString(u"inventory")));
    ASSERT_TRUE(pda->GetInventoryPanel()->SelectCategory(MGInventoryPanel::kDocuments));
    Draw();
    const Probe open[] = {
        {"the device's body", 105, 250, kBody},
        {"the screen below the grid", 400, 340, kScreen},
        {"the map button", 117, 153, kButton},
        {"the inventory button, its panel shown", 117, 185, kButtonShown},
        {"a free space's box", 349, 205, kGridBox},
        {"the letter's card in the first space", 276, 218, kDocumentCard},
        {"the scene beside the device", 700, 100, kScene},
        {"the scene below the device", 300, 450, kScene},
        {"the scene where the bar was", 613, 530, kScene},
    };
    ExpectPixels(open, static_cast<int>(std::size(open)));
}

TEST_F(MGPDAGLTest, TheMapShowsTheTownWithTheTagsOfTheCase) {
    // The map's colours (tools/make_pda_map.py); its content starts at
    // (271, 170): the window at (100, 100), the taller scroll area at (171, 70).
    const Rgba kPaper = {232, 224, 198, 255};
    const Rgba kBlock = {206, 194, 160, 255};
    const Rgba kLabel = {252, 248, 236, 255};
    MGPDA* pda = MGPDA::GetInstance();
    ASSERT_NE(pda, nullptr);
    MGPDAMinimized::GetInstance()->Maximize(false);
    ASSERT_TRUE(pda->SetPanel(VoString(u"map")));
    Draw();
    const Probe map[] = {
        {"a street of the town", 271 + 70, 170 + 20, kPaper},
        {"the hotel's tag, always shown", 271 + 64, 170 + 53, kLabel},
        {"the office's block: its tag waits for the lobby's visit", 271 + 172, 170 + 65, kBlock},
        {"the device's body beside the map", 105, 250, kBody},
        {"the scene beside the device", 700, 100, kScene},
    };
    ExpectPixels(map, static_cast<int>(std::size(map)));

    ASSERT_TRUE(VoEventManager::GetInstance()->AddEvent(VoString(u"evt_lobby_visited"), false));
    ASSERT_TRUE(pda->SetPanel(VoString(u"inventory")));
    ASSERT_TRUE(pda->SetPanel(VoString(u"map")));
    Draw();
    const Probe office[] = {
        {"the office's tag", 271 + 172, 170 + 65, kLabel},
    };
    ExpectPixels(office, static_cast<int>(std::size(office)));
}
