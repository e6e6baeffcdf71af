#include "puzzles/combination/MGCombinationLockPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCombinationLockPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGCombinationLockPuzzle* MGCombinationLockPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCombinationLockPuzzle(); }, kCreationFailure);
}

VoString MGCombinationLockPuzzle::ToString() const {
    return VoDebugString("MGCombinationLockPuzzle", this);
}
