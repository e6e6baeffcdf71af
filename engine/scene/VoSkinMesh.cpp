#include "scene/VoSkinMesh.h"

#include <cstring>

#include "container/VoLog.h"
#include "geometry/VoMatrix.h"
#include "memory/VoNew.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoBone.h"
#include "scene/VoFrame.h"
#include "scene/VoMeshFile.h"
#include "stdlib/VoIStream.h"

namespace {

// The byte of each vertex where the normal sits in the formats that can be skinned.
constexpr std::int32_t kNormalOffset = 12;

// Whether the format holds a position at byte 0 and a normal at byte 12.
bool IsSkinnable(std::int32_t aFormat) {
    return aFormat == 4 || aFormat == 5 || aFormat == 7;
}

// The float at apBytes, which need not be aligned for one.
float FloatAt(const unsigned char* apBytes) {
    float value;
    std::memcpy(&value, apBytes, sizeof value);
    return value;
}

// M's rows placing points: (p, 1) x M with a last column of (0, 0, 0, 1),
// so no division is needed.
bool IsAffine(const VoMatrix& aM) {
    return aM.m[0][3] == 0.0f && aM.m[1][3] == 0.0f && aM.m[2][3] == 0.0f && aM.m[3][3] == 1.0f;
}

}  // namespace

VoSkinMesh::VoSkinMesh() : VoMesh(kSkinnedMesh) {}

VoSkinMesh::~VoSkinMesh() {
    FreeSkin();
    FreeBones();
}

void VoSkinMesh::FreeSkin() {
    delete[] fpRest;
    fpRest = nullptr;
    FreeInfluenceTable();
    fpVertexData = nullptr;
    fVertexCount = 0;
    fStride = 0;
}

void VoSkinMesh::FreeInfluenceTable() {
    delete[] fpFirstInfluence;
    delete[] fpInfluences;
    delete[] fpBoneVersions;
    delete[] fpPoses;
    fpFirstInfluence = nullptr;
    fpInfluences = nullptr;
    fpBoneVersions = nullptr;
    fpPoses = nullptr;
}

void VoSkinMesh::FreeBones() {
    // The table was built from these bones.
    FreeInfluenceTable();
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        delete fppBones[i];
    }
    delete[] fppBones;
    fppBones = nullptr;
    fBoneCount = 0;
}

void VoSkinMesh::VertexBufferChanged() {
    FreeSkin();
}

bool VoSkinMesh::SetBoneFrame(std::uint32_t aFrameNumber, const VoString&, const VoMatrix* apMatrix) {
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        if (fppBones[i]->GetFrameNumber() == aFrameNumber) {
            fppBones[i]->SetFrameMatrix(apMatrix);
        }
    }
    return true;
}

bool VoSkinMesh::CreateBones(std::uint32_t aCount) {
    FreeBones();
    if (aCount == 0) {
        return true;
    }
    fppBones = VO_NEW VoBone* [aCount]();
    if (fppBones == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::uint32_t i = 0; i < aCount; ++i) {
        fppBones[i] = VO_NEW VoBone();
        if (fppBones[i] == nullptr) {
            fBoneCount = i;
            FreeBones();
            VO_ERROR(kCouldNotAllocate);
            return false;
        }
    }
    fBoneCount = aCount;
    fBound = 0;
    return true;
}

VoBone* VoSkinMesh::GetBone(std::uint32_t aIndex) const {
    return aIndex < fBoneCount ? fppBones[aIndex] : nullptr;
}

void VoSkinMesh::DropStrayInfluences() {
    if (!IsSkinPrepared()) {
        return;
    }
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        if (fppBones[i]->DropInfluencesFrom(static_cast<std::uint32_t>(fVertexCount)) > 0) {
            VO_ASSERT_FAILURE(kInfluenceOutOfRange, fppBones[i]->GetName());
        }
    }
}

bool VoSkinMesh::SetupBonePointers() {
    VoFrame* owner = GetOwnerFrame();
    if (owner == nullptr) {
        VO_ASSERT_FAILURE(kParentUndefined);
        return false;
    }
    VoFrame* root = owner->GetRoot();
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        VoFrame* frame = root->FindFrame(fppBones[i]->GetName());
        if (frame == nullptr) {
            VO_ASSERT_FAILURE(kBoneFrameNotFound);
            return false;
        }
        fppBones[i]->SetFrameMatrix(&frame->GetAbsoluteMatrix());
    }
    DropStrayInfluences();
    fBound = 1;
    return true;
}

