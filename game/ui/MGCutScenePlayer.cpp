#include "ui/MGCutScenePlayer.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoFontManager.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieManager.h"
#include "movie/VoIMoviePlayer.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "ui/MGICutSceneListener.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGStateChanges.h"

namespace {

VoCleanerSingleton<MGCutScenePlayer, MGCleanerHome> gInstance;

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

bool ScreensBusy() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens != nullptr && screens->IsBusy();
}

bool IsNone(const VoString& aValue) {
    return aValue.GetLength() == 0 || aValue == VoString(u"-");
}

}  // namespace

MGCutScenePlayer* MGCutScenePlayer::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCutScenePlayer(); }, kCreationFailure);
}

MGCutScenePlayer::MGCutScenePlayer()
    : fpListener(nullptr),
      fpTable(nullptr),
      fEnded(false),
      fEnding(false),
      fEndHandled(false),
      fpMovie(nullptr),
      fpSubtitles(nullptr),
      fpMovieSubtitles(nullptr),
      fpSubtitle(nullptr),
      fSubtitleFonts(7, false),
      fSubtitleStart(0.0),
      fNextSubtitle(-1.0),
      fSubtitleIndex(0),
      fpSubtitleBox(nullptr),
      fKeyTime(-1.0),
      fInFrames(false),
      fInKeys(false),
      fMouseLocked(false),
      fListening(false) {
    SetTables(LoadTable(kTableFile), LoadTable(kSubtitleFile));
    VoStateManager* states = VoStateManager::GetInstance();
    VoEventManager* events = VoEventManager::GetInstance();
    fListening = states != nullptr && events != nullptr && states->AddListener(this, kListenerOrder) &&
                 events->AddListener(this, kListenerOrder);
}

MGCutScenePlayer::~MGCutScenePlayer() {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->RemoveListener(this);
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->RemoveListener(this);
    }
    MGListenToFrames(this, kListenerOrder, false, &fInFrames);
    MGListenToKeys(this, kListenerOrder, false, &fInKeys);
    LockMouse(false);
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
    DeleteMovie();
    delete fpTable;
    delete fpSubtitles;
}

VoPropertyList* MGCutScenePlayer::LoadTable(const char16_t* apPath) {
    VoPropertyList* table = VO_NEW VoPropertyList();
    if (table == nullptr || !table->Load(VoString(apPath), true)) {
        VO_ASSERT_FAILURE("");
        delete table;
        return nullptr;
    }
    return table;
}

void MGCutScenePlayer::SetTables(VoPropertyList* apTable, VoPropertyList* apSubtitles) {
    fpMovieSubtitles = nullptr;
    fpSubtitle = nullptr;
    fNextSubtitle = -1.0;
    fStateTable.Clear();
    fEventTable.Clear();
    fInterviewTable.Clear();
    fLocationTable.Clear();
    delete fpTable;
    fpTable = apTable;
    delete fpSubtitles;
    fpSubtitles = apSubtitles;
    for (int i = 0; fpTable != nullptr && i < fpTable->GetCount(); ++i) {
        VoPropertyList* entry = fpTable->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        const VoString type = entry->GetString(VoString(u"triggertype"), nullptr);
        if (type.EqualsNoCase(u"state")) {
            fStateTable.Add(entry);
        } else if (type.EqualsNoCase(u"event")) {
            fEventTable.Add(entry);
        } else if (type.EqualsNoCase(u"interview")) {
            fInterviewTable.Add(entry);
        } else if (type.EqualsNoCase(u"maptag")) {
            fLocationTable.Add(entry);
        }
    }
}

bool MGCutScenePlayer::Evaluate(const VoString& aScript) {
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    VoScript script;
    if (builder == nullptr || !builder->Build(aScript, &script)) {
        VO_ASSERT_FAILURE(kScriptFailure, aScript);
        return false;
    }
    return script.Evaluate();
}

bool MGCutScenePlayer::Matches(VoPropertyList* apEntry, const char16_t* apKey, const VoString& aId,
                               bool aCaseSensitive) {
    bool triggered = false;
    const VoString trigger = apEntry->GetString(VoString(apKey), &triggered);
    const bool same = aCaseSensitive ? trigger == aId : trigger.EqualsNoCase(aId);
    bool scripted = false;
    const VoString dependencies = apEntry->GetString(VoString(u"dependencies"), &scripted);
    if (!scripted) {
        return triggered && same;
    }
    const bool holds = Evaluate(dependencies);
    return trigger.GetLength() > 0 ? same && holds : holds;
}

