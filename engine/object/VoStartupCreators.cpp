#include "object/VoStartupCreators.h"

#include "event/VoEventManagerCreator.h"
#include "object/VoRegistry.h"
#include "platform/VoFileSystemWinCreator.h"
#include "platform/VoMatrixUtilDX9Creator.h"
#include "platform/VoMovieManagerBinkCreator.h"
#include "platform/VoSoundManagerFMODCreator.h"
#include "platform/VoTimerWinCreator.h"
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
    // "rasterizer", "texture" and "devicecaps" take their places here as their classes arrive.
    added &= Add(registry, VO_NEW VoMatrixUtilDX9Creator());
    added &= Add(registry, VO_NEW VoSoundManagerFMODCreator());
    added &= Add(registry, VO_NEW VoMovieManagerBinkCreator());
    // "platform" takes its place here as its class arrives.
    added &= Add(registry, VO_NEW VoEventManagerCreator());
    added &= Add(registry, VO_NEW VoStateManagerCreator());
    added &= Add(registry, VO_NEW VoGameClockCreator());
    return added;
}
