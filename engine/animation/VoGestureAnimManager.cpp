#include "animation/VoGestureAnimManager.h"

#include "animation/VoAnimation.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "object/VoObjectManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoMemoryStream.h"

namespace {

VoCleanerSingleton<VoGestureAnimManager> gInstance;

bool IsEnginePath(const VoString& aPath) {
    return aPath.GetLength() >= 2 && aPath.GetAt(0) == u'/' && aPath.GetAt(1) == u'/';
}

}  // namespace

VoGestureAnimManager* VoGestureAnimManager::GetInstance() {
    return gInstance.Get(
        [] {
            VoObjectManager* objects = VO_NEW VoObjectManager(VoString(kObjectsId), kHandleIndex);
            if (objects == nullptr) {
                return static_cast<VoGestureAnimManager*>(nullptr);
            }
            VoGestureAnimManager* manager = VO_NEW VoGestureAnimManager(objects);
            if (manager == nullptr) {
                delete objects;
            }
            return manager;
        },
        kCreationFailure);
}

VoGestureAnimManager::VoGestureAnimManager(VoObjectManager* apObjects) : fpObjects(apObjects) {}

VoGestureAnimManager::~VoGestureAnimManager() {
    VoLog::Report(VoString(kDestroyed));
    delete fpObjects;
    fpObjects = nullptr;
}

VoString VoGestureAnimManager::ToString() const {
    return VoDebugString("VoAnimationManager", this);
}

bool VoGestureAnimManager::NormaliseRoot(const VoString& aPath, VoString& aOut) {
    if (!IsEnginePath(aPath)) {
        return false;
    }
    VoString root(aPath);
    root.Append(u"/");
    root.Replace(u"//", u"/", true);
    root.Prepend(u"/");
    aOut = root;
    return true;
}

bool VoGestureAnimManager::SetRoot(const VoString& aPath) {
    if (!NormaliseRoot(aPath, fRoot)) {
        VO_ERROR(kSetRootInvalid);
        return false;
    }
    return true;
}

std::uint32_t VoGestureAnimManager::CreateAnimation(const VoString& aFile) {
    if (fRoot.GetLength() == 0) {
        VO_ERROR(kRootUndefined);
        return 0;
    }
    const std::uint32_t cached = fpObjects->GetHandle(aFile);
    if (cached != 0) {
        return cached;
    }
    VoString path(aFile);
    if (!IsEnginePath(aFile)) {
        path = fRoot;
        path.Append(aFile);
    }
    VoMemoryStream stream(VoAnimation::kLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(path, true)) {
        VO_ASSERT_FAILURE(kLoadFailure);
        return 0;
    }
    const VoAnimation::Form form = VoAnimation::FormOf(aFile);
    if (form == VoAnimation::Form::kUnknown) {
        VO_ASSERT_FAILURE(kInvalidExtension);
        return 0;
    }
    VoAnimation* animation = VO_NEW VoAnimation();
    if (animation == nullptr) {
        VO_ERROR(kCreateFailure);
        return 0;
    }
    if (!animation->ReadForm(&stream, form, aFile)) {
        delete animation;
        return 0;
    }
    const std::uint32_t handle = fpObjects->Add(aFile, animation);
    if (handle == 0) {
        VO_ERROR(kCreateFailure);
        delete animation;
        return 0;
    }
    return handle;
}

std::uint32_t VoGestureAnimManager::AddAnimation(const VoString& aId, VoAnimation* apAnimation) {
    if (apAnimation == nullptr) {
        VO_ERROR(kInvalidArg);
        return 0;
    }
    const std::uint32_t existing = fpObjects->GetHandle(aId);
    if (existing != 0) {
        VO_WARNING(kIdExists, aId);
        return existing;
    }
    const std::uint32_t handle = fpObjects->Add(aId, apAnimation);
    if (handle == 0) {
        VO_ERROR(kAddFailure);
    }
    return handle;
}

VoAnimation* VoGestureAnimManager::GetAnimation(std::uint32_t aHandle) {
    return dynamic_cast<VoAnimation*>(fpObjects->GetObject(aHandle));
}

VoAnimation* VoGestureAnimManager::GetAnimation(const VoString& aId) {
    return dynamic_cast<VoAnimation*>(fpObjects->GetObject(aId));
}

std::uint32_t VoGestureAnimManager::GetHandle(const VoString& aId) {
    return fpObjects->GetHandle(aId);
}

bool VoGestureAnimManager::LockHandle(std::uint32_t aHandle) {
    return fpObjects->LockHandle(aHandle);
}

bool VoGestureAnimManager::UnlockHandle(std::uint32_t aHandle) {
    return fpObjects->UnlockHandle(aHandle);
}

bool VoGestureAnimManager::TryDestroy(std::uint32_t aHandle) {
    return fpObjects->TryDestroy(aHandle);
}

bool VoGestureAnimManager::DestroyObject(std::uint32_t aHandle) {
    return fpObjects->DestroyObject(aHandle);
}

bool VoGestureAnimManager::DestroyObject(const VoString& aId) {
    return fpObjects->DestroyObject(aId);
}

bool VoGestureAnimManager::RemoveHandle(std::uint32_t aHandle) {
    return fpObjects->RemoveHandle(aHandle);
}

bool VoGestureAnimManager::RemoveHandle(const VoString& aId) {
    return fpObjects->RemoveHandle(aId);
}

bool VoGestureAnimManager::RemoveObject(std::uint32_t aHandle, VoAnimation** oppAnimation) {
    if (oppAnimation == nullptr || *oppAnimation != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    VoBase* object = nullptr;
    if (!fpObjects->RemoveObject(aHandle, &object)) {
        return false;
    }
    // Only animations are ever filed here.
    *oppAnimation = static_cast<VoAnimation*>(object);
    return true;
}

bool VoGestureAnimManager::RemoveObject(const VoString& aId, VoAnimation** oppAnimation) {
    if (oppAnimation == nullptr || *oppAnimation != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    VoBase* object = nullptr;
    if (!fpObjects->RemoveObject(aId, &object)) {
        return false;
    }
    // Only animations are ever filed here.
    *oppAnimation = static_cast<VoAnimation*>(object);
    return true;
}

void VoGestureAnimManager::DestroyAll() {
    fpObjects->DestroyAll();
}

int VoGestureAnimManager::GetCount() const {
    return fpObjects->GetCount();
}
