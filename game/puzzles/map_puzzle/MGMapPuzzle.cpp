#include "puzzles/map_puzzle/MGMapPuzzle.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "puzzles/MGPuzzleFrame.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"

namespace {

VoCleanerSingleton<MGMapPuzzle, MGCleanerHome> gInstance;

void AddEvent(const char16_t* apId) {
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(apId), true);
    }
}

}  // namespace

MGMapPuzzle* MGMapPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGMapPuzzle(); });
}

MGMapPuzzle::MGMapPuzzle() : fpRoot(nullptr), fCloseTime(0.0), fInEvents(false), fInFrames(false) {
    VoEventManager* events = VoEventManager::GetInstance();
    fInEvents = events != nullptr && events->AddListener(this, MGPuzzleFrame::kListenerOrder);
}

MGMapPuzzle::~MGMapPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    if (fInEvents) {
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            events->RemoveListener(this);
        }
    }
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGMapPuzzle::Build() {
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    BuildClues(layout);
    root.Restore();
    MGPuzzleFrame::ShowRoot(fpRoot);
    delete layout;
    CheckClues();
}

void MGMapPuzzle::BuildClues(VoPropertyList* apLayout) {
    VoPropertyList* clues = apLayout != nullptr ? apLayout->GetList(VoString(kCluesPath)) : nullptr;
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    for (int i = 0; clues != nullptr && i < clues->GetCount(); ++i) {
        VoPropertyList* entry = clues->GetListAt(i);
        VoDisplayGroup* group = entry != nullptr ? VoLayoutBuilder::BuildGroup(entry, true) : nullptr;
        if (group == nullptr) {
            VO_ASSERT_FAILURE("");
            continue;
        }
        bool hasShow = false;
        const VoString show = entry->GetString(VoString(kShowKey), &hasShow);
        VoScript script;
        if (hasShow && builder != nullptr && builder->Build(show, &script)) {
            group->SetVisible(script.Evaluate());
        }
        MGPuzzleFrame::AddMember(fpRoot, group);
    }
}

void MGMapPuzzle::CheckClues() {
    VoEventManager* events = VoEventManager::GetInstance();
    for (const char16_t* clue : {kSandcastleEvent, kGateEvent, kTombstoneEvent, kFourthEvent}) {
        if (events == nullptr || !events->HasEvent(VoString(clue))) {
            return;
        }
    }
    // A later opening asks again; the event manager refuses the second one.
    events->AddEvent(VoString(kSolvedEvent), true);
}

void MGMapPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
}

void MGMapPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    MGPuzzleFrame::LeaveScreen(true);
}

void MGMapPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

const char16_t* MGMapPuzzle::ClueOf(VoIState* apState) {
    const VoString name = apState->GetName();
    if (name.EqualsNoCase(kGateState)) {
        return kGateEvent;
    }
    if (name.EqualsNoCase(kTombstoneState)) {
        return kTombstoneEvent;
    }
    if (name.EqualsNoCase(kFourthState)) {
        return kFourthEvent;
    }
    return nullptr;
}

void MGMapPuzzle::OnStateChanged(VoIState* apState) {
    if (apState == nullptr) {
        return;
    }
    if (MGPuzzleFrame::IsState(apState, kActivationState)) {
        if (MGPuzzleFrame::IsTrue(apState)) {
            MGPuzzleFrame::Open(this);
        }
        return;
    }
    const char16_t* clue = ClueOf(apState);
    if (clue == nullptr) {
        return;
    }
    if (MGPuzzleFrame::IsTrue(apState)) {
        AddEvent(clue);
        MGPuzzleFrame::Open(this);
    } else {
        MGPuzzleFrame::CloseWithFade(this);
    }
}

void MGMapPuzzle::OnEvent(VoEvent* apEvent) {
    // The event manager adds the cue once per game, so a new game or a load
    // shows the sandcastle again.
    if (apEvent == nullptr || !apEvent->GetId().EqualsNoCase(kSandcastleCue)) {
        return;
    }
    AddEvent(kSandcastleEvent);
    fCloseTime = MGPuzzleFrame::Now() + kShownSeconds;
    MGPuzzleFrame::Open(this);
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
}

void MGMapPuzzle::OnUpdate() {
    if (MGPuzzleFrame::Now() > fCloseTime) {
        MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
        MGPuzzleFrame::CloseWithFade(this);
    }
}

VoString MGMapPuzzle::ToString() const {
    return VoDebugString("MGMapPuzzle", this);
}
