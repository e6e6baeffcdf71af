#pragma once
// Owns the one scene loaded at a time (MGScene) and is the only way to
// change scenes: every request to go somewhere else calls LoadScene. It also
// carries a pending player placement (a position and a direction on the
// ground) that the next viewpoint set-up uses instead of the scene's data,
// and forwards the application's frame to the scene: Update, then Render.
//
// LoadScene(id, replaceTop, noPlacard):
//   - records "evt_" + the last "/"-piece of the id + "_visited";
//   - unless noPlacard, shows the placard (MGPlacard) of a scene whose event
//     id + "_placard" is not yet recorded; the placard loads the scene itself
//     once its chime has ended, and LoadScene returns true at once;
//   - deletes the old scene, builds and loads the new one;
//   - with replaceTop pops the top screen (calling only its OnLeaveEnd) and
//     pushes and enters the scene without a fade; without it only pushes the
//     scene, and the caller brings it in with a fade.
// Given a viewpoint, the new scene activates it before it is pushed; when a
// placard holds the scene back, the viewpoint waits for the load that the
// placard makes after its chime.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "geometry/VoVector2.h"

class MGScene;

class MGSceneManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGSceneManager creation failure.";
    static constexpr const char* kInvalidSceneId = "LoadScene failure. Invalid scene id.";
    static constexpr const char* kLoadFailed = "LoadScene failure. Load failed:";
    static constexpr const char16_t* kVisitedPrefix = u"evt_";
    static constexpr const char16_t* kVisitedSuffix = u"_visited";
    static constexpr const char16_t* kPlacardSuffix = u"_placard";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGSceneManager* GetInstance();

    MGSceneManager() = default;
    MGSceneManager(const MGSceneManager&) = delete;
    MGSceneManager& operator=(const MGSceneManager&) = delete;
    // Deletes the scene and the pending placement.
    ~MGSceneManager() override;

    // The current scene, null between scenes.
    MGScene* GetScene() const { return fpScene; }
    // The current scene of the instance; null between scenes or when there is
    // no manager.
    static MGScene* GetCurrentScene();

    // Replace the pending copy; kept until the next LoadScene.
    void SetPendingPosition(const VoVector2& aPosition);
    void SetPendingDirection(const VoVector2& aDirection);
    // Null when none is pending.
    const VoVector2* GetPendingPosition() const { return fpPendingPosition; }
    const VoVector2* GetPendingDirection() const { return fpPendingDirection; }

    // See above. False, logged, for an empty id and for a scene that does
    // not load (the old scene is gone by then: no scene is left).
    // Given aViewpoint, the scene enters it ("" keeps its default).
    bool LoadScene(const VoString& aId, bool aReplaceTop, bool aNoPlacard, const VoString& aViewpoint = VoString());
    // The scene a placard holds back until its own load, "" when none: a
    // caller tells by it whether LoadScene left the old scene current.
    const VoString& GetHeldSceneId() const { return fHeldSceneId; }
    // Takes the scene off the screen stack (when entered) and deletes it.
    // Always true.
    bool DestroyScene();

    // True without a scene, else the scene's result.
    bool Update();
    bool Render();

    // The last "/"-separated piece of a scene id; the id itself without "/".
    static VoString LastPiece(const VoString& aId);

    VoString ToString() const override;

private:
    void ClearPending();

    VoVector2* fpPendingPosition = nullptr;   // owned, may be null
    VoVector2* fpPendingDirection = nullptr;  // owned, may be null
    MGScene* fpScene = nullptr;               // owned, may be null
    // The scene a placard holds back and the viewpoint it was asked to enter.
    VoString fHeldSceneId;
    VoString fHeldViewpoint;
};
