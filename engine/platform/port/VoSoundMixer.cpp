#include "platform/port/VoSoundMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "platform/port/VoSoundDecoder.h"

namespace {

// Channel handles: the channel's serial above its index.
constexpr std::int32_t kIndexBits = 5;
constexpr std::int32_t kIndexMask = (1 << kIndexBits) - 1;
constexpr std::uint32_t kSerialLimit = 1u << (31 - kIndexBits);
static_assert(VoSoundMixer::kMaxChannels == 1 << kIndexBits, "a channel index fills the index bits");

std::int32_t ClampVolume(std::int32_t aVolume) {
    return std::clamp(aVolume, 0, VoISoundSystem::kMaxVolume);
}

std::int32_t ToMilliseconds(std::int64_t aFrames, std::int32_t aRate) {
    if (aRate <= 0 || aFrames <= 0) {
        return 0;
    }
    // In two steps: a file of unknown length claims the largest count there is.
    const std::int64_t milliseconds = aFrames / aRate * 1000 + aFrames % aRate * 1000 / aRate;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(milliseconds, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

struct VoSoundMixer::Sample {
    ~Sample() { delete[] fpFrames; }

    std::int32_t fHandle = 0;
    float* fpFrames = nullptr;  // owned (VO_NEW[]), fChannels floats a frame
    std::int64_t fFrames = 0;
    std::int32_t fChannels = 1;
    std::int32_t fRate = 0;
};

struct VoSoundMixer::Stream {
    ~Stream() { delete[] fpBlock; }

    std::int32_t fHandle = 0;
    VoSoundDecoder fDecoder;
    float* fpBlock = nullptr;  // owned (VO_NEW[]), kStreamBlockFrames frames of the file
    std::int32_t fBlockCount = 0;
    std::int32_t fBlockIndex = 0;
    // As the header claims, until the natural end tells the true count.
    std::int64_t fFrames = 0;
    // Where the next play starts; read from the channel while one plays.
    std::int64_t fPosition = 0;
    std::int64_t fReadIndex = 0;  // the frame the decoder gives next
    std::int32_t fLoopCount = 0;
    EndCallback fEnd = nullptr;
    void* fpEndData = nullptr;   // not owned
    std::int32_t fChannel = -1;  // index into the channel table, -1 while not playing
};

struct VoSoundMixer::Feed {
    ~Feed() { delete[] fpRing; }

    std::int32_t fHandle = 0;
    std::int32_t fRate = 0;
    float* fpRing = nullptr;  // owned (VO_NEW[]), fCapacity stereo frames
    std::int32_t fCapacity = 0;
    std::int32_t fRead = 0;  // the oldest queued frame
    std::int32_t fCount = 0;
    std::int64_t fPlayed = 0;
    std::int32_t fChannel = -1;  // index into the channel table, -1 while not playing
};

VoSoundMixer& VoSoundMixer::Get() {
    static VoSoundMixer sMixer;
    return sMixer;
}

VoSoundMixer::~VoSoundMixer() {
    fDevice.Close();
    std::lock_guard<std::mutex> lock(fLock);
    ReleaseAll();
}

bool VoSoundMixer::Init(std::int32_t aRate, std::int32_t aChannels) {
    if (fInitCount > 0) {
        ++fInitCount;
        return true;
    }
    if (aRate < 1) {
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(fLock);
        fRate = aRate;
        fChannelCount = std::clamp(aChannels, 1, kMaxChannels);
    }
    fInitCount = 1;
    if (!fUseDevice) {
        return true;
    }
    const bool opened = fDevice.Open(aRate, &VoSoundMixer::Fill, this);
    if ((!opened || fDevice.IsStandIn()) && !fToldNoDevice) {
        fToldNoDevice = true;
        VoLog::WriteLineAndPrint(kNoDeviceLine);
    }
    return opened;
}

void VoSoundMixer::Close() {
    if (fInitCount == 0 || --fInitCount > 0) {
        return;
    }
    // First stop the audio thread: closing waits for a running Mix, which
    // holds the lock.
    fDevice.Close();
    std::lock_guard<std::mutex> lock(fLock);
    ReleaseAll();
}

void VoSoundMixer::ReleaseAll() {
    for (Channel& channel : fChannels) {
        channel.fActive = false;
        channel.fpSample = nullptr;
        channel.fpStream = nullptr;
        channel.fpFeed = nullptr;
    }
    for (Sample* sample : fSamples) {
        delete sample;
    }
    for (Stream* stream : fStreams) {
        delete stream;
    }
    for (Feed* feed : fFeeds) {
        delete feed;
    }
    // Give the tables' memory back too: nothing stays held between runs.
    std::vector<Sample*>().swap(fSamples);
    std::vector<Stream*>().swap(fStreams);
    std::vector<Feed*>().swap(fFeeds);
}

void VoSoundMixer::Fill(void* apMixer, float* apFrames, std::int32_t aFrames) {
    static_cast<VoSoundMixer*>(apMixer)->Mix(apFrames, aFrames);
}

std::int32_t VoSoundMixer::NextHandle() {
    const std::int32_t handle = fNextHandle;
    fNextHandle = fNextHandle == std::numeric_limits<std::int32_t>::max() ? 1 : fNextHandle + 1;
    return handle;
}

std::int32_t VoSoundMixer::LoadSample(const char* apPath) {
    if (fInitCount == 0) {
        return kNoHandle;
    }
    VoSoundDecoder decoder;
    if (!decoder.OpenFile(apPath)) {
        return kNoHandle;
    }
    Sample* sample = VO_NEW Sample();
    if (sample == nullptr) {
        return kNoHandle;
    }
    sample->fRate = decoder.GetRate();
    if (!decoder.WholeSample(&sample->fpFrames, &sample->fFrames, &sample->fChannels)) {
        delete sample;
        return kNoHandle;
    }
    return AddSample(sample);
}

std::int32_t VoSoundMixer::LoadSampleFromMemory(const void* apData, std::size_t aSize) {
    if (fInitCount == 0) {
        return kNoHandle;
    }
    VoSoundDecoder decoder;
    if (!decoder.OpenMemory(apData, aSize)) {
        return kNoHandle;
    }
    Sample* sample = VO_NEW Sample();
    if (sample == nullptr) {
        return kNoHandle;
    }
    sample->fRate = decoder.GetRate();
    if (!decoder.WholeSample(&sample->fpFrames, &sample->fFrames, &sample->fChannels)) {
        delete sample;
        return kNoHandle;
    }
    return AddSample(sample);
}

std::int32_t VoSoundMixer::AddSample(Sample* apSample) {
    std::lock_guard<std::mutex> lock(fLock);
    apSample->fHandle = NextHandle();
    fSamples.push_back(apSample);
    return apSample->fHandle;
}

std::int32_t VoSoundMixer::OpenStream(const char* apPath) {
    if (fInitCount == 0) {
        return kNoHandle;
    }
    Stream* stream = VO_NEW Stream();
    if (stream == nullptr) {
        return kNoHandle;
    }
    if (!stream->fDecoder.OpenFile(apPath)) {
        delete stream;
        return kNoHandle;
    }
    return AddStream(stream);
}

std::int32_t VoSoundMixer::OpenStreamFromMemory(const void* apData, std::size_t aSize) {
    if (fInitCount == 0) {
        return kNoHandle;
    }
    Stream* stream = VO_NEW Stream();
    if (stream == nullptr) {
        return kNoHandle;
    }
    if (!stream->fDecoder.OpenMemory(apData, aSize)) {
        delete stream;
        return kNoHandle;
    }
    return AddStream(stream);
}

std::int32_t VoSoundMixer::AddStream(Stream* apStream) {
    // The decoding block is allocated here, on the main thread, once for the
    // stream's life: the audio thread only fills it.
    const std::size_t floats =
        static_cast<std::size_t>(kStreamBlockFrames) * apStream->fDecoder.GetChannels();
    apStream->fpBlock = VO_NEW float[floats];
    if (apStream->fpBlock == nullptr) {
        delete apStream;
        return kNoHandle;
    }
    apStream->fFrames = apStream->fDecoder.GetFrames();
    std::lock_guard<std::mutex> lock(fLock);
    apStream->fHandle = NextHandle();
    fStreams.push_back(apStream);
    return apStream->fHandle;
}

VoSoundMixer::Sample* VoSoundMixer::FindSample(std::int32_t aHandle) {
    for (Sample* sample : fSamples) {
        if (sample->fHandle == aHandle) {
            return sample;
        }
    }
    return nullptr;
}

VoSoundMixer::Stream* VoSoundMixer::FindStream(std::int32_t aHandle) {
    for (Stream* stream : fStreams) {
        if (stream->fHandle == aHandle) {
            return stream;
        }
    }
    return nullptr;
}

VoSoundMixer::Feed* VoSoundMixer::FindFeed(std::int32_t aHandle) {
    for (Feed* feed : fFeeds) {
        if (feed->fHandle == aHandle) {
            return feed;
        }
    }
    return nullptr;
}

VoSoundMixer::Channel* VoSoundMixer::FindChannel(std::int32_t aHandle) {
    if (aHandle < 0) {
        return nullptr;
    }
    Channel& channel = fChannels[aHandle & kIndexMask];
    const std::uint32_t serial = static_cast<std::uint32_t>(aHandle) >> kIndexBits;
    return channel.fActive && channel.fSerial == serial ? &channel : nullptr;
}

std::int32_t VoSoundMixer::TakeChannel(std::int32_t aVolume) {
    for (std::int32_t index = 0; index < fChannelCount; ++index) {
        Channel& channel = fChannels[index];
        if (!channel.fActive) {
            channel = Channel();
            channel.fActive = true;
            channel.fVolume = ClampVolume(aVolume);
            channel.fGain = static_cast<float>(channel.fVolume) / kMaxVolume;
            channel.fSerial = fNextSerial;
            fNextSerial = fNextSerial + 1 >= kSerialLimit ? 1 : fNextSerial + 1;
            return index;
        }
    }
    return -1;
}

std::int32_t VoSoundMixer::HandleOf(std::int32_t aIndex) const {
    return static_cast<std::int32_t>((fChannels[aIndex].fSerial << kIndexBits) |
                                     static_cast<std::uint32_t>(aIndex));
}

void VoSoundMixer::Free(Channel& aChannel) {
    if (aChannel.fpStream != nullptr) {
        aChannel.fpStream->fPosition = aChannel.fPosition;
        aChannel.fpStream->fChannel = -1;
    }
    if (aChannel.fpFeed != nullptr) {
        aChannel.fpFeed->fChannel = -1;
    }
    aChannel.fActive = false;
    aChannel.fpSample = nullptr;
    aChannel.fpStream = nullptr;
    aChannel.fpFeed = nullptr;
}

bool VoSoundMixer::Fetch(Channel& aChannel, float* apFrame, std::int64_t* apPosition) {
    const float* frame = nullptr;
    std::int32_t channels = 1;
    if (Sample* sample = aChannel.fpSample) {
        if (aChannel.fReadIndex >= sample->fFrames) {
            if (aChannel.fLoopsLeft == 0 || sample->fFrames == 0) {
                return false;
            }
            aChannel.fLoopsLeft -= aChannel.fLoopsLeft > 0 ? 1 : 0;
            aChannel.fReadIndex = 0;
        }
        channels = sample->fChannels;
        frame = sample->fpFrames + aChannel.fReadIndex * channels;
        *apPosition = aChannel.fReadIndex++;
    } else if (Stream* stream = aChannel.fpStream) {
        if (stream->fBlockIndex >= stream->fBlockCount) {
            stream->fBlockIndex = 0;
            stream->fBlockCount = stream->fDecoder.Read(stream->fpBlock, kStreamBlockFrames);
            if (stream->fBlockCount == 0) {
                // The true length, whatever the header claimed.
                stream->fFrames = stream->fReadIndex;
                if (aChannel.fLoopsLeft == 0 || stream->fReadIndex == 0 || !stream->fDecoder.Seek(0)) {
                    return false;
                }
                aChannel.fLoopsLeft -= aChannel.fLoopsLeft > 0 ? 1 : 0;
                stream->fReadIndex = 0;
                stream->fBlockCount = stream->fDecoder.Read(stream->fpBlock, kStreamBlockFrames);
                if (stream->fBlockCount == 0) {
                    return false;
                }
            }
        }
        frame = stream->fpBlock +
                static_cast<std::int64_t>(stream->fBlockIndex++) * stream->fDecoder.GetChannels();
        *apPosition = stream->fReadIndex++;
        apFrame[0] = frame[stream->fDecoder.GetLeftChannel()];
        apFrame[1] = frame[stream->fDecoder.GetRightChannel()];
        return true;
    } else if (Feed* feed = aChannel.fpFeed) {
        // Dry: silence, and the feed plays on until its owner stops it.
        *apPosition = feed->fPlayed++;
        if (feed->fCount == 0) {
            apFrame[0] = 0.0f;
            apFrame[1] = 0.0f;
            return true;
        }
        const float* queued = feed->fpRing + static_cast<std::size_t>(feed->fRead) * 2;
        apFrame[0] = queued[0];
        apFrame[1] = queued[1];
        feed->fRead = feed->fRead + 1 == feed->fCapacity ? 0 : feed->fRead + 1;
        --feed->fCount;
        return true;
    } else {
        return false;
    }
    apFrame[0] = frame[0];
    apFrame[1] = channels > 1 ? frame[1] : frame[0];
    return true;
}

void VoSoundMixer::Start(Channel& aChannel, std::int64_t aPosition) {
    std::int32_t rate = fRate;
    if (Sample* sample = aChannel.fpSample) {
        aChannel.fReadIndex = std::clamp<std::int64_t>(aPosition, 0, sample->fFrames);
        rate = sample->fRate;
    } else if (Stream* stream = aChannel.fpStream) {
        stream->fBlockCount = 0;
        stream->fBlockIndex = 0;
        stream->fReadIndex = aPosition;
        if (!stream->fDecoder.Seek(aPosition)) {
            // Out of the decoder's reach: the stream stands at its end.
            aChannel.fPosition = aPosition;
            aChannel.fEnded = true;
            return;
        }
        rate = stream->fDecoder.GetRate();
    } else if (Feed* feed = aChannel.fpFeed) {
        rate = feed->fRate;
    }
    aChannel.fStep = static_cast<double>(rate) / static_cast<double>(fRate);
    aChannel.fPhase = 0.0;
    aChannel.fPosition = aPosition;
    aChannel.fEnded = !Fetch(aChannel, aChannel.fPrev, &aChannel.fPosition);
    if (aChannel.fEnded) {
        return;
    }
    aChannel.fHasNext = Fetch(aChannel, aChannel.fNext, &aChannel.fNextPosition);
    if (!aChannel.fHasNext) {
        aChannel.fNext[0] = aChannel.fPrev[0];
        aChannel.fNext[1] = aChannel.fPrev[1];
    }
}

void VoSoundMixer::Mix(float* apFrames, std::int32_t aFrames) {
    if (apFrames == nullptr || aFrames <= 0) {
        return;
    }
    std::lock_guard<std::mutex> lock(fLock);
    std::memset(apFrames, 0, static_cast<std::size_t>(aFrames) * 2 * sizeof(float));
    for (Channel& channel : fChannels) {
        if (channel.fActive) {
            MixChannel(channel, apFrames, aFrames);
        }
    }
    for (std::int32_t i = 0; i < aFrames * 2; ++i) {
        apFrames[i] = std::clamp(apFrames[i], -1.0f, 1.0f);
    }
}

void VoSoundMixer::MixChannel(Channel& aChannel, float* apFrames, std::int32_t aFrames) {
    aChannel.fPeak[0] = 0.0f;
    aChannel.fPeak[1] = 0.0f;
    for (std::int32_t i = 0; i < aFrames && !aChannel.fEnded; ++i) {
        const float phase = static_cast<float>(aChannel.fPhase);
        for (int side = 0; side < 2; ++side) {
            const float value =
                (aChannel.fPrev[side] + (aChannel.fNext[side] - aChannel.fPrev[side]) * phase) *
                aChannel.fGain;
            apFrames[i * 2 + side] += value;
            aChannel.fPeak[side] = std::max(aChannel.fPeak[side], std::fabs(value));
        }
        aChannel.fPhase += aChannel.fStep;
        while (aChannel.fPhase >= 1.0) {
            aChannel.fPhase -= 1.0;
            if (!aChannel.fHasNext) {
                aChannel.fEnded = true;
                ++aChannel.fPosition;
                break;
            }
            aChannel.fPrev[0] = aChannel.fNext[0];
            aChannel.fPrev[1] = aChannel.fNext[1];
            aChannel.fPosition = aChannel.fNextPosition;
            aChannel.fHasNext = Fetch(aChannel, aChannel.fNext, &aChannel.fNextPosition);
            if (!aChannel.fHasNext) {
                aChannel.fNext[0] = aChannel.fPrev[0];
                aChannel.fNext[1] = aChannel.fPrev[1];
            }
        }
    }
    if (!aChannel.fEnded) {
        return;
    }
    Stream* stream = aChannel.fpStream;
    Free(aChannel);
    if (stream != nullptr) {
        // The stream now stands at its end, which is its length: time and
        // length agree however far off the header's count was.
        stream->fFrames = stream->fPosition;
        if (stream->fEnd != nullptr) {
            stream->fEnd(stream->fpEndData);
        }
    }
}

std::int32_t VoSoundMixer::GetPlayingCount() {
    std::lock_guard<std::mutex> lock(fLock);
    std::int32_t count = 0;
    for (const Channel& channel : fChannels) {
        count += channel.fActive ? 1 : 0;
    }
    return count;
}

std::int32_t VoSoundMixer::GetChannelVolume(std::int32_t aChannel) {
    std::lock_guard<std::mutex> lock(fLock);
    const Channel* channel = FindChannel(aChannel);
    return channel != nullptr ? channel->fVolume : -1;
}

bool VoSoundMixer::CloseStream(std::int32_t aStream) {
    std::lock_guard<std::mutex> lock(fLock);
    for (auto it = fStreams.begin(); it != fStreams.end(); ++it) {
        Stream* stream = *it;
        if (stream->fHandle == aStream) {
            if (stream->fChannel >= 0) {
                Free(fChannels[stream->fChannel]);
            }
            fStreams.erase(it);
            delete stream;
            return true;
        }
    }
    return false;
}

bool VoSoundMixer::SetStreamLoopCount(std::int32_t aStream, std::int32_t aCount) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return false;
    }
    stream->fLoopCount = aCount < 0 ? kLoopForever : aCount;
    if (stream->fChannel >= 0) {
        fChannels[stream->fChannel].fLoopsLeft = stream->fLoopCount;
    }
    return true;
}

std::int32_t VoSoundMixer::PlayStream(std::int32_t aStream, std::int32_t aVolume) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return kNoChannel;
    }
    if (stream->fChannel >= 0) {
        Free(fChannels[stream->fChannel]);
    }
    const std::int32_t index = TakeChannel(aVolume);
    if (index < 0) {
        return kNoChannel;
    }
    Channel& channel = fChannels[index];
    channel.fpStream = stream;
    channel.fLoopsLeft = stream->fLoopCount;
    stream->fChannel = index;
    Start(channel, stream->fPosition);
    return HandleOf(index);
}

