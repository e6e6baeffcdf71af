#include "scene/MGScene.h"

#include <initializer_list>

#include "MGBuildVersion.h"
#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "animation/VoAnimationCtrl.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoRenderer.h"
#include "gdi/VoSprite.h"
#include "geometry/VoIMatrixUtil.h"
#include "geometry/VoImage.h"
#include "geometry/VoMatrix.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewManager.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "navigation/VoNavigationTDO.h"
#include "navigation/VoPathFindingWeb.h"
#include "navigation/VoShortestPath.h"
#include "navigation/VoSteeringTDO.h"
#include "navigation/VoWayPoint.h"
#include "pda/MGPDA.h"
#include "pda/MGPDAMinimized.h"
#include "platform/VoMouse.h"
#include "render/VoIRasterizer.h"
#include "render/VoLight.h"
#include "render/VoTextureManager.h"
#include "scene/MGAmbientAnimPlayer.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspot.h"
#include "scene/MGLighting.h"
#include "scene/MGNavigation.h"
#include "scene/MGSceneAudio.h"
#include "scene/MGSceneManager.h"
#include "scene/MGShadowSimple.h"
#include "scene/VoCamera.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoNodeGroup.h"
#include "scene/VoNodeManager.h"
#include "scene/VoShadowBuffer.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoMemoryStream.h"
#include "system/VoIFileSystem.h"
#include "ui/MGCursor.h"
#include "util/MGOptions.h"
#include "util/MGPicker.h"

namespace {

constexpr int kHashShift = 7;
const VoString kEmpty(u"");
const VoString kDot(u".");

int Option(int aIndex) {
    MGOptions* options = MGOptions::GetInstance();
    return options != nullptr ? options->GetOption(aIndex) : 0;
}

// Three floats of the list at the path into *apOut; false (nothing written)
// when the key is missing or holds fewer.
bool ReadVector3(VoPropertyList* apList, const VoString& aPath, VoVector3* apOut) {
    bool found = false;
    const VoVectorFloat values = apList->GetVectorFloat(aPath, &found);
    if (!found || values.GetCount() < 3) {
        return false;
    }
    apOut->Set(values.GetAt(0), values.GetAt(1), values.GetAt(2));
    return true;
}

// A new state of the type named ("boolean", "number", "string") holding the
// value parsed from the text; null (logged by the state) when it cannot be.
VoIState* MakeState(const VoString& aId, const VoString& aTypeName, const VoString& aValue) {
    VoIState* state = VO_NEW VoIState();
    if (state == nullptr) {
        return nullptr;
    }
    const bool initialBool = false;
    const float initialNumber = 0.0f;
    const std::int32_t type = VoIState::TypeOfName(aTypeName);
    const void* initial = type == VoIState::kBoolean  ? static_cast<const void*>(&initialBool)
                          : type == VoIState::kNumber ? static_cast<const void*>(&initialNumber)
                                                      : static_cast<const void*>(&aValue);
    if (!state->Set(aId, type, initial)) {
        delete state;
        return nullptr;
    }
    state->SetValue(aValue);
    return state;
}

// Adds the state; a state the manager does not take is deleted.
void AddState(VoIState* apState, bool aNotify, bool aReplace) {
    VoStateManager* states = VoStateManager::GetInstance();
    if (apState != nullptr && (states == nullptr || !states->AddState(apState, aNotify, aReplace))) {
        delete apState;
    }
}

// A new list read from the file; null when it cannot be read.
VoPropertyList* ReadList(const VoString& aPath) {
    VoPropertyList* list = VO_NEW VoPropertyList();
    if (list != nullptr && !list->Load(aPath, true)) {
        delete list;
        list = nullptr;
    }
    return list;
}

bool Exists(const VoString& aPath) {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    return files != nullptr && files->FileExists(aPath, true);
}

// The same for a file the scene may go without: null, and nothing said,
// when there is none.
VoPropertyList* LoadOptional(const VoString& aPath) {
    return Exists(aPath) ? ReadList(aPath) : nullptr;
}

// A condition built from the text; null when it does not build.
VoScript* BuildScript(const VoString& aText) {
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    VoScript* script = VO_NEW VoScript();
    if (builder == nullptr || script == nullptr || !builder->Build(aText, script)) {
        delete script;
        return nullptr;
    }
    return script;
}

// The texture root for the duration of a build from the scene's folder.
class ScopedTextureRoot {
public:
    ScopedTextureRoot(const VoString& aRoot, const VoString& aAfter)
        : fpTextures(VoTextureManager::GetInstance()), fAfter(aAfter) {
        if (fpTextures == nullptr || !fpTextures->SetRoot(aRoot)) {
            VO_ASSERT_FAILURE(MGScene::kSetRootFailure);
        }
    }
    ~ScopedTextureRoot() {
        if (fpTextures == nullptr || !fpTextures->SetRoot(fAfter)) {
            VO_ASSERT_FAILURE(MGScene::kSetRootFailure);
        }
    }
    ScopedTextureRoot(const ScopedTextureRoot&) = delete;
    ScopedTextureRoot& operator=(const ScopedTextureRoot&) = delete;

private:
    VoTextureManager* fpTextures;  // not owned: the engine cleaner's
    VoString fAfter;
};

VoString CurrentTextureRoot() {
    VoTextureManager* textures = VoTextureManager::GetInstance();
    return textures != nullptr ? textures->GetRoot() : VoString(MGScene::kTextureRoot);
}

// A sprite "bg" showing the image file (filed as a texture under its path);
// without a readable image the sprite shows nothing (logged).
VoSprite* MakeBackground(const VoString& aPath) {
    VoSprite* sprite = VO_NEW VoSprite();
    if (sprite == nullptr) {
        return nullptr;
    }
    sprite->SetId(VoString(MGScene::kBackgroundId));
    VoImage* image = nullptr;
    if (!VoImage::CreateFromFile(aPath, &image) || image == nullptr) {
        VO_ASSERT_FAILURE("");
    } else {
        sprite->SetImage(aPath, image, nullptr, nullptr);
    }
    delete image;
    return sprite;
}

void DeleteSprites(VoVector* apSprites) {
    for (int i = 0; i < apSprites->GetCount(); ++i) {
        delete static_cast<VoSprite*>(apSprites->GetAt(i));
    }
    apSprites->Clear();
}

// Deletes the scripts and their vector.
void DeleteScripts(VoVector* apScripts) {
    for (int i = 0; i < apScripts->GetCount(); ++i) {
        delete static_cast<VoScript*>(apScripts->GetAt(i));
    }
    delete apScripts;
}

template <typename Item>
void DeleteItems(VoHashKeyList& aList) {
    for (int i = 0; i < aList.GetCount(); ++i) {
        delete static_cast<Item*>(aList.GetAt(i));
    }
    aList.Clear();
}

// Whether the list took the item under the id: it refuses a second of the
// same id. Counted, since the empty id is taken with the hash 0 that also
// means refused.
bool Filed(VoHashKeyList& aList, const VoString& aId, void* apItem) {
    const int count = aList.GetCount();
    aList.Add(aId, apItem, true);
    return aList.GetCount() == count + 1;
}

// Files the item under the id; one the list refuses is deleted.
template <typename Item>
void File(VoHashKeyList& aList, const VoString& aId, Item* apItem) {
    if (apItem != nullptr && !Filed(aList, aId, apItem)) {
        delete apItem;
    }
}

}  // namespace

