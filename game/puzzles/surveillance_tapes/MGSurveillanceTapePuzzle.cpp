#include "puzzles/surveillance_tapes/MGSurveillanceTapePuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGSurveillanceTapePuzzle, MGCleanerHome> gInstance;

}  // namespace

MGSurveillanceTapePuzzle* MGSurveillanceTapePuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSurveillanceTapePuzzle(); }, kCreationFailure);
}

VoString MGSurveillanceTapePuzzle::ToString() const {
    return VoDebugString("MGSurveillanceTapePuzzle", this);
}
