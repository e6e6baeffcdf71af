#pragma once
// A read-only VoIStream over a fuzzer's bytes, shared by the fuzz targets,
// and the driver of the targets that pick their readers from the bytes.
// The stream tells its size or not, as chosen: a memory or file stream does,
// a medium that cannot tell answers -1 and the readers fall back on their caps.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "stdlib/VoIStream.h"

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
// aReadOne(stream, choice), which takes its value from the bytes after it.
template <typename ReadOne>
void RunChosenReads(const std::uint8_t* apData, std::size_t aSize, ReadOne aReadOne) {
    static const bool sQuiet = [] {
        // Refusals are logged; millions of runs would only fill the disk.
        VoLog::SetFolder(VoString(u"/nonexistent-vo-fuzz-log"));
        return true;
    }();
    (void)sQuiet;
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
