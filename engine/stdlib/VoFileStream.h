#pragma once
// A file behind the stream interface, at a position of its own: Skip and
// SetPosition only change that number, and every Read and Write first moves
// the file there, so interleaved reads and writes behave predictably.
// Engine paths ("//" + alias) are mapped to native paths by the file system.
#include <cstdint>
#include <cstdio>

#include "container/VoString.h"
#include "stdlib/VoIStream.h"

class VoISerializable;

class VoFileStream : public VoIStream {
public:
    static constexpr std::int32_t kModeRead = 0;       // "rb": the file must exist
    static constexpr std::int32_t kModeWrite = 1;      // "wb": created or emptied
    static constexpr std::int32_t kModeReadWrite = 2;  // "r+b": must exist, keeps its content

    static constexpr const char* kNoNativePath = "VoFileStream creation failure. Could not get native path.";
    static constexpr const char* kAlreadyOpen = "Attempt to open an already opened stream.";
    static constexpr const char* kReadUnopened = "Attempt to read from unopened stream.";
    static constexpr const char* kWriteUnopened = "Attempt to write to unopened stream.";
    static constexpr const char* kCloseUnopened = "Attempt to close an unopened stream.";
    static constexpr const char* kFlushUnopened = "Attempt to flush an unopened stream.";
    static constexpr const char* kSetModeOpen = "Attempt SetMode on an open stream.";
    static constexpr const char* kFlushFailure = "Flush failure.";
    static constexpr const char* kCloseFailure = "Close failure.";
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kWriteFailure = "Write failure.";
    static constexpr const char* kOpenFailure = "Failure opening file stream.";
    static constexpr const char* kRenameFailure = "WriteFile failure. Could not replace the file: ";
    // The file system refuses to delete a file without a write bit; replacing
    // it is refused the same way.
    static constexpr const char* kReadOnlyTarget = "Attempt to delete read-only file.";
    // Beside the target: the new content is written here first.
    static constexpr const char16_t* kTemporarySuffix = u".tmp";

    // With aMapToNative the path is an engine path that the file system
    // resolves; a failed resolution is logged and leaves an empty native path,
    // on which Open then fails.
    VoFileStream(const VoString& aPath, bool aMapToNative);
    ~VoFileStream() override;
    VoFileStream(const VoFileStream&) = delete;
    VoFileStream& operator=(const VoFileStream&) = delete;

    bool Open() override;
    // Flushes and closes; false when either step failed (the stream is
    // closed all the same).
    bool Close() override;
    // False when the buffered bytes could not be written out.
    bool Flush() override;
    std::uint32_t GetPosition() override { return fPosition; }
    void Skip(int aCount) override { fPosition += static_cast<std::uint32_t>(aCount); }
    void SetPosition(std::uint32_t aPosition) override { fPosition = aPosition; }
    void Reserved() override {}
    // True only when all aSize bytes moved; the position advances by the
    // bytes that did.
    bool Read(std::uint32_t aSize, void* apOut) override;
    bool Write(std::uint32_t aSize, const void* apData) override;
    // The bytes from the position to the end of the file; -1 when closed.
    std::int64_t GetRemaining() override;

    // The mode of the next Open; refused while open. Open refuses modes other
    // than the three above.
    virtual bool SetMode(std::int32_t aMode);

    bool IsOpen() const { return fOpen; }
    std::int32_t GetMode() const { return fMode; }
    const VoString& GetNativePath() const { return fNativePath; }

    // Makes apObject's serialised form the whole content of the file. The
    // old file stays intact until the new content is safely on disk: the
    // object is serialised into memory, written to a temporary file beside
    // the target, flushed and closed with every result checked, and only
    // then renamed over the target. False, with the old file untouched and
    // the temporary file removed, on any failure.
    static bool WriteFile(VoISerializable* apObject, const VoString& aPath, bool aMapToNative);

private:
    // Moves the file to the stream's position.
    bool Seek();
    // The checks and bookkeeping around one fread or fwrite (aMove), which
    // returns the bytes it moved.
    template <typename Move>
    bool Transfer(std::uint32_t aSize, const void* apBuffer, const char* apUnopened, Move aMove);

    VoString fNativePath;
    bool fOpen;
    std::FILE* fpFile;  // owned; null while closed
    std::uint32_t fPosition;
    std::int32_t fMode;
};
