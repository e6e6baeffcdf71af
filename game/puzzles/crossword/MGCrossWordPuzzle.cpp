#include "puzzles/crossword/MGCrossWordPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCrossWordPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGCrossWordPuzzle* MGCrossWordPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCrossWordPuzzle(); }, kCreationFailure);
}

VoString MGCrossWordPuzzle::ToString() const {
    return VoDebugString("MGCrossWordPuzzle", this);
}
