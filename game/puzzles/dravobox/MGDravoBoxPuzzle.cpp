#include "puzzles/dravobox/MGDravoBoxPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGDravoBoxPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGDravoBoxPuzzle* MGDravoBoxPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGDravoBoxPuzzle(); }, kCreationFailure);
}

VoString MGDravoBoxPuzzle::ToString() const {
    return VoDebugString("MGDravoBoxPuzzle", this);
}
