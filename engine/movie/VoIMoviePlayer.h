#pragma once
// A movie as a display object. Frames are numbered from 1; the current frame
// is the one decoded next. A full-screen movie advances while the display
// tree draws it; a texture movie advances while it is registered with the
// frame manager (from Play or Resume until Pause, Close or its end) and shows
// through its texture. Owned by its caller (or by the group it joins).
#include <cstdint>

#include "gdi/VoIDisplayObject.h"
#include "stdlib/VoIFrameListener.h"

class VoIMovieListener;
class VoITexture;

class VoIMoviePlayer : public VoIDisplayObject, public VoIFrameListener {
public:
    ~VoIMoviePlayer() override = default;

    // No effect; true.
    virtual bool Reserved(std::uint32_t aArgument);
    // aPath: a native path.
    virtual bool Open(const VoString& aPath, bool aFullScreen) = 0;
    virtual bool Close() = 0;
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;
    // A texture movie's texture (not owned); null for a full-screen movie.
    virtual VoITexture* GetTexture();
    // The texture manager's handle of that texture; 0 when none.
    virtual std::uint32_t GetTextureHandle();
    virtual std::uint32_t GetCurrentFrame() = 0;
    virtual std::uint32_t GetFrameCount() = 0;
    // In whole seconds.
    virtual float GetLength() = 0;
    virtual std::int32_t GetWidth();
    virtual std::int32_t GetHeight();
    virtual bool GotoFrame(std::uint32_t aFrame) = 0;
    // Goes to the first key frame at or after aFrame.
    virtual bool GotoKeyFrame(std::uint32_t aFrame) = 0;
    virtual void SetLooping(bool aLooping);
    // Whole frames per second, as the movie was opened.
    virtual std::int32_t GetFrameRate();
    virtual void SetFrameRate(std::uint32_t aRate) = 0;
    virtual void ClearListener();
    // Not owned; null removes it.
    virtual void SetListener(VoIMovieListener* apListener);
    // 0 .. 1, applied when the next frame is decoded.
    virtual void SetVolume(float aVolume) = 0;

    bool GetLooping() const { return fLooping; }
    float GetVolume() const { return fVolume; }
    VoIMovieListener* GetListener() const { return fpListener; }

protected:
    VoIMoviePlayer() = default;

    VoIMovieListener* fpListener = nullptr;  // not owned
    VoITexture* fpTexture = nullptr;         // see the implementation for who owns it
    std::uint32_t fTextureHandle = 0;
    std::int32_t fWidth = 0;
    std::int32_t fHeight = 0;
    std::int32_t fFrameRate = 0;
    bool fLooping = false;
    float fVolume = 1.0f;
};
