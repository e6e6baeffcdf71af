#pragma once
// The process-wide catalogue of object creators and object managers. Every
// creator and manager gets an index (its position among its kind); the
// registry finds either by id, a creator by index, and the manager that made
// a handle from the handle's top 8 bits.
//
// Creators and managers share one id table, so an id names one or the other,
// never both; the table remembers which kind each id names, so a creator's id
// is never taken for a manager's (or the reverse) even though both kinds count
// their indices from 0.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoTableString.h"
#include "container/VoTableUInt.h"
#include "container/VoVector.h"

class VoIObjectCreator;
class VoObjectManager;

class VoRegistry : public VoBase {
public:
    static constexpr std::uint32_t kNotFound = 0xFFFFFFFFu;

    static constexpr const char* kCreationFailure = "Get failure. Registry could not be created.";
    static constexpr const char* kDuplicateId = "Attempt to add duplicate id: ";
    static constexpr const char* kNullArgument = "Invalid arg.";
    static constexpr const char* kCreatorNotFound = "Creator not found: ";
    static constexpr const char* kManagerNotFound = "Object manager not found: ";
    static constexpr const char* kNoCreatorAtIndex = "Could not retrieve creator at index: ";
    static constexpr const char* kNoManagerAtIndex = "Could not retrieve object manager at index: ";
    // No blank after the colon: the index follows directly.
    static constexpr const char* kNoValidCreator = "No valid creator at aIndex:";

    // The registry, made on first use and owned by the engine cleaner, which
    // is handed it before anything else and so deletes it last. Null when it
    // cannot be made, and null once the cleaner has deleted it.
    static VoRegistry* Get();

    // Empty. The engine's one registry comes from Get; tests may make their own.
    VoRegistry();
    VoRegistry(const VoRegistry&) = delete;
    VoRegistry& operator=(const VoRegistry&) = delete;
    // Deletes the creators, then the managers, each in index order.
    ~VoRegistry() override;

    // Takes ownership when true. Null or an id already registered (as either
    // kind) is refused with false, and the caller keeps the object.
    bool AddCreator(VoIObjectCreator* apCreator);
    // The same for a manager, which is also filed under its handle index.
    bool AddObjectManager(VoObjectManager* apManager);

    // The index stored for the id, of whichever kind; kNotFound when the id is
    // not registered. Logs nothing.
    std::uint32_t GetIndex(const VoString& aId) const;
    // The index of the creator (manager) registered under the id; kNotFound
    // when the id is not registered or names the other kind. Logs nothing.
    std::uint32_t GetCreatorIndex(const VoString& aId) const;
    std::uint32_t GetObjectManagerIndex(const VoString& aId) const;

    // A warning names an id that names no creator (manager); an index out of
    // range is an error. Null in both cases.
    VoIObjectCreator* GetCreator(const VoString& aId) const;
    VoIObjectCreator* GetCreator(std::uint32_t aIndex) const;
    bool GetCreatorId(std::uint32_t aIndex, VoString& aOut) const;
    VoObjectManager* GetObjectManager(const VoString& aId) const;
    VoObjectManager* GetObjectManager(std::uint32_t aIndex) const;

    // The manager filed under the handle's top 8 bits; null, without a
    // message, when there is none.
    VoObjectManager* GetObjectManagerForHandle(std::uint32_t aHandle) const;
    // That manager's object for the handle; null when there is no manager.
    VoBase* GetObject(std::uint32_t aHandle) const;

    int GetCreatorCount() const { return fCreators.GetCount(); }
    int GetObjectManagerCount() const { return fManagers.GetCount(); }

    VoString ToString() const override;

private:
    enum class Kind { kCreator, kManager };

    // Appends the item to aItems and enters the id with its index; false, with
    // aItems unchanged, when the id is taken or aItems cannot grow.
    bool Enter(const VoString& aId, Kind aKind, VoVector& aItems, void* apItem);
    // The index of the id when it names aKind, else kNotFound.
    std::uint32_t IndexOfKind(const VoString& aId, Kind aKind) const;
    // The creator or manager of the id; null, with apNotFound and the id as a
    // warning, when the id names none of that kind.
    void* ItemById(const VoString& aId, Kind aKind, const char* apNotFound) const;
    // The item at the index; null, with apOutOfRange and the index as an
    // error, when there is none.
    static void* ItemAt(const VoVector& aItems, std::uint32_t aIndex, const char* apOutOfRange);

    VoTableString fIds;          // id -> boxed index (owned), of either kind
    VoVector fCreators;          // VoIObjectCreator (owned), by index
    VoVector fManagers;          // VoObjectManager (owned), by index
    VoTableUInt fManagersByTop;  // handle index -> VoObjectManager (not owned: in fManagers)
};
