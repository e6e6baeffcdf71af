#pragma once
// Lists kept in the order of their items' times, as the case log keeps its
// notes and the profiler its explained entries: an item goes before the
// first one strictly later than it, so that items of equal times stay in
// the order in which they came.
#include "container/VoVectorFloat.h"

// The index at which an item of time aTime goes among items of the times
// aTimes, themselves in that order.
inline int MGTimeOrderPlace(const VoVectorFloat& aTimes, float aTime) {
    for (int i = 0; i < aTimes.GetCount(); ++i) {
        if (aTimes.GetAt(i) > aTime) {
            return i;
        }
    }
    return aTimes.GetCount();
}
