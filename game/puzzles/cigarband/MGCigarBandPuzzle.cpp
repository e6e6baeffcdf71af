#include "puzzles/cigarband/MGCigarBandPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGCigarBandPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGCigarBandPuzzle* MGCigarBandPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCigarBandPuzzle(); }, kCreationFailure);
}

VoString MGCigarBandPuzzle::ToString() const {
    return VoDebugString("MGCigarBandPuzzle", this);
}
