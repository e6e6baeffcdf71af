#pragma once
// The mechanics shared by the loose octree and the loose quadtree, which
// differ only in their number of axes: a complete tree of cubic (square)
// cells built once to a fixed depth, each cell's loose bounds twice its
// nominal cell, objects dropped into the one cell of the deepest level whose
// cells are at least as large as the object's bounds, holding its centre.
//
// Node is the cell record of the tree (VoOctreeLooseNode, VoQuadTreeLooseNode):
//   using Vector, Box; static constexpr int kAxes, kChildren;
//   static Vector Offset(int aChildIndex, float aAmount): the child's direction
//     from the parent's centre, +aAmount on the axes whose bit is set in the
//     index (x the highest bit), -aAmount on the others;
//   fields centre, depth, halfSize, looseBounds, parent, children, objects.
// Children are one owned array of kChildren cells in index order, which is
// also the order of the queries: [0][0][0], [0][0][1], ... [1][1][1].
#include <cstdint>

#include "container/VoLog.h"
#include "container/VoVector.h"
#include "memory/VoNew.h"

// A cell's object list starts without an array and grows by this many: a
// mesh tree has thousands of cells, most holding a few triangles or none.
constexpr int kVoLooseCellIncrement = 10;

// The message texts of both trees.
struct VoLooseTreeText {
    static constexpr const char* kInvalidLevels = "Invalid number of levels (minimum = 1).";
    static constexpr const char* kInsertNull = "Insert failure. NULL arg.";
    static constexpr const char* kSetupChildren = "SetupChildren failure.";
    static constexpr const char* kNotImplemented = "NYI.";
    static constexpr const char* kAllocationFailure = "SetupChildren failure. Could not allocate children.";
    // An operation on a tree that Create never built (or whose build failed).
    static constexpr const char* kNotCreated = " failure. Tree not created.";
};

template <typename Node>
class VoLooseTree {
public:
    using Vector = typename Node::Vector;
    using Box = typename Node::Box;

    VoLooseTree() = default;
    VoLooseTree(const VoLooseTree&) = delete;
    VoLooseTree& operator=(const VoLooseTree&) = delete;
    ~VoLooseTree() { delete fpRoot; }

    Node* GetRoot() const { return fpRoot; }
    float GetSize() const { return fSize; }
    int GetLevels() const { return fLevels; }

    // The whole tree of aLevels levels around aCentre, the root's loose cube
    // reaching aSize from the centre. A tree that cannot be built completely
    // is not kept: the tree is then not created.
    bool Create(const Vector& aCentre, float aSize, int aLevels) {
        if (aLevels < 1) {
            VO_ASSERT_FAILURE(VoLooseTreeText::kInvalidLevels);
            return false;
        }
        delete fpRoot;
        fpRoot = VO_NEW Node;
        if (fpRoot == nullptr) {
            VO_ERROR(VoLooseTreeText::kAllocationFailure);
            return false;
        }
        Place(*fpRoot, nullptr, aCentre, aSize);
        fSize = aSize;
        fLevels = aLevels;
        if (!BuildChildren(fpRoot, aLevels - 1)) {
            delete fpRoot;
            fpRoot = nullptr;
            return false;
        }
        return true;
    }

    // Allocates and places the children of a leaf.
    static bool SetupChildren(Node* apNode) {
        if (apNode == nullptr || apNode->children != nullptr) {
            VO_ASSERT_FAILURE(VoLooseTreeText::kSetupChildren);
            return false;
        }
        Node* children = VO_NEW Node[Node::kChildren];
        if (children == nullptr) {
            VO_ERROR(VoLooseTreeText::kAllocationFailure);
            return false;
        }
        const float quarter = apNode->halfSize * 0.25f;
        for (int i = 0; i < Node::kChildren; ++i) {
            Place(children[i], apNode, apNode->centre + Node::Offset(i, quarter), apNode->halfSize * 0.5f);
        }
        apNode->children = children;
        return true;
    }

