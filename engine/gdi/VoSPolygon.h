#pragma once
// A polygon outline shape: its points in order, closed polygons back to the
// first point. Only the stroke is built: a polygon shape is never filled.
#include "gdi/VoIShape.h"

class VoPolygon;
class VoVector2;

class VoSPolygon : public VoIShape {
public:
    VoSPolygon();
    ~VoSPolygon() override;

    VoString ToString() const override;
    bool Render(VoRenderer* apRenderer) override;
    // True at once when not dirty; false without a polygon. Rebuilds the
    // stroke buffer (stroked or not); a polygon without points gives the
    // assertion kUpdateShapeFailure, false, and an empty stroke.
    bool UpdateShape() override;

    // Keep a copy of the points (screen orientation, relative to the shape's
    // position) and mark the shape dirty. False, nothing changed, for a
    // negative count or null points with a positive count.
    virtual bool SetPoints(const VoVector2* apPoints, int aCount, bool aClosed);
    virtual bool SetPolygon(const VoPolygon& aPolygon);
    // The copy (owned by the shape); null until one is set.
    virtual VoPolygon* GetPolygon();

private:
    VoPolygon* fpPolygon = nullptr;  // owned
};
