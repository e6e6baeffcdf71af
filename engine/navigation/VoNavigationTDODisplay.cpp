#include "navigation/VoNavigationTDODisplay.h"

#include <cstring>

#include "container/VoColor.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSPolygon.h"
#include "gdi/VoSRectangle.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoMatrix.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "navigation/VoIPathFinding.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoNegBounds.h"
#include "navigation/VoPosBounds.h"
#include "navigation/VoSteeringTDO.h"
#include "navigation/VoWayPoint.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "render/VoIndexBuffer.h"
#include "render/VoVertexBuffer.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "scene/VoMeshSubset.h"
#include "stdlib/VoFrameManager.h"

namespace {

// Colours as (alpha, red, green, blue).
const VoColor kBackgroundFill(0.65f, 0.0f, 0.0f, 0.0f);
const VoColor kBackgroundStroke(1.0f, 0.0f, 0.0f, 0.0f);
const VoColor kRegionFaint(0.2f, 1.0f, 1.0f, 1.0f);
const VoColor kRegionShown(1.0f, 1.0f, 1.0f, 1.0f);
const VoColor kObstacle(1.0f, 1.0f, 0.0f, 0.0f);
const VoColor kPick(1.0f, 1.0f, 1.0f, 1.0f);
const VoColor kGreen(1.0f, 0.0f, 1.0f, 0.0f);
const VoColor kWayPoint(1.0f, 0.0f, 0.0f, 1.0f);
const VoColor kLink(0.7f, 0.0f, 0.0f, 1.0f);
const VoColor kPlayer(1.0f, 1.0f, 1.0f, 0.0f);

const VoVector2 kNextPointDiamond[] = {{0.0f, 6.0f}, {-6.0f, 0.0f}, {0.0f, -6.0f}, {6.0f, 0.0f}};
const VoVector2 kWayPointDiamond[] = {{0.0f, 5.0f}, {-5.0f, 0.0f}, {0.0f, -5.0f}, {5.0f, 0.0f}};
const VoVector2 kArrow[] = {{0.0f, 0.0f},   {0.0f, 4.0f},  {-10.0f, 4.0f}, {-10.0f, -4.0f},
                            {10.0f, -4.0f}, {10.0f, 4.0f}, {0.0f, 4.0f},   {0.0f, 12.0f}};

template <int N>
VoPolygon PolygonOf(const VoVector2 (&aPoints)[N], bool aClosed) {
    VoPolygon polygon;
    polygon.SetPoints(aPoints, N, aClosed);
    return polygon;
}

// The bounding rectangle of every outline with points, folded into aRect;
// aAny says whether aRect holds one yet.
void Include(const VoPolygon& aPolygon, VoRectangle& aRect, bool& aAny) {
    if (aPolygon.GetNumPoints() == 0) {
        return;
    }
    const VoRectangle bounds(aPolygon);
    if (aAny) {
        aRect.Union(bounds);
    } else {
        aRect = bounds;
        aAny = true;
    }
}

VoString NumberedId(const char16_t* apPrefix, int aNumber) {
    VoString id(apPrefix);
    id.Append(static_cast<std::int32_t>(aNumber));
    return id;
}

// The ground point (x, z) of a vertex placed by the matrix (when given).
bool GroundPointOf(VoVertexBuffer* apVertices, std::uint32_t aIndex, const VoMatrix* apWorld,
                   VoVector2& aOut) {
    if (aIndex >= static_cast<std::uint32_t>(apVertices->GetVertexCount())) {
        return false;
    }
    float xyz[3];
    std::memcpy(xyz, apVertices->GetVertex(static_cast<std::int32_t>(aIndex)), sizeof xyz);
    VoVector3 position(xyz[0], xyz[1], xyz[2]);
    if (apWorld != nullptr) {
        TransformCoord(&position, apWorld, &position);
    }
    aOut.Set(position.x, position.z);
    return true;
}

}  // namespace

