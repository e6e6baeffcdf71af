// Feeds arbitrary bytes to MGSlotList::Read as the slot list ".filelist",
// and writes what it took back into memory: the entries come out in strictly
// ascending slot number, and the written list reads back to the same
// entries, which write the same bytes again. A list read whole writes a list
// that reads whole; and the list rebuilt from it with the games of its
// entries and one above them writes a list that reads whole, needs no
// recovery and holds one entry per game.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoVectorInt.h"
#include "menu/MGSlotList.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"

namespace {

constexpr std::size_t kMaxSize = 1 << 20;

// The list's text as written.
bool Written(MGSlotList& aList, VoMemoryStream* apOut) {
    return aList.Write(apOut);
}

// The list of the written bytes; false when they do not read.
bool Reread(VoMemoryStream* apWritten, MGSlotList* apOut) {
    if (apWritten->GetPosition() == 0) {
        return true;
    }
    VoMemoryStream again(4, VoMemoryStream::kGrowDouble);
    again.CreateFromBuffer(static_cast<std::int32_t>(apWritten->GetPosition()), apWritten->GetBuffer());
    return apOut->Read(&again);
}

void CheckRebuilt(MGSlotList& aList) {
    VoVectorInt games;
    for (int i = 0; i < aList.GetCount(); ++i) {
        games.Add(aList.GetAt(i)->fNumber);
    }
    if (aList.GetHighestNumber() < MGSlotList::kMaxNumber) {
        games.Add(aList.GetHighestNumber() + 1);
    }
    aList.Rebuild(games);
    VoMemoryStream written(256, VoMemoryStream::kGrowDouble);
    MGSlotList reread;
    if (!Written(aList, &written) || !Reread(&written, &reread) || !reread.IsWhole() ||
        reread.NeedsRecovery(games) || reread.GetCount() != games.GetCount()) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize > kMaxSize) {
        return 0;
    }
    FuzzStream stream(apData, aSize, true);
    MGSlotList list;
    if (!list.Read(&stream)) {
        __builtin_trap();
    }
    for (int i = 1; i < list.GetCount(); ++i) {
        if (list.GetAt(i)->fNumber <= list.GetAt(i - 1)->fNumber || list.GetAt(i - 1)->fNumber < 1) {
            __builtin_trap();
        }
    }
    VoMemoryStream first(256, VoMemoryStream::kGrowDouble);
    if (!Written(list, &first)) {
        __builtin_trap();
    }
    MGSlotList reread;
    VoMemoryStream second(256, VoMemoryStream::kGrowDouble);
    if (!Reread(&first, &reread) || !Written(reread, &second) || reread.GetCount() != list.GetCount() ||
        second.GetPosition() != first.GetPosition() ||
        std::memcmp(second.GetBuffer(), first.GetBuffer(), first.GetPosition()) != 0 ||
        (list.IsWhole() && !reread.IsWhole())) {
        __builtin_trap();
    }
    CheckRebuilt(list);
    return 0;
}
