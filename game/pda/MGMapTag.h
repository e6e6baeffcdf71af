#pragma once
// One destination on the PDA's map (MGMapPanel): a button at a place of the
// case map, shown once its "show" condition holds, blinking until the player
// has used it once, and taking the player to a scene or to a viewpoint of a
// scene when clicked. The clock advances 7 s on every trip; a cut scene tied
// to the destination (the cut-scene player's location table) may play
// instead of the direct trip.
//
// A tag node is an entry of the map layout's tag list: the keys of a layout
// button (its "id" is the tag's, of its button and of its group) and
//     show=script[...]              when the tag is shown (required)
//     selectedevent=evt_...         added on first use ("evt_maptag_" + id)
//     targets                       tried in order, the first whose
//         <any>                     condition holds is taken (required)
//             condition=script[...]
//             logic=gotoscene|<scene id>
//             logic=gotoviewpoint|<scene id>|<viewpoint id>
// The words of the logic are compared without regard to case.
//
// The boolean state "maptag_" + id + "_visible" is made true the first time
// the tag is found visible and never cleared. A shown tag stays shown while
// the map is hidden and shown again, even when its condition no longer
// holds: hiding it, too, asks the condition. A new tag (visible, its
// selected event not yet added) blinks on the engine timer: 0.5 s at full
// blend, down to 0.2 in 0.5 s, back to 1.0 in 0.5 s, and again.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "gdi/VoIButtonListener.h"
#include "gdi/VoIFaderListener.h"
#include "stdlib/VoIFrameListener.h"

class VoButton;
class VoDisplayGroup;
class VoFader;
class VoPropertyList;
class VoScript;
class VoVectorString;

class MGMapTag : public VoBase, public VoIButtonListener, public VoIFrameListener, public VoIFaderListener {
public:
    static constexpr const char* kCreationFailure = "Creation failure.";
    static constexpr const char* kNoId = "'id' not found.";
    static constexpr const char* kNoShow = "'show' not found.";
    static constexpr const char* kNoTargets = "'targets' not found.";
    static constexpr const char* kNoCondition = "'condition' not found.";
    static constexpr const char* kNoLogic = "'logic' not found.";
    static constexpr const char* kInvalidState = "Invalid state.";
    static constexpr const char* kLoadFailure = "ExecuteLogic failure. Could not load scene:";

    static constexpr const char16_t* kSelectedEventPrefix = u"evt_maptag_";
    static constexpr const char16_t* kVisibleStatePrefix = u"maptag_";
    static constexpr const char16_t* kVisibleStateSuffix = u"_visible";
    static constexpr const char16_t* kFaderId = u"maptag";
    static constexpr const char16_t* kGotoScene = u"gotoscene";
    static constexpr const char16_t* kGotoViewpoint = u"gotoviewpoint";

    // The blink's phases.
    static constexpr int kFadingUp = 0;
    static constexpr int kFadingDown = 1;
    static constexpr int kHolding = 2;
    static constexpr double kHoldTime = 0.5;
    static constexpr float kFadeTime = 0.5f;
    static constexpr float kDimBlend = 0.2f;
    static constexpr float kFullBlend = 1.0f;
    // The game time a trip takes.
    static constexpr float kTravelTime = 7.0f;
    // Where the button is told the pointer went, so it leaves its hover look.
    static constexpr float kAwayX = -100.0f;
    static constexpr float kAwayY = -100.0f;

    MGMapTag();
    MGMapTag(const MGMapTag&) = delete;
    MGMapTag& operator=(const MGMapTag&) = delete;
    // Leaves the frame manager; deletes the scripts, the targets, the fader
    // and the group while the tag still owns it (see GiveGroup).
    ~MGMapTag() override;

    // Builds the button into the tag's group (inactive), reads the keys and
    // the targets. A missing part is logged and left out; true only when
    // every part was built. Visible at once, the tag makes its state without
    // telling the state listeners.
    bool Create(VoPropertyList* apNode);
    // The show condition's value, false without one. Visible, the tag makes
    // its state (telling the state listeners) and is new unless its selected
    // event was added.
    bool EvaluateShow();
    // Shows or hides the tag; nothing happens when it is so already or when
    // its condition does not hold. Shown while new, it starts blinking.
    void SetActive(bool aActive);
    // Shown, whatever its condition.
    void ForceShow();
    // Travels by the logic (see above); its second entry is the scene id.
    void ExecuteLogic(const VoVectorString& aLogic);

    // The map group takes the tag's group (owned from then on by it).
    void GiveGroup() { fOwnsGroup = false; }

    // A click on the tag's own button inside the PDA's scroll area.
    void OnButtonEvent(const VoString& aId, int aCode) override;
    // The hold at full blend.
    void OnUpdate() override;
    // The end of a fade down or up.
    void OnFadeEvent(const VoString& aId, int aCode) override;

    const VoString& GetId() const { return fId; }
    const VoString& GetSelectedEvent() const { return fSelectedEvent; }
    // "maptag_" + id + "_visible".
    VoString GetVisibleState() const;
    // Owned by the tag until GiveGroup; null when it could not be made.
    VoDisplayGroup* GetGroup() const { return fpGroup; }
    // Owned by the group; null when it could not be built.
    VoButton* GetButton() const { return fpButton; }
    bool IsVisible() const { return fVisible; }
    bool IsNew() const { return fNew; }
    bool IsActive() const { return fActive; }
    int GetPhase() const { return fPhase; }
    // Null until the first fade and after a use.
    VoFader* GetFader() const { return fpFader; }
    int GetTargetCount() const { return fTargets.GetCount(); }
    // Whether the tag waits in the frame manager for its hold to end.
    bool IsHolding() const { return fInFrames; }

    VoString ToString() const override;

private:
    struct Target;

    // Holds at full blend from now, listening to frames.
    void StartHold();
    // The fader (made on first use) from aFrom to aTo in aDirection.
    void RunFader(float aFrom, float aTo, int aDirection);
    void ListenToFrames(bool aListen);
    // Whether the event was added (false without an event manager).
    static bool HasEvent(const VoString& aId);
    // The trip to a scene: the close-up closed and the stack emptied, the
    // PDA closed, the clock advanced.
    static void LeaveForTrip();
    // The scene loaded at the viewpoint and entered; on a first visit its
    // placard does both after the chime.
    static void GotoViewpoint(const VoString& aScene, const VoString& aViewpoint);

    VoString fId;
    VoScript* fpShow;  // owned; null without a "show"
    bool fVisible;
    bool fNew;
    VoFader* fpFader;         // owned; null until the first fade
    VoDisplayGroup* fpGroup;  // owned until GiveGroup, then the map group's
    bool fOwnsGroup;
    VoButton* fpButton;  // owned by fpGroup
    int fPhase;
    double fPhaseStart;  // engine timer seconds
    bool fActive;
    VoVector fTargets;  // Target, owned
    VoString fSelectedEvent;
    bool fInFrames;  // registered with the frame manager
};
