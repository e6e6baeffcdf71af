#pragma once
// Makes the platform under the id "platform"; the object manager initialises it.
#include "object/VoServiceCreator.h"
#include "platform/VoPlatformPCDX9.h"

class VoPlatformPCDX9Creator : public VoServiceCreator<VoPlatformPCDX9, VoServiceInit::kNone> {
public:
    static constexpr const char16_t* kId = u"platform";

    VoPlatformPCDX9Creator() : VoServiceCreator(kId, "VoPlatformPCDX9Creator") {}
};
