#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "stdlib/VoIStream.h"

// An in-memory VoIStream over a byte vector, for tests of the typed
// encoding: reads fail (and move nothing) past the end, the size can be
// hidden as from a medium that cannot tell it, and chosen Read or Write calls
// can be made to fail.
class TestStream : public VoIStream {
public:
    TestStream() = default;
    explicit TestStream(std::vector<unsigned char> aBytes) : fBytes(std::move(aBytes)) {}

    const std::vector<unsigned char>& Bytes() const { return fBytes; }
    // The bytes as 16-bit little-endian units (what MODE_TEXT writes).
    std::u16string Units() const;
    // GetRemaining answers -1, as a stream of unknown size does.
    void HideSize() { fHideSize = true; }
    // The given calls, counted from 0, fail without moving any byte.
    void FailRead(int aCall) { fFailReads.insert(aCall); }
    void FailWrite(int aCall) { fFailWrites.insert(aCall); }
    int GetReadCalls() const { return fReadCalls; }
    int GetWriteCalls() const { return fWriteCalls; }

    bool Close() override { return true; }
    bool Flush() override { return true; }
    std::uint32_t GetPosition() override { return fPosition; }
    void Skip(int aCount) override { fPosition += static_cast<std::uint32_t>(aCount); }
    bool Open() override { return true; }
    bool Read(std::uint32_t aSize, void* apOut) override;
    void Reserved() override {}
    void SetPosition(std::uint32_t aPosition) override { fPosition = aPosition; }
    bool Write(std::uint32_t aSize, const void* apData) override;
    std::int64_t GetRemaining() override;

private:
    std::vector<unsigned char> fBytes;
    std::uint32_t fPosition = 0;
    bool fHideSize = false;
    std::set<int> fFailReads;
    std::set<int> fFailWrites;
    int fReadCalls = 0;
    int fWriteCalls = 0;
};
