#include "script/VoScriptOperation.h"

#include <utility>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "script/VoScriptOperand.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoIStream.h"

namespace {

VoScriptOperand* CopyOf(const VoScriptOperand* apOperand) {
    return apOperand != nullptr ? VO_NEW VoScriptOperand(*apOperand) : nullptr;
}

}  // namespace

VoScriptOperation::VoScriptOperation() : fKind(kValue), fpFirst(nullptr), fpSecond(nullptr) {}

VoScriptOperation::VoScriptOperation(const VoScriptOperation& aOther)
    : VoISerializable(),
      fKind(aOther.fKind),
      fpFirst(CopyOf(aOther.fpFirst)),
      fpSecond(CopyOf(aOther.fpSecond)) {}

VoScriptOperation& VoScriptOperation::operator=(const VoScriptOperation& aOther) {
    if (this != &aOther) {
        // Copied first: the other may be a part of this tree.
        VoScriptOperand* first = CopyOf(aOther.fpFirst);
        VoScriptOperand* second = CopyOf(aOther.fpSecond);
        fKind = aOther.fKind;
        SetFirst(first);
        SetSecond(second);
    }
    return *this;
}

VoScriptOperation::~VoScriptOperation() {
    delete fpFirst;
    delete fpSecond;
}

void VoScriptOperation::SetFirst(VoScriptOperand* apOperand) {
    if (apOperand != fpFirst) {
        delete fpFirst;
        fpFirst = apOperand;
    }
}

void VoScriptOperation::SetSecond(VoScriptOperand* apOperand) {
    if (apOperand != fpSecond) {
        delete fpSecond;
        fpSecond = apOperand;
    }
}

void VoScriptOperation::Clear() {
    fKind = kValue;
    SetFirst(nullptr);
    SetSecond(nullptr);
}

VoScriptOperand VoScriptOperation::Evaluate() const {
    switch (fKind) {
        case kValue:
            return OpValue();
        case kCheckEvent:
            return OpCheckEvent();
        case kCheckState:
            return OpCheckState();
        case kMultiply:
            return OpMultiply();
        case kDivide:
            return OpDivide();
        case kAdd:
            return OpAdd();
        case kSubtract:
            return OpSubtract();
        case kLess:
            return OpLess();
        case kGreater:
            return OpGreater();
        case kLessEqual:
            return OpLessEqual();
        case kGreaterEqual:
            return OpGreaterEqual();
        case kNot:
            return OpNot();
        case kEqual:
            return OpEqual();
        case kNotEqual:
            return OpNotEqual();
        case kAnd:
            return OpAnd();
        case kOr:
            return OpOr();
        default:
            VO_ASSERT_FAILURE(kInvalidOp);
            return VoScriptOperand();
    }
}

VoScriptOperand VoScriptOperation::OpValue() const {
    if (fpSecond != nullptr) {
        VO_ASSERT_FAILURE(kValueRogueOperand);
    }
    if (fpFirst == nullptr) {
        VO_ASSERT_FAILURE(kValueNullOperand);
        return VoScriptOperand();
    }
    return *fpFirst;
}

const VoString* VoScriptOperation::CheckedId() const {
    if (fpSecond != nullptr) {
        VO_ASSERT_FAILURE(kRogueOperand);
    }
    if (fpFirst == nullptr) {
        VO_ASSERT_FAILURE(kNullOperand);
        return nullptr;
    }
    const VoString* id = fpFirst->GetString();
    if (id == nullptr) {
        VO_ASSERT_FAILURE(kInvalidOperand);
    }
    return id;
}

VoScriptOperand VoScriptOperation::OpCheckEvent() const {
    const VoString* id = CheckedId();
    VoEventManager* events = id != nullptr ? VoEventManager::GetInstance() : nullptr;
    return VoScriptOperand::Boolean(events != nullptr && events->HasEvent(*id));
}

