#include "puzzles/pobox/MGPOBoxPuzzle.h"

#include <cstdlib>
#include <ctime>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "puzzles/pobox/MGPOBoxDial.h"

namespace {

VoCleanerSingleton<MGPOBoxPuzzle, MGCleanerHome> gInstance;

}  // namespace

bool MGPOBoxPuzzle::IsRightDigit(int aDial, int aDigit) {
    switch (aDial) {
        case 0:
            return aDigit == kFirstDigit;
        case 1:
        case 2:
            return aDigit == kPair[0] || aDigit == kPair[1];
        case 3:
            return aDigit == kLastDigit;
        default:
            return false;
    }
}

bool MGPOBoxPuzzle::Opens(const int* apDigits) {
    return apDigits[0] == kFirstDigit && apDigits[3] == kLastDigit &&
           ((apDigits[1] == kPair[0] && apDigits[2] == kPair[1]) ||
            (apDigits[1] == kPair[1] && apDigits[2] == kPair[0]));
}

MGPOBoxPuzzle* MGPOBoxPuzzle::GetInstance() {
    return MGPuzzleFrame::GetInstance(gInstance, [] { return VO_NEW MGPOBoxPuzzle(); });
}

MGPOBoxPuzzle::MGPOBoxPuzzle() : fpRoot(nullptr), fpDials{}, fSolved(false) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MGPOBoxPuzzle::~MGPOBoxPuzzle() {
    MGPuzzleFrame::Forget(this, this);
    DeleteDials();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

MGPOBoxDial* MGPOBoxPuzzle::GetDial(int aIndex) const {
    return aIndex >= 0 && aIndex < kDialCount ? fpDials[aIndex] : nullptr;
}

void MGPOBoxPuzzle::Build() {
    fSolved = false;
    MGPuzzleFrame::TextureRoot root(kTextureFolder);
    VoPropertyList* layout = MGPuzzleFrame::LoadLayout(kLayoutFile);
    fpRoot = MGPuzzleFrame::NewGroup(VoString(kRootId), 0.0f);
    MGPuzzleFrame::AddMember(
        fpRoot, layout != nullptr ? VoLayoutBuilder::BuildSprite(layout->GetList(VoString(kBackgroundPath)))
                                  : nullptr);
    VoPropertyList* entries = layout != nullptr ? layout->GetList(VoString(kDialsPath)) : nullptr;
    int built = 0;
    for (int i = 0; fpRoot != nullptr && entries != nullptr && i < kDialCount && i < entries->GetCount();
         ++i) {
        MGPOBoxDial* dial = VO_NEW MGPOBoxDial();
        if (dial == nullptr || !dial->Create(entries->GetListAt(i), this)) {
            delete dial;
            continue;
        }
        int digit = std::rand() % MGPOBoxDial::kDigits;
        while (IsRightDigit(i, digit)) {
            digit = std::rand() % MGPOBoxDial::kDigits;
        }
        dial->SetDigit(digit);
        VoDisplayGroup* group = dial->GetGroup();
        if (!fpRoot->AddMember(group, true)) {
            // The dial leaves its button before it goes with the group.
            delete dial;
            delete group;
            continue;
        }
        fpDials[i] = dial;
        ++built;
    }
    if (built < kDialCount) {
        VO_ASSERT_FAILURE(kTooFewDials);
    }
    root.Restore();
    MGPuzzleFrame::AddBackButton(fpRoot, layout, kBackButtonPath, this);
    MGPuzzleFrame::ShowRoot(fpRoot);
    delete layout;
}

void MGPOBoxPuzzle::CheckCombination() {
    int digits[kDialCount];
    for (int i = 0; i < kDialCount; ++i) {
        if (fpDials[i] == nullptr) {
            return;
        }
        digits[i] = fpDials[i]->GetDigit();
    }
    if (fSolved || !Opens(digits)) {
        return;
    }
    fSolved = true;
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kSolvedEvent), true);
    }
    MGPuzzleFrame::RunOpening(this, kOpening);
}

void MGPOBoxPuzzle::OnEnter() {
    Build();
    MGPuzzleFrame::EnterScreen(false);
}

void MGPOBoxPuzzle::OnLeaveEnd() {
    DeleteDials();
    MGPuzzleFrame::DeleteRoot(&fpRoot);
}

void MGPOBoxPuzzle::DeleteDials() {
    for (MGPOBoxDial*& dial : fpDials) {
        delete dial;
        dial = nullptr;
    }
}

void MGPOBoxPuzzle::OnButtonEvent(const VoString& aId, int aCode) {
    MGPuzzleFrame::HandleBackButton(aId, aCode);
}

void MGPOBoxPuzzle::OnStateChanged(VoIState* apState) {
    MGPuzzleFrame::OpenOrClose(apState, kActivationState, this);
}

VoString MGPOBoxPuzzle::ToString() const {
    return VoDebugString("MGPOBoxPuzzle", this);
}
