#include "movie/VoMoviePlayerBink.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "movie/VoIMovieListener.h"
#include "platform/VoIDeviceCapabilities.h"
#include "platform/port/VoMovieBlitterGL.h"
#include "render/VoITexture.h"
#include "render/VoTextureManager.h"
#include "stdlib/VoAPIObjectManager.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoNativePath.h"

namespace {

// The order a playing texture movie holds among the frame listeners.
constexpr float kFrameOrder = 0.0f;
// Positions beyond this many pixels are off every screen.
constexpr double kFarOff = 1.0e6;

// Numbers the textures of texture movies, so every one is filed apart.
std::uint32_t gTextureSerial = 0;

std::uint32_t PowerOfTwoAtLeast(std::uint32_t aValue) {
    std::uint64_t side = VoMoviePlayerBink::kMinPowerOfTwo;
    while (side < aValue) {
        side *= 2;
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(side, 0x80000000u));
}

// A display position as a whole pixel, truncated; false when it is not a number.
bool ToPixel(float aValue, std::int32_t* apPixel) {
    if (std::isnan(aValue)) {
        return false;
    }
    *apPixel = static_cast<std::int32_t>(std::clamp<double>(std::trunc(aValue), -kFarOff, kFarOff));
    return true;
}

}  // namespace

VoMoviePlayerBink::TextureLimits VoMoviePlayerBink::GetDeviceTextureLimits() {
    TextureLimits limits;
    VoIDeviceCapabilities* caps = VoIDeviceCapabilities::GetInstance();
    if (caps != nullptr) {
        limits.fPowerOfTwo = caps->RequiresPow2Textures();
        limits.fSquare = caps->RequiresSquareTextures();
        limits.fMaxWidth = caps->GetMaxTextureWidth();
        limits.fMaxHeight = caps->GetMaxTextureHeight();
    }
    return limits;
}

void VoMoviePlayerBink::MeasureTexture(const TextureLimits& aLimits, std::uint32_t* apWidth,
                                       std::uint32_t* apHeight) {
    if (aLimits.fPowerOfTwo) {
        *apWidth = PowerOfTwoAtLeast(*apWidth);
        *apHeight = PowerOfTwoAtLeast(*apHeight);
    }
    if (aLimits.fSquare) {
        *apWidth = *apHeight = std::max(*apWidth, *apHeight);
    }
}

VoMoviePlayerBink::VoMoviePlayerBink() : VoMoviePlayerBink(Ports()) {}

VoMoviePlayerBink::VoMoviePlayerBink(const Ports& aPorts)
    : fDecoder(aPorts.fpClock, aPorts.fpMixer),
      fPorts(aPorts),
      fpBlitter(aPorts.fpBlitter != nullptr ? aPorts.fpBlitter : &VoMovieBlitterGL::Get()) {}

VoMoviePlayerBink::~VoMoviePlayerBink() {
    LeaveFrames();
    fDecoder.Close();
    ReleaseTexture();
    fpListener = nullptr;
}

VoString VoMoviePlayerBink::ToString() const {
    return VoDebugString("VoMoviePlayerBink", this);
}

bool VoMoviePlayerBink::Open(const VoString& aPath, bool aFullScreen) {
    if (fDecoder.IsOpen()) {
        Close();
    }
    fFullScreen = aFullScreen;
    std::string fileName;
    if (!VoNativePath::ToNarrow(aPath, &fileName) || !fDecoder.OpenFile(fileName.c_str(), kOpenFlags)) {
        return false;
    }
    fPath = aPath;
    fWidth = fDecoder.GetWidth();
    fHeight = fDecoder.GetHeight();
    fFrameRate = static_cast<std::int32_t>(fDecoder.GetFrameRate() / fDecoder.GetFrameRateDivisor());
    if (!aFullScreen && !OpenTexture()) {
        fDecoder.Close();
        return false;
    }
    fVolumeDirty = true;
    return true;
}

