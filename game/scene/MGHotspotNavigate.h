#pragma once
// A hotspot that leads the player to another viewpoint of the scene or to
// another scene. Hovering shows a direction cursor; a click walks the
// player towards the target and, on arrival or once near, changes the
// viewpoint (behind the scene's own fade) or fades out and loads the scene,
// placing the player at the target viewpoint's start waypoint. A condition
// can refuse the way with a spoken line, or go along with one.
//
// Its keys, besides the common ones (MGHotspot), under "typedata.navigate":
//     enabled=script[true]
//     sceneid=case01/office       empty: a viewpoint of this scene
//     viewpointid=vp_office
//     targetwaypoint=door         walk there (a waypoint of this viewpoint)
//     targetpos=-170|375          or there (read last)
//     cursordirection=topleft     the cursor "go_" + direction
//     conditional                 optional
//         condition=script[...]
//         unsatisfied=line|speaker    spoken instead when it fails
//         satisfied=line|speaker      spoken on the way when it holds
// Without a target position the player walks to where the route into the
// target viewpoint leaves this one's walkable ground, or changes at once
// when that lies within 50 of it.
#include "MGIScreenFaderListener.h"
#include "container/VoVectorString.h"
#include "geometry/VoVector2.h"
#include "scene/MGHotspot.h"
#include "scene/MGHotspotTypeData.h"

class MGNavigateHotspotData : public MGHotspotTypeData {
public:
    // Deletes the condition script (the base deletes its own).
    ~MGNavigateHotspotData() override;

    VoString fViewpointId;
    VoString fSceneId;
    int fCursorId = -1;  // -1: no cursor of that direction
    bool fHasTargetPosition = false;
    VoVector2 fTargetPosition;
    VoScript* fpCondition = nullptr;  // owned; null without "conditional"
    VoVectorString fUnsatisfied;
    VoVectorString fSatisfied;
};

class MGHotspotNavigate : public MGHotspot, public MGIScreenFaderListener {
public:
    static constexpr float kNearDistance = 40.0f;
    // A border crossing at most this far from the player changes at once.
    static constexpr float kBorderDistance = 50.0f;
    static constexpr float kArrivalSeconds = 2.0f;
    static constexpr const char16_t* kLineStream = u"deniedNav";
    static constexpr const char16_t* kCursorPrefix = u"go_";

    static constexpr const char* kTypeDataNotFound = "'typedata.navigate' not found.";
    static constexpr const char* kEnabledNotFound = "'type.navigate.enabled' not found.";
    static constexpr const char* kNoTarget = "sceneid or viewpointid must be specified";
    static constexpr const char* kDirectionNotFound = "'type.navigate.cursordirection' not found.";
    static constexpr const char* kCursorNotFound = "Cursor id not found.";
    static constexpr const char* kWayPointNotFound = "Target waypoint not found: ";

    // The cursor id of the direction word ("topleft" gives 9, "go_topleft");
    // -1 when the cursor has no look of that name.
    static int CursorIdOf(const VoString& aDirection);

    MGHotspotNavigate();
    // Leaves the screen fader when it listens to it.
    ~MGHotspotNavigate() override;

    // The common keys, then the navigate keys (see above). True.
    bool ReadEntry(VoPropertyList* apEntry) override;
    // Hovered: the direction cursor (none for a direction without one).
    void UpdateCursor() override;
    // A click (aRun: a double click) on the way, see the class comment.
    void Navigate(bool aRun);
    // Arrival and nearness both take the player through.
    void OnArrived(const VoString& aId) override;
    void OnNear(const VoString& aId) override;
    // The fade out has finished: the target scene is loaded.
    void OnFadeEvent(int aCode) override;
    // A turn ends nothing here.
    void Execute() override {}
    void TrackTargetDone() override {}
    // The spoken line's end brings the scene's input back, also in a close-up.
    void OnSoundEnd(const VoString& aName) override;

    MGNavigateHotspotData* GetData() const { return fpData; }
    bool IsChangeUnderway() const { return fChangeUnderway; }

protected:
    void Act(bool aRun) override { Navigate(aRun); }

private:
    // Speaks the first line of the list (speaker: its second entry, else
    // the player); aRefusal turns the scene's input off meanwhile. Whether
    // it plays.
    bool SpeakLine(const VoVectorString& aLines, bool aRefusal);
    // The point where the way into the target viewpoint leaves this one's
    // walkable ground, into *apCrossing; false when there is none.
    bool FindBorderCrossing(VoVector2* apCrossing);
    // From the game clock on (the walk is over or was not needed).
    void GoThrough();

    MGNavigateHotspotData* fpData;  // not owned: the hotspot's type data
    bool fChangeUnderway = false;
    bool fFading = false;  // the screen fader's listener is this hotspot
};
