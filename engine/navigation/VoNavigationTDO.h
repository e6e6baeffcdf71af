#pragma once
// The ground navigation over camera bounds. Walkable ground is drawn in 2D
// (x, world z) as positive regions, each seen by one camera and lying on one
// ground mesh of the scene root, and negative regions (obstacles) that no
// walk enters. SetCamera selects the regions of the active view, resolves
// their ground frames and enables the waypoints of the web that lie in the
// view, plus the ring of waypoints that lead into it.
//
// A walk: the scene navigation sets the target and activates the navigation,
// which then steps every frame (frame-manager order -100, before the
// steering's -95): the target is projected into walkable space and nextPoint
// becomes the target itself when the straight line to it crosses no region
// edge, else the farthest visible point of the waypoint route towards it.
// The steering walks towards nextPoint, writes the position back and, on
// arrival, deactivates the navigation, which tells its listener.
//
// The navigation data, as the navigation data parser prepares it:
//     positive
//         <id>
//             camera=<camera id>
//             ground=<frame name of the ground mesh>
//             coords=x0|y0|x1|y1|...
//     negative
//         <id>
//             ground=<frame name>
//             coords=x0|y0|...
#include <cstdint>

#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "navigation/VoINavigation.h"
#include "stdlib/VoIFrameListener.h"

class VoDrawElement;
class VoFrame;
class VoNegBounds;
class VoPolygon;
class VoPosBounds;
class VoPropertyList;
class VoVector2;
class VoVectorString;

class VoNavigationTDO : public VoINavigation, public VoIFrameListener {
public:
    static constexpr float kFrameOrder = -100.0f;
    static constexpr int kRegionHashShift = 7;
    // The clamp that the walk applies to its target every frame.
    static constexpr float kTargetRadius = 0.1f;
    static constexpr float kTargetStep = 0.05f;
    // How close to an obstacle edge the route's visibility search may pass.
    static constexpr float kVisibilityTolerance = 0.01f;

    static constexpr const char16_t* kPositiveKey = u"positive";
    static constexpr const char16_t* kNegativeKey = u"negative";
    static constexpr const char16_t* kCameraKey = u"camera";
    static constexpr const char16_t* kGroundKey = u"ground";
    static constexpr const char16_t* kCoordsKey = u"coords";

