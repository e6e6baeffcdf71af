#include "menu/MGCaseSelection.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "menu/MGCaseControl.h"
#include "menu/MGMainMenu.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "scene/MGPlacard.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGCaseSelection, MGCleanerHome> gInstance;

void StopSceneAudio() {
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->StopAudio();
    }
}

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

bool HasEvent(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    return events != nullptr && events->HasEvent(aId);
}

// Case N and its game clock become current; the state listeners are not told.
void MakeCurrent(int aCase) {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        VoString value;
        value.Append(static_cast<std::int32_t>(aCase));
        states->SetState(VoString(MGCaseSelection::kCaseState), VoString(u"number"), value, false);
    }
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->SetCurrentClock(aCase);
    }
}

VoString LedgerEvent(int aCase) {
    VoString id(u"evt_ledger");
    id.Append(static_cast<std::int32_t>(aCase));
    id.Append(u"_displayed");
    return id;
}

}  // namespace

const MGCaseSelection::Case MGCaseSelection::kCases[3] = {
    {u"case1_select", u"case1_intro_played", u"case01/riverbank", u"152_all.bik", u"001_all.bik"},
    {u"case2_select", u"case2_intro_played", u"case02/hotel_room", u"252_all.bik", u"002_all.bik"},
    {u"case3_select", u"case3_intro_played", u"case03/brownstone", u"352_all.bik", u"003_all.bik"},
};

MGCaseSelection* MGCaseSelection::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGCaseSelection(); }, kCreationFailure);
}

int MGCaseSelection::CaseInPlay() {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* selected = states != nullptr ? states->GetState(VoString(kCaseState)) : nullptr;
    return selected != nullptr ? static_cast<int>(selected->GetNumber(0.0f)) : 0;
}

MGCaseSelection::MGCaseSelection()
    : fDeadline(0.0),
      fLedgerCase(0),
      fLeavingLedger(false),
      fOpenDue(false),
      fInStates(false),
      fInFrames(false),
      fInKeys(false),
      fInMouse(false) {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        fInStates = states->AddListener(this, kOrder);
    }
}

MGCaseSelection::~MGCaseSelection() {
    if (VoStateManager* states = VoStateManager::GetInstance(); states != nullptr && fInStates) {
        states->RemoveListener(this);
    }
    ListenToFrames(false);
    MGListenToKeys(this, kOrder, false, &fInKeys);
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
}

double MGCaseSelection::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

void MGCaseSelection::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kOrder, aListen, &fInFrames);
}

void MGCaseSelection::OnStateChanged(VoIState* apState) {
    if (apState == nullptr || apState->PeekName() != VoString(kActiveState)) {
        return;
    }
    if (apState->GetBoolean(false)) {
        fOpenDue = !TryOpen();
        ListenToFrames(fOpenDue || fLedgerCase != 0);
        return;
    }
    fOpenDue = false;
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // Only itself: whatever else is on top is not the case selection's to close.
    if (screens != nullptr && screens->GetTopScreen() == static_cast<MGIScreen*>(this)) {
        MGIScreen* popped = nullptr;
        screens->PopFade(&popped);
    }
}

bool MGCaseSelection::TryOpen() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr || screens->FindScreen(this) >= 0) {
        return true;
    }
    MGPlacard* placard = MGPlacard::GetInstance();
    if (screens->IsBusy() || (placard != nullptr && screens->FindScreen(placard) >= 0)) {
        return false;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetKeepAudio(true);
    }
    return screens->PushFade(this);
}

void MGCaseSelection::OnEnter() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    fLeavingLedger = false;
    fLedgerCase = 0;
    int ledger = 0;
    if (CaseInPlay() == 0) {
        for (int n = 1; n <= kCaseCount && ledger == 0; ++n) {
            if (MGCaseControl::IsClosed(n) && !HasEvent(LedgerEvent(n))) {
                ledger = n;
            }
        }
    }
    if (ledger != 0) {
        ShowLedger(ledger);
    } else {
        ShowFolders();
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetInputEnabled(false);
        scene->SetHotspotsEnabled(false);
    }
    MGListenToKeys(this, kOrder, true, &fInKeys);
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kCursorHand, VoString(kCursorName));
    }
}

VoPropertyList* MGCaseSelection::LoadLayout(VoPropertyList* apFile) {
    apFile->Load(VoString(kLayoutFile), true);
    return apFile;
}

