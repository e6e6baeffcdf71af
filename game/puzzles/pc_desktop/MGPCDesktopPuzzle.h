#pragma once
// The PC desktop: the computer asks for a password, entered by clicking the
// seven body parts of a chart, each one capital letter. A click shows "*"
// in the next of seven boxes and disables and hilights its button; the
// seventh click judges the attempt against "TORVALE", ignoring case. A
// wrong one is wiped with the buzz "pw_wrong.ogg"; the right one adds
// "evt_desktoppuzzle_solved", shows the letters, plays "pw_correct.ogg",
// then the line "2ls08a_rg", and then fades the roster in (0.07 more blend
// per step, steps more than 0.03 s apart, up to exactly 1.0) and disables
// every button. "folder" starts an empty attempt, in the next frame (it
// rebuilds the screen, itself among it). Every entering plays "hi09_rg" on
// easy, else "2ls08_rg".
//
// The puzzle plays one sound at a time: a new one stops the one before,
// and leaving stops it and every timed step.
//
// Layout "//textures/puzzles/pc_desktop/layout.txt": "groups.g04-puzzle",
// the buttons of "groups.g06-puzzle_buttons" in the order of kButtonIds
// (the first eight are used), the boxes of "groups.g05-puzzle_textareas"
// ("coords" x|y|width|height; the first seven are used), the roster
// "groups.g08-roster" and "groups.g01-backbutton". "sta_pcdesktoppuzzle_active"
// true opens it, false closes it.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "gdi/VoIButtonListener.h"
#include "platform/VoISoundListener.h"
#include "puzzles/MGPuzzleVoice.h"
#include "state/VoIStateListener.h"
#include "stdlib/VoIFrameListener.h"

class VoButton;
class VoDisplayGroup;
class VoPropertyList;
class VoTextArea;

class MGPCDesktopPuzzle : public VoBase,
                          public MGIScreen,
                          public VoIStateListener,
                          public VoIButtonListener,
                          public VoISoundListener,
                          public VoIFrameListener {
public:
    static constexpr const char16_t* kTextureFolder = u"//textures/puzzles/pc_desktop";
    static constexpr const char16_t* kLayoutFile = u"//textures/puzzles/pc_desktop/layout.txt";
    static constexpr const char16_t* kRootId = u"pcdesktop_puzzle_layout";
    static constexpr const char16_t* kPuzzlePath = u"groups.g04-puzzle";
    static constexpr const char16_t* kButtonsPath = u"groups.g06-puzzle_buttons";
    static constexpr const char16_t* kBoxesPath = u"groups.g05-puzzle_textareas";
    static constexpr const char16_t* kRosterPath = u"groups.g08-roster";
    static constexpr const char16_t* kBackButtonPath = u"groups.g01-backbutton";
    static constexpr const char16_t* kBoxPrefix = u"textarea_";
    static constexpr const char16_t* kBoxFont = u"twcenmt14white";
    static constexpr const char16_t* kMask = u"*";
    static constexpr float kBoxZ = 10.0f;
    static constexpr const char16_t* kActivationState = u"sta_pcdesktoppuzzle_active";
    static constexpr const char16_t* kSolvedEvent = u"evt_desktoppuzzle_solved";
    static constexpr const char16_t* kPassword = u"TORVALE";
    static constexpr const char16_t* kHintLine = u"hi09_rg";
    static constexpr const char16_t* kCommentLine = u"2ls08_rg";
    static constexpr const char16_t* kFollowUpLine = u"2ls08a_rg";
    static constexpr const char16_t* kVoiceStream = u"desktopVO";
    static constexpr const char16_t* kWrongSound = u"//sounds/pw_wrong.ogg";
    static constexpr const char16_t* kWrongStream = u"pwWrong";
    static constexpr const char16_t* kRightSound = u"//sounds/pw_correct.ogg";
    static constexpr const char16_t* kRightStream = u"pwCorrect";
    static constexpr const char16_t* kFolderId = u"folder";
    static constexpr int kPartCount = 7;
    static constexpr int kButtonCount = 8;
    // The buttons' places: the seven body parts, then "folder".
    static constexpr const char16_t* kButtonIds[kButtonCount] = {
        u"rshoulder", u"lshoulder", u"head", u"upper_arm", u"thumb", u"index_finger", u"abdomen", u"folder"};
    // The letter of each body part's place: head, abdomen, right shoulder,
    // thumb, left shoulder, index finger, upper arm spell the password.
    static constexpr char16_t kLetters[kPartCount] = {u'R', u'A', u'T', u'E', u'V', u'L', u'O'};
    static constexpr float kRosterStep = 0.07f;
    static constexpr double kRosterInterval = 0.03;

    // Whether the letters entered are the password, in any case.
    static bool IsPassword(const VoString& aEntry);

    static MGPCDesktopPuzzle* GetInstance();

    MGPCDesktopPuzzle();
    MGPCDesktopPuzzle(const MGPCDesktopPuzzle&) = delete;
    MGPCDesktopPuzzle& operator=(const MGPCDesktopPuzzle&) = delete;
    ~MGPCDesktopPuzzle() override;

    // Builds the screen anew: an empty attempt, every button enabled.
    void Build();
    // Judges the seven letters entered.
    void CheckPassword();
    // Disables every button and starts the roster's fade-in.
    void ShowRoster();

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnStateChanged(VoIState* apState) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnUpdate() override;

    // Owned; null while closed.
    VoDisplayGroup* GetRootGroup() const { return fpRoot; }
    // The box 0 to 6 and the button 0 to 7 (members of the root group);
    // null where none was built.
    VoTextArea* GetBox(int aIndex) const;
    VoButton* GetButton(int aIndex) const;
    VoDisplayGroup* GetRoster() const { return fpRoster; }
    float GetRosterBlend() const { return fRosterBlend; }
    int GetEnteredCount() const { return fEntered; }
    const VoString& GetEntry() const { return fEntry; }
    bool IsSolved() const { return fSolved; }
    bool IsRebuildPending() const { return fRebuildPending; }
    const MGPuzzleVoice& GetVoice() const { return fVoice; }

    VoString ToString() const override;

private:
    void BuildButtons(VoDisplayGroup* apParent);
    void BuildBoxes();
    // The place of the button of that id, or -1.
    int PlaceOf(const VoString& aId) const;
    void EnterLetter(int aPlace);
    void ClearAttempt();
    void StepRoster();
    void ForgetScreen();
    void UpdateFrames();

    VoDisplayGroup* fpRoot;           // owned; in the display manager while open
    VoPropertyList* fpLayout;         // owned while open
    VoTextArea* fpBoxes[kPartCount];  // not owned: members of fpRoot
    int fEntered;
    VoString fEntry;
    VoButton* fpButtons[kButtonCount];  // not owned: members of fpRoot
    MGPuzzleVoice fVoice;               // the one sound at a time
    bool fSolved;
    bool fFollowUpPlayed;
    VoDisplayGroup* fpRoster;  // not owned: a member of fpRoot
    float fRosterBlend;
    double fLastStep;
    bool fRebuildPending;
    bool fInFrames;
};
