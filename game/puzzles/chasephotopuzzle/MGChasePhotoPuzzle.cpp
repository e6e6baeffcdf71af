#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGChasePhotoPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGChasePhotoPuzzle* MGChasePhotoPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGChasePhotoPuzzle(); }, kCreationFailure);
}

VoString MGChasePhotoPuzzle::ToString() const {
    return VoDebugString("MGChasePhotoPuzzle", this);
}
