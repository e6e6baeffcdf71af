#pragma once
// One spoken passage of an interview: voice lines (sounds) started at given
// times, subtitles and camera cuts at their own times, gestures and lip-sync
// for the characters who speak, and a hand prop for the player on some
// lines. Every answer, introduction, refusal and exit is one. Made by its
// interview or topic (which owns it), filled by one or more Create calls
// (their lists add up, every time counting from the one start), played once:
//
//     filled -> Play -> playing (frame and keyboard listener) -> finished
//
// A sequence node (property list):
//     noskip=true              the space bar cannot skip
//     sounds=a|b               voice lines, "//sounds/" + name + ".ogg"
//     soundtimes=0|1.5         start times in seconds, one per sound
//     characters=ck|kc         per sound the character keys of the interview:
//                              primary (the speaker), secondary, tertiary
//     subtitles                entries in order: "font" (a font key of the
//                              interview), "subtitle" (a key of its subtitle
//                              file), "type" ("replace" sets the main line,
//                              anything else the appended one)
//     subtitletimes=0|2        one per subtitle
//     viewpoints=cut1|cut2     camera cuts of the scene; a first entry that
//                              begins with "string" means none
//     viewpointtimes=0|3       one per cut
//     targetscene=id|vp        a scene to load after the sequence
//     bargain=true             the sequence ends the interview in a bargain
// Times are polled once per frame against the engine timer: each item fires
// at the first frame at or after its time, and sound i starts no earlier
// than the end of sound i - 1. A sound that cannot be started counts as
// ended at once; a sequence without sounds ends at the first frame after
// its last subtitle and cut have fired. The boolean state "sta_interview_"
// + N is true exactly while sound N plays.
//
// At the end the done event is added; a bargain sequence then leaves the
// interview for the PDA's inventory and tells nobody, any other one cuts to
// its last viewpoint (after a natural end) and tells its listener, which may
// delete it.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "platform/VoIKeyboardListener.h"
#include "platform/VoISoundListener.h"
#include "stdlib/VoIFrameListener.h"

class MGCharacter;
class MGISequenceListener;
class MGInterview;
class MGSubtitle;
class VoGesturePlayer;
class VoIFont;
class VoISoundPlayer;
class VoITimer;
class VoPropertyList;

