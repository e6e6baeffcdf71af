// Feeds arbitrary bytes to VoVertexBuffer::Read as a mesh file's
// vertex-buffer record. A buffer it accepts must hold every vertex it counts
// and survive being written and read back.
#include <cstddef>
#include <cstdint>

#include "render/VoVertexBuffer.h"
#include "support/MeshRecordFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    RunRecordReader<VoVertexBuffer>(apData, aSize, [](const VoVertexBuffer& aBuffer) {
        VoVertexBuffer& buffer = const_cast<VoVertexBuffer&>(aBuffer);
        RequireRecord(buffer.GetSize() == buffer.GetStride() * buffer.GetVertexCount());
        if (buffer.GetVertexCount() > 0) {
            // The last vertex's last byte lies within the data.
            unsigned char* last = static_cast<unsigned char*>(buffer.GetVertex(buffer.GetVertexCount() - 1));
            RequireRecord(last != nullptr);
            volatile unsigned char end = last[buffer.GetStride() - 1];
            (void)end;
        }
        RequireRecord(buffer.GetVertex(buffer.GetVertexCount()) == nullptr);
    });
    return 0;
}
