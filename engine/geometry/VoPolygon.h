#pragma once
// The engine's 2D polygon: hotspot and hit-area boundaries, shape outlines
// built from layout coordinates, and the "positive" and "negative" walk
// bounds of navigation. A list of points with a closed flag.
//
// Edges: edge i runs from point i to point i + 1; the closing edge, from the
// last point back to the first, counts only while the polygon is closed.
// Containment, orientation and offsets always treat the outline as closed.
//
// The point array always has exactly the number of points (every edit
// reallocates); no spare capacity. Queries that return points take a
// VoVector2** that must hold null on entry and hand back a new array (the
// caller releases it with delete[]) with its count.
//
// The multi-polygon queries (suffix _MP and the static forms) take an array
// of aNumPolys polygons, as navigation keeps its walk bounds.
#include <cstdint>

#include "container/VoBase.h"
#include "geometry/VoIRegion.h"
#include "geometry/VoLine2.h"
#include "geometry/VoVector2.h"

class VoLine3;
class VoRectangle;
class VoVector3;
class VoVectorFloat;

class VoPolygon : public VoBase, public VoIRegion {
public:
    static constexpr const char* kNegativeCount = "Invalid arg. Negative number of points.";
    static constexpr const char* kArgMismatch = "Arg mismatch. No points passed, aNumPoints > 0.";
    static constexpr const char* kAddPointsNull = "Invalid arg. apPoints == NULL";
    static constexpr const char* kSetPointsNull = "Invalid arg. apPoints == NULL.";
    static constexpr const char* kInvalidArgs = "Invalid args.";
    static constexpr const char* kIndexOutOfBounds = "Index out of bounds.";
    static constexpr const char* kAllocationFailure = "Could not allocate fpPoints.";
    static constexpr const char* kIntersectionsNull = "Intersections failure. NULL arg.";
    static constexpr const char* kIntersectionsNoPoints = "Intersections failure. Not enough points.";
    static constexpr const char* kIntersectionsMPNull = "Intersections_MP failure. NULL arg.";
    static constexpr const char* kIntersectionsMPNoPoints = "Intersections_MP failure. Not enough points.";
    static constexpr const char* kPointsInsideNull = "PointsInside failure. NULL arg.";
    static constexpr const char* kPointsInsideNoPoints = "PointsInside failure. Insufficient points.";
    static constexpr const char* kPointsInsideMultiNull = "PointsInsideMultiPolys failure. NULL arg.";
    static constexpr const char* kPointsInsideMultiNoPoints =
        "PointsInsideMultiPolys failure. Insufficient points.";
    static constexpr const char* kSideOfLineNoPoints = "SideOfLine failure. Insufficient points.";
    static constexpr const char* kCloneFailure = "Clone failure. Could not allocate VoPolygon.";

    // IsClockwise halves its probe at most this often before giving up.
    static constexpr int kMaxProbeHalvings = 64;

    // Empty and open.
    VoPolygon();
    // Copies the points. A negative count, or null points with a positive
    // count, logs and gives an empty polygon; null with 0 is silently empty.
    VoPolygon(const VoVector2* apPoints, int aNumPoints, bool aClosed);
    // x, y pairs in order; an odd last number is ignored.
    VoPolygon(const VoVectorFloat& aCoords, bool aClosed);
    // The four corners from (x, y) in the order +x, +y, -x; closed.
    explicit VoPolygon(const VoRectangle& aRectangle);
    // A source without points gives an empty, open polygon.
    VoPolygon(const VoPolygon& aOther);
    VoPolygon& operator=(const VoPolygon& aOther);
    ~VoPolygon() override;

    // Appends one point. False only when the larger array cannot be allocated.
    bool AddPoint(float aX, float aY);
    bool AddPoint(const VoVector2& aPoint);
    // Appends aCount points; null points or a negative count log and fail.
    bool AddPoints(const VoVector2* apPoints, int aCount);
    // Replaces the points and the flag; null points or a negative count log
    // and leave the polygon unchanged.
    bool SetPoints(const VoVector2* apPoints, int aCount, bool aClosed);
    // Replaces the points with the x, y pairs. Fewer than two numbers leave
    // no points (the flag unchanged) and give false.
    bool SetPoints(const VoVectorFloat& aCoords, bool aClosed);
    void SetClosed(bool aClosed) { fClosed = aClosed; }
    bool IsClosed() const { return fClosed; }
    // No points, open.
    void Clear();

    VoPolygon& operator+=(const VoVector2& aOffset);
    VoPolygon operator+(const VoVector2& aOffset) const;

    int GetNumPoints() const { return fNumPoints; }
    // A copy; outside 0 .. count - 1 logs "Index out of bounds." and gives (0, 0).
    VoVector2 GetPoint(int aIndex) const;
    // A new copy of the points (a zero-length array when empty).
    bool GetPoints(VoVector2** oppPoints) const;
    // The points themselves, GetNumPoints() long (null when empty); valid
    // until the next edit.
    const VoVector2* PeekPoints() const { return fpPoints; }