MGScene::MGScene()
    : fpRasterizer(VoIRasterizer::Get()),
      fpMultiCursor(MGMultiCursor::GetInstance()),
      fpCursor(MGCursor::GetInstance()),
      fCharacters(kHashShift, false),
      fpMouse(VoMouse::GetInstance()),
      fCutCameras(kHashShift, false),
      fCutBackgrounds(kHashShift, false),
      fCutDecals(kHashShift, false),
      fCutDecalScripts(kHashShift, false) {
    if (fpMultiCursor != nullptr) {
        fpMultiCursor->Hide(true);
    }
    if (fpMouse != nullptr) {
        fpMouse->SetDoubleClickEnabled(true);
        fListening = fpMouse->AddListener(this, kMouseOrder);
    }
    fpShadowBuffer = VO_NEW VoShadowBuffer();
}

MGScene::~MGScene() {
    if (fpMouse != nullptr) {
        fpMouse->RemoveListener(this);
        if (fMouseLocked) {
            fpMouse->Unlock(this);
        }
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        screens->RemoveScreen(this);
    }
    // At shut-down the game's cleaner may have deleted the fader already
    // (made after the scene manager, it goes first): ask for it again.
    MGScreenFader* fader = fpFader != nullptr ? MGScreenFader::GetInstance() : nullptr;
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->RemoveListener(this);
    }
    // The navigation's steering walks the player, who goes with the scene.
    MGNavigation* navigation = MGNavigation::GetInstance();
    if (navigation != nullptr && navigation->GetScene() == this) {
        navigation->Reset();
    }
    delete fpSceneGroup;  // it leaves the node manager
    delete fpAudio;
    delete fpAmbientPlayer;
    delete fpAnimations;
    delete fpSceneFile;
    delete fpEvidence;
    DeleteDecals();
    fCharacters.Clear();
    DeleteCloseUps();
    delete fpCloseUpFile;
    delete fpBackground;
    delete fpDepthMesh;
    delete fpPicker;
    delete fpCamera;
    ClearHotspots();
    DeletePlayer();
    DeleteNPCs();
    delete fpDisplayGroup;
    delete fpLighting;
    DeleteCuts();
    delete fpShadowBuffer;
    delete fpShadowSimple;
}

bool MGScene::Load(const VoString& aId) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kLoadInvalidId);
        return false;
    }
    const VoString path = VoString(kSceneRoot) + aId + VoString(u"/");
    return LoadList(aId, ReadList(path + VoString(kSceneFile)));
}

bool MGScene::LoadList(const VoString& aId, VoPropertyList* apSceneFile) {
    if (aId.GetLength() == 0) {
        VO_ERROR(kLoadInvalidId);
        delete apSceneFile;
        return false;
    }
    fSceneId = aId;
    AddState(MakeState(VoString(kCurrentSceneState), VoString(u"string"), aId), false, true);
    fScenePath = VoString(kSceneRoot) + aId + VoString(u"/");

    delete fpSceneFile;
    fpSceneFile = apSceneFile;
    if (fpSceneFile == nullptr) {
        VO_ERROR(kLoadFailure, aId);
        return false;
    }

    delete fpSceneGroup;
    fpSceneGroup = VO_NEW VoNodeGroup();
    VoNodeManager* nodes = VoNodeManager::GetInstance();
    bool loaded = fpSceneGroup != nullptr && fpSceneGroup->SetNodeId(VoString(kSceneGroupId)) &&
                  nodes != nullptr && nodes->AddGroup(fpSceneGroup);

    delete fpEvidence;
    fpEvidence = LoadOptional(fScenePath + VoString(kEvidenceFile));

    delete fpAudio;
    fpAudio = nullptr;
    StartAudio();

    delete fpAnimations;
    fpAnimations = LoadOptional(fScenePath + VoString(kAnimationsFile));

    SetDefaultStates();
    loaded = SetupLights() && loaded;
    if (!SetupCharacters()) {
        VO_ASSERT_FAILURE(kSetupCharactersFailure);
    }

    VoPropertyList* sounds = LoadOptional(fScenePath + VoString(kSoundsFile));
    if (sounds != nullptr && fpPlayer != nullptr) {
        fpPlayer->LoadFootsteps(sounds);
    }
    delete sounds;

    bool found = false;
    const VoString viewpoint = fpSceneFile->GetString(VoString(u"defaultviewpoint"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoDefaultViewpoint);
    }
    return SetViewpoint(viewpoint) && loaded;
}

void MGScene::SetDefaultStates() {
    VoPropertyList* entries = fpSceneFile->GetList(VoString(u"defaultstates"));
    for (int i = 0; entries != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        VoString parts[3];
        const char16_t* const keys[3] = {u"id", u"type", u"value"};
        for (int k = 0; k < 3; ++k) {
            bool found = false;
            parts[k] = entry->GetString(VoString(keys[k]), &found);
            if (!found) {
                VO_ASSERT_FAILURE("");
            }
        }
        // Never over a state that exists: a saved game's or an earlier scene's.
        AddState(MakeState(parts[0], parts[1], parts[2]), false, false);
    }
}

bool MGScene::SetupLights() {
    delete fpLighting;
    fpLighting = VO_NEW MGLighting(fpRasterizer);
    return fpLighting != nullptr && fpLighting->CreateFromFile(fScenePath + VoString(kLightsFile));
}

MGCharacter* MGScene::MakeCharacter(VoPropertyList* apEntries, const VoString& aId, bool aWithShadow,
                                    bool* apMade) {
    *apMade = false;
    bool found = false;
    const VoString data = apEntries->GetString(aId + VoString(u".data"), &found);
    if (!found) {
        VO_ASSERT_FAILURE("'", aId, kDataNotFound);
    }
    VoPropertyList file;
    if (!found || !file.Load(VoString(kCharacterRoot) + data, true)) {
        VO_ASSERT_FAILURE(kPropListFailure);
        return nullptr;
    }
    // The file's own "name" gives way to the id the scene knows it by.
    const VoString name(u"name");
    bool named = false;
    file.GetString(name, &named);
    VoString* old = nullptr;
    if (named && file.RemoveProperty(name, &old)) {
        delete old;
    }
    file.SetString(name, aId);
    MGCharacter* character = VO_NEW MGCharacter();
    if (character == nullptr) {
        return nullptr;
    }
    bool hasShadow = false;
    const VoString shadow = file.GetString(VoString(u"shadowvolume"), &hasShadow);
    if (aWithShadow && hasShadow) {
        const VoString shadowPath = VoString(kShadowRoot) + shadow;
        *apMade = character->Create(&file, &shadowPath);
    } else {
        *apMade = character->Create(&file, nullptr);
    }
    return character;
}

