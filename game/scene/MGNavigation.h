#pragma once
// Walks the player through the current viewpoint of a scene. Each viewpoint
// hands its scene to SetScene, which rebuilds, from the scene's
// "waypoints.txt" and "navigation.txt", the path-finding web, the ground
// navigation over the camera's walkable regions, the steering that moves
// the walker and the navigation debug display; indexes the viewpoint's
// ground meshes (for the walker's height) and every mesh of the depth mesh
// (for clicks on the floor); and puts the walker on the viewpoint's start
// waypoint.
//
// Hotspots, the picker and the player ask for walks with WalkTo and hear of
// the arrival through an MGIListener, told once and then forgotten. A route
// that climbs or descends a staircase is walked in three legs: to the first
// stair waypoint, over the stairs with the stair move animation while the
// scene's input is off, then on to the target at walking pace.
//
// Ground points are VoVector2 (x, y) with y the world z; the navigation holds
// them as (x, y, 0).
#include "container/VoBase.h"
#include "geometry/VoVector2.h"
#include "navigation/VoINavigationListener.h"
#include "stdlib/VoIFrameListener.h"

class MGCharacter;
class MGIListener;
class MGScene;
class VoCharacter;
class VoMeshOctree;
class VoMeshQuadTree;
class VoNavigationTDO;
class VoNavigationTDODisplay;
class VoPathFindingWeb;
class VoPosBounds;
class VoPropertyList;
class VoShortestPath;
class VoSteeringTDO;
class VoString;

class MGNavigation : public VoBase, public VoINavigationListener, public VoIFrameListener {
public:
    static constexpr float kFrameOrder = 0.0f;
    static constexpr int kGroundTreeLevels = 8;
    static constexpr int kSceneTreeLevels = 5;
    // Within this of a stair leg's end the next leg starts without waiting
    // for the walker to stop.
    static constexpr float kStairWatchDistance = 30.0f;
    // Speed indices: the move animations of the character file, 1-based.
    static constexpr int kWalkSpeed = 1;
    static constexpr int kStairsUpSpeed = 3;
    static constexpr int kStairsDownSpeed = 4;

    static constexpr const char16_t* kWayPointsFile = u"waypoints.txt";
    static constexpr const char16_t* kNavigationFile = u"navigation.txt";

    static constexpr const char* kCreationFailure = "MGNavigation creation failure.";
    static constexpr const char* kSetSceneNullArg = "SetScene failure. NULL arg.";
    static constexpr const char* kNoDepthMesh = "SetScene failure. No depth mesh found.";
    static constexpr const char* kNoWayPoints = "SetScene: no waypoints, the walker stands. Could not load: ";
    static constexpr const char* kNoNavigationData =
        "SetScene: no walkable regions, the walker stands. Could not load: ";
    // A step of building the ground navigation that failed (its own message
    // says which).
    static constexpr const char* kNavigationStep = "";
    static constexpr const char* kNoGroundMeshes = "No ground meshes found.";
    static constexpr const char* kGroundMeshNotFound = "Ground mesh not found.";
    static constexpr const char* kNoSceneMeshes = "No meshes found in scene.";
    static constexpr const char* kNoStartWayPoint = "'startwaypoint' not found.";
    static constexpr const char* kNoCameraId = "'camera.id' not found.";
    // The navigation knows no regions of the viewpoint's camera.
    static constexpr const char* kNoBounds = "";
    static constexpr const char* kSetListenerNullArg = "SetListener failure. NULL arg.";

    // Created on first use, owned by the game's cleaner and called every
    // frame at kFrameOrder; null when it cannot be created.
    static MGNavigation* GetInstance();
    // The instance if there is one; never creates.
    static MGNavigation* PeekInstance();

    // Leaves the frame manager and deletes every component.
    ~MGNavigation() override;
    MGNavigation(const MGNavigation&) = delete;
    MGNavigation& operator=(const MGNavigation&) = delete;

    VoString ToString() const override;

    // Rebuilds every component for the scene's current viewpoint (see the
    // class comment). A missing "waypoints.txt" or "navigation.txt" is logged
    // and read as empty: the walker then stands. Without a depth mesh the
    // old components are deleted and nothing is built (false); without any
    // mesh in it there is no tree to pick on (false); otherwise true.
    bool SetScene(MGScene* apScene);
    // Forgets the scene and the near watch and deletes the web, the
    // navigation, the steering and the display; the mesh trees stay until
    // the next SetScene.
    void Reset();

