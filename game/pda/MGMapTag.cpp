#include "pda/MGMapTag.h"

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFader.h"
#include "gdi/VoLayoutBuilder.h"
#include "memory/VoNew.h"
#include "pda/MGPDA.h"
#include "platform/VoMouse.h"
#include "scene/MGCloseUp.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "time/VoGameClock.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGListening.h"

struct MGMapTag::Target {
    VoScript* fpCondition = nullptr;  // owned; null when missing
    VoVectorString fLogic;
};

namespace {

constexpr float kFrameOrder = 0.0f;

double Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

// A script built from the text; null without a builder.
VoScript* BuildScript(const VoString& aText) {
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    VoScript* script = builder != nullptr ? VO_NEW VoScript() : nullptr;
    if (script != nullptr && !builder->Build(aText, script)) {
        VO_ASSERT_FAILURE("");
    }
    return script;
}

void AdvanceClock() {
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->AdvanceTime(MGMapTag::kTravelTime, true);
    }
}

void ClosePDA() {
    if (MGPDA* pda = MGPDA::PeekInstance()) {
        pda->Close();
    }
}

}  // namespace

MGMapTag::MGMapTag()
    : fpShow(nullptr),
      fVisible(false),
      fNew(false),
      fpFader(nullptr),
      fpGroup(nullptr),
      fOwnsGroup(true),
      fpButton(nullptr),
      fPhase(kHolding),
      fPhaseStart(0.0),
      fActive(false),
      fInFrames(false) {}

MGMapTag::~MGMapTag() {
    ListenToFrames(false);
    delete fpShow;
    delete fpFader;
    for (int i = 0; i < fTargets.GetCount(); ++i) {
        Target* target = static_cast<Target*>(fTargets.GetAt(i));
        delete target->fpCondition;
        delete target;
    }
    fTargets.Clear();
    if (fOwnsGroup) {
        delete fpGroup;
    }
}

VoString MGMapTag::GetVisibleState() const {
    return VoString(kVisibleStatePrefix) + fId + kVisibleStateSuffix;
}

bool MGMapTag::HasEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(aId);
}

bool MGMapTag::Create(VoPropertyList* apNode) {
    if (apNode == nullptr) {
        VO_ASSERT_FAILURE(kCreationFailure);
        return false;
    }
    bool complete = true;
    fpButton = VoLayoutBuilder::BuildButton(apNode, this);
    if (fpButton == nullptr) {
        VO_ASSERT_FAILURE(kCreationFailure);
        complete = false;
    }

    bool found = false;
    fId = apNode->GetString(VoString(u"id"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoId);
        complete = false;
    }
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup != nullptr) {
        // An empty id is refused: the group then joins no map group.
        fpGroup->SetId(fId);
        if (fpButton != nullptr && !fpGroup->AddMember(fpButton, true)) {
            delete fpButton;
            fpButton = nullptr;
            complete = false;
        }
        fpGroup->SetActive(false);
        fpGroup->Validate();
    } else {
        delete fpButton;
        fpButton = nullptr;
        complete = false;
    }

    fSelectedEvent = apNode->GetString(VoString(u"selectedevent"), &found);
    if (!found) {
        fSelectedEvent = VoString(kSelectedEventPrefix) + fId;
    }

    const VoString show = apNode->GetString(VoString(u"show"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoShow);
        complete = false;
    } else {
        fpShow = BuildScript(show);
        VoStateManager* states = VoStateManager::GetInstance();
        if (fpShow != nullptr && fpShow->Evaluate() && states != nullptr &&
            !states->HasState(GetVisibleState())) {
            states->SetState(GetVisibleState(), VoString(u"boolean"), VoString(u"true"), false);
        }
    }

    VoPropertyList* targets = apNode->GetList(VoString(u"targets"));
    if (targets == nullptr) {
        VO_ASSERT_FAILURE(kNoTargets);
        return false;
    }
    for (int i = 0; i < targets->GetCount(); ++i) {
        VoPropertyList* entry = targets->GetListAt(i);
        if (entry == nullptr) {
            VO_ASSERT_FAILURE("");
            complete = false;
            continue;
        }
        Target* target = VO_NEW Target();
        if (target == nullptr) {
            complete = false;
            continue;
        }
        const VoString condition = entry->GetString(VoString(u"condition"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoCondition);
            complete = false;
        } else {
            target->fpCondition = BuildScript(condition);
        }
        target->fLogic = entry->GetVectorString(VoString(u"logic"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoLogic);
            complete = false;
        }
        if (!fTargets.Add(target)) {
            delete target->fpCondition;
            delete target;
            complete = false;
        }
    }
    return complete;
}

bool MGMapTag::EvaluateShow() {
    if (fpShow == nullptr) {
        return false;
    }
    fNew = false;
    fVisible = fpShow->Evaluate();
    if (fVisible) {
        VoStateManager* states = VoStateManager::GetInstance();
        if (states != nullptr && !states->HasState(GetVisibleState())) {
            states->SetState(GetVisibleState(), VoString(u"boolean"), VoString(u"true"), true);
        }
        fNew = !HasEvent(fSelectedEvent);
    }
    return fVisible;
}

void MGMapTag::SetActive(bool aActive) {
    if (aActive == fActive || !EvaluateShow()) {
        return;
    }
    fActive = aActive;
    if (fpGroup != nullptr) {
        fpGroup->SetActive(aActive);
    }
    if (aActive && fNew) {
        // A fade left running from an earlier showing would finish in the
        // hold and fight the new blink over the blend.
        if (fpFader != nullptr) {
            fpFader->StopFade();
        }
        StartHold();
        if (fpGroup != nullptr) {
            fpGroup->SetBlend(kFullBlend);
        }
    }
}

