#include "platform/VoGraphicsDX9.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlatformFakes.h"
#include "platform/VoLetterbox.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "platform/port/VoGraphicsContextState.h"
#include "support/LogCapture.h"

namespace {

using Formats = std::set<VoBackBufferFormat>;
using DepthFormats = std::set<VoDepthStencilFormat>;

constexpr VoBackBufferFormat kA8 = VoBackBufferFormat::kA8R8G8B8;
constexpr VoBackBufferFormat kX8 = VoBackBufferFormat::kX8R8G8B8;
constexpr VoBackBufferFormat kR5 = VoBackBufferFormat::kR5G6B5;
constexpr VoBackBufferFormat kUnknown = VoBackBufferFormat::kUnknown;
constexpr VoDepthStencilFormat kD24S8 = VoDepthStencilFormat::kD24S8;
constexpr VoDepthStencilFormat kD15S1 = VoDepthStencilFormat::kD15S1;
constexpr VoDepthStencilFormat kD16 = VoDepthStencilFormat::kD16;

int gWindow = 0;

VoPlatformDesc Desc(std::uint32_t aBits, std::uint32_t aWidth = 800, std::uint32_t aHeight = 600) {
    VoPlatformDesc desc;
    desc.fWidth = aWidth;
    desc.fHeight = aHeight;
    desc.fBits = aBits;
    desc.fWindowed = true;
    desc.fpWindow = &gWindow;
    return desc;
}

}  // namespace

