#pragma once
// Plays the full-screen cut-scene movies with their subtitles. Created by
// the application's Init. For now it keeps what its callers hand it (the
// movies to play, the scene and viewpoint to go to afterwards, the states
// to set at the end); the player itself comes later.
#include "container/VoBase.h"
#include "container/VoString.h"
#include "container/VoVectorString.h"

class MGCutScenePlayer : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGCutScenePlayer creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGCutScenePlayer* GetInstance();

    // Puts the movie (a file name under "//dataroot/movies/") at the front
    // of the queue.
    void Play(const VoString& aMovie);
    // The scene and viewpoint loaded when the queued movies end.
    void SetTargetScene(const VoString& aScene, const VoString& aViewpoint);
    // Replaces the state changes applied when the movies end: triples of
    // state id, type name and value text.
    void SetDoneStates(const VoVectorString& aStates);

    const VoVectorString& GetQueue() const { return fQueue; }
    const VoString& GetTargetScene() const { return fTargetScene; }
    const VoString& GetTargetViewpoint() const { return fTargetViewpoint; }
    const VoVectorString& GetDoneStates() const { return fDoneStates; }

    VoString ToString() const override;

private:
    VoVectorString fQueue;
    VoString fTargetScene;
    VoString fTargetViewpoint;
    VoVectorString fDoneStates;
};