bool VoMoviePlayerBink::OpenTexture() {
    const TextureLimits limits =
        fPorts.fpTextureLimits != nullptr ? fPorts.fpTextureLimits() : GetDeviceTextureLimits();
    std::uint32_t width = static_cast<std::uint32_t>(fWidth);
    std::uint32_t height = static_cast<std::uint32_t>(fHeight);
    MeasureTexture(limits, &width, &height);
    if (width > limits.fMaxWidth || height > limits.fMaxHeight) {
        return false;
    }
    // A texture of an earlier open goes first.
    ReleaseTexture();
    VoITexture* texture = VoAPIObjectManager::CreateServiceAs<VoITexture>(u"texture");
    const bool alpha = (fDecoder.GetOpenFlags() & VoMovieDecoder::kOpenAlpha) != 0;
    if (texture == nullptr ||
        !texture->CreateTexture(static_cast<std::uint32_t>(fWidth), static_cast<std::uint32_t>(fHeight),
                                alpha ? kAlphaFormat : kOpaqueFormat)) {
        delete texture;
        return false;
    }
    fpTexture = texture;
    fTextureId = fPath;
    fTextureId.Append(u"#");
    fTextureId.Append(static_cast<std::int32_t>(++gTextureSerial));
    fTextureHandle = 0;
    // Filed with the texture manager, which owns it from then on; the lock
    // keeps it while the movie plays. Without a manager the player keeps it.
    VoTextureManager* manager = VoTextureManager::GetInstance();
    if (manager != nullptr) {
        const std::uint32_t handle = manager->CreateTexture(fTextureId, texture);
        if (handle != 0 && manager->GetTexture(handle) == texture) {
            manager->LockHandle(handle);
            fTextureHandle = handle;
        }
    }
    return true;
}

void VoMoviePlayerBink::ReleaseTexture() {
    if (fTextureHandle != 0) {
        // The last unlock destroys it; a manager already gone took it with it.
        VoTextureManager* manager = VoTextureManager::GetInstance();
        if (manager != nullptr) {
            manager->UnlockHandle(fTextureHandle, 1);
        }
    } else {
        delete fpTexture;
    }
    fpTexture = nullptr;
    fTextureHandle = 0;
    fTextureId = VoString();
}

bool VoMoviePlayerBink::Close() {
    fDecoder.Close();
    LeaveFrames();
    return true;
}

bool VoMoviePlayerBink::Play() {
    if (!fDecoder.IsOpen()) {
        return false;
    }
    fDecoder.Pause(false);
    if (!fFullScreen) {
        JoinFrames();
    }
    return true;
}

bool VoMoviePlayerBink::Pause() {
    if (!fDecoder.IsOpen()) {
        return false;
    }
    fDecoder.Pause(true);
    LeaveFrames();
    return true;
}

bool VoMoviePlayerBink::Resume() {
    return Play();
}

std::uint32_t VoMoviePlayerBink::GetCurrentFrame() {
    return fDecoder.GetCurrentFrame();
}

std::uint32_t VoMoviePlayerBink::GetFrameCount() {
    return fDecoder.GetFrameCount();
}

float VoMoviePlayerBink::GetLength() {
    const std::uint32_t divisor = fDecoder.GetFrameRateDivisor();
    const std::uint32_t rate = divisor != 0 ? fDecoder.GetFrameRate() / divisor : 0;
    return rate != 0 ? static_cast<float>(fDecoder.GetFrameCount() / rate) : 0.0f;
}

bool VoMoviePlayerBink::GotoFrame(std::uint32_t aFrame) {
    return fDecoder.Goto(aFrame);
}

bool VoMoviePlayerBink::GotoKeyFrame(std::uint32_t aFrame) {
    return fDecoder.IsOpen() && fDecoder.Goto(fDecoder.GetKeyFrame(aFrame, true));
}

void VoMoviePlayerBink::SetFrameRate(std::uint32_t aRate) {
    if (fDecoder.IsOpen()) {
        fDecoder.SetFrameRate(aRate, 1);
    }
}

void VoMoviePlayerBink::SetVolume(float aVolume) {
    fVolume = aVolume;
    fVolumeDirty = true;
}

void VoMoviePlayerBink::ApplyVolume() {
    if (!fVolumeDirty) {
        return;
    }
    // Beyond 0 .. 1 (or not a number) the volume is held at the nearest end.
    const float volume = std::isnan(fVolume) ? 0.0f : std::clamp(fVolume, 0.0f, 1.0f);
    const auto level = static_cast<std::int32_t>(volume * VoMovieDecoder::kFullVolume);
    for (std::int32_t i = 0; i < fDecoder.GetSoundTrackCount(); ++i) {
        fDecoder.SetVolume(fDecoder.GetTrackId(i), level);
    }
    fVolumeDirty = false;
}

