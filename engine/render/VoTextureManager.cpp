#include "render/VoTextureManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "render/VoITexture.h"
#include "stdlib/VoCleaner.h"

namespace {

constexpr int kIdHashShift = 7;

VoCleanerSingleton<VoTextureManager> gInstance;

bool IsEnginePath(const VoString& aPath) {
    return aPath.GetLength() >= 2 && aPath.GetAt(0) == u'/' && aPath.GetAt(1) == u'/';
}

}  // namespace

VoTextureManager* VoTextureManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoTextureManager(); }, kCreationFailure);
}

VoTextureManager::VoTextureManager() : fObjects(kId, kHandleIndex), fIds(kIdHashShift, false) {}

VoTextureManager::~VoTextureManager() {
    fObjects.DestroyAll();
    ClearIds();
}

bool VoTextureManager::SetRoot(const VoString& aPath) {
    if (!IsEnginePath(aPath)) {
        VO_ERROR(kSetRootInvalid);
        return false;
    }
    VoString root(aPath);
    root.Append(u"/");
    root.Replace(u"//", u"/", true);
    root.Prepend(u"/");
    fRoot = root;
    return true;
}

std::uint32_t VoTextureManager::Filed(const VoString& aId) {
    const std::uint32_t handle = fObjects.GetHandle(aId);
    if (handle == 0) {
        return 0;
    }
    if (fObjects.HasObject(handle)) {
        return handle;
    }
    fObjects.RemoveHandle(handle);
    ForgetIfFreed(handle);
    return 0;
}

std::uint32_t VoTextureManager::File(const VoString& aId, VoITexture* apTexture) {
    const std::uint32_t handle = fObjects.Add(aId, apTexture);
    if (handle == 0) {
        VO_ERROR(kCreateFailure);
        return 0;
    }
    VoString* id = VO_NEW VoString(aId);
    if (id != nullptr && !fIds.Add(handle, id, true)) {
        delete id;
    }
    return handle;
}

void VoTextureManager::ForgetIfFreed(std::uint32_t aHandle) {
    VoString* id = static_cast<VoString*>(fIds.Get(aHandle));
    if (id == nullptr || fObjects.GetHandle(*id) == aHandle) {
        return;
    }
    void* removed = nullptr;
    fIds.Remove(aHandle, &removed);
    delete static_cast<VoString*>(removed);
}

std::uint32_t VoTextureManager::CreateTexture(const VoString& aFile) {
    const std::uint32_t filed = Filed(aFile);
    if (filed != 0) {
        return filed;
    }
    VoString path;
    if (IsEnginePath(aFile)) {
        path = aFile;
    } else if (fRoot.GetLength() == 0) {
        VO_ERROR(kRootUndefined);
        return 0;
    } else {
        path = fRoot;
        path.Append(aFile);
    }
    VoImage* image = nullptr;
    if (!VoImage::CreateFromFile(path, &image) || image == nullptr) {
        delete image;
        return 0;
    }
    const std::uint32_t handle = CreateTexture(aFile, image);
    delete image;
    return handle;
}

std::uint32_t VoTextureManager::CreateTexture(const VoString& aId, VoImage* apImage) {
    const std::uint32_t filed = Filed(aId);
    if (filed != 0) {
        return filed;
    }
    if (apImage == nullptr) {
        VO_ERROR(kInvalidArg);
        return 0;
    }
    VoRegistry* registry = VoRegistry::Get();
    VoIObjectCreator* creator =
        registry != nullptr ? registry->GetCreator(VoString(kTextureCreatorId)) : nullptr;
    VoBase* object = creator != nullptr ? creator->Create() : nullptr;
    VoITexture* texture = dynamic_cast<VoITexture*>(object);
    if (texture == nullptr || !texture->CreateTexture(apImage)) {
        delete object;
        VO_ERROR(kCreateFailure);
        return 0;
    }
    const std::uint32_t handle = File(aId, texture);
    if (handle == 0) {
        delete texture;
    }
    return handle;
}

std::uint32_t VoTextureManager::CreateTexture(const VoString& aId, VoITexture* apTexture) {
    if (apTexture == nullptr) {
        VO_ERROR(kInvalidArg);
        return 0;
    }
    const std::uint32_t filed = Filed(aId);
    if (filed != 0) {
        VO_WARNING(kIdExists, aId);
        return filed;
    }
    return File(aId, apTexture);
}

std::uint32_t VoTextureManager::GetHandle(const VoString& aId) {
    return fObjects.GetHandle(aId);
}

VoITexture* VoTextureManager::GetTexture(std::uint32_t aHandle) {
    return dynamic_cast<VoITexture*>(fObjects.GetObject(aHandle));
}

VoITexture* VoTextureManager::GetTexture(const VoString& aId) {
    return dynamic_cast<VoITexture*>(fObjects.GetObject(aId));
}

bool VoTextureManager::GetTextureId(std::uint32_t aHandle, VoString& aOut) {
    const VoString* id = static_cast<VoString*>(fIds.Get(aHandle));
    if (id == nullptr) {
        return false;
    }
    aOut = *id;
    return true;
}

bool VoTextureManager::DestroyTexture(std::uint32_t aHandle) {
    if (!fObjects.DestroyObject(aHandle)) {
        return false;
    }
    fObjects.RemoveHandle(aHandle);
    ForgetIfFreed(aHandle);
    return true;
}

bool VoTextureManager::DestroyTexture(const VoString& aId) {
    const std::uint32_t handle = fObjects.GetHandle(aId);
    return handle != 0 && DestroyTexture(handle);
}

bool VoTextureManager::TryDestroyTexture(std::uint32_t aHandle) {
    const bool destroyed = fObjects.TryDestroy(aHandle);
    ForgetIfFreed(aHandle);
    return destroyed;
}

bool VoTextureManager::LockHandle(std::uint32_t aHandle) {
    return fObjects.LockHandle(aHandle);
}

bool VoTextureManager::UnlockHandle(std::uint32_t aHandle, std::uint32_t) {
    const bool unlocked = fObjects.UnlockHandle(aHandle);
    ForgetIfFreed(aHandle);
    return unlocked;
}

bool VoTextureManager::RemoveHandle(std::uint32_t aHandle) {
    const bool removed = fObjects.RemoveHandle(aHandle);
    ForgetIfFreed(aHandle);
    return removed;
}

bool VoTextureManager::RemoveHandle(const VoString& aId) {
    const std::uint32_t handle = fObjects.GetHandle(aId);
    const bool removed = fObjects.RemoveHandle(aId);
    ForgetIfFreed(handle);
    return removed;
}

bool VoTextureManager::RemoveTexture(std::uint32_t aHandle, VoITexture** oppTexture) {
    if (oppTexture == nullptr || *oppTexture != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    VoBase* object = nullptr;
    if (!fObjects.RemoveObject(aHandle, &object)) {
        return false;
    }
    *oppTexture = dynamic_cast<VoITexture*>(object);
    return true;
}

bool VoTextureManager::RemoveTexture(const VoString& aId, VoITexture** oppTexture) {
    if (oppTexture == nullptr || *oppTexture != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    VoBase* object = nullptr;
    if (!fObjects.RemoveObject(aId, &object)) {
        return false;
    }
    *oppTexture = dynamic_cast<VoITexture*>(object);
    return true;
}

void VoTextureManager::ClearIds() {
    for (int i = 0; i < fIds.GetCount(); ++i) {
        delete static_cast<VoString*>(fIds.GetAt(i));
    }
    fIds.Clear();
}

VoString VoTextureManager::ToString() const {
    return VoDebugString("VoTextureManager", this);
}
