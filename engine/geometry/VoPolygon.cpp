#include "geometry/VoPolygon.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "container/VoLog.h"
#include "container/VoString.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoGeometryConstants.h"
#include "geometry/VoLine3.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector3.h"
#include "geometry/VoVector4.h"
#include "memory/VoNew.h"

namespace {

constexpr const char* kScratchFailure = "Could not allocate the point array.";
constexpr const char* kContainsPointMPNull = "ContainsPoint_MP failure. NULL arg.";
constexpr const char* kIntersectsLineMPNull = "IntersectsLine_MP failure. NULL arg.";
constexpr const char* kFindVisiblePointNull = "FindVisiblePoint failure. NULL arg.";

// A polygon list is usable when it is empty or non-null.
bool IsPolygonList(int aNumPolys, const VoPolygon* apPolys) {
    return aNumPolys == 0 || (aNumPolys > 0 && apPolys != nullptr);
}

// An out-array slot is usable when both pointers are given and the array slot holds null.
bool IsOutArray(const int* apCount, VoVector2* const* oppPoints) {
    return apCount != nullptr && oppPoints != nullptr && *oppPoints == nullptr;
}

// A scratch array for up to aCount points (at least one slot), or null after logging.
VoVector2* NewScratch(std::int64_t aCount) {
    if (aCount > std::numeric_limits<int>::max()) {
        VO_ERROR(kScratchFailure);
        return nullptr;
    }
    VoVector2* scratch = VO_NEW VoVector2[aCount > 0 ? aCount : 1];
    if (scratch == nullptr) {
        VO_ERROR(kScratchFailure);
    }
    return scratch;
}

// Hands the aFound points of apScratch to the caller in an exact-size array
// and frees the scratch. False with a count of 0 when nothing was found.
bool HandOver(VoVector2* apScratch, int aFound, int* apCount, VoVector2** oppPoints) {
    *apCount = 0;
    if (aFound == 0) {
        delete[] apScratch;
        return false;
    }
    VoVector2* points = VO_NEW VoVector2[aFound];
    if (points == nullptr) {
        VO_ERROR(kScratchFailure);
        delete[] apScratch;
        return false;
    }
    for (int i = 0; i < aFound; ++i) {
        points[i] = apScratch[i];
    }
    delete[] apScratch;
    *oppPoints = points;
    *apCount = aFound;
    return true;
}

// The frame of the queries that hand back points: the argument checks (as
// assertion failures), a scratch array of aScratchSize, aCollect(scratch)
// giving the number found, and the exact-size result.
template <typename Collect>
bool RunPointQuery(int* apCount, VoVector2** oppPoints, bool aListValid, const char* apNullArg,
                   bool aHasPoints, const char* apNoPoints, std::int64_t aScratchSize, Collect&& aCollect) {
    if (!IsOutArray(apCount, oppPoints) || !aListValid) {
        VO_ASSERT_FAILURE(apNullArg);
        return false;
    }
    if (!aHasPoints) {
        VO_ASSERT_FAILURE(apNoPoints);
        return false;
    }
    VoVector2* scratch = NewScratch(aScratchSize);
    if (scratch == nullptr) {
        return false;
    }
    return HandOver(scratch, aCollect(scratch), apCount, oppPoints);
}

// Whether VoLine2::Intersect refuses the pair as parallel, leaving its output
// unwritten: slopes closer than the parallel tolerance, or both vertical
// (whatever the sign of their rise).
bool RefusedAsParallel(const VoLine2& aA, const VoLine2& aB) {
    const float slopeA = aA.Slope();
    const float slopeB = aB.Slope();
    return std::fabs(slopeA - slopeB) < kVoParallelSlopes ||
           (std::fabs(slopeA) > kVoVerticalSlope && std::fabs(slopeB) > kVoVerticalSlope);
}

// The visibility search shared by both forms of FindVisiblePoint, which
// differ only in the obstacles they test:
//   aBlocked(segment, tolerance): whether an edge meets the segment (strict);
//   aCrossings(count, points): the target line's crossings with the edges;
//   aInside(triangle, count, points): the obstacle points inside the triangle.
// aClearTolerance is the tolerance of the tests towards the two target ends.
template <typename Blocked, typename Crossings, typename Inside>
bool FindVisible(const VoVector2& aFrom, const VoLine2& aTarget, VoVector2& aOut, float aTolerance,
                 float aClearTolerance, Blocked&& aBlocked, Crossings&& aCrossings, Inside&& aInside) {
    if (!aBlocked(VoLine2(aFrom, aTarget.p2, VoLine2::kSegment), aClearTolerance)) {
        aOut = aTarget.p2;
        return true;
    }

    int crossingCount = 0;
    VoVector2* crossings = nullptr;  // owned
    aCrossings(&crossingCount, &crossings);

    const VoVector2 corners[3] = {aFrom, aTarget.p1, aTarget.p2};
    const VoPolygon triangle(corners, 3, true);
    int insideCount = 0;
    VoVector2* inside = nullptr;  // owned
    aInside(triangle, &insideCount, &inside);

    bool found = false;
    VoVector2 best;
    const VoLine2 toStart(aFrom, aTarget.p1, VoLine2::kSegment);
    if (!aBlocked(toStart, aClearTolerance)) {
        found = true;
        best = aTarget.p1;
    }

    // Once a candidate is found, later ones count only on the side of the
    // line from the start to p1 where the start lies against the target.
    const int side = aTarget.SideOfPoint(aFrom);
    auto skipped = [&](const VoVector2& aPoint) { return found && toStart.SideOfPoint(aPoint) != side; };

    for (int i = 0; i < crossingCount; ++i) {
        if (skipped(crossings[i])) {
            continue;
        }
        if (!aBlocked(VoLine2(aFrom, crossings[i], VoLine2::kSegment), aTolerance)) {
            found = true;
            best = crossings[i];
        }
    }

    for (int i = 0; i < insideCount; ++i) {
        if (skipped(inside[i])) {
            continue;
        }
        const VoLine2 ray(aFrom, inside[i], VoLine2::kRay);
        // A ray along the target never reaches its carrying line: no candidate.
        if (RefusedAsParallel(aTarget, ray)) {
            continue;
        }
        // The meeting point counts even where it lies outside the target's
        // extent: only the way to it is tested.
        VoVector2 projected;
        static_cast<void>(aTarget.Intersect(ray, projected, false, kVoNearZero));
        if (!aBlocked(VoLine2(aFrom, projected, VoLine2::kSegment), aTolerance)) {
            found = true;
            best = projected;
        }
    }

    delete[] crossings;
    delete[] inside;
    if (!found) {
        return false;
    }
    aOut = best;
    return true;
}

}  // namespace

