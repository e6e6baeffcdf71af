#include "geometry/VoOctreeLoose.h"

bool VoOctreeLoose::Create(const VoVector3& aCentre, float aSize, int aLevels) {
    return fTree.Create(aCentre, aSize, aLevels);
}

bool VoOctreeLoose::Insert(VoBase* apObject, const VoBox3& aBounds) {
    return fTree.Insert(apObject, aBounds, "Insert");
}

bool VoOctreeLoose::GetAllNodes(VoVector& aOut) const {
    return fTree.GetAllNodes(aOut, "GetAllNodes");
}

bool VoOctreeLoose::GetNodesContainingPt(const VoVector3& aPoint, VoVector& aOut, bool aNonEmptyOnly) const {
    return fTree.GetNodesContainingPt(aPoint, aOut, aNonEmptyOnly, "GetNodesContainingPt");
}

bool VoOctreeLoose::GetNodesIntersectingRay(const VoVector3& aOrigin, const VoVector3& aDirection,
                                            VoVector& aOut, bool aNonEmptyOnly) const {
    return fTree.GetNodesIntersectingRay(aOrigin, aDirection, aOut, aNonEmptyOnly, "GetNodesIntersectingRay");
}

bool VoOctreeLoose::GetNodesIntersecting(const VoBox3& /*aBox*/, VoVector& aOut,
                                         bool /*aNonEmptyOnly*/) const {
    return fTree.NotImplemented(aOut, "GetNodesIntersecting");
}

bool VoOctreeLoose::SetupChildren(VoOctreeLooseNode* apNode) {
    return VoLooseTree<VoOctreeLooseNode>::SetupChildren(apNode);
}
