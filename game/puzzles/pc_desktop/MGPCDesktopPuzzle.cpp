#include "puzzles/pc_desktop/MGPCDesktopPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"

namespace {

VoCleanerSingleton<MGPCDesktopPuzzle, MGCleanerHome> gInstance;

void ConsumeMouseEvent() {
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->ConsumeEvent();
    }
}

}  // namespace

bool MGPCDesktopPuzzle::IsPassword(const VoString& aEntry) {
    return aEntry.EqualsNoCase(kPassword);
}

MGPCDesktopPuzzle* MGPCDesktopPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGPCDesktopPuzzle(); });
}

MGPCDesktopPuzzle::MGPCDesktopPuzzle()
    : fpRoot(nullptr),
      fpLayout(nullptr),
      fpBoxes{},
      fEntered(0),
      fpButtons{},
      fSolved(false),
      fFollowUpPlayed(false),
      fpRoster(nullptr),
      fRosterBlend(0.0f),
      fLastStep(0.0),
      fRebuildPending(false),
      fInFrames(false) {}

MGPCDesktopPuzzle::~MGPCDesktopPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    fVoice.Stop();
    ForgetScreen();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
}

VoTextArea* MGPCDesktopPuzzle::GetBox(int aIndex) const {
    return aIndex >= 0 && aIndex < kPartCount ? fpBoxes[aIndex] : nullptr;
}

VoButton* MGPCDesktopPuzzle::GetButton(int aIndex) const {
    return aIndex >= 0 && aIndex < kButtonCount ? fpButtons[aIndex] : nullptr;
}

void MGPCDesktopPuzzle::Build() {
    ForgetScreen();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    fpLayout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    VoDisplayGroup* puzzle = MGPuzzleFrame::BuildGroup(fpLayout, kPuzzlePath);
    BuildButtons(puzzle);
    MGPuzzleFrame::AddMember(fpRoot, puzzle);
    BuildBoxes();
    fEntered = 0;
    fEntry = VoString();
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, fpLayout, kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGPCDesktopPuzzle::BuildButtons(VoDisplayGroup* apParent) {
    VoPropertyList* entries = fpLayout != nullptr ? fpLayout->GetList(VoString(kButtonsPath)) : nullptr;
    int place = 0;
    for (int i = 0; apParent != nullptr && entries != nullptr && i < entries->GetCount(); ++i) {
        if (place == kButtonCount) {
            VO_ASSERT_FAILURE("");
            break;
        }
        VoButton* button = VoLayoutBuilder::BuildButton(entries->GetListAt(i), this);
        if (MGPuzzleFrame::AddMember(apParent, button)) {
            fpButtons[place++] = button;
        }
    }
}

void MGPCDesktopPuzzle::BuildBoxes() {
    VoPropertyList* entries = fpLayout != nullptr ? fpLayout->GetList(VoString(kBoxesPath)) : nullptr;
    for (int i = 0; fpRoot != nullptr && entries != nullptr && i < entries->GetCount(); ++i) {
        if (i == kPartCount) {
            VO_ASSERT_FAILURE("");
            break;
        }
        VoPropertyList* entry = entries->GetListAt(i);
        bool found = false;
        const VoVectorFloat coords =
            entry != nullptr ? entry->GetVectorFloat(VoString(u"coords"), &found) : VoVectorFloat();
        VoTextArea* box = VO_NEW VoTextArea();
        VoString id(kBoxPrefix);
        id.Append(i);
        if (box == nullptr || !box->Create(VoString(kBoxFont)) || !box->SetId(id)) {
            delete box;
            continue;
        }
        // Missing coordinates read as 0; text areas take no height.
        box->SetPosition(coords.GetCount() > 0 ? coords.GetAt(0) : 0.0f,
                         coords.GetCount() > 1 ? coords.GetAt(1) : 0.0f);
        box->SetRelativeZ(kBoxZ);
        box->SetSingleLine(false);
        box->SetWordWrap(true);
        if (coords.GetCount() > 2) {
            box->SetWidth(coords.GetAt(2));
        }
        box->SetText(u"");
        if (MGPuzzleFrame::AddMember(fpRoot, box)) {
            fpBoxes[i] = box;
        }
    }
}

void MGPCDesktopPuzzle::ForgetScreen() {
    for (VoTextArea*& box : fpBoxes) {
        box = nullptr;
    }
    for (VoButton*& button : fpButtons) {
        button = nullptr;
    }
    fpRoster = nullptr;
}

void MGPCDesktopPuzzle::OnEnter() {
    fSolved = false;
    Build();
    MGPuzzleFrame::EnterScreen(true);
    if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
        menu->Hide(true);
    }
    // No first-view event: the line plays at every entering.
    const bool easy = MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy;
    fVoice.PlayLine(VoString(easy ? kHintLine : kCommentLine), kVoiceStream, this);
}

void MGPCDesktopPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
}

