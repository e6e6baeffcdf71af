#include "SoundFiles.h"

#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <iterator>

bool WriteSoundFile(const std::string& aPath, SoundFormat aFormat, int aRate, int aChannels,
                    const std::vector<float>& aFrames) {
    SF_INFO info{};
    info.samplerate = aRate;
    info.channels = aChannels;
    switch (aFormat) {
        case SoundFormat::kWavPcm16:
            info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
            break;
        case SoundFormat::kWavFloat:
            info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
            break;
        case SoundFormat::kOggVorbis:
            info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
            break;
        case SoundFormat::kMpegLayer3:
            info.format = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
            break;
    }
    SNDFILE* file = sf_open(aPath.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const sf_count_t frames = static_cast<sf_count_t>(aFrames.size()) / aChannels;
    const bool written = sf_writef_float(file, aFrames.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

std::vector<float> Sine(int aRate, int aChannels, int aFrames, double aFrequency, double aAmplitude) {
    std::vector<float> frames;
    frames.reserve(static_cast<std::size_t>(aFrames) * aChannels);
    const double step = 2.0 * 3.14159265358979323846 * aFrequency / aRate;
    for (int i = 0; i < aFrames; ++i) {
        const float value = static_cast<float>(aAmplitude * std::sin(step * i));
        for (int channel = 0; channel < aChannels; ++channel) {
            frames.push_back(value);
        }
    }
    return frames;
}

std::vector<unsigned char> ReadBytes(const std::string& aPath) {
    std::ifstream in(aPath, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
