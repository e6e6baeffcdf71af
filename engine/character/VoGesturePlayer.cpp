#include "character/VoGesturePlayer.h"

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoGestureAnimManager.h"
#include "character/VoCharacter.h"
#include "character/VoGestureCurve.h"
#include "character/VoGestureKey.h"
#include "character/VoIGestureListener.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "stdlib/VoFrameManager.h"
#include "stdlib/VoStopWatch.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr const char* kReadFailure = "Load failure. Could not read: ";
constexpr int kHashShift = 7;

bool IsEnginePath(const VoString& aPath) {
    return aPath.GetLength() >= 2 && aPath.GetAt(0) == u'/' && aPath.GetAt(1) == u'/';
}

// Whether the path is "/xx_G/..." with G one of the two gender letters.
bool IsGenderPath(const VoString& aPath) {
    if (aPath.GetLength() < VoGesturePlayer::kFolderLength || aPath.GetAt(0) != u'/' ||
        aPath.GetAt(1) == u'/' || aPath.GetAt(3) != u'_' || aPath.GetAt(5) != u'/') {
        return false;
    }
    const char16_t letter = aPath.GetAt(VoGesturePlayer::kGenderIndex);
    return letter == u'M' || letter == u'F';
}

}  // namespace

VoGesturePlayer::VoGesturePlayer() : VoGesturePlayer(VO_NEW VoStopWatch()) {}

VoGesturePlayer::VoGesturePlayer(VoITimer* apTimer) : VoGesturePlayer(VO_NEW VoStopWatch(apTimer)) {}

VoGesturePlayer::VoGesturePlayer(VoStopWatch* apClock)
    : fKeyCount(0),
      fpKeys(nullptr),
      fPlaying(false),
      fNextKey(0),
      fCharacters(kHashShift, false),
      fLoaded(false),
      fpCurves(nullptr),
      fCurveCount(0),
      fActiveKeys(),
      fpClock(apClock),
      fPaused(false),
      fpListener(nullptr),
      fJoined(false) {}

VoGesturePlayer::~VoGesturePlayer() {
    LeaveFrames();
    Stop();
    FreeKeys();
    delete fpClock;
    fpClock = nullptr;
    fpListener = nullptr;
}

void VoGesturePlayer::FreeKeys() {
    delete[] fpKeys;
    fpKeys = nullptr;
    fKeyCount = 0;
    delete[] fpCurves;
    fpCurves = nullptr;
    fCurveCount = 0;
    fActiveKeys.Clear();
    fNextKey = 0;
}

const VoGestureKey* VoGesturePlayer::GetKey(std::int32_t aIndex) const {
    return aIndex >= 0 && aIndex < fKeyCount ? &fpKeys[aIndex] : nullptr;
}

const VoGestureCurve* VoGesturePlayer::GetCurve(std::int32_t aIndex) const {
    return aIndex >= 0 && aIndex < fCurveCount ? &fpCurves[aIndex] : nullptr;
}

bool VoGesturePlayer::AnimationPathOf(const VoString& aType, bool aFemale, VoString& aOut) {
    aOut.Clear();
    if (IsEnginePath(aType)) {
        aOut = aType;
        return true;
    }
    VoString name(aType);
    if (aType.GetLength() > 0 && aType.GetAt(0) == u'/') {
        if (aType.GetLength() < kFolderLength) {
            return false;
        }
        name = aType.SubString(kFolderLength, aType.GetLength() - kFolderLength);
    }
    aOut = VoString(u"/");
    aOut.Append(name.SubString(0, name.GetLength() < 2 ? name.GetLength() : 2));
    aOut.Append(aFemale ? u"_F/" : u"_M/");
    aOut.Append(name);
    return true;
}

VoCharacter* VoGesturePlayer::GetCharacter(const VoString& aId) {
    return static_cast<VoCharacter*>(fCharacters.Get(aId.ToLower()));
}

bool VoGesturePlayer::RemoveCharacter(const VoString& aId) {
    return fCharacters.Remove(aId.ToLower(), nullptr);
}

bool VoGesturePlayer::Load(const VoString& aPath) {
    VoPropertyList list;
    if (!list.Load(aPath, true)) {
        VO_ERROR(kReadFailure, aPath);
        return false;
    }
    return Load(&list);
}

