#pragma once
// Pieces shared by the fuzz targets.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoBoolean.h"
#include "container/VoColor.h"
#include "container/VoFloat.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
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

// Reads a fuzz input as a property-list file is read (single-byte text up to
// the first zero byte) and parses it into apList. Inputs larger than aMaxSize
// are skipped, as is one whose copy cannot be made: both return false with
// apList left as it was. apText, when given, receives the text parsed.
inline bool ParseFuzzPropertyList(const std::uint8_t* apData, std::size_t aSize, std::size_t aMaxSize,
                                  VoPropertyList* apList, VoString* apText = nullptr) {
    QuietFuzzLog();
    if (aSize > aMaxSize) {
        return false;
    }
    char* bytes = VO_NEW char[aSize + 1];
    if (bytes == nullptr) {
        return false;
    }
    if (aSize > 0) {
        std::memcpy(bytes, apData, aSize);
    }
    bytes[aSize] = '\0';
    const VoString text(bytes);
    delete[] bytes;
    apList->Parse(text);
    if (apText != nullptr) {
        *apText = text;
    }
    return true;
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

// A read-only stream over a fuzzer's bytes. It tells its size or not, as
// chosen: a memory or file stream does; a medium that cannot tell answers -1
// and the readers fall back on their caps.
class FuzzStream : public VoIStream {
public:
    FuzzStream(const std::uint8_t* apData, std::size_t aSize, bool aTellsSize)
        : fpData(apData), fSize(aSize), fPosition(0), fTellsSize(aTellsSize) {}

    bool Close() override { return true; }
    bool Flush() override { return true; }
    std::uint32_t GetPosition() override { return static_cast<std::uint32_t>(fPosition); }
    void Skip(int aCount) override { fPosition += static_cast<std::size_t>(aCount); }
    bool Open() override { return true; }
    bool Read(std::uint32_t aSize, void* apOut) override {
        if (fPosition > fSize || aSize > fSize - fPosition) {
            return false;
        }
        if (aSize > 0) {
            std::memcpy(apOut, fpData + fPosition, aSize);
        }
        fPosition += aSize;
        return true;
    }
    void Reserved() override {}
    void SetPosition(std::uint32_t aPosition) override { fPosition = aPosition; }
    bool Write(std::uint32_t, const void*) override { return false; }
    std::int64_t GetRemaining() override {
        if (!fTellsSize) {
            return -1;
        }
        return fPosition >= fSize ? 0 : static_cast<std::int64_t>(fSize - fPosition);
    }

    bool AtEnd() const { return fPosition >= fSize; }

private:
    const std::uint8_t* fpData;  // not owned
    std::size_t fSize;
    std::size_t fPosition;
    bool fTellsSize;
};

// Runs one fuzz input as a sequence of reads: the first byte says whether
// the stream tells its size; every following byte is handed to
// aReadOne(stream, choice) (a VoIStream&), which takes its value from the bytes after it.
template <typename ReadOne>
void RunChosenReads(const std::uint8_t* apData, std::size_t aSize, ReadOne aReadOne) {
    QuietFuzzLog();
    if (aSize == 0) {
        return;
    }
    FuzzStream stream(apData + 1, aSize - 1, (apData[0] & 1) != 0);
    // Each choice byte is taken from the same stream that the reader then
    // reads from; a jump back could repeat forever, hence the step bound.
    int steps = 0;
    while (!stream.AtEnd() && steps++ < 256) {
        std::uint8_t choice = 0;
        if (!stream.ReadByte(&choice)) {
            break;
        }
        aReadOne(stream, choice);
    }
}