VoPropertyList* MGCutScenePlayer::FindScripted(const VoVector& aTable, const char16_t* apKey,
                                                const VoString& aId) {
    for (int i = 0; i < aTable.GetCount(); ++i) {
        auto* entry = static_cast<VoPropertyList*>(aTable.GetAt(i));
        bool keyed = false;
        const VoString trigger = entry->GetString(VoString(apKey), &keyed);
        if (keyed && !trigger.EqualsNoCase(aId)) {
            continue;
        }
        bool scripted = false;
        const VoString dependencies = entry->GetString(VoString(u"dependencies"), &scripted);
        if (!scripted) {
            VO_ASSERT_FAILURE("");
            continue;
        }
        if (Evaluate(dependencies)) {
            return entry;
        }
    }
    return nullptr;
}

void MGCutScenePlayer::OnStateChanged(VoIState* apState) {
    if (apState == nullptr) {
        return;
    }
    const VoString id = apState->GetName();
    for (int i = 0; i < fStateTable.GetCount(); ++i) {
        auto* entry = static_cast<VoPropertyList*>(fStateTable.GetAt(i));
        if (Matches(entry, u"triggerstate", id, true)) {
            PlayEntry(entry);
            return;
        }
    }
}

void MGCutScenePlayer::OnEvent(VoEvent* apEvent) {
    if (apEvent == nullptr) {
        return;
    }
    const VoString id = apEvent->GetId();
    for (int i = 0; i < fEventTable.GetCount(); ++i) {
        auto* entry = static_cast<VoPropertyList*>(fEventTable.GetAt(i));
        if (Matches(entry, u"triggerevent", id, false)) {
            PlayEntry(entry);
            return;
        }
    }
}

bool MGCutScenePlayer::PlayForInterview(const VoString& aInterviewId) {
    VoPropertyList* entry = FindScripted(fInterviewTable, u"triggerinterview", aInterviewId);
    if (entry == nullptr) {
        return false;
    }
    PlayEntry(entry);
    return true;
}

bool MGCutScenePlayer::PlayForLocation(const VoString& aLocationId) {
    VoPropertyList* entry = FindScripted(fLocationTable, u"triggerlocation", aLocationId);
    if (entry == nullptr) {
        return false;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->StopAudio();
    }
    ClearTargets();
    PlayEntry(entry);
    return true;
}

void MGCutScenePlayer::PlayEntry(VoPropertyList* apEntry) {
    bool found = false;
    const VoString movie = apEntry->GetString(VoString(u"movie"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMissingMovie);
    }
    const VoVectorString events = apEntry->GetVectorString(VoString(u"doneevents"), &found);
    if (found) {
        fDoneEvents = events;
    }
    const VoString scene = apEntry->GetString(VoString(u"targetscene"), &found);
    if (found) {
        fTargetScene = scene;
        fTargetViewpoint = apEntry->GetString(VoString(u"targetvp"), nullptr);
    }
    Play(movie);
}

void MGCutScenePlayer::Play(const VoString& aMovie) {
    fQueue.AddAt(0, aMovie);
    fpSubtitleBox = MGSubtitle::GetInstance();
    if (fpSubtitleBox != nullptr) {
        fpSubtitleBox->SetPosition(kSubtitleX, kSubtitleY);
    }
    Push();
}

void MGCutScenePlayer::Play(const VoVectorString& aMovies) {
    fQueue = aMovies;
    fpSubtitleBox = MGSubtitle::GetInstance();
    if (fpSubtitleBox != nullptr) {
        fpSubtitleBox->SetPosition(kSubtitleX, kSubtitleY);
    }
    Push();
}

void MGCutScenePlayer::Push() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens != nullptr && screens->FindScreen(this) >= 0) {
        // Playing or about to: the movie waits in the queue.
        return;
    }
    if (screens != nullptr && (screens->PushFade(this) || screens->FindScreen(this) >= 0)) {
        return;
    }
    VO_ERROR(kPlayRefused, fQueue.GetAt(0));
    fQueue.Clear();
    ClearTargets();
    fDoneEvents.Clear();
    fDoneStates.Clear();
}

