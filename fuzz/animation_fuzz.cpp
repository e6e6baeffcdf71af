// Feeds arbitrary bytes to VoAnimation::Read as the serialised form (".lia1").
// Whatever it accepts must sample safely at every end rule and survive a
// round trip through both forms.
#include <cstddef>
#include <cstdint>

#include "support/AnimationFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
    }
    // The first byte says whether the stream tells its size.
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    VoAnimation animation;
    const bool read = animation.Read(&stream);
    // Accepted or not, what is left must be consistent.
    SampleEveryTrack(animation);
    if (read) {
        RequireSerialisedRoundTrip(animation);
        if (animation.GetFrameCount() <= 4096 && animation.GetTrackCount() <= 256) {
            VoMemoryStream raw(4, VoMemoryStream::kGrowDouble);
            RequireAnimation(animation.WriteRaw(&raw));
        }
    }
    return 0;
}
