#pragma once
// Walks the player through the current viewpoint of a scene: the
// path-finding web of the scene's "waypoints.txt", the ground navigation
// over the camera bounds of its "navigation.txt" and the steering that moves
// the walker. The scene hands itself over on every viewpoint activation
// (SetScene); the picker and hotspots ask for walks (WalkTo).
//
// For now the least the scene and the picker need: the three components, the
// scene's meshes in an octree for picking, the start waypoint, a plain walk
// request and the two questions about other viewpoints.
#include "container/VoBase.h"

class MGScene;
class VoCharacter;
class VoMeshOctree;
class VoNavigationTDO;
class VoPathFindingWeb;
class VoShortestPath;
class VoSteeringTDO;
class VoString;
class VoVector2;

class MGNavigation : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGNavigation creation failure.";
    static constexpr const char* kSetSceneNull = "SetScene failure. NULL arg.";
    static constexpr const char* kNoDepthMesh = "SetScene failure. No depth mesh found.";
    static constexpr const char* kNoMeshes = "No meshes found in scene.";
    static constexpr const char* kNoStartWayPoint = "'startwaypoint' not found.";
    static constexpr const char* kNoCameraId = "'camera.id' not found.";
    static constexpr int kSceneTreeLevels = 5;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGNavigation* GetInstance();

    MGNavigation() = default;
    MGNavigation(const MGNavigation&) = delete;
    MGNavigation& operator=(const MGNavigation&) = delete;
    // Deletes the components and the octree.
    ~MGNavigation() override;

    // Rebuilds the web, the navigation (on the scene's depth mesh and
    // camera), the steering and the octree for the scene's current
    // viewpoint, and puts the walker on its start waypoint. False, logged,
    // for null and for a scene without a depth mesh.
    bool SetScene(MGScene* apScene);
    // Forgets the scene and deletes the web, the navigation and the steering.
    void Reset();
    // Sends the walker to the ground point at the speed index (1 walk,
    // 2 run). False without components.
    bool WalkTo(const VoVector2& aTarget, bool aTryTurn, int aSpeedIndex, bool aFindStairs);
    // Leaves the character where it stands (no ground heights yet).
    void PlaceOnGround(VoCharacter* apCharacter);
    // Whether the walker stands in a walkable region of the viewpoint's camera.
    bool IsInViewpoint(const VoString& aViewpointId);
    // The cheapest waypoint route from the walker into the viewpoint's
    // walkable regions; false when there is none.
    bool GetPathToViewpoint(const VoString& aViewpointId, VoShortestPath* apRoute);

    MGScene* GetScene() const { return fpScene; }
    // Owned; null until SetScene, and after Reset.
    VoPathFindingWeb* GetPathFinding() const { return fpPathFinding; }
    VoNavigationTDO* GetNavigation() const { return fpNavigation; }
    VoSteeringTDO* GetSteering() const { return fpSteering; }
    VoMeshOctree* GetSceneTree() const { return fpSceneTree; }

    VoString ToString() const override;

private:
    bool SetupSceneMeshes();
    void PlaceAtStartWayPoint();

    MGScene* fpScene = nullptr;                 // not owned
    VoPathFindingWeb* fpPathFinding = nullptr;  // owned
    VoNavigationTDO* fpNavigation = nullptr;    // owned
    VoSteeringTDO* fpSteering = nullptr;        // owned
    VoMeshOctree* fpSceneTree = nullptr;        // owned
};