void MGCutScenePlayer::SetTargetScene(const VoString& aScene, const VoString& aViewpoint) {
    fTargetScene = aScene;
    fTargetViewpoint = aViewpoint;
}

void MGCutScenePlayer::SetDoneEvents(const VoVectorString& aEvents) {
    fDoneEvents = aEvents;
}

void MGCutScenePlayer::AddDoneEvents(const VoVectorString& aEvents) {
    for (int i = 0; i < aEvents.GetCount(); ++i) {
        fDoneEvents.Add(aEvents.GetAt(i));
    }
}

void MGCutScenePlayer::SetDoneStates(const VoVectorString& aStates) {
    fDoneStates = aStates;
}

void MGCutScenePlayer::AddDoneStates(const VoVectorString& aStates) {
    for (int i = 0; i < aStates.GetCount(); ++i) {
        fDoneStates.Add(aStates.GetAt(i));
    }
}

void MGCutScenePlayer::SetListener(MGICutSceneListener* apListener) {
    if (apListener != nullptr) {
        fpListener = apListener;
    }
}

void MGCutScenePlayer::OnEnter() {
    if (fQueue.GetCount() == 0) {
        return;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
    }
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->Close();
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    MGCursor* cursor = MGCursor::GetInstance();
    if (cursor != nullptr) {
        cursor->SetCursor(1, VoString(u""));
    }
    StartMovie(false);
    fKeyTime = Now() + kSkipDelay;
    MGListenToFrames(this, kListenerOrder, true, &fInFrames);
    LockMouse(true);
    if (cursor != nullptr) {
        cursor->SetActive(false);
    }
}

void MGCutScenePlayer::StartMovie(bool aLater) {
    DeleteMovie();
    const VoString name = fQueue.GetAt(0);
    fQueue.RemoveAt(0);
    fEnded = false;
    fEnding = false;
    fEndHandled = false;
    fpMovieSubtitles = nullptr;
    fpSubtitle = nullptr;
    fNextSubtitle = -1.0;
    VoIMovieManager* movies = VoIMovieManager::GetInstance();
    fpMovie = movies != nullptr ? movies->CreateFullScreenMovie(VoString(kMovieId), VoString(kMovieRoot) + name)
                                : nullptr;
    if (fpMovie == nullptr) {
        // Nothing to watch: the run goes on as if the movie had ended.
        fEnded = true;
        return;
    }
    fpMovie->SetListener(this);
    MGOptions* options = MGOptions::GetInstance();
    fpMovie->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    const int x = (kScreenWidth - fpMovie->GetWidth()) / 2;
    const int y = (kScreenHeight - fpMovie->GetHeight()) / 2;
    fpMovie->SetPosition(static_cast<float>(x), static_cast<float>(y));
    if (aLater) {
        fpMovie->SetRelativeZ(kLaterMovieZ);
    }
    if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
        display->AddMember(fpMovie);
    }
    if (options == nullptr || options->GetOption(0) == 0) {
        LoadSubtitles(name);
    }
    fpMovie->Play();
}

void MGCutScenePlayer::DeleteMovie() {
    if (fpMovie == nullptr) {
        return;
    }
    fpMovie->ClearListener();
    fpMovie->Close();
    // The movie leaves the display root as it is deleted; once the display
    // manager is gone, its root has deleted the movie already.
    if (fpMovie->GetGroup() == nullptr || VoDisplayManager::GetInstance() != nullptr) {
        delete fpMovie;
    }
    fpMovie = nullptr;
}