    static constexpr const char* kCreateNullArg = "Create failure. NULL arg.";
    static constexpr const char* kCreateNoPositive = "Create failure. 'positive' not found.";
    static constexpr const char* kCreateNoNegative = "Create failure. 'negative' not found.";
    static constexpr const char* kCreateNotASection = "Create failure. Not a region section: ";
    static constexpr const char* kCreateInvalidCoords = "Create failure. Invalid coords: ";
    static constexpr const char* kCreateAllocation = "Create failure. Could not allocate a region.";
    // A region section without "camera", "ground" or "coords".
    static constexpr const char* kMissingKey = "";
    static constexpr const char* kSetSceneRootNullArg = "SetSceneRoot failure. NULL arg.";
    static constexpr const char* kSetCameraNoSceneRoot = "SetCamera failure. No scene root set.";
    static constexpr const char* kSetCameraNoPathFinding = "SetCamera failure. No pathfinding yet defined.";
    // The camera has no positive regions (after the lookup's own message).
    static constexpr const char* kSetCameraNoRegions = "";
    static constexpr const char* kSetCameraNoGround = "SetCamera failure. Could not find ground:";
    static constexpr const char* kSetCameraNoGroundFound = "SetCamera failure. No ground found.";
    static constexpr const char* kSetCameraNoWayPoints = "SetCamera failure. No waypoints found.";
    static constexpr const char* kSetCameraAllocation = "SetCamera failure. Could not allocate.";
    static constexpr const char* kGroundIdsNullArg = "GetGroundIDsForCamera failure. NULL arg.";
    static constexpr const char* kGroundIdsNotFound = "GetGroundIDsForCamera failure. Camera not found:";
    static constexpr const char* kPosBoundsNullArg = "GetPosBoundsForCamera failure. NULL arg.";
    static constexpr const char* kPosBoundsNotFound = "GetPosBoundsForCamera failure. ID not found:";
    static constexpr const char* kPosBoundsAllocation = "GetPosBoundsForCamera failure. Could not allocate.";
    static constexpr const char* kPosBoundsCurrentInvalidArg = "GetPosBoundsCurrent failure. Invalid arg.";
    static constexpr const char* kFindTargetPtNullArg = "FindTargetPt failure. NULL arg.";
    static constexpr const char* kFindTargetPtNoBounds =
        "FindTargetPt failure. Pos bounds or ground data missing.";
    static constexpr const char* kFindReachablePtNullArg = "FindReachablePt failure. NULL arg.";
    static constexpr const char* kMoveOutNullArg = "MoveOutOfNegativeBounds failure. NULL arg.";
    static constexpr const char* kMoveOutAllocation = "MoveOutOfNegativeBounds failure. Could not allocate.";
    static constexpr const char* kPushAwayNullArg = "PushAwayFromEdges failure. NULL arg.";
    // GetClosestWayPoint without waypoints.
    static constexpr const char* kClosestWayPointFailure = "Failure.";
    static constexpr const char* kNavigationNullArg = "Navigation failure. NULL arg.";
    static constexpr const char* kNavigationNoPositionWayPoint =
        "Navigation failure. No closest waypoint to position.";
    static constexpr const char* kNavigationNoTargetWayPoint =
        "Navigation failure. No closest waypoint to target.";
    // The frame step found no point to walk towards.
    static constexpr const char* kNavigationFailure = "Navigation failure.";
    static constexpr const char* kNextPathPointNullArg = "GetNextPathPoint failure. NULL arg.";
    static constexpr const char* kNextPathPointAllocation = "GetNextPathPoint failure. Could not allocate.";
    static constexpr const char* kAddBoundsNullArg = "AddBounds failure. NULL arg.";
    static constexpr const char* kAddBoundsDuplicate = "AddBounds failure. Duplicate id found.";
    static constexpr const char* kNYI = "NYI.";

    // No regions, scene root, path finding or listener; not running.
    VoNavigationTDO();
    // Leaves the frame manager and deletes every region; the path finding
    // is left to its maker.
    ~VoNavigationTDO() override;

    // Reads the regions (see above) in place of any earlier ones, which also
    // forgets the current camera's selection. Each outline is closed and its
    // winding worked out at once. A region section without "camera",
    // "ground" or "coords" is logged and kept with that value empty; a plain
    // value among the regions, or an outline with a number too large for a
    // float, is logged and left out (the latter kept with no outline). False,
    // with nothing changed, without "positive" or "negative".
    bool Create(VoPropertyList* apData);
    // Not owned: the element whose frames are the ground meshes. Another
    // root forgets the ground frames found in the old one.
    bool SetSceneRoot(VoDrawElement* apRoot);
    VoDrawElement* GetSceneRoot() const { return fpSceneRoot; }
    // Selects the positive regions of the camera (ids compared ignoring
    // case), finds their ground frames in the scene root (names ignoring
    // case), enables the waypoints inside them and those linking to such a
    // waypoint, disables all others, and clears the web's route table. A
    // failure leaves what was done before it (see the messages).
    bool SetCamera(const VoString& aCameraId);
    const VoString& GetCamera() const { return fCamera; }

    // Into apOut (cleared first): the ground name of every positive region
    // of the camera, in region order (repeats kept).
    bool GetGroundIDsForCamera(const VoString& aCameraId, VoVectorString* apOut);
    // *apppOut must hold null; it receives a new array (the caller's,
    // delete[]) of the camera's positive regions (the records stay ours).
    bool GetPosBoundsForCamera(const VoString& aCameraId, int* apCount, VoPosBounds*** apppOut);
    // *apppOut must hold null; it receives the current camera's own array.
    bool GetPosBoundsCurrent(int* apCount, VoPosBounds*** apppOut);

