#include "scene/VoFrame.h"

#include <cstring>

#include "container/VoHashKeyList.h"
#include "container/VoLog.h"
#include "container/VoVector.h"
#include "render/VoIRasterizer.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshFile.h"
#include "scene/VoSkinMesh.h"
#include "stdlib/VoIStream.h"

// The walks below loop along sibling chains and recurse only into children,
// so a long row of siblings costs no stack.

namespace {

// A raw frame record's words before its name: number, two matrices, the
// unused word, sibling, child, flags and name length.
constexpr std::uint32_t kRawFixedWords = 1 + 16 + 16 + 5;
static_assert(kRawFixedWords * 4 == VoMeshFile::kMinRawFrameBytes, "the raw frame's fixed part");

}  // namespace

std::uint32_t VoFrame::HashOf(const VoString& aName) {
    return VoHashKeyList::Hash(aName, kHashShift, false);
}

VoFrame::VoFrame() {
    MatrixIdentity(&fFileMatrix);
    MatrixIdentity(&fRelativeMatrix);
    MatrixIdentity(&fAbsoluteMatrix);
}

VoFrame::~VoFrame() {
    delete fpMesh;
    fpMesh = nullptr;
    fpNextSibling = nullptr;
    fpFirstChild = nullptr;
}

bool VoFrame::UpdateTransforms(const VoFrame* apParent) {
    for (VoFrame* frame = this; frame != nullptr; frame = frame->fpNextSibling) {
        if (apParent != nullptr) {
            MatrixMultiply(&frame->fAbsoluteMatrix, &frame->fRelativeMatrix, &apParent->fAbsoluteMatrix);
        } else {
            MatrixIdentity(&frame->fAbsoluteMatrix);
        }
        if (frame->fpFirstChild != nullptr) {
            frame->fpFirstChild->UpdateTransforms(frame);
        }
    }
    return true;
}