class MGInterviewSequence : public VoBase,
                            public VoIFrameListener,
                            public VoISoundListener,
                            public VoIKeyboardListener {
public:
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char* kNoSoundTimes = "Property not found: 'soundtimes'.";
    static constexpr const char* kNoSubtitles = "List not found: 'subtitles'.";
    static constexpr const char* kNoFont = "'font' not found.";
    static constexpr const char* kNoSubtitle = "'subtitle' not found.";
    static constexpr const char* kNoType = "'type' not found.";
    static constexpr const char* kNoSubtitleTimes = "Property not found: 'subtitletimes'.";
    static constexpr const char* kSubtitleNotFound = "PlaySubtitle failure. Index not found:";
    static constexpr const char* kUsingTempSound = "Using temp sound.";
    static constexpr const char* kSoundFailure = "Failed to start sound.";
    static constexpr const char* kKeyLine = "aKey:";

    static constexpr const char16_t* kSoundRoot = u"//sounds/";
    static constexpr const char16_t* kSoundExtension = u".ogg";
    static constexpr const char16_t* kTempSound = u"//sounds/temp.ogg";
    static constexpr const char16_t* kPlayerName = u"sequenceSound";
    static constexpr const char16_t* kGestureRoot = u"//gestures/";
    static constexpr const char16_t* kGestureExtension = u".gk";
    static constexpr const char16_t* kLipSyncRoot = u"//dataroot/lipsync/";
    static constexpr const char16_t* kLipSyncExtension = u".dat";
    static constexpr const char16_t* kPhonemeRoot = u"//dataroot/phonemes/";
    static constexpr const char16_t* kPlayingStatePrefix = u"sta_interview_";
    static constexpr const char16_t* kBadge = u"badge";
    static constexpr const char16_t* kNoViewpoints = u"string";
    static constexpr const char16_t* kReplace = u"replace";

    static constexpr int kSkipKey = 57;
    static constexpr float kSubtitleX = 0.0f;
    static constexpr float kSubtitleY = 500.0f;
    static constexpr float kListenerOrder = 0.0f;

    // On the engine timer and the subtitle box, which it places at (0, 500).
    MGInterviewSequence();
    MGInterviewSequence(const MGInterviewSequence&) = delete;
    MGInterviewSequence& operator=(const MGInterviewSequence&) = delete;
    // Leaves the frame manager and the keyboard, deletes its players and
    // stops the lip-sync it started.
    ~MGInterviewSequence() override;

    // Appends the node's content (null: nothing) for the interview, whose
    // fonts, subtitles and characters it uses (null: asserted, kept); the
    // done event replaces the one held. True.
    bool Create(const VoString& aDoneEvent, VoPropertyList* apNode, MGInterview* apInterview);
    // Starts playback for the listener (not owned; null: asserted, kept). True.
    bool Play(MGISequenceListener* apListener);

    // The steps of the update. PlaySound is true when the sequence has
    // ended meanwhile (its sound could not be started and it was the last):
    // the caller then touches nothing of it.
    bool PlaySound();
    void PlaySubtitle();
    void PlayViewpoint();

    void OnUpdate() override;
    void OnSoundEnd(const VoString& aName) override;
    void OnKeyDown(int aKey) override;
    void OnKeyUp(int aKey) override;

    const VoString& GetDoneEvent() const { return fDoneEvent; }
    const VoString& GetTargetScene() const { return fTargetScene; }
    bool IsFinished() const { return fFinished; }
    bool IsPlaying() const { return fPlaying; }
    bool IsBargain() const { return fBargain; }
    bool IsNoSkip() const { return fNoSkip; }
    int GetSoundCount() const { return fSounds.GetCount(); }
    int GetSubtitleCount() const { return fSubtitles.GetCount(); }
    int GetViewpointCount() const { return fViewpoints.GetCount(); }
    const VoString* GetSound(int aIndex) const { return fSounds.PeekAt(aIndex); }
    // The playing voice line and its gestures; null between lines.
    VoISoundPlayer* GetSoundPlayer() const { return fpSoundPlayer; }
    VoGesturePlayer* GetGesturePlayer() const { return fpGesturePlayer; }

    VoString ToString() const override;

private:
    struct SubtitleRecord {
        VoIFont* fpFont;  // not owned: the font manager's
        VoString fText;
        bool fReplace;
    };

    void AddSounds(VoPropertyList* apNode);
    void AddSubtitles(VoPropertyList* apNode);
    void AddViewpoints(VoPropertyList* apNode);
    void StartGestures(const VoString& aSound, const VoString& aKeys);
    void StartLipSync(const VoString& aSound, const VoString& aKeys);
    // Deletes the players and stops the lip-sync.
    void StopVoice();
    void SetPlayingState(const VoString& aSound, bool aPlaying);
    // The current sound is over: the next one is armed, or the sequence
    // ends (true; then nothing of it may be touched).
    bool SoundEnded();
    // Adds the done event and tells the listener, or leaves the interview
    // for a bargain. Nothing of the sequence is touched afterwards.
    void End(bool aNatural);
    void CutTo(const VoString& aCut);
    void Listen(bool aListen);
    double Now() const;

    int fSoundIndex;
    int fSubtitleIndex;
    int fViewpointIndex;
    VoVector fSubtitles;  // SubtitleRecord, owned
    VoVectorFloat fSubtitleTimes;
    VoVectorString fSounds;
    VoVectorFloat fSoundTimes;
    VoVectorString fViewpoints;
    VoVectorFloat fViewpointTimes;
    VoVectorString fCharacters;  // per sound; "" for none
    VoString fTargetScene;
    bool fNoSkip;
    bool fFinished;
    VoString fDoneEvent;
    bool fBargain;
    double fStartTime;
    float fNextSoundTime;
    float fNextSubtitleTime;
    float fNextViewpointTime;
    VoITimer* fpTimer;                   // not owned: the engine's
    VoISoundPlayer* fpSoundPlayer;       // owned
    VoGesturePlayer* fpGesturePlayer;    // owned
    MGSubtitle* fpSubtitle;              // not owned: the game cleaner's
    MGCharacter* fpLipSyncCharacter;     // not owned: the scene's
    MGInterview* fpInterview;            // not owned, outlives the sequence
    MGISequenceListener* fpListener;     // not owned
    bool fPlaying;                       // between Play and the end
    bool fSoundPlaying;                  // sound fSoundIndex has started and not ended
    bool fListeningToFrames;
    bool fListeningToKeys;
};
