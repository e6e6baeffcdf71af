#include "render/VoDrawElement.h"

#include "container/VoLog.h"
#include "container/VoVector.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector4.h"
#include "memory/VoNew.h"
#include "render/VoAnimation.h"
#include "render/VoAnimationCtrl.h"
#include "render/VoAnimationTrack.h"
#include "render/VoFrame.h"
#include "render/VoIUpdateHook.h"
#include "render/VoLipSyncPlayer.h"
#include "render/VoMesh.h"
#include "stdlib/VoStopWatch.h"

namespace {

constexpr float kRotationTolerance = 0.0001f;

// Draws the frame, then each child with its own subtree, in child order.
void RenderSubtree(VoFrame* apFrame) {
    apFrame->Render();
    for (VoFrame* child = apFrame->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        RenderSubtree(child);
    }
}

// Places every child of the frame (and their subtrees) under its absolute matrix.
void PlaceChildren(VoFrame* apFrame) {
    for (VoFrame* child = apFrame->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        MatrixMultiply(&child->AbsoluteMatrix(), &child->GetRelativeMatrix(), &apFrame->GetAbsoluteMatrix());
        PlaceChildren(child);
    }
}

// The tag groups a frame name puts its frame in, as bits 0..4: the name is
// "W", one or more letters, then "_"; each tag letter before the "_" counts.
unsigned TagBitsOf(const VoString& aName) {
    const std::int32_t length = aName.GetLength();
    if (length < 3 || aName.GetAt(0) != u'W') {
        return 0;
    }
    unsigned bits = 0;
    std::int32_t i = 1;
    for (; i < length; ++i) {
        const char16_t c = aName.GetAt(i);
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (!letter) {
            break;
        }
        for (int group = 0; group < VoDrawElement::kTagGroupCount; ++group) {
            if (c == VoDrawElement::kTagLetters[group]) {
                bits |= 1u << group;
            }
        }
    }
    return i > 1 && i < length && aName.GetAt(i) == u'_' ? bits : 0;
}

}  // namespace

VoDrawElement::VoDrawElement() = default;

VoDrawElement::~VoDrawElement() {
    FreeFrames();
    delete fpAnimationCtrl;
    fpAnimationCtrl = nullptr;
    fpLipSyncPlayer = nullptr;
    delete fpUpdateHook;
    fpUpdateHook = nullptr;
}

void VoDrawElement::FreeFrames() {
    FreeTagGroups();
    delete[] fppMeshes;
    fppMeshes = nullptr;
    fMeshCount = 0;
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        delete fppFrames[i];
    }
    delete[] fppFrames;
    fppFrames = nullptr;
    fFrameCount = 0;
    fpRootFrame = nullptr;
}

void VoDrawElement::FreeTagGroups() {
    for (int group = 0; group < kTagGroupCount; ++group) {
        delete[] fpppTagGroups[group];
        fpppTagGroups[group] = nullptr;
        fTagGroupCounts[group] = 0;
    }
}

bool VoDrawElement::SetRootFrame(VoFrame* apRoot) {
    if (apRoot == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    if (apRoot == fpRootFrame) {
        return true;
    }
    VoVector frames(16, 16);
    apRoot->SetParents(nullptr);
    apRoot->CollectFrames(&frames);
    const int count = frames.GetCount();
    VoFrame** list = VO_NEW VoFrame * [static_cast<std::size_t>(count)];
    if (list == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        list[i] = static_cast<VoFrame*>(frames.GetAt(i));
    }
    FreeFrames();
    fppFrames = list;
    fFrameCount = count;
    fpRootFrame = apRoot;
    return BuildMeshList();
}

VoFrame* VoDrawElement::GetFrame(int aIndex) const {
    return aIndex >= 0 && aIndex < fFrameCount ? fppFrames[aIndex] : nullptr;
}

VoFrame* VoDrawElement::FindFrame(const VoString& aName, bool aIgnoreCase) const {
    return GetFrame(FindFrameIndex(aName, aIgnoreCase));
}

int VoDrawElement::FindFrameIndex(const VoString& aName, bool aIgnoreCase) const {
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        if (fppFrames[i]->GetName().Equals(aName, aIgnoreCase)) {
            return i;
        }
    }
    return -1;
}

