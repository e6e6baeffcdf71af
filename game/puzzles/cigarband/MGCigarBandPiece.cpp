#include "puzzles/cigarband/MGCigarBandPiece.h"

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

MGCigarBandPiece::MGCigarBandPiece() : fpHitPolygon(nullptr), fWidth(0.0f), fHeight(0.0f) {}

MGCigarBandPiece::~MGCigarBandPiece() {
    delete fpHitPolygon;
}

bool MGCigarBandPiece::Create(VoPropertyList* apEntry) {
    if (apEntry == nullptr || !SetId(apEntry->GetString(VoString(u"id"), nullptr))) {
        return false;
    }
    SetPosition(apEntry->GetFloat(VoString(u"x"), nullptr), apEntry->GetFloat(VoString(u"y"), nullptr));
    SetRelativeZ(apEntry->GetFloat(VoString(u"z"), nullptr));

    bool found = false;
    const VoVectorFloat coords = apEntry->GetVectorFloat(VoString(u"polygon"), &found);
    if (found) {
        fpHitPolygon = VO_NEW VoPolygon();
        for (int i = 0; fpHitPolygon != nullptr && i + 1 < coords.GetCount(); i += 2) {
            fpHitPolygon->AddPoint(coords.GetAt(i), coords.GetAt(i + 1));
        }
        if (fpHitPolygon != nullptr) {
            fpHitPolygon->SetClosed(true);
        }
    }

    VoSprite* sprite = VoLayoutBuilder::BuildSprite(apEntry->GetList(VoString(u"sprite")));
    if (sprite == nullptr) {
        VO_ERROR(kBuildSpriteFailed);
        return true;
    }
    VoPolygon outline;
    if (!sprite->GetWorldBoundary(outline)) {
        VO_ASSERT_FAILURE(kNoBoundary);
    }
    const VoRectangle size(outline);
    fWidth = size.width;
    fHeight = size.height;
    if (!AddMember(sprite, true)) {
        VO_ASSERT_FAILURE("");
        delete sprite;
        return true;
    }
    if (outline.GetNumPoints() > 0) {
        SetBoundary(outline);
    }
    return true;
}

bool MGCigarBandPiece::Grab(const VoVector2& aPoint) {
    VoVector2 world;
    GetWorldPosition(world);
    const bool hit = fpHitPolygon != nullptr ? fpHitPolygon->ContainsPoint(aPoint - world) : HitTest(aPoint);
    if (hit) {
        fDragOffset = world - aPoint;
    }
    return hit;
}

void MGCigarBandPiece::DragTo(const VoVector2& aMouse) {
    MGPuzzleFrame::DragWithinScreen(this, aMouse + fDragOffset, fWidth, fHeight);
}

VoString MGCigarBandPiece::ToString() const {
    return VoDebugString("MGCigarBandPiece", this);
}
