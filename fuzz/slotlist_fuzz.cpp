// Feeds arbitrary bytes to MGSlotList::Read as the slot list ".filelist",
// and writes what it took back into memory: the entries come out in strictly
// ascending slot number, and the written list reads back to the same
// entries, which write the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "menu/MGSlotList.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"

namespace {

constexpr std::size_t kMaxSize = 1 << 20;

// The list's text as written.
bool Written(MGSlotList& aList, VoMemoryStream* apOut) {
    return aList.Write(apOut);
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
    VoMemoryStream again(4, VoMemoryStream::kGrowDouble);
    if (first.GetPosition() > 0) {
        again.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer());
    }
    MGSlotList reread;
    VoMemoryStream second(256, VoMemoryStream::kGrowDouble);
    if ((first.GetPosition() > 0 && !reread.Read(&again)) || !Written(reread, &second) ||
        reread.GetCount() != list.GetCount() || second.GetPosition() != first.GetPosition() ||
        std::memcmp(second.GetBuffer(), first.GetBuffer(), first.GetPosition()) != 0) {
        __builtin_trap();
    }
    return 0;
}
