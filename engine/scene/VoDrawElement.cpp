#include "scene/VoDrawElement.h"

#include <algorithm>

#include "animation/VoAnimation.h"
#include "animation/VoAnimationCtrl.h"
#include "animation/VoAnimationTrack.h"
#include "container/VoLog.h"
#include "container/VoVector.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoVector4.h"
#include "memory/VoNew.h"
#include "scene/VoFrame.h"
#include "scene/VoILipSyncHook.h"
#include "scene/VoIUpdateHook.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshFile.h"
#include "stdlib/VoIStream.h"
#include "stdlib/VoMemoryStream.h"
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

// The frames of a raw file while they load: owned here (deleted with the
// list) until Release hands them on, with the sibling and child numbers the
// file gave each.
class RawFrames {
public:
    explicit RawFrames(std::int32_t aCount) : fCount(aCount) {
        if (aCount > 0) {
            fppFrames = VO_NEW VoFrame* [static_cast<std::size_t>(aCount)]();
            fpSiblings = VO_NEW std::uint32_t[static_cast<std::size_t>(aCount)]();
            fpChildren = VO_NEW std::uint32_t[static_cast<std::size_t>(aCount)]();
            fpEntered = VO_NEW bool[static_cast<std::size_t>(aCount)]();
        }
    }
    ~RawFrames() {
        if (fppFrames != nullptr) {
            for (std::int32_t i = 0; i < fCount; ++i) {
                delete fppFrames[i];
            }
        }
        delete[] fppFrames;
        delete[] fpSiblings;
        delete[] fpChildren;
        delete[] fpEntered;
    }
    RawFrames(const RawFrames&) = delete;
    RawFrames& operator=(const RawFrames&) = delete;

    bool IsAllocated() const {
        return fCount == 0 || (fppFrames != nullptr && fpSiblings != nullptr && fpChildren != nullptr &&
                               fpEntered != nullptr);
    }

    bool LoadFrame(VoIStream* apStream, std::int32_t aIndex) {
        fppFrames[aIndex] = VO_NEW VoFrame();
        return fppFrames[aIndex] != nullptr &&
               fppFrames[aIndex]->Load(apStream, &fpSiblings[aIndex], &fpChildren[aIndex]);
    }

    // The root at the origin with unit rows, the others moved with it.
    void PlaceRoot() {
        VoFrame* root = fppFrames[0];
        const VoMatrix& absolute = root->GetAbsoluteMatrix();
        const float t[3] = {absolute.m[3][0], absolute.m[3][1], absolute.m[3][2]};
        for (std::int32_t i = 1; i < fCount; ++i) {
            VoMatrix& other = fppFrames[i]->AbsoluteMatrix();
            for (int c = 0; c < 3; ++c) {
                other.m[3][c] -= t[c];
            }
        }
        VoMatrix* matrices[] = {&root->FileMatrix(), &root->RelativeMatrix(), &root->AbsoluteMatrix()};
        for (VoMatrix* matrix : matrices) {
            for (int r = 0; r < 3; ++r) {
                VoVector3 row(matrix->m[r][0], matrix->m[r][1], matrix->m[r][2]);
                Vec3Normalize(&row, &row);
                matrix->m[r][0] = row.x;
                matrix->m[r][1] = row.y;
                matrix->m[r][2] = row.z;
            }
            matrix->m[3][0] = 0.0f;
            matrix->m[3][1] = 0.0f;
            matrix->m[3][2] = 0.0f;
        }
    }

    // Every frame's matrix offered to every skinned mesh by frame number.
    void BindSkins() {
        for (std::int32_t i = 0; i < fCount; ++i) {
            VoMesh* mesh = fppFrames[i]->GetMesh();
            if (mesh == nullptr || mesh->GetMeshType() != VoMesh::kSkinnedMesh) {
                continue;
            }
            for (std::int32_t j = 0; j < fCount; ++j) {
                mesh->SetBoneFrame(fppFrames[j]->GetFrameNumber(), fppFrames[j]->GetName(),
                                   &fppFrames[j]->GetAbsoluteMatrix());
            }
        }
    }

