#include "scene/MGHotspotNavigate.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "geometry/VoLine2.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoWayPoint.h"
#include "pda/MGPDAMinimized.h"
#include "scene/MGCharacter.h"
#include "scene/MGNavigation.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"

namespace {

// The walkable regions of the camera, as a new array (delete[]) and their count.
VoPosBounds** CameraBounds(VoNavigationTDO* apNavigation, const VoString& aCamera, int* apCount) {
    *apCount = 0;
    VoPosBounds** bounds = nullptr;
    if (apNavigation == nullptr || aCamera.GetLength() == 0 ||
        !apNavigation->GetPosBoundsForCamera(aCamera, apCount, &bounds)) {
        *apCount = 0;
        return nullptr;
    }
    return bounds;
}

bool InBounds(VoPosBounds** appBounds, int aCount, const VoVector2& aPoint) {
    for (int i = 0; i < aCount; ++i) {
        if (appBounds[i]->fPolygon.ContainsPoint(aPoint)) {
            return true;
        }
    }
    return false;
}

// The segment's crossings with every region's border, region by region.
VoVectorFloat Crossings(VoPosBounds** appBounds, int aCount, const VoLine2& aSegment) {
    VoVectorFloat found;
    for (int i = 0; i < aCount; ++i) {
        const VoPolygon& border = appBounds[i]->fPolygon;
        if (border.GetNumPoints() == 0) {
            continue;
        }
        int count = 0;
        VoVector2* points = nullptr;
        if (border.Intersections(aSegment, &count, &points, false)) {
            for (int j = 0; j < count; ++j) {
                found.Add(points[j].x);
                found.Add(points[j].y);
            }
        }
        delete[] points;
    }
    return found;
}

// The target scene of a navigate hotspot, entered at the viewpoint's start
// waypoint: the hotspot that asked is gone by then with its scene.
void EnterScene(const VoString& aSceneId, const VoString& aViewpointId) {
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (scenes == nullptr) {
        return;
    }
    scenes->LoadScene(aSceneId, false, true);
    MGScene* scene = scenes->GetScene();
    if (scene != nullptr && aViewpointId.GetLength() > 0) {
        VoPropertyList* file = scene->GetSceneFile();
        bool found = false;
        const VoString start =
            file != nullptr
                ? file->GetString(VoString(u"viewpoints.") + aViewpointId + u".startwaypoint", &found)
                : VoString();
        VoPropertyList waypoints;
        if (found && waypoints.Load(scene->GetScenePath() + MGNavigation::kWayPointsFile, true)) {
            const VoVectorFloat coords = waypoints.GetVectorFloat(start + u".coords", &found);
            if (found && coords.GetCount() >= 2) {
                scenes->SetPendingPosition(VoVector2(coords.GetAt(0), coords.GetAt(1)));
            }
        }
        scene->SetViewpoint(aViewpointId);
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->Clear();
        if (scene != nullptr) {
            screens->PushFade(scene);
        }
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
}

}  // namespace

MGNavigateHotspotData::~MGNavigateHotspotData() {
    delete fpCondition;
}

int MGHotspotNavigate::CursorIdOf(const VoString& aDirection) {
    const VoString name = (VoString(kCursorPrefix) + aDirection).ToLower();
    for (int id = 0; id < MGCursor::kCursorCount; ++id) {
        if (MGCursor::GetCursorName(id) == name) {
            return id;
        }
    }
    return -1;
}

MGHotspotNavigate::MGHotspotNavigate() : MGHotspot(kNavigate), fpData(VO_NEW MGNavigateHotspotData()) {
    SetTypeData(fpData);
}

MGHotspotNavigate::~MGHotspotNavigate() {
    if (fFading) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
}

bool MGHotspotNavigate::ReadEntry(VoPropertyList* apEntry) {
    MGHotspot::ReadEntry(apEntry);
    VoPropertyList* data =
        ReadTypeData(apEntry, u"typedata.navigate", fpData, kTypeDataNotFound, kEnabledNotFound);
    if (data == nullptr) {
        return true;
    }
    bool found = false;
    if (VoPropertyList* conditional = data->GetList(VoString(u"conditional"))) {
        const VoString condition = conditional->GetString(VoString(u"condition"), &found);
        fpData->fpCondition = BuildScript(found ? condition : VoString(kAlways));
        fpData->fSatisfied = conditional->GetVectorString(VoString(u"satisfied"), &found);
        fpData->fUnsatisfied = conditional->GetVectorString(VoString(u"unsatisfied"), &found);
    }
    fpData->fSceneId = data->GetString(VoString(u"sceneid"), &found);
    fpData->fViewpointId = data->GetString(VoString(u"viewpointid"), &found);
    if (fpData->fSceneId.GetLength() == 0 && fpData->fViewpointId.GetLength() == 0) {
        VO_ASSERT_FAILURE(kNoTarget);
    }
    const VoString waypoint = data->GetString(VoString(u"targetwaypoint"), &found);
    if (found) {
        MGNavigation* navigation = MGNavigation::PeekInstance();
        VoPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFinding() : nullptr;
        const VoWayPoint* point = web != nullptr ? web->GetWayPoint(waypoint) : nullptr;
        if (point != nullptr) {
            fpData->fTargetPosition = point->fCoords;
            fpData->fHasTargetPosition = true;
        } else {
            VO_ASSERT_FAILURE(kWayPointNotFound, waypoint);
        }
    }
    const VoVectorFloat position = data->GetVectorFloat(VoString(u"targetpos"), &found);
    if (found && position.GetCount() >= 2) {
        fpData->fTargetPosition = VoVector2(position.GetAt(0), position.GetAt(1));
        fpData->fHasTargetPosition = true;
    }
    const VoString direction = data->GetString(VoString(u"cursordirection"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kDirectionNotFound);
    } else {
        fpData->fCursorId = CursorIdOf(direction);
        if (fpData->fCursorId < 0) {
            VO_ASSERT_FAILURE(kCursorNotFound);
        }
    }
    return true;
}

void MGHotspotNavigate::UpdateCursor() {
    MGCursor* cursor = Cursor();
    if (cursor == nullptr) {
        return;
    }
    if (!IsHovered()) {
        cursor->ResetCursor(GetId());
    } else if (fpData != nullptr && fpData->fCursorId >= 0) {
        cursor->SetCursor(fpData->fCursorId, GetId());
    }
    // A direction without a look of its own leaves the cursor as it is.
}

void MGHotspotNavigate::Navigate(bool aRun) {
    if (fpData == nullptr) {
        return;
    }
    if (fpData->fpCondition != nullptr) {
        if (!fpData->fpCondition->Evaluate()) {
            if (fpData->fUnsatisfied.GetCount() > 0) {
                SpeakLine(fpData->fUnsatisfied, true);
            }
            return;
        }
        if (fpData->fSatisfied.GetCount() > 0 && GetSoundPlayer() == nullptr && !fChangeUnderway) {
            SpeakLine(fpData->fSatisfied, false);
        }
    }
    const int pace = aRun ? 2 : 1;
    MGNavigation* navigation = MGNavigation::GetInstance();
    MGCharacter* player = Player();
    const bool canWalk = navigation != nullptr && player != nullptr;
    if (fpData->fHasTargetPosition && canWalk) {
        navigation->SetListener(this);
        navigation->WalkTo(fpData->fTargetPosition, true, pace, true);
        navigation->SetNotifyDistance(kNearDistance);
        return;
    }
    VoVector2 crossing;
    if (!fpData->fHasTargetPosition && canWalk && FindBorderCrossing(&crossing)) {
        const VoVector3* position = player->GetPosition();
        if (crossing.Distance(VoVector2(position->x, position->z)) > kBorderDistance) {
            navigation->SetListener(this);
            navigation->WalkTo(crossing, true, pace, true);
            navigation->SetNotifyDistance(kNearDistance);
            return;
        }
    }
    // Last: the hotspot may be gone after it.
    GoThrough();
}

bool MGHotspotNavigate::FindBorderCrossing(VoVector2* apCrossing) {
    MGScene* scene = Scene();
    MGNavigation* navigation = MGNavigation::GetInstance();
    VoNavigationTDO* ground = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    VoPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFinding() : nullptr;
    MGCharacter* player = Player();
    if (scene == nullptr || ground == nullptr || web == nullptr || player == nullptr) {
        return false;
    }
    VoShortestPath route;
    if (!navigation->GetPathToViewpoint(fpData->fViewpointId, &route) || route.fPath.GetCount() == 0) {
        return false;
    }
    const int count = route.fPath.GetCount();
    const VoWayPoint* last = web->GetWayPoint(route.fPath.GetAt(count - 1));
    const VoWayPoint* before = count > 1 ? web->GetWayPoint(route.fPath.GetAt(count - 2)) : nullptr;
    if (last == nullptr || (count > 1 && before == nullptr)) {
        return false;
    }
    const VoVector3* position = player->GetPosition();
    const VoVector2 from = before != nullptr ? before->fCoords : VoVector2(position->x, position->z);
    const VoLine2 segment(from, last->fCoords, VoLine2::kSegment);

    int hereCount = 0;
    int thereCount = 0;
    VoPosBounds** here =
        CameraBounds(ground, scene->GetViewpointCameraId(scene->GetViewpointId()), &hereCount);
    VoPosBounds** there =
        CameraBounds(ground, scene->GetViewpointCameraId(fpData->fViewpointId), &thereCount);
    VoVectorFloat crossings = Crossings(here, hereCount, segment);
    if (crossings.GetCount() >= 2 && InBounds(here, hereCount, last->fCoords) &&
        InBounds(there, thereCount, last->fCoords) &&
        !InBounds(there, thereCount, VoVector2(crossings.GetAt(0), crossings.GetAt(1)))) {
        // The way ends where both viewpoints see the floor: it leaves
        // through the target's border instead.
        crossings = Crossings(there, thereCount, segment);
    }
    delete[] here;
    delete[] there;
    if (crossings.GetCount() < 2) {
        return false;
    }
    *apCrossing = VoVector2(crossings.GetAt(0), crossings.GetAt(1));
    return true;
}

void MGHotspotNavigate::OnArrived(const VoString&) {
    GoThrough();
}

void MGHotspotNavigate::OnNear(const VoString&) {
    GoThrough();
}

void MGHotspotNavigate::GoThrough() {
    fChangeUnderway = true;
    if (MGNavigation* navigation = MGNavigation::PeekInstance()) {
        navigation->RemoveListener(this);
    }
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->AdvanceTime(kArrivalSeconds, true);
    }
    if (MGCursor* cursor = Cursor()) {
        cursor->ResetCursor(GetId());
    }
    if (fpData == nullptr) {
        return;
    }
    if (fpData->fSceneId.GetLength() == 0) {
        // The viewpoint change deletes this hotspot with the others.
        const VoString viewpoint = fpData->fViewpointId;
        if (MGScene* scene = Scene()) {
            scene->ChangeViewpoint(viewpoint);
        }
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader == nullptr) {
        return;
    }
    fFading = fader->SetListener(this);
    // A black picture finishes inside the call, and the scene with this
    // hotspot is gone when it returns.
    fader->FadeOut();
}

