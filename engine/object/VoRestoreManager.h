#pragma once
// Writes the restorables (the event manager, the state manager and the game
// clock, registered in that order at start-up) into a save game and reads
// them back.
//
// Records follow each other with no count and no length; the reader is told
// where the data ends. One record, in the typed encoding of VoIStream:
//     f32 version   the game-object manager's version tag
//     u32 handle    the object's handle in the game-object manager, 0 when none
//     string        the id filed for that handle, empty when the handle is 0
//     string        the object's id, which is also its creator's id
//     ...           what the object's Save writes
//
// Load accepts only records of the restorables registered here: a record
// names its object by id and stores no length, so a record of anything else
// can be neither loaded nor skipped, and the load ends there. Each record is
// loaded into what the creator of its id yields, which must be the
// registered restorable itself (the manager creators hand out the live
// singletons). A saved handle is kept only when the game-object manager
// already holds the object under it: the restorables belong to their own
// owners and are never handed to that manager.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVector.h"

class VoAPIObject;
class VoGameObjectManager;
class VoIStream;

class VoRestoreRecordHeader {
public:
    float version = 0.0f;
    std::uint32_t handle = 0;
    VoString handleId{u""};
    VoString creatorId{u""};
};

class VoRestoreManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "VoRestoreManager creation failed.";
    static constexpr const char* kAddNull = "AddRestorable failure. NULL arg.";
    static constexpr const char* kAlreadyAdded = "AddRestorable failure. Already added.";
    static constexpr const char* kIdUndefined = "AddRestorable failure. ID undefined.";
    static constexpr const char* kAddFailure = "AddRestorable failure.";
    static constexpr const char* kNotFound = "RemoveRestorable failure. Not found.";
    static constexpr const char* kRemoveFailure = "RemoveRestorable failure.";
    static constexpr const char* kSaveFailure = "Save failure.";
    static constexpr const char* kLoadFailure = "Unsuccessful load.";
    static constexpr const char* kNullStream = "NULL arg.";
    static constexpr const char* kNoGameObjects = "No game-object manager.";
    static constexpr const char* kHeaderUnreadable = "Load failure. Record header unreadable.";
    static constexpr const char* kNotRestorable = "Load failure. Not a registered restorable: ";
    static constexpr const char* kNotCreated = "Load failure. Could not create: ";
    static constexpr const char* kNotRegisteredObject =
        "Load failure. The creator did not yield the restorable: ";
    static constexpr const char* kHandleRefused = "Load failure. Saved handle refused: ";
    static constexpr const char* kNoProgress = "Load failure. The record did not advance the stream.";

    // Created on first use and owned by the engine cleaner; null when it
    // cannot be created, and null once the cleaner has deleted it.
    static VoRestoreManager* GetInstance();

    VoRestoreManager();
    VoRestoreManager(const VoRestoreManager&) = delete;
    VoRestoreManager& operator=(const VoRestoreManager&) = delete;
    // The restorables are not touched: they remove themselves when they go.
    ~VoRestoreManager() override;

    // Registers the event manager, the state manager and the game clock, in
    // that order, as the application does once at initialisation; false when
    // any of them is missing or refused.
    bool AddEngineRestorables();
    // Not owned. Refused when already added or when the object has no id.
    bool AddRestorable(VoAPIObject* apObject);
    bool RemoveRestorable(VoAPIObject* apObject);
    int GetRestorableCount() const { return fRestorables.GetCount(); }
    // In registration order; null out of range.
    VoAPIObject* GetRestorable(int aIndex) const;

    // One record per restorable, in registration order. Every record is
    // attempted; false when any step failed.
    bool Save(VoIStream* apStream);
    // Reads records from the stream's position until it reaches aEnd. Ends
    // at the first record that cannot be read or placed (see above), or that
    // leaves the position where it was; false when anything failed.
    bool Load(VoIStream* apStream, std::int32_t aEnd);
    // Whether the last Load read a record of every restorable registered: a
    // save cut at a record's end loads without failing, but not whole.
    bool LoadedAll() const { return fLoadedAll; }

    // The AND of the four field operations, in record order. Read changes
    // the header only when all four were read.
    bool WriteRecordHeader(VoIStream* apStream, const VoRestoreRecordHeader& aHeader);
    bool ReadRecordHeader(VoIStream* apStream, VoRestoreRecordHeader& aHeader);

    VoString ToString() const override;

private:
    // The registered restorable with the id, or null.
    VoAPIObject* FindRestorable(const VoString& aId) const;
    // Reads one record; false ends the load. aFailed is set when the record
    // was read but the object could not take it.
    bool LoadRecord(VoIStream* apStream, VoGameObjectManager* apGameObjects, bool& aFailed);

    VoVector fRestorables;  // VoAPIObject*, not owned, in registration order
    VoVector fLoaded;       // VoAPIObject*, not owned: those whose records the last Load read
    bool fLoadedAll = false;
};