    // The point itself when a current positive region holds it, else the
    // nearest point of any current region's outline (an edge's perpendicular
    // foot, or a vertex when that is nearer); *apRegionIndex (when given)
    // is the index of its region among the current ones.
    bool FindTargetPt(const VoVector2& aPoint, VoVector2* apOut, int* apRegionIndex);
    // FindTargetPt, then out of the obstacles within the region found.
    bool FindReachablePt(const VoVector2& aPoint, VoVector2* apOut);
    // The point itself when no obstacle holds it, else the nearest point of
    // the obstacles' outlines, keeping to the parts that lie inside apRegion
    // when one is given. False when there is no such part.
    bool MoveOutOfNegativeBounds(const VoVector2& aPoint, VoVector2* apOut, const VoPolygon* apRegion);
    // The walk's clamp: the point is made reachable, then moved aStep away
    // from every region edge that it is nearer to than aRadius, inwards for
    // positive regions and outwards for obstacles, one push per near edge.
    void PushAwayFromEdges(float aRadius, float aStep, VoVector2* apPoint);
    // The enabled waypoint inside the current regions nearest to the point
    // among those seen from it in a straight line; -1 when none.
    int GetClosestWayPoint(const VoVector2& aPoint);
    // Whether the segment crosses no edge of a current positive region or
    // of an obstacle.
    bool IsStraightPathClear(const VoVector2& aFrom, const VoVector2& aTo);
    // Into apRoute (an open polyline): the position, the waypoints of the
    // cheapest route from the waypoint nearest the position to the one
    // nearest the target, and the target.
    bool Navigation(VoPolygon* apRoute);
    // The point to walk towards from aFrom: on the last segment of the route
    // that shows a point reachable in a straight line (VoPolygon::
    // FindVisiblePoint over the current regions and the obstacles).
    bool GetNextPathPoint(const VoVector2& aFrom, const VoPolygon& aRoute, VoVector2* apOut);

    // Takes an obstacle (owned from then on); null and a used id are refused.
    bool AddBounds(VoNegBounds* apBounds);
    // Hands the obstacle to *appOut (deleted when appOut is null).
    bool RemoveBounds(const VoString& aId, VoNegBounds** appOut);
    // Not implemented: logs and answers false.
    bool RemoveBounds(VoNegBounds* apBounds);

    // All regions, in file order, for the debug display.
    int GetPosBoundsCount() const { return fPosBounds.GetCount(); }
    VoPosBounds* GetPosBounds(int aIndex);
    int GetNegBoundsCount() const { return fNegBounds.GetCount(); }
    VoNegBounds* GetNegBounds(int aIndex);
    int GetGroundCount() const { return fGroundCount; }
    // Null outside 0..count - 1.
    VoFrame* GetGroundFrame(int aIndex) const;
    bool IsRunning() const { return fRunning; }

    // On a change only: true joins the frame manager, false leaves it and
    // then tells the listener. Always true.
    bool SetActive(bool aActive) override;
    // Nothing: the walk steps in OnUpdate.
    void Update() override {}
    // The frame step of a walk (see above).
    void OnUpdate() override;

private:
    // Deletes every region and forgets the current selection.
    void FreeRegions();
    // Reads one section's regions; aPositive selects the kind.
    void ReadRegions(VoPropertyList* apSection, bool aPositive);
    // Enables the view's waypoints (see SetCamera).
    bool EnableWayPoints();
    // Pushes the point off the polygon's edges; aDirection as VoLine2::Offset.
    static void PushFromEdges(const VoPolygon& aPolygon, int aDirection, float aRadius, float aStep,
                              VoVector2* apPoint);
    // Whether a current positive region holds the point.
    bool InCurrentRegion(const VoVector2& aPoint) const;
    void JoinFrames();
    void LeaveFrames();

    VoDrawElement* fpSceneRoot;  // not owned
    VoHashKeyList fPosBounds;    // id -> VoPosBounds, owned
    VoHashKeyList fNegBounds;    // id -> VoNegBounds, owned
    VoString fCamera;
    std::int32_t fCurPosCount;
    VoPosBounds** fppCurPos;  // owned array; the records belong to fPosBounds
    std::int32_t fGroundCount;
    VoFrame** fppGroundFrames;  // owned array; the frames belong to the scene root
    bool fRunning;
    bool fRegistered;  // joined to the frame manager
};
