#include "gdi/VoDisplayManager.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoRenderer.h"
#include "memory/VoNew.h"
#include "stdlib/VoCleaner.h"

namespace {
VoCleanerSingleton<VoDisplayManager> gInstance;
}  // namespace

VoDisplayManager* VoDisplayManager::GetInstance() {
    return gInstance.Get([] { return VO_NEW VoDisplayManager(); }, kCreationFailure);
}

VoDisplayManager::VoDisplayManager() : fpRoot(VO_NEW VoDisplayGroup()) {
    if (fpRoot != nullptr) {
        fpRoot->SetId(VoString(kRootId));
    }
}

VoDisplayManager::~VoDisplayManager() {
    VoLog::WriteLine(kDestroyedLine);
    delete fpRoot;
    fpRoot = nullptr;
}

VoString VoDisplayManager::ToString() const {
    return VoDebugString("VoDisplayManager", this);
}

bool VoDisplayManager::AddMember(VoIDisplayObject* apMember) {
    if (apMember == nullptr) {
        VO_ERROR(kAddNull);
        return false;
    }
    return fpRoot != nullptr && fpRoot->AddMember(apMember, true);
}

bool VoDisplayManager::RemoveMember(VoIDisplayObject* apMember) {
    return fpRoot != nullptr && fpRoot->RemoveMember(apMember);
}

bool VoDisplayManager::RemoveMember(const VoString& aId, VoIDisplayObject** appMember) {
    return fpRoot != nullptr && fpRoot->RemoveMember(aId, appMember);
}

VoRenderer* VoDisplayManager::GetRenderer() {
    // Asked every time rather than kept: the cleaner deletes the renderer
    // (made after this manager) first, and a kept pointer would outlive it.
    VoRenderer* renderer = VoRenderer::GetInstance();
    if (renderer == nullptr) {
        VO_ERROR(kGetRendererFailure);
    }
    return renderer;
}

bool VoDisplayManager::Render() {
    if (fpRoot == nullptr) {
        return false;
    }
    VoRenderer* renderer = VoRenderer::GetInstance();
    if (renderer == nullptr) {
        VO_ERROR(kNoRenderer);
        return false;
    }
    bool result = renderer->BeginRender();
    result = fpRoot->Render(renderer) && result;
    result = renderer->EndRender() && result;
    return result;
}
