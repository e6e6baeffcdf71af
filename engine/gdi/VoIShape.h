#pragma once
// The base of the vector shapes: display objects drawn from vertices rather
// than a picture (rectangles, polygon outlines, Bezier paths). A shape keeps
// its geometry, a stroke and a fill colour and two flags; it turns the
// geometry into vertex buffers lazily, when it is drawn after a change, and
// the renderer draws the fill as a triangle list, then the stroke as a line
// strip, each textured with a one-pixel texture of its colour.
//
// Geometry is given in screen orientation relative to the shape's position;
// the buffers hold position-only vertices (x, -y, z) in the y-up frame.
// Geometry setters mark the shape dirty; the stroked and filled flags do
// not (they are read at every draw, and decide at the next rebuild which
// buffers a rectangle builds). Colours take effect at once.
//
// A shape is a group, so it can hold members; drawing the shape draws only
// the shape itself.
#include <cstdint>

#include "container/VoColor.h"
#include "gdi/VoDisplayGroup.h"

class VoITexture;
class VoVertexBuffer;

class VoIShape : public VoDisplayGroup {
public:
    static constexpr const char* kTrackingRender = "Tracking render.";
    static constexpr const char* kUpdateShapeFailure = "UpdateShape failure.";
    static constexpr const char* kColorTextureFailure = "SetColor failure. Could not create texture.";
    // Position-only vertices: x, y, z.
    static constexpr std::int32_t kVertexFormat = 1;

    // Deletes both buffers and both colour textures; the group's destructor
    // then deletes the members.
    ~VoIShape() override;

    // Rebuilds the buffers when dirty, validates, and draws through the
    // renderer unless not effectively active or visible (then true). The
    // concrete shapes run this form.
    bool Render(VoRenderer* apRenderer) override = 0;

    // Fill vertices / 3; 0 without fill vertices.
    virtual int GetFillTriangleCount() const;
    // Stroke vertices - 1; 0 without stroke vertices.
    virtual int GetStrokeSegmentCount() const;
    // Stored; nothing draws differently. True.
    virtual bool SetAntialiased(bool aAntialiased);
    // Stores the colour and replaces the fill texture at once. True.
    virtual bool SetFillColor(const VoColor& aColor);
    // Stored; the dirty flag stays as it is. True.
    virtual bool SetFilled(bool aFilled);
    // The next Render rebuilds the buffers.
    virtual void InvalidateShape();
    virtual bool SetStrokeColor(const VoColor& aColor);
    virtual bool SetStroked(bool aStroked);
    // Rebuilds the vertex buffers of a dirty shape; clears the dirty flag
    // when it succeeds.
    virtual bool UpdateShape() = 0;

    bool GetAntialiased() const { return fAntialiased; }
    bool IsDirty() const { return fDirty; }
    bool GetFilled() const { return fFilled; }
    const VoColor& GetFillColor() const { return fFillColor; }
    // Owned by the shape; null when it could not be made.
    VoITexture* GetFillTexture() const { return fpFillTexture; }
    // Owned by the shape; null until built.
    VoVertexBuffer* GetFillVertexBuffer() const { return fpFillVertexBuffer; }
    bool GetStroked() const { return fStroked; }
    const VoColor& GetStrokeColor() const { return fStrokeColor; }
    VoITexture* GetStrokeTexture() const { return fpStrokeTexture; }
    VoVertexBuffer* GetStrokeVertexBuffer() const { return fpStrokeVertexBuffer; }

protected:
    // Stroked, not filled, dirty, both colours opaque white.
    VoIShape();

    void SetDirty(bool aDirty) { fDirty = aDirty; }
    // Deletes the stroke (or fill) buffer and puts a new one in its place
    // holding aCount vertices of (x, y, z) floats. False when they cannot be
    // stored: the role then has an empty buffer, and draws nothing.
    bool ReplaceStroke(const float* apVertices, int aCount);
    bool ReplaceFill(const float* apVertices, int aCount);

private:
    // A new one-pixel texture of the colour through the "texture" creator,
    // not filed with the texture manager; null when it cannot be made.
    static VoITexture* NewColorTexture(const VoColor& aColor);
    static bool Replace(VoVertexBuffer*& aBuffer, const float* apVertices, int aCount);

    bool fAntialiased = false;
    bool fDirty = true;
    bool fStroked = true;
    VoColor fStrokeColor;
    VoITexture* fpStrokeTexture = nullptr;           // owned
    VoVertexBuffer* fpStrokeVertexBuffer = nullptr;  // owned
    bool fFilled = false;
    VoColor fFillColor;
    VoITexture* fpFillTexture = nullptr;           // owned
    VoVertexBuffer* fpFillVertexBuffer = nullptr;  // owned
};
