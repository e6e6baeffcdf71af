#include "state/VoIState.h"

#include "container/VoBoolean.h"
#include "container/VoDebugString.h"
#include "container/VoFloat.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

VoIState::VoIState() : fId(), fTime(0.0f), fType(kUnset), fpValue(nullptr) {}

VoIState::~VoIState() {
    if (fpValue != nullptr && !IsValidType(fType)) {
        VO_ASSERT_FAILURE(kDestructorFailure);
        return;
    }
    DeleteValue(fType, fpValue);
}

std::int32_t VoIState::TypeOfName(const VoString& aTypeName) {
    if (aTypeName.EqualsNoCase(u"boolean")) {
        return kBoolean;
    }
    if (aTypeName.EqualsNoCase(u"number")) {
        return kNumber;
    }
    if (aTypeName.EqualsNoCase(u"string")) {
        return kString;
    }
    return kUnset;
}

void* VoIState::CopyValue(std::int32_t aType, const void* apValue) {
    switch (aType) {
        case kBoolean:
            return VO_NEW bool(*static_cast<const bool*>(apValue));
        case kNumber:
            return VO_NEW float(*static_cast<const float*>(apValue));
        case kString:
            return VO_NEW VoString(*static_cast<const VoString*>(apValue));
        default:
            return nullptr;
    }
}

void VoIState::DeleteValue(std::int32_t aType, void* apValue) {
    switch (aType) {
        case kBoolean:
            delete static_cast<bool*>(apValue);
            break;
        case kNumber:
            delete static_cast<float*>(apValue);
            break;
        case kString:
            delete static_cast<VoString*>(apValue);
            break;
        default:
            break;
    }
}

bool VoIState::Set(const VoString& aId, std::int32_t aType, const void* apValue) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kSetInvalidId);
        return false;
    }
    if (apValue == nullptr) {
        VO_ERROR(kSetNullArg);
        return false;
    }
    if (!IsValidType(aType)) {
        VO_ERROR(kSetInvalidType);
        return false;
    }
    void* value = CopyValue(aType, apValue);
    if (value == nullptr) {
        return false;  // the memory manager has logged it
    }
    DeleteValue(fType, fpValue);
    fId = aId.ToLower();
    fType = aType;
    fpValue = value;
    return true;
}

bool VoIState::Set(const VoString& aId, const VoString& aTypeName, const void* apValue) {
    const std::int32_t type = TypeOfName(aTypeName);
    if (type == kUnset) {
        return false;
    }
    return Set(aId, type, apValue);
}

void VoIState::SetValue(const VoString& aText) {
    switch (fType) {
        case kBoolean: {
            const bool value = VoBoolean(aText).fValue;
            SetValue(&value);
            break;
        }
        case kNumber: {
            const float value = VoFloat(aText).fValue;
            SetValue(&value);
            break;
        }
        case kString:
            SetValue(&aText);
            break;
        default:
            VO_ERROR(kSetValueInvalidType);
            break;
    }
}

void VoIState::SetValue(const char16_t* apText) {
    if (apText == nullptr) {
        SetValue(static_cast<const void*>(nullptr));
        return;
    }
    SetValue(VoString(apText));
}

void VoIState::SetValue(const char* apText) {
    if (apText == nullptr) {
        SetValue(static_cast<const void*>(nullptr));
        return;
    }
    SetValue(VoString(apText));
}

void VoIState::SetValue(const void* apValue) {
    if (!IsValidType(fType)) {
        VO_ERROR(kSetValueInvalidType);
        return;
    }
    if (apValue == nullptr) {
        return;
    }
    void* value = CopyValue(fType, apValue);
    if (value == nullptr) {
        return;  // the old value stays; the memory manager has logged it
    }
    DeleteValue(fType, fpValue);
    fpValue = value;
}

bool VoIState::GetBoolean(bool aDefault) const {
    return fType == kBoolean && fpValue != nullptr ? *static_cast<const bool*>(fpValue) : aDefault;
}

float VoIState::GetNumber(float aDefault) const {
    return fType == kNumber && fpValue != nullptr ? *static_cast<const float*>(fpValue) : aDefault;
}

bool VoIState::Read(VoIStream* apStream) {
    float time = 0.0f;
    std::int32_t type = kUnset;
    VoString id;
    if (!VoIStream::ReadValue(apStream, &time) || !VoIStream::ReadValue(apStream, &type) ||
        !VoIStream::ReadValue(apStream, &id)) {
        return false;
    }
    if (!IsValidType(type)) {
        VO_ERROR(kReadInvalidType);
        return false;
    }
    bool flag = false;
    float number = 0.0f;
    VoString text;
    bool read = false;
    const void* value = nullptr;
    switch (type) {
        case kBoolean:
            read = VoIStream::ReadValue(apStream, &flag);
            value = &flag;
            break;
        case kNumber:
            read = VoIStream::ReadValue(apStream, &number);
            value = &number;
            break;
        default:
            read = VoIStream::ReadValue(apStream, &text);
            value = &text;
            break;
    }
    void* copy = read ? CopyValue(type, value) : nullptr;
    if (copy == nullptr) {
        return false;
    }
    DeleteValue(fType, fpValue);
    fTime = time;
    fType = type;
    fId = id;
    fpValue = copy;
    return true;
}

bool VoIState::Write(VoIStream* apStream) {
    if (fType == kUnset) {
        return false;
    }
    bool written = VoIStream::WriteValue(apStream, fTime);
    written = VoIStream::WriteValue(apStream, fType) && written;
    written = VoIStream::WriteValue(apStream, fId) && written;
    if (!IsValidType(fType) || fpValue == nullptr) {
        VO_ERROR(kWriteInvalidType);
        return false;
    }
    switch (fType) {
        case kBoolean:
            return VoIStream::WriteValue(apStream, *static_cast<const bool*>(fpValue)) && written;
        case kNumber:
            return VoIStream::WriteValue(apStream, *static_cast<const float*>(fpValue)) && written;
        default:
            return VoIStream::WriteValue(apStream, *static_cast<const VoString*>(fpValue)) && written;
    }
}

VoString VoIState::ToString() const {
    return VoDebugString("VoIState", this);
}
