#include "container/VoDebugString.h"

VoString VoDebugStringHead(const char* apClassName, const void* apObject) {
    VoString text("[");
    text.Append(apClassName);
    text.Append(" <");
    text.Append(apObject);
    text.Append(">");
    return text;
}

VoString VoDebugString(const char* apClassName, const void* apObject) {
    VoString text = VoDebugStringHead(apClassName, apObject);
    text.Append("]");
    return text;
}