void MGCutScenePlayer::LoadSubtitles(const VoString& aMovie) {
    fpMovieSubtitles = nullptr;
    VoPropertyList* entry = nullptr;
    for (int i = 0; fpSubtitles != nullptr && i < fpSubtitles->GetCount() && entry == nullptr; ++i) {
        VoPropertyList* candidate = fpSubtitles->GetListAt(i);
        if (candidate != nullptr && candidate->GetString(VoString(u"movie"), nullptr).EqualsNoCase(aMovie)) {
            entry = candidate;
        }
    }
    if (entry == nullptr) {
        return;
    }
    fSubtitleFonts.Clear();
    VoPropertyList* fonts = entry->GetList(VoString(u"fonts"));
    VoFontManager* manager = VoFontManager::GetInstance();
    if (fonts == nullptr) {
        VO_ASSERT_FAILURE(kMissingFonts);
    }
    for (int i = 0; fonts != nullptr && i < fonts->GetCount(); ++i) {
        const VoString key = fonts->GetKeyAt(i);
        VoIFont* font = manager != nullptr ? manager->GetFont(fonts->GetString(key, nullptr)) : nullptr;
        if (font == nullptr) {
            VO_ASSERT_FAILURE(kMissingFont);
            continue;
        }
        fSubtitleFonts.Add(key, font, true);
    }
    fpMovieSubtitles = entry->GetList(VoString(u"subtitles"));
    fSubtitleIndex = 0;
    fpSubtitle = fpMovieSubtitles != nullptr ? fpMovieSubtitles->GetListAt(0) : nullptr;
    fSubtitleStart = Now();
    fNextSubtitle = -1.0;
    if (fpSubtitle != nullptr) {
        bool found = false;
        fNextSubtitle = static_cast<double>(fpSubtitle->GetFloat(VoString(u"time"), &found)) + fSubtitleStart;
        if (!found) {
            VO_ASSERT_FAILURE(kMissingTime);
        }
    }
}

void MGCutScenePlayer::ShowDueSubtitle() {
    if (fpMovieSubtitles == nullptr || fpSubtitle == nullptr || fNextSubtitle < 0.0 || !(Now() > fNextSubtitle)) {
        return;
    }
    bool found = false;
    const VoString text = fpSubtitle->GetString(VoString(u"subtitle"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMissingSubtitle);
    }
    const VoString fontKey = fpSubtitle->GetString(VoString(u"font"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMissingFontKey);
    }
    const VoString action = fpSubtitle->GetString(VoString(u"action"), nullptr);
    auto* font = static_cast<VoIFont*>(fSubtitleFonts.Get(fontKey));
    if (fpSubtitleBox != nullptr) {
        if (action == VoString(u"add")) {
            fpSubtitleBox->AppendText(text, font);
        } else {
            fpSubtitleBox->SetText(text, font);
        }
        if (!fpSubtitleBox->IsVisible()) {
            fpSubtitleBox->Show();
        }
    }
    ++fSubtitleIndex;
    fpSubtitle = fpMovieSubtitles->GetListAt(fSubtitleIndex);
    fNextSubtitle = -1.0;
    if (fpSubtitle != nullptr) {
        fNextSubtitle = static_cast<double>(fpSubtitle->GetFloat(VoString(u"time"), &found)) + fSubtitleStart;
        if (!found) {
            VO_ASSERT_FAILURE(kMissingTime);
        }
    }
}

void MGCutScenePlayer::OnUpdate() {
    if (fKeyTime > 0.0 && Now() > fKeyTime) {
        fKeyTime = -1.0;
        MGListenToKeys(this, kListenerOrder, true, &fInKeys);
    }
    ShowDueSubtitle();
    // An end waits while the screen stack still fades: the fader is the
    // stack's until its fade has finished.
    const bool idle = !ScreensBusy();
    if (fEnded && idle) {
        fEnded = false;
        EndMovie();
    }
    if (fpMovie != nullptr && !fEnding && !fEndHandled) {
        const std::uint32_t count = fpMovie->GetFrameCount();
        // A movie of ten frames or fewer plays to its own end.
        if (count > kEndFrames && fpMovie->GetCurrentFrame() > count - kEndFrames) {
            fEnding = true;
            fpMovie->Pause();
            if (idle) {
                EndMovie();
            } else {
                fEnded = true;
            }
        }
    }
}

void MGCutScenePlayer::OnMovieEnd(VoString) {
    fEnded = true;
}

void MGCutScenePlayer::OnKeyUp(int aKey) {
    if (aKey != kSkipKey) {
        return;
    }
    MGListenToKeys(this, kListenerOrder, false, &fInKeys);
    if (fpMovie != nullptr) {
        fpMovie->Pause();
    }
    fQueue.Clear();
    fEnded = true;
}

void MGCutScenePlayer::OnMouseMove(const VoVector2* apPosition) {
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(apPosition);
    }
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

