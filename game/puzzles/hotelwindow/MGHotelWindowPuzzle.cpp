#include "puzzles/hotelwindow/MGHotelWindowPuzzle.h"

#include "container/VoDebugString.h"
#include "memory/VoNew.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGHotelWindowPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGHotelWindowPuzzle* MGHotelWindowPuzzle::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGHotelWindowPuzzle(); }, kCreationFailure);
}

VoString MGHotelWindowPuzzle::ToString() const {
    return VoDebugString("MGHotelWindowPuzzle", this);
}