VoFrame* VoDrawElement::FindFrameByHash(std::uint32_t aHash) const {
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        if (fppFrames[i]->GetFrameId() == aHash) {
            return fppFrames[i];
        }
    }
    return nullptr;
}

VoFrame* VoDrawElement::FindFrameByNameHash(const VoString& aName) const {
    return FindFrameByHash(VoFrame::HashOf(aName));
}

bool VoDrawElement::GetMeshes(int* apCount, VoMesh*** apppMeshes) const {
    if (apCount == nullptr || apppMeshes == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    if (fppFrames == nullptr) {
        VO_ASSERT_FAILURE(kFramesUndefined);
        return false;
    }
    int count = 0;
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        count += fppFrames[i]->GetMesh() != nullptr ? 1 : 0;
    }
    VoMesh** meshes = VO_NEW VoMesh * [static_cast<std::size_t>(count)];
    if (meshes == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    int next = 0;
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        if (VoMesh* mesh = fppFrames[i]->GetMesh()) {
            meshes[next++] = mesh;
        }
    }
    *apCount = count;
    *apppMeshes = meshes;
    return true;
}

bool VoDrawElement::BuildMeshList() {
    int count = 0;
    VoMesh** meshes = nullptr;
    if (!GetMeshes(&count, &meshes)) {
        return false;
    }
    delete[] fppMeshes;
    fppMeshes = meshes;
    fMeshCount = count;
    return true;
}

VoMesh* VoDrawElement::GetMesh(int aIndex) const {
    return aIndex >= 0 && aIndex < fMeshCount ? fppMeshes[aIndex] : nullptr;
}

bool VoDrawElement::BuildTagGroups() {
    FreeTagGroups();
    int counts[kTagGroupCount] = {};
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        const unsigned bits = TagBitsOf(fppFrames[i]->GetName());
        for (int group = 0; group < kTagGroupCount; ++group) {
            counts[group] += (bits >> group) & 1u;
        }
    }
    for (int group = 0; group < kTagGroupCount; ++group) {
        if (counts[group] == 0) {
            continue;
        }
        fpppTagGroups[group] = VO_NEW VoFrame * [static_cast<std::size_t>(counts[group])];
        if (fpppTagGroups[group] == nullptr) {
            FreeTagGroups();
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
    }
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        const unsigned bits = TagBitsOf(fppFrames[i]->GetName());
        for (int group = 0; group < kTagGroupCount; ++group) {
            if (((bits >> group) & 1u) != 0) {
                fpppTagGroups[group][fTagGroupCounts[group]++] = fppFrames[i];
            }
        }
    }
    return true;
}

int VoDrawElement::GetTagGroupCount(int aGroup) const {
    return aGroup >= 0 && aGroup < kTagGroupCount ? fTagGroupCounts[aGroup] : 0;
}

VoFrame* VoDrawElement::GetTagGroupFrame(int aGroup, int aIndex) const {
    if (aIndex < 0 || aIndex >= GetTagGroupCount(aGroup)) {
        return nullptr;
    }
    return fpppTagGroups[aGroup][aIndex];
}

void VoDrawElement::SetAnimationCtrl(VoAnimationCtrl* apCtrl) {
    if (apCtrl != fpAnimationCtrl) {
        delete fpAnimationCtrl;
        fpAnimationCtrl = apCtrl;
    }
}

bool VoDrawElement::SetUpdateHook(VoIUpdateHook* apHook) {
    if (apHook == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    if (apHook != fpUpdateHook) {
        delete fpUpdateHook;
        fpUpdateHook = apHook;
    }
    return true;
}

bool VoDrawElement::Render() {
    if (fRenderMode == kRenderTree) {
        if (fpRootFrame != nullptr) {
            RenderSubtree(fpRootFrame);
        }
        return true;
    }
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        fppFrames[i]->Render();
    }
    return true;
}

