#include "animation/VoAnimationTrack.h"

#include "container/VoHashKeyList.h"
#include "container/VoLog.h"
#include "memory/VoNew.h"
#include "stdlib/VoIStream.h"

namespace {

const VoQuaternion kIdentity(0.0f, 0.0f, 0.0f, 1.0f);

// A present array of no keys still gets a block (see the header).
template <typename Key>
Key* NewKeys(std::int32_t aCount) {
    return VO_NEW Key[aCount > 0 ? static_cast<std::size_t>(aCount) : 1u];
}

// One serialised key array: its presence flag, then aCount keys when present.
// *appKeys is set only when the whole array was read; absent leaves it null.
template <typename Key>
bool ReadKeyArray(VoIStream* apStream, std::int32_t aCount, Key** appKeys) {
    bool present = false;
    if (!apStream->ReadBool(&present)) {
        return false;
    }
    if (!present) {
        return true;
    }
    const std::uint64_t bytes = static_cast<std::uint64_t>(aCount) * sizeof(Key);
    if (!VoAnimationTrack::Fits(apStream, bytes)) {
        VO_ERROR(VoAnimationTrack::kKeysRefused);
        return false;
    }
    Key* keys = NewKeys<Key>(aCount);
    if (keys == nullptr) {
        VO_ERROR(VoAnimationTrack::kCouldNotAllocate);
        return false;
    }
    // The keys are plain floats: a stream held in memory gives them in one piece.
    bool read = aCount == 0 || apStream->ReadWordRun(keys, static_cast<std::uint32_t>(bytes / sizeof(float)));
    for (std::int32_t i = 0; !read && i < aCount; ++i) {
        if (!keys[i].Read(apStream)) {
            break;
        }
        read = i + 1 == aCount;
    }
    if (!read) {
        delete[] keys;
        return false;
    }
    *appKeys = keys;
    return true;
}

template <typename Key>
bool WriteKeyArray(VoIStream* apStream, std::int32_t aCount, const Key* apKeys) {
    bool ok = apStream->WriteBool(apKeys != nullptr);
    if (apKeys != nullptr) {
        for (std::int32_t i = 0; i < aCount; ++i) {
            ok = apKeys[i].Write(apStream) && ok;
        }
    }
    return ok;
}

template <typename Key>
const Key* KeyAt(const Key* apKeys, std::int32_t aCount, std::int32_t aKey) {
    if (apKeys == nullptr || aKey < 0 || aKey >= aCount) {
        return nullptr;
    }
    return &apKeys[aKey];
}

}  // namespace

static_assert(sizeof(VoVector3) == 12 && sizeof(VoQuaternion) == 16, "keys are plain floats");

VoAnimationTrack::~VoAnimationTrack() {
    FreeKeys();
}

std::uint32_t VoAnimationTrack::HashOf(const VoString& aName) {
    return VoHashKeyList::Hash(aName, kHashShift, false);
}

bool VoAnimationTrack::Fits(VoIStream* apStream, std::uint64_t aBytes) {
    const std::int64_t remaining = apStream->GetRemaining();
    const std::uint64_t limit = remaining >= 0 ? static_cast<std::uint64_t>(remaining)
                                               : static_cast<std::uint64_t>(VoIStream::kMaxUnsizedRead);
    return aBytes <= limit && aBytes <= static_cast<std::uint64_t>(kMaxDataBytes);
}

std::uint32_t VoAnimationTrack::GetBipedHash() {
    static const std::uint32_t sHash = HashOf(VoString(kBipedName));
    return sHash;
}

void VoAnimationTrack::FreeKeys() {
    delete[] fpVectorKeys;
    delete[] fpRotationKeys;
    delete[] fpPositionKeys;
    fpVectorKeys = nullptr;
    fpRotationKeys = nullptr;
    fpPositionKeys = nullptr;
    fKeyCount = 0;
}

