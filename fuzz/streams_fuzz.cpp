// Feeds arbitrary bytes to every typed reader of VoIStream, and to the
// readers of the values that store themselves through it. The first byte
// says whether the stream tells its size (as a memory or file stream does) or
// not; every following byte picks the next reader, which takes its value
// from the bytes after it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "stdlib/VoIStream.h"
#include "support/FuzzSupport.h"

namespace {

// A read-only stream over the fuzzer's bytes.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0) {
        return 0;
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
        ReadTypedValue(stream, choice);
    }
    return 0;
}