bool VoGesturePlayer::Load(VoPropertyList* apList) {
    if (apList == nullptr) {
        return false;
    }
    // The started keys name indices of the keys being replaced.
    Stop();
    FreeKeys();
    VoPropertyList* keys = apList->GetList(VoString(kKeysKey));
    if (keys == nullptr) {
        VO_ASSERT_FAILURE(kKeysNotFound);
    }
    const std::int32_t count = keys != nullptr ? keys->GetCount() : 0;
    if (count > 0) {
        fpKeys = VO_NEW VoGestureKey[static_cast<std::size_t>(count)];
        fpCurves = VO_NEW VoGestureCurve[static_cast<std::size_t>(count)];
        if (fpKeys == nullptr || fpCurves == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            FreeKeys();
        } else {
            fKeyCount = count;
            fCurveCount = count;
        }
    }
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        ParseKey(keys->GetListAt(i), &fpKeys[i]);
    }
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        fpCurves[i].Build(fpKeys[i].GetControlPointCount(), fpKeys[i].GetControlPoints());
    }
    fLoaded = false;
    if (!LoadAnims()) {
        VO_ASSERT_FAILURE(kEmpty);
    }
    return true;
}

void VoGesturePlayer::ParseKey(VoPropertyList* apEntry, VoGestureKey* apKey) {
    if (apEntry == nullptr) {
        VO_ASSERT_FAILURE(kEmpty);
        return;
    }
    bool found = false;
    const float milliseconds = apEntry->GetFloat(VoString(kTimeKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTimeNotFound);
    }
    apKey->fTime = milliseconds / 1000.0f;
    apKey->fCharacterId = apEntry->GetString(VoString(kCharacterKey), &found).ToLower();
    if (!found) {
        VO_ASSERT_FAILURE(kCharacterNotFound);
    }
    const VoString type = apEntry->GetString(VoString(kTypeKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTypeNotFound);
    }
    const VoVectorFloat curve = apEntry->GetVectorFloat(VoString(kCurveKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kCurveNotFound);
    }

    bool parsed = true;
    VoCharacter* character = GetCharacter(apKey->fCharacterId);
    // An empty type (already reported) names no animation.
    if (type.GetLength() > 0 &&
        !AnimationPathOf(type, character != nullptr && character->IsFemale(), apKey->fAnimationPath)) {
        VO_ASSERT_FAILURE(kTypeTooShort, type);
        parsed = false;
    }

    if (curve.GetCount() >= 4) {
        const std::int32_t pairs = curve.GetCount() / 2;
        VoVector2* points = VO_NEW VoVector2[static_cast<std::size_t>(pairs)];
        if (points != nullptr) {
            for (std::int32_t p = 0; p < pairs; ++p) {
                points[p] = VoVector2(curve.GetAt(2 * p), curve.GetAt(2 * p + 1));
            }
            parsed = apKey->SetControlPoints(pairs, points) && parsed;
            delete[] points;
        } else {
            parsed = false;
        }
    } else {
        const float length =
            apKey->fAnimationPath.GetLength() > 0 ? GetAnimLength(apKey->fAnimationPath) : 0.0f;
        if (length <= 0.0f) {
            VO_ASSERT_FAILURE(kSetupCurveFailure);
            parsed = false;
        } else {
            const VoVector2 points[] = {
                VoVector2(0.0f, 0.0f),          VoVector2(0.0f, 0.0f),
                VoVector2(length, 1.0f),        VoVector2(length, 1.0f),
                VoVector2(length + 0.5f, 1.0f), VoVector2(length + 0.5f, 0.0f),
                VoVector2(length + 1.0f, 0.0f),
            };
            parsed = apKey->SetControlPoints(7, points) && parsed;
        }
    }
    if (!parsed) {
        VO_ASSERT_FAILURE(kEmpty);
    }
}

