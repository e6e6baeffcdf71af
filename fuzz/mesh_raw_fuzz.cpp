// Feeds arbitrary bytes to VoDrawElement::Load as the raw mesh form, in
// render mode 0 or 1 as bit 1 of the first byte says. What it accepts must
// be placed, walked, skinned, picked and indexed safely (every frame walk
// ending) and survive the serialised form unchanged; what it refuses must
// leave the element without frames.
#include <cstddef>
#include <cstdint>

#include "support/MeshFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
    }
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    VoDrawElement element;
    const std::int32_t mode = (apData[0] & 2) != 0 ? VoDrawElement::kRenderTree : VoDrawElement::kRenderList;
    if (!element.Load(&stream, mode)) {
        RequireMesh(element.GetFrameCount() == 0 && element.GetMeshCount() == 0);
        return 0;
    }
    RequireMesh(element.GetRenderMode() == mode);
    ExerciseModel(element);
    element.Render();
    RequireSerialisedRoundTrip(element);
    return 0;
}
