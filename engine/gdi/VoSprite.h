#pragma once
// The display object that shows a rectangle of a texture: backgrounds,
// pictures, icons, button states and the characters of raster fonts.
//
// The picture comes from a texture of the texture manager (SetTexture, with
// optional texel corners that pick a part of it) or from an image in memory
// (SetImage), which the sprite files as a texture itself. The sprite holds a
// lock on the handle it shows, so the texture stays while it is shown.
//
// The quad is four vertices in strip order (bottom left, top left, bottom
// right, top right) spanning (0, 0, sx, sy) of the sprite's own frame, one
// texel per pixel at scale 1; it is built once per texture change.
//
// An image that the device cannot hold as one texture (too large, or not of
// the power-of-two or square size the device asks for) is cut into square
// tiles of at most 512 texels, each a sprite of its own under the id
// id + "_" + column + "_" + row, held in a tile group. The tile group starts
// from the sprite's own values, follows the sprite's setters and is linked
// to the sprite's group (without being a member there), and the sprite
// passes its invalidations on to it, so the tiles move, fade and hide with
// the sprite and with the groups above it.
#include <cstdint>

#include "gdi/VoIDisplayObject.h"

class VoDisplayGroup;
class VoImage;
class VoVertexBuffer;

class VoSprite : public VoIDisplayObject {
public:
    static constexpr const char* kSetTextureFailure = "SetTexture failure.";
    static constexpr const char* kSetImageNull = "SetImage failure. NULL arg.";
    static constexpr const char* kSetImageInvalidDimensions = "SetImage failure. Invalid image dimensions.";
    static constexpr const char* kSetImageNoTexture = "SetImage failure. Could not create texture: ";
    static constexpr const char* kCreateTilesFailure = "CreateTiles failure. Could not make tile: ";
    static constexpr const char* kRenderNull = "Render failure. NULL arg.";
    static constexpr const char* kTrackRender = "TRACK RENDER:";

    // Tiles are at most this size, and a device whose largest texture is
    // smaller than the minimum does not show oversized images.
    static constexpr std::uint32_t kMaxTileSize = 512;
    static constexpr std::uint32_t kMinTileSize = 256;
    // The vertex format of the quad: position and one texture coordinate pair.
    static constexpr std::int32_t kQuadFormat = 3;
    static constexpr std::int32_t kQuadVertexCount = 4;

    // No texture, no quad, no tiles: draws nothing until a texture is set.
    VoSprite();
    // Deletes the tiles, unlocks the handle and frees the quad; the texture
    // itself is the texture manager's affair.
    ~VoSprite() override;

    VoString ToString() const override;

    // Validates, then draws the tiles, or the quad through the renderer
    // (clipped to the world rectangle when there is one). True without
    // drawing while not effectively active or visible.
    bool Render(VoRenderer* apRenderer) override;

    // The setters that a tile group follows: each runs on the sprite and,
    // with tiles, on the tile group; the AND of both.
    using VoIDisplayObject::SetCenter;
    using VoIDisplayObject::SetPosition;
    using VoIDisplayObject::SetScale;
    bool SetActive(bool aActive) override;
    bool SetBlend(float aBlend) override;
    bool SetBoundary(const VoIRegion& aRegion) override;
    bool SetCenter(const VoVector2& aCenter) override;
    bool SetRectangle(const VoRectangle& aRectangle) override;
    bool SetEnabled(bool aEnabled) override;
    bool SetPosition(const VoVector2& aPosition) override;
    bool SetRotation(float aDegrees) override;
    bool SetScale(const VoVector2& aScale) override;
    bool SetVisible(bool aVisible) override;
    // Links the tile group to the group too.
    bool SetGroup(VoDisplayGroup* apGroup) override;
    // Stores the value and moves the sprite to its new place in its group.
    bool SetRelativeZ(float aZ) override;

    // Changes inherited from above reach the tiles as well.
    void InvalidateActive() override;
    void InvalidateBlend() override;
    void InvalidateEnabled() override;
    void InvalidateRotation() override;
    void InvalidateScale() override;
    void InvalidateVisible() override;
    void InvalidateWorldTransform() override;

    // Shows the texture of the handle: the whole texture, or with both
    // corners given the texels from min to max, max inclusive (one is added
    // to each of its coordinates, in the caller's vector). The new handle is
    // locked and the old one unlocked; tiles are dropped. A handle without a
    // texture, or a texture without a size, gives kSetTextureFailure and
    // false, the sprite unchanged.
    bool SetTexture(std::uint32_t aHandle, VoVector2* apMin, VoVector2* apMax);
    // Files the image as a texture under the id (the image stays the
    // caller's) and shows it as SetTexture does; an image that does not fit
    // the device is cut into tiles instead. False, logged, for a null or
    // empty image and when no texture can be made; the sprite then keeps
    // what it had.
    bool SetImage(const VoString& aId, VoImage* apImage, VoVector2* apMin, VoVector2* apMax);

    // Whether the device capabilities take the image as one texture: within
    // the maximum width and height, and a power of two or square when the
    // device asks for it. True when the capabilities cannot be had.
    static bool FitsDeviceTexture(const VoImage* apImage);
    // The size of the tiles an oversized image is cut into: the smaller of
    // the device's maximum texture width and height, at most kMaxTileSize,
    // rounded down to a power of two when the device asks for one; 0 when
    // that is below kMinTileSize or there are no capabilities.
    static std::uint32_t TileSize();

    std::uint32_t GetTexture() const { return fTexture; }
    // The quad (owned by the sprite); null until a texture is set.
    VoVertexBuffer* GetVertexBuffer() const { return fpVertexBuffer; }
    // The tiles (owned by the sprite); null unless the image was cut.
    VoDisplayGroup* GetTileGroup() const { return fpTileGroup; }

protected:
    // Replaces the quad for a texture of aWidth x aHeight texels and the
    // corners (see SetTexture); the first quad also gives the sprite its
    // boundary. False for a texture without a size or when the buffer
    // cannot be made.
    bool BuildQuad(float aWidth, float aHeight, VoVector2* apMin, VoVector2* apMax);
    // Cuts the image into tiles under the id; they replace earlier tiles.
    // False, the sprite unchanged, when a tile cannot be made or the device
    // is too small.
    bool CreateTiles(const VoString& aId, VoImage* apImage);

private:
    // Locks the new handle, then unlocks the one held before.
    void Hold(std::uint32_t aHandle);
    // Deletes the tile group and its tiles.
    void DropTiles();
    // Links the tile group to the sprite's group, or unlinks it.
    void FollowGroup();

    std::uint32_t fTexture = 0;                // locked while held
    VoVertexBuffer* fpVertexBuffer = nullptr;  // owned
    VoDisplayGroup* fpTileGroup = nullptr;     // owned; linked to our group, not a member of it
};
