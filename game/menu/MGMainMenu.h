#pragma once
// The front screen of the game: new game, resume, load, save, options,
// credits and quit, over the looping theme music. It is pushed with a fade
// whenever the boolean state "sta_mainmenu_active" becomes true, and the
// intro, the other menu screens and the load screen's cancel reach it
// through the screen stack.
//
// The screen, from "//textures/menu/main_menu_layout.txt" (textures under
// "//textures/menu"): the group "mainmenu_layout" with the built group
// "main_menu.g01-background" and the group "mainmenu_buttons" (relative z
// 10) of menu buttons from "main_menu.g02-buttons". "save_game" is disabled
// while no case is chosen ("sta_selectedcase" missing or below 1),
// "resume_game" while no game lies below the menu on the stack. The theme
// "theme" ("//sounds/theme.ogg") loops at the options' volume from the first
// entry until a game starts, resumes, loads or quits, or the credits open.
//
// Buttons (clicks, ids ignoring case): "quit" asks "Do you really want to
// quit?" (yes ends the game); "options", "load_game", "save_game" and
// "credits" push their screens; "resume_game" uncovers the game below;
// "new_game" fades out and starts a new game behind the fade: the clocks,
// states, events, inventory and phone start afresh, the objects registered
// with MGGameReset forget their progress, and the opening cut scene plays on
// its way to the scene "precinct". A click that would change screens while
// the screen stack is still fading is ignored, so the next click can try
// again.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "menu/MGMenuLayout.h"
#include "platform/VoIKeyboardListener.h"
#include "state/VoIStateListener.h"
#include "ui/MGIMessageBoxListener.h"

class VoISoundPlayer;

class MGMainMenu : public MGIScreen,
                   public VoBase,
                   public VoIButtonListener,
                   public MGIScreenFaderListener,
                   public VoIStateListener,
                   public VoIKeyboardListener,
                   public MGIMessageBoxListener {
public:
    static constexpr const char* kCreationFailure = "MGMainMenu creation failure.";
    static constexpr const char16_t* kLayoutFile = u"//textures/menu/main_menu_layout.txt";
    static constexpr const char16_t* kRootId = u"mainmenu_layout";
    static constexpr const char16_t* kBackground = u"main_menu.g01-background";
    static constexpr const char16_t* kButtons = u"main_menu.g02-buttons";
    static constexpr const char16_t* kButtonsId = u"mainmenu_buttons";
    static constexpr const char16_t* kThemeName = u"theme";
    static constexpr const char16_t* kThemeFile = u"//sounds/theme.ogg";
    static constexpr const char16_t* kActiveState = u"sta_mainmenu_active";
    static constexpr const char16_t* kCaseState = u"sta_selectedcase";
    static constexpr const char16_t* kSkillState = u"sta_currentskillsetting";
    static constexpr const char16_t* kQuitId = u"quit";
    static constexpr const char16_t* kQuitText = u"Do you really want to quit?";
    static constexpr const char16_t* kNewGameScene = u"precinct";
    static constexpr const char16_t* kNewGameMovie = u"000_all.bik";
    static constexpr float kQuitPointerX = 900.0f;
    static constexpr float kQuitPointerY = 0.0f;
    static constexpr int kCursorHand = 1;
    static constexpr int kClockCount = 4;

    static constexpr int kNewGame = 0;
    static constexpr int kResume = 1;
    static constexpr int kLoad = 2;
    static constexpr int kSave = 3;

    // Created on first use (with the key input), listening to the states,
    // owned by the game's cleaner; null when it cannot be created.
    static MGMainMenu* GetInstance();
    // "easy", "medium" or "hard" for the skill levels 0 to 2, "" otherwise.
    static VoString SkillName(int aLevel);
    // "sta_currentskillsetting" set (made when missing, listeners told) from
    // the options' skill level; a level outside 0 to 2 sets nothing.
    static void StoreSkillSetting();

    MGMainMenu();
    MGMainMenu(const MGMainMenu&) = delete;
    MGMainMenu& operator=(const MGMainMenu&) = delete;
    // Leaves the states, the keyboard and the fader; stops the theme and
    // deletes the screen.
    ~MGMainMenu() override;

    // Deletes the theme player.
    void StopTheme();
    VoISoundPlayer* GetTheme() const { return fpTheme; }
    int GetLastAction() const { return fLastAction; }
    VoDisplayGroup* GetRoot() const { return fTree.Get(); }

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    // The fade before a new game has finished.
    void OnFadeEvent(int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnKeyDown(int) override {}
    void OnKeyUp(int) override {}
    void OnMessageBoxResult(const VoString& aId, int aCode) override;

    VoString ToString() const override;

private:
    void Build();
    void PlayTheme();
    // Starts the new game: clocks, states, events, inventory, phone, the
    // notice, and the opening cut scene.
    void StartNewGame();
    // Pushes the screen with a fade; false when the stack refuses.
    static bool Push(MGIScreen* apScreen);
    static bool IsStackBusy();

    VoISoundPlayer* fpTheme;  // owned; null when no music plays
    int fLastAction;
    MGScreenTree fTree;
    bool fStarting;    // a new game waits for its fade
    bool fInKeyboard;  // registered with the engine keyboard
    bool fInStates;    // registered with the state manager
};