    bool Insert(void* apObject, const Box& aBounds, const char* apOperation) {
        if (!IsCreated(apOperation)) {
            return false;
        }
        if (apObject == nullptr) {
            VO_ASSERT_FAILURE(VoLooseTreeText::kInsertNull);
            return false;
        }
        // The deepest level whose nominal cell edge (size * 0.5^depth) is
        // still at least the object's extent.
        const float extent = aBounds.GetMaxExtent();
        int depth = 0;
        for (float edge = fSize * 0.5f; depth < fLevels - 1 && extent <= edge; edge *= 0.5f) {
            ++depth;
        }
        // Bounds outside the root descend all the same, to an outer cell.
        const Vector centre = (aBounds.min + aBounds.max) * 0.5f;
        Node* node = fpRoot;
        for (int d = 0; d < depth; ++d) {
            node = &node->children[ChildIndexToward(*node, centre)];
        }
        return node->objects.Add(apObject);
    }

    bool GetAllNodes(VoVector& aOut, const char* apOperation) const {
        return Collect(aOut, false, apOperation, [](const Node&) { return true; });
    }

    bool GetNodesContainingPt(const Vector& aPoint, VoVector& aOut, bool aNonEmptyOnly,
                              const char* apOperation) const {
        return Collect(aOut, aNonEmptyOnly, apOperation,
                       [&aPoint](const Node& aNode) { return aNode.looseBounds.Contains(aPoint); });
    }

    bool GetNodesIntersectingRay(const Vector& aOrigin, const Vector& aDirection, VoVector& aOut,
                                 bool aNonEmptyOnly, const char* apOperation) const {
        return Collect(aOut, aNonEmptyOnly, apOperation, [&aOrigin, &aDirection](const Node& aNode) {
            return aNode.looseBounds.IntersectsRay(aOrigin, aDirection);
        });
    }

    // A query that is declared but not implemented.
    bool NotImplemented(VoVector& aOut, const char* apOperation) const {
        if (!IsCreated(apOperation)) {
            return false;
        }
        aOut.Clear();
        VO_ASSERT_FAILURE(VoLooseTreeText::kNotImplemented);
        return false;
    }

private:
    static void Place(Node& aNode, Node* apParent, const Vector& aCentre, float aHalfSize) {
        aNode.centre = aCentre;
        aNode.depth = apParent == nullptr ? 0 : apParent->depth + 1;
        aNode.halfSize = aHalfSize;
        aNode.looseBounds.min = aCentre - aHalfSize;
        aNode.looseBounds.max = aCentre + aHalfSize;
        aNode.parent = apParent;
    }

    static bool BuildChildren(Node* apNode, int aRemaining) {
        if (aRemaining < 1) {
            return true;
        }
        if (!SetupChildren(apNode)) {
            return false;
        }
        for (int i = 0; i < Node::kChildren; ++i) {
            if (!BuildChildren(&apNode->children[i], aRemaining - 1)) {
                return false;
            }
        }
        return true;
    }

    // The child whose nominal cell holds aPoint; a coordinate on the
    // centre's goes to the + side.
    static int ChildIndexToward(const Node& aNode, const Vector& aPoint) {
        int index = 0;
        for (int axis = 0; axis < Node::kAxes; ++axis) {
            index = index * 2 + (aNode.centre[axis] <= aPoint[axis] ? 1 : 0);
        }
        return index;
    }

    bool IsCreated(const char* apOperation) const {
        if (fpRoot == nullptr) {
            VO_ASSERT_FAILURE(apOperation, VoLooseTreeText::kNotCreated);
            return false;
        }
        return true;
    }

    // Clears aOut and lists in pre-order every cell that passes aTest; a
    // cell that fails is skipped with its subtree. With aNonEmptyOnly a
    // passing cell is listed only when it holds objects, but its children
    // are visited all the same.
    template <typename Test>
    bool Collect(VoVector& aOut, bool aNonEmptyOnly, const char* apOperation, Test&& aTest) const {
        if (!IsCreated(apOperation)) {
            return false;
        }
        aOut.Clear();
        return Visit(*fpRoot, aOut, aNonEmptyOnly, aTest);
    }

    template <typename Test>
    static bool Visit(Node& aNode, VoVector& aOut, bool aNonEmptyOnly, Test& aTest) {
        if (!aTest(aNode)) {
            return true;
        }
        if ((!aNonEmptyOnly || aNode.objects.GetCount() > 0) && !aOut.Add(&aNode)) {
            return false;
        }
        if (aNode.children != nullptr) {
            for (int i = 0; i < Node::kChildren; ++i) {
                if (!Visit(aNode.children[i], aOut, aNonEmptyOnly, aTest)) {
                    return false;
                }
            }
        }
        return true;
    }

    Node* fpRoot = nullptr;  // owned; null until Create
    float fSize = 0.0f;
    std::int32_t fLevels = 0;
};
