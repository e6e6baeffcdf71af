#include "scene/MGNavigation.h"

#include "TNavDataParser.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "geometry/VoBox3.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoSteeringTDO.h"
#include "navigation/VoWayPoint.h"
#include "scene/MGScene.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshOctree.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGNavigation, MGCleanerHome> gInstance;

// The walkable regions of the viewpoint's camera (a new array, the caller's);
// null, logged, when the viewpoint names no camera or the camera has none.
VoPosBounds** CameraBounds(MGScene* apScene, VoNavigationTDO* apNavigation, const VoString& aViewpointId,
                           int* apCount) {
    *apCount = 0;
    if (apScene == nullptr || apNavigation == nullptr) {
        return nullptr;
    }
    const VoString camera = apScene->GetViewpointCameraId(aViewpointId);
    if (camera.GetLength() == 0) {
        VO_ASSERT_FAILURE(MGNavigation::kNoCameraId);
        return nullptr;
    }
    VoPosBounds** bounds = nullptr;
    if (!apNavigation->GetPosBoundsForCamera(camera, apCount, &bounds)) {
        VO_ASSERT_FAILURE("");
        *apCount = 0;
        return nullptr;
    }
    return bounds;
}

VoVector2 Ground(const VoVector3& aPosition) {
    return VoVector2(aPosition.x, aPosition.y);
}

}  // namespace

MGNavigation* MGNavigation::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGNavigation(); }, kCreationFailure);
}

MGNavigation::~MGNavigation() {
    Reset();
    delete fpSceneTree;
}

bool MGNavigation::SetScene(MGScene* apScene) {
    if (apScene == nullptr) {
        VO_ASSERT_FAILURE(kSetSceneNull);
        return false;
    }
    fpScene = apScene;
    const VoString path = apScene->GetScenePath();
    VoPropertyList waypoints;
    if (!waypoints.Load(path + VoString(u"waypoints.txt"), true)) {
        waypoints.RemoveAll();
    }
    VoPropertyList* regions = nullptr;
    TNavDataParser::ParseNavigation(path + VoString(u"navigation.txt"), &regions);
    VoDrawElement* depth = apScene->GetDepthMesh();
    if (depth == nullptr) {
        VO_ASSERT_FAILURE(kNoDepthMesh);
        delete regions;
        return false;
    }
    delete fpNavigation;
    fpNavigation = nullptr;
    delete fpPathFinding;
    fpPathFinding = VO_NEW VoPathFindingWeb();
    if (fpPathFinding != nullptr) {
        fpPathFinding->Create(&waypoints);
    }
    fpNavigation = VO_NEW VoNavigationTDO();
    if (fpNavigation != nullptr) {
        VoPropertyList empty;
        const bool made =
            fpNavigation->Create(regions != nullptr ? regions : &empty) &&
            fpNavigation->SetSceneRoot(depth) && fpNavigation->SetPathFinding(fpPathFinding) &&
            fpNavigation->SetCamera(apScene->GetCamera() != nullptr ? apScene->GetCamera()->GetName()
                                                                    : VoString(u""));
        if (!made) {
            VO_ASSERT_FAILURE("");
        }
    }
    delete regions;
    delete fpSteering;
    fpSteering = VO_NEW VoSteeringTDO();
    if (fpSteering != nullptr) {
        fpSteering->SetDefaults();
        fpSteering->SetNavigation(fpNavigation);
    }
    SetupSceneMeshes();
    PlaceAtStartWayPoint();
    return true;
}

