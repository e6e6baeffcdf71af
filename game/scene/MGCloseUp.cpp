#include "scene/MGCloseUp.h"

#include "MGBuildVersion.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoVector2.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoWayPoint.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotInterview.h"
#include "scene/MGNavigation.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"

namespace {

const VoString kEmpty(u"");
const VoString kBoolean(u"boolean");
const VoString kTrue(u"true");
const VoString kFalse(u"false");
const VoString kBar(u"|");

int SkillLevel() {
    MGOptions* options = MGOptions::GetInstance();
    return options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
}

double Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

MGScreenManager* Screens() {
    return MGScreenManager::GetInstance();
}

bool IsTop(MGIScreen* apScreen) {
    MGScreenManager* screens = Screens();
    return screens != nullptr && screens->GetTopScreen() == apScreen;
}

// Events are added once: a close-up entered again, or a voice-over stopped
// by the back button and ending after all, adds nothing twice.
void AddEventOnce(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (aId.GetLength() > 0 && events != nullptr && !events->HasEvent(aId)) {
        events->AddEvent(aId, true);
    }
}

void SetStateQuietly(const VoString& aId, const VoString& aValue) {
    VoStateManager* states = VoStateManager::GetInstance();
    if (aId.GetLength() > 0 && states != nullptr) {
        states->SetState(aId, kBoolean, aValue, false);
    }
}

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

void ShowPDABar() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
}

void SetViewDescription(const VoString& aText) {
    if (MGBuildVersion* version = MGBuildVersion::GetInstance()) {
        version->SetViewDescription(aText);
    }
}

}  // namespace

MGCloseUp::~MGCloseUp() {
    if (fListeningToFrames) {
        if (VoFrameManager* frames = VoFrameManager::GetInstance()) {
            frames->RemoveListener(this);
        }
    }
    if (fListeningToStates) {
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->RemoveListener(this);
        }
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    fVoice.Stop();
    DeleteDisplay();
    ClearHotspots();
}

MGScene* MGCloseUp::Scene() {
    return MGSceneManager::GetCurrentScene();
}

bool MGCloseUp::Read(VoPropertyList* apEntry) {
    VoPropertyList empty;
    VoPropertyList* entry = apEntry != nullptr ? apEntry : &empty;
    bool found = false;
    fId = entry->GetString(VoString(u"id"), nullptr);
    fpDisplayGroupNode = apEntry != nullptr ? apEntry->GetList(VoString(u"displaygroup")) : nullptr;
    fpHotspotsNode = apEntry != nullptr ? apEntry->GetList(VoString(u"hotspots")) : nullptr;

    const VoVectorString trigger = entry->GetVectorString(VoString(u"triggerstate"), &found);
    if (!found || trigger.GetCount() == 0) {
        VO_ASSERT_FAILURE(kNoTriggerState);
    } else {
        fTriggerState = trigger.GetAt(0);
    }
    fOpenedEvent = entry->GetString(VoString(u"openedevent"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoOpenedEvent);
    }
    const bool fade = entry->GetBool(VoString(u"fadeonshow"), &found);
    fFadeOnShow = found ? fade : true;
    fExitToScene = entry->GetBool(VoString(u"exittoscene"), nullptr);
    fTriggerInterview = entry->GetString(VoString(u"triggerinterview"), nullptr);
    fInterviewPos = entry->GetVectorFloat(VoString(u"interviewpos"), nullptr);

    const VoString skillList(SkillLevel() == kEasy ? u"voiceovers.hint" : u"voiceovers.default");
    fVoiceOvers = entry->GetVectorString(skillList, &found);
    if (!found) {
        fVoiceOvers = entry->GetVectorString(VoString(u"voiceover"), nullptr);
    }

    VoStateManager* states = VoStateManager::GetInstance();
    if (states != nullptr) {
        SetStateQuietly(fTriggerState, kFalse);
        fListeningToStates = states->AddListener(this, kListenerOrder);
    }
    return true;
}

