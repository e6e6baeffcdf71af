#include "puzzles/map_puzzle/MGMapPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGMapPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGMapPuzzle* MGMapPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMapPuzzle(); }, kCreationFailure);
}

VoString MGMapPuzzle::ToString() const {
    return VoDebugString("MGMapPuzzle", this);
}
