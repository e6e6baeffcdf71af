#include "platform/port/VoSdlPort.h"

#include "memory/VoNew.h"
#include "platform/port/VoGlContext.h"
#include "platform/port/VoSdlEventSource.h"
#include "platform/port/VoSdlWindow.h"

VoSdlPort& VoSdlPort::Get() {
    static VoSdlPort sPort;
    return sPort;
}

VoIWindowPort* VoSdlPort::CreateWindowPort() {
    return VO_NEW VoSdlWindow();
}

VoIEventSource* VoSdlPort::CreateEventSource() {
    return VO_NEW VoSdlEventSource();
}

VoIGraphicsContext* VoSdlPort::CreateGraphicsContext() {
    return VO_NEW VoGlContext();
}