bool MGScene::SetupCharacters() {
    DeletePlayer();
    fCharacters.Clear();
    VoPropertyList* player = fpSceneFile->GetList(VoString(u"characters.player"));
    if (player == nullptr || player->GetCount() == 0) {
        VO_ASSERT_FAILURE(kNoPlayerSection);
    } else {
        const VoString id = player->GetKeyAt(0);
        bool made = false;
        fpPlayer = MakeCharacter(player, id, true, &made);
        if (!made) {
            VO_ASSERT_FAILURE(kPlayerSetupFailure);
            DeletePlayer();
        } else {
            fpPlayer->SetPlayer(true);
            fCharacters.Add(id, fpPlayer, true);
        }
    }
    if (fpPlayer == nullptr) {
        VO_ERROR(kNoPlayer);
    }

    DeleteNPCs();
    VoPropertyList* npcs = fpSceneFile->GetList(VoString(u"characters.npcs"));
    if (npcs == nullptr) {
        VO_ASSERT_FAILURE(kNoNpcSection);
        return true;
    }
    if (npcs->GetCount() == 0) {
        return true;
    }
    fppNPCs = VO_NEW MGCharacter* [npcs->GetCount()]();
    if (fppNPCs == nullptr) {
        return true;
    }
    for (int i = 0; i < npcs->GetCount(); ++i) {
        const VoString id = npcs->GetKeyAt(i);
        bool made = false;
        MGCharacter* npc = MakeCharacter(npcs, id, false, &made);
        if (npc == nullptr) {
            npc = VO_NEW MGCharacter();
        } else if (!made) {
            VO_ASSERT_FAILURE(kNpcSetupFailure);
        }
        if (npc == nullptr) {
            continue;
        }
        fppNPCs[fNPCCount++] = npc;
        fCharacters.Add(id, npc, true);
        VoVector3 value;
        if (ReadVector3(npcs, id + VoString(u".position"), &value)) {
            npc->SetPosition(value);
        } else {
            VO_ASSERT_FAILURE(kNoPosition);
        }
        if (ReadVector3(npcs, id + VoString(u".direction"), &value)) {
            npc->SetDirection(value);
        } else {
            VO_ASSERT_FAILURE(kNoDirection);
        }
        VoAnimationCtrl* ctrl = npc->GetAnimationCtrl();
        if (ctrl != nullptr && npc->GetIdleAnimation() != nullptr) {
            ctrl->SetAnimation(npc->GetIdleAnimation(), false, 0.0f, VoCharacter::kBlendRate,
                               VoCharacter::kIdleFlags, 1.0f);
        }
    }
    return true;
}

void MGScene::DeletePlayer() {
    delete fpPlayer;
    fpPlayer = nullptr;
}

void MGScene::DeleteNPCs() {
    for (int i = 0; i < fNPCCount; ++i) {
        delete fppNPCs[i];
    }
    delete[] fppNPCs;
    fppNPCs = nullptr;
    fNPCCount = 0;
}

MGCharacter* MGScene::GetCharacter(const VoString& aId) {
    return static_cast<MGCharacter*>(fCharacters.Get(aId));
}

MGCharacter* MGScene::GetNPC(int aIndex) const {
    return aIndex >= 0 && aIndex < fNPCCount ? fppNPCs[aIndex] : nullptr;
}

VoPropertyList* MGScene::ViewpointSection(const VoString& aId) {
    const VoString path = VoString(u"viewpoints.") + aId;
    VoPropertyList* section = fpSceneFile != nullptr ? fpSceneFile->GetList(path) : nullptr;
    if (section == nullptr) {
        VO_ASSERT_FAILURE("'", path, "' not found.");
    }
    return section;
}

bool MGScene::SetViewpoint(const VoString& aId) {
    AddState(MakeState(VoString(kCurrentViewpointState), VoString(u"string"), aId), true, true);
    fViewpointId = aId;
    if (MGBuildVersion* version = MGBuildVersion::GetInstance()) {
        version->SetViewDescription(aId);
    }
    ClearCut();
    DeleteCuts();

    // A viewpoint that is not there reads as one without keys.
    VoPropertyList empty;
    VoPropertyList* viewpoint = ViewpointSection(aId);
    if (viewpoint == nullptr) {
        viewpoint = &empty;
    }

    SetupBackground(viewpoint);
    if (!SetupDepthMesh(viewpoint)) {
        VO_ASSERT_FAILURE(kSetupDepthMeshFailure);
    }
    if (!SetupCamera(viewpoint)) {
        VO_ASSERT_FAILURE(kSetupCameraFailure);
    }
    delete fpPicker;
    fpPicker = VO_NEW MGPicker(fpCamera);
    if (!SetupDisplayMembers(viewpoint)) {
        VO_ASSERT_FAILURE(kSetupDisplayMembersFailure);
    }

    if (fpAudio != nullptr) {
        fpAudio->SetViewpoint(aId);
    }
    delete fpAmbientPlayer;
    fpAmbientPlayer = MGAmbientAnimPlayer::CreateForViewpoint(fpAnimations, aId);

    SetupDecals(viewpoint);
    SetupNavigation(viewpoint);
    UpdateNPCPresence();
    if (MGInterviewManager* interviews = MGInterviewManager::GetInstance()) {
        interviews->ClearInterviews();
    }
    if (!SetupHotspots(viewpoint)) {
        VO_ASSERT_FAILURE(kSetupHotspotsFailure);
    }
    SetupCloseUps(viewpoint);
    SetupShadows(viewpoint);
    return true;
}

void MGScene::SetupBackground(VoPropertyList* apViewpoint) {
    delete fpBackground;
    bool found = false;
    const VoString file = apViewpoint->GetString(VoString(u"background"), &found);
    fpBackground = MakeBackground(fScenePath + file);
}

bool MGScene::SetupDepthMesh(VoPropertyList* apViewpoint) {
    delete fpDepthMesh;
    fpDepthMesh = nullptr;
    const VoString file = apViewpoint->GetString(VoString(u"depthmesh"), nullptr);
    VoMemoryStream stream(kMeshLoadCapacity, VoMemoryStream::kGrowDouble);
    if (!stream.CreateFromFile(fScenePath + file, true)) {
        VO_ASSERT_FAILURE("");
        return false;
    }
    fpDepthMesh = VO_NEW VoDrawElement();
    if (fpDepthMesh == nullptr || !fpDepthMesh->Load(&stream, VoDrawElement::kRenderList)) {
        // A half-read mesh would hide nothing and mislead the camera and
        // the navigation: none at all.
        delete fpDepthMesh;
        fpDepthMesh = nullptr;
        return false;
    }
    return true;
}

void MGScene::GetRootMatrix(VoMatrix* apOut) const {
    const VoFrame* root = fpDepthMesh != nullptr ? fpDepthMesh->GetRootFrame() : nullptr;
    if (root != nullptr) {
        *apOut = root->GetAbsoluteMatrix();
    } else {
        MatrixIdentity(apOut);
    }
}