void MGPCDesktopPuzzle::OnLeaveEnd() {
    // Nothing of the screen outlives it: no sound, no pending rebuild, no roster step.
    fVoice.Stop();
    fRebuildPending = false;
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    ForgetScreen();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    delete fpLayout;
    fpLayout = nullptr;
    MGPuzzleFrame::LeaveScreen(true);
}

int MGPCDesktopPuzzle::PlaceOf(const VoString& aId) const {
    for (int i = 0; i < kButtonCount; ++i) {
        if (fpButtons[i] != nullptr && fpButtons[i]->GetId().EqualsNoCase(aId)) {
            return i;
        }
    }
    return -1;
}

void MGPCDesktopPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        MGPuzzleFrame::HandleBackButton(aId, aCode);
        ConsumeMouseEvent();
        return;
    }
    if (aId.EqualsNoCase(kFolderId)) {
        // The folder button goes with the screen it rebuilds: not from its own click.
        fRebuildPending = true;
        UpdateFrames();
        ConsumeMouseEvent();
        return;
    }
    const int place = PlaceOf(aId);
    if (place < 0 || place >= kPartCount) {
        return;
    }
    EnterLetter(place);
    if (fEntered == kPartCount) {
        CheckPassword();
    }
}

void MGPCDesktopPuzzle::EnterLetter(int aPlace) {
    VoButton* button = fpButtons[aPlace];
    if (fEntered >= kPartCount || !button->GetEnabled()) {
        return;
    }
    if (fpBoxes[fEntered] != nullptr) {
        fpBoxes[fEntered]->SetText(kMask);
    }
    ++fEntered;
    const char16_t letter[2] = {kLetters[aPlace], 0};
    fEntry.Append(letter);
    button->SetEnabled(false);
    button->SetHilighted(true);
}

void MGPCDesktopPuzzle::ClearAttempt() {
    fEntered = 0;
    fEntry = VoString();
    for (int i = 0; i < kPartCount; ++i) {
        if (fpBoxes[i] != nullptr) {
            fpBoxes[i]->SetText(u"");
        }
        if (fpButtons[i] != nullptr) {
            fpButtons[i]->SetEnabled(true);
            fpButtons[i]->SetHilighted(false);
        }
    }
}

void MGPCDesktopPuzzle::CheckPassword() {
    if (!IsPassword(fEntry)) {
        ClearAttempt();
        fVoice.PlaySound(kWrongStream, VoString(kWrongSound), this);
        return;
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    ConsumeMouseEvent();
    const VoString password(kPassword);
    for (int i = 0; i < kPartCount; ++i) {
        if (fpBoxes[i] != nullptr) {
            fpBoxes[i]->SetText(password.SubString(i, 1));
        }
    }
    fSolved = true;
    fFollowUpPlayed = false;
    if (!fVoice.PlaySound(kRightStream, VoString(kRightSound), this)) {
        ShowRoster();
    }
}

void MGPCDesktopPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    if (!fSolved) {
        return;
    }
    if (fFollowUpPlayed) {
        ShowRoster();
        return;
    }
    fFollowUpPlayed = true;
    if (!fVoice.PlayLine(VoString(kFollowUpLine), kVoiceStream, this)) {
        ShowRoster();
    }
}

void MGPCDesktopPuzzle::ShowRoster() {
    if (fpRoot == nullptr || fpRoster != nullptr) {
        return;
    }
    for (VoButton* button : fpButtons) {
        if (button != nullptr) {
            button->SetEnabled(false);
        }
    }
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoDisplayGroup* roster = MGPuzzleFrame::BuildGroup(fpLayout, kRosterPath);
    if (roster == nullptr) {
        return;
    }
    roster->SetBlend(0.0f);
    if (!MGPuzzleFrame::AddMember(fpRoot, roster)) {
        return;
    }
    fpRoster = roster;
    fRosterBlend = 0.0f;
    fLastStep = MGPuzzleFrame::Now();
    UpdateFrames();
}

void MGPCDesktopPuzzle::OnUpdate() {
    if (fRebuildPending) {
        fRebuildPending = false;
        Build();
    }
    StepRoster();
    UpdateFrames();
}

void MGPCDesktopPuzzle::StepRoster() {
    if (fpRoster == nullptr || fRosterBlend >= 1.0f) {
        return;
    }
    const double now = MGPuzzleFrame::Now();
    if (now - fLastStep <= kRosterInterval) {
        return;
    }
    fRosterBlend += kRosterStep;
    if (fRosterBlend >= 1.0f) {
        fRosterBlend = 1.0f;
    }
    fpRoster->SetBlend(fRosterBlend);
    fLastStep = now;
}

void MGPCDesktopPuzzle::UpdateFrames() {
    const bool fading = fpRoster != nullptr && fRosterBlend < 1.0f;
    MGPuzzleFrame::ListenToFrames(this, fRebuildPending || fading, &fInFrames);
}

void MGPCDesktopPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

VoString MGPCDesktopPuzzle::ToString() const {
    return VoDebugString("MGPCDesktopPuzzle", this);
}