void VoAnimationTrack::AdoptKeys(std::int32_t aKeyCount, VoVector3* apVectors, VoQuaternion* apRotations,
                                 VoVector3* apPositions) {
    FreeKeys();
    fKeyCount = aKeyCount;
    fpVectorKeys = apVectors;
    fpRotationKeys = apRotations;
    fpPositionKeys = apPositions;
}

bool VoAnimationTrack::Create(const VoString& aName, std::int32_t aKeyCount, bool aVectors, bool aRotations,
                              bool aPositions) {
    FreeKeys();
    fName = aName;
    fHash = HashOf(aName);
    if (aKeyCount < 0) {
        VO_ERROR(kInvalidKeyCount, aKeyCount);
        return false;
    }
    VoVector3* vectors = aVectors ? NewKeys<VoVector3>(aKeyCount) : nullptr;
    VoQuaternion* rotations = aRotations ? NewKeys<VoQuaternion>(aKeyCount) : nullptr;
    VoVector3* positions = aPositions ? NewKeys<VoVector3>(aKeyCount) : nullptr;
    if ((aVectors && vectors == nullptr) || (aRotations && rotations == nullptr) ||
        (aPositions && positions == nullptr)) {
        delete[] vectors;
        delete[] rotations;
        delete[] positions;
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; rotations != nullptr && i < aKeyCount; ++i) {
        rotations[i] = kIdentity;
    }
    AdoptKeys(aKeyCount, vectors, rotations, positions);
    return true;
}

bool VoAnimationTrack::ReadRaw(VoIStream* apStream, std::uint32_t aFrameCount) {
    std::uint32_t nameBytes = 0;
    if (!apStream->ReadUInt(&nameBytes)) {
        return false;
    }
    if (!Fits(apStream, nameBytes)) {
        VO_ERROR(kNameRefused);
        return false;
    }
    char* nameField = nullptr;
    if (!apStream->ReadChars(static_cast<int>(nameBytes), &nameField)) {
        return false;
    }
    // The name ends at the first 0 byte of its field (ReadChars ends the
    // field with one more).
    VoString name(nameField);
    delete[] nameField;

    std::uint32_t trackWord = 0;
    if (!apStream->ReadUInt(&trackWord)) {
        return false;
    }
    // The animation checked the whole run of tracks against the data, but a
    // track read alone must not trust its caller. What fits is far below
    // 2^31 keys.
    if (!Fits(apStream, static_cast<std::uint64_t>(aFrameCount) * kRawKeyBytes)) {
        VO_ERROR(kKeysRefused);
        return false;
    }
    const std::int32_t count = static_cast<std::int32_t>(aFrameCount);
    VoVector3* vectors = NewKeys<VoVector3>(count);
    VoQuaternion* rotations = NewKeys<VoQuaternion>(count);
    VoVector3* positions = NewKeys<VoVector3>(count);
    bool ok = vectors != nullptr && rotations != nullptr && positions != nullptr;
    if (!ok) {
        VO_ERROR(kCouldNotAllocate);
    }
    // Each key is ten floats: a stream held in memory gives each in one piece.
    for (std::int32_t i = 0; ok && i < count; ++i) {
        float key[kRawKeyBytes / sizeof(float)];
        if (!apStream->ReadWordRun(key, kRawKeyBytes / sizeof(float))) {
            ok = vectors[i].Read(apStream) && rotations[i].Read(apStream) && positions[i].Read(apStream);
            continue;
        }
        vectors[i].Set(key[0], key[1], key[2]);
        rotations[i].Set(key[3], key[4], key[5], key[6]);
        positions[i].Set(key[7], key[8], key[9]);
    }
    if (!ok) {
        delete[] vectors;
        delete[] rotations;
        delete[] positions;
        return false;
    }
    fName.Swap(name);
    fHash = HashOf(fName);
    fTrackWord = trackWord;
    AdoptKeys(count, vectors, rotations, positions);
    return true;
}