TEST(VoGraphicsDX9, TheBackBufferAndDepthFormatsAreTheFirstThatTheContextCanMake) {
    struct Case {
        const char* fName;
        std::uint32_t fBits;
        std::uint32_t fWidth;
        Formats fColors;
        DepthFormats fDepths;
        Journal fLines;
        VoBackBufferFormat fChosen;
        bool fDisplayModeFailure;
    };
    const Case cases[] = {
        {"32 bits",
         32,
         800,
         {kA8, kX8, kR5},
         {kD24S8, kD16},
         {"BackBufferFormat = D3DFMT_A8R8G8B8", "AutoDepthStencilFormat = D3DFMT_D24S8"},
         kA8,
         false},
        {"32 bits without alpha",
         32,
         800,
         {kX8},
         {kD15S1, kD16},
         {"BackBufferFormat = D3DFMT_X8R8G8B8", "AutoDepthStencilFormat = D3DFMT_D15S1"},
         kX8,
         false},
        {"24 bits",
         24,
         800,
         {kA8, kR5},
         {kD16},
         {"BackBufferFormat = D3DFMT_R5G6B5", "AutoDepthStencilFormat = D3DFMT_D16"},
         kR5,
         false},
        {"16 bits without a 16-bit format",
         16,
         800,
         {kA8, kX8},
         {},
         {"AutoDepthStencilFormat = None"},
         kUnknown,
         true},
        {"bits no format has",
         31,
         800,
         {kA8, kX8, kR5},
         {kD24S8},
         {"AutoDepthStencilFormat = D3DFMT_D24S8"},
         kUnknown,
         true},
        {"a size no format has",
         32,
         801,
         {kA8, kX8, kR5},
         {kD24S8},
         {"AutoDepthStencilFormat = D3DFMT_D24S8"},
         kUnknown,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        LogCapture log;
        FakePort port;
        port.fSetup.fColorFormats = c.fColors;
        port.fSetup.fDepthFormats = c.fDepths;
        VoGraphicsDX9 graphics(&port);
        const VoPlatformDesc desc = Desc(c.fBits, c.fWidth);
        // Creation goes on without a format.
        EXPECT_TRUE(graphics.Init(&desc));
        Journal lines;
        for (const std::string& line : log.Lines()) {
            if (line.rfind("ASSERT FAILURE: ", 0) != 0) {
                lines.push_back(line);
            }
        }
        EXPECT_EQ(lines, c.fLines);
        EXPECT_EQ(log.Logged("ASSERT FAILURE: ", VoGraphicsDX9::kNoDisplayMode), c.fDisplayModeFailure);
        EXPECT_EQ(port.fSetup.fParameters.fBackBufferFormat, c.fChosen);
        EXPECT_EQ(port.fSetup.fParameters.fEnableAutoDepthStencil, !c.fDepths.empty());
        EXPECT_EQ(port.fSetup.fParameters.fBackBufferWidth, c.fWidth);
    }
}

TEST(VoGraphicsDX9, ParametersOfTheDescriptionAreUsedUnchangedAndNothingIsWritten) {
    LogCapture log;
    FakePort port;
    VoPresentParameters parameters;
    parameters.fBackBufferWidth = 640;
    parameters.fBackBufferHeight = 480;
    parameters.fBackBufferFormat = kR5;
    parameters.fEnableAutoDepthStencil = true;
    parameters.fAutoDepthStencilFormat = kD16;
    VoPlatformDesc desc = Desc(32);
    desc.fpPresentParameters = &parameters;
    VoGraphicsDX9 graphics(&port);
    ASSERT_TRUE(graphics.Init(&desc));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(port.fSetup.fParameters.fBackBufferWidth, 640u);
    EXPECT_EQ(port.fSetup.fParameters.fBackBufferFormat, kR5);
    EXPECT_EQ(port.fSetup.fParameters.fAutoDepthStencilFormat, kD16);
    EXPECT_EQ(graphics.GetWidth(), 640u);
}

TEST(VoGraphicsDX9, ScenesPairUpAndPresentNeedsABackBuffer) {
    LogCapture log;
    FakePort port;
    VoGraphicsDX9 graphics(&port);
    EXPECT_FALSE(graphics.BeginScene());
    EXPECT_FALSE(graphics.Present());
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", ""));
    const VoPlatformDesc desc = Desc(32);
    ASSERT_TRUE(graphics.Init(&desc));
    log.Clear();
    port.fJournal.clear();
    EXPECT_TRUE(graphics.BeginScene());
    EXPECT_FALSE(graphics.BeginScene());
    EXPECT_TRUE(graphics.EndScene());
    EXPECT_FALSE(graphics.EndScene());
    EXPECT_TRUE(graphics.Present());
    EXPECT_EQ(log.Lines(), Journal({"BeginScene failed"}));
    EXPECT_EQ(port.fJournal, Journal({"begin", "end", "present"}));
    // The first BeginScene made no line either.
    EXPECT_EQ(log.Count("BeginScene failed"), 1);
}

TEST(VoGraphicsDX9, TheDrawingDeviceGoesBeforeTheContextAndTheInstanceWithTheDevice) {
    FakePort port;
    port.fSetup.fMakesRenderDevice = true;
    {
        VoGraphicsDX9 graphics(&port);
        EXPECT_EQ(VoGraphicsDX9::GetInstance(), &graphics);
        const VoPlatformDesc desc = Desc(32);
        ASSERT_TRUE(graphics.Init(&desc));
        EXPECT_NE(graphics.GetDevice(), nullptr);
        EXPECT_NE(graphics.GetD3D(), nullptr);
        port.fJournal.clear();
    }
    EXPECT_EQ(port.fJournal, Journal({"device deleted", "context deleted"}));
    EXPECT_EQ(VoGraphicsDX9::GetInstance(), nullptr);
}

TEST(VoGraphicsDX9, WithoutAContextNothingElseIsTried) {
    LogCapture log;
    FakePort port;
    port.fSetup.fCreatesContext = false;
    VoGraphicsDX9 graphics(&port);
    const VoPlatformDesc desc = Desc(32);
    EXPECT_FALSE(graphics.Init(&desc));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoGraphicsDX9::kCreateObjectFailure));
    EXPECT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(graphics.GetD3D(), nullptr);
}

TEST(VoGraphicsDX9, TheLetterboxKeepsTheAspectAndCentres) {
    struct Case {
        std::int32_t fSurfaceWidth;
        std::int32_t fSurfaceHeight;
        VoLetterbox fBox;
        std::int32_t fWidth = 800;
        std::int32_t fHeight = 600;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1024, 768, {0, 0, 1024, 768}},
        {1280, 720, {160, 0, 960, 720}},
        {1920, 1080, {240, 0, 1440, 1080}},
        {800, 800, {0, 100, 800, 600}},
        {801, 600, {0, 0, 800, 600}},
        {1, 1, {0, 0, 1, 1}},
        {0, 600, {0, 0, 0, 0}},
        {-5, 600, {0, 0, 0, 0}},
        // 76.5 wide and 34.67 high: rounded, not cut.
        {100, 51, {11, 0, 77, 51}, 3, 2},
        {52, 100, {0, 32, 52, 35}, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.fWidth) + "x" + std::to_string(c.fHeight) + " into " +
                     std::to_string(c.fSurfaceWidth) + "x" + std::to_string(c.fSurfaceHeight));
        const VoLetterbox box = VoLetterbox::Fit(c.fWidth, c.fHeight, c.fSurfaceWidth, c.fSurfaceHeight);
        EXPECT_EQ(box.fX, c.fBox.fX);
        EXPECT_EQ(box.fY, c.fBox.fY);
        EXPECT_EQ(box.fWidth, c.fBox.fWidth);
        EXPECT_EQ(box.fHeight, c.fBox.fHeight);
    }
}