VoNavigationTDODisplay::VoNavigationTDODisplay()
    : fpNavigation(nullptr),
      fpSteering(nullptr),
      fpContentGroup(nullptr),
      fpPositiveGroup(nullptr),
      fpNegativeGroup(nullptr),
      fpGroundGroup(nullptr),
      fpWayPointGroup(nullptr),
      fpPathGroup(nullptr),
      fWidth(kWidth),
      fHeight(kHeight),
      fMargin(kMargin),
      fpViewRect(VO_NEW VoRectangle()),
      fpAllRect(VO_NEW VoRectangle()),
      fShowingView(false),
      fpPickShape(nullptr),
      fpTargetShape(nullptr),
      fpNextPointShape(nullptr),
      fpPlayerShape(nullptr),
      fpPathShape(nullptr),
      fpViewNameText(nullptr),
      fInKeyboard(false),
      fInMouse(false),
      fInFrames(false) {
    SetId(VoString(kId));
    SetPosition(kX, kY);
    SetBoundary(VoRectangle(0.0f, 0.0f, fWidth, fHeight));
    if (VoDisplayManager* manager = VoDisplayManager::GetInstance()) {
        manager->AddMember(this);
    }
    SetActive(false);
}

VoNavigationTDODisplay::~VoNavigationTDODisplay() {
    LeaveInput();
    delete fpViewRect;
    fpViewRect = nullptr;
    delete fpAllRect;
    fpAllRect = nullptr;
}

VoString VoNavigationTDODisplay::ToString() const {
    return VoDebugString("VoNavigationTDODisplay", this);
}

VoDisplayGroup* VoNavigationTDODisplay::AddGroup(VoDisplayGroup* apGroup, const VoString& aId) {
    if (apGroup == nullptr) {
        return nullptr;
    }
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr) {
        VO_ASSERT_FAILURE(kNoShape, aId);
        return nullptr;
    }
    group->SetId(aId);
    if (!apGroup->AddMember(group, true)) {
        delete group;
        return nullptr;
    }
    return group;
}

VoSPolygon* VoNavigationTDODisplay::AddPolygon(VoDisplayGroup* apGroup, const VoString& aId,
                                               const VoPolygon& aPolygon, const VoColor& aColor) {
    if (apGroup == nullptr) {
        return nullptr;
    }
    VoSPolygon* shape = VO_NEW VoSPolygon();
    if (shape == nullptr) {
        VO_ASSERT_FAILURE(kNoShape, aId);
        return nullptr;
    }
    shape->SetId(aId);
    shape->SetPolygon(aPolygon);
    shape->SetStrokeColor(aColor);
    if (!apGroup->AddMember(shape, true)) {
        delete shape;
        return nullptr;
    }
    return shape;
}

VoSRectangle* VoNavigationTDODisplay::AddMarker(VoDisplayGroup* apGroup, const VoString& aId,
                                                const VoColor& aColor) {
    if (apGroup == nullptr) {
        return nullptr;
    }
    VoSRectangle* shape = VO_NEW VoSRectangle();
    if (shape == nullptr) {
        VO_ASSERT_FAILURE(kNoShape, aId);
        return nullptr;
    }
    shape->SetId(aId);
    const float half = kMarkerSize / 2.0f;
    shape->SetShapeRectangle(VoRectangle(-half, -half, kMarkerSize, kMarkerSize));
    shape->SetStrokeColor(aColor);
    if (!apGroup->AddMember(shape, true)) {
        delete shape;
        return nullptr;
    }
    return shape;
}

