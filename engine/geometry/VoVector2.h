#pragma once
// A 2D point or direction: screen positions, polygon corners, navigation.
// A plain value (no table, no base); copies are copies of the two floats.
#include <cstdint>

class VoIStream;
class VoString;
class VoLine2;

class VoVector2 {
public:
    VoVector2() : x(0.0f), y(0.0f) {}
    VoVector2(float aX, float aY) : x(aX), y(aY) {}
    VoVector2(std::int32_t aX, std::int32_t aY) : x(static_cast<float>(aX)), y(static_cast<float>(aY)) {}
    VoVector2(double aX, double aY) : x(static_cast<float>(aX)), y(static_cast<float>(aY)) {}
    VoVector2(const VoVector2&) = default;
    VoVector2& operator=(const VoVector2&) = default;

    void Set(float aX, float aY) {
        x = aX;
        y = aY;
    }

    // The component's value; any index but 0 or 1 logs "Index out of bounds." and gives 0.
    float operator[](int aIndex) const;

    VoVector2 operator+(const VoVector2& aOther) const { return VoVector2(x + aOther.x, y + aOther.y); }
    VoVector2 operator-(const VoVector2& aOther) const { return VoVector2(x - aOther.x, y - aOther.y); }
    VoVector2 operator+(float aValue) const { return VoVector2(x + aValue, y + aValue); }
    VoVector2 operator-(float aValue) const { return VoVector2(x - aValue, y - aValue); }
    VoVector2 operator*(float aScale) const { return VoVector2(x * aScale, y * aScale); }
    VoVector2& operator+=(const VoVector2& aOther);
    VoVector2& operator-=(const VoVector2& aOther);
    VoVector2& operator*=(float aScale);

    // == and != compare exactly; the orderings hold only when they hold for
    // both components, so two vectors can be neither < nor >=.
    bool operator==(const VoVector2& aOther) const { return x == aOther.x && y == aOther.y; }
    bool operator!=(const VoVector2& aOther) const { return !(*this == aOther); }
    bool operator<(const VoVector2& aOther) const { return x < aOther.x && y < aOther.y; }
    bool operator<=(const VoVector2& aOther) const { return x <= aOther.x && y <= aOther.y; }
    bool operator>(const VoVector2& aOther) const { return x > aOther.x && y > aOther.y; }
    bool operator>=(const VoVector2& aOther) const { return x >= aOther.x && y >= aOther.y; }

    float Length() const;
    float LengthSquared() const { return x * x + y * y; }
    float Distance(const VoVector2& aOther) const;
    float DistanceSquared(const VoVector2& aOther) const { return (*this - aOther).LengthSquared(); }

    // Unit length; a squared length within aTolerance of 0 gives (0, 1), one
    // within aTolerance of 1 is returned bit for bit.
    VoVector2 Normalize(float aTolerance) const;
    VoVector2& NormalizeInPlace(float aTolerance);

    // Turns the vector in place by aAngle radians, counter-clockwise for y up.
    VoVector2& Rotate(float aAngle);
    // (x, y) -> (-y, x).
    VoVector2& Rotate90CCW();
    // (x, y) -> (y, -x).
    VoVector2& Rotate90CW();

    // The angle in radians (0..pi) between the two directions. Gives 0 when
    // the dot product is below the near-zero tolerance in size, which also
    // makes perpendicular vectors 0: the walking code turns by this value as
    // it has always been, so the quirk stays.
    float AngleBetween(const VoVector2& aOther) const;
    // The interior angle at this point of the triangle (this, a, b); 0 when
    // this point coincides with a or b.
    float AngleBetweenPoints(const VoVector2& aA, const VoVector2& aB) const;
    // (y - other.y) / (x - other.x); a run of exactly 0 divides by the near-zero tolerance.
    float Slope(const VoVector2& aOther) const;
    // +1, -1 or 0: the side of the line a-b on which this point lies.
    int SideOfLine(const VoVector2& aA, const VoVector2& aB) const;
    int SideOfLine(const VoLine2& aLine) const;

    VoVector2 Abs() const;
    VoVector2& AbsInPlace();
    // A zero component of this vector matches anything; a positive one needs
    // the other's >= 0 and a negative one the other's <= 0.
    bool SameSigns(const VoVector2& aOther) const;

    // x then y as 4-byte floats. A failed read leaves the vector unchanged.
    bool Read(VoIStream* apStream);
    bool Write(VoIStream* apStream) const;

    // "[VoVector2 <address> (x, y)]".
    VoString ToString() const;

    float x;
    float y;
};
