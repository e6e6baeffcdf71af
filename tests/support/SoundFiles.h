#pragma once
// Sound files made by the tests themselves through libsndfile: a sine or any
// frames of ours as 16-bit or float ".wav", as Vorbis ".ogg" or as MPEG
// layer III, so no test depends on a committed recording.
#include <cstdint>
#include <string>
#include <vector>

enum class SoundFormat { kWavPcm16, kWavFloat, kOggVorbis, kMpegLayer3 };

// Interleaved frames (aChannels floats each) written at aRate; false when the
// library refuses. The same frames always give the same bytes (an Ogg
// stream's serial number is fixed).
bool WriteSoundFile(const std::string& aPath, SoundFormat aFormat, int aRate, int aChannels,
                    const std::vector<float>& aFrames);

// aFrames frames of a sine of aFrequency Hz and aAmplitude in every channel.
std::vector<float> Sine(int aRate, int aChannels, int aFrames, double aFrequency, double aAmplitude);

// The whole file's bytes (empty when it cannot be read).
std::vector<unsigned char> ReadBytes(const std::string& aPath);
