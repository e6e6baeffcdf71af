#include "puzzles/velmire/MGVelmirePuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGVelmirePuzzle, MGCleanerHome> gInstance;

}  // namespace

MGVelmirePuzzle* MGVelmirePuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGVelmirePuzzle(); }, kCreationFailure);
}

VoString MGVelmirePuzzle::ToString() const {
    return VoDebugString("MGVelmirePuzzle", this);
}
