// Loads arbitrary bytes into a VoMemoryStream, as a binary file is loaded,
// and decodes them with every reader the loaders use, steered by the bytes
// themselves: each step reads a choice byte, then the reader it names reads
// from where the stream stands. Raw reads of sizes from the data, moves of
// the position and writes (which grow the buffer) are mixed in, so reads
// also start past the end.
#include <cstddef>
#include <cstdint>

#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"

namespace {

void Step(VoMemoryStream& aStream, std::uint8_t aChoice) {
    switch (aChoice % 20) {
        case 16: {
            unsigned short size = 0;
            static unsigned char buffer[65536];
            if (aStream.ReadUShort(&size)) {
                aStream.Read(size, buffer);
            }
            break;
        }
        case 17: {
            unsigned char step = 0;
            if (aStream.ReadByte(&step)) {
                aStream.Skip(static_cast<signed char>(step));
            }
            break;
        }
        case 18:
        case 19: {
            // A few bytes at a time: growth, not size, is what is exercised.
            unsigned char byte = 0;
            if (aStream.ReadByte(&byte) && aStream.GetPosition() < 1u << 20) {
                aStream.WriteByte(byte);
                aStream.WriteInt(byte);
            }
            break;
        }
        default:
            ReadTypedValue(aStream, aChoice);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0 || aSize > 0x100000) {
        return 0;
    }
    // The first byte picks the stream's first capacity and growth rule.
    const std::int32_t growths[] = {-1, -2, -4, 0, 100};
    VoMemoryStream stream(static_cast<std::int32_t>(apData[0] >> 3), growths[apData[0] % 5]);
    if (!stream.CreateFromBuffer(static_cast<std::int32_t>(aSize - 1), apData + 1)) {
        return 0;
    }
    // A jump back could repeat forever, hence the step bound.
    for (int steps = 0; steps < 256 && stream.GetRemaining() > 0; ++steps) {
        std::uint8_t choice = 0;
        if (!stream.ReadByte(&choice)) {
            break;
        }
        Step(stream, choice);
    }
    return 0;
}
