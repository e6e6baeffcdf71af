// Feeds arbitrary bytes to VoLipSyncData::Read as the serialised form.
// Whatever it accepts must sample safely and survive a round trip.
#include <cstddef>
#include <cstdint>

#include "support/LipSyncFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
    }
    // The first byte says whether the stream tells its size.
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    VoLipSyncData data;
    const bool read = data.Read(&stream);
    SampleEveryTrack(data);
    if (read) {
        RequireSerialisedRoundTrip(data);
    }
    return 0;
}
