#pragma once
// The floor safe: a row of five numbered cubes (MGFloorSafeCube). An arrow
// of a cube rolls it and, by the skill level, some of its neighbours (see
// GetCoupling); every arrow is disabled until the roll that carries the
// check has ended. The safe opens when the tops read kRequiredTops, in
// layout order: "evt_floorsafe_solved", the movie "Safe_Open.bik", then
// "case01/castilloapt", "vp_kitchen" with the close-up "1ca12" visible.
// With fewer than five cubes the safe never opens.
//
// Layout "//textures/puzzles/floorsafe/floorsafe_puzzle_layout.txt":
// "groups.g01-background", "groups.g02-backbutton" and "groups.g03-cubes"
// (the first five entries are the cubes). "sta_floorsafepuzzle_active" true
// opens it; false does nothing.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class MGFloorSafeCube;
class VoDisplayGroup;
class VoPropertyList;

class MGFloorSafePuzzle : public VoBase,
                          public MGIScreen,
                          public VoIStateListener,
                          public VoIButtonListener,
                          public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/floorsafe";
    static constexpr const char16_t* kLayoutFile =
        u"//textures/puzzles/floorsafe/floorsafe_puzzle_layout.txt";
    static constexpr const char16_t* kRootId = u"floorsafe_puzzle_contentgroup";
    static constexpr float kRootZ = -10.0f;
    static constexpr const char16_t* kCubesId = u"floorsafe_cubes";
    static constexpr float kCubesZ = 10.0f;
    static constexpr const char16_t* kCubesPath = u"groups.g03-cubes";
    static constexpr const char* kTooFewCubes = "Build failure. The safe needs five cubes.";
    static constexpr const char16_t* kActivationState = u"sta_floorsafepuzzle_active";
    static constexpr MGPuzzleHint kHint = {u"evt_floorsafepuzzle_initvo", u"hi03_rg", u"1ca11_rg"};
    static constexpr const char16_t* kSolvedEvent = u"evt_floorsafe_solved";
    static constexpr MGPuzzleOpening kOpening = {u"case01/castilloapt", u"vp_kitchen",
                                                 u"sta_cu_1ca12_visible", u"Safe_Open.bik"};
    static constexpr int kCubeCount = 5;
    // The tops that open the safe, cube 1 to 5. On hard the third and the
    // fourth cube always roll together, so their numbers are equal; each
    // skill level reaches these in five clicks.
    static constexpr int kRequiredTops[kCubeCount] = {2, 4, 5, 5, 3};
    static constexpr int kMaxCoupled = 3;

    // The cubes (0 to 4) that a click on the cube of that id rolls at the
    // skill level, in order, into apCubes (room for kMaxCoupled); *apCheck
    // is the one whose roll carries the check. Returns their count.
    static int GetCoupling(const VoString& aCubeId, int aSkillLevel, int* apCubes, int* apCheck);

    static MGFloorSafePuzzle* GetInstance();

    MGFloorSafePuzzle();
    MGFloorSafePuzzle(const MGFloorSafePuzzle&) = delete;
    MGFloorSafePuzzle& operator=(const MGFloorSafePuzzle&) = delete;
    ~MGFloorSafePuzzle() override;

    void Build();
    // Told by a cube when one of its arrows is clicked.
    void OnCubeButton(const VoString& aCubeId, const VoString& aButtonId);
    // Told by the cube whose roll carries the check when it has ended.
    void CheckSolution();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The cube at a layout position 0 to 4; null where none was built.
    MGFloorSafeCube* GetCube(int aIndex) const;
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void SetButtonsEnabled(bool aEnabled);
    void DeleteCubes();

    VoDisplayGroup* fpRoot;                // owned; in the display manager while open
    MGFloorSafeCube* fpCubes[kCubeCount];  // owned; null where none was built
    VoPropertyList* fpLayout;              // owned while open
    MGPuzzleVoice fVoice;                  // the hint
};
