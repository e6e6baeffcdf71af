#include "puzzles/harppuzzle/MGHarpPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGHarpPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGHarpPuzzle* MGHarpPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGHarpPuzzle(); }, kCreationFailure);
}

VoString MGHarpPuzzle::ToString() const {
    return VoDebugString("MGHarpPuzzle", this);
}