bool VoFrame::CollectFrames(VoVector* apFrames) {
    if (apFrames == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    bool collected = true;
    for (VoFrame* frame = this; frame != nullptr; frame = frame->fpNextSibling) {
        collected = apFrames->Add(frame) && collected;
        if (frame->fpFirstChild != nullptr) {
            collected = frame->fpFirstChild->CollectFrames(apFrames) && collected;
        }
    }
    return collected;
}

VoFrame* VoFrame::FindFrame(const VoString& aName) {
    for (VoFrame* frame = this; frame != nullptr; frame = frame->fpNextSibling) {
        if (frame->fName == aName) {
            return frame;
        }
        if (frame->fpFirstChild != nullptr) {
            if (VoFrame* found = frame->fpFirstChild->FindFrame(aName)) {
                return found;
            }
        }
    }
    return nullptr;
}

VoFrame* VoFrame::GetRoot() {
    VoFrame* frame = this;
    while (frame->fpParent != nullptr) {
        frame = frame->fpParent;
    }
    return frame;
}

void VoFrame::SetParents(VoFrame* apParent) {
    for (VoFrame* frame = this; frame != nullptr; frame = frame->fpNextSibling) {
        frame->fpParent = apParent;
        if (frame->fpFirstChild != nullptr) {
            frame->fpFirstChild->SetParents(frame);
        }
    }
}

bool VoFrame::Render() {
    if (fpMesh == nullptr) {
        return true;
    }
    VoIRasterizer* rasterizer = VoIRasterizer::Get();
    if (rasterizer == nullptr) {
        VO_ASSERT_FAILURE(kNoRasterizer);
        return true;
    }
    if (fpMesh->GetMeshType() == VoMesh::kSkinnedMesh) {
        VoMatrix identity;
        MatrixIdentity(&identity);
        rasterizer->SetTransform(VoIRasterizer::kWorld, &identity);
    } else {
        rasterizer->SetTransform(VoIRasterizer::kWorld, &fAbsoluteMatrix);
    }
    fpMesh->Render();
    return true;
}

bool VoFrame::Update() {
    VO_ERROR(kUpdateNYI);
    return false;
}

bool VoFrame::AddChild(VoFrame* apChild) {
    if (apChild == nullptr) {
        VO_ASSERT_FAILURE(kNullArg);
        return false;
    }
    apChild->fpParent = this;
    if (fpFirstChild == nullptr) {
        fpFirstChild = apChild;
        return true;
    }
    VoFrame* last = fpFirstChild;
    while (last->fpNextSibling != nullptr) {
        last = last->fpNextSibling;
    }
    last->fpNextSibling = apChild;
    return true;
}

void VoFrame::SetName(const VoString& aName) {
    fName = aName;
    fFrameId = HashOf(aName);
}

void VoFrame::SetMesh(VoMesh* apMesh) {
    if (apMesh != fpMesh) {
        delete fpMesh;
        fpMesh = apMesh;
    }
    if (fpMesh != nullptr) {
        fpMesh->SetOwnerFrame(this);
    }
}

void VoFrame::DeleteTree(VoFrame* apRoot) {
    if (apRoot == nullptr) {
        return;
    }
    VoVector frames(16, 16);
    apRoot->CollectFrames(&frames);
    for (int i = 0; i < frames.GetCount(); ++i) {
        delete static_cast<VoFrame*>(frames.GetAt(i));
    }
}

bool VoFrame::ReadOwn(VoIStream* apStream) {
    std::uint32_t id = 0;
    VoString name;
    bool hasMesh = false;
    if (!apStream->ReadUInt(&id) || !apStream->ReadString(&name) || !apStream->ReadBool(&hasMesh)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (hasMesh) {
        std::int32_t type = 0;
        if (!apStream->ReadInt(&type)) {
            VO_ERROR(VoMeshFile::kTruncated);
            return false;
        }
        VoMesh* mesh = type != 0 ? VO_NEW VoSkinMesh() : VO_NEW VoMesh();
        if (mesh == nullptr || !mesh->Read(apStream)) {
            delete mesh;
            return false;
        }
        SetMesh(mesh);
    } else {
        SetMesh(nullptr);
    }
    if (!fFileMatrix.Read(apStream) || !fAbsoluteMatrix.Read(apStream)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    fRelativeMatrix = fFileMatrix;
    fName.Swap(name);
    fFrameId = id;
    return true;
}

bool VoFrame::ReadChains(VoIStream* apStream, int aDepth) {
    if (aDepth >= VoMeshFile::kMaxFrameDepth) {
        VO_ERROR(kTooDeep);
        return false;
    }
    for (VoFrame* frame = this;;) {
        if (!frame->ReadOwn(apStream)) {
            return false;
        }
        bool hasChild = false;
        if (!apStream->ReadBool(&hasChild)) {
            VO_ERROR(VoMeshFile::kTruncated);
            return false;
        }
        if (hasChild) {
            VoFrame* child = VO_NEW VoFrame();
            if (child == nullptr) {
                return false;
            }
            child->fpParent = frame;
            frame->fpFirstChild = child;
            if (!child->ReadChains(apStream, aDepth + 1)) {
                return false;
            }
        }
        bool hasSibling = false;
        if (!apStream->ReadBool(&hasSibling)) {
            VO_ERROR(VoMeshFile::kTruncated);
            return false;
        }
        if (!hasSibling) {
            return true;
        }
        VoFrame* sibling = VO_NEW VoFrame();
        if (sibling == nullptr) {
            return false;
        }
        sibling->fpParent = frame->fpParent;
        frame->fpNextSibling = sibling;
        frame = sibling;
    }
}

bool VoFrame::Read(VoIStream* apStream) {
    if (apStream == nullptr) {
        return false;
    }
    fpFirstChild = nullptr;
    fpNextSibling = nullptr;
    if (ReadChains(apStream, 0)) {
        return true;
    }
    DeleteTree(fpFirstChild);
    DeleteTree(fpNextSibling);
    fpFirstChild = nullptr;
    fpNextSibling = nullptr;
    return false;
}

bool VoFrame::WriteOwn(VoIStream* apStream) {
    bool written = apStream->WriteUInt(fFrameId);
    written = apStream->WriteString(fName) && written;
    written = apStream->WriteBool(fpMesh != nullptr) && written;
    if (fpMesh != nullptr) {
        written = apStream->WriteInt(fpMesh->GetMeshType()) && written;
        written = fpMesh->Write(apStream) && written;
    }
    written = fFileMatrix.Write(apStream) && written;
    written = fAbsoluteMatrix.Write(apStream) && written;
    return written;
}

bool VoFrame::WriteChains(VoIStream* apStream, int aDepth) {
    // What could not be read back is not written.
    if (aDepth >= VoMeshFile::kMaxFrameDepth) {
        VO_ERROR(kWriteTooDeep);
        return false;
    }
    bool written = true;
    for (VoFrame* frame = this; frame != nullptr; frame = frame->fpNextSibling) {
        written = frame->WriteOwn(apStream) && written;
        written = apStream->WriteBool(frame->fpFirstChild != nullptr) && written;
        if (frame->fpFirstChild != nullptr && !frame->fpFirstChild->WriteChains(apStream, aDepth + 1)) {
            return false;
        }
        written = apStream->WriteBool(frame->fpNextSibling != nullptr) && written;
    }
    return written;
}

bool VoFrame::Write(VoIStream* apStream) {
    return apStream != nullptr && WriteChains(apStream, 0);
}

bool VoFrame::Load(VoIStream* apStream, std::uint32_t* apSiblingNumber, std::uint32_t* apChildNumber) {
    if (apStream == nullptr || apSiblingNumber == nullptr || apChildNumber == nullptr) {
        return false;
    }
    std::uint32_t number = 0;
    VoMatrix file;
    VoMatrix absolute;
    std::int32_t unused = 0;
    std::uint32_t sibling = 0;
    std::uint32_t child = 0;
    std::uint32_t flags = 0;
    std::uint32_t length = 0;
    VoString name;
    // The record's fixed part is 38 words: from a stream held in memory in
    // one piece, otherwise value by value.
    std::uint32_t words[kRawFixedWords];
    if (apStream->ReadWordRun(words, kRawFixedWords)) {
        number = words[0];
        std::memcpy(&file.m[0][0], &words[1], 16 * sizeof(float));
        std::memcpy(&absolute.m[0][0], &words[17], 16 * sizeof(float));
        sibling = words[34];
        child = words[35];
        flags = words[36];
        length = words[37];
    } else if (!apStream->ReadUInt(&number) || !file.Read(apStream) || !absolute.Read(apStream) ||
               !apStream->ReadInt(&unused) || !apStream->ReadUInt(&sibling) || !apStream->ReadUInt(&child) ||
               !apStream->ReadUInt(&flags) || !apStream->ReadUInt(&length)) {
        VO_ERROR(VoMeshFile::kTruncated);
        return false;
    }
    if (!VoMeshFile::ReadRawName(apStream, length, &name)) {
        return false;
    }
    const std::uint32_t kind = flags & 0xFFu;
    if (kind == kRawStaticMesh || kind == kRawSkinnedMesh) {
        VoMesh* mesh = kind == kRawSkinnedMesh ? VO_NEW VoSkinMesh() : VO_NEW VoMesh();
        if (mesh == nullptr || !mesh->Load(apStream, flags & VoMesh::kRawCorners)) {
            delete mesh;
            return false;
        }
        SetMesh(mesh);
    }
    fFrameNumber = number;
    fFrameId = HashOf(name);
    fName.Swap(name);
    fFileMatrix = file;
    fRelativeMatrix = file;
    fAbsoluteMatrix = absolute;
    *apSiblingNumber = sibling;
    *apChildNumber = child;
    return true;
}
