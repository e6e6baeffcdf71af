#include "puzzles/roomservice/MGRoomServicePuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGRoomServicePuzzle, MGCleanerHome> gInstance;

}  // namespace

MGRoomServicePuzzle* MGRoomServicePuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGRoomServicePuzzle(); }, kCreationFailure);
}

VoString MGRoomServicePuzzle::ToString() const {
    return VoDebugString("MGRoomServicePuzzle", this);
}
