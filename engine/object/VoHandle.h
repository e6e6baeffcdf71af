#pragma once
// The record an object manager keeps for each handle it hands out: the
// handle, how many holders have locked it, the id it is filed under and the
// object (owned). A handle of 0 means the record is not active.
//
// A handle is 32 bits: the top 8 name the manager that made it (its handle
// index), the low 24 are a serial from 1 to 0xFFFFFF.
#include <cstdint>

#include "container/VoString.h"

class VoBase;

class VoHandle {
public:
    static constexpr const char* kAlreadyActive = "Handle already active.";
    static constexpr const char* kLockNull = "Attempted to lock null handle.";
    static constexpr const char* kUnlockNull = "Attempted to unlock null handle.";

    static constexpr std::uint32_t kSerialMask = 0x00FFFFFFu;
    static constexpr int kIndexShift = 24;

    static constexpr std::uint32_t Make(std::uint32_t aIndex, std::uint32_t aSerial) {
        return (aIndex << kIndexShift) | (aSerial & kSerialMask);
    }
    static constexpr std::uint32_t IndexOf(std::uint32_t aHandle) { return aHandle >> kIndexShift; }
    static constexpr std::uint32_t SerialOf(std::uint32_t aHandle) { return aHandle & kSerialMask; }

    VoHandle() = default;
    VoHandle(const VoHandle&) = delete;
    VoHandle& operator=(const VoHandle&) = delete;
    // Deletes the object held.
    ~VoHandle();

    // Takes the id and handle on an inactive record; an active one is refused
    // (assertion failure, false).
    bool Activate(const VoString& aId, std::uint32_t aHandle);
    // Moves an active record to another handle; lock count, id and object stay.
    void Rehandle(std::uint32_t aHandle) { fHandle = aHandle; }
    // False, with a warning, on an inactive record. Unlock stops at 0.
    bool Lock();
    bool Unlock();

    bool IsNull() const { return fHandle == 0; }
    bool IsLocked() const { return fLockCount > 0; }
    std::uint32_t GetHandle() const { return fHandle; }
    std::int32_t GetLockCount() const { return fLockCount; }
    const VoString& GetId() const { return fId; }

    VoBase* GetObject() const { return fpObject; }
    // Takes ownership of apObject; the object held before is handed back.
    VoBase* SetObject(VoBase* apObject);

private:
    std::uint32_t fHandle = 0;
    std::int32_t fLockCount = 0;  // never below 0
    VoString fId;
    VoBase* fpObject = nullptr;  // owned
};
