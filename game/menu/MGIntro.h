#pragma once
// The first screen of the game: the maker's logo movie, full screen, then
// the main menu as the only screen. The application's Init pushes it first,
// with a fade.
//
// The movie "intro" ("//dataroot/movies/Quorvel_Logo.bik") plays at relative
// z 1000 and the options' volume, under the empty cursor. The intro holds
// the mouse lock meanwhile: moves still reach the engine cursor, clicks
// reach nothing. Half a second after the start the space bar (its release,
// scan code 57) skips the movie: it pauses, and the next frame ends the
// intro. At the movie's end or the skip the movie goes, the lock is
// released, and the screen stack is emptied for the main menu, pushed with
// a fade. Without the movie the main menu comes at once. When the screen
// stack is still fading and would refuse the push, the switch waits for the
// first frame in which it is idle; it happens once, whatever ends the
// intro. A screen pushed over the intro, or put in its place, ends it too,
// without the menu: the movie, drawn straight to the screen, and the mouse
// lock would otherwise keep that screen from being seen or used.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "movie/VoIMovieListener.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoIMouseListener.h"
#include "stdlib/VoIFrameListener.h"

class VoIMoviePlayer;

class MGIntro : public VoBase,
                public MGIScreen,
                public VoIMovieListener,
                public VoIKeyboardListener,
                public VoIFrameListener,
                public VoIMouseListener {
public:
    static constexpr const char* kCreationFailure = "MGIntro creation failure.";
    static constexpr const char16_t* kMovieName = u"intro";
    static constexpr const char16_t* kMovieFile = u"//dataroot/movies/Quorvel_Logo.bik";
    static constexpr float kMovieZ = 1000.0f;
    static constexpr double kKeyDelay = 0.5;
    static constexpr int kSpace = 57;
    static constexpr float kOrder = 0.0f;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGIntro* GetInstance();

    MGIntro();
    MGIntro(const MGIntro&) = delete;
    MGIntro& operator=(const MGIntro&) = delete;
    // Leaves the frames, the mouse and the keyboard; deletes the movie.
    ~MGIntro() override;

    // Both stop the movie and let go of the mouse, the keys and the frames
    // (a screen replacing the intro calls only the second).
    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    // Starts the movie, or goes to the main menu without one.
    void OnEnter() override;

    void OnMovieEnd(VoString aName) override;
    void OnKeyDown(int) override {}
    void OnKeyUp(int aKey) override;
    void OnUpdate() override;
    // Moves go on to the engine cursor; nothing else reaches anyone.
    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}

    VoIMoviePlayer* GetMovie() const { return fpMovie; }
    bool IsSkipped() const { return fSkipped; }

    VoString ToString() const override;

private:
    // Deletes the movie, releases the lock and stops listening.
    void StopMovie();
    // Empties the stack and pushes the main menu, now or in the first frame
    // in which the stack is idle.
    void ShowMainMenu();
    static double Now();

    double fKeyTime;  // when the space bar starts to count; -1 once it does
    bool fSkipped;
    VoIMoviePlayer* fpMovie;  // owned; a member of the display root while shown
    bool fMovieInRoot;
    bool fMenuDue;     // the main menu waits for an idle stack
    bool fLocked;      // holds the mouse lock
    bool fInKeyboard;  // registered with the engine keyboard
    bool fInFrames;    // registered with the frame manager
};
