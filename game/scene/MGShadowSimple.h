#pragma once
// The cheap blob shadow under the player: a flat 30 x 30 square on the
// ground plane, textured with "//textures/shadow_circle.tga", drawn with
// alpha blending at a texture factor of 0.4 one unit above the player's
// position. The scene makes one when simple shadows are on, moves it to the
// player every frame (Update) and draws it (Render).
//
// The square: four vertices of position and texture coordinates (format 3)
//     (-15, 0, 15, 0, 0)  (15, 0, 15, 1, 0)  (-15, 0, -15, 0, 1)  (15, 0, -15, 1, 1)
// drawn indexed as the triangles 0 3 2 and 1 3 0 (32-bit indices) by one
// subset whose material shows the texture filed as "simpleshadow".
#include <cstdint>

#include "geometry/VoVector3.h"

class VoIRasterizer;
class VoMesh;

class MGShadowSimple {
public:
    static constexpr const char16_t* kTextureRoot = u"//textures";
    static constexpr const char16_t* kTextureFile = u"shadow_circle.tga";
    static constexpr const char16_t* kImagePath = u"//textures/shadow_circle.tga";
    static constexpr const char16_t* kMaterialTextureId = u"simpleshadow";
    static constexpr const char* kNoMesh = "MGShadowSimple failure. Could not build the mesh.";

    static constexpr float kHalfSize = 15.0f;
    static constexpr float kHeightAbovePlayer = 1.0f;
    static constexpr float kTextureFactor = 0.4f;

    // Loads the texture and builds the square on the engine's rasterizer.
    MGShadowSimple();
    // On apRasterizer instead (not owned, outlives us).
    explicit MGShadowSimple(VoIRasterizer* apRasterizer);
    MGShadowSimple(const MGShadowSimple&) = delete;
    MGShadowSimple& operator=(const MGShadowSimple&) = delete;
    // Destroys the texture, then the square.
    ~MGShadowSimple();

    // Moves the square under the player, kHeightAbovePlayer above the
    // position; false, unmoved, when the texture could not be loaded.
    bool Update(const VoVector3& aPlayerPosition);
    // World transform at the position, alpha blending (source alpha, inverse
    // source alpha), texture factor 0.4, the square, texture factor 1.0: the
    // AND of every step. False without a square or rasterizer.
    bool Render();

    const VoVector3& GetPosition() const { return fPosition; }
    std::uint32_t GetTexture() const { return fTexture; }
    VoMesh* GetMesh() const { return fpMesh; }

private:
    // The square with its material; null (logged) when it cannot be made.
    static VoMesh* BuildMesh();
    // The material's texture, made once per run from the image; 0 when the
    // image cannot be read.
    static std::uint32_t MaterialTexture();

    std::uint32_t fTexture = 0;  // the texture manager's handle; 0 when none
    VoMesh* fpMesh = nullptr;    // owned
    VoVector3 fPosition;
    VoIRasterizer* fpRasterizer;  // not owned, the engine's
};
