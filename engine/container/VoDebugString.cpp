#include "container/VoDebugString.h"

VoString VoDebugString(const char* apClassName, const void* apObject) {
    VoString text("[");
    text.Append(apClassName);
    text.Append(" <");
    text.Append(apObject);
    text.Append(">]");
    return text;
}