    // Starts a walk to the ground point at move speed aSpeedIndex (1 walk,
    // 2 run). With aTryTurn, a standing player whose target lies well off
    // its facing first turns towards it and walks on by itself (true at
    // once). With aFindStairs, a route over a staircase is walked in legs.
    // True when the navigation and the steering took the walk.
    bool WalkTo(const VoVector2& aTarget, bool aTryTurn, int aSpeedIndex, bool aFindStairs);
    // Not owned; told once. Null: logged, false.
    bool SetListener(MGIListener* apListener);
    // Clears the listener only when it is apListener; true when it was.
    bool RemoveListener(MGIListener* apListener);
    // With a listener set: it is told OnNear, in place of OnArrived, once
    // the player comes nearer than aDistance to the target.
    void SetNotifyDistance(float aDistance);

    // Stands the character on the ground under the navigation's position:
    // (x, ground height, y), height 0 where no ground lies below. Nothing
    // without a scene, steering or ground tree.
    void PlaceOnGround(VoCharacter* apCharacter);
    // Whether a walkable region of the viewpoint's camera holds the
    // navigation's position.
    bool IsInViewpoint(const VoString& aViewpointId);
    // The cheapest route from the waypoint nearest the walker to a waypoint
    // inside the viewpoint's regions (the first of equal ones) into
    // apRoute; false when none is reachable.
    bool GetPathToViewpoint(const VoString& aViewpointId, VoShortestPath* apRoute);

    // The navigation's stop: the arrival, or the end of a stair leg.
    void OnNavigationStopped() override;
    // The near watch and the search for a staircase on the new route.
    void OnUpdate() override;

    MGScene* GetScene() const { return fpScene; }
    VoPathFindingWeb* GetPathFinding() const { return fpPathFinding; }
    VoNavigationTDO* GetNavigation() const { return fpNavigation; }
    VoSteeringTDO* GetSteering() const { return fpSteering; }
    VoNavigationTDODisplay* GetDisplay() const { return fpDisplay; }
    VoMeshQuadTree* GetGroundTree() const { return fpGroundTree; }
    VoMeshOctree* GetSceneTree() const { return fpSceneTree; }

    MGIListener* GetListener() const { return fpListener; }
    bool IsNearWatchArmed() const { return fNearWatch; }
    float GetNearDistance() const { return fNearDistance; }
    const VoVector2& GetTarget() const { return fTarget; }
    bool IsStairsPending() const { return fStairsPending; }
    int GetStairLeg() const { return fStairLeg; }
    int GetStairSpeed() const { return fStairSpeed; }

private:
    MGNavigation();

    // Deletes the web, the navigation, the steering and the display, in
    // that order.
    void DeleteWalk();
    void DeleteTrees();
    bool SetupGroundMeshes();
    bool SetupSceneMeshes();
    void PlaceAtStartWayPoint();
    // The staircase search on the web's last route (see OnUpdate).
    void FindStairs();
    // The speed of a stair leg: the stair animation's index when the player
    // has that many move animations, else walking.
    int StairSpeedFor(int aSpeedIndex) const;
    MGCharacter* Player() const;
    // The name of the scene's viewpoint camera; empty without one.
    VoString CameraName() const;
    // The player's world position (x, z), else the navigation's.
    VoVector2 WalkerPosition() const;
    // The list that "navigation.txt" names for the navigation, an empty one
    // when it cannot be read.
    VoPropertyList* LoadNavigationData(const VoString& aScenePath);
    VoPropertyList* LoadWayPoints(const VoString& aScenePath);
    void ArmWatch(float aDistance);
    // A new array (the caller's, delete[]) of the walkable regions of the
    // viewpoint's camera, and their count; null, logged, when the scene
    // names no camera for it or the navigation knows none of its regions.
    VoPosBounds** ViewpointBounds(const VoString& aViewpointId, int* apCount);

    MGScene* fpScene;                   // not owned; null after Reset
    VoPathFindingWeb* fpPathFinding;    // owned
    VoNavigationTDO* fpNavigation;      // owned
    VoSteeringTDO* fpSteering;          // owned
    VoNavigationTDODisplay* fpDisplay;  // owned
    VoMeshQuadTree* fpGroundTree;       // owned
    VoMeshOctree* fpSceneTree;          // owned
    MGIListener* fpListener;            // not owned; cleared when told
    bool fNearWatch;
    float fNearDistance;
    VoVector2 fTarget;
    bool fFindStairs;
    bool fStairsPending;
    VoVector2 fStairEntry;
    VoVector2 fStairExit;
    VoVector2 fFinalTarget;
    int fStairLeg;
    int fStairSpeed;
    bool fInFrames;  // registered with the frame manager
};
