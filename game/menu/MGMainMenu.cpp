#include "menu/MGMainMenu.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "menu/MGCreditsScreen.h"
#include "menu/MGLoadScreen.h"
#include "menu/MGMenuButton.h"
#include "menu/MGOptionsScreen.h"
#include "menu/MGSaveScreen.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "pda/MGPhone.h"
#include "platform/VoIPlatform.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "ui/MGMessageBox.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"
#include "util/MGKeyInput.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGMainMenu, MGCleanerHome> gInstance;

constexpr float kOrder = 0.0f;

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

// A new state of that type and value, added without telling the listeners.
void AddState(const VoString& aId, std::int32_t aType, const void* apValue) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = VO_NEW VoIState();
    if (states == nullptr || state == nullptr || !state->Set(aId, aType, apValue) ||
        !states->AddState(state, false, true)) {
        delete state;
    }
}

}  // namespace

MGMainMenu* MGMainMenu::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGMainMenu(); }, kCreationFailure);
}

VoString MGMainMenu::SkillName(int aLevel) {
    switch (aLevel) {
        case 0:
            return VoString(u"easy");
        case 1:
            return VoString(u"medium");
        case 2:
            return VoString(u"hard");
        default:
            return VoString(u"");
    }
}

void MGMainMenu::StoreSkillSetting() {
    MGOptions* options = MGOptions::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    const VoString name =
        SkillName(options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel);
    if (states != nullptr && name.GetLength() > 0) {
        states->SetState(VoString(kSkillState), VoString(u"string"), name, true);
    }
}

MGMainMenu::MGMainMenu()
    : fpTheme(nullptr), fLastAction(kNewGame), fStarting(false), fInKeyboard(false), fInStates(false) {
    MGKeyInput::GetInstance();
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        fInStates = states->AddListener(this, kOrder);
    }
}

MGMainMenu::~MGMainMenu() {
    if (VoStateManager* states = VoStateManager::GetInstance(); states != nullptr && fInStates) {
        states->RemoveListener(this);
    }
    MGListenToKeys(this, kOrder, false, &fInKeyboard);
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
    StopTheme();
}

void MGMainMenu::StopTheme() {
    delete fpTheme;
    fpTheme = nullptr;
}

void MGMainMenu::OnStateChanged(VoIState* apState) {
    if (apState == nullptr || apState->PeekName() != VoString(kActiveState) || !apState->GetBoolean(false)) {
        return;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // Once on the stack is enough: a second push would stack the menu on itself.
    if (screens != nullptr && screens->FindScreen(this) < 0) {
        screens->PushFade(this);
    }
}

void MGMainMenu::OnEnter() {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Hide();
    }
    fStarting = false;
    Build();
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kCursorHand, VoString(u""));
    }
    PlayTheme();
    MGListenToKeys(this, kOrder, true, &fInKeyboard);
}

void MGMainMenu::Build() {
    MGTextureRoot root(MGMenuLayout::kTextureRoot);
    VoPropertyList layout;
    layout.Load(VoString(kLayoutFile), true);
    VoDisplayGroup* tree = fTree.Create(VoString(kRootId));
    if (tree == nullptr) {
        return;
    }
    MGMenuLayout::AddGroup(&layout, VoString(kBackground), tree);
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* selected = states != nullptr ? states->GetState(VoString(kCaseState)) : nullptr;
    const bool caseChosen = selected != nullptr && selected->GetNumber(0.0f) >= 1.0f;
    MGScreenManager* screens = MGScreenManager::GetInstance();
    const bool gameBelow = screens != nullptr && screens->FindScreen(this) > 0;
    MGMenuLayout::AddButtons(&layout, VoString(kButtons), VoString(kButtonsId), tree, this,
                             [&](MGMenuButton* apButton, int) {
                                 if ((MGMenuLayout::Is(apButton->GetId(), u"save_game") && !caseChosen) ||
                                     (MGMenuLayout::Is(apButton->GetId(), u"resume_game") && !gameBelow)) {
                                     apButton->SetEnabled(false);
                                 }
                             });
    fTree.Show();
}

void MGMainMenu::PlayTheme() {
    MGOptions* options = MGOptions::GetInstance();
    const float volume = options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume;
    if (fpTheme != nullptr) {
        fpTheme->SetVolume(volume);
        return;
    }
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpTheme = sounds != nullptr ? sounds->CreateStream(VoString(kThemeName), VoString(kThemeFile)) : nullptr;
    if (fpTheme != nullptr) {
        fpTheme->SetLoopCount(true);
        fpTheme->SetVolume(volume);
        fpTheme->Play();
    }
}

