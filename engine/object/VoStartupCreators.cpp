#include "object/VoStartupCreators.h"

#include "event/VoEventManagerCreator.h"
#include "object/VoRegistry.h"
#include "platform/VoDeviceCapabilitiesDX9Creator.h"
#include "platform/VoFileSystemWinCreator.h"
#include "platform/VoMatrixUtilDX9Creator.h"
#include "platform/VoMovieManagerBinkCreator.h"
#include "platform/VoPlatformPCDX9Creator.h"
#include "platform/VoSoundManagerFMODCreator.h"
#include "platform/VoTimerWinCreator.h"
#include "render/VoRasterizerDX9Creator.h"
#include "render/VoTextureDX9Creator.h"
#include "state/VoStateManagerCreator.h"
#include "time/VoGameClockCreator.h"

namespace {

bool Add(VoRegistry* apRegistry, VoIObjectCreator* apCreator) {
    if (apRegistry != nullptr && apRegistry->AddCreator(apCreator)) {
        return true;
    }
    delete apCreator;
    return false;
}

}  // namespace

bool VoStartupCreators::Register() {
    VoRegistry* registry = VoRegistry::Get();
    bool added = true;
    added &= Add(registry, VO_NEW VoFileSystemWinCreator());
    added &= Add(registry, VO_NEW VoTimerWinCreator());
    added &= Add(registry, VO_NEW VoRasterizerDX9Creator());
    added &= Add(registry, VO_NEW VoTextureDX9Creator());
    added &= Add(registry, VO_NEW VoDeviceCapabilitiesDX9Creator());
    added &= Add(registry, VO_NEW VoMatrixUtilDX9Creator());
    added &= Add(registry, VO_NEW VoSoundManagerFMODCreator());
    added &= Add(registry, VO_NEW VoMovieManagerBinkCreator());
    added &= Add(registry, VO_NEW VoPlatformPCDX9Creator());
    added &= Add(registry, VO_NEW VoEventManagerCreator());
    added &= Add(registry, VO_NEW VoStateManagerCreator());
    added &= Add(registry, VO_NEW VoGameClockCreator());
    return added;
}
