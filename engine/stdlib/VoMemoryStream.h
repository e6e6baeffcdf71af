#pragma once
// A growable byte buffer behind the stream interface. Binary files are loaded
// whole into one and decoded with the typed readers; objects are serialised
// into one before their bytes go to a file. The stream does not record a
// length: after writing, the position is the length of the data.
//
// Reads never pass the capacity: a read that does not fit fails and leaves
// the position where it was, so truncated or hostile data is refused rather
// than over-read.
#include <cstdint>

#include "container/VoString.h"
#include "stdlib/VoIStream.h"

class VoMemoryStream : public VoIStream {
public:
    static constexpr const char* kCreateFromBufferFailure = "CreateFromBuffer failure. Invalid arg.";
    static constexpr const char* kOpenFailure = "Failure opening file stream.";
    static constexpr const char* kFileSizeFailure = "CreateFromFile failure. Invalid file size.";
    static constexpr const char* kShortFileRead = "CreateFromFile failure. Short read.";
    static constexpr const char* kReadPastEnd = "Read failure. Past the end of the stream.";
    static constexpr const char* kTooLarge = "Write failure. Stream would exceed the size limit.";
    static constexpr const char* kAllocationFailure = "Could not allocate fpBuffer.";
    static constexpr const char* kNullData = "NULL arg.";
    static constexpr const char* kInvalidGrowth = "Invalid growth, using -1.";

    // Growth rules: -1 doubles the needed size, -2 adds half, -4 adds a
    // quarter, 0 or more adds that many bytes.
    static constexpr std::int32_t kGrowDouble = -1;
    static constexpr std::int32_t kGrowHalf = -2;
    static constexpr std::int32_t kGrowQuarter = -4;
    static constexpr std::int32_t kMinCapacity = 4;
    // Capacity is a signed 32-bit count.
    static constexpr std::int32_t kMaxCapacity = 0x7FFFFFFF;

    // A capacity below 4 becomes 4. A negative growth other than the three
    // rules would give a buffer smaller than needed: it is logged and -1 used.
    VoMemoryStream(std::int32_t aCapacity, std::int32_t aGrowth);
    ~VoMemoryStream() override;
    VoMemoryStream(const VoMemoryStream&) = delete;
    VoMemoryStream& operator=(const VoMemoryStream&) = delete;

    bool Close() override { return true; }
    bool Flush() override { return true; }
    bool Open() override { return true; }
    std::uint32_t GetPosition() override { return fPosition; }
    void Skip(int aCount) override { fPosition += static_cast<std::uint32_t>(aCount); }
    void SetPosition(std::uint32_t aPosition) override { fPosition = aPosition; }
    void Reserved() override {}
    bool Read(std::uint32_t aSize, void* apOut) override;
    const unsigned char* TakeBytes(std::uint32_t aSize) override;
    // Grows the buffer when the data passes the capacity; bytes between the
    // old capacity and a position set beyond it read as 0. False only when
    // the size would pass kMaxCapacity or the buffer cannot grow.
    bool Write(std::uint32_t aSize, const void* apData) override;
    std::int64_t GetRemaining() override;

    // Owned by the stream; valid until the next write, create or destruction.
    unsigned char* GetBuffer() { return fpBuffer; }
    std::int32_t GetCapacity() const { return fCapacity; }
    std::int32_t GetGrowth() const { return fGrowth; }
    // The capacity the growth rule gives for aNeeded bytes; never below
    // aNeeded, never above kMaxCapacity.
    std::int32_t GetGrownCapacity(std::int32_t aNeeded) const;

    // Replaces the content by a copy of aSize bytes; capacity aSize, position
    // 0. A null pointer or negative size is refused, the stream unchanged.
    bool CreateFromBuffer(std::int32_t aSize, const void* apData);
    // Replaces the content by the whole file; capacity the file's size,
    // position 0. A file that cannot be opened or sized leaves the stream
    // unchanged. When the file delivers fewer bytes than its size (it
    // changed meanwhile), the stream holds just the bytes read and the
    // result is false.
    bool CreateFromFile(const VoString& aPath, bool aMapToNative);

private:
    // Takes apBuffer (owned) as the content.
    void Adopt(unsigned char* apBuffer, std::int32_t aCapacity);

    unsigned char* fpBuffer;  // owned (VO_NEW[])
    std::int32_t fCapacity;
    std::uint32_t fPosition;
    std::int32_t fGrowth;
};
