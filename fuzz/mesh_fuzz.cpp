// Feeds arbitrary bytes to VoDrawElement::Read as the serialised mesh form
// (".lim1"). No texture can be made here, so only materials without one are
// accepted. What it accepts must be placed, walked, skinned, picked and
// indexed safely and come back the same through a write and a read; what
// it refuses must leave the element without frames.
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
    if (!element.Read(&stream)) {
        RequireMesh(element.GetFrameCount() == 0 && element.GetMeshCount() == 0);
        return 0;
    }
    ExerciseModel(element);
    RequireSerialisedRoundTrip(element);
    return 0;
}