bool VoSoundMixer::StopStream(std::int32_t aStream) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return false;
    }
    if (stream->fChannel >= 0) {
        Free(fChannels[stream->fChannel]);
    }
    return true;
}

std::int32_t VoSoundMixer::GetStreamTime(std::int32_t aStream) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return 0;
    }
    const std::int64_t position =
        stream->fChannel >= 0 ? fChannels[stream->fChannel].fPosition : stream->fPosition;
    return ToMilliseconds(position, stream->fDecoder.GetRate());
}

bool VoSoundMixer::SetStreamTime(std::int32_t aStream, std::int32_t aMilliseconds) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return false;
    }
    const std::int64_t frame =
        static_cast<std::int64_t>(std::max(aMilliseconds, 0)) * stream->fDecoder.GetRate() / 1000;
    stream->fPosition = std::min(frame, stream->fFrames);
    if (stream->fChannel >= 0) {
        Start(fChannels[stream->fChannel], stream->fPosition);
    }
    return true;
}

std::int32_t VoSoundMixer::GetStreamLengthMs(std::int32_t aStream) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    return stream != nullptr ? ToMilliseconds(stream->fFrames, stream->fDecoder.GetRate()) : 0;
}

bool VoSoundMixer::SetStreamEndCallback(std::int32_t aStream, EndCallback aCallback, void* apUserData) {
    std::lock_guard<std::mutex> lock(fLock);
    Stream* stream = FindStream(aStream);
    if (stream == nullptr) {
        return false;
    }
    stream->fEnd = aCallback;
    stream->fpEndData = aCallback != nullptr ? apUserData : nullptr;
    return true;
}

