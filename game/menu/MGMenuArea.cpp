#include "menu/MGMenuArea.h"

#include <algorithm>
#include <cmath>

#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"

namespace {

// How far from an edge a point still lies on it: the rounding of its
// coordinates, no more.
constexpr float kEdgeTolerance = 1.0e-3f;

bool OnSegment(const VoVector2& aPoint, const VoVector2& aA, const VoVector2& aB) {
    const VoVector2 edge = aB - aA;
    const VoVector2 offset = aPoint - aA;
    const float lengthSquared = edge.x * edge.x + edge.y * edge.y;
    float t = lengthSquared > 0.0f ? (offset.x * edge.x + offset.y * edge.y) / lengthSquared : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float dx = aA.x + edge.x * t - aPoint.x;
    const float dy = aA.y + edge.y * t - aPoint.y;
    return std::sqrt(dx * dx + dy * dy) <= kEdgeTolerance;
}

}  // namespace

VoPolygon* MGMenuArea::Read(VoPropertyList* apNode, const VoString& aKey) {
    if (apNode == nullptr) {
        return nullptr;
    }
    bool found = false;
    const VoVectorFloat numbers = apNode->GetVectorFloat(aKey, &found);
    if (!found) {
        return nullptr;
    }
    VoPolygon* area = VO_NEW VoPolygon();
    for (int i = 0; area != nullptr && i + 1 < numbers.GetCount(); i += 2) {
        area->AddPoint(numbers.GetAt(i), numbers.GetAt(i + 1));
    }
    return area;
}

bool MGMenuArea::Contains(const VoPolygon* apArea, const VoVector2& aPoint) {
    if (apArea == nullptr) {
        return false;
    }
    if (apArea->ContainsPoint(aPoint)) {
        return true;
    }
    const int count = apArea->GetNumPoints();
    const VoVector2* points = apArea->PeekPoints();
    for (int i = 0; points != nullptr && i < count; ++i) {
        if (OnSegment(aPoint, points[i], points[i + 1 < count ? i + 1 : 0])) {
            return true;
        }
    }
    return false;
}
