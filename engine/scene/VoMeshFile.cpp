#include "scene/VoMeshFile.h"

#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

bool VoMeshFile::IsSerialisedName(const VoString& aName) {
    const std::int32_t length = aName.GetLength();
    return length > 0 && aName.GetAt(length - 1) == u'1';
}

bool VoMeshFile::CountFits(VoIStream* apStream, std::int64_t aCount, std::int64_t aBytesEach) {
    const std::int64_t remaining = apStream->GetRemaining();
    const std::int64_t limit =
        remaining >= 0 ? remaining : static_cast<std::int64_t>(VoIStream::kMaxUnsizedRead);
    // aCount is at most 2^32 and aBytesEach small: the product cannot overflow.
    if (aCount < 0 || aCount * aBytesEach > limit) {
        VO_ERROR(kCountRefused, static_cast<long long>(aCount));
        return false;
    }
    return true;
}

bool VoMeshFile::ReadWords(VoIStream* apStream, std::int64_t aCount, std::uint32_t** appOut) {
    if (!CountFits(apStream, aCount, 4)) {
        return false;
    }
    if (aCount == 0) {
        *appOut = nullptr;
        return true;
    }
    std::uint32_t* words = VO_NEW std::uint32_t[static_cast<std::size_t>(aCount)];
    if (words == nullptr) {
        VO_ERROR(kCountRefused, static_cast<long long>(aCount));
        return false;
    }
    for (std::int64_t i = 0; i < aCount; ++i) {
        if (!apStream->ReadUInt(&words[i])) {
            delete[] words;
            VO_ERROR(kTruncated);
            return false;
        }
    }
    *appOut = words;
    return true;
}

bool VoMeshFile::ReadRawName(VoIStream* apStream, std::uint32_t aLength, VoString* apOut) {
    if (aLength == 0) {
        *apOut = VoString();
        return true;
    }
    if (!CountFits(apStream, aLength, 1) || aLength > 0x7FFFFFFFu) {
        return false;
    }
    char* text = nullptr;
    if (!apStream->ReadChars(static_cast<int>(aLength), &text)) {
        VO_ERROR(kTruncated);
        return false;
    }
    *apOut = VoString(text);
    delete[] text;
    return true;
}
