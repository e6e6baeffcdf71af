#pragma once
// Pieces shared by the fuzz targets.
#include <cstdint>

#include "container/VoBoolean.h"
#include "container/VoColor.h"
#include "container/VoFloat.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "stdlib/VoIStream.h"

// Failures are logged; millions of runs would only fill the disk, so the log
// goes to a folder that does not exist. Cheap to call on every run.
inline void QuietFuzzLog() {
    static const bool sQuiet = [] {
        VoLog::SetFolder(VoString(u"/nonexistent/fuzz"));
        return true;
    }();
    (void)sQuiet;
}

// Runs the typed reader that aChoice names (one of 16: every typed reader,
// counted texts with a count taken from the data, the values that store
// themselves, and a jump to a position read from the data).
inline void ReadTypedValue(VoIStream& aStream, std::uint8_t aChoice) {
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