// The real thing: a window of the SDL port (headless), an OpenGL context and
// its back buffer.
TEST(VoGraphicsDX9, AFramesClearColourIsReadBackFromTheBackBuffer) {
    LogCapture log;
    Journal journal;
    {
        VoPlatformPCDX9 platform;
        VoPlatformDesc desc = Desc(32);
        desc.fTitle = VoString("Test");
        desc.fpWindow = nullptr;
        ASSERT_TRUE(platform.Create(&desc));
        EXPECT_TRUE(VoGraphicsContextState::IsAlive());
        EXPECT_EQ(log.Lines(),
                  Journal({"BackBufferFormat = D3DFMT_A8R8G8B8", "AutoDepthStencilFormat = D3DFMT_D24S8"}));

        RecordingApp* app = new RecordingApp(&journal);
        platform.SetApp(app);
        VoGraphicsDX9* graphics = platform.GetGraphics();
        app->fOnFrame = [&](int) {
            EXPECT_TRUE(graphics->ClearBackBuffer(VoColor(1.0f, 0.2f, 0.4f, 0.6f)));
            // The top row red and the bottom one green; OpenGL counts rows
            // from the bottom.
            glPushAttrib(GL_SCISSOR_BIT | GL_COLOR_BUFFER_BIT);
            glEnable(GL_SCISSOR_TEST);
            for (const int row : {599, 0}) {
                glScissor(0, row, 800, 1);
                glClearColor(row == 599 ? 1.0f : 0.0f, row == 599 ? 0.0f : 1.0f, 0.0f, 1.0f);
                glClear(GL_COLOR_BUFFER_BIT);
            }
            glPopAttrib();
            platform.Quit();
        };
        EXPECT_EQ(platform.Run(), 0);

        // Rows come top first: the red row, then one of the clear colour;
        // one of the clear colour, then the green row.
        unsigned char rows[2 * 2 * 4] = {};
        ASSERT_TRUE(graphics->ReadBackBuffer(10, 0, 2, 2, rows));
        EXPECT_EQ(std::vector<int>(rows, rows + 4), std::vector<int>({0, 0, 255, 255}));
        EXPECT_EQ(std::vector<int>(rows + 4, rows + 8), std::vector<int>({0, 0, 255, 255}));
        EXPECT_NEAR(rows[8], 153, 1);
        EXPECT_NEAR(rows[10], 51, 1);
        ASSERT_TRUE(graphics->ReadBackBuffer(10, 598, 2, 2, rows));
        EXPECT_NEAR(rows[0], 153, 1);
        EXPECT_NEAR(rows[2], 51, 1);
        EXPECT_EQ(std::vector<int>(rows + 8, rows + 12), std::vector<int>({0, 255, 0, 255}));

        // Corners of the rows between and the middle; B, G, R, A.
        for (const auto& corner : {std::pair<int, int>{0, 1}, {799, 1}, {0, 598}, {799, 598}, {400, 300}}) {
            unsigned char pixel[4] = {};
            ASSERT_TRUE(graphics->ReadBackBuffer(corner.first, corner.second, 1, 1, pixel));
            EXPECT_NEAR(pixel[0], 153, 1);
            EXPECT_NEAR(pixel[1], 102, 1);
            EXPECT_NEAR(pixel[2], 51, 1);
            EXPECT_EQ(pixel[3], 255);
        }
        unsigned char pixel[4] = {};
        EXPECT_FALSE(graphics->ReadBackBuffer(799, 599, 2, 1, pixel));
        EXPECT_FALSE(graphics->ReadBackBuffer(-1, 0, 1, 1, pixel));
        EXPECT_FALSE(graphics->ReadBackBuffer(0, 0, 0, 1, pixel));
    }
    EXPECT_FALSE(VoGraphicsContextState::IsAlive());
    // Under a window system the window may also gain the focus.
    EXPECT_EQ(WithoutFocus(journal), Journal({"frame", "quit", "quit"}));
}
