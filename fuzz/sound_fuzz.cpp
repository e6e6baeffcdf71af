// Feeds arbitrary bytes through our sound decoding path: as a sample decoded
// whole and as a stream decoded block by block, each played on the mixer in
// pull mode for a bounded number of blocks, moved about, looped and closed.
// Whatever the library accepts must mix to finite values in -1 .. 1.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/port/VoSoundMixer.h"
#include "support/FuzzSupport.h"

namespace {

// Bigger inputs teach the decoders nothing new and only slow the run.
constexpr std::size_t kMaxInput = 256 * 1024;
constexpr std::int32_t kBlockFrames = 512;
constexpr int kBlocks = 24;

VoSoundMixer& PullMixer() {
    static VoSoundMixer sMixer;
    static const bool sReady = [] {
        sMixer.SetUseDevice(false);
        return sMixer.Init(44100, VoSoundMixer::kMaxChannels);
    }();
    (void)sReady;
    return sMixer;
}

void MixBlocks(VoSoundMixer& aMixer, int aBlocks) {
    static float sOut[kBlockFrames * 2];
    for (int block = 0; block < aBlocks; ++block) {
        aMixer.Mix(sOut, kBlockFrames);
        for (float value : sOut) {
            if (!(value >= -1.0f && value <= 1.0f)) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    QuietFuzzLog();
    if (aSize > kMaxInput) {
        return 0;
    }
    VoSoundMixer& mixer = PullMixer();

    const std::int32_t sample = mixer.LoadSampleFromMemory(apData, aSize);
    if (sample != 0) {
        mixer.PlaySound(sample, 255);
        MixBlocks(mixer, kBlocks / 2);
        mixer.FreeSample(sample);
    }

    const std::int32_t stream = mixer.OpenStreamFromMemory(apData, aSize);
    if (stream != 0) {
        const std::int32_t length = mixer.GetStreamLengthMs(stream);
        mixer.SetStreamLoopCount(stream, 1);
        mixer.PlayStream(stream, 255);
        MixBlocks(mixer, kBlocks / 2);
        mixer.SetStreamTime(stream, length / 2);
        MixBlocks(mixer, kBlocks / 4);
        mixer.StopStream(stream);
        mixer.SetStreamTime(stream, length);
        mixer.PlayStream(stream, 128);
        MixBlocks(mixer, kBlocks / 4);
        mixer.CloseStream(stream);
    }
    MixBlocks(mixer, 1);
    return 0;
}