bool VoNavigationTDODisplay::Create(VoNavigationTDO* apNavigation, VoSteeringTDO* apSteering) {
    if (apNavigation == nullptr) {
        VO_ASSERT_FAILURE(kCreateNullArg);
        return false;
    }
    if (fpContentGroup != nullptr) {
        // The layers are built once; a second build would find every id taken.
        VO_ASSERT_FAILURE(kCreateAgain);
        return false;
    }
    fpNavigation = apNavigation;
    fpSteering = apSteering;

    VoSRectangle* background = VO_NEW VoSRectangle();
    if (background != nullptr) {
        background->SetId(VoString(kBackgroundId));
        background->SetShapeRectangle(VoRectangle(0.0f, 0.0f, fWidth, fHeight));
        background->SetFilled(true);
        background->SetFillColor(kBackgroundFill);
        background->SetStrokeColor(kBackgroundStroke);
        if (!AddMember(background, true)) {
            delete background;
        }
    }
    fpContentGroup = AddGroup(this, VoString(kContentId));

    bool any = false;
    fpPositiveGroup = AddGroup(fpContentGroup, VoString(kPositiveId));
    for (int i = 0; i < fpNavigation->GetPosBoundsCount(); ++i) {
        const VoPosBounds* bounds = fpNavigation->GetPosBounds(i);
        // An outline without points bounds nothing and draws nothing.
        if (bounds->fPolygon.GetNumPoints() > 0) {
            AddPolygon(fpPositiveGroup, bounds->fId, bounds->fPolygon, kRegionFaint);
            Include(bounds->fPolygon, *fpAllRect, any);
        }
    }
    fpNegativeGroup = AddGroup(fpContentGroup, VoString(kNegativeId));
    for (int i = 0; i < fpNavigation->GetNegBoundsCount(); ++i) {
        const VoNegBounds* bounds = fpNavigation->GetNegBounds(i);
        if (bounds->fPolygon.GetNumPoints() > 0) {
            AddPolygon(fpNegativeGroup, bounds->fId, bounds->fPolygon, kObstacle);
            Include(bounds->fPolygon, *fpAllRect, any);
        }
    }

    fpViewNameText = VO_NEW VoTextArea();
    if (fpViewNameText != nullptr) {
        fpViewNameText->SetId(VoString(kViewNameId));
        fpViewNameText->Create(VoString(kFontId));
        fpViewNameText->SetPosition(kViewNameX, kViewNameY);
        if (!AddMember(fpViewNameText, true)) {
            delete fpViewNameText;
            fpViewNameText = nullptr;
        }
    }
    SetView(fpNavigation->GetCamera());
    JoinKeyboard();

    fpPickShape = AddMarker(fpContentGroup, VoString(kPickId), kPick);
    fpTargetShape = AddMarker(fpContentGroup, VoString(kTargetId), kGreen);
    fpNextPointShape =
        AddPolygon(fpContentGroup, VoString(kVisibleTargetId), PolygonOf(kNextPointDiamond, true), kGreen);
    SetupWayPoints();
    CreatePlayer();
    if (fpPlayerShape != nullptr) {
        fpPlayerShape->SetPosition(kParkedX, kParkedY);
    }
    fpNavigation->SetPosition(VoVector3(kParkedX, kParkedY, 0.0f));
    CreatePath();
    JoinFrames();
    return true;
}

bool VoNavigationTDODisplay::SetView(const VoString& aCameraId) {
    if (fpNavigation == nullptr) {
        return false;
    }
    int count = 0;
    VoPosBounds** current = nullptr;
    if (!fpNavigation->GetPosBoundsCurrent(&count, &current) || count == 0) {
        return false;
    }
    VoRectangle rect;
    bool any = false;
    for (int i = 0; i < fpNavigation->GetPosBoundsCount(); ++i) {
        const VoPosBounds* bounds = fpNavigation->GetPosBounds(i);
        if (bounds->fCamera == aCameraId) {
            Include(bounds->fPolygon, rect, any);
        }
    }
    *fpViewRect = rect;
    fViewName = aCameraId;
    fShowingView = true;
    HighlightView();
    if (fpViewNameText != nullptr) {
        fpViewNameText->SetActive(true);
    }
    return FitContentRect(fpViewRect);
}

void VoNavigationTDODisplay::ShowAll() {
    if (fpViewNameText != nullptr) {
        fpViewNameText->SetActive(false);
    }
    FitContentRect(fpAllRect);
}

void VoNavigationTDODisplay::HighlightView() {
    if (fpNavigation == nullptr || fpPositiveGroup == nullptr) {
        return;
    }
    int count = 0;
    VoPosBounds** current = nullptr;
    fpNavigation->GetPosBoundsCurrent(&count, &current);
    VoHashKeyList& shapes = fpPositiveGroup->GetMembers();
    for (int i = 0; i < fpNavigation->GetPosBoundsCount(); ++i) {
        VoPosBounds* bounds = fpNavigation->GetPosBounds(i);
        // By the member list itself: a region id may hold a "." that a
        // member path would split.
        const int index = shapes.IndexOf(bounds->fId);
        if (index < 0) {
            continue;
        }
        bool shown = false;
        for (int k = 0; k < count && !shown; ++k) {
            shown = current[k] == bounds;
        }
        static_cast<VoSPolygon*>(shapes.GetAt(index))->SetStrokeColor(shown ? kRegionShown : kRegionFaint);
    }
}