bool VoDrawElement::Update(const VoMatrix* apParent) {
    if (fpAnimationCtrl != nullptr) {
        VoStopWatch* clock = fpAnimationCtrl->GetStopWatch();
        fpAnimationCtrl->Update(clock != nullptr ? clock->GetElapsed() : fpAnimationCtrl->GetLastTime());
        if (fpUpdateHook != nullptr) {
            fpUpdateHook->Update();
        }
        ApplyAnimations();
    }
    if (fpLipSyncPlayer != nullptr) {
        UpdateLipSync();
    }
    if (fpRootFrame != nullptr) {
        if (apParent != nullptr) {
            MatrixMultiply(&fpRootFrame->AbsoluteMatrix(), &fpRootFrame->GetRelativeMatrix(), apParent);
        } else {
            fpRootFrame->SetAbsoluteMatrix(fpRootFrame->GetRelativeMatrix());
        }
        PlaceChildren(fpRootFrame);
    }
    return true;
}

void VoDrawElement::UpdateLipSync() {
    fpLipSyncPlayer->Update();
}

void VoDrawElement::ApplyAnimations() {
    if (fpAnimationCtrl == nullptr) {
        return;
    }
    for (std::int32_t i = 0; i < fFrameCount; ++i) {
        fppFrames[i]->SetRelativeMatrix(fppFrames[i]->GetFileMatrix());
    }
    for (int index = 0; index < VoAnimationCtrl::kSlotCount; ++index) {
        VoAnimationSlot* slot = fpAnimationCtrl->GetSlot(index);
        if (slot == nullptr || slot->IsEmpty() || !slot->fpAnimation->HasFrames()) {
            continue;
        }
        const std::int32_t key = slot->SampleKeyIndex();
        if (key >= 0) {
            ApplySlot(index, *slot, key);
        }
    }
}

void VoDrawElement::ApplySlot(int aSlotIndex, VoAnimationSlot& aSlot, std::int32_t aKey) {
    const VoAnimation* animation = aSlot.fpAnimation;
    const float weight = aSlot.fWeight;
    const std::uint32_t biped = VoAnimationTrack::GetBipedHash();
    const std::uint32_t tracks = animation->GetTrackCount();
    for (std::uint32_t t = 0; t < tracks; ++t) {
        const VoAnimationTrack* track = animation->GetTrack(t);
        VoFrame* frame = track != nullptr ? FindFrameByHash(track->GetHash()) : nullptr;
        const std::int32_t key = frame != nullptr ? track->ClampKey(aKey) : -1;
        if (key < 0) {
            continue;
        }
        VoMatrix& relative = frame->RelativeMatrix();
        VoVector3 rows[3];
        float scale[3];
        for (int r = 0; r < 3; ++r) {
            rows[r].Set(relative.m[r][0], relative.m[r][1], relative.m[r][2]);
            scale[r] = rows[r].Length();
            rows[r].NormalizeInPlace(kRotationTolerance);
        }
        const VoVector3 current(relative.m[3][0], relative.m[3][1], relative.m[3][2]);

        VoMatrix rotation;
        MatrixIdentity(&rotation);
        for (int r = 0; r < 3; ++r) {
            rotation.m[r][0] = rows[r].x;
            rotation.m[r][1] = rows[r].y;
            rotation.m[r][2] = rows[r].z;
        }
        if (const VoQuaternion* keyRotation = track->GetRotationKey(key)) {
            VoQuaternion q;
            if (aSlotIndex == 0) {
                q = *keyRotation;
            } else {
                VoQuaternion from;
                QuaternionRotationMatrix(&from, &rotation);
                from.NormalizeInPlace(kRotationTolerance);
                QuaternionSlerp(&q, &from, keyRotation, weight);
            }
            q.NormalizeInPlace(kRotationTolerance);
            MatrixRotationQuaternion(&rotation, &q);
        }

        VoVector3 translation = current;
        if (frame->GetFrameId() == biped) {
            if (const VoVector3* keyPosition = track->GetPositionKey(key)) {
                translation =
                    aSlotIndex == 0 ? *keyPosition : *keyPosition * weight + current * (1.0f - weight);
            }
        }

        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                relative.m[r][c] = scale[r] * rotation.m[r][c];
            }
            relative.m[r][3] = 0.0f;
        }
        relative.m[3][0] = translation.x;
        relative.m[3][1] = translation.y;
        relative.m[3][2] = translation.z;
        relative.m[3][3] = 1.0f;
    }
}
