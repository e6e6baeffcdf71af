#include "puzzles/baseballbat/MGBaseballPiece.h"

#include <cmath>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoLayoutBuilder.h"
#include "geometry/VoPolygon.h"

MGBaseballPiece::MGBaseballPiece()
    : fpRotations{}, fRotation(0), fWidth(0.0f), fHeight(0.0f), fOverPieces{}, fComplete(false) {
    for (int& over : fOverPieces) {
        over = kNoPiece;
    }
}

MGBaseballPiece::~MGBaseballPiece() = default;

bool MGBaseballPiece::Create(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        return true;
    }
    bool found = false;
    const VoString id = apEntry->GetString(VoString(u"id"), &found);
    if (!found) {
        VO_ASSERT_FAILURE("");
    }
    SetId(id);
    fWidth = apEntry->GetFloat(VoString(u"width"), nullptr);
    fHeight = apEntry->GetFloat(VoString(u"height"), nullptr);

    VoPropertyList* rotations = apEntry->GetList(VoString(u"rotations"));
    int built = 0;
    // Only the first four count, whatever else the entry holds.
    for (int i = 0; rotations != nullptr && i < kRotationCount && i < rotations->GetCount(); ++i) {
        VoPropertyList* node = rotations->GetListAt(i);
        VoDisplayGroup* group = VoLayoutBuilder::BuildGroup(node, true);
        if (group == nullptr) {
            continue;
        }
        const VoVectorFloat coords = node->GetVectorFloat(VoString(u"polygon"), &found);
        VoPolygon outline;
        for (int p = 0; p + 1 < coords.GetCount(); p += 2) {
            outline.AddPoint(coords.GetAt(p), coords.GetAt(p + 1));
        }
        outline.SetClosed(true);
        group->SetBoundary(outline);
        const VoVectorFloat solved = node->GetVectorFloat(VoString(u"solvedpos"), &found);
        fSolvedPositions[i] = VoVector2(solved.GetCount() > 0 ? solved.GetAt(0) : 0.0f,
                                        solved.GetCount() > 1 ? solved.GetAt(1) : 0.0f);
        const std::int32_t over = node->GetInt(VoString(u"overpiece"), &found);
        fOverPieces[i] = found ? over : kNoPiece;
        group->SetVisible(false);
        if (!AddMember(group, true)) {
            delete group;
            continue;
        }
        fpRotations[i] = group;
        ++built;
    }
    fComplete = built == kRotationCount;
    fRotation = 0;
    if (fpRotations[0] != nullptr) {
        fpRotations[0]->SetVisible(true);
    }
    return true;
}

bool MGBaseballPiece::Grab(const VoVector2& aPoint) {
    VoDisplayGroup* shown = fpRotations[fRotation];
    if (shown == nullptr || !shown->HitTest(aPoint)) {
        return false;
    }
    VoVector2 world;
    GetWorldPosition(world);
    fGrabOffset = world - aPoint;
    return true;
}

void MGBaseballPiece::DragTo(const VoVector2& aMouse) {
    const VoVector2 target = aMouse + fGrabOffset;
    VoVector2 world;
    GetWorldPosition(world);
    const VoVector2& local = GetPosition();
    SetPosition(local.x + (target.x - world.x), local.y + (target.y - world.y));
}

void MGBaseballPiece::NextRotation() {
    if (fpRotations[fRotation] != nullptr) {
        fpRotations[fRotation]->SetVisible(false);
    }
    fRotation = (fRotation + 1) % kRotationCount;
    if (fpRotations[fRotation] != nullptr) {
        fpRotations[fRotation]->SetVisible(true);
    }
}

bool MGBaseballPiece::IsAtSolvedPos(const VoVector2& aReference) {
    VoVector2 world;
    GetWorldPosition(world);
    const VoVector2& solved = fSolvedPositions[fRotation];
    return std::fabs(world.x - aReference.x - solved.x) <= kTolerance &&
           std::fabs(world.y - aReference.y - solved.y) <= kTolerance;
}

VoString MGBaseballPiece::ToString() const {
    return VoDebugString("MGBaseballPiece", this);
}