bool MGScene::PlaceCamera(VoCamera* apCamera, VoPropertyList* apSection, const VoMatrix& aRoot,
                          const char* apNoNear, const char* apNoFar) {
    VoIMatrixUtil* util = VoIMatrixUtil::GetInstance();
    bool placed = true;
    const char16_t* const keys[2] = {u"position", u"target"};
    const char* const missing[2] = {kNoPosition, kNoTarget};
    VoVector3 points[2];
    for (int i = 0; i < 2; ++i) {
        VoVector3 point;
        if (!ReadVector3(apSection, VoString(keys[i]), &point)) {
            VO_ASSERT_FAILURE(missing[i]);
            placed = false;
            points[i] = i == 0 ? apCamera->GetPosition() : apCamera->GetTarget();
        } else if (util != nullptr) {
            util->Vec3TransformCoord(&points[i], &point, &aRoot);
        }
    }
    apCamera->SetPosition(points[0].x, points[0].y, points[0].z);
    apCamera->SetTarget(points[1].x, points[1].y, points[1].z);

    bool found[3] = {};
    const float fovX = apSection->GetFloat(VoString(u"fovx"), &found[0]);
    const float zNear = apSection->GetFloat(VoString(u"znear"), &found[1]);
    const float zFar = apSection->GetFloat(VoString(u"zfar"), &found[2]);
    const char* const absent[3] = {kNoFovX, apNoNear, apNoFar};
    for (int i = 0; i < 3; ++i) {
        if (!found[i]) {
            VO_ASSERT_FAILURE(absent[i]);
            placed = false;
        }
    }
    // A projection missing a value keeps the one the camera had.
    if (found[0] && found[1] && found[2]) {
        apCamera->SetProjectionFovX(fovX, zNear, zFar);
    }
    return placed;
}

bool MGScene::SetupCamera(VoPropertyList* apViewpoint) {
    VoMatrix root;
    GetRootMatrix(&root);
    if (fpCamera == nullptr) {
        fpCamera = VO_NEW VoCamera();
        if (fpCamera == nullptr) {
            return false;
        }
    }
    bool found = false;
    const VoString id = apViewpoint->GetString(VoString(u"camera.id"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoCameraId);
    }
    fpCamera->SetName(id);
    VoPropertyList cameras;
    cameras.Load(fScenePath + VoString(kCamerasFile), true);
    VoPropertyList* section = cameras.GetList(id);
    if (section == nullptr) {
        VO_ASSERT_FAILURE(kCameraNotFound, id);
        return false;
    }
    const bool placed = PlaceCamera(fpCamera, section, root, kNoZNear, kNoZFar);
    VoVector3 up(0.0f, 1.0f, 0.0f);
    ReadVector3(section, VoString(u"upvector"), &up);
    fpCamera->SetUp(up.x, up.y, up.z);
    return placed;
}

bool MGScene::SetupDisplayMembers(VoPropertyList* apViewpoint) {
    delete fpDisplayGroup;
    fpDisplayGroup = nullptr;
    VoPropertyList* section = apViewpoint->GetList(VoString(kDisplayGroupId));
    if (section != nullptr) {
        ScopedTextureRoot root(fScenePath, VoString(kTextureRoot));
        fpDisplayGroup = VoLayoutBuilder::BuildGroup(section, true);
    }
    if (fpDisplayGroup == nullptr) {
        fpDisplayGroup = VO_NEW VoDisplayGroup();
        if (fpDisplayGroup == nullptr) {
            return false;
        }
        fpDisplayGroup->SetId(VoString(kDisplayGroupId));
    }
    return true;
}

void MGScene::SetupDecals(VoPropertyList* apViewpoint) {
    DeleteDecals();
    VoPropertyList* decals = apViewpoint->GetList(VoString(u"decals"));
    if (decals == nullptr) {
        return;
    }
    ScopedTextureRoot root(fScenePath, CurrentTextureRoot());
    for (int i = 0; i < decals->GetCount(); ++i) {
        VoSprite* sprite = VoLayoutBuilder::BuildSprite(decals->GetListAt(i));
        if (sprite != nullptr) {
            fDecals.Add(sprite);
        }
    }
}

VoSprite* MGScene::GetDecal(int aIndex) const {
    return static_cast<VoSprite*>(fDecals.GetAt(aIndex));
}

void MGScene::DeleteDecals() {
    DeleteSprites(&fDecals);
}

void MGScene::SetupNavigation(VoPropertyList* apViewpoint) {
    if (fpPlayer != nullptr) {
        fpPlayer->ResetSteeringStarted();
    }
    MGNavigation* navigation = MGNavigation::GetInstance();
    if (navigation != nullptr) {
        navigation->SetScene(this);
    }
    VoSteeringTDO* steering = navigation != nullptr ? navigation->GetSteering() : nullptr;
    if (fpPlayer != nullptr) {
        // The steering of the last viewpoint is gone, also when this one
        // has none to give.
        if (steering != nullptr) {
            fpPlayer->SetSteering(steering);
            steering->SetCharacter(fpPlayer);
        } else {
            fpPlayer->ClearSteering();
        }
    }
    PlacePlayer(apViewpoint);
}

