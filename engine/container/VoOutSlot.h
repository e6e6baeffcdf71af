#pragma once
// Out-parameters that receive a pointer (an item, or a new array the caller
// releases with delete[]) are passed holding null; the containers refuse a
// missing or non-null one with "Invalid argument.".
#include "container/VoLogSite.h"
#include "memory/VoNew.h"

struct VoOutSlot {
    static constexpr const char* kInvalidArgument = "Invalid argument.";

    // True when oppSlot is usable; otherwise logs at aSite.
    template <typename T>
    static bool CheckEmpty(T** oppSlot, VoLogSite aSite) {
        if (oppSlot == nullptr || *oppSlot != nullptr) {
            aSite.Error(kInvalidArgument);
            return false;
        }
        return true;
    }

    // After the check, a new zero-initialised array of aCount elements,
    // allocated as from aSite, goes into *oppArray; false when it cannot.
    template <typename T>
    static bool NewArray(T** oppArray, int aCount, VoLogSite aSite) {
        if (!CheckEmpty(oppArray, aSite)) {
            return false;
        }
        *oppArray = new (aSite.File(), aSite.Line()) T[aCount]();
        return *oppArray != nullptr;
    }
};
