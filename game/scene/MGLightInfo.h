#pragma once
// What a scene's light file says of one light besides the light itself
// (MGLighting keeps one per entry, in file order).
#include "container/VoString.h"
#include "container/VoVectorString.h"

struct MGLightInfo {
    MGLightInfo() { cameras.SetIgnoreCase(true); }

    VoString name;              // the entry's key
    bool global = false;        // the scene's one global light (device light 0)
    bool on = false;            // "on"; a light that is off is never programmed
    bool shadowCaster = false;  // "shadowcaster"
    float shadowBlend = 0.0f;   // "shadowblend"
    VoVectorString cameras;     // "cameras", compared ignoring case; "all" first means every camera
};
