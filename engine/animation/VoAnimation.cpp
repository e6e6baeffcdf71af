#include "animation/VoAnimation.h"

#include <cstring>

#include "animation/VoAnimationTrack.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoMemoryStream.h"

namespace {

bool EndsWithNoCase(const VoString& aText, const char16_t* apEnding, std::int32_t aLength) {
    const std::int32_t length = aText.GetLength();
    return length >= aLength && aText.SubString(length - aLength, aLength).EqualsNoCase(apEnding);
}

}  // namespace

VoAnimation::VoAnimation() : fTrackCount(0), fFrameCount(0), fpTracks(nullptr), fRawHeader{}, fRawWord(0) {}

VoAnimation::~VoAnimation() {
    delete[] fpTracks;
}

VoAnimation::Form VoAnimation::FormOf(const VoString& aPath) {
    if (EndsWithNoCase(aPath, u"lia1", 4)) {
        return Form::kSerialised;
    }
    if (EndsWithNoCase(aPath, u"lia", 3)) {
        return Form::kRaw;
    }
    return Form::kUnknown;
}

void VoAnimation::AdoptTracks(VoAnimationTrack* apTracks, std::uint32_t aCount) {
    delete[] fpTracks;
    fpTracks = apTracks;
    fTrackCount = apTracks != nullptr ? aCount : 0;
}

VoAnimationTrack* VoAnimation::GetTrack(std::int64_t aIndex) const {
    if (fpTracks == nullptr || aIndex < 0 || aIndex >= static_cast<std::int64_t>(fTrackCount)) {
        return nullptr;
    }
    return &fpTracks[aIndex];
}

bool VoAnimation::Load(const VoString& aPath, bool aMapToNative) {
    VoMemoryStream stream(kLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(aPath, aMapToNative)) {
        VO_ASSERT_FAILURE(kNotFound);
        return false;
    }
    const Form form = FormOf(aPath);
    if (form == Form::kUnknown) {
        VO_ASSERT_FAILURE(kInvalidPath);
        return false;
    }
    return ReadForm(&stream, form, aPath);
}

bool VoAnimation::ReadForm(VoIStream* apStream, Form aForm, const VoString& aName) {
    switch (aForm) {
        case Form::kSerialised:
            return Read(apStream);
        case Form::kRaw:
            return Read(apStream, aName);
        case Form::kUnknown:
            break;
    }
    return false;
}

bool VoAnimation::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    std::uint32_t trackCount = 0;
    if (!apStream->ReadString(&fName) || !apStream->ReadUInt(&trackCount) ||
        !apStream->ReadUInt(&fFrameCount)) {
        VO_ERROR(kTruncated);
        return false;
    }
    if (trackCount == 0) {
        return true;
    }
    if (!VoAnimationTrack::Fits(apStream,
                                static_cast<std::uint64_t>(trackCount) * VoAnimationTrack::kMinTrackBytes)) {
        VO_ERROR(kTracksRefused, trackCount);
        return false;
    }
    VoAnimationTrack* tracks = VO_NEW VoAnimationTrack[trackCount];
    if (tracks == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    AdoptTracks(tracks, trackCount);
    for (std::uint32_t i = 0; i < trackCount; ++i) {
        if (!fpTracks[i].Read(apStream)) {
            VO_ERROR(kTruncated);
            return false;
        }
    }
    return true;
}

bool VoAnimation::Read(VoIStream* apStream, const VoString& aName) {
    if (apStream == nullptr) {
        return false;
    }
    unsigned char header[kRawHeaderBytes] = {};
    std::uint32_t word = 0;
    std::uint32_t trackCount = 0;
    std::uint32_t frameCount = 0;
    if (!apStream->Read(kRawHeaderBytes, header) || !apStream->ReadUInt(&word) ||
        !apStream->ReadUInt(&trackCount) || !apStream->ReadUInt(&frameCount)) {
        VO_ERROR(kTruncated);
        return false;
    }
    VoAnimationTrack* tracks = nullptr;
    if (trackCount > 0) {
        // Each factor alone fits in 2^31 bytes, so the product cannot overflow.
        const std::uint64_t keyBytes =
            static_cast<std::uint64_t>(frameCount) * VoAnimationTrack::kRawKeyBytes;
        const std::uint64_t leastBytes =
            static_cast<std::uint64_t>(trackCount) * VoAnimationTrack::kMinRawTrackBytes;
        if (!VoAnimationTrack::Fits(apStream, keyBytes) || !VoAnimationTrack::Fits(apStream, leastBytes) ||
            !VoAnimationTrack::Fits(apStream, leastBytes + trackCount * keyBytes)) {
            VO_ERROR(kTracksRefused, trackCount);
            return false;
        }
        tracks = VO_NEW VoAnimationTrack[trackCount];
        if (tracks == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        for (std::uint32_t i = 0; i < trackCount; ++i) {
            if (!tracks[i].ReadRaw(apStream, frameCount)) {
                delete[] tracks;
                VO_ERROR(kTruncated);
                return false;
            }
        }
    }
    fName = aName;
    std::memcpy(fRawHeader, header, kRawHeaderBytes);
    fRawWord = word;
    fFrameCount = frameCount;
    AdoptTracks(tracks, trackCount);
    return true;
}

bool VoAnimation::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->WriteString(fName);
    ok = apStream->WriteUInt(fpTracks != nullptr ? fTrackCount : 0u) && ok;
    ok = apStream->WriteUInt(fFrameCount) && ok;
    for (std::uint32_t i = 0; fpTracks != nullptr && i < fTrackCount; ++i) {
        ok = fpTracks[i].Write(apStream) && ok;
    }
    return ok;
}

bool VoAnimation::WriteRaw(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool ok = apStream->Write(kRawHeaderBytes, fRawHeader);
    ok = apStream->WriteUInt(fRawWord) && ok;
    ok = apStream->WriteUInt(fpTracks != nullptr ? fTrackCount : 0u) && ok;
    ok = apStream->WriteUInt(fFrameCount) && ok;
    for (std::uint32_t i = 0; fpTracks != nullptr && i < fTrackCount; ++i) {
        ok = fpTracks[i].WriteRaw(apStream, fFrameCount) && ok;
    }
    return ok;
}

bool VoAnimation::Create(const VoString& aName, std::int32_t aTrackCount, std::int32_t aFrameCount) {
    if (aTrackCount < 0 || aFrameCount < 0) {
        VO_ERROR(kInvalidCount);
        return false;
    }
    VoAnimationTrack* tracks = nullptr;
    if (aTrackCount > 0) {
        tracks = VO_NEW VoAnimationTrack[static_cast<std::size_t>(aTrackCount)];
        if (tracks == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
    }
    fName = aName;
    fFrameCount = static_cast<std::uint32_t>(aFrameCount);
    AdoptTracks(tracks, static_cast<std::uint32_t>(aTrackCount));
    return true;
}

void VoAnimation::Dump() const {
    for (std::uint32_t i = 0; fpTracks != nullptr && i < fTrackCount; ++i) {
        fpTracks[i].Dump(fFrameCount);
    }
}
