// Loads arbitrary bytes into a VoMemoryStream, as a binary file is loaded,
// and decodes them with every reader the loaders use, steered by the bytes
// themselves: each step reads a choice byte, then the reader it names reads
// from where the stream stands. Moves of the position and writes (which
// grow the buffer) are mixed in, so reads also start past the end.
#include <cstddef>
#include <cstdint>

#include "container/VoLog.h"
#include "stdlib/VoMemoryStream.h"

namespace {

void Step(VoMemoryStream& aStream, std::uint8_t aChoice) {
    switch (aChoice % 14) {
        case 0: {
            bool value = false;
            aStream.ReadBool(&value);
            break;
        }
        case 1: {
            unsigned short value = 0;
            aStream.ReadUShort(&value);
            break;
        }
        case 2: {
            std::uint32_t value = 0;
            aStream.ReadUInt(&value);
            break;
        }
        case 3: {
            float value = 0.0f;
            aStream.ReadFloat(&value);
            break;
        }
        case 4: {
            VoString value;
            aStream.ReadString(&value);
            break;
        }
        case 5: {
            std::int32_t count = 0;
            char* text = nullptr;
            if (aStream.ReadInt(&count)) {
                aStream.ReadChars(count, &text);
            }
            delete[] text;
            break;
        }
        case 6: {
            std::int32_t count = 0;
            char16_t* text = nullptr;
            if (aStream.ReadInt(&count)) {
                aStream.ReadWChars(count, &text);
            }
            delete[] text;
            break;
        }
        case 7: {
            char* text = nullptr;
            aStream.ReadCString(&text);
            delete[] text;
            break;
        }
        case 8: {
            char16_t* text = nullptr;
            aStream.ReadWCString(&text);
            delete[] text;
            break;
        }
        case 9: {
            // A raw read of a size taken from the data.
            unsigned short size = 0;
            unsigned char buffer[65536];
            if (aStream.ReadUShort(&size)) {
                aStream.Read(size, buffer);
            }
            break;
        }
        case 10: {
            signed char step = 0;
            if (aStream.ReadByte(reinterpret_cast<unsigned char*>(&step))) {
                aStream.Skip(step);
            }
            break;
        }
        case 11: {
            std::uint32_t position = 0;
            if (aStream.ReadUInt(&position)) {
                aStream.SetPosition(position);
            }
            break;
        }
        case 12: {
            // Writes at most a few bytes past the end: growth, not size, is
            // what is exercised.
            unsigned char byte = 0;
            if (aStream.ReadByte(&byte) && aStream.GetPosition() < 1u << 20) {
                aStream.WriteByte(byte);
                aStream.WriteInt(byte);
            }
            break;
        }
        default: {
            std::int32_t value = 0;
            aStream.ReadInt(&value);
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    static const bool sQuiet = [] {
        // Failed reads are logged; millions of runs would only fill the disk.
        VoLog::SetFolder(VoString(u"/nonexistent/fuzz"));
        return true;
    }();
    (void)sQuiet;
    if (aSize == 0 || aSize > 0x100000) {
        return 0;
    }
    // The first byte picks the growth rule of the stream the data goes into.
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
