#include "puzzles/harppuzzle/MGHarpPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSPolygon.h"
#include "gdi/VoSprite.h"
#include "geometry/VoPolygon.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"

namespace {

VoCleanerSingleton<MGHarpPuzzle, MGCleanerHome> gInstance;

constexpr int kColours = 3;
// The string's number: the two characters after "harp".
constexpr int kNumberStart = 4;
constexpr int kNumberLength = 2;

// 1 to 20 from two decimal digits; 0 for anything else.
int StringNumber(const VoString& aId) {
    const VoString digits = aId.SubString(kNumberStart, kNumberLength);
    if (digits.GetLength() != kNumberLength) {
        return 0;
    }
    int number = 0;
    for (int i = 0; i < kNumberLength; ++i) {
        const char16_t c = digits.GetAt(i);
        if (c < u'0' || c > u'9') {
            return 0;
        }
        number = number * 10 + (c - u'0');
    }
    return number >= 1 && number <= MGHarpPuzzle::kStrings ? number : 0;
}

}  // namespace

MGHarpPuzzle* MGHarpPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGHarpPuzzle(); });
}

MGHarpPuzzle::MGHarpPuzzle()
    : fpRoot(nullptr),
      fpButtons(nullptr),
      fpHighlights{},
      fpCurrent(nullptr),
      fpStartIndicator(nullptr),
      fStageLength(1),
      fDemonstrating(false),
      fPosition(-1),
      fStarted(false),
      fFailed(false),
      fHintPlayed(false),
      fHighlightTime(0.0),
      fNoteMissing(false),
      fInFrames(false) {}

MGHarpPuzzle::~MGHarpPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    fVoice.Stop();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGHarpPuzzle::Build() {
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::BuildGroupInto(fpRoot, layout, MGPuzzleFrame::kBackgroundPath);
    BuildHighlights(layout, kYellowPath, kYellow);
    BuildHighlights(layout, kGreenPath, kGreen);
    BuildHighlights(layout, kRedPath, kRed);
    BuildButtons(layout);
    VoSprite* indicator =
        layout != nullptr ? VoLayoutBuilder::BuildSprite(layout->GetList(VoString(kStartPath))) : nullptr;
    if (indicator != nullptr) {
        indicator->SetVisible(false);
        fpStartIndicator = MGPuzzleFrame::AddMember(fpRoot, indicator) ? indicator : nullptr;
    }
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, MGPuzzleFrame::kBackButtonPath, this);
    delete layout;
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGHarpPuzzle::BuildHighlights(VoPropertyList* apLayout, const char16_t* apPath, int aColour) {
    VoPropertyList* list = apLayout != nullptr ? apLayout->GetList(VoString(apPath)) : nullptr;
    if (list == nullptr || list->GetCount() < kStrings) {
        VO_ASSERT_FAILURE("");
    }
    for (int i = 0; list != nullptr && i < kStrings && i < list->GetCount(); ++i) {
        VoDisplayGroup* highlight = VoLayoutBuilder::BuildGroup(list->GetListAt(i), true);
        if (highlight == nullptr) {
            continue;
        }
        highlight->SetVisible(false);
        if (MGPuzzleFrame::AddMember(fpRoot, highlight)) {
            fpHighlights[aColour][i] = highlight;
        }
    }
}

void MGHarpPuzzle::BuildButtons(VoPropertyList* apLayout) {
    fpButtons = MGPuzzleFrame::NewGroup(VoString(kButtonsId), 0.0f);
    VoPropertyList* entries = apLayout != nullptr ? apLayout->GetList(VoString(kPolygonsPath)) : nullptr;
    for (int i = 0; fpButtons != nullptr && entries != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        VoIShape* shape = VoLayoutBuilder::BuildShape(entry);
        VoButton* button = shape != nullptr ? VO_NEW VoButton() : nullptr;
        if (button == nullptr || !button->SetId(entry->GetString(VoString(u"buttonid"), nullptr))) {
            delete button;
            delete shape;
            continue;
        }
        shape->SetStroked(false);
        // The string takes the clicks on its own outline.
        if (auto* outline = dynamic_cast<VoSPolygon*>(shape)) {
            if (VoPolygon* polygon = outline->GetPolygon()) {
                shape->SetBoundary(*polygon);
            }
        }
        button->AddButtonStateObject(XBTNSTATE_NORMAL, shape);
        button->SetMouseOrder(this, 0.0f);
        button->SetActive(true);
        button->SetEnabled(true);
        MGPuzzleFrame::AddMember(fpButtons, button);
    }
    if (!MGPuzzleFrame::AddMember(fpRoot, fpButtons)) {
        fpButtons = nullptr;
    }
}

VoIDisplayObject* MGHarpPuzzle::GetHighlight(int aColour, int aString) const {
    if (aColour < 0 || aColour >= kColours || aString < 1 || aString > kStrings) {
        return nullptr;
    }
    return fpHighlights[aColour][aString - 1];
}

void MGHarpPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(true);
    MGPuzzleFrame::HideMultiCursor();
    fVoice.PlayLine(VoString(kLine), kVoiceStream, this);
}

