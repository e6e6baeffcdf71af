#pragma once
// One value of a condition script: a boolean, a number, a string or a whole
// sub-operation, each allocated apart and owned. Copies are deep (a
// sub-operation comes with its whole tree).
//
// The type codes are the script's own (0 boolean, 1 number, 2 string,
// 3 sub-operation); they differ from the state type codes. An operand that
// nobody gave a type has kTypeNone and no value.
//
// Record (Write / Read), in the typed encoding of VoIStream:
//     i32 type, then by type: bool, f32, string or an operation record;
//     any other type is followed by nothing.
#include <cstdint>

#include "container/VoISerializable.h"
#include "container/VoString.h"

class VoIStream;
class VoScriptOperation;

class VoScriptOperand : public VoISerializable {
public:
    static constexpr std::int32_t kTypeNone = -1;
    static constexpr std::int32_t kTypeBoolean = 0;
    static constexpr std::int32_t kTypeNumber = 1;
    static constexpr std::int32_t kTypeString = 2;
    static constexpr std::int32_t kTypeOperation = 3;

    // No type, no value.
    VoScriptOperand();
    VoScriptOperand(const VoScriptOperand& aOther);
    VoScriptOperand& operator=(const VoScriptOperand& aOther);
    // Moving hands the value over without a copy and leaves no type behind.
    VoScriptOperand(VoScriptOperand&& aOther) noexcept;
    VoScriptOperand& operator=(VoScriptOperand&& aOther) noexcept;
    ~VoScriptOperand() override;

    // Typed values. A value that cannot be allocated leaves the operand with
    // the type and no value, which every reader treats as a failed check.
    static VoScriptOperand Boolean(bool aValue);
    static VoScriptOperand Number(float aValue);
    static VoScriptOperand String(const VoString& aValue);
    // Takes apOperation (owned from then on); null gives an operand of type
    // kTypeOperation without a value.
    static VoScriptOperand Operation(VoScriptOperation* apOperation);

    std::int32_t GetType() const { return fType; }
    // Null unless the operand holds a value of that type.
    const bool* GetBoolean() const;
    const float* GetNumber() const;
    const VoString* GetString() const;
    VoScriptOperation* GetOperation() const;

    // A sub-operation's result; for any other type a copy of this operand.
    VoScriptOperand Evaluate() const;

    // Read replaces the operand only when the whole record was read; on
    // failure the operand is left as it was.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    // The same, counting the nesting of operation records from aDepth.
    bool Read(VoIStream* apStream, int aDepth);

private:
    // Releases the value according to the type; leaves no type.
    void Release();
    void CopyFrom(const VoScriptOperand& aOther);
    void TakeFrom(VoScriptOperand& aOther);

    std::int32_t fType;
    void* fpValue;  // owned: bool, float, VoString or VoScriptOperation by fType; null when none
};
