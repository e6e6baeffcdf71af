#include "script/VoScriptOperand.h"

#include <utility>

#include "memory/VoNew.h"
#include "script/VoScriptOperation.h"
#include "stdlib/VoIStream.h"

VoScriptOperand::VoScriptOperand() : fType(kTypeNone), fpValue(nullptr) {}

VoScriptOperand::VoScriptOperand(const VoScriptOperand& aOther)
    : VoISerializable(), fType(kTypeNone), fpValue(nullptr) {
    CopyFrom(aOther);
}

VoScriptOperand& VoScriptOperand::operator=(const VoScriptOperand& aOther) {
    if (this != &aOther) {
        // Copied first: the other may be a part of this operand's tree.
        VoScriptOperand copy(aOther);
        Release();
        TakeFrom(copy);
    }
    return *this;
}

VoScriptOperand::VoScriptOperand(VoScriptOperand&& aOther) noexcept
    : VoISerializable(), fType(kTypeNone), fpValue(nullptr) {
    TakeFrom(aOther);
}

VoScriptOperand& VoScriptOperand::operator=(VoScriptOperand&& aOther) noexcept {
    if (this != &aOther) {
        // Taken first, for the same reason.
        VoScriptOperand taken(std::move(aOther));
        Release();
        TakeFrom(taken);
    }
    return *this;
}

VoScriptOperand::~VoScriptOperand() {
    Release();
}

VoScriptOperand VoScriptOperand::Boolean(bool aValue) {
    VoScriptOperand operand;
    operand.fType = kTypeBoolean;
    operand.fpValue = VO_NEW bool(aValue);
    return operand;
}

VoScriptOperand VoScriptOperand::Number(float aValue) {
    VoScriptOperand operand;
    operand.fType = kTypeNumber;
    operand.fpValue = VO_NEW float(aValue);
    return operand;
}

VoScriptOperand VoScriptOperand::String(const VoString& aValue) {
    VoScriptOperand operand;
    operand.fType = kTypeString;
    operand.fpValue = VO_NEW VoString(aValue);
    return operand;
}

VoScriptOperand VoScriptOperand::Operation(VoScriptOperation* apOperation) {
    VoScriptOperand operand;
    operand.fType = kTypeOperation;
    operand.fpValue = apOperation;
    return operand;
}

const bool* VoScriptOperand::GetBoolean() const {
    return fType == kTypeBoolean ? static_cast<const bool*>(fpValue) : nullptr;
}

const float* VoScriptOperand::GetNumber() const {
    return fType == kTypeNumber ? static_cast<const float*>(fpValue) : nullptr;
}

const VoString* VoScriptOperand::GetString() const {
    return fType == kTypeString ? static_cast<const VoString*>(fpValue) : nullptr;
}

VoScriptOperation* VoScriptOperand::GetOperation() const {
    return fType == kTypeOperation ? static_cast<VoScriptOperation*>(fpValue) : nullptr;
}

VoScriptOperand VoScriptOperand::Evaluate() const {
    if (fType == kTypeOperation) {
        if (const VoScriptOperation* operation = GetOperation()) {
            return operation->Evaluate();
        }
        return VoScriptOperand();
    }
    return *this;
}

bool VoScriptOperand::Read(VoIStream* apStream) {
    return Read(apStream, 0);
}

bool VoScriptOperand::Read(VoIStream* apStream, int aDepth) {
    std::int32_t type = kTypeNone;
    if (apStream == nullptr || !apStream->ReadInt(&type)) {
        return false;
    }
    VoScriptOperand read;
    bool ok = true;
    switch (type) {
        case kTypeBoolean: {
            bool value = false;
            ok = apStream->ReadBool(&value);
            read = Boolean(value);
            break;
        }
        case kTypeNumber: {
            float value = 0.0f;
            ok = apStream->ReadFloat(&value);
            read = Number(value);
            break;
        }
        case kTypeString: {
            VoString value(u"");
            ok = apStream->ReadString(&value);
            read = String(value);
            break;
        }
        case kTypeOperation: {
            VoScriptOperation* operation = VO_NEW VoScriptOperation();
            ok = operation != nullptr && operation->Read(apStream, aDepth + 1);
            read = Operation(operation);
            break;
        }
        default:
            read.fType = type;
            break;
    }
    if (!ok) {
        return false;
    }
    *this = std::move(read);
    return true;
}

bool VoScriptOperand::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteInt(fType);
    switch (fType) {
        case kTypeBoolean: {
            const bool* value = GetBoolean();
            ok = (value != nullptr && apStream->WriteBool(*value)) && ok;
            break;
        }
        case kTypeNumber: {
            const float* value = GetNumber();
            ok = (value != nullptr && apStream->WriteFloat(*value)) && ok;
            break;
        }
        case kTypeString: {
            const VoString* value = GetString();
            ok = (value != nullptr && apStream->WriteString(*value)) && ok;
            break;
        }
        case kTypeOperation: {
            VoScriptOperation* value = GetOperation();
            ok = (value != nullptr && value->Write(apStream)) && ok;
            break;
        }
        default:
            break;
    }
    return ok;
}

void VoScriptOperand::Release() {
    switch (fType) {
        case kTypeBoolean:
            delete static_cast<bool*>(fpValue);
            break;
        case kTypeNumber:
            delete static_cast<float*>(fpValue);
            break;
        case kTypeString:
            delete static_cast<VoString*>(fpValue);
            break;
        case kTypeOperation:
            delete static_cast<VoScriptOperation*>(fpValue);
            break;
        default:
            break;
    }
    fType = kTypeNone;
    fpValue = nullptr;
}

void VoScriptOperand::CopyFrom(const VoScriptOperand& aOther) {
    fType = aOther.fType;
    fpValue = nullptr;
    if (aOther.fpValue == nullptr) {
        return;
    }
    switch (fType) {
        case kTypeBoolean:
            fpValue = VO_NEW bool(*aOther.GetBoolean());
            break;
        case kTypeNumber:
            fpValue = VO_NEW float(*aOther.GetNumber());
            break;
        case kTypeString:
            fpValue = VO_NEW VoString(*aOther.GetString());
            break;
        case kTypeOperation:
            fpValue = VO_NEW VoScriptOperation(*aOther.GetOperation());
            break;
        default:
            break;
    }
}

void VoScriptOperand::TakeFrom(VoScriptOperand& aOther) {
    fType = aOther.fType;
    fpValue = aOther.fpValue;
    aOther.fType = kTypeNone;
    aOther.fpValue = nullptr;
}
