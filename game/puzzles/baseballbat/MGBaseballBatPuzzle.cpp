#include "puzzles/baseballbat/MGBaseballBatPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGBaseballBatPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGBaseballBatPuzzle* MGBaseballBatPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGBaseballBatPuzzle(); }, kCreationFailure);
}

VoString MGBaseballBatPuzzle::ToString() const {
    return VoDebugString("MGBaseballBatPuzzle", this);
}
