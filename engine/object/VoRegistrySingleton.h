#pragma once
// The accessor behind the singletons that the registry owns (the API-object
// and game-object managers). The registry deletes them with itself; once it is
// gone the accessor makes nothing and gives null, so a late caller never
// brings a manager back.
//
//     // VoFooManager.cpp
//     namespace { VoRegistrySingleton<VoFooManager> gInstance; }
//     VoFooManager* VoFooManager::GetInstance() {
//         return gInstance.Get([] { return VO_NEW VoFooManager(); }, VoFooManager::kCreationFailure);
//     }
//     VoFooManager::~VoFooManager() { gInstance.Forget(this); }
#include "container/VoLogSite.h"
#include "object/VoRegistry.h"

template <typename T>
class VoRegistrySingleton {
public:
    constexpr VoRegistrySingleton() = default;

    // The instance; on first use it is made by aCreate() (a new T or null) and
    // added to the registry. A failure logs apCreationFailure at the caller and
    // gives null, and the next call tries again. Without a registry (it could
    // not be made, or it has been destroyed) null.
    template <typename Create>
    T* Get(Create aCreate, const char* apCreationFailure, VoLogSite aSite = VoLogSite::Here()) {
        if (fpInstance != nullptr) {
            return fpInstance;
        }
        VoRegistry* registry = VoRegistry::Get();
        if (registry == nullptr) {
            return nullptr;
        }
        T* instance = aCreate();
        if (instance == nullptr) {
            aSite.Error(apCreationFailure);
            return nullptr;
        }
        if (!registry->AddObjectManager(instance)) {
            // Nobody would own it.
            delete instance;
            aSite.Error(apCreationFailure);
            return nullptr;
        }
        fpInstance = instance;
        return instance;
    }

    // Called by the instance's destructor.
    void Forget(const T* apInstance) {
        if (fpInstance == apInstance) {
            fpInstance = nullptr;
        }
    }

private:
    T* fpInstance = nullptr;  // owned by the registry
};
