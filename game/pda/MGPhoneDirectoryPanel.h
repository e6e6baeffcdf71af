#pragma once
// The phone's directory: the people the player can call in the current case
// ("sta_selectedcase"), each with a call button. A call rings once, then the
// player takes the phone out, the PDA shrinks into the top-left corner and
// the entry's interview runs over the phone; when it ends the PDA grows back
// and the directory is shown again.
//
//     idle -> BuildContent (the list) -> call button: ringing
//          -> shrinking (25 steps of 0.02 s) -> in the interview
//          -> growing (10 steps) -> the list again
//
// From the phone layout: "groups.g02-directory" (overlay, lines,
// call_button), "groups.g03-call_progress" (with "connecting"),
// "groups.g07-directory_content.case" + N: one entry per person, keyed by its
// "id", with "name", "number", "interview" (an interview id of the catalogue)
// and "enabled" (a script; the entry is listed while it holds). Every entry
// keeps its own row, listed or not.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "geometry/VoVector2.h"
#include "interview/MGIInterviewListener.h"
#include "platform/VoISoundListener.h"
#include "stdlib/VoIFrameListener.h"

class MGInterview;
class VoDisplayGroup;
class VoISoundPlayer;
class VoPropertyList;
class VoSprite;
class VoTextArea;

class MGPhoneDirectoryPanel : public VoBase,
                              public VoIButtonListener,
                              public VoISoundListener,
                              public VoIFrameListener,
                              public MGIInterviewListener {
public:
    static constexpr const char16_t* kGroupId = u"phone_directory";
    static constexpr const char16_t* kContentId = u"directory_content";
    static constexpr const char16_t* kOverlayNode = u"groups.g02-directory.overlay";
    static constexpr const char16_t* kLinesNode = u"groups.g02-directory.lines";
    static constexpr const char16_t* kCallButtonNode = u"groups.g02-directory.call_button";
    static constexpr const char16_t* kCallNode = u"groups.g03-call_progress";
    static constexpr const char16_t* kCasePrefix = u"groups.g07-directory_content.case";
    static constexpr const char16_t* kSecondLinesId = u"dir_lines_2";
    static constexpr const char16_t* kConnectingId = u"connecting";
    static constexpr const char16_t* kRingFile = u"//textures/pda/internal_ring2.ogg";
    static constexpr const char16_t* kCaseState = u"sta_selectedcase";
    static constexpr const char16_t* kFont = u"LucindaSans10";

    static constexpr float kFirstRow = 18.0f;
    static constexpr float kRowStep = 20.0f;
    static constexpr float kNameX = 10.0f;
    static constexpr float kNumberX = 140.0f;
    static constexpr float kButtonX = 220.0f;
    static constexpr float kNameWidth = 120.0f;
    static constexpr float kNumberWidth = 100.0f;
    static constexpr float kTextZ = 15.0f;
    static constexpr float kSecondLinesY = 136.0f;
    static constexpr int kScrollHeight = 255;
    static constexpr float kCallTextX = 268.0f;
    static constexpr float kCallNameY = 125.0f;
    static constexpr float kCallNumberY = 138.0f;
    static constexpr float kCallTextWidth = 150.0f;
    static constexpr int kActionPhoneOut = 9;
    static constexpr double kStepTime = 0.02;
    static constexpr float kScaleStep = 0.04f;
    static constexpr float kFractionStep = 0.08f;
    static constexpr float kCornerX = 50.0f;
    static constexpr float kCornerY = 50.0f;
    static constexpr float kGrowFrom = 0.5f;
    static constexpr float kGrownScale = 0.9f;
    static constexpr float kInterviewX = 300.0f;
    static constexpr float kInterviewY = 150.0f;

    MGPhoneDirectoryPanel();
    MGPhoneDirectoryPanel(const MGPhoneDirectoryPanel&) = delete;
    MGPhoneDirectoryPanel& operator=(const MGPhoneDirectoryPanel&) = delete;
    // Stops the ring and the animation, leaves the call's interview, takes
    // the list out of the PDA and deletes it, the overlay and the group.
    ~MGPhoneDirectoryPanel() override;

    // Keeps the layout (not owned, outlives the panel), makes the group and
    // the overlay. True.
    bool Create(VoPropertyList* apLayout);
    // The list of the current case in the PDA's scroll area, with the
    // overlay; a list shown already is cleared first.
    void BuildContent();
    // Takes the list out of the PDA and deletes it; the overlay leaves the PDA.
    void ClearContent();
    // Rings the entry of the id.
    void Call(const VoString& aId);

    // Owned until the phone panel adds it to its group.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Null while the list is not shown.
    VoDisplayGroup* GetContent() const { return fpContent; }
    // Null while no call is under way.
    VoDisplayGroup* GetCallGroup() const { return fpCallGroup; }
    VoSprite* GetOverlay() const { return fpOverlay; }
    VoISoundPlayer* GetRing() const { return fpRing; }
    MGInterview* GetInterview() const { return fpInterview; }
    bool IsShrinking() const { return fShrinking; }
    bool IsGrowing() const { return fGrowing; }
    float GetScale() const { return fScale; }

    void OnButtonEvent(const VoString& aId, int aCode) override;
    void OnSoundEnd(const VoString& aName) override;
    void OnUpdate() override;
    void OnInterviewEvent(int aCode) override;

    VoString ToString() const override;

private:
    VoTextArea* AddText(VoDisplayGroup* apGroup, const VoString& aId, const VoString& aText, float aX, float aY,
                        float aWidth);
    void DeleteCallGroup();
    // The PDA's group; null without the PDA.
    static VoDisplayGroup* PDAGroup();
    // One step of the move toward the target, when moving.
    void StepMove(VoDisplayGroup* apPDA);
    void Shrink(VoDisplayGroup* apPDA);
    void Grow(VoDisplayGroup* apPDA);
    void StartGrowing();
    void StartInterview();
    void ListenToFrames(bool aListen);
    static double Now();
    // The case number of "sta_selectedcase", 0 when it is missing.
    static int SelectedCase(bool* apFound);

    VoPropertyList* fpLayout;   // not owned
    VoDisplayGroup* fpGroup;    // owned while not in the phone's group
    VoDisplayGroup* fpContent;  // owned; in the PDA's scroll area while shown
    VoDisplayGroup* fpCallGroup;  // owned by fpGroup
    VoSprite* fpOverlay;          // owned; in the PDA's group while the list is shown
    VoISoundPlayer* fpRing;       // owned
    VoTextArea* fpNameText;       // owned by the list or the call group
    VoTextArea* fpNumberText;     // owned by the list or the call group
    bool fShrinking;
    bool fGrowing;
    bool fShrinkDone;
    float fScale;
    double fNextStep;
    bool fMoving;
    VoVector2 fTarget;
    VoVector2 fHome;
    VoVector2 fStart;
    float fFraction;
    VoString fInterviewId;
    MGInterview* fpInterview;  // not owned: the interview manager's
    bool fInFrames;
};