VoPolygon::VoPolygon() = default;

VoPolygon::VoPolygon(const VoVector2* apPoints, int aNumPoints, bool aClosed) {
    if (aNumPoints < 0) {
        VO_ERROR(kNegativeCount);
        return;
    }
    if (apPoints == nullptr && aNumPoints > 0) {
        VO_ERROR(kArgMismatch);
        return;
    }
    if (Replace(apPoints, aNumPoints, nullptr, 0)) {
        fClosed = aClosed;
    }
}

VoPolygon::VoPolygon(const VoVectorFloat& aCoords, bool aClosed) {
    SetPoints(aCoords, aClosed);
}

VoPolygon::VoPolygon(const VoRectangle& aRectangle) {
    const VoVector2 corners[4] = {
        VoVector2(aRectangle.x, aRectangle.y),
        VoVector2(aRectangle.x + aRectangle.width, aRectangle.y),
        VoVector2(aRectangle.x + aRectangle.width, aRectangle.y + aRectangle.height),
        VoVector2(aRectangle.x, aRectangle.y + aRectangle.height),
    };
    if (Replace(corners, 4, nullptr, 0)) {
        fClosed = true;
    }
}

VoPolygon::VoPolygon(const VoPolygon& aOther) : VoBase(), VoIRegion() {
    if (aOther.fNumPoints > 0 && Replace(aOther.fpPoints, aOther.fNumPoints, nullptr, 0)) {
        fClosed = aOther.fClosed;
    }
}

VoPolygon& VoPolygon::operator=(const VoPolygon& aOther) {
    if (this == &aOther) {
        return *this;
    }
    if (aOther.fNumPoints == 0) {
        Clear();
    } else if (Replace(aOther.fpPoints, aOther.fNumPoints, nullptr, 0)) {
        fClosed = aOther.fClosed;
    }
    return *this;
}

