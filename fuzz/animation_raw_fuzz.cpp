// Feeds arbitrary bytes to VoAnimation::Read as the raw form (".lia").
// Whatever it accepts must sample safely, hold one key per frame in every
// track, and come back the same through both forms; whatever it refuses
// must leave the animation empty.
#include <cstddef>
#include <cstdint>

#include "support/AnimationFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
    }
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    VoAnimation animation;
    if (!animation.Read(&stream, VoString(u"fuzz.lia"))) {
        RequireAnimation(animation.GetTrackCount() == 0 && animation.GetFrameCount() == 0);
        return 0;
    }
    for (std::uint32_t t = 0; t < animation.GetTrackCount(); ++t) {
        RequireAnimation(animation.GetTrack(t)->GetKeyCount() ==
                         static_cast<std::int32_t>(animation.GetFrameCount()));
    }
    SampleEveryTrack(animation);
    RequireSerialisedRoundTrip(animation);

    // Written raw and read back, it writes the same bytes again.
    VoMemoryStream first(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(animation.WriteRaw(&first));
    VoMemoryStream back(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(
        back.CreateFromBuffer(static_cast<std::int32_t>(first.GetPosition()), first.GetBuffer()));
    VoAnimation copy;
    RequireAnimation(copy.Read(&back, animation.GetName()));
    VoMemoryStream second(4, VoMemoryStream::kGrowDouble);
    RequireAnimation(copy.WriteRaw(&second));
    RequireAnimation(SameBytes(first, second));
    return 0;
}
