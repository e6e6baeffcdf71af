#pragma once
// Copies a full-screen movie's picture into the back buffer of the 800 x 600
// screen, straight (no blending, texturing or tests): the port layer's
// stand-in for locking the back buffer and copying into it. VoMovieBlitterGL
// draws into whatever framebuffer is bound; tests stand a recording one in
// its place.
#include <cstdint>

class VoIMovieBlitter {
public:
    static constexpr std::int32_t kTargetWidth = 800;
    static constexpr std::int32_t kTargetHeight = 600;

    virtual ~VoIMovieBlitter() = default;

    // aWidth x aHeight BGRA pixels, rows top first and aPitch bytes apart,
    // with their top-left corner at (aX, aY) in screen pixels (y down). The
    // caller clips to the target; what still lies outside is cut off. False
    // when nothing could be drawn; GetFailure then says why.
    virtual bool Blit(const std::uint8_t* apPixels, std::int32_t aPitch, std::int32_t aX, std::int32_t aY,
                      std::int32_t aWidth, std::int32_t aHeight) = 0;
    virtual const char* GetFailure() const = 0;
};
