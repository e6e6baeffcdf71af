#include "puzzles/MGPuzzleFrame.h"

#include "MGIScreen.h"
#include "MGScreenManager.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoIDisplayObject.h"
#include "gdi/VoLayoutBuilder.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleCloser.h"
#include "puzzles/MGPuzzleVoice.h"
#include "render/VoTextureManager.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGOptions.h"

void MGPuzzleFrame::ReportAllocationFailure(const VoLogSite& aSite) {
    VoLog::Report(VoLog::Compose("ASSERT FAILURE: ", aSite.File(), aSite.Line(), ""));
}

void MGPuzzleFrame::ListenToStates(VoIStateListener* apListener) {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->AddListener(apListener, kListenerOrder);
    }
}

void MGPuzzleFrame::Forget(VoIStateListener* apListener, MGIScreen* apScreen) {
    if (VoStateManager* states = VoStateManager::GetInstance()) {
        states->RemoveListener(apListener);
    }
    if (MGPuzzleCloser* closer = MGPuzzleCloser::PeekInstance()) {
        closer->Cancel(apScreen);
    }
}

bool MGPuzzleFrame::IsState(VoIState* apState, const char16_t* apId) {
    return apState != nullptr && apState->GetName().Equals(apId);
}

bool MGPuzzleFrame::IsTrue(VoIState* apState) {
    return apState != nullptr && apState->GetBoolean();
}

bool MGPuzzleFrame::IsOnStack(MGIScreen* apScreen) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens != nullptr && screens->FindScreen(apScreen) >= 0;
}

bool MGPuzzleFrame::IsTop(MGIScreen* apScreen) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens != nullptr && apScreen != nullptr && screens->GetTopScreen() == apScreen;
}

bool MGPuzzleFrame::Open(MGIScreen* apScreen) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr || screens->IsBusy() || screens->FindScreen(apScreen) >= 0) {
        return false;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetKeepAudio(true);
    }
    return screens->PushFade(apScreen);
}

bool MGPuzzleFrame::CloseWithFade(MGIScreen* apScreen) {
    if (!IsTop(apScreen)) {
        return false;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (!screens->IsBusy()) {
        return PopTopScreen();
    }
    MGPuzzleCloser* closer = MGPuzzleCloser::GetInstance();
    return closer != nullptr && closer->RequestPopFade(apScreen);
}

bool MGPuzzleFrame::OpenOrClose(VoIState* apState, const char16_t* apActivation, MGIScreen* apScreen) {
    if (!IsState(apState, apActivation)) {
        return false;
    }
    if (IsTrue(apState)) {
        Open(apScreen);
    } else {
        CloseWithFade(apScreen);
    }
    return true;
}

void MGPuzzleFrame::HandleBackButton(const VoString& aId, int aCode) {
    if (aCode != VoIButtonListener::kClick || !aId.EqualsNoCase(kBackButtonId)) {
        return;
    }
    PopTopScreen();
}

bool MGPuzzleFrame::PopTopScreen() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens == nullptr) {
        return false;
    }
    MGIScreen* popped = nullptr;
    if (screens->PopFade(&popped)) {
        return true;
    }
    // Taken off without a screen below: no fade will end its leave.
    if (popped != nullptr && screens->FindScreen(popped) < 0) {
        popped->OnLeaveBegin();
        popped->OnLeaveEnd();
    }
    return false;
}

int MGPuzzleFrame::GetSkillLevel() {
    MGOptions* options = MGOptions::GetInstance();
    return options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
}

MGPuzzleFrame::TextureRoot::TextureRoot(const char16_t* apFolder) : fSet(false) {
    if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
        fSaved = textures->GetRoot();
        fSet = textures->SetRoot(VoString(apFolder));
    }
}

void MGPuzzleFrame::TextureRoot::Restore() {
    if (!fSet) {
        return;
    }
    fSet = false;
    if (VoTextureManager* textures = VoTextureManager::GetInstance()) {
        if (fSaved.GetLength() > 0) {
            textures->SetRoot(fSaved);
        }
    }
}

VoPropertyList* MGPuzzleFrame::LoadLayout(const char16_t* apPath) {
    VoPropertyList* layout = VO_NEW VoPropertyList();
    if (layout != nullptr && !layout->Load(VoString(apPath), true)) {
        delete layout;
        layout = nullptr;
    }
    return layout;
}

VoDisplayGroup* MGPuzzleFrame::NewGroup(const VoString& aId, float aRelativeZ) {
    VoDisplayGroup* group = VO_NEW VoDisplayGroup();
    if (group == nullptr || !group->SetId(aId)) {
        delete group;
        return nullptr;
    }
    group->SetRelativeZ(aRelativeZ);
    return group;
}

