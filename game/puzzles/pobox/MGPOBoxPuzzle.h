#pragma once
// The PO box lock: four dials (MGPOBoxDial), each turned one digit per
// click. It opens the moment the first dial shows kFirstDigit, the fourth
// kLastDigit and the second and third the two digits of kPair in either
// order: "evt_poboxpuzzle_solved", the movie "UPS_BoxVantrell.bik", then
// "case04/upsstore", "vp_mailboxesleft" with the close-up "4mb02" visible.
// Every opening draws new start digits, none of them right. With fewer than
// four dials the lock never opens; dials past the fourth are not built.
// There is no voice-over, and the PDA's bar is left as it is.
//
// Layout "//textures/puzzles/pobox/POBox_layout.txt": "g01-background" (a
// sprite), "g02-dials" and "backbutton". "sta_poboxpuzzle_active" true opens
// it, false closes it with a fade when it is the top screen.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleFrame.h"
#include "state/VoIStateListener.h"

class MGPOBoxDial;
class VoDisplayGroup;

class MGPOBoxPuzzle : public VoBase,
                      public MGIScreen,
                      public VoIStateListener,
                      public VoIMouseListener,
                      public VoIButtonListener,
                      public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/pobox";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/pobox/POBox_layout.txt";
    static constexpr const char16_t* kRootId = u"poboxpuzzle";
    static constexpr const char16_t* kBackgroundPath = u"g01-background";
    static constexpr const char16_t* kDialsPath = u"g02-dials";
    static constexpr const char16_t* kBackButtonPath = u"backbutton";
    static constexpr const char* kTooFewDials = "Build failure. The lock needs four dials.";
    static constexpr const char16_t* kActivationState = u"sta_poboxpuzzle_active";
    static constexpr const char16_t* kSolvedEvent = u"evt_poboxpuzzle_solved";
    static constexpr MGPuzzleOpening kOpening = {u"case04/upsstore", u"vp_mailboxesleft",
                                                 u"sta_cu_4mb02_visible", u"UPS_BoxVantrell.bik"};
    static constexpr int kDialCount = 4;
    static constexpr int kFirstDigit = 4;
    static constexpr int kPair[2] = {7, 1};
    static constexpr int kLastDigit = 9;

    // Whether the digit is (one of) the dial's right digit(s), dial 0 to 3.
    static bool IsRightDigit(int aDial, int aDigit);
    // Whether the four digits open the lock.
    static bool Opens(const int* apDigits);

    static MGPOBoxPuzzle* GetInstance();

    // Seeds the runtime's random generator with the time in seconds.
    MGPOBoxPuzzle();
    MGPOBoxPuzzle(const MGPOBoxPuzzle&) = delete;
    MGPOBoxPuzzle& operator=(const MGPOBoxPuzzle&) = delete;
    ~MGPOBoxPuzzle() override;

    void Build();
    // Told after every change of a dial.
    void CheckCombination();

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int) override {}
    void OnMouseMove(const VoVector2*) override {}
    void OnButtonUp(int) override {}
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString&) override {}

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The dial 0 to 3; null where none was built.
    MGPOBoxDial* GetDial(int aIndex) const;

    VoString ToString() const override;

private:
    void DeleteDials();

    VoDisplayGroup* fpRoot;            // owned; in the display manager while open
    MGPOBoxDial* fpDials[kDialCount];  // owned; null where none was built
    bool fSolved;
};
