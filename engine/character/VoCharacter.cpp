#include "character/VoCharacter.h"

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationSlot.h"
#include "character/VoLipSyncPlayer.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "navigation/VoISteering.h"
#include "scene/VoDrawElement.h"
#include "scene/VoShadowVolume.h"
#include "scene/VoShadowVolumeCache.h"
#include "stdlib/VoMemoryStream.h"

namespace {

constexpr const char16_t* kMeshKey = u"mesh";
constexpr const char16_t* kTypeKey = u"type";
constexpr const char16_t* kGenderKey = u"gender";
constexpr const char16_t* kHeadTypeKey = u"headtype";
constexpr const char16_t* kAnimationsKey = u"animations";
constexpr const char16_t* kIdleKey = u"idle";
constexpr const char16_t* kMoveKey = u"move";
constexpr const char16_t* kFileKey = u"file";
constexpr const char16_t* kMoveSpeedKey = u"movespeed";

bool EndsInOne(const VoString& aName) {
    return aName.GetLength() > 0 && aName.GetAt(aName.GetLength() - 1) == u'1';
}

// a x b.
VoVector3 Cross(const VoVector3& aA, const VoVector3& aB) {
    return VoVector3(aA.y * aB.z - aA.z * aB.y, aA.z * aB.x - aA.x * aB.z, aA.x * aB.y - aA.y * aB.x);
}

float Dot(const VoVector3& aA, const VoVector3& aB) {
    return aA.x * aB.x + aA.y * aB.y + aA.z * aB.z;
}

}  // namespace

VoCharacter::VoCharacter() : fDirection(0.0f, 0.0f, 1.0f), fPosition(0.0f, 0.0f, 0.0f) {
    MatrixIdentity(&fTranslation);
    MatrixIdentity(&fRotation);
    MatrixIdentity(&fWorld);
}

VoCharacter::~VoCharacter() {
    DropLipSync();
    delete fpIdleAnimation;
    fpIdleAnimation = nullptr;
    for (int i = 0; i < fMoveCount; ++i) {
        delete fpMoves[i].fpAnimation;
    }
    delete[] fpMoves;
    fpMoves = nullptr;
    fMoveCount = 0;
    delete fpShadows;
    fpShadows = nullptr;
    fpSteering = nullptr;
}

VoDrawElement* VoCharacter::GetDrawElement() const {
    VoVector& elements = const_cast<VoCharacter*>(this)->GetElements();
    return elements.GetCount() > 0 ? static_cast<VoDrawElement*>(elements.GetAt(0)) : nullptr;
}

bool VoCharacter::LoadModel(VoDrawElement* apElement, const VoString& aPath) {
    return apElement->LoadFile(aPath, true);
}

bool VoCharacter::Create(VoPropertyList* apFile, const VoString* apShadowPath) {
    if (apFile == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool found = false;
    const VoString mesh = apFile->GetString(VoString(kMeshKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMeshNotFound);
    }
    VoString path(kMeshRoot);
    path.Append(mesh);

    // A model that did not load is not kept: the character stays without one.
    DropLipSync();
    delete fpShadows;
    fpShadows = nullptr;
    fShadowsEnabled = false;
    VoVector& elements = GetElements();
    while (elements.GetCount() > 0) {
        VoDrawElement* old = static_cast<VoDrawElement*>(elements.GetAt(0));
        RemoveElement(old);
        delete old;
    }
    VoDrawElement* element = VO_NEW VoDrawElement();
    if (element == nullptr || !LoadModel(element, path)) {
        delete element;
        VO_ASSERT_FAILURE(kModelFailure, path);
        return false;
    }
    AddElement(element);
    element->SetAnimationCtrl(VO_NEW VoAnimationCtrl());
    fPlayer = false;

    if (apShadowPath != nullptr) {
        fpShadows = VO_NEW VoShadowVolumeCache(element);
        if (fpShadows != nullptr) {
            fpShadows->Load(*apShadowPath);
        }
        fShadowsEnabled = true;
    }

    const VoString type = apFile->GetString(VoString(kTypeKey), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTypeNotFound);
    }
    fPlayer = type.EqualsNoCase(kPlayerType);
    fFemale = apFile->GetString(VoString(kGenderKey), nullptr).EqualsNoCase(kFemaleGender);
    fHeadType = apFile->GetString(VoString(kHeadTypeKey), &found);
    if (!found) {
        fHeadType = VoString(kDefaultHeadType);
    }
    return LoadAnimations(apFile->GetList(VoString(kAnimationsKey)));
}