VoPolygon::~VoPolygon() {
    delete[] fpPoints;
}

bool VoPolygon::Replace(const VoVector2* apFirst, int aFirstCount, const VoVector2* apSecond,
                        int aSecondCount) {
    const std::int64_t total = static_cast<std::int64_t>(aFirstCount) + aSecondCount;
    VoVector2* points = nullptr;
    if (total > 0) {
        if (total > std::numeric_limits<int>::max()) {
            VO_ERROR(kAllocationFailure);
            return false;
        }
        points = VO_NEW VoVector2[total];
        if (points == nullptr) {
            VO_ERROR(kAllocationFailure);
            return false;
        }
    }
    for (int i = 0; i < aFirstCount; ++i) {
        points[i] = apFirst[i];
    }
    for (int i = 0; i < aSecondCount; ++i) {
        points[aFirstCount + i] = apSecond[i];
    }
    delete[] fpPoints;
    fpPoints = points;
    fNumPoints = static_cast<std::int32_t>(total);
    return true;
}

bool VoPolygon::AddPoint(float aX, float aY) {
    return AddPoint(VoVector2(aX, aY));
}

bool VoPolygon::AddPoint(const VoVector2& aPoint) {
    return Replace(fpPoints, fNumPoints, &aPoint, 1);
}

bool VoPolygon::AddPoints(const VoVector2* apPoints, int aCount) {
    if (apPoints == nullptr) {
        VO_ERROR(kAddPointsNull);
        return false;
    }
    if (aCount < 0) {
        VO_ERROR(kNegativeCount);
        return false;
    }
    return Replace(fpPoints, fNumPoints, apPoints, aCount);
}

bool VoPolygon::SetPoints(const VoVector2* apPoints, int aCount, bool aClosed) {
    if (apPoints == nullptr) {
        VO_ERROR(kSetPointsNull);
        return false;
    }
    if (aCount < 0) {
        VO_ERROR(kNegativeCount);
        return false;
    }
    if (!Replace(apPoints, aCount, nullptr, 0)) {
        return false;
    }
    fClosed = aClosed;
    return true;
}

bool VoPolygon::SetPoints(const VoVectorFloat& aCoords, bool aClosed) {
    const int count = aCoords.GetCount() / 2;
    if (count == 0) {
        Replace(nullptr, 0, nullptr, 0);
        return false;
    }
    VoVector2* points = VO_NEW VoVector2[count];
    if (points == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        points[i].Set(aCoords.GetAt(2 * i), aCoords.GetAt(2 * i + 1));
    }
    delete[] fpPoints;
    fpPoints = points;
    fNumPoints = count;
    fClosed = aClosed;
    return true;
}

void VoPolygon::Clear() {
    delete[] fpPoints;
    fpPoints = nullptr;
    fNumPoints = 0;
    fClosed = false;
}

VoPolygon& VoPolygon::operator+=(const VoVector2& aOffset) {
    Translate(aOffset);
    return *this;
}

VoPolygon VoPolygon::operator+(const VoVector2& aOffset) const {
    VoPolygon moved(*this);
    moved.Translate(aOffset);
    return moved;
}

VoVector2 VoPolygon::GetPoint(int aIndex) const {
    if (aIndex < 0 || aIndex >= fNumPoints) {
        VO_ERROR(kIndexOutOfBounds);
        return VoVector2();
    }
    return fpPoints[aIndex];
}

bool VoPolygon::GetPoints(VoVector2** oppPoints) const {
    if (oppPoints == nullptr || *oppPoints != nullptr) {
        VO_ERROR(kInvalidArgs);
        return false;
    }
    VoVector2* points = VO_NEW VoVector2[fNumPoints];
    if (points == nullptr) {
        VO_ERROR(kAllocationFailure);
        return false;
    }
    for (int i = 0; i < fNumPoints; ++i) {
        points[i] = fpPoints[i];
    }
    *oppPoints = points;
    return true;
}

int VoPolygon::GetEdgeCount() const {
    if (fNumPoints == 0) {
        return 0;
    }
    return fClosed ? fNumPoints : fNumPoints - 1;
}