bool MGCloseUp::AddHotspot(MGHotspot* apHotspot) {
    if (apHotspot == nullptr) {
        VO_ASSERT_FAILURE(kAddHotspotNull);
        return false;
    }
    if (fHotspots.Contains(apHotspot)) {
        VO_ASSERT_FAILURE(kAddHotspotDuplicate);
        return false;
    }
    return fHotspots.Add(apHotspot);
}

int MGCloseUp::ClearHotspots() {
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        delete static_cast<MGHotspot*>(fHotspots.GetAt(i));
    }
    fHotspots.Clear();
    return 1;
}

MGHotspot* MGCloseUp::GetHotspot(int aIndex) const {
    return static_cast<MGHotspot*>(fHotspots.GetAt(aIndex));
}

void MGCloseUp::SetHotspotsEnabled(bool aEnabled) {
    fHotspotsEnabled = aEnabled;
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        GetHotspot(i)->SetEnabled(aEnabled);
    }
}

void MGCloseUp::RefreshHotspots() {
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        GetHotspot(i)->UpdateEnabled();
    }
}

void MGCloseUp::HideSubtitle() {
    if (MGSubtitle* subtitle = MGSubtitle::PeekInstance()) {
        subtitle->Hide();
    }
}

void MGCloseUp::Close() {
    MGScene* scene = Scene();
    if (scene != nullptr && scene->GetOpenCloseUp() == this) {
        scene->SetOpenCloseUp(nullptr);
    }
    fVoice.Stop();
    if (fTriggerInterview.GetLength() == 0) {
        HideSubtitle();
    }
    ClearHotspots();
    DeleteDisplay();
}

void MGCloseUp::OnStateChanged(VoIState* apState) {
    if (apState == nullptr || fTriggerState.GetLength() == 0 ||
        !apState->GetName().EqualsNoCase(fTriggerState)) {
        return;
    }
    MGScreenManager* screens = Screens();
    if (screens == nullptr) {
        return;
    }
    if (!apState->GetBoolean()) {
        if (fPendingSwitch == kPendingOpen) {
            fPendingSwitch = kPendingNone;
            ListenToFrames();
        }
        // A close-up covered by another screen stays: popping would take
        // that screen off instead.
        if (!IsTop(this)) {
            return;
        }
        if (screens->IsBusy()) {
            fPendingSwitch = kPendingClose;
            ListenToFrames();
            return;
        }
        MGIScreen* popped = nullptr;
        screens->PopFade(&popped);
        return;
    }
    if (fPendingSwitch == kPendingClose) {
        fPendingSwitch = kPendingNone;
        ListenToFrames();
    }
    // Open already (the state set again while it is shown, or from a screen
    // over it): nothing to push.
    if (screens->FindScreen(this) >= 0) {
        return;
    }
    VoStateManager* states = VoStateManager::GetInstance();
    if (states != nullptr) {
        states->StopNotify();
    }
    if (!fFadeOnShow) {
        MGScene* scene = Scene();
        MGCloseUp* open = scene != nullptr ? scene->GetOpenCloseUp() : nullptr;
        if (open != nullptr) {
            open->Close();
        }
        screens->PushScreen(this);
        OnEnter();
        if (states != nullptr) {
            states->StopNotify();
        }
        return;
    }
    // A switch under way would refuse the push: it follows once it is over.
    if (screens->IsBusy()) {
        fPendingSwitch = kPendingOpen;
        ListenToFrames();
        return;
    }
    PushWithFade();
}

void MGCloseUp::PushWithFade() {
    // Open before the push: the scene keeps its audio when it leaves.
    MGScene* scene = Scene();
    MGCloseUp* previous = scene != nullptr ? scene->GetOpenCloseUp() : nullptr;
    if (scene != nullptr) {
        scene->SetOpenCloseUp(this);
    }
    MGScreenManager* screens = Screens();
    const bool pushed = screens != nullptr && screens->PushFade(this);
    if (!pushed && scene != nullptr && scene->GetOpenCloseUp() == this) {
        scene->SetOpenCloseUp(previous);
    }
}