VoAnimation* VoCharacter::LoadAnimation(const VoString& aFile) {
    VoString path(kAnimationRoot);
    path.Append(aFile);
    VoAnimation* animation = VO_NEW VoAnimation();
    if (animation == nullptr) {
        return nullptr;
    }
    VoMemoryStream stream(VoAnimation::kLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(path, true)) {
        VO_ASSERT_FAILURE(kAnimationFileFailure);
        return animation;
    }
    if (EndsInOne(path)) {
        animation->Read(&stream);
    } else {
        animation->Read(&stream, path);
    }
    return animation;
}

bool VoCharacter::LoadAnimations(VoPropertyList* apAnimations) {
    if (apAnimations == nullptr) {
        VO_ASSERT_FAILURE(kAnimationsNotFound);
        return false;
    }
    bool found = false;
    VoPropertyList* idle = apAnimations->GetList(VoString(kIdleKey));
    if (idle == nullptr) {
        VO_ASSERT_FAILURE(kIdleNotFound);
    }
    const int idleCount = idle != nullptr ? idle->GetCount() : 0;
    if (idleCount != 1) {
        VO_ASSERT_FAILURE(kIdleCount);
    }
    for (int i = 0; i < idleCount; ++i) {
        VoPropertyList* entry = idle->GetListAt(i);
        const VoString file = entry != nullptr ? entry->GetString(VoString(kFileKey), &found) : VoString();
        if (entry == nullptr || !found) {
            VO_ASSERT_FAILURE(kFileNotFound);
        }
        VoAnimation* animation = LoadAnimation(file);
        if (animation != nullptr) {
            SetIdleAnimation(animation);
        }
    }

    VoPropertyList* move = apAnimations->GetList(VoString(kMoveKey));
    if (move == nullptr) {
        VO_ASSERT_FAILURE(kMoveNotFound);
    }
    const int moveCount = move != nullptr ? move->GetCount() : 0;
    FreeMoves();
    if (moveCount > 0) {
        fpMoves = VO_NEW MoveRecord[static_cast<std::size_t>(moveCount)]();
        if (fpMoves == nullptr) {
            VO_ERROR(kCouldNotAllocate);
            return true;
        }
        fMoveCount = moveCount;
    }
    for (int i = 0; i < moveCount; ++i) {
        VoPropertyList* entry = move->GetListAt(i);
        const VoString file = entry != nullptr ? entry->GetString(VoString(kFileKey), &found) : VoString();
        if (entry == nullptr || !found) {
            VO_ASSERT_FAILURE(kFileNotFound);
        }
        fpMoves[i].fpAnimation = LoadAnimation(file);
        fpMoves[i].fSpeed = entry != nullptr ? entry->GetFloat(VoString(kMoveSpeedKey), &found) : 0.0f;
        if (entry == nullptr || !found) {
            VO_ASSERT_FAILURE(kMoveSpeedNotFound);
        }
    }
    return true;
}

bool VoCharacter::CreateShadow() {
    VoDrawElement* element = GetDrawElement();
    if (element == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    if (fpShadows == nullptr) {
        fpShadows = VO_NEW VoShadowVolumeCache(element);
        if (fpShadows == nullptr) {
            return false;
        }
    }
    return fpShadows->Build();
}

bool VoCharacter::Render() {
    return fVisible ? VoLipSyncNode::Render() : true;
}

bool VoCharacter::SetVisible(bool aVisible) {
    fVisible = aVisible;
    return true;
}

bool VoCharacter::Update(const VoMatrix* apParent) {
    return fVisible ? VoLipSyncNode::Update(apParent) : true;
}

bool VoCharacter::UpdateSkin() {
    return fVisible ? VoLipSyncNode::UpdateSkin() : true;
}

bool VoCharacter::UpdateTransform() {
    if (!fVisible) {
        return true;
    }
    if (fDirection.x == 0.0f && fDirection.y == 0.0f && fDirection.z == 0.0f) {
        fDirection.Set(0.0f, 0.0f, 1.0f);
    }
    MatrixIdentity(&fTranslation);
    fTranslation.m[3][0] = fPosition.x;
    fTranslation.m[3][1] = fPosition.y;
    fTranslation.m[3][2] = fPosition.z;
    const VoVector3 eye(0.0f, 0.0f, 0.0f);
    const VoVector3 at(fDirection.x, fDirection.y, -fDirection.z);
    const VoVector3 up(0.0f, 1.0f, 0.0f);
    MatrixLookAt(&fRotation, &eye, &at, &up);
    MatrixMultiply(&fWorld, &fRotation, &fTranslation);
    VoLipSyncNode::Update(&fWorld);
    return true;
}

bool VoCharacter::UpdateSteering() {
    if (!fVisible) {
        return true;
    }
    if (!fSteeringStarted) {
        fSteeringStarted = true;
        if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
            if (fpIdleAnimation != nullptr) {
                ctrl->SetAnimation(fpIdleAnimation, false, 0.0f, kBlendRate, kIdleFlags, 1.0f);
            }
        }
    }
    if (fpSteering == nullptr) {
        return false;
    }
    VoVector3 ground = fPosition;
    ground.Set(fPosition.x, fPosition.z, fPosition.y);
    fpSteering->GetPosition(&ground);
    fPosition.Set(ground.x, ground.z, ground.y);
    const VoVector3& facing = fpSteering->GetDirection();
    fDirection.Set(facing.x, facing.z, facing.y);
    return true;
}

