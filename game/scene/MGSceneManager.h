#pragma once
// Owns the one scene loaded at a time and forwards the application's frame
// to it: Update, then Render. Until scenes load there is never a scene, and
// both do nothing.
#include "container/VoBase.h"

class MGScene;

class MGSceneManager : public VoBase {
public:
    static constexpr const char* kCreationFailure = "MGSceneManager creation failure.";

    // Created on first use and owned by the game's cleaner; null when it
    // cannot be created.
    static MGSceneManager* GetInstance();

    // The current scene, null between scenes.
    MGScene* GetScene() const { return fpScene; }
    // True without a scene.
    bool Update();
    bool Render();

    VoString ToString() const override;

private:
    MGScene* fpScene = nullptr;  // owned; none yet
};
