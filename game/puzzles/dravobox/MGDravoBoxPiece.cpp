#include "puzzles/dravobox/MGDravoBoxPiece.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/dravobox/MGDravoBoxPuzzle.h"
#include "render/VoTextureManager.h"

namespace {

constexpr int kCoordCount = 4;

}  // namespace

MGDravoBoxPiece::MGDravoBoxPiece()
    : fpOwner(nullptr),
      fpGroup(nullptr),
      fpSprite(nullptr),
      fPressed(false),
      fAxisChosen(false),
      fLocked(false),
      fColumn(0),
      fRow(0),
      fFreeUp(false),
      fFreeDown(false),
      fFreeLeft(false),
      fFreeRight(false),
      fAxis(kHorizontal),
      fUpperLimit(kDefaultUpperLimit),
      fLowerLimit(kDefaultLowerLimit),
      fInMouse(false) {}

MGDravoBoxPiece::~MGDravoBoxPiece() {
    if (fInMouse) {
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->RemoveListener(this);
        }
    }
}

bool MGDravoBoxPiece::Create(MGDravoBoxPuzzle* apOwner, VoPropertyList* apEntry) {
    fpOwner = apOwner;
    bool hasId = false;
    const VoString id = apEntry != nullptr ? apEntry->GetString(VoString(u"id"), &hasId) : VoString();
    if (!hasId) {
        return false;
    }
    fpGroup = MGPuzzleFrame::NewGroup(id, kRelativeZ);
    fpSprite = VO_NEW VoSprite();
    if (fpGroup == nullptr || fpSprite == nullptr || !fpSprite->SetId(VoString(kSpriteId))) {
        delete fpSprite;
        delete fpGroup;
        fpSprite = nullptr;
        fpGroup = nullptr;
        return false;
    }
    fpSprite->SetRelativeZ(0.0f);
    fpSprite->SetPosition(0.0f, 0.0f);

    bool hasTexture = false;
    const VoString texture = apEntry->GetString(VoString(u"texture"), &hasTexture);
    if (!hasTexture) {
        VO_ASSERT_FAILURE("");
    }
    VoTextureManager* textures = VoTextureManager::GetInstance();
    const std::uint32_t handle = hasTexture && textures != nullptr ? textures->CreateTexture(texture) : 0;
    if (handle == 0) {
        VO_ASSERT_FAILURE("");
    }
    bool hasCoords = false;
    const VoVectorFloat coords = apEntry->GetVectorFloat(VoString(u"texturecoords"), &hasCoords);
    if (!hasCoords || coords.GetCount() < kCoordCount) {
        VO_ASSERT_FAILURE("");
    } else if (handle != 0) {
        VoVector2 min(coords.GetAt(0), coords.GetAt(1));
        VoVector2 max(coords.GetAt(2), coords.GetAt(3));
        fpSprite->SetTexture(handle, &min, &max);
    }

    fpGroup->AddMember(fpSprite, true);
    // The group takes the clicks where its picture is.
    if (const VoPolygon* outline = fpSprite->GetBoundary()) {
        fpGroup->SetBoundary(*outline);
    }
    VoMouse* mouse = VoMouse::GetInstance();
    fInMouse = mouse != nullptr && mouse->AddListener(this, kMouseOrder);
    return true;
}

void MGDravoBoxPiece::SetFreeDirections(bool aUp, bool aDown, bool aLeft, bool aRight) {
    fFreeUp = aUp;
    fFreeDown = aDown;
    fFreeLeft = aLeft;
    fFreeRight = aRight;
}

void MGDravoBoxPiece::SetSlideLimits(float aLower, float aUpper) {
    fLowerLimit = aLower;
    fUpperLimit = aUpper;
}

void MGDravoBoxPiece::SetCell(int aColumn, int aRow) {
    fColumn = aColumn;
    fRow = aRow;
}

void MGDravoBoxPiece::SetLocked(bool aLocked) {
    if (!fPressed) {
        fLocked = aLocked;
    }
}

void MGDravoBoxPiece::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (fLocked || fpGroup == nullptr || mouse == nullptr) {
        return;
    }
    VoVector2 point;
    mouse->GetPosition(point);
    if (!fpGroup->HitTest(point)) {
        return;
    }
    fPressed = true;
    if (fpOwner != nullptr) {
        fpOwner->Grab(this);
    }
    VoVector2 world;
    fpGroup->GetWorldPosition(world);
    fGrabOffset = point - world;
    fLast = point;
    fPress = point;
}

void MGDravoBoxPiece::OnMouseMove(const VoVector2* apPosition) {
    if (!fPressed || fLocked || apPosition == nullptr || fpGroup == nullptr) {
        return;
    }
    if (!fAxisChosen) {
        ChooseAxis(*apPosition);
        return;
    }
    Slide(*apPosition);
}

void MGDravoBoxPiece::ChooseAxis(const VoVector2& aMouse) {
    if ((fFreeUp && fPress.y - aMouse.y > kAxisThreshold) ||
        (fFreeDown && aMouse.y - fPress.y > kAxisThreshold)) {
        fAxis = kVertical;
    } else if ((fFreeLeft && fPress.x - aMouse.x > kAxisThreshold) ||
               (fFreeRight && aMouse.x - fPress.x > kAxisThreshold)) {
        fAxis = kHorizontal;
    } else {
        return;
    }
    fLast = aMouse;
    if (fpOwner != nullptr) {
        fpOwner->SetSlideLimits(this, fAxis);
    }
    fAxisChosen = true;
}

void MGDravoBoxPiece::Slide(const VoVector2& aMouse) {
    VoVector2 position = fpGroup->GetPosition();
    float& coordinate = fAxis == kVertical ? position.y : position.x;
    const float mouse = fAxis == kVertical ? aMouse.y : aMouse.x;
    const float last = fAxis == kVertical ? fLast.y : fLast.x;
    const float grab = (fAxis == kVertical ? fGrabOffset.y : fGrabOffset.x) + coordinate;
    const float delta = mouse - last;
    // The tile moves only while the point it was grabbed at trails the
    // pointer, so a pointer that ran past a limit must come back first.
    if (delta > 0.0f && grab < mouse) {
        coordinate = coordinate + delta < fUpperLimit ? coordinate + delta : fUpperLimit;
    } else if (delta < 0.0f && grab > mouse) {
        coordinate = coordinate + delta > fLowerLimit ? coordinate + delta : fLowerLimit;
    }
    fpGroup->SetPosition(position);
    fLast = aMouse;
}

void MGDravoBoxPiece::OnButtonUp(int) {
    if (fLocked || !fPressed) {
        return;
    }
    // Let go first, so that a solution's lock holds this tile too.
    fPressed = false;
    fAxisChosen = false;
    if (fpOwner != nullptr) {
        fpOwner->Drop(this);
    }
}

VoString MGDravoBoxPiece::ToString() const {
    return VoDebugString("MGDravoBoxPiece", this);
}
