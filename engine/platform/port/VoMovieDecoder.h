#pragma once
// One movie opened for playing through FFmpeg's libraries: the demuxer reads
// the container, the first video stream decodes picture by picture into BGRA
// (top row first), and the first sound stream, converted to stereo floats at
// the mixer's rate, is fed to our mixer as the pictures are decoded.
//
// Frames are numbered from 1 in presentation order. The current frame is the
// one DoFrame decodes next; NextFrame steps on. Frames fall due on a
// wall-clock schedule that starts at the first Pause(false): the k-th frame
// after that start (counting from 0) is due k / rate seconds later, time
// spent paused left out; Goto and SetFrameRate start the schedule anew at the
// current frame.
//
// Files are untrusted: only a few containers and codecs are read (those of
// our movies and of the ".bik" movies), width, height, pixel count and frame
// count are bounded (SetLimits), and every packet read or decoded is bounded
// by the file's size. Opening reads the whole container once to count its
// frames and find its key frames.
//
// Main thread only; the mixer's audio thread only reads the feed's ring.
#include <cstddef>
#include <cstdint>

class VoITimeSource;
class VoSoundMixer;

class VoMovieDecoder {
public:
    // Open flag: keep the movie's alpha channel. GetOpenFlags keeps it only
    // when the movie has one.
    static constexpr std::uint32_t kOpenAlpha = 0x100000;
    // A sound track's volume for full scale.
    static constexpr std::int32_t kFullVolume = 32768;
    // The sound's queue in the mixer, in seconds of output.
    static constexpr std::int32_t kFeedSeconds = 2;

    struct Limits {
        std::int32_t fMaxSide = 8192;
        std::int64_t fMaxPixels = 4096LL * 4096;
        std::uint32_t fMaxFrames = 1u << 20;
    };

    // apClock and apMixer: not owned, outlive the decoder; null stands for
    // the monotonic clock and the process-wide mixer.
    VoMovieDecoder(VoITimeSource* apClock, VoSoundMixer* apMixer);
    VoMovieDecoder(const VoMovieDecoder&) = delete;
    VoMovieDecoder& operator=(const VoMovieDecoder&) = delete;
    ~VoMovieDecoder();

    // For the next open.
    void SetLimits(const Limits& aLimits) { fLimits = aLimits; }

    // Opens paused at frame 1; false (and closed) when the file cannot be
    // read, holds no readable video or breaks the limits. An open movie is
    // closed first.
    bool OpenFile(const char* apPath, std::uint32_t aFlags);
    // apData (not owned) must outlive the movie.
    bool OpenMemory(const void* apData, std::size_t aSize, std::uint32_t aFlags);
    void Close();
    bool IsOpen() const { return fpState != nullptr; }

    // The fields of an open movie; 0 when none is open.
    std::int32_t GetWidth() const;
    std::int32_t GetHeight() const;
    std::uint32_t GetFrameCount() const;
    std::uint32_t GetCurrentFrame() const;
    // Frames per second as rate / divisor.
    std::uint32_t GetFrameRate() const;
    std::uint32_t GetFrameRateDivisor() const;
    std::uint32_t GetOpenFlags() const;
    std::int32_t GetSoundTrackCount() const;
    // The id of sound track aIndex; -1 when there is none.
    std::int32_t GetTrackId(std::int32_t aIndex) const;
    // 0 .. kFullVolume and beyond (clamped to full scale); false for an unknown track.
    bool SetVolume(std::int32_t aTrackId, std::int32_t aVolume);
    // The mixer channel the sound plays on, -1 while it does not.
    std::int32_t GetSoundChannel() const;
    // The sound's feed in the mixer, 0 when the movie has none.
    std::int32_t GetSoundFeed() const;

    void Pause(bool aPause);
    bool IsPaused() const;
    // True while the current frame is not yet due (always while paused).
    bool Wait();
    // Decodes the current frame into the picture. False when it could not be
    // decoded: the picture keeps the previous frame and the frame counts as
    // skipped.
    bool DoFrame();
    bool WasFrameSkipped() const;
    // Steps to the next frame; the last frame stays current.
    void NextFrame();
    // Makes aFrame (1 .. count) current: seeks to the key frame at or before
    // it and decodes forward. False out of range.
    bool Goto(std::uint32_t aFrame);
    // With aNext, the first key frame at or after aFrame, else the last at or
    // before it; aFrame itself when there is none. 0 when nothing is open.
    std::uint32_t GetKeyFrame(std::uint32_t aFrame, bool aNext) const;
    // False for a rate of 0 (the rate stays).
    bool SetFrameRate(std::uint32_t aRate, std::uint32_t aDivisor);

    // The last decoded picture, GetHeight rows of GetWidth BGRA pixels,
    // GetPitch bytes apart; null before the first decoded frame.
    const std::uint8_t* GetPicture() const;
    std::int32_t GetPitch() const;

private:
    struct State;

    // apState: filled with its source; owned from here on.
    bool Open(State* apState, std::uint32_t aFlags);

    VoITimeSource* fpClock;  // not owned
    VoSoundMixer* fpMixer;   // not owned
    Limits fLimits;
    State* fpState = nullptr;  // owned; null while closed
};