bool MGScene::PlacePlayer(VoPropertyList* apViewpoint) {
    MGNavigation* navigation = MGNavigation::GetInstance();
    VoNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    VoSteeringTDO* steering = navigation != nullptr ? navigation->GetSteering() : nullptr;
    // The place is read, and what is missing said, also for a viewpoint
    // without a walk to put the player on.
    auto place = [walker](const VoVector2& aAt) {
        if (walker != nullptr) {
            walker->SetPosition(VoVector3(aAt.x, aAt.y, 0.0f));
        }
    };
    auto face = [steering](const VoVector2& aFacing) {
        if (steering != nullptr) {
            steering->SetDirection(aFacing);
        }
    };
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    const VoVector2* pending = scenes != nullptr ? scenes->GetPendingPosition() : nullptr;
    if (pending != nullptr) {
        place(*pending);
        if (const VoVector2* direction = scenes->GetPendingDirection()) {
            face(*direction);
        }
        return true;
    }

    VoPropertyList* start = fpSceneFile->GetList(VoString(kStartPlacement));
    if (start == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    VoVector3 value;
    if (start != nullptr && ReadVector3(start, VoString(u"position"), &value)) {
        // A point of the world: the walker stands on its ground point (x, z).
        place(VoVector2(value.x, value.z));
        if (ReadVector3(start, VoString(u"direction"), &value)) {
            face(VoVector2(value.x, value.z));
        }
        return true;
    }

    bool found = false;
    const VoString id = apViewpoint->GetString(VoString(u"startwaypoint"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoStartWayPoint);
        return true;
    }
    VoPathFindingWeb* web = navigation != nullptr ? navigation->GetPathFinding() : nullptr;
    if (web == nullptr) {
        // No walk here: no waypoint to look up.
        return true;
    }
    VoWayPoint* waypoint = web->GetWayPoint(id);
    if (waypoint == nullptr) {
        VO_ASSERT_FAILURE(kWayPointNotFound, id);
        return true;
    }
    place(waypoint->fCoords);
    const VoVectorFloat direction = apViewpoint->GetVectorFloat(VoString(u"startdirection"), &found);
    if (found && direction.GetCount() > 2) {
        face(VoVector2(direction.GetAt(0), direction.GetAt(2)));
    }
    return true;
}

void MGScene::UpdateNPCPresence() {
    for (int i = 0; i < fNPCCount; ++i) {
        if (fppNPCs[i] != nullptr) {
            fppNPCs[i]->SetVisible(true);
        }
    }
    VoPropertyList* npcs =
        fpSceneFile != nullptr ? fpSceneFile->GetList(VoString(u"characters.npcs")) : nullptr;
    for (int i = 0; npcs != nullptr && i < npcs->GetCount(); ++i) {
        VoPropertyList* entry = npcs->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool visible = true;
        bool found = false;
        VoVectorString viewpoints = entry->GetVectorString(VoString(u"viewpoints"), &found);
        viewpoints.SetIgnoreCase(false);
        const bool elsewhere = found && !viewpoints.Contains(fViewpointId);
        const bool extra = entry->GetBool(VoString(u"extra"), nullptr);
        if (elsewhere || (extra && Option(kExtrasOffOption) == 1)) {
            visible = false;
        } else {
            const VoString active = entry->GetString(VoString(u"active"), &found);
            if (found) {
                if (VoScript* script = BuildScript(active)) {
                    visible = script->Evaluate();
                    delete script;
                }
            }
        }
        if (MGCharacter* npc = GetCharacter(npcs->GetKeyAt(i))) {
            npc->SetVisible(visible);
        }
    }
}

void MGScene::UpdateCharacterVisibility() {
    VoPropertyList* npcs =
        fpSceneFile != nullptr ? fpSceneFile->GetList(VoString(u"characters.npcs")) : nullptr;
    for (int i = 0; npcs != nullptr && i < npcs->GetCount(); ++i) {
        VoPropertyList* entry = npcs->GetListAt(i);
        bool found = false;
        const VoString active = entry != nullptr ? entry->GetString(VoString(u"active"), &found) : kEmpty;
        VoScript* script = found ? BuildScript(active) : nullptr;
        MGCharacter* npc = GetCharacter(npcs->GetKeyAt(i));
        if (script != nullptr && npc != nullptr) {
            npc->SetVisible(script->Evaluate());
        }
        delete script;
    }
}

bool MGScene::SetupHotspots(VoPropertyList* apViewpoint) {
    ClearHotspots();
    fpHotspotFile = VO_NEW VoPropertyList();
    bool found = false;
    const VoString name = apViewpoint->GetString(VoString(u"hotspots"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoHotspots);
        return true;
    }
    if (fpHotspotFile == nullptr || !fpHotspotFile->Load(fScenePath + name + VoString(u".txt"), true)) {
        return false;
    }
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    for (int i = 0; i < fpHotspotFile->GetCount(); ++i) {
        VoPropertyList* entry = fpHotspotFile->GetListAt(i);
        MGHotspot* hotspot = entry != nullptr ? MGHotspot::Create(entry) : nullptr;
        if (hotspot == nullptr) {
            continue;
        }
        if (!AddHotspot(hotspot)) {
            delete hotspot;
            continue;
        }
        if (hotspot->GetKind() == MGHotspot::kInterview && interviews != nullptr) {
            bool hasInterview = false;
            const VoString interview =
                entry->GetString(VoString(u"typedata.interview.interviewid"), &hasInterview);
            if (hasInterview) {
                interviews->PreloadInterview(interview);
            }
        }
        // A hotspot hears the mouse only while the scene's input is on: not
        // before the scene is entered, nor during a faded viewpoint change.
        hotspot->SetEnabled(fInputEnabled);
    }
    if (fpHotspotFile->GetCount() > 0) {
        SetupCuts();
    }
    return true;
}

bool MGScene::AddHotspot(MGHotspot* apHotspot) {
    if (apHotspot == nullptr) {
        VO_ERROR(kAddHotspotNull);
        return false;
    }
    if (fHotspots.Contains(apHotspot)) {
        VO_ERROR(kAddHotspotDuplicate);
        return false;
    }
    return fHotspots.Add(apHotspot);
}

void MGScene::ClearHotspots() {
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        delete static_cast<MGHotspot*>(fHotspots.GetAt(i));
    }
    fHotspots.Clear();
    delete fpHotspotFile;
    fpHotspotFile = nullptr;
}

MGHotspot* MGScene::GetHotspot(int aIndex) const {
    return static_cast<MGHotspot*>(fHotspots.GetAt(aIndex));
}

bool MGScene::SetupCloseUps(VoPropertyList* apViewpoint) {
    fpOpenCloseUp = nullptr;
    // Close-ups belong to their viewpoint: none of the last one stays.
    DeleteCloseUps();
    delete fpCloseUpFile;
    fpCloseUpFile = nullptr;
    bool found = false;
    const VoString name = apViewpoint->GetString(VoString(u"closeups"), &found);
    if (!found) {
        return false;
    }
    fpCloseUpFile = ReadList(fScenePath + name);
    for (int i = 0; fpCloseUpFile != nullptr && i < fpCloseUpFile->GetCount(); ++i) {
        MGCloseUp* closeUp = VO_NEW MGCloseUp();
        if (closeUp != nullptr) {
            closeUp->Read(fpCloseUpFile->GetListAt(i));
            fCloseUps.Add(closeUp);
        }
    }
    return true;
}

void MGScene::DeleteCloseUps() {
    for (int i = 0; i < fCloseUps.GetCount(); ++i) {
        delete static_cast<MGCloseUp*>(fCloseUps.GetAt(i));
    }
    fCloseUps.Clear();
}

MGCloseUp* MGScene::GetCloseUp(int aIndex) const {
    return static_cast<MGCloseUp*>(fCloseUps.GetAt(aIndex));
}

void MGScene::SetupShadows(VoPropertyList* apViewpoint) {
    if (fpLighting != nullptr) {
        fpLighting->SetCamera(fpCamera != nullptr ? fpCamera->GetName() : kEmpty);
        bool found = false;
        const VoString caster = apViewpoint->GetString(VoString(u"shadowcaster"), &found);
        if (!found) {
            VO_ASSERT_FAILURE(kNoShadowCaster);
        } else {
            fpLighting->SetShadowLight(caster);
        }
    }
    // Only on screen: a covering screen fades the scene in as it leaves.
    if (fpFader != nullptr && fEntered) {
        fpFader->SetValue(1.0f);
        fpFader->SetTargetValue(0.0f);
        fpFader->FadeIn();
        fFadingIn = true;
    }
    bool found = false;
    const float blend = apViewpoint->GetFloat(VoString(u"shadowblend"), &found);
    fShadowBlend = found ? blend : kDefaultShadowBlend;
    fSimpleShadowsOn = Option(kSimpleShadowOption) != 0;
    if (fSimpleShadowsOn && fpShadowSimple == nullptr) {
        fpShadowSimple = VO_NEW MGShadowSimple(fpRasterizer);
    }
}

VoString MGScene::GetViewpointCameraId(const VoString& aViewpointId) {
    if (fpSceneFile == nullptr) {
        return kEmpty;
    }
    bool found = false;
    const VoString id =
        fpSceneFile->GetString(VoString(u"viewpoints.") + aViewpointId + VoString(u".camera.id"), &found);
    return found ? id : kEmpty;
}

bool MGScene::SetupCuts() {
    VoPropertyList* cuts = fpSceneFile != nullptr ? fpSceneFile->GetList(VoString(u"cuts")) : nullptr;
    if (cuts == nullptr) {
        return true;
    }
    VoPropertyList cameras;
    cameras.Load(fScenePath + VoString(kCamerasFile), true);
    VoMatrix root;
    GetRootMatrix(&root);
    ClearCut();
    DeleteCuts();
    for (int i = 0; i < cuts->GetCount(); ++i) {
        if (VoPropertyList* cut = cuts->GetListAt(i)) {
            BuildCut(cut, &cameras, root);
        }
    }
    return true;
}

