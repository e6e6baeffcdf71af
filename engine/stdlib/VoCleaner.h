#pragma once
// The owner of singletons. The engine's cleaner (VoCleaner::GetInstance)
// holds the engine's managers; the game keeps a second VoCleaner of its own
// for the game's, deleted just before the engine's. Deleting a cleaner
// deletes its instances newest first: the reverse of registration, so what a
// manager registered before it (and may use in its destructor) outlives it.
//
// Once a cleaner has begun deleting its instances it refuses AddInstance, and
// the accessor of a singleton it owned returns null, without a message, for
// the rest of the run: a deleted manager is never handed out and never made
// again, not even when a late caller makes a new engine cleaner. Shut-down is
// for good; only tests start the engine anew (ResetEngineForTests).
//
// The idiom every cleaner-owned singleton follows (VoFrameManager is one):
//
//     // VoFooManager.h
//     class VoFooManager : public VoBase {
//     public:
//         static constexpr const char* kCreationFailure = "VoFooManager creation failure.";
//         // Created on first use and owned by the engine cleaner; null when it
//         // cannot be created, and null once the cleaner has deleted it.
//         static VoFooManager* GetInstance();
//         ...
//     };
//
//     // VoFooManager.cpp
//     namespace {
//     VoCleanerSingleton<VoFooManager> gInstance;
//     }
//     VoFooManager* VoFooManager::GetInstance() {
//         return gInstance.Get([] { return VO_NEW VoFooManager(); }, VoFooManager::kCreationFailure);
//     }
//
// Code that may run during shut-down (destructors above all) tests the result:
//     if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
//         frames->RemoveListener(this);
//     }
// A game singleton names the game's cleaner as its home:
// VoCleanerSingleton<MGFoo, MGCleanerHome>, where MGCleanerHome offers a
// static GetInstance() returning the game's VoCleaner*.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoLogSite.h"

class VoCleanerSlot;
class VoVector;

class VoCleaner : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoCleaner creation failure.";
    static constexpr const char* kAddNull = "AddInstance failure. apInstance == NULL.";
    static constexpr const char* kAddDuplicate = "AddInstance failure. Duplicate instance found.";
    static constexpr const char* kAddFailure = "AddInstance failure.";
    static constexpr const char* kAddWhileCleaning =
        "AddInstance failure. The cleaner is deleting its instances.";
    static constexpr const char* kRemoveFailure = "RemoveInstance failure.";

    // The engine's cleaner, created on first use and registered nowhere; null
    // when it cannot be created. Once it has been deleted a later call makes
    // a new, empty one, but the singletons the old one deleted stay gone.
    static VoCleaner* GetInstance();
    // The engine's cleaner if there is one; never creates.
    static VoCleaner* PeekInstance();
    // For tests only, which need a fresh engine within one process: deletes
    // the engine cleaner if there is one and starts the engine anew, so every
    // singleton can be made again. A run never calls it.
    static void ResetEngineForTests();

    // For a cleaner of the game's own; the engine's comes from GetInstance.
    VoCleaner();
    VoCleaner(const VoCleaner&) = delete;
    VoCleaner& operator=(const VoCleaner&) = delete;
    // Deletes every instance, newest first.
    ~VoCleaner() override;

    // Takes ownership of apInstance when true.
    bool AddInstance(VoBase* apInstance);
    // The same for a singleton: apSlot learns when its instance is deleted.
    bool AddInstance(VoBase* apInstance, VoCleanerSlot* apSlot);
    // Gives ownership back (the instance is not deleted) when true.
    bool RemoveInstance(VoBase* apInstance);
    int GetInstanceCount() const;
    // The instances newest first (index 0 the last registered); null out of range.
    VoBase* GetInstanceAt(int aIndex) const;
    // True from the start of the destructor on.
    bool IsCleaning() const { return fCleaning; }
    // Unique among the cleaners of the process, never 0.
    std::uint32_t GetSerial() const { return fSerial; }
    VoString ToString() const override;

protected:
    // A cleaner kept in a static pointer of its class's (as the game keeps
    // its own): the destructor clears *appHolder at its very end, after the
    // instances are gone, while it still points at this cleaner. Until then
    // an accessor called from an instance's destructor finds this cleaner
    // cleaning and makes nothing.
    explicit VoCleaner(VoCleaner** appHolder);

private:
    VoCleaner** fppHolder;  // not owned: the static that holds this cleaner, or null
    VoVector* fpInstances;  // owned, holding the instances (owned), the newest at index 0
    VoVector* fpSlots;      // owned, parallel to fpInstances: each instance's slot (not owned) or null
    void** fpSnapshot;      // owned while the destructor deletes the instances; null otherwise
    int fSnapshotCount;
    std::uint32_t fSerial;
    bool fCleaning;
};

// Where a cleaner-owned singleton is kept: empty, live, or gone (deleted by
// its cleaner, for the rest of the run). Kept in static storage by
// VoCleanerSingleton.
class VoCleanerSlot {
public:
    constexpr VoCleanerSlot() = default;

protected:
    friend class VoCleaner;

    // Deleted by its cleaner since the engine started.
    bool IsGone() const;

    VoBase* fpInstance = nullptr;  // owned by the cleaner; null while empty or gone
    std::uint32_t fGoneIn = 0;     // the engine start in which the instance was deleted; 0 while it was not
};

// The accessor behind a singleton's GetInstance (see the idiom above). Home
// names the cleaner: VoCleaner itself for the engine's.
template <typename T, typename Home = VoCleaner>
class VoCleanerSingleton : public VoCleanerSlot {
public:
    constexpr VoCleanerSingleton() = default;

    // The instance. On first use it is made by aCreate() (returning a new T or
    // null) and handed to the cleaner; a failure logs apCreationFailure at the
    // caller (nothing when it is null: aCreate reports) and gives null. Once
    // the cleaner has deleted the instance this gives null without a message
    // and makes nothing, for the rest of the run.
    template <typename Create>
    T* Get(Create aCreate, const char* apCreationFailure, VoLogSite aSite = VoLogSite::Here()) {
        if (fpInstance != nullptr) {
            return static_cast<T*>(fpInstance);
        }
        if (IsGone()) {
            return nullptr;
        }
        VoCleaner* cleaner = Home::GetInstance();
        if (cleaner == nullptr) {
            Report(aSite, apCreationFailure);
            return nullptr;
        }
        if (cleaner->IsCleaning()) {
            return nullptr;
        }
        T* instance = aCreate();
        if (instance == nullptr) {
            Report(aSite, apCreationFailure);
            return nullptr;
        }
        if (!cleaner->AddInstance(instance, this)) {
            delete instance;
            Report(aSite, apCreationFailure);
            return nullptr;
        }
        return instance;
    }

    // The instance if it is live; never creates.
    T* Peek() const { return static_cast<T*>(fpInstance); }

private:
    static void Report(const VoLogSite& aSite, const char* apCreationFailure) {
        if (apCreationFailure != nullptr) {
            aSite.Error(apCreationFailure);
        }
    }
};