bool VoSoundMixer::FreeSample(std::int32_t aSample) {
    std::lock_guard<std::mutex> lock(fLock);
    for (auto it = fSamples.begin(); it != fSamples.end(); ++it) {
        Sample* sample = *it;
        if (sample->fHandle == aSample) {
            for (Channel& channel : fChannels) {
                if (channel.fActive && channel.fpSample == sample) {
                    Free(channel);
                }
            }
            fSamples.erase(it);
            delete sample;
            return true;
        }
    }
    return false;
}

std::int32_t VoSoundMixer::GetSampleLength(std::int32_t aSample) {
    std::lock_guard<std::mutex> lock(fLock);
    const Sample* sample = FindSample(aSample);
    return sample != nullptr ? static_cast<std::int32_t>(sample->fFrames) : 0;
}

std::int32_t VoSoundMixer::GetSampleDefaultFrequency(std::int32_t aSample) {
    std::lock_guard<std::mutex> lock(fLock);
    const Sample* sample = FindSample(aSample);
    return sample != nullptr ? sample->fRate : 0;
}

std::int32_t VoSoundMixer::PlaySound(std::int32_t aSample, std::int32_t aVolume) {
    std::lock_guard<std::mutex> lock(fLock);
    Sample* sample = FindSample(aSample);
    if (sample == nullptr) {
        return kNoChannel;
    }
    const std::int32_t index = TakeChannel(aVolume);
    if (index < 0) {
        return kNoChannel;
    }
    Channel& channel = fChannels[index];
    channel.fpSample = sample;
    Start(channel, 0);
    return HandleOf(index);
}

