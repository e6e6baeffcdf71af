#pragma once
// A persistent fact of the game: a named value of one of three types that
// stays until it is changed or cleared ("sta_currentscene", a puzzle's active
// flag, the game clock's times). States are built here, handed to
// VoStateManager::AddState and from then on owned by the manager.
//
// The id is kept in lower case. The value is allocated apart and owned by the
// state: a bool (kBoolean), a float (kNumber) or a VoString (kString); null
// while the state is unset.
//
// Record (VoIState::Write / Read), in the typed encoding of VoIStream:
//     f32 time, i32 type (1..3), string id, then the value: bool for 1,
//     f32 for 2, string for 3.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoISerializable.h"
#include "container/VoString.h"

class VoIStream;

class VoIState : public VoBase, public VoISerializable {
public:
    static constexpr std::int32_t kUnset = 0;
    static constexpr std::int32_t kBoolean = 1;
    static constexpr std::int32_t kNumber = 2;
    static constexpr std::int32_t kString = 3;

    static constexpr const char* kSetInvalidId = "Set failure. Invalid id.";
    static constexpr const char* kSetNullArg = "Set failure. NULL arg.";
    // A type code other than 1..3 would make a state that cannot be saved.
    static constexpr const char* kSetInvalidType = "Set failure. Invalid type.";
    static constexpr const char* kSetValueInvalidType = "SetValue failure. Invalid type.";
    static constexpr const char* kReadInvalidType = "Read failure. Invalid type.";
    static constexpr const char* kWriteInvalidType = "Write failure. Invalid type.";
    static constexpr const char* kDestructorFailure = "~VoIState failure.";

    // The smallest record: time, type, an empty id and a one-byte value.
    static constexpr std::uint32_t kMinRecordSize = 4 + 4 + 6 + 1;

    // Empty id, type unset, time 0, no value.
    VoIState();
    VoIState(const VoIState&) = delete;
    VoIState& operator=(const VoIState&) = delete;
    ~VoIState() override;

    // "boolean" 1, "number" 2, "string" 3, ignoring case; 0 for any other name.
    static std::int32_t TypeOfName(const VoString& aTypeName);

    // Gives the state its id (lower-cased), type and a copy of apValue (a
    // bool, float or VoString by type). The time stamp is not touched.
    bool Set(const VoString& aId, std::int32_t aType, const void* apValue);
    // The type by name; false without a message for an unknown name.
    bool Set(const VoString& aId, const VoString& aTypeName, const void* apValue);
    // Replaces the value by one parsed from the text for the state's type:
    // boolean true exactly for "true" in any case, number as VoFloat parses it,
    // string as a copy.
    void SetValue(const VoString& aText);
    // Replaces the value by a copy of a raw value of the state's type.
    void SetValue(const void* apValue);
    // Text given as characters (a literal above all) takes the text form, not
    // the raw one; a null pointer does what the raw form does.
    void SetValue(const char16_t* apText);
    void SetValue(const char* apText);
    void SetTime(float aTime) { fTime = aTime; }

    VoString GetName() const { return fId; }
    // The id itself, for lookups without a copy.
    const VoString& PeekName() const { return fId; }
    std::int32_t GetType() const { return fType; }
    float GetTime() const { return fTime; }
    // Read it as bool, float or VoString by type; null while unset.
    const void* GetValue() const { return fpValue; }
    // Typed reads: the value when the state has that type, else aDefault.
    bool GetBoolean(bool aDefault = false) const;
    float GetNumber(float aDefault = 0.0f) const;

    // On failure the state is left as it was.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    VoString ToString() const override;

private:
    static bool IsValidType(std::int32_t aType) { return aType >= kBoolean && aType <= kString; }
    // A new value of the type holding a copy of apValue; null for another type
    // or when memory runs out.
    static void* CopyValue(std::int32_t aType, const void* apValue);
    static void DeleteValue(std::int32_t aType, void* apValue);

    VoString fId;
    float fTime;
    std::int32_t fType;
    void* fpValue;  // owned: bool, float or VoString by fType; null while unset
};
