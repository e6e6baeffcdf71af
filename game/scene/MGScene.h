#pragma once
// One loaded scene: a place seen from fixed viewpoints, with the player and
// the other characters (NPCs) in it, its lights, audio, hotspots and
// close-ups. The scene manager makes one, loads it by id (Load) and puts it
// on the screen stack; it draws, updates and hears the mouse only while it is
// the entered screen.
//
// Files, all in the scene's folder "//scenes/" + id + "/" (property lists):
//     scene.txt        required: characters, default states, viewpoints, cuts
//     evidence.txt     kept for close-ups and hotspots      (optional)
//     audio.txt        music and ambience (MGSceneAudio)    (optional)
//     animations.txt   ambient movies per viewpoint         (optional)
//     lights_low.txt   the lights (MGLighting); a file without a global
//                      light fails the load
//     sounds.txt       the player's footsteps               (optional)
//     cameras.txt      one section per camera id
// Keys of scene.txt:
//     defaultstates    entries of "id", "type", "value": states set on load
//                      when they do not exist yet
//     characters
//         player
//             <id>     the one player entry: "data" (the character file
//                      under "//characters/"), "shadowvolume" in that file
//                      names the shadow cache under "//meshes/"
//         npcs
//             <id>     "data", "position" and "direction" (x|y|z in the
//                      world), "viewpoints" (where the NPC may appear; all
//                      when absent), "extra" (true: hidden while the options
//                      switch extras off), "active" (a condition script)
//     characters.player.kestrin.position, .direction   where the player
//                      starts, read under that id whatever the player's id
//     defaultviewpoint the viewpoint Load enters
//     viewpoints.<id>  "background" (image), "depthmesh" (raw mesh file),
//                      "camera.id", "displaygroup" (a layout group),
//                      "decals" (layout sprites), "hotspots" (file name
//                      without ".txt"), "closeups" (file name),
//                      "startwaypoint", "startdirection" (x|y|z),
//                      "shadowcaster" (a light's name), "shadowblend"
//     cuts             entries of "id", "camera", "background" and
//                      "decals" (layout sprites, each with an optional
//                      "visible" script): other cameras of the scene that
//                      interviews switch to
// A camera of cameras.txt: "position" and "target" (x|y|z in the depth
// mesh's frame: the root frame's transform places them), "fovx" (radians),
// "znear", "zfar", "upvector" ((0, 1, 0) when absent).
//
// A scene whose player entry is missing, or whose player file cannot be
// read or made, has no player: it is said once, and nothing walks, turns or
// draws a player from then on.
//
// Drawing (Render), once per frame while entered: the background (or the
// cut's), the ambient background movies and the hotspots' display members;
// the depth mesh into the depth buffer only, so the painted background hides
// the characters wherever the room stands nearer; the skins; the player's
// shadow (the blob, or the stencil shadow volumes of the viewpoint's shadow
// light); the lights; the characters; the decals (or the cut's) and the
// ambient foreground movies.
#include "MGIScreen.h"
#include "MGIScreenFaderListener.h"
#include "container/VoBase.h"
#include "container/VoHashKeyList.h"
#include "container/VoString.h"
#include "container/VoVector.h"
#include "interview/MGIInterviewListener.h"
#include "pda/MGIPDAListener.h"
#include "platform/VoIMouseListener.h"
#include "scene/MGIListener.h"

class MGAmbientAnimPlayer;
class MGCharacter;
class MGCloseUp;
class MGCursor;
class MGHotspot;
class MGLighting;
class MGMultiCursor;
class MGPicker;
class MGSceneAudio;
class MGScreenFader;
class MGShadowSimple;
class VoCamera;
class VoDisplayGroup;
class VoDrawElement;
class VoIRasterizer;
class VoMatrix;
class VoMouse;
class VoNodeGroup;
class VoPropertyList;
class VoRenderer;
class VoShadowBuffer;
class VoSprite;

