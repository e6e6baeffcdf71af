#include "SoundFiles.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

// The serial number every Ogg stream written here carries.
constexpr std::uint32_t kOggSerial = 0x566F4F67;

// The Ogg page checksum: CRC-32 of polynomial 0x04C11DB7, unreflected, from 0.
std::uint32_t OggCrc(const unsigned char* apBytes, std::size_t aCount) {
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < aCount; ++i) {
        crc ^= static_cast<std::uint32_t>(apBytes[i]) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000u) != 0 ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
        }
    }
    return crc;
}

// libsndfile numbers a new Ogg stream from the clock: every page gets the
// fixed serial number instead, and its checksum anew, so the same frames
// give the same bytes. False when the file is not a chain of whole pages.
bool FixOggSerial(const std::string& aPath) {
    std::vector<unsigned char> bytes = ReadBytes(aPath);
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < 27 || bytes[at] != 'O' || bytes[at + 1] != 'g' || bytes[at + 2] != 'g' ||
            bytes[at + 3] != 'S') {
            return false;
        }
        const std::size_t segments = bytes[at + 26];
        if (bytes.size() - at < 27 + segments) {
            return false;
        }
        std::size_t size = 27 + segments;
        for (std::size_t i = 0; i < segments; ++i) {
            size += bytes[at + 27 + i];
        }
        if (bytes.size() - at < size) {
            return false;
        }
        for (int i = 0; i < 4; ++i) {
            bytes[at + 14 + i] = static_cast<unsigned char>(kOggSerial >> (8 * i));
            bytes[at + 22 + i] = 0;
        }
        const std::uint32_t crc = OggCrc(bytes.data() + at, size);
        for (int i = 0; i < 4; ++i) {
            bytes[at + 22 + i] = static_cast<unsigned char>(crc >> (8 * i));
        }
        at += size;
    }
    std::ofstream out(aPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

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
    if (sf_close(file) != 0 || !written) {
        return false;
    }
    return aFormat != SoundFormat::kOggVorbis || FixOggSerial(aPath);
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
