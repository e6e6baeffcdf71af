#pragma once
// Makes the rasterizer under the id "rasterizer"; the object manager initialises it.
#include "object/VoServiceCreator.h"
#include "render/VoRasterizerDX9.h"

class VoRasterizerDX9Creator : public VoServiceCreator<VoRasterizerDX9, VoServiceInit::kNone> {
public:
    static constexpr const char16_t* kId = u"rasterizer";

    VoRasterizerDX9Creator() : VoServiceCreator(kId, "VoRasterizerCreatorDX9") {}
};