    // Even-odd test along a vertical ray towards larger y, each edge taking
    // part over the half-open x range between its ends. A point whose height
    // below an edge is within slope * tolerance + tolerance (the signed
    // slope: steep falling edges get no margin) counts as on the edge; on an
    // edge it behaves as if the edge lay above it when aEdgeFlag is false,
    // below it when true. Fewer than three points contain nothing.
    bool ContainsPoint(const VoVector2& aPoint, bool aEdgeFlag, float aTolerance) const;
    // True at the first polygon that contains the point; aEdgeFlag counts as
    // set when non-zero.
    static bool ContainsPoint_MP(const VoVector2& aPoint, int aNumPolys, const VoPolygon* apPolys,
                                 float aEdgeFlag, float aTolerance);

    // +1 or -1 when every point lies strictly on that side of the line a-b
    // (VoVector2::SideOfLine), 0 when a point lies on it or points lie on both sides.
    int SideOfLine(const VoLine2& aLine) const;
    int SideOfLine(const VoVector2& aA, const VoVector2& aB) const;

    // Whether the edge seen highest above a vertical probe runs towards
    // smaller x: clockwise on screen, where y grows downwards. False when no
    // edge spans any x (fewer than two points, or all on one vertical).
    bool IsClockwise() const;
    // aOut (cleared first) becomes the outline with every edge moved by
    // |aDistance|: for a positive distance the edges of a clockwise polygon
    // move along (y, -x) of their direction, the others along (-y, x); a
    // negative distance does the reverse. Each vertex becomes the meeting
    // point of its two moved edges, or the moved vertex itself where they
    // do not meet. Fewer than three points, or a distance of exactly 0,
    // leave aOut empty. Returns aOut.
    VoPolygon& Offset(float aDistance, VoPolygon& aOut) const;
    // The line from vertex aIndex halfway between its neighbours, both taken
    // at the shorter neighbour's distance. aOut keeps its type. False for a
    // bad index.
    bool GetBisector(int aIndex, VoLine2& aOut) const;

    // Where the edges, as segments in order, meet aLine. Where the line runs
    // through a vertex in the non-strict mode both edges report it, so the
    // point appears twice. False with *apCount 0 when none meet.
    bool Intersections(const VoLine2& aLine, int* apCount, VoVector2** oppPoints, bool aStrict) const;
    // The same over every polygon in order.
    static bool Intersections_MP(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                 VoVector2** oppPoints, bool aStrict);
    // Whether any edge meets aLine.
    bool IntersectsLine(const VoLine2& aLine, bool aStrict, float aTolerance) const;
    static bool IntersectsLine_MP(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, bool aStrict,
                                  float aTolerance);

    // This polygon's points that aRegion contains (its region test).
    bool PointsInside(const VoPolygon& aRegion, int* apCount, VoVector2** oppPoints) const;
    // The points of the listed polygons that this polygon contains.
    bool PointsInsideMultiPolys(int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                VoVector2** oppPoints) const;

    // A point towards aTarget (its p2 is the goal) that can be reached from
    // aFrom in a straight line without crossing an edge: the goal itself when
    // the way is free, else the last candidate that passes among p1, the
    // target line's crossings with the edges and the projections onto it of
    // the vertices inside the triangle (from, p1, p2). False, aOut untouched,
    // when none passes.
    bool FindVisiblePoint(const VoVector2& aFrom, const VoLine2& aTarget, VoVector2& aOut,
                          float aTolerance) const;
    static bool FindVisiblePoint(const VoVector2& aFrom, const VoLine2& aTarget, int aNumPolys,
                                 const VoPolygon* apPolys, VoVector2& aOut, float aTolerance);

    // VoIRegion.
    VoIRegion* Clone() const override;
    // ContainsPoint(aPoint, false, 0).
    bool ContainsPoint(const VoVector2& aPoint) const override;
    int GetType() const override { return kPolygon; }
    void Transform(const VoMatrix& aMatrix) override;
    void Translate(const VoVector2& aOffset) override;

    // "[VoPolygon <address>> numpoints:4, closed:true, points:,(0.000000,0.000000),...]".
    VoString ToString() const override;

private:
    // Edges 0 .. n - 2, plus the closing edge while closed.
    int GetEdgeCount() const;
    // Edge aIndex as a segment; the one after the last point wraps to the first.
    VoLine2 GetEdge(int aIndex) const;
    // The point before and after aIndex, wrapping at both ends.
    const VoVector2& Previous(int aIndex) const;
    const VoVector2& Next(int aIndex) const;
    // Replaces the array with a new one of aCount points: apFirst's aFirstCount
    // then apSecond's. False, nothing changed, when it cannot be allocated.
    bool Replace(const VoVector2* apFirst, int aFirstCount, const VoVector2* apSecond, int aSecondCount);
    // Both intersection queries, with their own messages.
    static bool IntersectionsOver(const VoLine2& aLine, int aNumPolys, const VoPolygon* apPolys, int* apCount,
                                  VoVector2** oppPoints, bool aStrict, const char* apNullArg,
                                  const char* apNoPoints);

    VoVector2* fpPoints = nullptr;  // owned, exactly fNumPoints long
    std::int32_t fNumPoints = 0;
    bool fClosed = false;
};

// Whether aLine meets the triangle a, b, c within its extent. aOut receives
// the hit on the triangle's plane whenever the line is not parallel to it;
// the triangle test is made in 2D on the two axes the normal points least along.
bool IntersectLineTriangle(const VoLine3& aLine, const VoVector3& aA, const VoVector3& aB,
                           const VoVector3& aC, VoVector3& aOut);
