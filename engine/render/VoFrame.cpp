#include "render/VoFrame.h"

#include "container/VoHashKeyList.h"
#include "container/VoLog.h"
#include "container/VoVector.h"
#include "render/VoIRasterizer.h"
#include "render/VoMesh.h"

// The walks below loop along sibling chains and recurse only into children,
// so a long row of siblings costs no stack.

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
