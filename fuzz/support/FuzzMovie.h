#pragma once
// A stand-in movie for the fuzz targets: it plays nowhere, shows nothing
// and never moves on, standing at frame 35 of 40.
#include <cstdint>

#include "movie/VoIMoviePlayer.h"

class FuzzMovie : public VoIMoviePlayer {
public:
    bool Render(VoRenderer*) override { return true; }
    void OnUpdate() override {}
    bool Open(const VoString&, bool) override { return true; }
    bool Close() override { return true; }
    bool Play() override { return true; }
    bool Pause() override { return true; }
    bool Resume() override { return true; }
    std::uint32_t GetCurrentFrame() override { return 35; }
    std::uint32_t GetFrameCount() override { return 40; }
    float GetLength() override { return 1.0f; }
    bool GotoFrame(std::uint32_t) override { return true; }
    bool GotoKeyFrame(std::uint32_t) override { return true; }
    void SetFrameRate(std::uint32_t) override {}
    void SetVolume(float) override {}
};
