#pragma once
// The steps that the eighteen puzzle screens share. There is no base class:
// each puzzle is a singleton screen (MGIScreen) with the listener interfaces
// it needs, and calls these helpers where its own description follows the
// common pattern, so each puzzle's code reads in the order of its steps.
//
// Creation (GetInstance): the singleton is made once, registered with the
// game's cleaner and as a state listener at order 0.0; a failed allocation
// logs an assertion line with an empty text. The destructor calls Forget.
//
// Opening and closing:
//   - IsState tells the puzzle's activation state ("sta_" + word +
//     "_active", compared case-sensitively) from any other state.
//   - Open (the state turned true) sets the current scene's keep-audio flag
//     and pushes the puzzle with a fade; nothing happens while the puzzle is
//     on the stack already or while a fade runs (no retry).
//   - CloseWithFade (the state turned false, in the puzzles that close by it)
//     pops the puzzle with a fade when it is the top screen; while a fade
//     runs the closer (MGPuzzleCloser) tries again in the next frames.
//   - HandleBackButton: a click (code 4) on "back_btn", in any case, pops the
//     top screen with a fade.
//
// Entering (the puzzle's OnEnter and its Build), in this order:
//     TextureRoot root(folder);          // texture names resolve in the puzzle's folder
//     layout = LoadLayout(path);         // the layout file, null when it does not load
//     root group, built from the layout  // NewGroup / BuildGroup / BuildGroupInto
//     the puzzle's pieces and controls
//     root.Restore();
//     AddBackButton(root group, layout, "groups.g02-backbutton", this);
//     ShowRoot(root group);              // into the display manager
//     ListenToMouse(this, true, &flag);  // where the puzzle takes clicks itself
//     EnterScreen(true);                 // the hand cursor, the PDA bar hidden
//     StartHint(voice, hint, this);      // the first-view voice-over
// Leaving: OnLeaveBegin disables the root group where the puzzle takes
// input; OnLeaveEnd takes its Part's steps: ListenToMouse(this, false, ..),
// voice.Stop(), the pieces deleted, DeleteRoot, the layout deleted,
// LeaveScreen(true) (cursor reset, PDA bar shown).
//
// The hint (StartHint): the first time the puzzle is seen in a game (its
// first-view event not yet added; the event is then added, notifying), the
// hint line plays on easy and the comment line on medium and hard, as the
// stream "hintAudio" with its subtitle (MGPuzzleVoice). The puzzle's
// OnSoundEnd then calls voice.Stop(), which hides the subtitle and deletes
// the stream.
//
// A solution: the puzzle adds its solved event itself; a puzzle that opens
// something in the scene then calls RunOpening, which stops the scene's
// audio, gives the cut-scene player the target scene and viewpoint and the
// close-up state ("sta_cu_" + id + "_visible", "boolean", "true"), and asks
// the closer to take the puzzle off the stack without a fade, run its
// OnLeaveEnd and play the movie, in a later frame, so nothing is deleted
// while a method of the object that found the solution runs. Disable the
// root group first so that no input reaches the puzzle meanwhile.
//
// Piece puzzles keep their pieces in pick order: PieceZ gives the starting
// relative z of each new piece (500.0, then 5.0 lower each), RaisePicked
// moves a picked piece to the front above all others.
#include "container/VoLogSite.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoCleaner.h"
#include "util/MGCleaner.h"

class MGIScreen;
class MGPuzzleVoice;
class VoDisplayGroup;
class VoIButtonListener;
class VoIDisplayObject;
class VoIFrameListener;
class VoIMouseListener;
class VoISoundListener;
class VoIState;
class VoPropertyList;
class VoVector2;

// The first-view voice-over of a puzzle.
struct MGPuzzleHint {
    const char16_t* fpFirstViewEvent;  // added the first time the puzzle is seen
    const char16_t* fpHint;            // the line played on easy ("hi" + NN + "_rg")
    const char16_t* fpComment;         // the line played on medium and hard; null for none
};

// Where a solved puzzle leads: the movie, then the scene and viewpoint.
struct MGPuzzleOpening {
    const char16_t* fpScene;
    const char16_t* fpViewpoint;
    const char16_t* fpDoneState;  // a boolean state set true when the movie ends; null for none
    const char16_t* fpMovie;
};

