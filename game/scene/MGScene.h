#pragma once
// One loaded scene: a place seen from fixed viewpoints, with its characters,
// lights, audio, hotspots and close-ups. The scene manager (MGSceneManager)
// makes one, loads it by id and puts it on the screen stack.
//
// For now this is the least scene that the scene manager, placards and
// cut-scenes need: it reads "scene.txt" from "//scenes/" + id + "/", enters
// the file's "defaultviewpoint", answers the screen calls and keeps its
// entered and input flags; and what the scene navigation and the characters
// read of the current viewpoint: its depth mesh, its camera and the player.
// Viewpoints, characters, hotspots and drawing come with the scene itself.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "pda/MGIPDAListener.h"

class MGCharacter;
class MGCloseUp;
class VoCamera;
class VoDrawElement;
class VoPropertyList;

class MGScene : public VoBase, public MGIScreen, public MGIPDAListener {
public:
    static constexpr const char* kLoadInvalidId = "Load failure. Invalid id.";
    static constexpr const char* kLoadFailure = "Load failure. id:";
    static constexpr const char* kNoDefaultViewpoint = "'defaultviewpoint' not found.";
    static constexpr const char16_t* kSceneRoot = u"//scenes/";
    static constexpr const char16_t* kSceneFile = u"scene.txt";
    static constexpr const char16_t* kCurrentSceneState = u"sta_currentscene";

    MGScene();
    MGScene(const MGScene&) = delete;
    MGScene& operator=(const MGScene&) = delete;
    // Leaves the screen stack and deletes the scene file, the player, the
    // camera and the depth mesh.
    ~MGScene() override;

    // Records the id (and the state "sta_currentscene", replaced without
    // notifying), reads "scene.txt" and enters the default viewpoint. False,
    // logged, for an empty id or a scene file that cannot be read.
    bool Load(const VoString& aId);
    // Makes the viewpoint the current one. True.
    bool SetViewpoint(const VoString& aId);
    // The viewpoint change behind a fade; for now only records the target.
    void ChangeViewpoint(const VoString& aId);

    // Turning input on is refused while the scene is not entered.
    void SetInputEnabled(bool aEnabled);
    // Stops and drops the scene's music and ambience.
    void StopAudio() {}

    // Whether an interview runs over the scene (none can be started yet).
    bool IsInInterview() const { return fInInterview; }
    // The close-up on screen, which sets and clears it (not owned).
    void SetOpenCloseUp(MGCloseUp* apCloseUp) { fpOpenCloseUp = apCloseUp; }
    MGCloseUp* GetOpenCloseUp() const { return fpOpenCloseUp; }

    // Per frame, Update first; true (nothing to do until entered).
    bool Update() { return true; }
    bool Render() { return true; }

    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;
    // The PDA minimized: input comes back to an entered scene.
    void OnPDAEvent(int aCode) override;

    const VoString& GetSceneId() const { return fSceneId; }
    // "//scenes/" + id + "/".
    const VoString& GetScenePath() const { return fScenePath; }
    const VoString& GetViewpointId() const { return fViewpointId; }
    const VoString& GetTargetViewpoint() const { return fTargetViewpoint; }
    // "scene.txt"; null until loaded.
    VoPropertyList* GetSceneFile() const { return fpSceneFile; }
    // "viewpoints." + id + ".camera.id" of the scene file; empty when missing.
    VoString GetViewpointCameraId(const VoString& aViewpointId) const;
    // The current viewpoint's depth mesh; null when there is none.
    VoDrawElement* GetDepthMesh() const { return fpDepthMesh; }
    // The viewpoint camera, named by its camera id; null before one is made.
    VoCamera* GetCamera() const { return fpCamera; }
    MGCharacter* GetPlayer() const { return fpPlayer; }
    bool IsEntered() const { return fEntered; }
    bool IsInputEnabled() const { return fInputEnabled; }

    VoString ToString() const override;

protected:
    // Set up with the viewpoint.
    VoDrawElement* fpDepthMesh = nullptr;  // owned
    VoCamera* fpCamera = nullptr;          // owned
    MGCharacter* fpPlayer = nullptr;       // owned

private:
    VoString fSceneId;
    VoString fViewpointId;
    VoPropertyList* fpSceneFile;  // owned; null until loaded
    VoString fScenePath;
    VoString fTargetViewpoint;
    bool fInputEnabled;
    bool fEntered;
    MGCloseUp* fpOpenCloseUp = nullptr;  // not owned
    bool fInInterview = false;
};
