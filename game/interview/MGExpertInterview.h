#pragma once
// An interview with one of the police experts: the crime lab (kind 0),
// research (1) and surveillance (2), who show their results on the expert
// computer (MGExpertComputer), and experts of a fourth kind (3) who work
// without it. The kind comes from the data file name's second and third
// characters ("1CL01.txt": crime lab), compared without case. It has no
// modes, no meter, no bargaining and no refusal: its panel, the notepad,
// lists the analyses the player has handed over (MGExpertTopicArea), and
// selecting a ready one plays the expert's answer (the topic's "stra" mode)
// and shows its "info" card on the computer.
//
//     Start -> opening: a random "intros" entry (something ready), else a
//              random "pending" entry (something waiting), else a "noinfos"
//              entry (nothing)
//           -> ShowTopics (the notepad; kinds 0 to 2 over the computer) or
//              the end (nothing ready and nothing viewed)
//           -> topics, one at a time (busy while the answer plays)
//           -> exit button: kinds 0 to 2 close the computer and play "exit"
//              once the scene has faded back in; kind 3 plays "exit" at once
//
// Data file keys besides the witness interview's "type", "fonts",
// "characters" and "topics":
//     topics.<key>         name, level, skilllevels, dependencies,
//                          submittedevent, readyevent, doneevent,
//                          viewedevent (see MGExpertTopicArea), modes.stra
//                          (the answer), info (the card, see MGExpertComputer)
//     intros, pending, noinfos   lists of sequence nodes, one played at random
//     exit                 a sequence node
// The notepad "expInterview_layout" is built from
// "//textures/interview/expert_interview_layout.txt": groups.interface.sprites,
// groups.interface.buttons (btn_exit, btn_drag), groups.scrollbar (as the
// witness window's); the topic buttons from the witness layout's
// misc.topicbutton<n|o|h> with misc.checkmark and misc.hourglass.
//
// Unlike the witness interview it owns its window (the notepad group) and
// its scroll bar.
#include "container/VoHashKeyList.h"
#include "interview/MGInterview.h"

class MGExpertTopicArea;

class MGExpertInterview : public MGInterview {
public:
    static constexpr const char* kNoTopics = "'topics' not found.";
    static constexpr const char* kNoIntros = "'intros' not found.";
    static constexpr const char* kNoPending = "'pending' not found.";
    static constexpr const char* kSetupNotepadFailure = "SetupNotepad failure";
    static constexpr const char* kLayoutListFailure = "Failed to create layout list.";
    static constexpr const char* kLayoutSpritesFailure = "Layout sprites failed";
    static constexpr const char* kLayoutButtonsFailure = "Layout buttons failed";

    static constexpr const char16_t* kExpert = u"expert";
    static constexpr const char16_t* kNotepadId = u"expInterview_layout";
    static constexpr const char16_t* kNotepadLayout = u"//textures/interview/expert_interview_layout.txt";
    static constexpr const char16_t* kCheckmarkNode = u"misc.checkmark";
    static constexpr const char16_t* kHourglassNode = u"misc.hourglass";

    static constexpr int kCrimeLab = 0;
    static constexpr int kResearch = 1;
    static constexpr int kSurveillance = 2;
    static constexpr int kNoComputer = 3;
    // The answer of a topic is its "stra" mode.
    static constexpr int kAnswerMode = 3;
    static constexpr float kNotepadX = 400.0f;
    static constexpr float kNotepadY = 150.0f;
    static constexpr float kNotepadZ = 100.0f;
    static constexpr float kTopicTextX = 15.0f;
    static constexpr float kTopicTextY = 4.0f;
    static constexpr float kMarkRightInset = 25.0f;
    static constexpr float kMarkY = 2.0f;

    // The kind of a data file name: its characters 2 and 3, any case.
    static int KindOf(const VoString& aDataFile);

    MGExpertInterview();
    MGExpertInterview(const MGExpertInterview&) = delete;
    MGExpertInterview& operator=(const MGExpertInterview&) = delete;
    // Leaves the mouse, deletes the topic list, the scroll bar and the
    // notepad (out of the display root first); the witness interview's
    // destructor deletes the rest, each once.
    ~MGExpertInterview() override;

    // Builds the expert from its data file (owned from now on) and its
    // subtitle file under "//interviews/". False, logged, when the subtitle
    // file cannot be read.
    bool Create(const VoString& aDataFile, VoPropertyList* apData, const VoString& aSubtitleFile) override;
    // "expert".
    VoString GetType() const override;
    // The pose, the listener told 0, the opening. True.
    bool Start() override;

    bool SetupTopicArea(VoPropertyList* apData);
    bool SetupNotepad();
    // The notepad (and the computer for kinds 0 to 2); the end of the visit
    // when nothing is ready or viewed.
    void ShowTopics();
    // Plays the current topic's answer (mode aMode) and shows its card. True.
    bool SelectTopic(int aMode);
    // The answer of the current topic has ended.
    void OnTopicDone(bool aGood);

    void PlayIntro();
    void PlayPending();
    void PlayNoInfo();
    // Once until it ends; without an "exit" node the visit ends at once.
    void PlayExit() override;

    int GetKind() const { return fKind; }
    bool IsExitPlayed() const { return fExitPlayed; }
    MGExpertTopicArea* GetExpertTopicArea() const;
    // The "info" node of the topic (the data's), or null.
    VoPropertyList* GetInfo(const VoString& aTopic);
    VoPropertyList* GetSubtitles() const { return fpSubtitles; }
    // The notepad group (owned); null until built.
    VoDisplayGroup* GetNotepad() const { return fpGroup; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnWheel(float aDelta) override;
    void OnSequenceEnd() override;

    VoString ToString() const override;

private:
    // One entry of the list at aPath, chosen by (random number mod count),
    // played with enter-topics-after; ShowTopics at once when there is none.
    void PlayOpening(const char16_t* apPath, const char* apMissing);
    // A new sequence of the node with an empty done event, played with the
    // mouse locked; false when none could be made.
    bool PlayNode(VoPropertyList* apNode);
    // What follows a sequence: the end of the visit or the topics.
    void AfterSequence();
    // Back to the scene: End, the PDA bar, the scene's own camera, the end
    // of its interview mode, a cut-scene of this interview.
    void FinishVisit();
    void ReadInfos();
    // A state look of a topic button: the witness look of art aArt with the
    // text, the checkmark and the hourglass.
    VoDisplayGroup* CreateExpertButtonLook(const VoString& aKey, const char16_t* apSuffix, const char16_t* apArt,
                                           const VoString& aText, bool aDisabled);
    void DeleteNotepad();

    int fKind;
    VoHashKeyList fInfos;  // topic key -> VoPropertyList, the data's
    bool fExitPlayed;
};
