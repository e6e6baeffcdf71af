#pragma once
// The engine's abstract 2D area: hit boundaries of display objects, hotspot
// shapes, walk bounds. Implemented by VoRectangle and VoPolygon, carried as
// their second base after VoBase.
class VoMatrix;
class VoVector2;

class VoIRegion {
public:
    // What GetType answers.
    enum { kRectangle = 0, kPolygon = 1 };

    virtual ~VoIRegion() = default;
    // A new copy of the whole implementing object, owned by the caller; null
    // when the allocation fails.
    virtual VoIRegion* Clone() const = 0;
    // Edges belong to the region.
    virtual bool ContainsPoint(const VoVector2& aPoint) const = 0;
    virtual int GetType() const = 0;
    // Moves the region's points through the matrix as (x, y, 0) points.
    virtual void Transform(const VoMatrix& aMatrix) = 0;
    virtual void Translate(const VoVector2& aOffset) = 0;
};
