#pragma once
// A node whose draw elements move: every frame the owner updates them (their
// animation controllers, lip-sync players and frame transforms under a
// parent matrix) and skins their skinned meshes before they are drawn. The
// base of the engine character. The elements are the node's own list
// (VoNode), owned and deleted with the node.
#include "scene/VoNode.h"

class VoMatrix;

class VoLipSyncNode : public VoNode {
public:
    VoLipSyncNode();
    ~VoLipSyncNode() override;

    // Renders every element in order. True.
    bool Render() override;
    // Every element's Update under apParent (null: the identity). True.
    virtual bool Update(const VoMatrix* apParent);
    // Skins every skinned mesh of every element to its frames. True.
    virtual bool UpdateSkin();
};