void MGHotspotNavigate::OnFadeEvent(int aCode) {
    if (aCode != MGIScreenFaderListener::kFinished) {
        return;
    }
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
    fFading = false;
    const VoString scene = fpData != nullptr ? fpData->fSceneId : VoString();
    const VoString viewpoint = fpData != nullptr ? fpData->fViewpointId : VoString();
    // Loading deletes this hotspot with its scene: nothing of it is touched
    // from here on.
    EnterScene(scene, viewpoint);
}

bool MGHotspotNavigate::SpeakLine(const VoVectorString& aLines, bool aRefusal) {
    const VoString name = aLines.GetAt(0);
    MGCharacter* speaker = aLines.GetCount() > 1 ? SceneCharacter(aLines.GetAt(1)) : nullptr;
    if (speaker == nullptr) {
        speaker = Player();
    }
    if (!StartSoundPlayer(kLineStream, name + kSoundExtension)) {
        return false;
    }
    ShowSubtitle(name);
    LoadLipSync(name, speaker);
    LoadGestures(name, speaker);
    if (aRefusal) {
        SetSceneInput(false);
        SetSceneHotspots(false);
        SetVoiceOverPlaying(true);
        if (MGCursor* cursor = Cursor()) {
            cursor->ResetCursor(GetId());
        }
    }
    PlayHeld();
    return true;
}

void MGHotspotNavigate::OnSoundEnd(const VoString&) {
    EndVoice(true);
}