bool VoSkinMesh::PrepareSkin() {
    FreeSkin();
    VoVertexBuffer* buffer = GetVertexBuffer();
    if (buffer == nullptr) {
        VO_ASSERT_FAILURE(kNoVertexBuffer);
        return false;
    }
    if (!IsSkinnable(buffer->GetFormat())) {
        VO_ASSERT_FAILURE(kFormatNotSkinnable, buffer->GetFormat());
        return false;
    }
    const std::int32_t count = buffer->GetVertexCount();
    fpRest = VO_NEW RestVertex[static_cast<std::size_t>(count)];
    if (fpRest == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    fVertexCount = count;
    fStride = buffer->GetStride();
    fpVertexData = count > 0 ? static_cast<unsigned char*>(buffer->GetVertex(0)) : nullptr;
    for (std::int32_t v = 0; v < count; ++v) {
        const unsigned char* vertex = fpVertexData + static_cast<std::size_t>(v) * fStride;
        fpRest[v].position.Set(FloatAt(vertex), FloatAt(vertex + 4), FloatAt(vertex + 8));
        VoVector3 normal(FloatAt(vertex + kNormalOffset), FloatAt(vertex + kNormalOffset + 4),
                         FloatAt(vertex + kNormalOffset + 8));
        normal.NormalizeInPlace(kNormalTolerance);
        fpRest[v].normal = normal;
    }
    DropStrayInfluences();
    return true;
}

bool VoSkinMesh::IsInfluenceTableCurrent() const {
    if (fpFirstInfluence == nullptr) {
        return false;
    }
    for (std::uint32_t b = 0; b < fBoneCount; ++b) {
        if (fpBoneVersions[b] != fppBones[b]->GetInfluenceVersion()) {
            return false;
        }
    }
    return true;
}

bool VoSkinMesh::BuildInfluenceTable() {
    FreeInfluenceTable();
    const auto count = static_cast<std::uint32_t>(fVertexCount);
    // Counted first, so each vertex's run has its place; influences naming
    // no vertex of the skin are left out, as skinning skips them.
    std::uint64_t total = 0;
    fpFirstInfluence = VO_NEW std::uint32_t[std::size_t{count} + 1]();
    fpBoneVersions = VO_NEW std::uint32_t[fBoneCount + 1];
    fpPoses = VO_NEW BonePose[fBoneCount + 1];
    if (fpFirstInfluence == nullptr || fpBoneVersions == nullptr || fpPoses == nullptr) {
        FreeInfluenceTable();
        return false;
    }
    for (std::uint32_t b = 0; b < fBoneCount; ++b) {
        const VoBone& bone = *fppBones[b];
        const std::uint32_t* indices = bone.GetIndices();
        for (std::uint32_t i = 0; i < bone.GetInfluenceCount(); ++i) {
            if (indices[i] < count) {
                ++fpFirstInfluence[indices[i] + 1];
                ++total;
            }
        }
        fpBoneVersions[b] = bone.GetInfluenceVersion();
    }
    if (total > 0xFFFFFFFFu) {
        FreeInfluenceTable();
        return false;
    }
    for (std::uint32_t v = 0; v < count; ++v) {
        fpFirstInfluence[v + 1] += fpFirstInfluence[v];
    }
    fpInfluences = VO_NEW Influence[static_cast<std::size_t>(total) + 1];
    std::uint32_t* next = VO_NEW std::uint32_t[std::size_t{count} + 1];
    if (fpInfluences == nullptr || next == nullptr) {
        delete[] next;
        FreeInfluenceTable();
        return false;
    }
    std::memcpy(next, fpFirstInfluence, (std::size_t{count} + 1) * sizeof(std::uint32_t));
    for (std::uint32_t b = 0; b < fBoneCount; ++b) {
        const VoBone& bone = *fppBones[b];
        const std::uint32_t* indices = bone.GetIndices();
        const float* weights = bone.GetWeights();
        for (std::uint32_t i = 0; i < bone.GetInfluenceCount(); ++i) {
            if (indices[i] < count) {
                fpInfluences[next[indices[i]]++] = Influence{b, weights[i]};
            }
        }
    }
    delete[] next;
    return true;
}

bool VoSkinMesh::UpdateSkin() {
    // The buffer may have been refilled since the skin was prepared: its
    // storage must still hold the vertices the skin writes.
    VoVertexBuffer* buffer = GetVertexBuffer();
    if (!IsSkinPrepared() || buffer == nullptr || buffer->GetStride() != fStride ||
        buffer->GetVertexCount() < fVertexCount) {
        VO_ASSERT_FAILURE(kSkinNotPrepared);
        return false;
    }
    fpVertexData = fVertexCount > 0 ? static_cast<unsigned char*>(buffer->GetVertex(0)) : nullptr;
    if (fBound == 0 && !SetupBonePointers()) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        if (fppBones[i]->GetFrameMatrix() == nullptr) {
            VO_ASSERT_FAILURE(kBoneUnbound, fppBones[i]->GetName());
            return false;
        }
    }
    if (!IsInfluenceTableCurrent() && !BuildInfluenceTable()) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }

    for (std::uint32_t b = 0; b < fBoneCount; ++b) {
        const VoBone& bone = *fppBones[b];
        BonePose& pose = fpPoses[b];
        VoMatrix& m = pose.placing;
        MatrixMultiply(&m, &bone.GetOffsetMatrix(), bone.GetFrameMatrix());
        pose.turning[0].Set(m.m[0][0], m.m[0][1], m.m[0][2]);
        pose.turning[1].Set(m.m[1][0], m.m[1][1], m.m[1][2]);
        pose.turning[2].Set(m.m[2][0], m.m[2][1], m.m[2][2]);
        for (VoVector3& row : pose.turning) {
            row.NormalizeInPlace(kNormalTolerance);
        }
        pose.affine = IsAffine(m);
    }

    // Each vertex sums its influences in the order the bones give them, so
    // the result is the same to the bit as summing bone by bone.
    const std::int32_t count = fVertexCount;
    for (std::int32_t v = 0; v < count; ++v) {
        const VoVector3& p = fpRest[v].position;
        const VoVector3& n = fpRest[v].normal;
        VoVector3 position;
        VoVector3 normal;
        const Influence* end = fpInfluences + fpFirstInfluence[v + 1];
        for (const Influence* influence = fpInfluences + fpFirstInfluence[v]; influence != end; ++influence) {
            const BonePose& pose = fpPoses[influence->bone];
            const VoMatrix& m = pose.placing;
            const VoVector3* rows = pose.turning;
            const float w = influence->weight;
            VoVector3 placed(p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
                             p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
                             p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]);
            if (!pose.affine) {
                TransformCoord(&placed, &m, &p);
            }
            position.x += placed.x * w;
            position.y += placed.y * w;
            position.z += placed.z * w;
            normal.x += (n.x * rows[0].x + n.y * rows[1].x + n.z * rows[2].x) * w;
            normal.y += (n.x * rows[0].y + n.y * rows[1].y + n.z * rows[2].y) * w;
            normal.z += (n.x * rows[0].z + n.y * rows[1].z + n.z * rows[2].z) * w;
        }
        unsigned char* vertex = fpVertexData + static_cast<std::size_t>(v) * fStride;
        const float positionOut[3] = {position.x, position.y, position.z};
        const float normalOut[3] = {normal.x, normal.y, normal.z};
        std::memcpy(vertex, positionOut, sizeof positionOut);
        std::memcpy(vertex + kNormalOffset, normalOut, sizeof normalOut);
    }
    return true;
}