void MGCloseUp::ListenToFrames() {
    const bool wanted = fPendingSwitch != kPendingNone || fInterviewPending;
    if (wanted == fListeningToFrames) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    if (frames == nullptr) {
        fListeningToFrames = false;
        return;
    }
    if (wanted) {
        fListeningToFrames = frames->AddListener(this, kListenerOrder);
    } else {
        frames->RemoveListener(this);
        fListeningToFrames = false;
    }
}

void MGCloseUp::OnEnter() {
    SetViewDescription(fId);
    MGScene* scene = Scene();
    if (scene != nullptr) {
        scene->StartAudio();
    }
    BuildDisplay(scene);
    AddBackButton();
    if (scene != nullptr) {
        scene->SetOpenCloseUp(this);
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    BuildHotspots();
    if (fpDisplayGroup != nullptr) {
        fpDisplayGroup->SetActive(true);
        fpDisplayGroup->SetEnabled(true);
        fpDisplayGroup->Validate();
    }
    VoEventManager* events = VoEventManager::GetInstance();
    if (fVoiceOvers.GetCount() > 0 && events != nullptr && !events->HasEvent(fOpenedEvent)) {
        PlayNextVoiceOver();
    }
    AddEventOnce(fOpenedEvent);
    SetStateQuietly(fTriggerState, kTrue);
    SetHotspotsEnabled(true);
    ShowPDABar();
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetActive(true);
    }
}

void MGCloseUp::BuildDisplay(MGScene* apScene) {
    DeleteDisplay();
    if (fpDisplayGroupNode == nullptr) {
        return;
    }
    {
        MGTextureRoot root(apScene != nullptr ? apScene->GetScenePath() : VoString(MGScene::kTextureRoot));
        fpDisplayGroup = VoLayoutBuilder::BuildGroup(fpDisplayGroupNode, true);
    }
    if (fpDisplayGroup == nullptr) {
        return;
    }
    fpDisplayGroup->SetRelativeZ(kGroupZ);
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (display == nullptr || !display->AddMember(fpDisplayGroup)) {
        delete fpDisplayGroup;
        fpDisplayGroup = nullptr;
        return;
    }
    AddAnims(apScene);
}

void MGCloseUp::AddAnims(MGScene* apScene) {
    VoPropertyList* anims = fpDisplayGroupNode->GetList(VoString(u"anims"));
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    for (int i = 0; anims != nullptr && movies != nullptr && i < anims->GetCount(); ++i) {
        VoPropertyList* anim = anims->GetListAt(i);
        if (anim == nullptr) {
            continue;
        }
        const VoString id = anim->GetString(VoString(u"id"), nullptr);
        const VoString file = anim->GetString(VoString(u"movie"), nullptr);
        const VoVectorFloat position = anim->GetVectorFloat(VoString(u"position"), nullptr);
        const float x = position.GetCount() > 0 ? position.GetAt(0) : 0.0f;
        const float y = position.GetCount() > 1 ? position.GetAt(1) : 0.0f;
        const VoString movieId = id + VoString(kMovieSuffix);
        VoIMoviePlayer* movie = nullptr;
        if (apScene != nullptr) {
            movie = movies->CreateTextureMovie(movieId, apScene->GetScenePath() + file);
        }
        if (movie == nullptr) {
            movie = movies->CreateTextureMovie(movieId, VoString(kMovieRoot) + file);
        }
        if (movie == nullptr) {
            continue;
        }
        movie->SetId(movieId);
        movie->SetLooping(true);
        movie->SetPosition(x, y);
        if (!fpDisplayGroup->AddMember(movie, true)) {
            delete movie;
            continue;
        }
        // A texture movie draws nothing itself: a sprite shows its picture.
        VoSprite* sprite = VO_NEW VoSprite();
        if (sprite != nullptr && sprite->SetId(id) &&
            sprite->SetTexture(movie->GetTextureHandle(), nullptr, nullptr)) {
            sprite->SetPosition(x, y);
            if (!fpDisplayGroup->AddMember(sprite, true)) {
                delete sprite;
            }
        } else {
            delete sprite;
        }
        movie->Play();
    }
}

