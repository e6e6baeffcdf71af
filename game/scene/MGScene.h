#pragma once
// One loaded scene: a place seen from fixed viewpoints, with its characters,
// lights, audio, hotspots and close-ups. The scene manager (MGSceneManager)
// makes one, loads it by id and puts it on the screen stack.
//
// For now this is the least scene that the scene manager, placards and
// cut-scenes need: it reads "scene.txt" from "//scenes/" + id + "/", enters
// the file's "defaultviewpoint", answers the screen calls and keeps its
// entered and input flags. Viewpoints, characters, hotspots and drawing come
// with the scene itself.
#include "MGIScreen.h"
#include "container/VoBase.h"
#include "container/VoString.h"
#include "pda/MGIPDAListener.h"

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
    // Leaves the screen stack and deletes the scene file.
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
    // Stops and drops the scene's music and ambience; clears the keep-audio flag.
    void StopAudio() { fKeepAudio = false; }
    // Set by a screen that covers the scene (a puzzle, an interview) before
    // it pushes itself: leaving then keeps the scene's audio playing. Leaving
    // clears it.
    void SetKeepAudio(bool aKeep) { fKeepAudio = aKeep; }
    bool GetKeepAudio() const { return fKeepAudio; }

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
    bool IsEntered() const { return fEntered; }
    bool IsInputEnabled() const { return fInputEnabled; }

    VoString ToString() const override;

private:
    VoString fSceneId;
    VoString fViewpointId;
    VoPropertyList* fpSceneFile;  // owned; null until loaded
    VoString fScenePath;
    VoString fTargetViewpoint;
    bool fInputEnabled;
    bool fEntered;
    bool fKeepAudio = false;
};