void MGMapTag::ForceShow() {
    fActive = true;
    if (fpGroup != nullptr) {
        fpGroup->SetActive(true);
    }
}

void MGMapTag::StartHold() {
    fPhase = kHolding;
    fPhaseStart = Now();
    ListenToFrames(true);
}

void MGMapTag::RunFader(float aFrom, float aTo, int aDirection) {
    if (fpFader == nullptr) {
        fpFader = VO_NEW VoFader();
        if (fpFader == nullptr) {
            return;
        }
        if (fpGroup != nullptr) {
            fpFader->SetGroup(fpGroup);
        }
        fpFader->SetListener(VoString(kFaderId), this);
    }
    fpFader->SetDirection(aDirection);
    fpFader->SetValue(aFrom);
    fpFader->SetTargetValue(aTo);
    fpFader->SetFadeTime(kFadeTime);
    fpFader->StartFade();
}

void MGMapTag::OnUpdate() {
    if (!(fNew && fVisible && fActive && fPhase == kHolding)) {
        ListenToFrames(false);
        return;
    }
    if (Now() - fPhaseStart < kHoldTime) {
        return;
    }
    ListenToFrames(false);
    fPhase = kFadingDown;
    RunFader(kFullBlend, kDimBlend, -1);
}

void MGMapTag::OnFadeEvent(const VoString&, int aCode) {
    if (aCode != VoIFaderListener::kFinished) {
        return;
    }
    switch (fPhase) {
        case kFadingUp:
            StartHold();
            break;
        case kFadingDown:
            fPhase = kFadingUp;
            RunFader(kDimBlend, kFullBlend, 1);
            break;
        default:
            VO_ASSERT_FAILURE(kInvalidState);
            break;
    }
}

void MGMapTag::OnButtonEvent(const VoString& aId, int aCode) {
    if (aId != fId) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    MGPDA* pda = MGPDA::PeekInstance();
    VoVector2 pointer;
    if (mouse == nullptr || pda == nullptr || !pda->IsInScrollArea(mouse->GetPosition(pointer))) {
        return;
    }
    mouse->ConsumeEvent();
    if (aCode != VoIButtonListener::kClick) {
        return;
    }
    fNew = false;
    if (fpFader != nullptr) {
        fpFader->StopFade();
        delete fpFader;
        fpFader = nullptr;
        if (fpGroup != nullptr) {
            fpGroup->SetBlend(kFullBlend);
        }
    }
    for (int i = 0; i < fTargets.GetCount(); ++i) {
        Target* target = static_cast<Target*>(fTargets.GetAt(i));
        if (target->fpCondition == nullptr || !target->fpCondition->Evaluate()) {
            continue;
        }
        if (fpButton != nullptr) {
            const VoVector2 away(kAwayX, kAwayY);
            fpButton->OnMouseMove(&away);
        }
        // A copy: the trip may take the map, and this tag, away.
        const VoVectorString logic(target->fLogic);
        ExecuteLogic(logic);
        return;
    }
}

void MGMapTag::ExecuteLogic(const VoVectorString& aLogic) {
    const VoString scene = aLogic.GetCount() >= 2 ? aLogic.GetAt(1) : VoString();
    MGCutScenePlayer* player = scene.GetLength() > 0 ? MGCutScenePlayer::GetInstance() : nullptr;
    if (player != nullptr && player->PlayForLocation(scene)) {
        AdvanceClock();
        ClosePDA();
        MGScene* current = MGSceneManager::GetCurrentScene();
        if (current != nullptr) {
            if (MGCloseUp* closeUp = current->GetOpenCloseUp()) {
                closeUp->Close();
            }
            current->StopAudio();
        }
        return;
    }

    if (VoEventManager* events = VoEventManager::GetInstance()) {
        if (!events->HasEvent(fSelectedEvent)) {
            events->AddEvent(fSelectedEvent, true);
        }
    }

    const VoString word = aLogic.GetCount() > 0 ? aLogic.GetAt(0) : VoString();
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (word.EqualsNoCase(kGotoScene)) {
        LeaveForTrip();
        if (scenes == nullptr || !scenes->LoadScene(scene, true, false)) {
            VO_ERROR(kLoadFailure, scene);
        }
    } else if (word.EqualsNoCase(kGotoViewpoint) && aLogic.GetCount() >= 3) {
        LeaveForTrip();
        GotoViewpoint(scene, aLogic.GetAt(2));
    }
}

void MGMapTag::LeaveForTrip() {
    MGScene* current = MGSceneManager::GetCurrentScene();
    MGCloseUp* closeUp = current != nullptr ? current->GetOpenCloseUp() : nullptr;
    if (closeUp != nullptr) {
        closeUp->Close();
        current->StopAudio();
        if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
            screens->Clear();
        }
    }
    ClosePDA();
    AdvanceClock();
}

void MGMapTag::GotoViewpoint(const VoString& aScene, const VoString& aViewpoint) {
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(aScene, false, false, aViewpoint)) {
        VO_ERROR(kLoadFailure, aScene);
        return;
    }
    // A first visit shows the placard, which loads the scene at the viewpoint
    // and brings it in itself after its chime; the scene current meanwhile
    // is the one being left.
    if (scenes->GetHeldSceneId() == aScene) {
        return;
    }
    if (MGScene* loaded = scenes->GetScene()) {
        loaded->OnEnter();
    }
}

void MGMapTag::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kFrameOrder, aListen, &fInFrames);
}

VoString MGMapTag::ToString() const {
    return VoDebugString("MGMapTag", this);
}
