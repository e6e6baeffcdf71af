#include "scene/MGHotspotInterview.h"

#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "memory/VoNew.h"
#include "scene/MGCharacter.h"
#include "scene/MGScene.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "ui/MGCursor.h"

namespace {

VoString PieceAt(const VoVectorString& aPieces, int aIndex) {
    return aIndex < aPieces.GetCount() ? aPieces.GetAt(aIndex) : VoString();
}

VoVectorString Pieces(const VoString& aValue) {
    VoVectorString pieces;
    aValue.Split(VoString(u"|"), &pieces);
    return pieces;
}

}  // namespace

MGHotspotInterview::MGHotspotInterview() : MGHotspot(kInterview), fpData(VO_NEW MGInterviewHotspotData()) {
    SetTypeData(fpData);
    if (fpData != nullptr) {
        fpData->fPosition = VoVector2(kDefaultX, kDefaultY);
    }
}

MGHotspotInterview::~MGHotspotInterview() {
    // The interview must not call back on a hotspot that is gone.
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    if (interview != nullptr && interview->GetSeatHotspot() == this) {
        interview->SetSeatHotspot(nullptr);
    }
}

bool MGHotspotInterview::ReadEntry(VoPropertyList* apEntry) {
    if (!MGHotspot::ReadEntry(apEntry)) {
        return false;
    }
    VoPropertyList* data =
        ReadTypeData(apEntry, u"typedata.interview", fpData, kTypeDataNotFound, kEnabledNotFound);
    if (data == nullptr) {
        return true;
    }
    bool found = false;
    fpData->fInterviewId = data->GetString(VoString(u"interviewid"), &found);
    VoPropertyList catalogue;
    if (fpData->fInterviewId.GetLength() > 0 && catalogue.Load(VoString(kCatalogue), true)) {
        fpData->fWitnessId = catalogue.GetString(fpData->fInterviewId + u".witness", &found);
    }
    if (VoPropertyList* bargaining = apEntry->GetList(VoString(u"bargaining"))) {
        fpData->fBargainingItem = bargaining->GetString(VoString(u"item"), &found);
        fpData->fSolvedEvent = bargaining->GetString(VoString(u"solvedevent"), &found);
        fpData->fBargainingEvents = bargaining->GetString(VoString(u"events"), &found);
        fpData->fBargainingVoiceOvers = bargaining->GetString(VoString(u"voiceovers"), &found);
        fpData->fNoItemLine = bargaining->GetString(VoString(u"noitem"), &found);
    }
    const VoVectorFloat position = data->GetVectorFloat(VoString(u"position"), &found);
    if (found && position.GetCount() >= 2) {
        fpData->fPosition = VoVector2(position.GetAt(0), position.GetAt(1));
    } else {
        VO_ASSERT_FAILURE(kPositionNotFound);
    }
    fpData->fSeated = data->GetBool(VoString(u"seated"), &found);
    return true;
}

bool MGHotspotInterview::IsBargaining() {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state =
        states != nullptr && fpData != nullptr
            ? states->GetState(VoString(kBargainingPrefix) + fpData->fInterviewId + kBargainingSuffix)
            : nullptr;
    return state != nullptr && state->GetBoolean();
}

void MGHotspotInterview::UpdateCursor() {
    if (fpData == nullptr || fpData->fBargainingItem.GetLength() == 0 || !IsBargaining()) {
        MGHotspot::UpdateCursor();
    } else {
        UpdateItemTargetCursor();
    }
}

void MGHotspotInterview::Act(bool) {
    if (fpData == nullptr || fpData->fBargainingItem.GetLength() == 0) {
        ShowMultiCursor();
    } else {
        Bargain();
    }
}

void MGHotspotInterview::Bargain() {
    if (!IsBargaining() || fpData == nullptr) {
        ShowMultiCursor();
        return;
    }
    MGCursor* cursor = Cursor();
    if (cursor != nullptr && cursor->GetCurrentId() == MGCursor::kItemHighlighted) {
        const VoString held = cursor->GetItemId();
        if (fpData->fBargainingItem.Find(u"|") >= 0) {
            BargainWithItems(held);
            return;
        }
        if (held == fpData->fBargainingItem && fpData->fSolvedEvent.GetLength() > 0) {
            if (VoEventManager* events = VoEventManager::GetInstance()) {
                events->AddEvent(fpData->fSolvedEvent, true);
            }
        }
        cursor->SetBaseCursor(MGCursor::kDefault);
        cursor->ResetCursor(VoString());
        StartInterview(false);
        return;
    }
    if (fpData->fNoItemLine.GetLength() == 0) {
        return;
    }
    const VoVectorString line = Pieces(fpData->fNoItemLine);
    const VoString speaker = line.GetCount() > 1 ? line.GetAt(1) : VoString(kPlayerId);
    PlaySound(PieceAt(line, 0), speaker);
}

