#include "object/VoRestoreManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "state/VoStateManager.h"
#include "stdlib/VoAPIObject.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoGameObjectManager.h"
#include "stdlib/VoIStream.h"
#include "time/VoGameClock.h"

namespace {
VoCleanerSingleton<VoRestoreManager> gInstance;
}  // namespace

VoRestoreManager* VoRestoreManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoRestoreManager(); }, kCreationFailure);
}

VoRestoreManager::VoRestoreManager() : fRestorables(10, 10), fLoaded(10, 10) {}

VoRestoreManager::~VoRestoreManager() {
    fRestorables.Clear();
    fLoaded.Clear();
}

bool VoRestoreManager::AddEngineRestorables() {
    // Each is tried whatever the others did; the order is the order of the
    // records in every save game.
    bool added = AddRestorable(VoEventManager::GetInstance());
    added = AddRestorable(VoStateManager::GetInstance()) && added;
    added = AddRestorable(VoGameClock::GetInstance()) && added;
    return added;
}

bool VoRestoreManager::AddRestorable(VoAPIObject* apObject) {
    if (apObject == nullptr) {
        VO_ERROR(kAddNull);
        return false;
    }
    if (fRestorables.Contains(apObject)) {
        VO_ERROR(kAlreadyAdded);
        return false;
    }
    if (apObject->GetId().GetLength() == 0) {
        VO_ERROR(kIdUndefined);
        return false;
    }
    if (!fRestorables.Add(apObject)) {
        VO_ERROR(kAddFailure);
        return false;
    }
    return true;
}

bool VoRestoreManager::RemoveRestorable(VoAPIObject* apObject) {
    if (apObject == nullptr || !fRestorables.Contains(apObject)) {
        VO_ERROR(kNotFound);
        return false;
    }
    if (!fRestorables.Remove(apObject)) {
        VO_ERROR(kRemoveFailure);
        return false;
    }
    return true;
}

VoAPIObject* VoRestoreManager::GetRestorable(int aIndex) const {
    return static_cast<VoAPIObject*>(fRestorables.GetAt(aIndex));
}

VoAPIObject* VoRestoreManager::FindRestorable(const VoString& aId) const {
    for (int i = 0; i < fRestorables.GetCount(); ++i) {
        VoAPIObject* object = GetRestorable(i);
        if (object != nullptr && object->GetId() == aId) {
            return object;
        }
    }
    return nullptr;
}

bool VoRestoreManager::Save(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ERROR(kNullStream);
        return false;
    }
    const int count = fRestorables.GetCount();
    if (count == 0) {
        return true;
    }
    VoGameObjectManager* gameObjects = VoGameObjectManager::GetInstance();
    if (gameObjects == nullptr) {
        VO_ERROR(kNoGameObjects);
        return false;
    }
    // A restorable's Save may change the list.
    void** restorables = nullptr;
    if (!fRestorables.ToArray(&restorables)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        VoAPIObject* object = static_cast<VoAPIObject*>(restorables[i]);
        VoRestoreRecordHeader header;
        header.version = gameObjects->GetVersion();
        header.handle = gameObjects->GetHandleOfObject(object);
        if (header.handle != 0) {
            gameObjects->GetIdOfHandle(header.handle, header.handleId);
        }
        header.creatorId = object->GetId();
        if (!WriteRecordHeader(apStream, header)) {
            VO_ASSERT_FAILURE("");
            ok = false;
        }
        if (!object->Save(apStream)) {
            VO_ASSERT_FAILURE(kSaveFailure);
            ok = false;
        }
    }
    delete[] restorables;
    return ok;
}

bool VoRestoreManager::Load(VoIStream* apStream, std::int32_t aEnd) {
    fLoaded.Clear();
    fLoadedAll = false;
    if (apStream == nullptr) {
        VO_ERROR(kNullStream);
        return false;
    }
    std::int64_t position = apStream->GetPosition();
    if (position >= aEnd) {
        fLoadedAll = fRestorables.GetCount() == 0;
        return true;
    }
    VoGameObjectManager* gameObjects = VoGameObjectManager::GetInstance();
    if (gameObjects == nullptr) {
        VO_ERROR(kNoGameObjects);
        return false;
    }
    bool ok = true;
    while (position < aEnd) {
        bool failed = false;
        if (!LoadRecord(apStream, gameObjects, failed)) {
            return false;
        }
        ok = ok && !failed;
        // A damaged record must not hold the load at one place.
        const std::int64_t next = apStream->GetPosition();
        if (next <= position) {
            VO_ERROR(kNoProgress);
            return false;
        }
        position = next;
    }
    fLoadedAll = fLoaded.GetCount() == fRestorables.GetCount();
    return ok;
}

bool VoRestoreManager::LoadRecord(VoIStream* apStream, VoGameObjectManager* apGameObjects, bool& aFailed) {
    VoRestoreRecordHeader header;
    if (!ReadRecordHeader(apStream, header)) {
        VO_ASSERT_FAILURE("");
        VO_ERROR(kHeaderUnreadable);
        return false;
    }
    // Checked before anything is created: a damaged id must not make
    // whatever its creator makes ("platform", "rasterizer", ...).
    VoAPIObject* restorable = FindRestorable(header.creatorId);
    if (restorable == nullptr) {
        VO_ERROR(kNotRestorable, header.creatorId);
        return false;
    }
    VoBase* created = apGameObjects->CreateObject(header.creatorId, 0);
    if (created == nullptr) {
        VO_ERROR(kNotCreated, header.creatorId);
        return false;
    }
    if (created != static_cast<VoBase*>(restorable)) {
        VO_ERROR(kNotRegisteredObject, header.creatorId);
        return false;
    }
    if (header.handle != 0) {
        // Registering a live restorable under a handle would give the
        // game-object manager an object that it does not own.
        VoString heldId;
        if (apGameObjects->GetHandleOfObject(restorable) != header.handle ||
            !apGameObjects->GetIdOfHandle(header.handle, heldId) || heldId != header.handleId) {
            VO_ASSERT_FAILURE("");
            VO_ERROR(kHandleRefused, header.handle);
            return false;
        }
    }
    if (!restorable->OnLoad(apStream, header.version)) {
        VO_ASSERT_FAILURE(kLoadFailure);
        aFailed = true;
    }
    if (!fLoaded.Contains(restorable)) {
        fLoaded.Add(restorable);
    }
    return true;
}

bool VoRestoreManager::WriteRecordHeader(VoIStream* apStream, const VoRestoreRecordHeader& aHeader) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteFloat(aHeader.version);
    ok = apStream->WriteUInt(aHeader.handle) && ok;
    ok = apStream->WriteString(aHeader.handleId) && ok;
    ok = apStream->WriteString(aHeader.creatorId) && ok;
    return ok;
}

bool VoRestoreManager::ReadRecordHeader(VoIStream* apStream, VoRestoreRecordHeader& aHeader) {
    VoRestoreRecordHeader read;
    if (apStream == nullptr || !apStream->ReadFloat(&read.version) || !apStream->ReadUInt(&read.handle) ||
        !apStream->ReadString(&read.handleId) || !apStream->ReadString(&read.creatorId)) {
        return false;
    }
    aHeader = read;
    return true;
}

VoString VoRestoreManager::ToString() const {
    return VoDebugString("VoRestoreManager", this);
}