    // Sibling and child links by number, refusing those that would give a
    // frame a second way in or close a loop. False when memory runs out.
    bool ResolveLinks() {
        if (fCount == 0) {
            return true;
        }
        Numbered* sorted = VO_NEW Numbered[static_cast<std::size_t>(fCount)];
        std::int32_t* trees = VO_NEW std::int32_t[static_cast<std::size_t>(fCount)];
        if (sorted == nullptr || trees == nullptr) {
            delete[] sorted;
            delete[] trees;
            return false;
        }
        for (std::int32_t i = 0; i < fCount; ++i) {
            sorted[i] = Numbered{fppFrames[i]->GetFrameNumber(), i};
            trees[i] = i;
        }
        std::sort(sorted, sorted + fCount, [](const Numbered& aA, const Numbered& aB) {
            return aA.number != aB.number ? aA.number < aB.number : aA.index < aB.index;
        });
        // The root has no way in.
        fpEntered[0] = true;
        for (std::int32_t i = 0; i < fCount; ++i) {
            const std::int32_t sibling = FindNumbered(sorted, fpSiblings[i], i);
            if (sibling >= 0 && Link(trees, i, sibling)) {
                fppFrames[i]->SetNextSibling(fppFrames[sibling]);
            }
            const std::int32_t child = FindNumbered(sorted, fpChildren[i], i);
            if (child >= 0 && Link(trees, i, child)) {
                fppFrames[i]->SetFirstChild(fppFrames[child]);
            }
        }
        fpEntered[0] = false;
        delete[] sorted;
        delete[] trees;
        return true;
    }

    // Whether no frame lies deeper than the walks may recurse, counting
    // child levels from each tree's top.
    bool DepthFits() const {
        if (fCount == 0) {
            return true;
        }
        VoFrame** frames = VO_NEW VoFrame * [static_cast<std::size_t>(fCount)];
        std::int32_t* depths = VO_NEW std::int32_t[static_cast<std::size_t>(fCount)];
        bool fits = frames != nullptr && depths != nullptr;
        for (std::int32_t top = 0; fits && top < fCount; ++top) {
            if (fpEntered[top]) {
                continue;
            }
            std::int32_t pending = 0;
            frames[pending] = fppFrames[top];
            depths[pending++] = 0;
            while (fits && pending > 0) {
                --pending;
                VoFrame* frame = frames[pending];
                const std::int32_t depth = depths[pending];
                if (depth >= VoMeshFile::kMaxFrameDepth) {
                    fits = false;
                    break;
                }
                // Every frame has one way in, so each is pushed once.
                if (frame->GetNextSibling() != nullptr) {
                    frames[pending] = frame->GetNextSibling();
                    depths[pending++] = depth;
                }
                if (frame->GetFirstChild() != nullptr) {
                    frames[pending] = frame->GetFirstChild();
                    depths[pending++] = depth + 1;
                }
            }
        }
        delete[] frames;
        delete[] depths;
        return fits;
    }

    // Parent links down every tree.
    void SetParents() {
        for (std::int32_t i = 0; i < fCount; ++i) {
            if (i == 0 || !fpEntered[i]) {
                fppFrames[i]->SetParents(nullptr);
            }
        }
    }

    // The list and its frames, for the element to own.
    VoFrame** Release() {
        VoFrame** frames = fppFrames;
        fppFrames = nullptr;
        return frames;
    }

private:
    struct Numbered {
        std::uint32_t number;
        std::int32_t index;
    };

    // The last frame other than aSelf that carries aNumber, or -1.
    std::int32_t FindNumbered(const Numbered* apSorted, std::uint32_t aNumber, std::int32_t aSelf) const {
        const Numbered* end = std::upper_bound(
            apSorted, apSorted + fCount, aNumber,
            [](std::uint32_t aValue, const Numbered& aEntry) { return aValue < aEntry.number; });
        for (const Numbered* entry = end; entry != apSorted && (entry - 1)->number == aNumber; --entry) {
            if ((entry - 1)->index != aSelf) {
                return (entry - 1)->index;
            }
        }
        return -1;
    }