bool VoCharacter::SetSteering(VoISteering* apSteering) {
    if (apSteering == nullptr) {
        VO_ASSERT_FAILURE(kSetSteeringNull);
        return false;
    }
    fpSteering = apSteering;
    return true;
}

VoAnimationCtrl* VoCharacter::GetAnimationCtrl() {
    VoDrawElement* element = GetDrawElement();
    return element != nullptr ? element->GetAnimationCtrl() : nullptr;
}

VoAnimationSlot* VoCharacter::GetAnimationSlot(int aIndex) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl == nullptr || aIndex < 0 || aIndex >= VoAnimationCtrl::kSlotCount) {
        return nullptr;
    }
    return ctrl->GetSlot(aIndex);
}

bool VoCharacter::SetAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    return ctrl != nullptr && ctrl->SetAnimation(apAnimation, false, 0.0f, kBlendRate, kPrimaryFlags, 1.0f);
}

bool VoCharacter::PlayGestureAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (ctrl == nullptr) {
        return false;
    }
    ctrl->SetAnimation(apAnimation, true, 0.0f, kBlendRate, kGestureFlags, 1.0f);
    fGesturePlaying = true;
    return true;
}

bool VoCharacter::FinishAnimation(VoAnimation* apAnimation) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = ctrl != nullptr && apAnimation != nullptr ? ctrl->FindSlot(apAnimation) : nullptr;
    if (slot == nullptr) {
        return false;
    }
    slot->fEnded = 1;
    return true;
}

bool VoCharacter::SetAnimationTime(VoAnimation* apAnimation, float aTime) {
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    VoAnimationSlot* slot = ctrl != nullptr && apAnimation != nullptr ? ctrl->FindSlot(apAnimation) : nullptr;
    if (slot == nullptr) {
        return false;
    }
    slot->SetTime(aTime, false);
    return true;
}

void VoCharacter::DropAnimation(VoAnimation* apAnimation) {
    if (apAnimation == nullptr) {
        return;
    }
    if (VoAnimationCtrl* ctrl = GetAnimationCtrl()) {
        while (ctrl->RemoveAnimation(apAnimation)) {
        }
    }
    delete apAnimation;
}

bool VoCharacter::SetIdleAnimation(VoAnimation* apAnimation) {
    if (apAnimation != fpIdleAnimation) {
        DropAnimation(fpIdleAnimation);
        fpIdleAnimation = apAnimation;
    }
    return true;
}

void VoCharacter::FreeMoves() {
    for (int i = 0; i < fMoveCount; ++i) {
        DropAnimation(fpMoves[i].fpAnimation);
    }
    delete[] fpMoves;
    fpMoves = nullptr;
    fMoveCount = 0;
}

