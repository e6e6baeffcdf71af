#pragma once
// A loose quadtree over 2D boxes, the twin of VoOctreeLoose with one axis
// less: a complete tree of square cells built once to a fixed depth, objects
// stored once by the size and centre of their bounds, cells listed by the
// point they contain. The mesh quadtree builds on it over the x/z footprint
// of ground triangles.
#include <cstdint>

#include "container/VoBase.h"
#include "container/VoVector.h"
#include "geometry/VoBox2.h"
#include "geometry/VoLooseTree.h"
#include "geometry/VoVector2.h"

// One cell. Callers read the listed cells' fields, objects above all, directly.
struct VoQuadTreeLooseNode {
    using Vector = VoVector2;
    using Box = VoBox2;
    static constexpr int kAxes = 2;
    static constexpr int kChildren = 4;

    VoQuadTreeLooseNode() = default;
    VoQuadTreeLooseNode(const VoQuadTreeLooseNode&) = delete;
    VoQuadTreeLooseNode& operator=(const VoQuadTreeLooseNode&) = delete;
    // Deletes the children with their subtrees; never the objects.
    ~VoQuadTreeLooseNode() { delete[] children; }

    // Child [i][j], on the + side of x when i is 1, of y when j is 1; null for a leaf.
    VoQuadTreeLooseNode* GetChild(int aI, int aJ) const {
        return children == nullptr ? nullptr : &children[aI * 2 + aJ];
    }
    static VoVector2 Offset(int aChildIndex, float aAmount) {
        return VoVector2((aChildIndex & 2) != 0 ? aAmount : -aAmount,
                         (aChildIndex & 1) != 0 ? aAmount : -aAmount);
    }

    VoVector2 centre;
    std::int32_t depth = 0;  // 0 at the root
    // Half the edge of the loose square; the nominal cell is centre +- halfSize / 2.
    float halfSize = 0.0f;
    VoBox2 looseBounds;                          // centre +- halfSize
    VoQuadTreeLooseNode* parent = nullptr;       // not owned; null at the root
    VoQuadTreeLooseNode* children = nullptr;     // owned, 4 in [i][j] order; null for a leaf
    VoVector objects{0, kVoLooseCellIncrement};  // VoBase pointers, not owned
};

class VoQuadTreeLoose : public VoBase {
public:
    static constexpr const char* kInvalidOrientation = "Invalid orientation.";

    VoQuadTreeLoose() = default;
    VoQuadTreeLoose(const VoQuadTreeLoose&) = delete;
    VoQuadTreeLoose& operator=(const VoQuadTreeLoose&) = delete;
    ~VoQuadTreeLoose() override = default;

    // Builds all (4^levels - 1) / 3 cells: the root's loose square spans
    // aCentre +- aSize, each level halves the cells. Fewer than one level
    // logs and keeps the old tree.
    bool Create(const VoVector2& aCentre, float aSize, int aLevels);
    // Stores apObject in the cell of the deepest level (at most levels - 1)
    // whose nominal edge, aSize * 0.5^depth, is at least the bounds' largest
    // extent, going towards the bounds' centre (ties to the + side).
    bool Insert(VoBase* apObject, const VoBox2& aBounds);

    // Each query clears aOut and lists cells (VoQuadTreeLooseNode pointers)
    // in pre-order: a cell, then its children [0][0], [0][1], [1][0], [1][1]
    // with their subtrees. Every operation on a tree never created logs and
    // gives false.
    bool GetAllNodes(VoVector& aOut) const;
    // Cells whose loose square holds aPoint, edges included; a cell that does
    // not is skipped with its subtree. With aNonEmptyOnly a containing cell
    // is listed only when it holds objects.
    bool GetNodesContainingPt(const VoVector2& aPoint, VoVector& aOut, bool aNonEmptyOnly) const;
    // Not implemented: each clears aOut, logs "NYI." and gives false.
    bool GetNodesIntersecting(const VoBox2& aBox, VoVector& aOut, bool aNonEmptyOnly) const;
    bool GetNodesIntersectingRay(const VoVector2& aOrigin, const VoVector2& aDirection, VoVector& aOut,
                                 bool aNonEmptyOnly) const;

    // Allocates and places the 4 children of a leaf; a node that has them already logs and fails.
    bool SetupChildren(VoQuadTreeLooseNode* apNode);

    // Where aValue lies against aBox along one axis (0 x, 1 y): -1 at or
    // below the min, 0 strictly inside, 1 at or above the max. Any other
    // orientation logs and gives 2.
    static int Classify(int aOrientation, float aValue, const VoBox2& aBox);

    VoQuadTreeLooseNode* GetRoot() const { return fTree.GetRoot(); }
    float GetSize() const { return fTree.GetSize(); }
    int GetLevels() const { return fTree.GetLevels(); }

protected:
    // Insert for records that are not VoBase objects (the mesh trees'
    // triangles): the cells hold untyped pointers whose meaning is the user's.
    bool InsertObject(void* apObject, const VoBox2& aBounds) {
        return fTree.Insert(apObject, aBounds, "Insert");
    }

private:
    VoLooseTree<VoQuadTreeLooseNode> fTree;
};
