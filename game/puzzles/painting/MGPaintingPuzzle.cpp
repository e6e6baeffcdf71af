#include "puzzles/painting/MGPaintingPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPaintingPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGPaintingPuzzle* MGPaintingPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPaintingPuzzle(); }, kCreationFailure);
}

VoString MGPaintingPuzzle::ToString() const {
    return VoDebugString("MGPaintingPuzzle", this);
}
