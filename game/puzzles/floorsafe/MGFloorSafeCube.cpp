#include "puzzles/floorsafe/MGFloorSafeCube.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/floorsafe/MGFloorSafePuzzle.h"

namespace {

const char16_t* const kSides[MGFloorSafeCube::kSideCount] = {u"north", u"east", u"south", u"west"};

}  // namespace

bool MGFloorSafeCube::IsDirection(const VoString& aDirection) {
    return aDirection.EqualsNoCase(u"up") || aDirection.EqualsNoCase(u"down") ||
           aDirection.EqualsNoCase(u"left") || aDirection.EqualsNoCase(u"right");
}

bool MGFloorSafeCube::RollFaces(Faces& aFaces, const VoString& aDirection) {
    const Faces f = aFaces;
    if (aDirection.EqualsNoCase(u"up")) {
        aFaces = {f.north, f.bottom, f.east, f.top, f.west, f.south};
    } else if (aDirection.EqualsNoCase(u"down")) {
        aFaces = {f.south, f.top, f.east, f.bottom, f.west, f.north};
    } else if (aDirection.EqualsNoCase(u"left")) {
        aFaces = {f.west, f.north, f.top, f.south, f.bottom, f.east};
    } else if (aDirection.EqualsNoCase(u"right")) {
        aFaces = {f.east, f.north, f.bottom, f.south, f.top, f.west};
    } else {
        return false;
    }
    return true;
}

VoString MGFloorSafeCube::RollPicture(int aOldTop, int aNewTop, const VoString& aDirection) {
    const bool forward = aDirection.EqualsNoCase(u"up") || aDirection.EqualsNoCase(u"left");
    const bool vertical = aDirection.EqualsNoCase(u"up") || aDirection.EqualsNoCase(u"down");
    VoString name;
    name.Append(static_cast<std::int32_t>(forward ? aOldTop : aNewTop));
    name.Append(u"_");
    name.Append(static_cast<std::int32_t>(forward ? aNewTop : aOldTop));
    name.Append(vertical ? u"_v" : u"_h");
    return name;
}

MGFloorSafeCube::MGFloorSafeCube()
    : fpOwner(nullptr),
      fpGroup(nullptr),
      fpShownFace(nullptr),
      fpShownIndicators{},
      fpButtons{},
      fFaces(kStartFaces),
      fRollStart(0.0),
      fCheck(false),
      fInFrames(false) {}

MGFloorSafeCube::~MGFloorSafeCube() {
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    for (VoButton* button : fpButtons) {
        if (button != nullptr && button->GetListener() == this) {
            button->RemoveListener();
        }
    }
}

bool MGFloorSafeCube::Create(VoPropertyList* apEntry, MGFloorSafePuzzle* apOwner) {
    fpOwner = apOwner;
    bool found = false;
    const VoString id = apEntry != nullptr ? apEntry->GetString(VoString(u"id"), &found) : VoString();
    fpGroup = found ? MGPuzzleFrame::NewGroup(id, kRelativeZ) : nullptr;
    if (fpGroup == nullptr) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    VoPropertyList* buttons = apEntry->GetList(VoString(u"buttons"));
    for (int i = 0; i < kButtonCount; ++i) {
        VoPropertyList* node =
            buttons != nullptr && i < buttons->GetCount() ? buttons->GetListAt(i) : nullptr;
        VoButton* button = node != nullptr ? VoLayoutBuilder::BuildButton(node, this) : nullptr;
        if (button == nullptr) {
            VO_ASSERT_FAILURE("");
        } else if (MGPuzzleFrame::AddMember(fpGroup, button)) {
            fpButtons[i] = button;
        }
    }
    if (!VoLayoutBuilder::BuildSprites(apEntry->GetList(VoString(u"states")), fpGroup)) {
        VO_ASSERT_FAILURE("");
    }
    VoLayoutBuilder::BuildGroups(apEntry->GetList(VoString(u"indicators")), fpGroup);
    fFaces = kStartFaces;
    fFaceName = VoString();
    fFaceName.Append(static_cast<std::int32_t>(fFaces.top));
    ShowFace(fFaceName);
    UpdateIndicators();
    return true;
}

void MGFloorSafeCube::ShowFace(const VoString& aId) {
    VoIDisplayObject* face = nullptr;
    if (fpGroup != nullptr) {
        const int index = fpGroup->GetMembers().IndexOf(aId);
        face = index >= 0 ? fpGroup->GetMemberAt(index) : nullptr;
    }
    if (fpShownFace != nullptr && fpShownFace != face) {
        fpShownFace->SetVisible(false);
    }
    if (face != nullptr) {
        face->SetVisible(true);
    }
    fpShownFace = face;
}

void MGFloorSafeCube::UpdateIndicators() {
    const int numbers[kSideCount] = {fFaces.north, fFaces.east, fFaces.south, fFaces.west};
    for (int side = 0; side < kSideCount; ++side) {
        if (fpShownIndicators[side] != nullptr) {
            fpShownIndicators[side]->SetVisible(false);
        }
        VoString path(kSides[side]);
        path.Append(u".ind_");
        path.Append(static_cast<std::int32_t>(numbers[side]));
        fpShownIndicators[side] = fpGroup != nullptr ? fpGroup->GetMember(path) : nullptr;
        if (fpShownIndicators[side] != nullptr) {
            fpShownIndicators[side]->SetVisible(true);
        }
    }
}

VoIDisplayObject* MGFloorSafeCube::GetShownIndicator(int aSide) const {
    return aSide >= 0 && aSide < kSideCount ? fpShownIndicators[aSide] : nullptr;
}

void MGFloorSafeCube::SetButtonsEnabled(bool aEnabled) {
    for (VoButton* button : fpButtons) {
        if (button != nullptr) {
            button->SetEnabled(aEnabled);
        }
    }
}

void MGFloorSafeCube::Roll(const VoString& aDirection, bool aCheck) {
    const int oldTop = fFaces.top;
    if (!RollFaces(fFaces, aDirection)) {
        return;
    }
    fCheck = aCheck;
    fFaceName = VoString();
    fFaceName.Append(static_cast<std::int32_t>(fFaces.top));
    ShowFace(RollPicture(oldTop, fFaces.top, aDirection));
    fRollStart = MGPuzzleFrame::Now();
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
}

void MGFloorSafeCube::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode == kClick && fpOwner != nullptr && fpGroup != nullptr) {
        const VoString cube = fpGroup->GetId();
        const VoString direction = aId;
        fpOwner->OnCubeButton(cube, direction);
    }
}

void MGFloorSafeCube::OnUpdate() {
    if (MGPuzzleFrame::Now() - fRollStart <= kRollTime) {
        return;
    }
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    ShowFace(fFaceName);
    UpdateIndicators();
    if (fCheck && fpOwner != nullptr) {
        fCheck = false;
        fpOwner->CheckSolution();
    }
}

VoString MGFloorSafeCube::ToString() const {
    return VoDebugString("MGFloorSafeCube", this);
}
