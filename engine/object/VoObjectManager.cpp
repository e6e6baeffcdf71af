#include "object/VoObjectManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoStreamObject.h"
#include "container/VoUInt.h"
#include "memory/VoNew.h"
#include "object/VoHandle.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"

namespace {

constexpr int kHashShift = 7;

// Shared by every manager of the process; never reset.
std::uint32_t gSerialCounter = 1;

// Handles print as the signed conversion of the 32-bit value.
std::int32_t Signed(std::uint32_t aHandle) {
    return static_cast<std::int32_t>(aHandle);
}

}  // namespace

VoObjectManager::VoObjectManager(const VoString& aId, std::uint32_t aHandleIndex)
    : fHandleIndex(aHandleIndex), fHandles(kHashShift, false), fIds(kHashShift, false), fId(aId) {}

VoObjectManager::~VoObjectManager() {
    DestroyAll();
}

std::uint32_t VoObjectManager::PeekSerialCounter() {
    return gSerialCounter;
}

bool VoObjectManager::ValidateHandle(std::uint32_t aHandle) const {
    if (VoHandle::IndexOf(aHandle) != fHandleIndex) {
        VO_ERROR(kInvalidHandleBang);
        return false;
    }
    return true;
}

VoHandle* VoObjectManager::Find(std::uint32_t aHandle) {
    return static_cast<VoHandle*>(fHandles.Get(aHandle));
}

VoHandle* VoObjectManager::Lookup(std::uint32_t aHandle, Missing aMissing) {
    if (!ValidateHandle(aHandle)) {
        VO_ASSERT_FAILURE("");
        return nullptr;
    }
    VoHandle* record = Find(aHandle);
    if (record == nullptr) {
        if (aMissing == Missing::kWithHandle) {
            VO_ERROR(kInvalidHandleValue, Signed(aHandle));
        } else {
            VO_ERROR(kInvalidHandle);
        }
    }
    return record;
}

VoHandle* VoObjectManager::NewHandle(const VoString& aId) {
    std::uint32_t serial = gSerialCounter;
    while (serial != 0 && serial <= kMaxSerial && Find(VoHandle::Make(fHandleIndex, serial)) != nullptr) {
        ++serial;
    }
    if (serial == 0 || serial > kMaxSerial) {
        VO_ERROR(kOutOfHandles);
        return nullptr;
    }
    VoHandle* record = VO_NEW VoHandle();
    if (record == nullptr || !record->Activate(aId, VoHandle::Make(fHandleIndex, serial))) {
        delete record;
        return nullptr;
    }
    gSerialCounter = serial + 1;
    return record;
}

void VoObjectManager::File(VoHandle* apRecord) {
    VO_ASSERT(fHandles.Add(apRecord->GetHandle(), apRecord, true), "");
    VoUInt* box = VO_NEW VoUInt(apRecord->GetHandle());
    const int count = fIds.GetCount();
    // Add's result cannot tell a refusal from the empty id's hash (both 0).
    if (box != nullptr) {
        fIds.Add(apRecord->GetId(), box, true);
    }
    if (fIds.GetCount() != count + 1) {
        delete box;
        VO_ASSERT_FAILURE("");
    }
}

bool VoObjectManager::Unfile(VoHandle* apRecord) {
    void* record = nullptr;
    const bool removedHandle = fHandles.Remove(apRecord->GetHandle(), &record);
    void* box = nullptr;
    const bool removedId = fIds.Remove(apRecord->GetId(), &box);
    delete static_cast<VoUInt*>(box);
    delete apRecord;
    return removedHandle && removedId;
}

std::uint32_t VoObjectManager::Add(const VoString& aId, VoBase* apObject) {
    if (fIds.IndexOf(aId) != -1) {
        VO_ERROR(kIdInUse, aId);
        return 0;
    }
    VoHandle* record = NewHandle(aId);
    if (record == nullptr) {
        VO_ASSERT_FAILURE("");
        return 0;
    }
    record->SetObject(apObject);
    File(record);
    return record->GetHandle();
}

VoBase* VoObjectManager::CreateObject(const VoString& aCreatorId, std::uint32_t aArgument) {
    const VoRegistry* registry = VoRegistry::Get();
    const std::uint32_t index =
        registry != nullptr ? registry->GetCreatorIndex(aCreatorId) : VoRegistry::kNotFound;
    if (index == VoRegistry::kNotFound) {
        VO_ERROR(kNoCreatorIndex, aCreatorId);
        return nullptr;
    }
    return CreateObjectByCreatorIndex(index, aArgument);
}

VoBase* VoObjectManager::CreateObjectByCreatorIndex(std::uint32_t aCreatorIndex, std::uint32_t aArgument) {
    const VoRegistry* registry = VoRegistry::Get();
    VoIObjectCreator* creator = registry != nullptr ? registry->GetCreator(aCreatorIndex) : nullptr;
    if (creator == nullptr) {
        VO_ERROR(kCreatorRetrievalFailed);
        return nullptr;
    }
    VoBase* object = creator->Create();
    if (object == nullptr) {
        VO_ERROR(kCreationFailed, aCreatorIndex);
        return nullptr;
    }
    VoStreamObject* streamObject = dynamic_cast<VoStreamObject*>(object);
    if (streamObject == nullptr) {
        VO_ERROR(kNotAStreamObject, aCreatorIndex);
        creator->Discard(object);
        return nullptr;
    }
    if (!streamObject->Initialize(aArgument)) {
        VO_ERROR(kInitializationFailure);
        creator->Discard(object);
        return nullptr;
    }
    return object;
}

