#include "menu/MGOptionsScreen.h"

#include <algorithm>

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "menu/MGMainMenu.h"
#include "menu/MGMenuButton.h"
#include "menu/MGOptionToggle.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGOptionsScreen, MGCleanerHome> gInstance;

const char16_t* const kSkillIds[MGOptionsScreen::kSkillCount] = {u"easy", u"medium", u"hard"};

}  // namespace

MGOptionsScreen* MGOptionsScreen::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGOptionsScreen(); }, kCreationFailure);
}

MGOptionsScreen::MGOptionsScreen()
    : fpSkill{},
      fSkill(MGOptions::kDefaultSkillLevel),
      fpToggles{},
      fpKnob(nullptr),
      fDragging(false),
      fInMouse(false) {}

MGOptionsScreen::~MGOptionsScreen() {
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    fTree.Drop();
    DeleteToggles();
}

MGMenuButton* MGOptionsScreen::GetSkillButton(int aLevel) const {
    return aLevel >= 0 && aLevel < kSkillCount ? fpSkill[aLevel] : nullptr;
}

MGOptionToggle* MGOptionsScreen::GetToggle(int aIndex) const {
    return aIndex >= 0 && aIndex < kToggleCount ? fpToggles[aIndex] : nullptr;
}

void MGOptionsScreen::DeleteToggles() {
    for (MGOptionToggle*& toggle : fpToggles) {
        delete toggle;
        toggle = nullptr;
    }
}

void MGOptionsScreen::OnEnter() {
    Build();
    MGListenToMouse(this, kMouseOrder, true, &fInMouse);
}

void MGOptionsScreen::OnLeaveEnd() {
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    fDragging = false;
    // The tree first: the toggles' buttons go with it.
    fTree.Drop();
    DeleteToggles();
    for (MGMenuButton*& button : fpSkill) {
        button = nullptr;
    }
    fpKnob = nullptr;
}

void MGOptionsScreen::Build() {
    MGTextureRoot root(MGMenuLayout::kTextureRoot);
    fTree.Drop();
    DeleteToggles();
    VoDisplayGroup* tree = fTree.Create(VoString(kRootId));
    VoPropertyList layout;
    if (!layout.Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE("");
    }
    if (tree == nullptr) {
        return;
    }
    MGMenuLayout::AddGroup(&layout, VoString(u"groups.g01-background"), tree);
    MGMenuLayout::AddButtons(&layout, VoString(u"groups.g02-buttons"), VoString(u"options_buttons"), tree,
                             this, {});
    for (MGMenuButton*& button : fpSkill) {
        button = nullptr;
    }
    MGMenuLayout::AddButtons(&layout, VoString(u"groups.g03-skill_buttons"), VoString(u"skill_buttons"), tree,
                             this, [this](MGMenuButton* apButton, int aEntry) {
                                 if (aEntry < kSkillCount) {
                                     fpSkill[aEntry] = apButton;
                                 }
                             });
    MGOptions* options = MGOptions::GetInstance();
    fSkill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    ChooseSkill(fSkill);
    VoPropertyList* toggles = layout.GetList(VoString(u"groups.g04-option_toggles"));
    for (int k = 0; toggles != nullptr && k < kToggleCount && k < toggles->GetCount(); ++k) {
        fpToggles[k] = VO_NEW MGOptionToggle();
        if (fpToggles[k] != nullptr) {
            fpToggles[k]->Load(toggles->GetListAt(k), tree);
            const int option = options != nullptr ? options->GetOption(k) : 0;
            fpToggles[k]->SetValue(option != 0 ? MGOptionToggle::kOff : MGOptionToggle::kOn);
        }
    }
    fpKnob = VoLayoutBuilder::BuildSprite(layout.GetList(VoString(u"groups.g05-audio_slider")));
    if (fpKnob != nullptr && !tree->AddMember(fpKnob, true)) {
        delete fpKnob;
        fpKnob = nullptr;
    }
    if (fpKnob != nullptr) {
        const float volume = options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume;
        fpKnob->SetPosition(KnobX(volume), fpKnob->GetPosition().y);
    }
    fTree.Show();
}

void MGOptionsScreen::ChooseSkill(int aLevel) {
    if (aLevel < 0 || aLevel >= kSkillCount) {
        return;
    }
    fSkill = aLevel;
    for (int i = 0; i < kSkillCount; ++i) {
        if (fpSkill[i] != nullptr) {
            fpSkill[i]->SetHighlighted(i == aLevel);
        }
    }
}

float MGOptionsScreen::KnobVolume() const {
    return fpKnob != nullptr ? VolumeOf(fpKnob->GetPosition().x) : MGOptions::kDefaultVolume;
}

void MGOptionsScreen::Leave() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGIScreen* popped = nullptr;
    if (screens != nullptr) {
        screens->PopFade(&popped);
    }
}

void MGOptionsScreen::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    for (int i = 0; i < kSkillCount; ++i) {
        if (MGMenuLayout::Is(aId, kSkillIds[i])) {
            ChooseSkill(i);
            return;
        }
    }
    if (MGMenuLayout::Is(aId, u"back")) {
        Leave();
    } else if (MGMenuLayout::Is(aId, u"save")) {
        if (MGOptions* options = MGOptions::GetInstance()) {
            options->SetSkillLevel(fSkill);
            for (int k = 0; k < kToggleCount; ++k) {
                options->SetOption(k, fpToggles[k] != nullptr && fpToggles[k]->GetValue() != 0 ? 1 : 0);
            }
            options->SetVolume(KnobVolume());
            options->Save();
        }
        Leave();
    }
}

void MGOptionsScreen::OnButtonDown(int) {
    VoMouse* mouse = VoMouse::GetInstance();
    VoVector2 pointer;
    if (fpKnob != nullptr && mouse != nullptr && fpKnob->HitTest(mouse->GetPosition(pointer))) {
        fDragging = true;
    }
}

void MGOptionsScreen::OnMouseMove(const VoVector2* apPosition) {
    if (!fDragging || fpKnob == nullptr || apPosition == nullptr) {
        return;
    }
    VoVector2 world;
    fpKnob->GetWorldPosition(world);
    fpKnob->SetPosition(std::clamp(apPosition->x, kKnobMinX, kKnobMaxX), world.y);
    MGMainMenu* menu = MGMainMenu::GetInstance();
    if (VoISoundPlayer* theme = menu != nullptr ? menu->GetTheme() : nullptr) {
        theme->SetVolume(KnobVolume());
    }
}

void MGOptionsScreen::OnButtonUp(int) {
    fDragging = false;
}

VoString MGOptionsScreen::ToString() const {
    return VoDebugString("MGOptionsScreen", this);
}