bool VoSoundMixer::StopSound(std::int32_t aChannel) {
    std::lock_guard<std::mutex> lock(fLock);
    Channel* channel = FindChannel(aChannel);
    if (channel == nullptr) {
        return false;
    }
    Free(*channel);
    return true;
}

bool VoSoundMixer::SetVolume(std::int32_t aChannel, std::int32_t aVolume) {
    std::lock_guard<std::mutex> lock(fLock);
    Channel* channel = FindChannel(aChannel);
    if (channel == nullptr) {
        return false;
    }
    channel->fVolume = ClampVolume(aVolume);
    channel->fGain = static_cast<float>(channel->fVolume) / kMaxVolume;
    return true;
}

bool VoSoundMixer::GetCurrentLevels(std::int32_t aChannel, float* apLeft, float* apRight) {
    std::lock_guard<std::mutex> lock(fLock);
    const Channel* channel = FindChannel(aChannel);
    const float left = channel != nullptr ? channel->fPeak[0] : 0.0f;
    const float right = channel != nullptr ? channel->fPeak[1] : 0.0f;
    if (apLeft != nullptr) {
        *apLeft = left;
    }
    if (apRight != nullptr) {
        *apRight = right;
    }
    return channel != nullptr;
}

std::int32_t VoSoundMixer::GetCurrentPosition(std::int32_t aChannel) {
    std::lock_guard<std::mutex> lock(fLock);
    const Channel* channel = FindChannel(aChannel);
    if (channel == nullptr) {
        return 0;
    }
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(channel->fPosition, std::numeric_limits<std::int32_t>::max()));
}

