#pragma once
// A movie player on the port layer's movie decoder.
//
// Each step (Render of a full-screen movie, OnUpdate of a texture movie)
// applies a changed volume, then, when the next frame is due, decodes it; a
// full-screen movie copies its picture into the back buffer on every Render,
// clipped to the 800 x 600 screen, and a texture movie uploads each new
// picture into its texture. After the last frame a looping movie opens again
// (with the flags and the volume it had) and goes on from its first frame;
// any other closes and tells its listener, which may delete the player.
//
// The player knows whether it is registered with the frame manager, so
// Play, Pause, Resume, Close, the end and destruction may come in any order
// without a message.
//
// Until the texture manager files movie textures, the player owns its
// texture; its id is the movie's path, "#" and a number unique in the run,
// so two players of one file never share a texture.
#include <cstdint>

#include "movie/VoIMoviePlayer.h"
#include "platform/port/VoMovieDecoder.h"

class VoIMovieBlitter;
class VoITimeSource;
class VoSoundMixer;

class VoMoviePlayerBink : public VoIMoviePlayer {
public:
    // Plain lines, without level or source.
    static constexpr char16_t kFrameSkippedLine[] = u"Frame was skipped";
    static constexpr char16_t kTextureLockLine[] = u"Failed to lock texture surface";
    static constexpr char kRenderFailure[] =
        "Render() failure. Could not copy the frame to the back buffer: ";
    static constexpr char kLoopFailure[] = "Render() failure. Could not open the looping movie again: ";
    // The movie is opened asking for its alpha channel.
    static constexpr std::uint32_t kOpenFlags = VoMovieDecoder::kOpenAlpha;
    // Texture formats: BGRA when the movie has alpha, else BGRX.
    static constexpr std::int32_t kAlphaFormat = 1;
    static constexpr std::int32_t kOpaqueFormat = 2;
    // The smallest power-of-two side a texture is measured at.
    static constexpr std::uint32_t kMinPowerOfTwo = 64;

    // What the device allows of textures.
    struct TextureLimits {
        bool fPowerOfTwo = false;
        bool fSquare = false;
        std::uint32_t fMaxWidth = 2048;
        std::uint32_t fMaxHeight = 2048;
    };

    // The port layer's pieces a movie plays through; null stands for the real
    // one (monotonic clock, process-wide mixer, GL blitter, the device's
    // texture limits). Not owned; they outlive the player.
    struct Ports {
        VoITimeSource* fpClock = nullptr;
        VoSoundMixer* fpMixer = nullptr;
        VoIMovieBlitter* fpBlitter = nullptr;
        TextureLimits (*fpTextureLimits)() = nullptr;
    };

    // The limits of the graphics device's textures.
    static TextureLimits GetDeviceTextureLimits();
    // The size a texture of aWidth x aHeight is measured at against aLimits.
    static void MeasureTexture(const TextureLimits& aLimits, std::uint32_t* apWidth, std::uint32_t* apHeight);

    VoMoviePlayerBink();
    explicit VoMoviePlayerBink(const Ports& aPorts);
    // Leaves the frame manager, closes the movie and gives up its texture.
    ~VoMoviePlayerBink() override;

    // "[VoMoviePlayerBink <address>]".
    VoString ToString() const override;

    // Draws a full-screen movie; false without an open movie.
    bool Render(VoRenderer* apRenderer) override;
    // Advances a texture movie.
    void OnUpdate() override;

    // An open movie is closed first. False when the file cannot be read, or,
    // for a texture movie, when its texture would break the device's limits
    // or cannot be made.
    bool Open(const VoString& aPath, bool aFullScreen) override;
    bool Close() override;
    bool Play() override;
    bool Pause() override;
    bool Resume() override;
    std::uint32_t GetCurrentFrame() override;
    std::uint32_t GetFrameCount() override;
    // Frames / whole frames per second; 0 below one frame per second.
    float GetLength() override;
    bool GotoFrame(std::uint32_t aFrame) override;
    bool GotoKeyFrame(std::uint32_t aFrame) override;
    // Frames fall due at aRate per second from now on; 0 is refused.
    void SetFrameRate(std::uint32_t aRate) override;
    void SetVolume(float aVolume) override;

    bool IsOpen() const { return fDecoder.IsOpen(); }
    bool IsFullScreen() const { return fFullScreen; }
    bool IsRegistered() const { return fRegistered; }
    const VoString& GetName() const { return fName; }
    const VoString& GetPath() const { return fPath; }
    // The id its texture is filed under; empty without a texture.
    const VoString& GetTextureId() const { return fTextureId; }
    // The port layer's movie, for what the interface does not tell.
    const VoMovieDecoder& GetDecoder() const { return fDecoder; }

private:
    bool OpenTexture();
    void ReleaseTexture();
    void ApplyVolume();
    void CopyToBackBuffer();
    void UploadTexture();
    // After a decoded frame: steps on, loops or ends. Once it has told the
    // listener the player may be gone: nothing of it is touched after.
    void FinishFrame();
    bool Reopen();
    void JoinFrames();
    void LeaveFrames();

    VoString fName;
    VoString fPath;
    VoMovieDecoder fDecoder;
    bool fFullScreen = false;
    bool fVolumeDirty = false;
    bool fRegistered = false;
    Ports fPorts;
    VoIMovieBlitter* fpBlitter;  // not owned
    VoString fTextureId;
};
