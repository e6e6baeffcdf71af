#pragma once
// Keeps objects under two keys at once: a string id chosen by the user and a
// 32-bit handle made here (see VoHandle for its layout). The handle's top 8
// bits are this manager's handle index, so the registry can route any handle
// to the manager that made it. A handle can be locked by several holders; the
// last unlock destroys its object.
//
// Serials come from one counter for the whole process, shared by every
// manager: it starts at 1 and is never reset, so no two live handles of the
// process share a serial unless a save game restored one.
//
// The manager also makes objects by creator id through the registry; those
// are not entered in its lists and belong to the caller.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoHashList.h"
#include "container/VoString.h"

class VoHandle;

class VoObjectManager : public VoBase {
public:
    static constexpr const char* kInvalidHandleBang = "Invalid handle!";
    static constexpr const char* kOutOfHandles = "Out of handles.";
    static constexpr const char* kIdInUse = "Attempt to add an ID already in use: ";
    static constexpr const char* kNoCreatorIndex = "Could not retrieve creator index from id: ";
    static constexpr const char* kCreatorRetrievalFailed = "Object creator retrieval failed.";
    static constexpr const char* kCreationFailed = "Object creation failed. creatorIndex: ";
    // A creator made something that is not a VoStreamObject.
    static constexpr const char* kNotAStreamObject =
        "Object creation failed. Not a stream object. creatorIndex: ";
    static constexpr const char* kInitializationFailure = "Object initialization failure.";
    static constexpr const char* kInvalidHandle = "Invalid handle.";
    static constexpr const char* kInvalidHandleValue = "Invalid handle: ";
    static constexpr const char* kEmptyId = "Attempted use of empty id.";
    static constexpr const char* kInvalidId = "Invalid ID: ";
    static constexpr const char* kInvalidArgument = "Invalid argument.";
    static constexpr const char* kReplaceLocked = "Attempt to replace a locked handle.";
    static constexpr const char* kSavedHandleInUse = "Saved handle could not be restored.";
    static constexpr const char* kSavedIdInUse = "Saved id could not be restored. Duplicate found: ";
    static constexpr const char* kHandleInitFailure = "Handle init failure.";
    static constexpr const char* kDestroyLocked = "Attempt to destroy object with locked handle.";
    static constexpr const char* kNoObject = "No object defined for handle: ";
    static constexpr const char* kRemoveValid = "Attempt to remove handle to valid object.";
    static constexpr const char* kRemoveLocked = "Attempt to remove object with locked handle.";
    static constexpr const char* kOldHandleNotFound = "Old handle not found.";
    static constexpr const char* kIdNotFound = "ID not found.";
    static constexpr const char* kAddFailure = "Add failure.";
    static constexpr const char* kRemoveFailure = "Remove failure.";

    static constexpr std::uint32_t kMaxSerial = 0x00FFFFFFu;

    VoObjectManager(const VoString& aId, std::uint32_t aHandleIndex);
    VoObjectManager(const VoObjectManager&) = delete;
    VoObjectManager& operator=(const VoObjectManager&) = delete;
    // DestroyAll.
    ~VoObjectManager() override;

    const VoString& GetId() const { return fId; }
    std::uint32_t GetIndex() const { return fHandleIndex; }

    // Keeps the object (owned from then on) under the id and a new handle;
    // 0 when the id is taken or no handle is left, and the caller keeps the
    // object. The id may be empty.
    std::uint32_t Add(const VoString& aId, VoBase* apObject);

    // Makes an object through the registry's creator for the id, checks that
    // it is a VoStreamObject and runs its Initialize with aArgument. The object
    // is not entered here. Null on any failure; an object that failed the
    // check or its Initialize goes back to its creator (VoIObjectCreator::
    // Discard), which deletes what it made new and leaves a manager
    // creator's live singleton alone.
    VoBase* CreateObject(const VoString& aCreatorId, std::uint32_t aArgument);
    VoBase* CreateObjectByCreatorIndex(std::uint32_t aCreatorIndex, std::uint32_t aArgument);

