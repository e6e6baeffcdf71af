#include "puzzles/velmire/MGVelmirePuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoKeyboard.h"
#include "platform/VoMouse.h"
#include "puzzles/MGPuzzleFrame.h"
#include "state/VoStateManager.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"

namespace {

VoCleanerSingleton<MGVelmirePuzzle, MGCleanerHome> gInstance;

// A sprite of the layout node at aPath, added to the group; false when
// either fails.
VoSprite* AddSprite(VoDisplayGroup* apGroup, VoPropertyList* apNode) {
    VoSprite* sprite = apNode != nullptr ? VoLayoutBuilder::BuildSprite(apNode) : nullptr;
    return MGPuzzleFrame::AddMember(apGroup, sprite) ? sprite : nullptr;
}

// The field a button's id names ("0" to "7"), or -1.
int FieldOf(const VoString& aId) {
    if (aId.GetLength() != 1) {
        return MGVelmirePuzzle::kNone;
    }
    const int field = aId.GetAt(0) - u'0';
    return field >= 0 && field < MGVelmirePuzzle::kFieldCount ? field : MGVelmirePuzzle::kNone;
}

}  // namespace

MGVelmirePuzzle* MGVelmirePuzzle::GetInstance() {
    if (MGVelmirePuzzle* puzzle = gInstance.Peek()) {
        return puzzle;
    }
    MGVelmirePuzzle* puzzle = gInstance.Get([] { return VO_NEW MGVelmirePuzzle(); }, nullptr);
    if (puzzle != nullptr) {
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->AddListener(puzzle, 0.0f);
        }
    }
    return puzzle;
}

MGVelmirePuzzle::MGVelmirePuzzle()
    : fpRoot(nullptr),
      fpCarets{},
      fpFields{},
      fSelected(kNone),
      fSolved(false),
      fInKeyboard(false),
      fInReset(false) {
    MGGameReset* reset = MGGameReset::GetInstance();
    fInReset = reset != nullptr && reset->AddListener(this);
}

MGVelmirePuzzle::~MGVelmirePuzzle() {
    MGPuzzleFrame::Forget(this, this);
    if (fInReset) {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
    fVoice.Stop();
    Close();
}

void MGVelmirePuzzle::OnEnter() {
    if (fpRoot != nullptr) {
        return;
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    {
        MGPuzzleFrame::TextureRoot computer(kComputerFolder);
        AddSprite(fpRoot, layout != nullptr ? layout->GetList(VoString(kBackgroundPath)) : nullptr);
    }
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    const bool easy = MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy;
    AddSprite(fpRoot, layout != nullptr ? layout->GetList(VoString(easy ? kEasyPath : kHardPath)) : nullptr);
    VoMouse* mouse = VoMouse::GetInstance();
    if (mouse != nullptr) {
        mouse->Lock(this);
    }
    BuildFields(layout);
    fSelected = kNone;
    root.Restore();
    VoButton* back = layout != nullptr
                         ? VoLayoutBuilder::BuildButton(layout->GetList(VoString(kBackButtonPath)), this)
                         : nullptr;
    if (back != nullptr && mouse != nullptr) {
        mouse->AddLock(back);
    }
    MGPuzzleFrame::AddMember(fpRoot, back);
    MGPuzzleFrame::ShowRoot(fpRoot);
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    fInKeyboard = keyboard != nullptr && keyboard->AddListener(this, kKeyboardOrder);
    PlayOpeningLine();
    delete layout;
}

void MGVelmirePuzzle::BuildFields(VoPropertyList* apLayout) {
    VoPropertyList* button = apLayout != nullptr ? apLayout->GetList(VoString(kButtonPath)) : nullptr;
    VoPropertyList* fields = apLayout != nullptr ? apLayout->GetList(VoString(kFieldsPath)) : nullptr;
    VoMouse* mouse = VoMouse::GetInstance();
    for (int i = 0; fields != nullptr && i < kFieldCount && i < fields->GetCount(); ++i) {
        VoPropertyList* entry = fields->GetListAt(i);
        if (VoSprite* caret = entry != nullptr ? VoLayoutBuilder::BuildSprite(entry) : nullptr) {
            caret->SetVisible(false);
            fpCarets[i] = MGPuzzleFrame::AddMember(fpRoot, caret) ? caret : nullptr;
        }
        bool found = false;
        const VoVectorFloat position =
            entry != nullptr ? entry->GetVectorFloat(VoString(u"position"), &found) : VoVectorFloat();
        const float x = position.GetCount() > 0 ? position.GetAt(0) : 0.0f;
        const float y = position.GetCount() > 1 ? position.GetAt(1) : 0.0f;

        VoTextArea* field = VO_NEW VoTextArea();
        if (field != nullptr && field->SetId(VoString(kFieldPrefix) + i)) {
            field->Create(VoString(kFieldFont));
            field->SetWidth(kFieldWidth);
            field->SetHeight(kFieldHeight);
            field->SetRelativeZ(kFieldZ);
            field->SetPosition(x + kFieldX, y + kFieldY);
            field->SetText(u"");
            fpFields[i] = MGPuzzleFrame::AddMember(fpRoot, field) ? field : nullptr;
        } else {
            delete field;
        }

        VoButton* key = button != nullptr ? VoLayoutBuilder::BuildButton(button, this) : nullptr;
        if (key == nullptr || !key->SetId(VoString(u"") + i)) {
            delete key;
            continue;
        }
        key->SetPosition(x, y);
        if (mouse != nullptr) {
            mouse->AddLock(key);
        }
        MGPuzzleFrame::AddMember(fpRoot, key);
    }
}

void MGVelmirePuzzle::PlayOpeningLine() {
    if (MGPuzzleFrame::TakeFirstView(kOpeningEvent)) {
        fVoice.PlayLine(VoString(kOpeningLine), kVoiceStream, this, kSubtitleFont, true);
    } else if (MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy &&
               MGPuzzleFrame::TakeFirstView(kSecondEvent)) {
        fVoice.PlayLine(VoString(kSecondLine), kHintStream, this, kSubtitleFont, true);
    }
}

VoTextArea* MGVelmirePuzzle::GetField(int aIndex) const {
    return aIndex >= 0 && aIndex < kFieldCount ? fpFields[aIndex] : nullptr;
}

VoIDisplayObject* MGVelmirePuzzle::GetCaret(int aIndex) const {
    return aIndex >= 0 && aIndex < kFieldCount ? fpCarets[aIndex] : nullptr;
}

void MGVelmirePuzzle::Select(int aField) {
    if (VoIDisplayObject* caret = GetCaret(fSelected)) {
        caret->SetVisible(false);
    }
    fSelected = aField;
    if (VoIDisplayObject* caret = GetCaret(fSelected)) {
        caret->SetVisible(true);
    }
}

void MGVelmirePuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        // The button that called is gone after this: aId with it.
        Close();
        return;
    }
    VoMouse::GetInstance()->ConsumeEvent();
    const int field = FieldOf(aId);
    if (field != kNone) {
        Select(field);
    }
}

