#include "platform/VoDeviceCapabilitiesDX9.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PlatformFakes.h"
#include "platform/VoGraphicsDX9.h"
#include "platform/VoPlatformDesc.h"
#include "platform/VoPlatformPCDX9.h"
#include "platform/port/VoProcessorClock.h"
#include "stdlib/VoCleaner.h"
#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"

namespace {

int gWindow = 0;

VoPlatformDesc Desc() {
    VoPlatformDesc desc;
    desc.fWidth = 800;
    desc.fHeight = 600;
    desc.fBits = 32;
    desc.fWindowed = true;
    desc.fpWindow = &gWindow;
    return desc;
}

}  // namespace

TEST(VoDeviceCapabilitiesDX9, AnswersComeFromTheGraphicsDevicesCapabilities) {
    struct Case {
        const char* fName;
        VoGraphicsCaps fCaps;
        bool fPow2;
        bool fSquare;
        bool fTwoSided;
        std::uint32_t fPixelMajor;
        std::uint32_t fPixelMinor;
    };
    auto caps = [](std::uint32_t aTexture, std::uint32_t aStencil, std::uint32_t aPixel) {
        VoGraphicsCaps result;
        result.fTextureCaps = aTexture;
        result.fStencilCaps = aStencil;
        result.fPixelShaderVersion = aPixel;
        result.fVertexShaderVersion = 0xFFFE0101u;
        result.fMaxTextureWidth = 4096;
        result.fMaxTextureHeight = 2048;
        result.fMaxVertexIndex = 0xFFFFFFFFu;
        return result;
    };
    const Case cases[] = {
        {"pow2 and conditional", caps(0x2 | 0x100, 0, 0xFFFF0200u), false, false, false, 2, 0},
        {"neither bit", caps(0, 0x100, 0xFFFF0301u), true, false, true, 3, 1},
        {"square only", caps(0x100 | 0x20, 0x100, 0xFFFF0104u), false, true, true, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fName);
        FakePort port;
        port.fSetup.fCaps = c.fCaps;
        VoGraphicsDX9 graphics(&port);
        const VoPlatformDesc desc = Desc();
        ASSERT_TRUE(graphics.Init(&desc));
        VoDeviceCapabilitiesDX9 device;
        EXPECT_EQ(device.RequiresPow2Textures(), c.fPow2);
        EXPECT_EQ(device.RequiresSquareTextures(), c.fSquare);
        EXPECT_EQ(device.SupportsTwoSidedStencil(), c.fTwoSided);
        std::uint32_t major = 99;
        std::uint32_t minor = 99;
        EXPECT_TRUE(device.GetPixelShaderVersion(&major, &minor));
        EXPECT_EQ(major, c.fPixelMajor);
        EXPECT_EQ(minor, c.fPixelMinor);
        EXPECT_TRUE(device.GetVertexShaderVersion(&major, &minor));
        EXPECT_EQ(major, 1u);
        EXPECT_EQ(minor, 1u);
        EXPECT_EQ(device.GetMaxTextureWidth(), 4096u);
        EXPECT_EQ(device.GetMaxTextureHeight(), 2048u);
        EXPECT_EQ(device.GetMaxVertexIndex(), 0xFFFFFFFFu);
    }
}

TEST(VoDeviceCapabilitiesDX9, WithoutAGraphicsDeviceEveryAnswerIsZero) {
    VoDeviceCapabilitiesDX9 device;
    EXPECT_EQ(device.GetMaxTextureWidth(), 0u);
    EXPECT_EQ(device.GetMaxVertexIndex(), 0u);
    EXPECT_TRUE(device.RequiresPow2Textures());
    EXPECT_FALSE(device.SupportsTwoSidedStencil());
}

