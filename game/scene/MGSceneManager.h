#pragma once
// Owns the one scene loaded at a time and forwards the application's frame
// to it: Update, then Render. It also carries a pending player placement (a
// position and a direction on the ground) that the next viewpoint set-up
// uses instead of the scene's data.
#include "container/VoBase.h"
#include "geometry/VoVector2.h"

class MGScene;

class MGSceneManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGSceneManager creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGSceneManager* GetInstance();

    MGSceneManager() = default;
    MGSceneManager(const MGSceneManager&) = delete;
    MGSceneManager& operator=(const MGSceneManager&) = delete;
    // Frees the pending placement.
    ~MGSceneManager() override;

    // The current scene, null between scenes.
    MGScene* GetScene() const { return fpScene; }

    // Replace the pending copy.
    void SetPendingPosition(const VoVector2& aPosition);
    void SetPendingDirection(const VoVector2& aDirection);
    // Null when none is pending.
    const VoVector2* GetPendingPosition() const { return fpPendingPosition; }
    const VoVector2* GetPendingDirection() const { return fpPendingDirection; }

    // True without a scene.
    bool Update();
    bool Render();

    VoString ToString() const override;

private:
    VoVector2* fpPendingPosition = nullptr;   // owned, may be null
    VoVector2* fpPendingDirection = nullptr;  // owned, may be null
    MGScene* fpScene = nullptr;               // owned; none yet
};