void MGCloseUp::AddBackButton() {
    MGTextureRoot root(kBackButtonRoot);
    VoPropertyList layout;
    if (!layout.Load(VoString(kBackButtonLayout), true)) {
        VO_ASSERT_FAILURE(kNoButtonLayout);
        return;
    }
    VoButton* button = VoLayoutBuilder::BuildButton(layout.GetList(VoString(kBackButtonId)), this);
    if (button == nullptr) {
        VO_ASSERT_FAILURE(kButtonBuildFailure);
        return;
    }
    if (fpDisplayGroup == nullptr || !fpDisplayGroup->AddMember(button, true)) {
        VO_ASSERT_FAILURE(kButtonBuildFailure);
        delete button;
    }
}

void MGCloseUp::BuildHotspots() {
    ClearHotspots();
    for (int i = 0; fpHotspotsNode != nullptr && i < fpHotspotsNode->GetCount(); ++i) {
        VoPropertyList* entry = fpHotspotsNode->GetListAt(i);
        MGHotspot* hotspot = entry != nullptr ? MGHotspot::Create(entry) : nullptr;
        if (hotspot == nullptr) {
            continue;
        }
        hotspot->SetInCloseUp(true);
        hotspot->SetEnabled(false);
        if (!AddHotspot(hotspot)) {
            delete hotspot;
        }
    }
}

void MGCloseUp::DeleteDisplay() {
    if (fpDisplayGroup == nullptr) {
        return;
    }
    if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
        display->RemoveMember(fpDisplayGroup);
    }
    delete fpDisplayGroup;
    fpDisplayGroup = nullptr;
}

void MGCloseUp::PlayNextVoiceOver() {
    fVoice.Stop();
    if (fVoiceOvers.GetCount() == 0) {
        return;
    }
    VoString name = fVoiceOvers.GetAt(0);
    fVoiceOvers.RemoveAt(0);
    const VoString extension(kSoundExtension);
    const int length = name.GetLength() - extension.GetLength();
    if (length >= 0 && name.FindLast(extension) == length) {
        name = name.SubString(0, length);
    }
    if (!fVoice.PlayLine(name, name.GetChars(), this)) {
        VO_ERROR(kNoSoundPlayer);
    }
}

void MGCloseUp::OnSoundEnd(const VoString& aName) {
    fVoice.Stop();
    AddEventOnce(VoString(u"evt_") + aName + VoString(u"_sounddone"));
    PlayNextVoiceOver();
}

void MGCloseUp::OnButtonEvent(const VoString& aId, int aCode) {
    if (!aId.EqualsNoCase(kBackButtonId) || !IsTop(this) || aCode != kClick) {
        return;
    }
    if (VoISoundPlayer* player = fVoice.GetPlayer()) {
        const VoString name = player->GetName();
        // The line's subtitle goes with it.
        fVoice.Stop();
        AddEventOnce(VoString(u"evt_") + name + VoString(u"_sounddone"));
        if (name.Equals(kHeldVoiceOver)) {
            ConsumeMouseEvent();
            return;
        }
    }
    ConsumeMouseEvent();
    MGScene* scene = Scene();
    if (scene != nullptr) {
        scene->UpdateCharacterVisibility();
    }
    MGScreenManager* screens = Screens();
    MGIScreen* popped = nullptr;
    if (!fExitToScene || scene == nullptr) {
        screens->PopFade(&popped);
        return;
    }
    // Whatever lies between the scene and the close-up goes without a call.
    screens->Clear();
    screens->PushScreen(scene);
    screens->PushScreen(this);
    screens->PopFade(&popped);
    ShowPDABar();
}

void MGCloseUp::OnLeaveBegin() {
    if (fpDisplayGroup != nullptr) {
        fpDisplayGroup->SetEnabled(false);
    }
    SetHotspotsEnabled(false);
}