bool VoMoviePlayerBink::Render(VoRenderer*) {
    if (IsTransformDirty()) {
        RecomputeTransform();
    }
    if (!fDecoder.IsOpen()) {
        return false;
    }
    if (!fFullScreen) {
        return true;
    }
    ApplyVolume();
    const bool decoded = !fDecoder.Wait();
    if (decoded && !fDecoder.DoFrame()) {
        VoLog::WriteLine(kFrameSkippedLine);
    }
    // Every draw shows the latest picture, new or not.
    CopyToBackBuffer();
    if (decoded) {
        FinishFrame();
    }
    return true;
}

void VoMoviePlayerBink::OnUpdate() {
    if (IsTransformDirty()) {
        RecomputeTransform();
    }
    if (!fDecoder.IsOpen() || fFullScreen) {
        return;
    }
    ApplyVolume();
    if (fDecoder.Wait()) {
        return;
    }
    if (fDecoder.DoFrame()) {
        UploadTexture();
    } else {
        VoLog::WriteLine(kFrameSkippedLine);
    }
    FinishFrame();
}

void VoMoviePlayerBink::CopyToBackBuffer() {
    const std::uint8_t* picture = fDecoder.GetPicture();
    // A hidden movie plays on unseen.
    if (picture == nullptr || !GetEffectiveActive() || !GetEffectiveVisible()) {
        return;
    }
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!ToPixel(GetPosition().x, &x) || !ToPixel(GetPosition().y, &y)) {
        return;
    }
    // Only what lies on the back buffer is copied.
    const std::int32_t left = std::max(x, 0);
    const std::int32_t top = std::max(y, 0);
    const std::int32_t right = std::min(x + fWidth, VoIMovieBlitter::kTargetWidth);
    const std::int32_t bottom = std::min(y + fHeight, VoIMovieBlitter::kTargetHeight);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::int32_t pitch = fDecoder.GetPitch();
    const std::uint8_t* first = picture + static_cast<std::ptrdiff_t>(top - y) * pitch + (left - x) * 4;
    if (!fpBlitter->Blit(first, pitch, left, top, right - left, bottom - top)) {
        VO_ERROR(kRenderFailure, fpBlitter->GetFailure());
    }
}

void VoMoviePlayerBink::UploadTexture() {
    const std::uint8_t* picture = fDecoder.GetPicture();
    if (fpTexture == nullptr || picture == nullptr ||
        !fpTexture->UpdateTexture(picture, static_cast<std::uint32_t>(fDecoder.GetPitch()))) {
        VoLog::WriteLine(kTextureLockLine);
    }
}

void VoMoviePlayerBink::FinishFrame() {
    if (fDecoder.GetCurrentFrame() < fDecoder.GetFrameCount()) {
        fDecoder.NextFrame();
        return;
    }
    if (fLooping && Reopen()) {
        return;
    }
    fDecoder.Close();
    LeaveFrames();
    VoIMovieListener* listener = fpListener;
    if (listener != nullptr) {
        // The listener may delete this player: nothing of it is touched after the call.
        const VoString name(fName);
        listener->OnMovieEnd(name);
    }
}

bool VoMoviePlayerBink::Reopen() {
    const std::uint32_t flags = fDecoder.GetOpenFlags();
    fDecoder.Close();
    std::string fileName;
    // The file may have changed since: a movie of another size or kind would
    // not fit its texture.
    if (!VoNativePath::ToNarrow(fPath, &fileName) || !fDecoder.OpenFile(fileName.c_str(), kOpenFlags) ||
        fDecoder.GetWidth() != fWidth || fDecoder.GetHeight() != fHeight ||
        fDecoder.GetOpenFlags() != flags) {
        fDecoder.Close();
        VO_ERROR(kLoopFailure, fPath);
        return false;
    }
    // Heard from the first frame at the volume it had.
    fVolumeDirty = true;
    ApplyVolume();
    fDecoder.Pause(false);
    return true;
}

void VoMoviePlayerBink::JoinFrames() {
    if (fRegistered) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fRegistered = frames != nullptr && frames->AddListener(this, kFrameOrder);
}

void VoMoviePlayerBink::LeaveFrames() {
    if (!fRegistered) {
        return;
    }
    fRegistered = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}