bool VoAnimationTrack::WriteRaw(VoIStream* apStream, std::uint32_t aFrameCount) const {
    const std::int32_t length = fName.GetLength();
    bool ok = apStream->WriteUInt(static_cast<std::uint32_t>(length) + 1u);
    for (std::int32_t i = 0; i < length; ++i) {
        ok = apStream->WriteByte(static_cast<unsigned char>(fName.GetAt(i) & 0xFF)) && ok;
    }
    ok = apStream->WriteByte(0) && ok;
    ok = apStream->WriteUInt(fTrackWord) && ok;
    const VoVector3 zero;
    for (std::uint32_t frame = 0; frame < aFrameCount; ++frame) {
        const std::int32_t key =
            ClampKey(frame > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<std::int32_t>(frame));
        const VoVector3* vector = GetVectorKey(key);
        const VoQuaternion* rotation = GetRotationKey(key);
        const VoVector3* position = GetPositionKey(key);
        ok = (vector != nullptr ? *vector : zero).Write(apStream) && ok;
        ok = (rotation != nullptr ? *rotation : kIdentity).Write(apStream) && ok;
        ok = (position != nullptr ? *position : zero).Write(apStream) && ok;
    }
    return ok;
}

bool VoAnimationTrack::Read(VoIStream* apStream) {
    if (!apStream->ReadString(&fName) || !apStream->ReadUInt(&fHash)) {
        return false;
    }
    std::int32_t keyCount = 0;
    if (!apStream->ReadInt(&keyCount)) {
        return false;
    }
    if (keyCount < 0) {
        VO_ERROR(kInvalidKeyCount, keyCount);
        return false;
    }
    AdoptKeys(keyCount, nullptr, nullptr, nullptr);
    return ReadKeyArray(apStream, fKeyCount, &fpVectorKeys) &&
           ReadKeyArray(apStream, fKeyCount, &fpRotationKeys) &&
           ReadKeyArray(apStream, fKeyCount, &fpPositionKeys);
}

bool VoAnimationTrack::Write(VoIStream* apStream) const {
    bool ok = apStream->WriteString(fName);
    ok = apStream->WriteUInt(fHash) && ok;
    ok = apStream->WriteInt(fKeyCount) && ok;
    ok = WriteKeyArray(apStream, fKeyCount, fpVectorKeys) && ok;
    ok = WriteKeyArray(apStream, fKeyCount, fpRotationKeys) && ok;
    ok = WriteKeyArray(apStream, fKeyCount, fpPositionKeys) && ok;
    return ok;
}

void VoAnimationTrack::Dump(std::uint32_t aFrameCount) const {
    VoLog::Report(VoString("--------------------"));
    VoLog::Report(VoString("name:").Append(fName));
    VoLog::Report(VoString("numkeys:").Append(aFrameCount));
    const std::int64_t keys = aFrameCount < static_cast<std::uint32_t>(fKeyCount) ? aFrameCount : fKeyCount;
    for (std::int32_t i = 0; i < keys; ++i) {
        VoLog::Report(VoString("-----"));
        if (fpVectorKeys != nullptr) {
            VoLog::Report(fpVectorKeys[i].ToValueString());
        }
        if (fpRotationKeys != nullptr) {
            VoLog::Report(fpRotationKeys[i].ToValueString());
        }
        if (fpPositionKeys != nullptr) {
            VoLog::Report(fpPositionKeys[i].ToValueString());
        }
    }
}

std::int32_t VoAnimationTrack::ClampKey(std::int32_t aKey) const {
    if (fKeyCount <= 0) {
        return -1;
    }
    if (aKey < 0) {
        return 0;
    }
    return aKey < fKeyCount ? aKey : fKeyCount - 1;
}

const VoVector3* VoAnimationTrack::GetVectorKey(std::int32_t aKey) const {
    return KeyAt(fpVectorKeys, fKeyCount, aKey);
}

const VoQuaternion* VoAnimationTrack::GetRotationKey(std::int32_t aKey) const {
    return KeyAt(fpRotationKeys, fKeyCount, aKey);
}

const VoVector3* VoAnimationTrack::GetPositionKey(std::int32_t aKey) const {
    return KeyAt(fpPositionKeys, fKeyCount, aKey);
}