bool VoSoundMixer::IsPlaying(std::int32_t aChannel) {
    std::lock_guard<std::mutex> lock(fLock);
    return FindChannel(aChannel) != nullptr;
}

std::int32_t VoSoundMixer::GetOutputRate() {
    std::lock_guard<std::mutex> lock(fLock);
    return fRate;
}

std::int32_t VoSoundMixer::OpenFeed(std::int32_t aRate, std::int32_t aCapacityFrames) {
    if (fInitCount == 0 || aRate < VoSoundDecoder::kMinRate || aRate > VoSoundDecoder::kMaxRate ||
        aCapacityFrames < 1) {
        return kNoHandle;
    }
    Feed* feed = VO_NEW Feed();
    if (feed == nullptr) {
        return kNoHandle;
    }
    // The ring is the only memory the audio thread touches for a feed.
    feed->fpRing = VO_NEW float[static_cast<std::size_t>(aCapacityFrames) * 2];
    if (feed->fpRing == nullptr) {
        delete feed;
        return kNoHandle;
    }
    feed->fRate = aRate;
    feed->fCapacity = aCapacityFrames;
    std::lock_guard<std::mutex> lock(fLock);
    feed->fHandle = NextHandle();
    fFeeds.push_back(feed);
    return feed->fHandle;
}

