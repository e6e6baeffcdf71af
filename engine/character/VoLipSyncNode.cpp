#include "character/VoLipSyncNode.h"

#include "scene/VoDrawElement.h"
#include "scene/VoMesh.h"
#include "scene/VoSkinMesh.h"

VoLipSyncNode::VoLipSyncNode() = default;

VoLipSyncNode::~VoLipSyncNode() = default;

bool VoLipSyncNode::Render() {
    VoNode::Render();
    return true;
}

bool VoLipSyncNode::Update(const VoMatrix* apParent) {
    VoVector& elements = GetElements();
    for (int i = 0; i < elements.GetCount(); ++i) {
        if (auto* element = static_cast<VoDrawElement*>(elements.GetAt(i))) {
            element->Update(apParent);
        }
    }
    return true;
}

bool VoLipSyncNode::UpdateSkin() {
    VoVector& elements = GetElements();
    for (int i = 0; i < elements.GetCount(); ++i) {
        auto* element = static_cast<VoDrawElement*>(elements.GetAt(i));
        for (int m = 0; element != nullptr && m < element->GetMeshCount(); ++m) {
            VoMesh* mesh = element->GetMesh(m);
            if (mesh != nullptr && mesh->GetMeshType() == VoMesh::kSkinnedMesh) {
                static_cast<VoSkinMesh*>(mesh)->UpdateSkin();
            }
        }
    }
    return true;
}
