#pragma once
// The expert computer: the console of the crime lab (kind 0), research (1)
// or surveillance (2) expert, a screen of the screen stack that an expert
// interview (MGExpertInterview) pushes behind its notepad. Selecting a
// topic shows its result card here, typed out one character at a time, with
// a result picture, and may put a result item into the PDA's inventory;
// five small screen lights blink at random meanwhile. The computer has no
// buttons of its own: the notepad drives it, and the notepad's exit button
// closes it.
//
//     Open (push with a fade) -> OnEnter: built, the notepad at (-130, 0)
//         -> ShowItem ... (typing) -> Close: fade out, torn down, popped
//         without a fade, the scene entered and faded in -> the interview's
//         exit sequence
//
// Layout "//textures/expertcomputer/interface_layout.txt" (textures relative
// to "//textures/expertcomputer"):
//     experts.crimelab, experts.research, experts.surveillance
//                         per kind: sprite nodes "background", "itemdisplay",
//                         optional "profile" (shown for people) and
//                         "evidence" (shown for things)
//     animations          five sprite nodes, used in key order
//     lines               one sprite node, shown over a result picture
// Icons "//textures/expertcomputer/icons_results.txt": one sprite node per
// result picture, keyed by the picture's name; "texturecoords" x0|y0|x1|y1
// centres the picture in the 200 x 160 box at (530, 175).
//
// A result card (a topic's "info" node): "type" ("evidence", any case, for a
// thing; anything else for a person), "name", then "collected" for a thing or
// "age" and "occupation" for a person (keys of the interview's subtitles),
// and optionally "image" (a picture of the icon file) and "item" (an
// inventory item id).
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "gdi/VoIButtonListener.h"
#include "stdlib/VoIFrameListener.h"

class MGExpertInterview;
class VoDisplayGroup;
class VoPropertyList;
class VoSprite;
class VoTextArea;