    static std::int32_t TopOf(std::int32_t* apTrees, std::int32_t aIndex) {
        while (apTrees[aIndex] != aIndex) {
            apTrees[aIndex] = apTrees[apTrees[aIndex]];
            aIndex = apTrees[aIndex];
        }
        return aIndex;
    }

    // Links aFrom to aTo unless aTo has a way in already or tops aFrom's
    // own tree (a loop); a refusal is logged.
    bool Link(std::int32_t* apTrees, std::int32_t aFrom, std::int32_t aTo) {
        if (fpEntered[aTo] || TopOf(apTrees, aFrom) == aTo) {
            VO_ASSERT_FAILURE(VoDrawElement::kLinkRefused, fppFrames[aFrom]->GetName());
            return false;
        }
        fpEntered[aTo] = true;
        apTrees[aTo] = TopOf(apTrees, aFrom);
        return true;
    }

    std::int32_t fCount;
    VoFrame** fppFrames = nullptr;  // owned with the frames until Release
    std::uint32_t* fpSiblings = nullptr;
    std::uint32_t* fpChildren = nullptr;
    bool* fpEntered = nullptr;  // whether some frame links to it
};

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

void VoDrawElement::ReplaceFrames(VoFrame** appFrames, std::int32_t aCount, VoFrame* apRoot) {
    FreeFrames();
    fppFrames = appFrames;
    fFrameCount = appFrames != nullptr ? aCount : 0;
    fpRootFrame = apRoot;
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
    ReplaceFrames(list, count, apRoot);
    return BuildMeshList();
}

bool VoDrawElement::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool hasRoot = false;
    if (!apStream->ReadBool(&hasRoot)) {
        VO_ERROR(kReadFailure);
        return false;
    }
    if (hasRoot) {
        VoFrame* root = VO_NEW VoFrame();
        if (root == nullptr || !root->Read(apStream)) {
            delete root;
            VO_ERROR(kReadFailure);
            return false;
        }
        SetRootFrame(root);
    }
    if (!BuildMeshList()) {
        VO_ASSERT_FAILURE("");
    }
    return true;
}

bool VoDrawElement::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool written = apStream->WriteBool(fpRootFrame != nullptr);
    if (fpRootFrame != nullptr) {
        written = fpRootFrame->Write(apStream) && written;
    }
    return written;
}

bool VoDrawElement::Load(VoIStream* apStream, std::int32_t aRenderMode) {
    if (apStream == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    unsigned char header[kRawHeaderBytes];
    std::int32_t count = 0;
    std::int32_t unused = 0;
    if (!apStream->Read(kRawHeaderBytes, header) || !apStream->ReadInt(&count) ||
        !apStream->ReadInt(&unused)) {
        VO_ERROR(kLoadFailure);
        return false;
    }
    if (fppFrames != nullptr) {
        VO_ASSERT_FAILURE("");
    }
    if (!VoMeshFile::CountFits(apStream, count, VoMeshFile::kMinRawFrameBytes)) {
        VO_ERROR(kLoadFailure);
        return false;
    }
    RawFrames frames(count);
    if (!frames.IsAllocated()) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        if (!frames.LoadFrame(apStream, i)) {
            VO_ERROR(kLoadFailure);
            return false;
        }
    }
    if (count > 0) {
        frames.PlaceRoot();
        frames.BindSkins();
        if (!frames.ResolveLinks()) {
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
        if (!frames.DepthFits()) {
            VO_ERROR(kTooDeep);
            return false;
        }
        frames.SetParents();
    }
    VoFrame** list = frames.Release();
    ReplaceFrames(list, count, list != nullptr ? list[0] : nullptr);
    fRenderMode = aRenderMode;
    if (aRenderMode == kRenderList) {
        BuildTagGroups();
    }
    if (!BuildMeshList()) {
        VO_ASSERT_FAILURE("");
    }
    return true;
}

bool VoDrawElement::LoadFile(const VoString& aPath, bool aMapToNative) {
    VoMemoryStream stream(kLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(aPath, aMapToNative)) {
        VO_ERROR(kFileNotFound, aPath);
        return false;
    }
    return VoMeshFile::IsSerialisedName(aPath) ? Read(&stream) : Load(&stream, kRenderTree);
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