void MGMainMenu::OnLeaveBegin() {
    if (VoDisplayGroup* tree = fTree.Get()) {
        tree->SetEnabled(false);
    }
}

void MGMainMenu::OnLeaveEnd() {
    MGListenToKeys(this, kOrder, false, &fInKeyboard);
    fTree.Drop();
}

bool MGMainMenu::IsStackBusy() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens == nullptr || screens->IsBusy();
}

bool MGMainMenu::Push(MGIScreen* apScreen) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return apScreen != nullptr && screens != nullptr && screens->PushFade(apScreen);
}

void MGMainMenu::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (MGMenuLayout::Is(aId, u"quit")) {
        VoMouse* mouse = VoMouse::GetInstance();
        VoVector2 pointer;
        if (mouse != nullptr) {
            mouse->GetPosition(pointer);
            const VoVector2 away(kQuitPointerX, kQuitPointerY);
            mouse->Move(&away);
        }
        if (MGMessageBox* box = MGMessageBox::GetInstance()) {
            box->Show(VoString(kQuitId), VoString(kQuitText), MGMessageBox::kYesNo, this);
        }
        if (mouse != nullptr) {
            mouse->Move(&pointer);
        }
        ConsumeMouseEvent();
        return;
    }
    // Every other button changes screens, which waits for the stack.
    if (fStarting || IsStackBusy()) {
        return;
    }
    if (MGMenuLayout::Is(aId, u"options")) {
        Push(MGOptionsScreen::GetInstance());
    } else if (MGMenuLayout::Is(aId, u"load_game")) {
        fLastAction = kLoad;
        Push(MGLoadScreen::GetInstance());
    } else if (MGMenuLayout::Is(aId, u"save_game")) {
        fLastAction = kSave;
        Push(MGSaveScreen::GetInstance());
    } else if (MGMenuLayout::Is(aId, u"new_game")) {
        fLastAction = kNewGame;
        MGScreenFader* fader = MGScreenFader::GetInstance();
        if (fader != nullptr && fader->SetListener(this)) {
            fStarting = true;
            // May finish at once, when the picture is black already.
            fader->FadeOut();
        }
    } else if (MGMenuLayout::Is(aId, u"resume_game")) {
        fLastAction = kResume;
        MGScreenManager* screens = MGScreenManager::GetInstance();
        if (screens != nullptr && screens->FindScreen(this) > 0) {
            StopTheme();
            StoreSkillSetting();
            MGIScreen* popped = nullptr;
            screens->PopFade(&popped);
        }
    } else if (MGMenuLayout::Is(aId, u"credits")) {
        StopTheme();
        Push(MGCreditsScreen::GetInstance());
        return;
    } else {
        return;
    }
    ConsumeMouseEvent();
}

void MGMainMenu::OnMessageBoxResult(const VoString& aId, int aCode) {
    if (!aId.EqualsNoCase(VoString(kQuitId)) || aCode != kYes) {
        return;
    }
    StopTheme();
    if (VoIPlatform* platform = VoIPlatform::GetInstance()) {
        platform->Quit();
    }
    ConsumeMouseEvent();
}

void MGMainMenu::OnFadeEvent(int aCode) {
    if (aCode != kFinished) {
        return;
    }
    StopTheme();
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    fStarting = false;
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    OnLeaveEnd();
    if (fLastAction == kNewGame) {
        StartNewGame();
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void MGMainMenu::StartNewGame() {
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->Reset();
        for (int i = 1; i <= kClockCount; ++i) {
            clock->ResetTime(i);
        }
        clock->SetCurrentClock(1);
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->ClearEvents();
    }
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->ClearStates();
    }
    const float noCase = 0.0f;
    AddState(VoString(kCaseState), VoIState::kNumber, &noCase);
    MGPDA* pda = MGPDA::GetInstance();
    if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
        inventory->ClearItems();
    }
    if (MGPhone* phone = MGPhone::GetInstance()) {
        phone->Reset();
    }
    MGOptions* options = MGOptions::GetInstance();
    const VoString skill =
        SkillName(options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel);
    AddState(VoString(kSkillState), VoIState::kString, &skill);
    if (MGGameReset* reset = MGGameReset::GetInstance()) {
        reset->Notify();
    }
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->SetTargetScene(VoString(kNewGameScene), VoString(u""));
        player->Play(VoString(kNewGameMovie));
    }
}

VoString MGMainMenu::ToString() const {
    return VoDebugString("MGMainMenu", this);
}