VoLine2 VoPolygon::GetEdge(int aIndex) const {
    return VoLine2(fpPoints[aIndex], Next(aIndex), VoLine2::kSegment);
}

const VoVector2& VoPolygon::Previous(int aIndex) const {
    return fpPoints[aIndex == 0 ? fNumPoints - 1 : aIndex - 1];
}

const VoVector2& VoPolygon::Next(int aIndex) const {
    return fpPoints[aIndex + 1 == fNumPoints ? 0 : aIndex + 1];
}

bool VoPolygon::ContainsPoint(const VoVector2& aPoint, bool aEdgeFlag, float aTolerance) const {
    if (fNumPoints < 3) {
        return false;
    }
    bool inside = false;
    for (int i = 0, j = fNumPoints - 1; i < fNumPoints; j = i++) {
        const VoVector2& a = fpPoints[j];
        const VoVector2& b = fpPoints[i];
        // Half-open in x, so a vertex straight below or above the point is
        // crossed once, and a vertical edge never takes part.
        if (!((a.x <= aPoint.x && aPoint.x < b.x) || (b.x <= aPoint.x && aPoint.x < a.x))) {
            continue;
        }
        const float slope = (b.y - a.y) / (b.x - a.x);
        const float intercept = b.y - slope * b.x;
        const float height = intercept - (aPoint.y - slope * aPoint.x);
        // The signed slope is deliberate: hit areas were drawn against this margin.
        const float threshold = slope * aTolerance + aTolerance;
        if (std::fabs(height) <= threshold) {
            if (!aEdgeFlag) {
                inside = !inside;
            }
        } else if (height > 0.0f) {
            inside = !inside;
        }
    }
    return inside;
}

bool VoPolygon::ContainsPoint_MP(const VoVector2& aPoint, int aNumPolys, const VoPolygon* apPolys,
                                 float aEdgeFlag, float aTolerance) {
    if (!IsPolygonList(aNumPolys, apPolys)) {
        VO_ASSERT_FAILURE(kContainsPointMPNull);
        return false;
    }
    for (int i = 0; i < aNumPolys; ++i) {
        if (apPolys[i].ContainsPoint(aPoint, aEdgeFlag != 0.0f, aTolerance)) {
            return true;
        }
    }
    return false;
}

int VoPolygon::SideOfLine(const VoLine2& aLine) const {
    return SideOfLine(aLine.p1, aLine.p2);
}

int VoPolygon::SideOfLine(const VoVector2& aA, const VoVector2& aB) const {
    if (fNumPoints == 0) {
        VO_ASSERT_FAILURE(kSideOfLineNoPoints);
        return 0;
    }
    int negative = 0;
    int positive = 0;
    for (int i = 0; i < fNumPoints; ++i) {
        const int side = fpPoints[i].SideOfLine(aA, aB);
        if (side == 0) {
            return 0;
        }
        if (side > 0) {
            if (negative > 0) {
                return 0;
            }
            ++positive;
        } else {
            if (positive > 0) {
                return 0;
            }
            ++negative;
        }
    }
    return negative > positive ? -1 : 1;
}

bool VoPolygon::IsClockwise() const {
    int first = -1;
    for (int i = 0; i < fNumPoints; ++i) {
        if (fpPoints[i].x != Next(i).x) {
            first = i;
            break;
        }
    }
    if (first < 0) {
        return false;
    }

    // A probe through a vertex would meet two edges there; slide it towards
    // the edge's start until it passes between vertices.
    const VoVector2 a = fpPoints[first];
    VoVector2 b = Next(first);
    VoVector2 probePoint = (a + b) * 0.5f;
    for (int halvings = 0;; ++halvings) {
        bool onVertex = false;
        for (int i = 0; i < fNumPoints && !onVertex; ++i) {
            onVertex = fpPoints[i].x == probePoint.x;
        }
        if (!onVertex) {
            break;
        }
        if (halvings == kMaxProbeHalvings) {
            return false;
        }
        b = probePoint;
        probePoint = (a + b) * 0.5f;
    }

    const VoLine2 probe(probePoint, probePoint + VoVector2(0.0f, 1.0f), VoLine2::kLine);
    VoVector2 best = probePoint;
    int bestEdge = first;
    for (int j = 0; j < fNumPoints; ++j) {
        VoVector2 hit;
        if (GetEdge(j).Intersect(probe, hit, false, kVoNearZero) && hit.y > best.y) {
            best = hit;
            bestEdge = j;
        }
    }
    return fpPoints[bestEdge].x > Next(bestEdge).x;
}

