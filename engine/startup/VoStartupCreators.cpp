#include "startup/VoStartupCreators.h"

#include "event/VoEventManagerCreator.h"
#include "movie/VoMovieManagerBinkCreator.h"
#include "object/VoRegistry.h"
#include "platform/VoDeviceCapabilitiesDX9Creator.h"
#include "platform/VoMatrixUtilDX9Creator.h"
#include "platform/VoPlatformPCDX9Creator.h"
#include "platform/VoSoundManagerFMODCreator.h"
#include "render/VoRasterizerDX9Creator.h"
#include "render/VoTextureDX9Creator.h"
#include "state/VoStateManagerCreator.h"
#include "system/VoFileSystemWinCreator.h"
#include "system/VoTimerWinCreator.h"
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