    // Every operation that takes a handle refuses one of another manager with
    // the error "Invalid handle!" and an assertion failure, except
    // GetHandleOfObject, GetHandle and RestoreHandle, which do not check.
    // Handles print as signed decimals.
    VoBase* GetObject(std::uint32_t aHandle);
    VoBase* GetObject(const VoString& aId);
    // 0 when the id is not filed; no message.
    std::uint32_t GetHandle(const VoString& aId);
    // The handle of the first record (in the order added) holding the object; 0 when none.
    std::uint32_t GetHandleOfObject(const VoBase* apObject);
    // aOut is emptied on failure.
    bool GetIdOfHandle(std::uint32_t aHandle, VoString& aOut);
    // Whether the handle has a record here that holds an object; logs nothing.
    bool HasObject(std::uint32_t aHandle);

    bool IsHandleLocked(std::uint32_t aHandle);
    bool LockHandle(std::uint32_t aHandle);
    // The last unlock (or an unlock of a handle never locked) deletes the
    // object and frees the handle and id. A handle of 0 is false, silently.
    bool UnlockHandle(std::uint32_t aHandle);

    // Deletes the object unless the handle is locked; handle and id stay taken.
    bool DestroyObject(std::uint32_t aHandle);
    // An id not filed gives false without a message.
    bool DestroyObject(const VoString& aId);
    // Deletes the object and frees handle and id, unless locked (false, silently).
    bool TryDestroy(std::uint32_t aHandle);
    // Frees handle and id of a record that holds no object.
    bool RemoveHandle(std::uint32_t aHandle);
    bool RemoveHandle(const VoString& aId);
    // Hands the object to the caller (*oppObject must hold null) without
    // deleting it, unless the handle is locked; handle and id stay taken.
    bool RemoveObject(std::uint32_t aHandle, VoBase** oppObject);
    bool RemoveObject(const VoString& aId, VoBase** oppObject);
    // The record takes apObject (owned). The old object goes to *oppOld when
    // oppOld is given (it must hold null); without oppOld the old object is
    // deleted, since nobody else could ever release it.
    bool SetObject(std::uint32_t aHandle, VoBase* apObject, VoBase** oppOld);
    bool SetObject(const VoString& aId, VoBase* apObject, VoBase** oppOld);

    // Moves a record, unlocked, to another handle of this manager.
    bool ReplaceHandle(std::uint32_t aOldHandle, std::uint32_t aNewHandle);
    bool ReplaceHandle(const VoString& aId, std::uint32_t aNewHandle);
    // Keeps the object under a handle and id read from a save game. The
    // handle's top 8 bits become this manager's index; the serial counter does
    // not move (new handles skip the serials taken this way). Unlocked. A
    // serial of 0 is no handle and is refused ("Handle init failure.").
    bool RestoreHandle(std::uint32_t aSavedHandle, const VoString& aId, VoBase* apObject);

    // Deletes every record (and its object, locked or not) in the order added.
    void DestroyAll();

    int GetCount() const { return fHandles.GetCount(); }
    // What the next handle's serial starts from.
    static std::uint32_t PeekSerialCounter();

    VoString ToString() const override;

private:
    // An active record with a new handle, not yet filed; null when none is left.
    VoHandle* NewHandle(const VoString& aId);
    // False, logging "Invalid handle!", for a handle of another manager.
    bool ValidateHandle(std::uint32_t aHandle) const;
    VoHandle* Find(std::uint32_t aHandle);
    // How a handle of this manager without a record is logged: "Invalid
    // handle." or "Invalid handle: " + the handle.
    enum class Missing { kPlain, kWithHandle };
    // The record of a handle checked to be this manager's; null, logged,
    // when the check fails or there is no record.
    VoHandle* Lookup(std::uint32_t aHandle, Missing aMissing);
    // How an id that is not filed is logged: not at all, or "Invalid ID: " +
    // the id as an error or as a warning.
    enum class IdMissing { kSilent, kError, kWarning };
    // The handle of a filed id; 0, logged, for an empty id or one not filed.
    std::uint32_t ResolveId(const VoString& aId, IdMissing aMissing);
    // Takes the record out of both lists and deletes it (and its box).
    bool Unfile(VoHandle* apRecord);
    // Files an active record in both lists.
    void File(VoHandle* apRecord);

    std::uint32_t fHandleIndex;
    VoHashList fHandles;  // handle -> VoHandle (owned)
    VoHashKeyList fIds;   // id -> VoUInt (owned) holding the handle
    VoString fId;
};