VoPolygon& VoPolygon::Offset(float aDistance, VoPolygon& aOut) const {
    if (fNumPoints < 3 || aDistance == 0.0f) {
        aOut.Clear();
        return aOut;
    }
    const bool clockwise = IsClockwise();
    const int direction = ((aDistance > 0.0f && clockwise) || (aDistance < 0.0f && !clockwise)) ? 1 : -1;
    const float amount = std::fabs(aDistance);

    // Built aside so that aOut may be this polygon.
    const int count = fNumPoints;
    VoVector2* points = VO_NEW VoVector2[count];
    if (points == nullptr) {
        VO_ERROR(kAllocationFailure);
        aOut.Clear();
        return aOut;
    }
    for (int i = 0; i < count; ++i) {
        const VoVector2& previous = Previous(i);
        const VoVector2& vertex = fpPoints[i];
        const VoVector2& next = Next(i);
        VoLine2 movedIn;
        VoLine2(previous, vertex, VoLine2::kSegment).Offset(amount, direction, movedIn);
        // The moved vertex, unless the moved edges meet elsewhere.
        points[i] = movedIn.p2;
        if (next.SideOfLine(previous, vertex) != 0) {
            VoLine2 movedOut;
            VoLine2(vertex, next, VoLine2::kSegment).Offset(amount, direction, movedOut);
            static_cast<void>(movedIn.Intersect(movedOut, points[i], false, kVoNearZero));
        }
    }
    const bool closed = fClosed;
    aOut.Clear();
    aOut.fpPoints = points;
    aOut.fNumPoints = count;
    aOut.fClosed = closed;
    return aOut;
}

bool VoPolygon::GetBisector(int aIndex, VoLine2& aOut) const {
    if (aIndex < 0 || aIndex >= fNumPoints) {
        return false;
    }
    const VoVector2& vertex = fpPoints[aIndex];
    VoLine2 toPrevious(vertex, Previous(aIndex), VoLine2::kSegment);
    VoLine2 toNext(vertex, Next(aIndex), VoLine2::kSegment);
    const float previousLength = toPrevious.Length();
    const float nextLength = toNext.Length();
    if (previousLength >= nextLength) {
        toPrevious.p2 = vertex + toPrevious.GetDirection() * nextLength;
    } else {
        toNext.p2 = vertex + toNext.GetDirection() * previousLength;
    }
    aOut.p1 = vertex;
    aOut.p2 = (toPrevious.p2 + toNext.p2) * 0.5f;
    return true;
}

bool VoPolygon::Intersections(const VoLine2& aLine, int* apCount, VoVector2** oppPoints, bool aStrict) const {
    return IntersectionsOver(aLine, 1, this, apCount, oppPoints, aStrict, kIntersectionsNull,
                             kIntersectionsNoPoints);
}

bool VoPolygon::Intersections_MP(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                 VoVector2** oppPoints, bool aStrict) {
    return IntersectionsOver(aLine, aNumPolys, apPolys, apCount, oppPoints, aStrict, kIntersectionsMPNull,
                             kIntersectionsMPNoPoints);
}

bool VoPolygon::IntersectionsOver(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                  VoVector2** oppPoints, bool aStrict, const char* apNullArg,
                                  const char* apNoPoints) {
    // Each edge meets the line at one point at most, and there are no more
    // edges than points.
    const bool listValid = IsPolygonList(aNumPolys, apPolys);
    bool allHavePoints = true;
    std::int64_t total = 0;
    for (int i = 0; listValid && i < aNumPolys; ++i) {
        allHavePoints = allHavePoints && apPolys[i].fNumPoints > 0;
        total += apPolys[i].fNumPoints;
    }
    return RunPointQuery(
        apCount, oppPoints, listValid, apNullArg, allHavePoints, apNoPoints, total,
        [&](VoVector2* apScratch) {
            int found = 0;
            for (int i = 0; i < aNumPolys; ++i) {
                const VoPolygon& polygon = apPolys[i];
                const int edges = polygon.GetEdgeCount();
                for (int j = 0; j < edges; ++j) {
                    if (polygon.GetEdge(j).Intersect(aLine, apScratch[found], aStrict, kVoNearZero)) {
                        ++found;
                    }
                }
            }
            return found;
        });
}

