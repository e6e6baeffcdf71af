#pragma once
// Turns the display tree into rasterizer calls. BeginRender sets the device
// up for 2D (alpha blending, no lighting, no depth test, an orthographic
// projection of the screen); display objects draw through the renderer,
// never through the rasterizer; a group or sprite with a clip rectangle
// narrows the view to it while it is drawn.
//
// Display objects compute their world matrices with y up and the origin at
// the screen's top-left corner. The projection is centred on the origin, so
// drawing appends a translation by the current offset (the clip offset while
// a view rectangle is set, else the screen offset), which moves the origin to
// the top-left corner of the screen (or of the clip rectangle) and adds the
// half-pixel shift that puts texels on pixel centres.
//
// Clip protocol: remember GetViewRectangle, SetViewRectangle(the object's
// world rectangle), draw, SetViewRectangle(the remembered one); null is the
// full screen.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"

class VoColor;
class VoImage;
class VoIRasterizer;
class VoIRegion;
class VoIShape;
class VoPolygon;
class VoSprite;

class VoRenderer : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoRenderer creation failure.";
    static constexpr const char* kNoRasterizer = "VoRenderer get rasterizer failure.";
    static constexpr const char* kRenderPolygonNull = "RenderPolygon failure. NULL arg.";
    static constexpr const char* kRenderPolygonTooFewPoints = "RenderPolygon failure. Fewer than two points.";
    static constexpr const char* kRenderPolygonNoTexture = "RenderPolygon failure. Could not create texture.";
    static constexpr const char* kRenderPolygonNoBuffer =
        "RenderPolygon failure. Could not create vertex buffer.";
    static constexpr const char* kRenderRectangleNull = "RenderRectangle failure. NULL arg.";
    static constexpr const char* kRenderBoundaryNull = "RenderBoundary failure. NULL arg.";
    static constexpr const char* kRenderBoundaryType = "RenderBoundary failure. Invalid type.";
    static constexpr const char* kRenderSpriteNull = "RenderSprite failure. NULL arg.";
    static constexpr const char* kRenderShapeNull = "RenderShape failure. NULL arg.";
    static constexpr const char* kBreakForSprite = "Break for sprite ID:";
    static constexpr const char16_t* kDestroyedLine = u"~VoRenderer()";

    // The full-screen view and the depth range of the 2D projections.
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kScreenHeight = 600.0f;
    static constexpr float kNearPlane = -200.0f;
    static constexpr float kFarPlane = 200.0f;

    // Created on first use with the engine rasterizer (VoIRasterizer::Get)
    // and the full-screen view, and owned by the engine cleaner. Null when it
    // cannot be created or there is no rasterizer (the next call tries
    // again), and null once the cleaner has deleted it.
    static VoRenderer* GetInstance();

    VoRenderer(const VoRenderer&) = delete;
    VoRenderer& operator=(const VoRenderer&) = delete;
    ~VoRenderer() override;

    VoString ToString() const override;

    // Sets the device up for one pass over the display tree; the AND of the
    // rasterizer's results (an empty assertion line when false).
    virtual bool BeginRender();
    // True.
    virtual bool EndRender();
    // Draws the sprite's quad (a strip of two triangles) with its texture,
    // placed by its world transform and the current offset, faded by its
    // effective blend as the texture factor. The unscaled hint takes the
    // scale out of the placement (the rotation stays), the pixel-snap hint
    // puts the origin on whole pixels. False, nothing drawn, for a sprite
    // without a quad; else the AND of the rasterizer's five results.
    virtual bool RenderSprite(VoSprite* apSprite);
    // True.
    virtual bool SetScreenOffset(float aX, float aY);
    // Replaces the full-screen projection from the next BeginRender until the
    // next ResetView. True.
    virtual bool SetMatrix(const VoMatrix& aMatrix);

    // Draws the shape's fill as a triangle list, then its stroke as a line
    // strip, each with the one-pixel texture of its colour, placed and faded
    // as a sprite is. A part that is switched off, or whose buffer is
    // missing or empty, is left out. False, nothing drawn, for a shape
    // without any vertex buffer; else the AND of the rasterizer's results.
    bool RenderShape(VoIShape* apShape);

    // The full-screen view: the projection of the screen rectangle, its
    // offset and its viewport. The AND of the rasterizer's results.
    bool ResetView();
    // Narrows the view to the rectangle (borrowed until the next call; its
    // values are copied), or restores the full screen for null. False when
    // the rasterizer refuses.
    bool SetViewRectangle(VoRectangle* apRectangle);
    VoRectangle* GetViewRectangle() const { return fpViewRectangle; }

    void GetScreenRectangle(VoRectangle& aOut) const { aOut = fScreenRectangle; }
    // Takes effect at the next ResetView.
    void SetScreenRectangle(float aX, float aY, float aWidth, float aHeight);
    void GetScreenOffset(VoVector2& aOut) const { aOut = fScreenOffset; }
    void GetClipOffset(VoVector2& aOut) const { aOut = fClipOffset; }
    // What objects are placed with now: the clip offset while a view
    // rectangle is set, else the screen offset.
    const VoVector2& GetCurrentOffset() const {
        return fpViewRectangle != nullptr ? fClipOffset : fScreenOffset;
    }
    // The projection that BeginRender applies now (owned by the renderer).
    const VoMatrix* GetCurrentProjection() const;
    VoIRasterizer* GetRasterizer() const { return fpRasterizer; }

    // A sprite with this id is a debugging stop.
    void SetBreakSpriteId(const VoString& aId) { fBreakSpriteId = aId; }
    const VoString& GetBreakSpriteId() const { return fBreakSpriteId; }

    // Debug outlines in one colour, placed with the current offset. A
    // polygon is drawn as a line strip, closed polygons back to the first
    // point.
    bool RenderBoundary(const VoIRegion* apRegion, const VoColor& aColor);
    bool RenderRectangle(const VoRectangle* apRectangle, const VoColor& aColor);
    bool RenderPolygon(const VoPolygon* apPolygon, const VoColor& aColor);

private:
    // With the rasterizer (not owned, never null), the projection unset.
    explicit VoRenderer(VoIRasterizer* apRasterizer);

    // fWorld = aObject x a translation by the current offset, after the
    // drawing hints; the rasterizer's world transform is set to it.
    bool SetWorld(const VoMatrix& aObject, bool aUnscaled, bool aPixelSnap);

    VoRectangle fScreenRectangle;
    VoVector2 fScreenOffset;
    VoIRasterizer* fpRasterizer;  // not owned: the engine's, which outlives the renderer
    VoMatrix* fpProjection;       // owned; null until ResetView
    VoString fBreakSpriteId;
    VoRectangle* fpViewRectangle;  // not owned: the world rectangle of the object being drawn
    VoMatrix* fpClipProjection;    // owned; null until the first view rectangle
    VoVector2 fClipOffset;
    VoRectangle fClipRectangle;
    VoImage* fpOutlineImage;  // owned: the one-pixel picture of the outline colour
    VoMatrix fWorld;          // the world transform of the object being drawn
};
