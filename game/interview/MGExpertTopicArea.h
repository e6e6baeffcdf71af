#pragma once
// The topic list of an expert interview's notepad: one button per analysis
// the player may hand to the expert, in the order of the interview file.
// A topic is listed once its "dependencies" or its "submittedevent" script
// holds (and the "skilllevels" flag of the current skill is not "0"); it
// waits, disabled with an hourglass, until its "readyevent" script holds;
// it is selectable once ready, and shows a checkmark once its
// "viewedevent" has happened:
//
//     hidden -> submitted (hourglass) -> ready (selectable) -> viewed (checkmark)
//
// Every refresh counts the waiting, ready and viewed topics (a viewed topic
// counts as viewed, not as ready); the interview picks its opening by them.
// Listed topics stand 30 apart, indented 15 per level past the first; the
// buttons that scroll out of the band 0..180 fade as in the witness list.
#include "container/VoString.h"
#include "container/VoVector.h"
#include "interview/MGInterviewTopicArea.h"

class VoButton;
class VoScript;

class MGExpertTopicArea : public MGInterviewTopicArea {
public:
    static constexpr const char16_t* kCheckmarkId = u"checkmark";
    static constexpr const char16_t* kHourglassId = u"hourglass";
    // VoButton's state numbers run from 0 (disabled) to 5 (over).
    static constexpr int kButtonStateCount = 6;

    // The list of the interview (not owned, outlives the list).
    explicit MGExpertTopicArea(MGInterview* apInterview);
    MGExpertTopicArea(const MGExpertTopicArea&) = delete;
    MGExpertTopicArea& operator=(const MGExpertTopicArea&) = delete;
    // Deletes the submitted and ready scripts; the witness list deletes the
    // rest.
    ~MGExpertTopicArea() override;

    // Appends a topic; the list owns the button (a member from now on) and
    // the three scripts (null: never true for the dependencies and the
    // submitted script, always true for the ready script).
    bool AddTopic(const VoString& aKey, VoButton* apButton, VoScript* apDependencies, const VoString& aSkillLevels,
                  VoScript* apSubmitted, VoScript* apReady, const VoString& aDoneEvent, const VoString& aViewedEvent,
                  const VoString& aLevel);

    void Refresh() override;
    void UpdateFade() override;
    void OnScroll(int aPosition) override;
    // Not hidden at the current skill level, and the dependencies or the
    // submitted script hold.
    bool IsTopicAvailable(int aIndex) override;
    // Its viewed event has happened.
    bool IsTopicViewed(int aIndex);
    bool IsTopicReady(int aIndex);

    // The member "checkmark" or "hourglass" of every state of the button.
    static void ShowCheckmark(VoButton* apButton, bool aShow);
    static void ShowHourglass(VoButton* apButton, bool aShow);

    // The counts of the last refresh.
    int GetWaitingCount() const { return fWaitingCount; }
    int GetReadyCount() const { return fReadyCount; }
    int GetViewedCount() const { return fViewedCount; }

    VoString ToString() const override;

private:
    static void ShowMember(VoButton* apButton, const char16_t* apId, bool aShow);
    // Evaluates the script of the vector at aIndex; aDefault when it has none.
    static bool Holds(const VoVector& aScripts, int aIndex, bool aDefault);

    VoVector fSubmitted;  // VoScript, owned; null entries allowed
    VoVector fReady;      // VoScript, owned; null entries allowed
    int fWaitingCount;
    int fReadyCount;
    int fViewedCount;
};
