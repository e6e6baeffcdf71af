#include "platform/VoSoundPlayerFMOD.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "container/VoDebugString.h"
#include "platform/VoISoundListener.h"
#include "platform/port/VoISoundSystem.h"
#include "platform/port/VoSoundMixer.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoIFileSystem.h"
#include "system/VoNativePath.h"

namespace {

// The order a playing stream holds among the frame listeners.
constexpr float kFrameOrder = 0.0f;

}  // namespace

VoSoundPlayerFMOD::VoSoundPlayerFMOD(const VoString& aName) : VoSoundPlayerFMOD(aName, nullptr) {}

VoSoundPlayerFMOD::VoSoundPlayerFMOD(const VoString& aName, VoISoundSystem* apSystem)
    : fName(aName), fpSystem(apSystem != nullptr ? apSystem : &VoSoundMixer::Get()) {}

VoSoundPlayerFMOD::~VoSoundPlayerFMOD() {
    VoSoundPlayerFMOD::Release();
}

VoString VoSoundPlayerFMOD::ToString() const {
    return VoDebugString("VoSoundPlayerFMOD", this);
}

bool VoSoundPlayerFMOD::ToFileName(const VoString& aPath, std::string* apFileName) {
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    VoString nativePath;
    return fileSystem != nullptr && fileSystem->ResolvePath(aPath, nativePath) &&
           VoNativePath::ToNarrow(nativePath, apFileName);
}

bool VoSoundPlayerFMOD::OpenStream(const VoString& aPath) {
    if (fStream != 0) {
        Release();
    }
    std::string fileName;
    if (!ToFileName(aPath, &fileName)) {
        return false;
    }
    fStream = fpSystem->OpenStream(fileName.c_str());
    if (fStream == 0) {
        return false;
    }
    fpSystem->SetStreamLoopCount(fStream, 0);
    fResumePosition = 0;
    return true;
}

bool VoSoundPlayerFMOD::LoadSample(const VoString& aPath) {
    if (fSample != 0) {
        Release();
    }
    std::string fileName;
    if (!ToFileName(aPath, &fileName)) {
        return false;
    }
    fSample = fpSystem->LoadSample(fileName.c_str());
    fChannel = -1;
    return fSample != 0;
}

void VoSoundPlayerFMOD::Release() {
    if (fStream != 0) {
        LeaveFrames();
        // Once closed, the stream's end callback can no longer run.
        fpSystem->CloseStream(fStream);
        fStream = 0;
        fChannel = -1;
        fEnded.store(false);
    }
    if (fSample != 0) {
        fpSystem->FreeSample(fSample);
        fSample = 0;
        fChannel = -1;
    }
}

void VoSoundPlayerFMOD::Pause() {
    if (fStream == 0) {
        return;
    }
    LeaveFrames();
    fResumePosition = fpSystem->GetStreamTime(fStream);
    fpSystem->StopStream(fStream);
    fChannel = -1;
}

void VoSoundPlayerFMOD::Play() {
    if (fStream != 0) {
        const std::int32_t length = fpSystem->GetStreamLengthMs(fStream);
        std::int32_t start = fResumePosition;
        // A stream that has run to its end (and was not moved since) plays
        // again from its start, whatever an earlier pause had kept.
        if (fEnded.load() && fpSystem->GetStreamTime(fStream) >= length) {
            start = 0;
        }
        if (start >= length) {
            start = 0;
        }
        // Callback and flag are set before the stream starts, so an end that
        // comes at once is neither lost nor cleared.
        fpSystem->SetStreamEndCallback(fStream, &VoSoundPlayerFMOD::OnStreamEnd, this);
        fEnded.store(false);
        fpSystem->SetStreamTime(fStream, start);
        fChannel = fpSystem->PlayStream(fStream, fVolume);
        // With every channel taken nothing plays, and no end will ever come.
        if (fChannel != -1) {
            JoinFrames();
        }
    } else if (fSample != 0) {
        if (fChannel >= 0) {
            Stop();
        }
        fChannel = fpSystem->PlaySound(fSample, fVolume);
    }
}

void VoSoundPlayerFMOD::Stop() {
    if (fStream != 0) {
        LeaveFrames();
        fResumePosition = 0;
        fpSystem->StopStream(fStream);
        fpSystem->SetStreamTime(fStream, 0);
        fChannel = -1;
    } else if (fSample != 0 && fChannel >= 0) {
        fpSystem->StopSound(fChannel);
        fChannel = -1;
    }
}