void MGScene::BuildCut(VoPropertyList* apCut, VoPropertyList* apCameras, const VoMatrix& aRoot) {
    const VoString id = apCut->GetString(VoString(u"id"), nullptr);
    const VoString cameraId = apCut->GetString(VoString(u"camera"), nullptr);
    const VoString background = apCut->GetString(VoString(u"background"), nullptr);
    VoPropertyList* section = apCameras->GetList(cameraId);
    if (section == nullptr) {
        VO_ASSERT_FAILURE(kCameraNotFound, cameraId);
    } else if (VoCamera* camera = VO_NEW VoCamera()) {
        camera->SetName(cameraId);
        PlaceCamera(camera, section, aRoot, kNoCutZNear, kNoCutZFar);
        camera->SetUp(0.0f, 1.0f, 0.0f);
        File(fCutCameras, id, camera);
    }
    File(fCutBackgrounds, id, MakeBackground(fScenePath + background));

    VoPropertyList* decals = apCut->GetList(VoString(u"decals"));
    if (decals == nullptr) {
        return;
    }
    VoVector* sprites = VO_NEW VoVector();
    VoVector* scripts = VO_NEW VoVector();
    if (sprites == nullptr || scripts == nullptr) {
        delete sprites;
        delete scripts;
        return;
    }
    {
        ScopedTextureRoot root(fScenePath, CurrentTextureRoot());
        for (int i = 0; i < decals->GetCount(); ++i) {
            VoPropertyList* entry = decals->GetListAt(i);
            VoSprite* sprite = VoLayoutBuilder::BuildSprite(entry);
            if (sprite == nullptr) {
                continue;
            }
            bool found = false;
            const VoString visible = entry->GetString(VoString(u"visible"), &found);
            sprites->Add(sprite);
            // Kept beside its sprite: a script that does not build is null.
            scripts->Add(BuildScript(found ? visible : VoString(u"script[true]")));
        }
    }
    // The two lists hold the same ids, so both take the cut's or neither.
    if (!Filed(fCutDecals, id, sprites)) {
        DeleteSprites(sprites);
        delete sprites;
        DeleteScripts(scripts);
        return;
    }
    Filed(fCutDecalScripts, id, scripts);
}

void MGScene::ClearCut() {
    fpCutCamera = nullptr;
    fpCutBackground = nullptr;
    fpCutDecals = nullptr;
    fpCutDecalScripts = nullptr;
}

void MGScene::DeleteCuts() {
    DeleteItems<VoCamera>(fCutCameras);
    DeleteItems<VoSprite>(fCutBackgrounds);
    for (int i = 0; i < fCutDecals.GetCount(); ++i) {
        VoVector* sprites = static_cast<VoVector*>(fCutDecals.GetAt(i));
        DeleteSprites(sprites);
        delete sprites;
    }
    fCutDecals.Clear();
    for (int i = 0; i < fCutDecalScripts.GetCount(); ++i) {
        DeleteScripts(static_cast<VoVector*>(fCutDecalScripts.GetAt(i)));
    }
    fCutDecalScripts.Clear();
}

bool MGScene::SetCut(const VoString& aId) {
    if (aId.EqualsNoCase(kNoCut)) {
        ClearCut();
        return true;
    }
    fpCutCamera = static_cast<VoCamera*>(fCutCameras.Get(aId));
    fpCutBackground = static_cast<VoSprite*>(fCutBackgrounds.Get(aId));
    fpCutDecals = static_cast<VoVector*>(fCutDecals.Get(aId));
    fpCutDecalScripts = static_cast<VoVector*>(fCutDecalScripts.Get(aId));
    return true;
}

VoCamera* MGScene::GetCurrentCamera() const {
    return fpCutCamera != nullptr ? fpCutCamera : fpCamera;
}

void MGScene::ChangeViewpoint(const VoString& aId) {
    fTargetViewpoint = aId;
    MGNavigation* navigation = MGNavigation::GetInstance();
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    VoNavigationTDO* walker = navigation != nullptr ? navigation->GetNavigation() : nullptr;
    if (scenes != nullptr && walker != nullptr) {
        const VoVector3& here = walker->GetPosition();
        VoVector2 place(here.x, here.y);
        if (!navigation->IsInViewpoint(aId)) {
            VoShortestPath route;
            VoWayPoint* last = nullptr;
            if (navigation->GetPathToViewpoint(aId, &route) && route.fPath.GetCount() > 0 &&
                navigation->GetPathFinding() != nullptr) {
                last =
                    navigation->GetPathFinding()->GetWayPoint(route.fPath.GetAt(route.fPath.GetCount() - 1));
            }
            if (last != nullptr) {
                place = last->fCoords;
            } else {
                // Without a route the player stays where it stands.
                VO_ASSERT_FAILURE(kNoPathToViewpoint);
            }
        }
        scenes->SetPendingPosition(place);
        if (fpPlayer != nullptr) {
            const VoVector3& facing = fpPlayer->GetDirection();
            scenes->SetPendingDirection(VoVector2(facing.x, facing.z));
        }
    }
    if (!fEntered) {
        // Not on screen: the screen over the scene has the screen fader and
        // fades as it leaves; a fade of the scene's own would fight it.
        SwitchToTargetViewpoint();
        return;
    }
    SetInputEnabled(false);
    fpFader = MGScreenFader::GetInstance();
    if (fpFader == nullptr) {
        return;
    }
    fpFader->SetListener(this);
    fpFader->SetValue(0.0f);
    fpFader->SetTargetValue(1.0f);
    // Pending first: a picture that is black already finishes inside FadeOut.
    fChangePending = true;
    fpFader->FadeOut();
}

void MGScene::OnFadeEvent(int aCode) {
    if (aCode != kFinished) {
        return;
    }
    if (fChangePending) {
        fChangePending = false;
        SwitchToTargetViewpoint();
    } else if (fFadingIn) {
        fFadingIn = false;
        if (!fInputEnabled && fEntered) {
            SetInputEnabled(true);
        }
    }
}

void MGScene::SwitchToTargetViewpoint() {
    if (MGNavigation* navigation = MGNavigation::GetInstance()) {
        navigation->Reset();
    }
    // The reset deleted the steering the player walked with.
    if (fpPlayer != nullptr) {
        fpPlayer->ClearSteering();
    }
    if (!SetViewpoint(fTargetViewpoint)) {
        VO_ASSERT_FAILURE(kSetViewpointFailure);
    }
}

