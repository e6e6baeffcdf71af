#pragma once
// What the movie manager and player tests share: an engine whose "texture"
// creator makes recording textures, "//movies" mounted on a scratch folder
// where the tests write their clips, a clock the test moves by hand, a mixer
// in pull mode, a blitter that writes down every copy and device texture
// limits the test sets.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "movie/VoIMovieListener.h"
#include "movie/VoMoviePlayerBink.h"
#include "platform/port/VoIMovieBlitter.h"
#include "platform/port/VoSoundMixer.h"
#include "stdlib/VoFrameManager.h"
#include "support/MovieFiles.h"
#include "support/PlatformTestFolder.h"
#include "support/RecordingRasterizer.h"
#include "support/TestText.h"
#include "system/VoIFileSystem.h"
#include "system/VoITimeSource.h"

class MovieClock : public VoITimeSource {
public:
    bool BeginPeriod() override { return true; }
    std::uint32_t GetMilliseconds() override { return fNow; }
    bool EndPeriod() override { return true; }
    std::uint32_t fNow = 5000;
};

struct BlitCall {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;  // BGRA rows, tight
};

class RecordingBlitter : public VoIMovieBlitter {
public:
    static constexpr char kFailure[] = "the test refused";

    bool Blit(const std::uint8_t* apPixels, std::int32_t aPitch, std::int32_t aX, std::int32_t aY,
              std::int32_t aWidth, std::int32_t aHeight) override {
        BlitCall call{aX, aY, aWidth, aHeight, {}};
        for (std::int32_t row = 0; row < aHeight; ++row) {
            const std::uint8_t* first = apPixels + static_cast<std::ptrdiff_t>(row) * aPitch;
            call.pixels.insert(call.pixels.end(), first, first + aWidth * 4);
        }
        fCalls.push_back(std::move(call));
        return fResult;
    }
    const char* GetFailure() const override { return kFailure; }

    std::vector<BlitCall> fCalls;
    bool fResult = true;
};

// Notes the name of every movie that ended, then runs its action.
class MovieEndProbe : public VoIMovieListener {
public:
    void OnMovieEnd(VoString aName) override {
        fNames.push_back(Narrow(aName));
        if (fAction) {
            fAction();
        }
    }
    std::vector<std::string> fNames;
    std::function<void()> fAction;
};

class MovieTest : public ::testing::Test {
protected:
    static constexpr int kRate = 44100;

    void SetUp() override {
        sLimits = VoMoviePlayerBink::TextureLimits();
        fMixer.SetUseDevice(false);
        ASSERT_TRUE(fMixer.Init(kRate, VoSoundMixer::kMaxChannels));
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        ASSERT_NE(fileSystem, nullptr);
        ASSERT_TRUE(fileSystem->Mount(VoString("//movies"), PlatformTestFolder::Wide(fFolder.Files())));
    }
    void TearDown() override { fMixer.Close(); }

    VoMoviePlayerBink::Ports Ports() {
        VoMoviePlayerBink::Ports ports;
        ports.fpClock = &fClock;
        ports.fpMixer = &fMixer;
        ports.fpBlitter = &fBlitter;
        ports.fpTextureLimits = [] { return sLimits; };
        return ports;
    }
    // Writes the clip; its native path.
    VoString Make(const std::string& aName, const MovieSpec& aSpec) {
        EXPECT_TRUE(WriteMovieFile(fFolder.Path(aName), aSpec)) << aName;
        return PlatformTestFolder::Wide(fFolder.Path(aName));
    }
    static VoString EnginePath(const std::string& aName) { return VoString(("//movies/" + aName).c_str()); }
    void Frame() { ASSERT_TRUE(VoFrameManager::GetInstance()->Update()); }
    int FrameListeners() { return VoFrameManager::GetInstance()->GetListenerCount(); }
    static std::vector<std::uint8_t> Texels(VoIMoviePlayer& aPlayer) {
        const auto* texture = dynamic_cast<const RecordingTexture*>(aPlayer.GetTexture());
        return texture != nullptr ? texture->GetTexels() : std::vector<std::uint8_t>();
    }

    static inline VoMoviePlayerBink::TextureLimits sLimits;

    RecordingEngine fEngine;
    PlatformTestFolder fFolder;
    MovieClock fClock;
    VoSoundMixer fMixer;
    RecordingBlitter fBlitter;
};
