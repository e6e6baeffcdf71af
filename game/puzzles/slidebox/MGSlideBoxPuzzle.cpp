#include "puzzles/slidebox/MGSlideBoxPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGSlideBoxPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGSlideBoxPuzzle* MGSlideBoxPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSlideBoxPuzzle(); }, kCreationFailure);
}

VoString MGSlideBoxPuzzle::ToString() const {
    return VoDebugString("MGSlideBoxPuzzle", this);
}