bool VoGesturePlayer::SetCharacter(const VoString& aId, VoCharacter* apCharacter) {
    const VoString id = aId.ToLower();
    if (fCharacters.IndexOf(id) >= 0) {
        VO_ASSERT_FAILURE(kDuplicateId, aId);
        return false;
    }
    // The checked add keeps the hash index sorted for the lookups that follow.
    fCharacters.Add(id, apCharacter, true);
    if (fCharacters.IndexOf(id) < 0) {
        return false;
    }
    if (apCharacter == nullptr || fKeyCount <= 0) {
        return true;
    }
    const char16_t letter = apCharacter->IsFemale() ? u'F' : u'M';
    VoGestureAnimManager* cache = fLoaded ? VoGestureAnimManager::GetInstance() : nullptr;
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    if (cache != nullptr) {
        cache->SetRoot(VoString(kAnimationRoot));
    }
    bool changed = false;
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        VoGestureKey& key = fpKeys[i];
        if (!key.fCharacterId.Equals(id) || !IsGenderPath(key.fAnimationPath) ||
            key.fAnimationPath.GetAt(kGenderIndex) == letter) {
            continue;
        }
        VoString path = key.fAnimationPath.SubString(0, kGenderIndex);
        path.Append(letter == u'F' ? u"F" : u"M");
        path.Append(key.fAnimationPath.SubString(kGenderIndex + 1,
                                                 key.fAnimationPath.GetLength() - kGenderIndex - 1));
        if (!fLoaded) {
            key.fAnimationPath = path;
            changed = true;
            continue;
        }
        // Loaded already: take the animation of the character's gender when
        // its file is there; otherwise the key keeps the one it has.
        VoString file(cache != nullptr ? cache->GetRoot() : VoString());
        file.Append(path);
        const std::uint32_t handle = cache != nullptr && files != nullptr && files->FileExists(file, true)
                                         ? cache->CreateAnimation(path)
                                         : 0;
        VoAnimation* animation = handle != 0 ? cache->GetAnimation(handle) : nullptr;
        if (animation != nullptr) {
            key.fAnimationPath = path;
            key.fpAnimation = animation;
            key.fLength = static_cast<float>(animation->GetLength());
        }
    }
    if (changed) {
        LoadAnims();
    }
    return true;
}

bool VoGesturePlayer::LoadAnims() {
    if (fLoaded) {
        return true;
    }
    if (fKeyCount <= 0) {
        VO_ASSERT_FAILURE(kKeysUndefined);
        return false;
    }
    VoGestureAnimManager* cache = VoGestureAnimManager::GetInstance();
    if (cache == nullptr) {
        return false;
    }
    cache->SetRoot(VoString(kAnimationRoot));
    bool loaded = true;
    for (std::int32_t i = 0; i < fKeyCount; ++i) {
        VoGestureKey& key = fpKeys[i];
        key.fpAnimation = nullptr;
        key.fLength = 0.0f;
        if (key.fAnimationPath.GetLength() == 0) {
            continue;
        }
        const std::uint32_t handle = cache->CreateAnimation(key.fAnimationPath);
        if (handle == 0) {
            continue;
        }
        VoAnimation* animation = cache->GetAnimation(handle);
        if (animation == nullptr) {
            VO_ASSERT_FAILURE(kCouldNotLoad, key.fAnimationPath);
            loaded = false;
            continue;
        }
        key.fpAnimation = animation;
        key.fLength = static_cast<float>(animation->GetLength());
    }
    fLoaded = true;
    return loaded;
}

float VoGesturePlayer::GetAnimLength(const VoString& aPath) {
    VoGestureAnimManager* cache = VoGestureAnimManager::GetInstance();
    if (cache == nullptr) {
        VO_ASSERT_FAILURE(kAnimLengthFailure);
        return 0.0f;
    }
    cache->SetRoot(VoString(kAnimationRoot));
    // An animation cached before the question may be playing elsewhere.
    const bool cached = cache->GetHandle(aPath) != 0;
    const std::uint32_t handle = cache->CreateAnimation(aPath);
    if (handle == 0) {
        VO_ASSERT_FAILURE(kAnimLengthFailure);
        return 0.0f;
    }
    VoAnimation* animation = cache->GetAnimation(handle);
    if (animation == nullptr) {
        VO_ASSERT_FAILURE(kAnimLengthCouldNotLoad, aPath);
        return 0.0f;
    }
    const float length = static_cast<float>(animation->GetLength());
    if (!cached) {
        cache->TryDestroy(handle);
    }
    return length;
}