namespace {

// One bone record: the name (a counted text, or aRaw's 8-bit characters),
// the influences and, raw, the frame number; then the offset matrix.
bool ReadBone(VoIStream* apStream, bool aRaw, VoBone* apBone) {
    VoString name;
    std::uint32_t count = 0;
    if (aRaw) {
        std::uint32_t length = 0;
        std::int32_t signedCount = 0;
        if (!apStream->ReadUInt(&length) || !VoMeshFile::ReadRawName(apStream, length, &name) ||
            !apStream->ReadInt(&signedCount) || signedCount < 0) {
            return false;
        }
        count = static_cast<std::uint32_t>(signedCount);
    } else if (!apStream->ReadString(&name) || !apStream->ReadUInt(&count)) {
        return false;
    }
    std::uint32_t* indices = nullptr;
    float* weights = nullptr;
    if (!VoMeshFile::CountFits(apStream, count, 8) || !VoMeshFile::ReadWords(apStream, count, &indices) ||
        !VoMeshFile::ReadWords(apStream, count, &weights)) {
        delete[] indices;
        return false;
    }
    apBone->AdoptInfluences(count, indices, weights);
    std::uint32_t frameNumber = 0;
    VoMatrix offset;
    if ((aRaw && !apStream->ReadUInt(&frameNumber)) || !offset.Read(apStream)) {
        return false;
    }
    apBone->TakeName(name);
    apBone->SetFrameNumber(frameNumber);
    apBone->SetOffsetMatrix(offset);
    return true;
}

}  // namespace