bool VoCharacter::SetMoveAnimations(int aCount, VoAnimation** appAnimations, const float* apSpeeds) {
    if (aCount < 0 || (aCount > 0 && (appAnimations == nullptr || apSpeeds == nullptr))) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    MoveRecord* moves = aCount > 0 ? VO_NEW MoveRecord[static_cast<std::size_t>(aCount)]() : nullptr;
    if (aCount > 0 && moves == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (int i = 0; i < aCount; ++i) {
        moves[i].fpAnimation = appAnimations[i];
        moves[i].fSpeed = apSpeeds[i];
    }
    FreeMoves();
    fpMoves = moves;
    fMoveCount = aCount;
    return true;
}

VoAnimation* VoCharacter::GetMoveAnimation(int aIndex) {
    if (aIndex < 1 || aIndex > fMoveCount) {
        VO_ASSERT_FAILURE(kInvalidMoveIndex, static_cast<std::int32_t>(aIndex));
        return nullptr;
    }
    return fpMoves[aIndex - 1].fpAnimation;
}

float VoCharacter::GetMoveSpeed(int aIndex) {
    if (aIndex < 1 || aIndex > fMoveCount) {
        VO_ASSERT_FAILURE(kInvalidMoveIndex, static_cast<std::int32_t>(aIndex));
        return 0.0f;
    }
    return fpMoves[aIndex - 1].fSpeed;
}

bool VoCharacter::PlayMoveAnimation(int aIndex, float aWeight, float aRate, std::uint32_t aFlags,
                                    float aSpeed) {
    VoAnimation* animation = GetMoveAnimation(aIndex);
    VoAnimationCtrl* ctrl = GetAnimationCtrl();
    if (animation == nullptr || ctrl == nullptr) {
        return false;
    }
    return ctrl->SetAnimation(animation, false, aWeight, aRate, aFlags, aSpeed);
}

bool VoCharacter::IsInTriangleBounds(const float* apTriangle, const float* apPoint) {
    if (apTriangle == nullptr || apPoint == nullptr) {
        return false;
    }
    float minX = apTriangle[0];
    float maxX = apTriangle[0];
    float minZ = apTriangle[2];
    float maxZ = apTriangle[2];
    for (int corner = 1; corner < 3; ++corner) {
        const float x = apTriangle[corner * 3];
        const float z = apTriangle[corner * 3 + 2];
        minX = x < minX ? x : minX;
        maxX = x > maxX ? x : maxX;
        minZ = z < minZ ? z : minZ;
        maxZ = z > maxZ ? z : maxZ;
    }
    return apPoint[0] >= minX && apPoint[0] <= maxX && apPoint[2] >= minZ && apPoint[2] <= maxZ;
}

bool VoCharacter::IsInTriangle(const float* apTriangle, const float* apPoint) {
    if (apTriangle == nullptr || apPoint == nullptr) {
        return false;
    }
    const VoVector3 point(apPoint[0], apPoint[1], apPoint[2]);
    VoVector3 crosses[3];
    for (int edge = 0; edge < 3; ++edge) {
        const float* from = apTriangle + edge * 3;
        const float* to = apTriangle + ((edge + 1) % 3) * 3;
        const VoVector3 start(from[0], from[1], from[2]);
        const VoVector3 along(to[0] - from[0], to[1] - from[1], to[2] - from[2]);
        crosses[edge] = Cross(along, start - point);
    }
    return Dot(crosses[0], crosses[1]) >= 0.0f && Dot(crosses[1], crosses[2]) >= 0.0f &&
           Dot(crosses[2], crosses[0]) >= 0.0f;
}

void VoCharacter::DropLipSync() {
    if (fpLipSync == nullptr) {
        return;
    }
    VoDrawElement* element = GetDrawElement();
    if (element != nullptr && element->GetLipSyncPlayer() == fpLipSync) {
        element->SetLipSyncPlayer(nullptr);
    }
    delete fpLipSync;
    fpLipSync = nullptr;
}

bool VoCharacter::LoadLipSync(const VoString& aDataPath, const VoString& aPoseDirectory) {
    DropLipSync();
    VoDrawElement* element = GetDrawElement();
    VoLipSyncPlayer* player = VO_NEW VoLipSyncPlayer();
    const bool loaded = player != nullptr && player->LoadData(false, aDataPath, true);
    // Without a model there is no face to pose: no player either.
    if (!loaded || element == nullptr) {
        delete player;
        if (element != nullptr) {
            element->SetLipSyncPlayer(nullptr);
        }
        return false;
    }
    player->LoadAnimations(aPoseDirectory, true);
    player->SetDrawElement(element);
    element->SetLipSyncPlayer(player);
    fpLipSync = player;
    return true;
}

bool VoCharacter::PlayLipSync() {
    if (fpLipSync == nullptr) {
        return false;
    }
    fpLipSync->Play();
    return true;
}

bool VoCharacter::StopLipSync() {
    if (fpLipSync == nullptr) {
        return false;
    }
    fpLipSync->Stop();
    DropLipSync();
    return true;
}

int VoCharacter::GetShadowCount() const {
    return fpShadows != nullptr ? fpShadows->GetCount() : 0;
}

VoShadowVolume* VoCharacter::GetShadowVolume(int aIndex) const {
    return fpShadows != nullptr ? fpShadows->GetVolume(aIndex) : nullptr;
}

bool VoCharacter::RenderShadow(float aArgument) {
    if (!fVisible || !fShadowsEnabled) {
        return true;
    }
    bool rendered = true;
    for (int i = 0; i < GetShadowCount(); ++i) {
        rendered = GetShadowVolume(i)->Render(aArgument) && rendered;
    }
    return rendered;
}

bool VoCharacter::UpdateShadow(const VoLight* apLight, VoCamera* apCamera) {
    if (!fVisible || !fShadowsEnabled) {
        return true;
    }
    bool updated = true;
    for (int i = 0; i < GetShadowCount(); ++i) {
        VoShadowVolume* volume = GetShadowVolume(i);
        updated = volume->Update(apLight, true) && updated;
        updated = volume->BuildGeometry(apCamera) && updated;
    }
    return updated;
}
