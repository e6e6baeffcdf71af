#include "gdi/VoSprite.h"

#include <algorithm>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoRenderer.h"
#include "geometry/VoImage.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "platform/VoIDeviceCapabilities.h"
#include "render/VoITexture.h"
#include "render/VoTextureManager.h"
#include "render/VoVertexBuffer.h"

namespace {

// One vertex of the quad as the vertex format lays it out: x, y, z, u, v.
struct QuadVertex {
    float x, y, z, u, v;
};

bool IsPowerOfTwo(std::int32_t aValue) {
    return aValue > 0 && (aValue & (aValue - 1)) == 0;
}

std::uint32_t PowerOfTwoAtMost(std::uint32_t aValue) {
    std::uint32_t power = 1;
    while (power <= aValue / 2) {
        power *= 2;
    }
    return aValue == 0 ? 0 : power;
}

}  // namespace

VoSprite::VoSprite() = default;

VoSprite::~VoSprite() {
    DropTiles();
    if (fTexture != 0) {
        // The texture manager may be gone already at shut-down.
        if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
            textures->UnlockHandle(fTexture);
        }
        fTexture = 0;
    }
    delete fpVertexBuffer;
}

VoString VoSprite::ToString() const {
    return VoDebugString("VoSprite", this);
}

void VoSprite::Hold(std::uint32_t aHandle) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (textures == nullptr) {
        return;
    }
    // Locked first: the last unlock destroys a texture, and the new handle
    // may be the old one.
    textures->LockHandle(aHandle);
    if (fTexture != 0) {
        textures->UnlockHandle(fTexture);
    }
    fTexture = aHandle;
}

void VoSprite::DropTiles() {
    if (fpTileGroup == nullptr) {
        return;
    }
    VoDisplayGroup* tiles = fpTileGroup;
    fpTileGroup = nullptr;
    // Not a member of our group: the link is let go here, not by the group.
    if (tiles->GetGroup() != nullptr) {
        static_cast<VoIDisplayObject*>(tiles)->LeaveGroup();
    }
    delete tiles;
}

void VoSprite::FollowGroup() {
    if (fpTileGroup == nullptr || fpTileGroup->GetGroup() == GetGroup()) {
        return;
    }
    if (fpTileGroup->GetGroup() != nullptr) {
        static_cast<VoIDisplayObject*>(fpTileGroup)->LeaveGroup();
    }
    if (GetGroup() != nullptr) {
        fpTileGroup->SetGroup(GetGroup());
    }
}

bool VoSprite::SetTexture(std::uint32_t aHandle, VoVector2* apMin, VoVector2* apMax) {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    VoITexture* texture = textures != nullptr ? textures->GetTexture(aHandle) : nullptr;
    if (texture == nullptr || !BuildQuad(static_cast<float>(texture->GetWidth()),
                                         static_cast<float>(texture->GetHeight()), apMin, apMax)) {
        VO_ERROR(kSetTextureFailure);
        return false;
    }
    Hold(aHandle);
    DropTiles();
    return true;
}

bool VoSprite::SetImage(const VoString& aId, VoImage* apImage, VoVector2* apMin, VoVector2* apMax) {
    if (apImage == nullptr) {
        VO_ERROR(kSetImageNull);
        return false;
    }
    if (apImage->GetWidth() <= 0 || apImage->GetHeight() <= 0) {
        VO_ERROR(kSetImageInvalidDimensions);
        return false;
    }
    if (!FitsDeviceTexture(apImage)) {
        return CreateTiles(aId, apImage);
    }
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t handle = textures != nullptr ? textures->CreateTexture(aId, apImage) : 0;
    if (handle == 0) {
        VO_ERROR(kSetImageNoTexture, aId);
        return false;
    }
    Hold(handle);
    DropTiles();
    return BuildQuad(static_cast<float>(apImage->GetWidth()), static_cast<float>(apImage->GetHeight()), apMin,
                     apMax);
}

