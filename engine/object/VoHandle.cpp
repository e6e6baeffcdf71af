#include "object/VoHandle.h"

#include "container/VoBase.h"
#include "container/VoLog.h"

VoHandle::~VoHandle() {
    delete fpObject;
}

bool VoHandle::Activate(const VoString& aId, std::uint32_t aHandle) {
    if (!IsNull()) {
        VO_ASSERT_FAILURE(kAlreadyActive);
        return false;
    }
    fId = aId;
    fHandle = aHandle;
    return true;
}

bool VoHandle::Lock() {
    if (IsNull()) {
        VO_WARNING(kLockNull);
        return false;
    }
    ++fLockCount;
    return true;
}

bool VoHandle::Unlock() {
    if (IsNull()) {
        VO_WARNING(kUnlockNull);
        return false;
    }
    if (fLockCount > 0) {
        --fLockCount;
    }
    return true;
}

VoBase* VoHandle::SetObject(VoBase* apObject) {
    VoBase* previous = fpObject;
    fpObject = apObject;
    return previous;
}