void MGHotspotInterview::BargainWithItems(const VoString& aHeld) {
    if (MGCursor* cursor = Cursor()) {
        cursor->SetBaseCursor(MGCursor::kDefault);
        cursor->ResetCursor(VoString());
    }
    const VoVectorString items = Pieces(fpData->fBargainingItem);
    const VoVectorString events = Pieces(fpData->fBargainingEvents);
    const VoVectorString lines = Pieces(fpData->fBargainingVoiceOvers);
    // A value with fewer parts than it needs: a missing speaker is the
    // player, a missing line plays nothing (the person still waits).
    const VoString speaker = lines.GetCount() > 2 ? lines.GetAt(2) : VoString(kPlayerId);
    VoEventManager* manager = VoEventManager::GetInstance();
    for (int given = 0; given < 2 && manager != nullptr; ++given) {
        if (aHeld != PieceAt(items, given)) {
            continue;
        }
        const VoString own = PieceAt(events, given);
        const VoString other = PieceAt(events, 1 - given);
        if (own.GetLength() > 0) {
            manager->AddEvent(own, true);
        }
        if (other.GetLength() == 0 || !manager->HasEvent(other)) {
            PlaySound(PieceAt(lines, given), speaker);
            return;
        }
        if (fpData->fSolvedEvent.GetLength() > 0) {
            manager->AddEvent(fpData->fSolvedEvent, true);
        }
        break;
    }
    StartInterview(false);
}

bool MGHotspotInterview::PlaySound(const VoString& aName, const VoString& aSpeaker) {
    if (aName.GetLength() == 0 || !StartSoundPlayer(kBargainStream, aName + kSoundExtension)) {
        return false;
    }
    MGCharacter* speaker = SceneCharacter(aSpeaker);
    LoadGestures(aName, speaker);
    LoadLipSync(aName, speaker);
    ShowSubtitle(aName);
    PlayHeld();
    return true;
}

void MGHotspotInterview::Talk() {
    MGCharacter* witness = fpData != nullptr && fpData->fWitnessId.GetLength() > 0
                               ? SceneCharacter(fpData->fWitnessId)
                               : nullptr;
    if (witness == nullptr) {
        SeatOrStart();
        return;
    }
    SetWaitingForPose(true);
    // A witness facing the player already has no turn to finish: the road
    // goes on at once instead of waiting for a call that never comes.
    if (!witness->SetInterviewPose(true, this)) {
        Execute();
    }
}

void MGHotspotInterview::Execute() {
    if (!IsWaitingForPose()) {
        Act(false);
        return;
    }
    SetWaitingForPose(false);
    SeatOrStart();
}

void MGHotspotInterview::SeatOrStart() {
    MGCharacter* player = Player();
    if (fpData != nullptr && fpData->fSeated && player != nullptr) {
        player->PlayAction(MGCharacter::kActionSit, this);
        return;
    }
    StartInterview(false);
}

void MGHotspotInterview::OnActionDone(int aCode) {
    if (aCode == MGCharacter::kActionSit) {
        StartInterview(true);
        return;
    }
    MGHotspot::OnActionDone(aCode);
}

void MGHotspotInterview::StartInterview(bool aSeated) {
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview =
        interviews != nullptr && fpData != nullptr ? interviews->GetInterview(fpData->fInterviewId) : nullptr;
    if (interview != nullptr) {
        interview->SetPosition(fpData->fPosition);
        interview->SetSeatHotspot(aSeated ? this : nullptr);
    }
    MGScene* scene = Scene();
    if (interview == nullptr || scene == nullptr || !scene->StartInterview()) {
        VO_ASSERT_FAILURE(kStartFailure);
    }
}

void MGHotspotInterview::StartAnalysis() {
    const int level = SkillLevel();
    StartResult(GetOperatingId(), u"_SU", kSurveillanceDelays[level]);
    StartResult(GetOperatingId(), u"_RE", kAnalysisDelays[level]);
}
