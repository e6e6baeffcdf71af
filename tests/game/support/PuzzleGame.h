#pragma once
// A game for the puzzle tests: a MediaGame (the stub sound and movie
// managers of MediaStubs.h), the sample data tree mounted, the fonts made, options
// at medium skill with subtitles on and full volume, and a base screen
// "scene" at the bottom of the screen stack for a puzzle to be pushed over
// and popped back to. Time runs on the test's clock, one frame at a time:
//
//     PuzzleGame game;
//     game.Open(u"sta_cigarbandpuzzle_active");   // the state, then the fades
//     game.Click(120, 140);
//     game.Frame();
#include "MGScreenManager.h"
#include "container/VoString.h"
#include "game/ScreenProbes.h"
#include "game/support/MediaStubs.h"

class VoDisplayGroup;
class VoIDisplayObject;

class PuzzleGame : public MediaGame {
public:
    static constexpr double kFrameTime = 0.02;
    // A fade takes 0.3 s each way: settling runs at least this long, and
    // gives up after kSettleLimit.
    static constexpr double kSettleTime = 0.7;
    static constexpr double kSettleLimit = 3.0;

    PuzzleGame();
    ~PuzzleGame();

    // Moves the clock on by aSeconds, then runs the frame listeners once.
    void Frame(double aSeconds = kFrameTime);
    void Frames(int aCount, double aSeconds = kFrameTime);
    // Frames until the fades have ended and the screen manager is idle.
    void Settle();
    double Now() const { return fNow; }

    // Sets the boolean state with notification, creating it when missing.
    static void SetState(const char16_t* apId, bool aValue);
    // The activation state set true, then the fades settled.
    void Open(const char16_t* apActivationState);
    static void SetSkill(int aLevel);

    // Mouse input through the engine mouse, button 1 unless given.
    static void MoveTo(float aX, float aY);
    static void Press(float aX, float aY, int aButton = 1);
    static void Release(int aButton = 1);
    static void Click(float aX, float aY);
    // The centre of a display object on the screen (its world boundary's
    // bounding box; a button's look at rest); (-1, -1) when it has none.
    static void CentreOf(VoIDisplayObject* apObject, float* apX, float* apY);
    // Clicks the centre of the member at that path of the group.
    static bool ClickMember(VoDisplayGroup* apGroup, const char16_t* apPath);

    static MGScreenManager* Screens() { return MGScreenManager::GetInstance(); }
    static MGIScreen* Top() { return Screens()->GetTopScreen(); }
    // The newest live sound of that name (the stub's), or null.
    static stubs::SoundPlayer* Sound(const char* apName) { return stubs::SoundPlayer::Find(apName); }
    // Ends the newest live sound of that name; false when there is none.
    static bool EndSound(const char* apName);
    static int LiveSounds() { return static_cast<int>(stubs::Live<stubs::SoundPlayer>().size()); }
    // Every sound asked for, as name + " " + path.
    static const std::vector<std::string>& SoundsAsked() { return stubs::SoundsAsked(); }
    // Whether the event was added (ignoring case).
    static bool HasEvent(const char16_t* apId);

    ScreenJournal fJournal;
    RecordingScreen fScene{"scene", &fJournal};

private:
    double fNow = 0.0;
};
