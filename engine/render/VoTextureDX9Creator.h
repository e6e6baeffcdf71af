#pragma once
// Makes a new texture under the id "texture" for every request, initialised
// once here and again when made through the object manager.
#include "object/VoServiceCreator.h"
#include "render/VoTextureDX9.h"

class VoTextureDX9Creator : public VoServiceCreator<VoTextureDX9, VoServiceInit::kInitializeWithZero> {
public:
    static constexpr const char16_t* kId = u"texture";

    VoTextureDX9Creator() : VoServiceCreator(kId, "VoTextureDX9Creator") {}
};