void MGVelmirePuzzle::OnKeyDown(int aKey) {
    VoKeyboard* keyboard = VoKeyboard::GetInstance();
    if (fSelected == kNone || keyboard == nullptr) {
        return;
    }
    const char typed = keyboard->ScanCodeToChar(aKey);
    if (!((typed >= 'a' && typed <= 'z') || (typed >= 'A' && typed <= 'Z'))) {
        return;
    }
    const char16_t letter[] = {static_cast<char16_t>(typed >= 'a' ? typed - 'a' + 'A' : typed), u'\0'};
    if (VoTextArea* field = GetField(fSelected)) {
        field->SetText(letter);
    }
    Select(fSelected + 1 < kFieldCount ? fSelected + 1 : kNone);
    CheckEntry();
}

void MGVelmirePuzzle::CheckEntry() {
    VoString entry(u"");
    for (VoTextArea* field : fpFields) {
        if (field != nullptr) {
            entry.Append(field->GetText());
        }
    }
    if (!entry.Equals(kName)) {
        return;
    }
    fSolved = true;
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    MGPDA* pda = MGPDA::GetInstance();
    if (MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr) {
        inventory->AddItem(VoString(kItem));
    }
    if (!fVoice.PlayLine(VoString(kSolvedLine), kSolvedStream, this, kSubtitleFont, false)) {
        Close();
    }
}

void MGVelmirePuzzle::OnSoundEnd(const VoString& aName) {
    fVoice.Stop();
    if (fSolved) {
        Close();
        return;
    }
    if (aName.EqualsNoCase(kVoiceStream) && MGPuzzleFrame::GetSkillLevel() == MGPuzzleFrame::kEasy) {
        fVoice.PlayLine(VoString(kHint), kHintStream, this, kSubtitleFont, false);
    }
}

void MGVelmirePuzzle::OnMouseMove(const VoVector2* apPosition) {
    // The lock keeps the engine cursor from hearing the mouse itself.
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(apPosition);
    }
}

void MGVelmirePuzzle::Close() {
    // A form that is not open holds no lock: another's must not end here.
    if (fpRoot == nullptr) {
        return;
    }
    OnLeaveEnd();
    if (VoMouse* mouse = VoMouse::GetInstance()) {
        mouse->Unlock(nullptr);
    }
}

void MGVelmirePuzzle::OnLeaveEnd() {
    if (fInKeyboard) {
        if (VoKeyboard* keyboard = VoKeyboard::GetInstance()) {
            keyboard->RemoveListener(this);
        }
        fInKeyboard = false;
    }
    MGPuzzleFrame::DeleteRoot(&fpRoot);
    for (int i = 0; i < kFieldCount; ++i) {
        fpCarets[i] = nullptr;
        fpFields[i] = nullptr;
    }
    fSelected = kNone;
}

void MGVelmirePuzzle::OnStateChanged(VoIState* apState) {
    if (!MGPuzzleFrame::IsState(apState, kActivationState)) {
        return;
    }
    if (MGPuzzleFrame::IsTrue(apState)) {
        OnEnter();
    } else {
        // The overlay closes itself; the screens beneath stay as they are.
        Close();
    }
}

void MGVelmirePuzzle::OnGameReset() {
    fSolved = false;
}

VoString MGVelmirePuzzle::ToString() const {
    return VoDebugString("MGVelmirePuzzle", this);
}
