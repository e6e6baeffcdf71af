#pragma once
// The common shape of a debug string: "[" + class name + " <" + the object's
// address in lower-case hex + ">]".
#include "container/VoString.h"

VoString VoDebugString(const char* apClassName, const void* apObject);