bool VoSkinMesh::ReadBones(VoIStream* apStream, std::uint32_t aCount, bool aRaw, VoBone*** apppBones) {
    if (!VoMeshFile::CountFits(apStream, aCount,
                               aRaw ? VoMeshFile::kMinRawBoneBytes : VoMeshFile::kMinBoneBytes)) {
        return false;
    }
    *apppBones = nullptr;
    if (aCount == 0) {
        return true;
    }
    VoBone** bones = VO_NEW VoBone* [aCount]();
    if (bones == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    for (std::uint32_t i = 0; i < aCount; ++i) {
        bones[i] = VO_NEW VoBone();
        if (bones[i] == nullptr || !ReadBone(apStream, aRaw, bones[i])) {
            for (std::uint32_t j = 0; j <= i; ++j) {
                delete bones[j];
            }
            delete[] bones;
            VO_ERROR(kBonesRefused);
            return false;
        }
    }
    *apppBones = bones;
    return true;
}

void VoSkinMesh::AdoptBones(VoBone** appBones, std::uint32_t aCount) {
    FreeBones();
    fppBones = appBones;
    fBoneCount = appBones != nullptr ? aCount : 0;
}

bool VoSkinMesh::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    Pending pending;
    std::uint32_t count = 0;
    VoBone** bones = nullptr;
    if (!ReadRecord(apStream, pending)) {
        return false;
    }
    if (!apStream->ReadUInt(&count)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (!ReadBones(apStream, count, false, &bones)) {
        return false;
    }
    Adopt(pending);
    AdoptBones(bones, count);
    fBound = 0;
    PrepareSkin();
    return true;
}

bool VoSkinMesh::Write(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    bool written = VoMesh::Write(apStream);
    written = apStream->WriteUInt(fBoneCount) && written;
    for (std::uint32_t i = 0; i < fBoneCount; ++i) {
        const VoBone& bone = *fppBones[i];
        written = apStream->WriteString(bone.GetName()) && written;
        written = apStream->WriteUInt(bone.GetInfluenceCount()) && written;
        for (std::uint32_t j = 0; j < bone.GetInfluenceCount(); ++j) {
            written = apStream->WriteUInt(bone.GetIndices()[j]) && written;
        }
        for (std::uint32_t j = 0; j < bone.GetInfluenceCount(); ++j) {
            written = apStream->WriteFloat(bone.GetWeights()[j]) && written;
        }
        written = bone.GetOffsetMatrix().Write(apStream) && written;
    }
    return written;
}

bool VoSkinMesh::Load(VoIStream* apStream, std::uint32_t aFlags) {
    if (apStream == nullptr) {
        return false;
    }
    SetFlags(kIndexed);
    Pending pending;
    pending.version = GetVersion();
    pending.name = GetName();
    pending.flags = GetFlags();
    std::uint32_t count = 0;
    std::uint32_t unused = 0;
    VoBone** bones = nullptr;
    if (!LoadBody(apStream, aFlags, pending)) {
        return false;
    }
    if (!apStream->ReadUInt(&count) || !apStream->ReadUInt(&unused)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (!ReadBones(apStream, count, true, &bones)) {
        return false;
    }
    Adopt(pending);
    AdoptBones(bones, count);
    fBound = 1;
    PrepareSkin();
    return true;
}
