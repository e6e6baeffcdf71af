#pragma once
// The platform's port on SDL2 and OpenGL: an SDL window, SDL's event queue and
// an OpenGL 2.1 compatibility context with an off-screen back buffer.
#include "platform/VoIPlatformPort.h"

class VoSdlPort : public VoIPlatformPort {
public:
    // The one port; it has no state, so sharing it is safe.
    static VoSdlPort& Get();

    VoIWindowPort* CreateWindowPort() override;
    VoIEventSource* CreateEventSource() override;
    VoIGraphicsContext* CreateGraphicsContext() override;
};
