#pragma once
// Makes the device capabilities under the id "devicecaps"; the object manager initialises them.
#include "object/VoServiceCreator.h"
#include "platform/VoDeviceCapabilitiesDX9.h"

class VoDeviceCapabilitiesDX9Creator
    : public VoServiceCreator<VoDeviceCapabilitiesDX9, VoServiceInit::kNone> {
public:
    static constexpr const char16_t* kId = u"devicecaps";

    VoDeviceCapabilitiesDX9Creator() : VoServiceCreator(kId, "VoDeviceCapabilitiesDX9Creator") {}
};