void MGScene::OnEnter() {
    if (fpCursor != nullptr) {
        fpCursor->SetActive(true);
    }
    if (MGBuildVersion* version = MGBuildVersion::GetInstance()) {
        version->SetViewDescription(fViewpointId);
    }
    fEntered = true;
    if (!fInInterview) {
        SetInputEnabled(true);
    }
    if (fpMouse != nullptr) {
        fpMouse->Unlock(this);
    }
    fMouseLocked = false;
    if (fpDisplayGroup != nullptr) {
        fpDisplayGroup->SetActive(true);
        fpDisplayGroup->SetEnabled(true);
    }
    if (fpSceneGroup != nullptr) {
        fpSceneGroup->SetVisible(true);
    }
    if (fpCursor != nullptr) {
        fpCursor->ResetCursor(kEmpty);
    }
    if (MGPDA* pda = MGPDA::GetInstance()) {
        pda->SetListener(this);
        pda->Minimize(false);
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Show();
    }
    if (fpPlayer != nullptr) {
        fpPlayer->ResetAmbientTimer();
    }
    for (int i = 0; i < fNPCCount; ++i) {
        fppNPCs[i]->ResetAmbientTimer();
    }
    UpdateNPCPresence();
    fSimpleShadowsOn = Option(kSimpleShadowOption) != 0;
    if (fSimpleShadowsOn && fpShadowSimple == nullptr) {
        fpShadowSimple = VO_NEW MGShadowSimple(fpRasterizer);
    }
    StartAudio();
    delete fpAmbientPlayer;
    fpAmbientPlayer = MGAmbientAnimPlayer::CreateForViewpoint(fpAnimations, fViewpointId);
}

void MGScene::OnLeaveBegin() {
    if (fInputEnabled) {
        SetInputEnabled(false);
    }
    if (fpDisplayGroup != nullptr) {
        fpDisplayGroup->SetEnabled(false);
    }
}

void MGScene::OnLeaveEnd() {
    if (MGBuildVersion* version = MGBuildVersion::GetInstance()) {
        version->SetViewDescription(kEmpty);
    }
    if (fInputEnabled) {
        SetInputEnabled(false);
    }
    if (fpMouse != nullptr) {
        fpMouse->Unlock(this);
    }
    fMouseLocked = false;
    if (fpDisplayGroup != nullptr) {
        fpDisplayGroup->SetActive(false);
    }
    if (fpSceneGroup != nullptr) {
        fpSceneGroup->SetVisible(false);
    }
    fEntered = false;
    if (fpPlayer != nullptr) {
        fpPlayer->StopAmbient();
    }
    for (int i = 0; i < fNPCCount; ++i) {
        fppNPCs[i]->StopAmbient();
    }
    if (fpOpenCloseUp == nullptr && !fKeepAudio) {
        StopAudio();
    }
    fKeepAudio = false;
}

void MGScene::SetInputEnabled(bool aEnabled) {
    if (aEnabled && !fEntered) {
        return;
    }
    fInputEnabled = aEnabled;
    if (fListening != aEnabled && fpMouse != nullptr) {
        if (aEnabled) {
            fListening = fpMouse->AddListener(this, kMouseOrder);
        } else {
            fpMouse->RemoveListener(this);
            fListening = false;
        }
    }
    SetHotspotsEnabled(aEnabled);
}

void MGScene::SetHotspotsEnabled(bool aEnabled) {
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        static_cast<MGHotspot*>(fHotspots.GetAt(i))->SetEnabled(aEnabled);
    }
}

void MGScene::SetMouseLocked(bool aLocked) {
    if (fpMouse == nullptr) {
        return;
    }
    if (aLocked) {
        fMouseLocked = fpMouse->Lock(this);
    } else {
        fpMouse->Unlock(this);
        fMouseLocked = false;
    }
}

void MGScene::RefreshHotspotCursors() {
    VoVector2 position;
    if (fpMouse != nullptr) {
        fpMouse->GetPosition(position);
    }
    for (int i = 0; i < fHotspots.GetCount(); ++i) {
        MGHotspot* hotspot = static_cast<MGHotspot*>(fHotspots.GetAt(i));
        if (hotspot->UpdateEnabled() && fInputEnabled) {
            hotspot->OnMouseMove(&position);
        }
    }
}

void MGScene::HandlePress(int aButton, bool aRun) {
    if (fMouseLocked && fpMouse != nullptr) {
        fpMouse->ConsumeEvent();
    }
    if (!fInputEnabled) {
        return;
    }
    if (fpCursor != nullptr && fpCursor->GetCurrentId() == MGCursor::kItem) {
        fpCursor->SetBaseCursor(MGCursor::kDefault);
        fpCursor->ResetCursor(kEmpty);
        if (fpMouse != nullptr) {
            fpMouse->ConsumeEvent();
        }
        RefreshHotspotCursors();
        return;
    }
    if (aButton != 1 || fpPicker == nullptr || fpPlayer == nullptr || fpMouse == nullptr) {
        return;
    }
    VoVector2 position;
    fpMouse->GetPosition(position);
    fpPicker->Pick(static_cast<int>(position.x), static_cast<int>(position.y), aRun);
}

void MGScene::OnButtonDown(int aButton) {
    HandlePress(aButton, false);
}

void MGScene::OnDoubleClick(int aButton) {
    HandlePress(aButton, true);
}

void MGScene::OnButtonUp(int) {
    if (fMouseLocked && fpMouse != nullptr) {
        fpMouse->ConsumeEvent();
    }
}

void MGScene::OnMouseMove(const VoVector2* apPosition) {
    if (VoCursor* cursor = VoCursor::GetInstance()) {
        cursor->OnMouseMove(apPosition);
    }
}

void MGScene::OnPDAEvent(int aCode) {
    if (aCode == MGIPDAListener::kMinimized && !fInputEnabled && fEntered) {
        SetInputEnabled(true);
    }
}

void MGScene::OnInterviewEvent(int aCode) {
    if (aCode == MGIInterviewListener::kStarted && fInputEnabled) {
        SetInputEnabled(false);
    } else if (aCode == MGIInterviewListener::kEnded && !fInputEnabled && fEntered) {
        SetInputEnabled(true);
    }
}

bool MGScene::StartInterview() {
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    MGCharacter* witness = interview != nullptr ? GetCharacter(interview->GetCharacterId()) : nullptr;
    if (witness != nullptr) {
        witness->SetAmbientSuspended(true);
    }
    if (fpPlayer != nullptr) {
        fpPlayer->SetAmbientSuspended(true);
    }
    if (interview != nullptr) {
        interview->SetListener(this);
    }
    if (interview == nullptr || !interviews->StartInterview()) {
        VO_ERROR(kStartInterviewFailure);
        // Nothing runs: the characters go on with their gestures.
        if (witness != nullptr) {
            witness->SetAmbientSuspended(false);
        }
        if (fpPlayer != nullptr) {
            fpPlayer->SetAmbientSuspended(false);
        }
        return false;
    }
    fInInterview = true;
    if (witness != nullptr && fpPlayer != nullptr) {
        witness->SetLookAtTarget(fpPlayer);
        fpPlayer->SetLookAtTarget(witness);
    }
    if (witness != nullptr) {
        witness->SetHeadTracking(true);
    }
    if (fpPlayer != nullptr) {
        fpPlayer->SetHeadTracking(true);
    }
    return true;
}

void MGScene::EndInterview() {
    MGInterviewManager* interviews = MGInterviewManager::GetInstance();
    MGInterview* interview = interviews != nullptr ? interviews->GetCurrentInterview() : nullptr;
    MGCharacter* witness = interview != nullptr ? GetCharacter(interview->GetCharacterId()) : nullptr;
    for (MGCharacter* character : {witness, fpPlayer}) {
        if (character != nullptr) {
            character->SetAmbientSuspended(false);
            character->SetHeadTracking(false);
        }
    }
    fInInterview = false;
    SetHotspotsEnabled(true);
}

