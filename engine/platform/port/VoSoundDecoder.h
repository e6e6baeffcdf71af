#pragma once
// One sound file opened for decoding through libsndfile (".wav", ".ogg",
// ".mp2" and whatever else the library reads), from a path or from bytes in
// memory. Frames come out as interleaved floats in the file's own channel
// count and rate, clipped to -1 .. 1; values that are not numbers come out as
// 0, so a bad file gives silence or clipping, never NaN or overflow in the mix.
//
// Files are untrusted: a channel count or rate outside the bounds below is
// refused at open, and WholeSample bounds what it allocates.
//
// Of a file of more than two channels the front left and right are what a
// stereo output plays: found by the file's channel map when it has one, else
// by its format's order (Vorbis: L C R, FL C FR RL RR LFE, ...; WAV and AIFF
// start with front left and right).
#include <cstddef>
#include <cstdint>
#include <string>

struct sf_private_tag;

class VoSoundDecoder {
public:
    static constexpr std::int32_t kMaxFileChannels = 16;
    static constexpr std::int32_t kMinRate = 1000;
    static constexpr std::int32_t kMaxRate = 384000;
    // The most frames (of at most two kept channels) a whole sample may
    // decode to: five minutes at 48 kHz, 110 MB of stereo floats at most.
    static constexpr std::int64_t kMaxSampleFrames = 48000LL * 60 * 5;

    VoSoundDecoder() = default;
    VoSoundDecoder(const VoSoundDecoder&) = delete;
    VoSoundDecoder& operator=(const VoSoundDecoder&) = delete;
    ~VoSoundDecoder();

    // False (and closed) when the file cannot be opened or is out of bounds.
    bool OpenFile(const char* apPath);
    // apData (not owned) must outlive the decoder.
    bool OpenMemory(const void* apData, std::size_t aSize);
    void Close();
    bool IsOpen() const { return fpFile != nullptr; }

    std::int32_t GetChannels() const { return fChannels; }
    // Where the front left and right channels sit in a frame; both 0 for mono.
    std::int32_t GetLeftChannel() const { return fLeft; }
    std::int32_t GetRightChannel() const { return fRight; }
    std::int32_t GetRate() const { return fRate; }
    // As the file's header claims it; the true count shows at the end.
    std::int64_t GetFrames() const { return fFrames; }

    // Up to aFrames frames of GetChannels() floats each into apOut; the count
    // read, 0 at the end or on an error.
    std::int32_t Read(float* apOut, std::int32_t aFrames);
    // Exact to the frame for every format: an Ogg file (whose library seek
    // lands off the frame once anything has been decoded) is opened afresh
    // first, unless the seek goes to the start, which is exact.
    bool Seek(std::int64_t aFrame);

    // Decodes the whole file from its start into a new array (VO_NEW[], the
    // caller's) of at most two channels per frame (mono stays mono; of more
    // channels only the front left and right are kept). False, with nothing
    // allocated, when the file decodes to no frames, to more than
    // kMaxSampleFrames, or when memory runs out.
    bool WholeSample(float** appFrames, std::int64_t* apFrames, std::int32_t* apChannels);

    // The read position in memory while reading from bytes.
    struct Memory {
        const unsigned char* fpData = nullptr;  // not owned
        std::int64_t fSize = 0;
        std::int64_t fPosition = 0;
    };

private:
    // Opens the path (null: the bytes of fMemory) and takes the file's shape.
    bool Open(const char* apPath);
    bool Accept();
    // Sets fLeft and fRight.
    void FindFrontPair();
    // Opens the same file or bytes again; false (and closed) when it no
    // longer opens to the same shape.
    bool Reopen();

    sf_private_tag* fpFile = nullptr;  // owned, closed by Close
    Memory fMemory;
    std::string fPath;  // empty while reading from bytes
    std::int32_t fChannels = 0;
    std::int32_t fRate = 0;
    std::int64_t fFrames = 0;
    std::int32_t fFormat = 0;
    std::int32_t fLeft = 0;
    std::int32_t fRight = 0;
    // Decoded or moved since it was opened: an Ogg seek needs a fresh decoder.
    bool fMoved = false;
};