class MGScene : public VoBase,
                public MGIScreen,
                public VoIMouseListener,
                public MGIListener,
                public MGIScreenFaderListener,
                public MGIPDAListener,
                public MGIInterviewListener {
public:
    static constexpr const char* kLoadInvalidId = "Load failure. Invalid id.";
    static constexpr const char* kLoadFailure = "Load failure. id:";
    static constexpr const char* kSetupCharactersFailure = "SetupCharacters failure.";
    static constexpr const char* kNoDefaultViewpoint = "'defaultviewpoint' not found.";
    static constexpr const char* kNoPlayerSection = "'characters.player' not found.";
    static constexpr const char* kNoNpcSection = "'characters.npcs' not found.";
    static constexpr const char* kDataNotFound = ".data' not found.";
    static constexpr const char* kPropListFailure = "Prop list creation failure.";
    static constexpr const char* kPlayerSetupFailure = "Player character setup failure.";
    static constexpr const char* kNoPlayer = "The scene has no player: nothing will walk or be drawn for it.";
    static constexpr const char* kNpcSetupFailure = "NPC character setup failure.";
    static constexpr const char* kNoPosition = "'position' not found.";
    static constexpr const char* kNoDirection = "'direction' not found.";
    static constexpr const char* kAddHotspotNull = "AddHotspot failure. NULL arg.";
    static constexpr const char* kAddHotspotDuplicate = "AddHotspot failure. Duplicate found.";
    static constexpr const char* kSetupDepthMeshFailure = "SetupDepthMesh failure.";
    static constexpr const char* kSetupCameraFailure = "SetupCamera failure.";
    static constexpr const char* kSetupDisplayMembersFailure = "SetupDisplayMembers failure.";
    static constexpr const char* kSetupHotspotsFailure = "SetupHotspots failure.";
    static constexpr const char* kSetRootFailure = "SetRoot failure.";
    static constexpr const char* kNoCameraId = "'camera' not found.";
    static constexpr const char* kCameraNotFound = "Camera not found:";
    static constexpr const char* kNoTarget = "'target' not found.";
    static constexpr const char* kNoFovX = "'fovx' not found.";
    static constexpr const char* kNoZNear = "'znear' not found.";
    static constexpr const char* kNoZFar = "'zfar' not found.";
    static constexpr const char* kNoCutZNear = "'camera.znear' not found.";
    static constexpr const char* kNoCutZFar = "'camera.zfar' not found.";
    static constexpr const char* kNoHotspots = "'hotspots' not found.";
    static constexpr const char* kNoShadowCaster = "'shadowcaster' not found.";
    static constexpr const char* kNoStartWayPoint = "'startwaypoint' not found.";
    static constexpr const char* kWayPointNotFound = "Waypoint not found: ";
    static constexpr const char* kNoPathToViewpoint = "No path to viewpoint found.";
    static constexpr const char* kSetViewpointFailure = "SetViewpoint failure.";
    static constexpr const char* kStartInterviewFailure = "StartInterview failure.";

    static constexpr const char16_t* kSceneRoot = u"//scenes/";
    static constexpr const char16_t* kCharacterRoot = u"//characters/";
    static constexpr const char16_t* kShadowRoot = u"//meshes/";
    static constexpr const char16_t* kTextureRoot = u"//textures";
    static constexpr const char16_t* kSceneFile = u"scene.txt";
    static constexpr const char16_t* kEvidenceFile = u"evidence.txt";
    static constexpr const char16_t* kAnimationsFile = u"animations.txt";
    static constexpr const char16_t* kLightsFile = u"lights_low.txt";
    static constexpr const char16_t* kSoundsFile = u"sounds.txt";
    static constexpr const char16_t* kCamerasFile = u"cameras.txt";
    static constexpr const char16_t* kSceneGroupId = u"scenegroup";
    static constexpr const char16_t* kBackgroundId = u"bg";
    static constexpr const char16_t* kDisplayGroupId = u"displaygroup";
    static constexpr const char16_t* kCurrentSceneState = u"sta_currentscene";
    static constexpr const char16_t* kCurrentViewpointState = u"sta_currentviewpoint";
    static constexpr const char16_t* kStartPlacement = u"characters.player.kestrin";
    static constexpr const char16_t* kNoCut = u"-";

    static constexpr float kMouseOrder = 10.0f;
    static constexpr float kDefaultShadowBlend = 0.3f;
    static constexpr float kShadowVolumeArgument = 0.25f;
    // How far back along a directional light its shadows are cast from.
    static constexpr float kDirectionalCasterDistance = 10000.0f;
    static constexpr int kMeshLoadCapacity = 1024;
    // Options: 2 switches extras and ambient movies off, 5 turns the blob
    // shadow on in place of the shadow volumes.
    static constexpr int kExtrasOffOption = 2;
    static constexpr int kSimpleShadowOption = 5;

    // Hides the five-action menu, turns double clicks on, listens to the
    // mouse (order 10) and makes the shadow buffer. Not entered.
    MGScene();
    MGScene(const MGScene&) = delete;
    MGScene& operator=(const MGScene&) = delete;
    // Leaves the mouse, the screen stack, the screen fader, the PDA and the
    // scene navigation, takes "scenegroup" out of the node manager and
    // deletes everything the scene holds.
    ~MGScene() override;

    // Reads the scene of the id and enters its default viewpoint (see
    // above). False, logged, for an empty id, a "scene.txt" that cannot be
    // read, a node group that cannot be registered and a light file without
    // a global light; every other problem is logged and the load goes on.
    bool Load(const VoString& aId);
    // The same over a scene file already read (owned from then on; null
    // fails as a missing file does).
    bool LoadList(const VoString& aId, VoPropertyList* apSceneFile);
    // The player and the NPCs from scene.txt, in place of any held. True.
    bool SetupCharacters();
    // The light file, in place of the lights held; its result.
    bool SetupLights();

    // Makes the viewpoint current: background, depth mesh, camera, picker,
    // display members, ambient movies, decals, navigation and the player's
    // place, NPC presence, hotspots, close-ups, lights and shadows. Missing
    // keys are logged and the switch goes on. Once a faded change has run in
    // the scene, an entered scene fades in from black. True.
    bool SetViewpoint(const VoString& aId);
    // The same behind a fade to black: the scene's input is off until the
    // picture is back. The player keeps its place when it stands within the
    // viewpoint's walkable ground, else it comes in at the end of the
    // cheapest waypoint route into it. A scene that is not entered (another
    // screen covers it and has the screen fader) switches at once, without
    // a fade; nor does SetViewpoint fade it in then.
    void ChangeViewpoint(const VoString& aId);
    // Selects a camera cut by id; "-" (any case) returns to the viewpoint's
    // camera and background, an id without a cut selects nothing. True.
    bool SetCut(const VoString& aId);

    // The steps of SetViewpoint, on the viewpoint's section.
    bool SetupDepthMesh(VoPropertyList* apViewpoint);
    bool SetupCamera(VoPropertyList* apViewpoint);
    bool SetupDisplayMembers(VoPropertyList* apViewpoint);
    bool SetupHotspots(VoPropertyList* apViewpoint);
    // False when the viewpoint names no close-up file.
    bool SetupCloseUps(VoPropertyList* apViewpoint);
    // The pending placement of the scene manager, else the start placement
    // of scene.txt, else the viewpoint's start waypoint.
    bool PlacePlayer(VoPropertyList* apViewpoint);
    bool SetupCuts();

    // Null is refused, and so is a hotspot held already (both logged).
    bool AddHotspot(MGHotspot* apHotspot);
    // Deletes every hotspot and the hotspot file.
    void ClearHotspots();
    // "viewpoints." + id + ".camera.id" of scene.txt; empty when missing.
    VoString GetViewpointCameraId(const VoString& aViewpointId);

    // Turning input on is refused while the scene is not entered. Input is
    // the scene's mouse listener (order 10) and every hotspot's.
    void SetInputEnabled(bool aEnabled);
    void SetHotspotsEnabled(bool aEnabled);
    // Takes or gives back the engine mouse's lock for the scene.
    void SetMouseLocked(bool aLocked);
    // Starts the interview manager's current interview with its witness;
    // false, logged, when it cannot be started.
    bool StartInterview();
    void EndInterview();
    // Creates, loads and starts the audio when there is none.
    void StartAudio();
    // Stops and deletes the audio; clears the keep-audio flag.
    void StopAudio();
    // While set, leaving the screen keeps the audio playing (the interview
    // screen sets it before it covers the scene).
    void SetKeepAudio(bool aKeep) { fKeepAudio = aKeep; }
    bool GetKeepAudio() const { return fKeepAudio; }
    // Shows or hides every NPC whose entry has an "active" script that builds.
    void UpdateCharacterVisibility();
    // Every hotspot re-evaluates its conditions; those that react, while the
    // input is on, are told the mouse position as a move.
    void RefreshHotspotCursors();

    // Per frame while entered, Update first.
    bool Update();
    bool Render();

    // The screen calls.
    void OnLeaveBegin() override;
    void OnLeaveEnd() override;
    void OnEnter() override;

    // The mouse: button 1 walks the player to the floor under the pointer,
    // a double click runs; a held inventory item is let go instead.
    void OnDoubleClick(int aButton) override;
    void OnButtonDown(int aButton) override;
    void OnMouseMove(const VoVector2* apPosition) override;
    void OnButtonUp(int aButton) override;

    // Nothing asks the scene to walk anywhere.
    void OnArrived(const VoString&) override {}
    void OnFadeEvent(int aCode) override;
    void OnPDAEvent(int aCode) override;
    void OnInterviewEvent(int aCode) override;

    const VoString& GetSceneId() const { return fSceneId; }
    // "//scenes/" + id + "/".
    const VoString& GetScenePath() const { return fScenePath; }
    const VoString& GetViewpointId() const { return fViewpointId; }
    const VoString& GetTargetViewpoint() const { return fTargetViewpoint; }
    // Null without a player.
    MGCharacter* GetPlayer() const { return fpPlayer; }
    // The character of that id (the player or an NPC), or null.
    MGCharacter* GetCharacter(const VoString& aId);
    int GetNPCCount() const { return fNPCCount; }
    MGCharacter* GetNPC(int aIndex) const;

    bool IsEntered() const { return fEntered; }
    bool IsInputEnabled() const { return fInputEnabled; }
    bool IsListening() const { return fListening; }
    bool IsMouseLocked() const { return fMouseLocked; }
    bool IsInInterview() const { return fInInterview; }
    bool IsChangePending() const { return fChangePending; }
    bool IsFadingIn() const { return fFadingIn; }

    // Owned by the scene; null while there is none.
    VoPropertyList* GetSceneFile() const { return fpSceneFile; }
    VoPropertyList* GetEvidence() const { return fpEvidence; }
    VoPropertyList* GetAnimations() const { return fpAnimations; }
    VoDrawElement* GetDepthMesh() const { return fpDepthMesh; }
    VoCamera* GetCamera() const { return fpCamera; }
    // The cut's camera while a cut is selected, else the viewpoint's.
    VoCamera* GetCurrentCamera() const;
    VoSprite* GetBackground() const { return fpBackground; }
    VoDisplayGroup* GetDisplayGroup() const { return fpDisplayGroup; }
    VoNodeGroup* GetSceneGroup() const { return fpSceneGroup; }
    MGPicker* GetPicker() const { return fpPicker; }
    MGLighting* GetLighting() const { return fpLighting; }
    MGSceneAudio* GetAudio() const { return fpAudio; }
    MGAmbientAnimPlayer* GetAmbientPlayer() const { return fpAmbientPlayer; }
    MGShadowSimple* GetShadowSimple() const { return fpShadowSimple; }
    VoShadowBuffer* GetShadowBuffer() const { return fpShadowBuffer; }
    float GetShadowBlend() const { return fShadowBlend; }
    bool AreSimpleShadowsOn() const { return fSimpleShadowsOn; }
    int GetHotspotCount() const { return fHotspots.GetCount(); }
    MGHotspot* GetHotspot(int aIndex) const;
    int GetCloseUpCount() const { return fCloseUps.GetCount(); }
    MGCloseUp* GetCloseUp(int aIndex) const;
    int GetDecalCount() const { return fDecals.GetCount(); }
    VoSprite* GetDecal(int aIndex) const;
    // The selected cut's; null without a cut.
    VoCamera* GetCutCamera() const { return fpCutCamera; }
    VoSprite* GetCutBackground() const { return fpCutBackground; }
    VoVector* GetCutDecals() const { return fpCutDecals; }
    int GetCutCount() const { return fCutCameras.GetCount(); }

    // The close-up on screen, which sets and clears it (not owned).
    void SetOpenCloseUp(MGCloseUp* apCloseUp) { fpOpenCloseUp = apCloseUp; }
    MGCloseUp* GetOpenCloseUp() const { return fpOpenCloseUp; }

    VoString ToString() const override;

private:
    // Whether a cut is selected (its camera or its background exists).
    bool HasCut() const { return fpCutCamera != nullptr || fpCutBackground != nullptr; }
    // The viewpoint's section, or an empty list (logged) when it is missing.
    VoPropertyList* ViewpointSection(const VoString& aId);
    void SetupBackground(VoPropertyList* apViewpoint);
    void SetupDecals(VoPropertyList* apViewpoint);
    // The player gets the navigation's new steering, or none.
    void SetupNavigation(VoPropertyList* apViewpoint);
    // The end of a faded change: a new walk for the target viewpoint.
    void SwitchToTargetViewpoint();
    void SetupShadows(VoPropertyList* apViewpoint);
    // A new character from the file "data" names (the file's "name" set to
    // the id), made with the shadow cache when aWithShadow and the file has
    // one; *apMade says whether Create succeeded. Null when the file
    // cannot be read.
    MGCharacter* MakeCharacter(VoPropertyList* apEntries, const VoString& aId, bool aWithShadow,
                               bool* apMade);
    void DeletePlayer();
    void DeleteNPCs();
    // Shows every NPC, then hides those the viewpoint, the options or their
    // "active" script keep away.
    void UpdateNPCPresence();
    void SetDefaultStates();
    // The root frame's transform of the depth mesh; the identity without one.
    void GetRootMatrix(VoMatrix* apOut) const;
    // The camera's eye and target from its section of cameras.txt, placed
    // by the root matrix, and its projection; false, logged (a missing clip
    // distance by the message given), when a value is missing.
    bool PlaceCamera(VoCamera* apCamera, VoPropertyList* apSection, const VoMatrix& aRoot,
                     const char* apNoNear, const char* apNoFar);
    void BuildCut(VoPropertyList* apCut, VoPropertyList* apCameras, const VoMatrix& aRoot);
    void ClearCut();
    void DeleteCuts();
    void DeleteCloseUps();
    void DeleteDecals();
    // The picker's walk to the floor under the pointer, for button 1.
    void HandlePress(int aButton, bool aRun);
    bool DrawBackground(VoRenderer* apRenderer);
    bool DrawShadows(VoCamera* apCamera);
    bool DrawOverlay(VoRenderer* apRenderer);
    bool ApplyCamera(VoCamera* apCamera);

    VoDrawElement* fpDepthMesh = nullptr;  // owned
    VoString fSceneId;
    VoString fViewpointId;
    VoPropertyList* fpSceneFile = nullptr;    // owned
    VoNodeGroup* fpSceneGroup = nullptr;      // owned; filed with the node manager
    VoSprite* fpBackground = nullptr;         // owned
    VoCamera* fpCamera = nullptr;             // owned; one for every viewpoint
    VoIRasterizer* fpRasterizer;              // not owned: the engine's
    MGPicker* fpPicker = nullptr;             // owned
    VoVector fHotspots;                       // MGHotspot, owned
    VoPropertyList* fpEvidence = nullptr;     // owned
    VoVector fCloseUps;                       // MGCloseUp, owned
    VoPropertyList* fpCloseUpFile = nullptr;  // owned
    VoPropertyList* fpHotspotFile = nullptr;  // owned
    MGCloseUp* fpOpenCloseUp = nullptr;       // not owned
    MGMultiCursor* fpMultiCursor;             // not owned: the game cleaner's
    MGCursor* fpCursor;                       // not owned: the game cleaner's
    MGCharacter* fpPlayer = nullptr;          // owned
    MGCharacter** fppNPCs = nullptr;          // owned, with the NPCs
    int fNPCCount = 0;
    VoHashKeyList fCharacters;  // MGCharacter by id, not owned: the player and the NPCs
    VoMouse* fpMouse;           // not owned: the engine cleaner's
    VoString fScenePath;
    MGScreenFader* fpFader = nullptr;  // not owned: set once a faded change has run
    bool fChangePending = false;
    bool fFadingIn = false;
    VoDisplayGroup* fpDisplayGroup = nullptr;  // owned; not in the display tree
    VoString fTargetViewpoint;
    bool fInInterview = false;
    bool fListening = false;
    bool fInputEnabled = false;
    bool fEntered = false;
    bool fMouseLocked = false;
    MGLighting* fpLighting = nullptr;          // owned
    VoShadowBuffer* fpShadowBuffer = nullptr;  // owned
    float fShadowBlend = kDefaultShadowBlend;
    MGSceneAudio* fpAudio = nullptr;  // owned
    bool fKeepAudio = false;
    MGAmbientAnimPlayer* fpAmbientPlayer = nullptr;  // owned
    VoPropertyList* fpAnimations = nullptr;          // owned
    VoVector fDecals;                                // VoSprite, owned
    VoHashKeyList fCutCameras;                       // VoCamera by cut id, owned
    VoHashKeyList fCutBackgrounds;                   // VoSprite by cut id, owned
    VoHashKeyList fCutDecals;                        // VoVector of VoSprite by cut id, owned with the sprites
    VoHashKeyList fCutDecalScripts;                  // VoVector of VoScript by cut id, owned with the scripts
    VoCamera* fpCutCamera = nullptr;                 // not owned: one of fCutCameras
    VoSprite* fpCutBackground = nullptr;             // not owned: one of fCutBackgrounds
    VoVector* fpCutDecals = nullptr;                 // not owned: one of fCutDecals
    VoVector* fpCutDecalScripts = nullptr;           // not owned: one of fCutDecalScripts
    bool fSimpleShadowsOn = false;
    MGShadowSimple* fpShadowSimple = nullptr;  // owned
};
