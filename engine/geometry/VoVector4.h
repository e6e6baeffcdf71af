#pragma once
// Four floats in three roles: a general 4D value, a rotation quaternion
// (x, y, z vector part, w scalar part; identity (0, 0, 0, 1)) and a plane
// (unit normal x, y, z and distance term w: p lies on it when
// x*p.x + y*p.y + z*p.z + w = 0). A plain value (no table, no base).
#include <cstdint>

#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"

class VoIStream;
class VoString;
class VoLine3;

class VoVector4 {
public:
    VoVector4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    VoVector4(float aX, float aY, float aZ, float aW) : x(aX), y(aY), z(aZ), w(aW) {}
    VoVector4(std::int32_t aX, std::int32_t aY, std::int32_t aZ, std::int32_t aW)
        : x(static_cast<float>(aX)),
          y(static_cast<float>(aY)),
          z(static_cast<float>(aZ)),
          w(static_cast<float>(aW)) {}
    VoVector4(double aX, double aY, double aZ, double aW)
        : x(static_cast<float>(aX)),
          y(static_cast<float>(aY)),
          z(static_cast<float>(aZ)),
          w(static_cast<float>(aW)) {}
    // (x, y, 0, 0).
    explicit VoVector4(const VoVector2& aOther) : x(aOther.x), y(aOther.y), z(0.0f), w(0.0f) {}
    VoVector4(const VoVector3& aOther, float aW) : x(aOther.x), y(aOther.y), z(aOther.z), w(aW) {}
    VoVector4(const VoVector4&) = default;
    VoVector4& operator=(const VoVector4&) = default;
    // Assigning a smaller vector zeroes the components it lacks.
    VoVector4& operator=(const VoVector2& aOther);
    VoVector4& operator=(const VoVector3& aOther);

    void Set(float aX, float aY, float aZ, float aW) {
        x = aX;
        y = aY;
        z = aZ;
        w = aW;
    }
    void Set(const VoVector3& aXYZ, float aW) { Set(aXYZ.x, aXYZ.y, aXYZ.z, aW); }

    // The component's value; any index but 0..3 logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    VoVector4 operator+(const VoVector4& aOther) const {
        return VoVector4(x + aOther.x, y + aOther.y, z + aOther.z, w + aOther.w);
    }
    VoVector4 operator-(const VoVector4& aOther) const {
        return VoVector4(x - aOther.x, y - aOther.y, z - aOther.z, w - aOther.w);
    }
    VoVector4& operator+=(const VoVector4& aOther);
    VoVector4& operator-=(const VoVector4& aOther);
    // The Hamilton product this * q of two quaternions.
    VoVector4 operator*(const VoVector4& aQ) const;
    VoVector4& operator*=(const VoVector4& aQ);

    // == and != compare exactly; the orderings hold only when they hold for every component.
    bool operator==(const VoVector4& aOther) const {
        return x == aOther.x && y == aOther.y && z == aOther.z && w == aOther.w;
    }
    bool operator!=(const VoVector4& aOther) const { return !(*this == aOther); }
    bool operator<(const VoVector4& aOther) const {
        return x < aOther.x && y < aOther.y && z < aOther.z && w < aOther.w;
    }
    bool operator<=(const VoVector4& aOther) const {
        return x <= aOther.x && y <= aOther.y && z <= aOther.z && w <= aOther.w;
    }
    bool operator>(const VoVector4& aOther) const {
        return x > aOther.x && y > aOther.y && z > aOther.z && w > aOther.w;
    }
    bool operator>=(const VoVector4& aOther) const {
        return x >= aOther.x && y >= aOther.y && z >= aOther.z && w >= aOther.w;
    }

    static float Dot(const VoVector4& aA, const VoVector4& aB) {
        return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z + aA.w * aB.w;
    }

    // Unit length over all four components; a squared length within
    // aTolerance of 0 becomes the identity rotation (0, 0, 0, 1).
    VoVector4& NormalizeInPlace(float aTolerance);

    // Plane through aPoint with the normal aNormal (normalised here).
    void SetPlane(const VoVector3& aPoint, const VoVector3& aNormal);
    // Plane through three points; the normal is (a - b) x (c - b), so the
    // winding decides which side it faces.
    void SetPlaneFromPoints(const VoVector3& aA, const VoVector3& aB, const VoVector3& aC);
    // Where the line meets this plane, within the line's extent. False
    // without touching aOut when the line runs parallel to the plane; false
    // with aOut set to the hit when the hit lies outside a ray or segment.
    bool IntersectLine(const VoLine3& aLine, VoVector3& aOut) const;

    // x, y, z, w as 4-byte floats. A failed read leaves the vector unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    // "[VoVector4 <address> (x, y, z, w)]".
    VoString ToString() const;
    // "x|y|z|w", each in the string's float form.
    VoString ToValueString() const;

    float x;
    float y;
    float z;
    float w;
};

// The same four floats named for their role.
using VoQuaternion = VoVector4;
using VoPlane = VoVector4;