bool MGNavigation::SetupSceneMeshes() {
    VoDrawElement* depth = fpScene->GetDepthMesh();
    int count = 0;
    VoMesh** meshes = nullptr;
    if (!depth->GetMeshes(&count, &meshes) || count == 0) {
        VO_ASSERT_FAILURE(kNoMeshes);
        delete[] meshes;
        return false;
    }
    VoBox3 box = meshes[0]->GetBoundingBox(true);
    for (int i = 1; i < count; ++i) {
        box.Extend(meshes[i]->GetBoundingBox(true));
    }
    delete fpSceneTree;
    fpSceneTree = VO_NEW VoMeshOctree();
    bool added = fpSceneTree != nullptr &&
                 fpSceneTree->Create((box.min + box.max) * 0.5f, box.GetMaxExtent(), kSceneTreeLevels);
    for (int i = 0; added && i < count; ++i) {
        const VoFrame* frame = meshes[i]->GetOwnerFrame();
        added = frame != nullptr &&
                fpSceneTree->AddMesh(frame->GetName(), meshes[i], &frame->GetAbsoluteMatrix()) && added;
    }
    delete[] meshes;
    return added;
}

void MGNavigation::PlaceAtStartWayPoint() {
    bool found = false;
    const VoString id =
        fpScene->GetSceneFile() != nullptr
            ? fpScene->GetSceneFile()->GetString(
                  VoString(u"viewpoints.") + fpScene->GetViewpointId() + VoString(u".startwaypoint"), &found)
            : VoString(u"");
    if (!found) {
        VO_ASSERT_FAILURE(kNoStartWayPoint);
        return;
    }
    VoWayPoint* waypoint = fpPathFinding != nullptr ? fpPathFinding->GetWayPoint(id) : nullptr;
    if (waypoint != nullptr && fpNavigation != nullptr) {
        fpNavigation->SetPosition(VoVector3(waypoint->fCoords.x, waypoint->fCoords.y, 0.0f));
    }
}

void MGNavigation::Reset() {
    fpScene = nullptr;
    delete fpPathFinding;
    fpPathFinding = nullptr;
    delete fpNavigation;
    fpNavigation = nullptr;
    delete fpSteering;
    fpSteering = nullptr;
}

bool MGNavigation::WalkTo(const VoVector2& aTarget, bool, int aSpeedIndex, bool) {
    if (fpNavigation == nullptr || fpSteering == nullptr) {
        return false;
    }
    return fpNavigation->SetTarget(VoVector3(aTarget.x, aTarget.y, 0.0f)) && fpNavigation->SetActive(true) &&
           fpSteering->SetMoving(true, aSpeedIndex);
}

void MGNavigation::PlaceOnGround(VoCharacter*) {}

bool MGNavigation::IsInViewpoint(const VoString& aViewpointId) {
    int count = 0;
    VoPosBounds** bounds = CameraBounds(fpScene, fpNavigation, aViewpointId, &count);
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = bounds[i]->fPolygon.ContainsPoint(Ground(fpNavigation->GetPosition()), false, 0.0f);
    }
    delete[] bounds;
    return inside;
}

bool MGNavigation::GetPathToViewpoint(const VoString& aViewpointId, VoShortestPath* apRoute) {
    int count = 0;
    VoPosBounds** bounds = CameraBounds(fpScene, fpNavigation, aViewpointId, &count);
    if (bounds == nullptr || apRoute == nullptr || fpPathFinding == nullptr) {
        delete[] bounds;
        return false;
    }
    VoVector3 position;
    fpSteering->GetPosition(&position);
    const int start = fpNavigation->GetClosestWayPoint(Ground(position));
    bool kept = false;
    for (int b = 0; b < count; ++b) {
        for (int w = 0; w < fpPathFinding->GetCount(); ++w) {
            VoWayPoint* waypoint = fpPathFinding->GetWayPoint(w);
            if (waypoint == nullptr || !bounds[b]->fPolygon.ContainsPoint(waypoint->fCoords, false, 0.0f)) {
                continue;
            }
            const VoShortestPath path = fpPathFinding->GetShortestPath(start, w);
            if (path.HasRoute() && (!kept || path.fCost < apRoute->fCost)) {
                *apRoute = path;
                kept = true;
            }
        }
    }
    delete[] bounds;
    return kept;
}

VoString MGNavigation::ToString() const {
    return VoDebugString("MGNavigation", this);
}
