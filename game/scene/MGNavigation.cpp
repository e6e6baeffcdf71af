#include "scene/MGNavigation.h"

#include "TNavDataParser.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "geometry/VoBox2.h"
#include "geometry/VoBox3.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoNavigationTDODisplay.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoSteeringTDO.h"
#include "navigation/VoWayPoint.h"
#include "scene/MGCharacter.h"
#include "scene/MGIListener.h"
#include "scene/MGScene.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshOctree.h"
#include "scene/VoMeshQuadTree.h"
#include "stdlib/VoFrameManager.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGNavigation, MGCleanerHome> gInstance;

// Whether the route passes the waypoint.
bool OnRoute(const VoShortestPath& aRoute, int aIndex) {
    for (int i = 0; i < aRoute.fPath.GetCount(); ++i) {
        if (aRoute.fPath.GetAt(i) == aIndex) {
            return true;
        }
    }
    return false;
}

bool IsStair(const VoWayPoint* apWayPoint) {
    return apWayPoint != nullptr && (apWayPoint->fStairClass == VoWayPoint::kTopStair ||
                                     apWayPoint->fStairClass == VoWayPoint::kBottomStair);
}

}  // namespace

MGNavigation* MGNavigation::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGNavigation(); }, kCreationFailure);
}

MGNavigation* MGNavigation::PeekInstance() {
    return gInstance.Peek();
}

MGNavigation::MGNavigation()
    : fpScene(nullptr),
      fpPathFinding(nullptr),
      fpNavigation(nullptr),
      fpSteering(nullptr),
      fpDisplay(nullptr),
      fpGroundTree(nullptr),
      fpSceneTree(nullptr),
      fpListener(nullptr),
      fNearWatch(false),
      fNearDistance(0.0f),
      fFindStairs(false),
      fStairsPending(false),
      fStairLeg(0),
      fStairSpeed(0),
      fInFrames(false) {
    if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
        fInFrames = frames->AddListener(this, kFrameOrder);
    }
}

MGNavigation::~MGNavigation() {
    if (fInFrames) {
        if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
            frames->RemoveListener(this);
        }
        fInFrames = false;
    }
    delete fpNavigation;
    fpNavigation = nullptr;
    delete fpPathFinding;
    fpPathFinding = nullptr;
    delete fpSteering;
    fpSteering = nullptr;
    delete fpDisplay;
    fpDisplay = nullptr;
    DeleteTrees();
}

VoString MGNavigation::ToString() const {
    return VoDebugString("MGNavigation", this);
}

void MGNavigation::DeleteWalk() {
    delete fpPathFinding;
    fpPathFinding = nullptr;
    delete fpNavigation;
    fpNavigation = nullptr;
    delete fpSteering;
    fpSteering = nullptr;
    delete fpDisplay;
    fpDisplay = nullptr;
}

void MGNavigation::DeleteTrees() {
    delete fpGroundTree;
    fpGroundTree = nullptr;
    delete fpSceneTree;
    fpSceneTree = nullptr;
}

VoPropertyList* MGNavigation::LoadWayPoints(const VoString& aScenePath) {
    VoString path(aScenePath);
    path.Append(kWayPointsFile);
    VoPropertyList* list = VO_NEW VoPropertyList();
    if (list != nullptr && !list->Load(path, true)) {
        VO_ERROR(kNoWayPoints, path);
    }
    return list;
}

VoPropertyList* MGNavigation::LoadNavigationData(const VoString& aScenePath) {
    VoString path(aScenePath);
    path.Append(kNavigationFile);
    VoPropertyList* data = nullptr;
    if (TNavDataParser::ParseNavigation(path, &data) || data != nullptr) {
        return data;
    }
    VO_ERROR(kNoNavigationData, path);
    data = VO_NEW VoPropertyList();
    if (data != nullptr) {
        data->SetList(VoString(TNavDataParser::kPositiveKey), VO_NEW VoPropertyList());
        data->SetList(VoString(TNavDataParser::kNegativeKey), VO_NEW VoPropertyList());
    }
    return data;
}

