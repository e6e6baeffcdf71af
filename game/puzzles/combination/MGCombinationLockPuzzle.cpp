#include "puzzles/combination/MGCombinationLockPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "memory/VoNew.h"
#include "puzzles/combination/MGCombinationDisplay.h"
#include "puzzles/combination/MGKeypadButton.h"
#include "util/MGGameReset.h"

namespace {

VoCleanerSingleton<MGCombinationLockPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGCombinationLockPuzzle* MGCombinationLockPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGCombinationLockPuzzle(); });
}

MGCombinationLockPuzzle::MGCombinationLockPuzzle()
    : fpRoot(nullptr), fpDisplay(nullptr), fSolved(false), fInReset(false) {
    MGGameReset* reset = MGGameReset::GetInstance();
    fInReset = reset != nullptr && reset->AddListener(this);
}

MGCombinationLockPuzzle::~MGCombinationLockPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    if (fInReset) {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
    fVoice.Stop();
    fpDisplay = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGCombinationLockPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    BuildKeys(layout);
    BuildDisplay(layout);
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    delete layout;
}

void MGCombinationLockPuzzle::BuildKeys(VoPropertyList* apLayout) {
    VoDisplayGroup* keys = MGPuzzleFrame::NewGroup(VoString(kKeysId), kGroupZ);
    VoPropertyList* entries = apLayout != nullptr ? apLayout->GetList(VoString(kKeysPath)) : nullptr;
    for (int i = 0; keys != nullptr && entries != nullptr && i < entries->GetCount(); ++i) {
        MGKeypadButton* key = VO_NEW MGKeypadButton();
        if (key == nullptr || !key->Create(entries->GetListAt(i), this) || !keys->AddMember(key, true)) {
            delete key;
        }
    }
    MGPuzzleFrame::AddMember(fpRoot, keys);
}

void MGCombinationLockPuzzle::BuildDisplay(VoPropertyList* apLayout) {
    VoDisplayGroup* group = MGPuzzleFrame::NewGroup(VoString(kDisplayGroupId), kGroupZ);
    MGCombinationDisplay* display = VO_NEW MGCombinationDisplay();
    if (display == nullptr || !display->SetId(VoString(kDisplayId))) {
        delete display;
        display = nullptr;
    } else {
        display->Create(apLayout != nullptr ? apLayout->GetList(VoString(kDisplayPath)) : nullptr);
    }
    if (MGPuzzleFrame::AddMember(group, display)) {
        fpDisplay = display;
    }
    if (!MGPuzzleFrame::AddMember(fpRoot, group)) {
        fpDisplay = nullptr;
    }
}

void MGCombinationLockPuzzle::OnEnter() {
    fSolved = false;
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::StartHint(fVoice, kHint, this);
}

void MGCombinationLockPuzzle::OnLeaveEnd() {
    fpDisplay = nullptr;
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    fVoice.Stop();
    MGPuzzleFrame::LeaveScreen(true);
}

void MGCombinationLockPuzzle::OnKey(const VoString& aKey) {
    if (fSolved || fpDisplay == nullptr) {
        return;
    }
    if (aKey.EqualsNoCase(kClearKey)) {
        fpDisplay->Clear();
        return;
    }
    if (!aKey.EqualsNoCase(kEnterKey)) {
        fpDisplay->Append(aKey);
        return;
    }
    if (fpDisplay->GetText().Equals(kCombination)) {
        fSolved = true;
        if (fpRoot != nullptr) {
            fpRoot->SetEnabled(false);
        }
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            events->AddEvent(VoString(kSolvedEvent), true);
        }
        if (!fVoice.PlaySound(kResultStream, VoString(kEntrySound), this)) {
            OpenDoor();
        }
        return;
    }
    fVoice.PlaySound(kResultStream, VoString(kWrongSound), nullptr);
    fpDisplay->Clear();
}

void MGCombinationLockPuzzle::OpenDoor() {
    MGPuzzleFrame::RunOpening(this, kOpening, false);
}

void MGCombinationLockPuzzle::OnSoundEnd(const VoString& aName) {
    fVoice.Stop();
    if (fSolved && aName.Equals(kResultStream)) {
        OpenDoor();
    }
}

void MGCombinationLockPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGCombinationLockPuzzle::OnStateChanged(VoIState* apState) {
    if (MGPuzzleFrame::IsState(apState, kActivationState) && MGPuzzleFrame::IsTrue(apState)) {
        MGPuzzleFrame::Open(this);
    }
}

void MGCombinationLockPuzzle::OnGameReset() {
    fSolved = false;
}

VoString MGCombinationLockPuzzle::ToString() const {
    return VoDebugString("MGCombinationLockPuzzle", this);
}