class MGPuzzleFrame {
public:
    static constexpr const char16_t* kHintStream = u"hintAudio";
    static constexpr const char16_t* kBackButtonId = u"back_btn";
    static constexpr const char16_t* kBackButtonPath = u"groups.g02-backbutton";
    static constexpr const char16_t* kBackgroundPath = u"groups.g01-background";
    static constexpr const char16_t* kBooleanType = u"boolean";
    static constexpr const char16_t* kTrue = u"true";
    static constexpr float kListenerOrder = 0.0f;
    static constexpr int kHandCursor = 1;
    static constexpr int kEasy = 0;
    static constexpr int kMedium = 1;
    static constexpr int kHard = 2;
    static constexpr float kScreenWidth = 800.0f;
    static constexpr float kScreenHeight = 600.0f;

    static constexpr float kFirstPieceZ = 500.0f;
    static constexpr float kPieceZStep = 5.0f;
    static constexpr float kPickedZStep = 5.0f;
    static constexpr float kLowestZ = -10000.0f;
    static constexpr float kZCeiling = 10000.0f;
    static constexpr float kZDrop = 5000.0f;

    MGPuzzleFrame() = delete;

    // The puzzle's singleton: made by aCreate() on the first call, owned by
    // the game's cleaner and registered as a state listener at order 0.0.
    // A failed allocation logs an assertion line with an empty text at the
    // caller; the result is then null.
    template <typename Puzzle, typename Create>
    static Puzzle* GetInstance(VoCleanerSingleton<Puzzle, MGCleanerHome>& aSlot, Create aCreate,
                               VoLogSite aSite = VoLogSite::Here()) {
        if (Puzzle* puzzle = aSlot.Peek()) {
            return puzzle;
        }
        Puzzle* puzzle = aSlot.Get(
            [&aCreate, &aSite] {
                Puzzle* made = aCreate();
                if (made == nullptr) {
                    ReportAllocationFailure(aSite);
                }
                return made;
            },
            nullptr);
        if (puzzle != nullptr) {
            ListenToStates(puzzle);
        }
        return puzzle;
    }
    // For the puzzle's destructor: leaves the state manager and drops the
    // puzzle's pending closes.
    static void Forget(VoIStateListener* apListener, MGIScreen* apScreen);

    // Whether the state is the one of that id (case-sensitive).
    static bool IsState(VoIState* apState, const char16_t* apId);
    // The value of a boolean state; false for null.
    static bool IsTrue(VoIState* apState);
    static bool IsOnStack(MGIScreen* apScreen);
    static bool IsTop(MGIScreen* apScreen);
    // Keep-audio, then PushFade. False, nothing done, while the puzzle is on
    // the stack or a fade runs.
    static bool Open(MGIScreen* apScreen);
    // PopFade when the puzzle is the top screen, now or, while a fade runs,
    // in a later frame. False when it is not the top screen.
    static bool CloseWithFade(MGIScreen* apScreen);
    // For the puzzles that open when their activation state turns true and
    // close when it turns false: Open or CloseWithFade for that state, and
    // nothing for any other. True when it was that state.
    static bool OpenOrClose(VoIState* apState, const char16_t* apActivation, MGIScreen* apScreen);
    static void HandleBackButton(const VoString& aId, int aCode);
    // PopFade of the top screen. When the stack held nothing below it,
    // PopFade takes it off without a call and refuses; the screen is then
    // left at once (OnLeaveBegin, OnLeaveEnd), or a puzzle opened again
    // would build its screen over the one it still holds.
    static bool PopTopScreen();

    // MGOptions' skill level: 0 easy, 1 medium (also without options), 2 hard.
    static int GetSkillLevel();

    // Sets the texture root for the life of the object (or until Restore)
    // and puts the previous root back.
    class TextureRoot {
    public:
        explicit TextureRoot(const char16_t* apFolder);
        ~TextureRoot() { Restore(); }
        TextureRoot(const TextureRoot&) = delete;
        TextureRoot& operator=(const TextureRoot&) = delete;
        void Restore();

    private:
        VoString fSaved;
        bool fSet;
    };