VoScriptOperand VoScriptOperation::OpCheckState() const {
    const VoString* id = CheckedId();
    if (id == nullptr) {
        return VoScriptOperand::Number(0.0f);
    }
    VoStateManager* states = VoStateManager::GetInstance();
    const VoIState* state = states != nullptr ? states->GetState(*id) : nullptr;
    const void* value = state != nullptr ? state->GetValue() : nullptr;
    if (value != nullptr) {
        switch (state->GetType()) {
            case VoIState::kBoolean:
                return VoScriptOperand::Boolean(*static_cast<const bool*>(value));
            case VoIState::kNumber:
                return VoScriptOperand::Number(*static_cast<const float*>(value));
            case VoIState::kString:
                return VoScriptOperand::String(*static_cast<const VoString*>(value));
            default:
                break;
        }
    }
    // Data scripts rely on this: a state never set reads as the number 0.0.
    VO_ASSERT_FAILURE(kStateNotFound, *id);
    return VoScriptOperand::Number(0.0f);
}

bool VoScriptOperation::HasBothOperands() const {
    if (fpFirst == nullptr || fpSecond == nullptr) {
        VO_ASSERT_FAILURE(kNullOperand);
        return false;
    }
    return true;
}

bool VoScriptOperation::EvaluateBoth(std::int32_t aRequiredType, VoScriptOperand& aFirst,
                                     VoScriptOperand& aSecond) const {
    aFirst = fpFirst->Evaluate();
    aSecond = fpSecond->Evaluate();
    bool ok = true;
    if (aFirst.GetType() != aSecond.GetType()) {
        VO_ASSERT_FAILURE(kOperandMismatch);
        ok = false;
    }
    if (aRequiredType != VoScriptOperand::kTypeNone && aFirst.GetType() != aRequiredType) {
        VO_ASSERT_FAILURE(kOperandInvalid);
        ok = false;
    }
    return ok;
}

template <typename Compute>
VoScriptOperand VoScriptOperation::Arithmetic(Compute aCompute) const {
    VoScriptOperand first;
    VoScriptOperand second;
    if (!HasBothOperands() || !EvaluateBoth(VoScriptOperand::kTypeNumber, first, second) ||
        first.GetNumber() == nullptr || second.GetNumber() == nullptr) {
        return VoScriptOperand::Number(0.0f);
    }
    return VoScriptOperand::Number(aCompute(*first.GetNumber(), *second.GetNumber()));
}

template <typename Compare>
VoScriptOperand VoScriptOperation::Comparison(Compare aCompare) const {
    VoScriptOperand first;
    VoScriptOperand second;
    if (!HasBothOperands() || !EvaluateBoth(VoScriptOperand::kTypeNumber, first, second) ||
        first.GetNumber() == nullptr || second.GetNumber() == nullptr) {
        return VoScriptOperand::Boolean(false);
    }
    return VoScriptOperand::Boolean(aCompare(*first.GetNumber(), *second.GetNumber()));
}

VoScriptOperand VoScriptOperation::OpMultiply() const {
    return Arithmetic([](float aA, float aB) { return aA * aB; });
}

// Division by zero is not checked: it gives infinity or NaN.
VoScriptOperand VoScriptOperation::OpDivide() const {
    return Arithmetic([](float aA, float aB) { return aA / aB; });
}

VoScriptOperand VoScriptOperation::OpAdd() const {
    return Arithmetic([](float aA, float aB) { return aA + aB; });
}

VoScriptOperand VoScriptOperation::OpSubtract() const {
    return Arithmetic([](float aA, float aB) { return aA - aB; });
}

VoScriptOperand VoScriptOperation::OpLess() const {
    return Comparison([](float aA, float aB) { return aA < aB; });
}

VoScriptOperand VoScriptOperation::OpGreater() const {
    return Comparison([](float aA, float aB) { return aA > aB; });
}

VoScriptOperand VoScriptOperation::OpLessEqual() const {
    return Comparison([](float aA, float aB) { return aA <= aB; });
}

VoScriptOperand VoScriptOperation::OpGreaterEqual() const {
    return Comparison([](float aA, float aB) { return aA >= aB; });
}