VoBase* VoObjectManager::GetObject(std::uint32_t aHandle) {
    const VoHandle* record = Lookup(aHandle, Missing::kWithHandle);
    if (record == nullptr) {
        return nullptr;
    }
    if (record->GetObject() == nullptr) {
        VO_WARNING(kNoObject, Signed(aHandle));
        return nullptr;
    }
    return record->GetObject();
}

std::uint32_t VoObjectManager::ResolveId(const VoString& aId, IdMissing aMissing) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kEmptyId);
        VO_ASSERT_FAILURE("");
        return 0;
    }
    const VoUInt* box = static_cast<VoUInt*>(fIds.Get(aId));
    if (box != nullptr) {
        return box->fValue;
    }
    if (aMissing == IdMissing::kError) {
        VO_ERROR(kInvalidId, aId);
    } else if (aMissing == IdMissing::kWarning) {
        VO_WARNING(kInvalidId, aId);
    }
    return 0;
}

VoBase* VoObjectManager::GetObject(const VoString& aId) {
    const std::uint32_t handle = ResolveId(aId, IdMissing::kError);
    return handle != 0 ? GetObject(handle) : nullptr;
}

std::uint32_t VoObjectManager::GetHandle(const VoString& aId) {
    const VoUInt* box = static_cast<VoUInt*>(fIds.Get(aId));
    return box != nullptr ? box->fValue : 0;
}

std::uint32_t VoObjectManager::GetHandleOfObject(const VoBase* apObject) {
    if (apObject == nullptr) {
        return 0;
    }
    for (int i = 0; i < fHandles.GetCount(); ++i) {
        const VoHandle* record = static_cast<VoHandle*>(fHandles.GetAt(i));
        if (record->GetObject() == apObject) {
            return record->GetHandle();
        }
    }
    return 0;
}

bool VoObjectManager::GetIdOfHandle(std::uint32_t aHandle, VoString& aOut) {
    const VoHandle* record = Lookup(aHandle, Missing::kWithHandle);
    if (record == nullptr) {
        aOut.Clear();
        return false;
    }
    aOut = record->GetId();
    return true;
}

bool VoObjectManager::HasObject(std::uint32_t aHandle) {
    const VoHandle* record = VoHandle::IndexOf(aHandle) == fHandleIndex ? Find(aHandle) : nullptr;
    return record != nullptr && record->GetObject() != nullptr;
}

bool VoObjectManager::IsHandleLocked(std::uint32_t aHandle) {
    const VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    return record->IsLocked();
}

bool VoObjectManager::LockHandle(std::uint32_t aHandle) {
    VoHandle* record = Lookup(aHandle, Missing::kWithHandle);
    if (record == nullptr) {
        return false;
    }
    return record->Lock();
}

bool VoObjectManager::UnlockHandle(std::uint32_t aHandle) {
    if (aHandle == 0) {
        return false;
    }
    VoHandle* record = Lookup(aHandle, Missing::kWithHandle);
    if (record == nullptr) {
        return false;
    }
    record->Unlock();
    if (!record->IsLocked()) {
        // Unfiled before the object goes, so its destructor finds no record to reach.
        VoBase* object = record->SetObject(nullptr);
        VO_ASSERT(Unfile(record), "");
        delete object;
    }
    return true;
}

bool VoObjectManager::DestroyObject(std::uint32_t aHandle) {
    VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    if (record->IsLocked()) {
        VO_WARNING(kDestroyLocked);
        return false;
    }
    delete record->SetObject(nullptr);
    return true;
}

bool VoObjectManager::DestroyObject(const VoString& aId) {
    const std::uint32_t handle = ResolveId(aId, IdMissing::kSilent);
    return handle != 0 && DestroyObject(handle);
}

bool VoObjectManager::TryDestroy(std::uint32_t aHandle) {
    VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    if (record->IsLocked()) {
        return false;
    }
    VoBase* object = record->SetObject(nullptr);
    Unfile(record);
    delete object;
    return true;
}

bool VoObjectManager::RemoveHandle(std::uint32_t aHandle) {
    VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    if (record->GetObject() != nullptr) {
        VO_WARNING(kRemoveValid);
        return false;
    }
    Unfile(record);
    return true;
}

bool VoObjectManager::RemoveHandle(const VoString& aId) {
    const std::uint32_t handle = ResolveId(aId, IdMissing::kError);
    return handle != 0 && RemoveHandle(handle);
}

