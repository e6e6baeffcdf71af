#include "platform/VoPlatformServices.h"

#include "container/VoLog.h"
#include "container/VoString.h"
#include "memory/VoNew.h"
#include "platform/VoFileSystemWin.h"
#include "platform/VoTimerWin.h"

VoStreamObject* VoPlatformServices::Create(const char16_t* apId) {
    const VoString id(apId);
    VoStreamObject* object = nullptr;
    if (id.Equals(u"timer", false)) {
        object = VO_NEW VoTimerWin();
    } else if (id.Equals(u"filesystem", false)) {
        object = VO_NEW VoFileSystemWin();
    } else {
        VO_ERROR(kCreatorNotFound, id);
        return nullptr;
    }
    if (object != nullptr && !object->Initialize(0)) {
        VO_ERROR(kInitializationFailure);
    }
    return object;
}
