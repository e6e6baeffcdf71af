#pragma once
// One cubic Bezier curve of four 3D control points, sampled at evenly
// spaced parameter steps by forward differencing: three difference vectors
// are prepared once, and each further point is a few vector additions away
// from the previous one. The segment type of bezier path shapes and of
// gesture paths.
#include <cstdint>

#include "geometry/VoVector3.h"

class VoSpline {
public:
    VoSpline() = default;
    VoSpline(const VoSpline& aOther);
    VoSpline& operator=(const VoSpline& aOther);
    ~VoSpline();

    // Replaces the control points; numSteps = 100. A curve given in 2D takes
    // z = 0 for every point. False only when the points cannot be stored.
    bool Create(const VoVector3& aP0, const VoVector3& aP1, const VoVector3& aP2, const VoVector3& aP3);
    // *apOut (which must hold null) receives a new array of numSteps + 1
    // points from P0 to P3, owned by the caller (array delete). A bad
    // out-argument logs the assertion kGetPointsInvalidArg; a curve that was
    // never created logs kGetPointsNotCreated. Both give false.
    bool GetPoints(VoVector3** apOut);
    // Computes the forward differences for the current points and numSteps.
    void Prepare();

    static constexpr const char* kGetPointsInvalidArg = "GetPoints failure. Invalid arg.";
    static constexpr const char* kGetPointsNotCreated = "GetPoints failure. No control points.";

    std::int32_t numSteps = 100;
    VoVector3* controlPoints = nullptr;  // owned; the four points, null until created
    VoVector3 d1;
    VoVector3 d2;
    VoVector3 d3;
    bool prepared = false;
};