void MGCutScenePlayer::EndMovie() {
    if (fEndHandled) {
        return;
    }
    fEndHandled = true;
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fQueue.GetCount() > 0) {
        if (fpSubtitleBox != nullptr) {
            fpSubtitleBox->HideImmediately();
        }
        if (fader != nullptr) {
            fader->SetListener(this);
            fader->FadeOut();
        }
        return;
    }
    StopListening();
    if (HasTargetScene() && fader != nullptr) {
        fader->SetListener(this);
        fader->FadeOut();
        return;
    }
    FinishWithoutScene();
}

void MGCutScenePlayer::StopListening() {
    MGListenToFrames(this, kListenerOrder, false, &fInFrames);
    LockMouse(false);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetActive(true);
    }
    MGListenToKeys(this, kListenerOrder, false, &fInKeys);
    fKeyTime = -1.0;
    if (fpSubtitleBox != nullptr) {
        fpSubtitleBox->HideImmediately();
    }
}

void MGCutScenePlayer::OnFadeEvent(int aCode) {
    if (aCode != kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    if (fQueue.GetCount() > 0) {
        StartMovie(true);
        if (fader != nullptr) {
            fader->FadeIn();
        }
        return;
    }
    // A run skipped between two movies has not let go yet.
    StopListening();
    if (HasTargetScene()) {
        FinishWithScene();
    } else {
        FinishWithoutScene();
    }
}

void MGCutScenePlayer::FinishWithoutScene() {
    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (HasTargetViewpoint() && scene != nullptr) {
        scene->ChangeViewpoint(fTargetViewpoint);
        scene->SetViewpoint(fTargetViewpoint);
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGIScreen* popped = nullptr;
    if (screens != nullptr && !screens->PopFade(&popped) && screens->FindScreen(this) < 0) {
        // Taken off without a screen below to go to: leave at once.
        OnLeaveEnd();
    }
    FinishRun();
}

void MGCutScenePlayer::FinishWithScene() {
    DeleteMovie();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens != nullptr) {
        screens->Clear();
    }
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* selected = states != nullptr ? states->GetState(VoString(kSelectedCase)) : nullptr;
    const bool inCase = selected != nullptr && selected->GetNumber() != 0.0f;
    // The scene enters the target viewpoint also when its placard shows
    // first and loads it later.
    if (MGSceneManager* scenes = MGSceneManager::GetInstance()) {
        scenes->LoadScene(fTargetScene, inCase, false, HasTargetViewpoint() ? fTargetViewpoint : VoString());
    }
    ClearTargets();
    if (!inCase && states != nullptr) {
        states->SetState(VoString(kCaseSelection), VoString(u"boolean"), VoString(u"true"), true);
    }
    FinishRun();
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->FadeIn();
    }
}

void MGCutScenePlayer::FinishRun() {
    // The run's lists are taken first: an event or state set here may start
    // the next run, whose lists and listener must stay.
    const VoVectorString events = fDoneEvents;
    const VoVectorString doneStates = fDoneStates;
    MGICutSceneListener* listener = fpListener;
    fpListener = nullptr;
    ClearTargets();
    fDoneEvents.Clear();
    fDoneStates.Clear();

    if (VoEventManager* manager = VoEventManager::GetInstance()) {
        for (int i = 0; i < events.GetCount(); ++i) {
            manager->AddEvent(events.GetAt(i), true);
        }
    }
    MGApplyStateChanges(doneStates);
    if (listener != nullptr) {
        listener->OnCutSceneEnd();
    }
}

void MGCutScenePlayer::OnLeaveEnd() {
    LockMouse(false);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetActive(true);
    }
    DeleteMovie();
    fQueue.Clear();
}

void MGCutScenePlayer::ClearTargets() {
    fTargetScene.Clear();
    fTargetViewpoint.Clear();
}

bool MGCutScenePlayer::HasTargetScene() const {
    return !IsNone(fTargetScene);
}

bool MGCutScenePlayer::HasTargetViewpoint() const {
    return !IsNone(fTargetViewpoint);
}

void MGCutScenePlayer::LockMouse(bool aLock) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse == nullptr) {
        fMouseLocked = false;
        return;
    }
    if (aLock) {
        fMouseLocked = mouse->Lock(this);
    } else if (fMouseLocked) {
        mouse->Unlock(this);
        fMouseLocked = false;
    }
}

double MGCutScenePlayer::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoString MGCutScenePlayer::ToString() const {
    return VoDebugString("MGCutScenePlayer", this);
}
