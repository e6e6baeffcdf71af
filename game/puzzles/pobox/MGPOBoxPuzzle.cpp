#include "puzzles/pobox/MGPOBoxPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPOBoxPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGPOBoxPuzzle* MGPOBoxPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPOBoxPuzzle(); }, kCreationFailure);
}

VoString MGPOBoxPuzzle::ToString() const {
    return VoDebugString("MGPOBoxPuzzle", this);
}