    // A new property list loaded from the file (mapped to a native path), or
    // null when it does not load.
    static VoPropertyList* LoadLayout(const char16_t* apPath);
    // An empty group with the id and relative z; null when it cannot be made.
    static VoDisplayGroup* NewGroup(const VoString& aId, float aRelativeZ);
    // The group of the layout node at aPath, built with its children; null,
    // with an assertion line, when it cannot be built.
    static VoDisplayGroup* BuildGroup(VoPropertyList* apLayout, const char16_t* apPath);
    // Adds an owned member; when the parent refuses it (or is null) an
    // assertion line is logged and the member deleted. Null members: false.
    static bool AddMember(VoDisplayGroup* apParent, VoIDisplayObject* apMember);
    // BuildGroup, then AddMember into the parent.
    static bool BuildGroupInto(VoDisplayGroup* apParent, VoPropertyList* apLayout, const char16_t* apPath);
    // The back button of the layout node at aPath with the listener, as an
    // owned member of the root group (an assertion line when it fails).
    static bool AddBackButton(VoDisplayGroup* apRoot, VoPropertyList* apLayout, const char16_t* apPath,
                              VoIButtonListener* apListener);
    static bool ShowRoot(VoDisplayGroup* apRoot);
    // Takes the group out of the display manager and deletes it; null after.
    static void DeleteRoot(VoDisplayGroup** appRoot);
    // Registers (order 0.0) or removes the mouse listener as *apListening
    // says it is not yet or still registered; an assertion line when the
    // mouse refuses it.
    static void ListenToMouse(VoIMouseListener* apListener, bool aListen, bool* apListening);
    // The same with the frame manager, for the puzzles' timed steps.
    static void ListenToFrames(VoIFrameListener* apListener, bool aListen, bool* apListening);
    // The engine timer's time in seconds; 0 without a timer.
    static double Now();
    // The hand cursor; the PDA's bar hidden when asked.
    static void EnterScreen(bool aHidePDA);
    // The cursor back to its base look; the PDA's bar shown when asked.
    static void LeaveScreen(bool aShowPDA);

    // The stream is named apStream ("hintAudio" unless given).
    static void StartHint(MGPuzzleVoice& aVoice, const MGPuzzleHint& aHint, VoISoundListener* apListener,
                          const char16_t* apStream = kHintStream);
    // The first-view step alone: true, with the event added (notifying),
    // when it was not there yet.
    static bool TakeFirstView(const char16_t* apEvent);
    // Closes the five-action menu when it is open.
    static void HideMultiCursor();
    // ListenToMouse at another order than 0.0.
    static void ListenToMouseAt(VoIMouseListener* apListener, bool aListen, bool* apListening, float aOrder);
    // Moves the piece (a display object of the width and height) so that it
    // is seen at aTarget, each axis only while it stays strictly inside the
    // 800 x 600 screen.
    static void DragWithinScreen(VoIDisplayObject* apPiece, const VoVector2& aTarget, float aWidth,
                                 float aHeight);
    // The opening sequence of a solution (see the top). Without aPop the
    // puzzle stays on the stack under the movie's screen.
    static void RunOpening(MGIScreen* apPuzzle, const MGPuzzleOpening& aOpening, bool aPop = true);

    // The relative z of the piece made aIndex-th (from 0).
    static float PieceZ(int aIndex) { return kFirstPieceZ - kPieceZStep * static_cast<float>(aIndex); }
    // Moves the piece at aIndex of the pieces (Piece*, display objects) to
    // the front and above all others: highest z + 5.0; when the highest z
    // was above 10000.0, every piece above 5000.0 is lowered by 5000.0.
    template <typename Piece>
    static void RaisePicked(VoVector& aPieces, int aIndex) {
        Piece* picked = static_cast<Piece*>(aPieces.GetAt(aIndex));
        if (picked == nullptr) {
            return;
        }
        float highest = kLowestZ;
        for (int i = 0; i < aPieces.GetCount(); ++i) {
            const float z = static_cast<Piece*>(aPieces.GetAt(i))->GetRelativeZ();
            highest = z > highest ? z : highest;
        }
        aPieces.RemoveAt(aIndex);
        aPieces.AddAt(0, picked);
        picked->SetRelativeZ(highest + kPickedZStep);
        if (highest > kZCeiling) {
            for (int i = 0; i < aPieces.GetCount(); ++i) {
                Piece* piece = static_cast<Piece*>(aPieces.GetAt(i));
                if (piece->GetRelativeZ() > kZDrop) {
                    piece->SetRelativeZ(piece->GetRelativeZ() - kZDrop);
                }
            }
        }
    }

private:
    static void ReportAllocationFailure(const VoLogSite& aSite);
    static void ListenToStates(VoIStateListener* apListener);
};
