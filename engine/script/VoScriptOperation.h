#pragma once
// A node of a condition script's tree: an operation kind and up to two owned
// operands. Evaluation walks the whole tree on every call, always evaluates
// both sides of a binary operator and hands back a new operand.
//
//     kind  operator           operands
//     0     a leaf value       first: boolean, number or string
//     1     event[id], e[id]   first: the event id (string)
//     2     state[id], s[id]   first: the state id (string)
//     3..6  * / + -            two numbers -> number
//     7..10 < > <= >=          two numbers -> boolean
//     11    !                  second only (a boolean); the first is never looked at
//     12,13 == !=              two values of one type -> boolean (strings ignore case)
//     14,15 & |                two booleans -> boolean
//
// Every failed check is logged at assertion level and evaluation goes on.
// After one, the boolean kinds (1, 7 to 15) yield false and the number kinds
// (3 to 6) 0.0; a missing state yields the number 0.0; a leaf without a
// value, and an unknown kind, yield an operand without a type. A value is
// never read as another type.
//
// Record (Write / Read), in the typed encoding of VoIStream:
//     i32 kind, i32 operand count (2 when the second is present, else 1),
//     the first operand's record, then the second's when the count is 2.
// An operation without a first operand (such as "!x") cannot be written.
// Records nest no deeper than kMaxDepth operations.
#include <cstdint>

#include "container/VoISerializable.h"

class VoIStream;
class VoScriptOperand;
class VoString;

class VoScriptOperation : public VoISerializable {
public:
    static constexpr std::int32_t kValue = 0;
    static constexpr std::int32_t kCheckEvent = 1;
    static constexpr std::int32_t kCheckState = 2;
    static constexpr std::int32_t kMultiply = 3;
    static constexpr std::int32_t kDivide = 4;
    static constexpr std::int32_t kAdd = 5;
    static constexpr std::int32_t kSubtract = 6;
    static constexpr std::int32_t kLess = 7;
    static constexpr std::int32_t kGreater = 8;
    static constexpr std::int32_t kLessEqual = 9;
    static constexpr std::int32_t kGreaterEqual = 10;
    static constexpr std::int32_t kNot = 11;
    static constexpr std::int32_t kEqual = 12;
    static constexpr std::int32_t kNotEqual = 13;
    static constexpr std::int32_t kAnd = 14;
    static constexpr std::int32_t kOr = 15;

    // The most levels of operations (the root alone is one) in a tree that
    // the builder makes or Read accepts: data scripts are a few levels deep,
    // and every walk over the tree recurses once per level.
    static constexpr int kMaxDepth = 200;

    static constexpr const char* kInvalidOp = "Invalid op.";
    static constexpr const char* kValueNullOperand = "NULL operand";
    static constexpr const char* kValueRogueOperand = "Rogue operand";
    static constexpr const char* kNullOperand = "NULL operand.";
    static constexpr const char* kRogueOperand = "Rogue operand.";
    static constexpr const char* kStateNotFound = "OpCheckState failure. State not found: ";
    static constexpr const char* kOperandMismatch = "Operand mismatch.";
    // Sic: the text that the logs have always carried.
    static constexpr const char* kOperandInvalid = "Operand invaid.";
    static constexpr const char* kNullOperandB = "NULL operand B.";
    static constexpr const char* kInvalidOperand = "Invalid operand.";
    static constexpr const char* kWriteNullOperand = "Write failure. NULL operand.";
    static constexpr const char* kReadInvalidCount = "Read failure. Invalid operand count: ";
    static constexpr const char* kReadTooDeep = "Read failure. Operations nested too deeply.";

    // Kind 0, no operands.
    VoScriptOperation();
    VoScriptOperation(const VoScriptOperation& aOther);
    VoScriptOperation& operator=(const VoScriptOperation& aOther);
    ~VoScriptOperation() override;

    std::int32_t GetKind() const { return fKind; }
    void SetKind(std::int32_t aKind) { fKind = aKind; }
    // Null when absent; owned by the operation.
    VoScriptOperand* GetFirst() const { return fpFirst; }
    VoScriptOperand* GetSecond() const { return fpSecond; }
    // Take the operand (owned from then on), deleting the one held; null
    // leaves the operand absent.
    void SetFirst(VoScriptOperand* apOperand);
    void SetSecond(VoScriptOperand* apOperand);
    // Back to kind 0 without operands.
    void Clear();

    VoScriptOperand Evaluate() const;

    VoScriptOperand OpValue() const;
    VoScriptOperand OpCheckEvent() const;
    VoScriptOperand OpCheckState() const;
    VoScriptOperand OpMultiply() const;
    VoScriptOperand OpDivide() const;
    VoScriptOperand OpAdd() const;
    VoScriptOperand OpSubtract() const;
    VoScriptOperand OpLess() const;
    VoScriptOperand OpGreater() const;
    VoScriptOperand OpLessEqual() const;
    VoScriptOperand OpGreaterEqual() const;
    VoScriptOperand OpNot() const;
    VoScriptOperand OpEqual() const;
    VoScriptOperand OpNotEqual() const;
    VoScriptOperand OpAnd() const;
    VoScriptOperand OpOr() const;

    // Read replaces the operation only when the whole record was read (and
    // nests no deeper than kMaxDepth); on failure it is left as it was.
    bool Read(VoIStream* apStream) override;
    bool Write(VoIStream* apStream) override;
    // The same, for a record nested aDepth operations below the root.
    bool Read(VoIStream* apStream, int aDepth);

private:
    // Checks that both operands are present; logs "NULL operand." otherwise.
    bool HasBothOperands() const;
    // Evaluates both operands into the out-arguments and checks their types:
    // equal ("Operand mismatch."), and aRequiredType when it is not kTypeNone
    // ("Operand invaid."). False when a check failed.
    bool EvaluateBoth(std::int32_t aRequiredType, VoScriptOperand& aFirst, VoScriptOperand& aSecond) const;
    // The shared body of the four arithmetic kinds and the four comparisons.
    template <typename Compute>
    VoScriptOperand Arithmetic(Compute aCompute) const;
    template <typename Compare>
    VoScriptOperand Comparison(Compare aCompare) const;
    VoScriptOperand Logical(bool aAnd) const;
    // True (in aEqual) when the two results are equal; false when a check failed.
    bool Equality(bool& aEqual) const;
    // The id held by the first operand of a check; null (logged) when it is
    // absent or not a string.
    const VoString* CheckedId() const;

    std::int32_t fKind;
    VoScriptOperand* fpFirst;   // owned; null when absent
    VoScriptOperand* fpSecond;  // owned; null when absent
};
