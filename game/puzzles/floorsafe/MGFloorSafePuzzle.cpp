#include "puzzles/floorsafe/MGFloorSafePuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGFloorSafePuzzle, MGCleanerHome> gInstance;

}  // namespace

MGFloorSafePuzzle* MGFloorSafePuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGFloorSafePuzzle(); }, kCreationFailure);
}

VoString MGFloorSafePuzzle::ToString() const {
    return VoDebugString("MGFloorSafePuzzle", this);
}