bool VoPolygon::IntersectsLine(const VoLine2& aLine, bool aStrict, float aTolerance) const {
    const int edges = GetEdgeCount();
    for (int i = 0; i < edges; ++i) {
        VoVector2 hit;
        if (GetEdge(i).Intersect(aLine, hit, aStrict, aTolerance)) {
            return true;
        }
    }
    return false;
}

bool VoPolygon::IntersectsLine_MP(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, bool aStrict,
                                  float aTolerance) {
    if (!IsPolygonList(aNumPolys, apPolys)) {
        VO_ASSERT_FAILURE(kIntersectsLineMPNull);
        return false;
    }
    for (int i = 0; i < aNumPolys; ++i) {
        if (apPolys[i].IntersectsLine(aLine, aStrict, aTolerance)) {
            return true;
        }
    }
    return false;
}

bool VoPolygon::PointsInside(const VoPolygon& aRegion, int* apCount, VoVector2** oppPoints) const {
    if (apCount != nullptr) {
        *apCount = 0;
    }
    const VoIRegion& region = aRegion;
    return RunPointQuery(apCount, oppPoints, true, kPointsInsideNull, fNumPoints > 0, kPointsInsideNoPoints,
                         fNumPoints, [&](VoVector2* apScratch) {
                             int found = 0;
                             for (int i = 0; i < fNumPoints; ++i) {
                                 if (region.ContainsPoint(fpPoints[i])) {
                                     apScratch[found++] = fpPoints[i];
                                 }
                             }
                             return found;
                         });
}

bool VoPolygon::PointsInsideMultiPolys(int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                       VoVector2** oppPoints) const {
    if (apCount != nullptr) {
        *apCount = 0;
    }
    const bool listValid = IsPolygonList(aNumPolys, apPolys);
    std::int64_t total = 0;
    for (int i = 0; listValid && i < aNumPolys; ++i) {
        total += apPolys[i].fNumPoints;
    }
    return RunPointQuery(apCount, oppPoints, listValid, kPointsInsideMultiNull, fNumPoints > 0,
                         kPointsInsideMultiNoPoints, total, [&](VoVector2* apScratch) {
                             int found = 0;
                             for (int i = 0; i < aNumPolys; ++i) {
                                 const VoPolygon& polygon = apPolys[i];
                                 for (int j = 0; j < polygon.fNumPoints; ++j) {
                                     if (ContainsPoint(polygon.fpPoints[j])) {
                                         apScratch[found++] = polygon.fpPoints[j];
                                     }
                                 }
                             }
                             return found;
                         });
}

bool VoPolygon::FindVisiblePoint(const VoVector2& aFrom, const VoLine2& aTarget, VoVector2& aOut,
                                 float aTolerance) const {
    return FindVisible(
        aFrom, aTarget, aOut, aTolerance, kVoNearZero,
        [this](const VoLine2& aSegment, float aTestTolerance) {
            return IntersectsLine(aSegment, true, aTestTolerance);
        },
        [this, &aTarget](int* apCount, VoVector2** oppPoints) {
            return Intersections(aTarget, apCount, oppPoints, false);
        },
        [this](const VoPolygon& aTriangle, int* apCount, VoVector2** oppPoints) {
            return PointsInside(aTriangle, apCount, oppPoints);
        });
}

