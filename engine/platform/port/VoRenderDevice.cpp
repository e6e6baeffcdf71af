#include "platform/port/VoIRenderDevice.h"

VoIRenderDevice* VoCreateRenderDevice() {
    return nullptr;
}
