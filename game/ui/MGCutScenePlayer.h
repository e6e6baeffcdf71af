#pragma once
// Plays the full-screen cut-scene movies with their subtitles. Created by
// the application's Init.
//
// For now it only keeps what its callers ask for: the queued movies and the
// scene and viewpoint to go to when they have played; the player screen
// comes with the cut scenes themselves.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"

class MGCutScenePlayer : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCutScenePlayer creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCutScenePlayer* GetInstance();

    MGCutScenePlayer() = default;
    MGCutScenePlayer(const MGCutScenePlayer&) = delete;
    MGCutScenePlayer& operator=(const MGCutScenePlayer&) = delete;

    // Puts the movie (a file name under "//dataroot/movies/") at the front
    // of the queue.
    void Play(const VoString& aMovie);
    // "" or "-" mean none.
    void SetTargetScene(const VoString& aScene, const VoString& aViewpoint);

    const VoVectorString& GetQueue() const { return fQueue; }
    const VoString& GetTargetScene() const { return fTargetScene; }
    const VoString& GetTargetViewpoint() const { return fTargetViewpoint; }

    VoString ToString() const override;

private:
    VoVectorString fQueue;
    VoString fTargetScene;
    VoString fTargetViewpoint;
};