bool VoNavigationTDODisplay::FitContentRect(VoRectangle* apRectangle) {
    if (apRectangle == nullptr) {
        VO_ASSERT_FAILURE(kFitNullArg);
        return false;
    }
    if (fpContentGroup == nullptr) {
        return false;
    }
    const VoRectangle& r = *apRectangle;
    const bool wide = r.width > r.height;
    const float extent = wide ? r.width : r.height;
    // No regions leave a rectangle without extent: nothing to scale by.
    if (!(extent > 0.0f)) {
        VO_ASSERT_FAILURE(kFitEmpty);
        return false;
    }
    const float inner = fWidth - 2.0f * fMargin;
    const float scale = inner / extent;
    fpContentGroup->SetScale(scale, -scale);
    const float x = fMargin - scale * r.x + (inner - scale * r.width) / 2.0f;
    const float y = (fHeight - fMargin) - ((inner - scale * r.height) / 2.0f - scale * r.y);
    fpContentGroup->SetPosition(x, y);
    if (apRectangle == fpAllRect) {
        fShowingView = false;
    }
    if (fpViewNameText != nullptr) {
        fpViewNameText->SetText(fViewName);
    }
    return true;
}

bool VoNavigationTDODisplay::SetupWayPoints() {
    VoIPathFinding* pathFinding = fpNavigation != nullptr ? fpNavigation->GetPathFinding() : nullptr;
    if (pathFinding == nullptr || fpContentGroup == nullptr) {
        VO_ASSERT_FAILURE(kSetupWayPointsFailure);
        return false;
    }
    delete fpWayPointGroup;
    fpWayPointGroup = AddGroup(fpContentGroup, VoString(kWayPointGroupId));
    int count = 0;
    VoWayPoint* wayPoints = nullptr;
    if (fpWayPointGroup == nullptr || !pathFinding->GetWayPoints(&count, &wayPoints) ||
        wayPoints == nullptr) {
        return fpWayPointGroup != nullptr;
    }
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kFontId)) : nullptr;
    if (font == nullptr) {
        VO_ASSERT_FAILURE(kNoLabels);
    }
    const VoPolygon diamond = PolygonOf(kWayPointDiamond, true);
    for (int i = 0; i < count; ++i) {
        const VoWayPoint& wayPoint = wayPoints[i];
        if (VoSPolygon* shape =
                AddPolygon(fpWayPointGroup, NumberedId(kWayPointPrefix, i), diamond, kWayPoint)) {
            shape->SetPosition(wayPoint.fCoords);
        }
        for (int k = 0; k < wayPoint.fLinkCount; ++k) {
            const int linked = wayPoint.fpLinks[k];
            // Each two-way link once; a link only from the higher index is left out.
            if (linked <= i || linked >= count) {
                continue;
            }
            const VoVector2 ends[] = {wayPoint.fCoords, wayPoints[linked].fCoords};
            VoString id = NumberedId(kLinkPrefix, i);
            id.Append(u"_");
            id.Append(static_cast<std::int32_t>(linked));
            AddPolygon(fpWayPointGroup, id, PolygonOf(ends, false), kLink);
        }
        if (font == nullptr) {
            continue;
        }
        VoTextArea* label = VO_NEW VoTextArea();
        if (label == nullptr) {
            continue;
        }
        label->SetId(NumberedId(kLabelPrefix, i));
        label->Create(font);
        label->SetText(wayPoint.fId);
        label->SetPosition(wayPoint.fCoords);
        label->SetUnscaled(true);
        label->SetPixelSnap(true);
        label->SetBlend(kLabelBlend);
        if (!fpWayPointGroup->AddMember(label, true)) {
            delete label;
        }
    }
    return true;
}