void VoGesturePlayer::JoinFrames() {
    VoFrameManager* frames = fJoined ? nullptr : VoFrameManager::GetInstance();
    if (frames != nullptr && frames->AddListener(this, kFrameOrder)) {
        fJoined = true;
    }
}

void VoGesturePlayer::LeaveFrames() {
    if (!fJoined) {
        return;
    }
    fJoined = false;
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        frames->RemoveListener(this);
    }
}

void VoGesturePlayer::Play() {
    if (!fLoaded) {
        VO_ASSERT_FAILURE(kNotLoaded);
        return;
    }
    if (fpClock != nullptr) {
        if (!fPaused) {
            fpClock->Reset();
        }
        fpClock->Resume();
    }
    fPaused = false;
    JoinFrames();
    fPlaying = true;
}

void VoGesturePlayer::Pause() {
    if (fPaused) {
        return;
    }
    fPaused = true;
    if (fpClock != nullptr) {
        fpClock->Pause();
    }
    LeaveFrames();
}

void VoGesturePlayer::Stop() {
    fNextKey = 0;
    LeaveFrames();
    for (int i = 0; i < fCharacters.GetCount(); ++i) {
        auto* character = static_cast<VoCharacter*>(fCharacters.GetAt(i));
        if (VoAnimationCtrl* ctrl = character != nullptr ? character->GetAnimationCtrl() : nullptr) {
            ctrl->ClearLayers();
        }
    }
    for (std::int32_t i = 0; i < fCurveCount; ++i) {
        fpCurves[i].SetCursor(0);
    }
    // Their layers are gone; a later Play starts them anew.
    fActiveKeys.Clear();
    fPaused = false;
    fPlaying = false;
}

bool VoGesturePlayer::SetListener(VoIGestureListener* apListener) {
    if (apListener == nullptr || fpListener != nullptr) {
        return false;
    }
    fpListener = apListener;
    return true;
}

bool VoGesturePlayer::RemoveListener(VoIGestureListener* apListener) {
    if (apListener == nullptr || apListener != fpListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

void VoGesturePlayer::OnUpdate() {
    if (!fPaused) {
        UpdateAnimation();
    }
}

void VoGesturePlayer::UpdateAnimation() {
    const float now = fpClock != nullptr ? fpClock->GetElapsed() : 0.0f;

    while (fNextKey < fKeyCount && now >= fpKeys[fNextKey].fTime) {
        const std::int32_t index = fNextKey++;
        const VoGestureKey& key = fpKeys[index];
        VoCharacter* character = GetCharacter(key.fCharacterId);
        if (character == nullptr) {
            continue;
        }
        if (key.fpAnimation == nullptr) {
            VO_ASSERT_FAILURE(kAnimationNull);
            continue;
        }
        if (!character->PlayGestureAnimation(key.fpAnimation)) {
            VO_ERROR(kCouldNotStart);
            return;
        }
        fActiveKeys.Add(index);
    }

    const VoVectorInt active(fActiveKeys);
    for (int a = 0; a < active.GetCount(); ++a) {
        const std::int32_t index = active.GetAt(a);
        const VoGestureKey& key = fpKeys[index];
        VoCharacter* character = GetCharacter(key.fCharacterId);
        if (character == nullptr) {
            VO_ERROR(kCharacterGone);
            return;
        }
        float y = 0.0f;
        if (fpCurves[index].Find(now - key.fTime, &y)) {
            if (!(y >= kLowEnd)) {  // a curve of undefined values shows the start
                y = 0.0f;
            } else if (y > kHighEnd) {
                y = 1.0f;
            }
            character->SetAnimationTime(key.fpAnimation, y * key.fLength);
        } else {
            fActiveKeys.Remove(index);
            character->FinishAnimation(key.fpAnimation);
            fpCurves[index].SetCursor(0);
        }
    }

    if (fActiveKeys.GetCount() == 0 && fNextKey >= fKeyCount) {
        LeaveFrames();
        // Last: the listener may delete this player.
        if (fpListener != nullptr) {
            fpListener->OnGestureEnd();
        }
    }
}
