#pragma once
// The machine's audio output through SDL2: 32-bit float stereo at the asked
// rate (SDL converts when the hardware wants another format). SDL calls the
// fill function on its own audio thread for each block it needs. When no
// real device can be opened, the dummy driver stands in: it takes the blocks
// in real time without playing them, so sounds still end when they should.
#include <cstdint>

class VoSoundDevice {
public:
    // Writes aFrames stereo frames into apFrames; runs on the audio thread.
    using Fill = void (*)(void* apUserData, float* apFrames, std::int32_t aFrames);

    static constexpr std::int32_t kBlockFrames = 1024;

    VoSoundDevice() = default;
    VoSoundDevice(const VoSoundDevice&) = delete;
    VoSoundDevice& operator=(const VoSoundDevice&) = delete;
    ~VoSoundDevice();

    // Opens the output and starts calling aFill; false when not even the
    // dummy driver opens.
    bool Open(std::int32_t aRate, Fill aFill, void* apUserData);
    // Returns once the audio thread has stopped calling the fill function.
    void Close();
    bool IsOpen() const { return fDevice != 0; }
    // True when the stand-in dummy driver took the place of a real device.
    bool IsStandIn() const { return fStandIn; }

private:
    bool TryOpen(std::int32_t aRate);
    static void Callback(void* apDevice, std::uint8_t* apStream, int aLength);

    std::uint32_t fDevice = 0;
    Fill fFill = nullptr;
    void* fpUserData = nullptr;  // not owned
    bool fStandIn = false;
};