bool VoPolygon::FindVisiblePoint(const VoVector2& aFrom, const VoLine2& aTarget, int aNumPolys,
                                 const VoPolygon* apPolys, VoVector2& aOut, float aTolerance) {
    if (!IsPolygonList(aNumPolys, apPolys)) {
        VO_ASSERT_FAILURE(kFindVisiblePointNull);
        return false;
    }
    return FindVisible(
        aFrom, aTarget, aOut, aTolerance, aTolerance,
        [aNumPolys, apPolys](const VoLine2& aSegment, float aTestTolerance) {
            return IntersectsLine_MP(aSegment, aNumPolys, apPolys, true, aTestTolerance);
        },
        [aNumPolys, apPolys, &aTarget](int* apCount, VoVector2** oppPoints) {
            return Intersections_MP(aTarget, aNumPolys, apPolys, apCount, oppPoints, true);
        },
        [aNumPolys, apPolys](const VoPolygon& aTriangle, int* apCount, VoVector2** oppPoints) {
            return aTriangle.PointsInsideMultiPolys(aNumPolys, apPolys, apCount, oppPoints);
        });
}

VoIRegion* VoPolygon::Clone() const {
    VoPolygon* copy = VO_NEW VoPolygon(*this);
    if (copy == nullptr) {
        VO_ERROR(kCloneFailure);
        return nullptr;
    }
    return copy;
}

bool VoPolygon::ContainsPoint(const VoVector2& aPoint) const {
    return ContainsPoint(aPoint, false, 0.0f);
}

void VoPolygon::Transform(const VoMatrix& aMatrix) {
    for (int i = 0; i < fNumPoints; ++i) {
        const VoVector3 in(fpPoints[i].x, fpPoints[i].y, 0.0f);
        VoVector3 out;
        TransformCoord(&out, &aMatrix, &in);
        fpPoints[i].Set(out.x, out.y);
    }
}

void VoPolygon::Translate(const VoVector2& aOffset) {
    for (int i = 0; i < fNumPoints; ++i) {
        fpPoints[i] += aOffset;
    }
}

VoString VoPolygon::ToString() const {
    VoString text("[VoPolygon <");
    text.Append(static_cast<const void*>(this));
    text.Append("> numpoints:");
    text.Append(fNumPoints);
    text.Append(", closed:");
    text.Append(fClosed);
    text.Append(", points:");
    for (int i = 0; i < fNumPoints; ++i) {
        text.Append(",(");
        text.Append(fpPoints[i].x);
        text.Append(",");
        text.Append(fpPoints[i].y);
        text.Append(")");
    }
    text.Append("]");
    return text;
}

VoRectangle::VoRectangle(const VoPolygon& aPolygon) : x(0.0f), y(0.0f), width(0.0f), height(0.0f) {
    const int count = aPolygon.GetNumPoints();
    if (count == 0) {
        return;
    }
    VoVector2 min = aPolygon.GetPoint(0);
    VoVector2 max = min;
    for (int i = 0; i < count; ++i) {
        const VoVector2 point = aPolygon.GetPoint(i);
        if (point.x < min.x) {
            min.x = point.x;
        } else if (point.x > max.x) {
            max.x = point.x;
        }
        if (point.y < min.y) {
            min.y = point.y;
        } else if (point.y > max.y) {
            max.y = point.y;
        }
    }
    Set(min.x, min.y, max.x - min.x, max.y - min.y);
}

bool IntersectLineTriangle(const VoLine3& aLine, const VoVector3& aA, const VoVector3& aB,
                           const VoVector3& aC, VoVector3& aOut) {
    VoVector4 plane;
    plane.SetPlaneFromPoints(aA, aB, aC);
    if (!plane.IntersectLine(aLine, aOut)) {
        return false;
    }
    // Drop the axis the normal points most along (the lower axis on ties)
    // and test in the plane of the other two, where the triangle is largest.
    const float normal[3] = {std::fabs(plane.x), std::fabs(plane.y), std::fabs(plane.z)};
    int dropped = 0;
    if (normal[1] > normal[dropped]) {
        dropped = 1;
    }
    if (normal[2] > normal[dropped]) {
        dropped = 2;
    }
    auto project = [dropped](const VoVector3& aPoint) {
        switch (dropped) {
            case 0:
                return VoVector2(aPoint.y, aPoint.z);
            case 1:
                return VoVector2(aPoint.x, aPoint.z);
            default:
                return VoVector2(aPoint.x, aPoint.y);
        }
    };
    const VoVector2 corners[3] = {project(aA), project(aB), project(aC)};
    const VoPolygon triangle(corners, 3, true);
    const VoIRegion& region = triangle;
    return region.ContainsPoint(project(aOut));
}