bool MGNavigation::SetScene(MGScene* apScene) {
    if (apScene == nullptr) {
        VO_ASSERT_FAILURE(kSetSceneNullArg);
        return false;
    }
    fpScene = apScene;
    const VoString scenePath = apScene->GetScenePath();
    VoPropertyList* wayPoints = LoadWayPoints(scenePath);
    VoPropertyList* data = LoadNavigationData(scenePath);

    VoDrawElement* depthMesh = apScene->GetDepthMesh();
    if (depthMesh == nullptr) {
        VO_ASSERT_FAILURE(kNoDepthMesh);
        // What was built for the last viewpoint points into its depth mesh,
        // which the scene has let go of.
        DeleteWalk();
        DeleteTrees();
        delete wayPoints;
        delete data;
        return false;
    }

    delete fpPathFinding;
    fpPathFinding = VO_NEW VoPathFindingWeb();
    if (fpPathFinding != nullptr) {
        fpPathFinding->Create(wayPoints);
    }

    delete fpNavigation;
    fpNavigation = VO_NEW VoNavigationTDO();
    if (fpNavigation != nullptr) {
        const VoString camera = CameraName();
        const bool built[] = {
            data != nullptr && fpNavigation->Create(data),
            fpNavigation->SetSceneRoot(depthMesh),
            fpPathFinding != nullptr && fpNavigation->SetPathFinding(fpPathFinding),
            fpNavigation->SetCamera(camera),
            fpNavigation->SetListener(this),
        };
        for (bool step : built) {
            if (!step) {
                VO_ASSERT_FAILURE(kNavigationStep);
            }
        }
    }

    delete fpSteering;
    fpSteering = VO_NEW VoSteeringTDO();
    if (fpSteering != nullptr) {
        fpSteering->SetDefaults();
        if (fpNavigation != nullptr) {
            fpSteering->SetNavigation(fpNavigation);
        }
    }

    delete fpDisplay;
    fpDisplay = VO_NEW VoNavigationTDODisplay();
    if (fpDisplay != nullptr) {
        fpDisplay->Create(fpNavigation, fpSteering);
    }

    SetupGroundMeshes();
    SetupSceneMeshes();
    PlaceAtStartWayPoint();

    delete wayPoints;
    delete data;
    return fpSceneTree != nullptr;
}

bool MGNavigation::SetupGroundMeshes() {
    delete fpGroundTree;
    fpGroundTree = nullptr;
    VoDrawElement* depthMesh = fpScene != nullptr ? fpScene->GetDepthMesh() : nullptr;
    if (fpNavigation == nullptr || depthMesh == nullptr) {
        return false;
    }
    VoVectorString ids;
    fpNavigation->GetGroundIDsForCamera(CameraName(), &ids);
    if (ids.GetCount() == 0) {
        VO_ASSERT_FAILURE(kNoGroundMeshes);
        return false;
    }

    // Every ground mesh found, once each (regions may share a ground).
    const int idCount = ids.GetCount();
    VoFrame** frames = VO_NEW VoFrame * [static_cast<std::size_t>(idCount)];
    VoMesh** meshes = VO_NEW VoMesh * [static_cast<std::size_t>(idCount)];
    if (frames == nullptr || meshes == nullptr) {
        delete[] frames;
        delete[] meshes;
        return false;
    }
    int found = 0;
    VoBox2 box;
    box.SetEmpty();
    for (int i = 0; i < idCount; ++i) {
        VoFrame* frame = depthMesh->FindFrame(ids.GetAt(i), true);
        if (frame == nullptr || frame->GetMesh() == nullptr) {
            if (i == 0) {
                VO_ASSERT_FAILURE(kGroundMeshNotFound);
            }
            continue;
        }
        bool known = false;
        for (int j = 0; j < found; ++j) {
            known = known || frames[j] == frame;
        }
        if (known) {
            continue;
        }
        frames[found] = frame;
        meshes[found] = frame->GetMesh();
        ++found;
        box.Extend(frame->GetMesh()->GetBoundingBoxXZ(true));
    }

    bool added = found > 0 && !box.IsEmpty();
    if (added) {
        fpGroundTree = VO_NEW VoMeshQuadTree();
        const VoVector2 centre((box.min.x + box.max.x) * 0.5f, (box.min.y + box.max.y) * 0.5f);
        added =
            fpGroundTree != nullptr && fpGroundTree->Create(centre, box.GetMaxExtent(), kGroundTreeLevels);
        for (int i = 0; added && i < found; ++i) {
            added = fpGroundTree->AddMesh(frames[i]->GetName(), meshes[i], &frames[i]->GetAbsoluteMatrix()) &&
                    added;
        }
        if (fpDisplay != nullptr) {
            fpDisplay->SetupGroundMeshes(found, meshes);
        }
    }
    delete[] frames;
    delete[] meshes;
    return added;
}

