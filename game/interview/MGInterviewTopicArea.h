#pragma once
// The column of topic buttons in the interview window ("interviewTopicArea"),
// one per topic of the interview file, in file order. Every refresh decides
// which topics are listed (the "skilllevels" flag of the current skill, then
// the "dependencies" script), indents them by level (15 per level past the
// first) 30 apart, disables the answered ones (done event happened),
// hilights the heard ones (viewed event) and the chosen one, fades the
// buttons that scroll out of the band 0..180 (0.07 of blend per unit), and
// counts the open topics: all topics less the listed ones already answered
// (a hidden topic counts as open). The interview sizes its meter steps by
// that count.
//
// The list belongs to its interview and joins the shared interview group
// while that interview runs; the shared scroll bar then moves it and tells
// it where it scrolled to.
#include "container/VoString.h"
#include "container/VoVector.h"
#include "container/VoVectorString.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoScrollBar.h"

class MGInterview;
class MGInterviewScrollBar;
class VoButton;
class VoScript;

class MGInterviewTopicArea : public VoDisplayGroup, public VoIScrollBarListener {
public:
    static constexpr const char* kNullArg = "NULL arg.";
    static constexpr const char16_t* kId = u"interviewTopicArea";
    static constexpr const char16_t* kNeverEvent = u"evtnever";
    static constexpr const char16_t* kAllLevels = u"1|1|1";
    static constexpr const char16_t* kHidden = u"0";

    static constexpr float kIndent = 15.0f;
    static constexpr float kRowHeight = 30.0f;
    static constexpr int kOpaqueHeight = 185;
    static constexpr float kOpaqueBlend = 1.0f;
    static constexpr float kFaintBlend = 0.3f;
    static constexpr float kFadePerUnit = 0.07f;
    static constexpr float kBandHeight = 180.0f;
    static constexpr float kEnabledBlend = 0.8f;

    // The list of the interview (not owned, outlives the list).
    explicit MGInterviewTopicArea(MGInterview* apInterview);
    MGInterviewTopicArea(const MGInterviewTopicArea&) = delete;
    MGInterviewTopicArea& operator=(const MGInterviewTopicArea&) = delete;
    // Leaves the mouse and the scroll bar, deletes the scripts; the group
    // deletes the buttons.
    ~MGInterviewTopicArea() override;

    // Appends a topic; the list owns the button (a member from now on) and
    // the script (null: the topic is always listed).
    bool AddTopic(const VoString& aKey, VoButton* apButton, VoScript* apDependencies,
                  const VoString& aSkillLevels, const VoString& aDoneEvent, const VoString& aViewedEvent,
                  const VoString& aLevel);
    virtual void Refresh();
    int GetOpenCount() const { return fOpenCount; }
    // The buttons hear the engine mouse (order 0) or not.
    void SetListening(bool aListening);
    bool IsListening() const { return fListening; }
    // The shared scroll bar (not owned; null is asserted): this list is its
    // listener from now on.
    void SetScrollBar(MGInterviewScrollBar* apScrollBar);
    void OnScroll(int aPosition) override;
    // Blends and enables the listed buttons by where they stand in the band.
    virtual void UpdateFade();
    // Not hidden at the current skill level and the dependencies hold.
    virtual bool IsTopicAvailable(int aIndex);

    int GetTopicCount() const { return fKeys.GetCount(); }
    VoButton* GetButton(int aIndex) const;
    VoButton* GetButton(const VoString& aKey) const;
    int GetScrollPosition() const { return fScrollPosition; }
    // The content height of the last refresh.
    int GetContentHeight() const { return fContentHeight; }

    VoString ToString() const override;

protected:
    bool IsDone(int aIndex);
    bool IsHilighted(int aIndex);
    // One row of a refresh: an available topic's button shown at its level's
    // indent at *apY (which moves one row down) and returned; an unavailable
    // one hidden, disabled and unlit, and null returned (null too without a
    // button).
    VoButton* PlaceRow(int aIndex, float* apY);
    // The end of a refresh: the content height below the last row, the scroll
    // bar told it, and the fade.
    void FinishRows(float aY);
    // A shown button's blend by where it stands against the band at the
    // scroll position: 1.0 inside, fading per unit above and below (it can
    // fall below 0).
    float BandBlend(const VoButton* apButton) const;

    MGInterview* fpInterview;             // not owned
    MGInterviewScrollBar* fpScrollBar;    // not owned: the manager's
    VoVectorString fKeys;
    VoVector fDependencies;  // VoScript, owned; null entries allowed
    VoVectorString fSkillLevels;
    VoVectorString fDoneEvents;
    VoVectorString fViewedEvents;
    VoVectorString fLevels;
    VoVector fButtons;  // VoButton, members of the group
    int fOpenCount;
    int fScrollPosition;
    int fContentHeight;
    bool fListening;
};
