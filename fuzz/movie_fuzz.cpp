// Feeds arbitrary bytes through our movie path: the port layer's movie
// decoder reads them from memory (its demuxer over our own I/O callbacks),
// counts and decodes the frames, converts them to BGRA, feeds the sound to a
// pull-mode mixer and jumps about, within a budget of pixels and frames.
// Every picture is read whole, and what the mixer gives must be finite and
// within -1 .. 1.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/port/VoMovieDecoder.h"
#include "platform/port/VoSoundMixer.h"
#include "support/FuzzSupport.h"
#include "system/VoITimeSource.h"

namespace {

// Bigger inputs teach the demuxers nothing new and only slow the run.
constexpr std::size_t kMaxInput = 512 * 1024;
constexpr std::uint32_t kMaxFramesPlayed = 24;
constexpr std::int32_t kBlockFrames = 256;

class FuzzClock : public VoITimeSource {
public:
    bool BeginPeriod() override { return true; }
    std::uint32_t GetMilliseconds() override { return fNow; }
    bool EndPeriod() override { return true; }
    std::uint32_t fNow = 0;
};

VoSoundMixer& PullMixer() {
    static VoSoundMixer sMixer;
    static const bool sReady = [] {
        sMixer.SetUseDevice(false);
        return sMixer.Init(44100, VoSoundMixer::kMaxChannels);
    }();
    (void)sReady;
    return sMixer;
}

void MixBlock(VoSoundMixer& aMixer) {
    static float sOut[kBlockFrames * 2];
    aMixer.Mix(sOut, kBlockFrames);
    for (float value : sOut) {
        if (!(value >= -1.0f && value <= 1.0f)) {
            std::abort();
        }
    }
}

// Keeps the reads below from being optimised away.
volatile unsigned gPictureSum = 0;

// Reads every byte of the picture, so a buffer smaller than it claims shows.
void ReadPicture(const VoMovieDecoder& aDecoder) {
    const std::uint8_t* picture = aDecoder.GetPicture();
    if (picture == nullptr) {
        return;
    }
    if (aDecoder.GetPitch() < aDecoder.GetWidth() * 4) {
        std::abort();
    }
    unsigned sum = 0;
    for (std::int32_t y = 0; y < aDecoder.GetHeight(); ++y) {
        const std::uint8_t* row = picture + static_cast<std::ptrdiff_t>(y) * aDecoder.GetPitch();
        for (std::int32_t x = 0; x < aDecoder.GetWidth() * 4; ++x) {
            sum += row[x];
        }
    }
    gPictureSum = gPictureSum + sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    QuietFuzzLog();
    if (aSize > kMaxInput) {
        return 0;
    }
    VoSoundMixer& mixer = PullMixer();
    FuzzClock clock;
    VoMovieDecoder decoder(&clock, &mixer);
    VoMovieDecoder::Limits limits;
    limits.fMaxSide = 512;
    limits.fMaxPixels = 128 * 128;
    limits.fMaxFrames = 256;
    decoder.SetLimits(limits);
    if (!decoder.OpenMemory(apData, aSize, VoMovieDecoder::kOpenAlpha)) {
        MixBlock(mixer);
        return 0;
    }
    decoder.SetVolume(decoder.GetTrackId(0), VoMovieDecoder::kFullVolume / 2);
    decoder.Pause(false);
    const std::uint32_t count = decoder.GetFrameCount();
    for (std::uint32_t i = 0; i < std::min(count, kMaxFramesPlayed); ++i) {
        clock.fNow += 1000;
        if (!decoder.Wait()) {
            decoder.DoFrame();
            ReadPicture(decoder);
        }
        decoder.NextFrame();
        MixBlock(mixer);
    }
    decoder.Pause(true);
    decoder.Goto(count / 2 + 1);
    decoder.DoFrame();
    ReadPicture(decoder);
    decoder.Goto(decoder.GetKeyFrame(count / 3 + 1, true));
    decoder.Pause(false);
    decoder.DoFrame();
    ReadPicture(decoder);
    MixBlock(mixer);
    decoder.Close();
    MixBlock(mixer);
    return 0;
}
