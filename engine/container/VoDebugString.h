#pragma once
// The common shape of a debug string: "[" + class name + " <" + the object's
// address in lower-case hex + ">]", or with fields between ">" and "]".
#include "container/VoString.h"

VoString VoDebugString(const char* apClassName, const void* apObject);

// "[" + class name + " <" + address + ">", without the closing bracket.
VoString VoDebugStringHead(const char* apClassName, const void* apObject);

// With fields, each appended as VoString::Append formats it:
//     VoDebugString("VoInt", this, " value:", fValue) gives "[VoInt <1f2e> value:7]".
template <typename First, typename... Rest>
VoString VoDebugString(const char* apClassName, const void* apObject, const First& aFirst, const Rest&... aRest) {
    VoString text = VoDebugStringHead(apClassName, apObject);
    text.Append(aFirst);
    (text.Append(aRest), ...);
    text.Append("]");
    return text;
}
