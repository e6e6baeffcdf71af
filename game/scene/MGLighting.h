#pragma once
// The lights of one scene, read from its light file, and their programming
// into the rasterizer's fixed-function lights: device light 0 is the scene's
// one global light, device lights 1 to 4 up to four further lights chosen
// for the active camera (SetCamera), 5 to 7 stay off. The scene re-applies
// them every frame before it draws.
//
// The light file is a property list whose top-level keys name the lights,
// in file order; each section holds
//     type          "directional" or "point"; any other makes no light
//     diffuse, specular, ambient   three floats R, G, B (alpha 1, not clamped)
//     direction     directional: three floats, made unit length
//     position      point: three floats
//     startrange, endrange         point: floats
//     global        bool: exactly one light is global
//     on            bool, off when missing
//     shadowcaster  bool
//     shadowblend   float, 0 when missing
//     cameras       camera names, "|" between them, or "all"
// Missing numbers read as 0.
//
// Only a light that was made can be global, cast shadows or be programmed:
// an entry of another type is logged and takes part in nothing.
#include <cstdint>

#include "container/VoString.h"

struct MGLightInfo;
class VoIRasterizer;
class VoLight;
class VoPropertyList;

class MGLighting {
public:
    static constexpr const char* kCreateFromFileFailure = "CreateFromFile failure.";
    static constexpr const char* kSpotLights = "Spot lights not yet supported.";
    static constexpr const char* kSecondGlobal = "Found more than 1 global light.";
    static constexpr const char* kNoGlobal = "Global light not found.";

    static constexpr int kCameraLightCount = 4;
    static constexpr int kDeviceLightCount = 8;
    static constexpr float kDirectionTolerance = 0.0001f;

    // No lights, no shadow light, on the engine's rasterizer.
    MGLighting();
    // On apRasterizer instead (not owned, outlives us; null draws nothing).
    explicit MGLighting(VoIRasterizer* apRasterizer);
    MGLighting(const MGLighting&) = delete;
    MGLighting& operator=(const MGLighting&) = delete;
    ~MGLighting();

    // Reads the light file in place of what was held; true only when it
    // names a global light. A file that cannot be read logs
    // kCreateFromFileFailure and reads as empty.
    bool CreateFromFile(const VoString& aPath);
    // The same over a light file already parsed (not kept).
    bool CreateFromList(VoPropertyList* apList);

    // Chooses the lights of the camera (the first four in file order that
    // are on and name the camera or "all"), then applies them.
    bool SetCamera(const VoString& aCameraName);
    // The named light casts the shadows from now on; false, unchanged, when
    // no light of that name was made.
    bool SetShadowLight(const VoString& aName);
    // Lighting on, device lights 0 to 7 off, then the global light (when it
    // is on) as light 0 and the camera's lights as 1 to 4. True when every
    // rasterizer call succeeded.
    bool Apply();
    // Deletes the lights; no shadow light, no camera lights.
    void Clear();

    int GetCount() const { return fCount; }
    // Null outside 0..count - 1 and for an entry that made no light.
    VoLight* GetLight(int aIndex) const;
    // Null outside 0..count - 1.
    const MGLightInfo* GetInfo(int aIndex) const;
    // -1 without a global light.
    int GetGlobalIndex() const { return fGlobalIndex; }
    // The entry chosen for device light aSlot + 1; -1 for none.
    int GetCameraLight(int aSlot) const;
    VoLight* GetShadowLight() const { return fpShadowLight; }

private:
    // The entry's light by its type; null (logged) for another type.
    static VoLight* MakeLight(VoPropertyList* apEntry);
    static void ReadInfo(VoPropertyList* apEntry, MGLightInfo& aInfo);
    // Whether the entry is made, on and lights the camera.
    bool LightsCamera(int aIndex, const VoString& aCameraName) const;
    bool ApplyCameraLight(int aSlot);

    std::int32_t fCount = 0;
    VoLight** fppLights = nullptr;   // owned, with the lights; null entries for no light
    MGLightInfo* fpInfos = nullptr;  // owned, fCount of them
    std::int32_t fGlobalIndex = -1;
    std::int32_t fCameraLights[kCameraLightCount] = {-1, -1, -1, -1};
    VoIRasterizer* fpRasterizer;       // not owned, the engine's
    VoLight* fpShadowLight = nullptr;  // not owned: one of fppLights
};