VoDisplayGroup* MGPuzzleFrame::BuildGroup(VoPropertyList* apLayout, const char16_t* apPath) {
    VoDisplayGroup* group = apLayout != nullptr
                                ? VoLayoutBuilder::BuildGroup(apLayout->GetList(VoString(apPath)), true)
                                : nullptr;
    if (group == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    return group;
}

bool MGPuzzleFrame::AddMember(VoDisplayGroup* apParent, VoIDisplayObject* apMember) {
    if (apMember == nullptr) {
        return false;
    }
    if (apParent == nullptr || !apParent->AddMember(apMember, true)) {
        VO_ASSERT_FAILURE("");
        delete apMember;
        return false;
    }
    return true;
}

bool MGPuzzleFrame::BuildGroupInto(VoDisplayGroup* apParent, VoPropertyList* apLayout,
                                   const char16_t* apPath) {
    return AddMember(apParent, BuildGroup(apLayout, apPath));
}

bool MGPuzzleFrame::AddBackButton(VoDisplayGroup* apRoot, VoPropertyList* apLayout, const char16_t* apPath,
                                  VoIButtonListener* apListener) {
    VoButton* button = apLayout != nullptr
                           ? VoLayoutBuilder::BuildButton(apLayout->GetList(VoString(apPath)), apListener)
                           : nullptr;
    if (button == nullptr) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    return AddMember(apRoot, button);
}

bool MGPuzzleFrame::ShowRoot(VoDisplayGroup* apRoot) {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    return apRoot != nullptr && display != nullptr && display->AddMember(apRoot);
}

void MGPuzzleFrame::DeleteRoot(VoDisplayGroup** appRoot) {
    if (*appRoot == nullptr) {
        return;
    }
    if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
        display->RemoveMember(*appRoot);
    }
    delete *appRoot;
    *appRoot = nullptr;
}

void MGPuzzleFrame::ListenToMouse(VoIMouseListener* apListener, bool aListen, bool* apListening) {
    ListenToMouseAt(apListener, aListen, apListening, kListenerOrder);
}

void MGPuzzleFrame::ListenToMouseAt(VoIMouseListener* apListener, bool aListen, bool* apListening,
                                    float aOrder) {
    if (aListen == *apListening) {
        return;
    }
    VoMouse* mouse = VoMouse::GetInstance();
    if (aListen) {
        *apListening = mouse != nullptr && mouse->AddListener(apListener, aOrder);
        if (!*apListening) {
            VO_ASSERT_FAILURE("");
        }
        return;
    }
    if (mouse != nullptr) {
        mouse->RemoveListener(apListener);
    }
    *apListening = false;
}

void MGPuzzleFrame::ListenToFrames(VoIFrameListener* apListener, bool aListen, bool* apListening) {
    if (aListen == *apListening) {
        return;
    }
    VoFrameManager* frames = VoFrameManager::GetInstance();
    if (frames == nullptr) {
        *apListening = false;
        return;
    }
    if (aListen) {
        *apListening = frames->AddListener(apListener, kListenerOrder);
    } else {
        frames->RemoveListener(apListener);
        *apListening = false;
    }
}

double MGPuzzleFrame::Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

void MGPuzzleFrame::EnterScreen(bool aHidePDA) {
    if (aHidePDA) {
        if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
            bar->Hide();
        }
    }
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(kHandCursor, VoString(u""));
    }
}

void MGPuzzleFrame::LeaveScreen(bool aShowPDA) {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->ResetCursor(VoString(u""));
    }
    if (aShowPDA) {
        if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
            bar->Show();
        }
    }
}

bool MGPuzzleFrame::TakeFirstView(const char16_t* apEvent) {
    VoEventManager* events = VoEventManager::GetInstance();
    const VoString firstView(apEvent);
    if (events == nullptr || events->HasEvent(firstView)) {
        return false;
    }
    events->AddEvent(firstView, true);
    return true;
}

void MGPuzzleFrame::HideMultiCursor() {
    MGMultiCursor* menu = MGMultiCursor::GetInstance();
    if (menu != nullptr && menu->IsShown()) {
        menu->Hide(false);
    }
}

void MGPuzzleFrame::DragWithinScreen(VoIDisplayObject* apPiece, const VoVector2& aTarget, float aWidth,
                                     float aHeight) {
    VoVector2 world;
    apPiece->GetWorldPosition(world);
    const float x = (aTarget.x > 0.0f && aTarget.x + aWidth < kScreenWidth) ? aTarget.x : world.x;
    const float y = (aTarget.y > 0.0f && aTarget.y + aHeight < kScreenHeight) ? aTarget.y : world.y;
    // A piece placed in a group: the screen's limits apply to where it is seen.
    const VoVector2& local = apPiece->GetPosition();
    apPiece->SetPosition(local.x + (x - world.x), local.y + (y - world.y));
}

void MGPuzzleFrame::StartHint(MGPuzzleVoice& aVoice, const MGPuzzleHint& aHint, VoISoundListener* apListener,
                              const char16_t* apStream) {
    if (!TakeFirstView(aHint.fpFirstViewEvent)) {
        return;
    }
    const char16_t* name = GetSkillLevel() == kEasy ? aHint.fpHint : aHint.fpComment;
    if (name == nullptr) {
        return;
    }
    const VoString line(name);
    if (!aVoice.PlayLine(line, apStream, apListener)) {
        VO_ASSERT_FAILURE(MGPuzzleVoice::LinePath(line));
    }
}

void MGPuzzleFrame::RunOpening(MGIScreen* apPuzzle, const MGPuzzleOpening& aOpening, bool aPop) {
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->StopAudio();
    }
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->SetTargetScene(VoString(aOpening.fpScene), VoString(aOpening.fpViewpoint));
        if (aOpening.fpDoneState != nullptr) {
            VoVectorString states(3, 3);
            states.Add(VoString(aOpening.fpDoneState));
            states.Add(VoString(kBooleanType));
            states.Add(VoString(kTrue));
            player->SetDoneStates(states);
        }
    }
    MGPuzzleCloser* closer = MGPuzzleCloser::GetInstance();
    if (closer == nullptr || !closer->RequestMovie(apPuzzle, VoString(aOpening.fpMovie), aPop)) {
        VO_ASSERT_FAILURE("");
    }
}