bool VoNavigationTDODisplay::SetupGroundMeshes(int aCount, VoMesh** appMeshes) {
    if (fpContentGroup == nullptr || (aCount > 0 && appMeshes == nullptr)) {
        return false;
    }
    delete fpGroundGroup;
    fpGroundGroup = AddGroup(fpContentGroup, VoString(kGroundGroupId));
    if (fpGroundGroup == nullptr) {
        return false;
    }
    for (int m = 0; m < aCount; ++m) {
        VoMesh* mesh = appMeshes[m];
        VoVertexBuffer* vertices = mesh != nullptr ? mesh->GetVertexBuffer() : nullptr;
        if (vertices == nullptr || vertices->GetStride() < static_cast<std::int32_t>(3 * sizeof(float))) {
            continue;
        }
        const VoMatrix* world =
            mesh->GetOwnerFrame() != nullptr ? &mesh->GetOwnerFrame()->GetAbsoluteMatrix() : nullptr;
        const bool strips = (mesh->GetFlags() & VoMesh::kStrips) != 0;
        for (int s = 0; s < mesh->GetSubsetCount(); ++s) {
            const VoMeshSubset* subset = mesh->GetSubset(s);
            VoIndexBuffer* indices =
                subset->GetIndexBuffer() != nullptr ? subset->GetIndexBuffer() : mesh->GetIndexBuffer();
            if (indices == nullptr) {
                continue;
            }
            const std::uint64_t available = static_cast<std::uint64_t>(indices->GetCount());
            for (std::uint32_t t = 0; t < subset->GetTriangleCount(); ++t) {
                // The subset's range may claim more triangles than its indices hold.
                const std::uint64_t first =
                    static_cast<std::uint64_t>(subset->GetStartIndex()) + (strips ? t : 3ull * t);
                if (first + 3 > available) {
                    break;
                }
                VoVector2 corners[3];
                bool inside = true;
                for (int c = 0; c < 3 && inside; ++c) {
                    const std::uint32_t vertex = indices->GetIndex(static_cast<std::int32_t>(first + c)) +
                                                 subset->GetBaseVertexIndex();
                    inside = GroundPointOf(vertices, vertex, world, corners[c]);
                }
                if (!inside) {
                    continue;
                }
                VoString id;
                id.Append(static_cast<std::int32_t>(m));
                id.Append(u".");
                id.Append(static_cast<std::int32_t>(s));
                id.Append(u".");
                id.Append(t);
                AddPolygon(fpGroundGroup, id, PolygonOf(corners, true), kGreen);
            }
        }
    }
    return true;
}

void VoNavigationTDODisplay::SetPickPosition(const VoVector2& aPosition) {
    if (fpPickShape != nullptr) {
        fpPickShape->SetPosition(aPosition);
    }
}

bool VoNavigationTDODisplay::CreatePath() {
    if (fpContentGroup == nullptr) {
        return false;
    }
    delete fpPathGroup;
    fpPathShape = nullptr;
    fpPathGroup = AddGroup(fpContentGroup, VoString(kPathGroupId));
    const VoVector2 start[] = {VoVector2(0.0f, 0.0f)};
    fpPathShape = AddPolygon(fpPathGroup, VoString(kPathId), PolygonOf(start, false), kGreen);
    return fpPathShape != nullptr;
}

bool VoNavigationTDODisplay::CreatePlayer() {
    if (fpContentGroup == nullptr) {
        return false;
    }
    delete fpPlayerShape;
    fpPlayerShape = AddPolygon(fpContentGroup, VoString(kPlayerId), PolygonOf(kArrow, true), kPlayer);
    return fpPlayerShape != nullptr;
}

void VoNavigationTDODisplay::UpdatePath() {
    VoIPathFinding* pathFinding = fpNavigation != nullptr ? fpNavigation->GetPathFinding() : nullptr;
    VoShortestPath* route = pathFinding != nullptr ? pathFinding->GetLastPath() : nullptr;
    if (route == nullptr || fpPathShape == nullptr) {
        return;
    }
    const VoVector3& position = fpNavigation->GetPosition();
    const VoVector3& target = fpNavigation->GetTarget();
    VoPolygon path;
    path.SetClosed(false);
    path.AddPoint(VoVector2(position.x, position.y));
    for (int i = 0; i < route->fPath.GetCount(); ++i) {
        if (const VoWayPoint* wayPoint = pathFinding->GetWayPoint(route->fPath.GetAt(i))) {
            path.AddPoint(wayPoint->fCoords);
        }
    }
    path.AddPoint(VoVector2(target.x, target.y));
    fpPathShape->SetPolygon(path);
}

