#pragma once
// One loaded scene: a place seen from fixed viewpoints, with its characters,
// lights, audio, hotspots and close-ups. The scene manager (MGSceneManager)
// makes one, loads it by id and puts it on the screen stack.
//
// For now this is the least scene that the scene manager, placards,
// cut-scenes and interviews need: it reads "scene.txt" from "//scenes/" + id
// + "/", enters the file's "defaultviewpoint", answers the screen calls and
// keeps its entered, input and hotspot flags and the camera cut asked for;
// and what the scene navigation and the characters read of the current
// viewpoint: its depth mesh, its camera and the player. Viewpoints,
// characters, cuts, hotspots and drawing come with the scene itself.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "pda/MGIPDAListener.h"

class MGCharacter;
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
    void SetHotspotsEnabled(bool aEnabled) { fHotspotsEnabled = aEnabled; }
    // Selects a camera cut by id; "-" returns to the viewpoint's camera. True.
    bool SetCut(const VoString& aId);
    // The witness and the player leave the interview; hotspots come back.
    void EndInterview() { fHotspotsEnabled = true; }
    // The character of that id (the player or an NPC), or null.
    MGCharacter* GetCharacter(const VoString&) { return nullptr; }
    // Stops and drops the scene's music and ambience.
    void StopAudio() {}

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
    bool AreHotspotsEnabled() const { return fHotspotsEnabled; }

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
    bool fHotspotsEnabled = true;
    VoString fCut;
};
