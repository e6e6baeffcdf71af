#include "object/VoRegistry.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoUInt.h"
#include "memory/VoNew.h"
#include "object/VoIObjectCreator.h"
#include "object/VoObjectManager.h"
#include "stdlib/VoCleaner.h"

namespace {

constexpr int kIdSlots = 100;
constexpr int kCreatorCapacity = 100;
constexpr int kCreatorIncrement = 10;
constexpr int kManagerCapacity = 8;
constexpr int kManagerIncrement = 8;
constexpr int kHandleIndexSlots = 8;

constexpr const char* kAddCreatorNull = "AddCreator failure. NULL arg.";
constexpr const char* kAddManagerNull = "AddObjectManager failure. NULL arg.";

VoCleanerSingleton<VoRegistry> gInstance;

}  // namespace

// The boxed index of the id table, with the kind of thing the id names.
class VoRegistryIndex : public VoUInt {
public:
    VoRegistryIndex(std::uint32_t aIndex, bool aIsManager) : VoUInt(aIndex), fIsManager(aIsManager) {}

    const bool fIsManager;
};

VoRegistry* VoRegistry::Get() {
    bool attempted = false;
    VoRegistry* registry = gInstance.Get(
        [&attempted] {
            attempted = true;
            return VO_NEW VoRegistry();
        },
        kCreationFailure);
    if (registry == nullptr && attempted) {
        VO_ASSERT_FAILURE("");
    }
    return registry;
}

VoRegistry::VoRegistry()
    : fIds(kIdSlots),
      fCreators(kCreatorCapacity, kCreatorIncrement),
      fManagers(kManagerCapacity, kManagerIncrement),
      fManagersByTop(kHandleIndexSlots) {}

VoRegistry::~VoRegistry() {
    for (int i = 0; i < fCreators.GetCount(); ++i) {
        delete static_cast<VoIObjectCreator*>(fCreators.GetAt(i));
    }
    fCreators.Clear();
    for (int i = 0; i < fManagers.GetCount(); ++i) {
        delete static_cast<VoObjectManager*>(fManagers.GetAt(i));
    }
    fManagers.Clear();
    fManagersByTop.Clear();
    void** boxes = nullptr;
    if (fIds.GetValues(&boxes)) {
        for (int i = 0; i < fIds.GetCount(); ++i) {
            delete static_cast<VoRegistryIndex*>(boxes[i]);
        }
        delete[] boxes;
    }
    fIds.Clear();
}

bool VoRegistry::Enter(const VoString& aId, Kind aKind, VoVector& aItems, void* apItem) {
    if (fIds.Contains(aId)) {
        VO_ERROR(kDuplicateId, aId);
        return false;
    }
    if (!aItems.Add(apItem)) {
        // Going on would file the id under the index of the item before and
        // leave this one owned by nobody.
        VO_ASSERT_FAILURE("");
        return false;
    }
    VoRegistryIndex* box =
        VO_NEW VoRegistryIndex(static_cast<std::uint32_t>(aItems.GetCount() - 1), aKind == Kind::kManager);
    if (box == nullptr || !fIds.Add(aId, box)) {
        delete box;
        VO_ASSERT_FAILURE("");
    }
    return true;
}

bool VoRegistry::AddCreator(VoIObjectCreator* apCreator) {
    if (apCreator == nullptr) {
        VO_ERROR(kAddCreatorNull);
        return false;
    }
    return Enter(apCreator->GetId(), Kind::kCreator, fCreators, apCreator);
}

bool VoRegistry::AddObjectManager(VoObjectManager* apManager) {
    if (apManager == nullptr) {
        VO_ERROR(kAddManagerNull);
        return false;
    }
    if (!Enter(apManager->GetId(), Kind::kManager, fManagers, apManager)) {
        return false;
    }
    VO_ASSERT(fManagersByTop.Add(apManager->GetIndex(), apManager), "");
    return true;
}

std::uint32_t VoRegistry::GetIndex(const VoString& aId) const {
    void* box = nullptr;
    if (!fIds.Get(aId, &box)) {
        return kNotFound;
    }
    return static_cast<VoRegistryIndex*>(box)->fValue;
}

std::uint32_t VoRegistry::IndexOfKind(const VoString& aId, Kind aKind) const {
    void* box = nullptr;
    if (!fIds.Get(aId, &box)) {
        return kNotFound;
    }
    const VoRegistryIndex* index = static_cast<VoRegistryIndex*>(box);
    return index->fIsManager == (aKind == Kind::kManager) ? index->fValue : kNotFound;
}

std::uint32_t VoRegistry::GetCreatorIndex(const VoString& aId) const {
    return IndexOfKind(aId, Kind::kCreator);
}

std::uint32_t VoRegistry::GetObjectManagerIndex(const VoString& aId) const {
    return IndexOfKind(aId, Kind::kManager);
}

void* VoRegistry::ItemById(const VoString& aId, Kind aKind, const char* apNotFound) const {
    const std::uint32_t index = IndexOfKind(aId, aKind);
    if (index == kNotFound) {
        VO_WARNING(apNotFound, aId);
        return nullptr;
    }
    return aKind == Kind::kManager ? static_cast<void*>(GetObjectManager(index))
                                   : static_cast<void*>(GetCreator(index));
}

void* VoRegistry::ItemAt(const VoVector& aItems, std::uint32_t aIndex, const char* apOutOfRange) {
    void* item = nullptr;
    // The vector logs the bad index first.
    if (!aItems.GetAt(static_cast<int>(aIndex), &item)) {
        VO_ERROR(apOutOfRange, aIndex);
        return nullptr;
    }
    return item;
}

VoIObjectCreator* VoRegistry::GetCreator(const VoString& aId) const {
    return static_cast<VoIObjectCreator*>(ItemById(aId, Kind::kCreator, kCreatorNotFound));
}

VoIObjectCreator* VoRegistry::GetCreator(std::uint32_t aIndex) const {
    return static_cast<VoIObjectCreator*>(ItemAt(fCreators, aIndex, kNoCreatorAtIndex));
}

bool VoRegistry::GetCreatorId(std::uint32_t aIndex, VoString& aOut) const {
    const VoIObjectCreator* creator =
        aIndex < static_cast<std::uint32_t>(fCreators.GetCount())
            ? static_cast<const VoIObjectCreator*>(fCreators.GetAt(static_cast<int>(aIndex)))
            : nullptr;
    if (creator == nullptr) {
        VO_ERROR(kNoValidCreator, aIndex);
        return false;
    }
    aOut = creator->GetId();
    return true;
}

VoObjectManager* VoRegistry::GetObjectManager(const VoString& aId) const {
    return static_cast<VoObjectManager*>(ItemById(aId, Kind::kManager, kManagerNotFound));
}

VoObjectManager* VoRegistry::GetObjectManager(std::uint32_t aIndex) const {
    return static_cast<VoObjectManager*>(ItemAt(fManagers, aIndex, kNoManagerAtIndex));
}

VoObjectManager* VoRegistry::GetObjectManagerForHandle(std::uint32_t aHandle) const {
    void* manager = nullptr;
    if (!fManagersByTop.Get(aHandle >> 24, &manager)) {
        return nullptr;
    }
    return static_cast<VoObjectManager*>(manager);
}

VoBase* VoRegistry::GetObject(std::uint32_t aHandle) const {
    VoObjectManager* manager = GetObjectManagerForHandle(aHandle);
    return manager != nullptr ? manager->GetObject(aHandle) : nullptr;
}

VoString VoRegistry::ToString() const {
    return VoDebugString("VoRegistry", this);
}
