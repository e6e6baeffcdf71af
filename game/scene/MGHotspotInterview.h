#pragma once
// A hotspot over a person in the scene. Its talk action starts an interview
// with that person, once the person has turned to the player (its interview
// pose) and, for a seated interview, once the player has taken a seat.
// While the state "bargaining_" + interview id + "_active" is true and the
// hotspot has a bargaining item, a click does not open the menu: the person
// waits for an item, and the hotspot judges the item the player offers
// (any item starts the interview; the right one also adds the solved
// event). Two items separated by "|" are given one after the other.
//
// Its keys, besides the common ones (MGHotspot):
//     typedata
//         interview
//             enabled=script[true]
//             interviewid=117
//             position=20|200      the interview window (20|200 when absent)
//             seated=false
//     bargaining                   optional
//         item=brasskey            or itemA|itemB
//         solvedevent=evt_117_key_returned
//         events=evt_a|evt_b       two items: the event of each
//         voiceovers=line_a|line_b|speaker   two items: the line after each
//         noitem=line|speaker      played when clicked without an item
// The witness is the interview's "witness" in "//interviews/interviews.txt".
#include "geometry/VoVector2.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotTypeData.h"

class MGInterviewHotspotData : public MGHotspotTypeData {
public:
    VoString fInterviewId;
    VoVector2 fPosition;
    VoString fWitnessId;
    VoString fBargainingItem;
    VoString fSolvedEvent;
    VoString fBargainingVoiceOvers;
    VoString fBargainingEvents;
    VoString fNoItemLine;
    bool fSeated = false;
};

class MGHotspotInterview : public MGHotspot {
public:
    static constexpr float kDefaultX = 20.0f;
    static constexpr float kDefaultY = 200.0f;
    // Seconds until the surveillance results are ready, by skill level (the
    // research results take the general hotspot's delays).
    static constexpr float kSurveillanceDelays[3] = {12.0f, 24.0f, 48.0f};
    static constexpr const char16_t* kCatalogue = u"//interviews/interviews.txt";
    static constexpr const char16_t* kBargainingPrefix = u"bargaining_";
    static constexpr const char16_t* kBargainingSuffix = u"_active";
    static constexpr const char16_t* kBargainStream = u"bargainVO";

    static constexpr const char* kTypeDataNotFound = "'typedata.interview' not found.";
    static constexpr const char* kEnabledNotFound = "'type.interview.enabled' not found.";
    static constexpr const char* kPositionNotFound = "'type.interview.position' not found.";
    static constexpr const char* kStartFailure = "Start interview failure.";

    MGHotspotInterview();
    // The current interview forgets it as the hotspot that seated the player.
    ~MGHotspotInterview() override;

    // The common keys, then the interview keys (see above). True.
    bool ReadEntry(VoPropertyList* apEntry) override;
    // While bargaining: the item over a target with an item in the cursor,
    // the target cursor without one; else the rollover.
    void UpdateCursor() override;
    // "_SU" and "_RE" of the operating item.
    void StartAnalysis() override;
    // Waiting for the witness's pose: the player sits down or the interview
    // starts; else the hotspot acts as after a click.
    void Execute() override;
    // 7: the player has sat down, the interview starts.
    void OnActionDone(int aCode) override;
    // Judges the offered item (see the class comment).
    void Bargain();
    // The bargaining line aName ("//sounds/" + name + ".ogg") spoken by the
    // scene character aSpeaker, with its subtitle, lip-sync and gestures.
    // Unlike a voice-over it leaves the scene's input on.
    using MGHotspot::PlaySound;
    bool PlaySound(const VoString& aName, const VoString& aSpeaker);
    // Whether the bargaining state is on.
    bool IsBargaining();

    MGInterviewHotspotData* GetData() const { return fpData; }

protected:
    void Act(bool aRun) override;
    void Talk() override;

private:
    void BargainWithItems(const VoString& aHeld);
    // The player sits down first for a seated interview, else it starts.
    void SeatOrStart();
    // The interview of the data starts at its position; aSeated tells it
    // this hotspot seated the player. Logged when the scene refuses.
    void StartInterview(bool aSeated);

    MGInterviewHotspotData* fpData;  // not owned: the hotspot's type data
};
