// Feeds arbitrary bytes to VoIndexBuffer::Read as a mesh file's index-buffer
// record. A buffer it accepts must give every index it counts and survive
// being written and read back.
#include <cstddef>
#include <cstdint>

#include "render/VoIndexBuffer.h"
#include "support/MeshRecordFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    RunRecordReader<VoIndexBuffer>(apData, aSize, [](const VoIndexBuffer& aBuffer) {
        RequireRecord(aBuffer.GetSize() == aBuffer.GetWidth() * aBuffer.GetCount());
        std::uint32_t sum = 0;
        for (std::int32_t i = 0; i < aBuffer.GetCount(); ++i) {
            sum += aBuffer.GetIndex(i);
        }
        (void)sum;
    });
    return 0;
}