bool VoSprite::BuildQuad(float aWidth, float aHeight, VoVector2* apMin, VoVector2* apMax) {
    // A texture without texels has no texture coordinates.
    if (!(aWidth > 0.0f) || !(aHeight > 0.0f)) {
        return false;
    }
    delete fpVertexBuffer;
    fpVertexBuffer = nullptr;

    VoVector2 min(0.0f, 0.0f);
    VoVector2 max(aWidth, aHeight);
    if (apMin != nullptr && apMax != nullptr) {
        apMax->x += 1.0f;
        apMax->y += 1.0f;
        min = *apMin;
        max = *apMax;
    }
    const float sx = max.x - min.x;
    const float sy = max.y - min.y;
    const float left = min.x / aWidth;
    const float right = max.x / aWidth;
    const float top = min.y / aHeight;
    const float bottom = max.y / aHeight;
    const QuadVertex quad[kQuadVertexCount] = {
        {0.0f, -sy, 0.0f, left, bottom},
        {0.0f, 0.0f, 0.0f, left, top},
        {sx, -sy, 0.0f, right, bottom},
        {sx, 0.0f, 0.0f, right, top},
    };
    VoVertexBuffer* buffer = VO_NEW VoVertexBuffer();
    if (buffer == nullptr || !buffer->Create(kQuadFormat, quad, kQuadVertexCount)) {
        delete buffer;
        return false;
    }
    fpVertexBuffer = buffer;
    if (GetBoundary() == nullptr) {
        SetBoundary(VoRectangle(0.0f, 0.0f, sx, sy));
    }
    return true;
}

bool VoSprite::FitsDeviceTexture(const VoImage* apImage) {
    VoIDeviceCapabilities* caps = VoIDeviceCapabilities::GetInstance();
    if (apImage == nullptr || caps == nullptr) {
        return true;
    }
    const std::int32_t width = apImage->GetWidth();
    const std::int32_t height = apImage->GetHeight();
    if (width < 0 || height < 0 || static_cast<std::uint32_t>(width) > caps->GetMaxTextureWidth() ||
        static_cast<std::uint32_t>(height) > caps->GetMaxTextureHeight()) {
        return false;
    }
    if (caps->RequiresPow2Textures() && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height))) {
        return false;
    }
    if (caps->RequiresSquareTextures() && width != height) {
        return false;
    }
    return true;
}

std::uint32_t VoSprite::TileSize() {
    VoIDeviceCapabilities* caps = VoIDeviceCapabilities::GetInstance();
    if (caps == nullptr) {
        return 0;
    }
    // The smaller limit: a tile is square and must fit both ways.
    std::uint32_t size = std::min({caps->GetMaxTextureWidth(), caps->GetMaxTextureHeight(), kMaxTileSize});
    if (caps->RequiresPow2Textures()) {
        size = PowerOfTwoAtMost(size);
    }
    return size < kMinTileSize ? 0 : size;
}

bool VoSprite::CreateTiles(const VoString& aId, VoImage* apImage) {
    const std::uint32_t size = TileSize();
    VoTextureManager* textures = VoTextureManager::GetInstance();
    if (size == 0 || textures == nullptr) {
        return false;
    }
    const std::int32_t t = static_cast<std::int32_t>(size);
    const std::int32_t width = apImage->GetWidth();
    const std::int32_t height = apImage->GetHeight();
    const std::int32_t columns = (width + t - 1) / t;
    const std::int32_t rows = (height + t - 1) / t;

    VoDisplayGroup* tiles = VO_NEW VoDisplayGroup();
    if (tiles == nullptr) {
        return false;
    }
    // The tile group starts where the sprite is, as the sprite is.
    tiles->SetId(aId);
    tiles->SetPosition(GetPosition());
    tiles->SetCenter(GetCenter());
    VoVector2 scale;
    GetScale(scale);
    tiles->SetScale(scale);
    tiles->SetRotation(GetRotation());
    tiles->SetBlend(GetBlend());
    tiles->SetActive(GetActive());
    tiles->SetVisible(GetVisible());
    tiles->SetEnabled(GetEnabled());
    if (GetRectangle() != nullptr) {
        tiles->SetRectangle(*GetRectangle());
    }
    tiles->SetUnscaled(GetUnscaled());
    tiles->SetPixelSnap(GetPixelSnap());

    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < columns; ++c) {
            const std::int32_t x = c * t;
            const std::int32_t y = r * t;
            VoString id(aId);
            id.Append(u"_").Append(c).Append(u"_").Append(r);
            const VoRectangle source(static_cast<float>(x), static_cast<float>(y),
                                     static_cast<float>(std::min(t, width - x)),
                                     static_cast<float>(std::min(t, height - y)));
            VoImage picture;
            VoSprite* tile = VO_NEW VoSprite();
            std::uint32_t handle = 0;
            if (apImage->GetSubImage(source, t, t, &picture) != nullptr) {
                handle = textures->CreateTexture(id, &picture);
            }
            if (tile == nullptr || handle == 0 || !tile->SetId(id) ||
                !tile->SetTexture(handle, nullptr, nullptr) ||
                !tile->SetPosition(static_cast<float>(x), static_cast<float>(y)) ||
                !tiles->AddMember(tile, true)) {
                VO_ERROR(kCreateTilesFailure, id);
                if (tile != nullptr && tile->GetGroup() == nullptr) {
                    delete tile;
                }
                delete tiles;
                return false;
            }
        }
    }
    DropTiles();
    fpTileGroup = tiles;
    FollowGroup();
    return true;
}

