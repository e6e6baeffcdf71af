#pragma once
// The axis-aligned rectangle of screen areas, image cut-outs and bounds.
// (x, y) is the corner with the smallest coordinates while width and height
// are positive; all four edges belong to the rectangle.
#include "container/VoBase.h"
#include "geometry/VoIRegion.h"
#include "geometry/VoVector2.h"

class VoPolygon;

class VoRectangle : public VoBase, public VoIRegion {
public:
    VoRectangle() : x(0.0f), y(0.0f), width(0.0f), height(0.0f) {}
    VoRectangle(float aWidth, float aHeight) : x(0.0f), y(0.0f), width(aWidth), height(aHeight) {}
    VoRectangle(float aX, float aY, float aWidth, float aHeight)
        : x(aX), y(aY), width(aWidth), height(aHeight) {}
    // The bounding rectangle of the polygon's points; the zero rectangle
    // when it has none. Defined with VoPolygon.
    explicit VoRectangle(const VoPolygon& aPolygon);
    VoRectangle(const VoRectangle&) = default;
    VoRectangle& operator=(const VoRectangle&) = default;
    ~VoRectangle() override = default;

    void Set(float aX, float aY, float aWidth, float aHeight);

    // Not implemented: logs kContainsRectNYI and gives false.
    bool ContainsRect(const VoRectangle& aOther) const;
    // Not implemented: writes the bare log line kGetIntersectionNYI and
    // gives the empty rectangle.
    VoRectangle GetIntersection(const VoRectangle& aOther) const;
    // The smallest rectangle holding both, with negative sizes normalised.
    void GetUnion(const VoRectangle& aOther, VoRectangle& aOut) const;
    VoRectangle& Union(const VoRectangle& aOther);

    // Moves the corner.
    VoRectangle& operator+=(const VoVector2& aOffset);
    VoRectangle operator+(const VoVector2& aOffset) const;

    VoIRegion* Clone() const override;
    bool ContainsPoint(const VoVector2& aPoint) const override;
    int GetType() const override { return kRectangle; }
    // Only the corner moves through the matrix; the size stays.
    void Transform(const VoMatrix& aMatrix) override;
    void Translate(const VoVector2& aOffset) override;

    // "[VoRectangle <address>]".
    VoString ToString() const override;

    static constexpr const char* kContainsRectNYI = "ContainsRect not yet implemented.";
    static constexpr const char16_t* kGetIntersectionNYI = u"GetIntersection not yet implemented.";

    float x;
    float y;
    float width;
    float height;
};
