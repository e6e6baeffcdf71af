#pragma once
// A path of cubic Bezier segments drawn as one polyline: each segment is a
// VoSpline of four control points sampled at 100 steps. Joined segments
// share their end points (4, 7, 10, ... points, segment i from point 3i);
// separate ones do not (a multiple of 4 points, segment i from point 4i),
// and the line then runs straight from the end of one segment to the second
// sample of the next. Only the stroke is built: a Bezier shape is never
// filled.
#include <cstdint>

#include "gdi/VoIShape.h"

class VoSpline;
class VoVector2;
class VoVector3;

class VoSBezier : public VoIShape {
public:
    static constexpr const char* kCreateBadCount = "Create failure. Bad point count.";
    static constexpr const char* kCreateNull = "Create failure. NULL arg.";
    static constexpr const char* kCreateNoMemory = "Create failure. Could not allocate segments.";
    static constexpr const char* kGetControlPointsInvalid = "GetControlPoints failure. Invalid arg.";
    static constexpr const char* kGetPathPointsNull = "GetPathPoints failure. NULL arg.";

    VoSBezier();
    // Deletes every segment and the array.
    ~VoSBezier() override;

    VoString ToString() const override;
    bool Render(VoRenderer* apRenderer) override;
    // For a dirty shape with segments: the samples of every segment (the
    // first sample of each later segment left out) replace the stroke
    // buffer, stroked or not. False without segments, when not dirty, and,
    // with the assertion kUpdateShapeFailure, when a segment gives no
    // samples.
    bool UpdateShape() override;

    // Replaces the segments with the curves of aCount points (a 2D point has
    // z = 0). A count that breaks the rule of the layout (negative counts
    // too) gives the assertion kCreateBadCount; null points for a count that
    // makes segments give kCreateNull; either way false and the old segments
    // stay. A count of 1 joined or 0 separate gives no segments. The dirty
    // flag is left alone: after a second Create call InvalidateShape.
    bool Create(int aCount, const VoVector2* apPoints, bool aJoined);
    bool Create(int aCount, const VoVector3* apPoints, bool aJoined);

    int GetSegmentCount() const { return fSegmentCount; }
    // Owned by the shape; null outside 0 .. count - 1.
    VoSpline* GetSegment(int aIndex) const;
    // *appOut (which must hold null) receives a new array (the caller's) of
    // the control points in the joined layout: the first point of the first
    // segment, then points 2, 3 and 4 of each segment; 3 x segments + 1 of
    // them, or none (count 0) without segments.
    void GetControlPoints(VoVector3** appOut, int* apCount);
    // *appOut (which must hold null) receives a new array (the caller's) of
    // every segment's samples in turn, all of them; null with count 0
    // without segments. False, logged, for a bad out-argument.
    bool GetPathPoints(VoVector3** appOut, int* apCount);

private:
    // The points of segment i begin at point i x stride; null points are
    // read only when there are segments.
    template <typename Point>
    bool CreateFrom(int aCount, const Point* apPoints, bool aJoined);
    void DeleteSegments();

    int fSegmentCount = 0;
    VoSpline** fppSegments = nullptr;  // owned array of owned segments
};