bool VoSoundMixer::CloseFeed(std::int32_t aFeed) {
    std::lock_guard<std::mutex> lock(fLock);
    for (auto it = fFeeds.begin(); it != fFeeds.end(); ++it) {
        Feed* feed = *it;
        if (feed->fHandle == aFeed) {
            if (feed->fChannel >= 0) {
                Free(fChannels[feed->fChannel]);
            }
            fFeeds.erase(it);
            delete feed;
            return true;
        }
    }
    return false;
}

std::int32_t VoSoundMixer::WriteFeed(std::int32_t aFeed, const float* apFrames, std::int32_t aFrames) {
    if (apFrames == nullptr || aFrames <= 0) {
        return 0;
    }
    std::lock_guard<std::mutex> lock(fLock);
    Feed* feed = FindFeed(aFeed);
    if (feed == nullptr) {
        return 0;
    }
    const std::int32_t taken = std::min(aFrames, feed->fCapacity - feed->fCount);
    std::int32_t write = (feed->fRead + feed->fCount) % feed->fCapacity;
    std::int32_t done = 0;
    while (done < taken) {
        // Up to the ring's end, then from its start.
        const std::int32_t run = std::min(taken - done, feed->fCapacity - write);
        std::memcpy(feed->fpRing + static_cast<std::size_t>(write) * 2,
                    apFrames + static_cast<std::size_t>(done) * 2,
                    static_cast<std::size_t>(run) * 2 * sizeof(float));
        done += run;
        write = (write + run) % feed->fCapacity;
    }
    feed->fCount += taken;
    return taken;
}

