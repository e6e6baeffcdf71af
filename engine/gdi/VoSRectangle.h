#pragma once
// A rectangle shape: an outline of five vertices (back to the first corner)
// while stroked, two triangles while filled. Tooltip backgrounds, frames
// and debug boxes.
#include "gdi/VoIShape.h"

class VoRectangle;

class VoSRectangle : public VoIShape {
public:
    VoSRectangle();
    ~VoSRectangle() override;

    bool Render(VoRenderer* apRenderer) override;
    // Rebuilds, for a dirty shape with a rectangle, the stroke buffer while
    // stroked and the fill buffer while filled; a buffer whose flag is off
    // is left as it was. False, still dirty, when nothing was to be done or
    // a buffer could not be filled (the assertion kUpdateShapeFailure).
    bool UpdateShape() override;

    // Keeps a copy (x, y, width, height; screen orientation, relative to the
    // shape's position) and marks the shape dirty. True.
    virtual bool SetShapeRectangle(const VoRectangle& aRectangle);
    // The copy (owned by the shape); null until one is set.
    const VoRectangle* GetShapeRectangle() const { return fpRectangle; }

private:
    VoRectangle* fpRectangle = nullptr;  // owned
};
