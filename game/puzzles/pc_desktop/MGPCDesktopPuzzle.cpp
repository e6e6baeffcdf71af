#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGPCDesktopPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGPCDesktopPuzzle* MGPCDesktopPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGPCDesktopPuzzle(); }, kCreationFailure);
}

VoString MGPCDesktopPuzzle::ToString() const {
    return VoDebugString("MGPCDesktopPuzzle", this);
}