void MGCaseSelection::AddBackButton(VoPropertyList* apLayout, VoDisplayGroup* apRoot, const char16_t* apId) {
    VoPropertyList* node = apLayout->GetList(VoString(kBackButton));
    VoIDisplayObject* back = node != nullptr ? VoLayoutBuilder::BuildButton(node, this) : nullptr;
    if (back == nullptr) {
        VO_ASSERT_FAILURE("");
        return;
    }
    if ((apId != nullptr && !back->SetId(VoString(apId))) || !apRoot->AddMember(back, true)) {
        delete back;
    }
}

void MGCaseSelection::ShowLedger(int aCase, VoPropertyList* apLayout) {
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(LedgerEvent(aCase), true);
    }
    fLedgerCase = aCase;
    VoPropertyList file;
    VoPropertyList* layout = apLayout != nullptr ? apLayout : LoadLayout(&file);
    VoDisplayGroup* root = fTree.Create(VoString(kRootId));
    if (root != nullptr) {
        MGTextureRoot textures(kTextureRoot);
        VoString path(kLedgerPrefix);
        path.Append(static_cast<std::int32_t>(aCase));
        VoPropertyList* node = layout->GetList(path);
        VoSprite* page = node != nullptr ? VoLayoutBuilder::BuildSprite(node) : nullptr;
        if (page == nullptr || !root->AddMember(page, true)) {
            delete page;
        }
        AddBackButton(layout, root, kLedgerBack);
    }
    fTree.Show();
    fDeadline = Now() + kLedgerTime;
    ListenToFrames(true);
    MGListenToMouse(this, kMouseOrder, true, &fInMouse);
}

void MGCaseSelection::ShowFolders(VoPropertyList* apLayout) {
    fLedgerCase = 0;
    VoPropertyList file;
    VoPropertyList* layout = apLayout != nullptr ? apLayout : LoadLayout(&file);
    VoDisplayGroup* root = fTree.Create(VoString(kRootId));
    if (root == nullptr) {
        return;
    }
    VoDisplayGroup* folders = nullptr;
    {
        MGTextureRoot textures(kTextureRoot);
        MGMenuLayout::AddGroup(layout, VoString(kBackground), root);
        VoPropertyList* node = layout->GetList(VoString(kFolders));
        folders = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
        if (folders != nullptr && !root->AddMember(folders, true)) {
            delete folders;
            folders = nullptr;
        }
        if (VoPropertyList* buttons = layout->GetList(VoString(kButtons)); buttons != nullptr && folders != nullptr) {
            VoLayoutBuilder::BuildButtons(buttons, folders, this);
        }
        MGMenuLayout::AddGroup(layout, VoString(kCaseClosed), root);
        // Under the same root as the ledger's back button, whose pictures it shares.
        if (MGCaseControl::AreFirstThreeClosed() || CaseInPlay() != 0) {
            AddBackButton(layout, root, nullptr);
        }
    }
    const int inPlay = CaseInPlay();
    if (inPlay >= 1 && inPlay <= 3 && folders != nullptr) {
        VoString review(kReviewPrefix);
        review.Append(static_cast<std::int32_t>(inPlay));
        for (const VoString& id : {review, VoString(kCases[inPlay - 1].fpSelect)}) {
            if (VoIDisplayObject* button = folders->GetMember(id)) {
                button->SetEnabled(false);
            }
        }
    }
    fTree.Show();
}

void MGCaseSelection::OnUpdate() {
    if (fOpenDue) {
        fOpenDue = !TryOpen();
    }
    if (fLedgerCase != 0 && !fLeavingLedger && Now() > fDeadline) {
        LeaveLedger();
    }
    if (!fOpenDue && (fLedgerCase == 0 || fLeavingLedger)) {
        ListenToFrames(false);
    }
}

bool MGCaseSelection::LeaveLedger() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // The screen fader belongs to the stack while it switches screens.
    if (fLeavingLedger || screens == nullptr || screens->IsBusy()) {
        return false;
    }
    fLeavingLedger = true;
    ListenToFrames(fOpenDue);
    if (MGCaseControl::IsClosed(4)) {
        StopSceneAudio();
        EndGame(false);
        return true;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader == nullptr || !fader->SetListener(this)) {
        fLeavingLedger = false;
        ShowFolders();
        return true;
    }
    // May finish at once, when the picture is black already.
    fader->FadeOut();
    return true;
}