VoScriptOperand VoScriptOperation::OpNot() const {
    if (fpSecond == nullptr) {
        VO_ASSERT_FAILURE(kNullOperandB);
        return VoScriptOperand::Boolean(false);
    }
    const VoScriptOperand second = fpSecond->Evaluate();
    const bool* value = second.GetBoolean();
    if (value == nullptr) {
        VO_ASSERT_FAILURE(kInvalidOperand);
        return VoScriptOperand::Boolean(false);
    }
    return VoScriptOperand::Boolean(!*value);
}

bool VoScriptOperation::Equality(bool& aEqual) const {
    VoScriptOperand first;
    VoScriptOperand second;
    if (!HasBothOperands() || !EvaluateBoth(VoScriptOperand::kTypeNone, first, second)) {
        return false;
    }
    if (first.GetBoolean() != nullptr && second.GetBoolean() != nullptr) {
        aEqual = *first.GetBoolean() == *second.GetBoolean();
        return true;
    }
    if (first.GetNumber() != nullptr && second.GetNumber() != nullptr) {
        aEqual = *first.GetNumber() == *second.GetNumber();
        return true;
    }
    if (first.GetString() != nullptr && second.GetString() != nullptr) {
        aEqual = first.GetString()->EqualsNoCase(*second.GetString());
        return true;
    }
    VO_ASSERT_FAILURE(kInvalidOperand);
    return false;
}

VoScriptOperand VoScriptOperation::OpEqual() const {
    bool equal = false;
    return VoScriptOperand::Boolean(Equality(equal) && equal);
}

// NaN != NaN is true; a failed check is false like every boolean kind's.
VoScriptOperand VoScriptOperation::OpNotEqual() const {
    bool equal = false;
    return VoScriptOperand::Boolean(Equality(equal) && !equal);
}

// Both sides are always evaluated, so a check on the right logs its failure
// even when the left already decides.
VoScriptOperand VoScriptOperation::Logical(bool aAnd) const {
    VoScriptOperand first;
    VoScriptOperand second;
    if (!HasBothOperands() || !EvaluateBoth(VoScriptOperand::kTypeBoolean, first, second) ||
        first.GetBoolean() == nullptr || second.GetBoolean() == nullptr) {
        return VoScriptOperand::Boolean(false);
    }
    const bool a = *first.GetBoolean();
    const bool b = *second.GetBoolean();
    return VoScriptOperand::Boolean(aAnd ? (a && b) : (a || b));
}

VoScriptOperand VoScriptOperation::OpAnd() const {
    return Logical(true);
}

VoScriptOperand VoScriptOperation::OpOr() const {
    return Logical(false);
}

bool VoScriptOperation::Read(VoIStream* apStream) {
    return Read(apStream, 0);
}

bool VoScriptOperation::Read(VoIStream* apStream, int aDepth) {
    if (aDepth >= kMaxDepth) {
        VO_ERROR(kReadTooDeep);
        return false;
    }
    std::int32_t kind = 0;
    std::int32_t count = 0;
    if (apStream == nullptr || !apStream->ReadInt(&kind) || !apStream->ReadInt(&count)) {
        return false;
    }
    if (count != 1 && count != 2) {
        VO_ERROR(kReadInvalidCount, count);
        return false;
    }
    VoScriptOperand* first = VO_NEW VoScriptOperand();
    VoScriptOperand* second = count == 2 ? VO_NEW VoScriptOperand() : nullptr;
    const bool ok = first != nullptr && first->Read(apStream, aDepth) &&
                    (count == 1 || (second != nullptr && second->Read(apStream, aDepth)));
    if (!ok) {
        delete first;
        delete second;
        return false;
    }
    fKind = kind;
    SetFirst(first);
    SetSecond(second);
    return true;
}

bool VoScriptOperation::Write(VoIStream* apStream) {
    if (fpFirst == nullptr) {
        // The record has no way to say that the first operand is absent.
        VO_ASSERT_FAILURE(kWriteNullOperand);
        return false;
    }
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteInt(fKind);
    ok = apStream->WriteInt(fpSecond != nullptr ? 2 : 1) && ok;
    ok = fpFirst->Write(apStream) && ok;
    if (fpSecond != nullptr) {
        ok = fpSecond->Write(apStream) && ok;
    }
    return ok;
}
