#include "puzzles/receipt/MGReceiptPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGReceiptPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGReceiptPuzzle* MGReceiptPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGReceiptPuzzle(); }, kCreationFailure);
}

VoString MGReceiptPuzzle::ToString() const {
    return VoDebugString("MGReceiptPuzzle", this);
}
