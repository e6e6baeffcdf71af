#pragma once
// Switches the texture manager's root for the life of the object, so the
// relative texture names of a layout read while it lives are taken from
// that folder; the previous root comes back at the end.
//
//     {
//         MGTextureRoot root(u"//textures/pda");
//         VoLayoutBuilder::BuildGroup(node, true);
//     }
#include "container/VoString.h"
#include "render/VoTextureManager.h"

class MGTextureRoot {
public:
    explicit MGTextureRoot(const char16_t* apRoot) : MGTextureRoot(VoString(apRoot)) {}
    explicit MGTextureRoot(const VoString& aRoot) {
        if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
            fPrevious = textures->GetRoot();
            textures->SetRoot(aRoot);
        }
    }
    ~MGTextureRoot() {
        VoTextureManager* textures = VoTextureManager::GetInstance();
        if (textures != nullptr && fPrevious.GetLength() > 0) {
            textures->SetRoot(fPrevious);
        }
    }
    MGTextureRoot(const MGTextureRoot&) = delete;
    MGTextureRoot& operator=(const MGTextureRoot&) = delete;

private:
    VoString fPrevious;
};
