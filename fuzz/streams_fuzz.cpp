// Feeds arbitrary bytes to every typed reader of VoIStream, and to the
// readers of the values that store themselves through it. The first byte
// says whether the stream tells its size (as a memory or file stream does) or
// not; every following byte picks the next reader, which takes its value
// from the bytes after it.
#include <cstddef>
#include <cstdint>

#include "container/VoBoolean.h"
#include "container/VoColor.h"
#include "container/VoFloat.h"
#include "container/VoInt.h"
#include "stdlib/VoIStream.h"
#include "support/FuzzStream.h"

namespace {

void ReadOne(FuzzStream& aStream, std::uint8_t aChoice) {
    switch (aChoice % 16) {
        case 0: {
            bool value = false;
            aStream.ReadBool(&value);
            break;
        }
        case 1: {
            unsigned char value = 0;
            aStream.ReadByte(&value);
            break;
        }
        case 2: {
            unsigned short value = 0;
            aStream.ReadUShort(&value);
            break;
        }
        case 3: {
            std::int32_t value = 0;
            aStream.ReadInt(&value);
            break;
        }
        case 4: {
            std::uint32_t value = 0;
            aStream.ReadUInt(&value);
            break;
        }
        case 5: {
            float value = 0.0f;
            aStream.ReadFloat(&value);
            break;
        }
        case 6: {
            VoString value(u"unchanged");
            aStream.ReadString(&value);
            break;
        }
        case 7:
        case 8: {
            // A count taken from the data, as the loaders of counted texts do.
            std::int32_t count = 0;
            if (!aStream.ReadInt(&count)) {
                break;
            }
            if (aChoice % 16 == 7) {
                char* text = nullptr;
                aStream.ReadChars(count, &text);
                delete[] text;
            } else {
                char16_t* text = nullptr;
                aStream.ReadWChars(count, &text);
                delete[] text;
            }
            break;
        }
        case 9: {
            char* text = nullptr;
            aStream.ReadCString(&text);
            delete[] text;
            break;
        }
        case 10: {
            char16_t* text = nullptr;
            aStream.ReadWCString(&text);
            delete[] text;
            break;
        }
        case 11: {
            VoColor color;
            color.Read(&aStream);
            color.GetARGB();
            break;
        }
        case 12: {
            VoFloat value;
            value.Read(&aStream);
            break;
        }
        case 13: {
            VoInt value;
            value.Read(&aStream);
            break;
        }
        case 14: {
            VoBoolean value(VoString(u"false"));
            value.Read(&aStream);
            break;
        }
        default: {
            std::uint32_t position = 0;
            if (aStream.ReadUInt(&position)) {
                aStream.SetPosition(position);
            }
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    RunChosenReads(apData, aSize, ReadOne);
    return 0;
}