std::int32_t VoSoundMixer::GetFeedQueued(std::int32_t aFeed) {
    std::lock_guard<std::mutex> lock(fLock);
    const Feed* feed = FindFeed(aFeed);
    return feed != nullptr ? feed->fCount : 0;
}

bool VoSoundMixer::ClearFeed(std::int32_t aFeed) {
    std::lock_guard<std::mutex> lock(fLock);
    Feed* feed = FindFeed(aFeed);
    if (feed == nullptr) {
        return false;
    }
    feed->fRead = 0;
    feed->fCount = 0;
    return true;
}

std::int32_t VoSoundMixer::PlayFeed(std::int32_t aFeed, std::int32_t aVolume) {
    std::lock_guard<std::mutex> lock(fLock);
    Feed* feed = FindFeed(aFeed);
    if (feed == nullptr) {
        return kNoChannel;
    }
    if (feed->fChannel >= 0) {
        Free(fChannels[feed->fChannel]);
    }
    const std::int32_t index = TakeChannel(aVolume);
    if (index < 0) {
        return kNoChannel;
    }
    Channel& channel = fChannels[index];
    channel.fpFeed = feed;
    feed->fChannel = index;
    Start(channel, feed->fPlayed);
    return HandleOf(index);
}

bool VoSoundMixer::StopFeed(std::int32_t aFeed) {
    std::lock_guard<std::mutex> lock(fLock);
    Feed* feed = FindFeed(aFeed);
    if (feed == nullptr) {
        return false;
    }
    if (feed->fChannel >= 0) {
        Free(fChannels[feed->fChannel]);
    }
    return true;
}