bool MGNavigation::SetupSceneMeshes() {
    delete fpSceneTree;
    fpSceneTree = nullptr;
    VoDrawElement* depthMesh = fpScene != nullptr ? fpScene->GetDepthMesh() : nullptr;
    int count = 0;
    VoMesh** meshes = nullptr;
    if (depthMesh == nullptr || !depthMesh->GetMeshes(&count, &meshes) || count == 0) {
        delete[] meshes;
        VO_ASSERT_FAILURE(kNoSceneMeshes);
        return false;
    }
    VoBox3 box;
    box.SetEmpty();
    for (int i = 0; i < count; ++i) {
        box.Extend(meshes[i]->GetBoundingBox(true));
    }
    bool added = false;
    fpSceneTree = VO_NEW VoMeshOctree();
    if (fpSceneTree != nullptr) {
        const VoVector3 centre = (box.min + box.max) * 0.5f;
        added = fpSceneTree->Create(centre, box.GetMaxExtent(), kSceneTreeLevels);
        for (int i = 0; added && i < count; ++i) {
            const VoFrame* owner = meshes[i]->GetOwnerFrame();
            if (owner != nullptr) {
                added =
                    fpSceneTree->AddMesh(owner->GetName(), meshes[i], &owner->GetAbsoluteMatrix()) && added;
            }
        }
    }
    delete[] meshes;
    return added;
}

void MGNavigation::PlaceAtStartWayPoint() {
    VoPropertyList* file = fpScene != nullptr ? fpScene->GetSceneFile() : nullptr;
    bool found = false;
    VoString id;
    if (file != nullptr) {
        VoString path(u"viewpoints.");
        path.Append(fpScene->GetViewpointId());
        path.Append(u".startwaypoint");
        id = file->GetString(path, &found);
    }
    if (!found) {
        VO_ASSERT_FAILURE(kNoStartWayPoint);
        return;
    }
    VoWayPoint* wayPoint = fpPathFinding != nullptr ? fpPathFinding->GetWayPoint(id) : nullptr;
    if (wayPoint != nullptr && fpNavigation != nullptr) {
        fpNavigation->SetPosition(VoVector3(wayPoint->fCoords.x, wayPoint->fCoords.y, 0.0f));
    }
}

void MGNavigation::Reset() {
    fNearWatch = false;
    fpScene = nullptr;
    DeleteWalk();
}

VoString MGNavigation::CameraName() const {
    const VoCamera* camera = fpScene != nullptr ? fpScene->GetCamera() : nullptr;
    return camera != nullptr ? camera->GetName() : VoString();
}

MGCharacter* MGNavigation::Player() const {
    return fpScene != nullptr ? fpScene->GetPlayer() : nullptr;
}

bool MGNavigation::WalkTo(const VoVector2& aTarget, bool aTryTurn, int aSpeedIndex, bool aFindStairs) {
    fTarget = aTarget;
    if (aTryTurn && fpSteering != nullptr && fpSteering->GetSpeedIndex() == 0) {
        MGCharacter* player = Player();
        if (player != nullptr && player->TurnAndWalk(aTarget, aSpeedIndex)) {
            return true;
        }
    }
    fFindStairs = aFindStairs;
    if (fpNavigation == nullptr || fpSteering == nullptr) {
        return false;
    }
    bool started = fpNavigation->SetTarget(VoVector3(aTarget.x, aTarget.y, 0.0f));
    started = fpNavigation->SetActive(true) && started;
    return fpSteering->SetMoving(true, aSpeedIndex) && started;
}

