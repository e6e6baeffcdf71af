#pragma once
// The movie blitter on OpenGL 2.1 (fixed function): glDrawPixels at a window
// position, rows flipped so the top row lands at the top, with every state
// that would touch the pixels on their way switched off for the copy and
// restored afterwards. The GL entry points are looked up through SDL on each
// copy, so nothing here links against GL itself.
#include "platform/port/VoIMovieBlitter.h"

class VoMovieBlitterGL : public VoIMovieBlitter {
public:
    static constexpr char kInvalidArgument[] = "Invalid arg.";
    static constexpr char kNoContext[] = "No graphics context.";
    static constexpr char kNoEntryPoints[] = "The GL entry points are missing.";
    static constexpr char kGLError[] = "The GL reported an error.";

    // The one blitter the movie players share by default; it has no state
    // beyond its last failure.
    static VoMovieBlitterGL& Get();

    // Needs a live graphics context current on this thread.
    bool Blit(const std::uint8_t* apPixels, std::int32_t aPitch, std::int32_t aX, std::int32_t aY,
              std::int32_t aWidth, std::int32_t aHeight) override;
    const char* GetFailure() const override { return fpFailure; }

private:
    const char* fpFailure = "";  // a string literal
};
