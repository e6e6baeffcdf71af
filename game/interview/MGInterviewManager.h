#pragma once
// The game's one owner of interviews. It reads the interview catalogue and
// the pocket-object table once, builds the display pieces every regular
// interview shares (the window group with its frame sprites and buttons,
// the five mode buttons, the meter and the topic list's scroll bar), makes
// interviews from their data files on demand, keeps those of the current
// viewpoint in a cache and starts the current one. Scenes, close-ups,
// interview hotspots and the phone reach interviews only through it:
//
//     GetInterview(id) -> SetPosition, SetListener -> StartInterview
//     (the phone calls MGInterview::Start itself, without "_started")
//
// Files (property lists):
//     //interviews/interviews.txt      per interview id: "data" (the
//                                      interview file under "//interviews/"),
//                                      "subtitles" (its subtitle file) and
//                                      "witness" (the character's id)
//     //interviews/pocketobjects.txt   per voice line: "anim" and "object"
//                                      ("badge" or another prop)
//     //textures/interview/interview_layout.txt   the shared window:
//         groups.interface.sprites, groups.interface.buttons (btn_exit,
//         btn_drag), groups.modes (mode_conf, mode_decp, mode_flat,
//         mode_stra, mode_empa), groups.meter.sprites, groups.scrollbar
//         (sprites, buttons), misc.topicbutton<n|o|h|x> (middle, right_cap)
//
// Interviews made for the cache live until the next ClearInterviews (the
// scene's viewpoint activation). Those made by a lookup outside the cache
// are kept too and deleted at the next ClearInterviews, except the current
// one, which goes at the one after; deleting the current interview leaves
// no current interview.
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "container/VoVector.h"

class MGInterview;
class MGInterviewMeter;
class MGInterviewScrollBar;
class VoDisplayGroup;
class VoPropertyList;

class MGInterviewManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGInterviewManager creation failure.";
    static constexpr const char* kCatalogueFailure = "Could not create proplist.";
    static constexpr const char* kLayoutFailure = "Failed to create list from layout file.";
    static constexpr const char* kNoInterfaceSprites = "'groups.interface.sprites' not found.";
    static constexpr const char* kBuildFailure = "Layout failure.";
    static constexpr const char* kNoInterfaceButtons = "'groups.interface.buttons' not found.";
    static constexpr const char* kNoModes = "'groups.modes' not found.";
    static constexpr const char* kNoData = "Could not find interview data.";
    static constexpr const char* kNoSubtitles = "Could not find subtitles data.";
    static constexpr const char* kDataFailure = "Data list creation failure:";
    static constexpr const char* kInterviewFailure = "Interview creation failure:";

    static constexpr const char16_t* kCatalogue = u"//interviews/interviews.txt";
    static constexpr const char16_t* kPocketObjects = u"//interviews/pocketobjects.txt";
    static constexpr const char16_t* kInterviewRoot = u"//interviews/";
    static constexpr const char16_t* kLayoutFile = u"//textures/interview/interview_layout.txt";
    static constexpr const char16_t* kTextureRoot = u"//textures/interview";
    static constexpr const char16_t* kGroupId = u"interviewgroup";
    static constexpr const char16_t* kMeterId = u"interviewmeter";
    static constexpr const char16_t* kExpert = u"expert";
    static constexpr const char16_t* kNoWitness = u"none";
    static constexpr const char16_t* kStartedPrefix = u"evt_interview";
    static constexpr const char16_t* kStartedSuffix = u"_started";
    static constexpr const char16_t* kSelectedCase = u"sta_selectedcase";

    static constexpr float kGroupX = 400.0f;
    static constexpr float kGroupY = 150.0f;
    static constexpr float kMeterX = 117.0f;
    static constexpr float kMeterY = 150.0f;

    // Created on first use (Load, then SetupLayout) and owned by the game's
    // cleaner; null, logged, when it cannot be created.
    static MGInterviewManager* GetInstance();

    MGInterviewManager();
    MGInterviewManager(const MGInterviewManager&) = delete;
    MGInterviewManager& operator=(const MGInterviewManager&) = delete;
    // Deletes every interview, the catalogue, the pocket objects, the scroll
    // bar, the meter and the group (after taking it out of the display root).
    ~MGInterviewManager() override;

    // The catalogue (without it every lookup finds nothing) and the pocket
    // objects, in place of those held. True.
    bool Load();
    // The shared window; a step that fails is asserted and the rest built. True.
    bool SetupLayout();

    // The interview of the id: the cached one, else a new one from its data
    // file (not cached); it becomes the current interview. Null without a
    // catalogue or when the data file cannot be read.
    MGInterview* GetInterview(const VoString& aId);
    // Makes the interview of the id ready in the cache; there is no current
    // interview afterwards. Expert interviews of another case than the
    // selected one are not loaded (true). False when it cannot be made.
    bool PreloadInterview(const VoString& aId);
    // Deletes the cached interviews and those made outside the cache (see
    // above); the cache starts empty.
    void ClearInterviews();
    // Adds "evt_interview" + id + "_started" and starts the current
    // interview; false without one.
    bool StartInterview();
    MGInterview* GetCurrentInterview() const { return fpCurrent; }
    // The shared pieces (owned by the manager); false at the first missing one.
    bool GetLayout(VoDisplayGroup** appGroup, VoDisplayGroup** appModes, MGInterviewMeter** appMeter,
                   MGInterviewScrollBar** appScrollBar);

    // Whether the current interview is an expert one.
    bool IsExpert() const { return fIsExpert; }
    const VoString& GetCurrentId() const { return fCurrentId; }
    // Null when the table could not be read.
    VoPropertyList* GetPocketObjects() const { return fpPocketObjects; }
    // Replaces the pocket objects (owned from now on; null for none).
    void SetPocketObjects(VoPropertyList* apPocketObjects);
    bool IsCached(const VoString& aId) { return fCache.Get(aId) != nullptr; }
    int GetCachedCount() const { return fCache.GetCount(); }
    // The interviews made outside the cache that are still kept.
    int GetUncachedCount() const { return fUncached.GetCount() + fSpared.GetCount(); }
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    MGInterviewMeter* GetMeter() const { return fpMeter; }
    MGInterviewScrollBar* GetScrollBar() const { return fpScrollBar; }

    VoString ToString() const override;

private:
    void BuildInterface(VoPropertyList* apLayout);
    // Deletes the interview, forgetting it as the current one.
    void Delete(MGInterview* apInterview);

    VoPropertyList* fpPocketObjects;  // owned
    VoHashKeyList fCache;             // id -> MGInterview, owned
    MGInterview* fpCurrent;           // not owned: one of those held, or null
    bool fIsExpert;
    VoString fCurrentId;
    VoPropertyList* fpCatalogue;            // owned
    VoDisplayGroup* fpGroup;                // owned
    VoDisplayGroup* fpModes;                // a member of the group
    MGInterviewMeter* fpMeter;              // owned
    MGInterviewScrollBar* fpScrollBar;      // owned
    VoVector fUncached;  // MGInterview, owned: made outside the cache since the last clear
    VoVector fSpared;    // MGInterview, owned: the current one a clear spared
};
