#include "puzzles/roomservice/MGRoomServicePiece.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "memory/VoNew.h"
#include "puzzles/MGPuzzleFrame.h"

namespace {

// How near an edge a point may lie and still be on it.
constexpr float kEdgeTolerance = 1.0e-3f;

float DistanceToSegment(const VoVector2& aPoint, const VoVector2& aA, const VoVector2& aB) {
    const float dx = aB.x - aA.x;
    const float dy = aB.y - aA.y;
    const float length = dx * dx + dy * dy;
    float t = length > 0.0f ? ((aPoint.x - aA.x) * dx + (aPoint.y - aA.y) * dy) / length : 0.0f;
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    const float px = aA.x + t * dx - aPoint.x;
    const float py = aA.y + t * dy - aPoint.y;
    return std::sqrt(px * px + py * py);
}

bool InsideOrOnEdge(const VoPolygon& aPolygon, const VoVector2& aPoint) {
    if (aPolygon.ContainsPoint(aPoint)) {
        return true;
    }
    const int count = aPolygon.GetNumPoints();
    const VoVector2* points = aPolygon.PeekPoints();
    for (int i = 0; i < count; ++i) {
        if (DistanceToSegment(aPoint, points[i], points[i + 1 < count ? i + 1 : 0]) <= kEdgeTolerance) {
            return true;
        }
    }
    return false;
}

}  // namespace

MGRoomServicePiece::MGRoomServicePiece()
    : fpSprite(nullptr),
      fRotation(0.0f),
      fpHitPolygon(nullptr),
      fpBasePolygon(nullptr),
      fSolvedDistance(0.0f),
      fWidth(0.0f),
      fHeight(0.0f) {}

MGRoomServicePiece::~MGRoomServicePiece() {
    delete fpHitPolygon;
    delete fpBasePolygon;
}

bool MGRoomServicePiece::Create(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        return true;
    }
    SetId(apEntry->GetString(VoString(u"id"), nullptr));
    bool found = false;
    const VoVectorFloat centre = apEntry->GetVectorFloat(VoString(u"center"), &found);
    if (centre.GetCount() >= 2) {
        fCentre = VoVector2(centre.GetAt(0), centre.GetAt(1));
    }
    const VoVectorFloat solved = apEntry->GetVectorFloat(VoString(u"solved"), &found);
    const float dx = solved.GetCount() > 0 ? solved.GetAt(0) : 0.0f;
    const float dy = solved.GetCount() > 1 ? solved.GetAt(1) : 0.0f;
    fSolvedDistance = std::sqrt(dx * dx + dy * dy);

    bool hasPolygon = false;
    const VoVectorFloat coords = apEntry->GetVectorFloat(VoString(u"polygon"), &hasPolygon);
    if (hasPolygon) {
        fpBasePolygon = VO_NEW VoPolygon();
        for (int i = 0; fpBasePolygon != nullptr && i + 1 < coords.GetCount(); i += 2) {
            fpBasePolygon->AddPoint(coords.GetAt(i), coords.GetAt(i + 1));
        }
        if (fpBasePolygon != nullptr) {
            fpBasePolygon->SetClosed(true);
        }
        Turn(0.0f);
    } else {
        VO_ASSERT_FAILURE("");
    }

    fpSprite = VoLayoutBuilder::BuildSprite(apEntry->GetList(VoString(u"sprite")));
    if (fpSprite == nullptr) {
        VO_ASSERT_FAILURE("");
        return true;
    }
    VoPolygon outline;
    if (!fpSprite->GetWorldBoundary(outline) || outline.GetNumPoints() == 0) {
        VO_ASSERT_FAILURE(kNoBoundary);
    } else {
        const VoRectangle size(outline);
        fWidth = size.width;
        fHeight = size.height;
    }
    fpSprite->SetCenter(fCentre);
    fpSprite->SetPosition(fCentre);
    if (!AddMember(fpSprite, true)) {
        VO_ASSERT_FAILURE("");
        delete fpSprite;
        fpSprite = nullptr;
        return true;
    }
    if (const VoPolygon* boundary = fpSprite->GetBoundary()) {
        SetBoundary(*boundary);
    }
    return true;
}

VoVector2 MGRoomServicePiece::GetWorldCenter() {
    VoVector2 world;
    GetWorldPosition(world);
    return world + fCentre;
}

bool MGRoomServicePiece::Grab(const VoVector2& aPoint) {
    VoVector2 world;
    GetWorldPosition(world);
    const bool hit =
        fpHitPolygon != nullptr ? InsideOrOnEdge(*fpHitPolygon, aPoint - world) : HitTest(aPoint);
    if (hit) {
        fGrabOffset = world - aPoint;
    }
    return hit;
}

void MGRoomServicePiece::DragTo(const VoVector2& aMouse) {
    MGPuzzleFrame::DragWithinScreen(this, aMouse + fGrabOffset, fWidth, fHeight);
}

void MGRoomServicePiece::ShowTurn(float aDegrees) {
    if (fpSprite != nullptr) {
        fpSprite->SetRotation(aDegrees + fRotation);
    }
}

void MGRoomServicePiece::Turn(float aDegrees) {
    fRotation += aDegrees;
    if (fpBasePolygon == nullptr) {
        return;
    }
    VoPolygon* turned = VO_NEW VoPolygon();
    if (turned == nullptr) {
        return;
    }
    // The screen's y points down: turning the points by minus the angle
    // turns them the way a positive rotation turns the sprite.
    const float angle = -fRotation * kDegreesToRadians;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const VoVector2* points = fpBasePolygon->PeekPoints();
    for (int i = 0; i < fpBasePolygon->GetNumPoints(); ++i) {
        const float dx = points[i].x - fCentre.x;
        const float dy = points[i].y - fCentre.y;
        turned->AddPoint(fCentre.x + dx * c - dy * s, fCentre.y + dx * s + dy * c);
    }
    turned->SetClosed(true);
    delete fpHitPolygon;
    fpHitPolygon = turned;
}

bool MGRoomServicePiece::IsInPlace(float aReferenceX, float aReferenceY, float aReferenceRotation) {
    // Whole degrees, then once round: 345 off is 15 off the other way, while
    // 400 is 40 off and 540 is 180 off.
    double difference = std::trunc(std::fabs(static_cast<double>(aReferenceRotation) - fRotation));
    if (!std::isfinite(difference)) {
        return false;
    }
    difference = std::fmod(difference, 360.0);
    if (difference > kAngleTolerance && 360.0 - difference > kAngleTolerance) {
        return false;
    }
    const VoVector2 centre = GetWorldCenter();
    const float dx = centre.x - aReferenceX;
    const float dy = centre.y - aReferenceY;
    return std::fabs(std::sqrt(dx * dx + dy * dy) - fSolvedDistance) <= kDistanceTolerance;
}

VoString MGRoomServicePiece::ToString() const {
    return VoDebugString("MGRoomServicePiece", this);
}