bool VoObjectManager::RemoveObject(std::uint32_t aHandle, VoBase** oppObject) {
    VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    if (record->IsLocked()) {
        VO_WARNING(kRemoveLocked);
        return false;
    }
    if (record->GetObject() != nullptr) {
        if (oppObject == nullptr || *oppObject != nullptr) {
            VO_ERROR(kInvalidArgument);
            return false;
        }
        *oppObject = record->SetObject(nullptr);
    }
    return true;
}

bool VoObjectManager::RemoveObject(const VoString& aId, VoBase** oppObject) {
    const std::uint32_t handle = ResolveId(aId, IdMissing::kError);
    if (handle == 0) {
        return false;
    }
    if (oppObject == nullptr || *oppObject != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    return RemoveObject(handle, oppObject);
}

bool VoObjectManager::SetObject(std::uint32_t aHandle, VoBase* apObject, VoBase** oppOld) {
    VoHandle* record = Lookup(aHandle, Missing::kPlain);
    if (record == nullptr) {
        return false;
    }
    if (oppOld != nullptr && *oppOld != nullptr) {
        VO_ERROR(kInvalidArgument);
        return false;
    }
    VoBase* old = record->SetObject(apObject);
    if (oppOld != nullptr) {
        *oppOld = old;
    } else if (old != apObject) {
        delete old;
    }
    return true;
}

bool VoObjectManager::SetObject(const VoString& aId, VoBase* apObject, VoBase** oppOld) {
    const std::uint32_t handle = ResolveId(aId, IdMissing::kWarning);
    return handle != 0 && SetObject(handle, apObject, oppOld);
}

bool VoObjectManager::ReplaceHandle(std::uint32_t aOldHandle, std::uint32_t aNewHandle) {
    if (IsHandleLocked(aOldHandle)) {
        VO_ERROR(kReplaceLocked);
        return false;
    }
    if (!ValidateHandle(aNewHandle)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    if (Find(aNewHandle) != nullptr) {
        VO_ASSERT_FAILURE(kAddFailure);
        return false;
    }
    void* taken = nullptr;
    if (!fHandles.Remove(aOldHandle, &taken)) {
        VO_WARNING(kOldHandleNotFound);
        return false;
    }
    VoHandle* record = static_cast<VoHandle*>(taken);
    record->Rehandle(aNewHandle);
    VO_ASSERT(fHandles.Add(aNewHandle, record, true), "");
    void* box = nullptr;
    if (!fIds.Remove(record->GetId(), &box) || box == nullptr) {
        VO_ASSERT_FAILURE(kRemoveFailure);
        box = VO_NEW VoUInt();
    }
    if (box != nullptr) {
        static_cast<VoUInt*>(box)->fValue = aNewHandle;
        const int count = fIds.GetCount();
        fIds.Add(record->GetId(), box, true);
        if (fIds.GetCount() != count + 1) {
            delete static_cast<VoUInt*>(box);
            VO_ASSERT_FAILURE("");
        }
    }
    return true;
}

bool VoObjectManager::ReplaceHandle(const VoString& aId, std::uint32_t aNewHandle) {
    if (!ValidateHandle(aNewHandle)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    const std::uint32_t handle = GetHandle(aId);
    if (handle == 0) {
        VO_WARNING(kIdNotFound);
        return false;
    }
    return ReplaceHandle(handle, aNewHandle);
}

bool VoObjectManager::RestoreHandle(std::uint32_t aSavedHandle, const VoString& aId, VoBase* apObject) {
    // Checked as it will be filed: a handle saved by another manager takes
    // this one's index, and must not collide under it either.
    const std::uint32_t handle = VoHandle::Make(fHandleIndex, VoHandle::SerialOf(aSavedHandle));
    if (VoHandle::SerialOf(handle) == 0) {
        VO_ERROR(kHandleInitFailure);
        return false;
    }
    if (Find(handle) != nullptr) {
        VO_ERROR(kSavedHandleInUse);
        return false;
    }
    if (fIds.IndexOf(aId) != -1) {
        VO_ERROR(kSavedIdInUse, aId);
        return false;
    }
    VoHandle* record = VO_NEW VoHandle();
    if (record == nullptr || !record->Activate(aId, handle)) {
        delete record;
        VO_ERROR(kHandleInitFailure);
        return false;
    }
    record->SetObject(apObject);
    File(record);
    return true;
}

void VoObjectManager::DestroyAll() {
    // The lists are emptied first: an object's destructor that calls back
    // finds no record that is being deleted.
    void** records = nullptr;
    const int recordCount = fHandles.GetCount();
    const bool haveRecords = recordCount > 0 && fHandles.GetItems(&records);
    void** boxes = nullptr;
    const int boxCount = fIds.GetCount();
    const bool haveBoxes = boxCount > 0 && fIds.GetItems(&boxes);
    fHandles.Clear();
    fIds.Clear();
    for (int i = 0; haveRecords && i < recordCount; ++i) {
        delete static_cast<VoHandle*>(records[i]);
    }
    for (int i = 0; haveBoxes && i < boxCount; ++i) {
        delete static_cast<VoUInt*>(boxes[i]);
    }
    delete[] records;
    delete[] boxes;
}

VoString VoObjectManager::ToString() const {
    return VoDebugString("VoObjectManager", this);
}
