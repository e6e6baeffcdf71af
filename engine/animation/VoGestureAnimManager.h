#pragma once
// The engine's shared cache of animations: loads them on demand from files
// under a root path and keeps them by id (the file name as the caller gave
// it, e.g. "/ma_M/ma_point.lia1") and by handle, so that one file gives one
// animation and one handle. The gesture player and the game character take
// their gesture and action animations from here, with the root
// "//animations". Callers lock, unlock and destroy through the handle.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoString.h"

class VoAnimation;
class VoObjectManager;

class VoGestureAnimManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoGestureAnimManager creation failure.";
    static constexpr const char16_t* kDestroyed = u"~VoGestureAnimManager()";
    static constexpr const char16_t* kObjectsId = u"gestureanimmanager";
    // The top 8 bits of every handle the cache gives.
    static constexpr std::uint32_t kHandleIndex = 136;

    static constexpr const char* kSetRootInvalid = "SetRoot failure. Invalid arg.";
    static constexpr const char* kRootUndefined = "CreateAnimation failure. Root undefined.";
    static constexpr const char* kLoadFailure = "LoadAnimation failure.";
    static constexpr const char* kInvalidExtension = "Load failure. Invalid extension.";
    static constexpr const char* kCreateFailure = "CreateAnimation failure.";
    static constexpr const char* kInvalidArg = "Invalid arg.";
    static constexpr const char* kIdExists = "AddAnimation failure. Animation id exists: ";
    static constexpr const char* kAddFailure = "AddAnimation failure.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoGestureAnimManager* GetInstance();

    // Logs kDestroyed and deletes every cached animation.
    ~VoGestureAnimManager() override;
    VoGestureAnimManager(const VoGestureAnimManager&) = delete;
    VoGestureAnimManager& operator=(const VoGestureAnimManager&) = delete;

    // The path must begin with "//" (else kSetRootInvalid and false). The
    // root becomes path + "/" with every "//" made "/" and "/" put in front
    // again: "//animations" and "//animations/" both give "//animations/".
    bool SetRoot(const VoString& aPath);
    const VoString& GetRoot() const { return fRoot; }
    // The root that SetRoot makes of aPath; false for a path not beginning
    // with "//" (nothing logged).
    static bool NormaliseRoot(const VoString& aPath, VoString& aOut);

    // The handle of the animation filed under aFile, loading it first when
    // it is not cached yet: from aFile itself when it begins with "//", else
    // from the root followed by aFile; the form by the name's ending ("lia1"
    // serialised, "lia" raw, either in any case). 0 on failure (no root, no
    // file, another ending, a bad file, a full manager); the cache is then
    // unchanged.
    std::uint32_t CreateAnimation(const VoString& aFile);
    // Files apAnimation (owned from then on) under aId. An id already filed
    // logs kIdExists and gives the existing handle; apAnimation stays the
    // caller's. 0 for null or when the manager refuses.
    std::uint32_t AddAnimation(const VoString& aId, VoAnimation* apAnimation);

    // The object manager's operations, meaning unchanged.
    VoAnimation* GetAnimation(std::uint32_t aHandle);
    VoAnimation* GetAnimation(const VoString& aId);
    std::uint32_t GetHandle(const VoString& aId);
    bool LockHandle(std::uint32_t aHandle);
    bool UnlockHandle(std::uint32_t aHandle);
    bool TryDestroy(std::uint32_t aHandle);
    bool DestroyObject(std::uint32_t aHandle);
    bool DestroyObject(const VoString& aId);
    bool RemoveHandle(std::uint32_t aHandle);
    bool RemoveHandle(const VoString& aId);
    // *oppAnimation must hold null; it receives the animation, now the caller's.
    bool RemoveObject(std::uint32_t aHandle, VoAnimation** oppAnimation);
    bool RemoveObject(const VoString& aId, VoAnimation** oppAnimation);
    void DestroyAll();
    int GetCount() const;

    // "[VoAnimationManager <address>]".
    VoString ToString() const override;

private:
    explicit VoGestureAnimManager(VoObjectManager* apObjects);

    VoObjectManager* fpObjects;  // owned, with every cached animation
    VoString fRoot;              // empty until SetRoot
};
