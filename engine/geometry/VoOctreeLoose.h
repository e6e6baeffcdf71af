#pragma once
// A loose octree over 3D boxes: a complete tree of cubic cells built once to
// a fixed depth. An object goes, by the size and centre of its bounding box,
// into the one cell of the deepest level whose cells are at least as large,
// and is never split or stored twice; the queries list the cells that
// contain a point or that a ray segment touches. The objects are untyped
// pointers whose meaning belongs to the user (the mesh octree stores one
// entry per triangle). The 2D twin is VoQuadTreeLoose.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoVector.h"
#include "geometry/VoBox3.h"
#include "geometry/VoLooseTree.h"
#include "geometry/VoVector3.h"

// One cell. Callers read the listed cells' fields, objects above all, directly.
struct VoOctreeLooseNode {
    using Vector = VoVector3;
    using Box = VoBox3;
    static constexpr int kAxes = 3;
    static constexpr int kChildren = 8;

    VoOctreeLooseNode() = default;
    VoOctreeLooseNode(const VoOctreeLooseNode&) = delete;
    VoOctreeLooseNode& operator=(const VoOctreeLooseNode&) = delete;
    // Deletes the children with their subtrees; never the objects.
    ~VoOctreeLooseNode() { delete[] children; }

    // Child [i][j][k], on the + side of x when i is 1, of y when j is 1, of z
    // when k is 1; null for a leaf.
    VoOctreeLooseNode* GetChild(int aI, int aJ, int aK) const {
        return children == nullptr ? nullptr : &children[aI * 4 + aJ * 2 + aK];
    }
    static VoVector3 Offset(int aChildIndex, float aAmount) {
        return VoVector3((aChildIndex & 4) != 0 ? aAmount : -aAmount,
                         (aChildIndex & 2) != 0 ? aAmount : -aAmount,
                         (aChildIndex & 1) != 0 ? aAmount : -aAmount);
    }

    VoVector3 centre;
    std::int32_t depth = 0;  // 0 at the root
    // Half the edge of the loose cube; the nominal cell is centre +- halfSize / 2.
    float halfSize = 0.0f;
    VoBox3 looseBounds;                          // centre +- halfSize
    VoOctreeLooseNode* parent = nullptr;         // not owned; null at the root
    VoOctreeLooseNode* children = nullptr;       // owned, 8 in [i][j][k] order; null for a leaf
    VoVector objects{0, kVoLooseCellIncrement};  // VoBase pointers, not owned
};

class VoOctreeLoose : public VoBase {
public:
    VoOctreeLoose() = default;
    VoOctreeLoose(const VoOctreeLoose&) = delete;
    VoOctreeLoose& operator=(const VoOctreeLoose&) = delete;
    ~VoOctreeLoose() override = default;

    // Builds all (8^levels - 1) / 7 cells: the root's loose cube spans
    // aCentre +- aSize, each level halves the cells. Fewer than one level
    // logs and keeps the old tree.
    bool Create(const VoVector3& aCentre, float aSize, int aLevels);
    // Stores apObject in the cell of the deepest level (at most levels - 1)
    // whose nominal edge, aSize * 0.5^depth, is at least the bounds' largest
    // extent, going towards the bounds' centre (ties to the + side).
    bool Insert(VoBase* apObject, const VoBox3& aBounds);

    // Each query clears aOut and lists cells (VoOctreeLooseNode pointers) in
    // pre-order: a cell, then its children in [i][j][k] order with their
    // subtrees. A cell that fails the test is skipped with its subtree; with
    // aNonEmptyOnly a passing cell is listed only when it holds objects.
    // Every operation on a tree never created logs and gives false.
    bool GetAllNodes(VoVector& aOut) const;
    // Cells whose loose cube holds aPoint, faces included.
    bool GetNodesContainingPt(const VoVector3& aPoint, VoVector& aOut, bool aNonEmptyOnly) const;
    // Cells whose loose cube the segment from aOrigin to aOrigin + aDirection touches.
    bool GetNodesIntersectingRay(const VoVector3& aOrigin, const VoVector3& aDirection, VoVector& aOut,
                                 bool aNonEmptyOnly) const;
    // Not implemented: clears aOut, logs "NYI." and gives false.
    bool GetNodesIntersecting(const VoBox3& aBox, VoVector& aOut, bool aNonEmptyOnly) const;

    // Allocates and places the 8 children of a leaf; a node that has them already logs and fails.
    bool SetupChildren(VoOctreeLooseNode* apNode);

    VoOctreeLooseNode* GetRoot() const { return fTree.GetRoot(); }
    float GetSize() const { return fTree.GetSize(); }
    int GetLevels() const { return fTree.GetLevels(); }

protected:
    // Insert for records that are not VoBase objects (the mesh trees'
    // triangles): the cells hold untyped pointers whose meaning is the user's.
    bool InsertObject(void* apObject, const VoBox3& aBounds) {
        return fTree.Insert(apObject, aBounds, "Insert");
    }

private:
    VoLooseTree<VoOctreeLooseNode> fTree;
};