bool VoSprite::Render(VoRenderer* apRenderer) {
    if (apRenderer == nullptr) {
        VO_ERROR(kRenderNull);
        return false;
    }
    Validate();
    if (!GetEffectiveActive() || !GetEffectiveVisible()) {
        return true;
    }
    if (GetTrackRender()) {
        VO_ERROR(kTrackRender, GetId());
    }
    if (fpTileGroup != nullptr) {
        return fpTileGroup->Render(apRenderer);
    }
    VoRectangle* clip = PeekWorldRectangle();
    if (clip == nullptr) {
        return apRenderer->RenderSprite(this);
    }
    VoRectangle* previous = apRenderer->GetViewRectangle();
    apRenderer->SetViewRectangle(clip);
    const bool result = apRenderer->RenderSprite(this);
    apRenderer->SetViewRectangle(previous);
    return result;
}

// Each setter runs on the sprite, then on the tile group when there is one.
#define VO_FOLLOWED_SETTER(Operation, Type)                    \
    bool VoSprite::Operation(Type aValue) {                    \
        bool result = VoIDisplayObject::Operation(aValue);     \
        if (fpTileGroup != nullptr) {                          \
            result = fpTileGroup->Operation(aValue) && result; \
        }                                                      \
        return result;                                         \
    }

VO_FOLLOWED_SETTER(SetActive, bool)
VO_FOLLOWED_SETTER(SetBlend, float)
VO_FOLLOWED_SETTER(SetBoundary, const VoIRegion&)
VO_FOLLOWED_SETTER(SetCenter, const VoVector2&)
VO_FOLLOWED_SETTER(SetRectangle, const VoRectangle&)
VO_FOLLOWED_SETTER(SetEnabled, bool)
VO_FOLLOWED_SETTER(SetPosition, const VoVector2&)
VO_FOLLOWED_SETTER(SetRotation, float)
VO_FOLLOWED_SETTER(SetScale, const VoVector2&)
VO_FOLLOWED_SETTER(SetVisible, bool)

#undef VO_FOLLOWED_SETTER

bool VoSprite::SetGroup(VoDisplayGroup* apGroup) {
    const bool result = VoIDisplayObject::SetGroup(apGroup);
    FollowGroup();
    return result;
}

bool VoSprite::SetRelativeZ(float aZ) {
    bool result = VoIDisplayObject::SetRelativeZ(aZ);
    if (VoDisplayGroup* group = GetGroup()) {
        result = group->ReorderMember(GetId(), aZ) && result;
    }
    return result;
}

void VoSprite::InvalidateActive() {
    VoIDisplayObject::InvalidateActive();
    // Joining or leaving a group invalidates everything inherited, active
    // first: the tile group's link follows ours here.
    FollowGroup();
    if (fpTileGroup != nullptr) {
        fpTileGroup->InvalidateActive();
    }
}

#define VO_FORWARD_TO_TILES(Operation) \
    void VoSprite::Operation() {       \
        VoIDisplayObject::Operation(); \
        if (fpTileGroup != nullptr) {  \
            fpTileGroup->Operation();  \
        }                              \
    }

VO_FORWARD_TO_TILES(InvalidateBlend)
VO_FORWARD_TO_TILES(InvalidateEnabled)
VO_FORWARD_TO_TILES(InvalidateRotation)
VO_FORWARD_TO_TILES(InvalidateScale)
VO_FORWARD_TO_TILES(InvalidateVisible)
VO_FORWARD_TO_TILES(InvalidateWorldTransform)

#undef VO_FORWARD_TO_TILES
