#include "scene/VoMeshFile.h"

#include <cstring>

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

namespace {

// aCount (which fits the stream) 4-byte values into apOut, by their bits;
// false, logged, when the stream ends first.
template <typename Word>
bool ReadBits(VoIStream* apStream, std::int64_t aCount, Word* apOut) {
    static_assert(sizeof(Word) == 4, "a word is 4 bytes");
    // A stream held in memory gives them in one piece.
    if (apStream->ReadWordRun(apOut, static_cast<std::uint32_t>(aCount))) {
        return true;
    }
    for (std::int64_t i = 0; i < aCount; ++i) {
        std::uint32_t bits = 0;
        if (!apStream->ReadUInt(&bits)) {
            VO_ERROR(VoMeshFile::kTruncated);
            return false;
        }
        std::memcpy(&apOut[i], &bits, sizeof bits);
    }
    return true;
}

// The readers of 4-byte values of each type: the bits as they stand in the file.
template <typename Word>
bool ReadWordArray(VoIStream* apStream, std::int64_t aCount, Word** appOut) {
    static_assert(sizeof(Word) == 4, "a word is 4 bytes");
    if (!VoMeshFile::CountFits(apStream, aCount, 4)) {
        return false;
    }
    if (aCount == 0) {
        *appOut = nullptr;
        return true;
    }
    Word* words = VO_NEW Word[static_cast<std::size_t>(aCount)];
    if (words == nullptr) {
        VO_ERROR(VoMeshFile::kCountRefused, static_cast<long long>(aCount));
        return false;
    }
    if (!ReadBits(apStream, aCount, words)) {
        delete[] words;
        return false;
    }
    *appOut = words;
    return true;
}

}  // namespace

bool VoMeshFile::ReadWordsInto(VoIStream* apStream, std::int64_t aCount, std::uint32_t* apOut) {
    return CountFits(apStream, aCount, 4) && ReadBits(apStream, aCount, apOut);
}

bool VoMeshFile::ReadWords(VoIStream* apStream, std::int64_t aCount, std::uint32_t** appOut) {
    return ReadWordArray(apStream, aCount, appOut);
}

bool VoMeshFile::ReadWords(VoIStream* apStream, std::int64_t aCount, std::int32_t** appOut) {
    return ReadWordArray(apStream, aCount, appOut);
}

bool VoMeshFile::ReadWords(VoIStream* apStream, std::int64_t aCount, float** appOut) {
    return ReadWordArray(apStream, aCount, appOut);
}

bool VoMeshFile::ReadRawName(VoIStream* apStream, std::uint32_t aLength, VoString* apOut) {
    if (aLength == 0) {
        *apOut = VoString();
        return true;
    }
    if (!CountFits(apStream, aLength, 1) || aLength > 0x7FFFFFFFu) {
        return false;
    }
    // A stream held in memory: the text straight from its bytes.
    if (const unsigned char* bytes = apStream->TakeBytes(aLength)) {
        std::int32_t length = 0;
        while (static_cast<std::uint32_t>(length) < aLength && bytes[length] != 0) {
            ++length;
        }
        apOut->AssignNarrow(reinterpret_cast<const char*>(bytes), length);
        return true;
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