VoString VoSoundPlayerFMOD::GetName() const {
    return fName;
}

float VoSoundPlayerFMOD::GetLength() const {
    if (fStream != 0) {
        return static_cast<float>(fpSystem->GetStreamLengthMs(fStream) / 1000.0);
    }
    if (fSample != 0) {
        const std::int32_t frequency = fpSystem->GetSampleDefaultFrequency(fSample);
        return frequency > 0 ? static_cast<float>(fpSystem->GetSampleLength(fSample)) / frequency : 0.0f;
    }
    return 0.0f;
}

float VoSoundPlayerFMOD::GetLevels() const {
    if (fStream == 0 && fSample == 0) {
        return 0.0f;
    }
    float left = 0.0f;
    float right = 0.0f;
    fpSystem->GetCurrentLevels(fChannel, &left, &right);
    return std::max(left, right);
}

float VoSoundPlayerFMOD::GetPosition() const {
    if (fStream != 0) {
        return static_cast<float>(fpSystem->GetStreamTime(fStream) / 1000.0);
    }
    if (fSample != 0 && fChannel >= 0) {
        const std::int32_t frequency = fpSystem->GetSampleDefaultFrequency(fSample);
        return frequency > 0 ? static_cast<float>(fpSystem->GetCurrentPosition(fChannel)) / frequency : 0.0f;
    }
    return 0.0f;
}

bool VoSoundPlayerFMOD::IsFinished() const {
    if (fStream != 0) {
        return fpSystem->GetStreamTime(fStream) == fpSystem->GetStreamLengthMs(fStream);
    }
    if (fSample != 0 && fChannel != -1) {
        return !fpSystem->IsPlaying(fChannel);
    }
    return false;
}

void VoSoundPlayerFMOD::Reserved(std::uint32_t) {}

void VoSoundPlayerFMOD::SetListener(VoISoundListener* apListener) {
    fpListener = apListener;
}

void VoSoundPlayerFMOD::SetLoopCount(bool aLoop) {
    if (fStream != 0) {
        fpSystem->SetStreamLoopCount(fStream, aLoop ? VoISoundSystem::kLoopForever : 0);
    }
}

void VoSoundPlayerFMOD::Seek(float aSeconds) {
    if (fStream == 0) {
        return;
    }
    // Before the start (or not a number) is the start; the far end is capped
    // where the milliseconds still fit.
    const double milliseconds = static_cast<double>(aSeconds) * 1000.0;
    std::int32_t target = 0;
    if (milliseconds >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        target = std::numeric_limits<std::int32_t>::max();
    } else if (milliseconds > 0.0) {
        target = static_cast<std::int32_t>(milliseconds);
    }
    fpSystem->SetStreamTime(fStream, target);
    // A paused stream resumes from here.
    fResumePosition = fpSystem->GetStreamTime(fStream);
}

void VoSoundPlayerFMOD::SetVolume(float aScale) {
    const float scale = std::isnan(aScale) ? 0.0f : std::clamp(aScale, 0.0f, 1.0f);
    fVolume = static_cast<std::int32_t>(scale * VoISoundSystem::kMaxVolume);
    if (fChannel != -1) {
        fpSystem->SetVolume(fChannel, fVolume);
    }
}

void VoSoundPlayerFMOD::OnStreamEnd(void* apPlayer) {
    static_cast<VoSoundPlayerFMOD*>(apPlayer)->fEnded.store(true);
}

void VoSoundPlayerFMOD::OnUpdate() {
    if (!fEnded.load()) {
        return;
    }
    LeaveFrames();
    VoISoundListener* listener = fpListener;
    if (listener == nullptr) {
        return;
    }
    // The listener may delete this player: nothing of it is touched after the call.
    const VoString name(fName);
    listener->OnSoundEnd(name);
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->StopUpdate();
    }
}

void VoSoundPlayerFMOD::JoinFrames() {
    if (fRegistered) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fRegistered = frames != nullptr && frames->AddListener(this, kFrameOrder);
}

void VoSoundPlayerFMOD::LeaveFrames() {
    if (!fRegistered) {
        return;
    }
    fRegistered = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}
