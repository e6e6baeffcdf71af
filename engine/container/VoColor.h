#pragma once
#include <cstdint>

#include "container/VoString.h"

class VoIStream;

// The engine's colour: four float channels, alpha first. Every constructor
// from numbers and the operators that return a new colour keep each channel
// in 0..1; Set, the compound operators and Pow do not (a NaN passes every
// clamp unchanged). Stored in mesh files as four floats R, G, B, A.
class VoColor {
public:
    VoColor();
    VoColor(float aR, float aG, float aB);
    VoColor(float aA, float aR, float aG, float aB);
    VoColor(unsigned char aR, unsigned char aG, unsigned char aB);
    VoColor(unsigned char aA, unsigned char aR, unsigned char aG, unsigned char aB);
    // Packed 0xAARRGGBB.
    explicit VoColor(int aArgb);
    VoColor(const VoColor& aOther) = default;
    VoColor& operator=(const VoColor& aOther) = default;
    ~VoColor() = default;

    // Packed 0xAARRGGBB; each channel times 255, clamped to 0..255 (NaN to
    // 0), truncated toward zero.
    std::uint32_t GetARGB() const;
    void Set(float aA, float aR, float aG, float aB);

    bool operator==(const VoColor& aOther) const;
    bool operator!=(const VoColor& aOther) const;
    VoColor operator*(const VoColor& aOther) const;
    VoColor operator*(float aFactor) const;
    VoColor& operator*=(const VoColor& aOther);
    VoColor& operator*=(float aFactor);
    VoColor operator+(const VoColor& aOther) const;
    VoColor operator+(float aAmount) const;
    VoColor& operator+=(const VoColor& aOther);
    VoColor& operator+=(float aAmount);
    VoColor& Pow(float aExponent);

    // Four floats R, G, B, A; all four are always attempted.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    VoString ToString() const;

    float fA;
    float fR;
    float fG;
    float fB;
};