void MGScene::StartAudio() {
    if (fpAudio != nullptr) {
        return;
    }
    if (!Exists(fScenePath + VoString(MGSceneAudio::kFileName))) {
        return;
    }
    fpAudio = VO_NEW MGSceneAudio();
    if (fpAudio == nullptr) {
        return;
    }
    if (!fpAudio->Load(fScenePath)) {
        delete fpAudio;
        fpAudio = nullptr;
        return;
    }
    // Audio started again over a viewpoint brings that viewpoint's sounds too.
    if (fViewpointId.GetLength() > 0) {
        fpAudio->SetViewpoint(fViewpointId);
    } else {
        fpAudio->Start();
    }
}

void MGScene::StopAudio() {
    if (fpAudio != nullptr) {
        fpAudio->Stop();
        delete fpAudio;
        fpAudio = nullptr;
    }
    fKeepAudio = false;
}

bool MGScene::Update() {
    if (!fEntered) {
        return true;
    }
    bool updated = true;
    if (fpPlayer != nullptr) {
        // A viewpoint without a walk leaves the player no steering: it stands
        // where it is, which is no failure.
        const bool steered = fpPlayer->GetSteering() != nullptr;
        updated = (fpPlayer->UpdateSteering() || !steered) && updated;
        MGNavigation* navigation = MGNavigation::PeekInstance();
        if (steered && navigation != nullptr) {
            navigation->PlaceOnGround(fpPlayer);
        }
        updated = fpPlayer->UpdateTransform() && updated;
        if (fSimpleShadowsOn && fpShadowSimple != nullptr) {
            updated = fpShadowSimple->Update(*fpPlayer->GetPosition()) && updated;
        }
    }
    for (int i = 0; i < fNPCCount; ++i) {
        MGCharacter* npc = fppNPCs[i];
        if (!npc->IsCharacterVisible()) {
            continue;
        }
        // An NPC stands where scene.txt puts it: without a steering the call
        // only starts its idle, and is no failure.
        const bool steered = npc->UpdateSteering() || npc->GetSteering() == nullptr;
        updated = steered && updated;
        updated = npc->UpdateTransform() && updated;
    }
    return updated;
}

bool MGScene::ApplyCamera(VoCamera* apCamera) {
    return apCamera != nullptr && apCamera->Apply();
}

bool MGScene::DrawBackground(VoRenderer* apRenderer) {
    apRenderer->BeginRender();
    // A background whose picture could not be read has nothing to draw, and
    // is no reason to draw nothing else.
    VoSprite* background = fpCutBackground != nullptr ? fpCutBackground : fpBackground;
    const bool painted =
        background != nullptr && (background->GetTexture() != 0 || background->GetTileGroup() != nullptr);
    if (painted && !background->Render(apRenderer)) {
        apRenderer->EndRender();
        return false;
    }
    if (!HasCut() && fpAmbientPlayer != nullptr) {
        fpAmbientPlayer->DrawBackground(apRenderer);
    }
    if (fpDisplayGroup != nullptr && fHotspots.GetCount() > 0 && fpCutBackground == nullptr) {
        for (int i = 0; i < fHotspots.GetCount(); ++i) {
            static_cast<MGHotspot*>(fHotspots.GetAt(i))->Render(apRenderer);
        }
    }
    apRenderer->EndRender();
    return true;
}

bool MGScene::DrawShadows(VoCamera* apCamera) {
    if (fpPlayer == nullptr) {
        return true;
    }
    if (fSimpleShadowsOn && fpShadowSimple != nullptr) {
        return fpShadowSimple->Render();
    }
    // Without a light to cast from there is no shadow to count.
    VoLight* light = fpLighting != nullptr ? fpLighting->GetShadowLight() : nullptr;
    if (fpShadowBuffer == nullptr || light == nullptr) {
        return true;
    }
    VoLight caster = *light;
    if (caster.fType == VoLight::kDirectional) {
        // A directional light has no place of its own: the volumes are cast
        // from far back along its direction, so that their sides run nearly
        // parallel, and not from the world's origin.
        caster.fPosition = *fpPlayer->GetPosition() - caster.fDirection * kDirectionalCasterDistance;
    }
    bool drawn = fpShadowBuffer->BeginShadowPass();
    drawn = fpPlayer->UpdateShadow(&caster, apCamera) && drawn;
    drawn = fpPlayer->RenderShadow(kShadowVolumeArgument) && drawn;
    return fpShadowBuffer->Render(fShadowBlend) && drawn;
}

bool MGScene::DrawOverlay(VoRenderer* apRenderer) {
    apRenderer->BeginRender();
    if (!HasCut()) {
        for (int i = 0; i < fDecals.GetCount(); ++i) {
            static_cast<VoSprite*>(fDecals.GetAt(i))->Render(apRenderer);
        }
        if (fpAmbientPlayer != nullptr) {
            fpAmbientPlayer->DrawForeground(apRenderer);
        }
    } else if (fpCutDecals != nullptr) {
        for (int i = 0; i < fpCutDecals->GetCount(); ++i) {
            VoScript* script =
                fpCutDecalScripts != nullptr ? static_cast<VoScript*>(fpCutDecalScripts->GetAt(i)) : nullptr;
            if (fpCutDecalScripts == nullptr || (script != nullptr && script->Evaluate())) {
                static_cast<VoSprite*>(fpCutDecals->GetAt(i))->Render(apRenderer);
            }
        }
    }
    return apRenderer->EndRender();
}

bool MGScene::Render() {
    if (!fEntered) {
        return true;
    }
    VoCamera* camera = GetCurrentCamera();
    VoRenderer* renderer = VoRenderer::GetInstance();
    if (renderer == nullptr || fpRasterizer == nullptr) {
        return false;
    }
    if (!DrawBackground(renderer) || !ApplyCamera(camera)) {
        return false;
    }

    // The room into the depth buffer only: the picture stays, and hides
    // whatever the room hides.
    fpRasterizer->SetColorWrite(false);
    fpRasterizer->SetAlphaBlending(false);
    fpRasterizer->EnableDepthBuffer(true);
    fpRasterizer->EnableDepthWrite(true);
    if (fpDepthMesh != nullptr) {
        fpDepthMesh->Render();
    }
    fpRasterizer->EnableLight(7, false);
    fpRasterizer->SetColorWrite(true);

    if (fpPlayer != nullptr) {
        fpPlayer->UpdateSkin();
    }
    for (int i = 0; i < fNPCCount; ++i) {
        fppNPCs[i]->UpdateSkin();
    }
    DrawShadows(camera);

    if (!ApplyCamera(camera)) {
        return false;
    }
    if (fpLighting != nullptr) {
        fpLighting->Apply();
    }
    if (fpPlayer != nullptr) {
        fpPlayer->Render();
    }
    for (int i = 0; i < fNPCCount; ++i) {
        fppNPCs[i]->Render();
    }
    DrawOverlay(renderer);
    return true;
}

VoString MGScene::ToString() const {
    return VoDebugString("MGScene", this);
}
