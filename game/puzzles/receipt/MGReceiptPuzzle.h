#pragma once
// The receipt: its three torn parts are inventory items ("3tc07", "3tc08",
// "3tc09"). A part arrives either by a click into the open puzzle with the
// item taken on the cursor (cursor 14), which shows its two pictures, or by
// its use on the lamp in the scene ("evt_used_" + item + "_hs_lamptarget"),
// which counts at the next change of the activation state. Each part that
// arrives adds "evt_receiptpuzzle_piece" + n + "_added". With all three the
// receipt is solved: "evt_receiptpuzzle_solved", "sta_hslamp" = "solved"
// (string, listeners not told) and the line "3tc08_rg", whose end closes
// the puzzle. On easy, with exactly one part there, every opening plays the
// hint "hi15_rg".
//
// The puzzle keeps the PDA's bar shown so that items can be taken, and its
// own cursor (4) under the name "receipt". It closes itself only while it
// is the top screen: a line that ends after it has left closes nothing.
//
// Layout "//dataroot/textures/puzzles/receipt/receipt_layout.txt" (pictures
// in "//textures/puzzles/receipt"): "puzzle.background" (optional), the
// sprites of "puzzle.sprites" (the parts' pictures "1a", "1b", ... "3b"
// among them) and "backbutton".
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoIMouseListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"

class VoDisplayGroup;

class MGReceiptPuzzle : public VoBase,
                        public MGIScreen,
                        public VoIStateListener,
                        public VoIButtonListener,
                        public VoIMouseListener,
                        public VoISoundListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/receipt";
    static constexpr const char16_t* kLayoutFile = u"//dataroot/textures/puzzles/receipt/receipt_layout.txt";
    static constexpr const char16_t* kRootId = u"receiptpuzzle_layout";
    static constexpr const char16_t* kBackgroundPath = u"puzzle.background";
    static constexpr const char16_t* kSpritesPath = u"puzzle.sprites";
    static constexpr const char16_t* kBackButtonPath = u"backbutton";
    static constexpr const char16_t* kCursorName = u"receipt";
    static constexpr const char16_t* kActivationState = u"sta_receiptpuzzle_active";
    static constexpr const char16_t* kSolvedEvent = u"evt_receiptpuzzle_solved";
    static constexpr const char16_t* kLampState = u"sta_hslamp";
    static constexpr const char16_t* kStringType = u"string";
    static constexpr const char16_t* kSolvedValue = u"solved";
    static constexpr const char16_t* kHintLine = u"hi15_rg";
    static constexpr const char16_t* kHintStream = u"hint";
    static constexpr const char16_t* kSolvedLine = u"3tc08_rg";
    static constexpr const char16_t* kSolvedStream = u"solvedAudio";
    static constexpr int kPartCount = 3;

    struct Part {
        const char16_t* fItem;
        const char16_t* fLampEvent;
        const char16_t* fPuzzleEvent;
        const char16_t* fPictures[2];
    };
    static constexpr Part kParts[kPartCount] = {
        {u"3tc07", u"evt_used_3tc07_hs_lamptarget", u"evt_receiptpuzzle_piece1_added", {u"1a", u"1b"}},
        {u"3tc08", u"evt_used_3tc08_hs_lamptarget", u"evt_receiptpuzzle_piece2_added", {u"2a", u"2b"}},
        {u"3tc09", u"evt_used_3tc09_hs_lamptarget", u"evt_receiptpuzzle_piece3_added", {u"3a", u"3b"}},
    };

    // How many of the parts' puzzle events were added.
    static int PartsAdded();

    static MGReceiptPuzzle* GetInstance();

    MGReceiptPuzzle();
    MGReceiptPuzzle(const MGReceiptPuzzle&) = delete;
    MGReceiptPuzzle& operator=(const MGReceiptPuzzle&) = delete;
    ~MGReceiptPuzzle() override;

    void Build();
    // With all three parts: the solved event, the lamp's state and the line.
    void CheckSolution();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int) override {}
    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void TakePart(const Part& aPart);
    // Parts used on the lamp count as added.
    static void AddLampParts();

    VoDisplayGroup* fpRoot;  // owned; in the display manager while open
    MGPuzzleVoice fVoice;    // the hint or the solved line
    bool fInMouse;           // registered with the engine mouse
};
