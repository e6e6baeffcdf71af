#include "container/VoColor.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "stdlib/VoIStream.h"

namespace {

// Written so that a NaN fails both tests and passes through.
float Clamp01(float aValue) {
    if (aValue < 0.0f) {
        return 0.0f;
    }
    if (aValue > 1.0f) {
        return 1.0f;
    }
    return aValue;
}

float FromByte(unsigned aByte) { return static_cast<float>(aByte & 0xFFu) / 255.0f; }

std::uint32_t ToByte(float aChannel) {
    const float scaled = aChannel * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    if (scaled >= 255.0f) {
        return 255;
    }
    return static_cast<std::uint32_t>(scaled);
}

}  // namespace

VoColor::VoColor() : fA(0.0f), fR(0.0f), fG(0.0f), fB(0.0f) {}

VoColor::VoColor(float aR, float aG, float aB) : VoColor(1.0f, aR, aG, aB) {}

VoColor::VoColor(float aA, float aR, float aG, float aB)
    : fA(Clamp01(aA)), fR(Clamp01(aR)), fG(Clamp01(aG)), fB(Clamp01(aB)) {}

VoColor::VoColor(unsigned char aR, unsigned char aG, unsigned char aB)
    : fA(1.0f), fR(FromByte(aR)), fG(FromByte(aG)), fB(FromByte(aB)) {}

VoColor::VoColor(unsigned char aA, unsigned char aR, unsigned char aG, unsigned char aB)
    : fA(FromByte(aA)), fR(FromByte(aR)), fG(FromByte(aG)), fB(FromByte(aB)) {}

VoColor::VoColor(int aArgb) {
    const std::uint32_t argb = static_cast<std::uint32_t>(aArgb);
    fA = FromByte(argb >> 24);
    fR = FromByte(argb >> 16);
    fG = FromByte(argb >> 8);
    fB = FromByte(argb);
}

std::uint32_t VoColor::GetARGB() const {
    return (ToByte(fA) << 24) | (ToByte(fR) << 16) | (ToByte(fG) << 8) | ToByte(fB);
}

void VoColor::Set(float aA, float aR, float aG, float aB) {
    fA = aA;
    fR = aR;
    fG = aG;
    fB = aB;
}

bool VoColor::operator==(const VoColor& aOther) const {
    return fA == aOther.fA && fR == aOther.fR && fG == aOther.fG && fB == aOther.fB;
}

bool VoColor::operator!=(const VoColor& aOther) const { return !(*this == aOther); }

VoColor VoColor::operator*(const VoColor& aOther) const {
    return VoColor(fA * aOther.fA, fR * aOther.fR, fG * aOther.fG, fB * aOther.fB);
}

VoColor VoColor::operator*(float aFactor) const {
    return VoColor(fA * aFactor, fR * aFactor, fG * aFactor, fB * aFactor);
}

VoColor& VoColor::operator*=(const VoColor& aOther) {
    Set(fA * aOther.fA, fR * aOther.fR, fG * aOther.fG, fB * aOther.fB);
    return *this;
}

VoColor& VoColor::operator*=(float aFactor) {
    Set(fA * aFactor, fR * aFactor, fG * aFactor, fB * aFactor);
    return *this;
}

VoColor VoColor::operator+(const VoColor& aOther) const {
    return VoColor(fA + aOther.fA, fR + aOther.fR, fG + aOther.fG, fB + aOther.fB);
}

VoColor VoColor::operator+(float aAmount) const {
    return VoColor(fA + aAmount, fR + aAmount, fG + aAmount, fB + aAmount);
}

VoColor& VoColor::operator+=(const VoColor& aOther) {
    Set(fA + aOther.fA, fR + aOther.fR, fG + aOther.fG, fB + aOther.fB);
    return *this;
}

VoColor& VoColor::operator+=(float aAmount) {
    Set(fA + aAmount, fR + aAmount, fG + aAmount, fB + aAmount);
    return *this;
}

VoColor& VoColor::Pow(float aExponent) {
    const double exponent = aExponent;
    Set(static_cast<float>(std::pow(static_cast<double>(fA), exponent)),
        static_cast<float>(std::pow(static_cast<double>(fR), exponent)),
        static_cast<float>(std::pow(static_cast<double>(fG), exponent)),
        static_cast<float>(std::pow(static_cast<double>(fB), exponent)));
    return *this;
}

bool VoColor::Read(VoIStream* apStream) {
    float components[4];
    if (apStream != nullptr && apStream->ReadWordRun(components, 4)) {
        fR = components[0];
        fG = components[1];
        fB = components[2];
        fA = components[3];
        return true;
    }
    // Value by value: each component that can be read is taken.
    const bool red = VoIStream::ReadValue(apStream, &fR);
    const bool green = VoIStream::ReadValue(apStream, &fG);
    const bool blue = VoIStream::ReadValue(apStream, &fB);
    const bool alpha = VoIStream::ReadValue(apStream, &fA);
    return red && green && blue && alpha;
}

bool VoColor::Write(VoIStream* apStream) const {
    const bool red = VoIStream::WriteValue(apStream, fR);
    const bool green = VoIStream::WriteValue(apStream, fG);
    const bool blue = VoIStream::WriteValue(apStream, fB);
    const bool alpha = VoIStream::WriteValue(apStream, fA);
    return red && green && blue && alpha;
}

VoString VoColor::ToString() const {
    return VoDebugString("VoColor", this, " A:", fA, " R:", fR, " G:", fG, " B:", fB);
}
