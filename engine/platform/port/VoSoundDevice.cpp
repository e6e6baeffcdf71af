#include "platform/port/VoSoundDevice.h"

#include <SDL.h>

#include <cstring>

namespace {
constexpr const char* kStandInDriver = "dummy";
}

VoSoundDevice::~VoSoundDevice() {
    Close();
}

bool VoSoundDevice::Open(std::int32_t aRate, Fill aFill, void* apUserData) {
    Close();
    if (aFill == nullptr || aRate <= 0) {
        return false;
    }
    fFill = aFill;
    fpUserData = apUserData;
    if (TryOpen(aRate)) {
        return true;
    }
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, kStandInDriver, SDL_HINT_OVERRIDE);
    const bool opened = TryOpen(aRate);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    fStandIn = opened;
    if (!opened) {
        fFill = nullptr;
        fpUserData = nullptr;
    }
    return opened;
}

bool VoSoundDevice::TryOpen(std::int32_t aRate) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    SDL_AudioSpec wanted;
    std::memset(&wanted, 0, sizeof(wanted));
    wanted.freq = aRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = kBlockFrames;
    wanted.callback = &VoSoundDevice::Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained;
    // No changes allowed: SDL converts to whatever the hardware takes.
    fDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (fDevice == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(fDevice, 0);
    return true;
}

void VoSoundDevice::Close() {
    if (fDevice != 0) {
        SDL_CloseAudioDevice(fDevice);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        fDevice = 0;
    }
    fFill = nullptr;
    fpUserData = nullptr;
    fStandIn = false;
}

void VoSoundDevice::Callback(void* apDevice, std::uint8_t* apStream, int aLength) {
    VoSoundDevice* device = static_cast<VoSoundDevice*>(apDevice);
    const std::int32_t frames = aLength / static_cast<int>(2 * sizeof(float));
    device->fFill(device->fpUserData, reinterpret_cast<float*>(apStream), frames);
}
