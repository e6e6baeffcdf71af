#include "platform/port/VoSoundDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "memory/VoNew.h"

namespace {

// Frames read per pass while a whole sample decodes.
constexpr std::int32_t kWholeBlockFrames = 4096;
// The first guess at a sample's size; it doubles as the decoding goes on, so
// a header that claims millions of frames allocates nothing it does not fill.
constexpr std::int64_t kFirstCapacity = 65536;

VoSoundDecoder::Memory& MemoryOf(void* apUserData) {
    return *static_cast<VoSoundDecoder::Memory*>(apUserData);
}

sf_count_t MemoryLength(void* apUserData) {
    return MemoryOf(apUserData).fSize;
}

sf_count_t MemorySeek(sf_count_t aOffset, int aWhence, void* apUserData) {
    VoSoundDecoder::Memory& memory = MemoryOf(apUserData);
    sf_count_t base = 0;
    switch (aWhence) {
        case SEEK_SET:
            base = 0;
            break;
        case SEEK_CUR:
            base = memory.fPosition;
            break;
        case SEEK_END:
            base = memory.fSize;
            break;
        default:
            return -1;
    }
    // Offsets come from the file's own fields: keep the sum from overflowing.
    if ((aOffset < 0 && aOffset < -base) || (aOffset > 0 && aOffset > memory.fSize - base)) {
        return -1;
    }
    memory.fPosition = base + aOffset;
    return memory.fPosition;
}

sf_count_t MemoryRead(void* apOut, sf_count_t aCount, void* apUserData) {
    VoSoundDecoder::Memory& memory = MemoryOf(apUserData);
    if (aCount <= 0 || memory.fPosition >= memory.fSize) {
        return 0;
    }
    const sf_count_t count = std::min<sf_count_t>(aCount, memory.fSize - memory.fPosition);
    std::memcpy(apOut, memory.fpData + memory.fPosition, static_cast<std::size_t>(count));
    memory.fPosition += count;
    return count;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t MemoryTell(void* apUserData) {
    return MemoryOf(apUserData).fPosition;
}

// Float files may hold anything: what is not a number becomes silence and the
// rest is clipped to full scale, so no sum, gain or interpolation overflows.
void Sanitize(float* apValues, std::int64_t aCount) {
    for (std::int64_t i = 0; i < aCount; ++i) {
        const float value = apValues[i];
        apValues[i] = std::isnan(value) ? 0.0f : std::clamp(value, -1.0f, 1.0f);
    }
}

// The front right channel of a file in Vorbis order (Opus keeps it too) of
// aChannels channels: L R; L C R; FL FR RL RR; FL C FR RL RR; FL C FR RL RR
// LFE; FL C FR SL SR RC LFE; FL C FR SL SR RL RR LFE. Above eight channels
// the order is the file's own: the second is taken.
std::int32_t VorbisRight(std::int32_t aChannels) {
    switch (aChannels) {
        case 3:
        case 5:
        case 6:
        case 7:
        case 8:
            return 2;
        default:
            return 1;
    }
}

}  // namespace

VoSoundDecoder::~VoSoundDecoder() {
    Close();
}

bool VoSoundDecoder::OpenFile(const char* apPath) {
    Close();
    if (apPath == nullptr) {
        return false;
    }
    fPath = apPath;
    return Open(fPath.c_str());
}

bool VoSoundDecoder::OpenMemory(const void* apData, std::size_t aSize) {
    Close();
    if (apData == nullptr) {
        return false;
    }
    fMemory.fpData = static_cast<const unsigned char*>(apData);
    fMemory.fSize = static_cast<std::int64_t>(aSize);
    return Open(nullptr);
}

bool VoSoundDecoder::Open(const char* apPath) {
    SF_INFO info{};
    if (apPath != nullptr) {
        fpFile = sf_open(apPath, SFM_READ, &info);
    } else {
        fMemory.fPosition = 0;
        SF_VIRTUAL_IO io{};
        io.get_filelen = MemoryLength;
        io.seek = MemorySeek;
        io.read = MemoryRead;
        io.write = MemoryWrite;
        io.tell = MemoryTell;
        fpFile = sf_open_virtual(&io, SFM_READ, &info, &fMemory);
    }
    if (fpFile == nullptr) {
        Close();
        return false;
    }
    fChannels = info.channels;
    fRate = info.samplerate;
    fFrames = info.frames;
    fFormat = info.format;
    fMoved = false;
    return Accept();
}

bool VoSoundDecoder::Accept() {
    if (fChannels < 1 || fChannels > kMaxFileChannels || fRate < kMinRate || fRate > kMaxRate ||
        fFrames < 0) {
        Close();
        return false;
    }
    // Integer files come out in -1 .. 1 (the library's default, made sure of).
    sf_command(fpFile, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    FindFrontPair();
    return true;
}

void VoSoundDecoder::FindFrontPair() {
    fLeft = 0;
    fRight = fChannels > 1 ? 1 : 0;
    if (fChannels <= 2) {
        return;
    }
    int map[kMaxFileChannels] = {};
    if (sf_command(fpFile, SFC_GET_CHANNEL_MAP_INFO, map, static_cast<int>(sizeof(int)) * fChannels) ==
        SF_TRUE) {
        std::int32_t left = -1;
        std::int32_t right = -1;
        for (std::int32_t i = 0; i < fChannels; ++i) {
            if (left < 0 && (map[i] == SF_CHANNEL_MAP_LEFT || map[i] == SF_CHANNEL_MAP_FRONT_LEFT)) {
                left = i;
            } else if (right < 0 &&
                       (map[i] == SF_CHANNEL_MAP_RIGHT || map[i] == SF_CHANNEL_MAP_FRONT_RIGHT)) {
                right = i;
            }
        }
        if (left >= 0 && right >= 0) {
            fLeft = left;
            fRight = right;
            return;
        }
    }
    if ((fFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG) {
        fRight = VorbisRight(fChannels);
    }
}

bool VoSoundDecoder::Reopen() {
    const std::int32_t channels = fChannels;
    const std::int32_t rate = fRate;
    sf_close(fpFile);
    fpFile = nullptr;
    if (!Open(fPath.empty() ? nullptr : fPath.c_str())) {
        return false;
    }
    if (fChannels != channels || fRate != rate) {
        Close();
        return false;
    }
    return true;
}

void VoSoundDecoder::Close() {
    if (fpFile != nullptr) {
        sf_close(fpFile);
        fpFile = nullptr;
    }
    fMemory = Memory();
    fPath.clear();
    fChannels = 0;
    fRate = 0;
    fFrames = 0;
    fFormat = 0;
    fLeft = 0;
    fRight = 0;
    fMoved = false;
}

std::int32_t VoSoundDecoder::Read(float* apOut, std::int32_t aFrames) {
    if (fpFile == nullptr || apOut == nullptr || aFrames <= 0) {
        return 0;
    }
    const sf_count_t read = sf_readf_float(fpFile, apOut, aFrames);
    fMoved = true;
    if (read <= 0) {
        return 0;
    }
    const std::int32_t frames = static_cast<std::int32_t>(std::min<sf_count_t>(read, aFrames));
    Sanitize(apOut, static_cast<std::int64_t>(frames) * fChannels);
    return frames;
}

bool VoSoundDecoder::Seek(std::int64_t aFrame) {
    if (fpFile == nullptr || aFrame < 0) {
        return false;
    }
    // The library's Ogg seek is exact only on a decoder that has not run: it
    // lands up to a thousand frames off, or shifted for good by hundreds.
    if (aFrame > 0 && fMoved && (fFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG && !Reopen()) {
        return false;
    }
    fMoved = true;
    return sf_seek(fpFile, aFrame, SEEK_SET) == aFrame;
}

bool VoSoundDecoder::WholeSample(float** appFrames, std::int64_t* apFrames, std::int32_t* apChannels) {
    if (fpFile == nullptr || appFrames == nullptr || *appFrames != nullptr || apFrames == nullptr ||
        apChannels == nullptr || !Seek(0)) {
        return false;
    }
    const std::int32_t kept = std::min(fChannels, 2);
    const std::int32_t picked[2] = {fLeft, fRight};
    float* block = VO_NEW float[static_cast<std::size_t>(kWholeBlockFrames) * fChannels];
    std::int64_t capacity = std::clamp<std::int64_t>(fFrames, 1, kFirstCapacity);
    float* frames = VO_NEW float[static_cast<std::size_t>(capacity * kept)];
    std::int64_t count = 0;
    bool fits = block != nullptr && frames != nullptr;
    while (fits) {
        const std::int32_t read = Read(block, kWholeBlockFrames);
        if (read == 0) {
            break;
        }
        if (count + read > capacity) {
            if (count + read > kMaxSampleFrames) {
                fits = false;
                break;
            }
            const std::int64_t grown = std::min(std::max(capacity * 2, count + read), kMaxSampleFrames);
            float* larger = VO_NEW float[static_cast<std::size_t>(grown * kept)];
            if (larger == nullptr) {
                fits = false;
                break;
            }
            std::memcpy(larger, frames, static_cast<std::size_t>(count * kept) * sizeof(float));
            delete[] frames;
            frames = larger;
            capacity = grown;
        }
        for (std::int32_t i = 0; i < read; ++i) {
            for (std::int32_t channel = 0; channel < kept; ++channel) {
                frames[(count + i) * kept + channel] =
                    block[static_cast<std::int64_t>(i) * fChannels + picked[channel]];
            }
        }
        count += read;
    }
    delete[] block;
    if (!fits || count == 0) {
        delete[] frames;
        return false;
    }
    *appFrames = frames;
    *apFrames = count;
    *apChannels = kept;
    return true;
}