TEST(VoDeviceCapabilitiesDX9, OpenGLTakesAnyTextureSizeAndEveryIndex) {
    LogCapture log;
    VoPlatformPCDX9 platform;
    VoPlatformDesc desc = Desc();
    desc.fpWindow = nullptr;
    ASSERT_TRUE(platform.Create(&desc));
    VoDeviceCapabilitiesDX9 device;
    EXPECT_FALSE(device.RequiresPow2Textures());
    EXPECT_FALSE(device.RequiresSquareTextures());
    EXPECT_TRUE(device.SupportsTwoSidedStencil());
    EXPECT_GE(device.GetMaxTextureWidth(), 1024u);
    EXPECT_EQ(device.GetMaxTextureHeight(), device.GetMaxTextureWidth());
    EXPECT_EQ(device.GetMaxVertexIndex(), 0xFFFFFFFFu);
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    EXPECT_TRUE(device.GetPixelShaderVersion(&major, &minor));
    EXPECT_EQ(major, 2u);
}

TEST(VoDeviceCapabilitiesDX9, TheProcessorClockIsTheFirstCpuMHzLine) {
    struct Case {
        const char* fText;
        std::uint32_t fMHz;
    };
    const Case cases[] = {
        {"processor\t: 0\nvendor_id\t: x\ncpu MHz\t\t: 2495.998\ncache size\t: 1 KB\n", 2496},
        {"cpu MHz : 1800.000", 1800},
        {"cpu MHz\t: 799.4\ncpu MHz\t: 3000\n", 799},
        {"cpu MHz: 3000\n", 3000},
        {"cpu MHz\t: 4294967295\n", 4294967295u},
        {"cpu MHz\t: 4294967295.5\n", 0},
        {"cpu MHz\t: 99999999999\n", 0},
        {"cpu MHz\t: abc\ncpu MHz\t: 5\n", 0},
        {"cpu MHz\t: .7\n", 1},
        {"cpu MHz\n", 0},
        {"model name\t: cpu MHz : 5\n", 0},
        {"cpu MHzz\t: 5\n", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fText);
        EXPECT_EQ(VoProcessorClock::ParseMHz(c.fText, std::strlen(c.fText)), c.fMHz);
    }
    // The length bounds the text, never a terminator.
    const char cut[] = "cpu MHz\t: 1234";
    EXPECT_EQ(VoProcessorClock::ParseMHz(cut, sizeof cut - 3), 12u);
    EXPECT_EQ(VoProcessorClock::ParseMHz(nullptr, 5), 0u);
}

TEST(VoDeviceCapabilitiesDX9, TheProcessorClockIsReadFromAFileOrZeroWithoutOne) {
    PlatformTestFolder folder;
    folder.Write("cpuinfo", "processor\t: 0\ncpu MHz\t\t: 3400.012\n");
    EXPECT_EQ(VoProcessorClock::ReadMHz(folder.Path("cpuinfo").c_str()), 3400u);
    EXPECT_EQ(VoProcessorClock::ReadMHz(folder.Path("missing").c_str()), 0u);
    VoDeviceCapabilitiesDX9 device;
    EXPECT_EQ(device.GetCPUSpeed(), VoProcessorClock::ReadMHz());
}

TEST(VoDeviceCapabilitiesDX9, GetInstanceKeepsOneObjectAndAFailureIsAnAssertion) {
    {
        LogCapture log;
        delete VoCleaner::PeekInstance();
        ASSERT_NE(VoCleaner::GetInstance(), nullptr);
        EXPECT_EQ(VoIDeviceCapabilities::GetInstance(), nullptr);
        EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoIDeviceCapabilities::kCreationFailure));
        EXPECT_FALSE(log.Contains("ERROR: " + std::string("engine/platform/VoIDeviceCapabilities")));
        delete VoCleaner::PeekInstance();
    }
    ScopedEngine engine;
    VoIDeviceCapabilities* caps = VoIDeviceCapabilities::GetInstance();
    ASSERT_NE(dynamic_cast<VoDeviceCapabilitiesDX9*>(caps), nullptr);
    EXPECT_EQ(VoIDeviceCapabilities::GetInstance(), caps);
    EXPECT_TRUE(caps->Initialize(0));
    engine.ShutDown();
    EXPECT_EQ(VoIDeviceCapabilities::GetInstance(), nullptr);
}
