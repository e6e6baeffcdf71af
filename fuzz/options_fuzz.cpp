// Feeds arbitrary bytes to MGOptions::Read, the reader of the options file.
// It takes all 32 bytes or nothing, and what it keeps is within range and
// writes back as the same number of bytes.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"
#include "util/MGOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    FuzzStream stream(apData, aSize, true);
    MGOptions options;
    const bool read = options.Read(&stream);
    if (read != (aSize >= MGOptions::kFileSize)) {
        std::abort();
    }
    const float volume = options.GetVolume();
    if (options.GetSkillLevel() < 0 || options.GetSkillLevel() > MGOptions::kMaxSkillLevel ||
        std::isnan(volume) || volume < 0.0f || volume > 1.0f) {
        std::abort();
    }
    VoMemoryStream written(64, VoMemoryStream::kGrowDouble);
    if (!options.Write(&written) || written.GetPosition() != MGOptions::kFileSize) {
        std::abort();
    }
    return 0;
}
