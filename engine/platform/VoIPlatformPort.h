#pragma once
// Where the platform gets its window, its message queue and its graphics
// context. The port layer's (VoSdlPort) makes SDL and OpenGL ones; tests hand
// the platform one that makes recording fakes.
class VoIEventSource;
class VoIGraphicsContext;
class VoIWindowPort;

class VoIPlatformPort {
public:
    virtual ~VoIPlatformPort() = default;

    // Each makes a new object owned by the caller; null when it cannot.
    virtual VoIWindowPort* CreateWindowPort() = 0;
    virtual VoIEventSource* CreateEventSource() = 0;
    virtual VoIGraphicsContext* CreateGraphicsContext() = 0;
};