void MGCaseSelection::OnFadeEvent(int aCode) {
    if (aCode != kFinished || !fLeavingLedger) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    fLeavingLedger = false;
    fTree.Drop();
    if (MGCaseControl::IsClosed(4)) {
        EndGame(true);
    } else {
        ShowFolders();
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void MGCaseSelection::EndGame(bool aPushMenu) {
    // Its own leave first: the emptied stack calls no screen, and the page,
    // the mouse and keyboard listeners would stay behind over the menu.
    OnLeaveEnd();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens != nullptr) {
        screens->Clear();
    }
    if (aPushMenu) {
        MGMainMenu* menu = MGMainMenu::GetInstance();
        if (screens != nullptr && menu != nullptr && screens->PushScreen(menu)) {
            menu->OnEnter();
        }
        return;
    }
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->SetState(VoString(kMainMenuState), VoString(u"boolean"), VoString(u"true"), true);
    }
}

void MGCaseSelection::OnLeaveBegin() {
    if (VoDisplayGroup* root = fTree.Get()) {
        root->SetEnabled(false);
    }
}

void MGCaseSelection::OnLeaveEnd() {
    MGListenToKeys(this, kOrder, false, &fInKeys);
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    if (fLeavingLedger) {
        if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
            fader->RemoveListener(this);
        }
    }
    fLeavingLedger = false;
    fLedgerCase = 0;
    ListenToFrames(fOpenDue);
    fTree.Drop();
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->ResetCursor(VoString(kCursorName));
    }
}

void MGCaseSelection::OnButtonUp(int aButton) {
    if (aButton == kLedgerButton) {
        ConsumeMouseEvent();
    }
}

void MGCaseSelection::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    for (int n = 1; n <= 3; ++n) {
        if (aId.EqualsNoCase(kCases[n - 1].fpSelect) && SelectCase(n)) {
            ConsumeMouseEvent();
            return;
        }
    }
    bool played = false;
    if (Review(aId, &played)) {
        if (!played) {
            ConsumeMouseEvent();
        }
        return;
    }
    if (aId.EqualsNoCase(kLedgerBack)) {
        LeaveLedger();
        return;
    }
    OtherButton();
    ConsumeMouseEvent();
}

bool MGCaseSelection::SelectCase(int aCase) {
    if (MGCaseControl::IsClosed(aCase)) {
        return true;
    }
    StopSceneAudio();
    MakeCurrent(aCase);
    const Case& chosen = kCases[aCase - 1];
    VoEventManager* events = VoEventManager::GetInstance();
    if (events == nullptr || events->HasEvent(VoString(chosen.fpIntroEvent))) {
        // Chosen before: on as any other button.
        return false;
    }
    events->AddEvent(VoString(chosen.fpIntroEvent), false);
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->SetTargetScene(VoString(chosen.fpFirstScene), VoString(u""));
        player->Play(VoString(chosen.fpIntroMovie));
    }
    return true;
}

bool MGCaseSelection::Review(const VoString& aId, bool* apPlayed) {
    const int prefix = VoString(kReviewPrefix).GetLength();
    if (aId.SubString(0, prefix) != VoString(kReviewPrefix)) {
        return false;
    }
    const int n = VoInt(aId.SubString(prefix, 1)).fValue;
    if (n < 1 || n > 3) {
        return false;
    }
    if (MGCaseControl::IsClosed(n)) {
        return true;
    }
    StopSceneAudio();
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->SetListener(this);
        player->SetTargetScene(VoString(u""), VoString(u""));
        player->Play(VoString(kCases[n - 1].fpReviewMovie));
    }
    *apPlayed = true;
    return true;
}

void MGCaseSelection::OtherButton() {
    if (MGCaseControl::AreFirstThreeClosed()) {
        StopSceneAudio();
        MakeCurrent(4);
        if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
            player->SetTargetScene(VoString(kCaseFourScene), VoString(u""));
            VoVectorString movies;
            for (const char16_t* movie : kCaseFourMovies) {
                movies.Add(VoString(movie));
            }
            player->Play(movies);
        }
        return;
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        MGIScreen* popped = nullptr;
        screens->PopFade(&popped);
    }
}

void MGCaseSelection::OnCutSceneEnd() {
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->StartAudio();
    }
}

VoString MGCaseSelection::ToString() const {
    return VoDebugString("MGCaseSelection", this);
}
