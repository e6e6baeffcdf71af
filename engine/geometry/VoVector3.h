#pragma once
// A 3D point or direction: positions, normals, box corners, spline points.
// A plain value (no table, no base).
#include <cmath>
#include <cstdint>

#include "geometry/VoVector2.h"

class VoIStream;
class VoString;

class VoVector3 {
public:
    VoVector3() : x(0.0f), y(0.0f), z(0.0f) {}
    VoVector3(float aX, float aY, float aZ) : x(aX), y(aY), z(aZ) {}
    VoVector3(std::int32_t aX, std::int32_t aY, std::int32_t aZ)
        : x(static_cast<float>(aX)), y(static_cast<float>(aY)), z(static_cast<float>(aZ)) {}
    VoVector3(double aX, double aY, double aZ)
        : x(static_cast<float>(aX)), y(static_cast<float>(aY)), z(static_cast<float>(aZ)) {}
    // (x, y, 0). Explicit so that a 2D value never turns 3D unnoticed in an expression.
    explicit VoVector3(const VoVector2& aOther) : x(aOther.x), y(aOther.y), z(0.0f) {}
    VoVector3(const VoVector3&) = default;
    VoVector3& operator=(const VoVector3&) = default;
    // Takes x and y and sets z to 0.
    VoVector3& operator=(const VoVector2& aOther);

    void Set(float aX, float aY, float aZ) {
        x = aX;
        y = aY;
        z = aZ;
    }

    // The component's value; any index but 0..2 logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    VoVector3 operator+(const VoVector3& aOther) const {
        return VoVector3(x + aOther.x, y + aOther.y, z + aOther.z);
    }
    VoVector3 operator-(const VoVector3& aOther) const {
        return VoVector3(x - aOther.x, y - aOther.y, z - aOther.z);
    }
    VoVector3 operator+(float aValue) const { return VoVector3(x + aValue, y + aValue, z + aValue); }
    VoVector3 operator-(float aValue) const { return VoVector3(x - aValue, y - aValue, z - aValue); }
    VoVector3 operator*(float aScale) const { return VoVector3(x * aScale, y * aScale, z * aScale); }
    VoVector3& operator+=(const VoVector3& aOther);
    VoVector3& operator-=(const VoVector3& aOther);
    VoVector3& operator+=(float aValue);
    VoVector3& operator-=(float aValue);
    VoVector3& operator*=(float aScale);

    // == and != compare exactly; the orderings hold only when they hold for every component.
    bool operator==(const VoVector3& aOther) const { return x == aOther.x && y == aOther.y && z == aOther.z; }
    bool operator!=(const VoVector3& aOther) const { return !(*this == aOther); }
    bool operator<(const VoVector3& aOther) const { return x < aOther.x && y < aOther.y && z < aOther.z; }
    bool operator<=(const VoVector3& aOther) const { return x <= aOther.x && y <= aOther.y && z <= aOther.z; }
    bool operator>(const VoVector3& aOther) const { return x > aOther.x && y > aOther.y && z > aOther.z; }
    bool operator>=(const VoVector3& aOther) const { return x >= aOther.x && y >= aOther.y && z >= aOther.z; }
    // Every component within aTolerance of the other's.
    bool Equals(const VoVector3& aOther, float aTolerance) const;

    float Length() const;
    float LengthSquared() const { return x * x + y * y + z * z; }
    static float Dot(const VoVector3& aA, const VoVector3& aB) {
        return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
    }
    static VoVector3 Cross(const VoVector3& aA, const VoVector3& aB);

    // Unit length. A squared length within aTolerance of 0 is a caller's
    // mistake: it logs the assertion "Normalize failure." and gives (0, 1, 0).
    // One within aTolerance of 1 comes back unchanged.
    VoVector3 Normalize(float aTolerance) const;
    void Normalize(VoVector3& aOut, float aTolerance) const;
    // Silent form: a squared length of 0 or below aTolerance gives (0, 1, 0).
    // Inline: skinning and mesh loading run it once per vertex.
    VoVector3& NormalizeInPlace(float aTolerance) {
        const float squared = LengthSquared();
        if (squared == 0.0f || squared < aTolerance) {
            Set(0.0f, 1.0f, 0.0f);
        } else if (std::fabs(squared - 1.0f) > aTolerance) {
            const float scale = 1.0f / std::sqrt(squared);
            x *= scale;
            y *= scale;
            z *= scale;
        }
        return *this;
    }

    // Zero counts as non-negative on both sides: each component pair must be
    // both >= 0 or both < 0.
    bool SameSigns(const VoVector3& aOther) const;

    // x, y, z as 4-byte floats. A failed read leaves the vector unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    // "x|y|z", each in the string's float form.
    VoString ToValueString() const;

    float x;
    float y;
    float z;
};
