#include "puzzles/floorsafe/MGFloorSafePuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "puzzles/floorsafe/MGFloorSafeCube.h"

namespace {

VoCleanerSingleton<MGFloorSafePuzzle, MGCleanerHome> gInstance;

const char16_t* const kCoupledIds[] = {u"cube1", u"cube2", u"cube3", u"cube4"};

}  // namespace

int MGFloorSafePuzzle::GetCoupling(const VoString& aCubeId, int aSkillLevel, int* apCubes, int* apCheck) {
    int which = 4;
    for (int i = 0; i < 4; ++i) {
        if (aCubeId.EqualsNoCase(kCoupledIds[i])) {
            which = i;
        }
    }
    const bool easy = aSkillLevel == MGPuzzleFrame::kEasy;
    int count = 0;
    switch (which) {
        case 0:
            apCubes[count++] = 0;
            apCubes[count++] = 1;
            *apCheck = 0;
            break;
        case 1:
            if (!easy) {
                apCubes[count++] = 0;
            }
            apCubes[count++] = 1;
            apCubes[count++] = 4;
            *apCheck = 1;
            break;
        case 2:
            apCubes[count++] = 0;
            apCubes[count++] = 2;
            if (!easy) {
                apCubes[count++] = 3;
            }
            *apCheck = 0;
            break;
        case 3:
            if (aSkillLevel == MGPuzzleFrame::kHard) {
                apCubes[count++] = 2;
            }
            apCubes[count++] = 3;
            apCubes[count++] = 4;
            *apCheck = 3;
            break;
        default:
            apCubes[count++] = 4;
            *apCheck = 4;
            break;
    }
    return count;
}

MGFloorSafePuzzle* MGFloorSafePuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGFloorSafePuzzle(); });
}

MGFloorSafePuzzle::MGFloorSafePuzzle() : fpRoot(nullptr), fpCubes{}, fpLayout(nullptr) {}

MGFloorSafePuzzle::~MGFloorSafePuzzle() {
    MGPuzzleFrame::Forget(this, this);
    fVoice.Stop();
    DeleteCubes();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
}

void MGFloorSafePuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpLayout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (fpLayout == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), kRootZ);
    MGPuzzleFrame::BuildGroupInto(fpRoot, fpLayout, MGPuzzleFrame::kBackgroundPath);

    VoDisplayGroup* cubes = MGPuzzleFrame::NewGroup(VoString(kCubesId), kCubesZ);
    VoPropertyList* entries = fpLayout != nullptr ? fpLayout->GetList(VoString(kCubesPath)) : nullptr;
    int built = 0;
    for (int i = 0; cubes != nullptr && entries != nullptr && i < kCubeCount && i < entries->GetCount();
         ++i) {
        MGFloorSafeCube* cube = VO_NEW MGFloorSafeCube();
        if (cube == nullptr || !cube->Create(entries->GetListAt(i), this)) {
            VO_ASSERT_FAILURE("");
            delete cube;
            continue;
        }
        VoDisplayGroup* group = cube->GetGroup();
        if (!cubes->AddMember(group, true)) {
            // The cube leaves its buttons before they go with the group.
            delete cube;
            delete group;
            continue;
        }
        fpCubes[i] = cube;
        ++built;
    }
    if (built < kCubeCount) {
        VO_ASSERT_FAILURE(kTooFewCubes);
    }
    MGPuzzleFrame::AddMember(fpRoot, cubes);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, fpLayout, MGPuzzleFrame::kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    MGPuzzleFrame::StartHint(fVoice, kHint, this);
}

MGFloorSafeCube* MGFloorSafePuzzle::GetCube(int aIndex) const {
    return aIndex >= 0 && aIndex < kCubeCount ? fpCubes[aIndex] : nullptr;
}

void MGFloorSafePuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
}

void MGFloorSafePuzzle::OnLeaveEnd() {
    delete fpLayout;
    fpLayout = nullptr;
    // The cubes first: a roll that still runs ends with its cube, and each
    // cube leaves its buttons while they are there.
    DeleteCubes();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

void MGFloorSafePuzzle::DeleteCubes() {
    for (MGFloorSafeCube*& cube : fpCubes) {
        delete cube;
        cube = nullptr;
    }
}

void MGFloorSafePuzzle::SetButtonsEnabled(bool aEnabled) {
    for (MGFloorSafeCube* cube : fpCubes) {
        if (cube != nullptr) {
            cube->SetButtonsEnabled(aEnabled);
        }
    }
}

void MGFloorSafePuzzle::OnCubeButton(const VoString& aCubeId, const VoString& aButtonId) {
    if (!MGFloorSafeCube::IsDirection(aButtonId)) {
        return;
    }
    for (MGFloorSafeCube* cube : fpCubes) {
        if (cube != nullptr && cube->IsRolling()) {
            return;
        }
    }
    SetButtonsEnabled(false);
    int rolled[kMaxCoupled] = {};
    int check = 0;
    const int count = GetCoupling(aCubeId, MGPuzzleFrame::GetSkillLevel(), rolled, &check);
    // The check goes with its cube, or with the last cube that rolls when
    // that one is missing; with no cube rolling it runs at once.
    int carrier = -1;
    for (int i = 0; i < count; ++i) {
        if (fpCubes[rolled[i]] != nullptr && (carrier < 0 || rolled[i] == check || carrier != check)) {
            carrier = rolled[i];
        }
    }
    if (carrier < 0) {
        CheckSolution();
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (MGFloorSafeCube* cube = fpCubes[rolled[i]]) {
            cube->Roll(aButtonId, rolled[i] == carrier);
        }
    }
}

void MGFloorSafePuzzle::CheckSolution() {
    SetButtonsEnabled(true);
    for (int i = 0; i < kCubeCount; ++i) {
        if (fpCubes[i] == nullptr || fpCubes[i]->GetFaces().top != kRequiredTops[i]) {
            return;
        }
    }
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    MGPuzzleFrame::RunOpening(this, kOpening);
}

void MGFloorSafePuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGFloorSafePuzzle::OnStateChanged(VoIState* apState) {
    if (MGPuzzleFrame::IsState(apState, kActivationState) && MGPuzzleFrame::IsTrue(apState)) {
        MGPuzzleFrame::Open(this);
    }
}

void MGFloorSafePuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

VoString MGFloorSafePuzzle::ToString() const {
    return VoDebugString("MGFloorSafePuzzle", this);
}
