#pragma once
// A sound player on the sound system. A playing stream joins the frame
// manager: the system's end callback (on the mixing thread) only sets an
// atomic flag, and OnUpdate, on the main thread, turns it into the
// listener's OnSoundEnd in the frame after the end, then stops the rest of
// that frame's dispatch (the listener may have deleted or rebuilt objects
// that are registered).
//
// The player knows whether it is registered with the frame manager, so the
// operations that leave it (Pause, Stop, Release, the end, destruction) and
// those that join it (Play) may come in any order without a message.
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/VoISoundPlayer.h"
#include "stdlib/VoIFrameListener.h"

class VoISoundSystem;

class VoSoundPlayerFMOD : public VoISoundPlayer, public VoIFrameListener {
public:
    // On the process-wide mixer.
    explicit VoSoundPlayerFMOD(const VoString& aName);
    // On apSystem (not owned, outlives the player).
    VoSoundPlayerFMOD(const VoString& aName, VoISoundSystem* apSystem);
    ~VoSoundPlayerFMOD() override;

    // "[VoSoundPlayerFMOD <address>]".
    VoString ToString() const override;

    bool OpenStream(const VoString& aPath) override;
    bool LoadSample(const VoString& aPath) override;
    void Release() override;
    void Pause() override;
    void Play() override;
    void Stop() override;
    VoString GetName() const override;
    float GetLength() const override;
    float GetLevels() const override;
    float GetPosition() const override;
    bool IsFinished() const override;
    void Reserved(std::uint32_t aArgument) override;
    void SetListener(VoISoundListener* apListener) override;
    void SetLoopCount(bool aLoop) override;
    void Seek(float aSeconds) override;
    void SetVolume(float aScale) override;

    void OnUpdate() override;

    // 0 .. 255, applied at every play.
    std::int32_t GetVolume() const { return fVolume; }
    // The system's channel, -1 for none.
    std::int32_t GetChannel() const { return fChannel; }
    bool IsRegistered() const { return fRegistered; }

private:
    static void OnStreamEnd(void* apPlayer);
    // The engine path as the file name the system opens; false when it
    // cannot be resolved.
    static bool ToFileName(const VoString& aPath, std::string* apFileName);
    void JoinFrames();
    void LeaveFrames();

    VoString fName;
    VoISoundSystem* fpSystem;  // not owned
    std::int32_t fStream = 0;
    std::int32_t fSample = 0;
    std::int32_t fChannel = -1;
    std::int32_t fVolume = 255;
    std::int32_t fResumePosition = 0;  // milliseconds
    // Written by the mixing thread, read and cleared by the main thread.
    std::atomic<bool> fEnded{false};
    VoISoundListener* fpListener = nullptr;  // not owned
    bool fRegistered = false;
};
