// Feeds arbitrary bytes to VoMaterial::Read as a mesh file's material
// record. No texture can be made here (no root, no file system), so only a
// record without a texture name may be accepted, and it must survive being
// written and read back.
#include <cstddef>
#include <cstdint>

#include "render/VoMaterial.h"
#include "support/MeshRecordFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    RunRecordReader<VoMaterial>(apData, aSize, [](const VoMaterial& aMaterial) {
        RequireRecord(aMaterial.GetTextureHandle() == 0);
        RequireRecord(aMaterial.GetTextureFile().GetLength() == 0);
    });
    return 0;
}