class MGExpertComputer : public VoBase,
                         public MGIScreen,
                         public VoIButtonListener,
                         public VoIFrameListener,
                         public MGIScreenFaderListener {
public:
    static constexpr const char* kCreationFailure = "MGExpertComputer creation failure.";
    static constexpr const char* kInvalidKind = "Open failure. Invalid expert kind: ";
    static constexpr const char* kLayoutFailure = "Failed to create layout list.";

    static constexpr const char16_t* kLayoutFile = u"//textures/expertcomputer/interface_layout.txt";
    static constexpr const char16_t* kIconFile = u"//textures/expertcomputer/icons_results.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/expertcomputer";
    static constexpr const char16_t* kGroupId = u"expertComputer";
    static constexpr const char16_t* kFont = u"OCRA18";
    static constexpr const char16_t* kItemFieldId = u"itemField";
    static constexpr const char16_t* kLocationFieldId = u"locationField";
    static constexpr const char16_t* kNameFieldId = u"nameField";
    static constexpr const char16_t* kAgeFieldId = u"ageField";
    static constexpr const char16_t* kOccupationFieldId = u"occupationField";
    static constexpr const char16_t* kEvidenceType = u"evidence";

    static constexpr int kAnimationCount = 5;
    static constexpr float kFieldZ = 10.0f;
    static constexpr float kIconZ = 10.0f;
    static constexpr float kIconX = 530.0f;
    static constexpr float kIconY = 175.0f;
    static constexpr float kIconBoxWidth = 200.0f;
    static constexpr float kIconBoxHeight = 160.0f;
    static constexpr float kLinesBlend = 0.25f;
    static constexpr float kSurveillanceLinesX = 533.0f;
    static constexpr float kSurveillanceLinesY = 177.0f;
    static constexpr float kNotepadX = -130.0f;
    static constexpr float kNotepadY = 0.0f;
    static constexpr double kAnimationStep = 0.03;
    static constexpr float kBlendStep = 0.1f;
    static constexpr double kTypeStep = 0.001;
    static constexpr int kTypeSpread = 300;

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGExpertComputer* GetInstance();
    // The computer if it is live; never creates.
    static MGExpertComputer* PeekInstance();

    MGExpertComputer();
    MGExpertComputer(const MGExpertComputer&) = delete;
    MGExpertComputer& operator=(const MGExpertComputer&) = delete;
    // Leaves the frame manager and the fader, and deletes the screen.
    ~MGExpertComputer() override;

    // Pushes the computer of the kind (0 to 2) with a fade for the interview
    // (not owned). Another kind is logged and does nothing (false).
    bool Open(int aKind, MGExpertInterview* apInterview);
    // Fades the computer away; nothing when it is not built.
    void Close();
    // Types the card (an "info" node, not owned) with the texts of the
    // subtitles (not owned), shows its picture and gives its item. Before
    // the screen is built the texts are kept and nothing is shown.
    void ShowItem(VoPropertyList* apInfo, VoPropertyList* apSubtitles);
    // The interview goes away: the computer stops calling it.
    void ForgetInterview(MGExpertInterview* apInterview);

    bool IsBuilt() const { return fpGroup != nullptr; }
    bool IsTyping() const { return fTyping; }
    int GetKind() const { return fKind; }
    MGExpertInterview* GetInterview() const { return fpInterview; }
    // Owned by the group; null while the screen is not built.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    VoTextArea* GetItemField() const { return fpItemField; }
    VoTextArea* GetLocationField() const { return fpLocationField; }
    VoTextArea* GetNameField() const { return fpNameField; }
    VoTextArea* GetAgeField() const { return fpAgeField; }
    VoTextArea* GetOccupationField() const { return fpOccupationField; }
    VoTextArea* GetCurrentField() const { return fpCurrentField; }
    VoSprite* GetResultIcon() const { return fpResultIcon; }
    VoSprite* GetLines() const { return fpLines; }
    VoSprite* GetProfileCard() const { return fpProfileCard; }
    VoSprite* GetEvidenceCard() const { return fpEvidenceCard; }
    VoSprite* GetAnimation(int aIndex) const;
    double GetNextTime(int aIndex) const;
    float GetAnimationBlend(int aIndex) const;

    void OnLeaveBegin() override {}
    void OnLeaveEnd() override;
    void OnEnter() override;
    void OnButtonEvent(const VoString&, int) override {}
    void OnUpdate() override;
    void OnFadeEvent(int aCode) override;

    VoString ToString() const override;

private:
    void SetupLayout();
    VoTextArea* AddField(const char16_t* apId, float aX, float aY, float aWidth, bool aWrap);
    // Builds the sprite of the node into the group; null when it cannot.
    VoSprite* AddSprite(VoPropertyList* apNode);
    void ShowIcon(const VoString& aImage);
    void UpdateAnimations(double aNow);
    void UpdateTyping(double aNow);
    // The next character time from now.
    static double TypeDelay();
    static double Now();
    void ListenToFrames(bool aListen);

    VoDisplayGroup* fpGroup;  // owned; a member of the display root while built
    int fKind;
    MGExpertInterview* fpInterview;  // not owned
    VoSprite* fpProfileCard;         // owned by fpGroup
    VoSprite* fpEvidenceCard;        // owned by fpGroup
    VoSprite* fpAnimations[kAnimationCount];  // owned by fpGroup; null when missing
    bool fFadingIn[kAnimationCount];
    bool fFadingOut[kAnimationCount];
    float fBlends[kAnimationCount];
    double fNextTimes[kAnimationCount];
    double fLastTick;
    VoString fType;
    VoString fName;
    VoString fLocation;
    VoString fAge;
    VoString fOccupation;
    bool fTyping;
    VoTextArea* fpItemField;        // owned by fpGroup
    VoTextArea* fpLocationField;    // owned by fpGroup
    VoTextArea* fpNameField;        // owned by fpGroup
    VoTextArea* fpAgeField;         // owned by fpGroup
    VoTextArea* fpOccupationField;  // owned by fpGroup
    VoTextArea* fpCurrentField;     // one of the five, or null
    VoString fCurrentText;
    int fTypedCount;
    double fNextCharacterTime;
    VoSprite* fpResultIcon;  // owned by fpGroup; null when none
    VoSprite* fpLines;       // owned by fpGroup
    bool fInFrames;
    bool fListeningToFader;
    bool fInDisplayRoot;
};