VoVector2 VoNavigationTDODisplay::ScreenToGround(const VoVector2& aScreen) {
    if (fpContentGroup == nullptr) {
        return aScreen;
    }
    VoMatrix inverse;
    if (MatrixInverse(&inverse, fpContentGroup->GetWorldTransform()) == nullptr) {
        return aScreen;
    }
    // The matrices work with y up: flip on the way in and on the way out.
    VoVector3 point(aScreen.x, -aScreen.y, 0.0f);
    TransformCoord(&point, &inverse, &point);
    return VoVector2(point.x, -point.y);
}

void VoNavigationTDODisplay::OnKeyDown(int aKey) {
    VoString line(kKeyLine);
    line.Append(static_cast<std::int32_t>(aKey));
    VoLog::Report(line);
}

void VoNavigationTDODisplay::OnKeyUp(int /*aKey*/) {}

void VoNavigationTDODisplay::OnButtonDown(int /*aButton*/) {
    if (fpNavigation == nullptr) {
        VO_ASSERT_FAILURE(kNoNavigation);
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return;
    }
    VoVector2 screen;
    mouse->GetPosition(screen);
    if (!HitTest(screen)) {
        return;
    }
    VoVector2 ground = ScreenToGround(screen);
    SetPickPosition(ground);
    VoVector2 reachable;
    if (fpNavigation->FindReachablePt(ground, &reachable)) {
        ground = reachable;
    }
    fpNavigation->PushAwayFromEdges(kPickRadius, kPickStep, &ground);
    fpNavigation->SetTarget(VoVector3(ground.x, ground.y, 0.0f));
    fpNavigation->SetActive(true);
    if (fpSteering != nullptr) {
        fpSteering->SetMoving(true, kWalkSpeedIndex);
    }
    mouse->ConsumeEvent();
}

void VoNavigationTDODisplay::OnMouseMove(const VoVector2* /*apPosition*/) {}

void VoNavigationTDODisplay::OnButtonUp(int /*aButton*/) {}

void VoNavigationTDODisplay::OnUpdate() {
    UpdatePath();
    if (fpNavigation == nullptr) {
        return;
    }
    const VoVector3& next = fpNavigation->GetNextPoint();
    if (fpNextPointShape != nullptr) {
        fpNextPointShape->SetPosition(next.x, next.y);
    }
    const VoVector3& target = fpNavigation->GetTarget();
    if (fpTargetShape != nullptr) {
        fpTargetShape->SetPosition(target.x, target.y);
    }
    if (fpPlayerShape == nullptr) {
        return;
    }
    if (fpSteering != nullptr) {
        const VoVector3& direction = fpSteering->GetDirection();
        const VoVector2 facing(direction.x, direction.y);
        float angle = VoVector2(0.0f, 1.0f).AngleBetween(facing);
        if (facing.x < 0.0f) {
            angle = -angle;
        }
        fpPlayerShape->SetRotation(angle * kRadiansToDegrees);
    }
    const VoVector3& position = fpNavigation->GetPosition();
    fpPlayerShape->SetPosition(position.x, position.y);
}

bool VoNavigationTDODisplay::SetMouseListening(bool aOn) {
    if (aOn == fInMouse) {
        return true;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        return false;
    }
    if (aOn) {
        fInMouse = mouse->AddListener(this, kMouseOrder);
        return fInMouse;
    }
    mouse->RemoveListener(this);
    fInMouse = false;
    return true;
}

void VoNavigationTDODisplay::JoinKeyboard() {
    if (fInKeyboard) {
        return;
    }
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    fInKeyboard = keyboard != nullptr && keyboard->AddListener(this, kKeyboardOrder);
}

void VoNavigationTDODisplay::JoinFrames() {
    if (fInFrames) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    fInFrames = frames != nullptr && frames->AddListener(this, kFrameOrder);
}

void VoNavigationTDODisplay::LeaveInput() {
    if (fInKeyboard) {
        if (VoKeyboard* keyboard = VoKeyboard::GetInstance()) {
            keyboard->RemoveListener(this);
        }
        fInKeyboard = false;
    }
    SetMouseListening(false);
    if (fInFrames) {
        if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
            frames->RemoveListener(this);
        }
        fInFrames = false;
    }
}
