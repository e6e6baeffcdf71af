#include "geometry/VoQuadTreeLoose.h"

bool VoQuadTreeLoose::Create(const VoVector2& aCentre, float aSize, int aLevels) {
    return fTree.Create(aCentre, aSize, aLevels);
}

bool VoQuadTreeLoose::Insert(VoBase* apObject, const VoBox2& aBounds) {
    return fTree.Insert(apObject, aBounds, "Insert");
}

bool VoQuadTreeLoose::GetAllNodes(VoVector& aOut) const {
    return fTree.GetAllNodes(aOut, "GetAllNodes");
}

bool VoQuadTreeLoose::GetNodesContainingPt(const VoVector2& aPoint, VoVector& aOut,
                                           bool aNonEmptyOnly) const {
    return fTree.GetNodesContainingPt(aPoint, aOut, aNonEmptyOnly, "GetNodesContainingPt");
}

bool VoQuadTreeLoose::GetNodesIntersecting(const VoBox2& /*aBox*/, VoVector& aOut,
                                           bool /*aNonEmptyOnly*/) const {
    return fTree.NotImplemented(aOut, "GetNodesIntersecting");
}

bool VoQuadTreeLoose::GetNodesIntersectingRay(const VoVector2& /*aOrigin*/, const VoVector2& /*aDirection*/,
                                              VoVector& aOut, bool /*aNonEmptyOnly*/) const {
    return fTree.NotImplemented(aOut, "GetNodesIntersectingRay");
}

bool VoQuadTreeLoose::SetupChildren(VoQuadTreeLooseNode* apNode) {
    return VoLooseTree<VoQuadTreeLooseNode>::SetupChildren(apNode);
}

int VoQuadTreeLoose::Classify(int aOrientation, float aValue, const VoBox2& aBox) {
    float min = 0.0f;
    float max = 0.0f;
    if (aOrientation == 0) {
        min = aBox.min.x;
        max = aBox.max.x;
    } else if (aOrientation == 1) {
        min = aBox.min.y;
        max = aBox.max.y;
    } else {
        VO_ASSERT_FAILURE(kInvalidOrientation);
        return 2;
    }
    if (aValue <= min) {
        return -1;
    }
    return aValue >= max ? 1 : 0;
}
