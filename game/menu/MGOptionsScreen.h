#pragma once
// The options screen: the skill level (three highlighted buttons), six
// on/off options (MGOptionToggle) and the music volume (a knob dragged
// along a track, which sets the main menu's theme volume while it moves).
// "save" stores all of it in the options file and leaves; "back" leaves and
// stores nothing.
//
// From "//textures/menu/options_screen_layout.txt" (textures under
// "//textures/menu"), the group "optionsscreen_layout": the built group
// "groups.g01-background"; "options_buttons" (relative z 10) with the menu
// buttons of "groups.g02-buttons" ("back", "save"); "skill_buttons"
// (relative z 10) with those of "groups.g03-skill_buttons" (easy, medium,
// hard in order); the toggles of "groups.g04-option_toggles" (option 0 to
// 5 in order); the knob sprite "groups.g05-audio_slider". The knob's x runs
// from 340 (volume 0) to 655 (volume 1).
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "menu/MGMenuLayout.h"
#include "platform/VoIMouseListener.h"

class MGMenuButton;
class MGOptionToggle;
class VoSprite;

class MGOptionsScreen : public VoBase, public MGIScreen, public VoIButtonListener, public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "MGOptionsScreen creation failure.";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/options_screen_layout.txt";
    static constexpr const char16_t* kRootId = u"optionsscreen_layout";
    static constexpr int kSkillCount = 3;
    static constexpr int kToggleCount = 6;
    static constexpr float kKnobMinX = 340.0f;
    static constexpr float kKnobMaxX = 655.0f;
    static constexpr float kKnobRange = 315.0f;
    static constexpr float kMouseOrder = 0.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGOptionsScreen* GetInstance();
    // The knob's x for a volume, and the volume of an x.
    static float KnobX(float aVolume) { return aVolume * kKnobRange + kKnobMinX; }
    static float VolumeOf(float aX) { return (aX - kKnobMinX) * (1.0f / kKnobRange); }

    MGOptionsScreen();
    MGOptionsScreen(const MGOptionsScreen&) = delete;
    MGOptionsScreen& operator=(const MGOptionsScreen&) = delete;
    // Leaves the mouse; deletes the screen and the toggles.
    ~MGOptionsScreen() override;

    void OnLeaveBegin() override {}
    // Leaves the mouse; deletes the screen and the toggles.
    void OnLeaveEnd() override;
    // Builds the screen from the options record and listens to the mouse.
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    // The knob: a press on it starts a drag, moves drag it, a release ends it.
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

    int GetChosenSkill() const { return fSkill; }
    MGMenuButton* GetSkillButton(int aLevel) const;
    MGOptionToggle* GetToggle(int aIndex) const;
    VoSprite* GetKnob() const { return fpKnob; }
    bool IsDragging() const { return fDragging; }
    VoDisplayGroup* GetRoot() const { return fTree.Get(); }

    VoString ToString() const override;

private:
    void Build();
    void ChooseSkill(int aLevel);
    void DeleteToggles();
    float KnobVolume() const;
    static void Leave();

    MGScreenTree fTree;
    MGMenuButton* fpSkill[kSkillCount];  // owned by the tree
    int fSkill;
    MGOptionToggle* fpToggles[kToggleCount];  // owned
    VoSprite* fpKnob;                         // owned by the tree
    bool fDragging;
    bool fInMouse;  // registered with the engine mouse
};