void MGHarpPuzzle::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
}

void MGHarpPuzzle::OnLeaveEnd() {
    fDemonstrating = false;
    fStarted = false;
    fNoteMissing = false;
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    fpButtons = nullptr;
    fpCurrent = nullptr;
    fpStartIndicator = nullptr;
    for (auto& colour : fpHighlights) {
        for (VoIDisplayObject*& highlight : colour) {
            highlight = nullptr;
        }
    }
    fVoice.Stop();
    MGPuzzleFrame::LeaveScreen(true);
}

void MGHarpPuzzle::SetStringsActive(bool aActive) {
    if (fpButtons != nullptr) {
        fpButtons->SetActive(aActive);
    }
}

void MGHarpPuzzle::ShowHighlight(VoIDisplayObject* apHighlight) {
    HideHighlight();
    fpCurrent = apHighlight;
    if (fpCurrent != nullptr) {
        fpCurrent->SetVisible(true);
    }
    fHighlightTime = MGPuzzleFrame::Now();
    MGPuzzleFrame::ListenToFrames(this, true, &fInFrames);
}

void MGHarpPuzzle::HideHighlight() {
    if (fpCurrent != nullptr) {
        fpCurrent->SetVisible(false);
    }
}

void MGHarpPuzzle::PlayNote(const VoString& aPath, VoIDisplayObject* apHighlight) {
    // A note that does not sound ends with its highlight.
    fNoteMissing = !fVoice.PlaySound(kNoteStream, aPath, this);
    ShowHighlight(apHighlight);
}

void MGHarpPuzzle::PlayMelodyNote() {
    const int string = kMelody[fPosition];
    VoString path(kNoteFolder);
    path.Append(static_cast<std::int32_t>(string));
    path.Append(kNoteExtension);
    PlayNote(path, GetHighlight(kYellow, string));
}

void MGHarpPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        MGPuzzleFrame::PopTopScreen();
        VoMouse::GetInstance()->ConsumeEvent();
        return;
    }
    if (aId.Equals(kStartId)) {
        if (fDemonstrating || fStarted) {
            return;
        }
        if (fpStartIndicator != nullptr) {
            fpStartIndicator->SetVisible(true);
        }
        SetStringsActive(false);
        fStageLength = 1;
        fPosition = 0;
        fDemonstrating = true;
        PlayMelodyNote();
        return;
    }
    if (aId.SubString(0, kNumberStart).Equals(kStringPrefix)) {
        PluckString(aId);
    }
}

void MGHarpPuzzle::PluckString(const VoString& aId) {
    // The stage's last note plucked: nothing more until it has sounded.
    if (fDemonstrating || !fStarted || fFailed || fPosition == fStageLength - 1) {
        return;
    }
    ++fPosition;
    const int string = StringNumber(aId);
    VoString path(kNoteFolder);
    path.Append(aId.SubString(kNumberStart, kNumberLength));
    path.Append(kNoteExtension);
    const bool right = string == kMelody[fPosition];
    if (!right) {
        fFailed = true;
    }
    PlayNote(path, GetHighlight(right ? kGreen : kRed, string));
}

void MGHarpPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
    OnNoteEnd();
}

void MGHarpPuzzle::OnNoteEnd() {
    fNoteMissing = false;
    if (fDemonstrating) {
        HideHighlight();
        if (fPosition == 0 && !fHintPlayed) {
            fHintPlayed = true;
            if (MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy) {
                fVoice.PlayLine(VoString(kHint), kVoiceStream, this);
            }
        }
        ++fPosition;
        if (fPosition >= fStageLength) {
            SetStringsActive(true);
            fDemonstrating = false;
            fStarted = true;
            fFailed = false;
            fPosition = -1;
        } else {
            PlayMelodyNote();
        }
        return;
    }
    if (!fStarted) {
        return;
    }
    HideHighlight();
    SetStringsActive(true);
    if (fFailed) {
        if (fpStartIndicator != nullptr) {
            fpStartIndicator->SetVisible(false);
        }
        fStarted = false;
        fDemonstrating = false;
        return;
    }
    if (fPosition < fStageLength - 1) {
        return;
    }
    if (fStageLength == kMelodyLength) {
        OnSolved();
        return;
    }
    SetStringsActive(false);
    ++fStageLength;
    fPosition = 0;
    fDemonstrating = true;
    PlayMelodyNote();
}

void MGHarpPuzzle::OnSolved() {
    if (fpStartIndicator != nullptr) {
        fpStartIndicator->SetVisible(false);
    }
    fStarted = false;
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    // Nothing reaches the harp until the movie takes it away.
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    MGPuzzleFrame::RunOpening(this, kOpening);
}

void MGHarpPuzzle::OnUpdate() {
    if (MGPuzzleFrame::Now() - fHighlightTime <= kHighlightTime) {
        return;
    }
    MGPuzzleFrame::ListenToFrames(this, false, &fInFrames);
    HideHighlight();
    if (fNoteMissing) {
        OnNoteEnd();
    }
}

void MGHarpPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

VoString MGHarpPuzzle::ToString() const {
    return VoDebugString("MGHarpPuzzle", this);
}