void MGCloseUp::OnLeaveEnd() {
    SetViewDescription(kEmpty);
    MGScene* scene = Scene();
    if (scene != nullptr && scene->GetOpenCloseUp() == this) {
        scene->SetOpenCloseUp(nullptr);
    }
    fVoice.Stop();
    if (fTriggerInterview.GetLength() == 0) {
        HideSubtitle();
    }
    DeleteDisplay();
    ClearHotspots();
    SetStateQuietly(fTriggerState, kFalse);
    if (fTriggerInterview.GetLength() == 0) {
        return;
    }
    fInterviewDue = static_cast<float>(Now()) + kInterviewDelay;
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    fInterviewPending = true;
    ListenToFrames();
}

void MGCloseUp::OnUpdate() {
    MGScreenManager* screens = Screens();
    if (fPendingSwitch != kPendingNone && screens != nullptr && !screens->IsBusy()) {
        const int pending = fPendingSwitch;
        fPendingSwitch = kPendingNone;
        if (pending == kPendingOpen && screens->FindScreen(this) < 0) {
            PushWithFade();
        } else if (pending == kPendingClose && IsTop(this)) {
            MGIScreen* popped = nullptr;
            screens->PopFade(&popped);
        }
    }
    const bool interviewDue = fInterviewPending && Now() >= fInterviewDue;
    if (interviewDue) {
        fInterviewPending = false;
    }
    ListenToFrames();
    if (interviewDue) {
        StartInterview();
    }
}

void MGCloseUp::StartInterview() {
    VoVectorString parts;
    fTriggerInterview.Split(kBar, &parts);
    const VoString interviewId = parts.GetCount() > 0 ? parts.GetAt(0) : kEmpty;
    const VoString wayPointId = parts.GetCount() > 1 ? parts.GetAt(1) : kEmpty;
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview = interviews != nullptr ? interviews->GetInterview(interviewId) : nullptr;
    if (interview != nullptr && fInterviewPos.GetCount() >= 2) {
        interview->SetPosition(VoVector2(fInterviewPos.GetAt(0), fInterviewPos.GetAt(1)));
    }
    MGScene* scene = Scene();
    if (scene == nullptr) {
        return;
    }
    scene->SetInputEnabled(false);
    MGHotspot* hotspot = wayPointId.GetLength() > 0 ? FindInterviewHotspot(scene, interviewId) : nullptr;
    MGCharacter* player = scene->GetPlayer();
    MGNavigation* navigation = MGNavigation::GetInstance();
    VoPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFinding() : nullptr;
    VoWayPoint* wayPoint = web != nullptr && hotspot != nullptr ? web->GetWayPoint(wayPointId) : nullptr;
    if (hotspot != nullptr && player != nullptr && wayPoint != nullptr) {
        // The player turns to the ground point and the hotspot, told at the
        // end of the turn, starts the interview; without a turn to wait
        // for it is told at once.
        hotspot->SetWaitingForPose(true);
        const VoVector2 ground = wayPoint->fCoords;
        if (!player->TurnTo(VoVector3(ground.x, 0.0f, ground.y), hotspot)) {
            hotspot->Execute();
        }
        return;
    }
    // Nothing else would start it, and the scene's input would stay off.
    if (interview == nullptr || !scene->StartInterview()) {
        scene->SetInputEnabled(true);
    }
}

MGHotspot* MGCloseUp::FindInterviewHotspot(MGScene* apScene, const VoString& aInterviewId) {
    MGHotspot* byId = nullptr;
    for (int i = 0; i < apScene->GetHotspotCount(); ++i) {
        MGHotspot* hotspot = apScene->GetHotspot(i);
        MGHotspotInterview* talk =
            hotspot->GetKind() == MGHotspot::kInterview ? static_cast<MGHotspotInterview*>(hotspot) : nullptr;
        if (talk != nullptr && talk->GetData() != nullptr &&
            talk->GetData()->fInterviewId.EqualsNoCase(aInterviewId)) {
            return hotspot;
        }
        if (byId == nullptr && hotspot->GetId() == aInterviewId) {
            byId = hotspot;
        }
    }
    return byId;
}

VoString MGCloseUp::ToString() const {
    return VoDebugString("MGCloseUp", this);
}
