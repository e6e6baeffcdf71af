#include "puzzles/chasephotopuzzle/MGChasePhotoPuzzle.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "platform/VoMouse.h"
#include "util/MGGameReset.h"

namespace {

VoCleanerSingleton<MGChasePhotoPuzzle, MGCleanerHome> gInstance;

}  // namespace

MGChasePhotoPuzzle* MGChasePhotoPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGChasePhotoPuzzle(); });
}

MGChasePhotoPuzzle::MGChasePhotoPuzzle() : fpRoot(nullptr), fProgress(0), fInReset(false) {
    MGGameReset* reset = MGGameReset::GetInstance();
    fInReset = reset != nullptr && reset->AddListener(this);
}

MGChasePhotoPuzzle::~MGChasePhotoPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    if (fInReset) {
        if (MGGameReset* reset = MGGameReset::GetInstance()) {
            reset->RemoveListener(this);
        }
    }
    fVoice.Stop();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGChasePhotoPuzzle::Build() {
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    if (layout == nullptr) {
        VO_ERROR(kLayoutFailure);
        layout = VO_NEW VoPropertyList();
    }
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    if (layout != nullptr && fpRoot != nullptr) {
        MGPuzzleFrame::AddMember(fpRoot,
                                 VoLayoutBuilder::BuildSprite(layout->GetList(VoString(kBackgroundPath))));
        VoDisplayGroup* photos = MGPuzzleFrame::NewGroup(VoString(kButtonsId), kButtonsZ);
        if (photos != nullptr) {
            VoLayoutBuilder::BuildButtons(layout->GetList(VoString(kButtonsPath)), photos, this);
        }
        MGPuzzleFrame::AddMember(fpRoot, photos);
    }
    root.Restore();
    if (layout != nullptr && fpRoot != nullptr) {
        MGPuzzleFrame::AddMember(
            fpRoot, VoLayoutBuilder::BuildButton(layout->GetList(VoString(kBackButtonPath)), this));
    }
    delete layout;
    MGPuzzleFrame::ShowRoot(fpRoot);
}

void MGChasePhotoPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::StartHint(fVoice, kHint, this, kHintStream);
}

void MGChasePhotoPuzzle::OnLeaveEnd() {
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

VoDisplayGroup* MGChasePhotoPuzzle::Photos() const {
    return fpRoot != nullptr ? dynamic_cast<VoDisplayGroup*>(fpRoot->GetMember(VoString(kButtonsId)))
                             : nullptr;
}

void MGChasePhotoPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    if (aId.EqualsNoCase(MGPuzzleFrame::kBackButtonId)) {
        MGPuzzleFrame::HandleBackButton(aId, aCode);
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->ConsumeEvent();
        }
        return;
    }
    Press(aId);
}

void MGChasePhotoPuzzle::Press(const VoString& aId) {
    VoDisplayGroup* photos = Photos();
    VoIDisplayObject* pressed = nullptr;
    if (photos != nullptr && photos->FindMember(aId, pressed)) {
        pressed->SetEnabled(false);
    }
    if (aId.EqualsNoCase(kOrder[fProgress])) {
        if (++fProgress == kPhotoCount) {
            OnSolved();
        }
        return;
    }
    for (const char16_t* id : kOrder) {
        VoIDisplayObject* photo = nullptr;
        if (photos != nullptr && photos->FindMember(VoString(id), photo)) {
            photo->SetEnabled(true);
        }
    }
    fProgress = 0;
}

void MGChasePhotoPuzzle::OnSolved() {
    // Counted from the start again: a later opening asks for the first photo.
    fProgress = 0;
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    // Off the stack and torn down in a later frame, not under the photo's click.
    MGPuzzleFrame::RunOpening(this, kOpening);
}

void MGChasePhotoPuzzle::OnSoundEnd(const VoString&) {
    fVoice.Stop();
}

void MGChasePhotoPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

void MGChasePhotoPuzzle::OnGameReset() {
    fProgress = 0;
}

VoString MGChasePhotoPuzzle::ToString() const {
    return VoDebugString("MGChasePhotoPuzzle", this);
}