bool MGNavigation::SetListener(MGIListener* apListener) {
    if (apListener == nullptr) {
        VO_ASSERT_FAILURE(kSetListenerNullArg);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool MGNavigation::RemoveListener(MGIListener* apListener) {
    if (apListener == nullptr || apListener != fpListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

void MGNavigation::SetNotifyDistance(float aDistance) {
    if (fpListener != nullptr) {
        ArmWatch(aDistance);
    }
}

void MGNavigation::ArmWatch(float aDistance) {
    fNearDistance = aDistance;
    fNearWatch = true;
}

void MGNavigation::PlaceOnGround(VoCharacter* apCharacter) {
    if (apCharacter == nullptr || fpScene == nullptr || fpSteering == nullptr || fpGroundTree == nullptr ||
        fpNavigation == nullptr) {
        return;
    }
    const VoVector3& position = fpNavigation->GetPosition();
    VoVector3 ground;
    const float height =
        fpGroundTree->IntersectsVertLineThruPt(VoVector2(position.x, position.y), ground) ? ground.y : 0.0f;
    apCharacter->SetPosition(VoVector3(position.x, height, position.y));
}

VoPosBounds** MGNavigation::ViewpointBounds(const VoString& aViewpointId, int* apCount) {
    *apCount = 0;
    VoPropertyList* file = fpScene != nullptr ? fpScene->GetSceneFile() : nullptr;
    VoString path(u"viewpoints.");
    path.Append(aViewpointId);
    path.Append(u".camera.id");
    bool found = false;
    const VoString camera = file != nullptr ? file->GetString(path, &found) : VoString();
    if (!found) {
        VO_ASSERT_FAILURE(kNoCameraId);
        return nullptr;
    }
    VoPosBounds** bounds = nullptr;
    if (fpNavigation == nullptr || !fpNavigation->GetPosBoundsForCamera(camera, apCount, &bounds)) {
        VO_ASSERT_FAILURE(kNoBounds);
        *apCount = 0;
        return nullptr;
    }
    return bounds;
}

bool MGNavigation::IsInViewpoint(const VoString& aViewpointId) {
    int count = 0;
    VoPosBounds** bounds = ViewpointBounds(aViewpointId, &count);
    if (bounds == nullptr) {
        return false;
    }
    const VoVector3& position = fpNavigation->GetPosition();
    const VoVector2 point(position.x, position.y);
    bool inside = false;
    for (int i = 0; i < count && !inside; ++i) {
        inside = bounds[i]->fPolygon.ContainsPoint(point);
    }
    delete[] bounds;
    return inside;
}

bool MGNavigation::GetPathToViewpoint(const VoString& aViewpointId, VoShortestPath* apRoute) {
    if (apRoute == nullptr || fpScene == nullptr || fpNavigation == nullptr || fpPathFinding == nullptr ||
        fpSteering == nullptr) {
        return false;
    }
    int regionCount = 0;
    VoPosBounds** bounds = ViewpointBounds(aViewpointId, &regionCount);
    if (bounds == nullptr) {
        return false;
    }
    int wayPointCount = 0;
    VoWayPoint* wayPoints = nullptr;
    if (!fpPathFinding->GetWayPoints(&wayPointCount, &wayPoints)) {
        wayPointCount = 0;
    }
    VoVector3 position;
    fpSteering->GetPosition(&position);
    const int start = fpNavigation->GetClosestWayPoint(VoVector2(position.x, position.y));

    bool kept = false;
    for (int r = 0; r < regionCount; ++r) {
        for (int w = 0; w < wayPointCount; ++w) {
            if (!bounds[r]->fPolygon.ContainsPoint(wayPoints[w].fCoords)) {
                continue;
            }
            const VoShortestPath candidate = fpPathFinding->GetShortestPath(start, w);
            if (candidate.HasRoute() && (!kept || candidate.fCost < apRoute->fCost)) {
                *apRoute = candidate;
                kept = true;
            }
        }
    }
    delete[] bounds;
    return kept;
}

VoVector2 MGNavigation::WalkerPosition() const {
    if (const MGCharacter* player = Player()) {
        const VoVector3* position = const_cast<MGCharacter*>(player)->GetPosition();
        return VoVector2(position->x, position->z);
    }
    if (fpNavigation != nullptr) {
        return VoVector2(fpNavigation->GetPosition().x, fpNavigation->GetPosition().y);
    }
    return fTarget;
}

void MGNavigation::OnUpdate() {
    if (fNearWatch && fpListener != nullptr && WalkerPosition().Distance(fTarget) < fNearDistance) {
        fNearWatch = false;
        fNearDistance = 0.0f;
        if (fStairsPending) {
            OnNavigationStopped();
        } else {
            // Forgotten before it is told: the call may hand us the next one.
            MGIListener* listener = fpListener;
            fpListener = nullptr;
            listener->OnNear(VoString());
        }
    }
    FindStairs();
}

int MGNavigation::StairSpeedFor(int aSpeedIndex) const {
    const MGCharacter* player = Player();
    return player != nullptr && player->GetMoveCount() >= aSpeedIndex ? aSpeedIndex : kWalkSpeed;
}

void MGNavigation::FindStairs() {
    if (!fFindStairs) {
        return;
    }
    // A walk that has already ended leaves no staircase to climb.
    if (fpNavigation == nullptr || !fpNavigation->IsRunning()) {
        fFindStairs = false;
        return;
    }
    const VoShortestPath* route = fpPathFinding != nullptr ? fpPathFinding->GetLastPath() : nullptr;
    if (route == nullptr) {
        return;
    }
    fFindStairs = false;
    fStairsPending = false;
    for (int i = 0; i < route->fPath.GetCount() && !fStairsPending; ++i) {
        const VoWayPoint* entry = fpPathFinding->GetWayPoint(route->fPath.GetAt(i));
        if (!IsStair(entry)) {
            continue;
        }
        const bool fromTop = entry->fStairClass == VoWayPoint::kTopStair;
        const std::int32_t other = fromTop ? VoWayPoint::kBottomStair : VoWayPoint::kTopStair;
        fStairEntry = entry->fCoords;
        fStairSpeed = StairSpeedFor(fromTop ? kStairsDownSpeed : kStairsUpSpeed);
        for (int j = 0; j < entry->fLinkCount; ++j) {
            const int link = entry->fpLinks[j];
            const VoWayPoint* exit = fpPathFinding->GetWayPoint(link);
            if (exit != nullptr && exit->fStairClass == other && OnRoute(*route, link)) {
                fStairsPending = true;
                fStairExit = exit->fCoords;
                fFinalTarget = fTarget;
                break;
            }
        }
    }
    if (!fStairsPending || fpSteering == nullptr) {
        return;
    }
    fStairLeg = 0;
    fTarget = fStairEntry;
    fpNavigation->SetTarget(VoVector3(fStairEntry.x, fStairEntry.y, 0.0f));
    fpNavigation->SetActive(true);
    fpSteering->SetMoving(true, fpSteering->GetSpeedIndex());
    if (fpListener != nullptr) {
        ArmWatch(kStairWatchDistance);
    }
}

void MGNavigation::OnNavigationStopped() {
    fNearWatch = false;
    if (!fStairsPending) {
        if (fpListener != nullptr) {
            MGIListener* listener = fpListener;
            fpListener = nullptr;
            listener->OnArrived(VoString());
        }
        return;
    }
    if (fStairLeg == 0) {
        fStairLeg = 1;
        if (fpScene != nullptr) {
            fpScene->SetInputEnabled(false);
        }
        // Only a standing walker turns first: turning stops a moving one,
        // which would end this leg a second time.
        MGCharacter* player = Player();
        const bool standing = fpSteering == nullptr || !fpSteering->IsActive();
        if (!standing || player == nullptr || !player->TurnAndWalk(fStairExit, fStairSpeed)) {
            WalkTo(fStairExit, false, fStairSpeed, false);
            if (fpListener != nullptr) {
                ArmWatch(kStairWatchDistance);
            }
        }
        return;
    }
    fStairsPending = false;
    if (fpScene != nullptr) {
        fpScene->SetInputEnabled(true);
    }
    WalkTo(fFinalTarget, false, kWalkSpeed, false);
}
