#include "scene/MGHotspot.h"

#include <cstdlib>
#include <ctime>

#include "animation/VoGestureAnimManager.h"
#include "character/VoGesturePlayer.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorString.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoRectangle.h"
#include "interview/MGSubtitle.h"
#include "memory/VoNew.h"
#include "multicursor/MGMultiCursor.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGHotspotAction.h"
#include "scene/MGHotspotInterview.h"
#include "scene/MGHotspotNavigate.h"
#include "scene/MGHotspotTarget.h"
#include "scene/MGHotspotTypeData.h"
#include "scene/MGNavigation.h"
#include "scene/MGObjectOfInterest.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "scene/VoDrawElement.h"
#include "scene/VoFrame.h"
#include "scene/VoMesh.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "ui/MGCursor.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGOptions.h"

namespace {

// The keys of the action table, in its order (look, collect, use, analyze,
// talk), and of the voice-over and cut-scene lists.
const char16_t* const kActionKeys[MGHotspot::kActionCount] = {u"look", u"collect", u"use", u"analyze",
                                                              u"talk"};
const char16_t* const kListKeys[MGHotspot::kListCount] = {u"look", u"use", u"satisfied", u"unsatisfied"};

// The walk speeds of the press and the double click.
constexpr int kWalk = 1;
constexpr int kRun = 2;

// The name up to its first ".".
VoString BaseName(const VoString& aName) {
    const int dot = aName.Find(u".");
    return dot >= 0 ? aName.SubString(0, dot) : aName;
}

bool IsNone(const VoString& aValue) {
    return aValue.GetLength() == 0 || aValue == VoString(MGHotspot::kNone);
}

bool HoldsItem(MGCursor* apCursor) {
    return apCursor != nullptr && (apCursor->GetCurrentId() == MGCursor::kItem ||
                                   apCursor->GetCurrentId() == MGCursor::kItemHighlighted);
}

}  // namespace

MGHotspot* MGHotspot::Create(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        return nullptr;
    }
    bool found = false;
    const VoString type = apEntry->GetString(VoString(u"type"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kTypeNotFound);
    }
    MGHotspot* hotspot = nullptr;
    if (type.EqualsNoCase(u"navigate")) {
        hotspot = VO_NEW MGHotspotNavigate();
    } else if (type.EqualsNoCase(u"interview")) {
        hotspot = VO_NEW MGHotspotInterview();
    } else if (type.EqualsNoCase(u"target")) {
        hotspot = VO_NEW MGHotspotTarget();
    } else if (type.EqualsNoCase(u"general")) {
        hotspot = VO_NEW MGHotspot(kGeneral);
    } else {
        VO_ASSERT_FAILURE(kInvalidType, type);
        return nullptr;
    }
    if (hotspot == nullptr) {
        return nullptr;
    }
    hotspot->ReadEntry(apEntry);
    return hotspot;
}

VoScript* MGHotspot::BuildScript(const VoString& aText) {
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    VoScript* script = VO_NEW VoScript();
    if (builder == nullptr || script == nullptr || !builder->Build(aText, script)) {
        delete script;
        VO_ERROR(kScriptFailure);
        return nullptr;
    }
    return script;
}

void MGHotspot::ApplyResults(const VoVectorString* apEvents, const VoVectorString* apStates) {
    if (apEvents != nullptr) {
        if (VoEventManager* events = VoEventManager::GetInstance()) {
            for (int i = 0; i < apEvents->GetCount(); ++i) {
                events->AddEvent(apEvents->GetAt(i), true);
            }
        }
    }
    if (apStates != nullptr) {
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            for (int i = 0; i + 2 < apStates->GetCount(); i += 3) {
                states->SetState(apStates->GetAt(i), apStates->GetAt(i + 1), apStates->GetAt(i + 2), true);
            }
        }
    }
}

int MGHotspot::CollectAnimationCode(const VoString& aWord) {
    if (aWord.EqualsNoCase(u"camera") || aWord.EqualsNoCase(u"camera_mid")) {
        return kCameraMiddle;
    }
    if (aWord.EqualsNoCase(u"camera_low")) {
        return kCameraLow;
    }
    if (aWord.EqualsNoCase(u"camera_high")) {
        return kCameraHigh;
    }
    if (aWord.EqualsNoCase(u"table")) {
        return kPickTable;
    }
    return kPickGround;
}

VoString MGHotspot::RandomGesture(int aRandom) {
    static const char16_t* const kGestures[3] = {u"/SS_M/SS_X1_AL.lia1", u"/SS_M/SS_Y1_AR.lia1",
                                                 u"/SS_M/SS_A1_AB.lia1"};
    const int index = aRandom % 3;
    return VoString(kGestures[index < 0 ? index + 3 : index]);
}

int MGHotspot::SkillLevel() {
    MGOptions* options = MGOptions::GetInstance();
    const int level = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    return level < 0 ? 0 : (level > MGOptions::kMaxSkillLevel ? MGOptions::kMaxSkillLevel : level);
}

MGHotspot::MGHotspot(int aKind)
    : fKind(aKind),
      fpEvents(VoEventManager::GetInstance()),
      fpStates(VoStateManager::GetInstance()),
      fpScene(nullptr),
      fpMouse(VoMouse::GetInstance()),
      fpCursor(MGCursor::GetInstance()),
      fpMultiCursor(MGMultiCursor::GetInstance()) {
    if (MGSceneManager* scenes = MGSceneManager::GetInstance()) {
        fpScene = scenes->GetScene();
    }
    if (fpEvents != nullptr) {
        fpEvents->AddListener(this, kListenerOrder);
    }
    if (fpStates != nullptr) {
        fpStates->AddListener(this, kListenerOrder);
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MGHotspot::~MGHotspot() {
    if (fpSoundPlayer != nullptr) {
        // A line cut short (the scene went) takes its subtitle with it.
        if (MGSubtitle* subtitle = MGSubtitle::PeekInstance()) {
            subtitle->Hide();
        }
    }
    StopVoice();
    if (fListening && fpMouse != nullptr) {
        fpMouse->RemoveListener(this);
    }
    if (MGMultiCursor* menu = MGMultiCursor::GetInstance()) {
        menu->RemoveListener(this);
    }
    if (MGNavigation* navigation = MGNavigation::PeekInstance()) {
        navigation->RemoveListener(this);
    }
    if (MGScene* scene = Scene()) {
        if (MGCharacter* player = scene->GetPlayer()) {
            player->RemoveListener(this);
        }
        for (int i = 0; i < scene->GetNPCCount(); ++i) {
            scene->GetNPC(i)->RemoveListener(this);
        }
    }
    if (fpEvents != nullptr) {
        fpEvents->RemoveListener(this);
    }
    if (fpStates != nullptr) {
        fpStates->RemoveListener(this);
    }
    delete fpBoundary;
    delete fpEnabled;
    delete fpDisplayVisible;
    delete fpMeshActive;
    delete fpTypeData;
    for (MGHotspotAction* action : fpActions) {
        delete action;
    }
    delete fpObjectOfInterest;
    for (int i = 0; i < kListCount; ++i) {
        delete fpVoiceOvers[i];
        delete fpCutScenes[i];
    }
}

bool MGHotspot::ReadEntry(VoPropertyList* apEntry) {
    if (apEntry == nullptr) {
        return false;
    }
    bool found = false;
    fId = apEntry->GetString(VoString(u"id"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kIdNotFound);
    }
    const VoString enabled = apEntry->GetString(VoString(u"enabled"), &found);
    if (found) {
        fpEnabled = BuildScript(enabled);
    } else {
        VO_ASSERT_FAILURE(kEnabledNotFound);
    }
    ReadDisplay(apEntry);
    ReadMesh(apEntry);
    ReadBoundary(apEntry);
    ReadData(apEntry);
    UpdateEnabled();
    return true;
}

void MGHotspot::ReadDisplay(VoPropertyList* apEntry) {
    VoPropertyList* display = apEntry->GetList(VoString(u"display"));
    if (display == nullptr) {
        return;
    }
    bool found = false;
    const bool inCloseUp = apEntry->GetBool(VoString(u"closeup"), &found);
    const VoString member = display->GetString(VoString(u"memberid"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kMemberIdNotFound);
    } else {
        MGScene* scene = Scene();
        MGCloseUp* closeUp = scene != nullptr ? scene->GetOpenCloseUp() : nullptr;
        VoDisplayGroup* group = nullptr;
        if (inCloseUp) {
            group = closeUp != nullptr ? closeUp->GetDisplayGroup() : nullptr;
        } else if (scene != nullptr) {
            group = scene->GetDisplayGroup();
        }
        fpDisplayMember = group != nullptr ? group->GetMember(member) : nullptr;
        if (fpDisplayMember == nullptr) {
            VO_ASSERT_FAILURE(kMemberNotFound, member);
        }
    }
    const VoString visible = display->GetString(VoString(u"visible"), &found);
    if (found) {
        fpDisplayVisible = BuildScript(visible);
    } else {
        VO_ASSERT_FAILURE(kVisibleNotFound);
    }
}

void MGHotspot::ReadMesh(VoPropertyList* apEntry) {
    VoPropertyList* mesh = apEntry->GetList(VoString(u"mesh"));
    if (mesh == nullptr) {
        return;
    }
    bool found = false;
    fMeshId = mesh->GetString(VoString(u"id"), &found);
    if (fMeshId.GetLength() == 0) {
        return;
    }
    const VoString active = mesh->GetString(VoString(u"active"), &found);
    fpMeshActive = BuildScript(found ? active : VoString(kAlways));
}

void MGHotspot::ReadBoundary(VoPropertyList* apEntry) {
    VoPropertyList* boundary = apEntry->GetList(VoString(u"boundary"));
    if (boundary == nullptr) {
        VO_ASSERT_FAILURE(kBoundaryNotFound);
        return;
    }
    bool found = false;
    const VoString type = boundary->GetString(VoString(u"type"), &found);
    if (!found) {
        VO_ASSERT_FAILURE(kBoundaryNotFound);
    }
    bool hasCoords = false;
    const VoVectorFloat coords = boundary->GetVectorFloat(VoString(u"coords"), &hasCoords);
    if (!hasCoords) {
        VO_ASSERT_FAILURE(kCoordsNotFound);
    }
    if (!found) {
    } else if (type.EqualsNoCase(u"rectangle")) {
        if (coords.GetCount() >= 4) {
            fpBoundary = VO_NEW VoPolygon(
                VoRectangle(coords.GetAt(0), coords.GetAt(1), coords.GetAt(2), coords.GetAt(3)));
        } else if (hasCoords) {
            // Fewer than the four numbers of a rectangle read as none.
            VO_ASSERT_FAILURE(kCoordsNotFound);
        }
    } else if (type.EqualsNoCase(u"polygon")) {
        if (hasCoords) {
            fpBoundary = VO_NEW VoPolygon(coords, true);
        }
    } else {
        VO_ASSERT_FAILURE(kBoundaryTypeUndefined, type);
    }
    const VoVectorFloat position = boundary->GetVectorFloat(VoString(u"position"), &found);
    if (found && position.GetCount() >= 2) {
        fBoundaryPosition = VoVector2(position.GetAt(0), position.GetAt(1));
    } else {
        VO_ASSERT_FAILURE(kPositionNotFound);
    }
}

void MGHotspot::ReadData(VoPropertyList* apEntry) {
    VoPropertyList* data = apEntry->GetList(VoString(u"data"));
    if (data == nullptr) {
        VO_ASSERT_FAILURE(kDataNotFound);
        return;
    }
    if (VoPropertyList* menu = data->GetList(VoString(u"multicursor"))) {
        ReadMultiCursor(menu);
    }
    ReadObjectOfInterest(data);
    ReadLists(data, u"voiceovers", fpVoiceOvers);
    ReadLists(data, u"cutscenes", fpCutScenes);
}

void MGHotspot::ReadMultiCursor(VoPropertyList* apMenu) {
    fHasMultiCursor = true;
    bool found = false;
    const VoVectorFloat position = apMenu->GetVectorFloat(VoString(u"position"), &found);
    if (found && position.GetCount() >= 2) {
        fMultiCursorPosition = VoVector2(position.GetAt(0), position.GetAt(1));
    } else {
        VO_ASSERT_FAILURE(kMenuPositionNotFound);
    }
    VoString side = apMenu->GetString(VoString(u"orientation"), &found);
    if (!found) {
        side = apMenu->GetString(VoString(u"side"), &found);
    }
    fMenuOnLeft = found && side.EqualsNoCase(u"left");
    fOperatingId = apMenu->GetString(VoString(u"operatingid"), &found);
    const VoString animation = apMenu->GetString(VoString(u"collectanim"), &found);
    fCollectAnimation = found ? CollectAnimationCode(animation) : kNoCollectAnimation;
    for (int i = 0; i < kActionCount; ++i) {
        fpActions[i] = VO_NEW MGHotspotAction();
        if (fpActions[i] != nullptr) {
            fpActions[i]->Read(apMenu->GetList(VoString(kActionKeys[i])));
        }
    }
}

void MGHotspot::ReadObjectOfInterest(VoPropertyList* apData) {
    VoPropertyList* object = apData->GetList(VoString(u"objectofinterest"));
    if (object == nullptr) {
        return;
    }
    bool found = false;
    const VoString id = object->GetString(VoString(u"id"), &found);
    MGScene* scene = Scene();
    VoPropertyList* evidence = scene != nullptr ? scene->GetEvidence() : nullptr;
    if (!found || evidence == nullptr) {
        return;
    }
    VoPropertyList* section = evidence->GetList(id);
    if (section == nullptr) {
        VO_ASSERT_FAILURE(kEvidenceNotFound, id);
        return;
    }
    fpObjectOfInterest = VO_NEW MGObjectOfInterest();
    if (fpObjectOfInterest != nullptr) {
        fpObjectOfInterest->Read(section);
    }
}

void MGHotspot::ReadLists(VoPropertyList* apData, const char16_t* apKey, VoVectorString** appLists) {
    VoPropertyList* section = apData->GetList(VoString(apKey));
    if (section == nullptr) {
        return;
    }
    for (int i = 0; i < kListCount; ++i) {
        bool found = false;
        const VoVectorString list = section->GetVectorString(VoString(kListKeys[i]), &found);
        if (found) {
            appLists[i] = VO_NEW VoVectorString(list);
        }
    }
}

void MGHotspot::SetTypeData(MGHotspotTypeData* apData) {
    delete fpTypeData;
    fpTypeData = apData;
}

VoPropertyList* MGHotspot::ReadTypeData(VoPropertyList* apEntry, const char16_t* apPath,
                                        MGHotspotTypeData* apData, const char* apNoSection,
                                        const char* apNoEnabled) {
    VoPropertyList* section = apEntry != nullptr ? apEntry->GetList(VoString(apPath)) : nullptr;
    if (section == nullptr || apData == nullptr) {
        VO_ASSERT_FAILURE(apNoSection);
        return nullptr;
    }
    bool found = false;
    const VoString enabled = section->GetString(VoString(u"enabled"), &found);
    if (found) {
        apData->fpEnabled = BuildScript(enabled);
    } else {
        VO_ASSERT_FAILURE(apNoEnabled);
    }
    return section;
}

bool MGHotspot::Read(VoIStream*) {
    if (fKind != kGeneral) {
        VO_ERROR(kReadNYI);
    }
    return false;
}

bool MGHotspot::Write(VoIStream*) {
    if (fKind != kGeneral) {
        VO_ERROR(kWriteNYI);
    }
    return false;
}

MGHotspotAction* MGHotspot::GetAction(int aIndex) const {
    return aIndex >= 0 && aIndex < kActionCount ? fpActions[aIndex] : nullptr;
}

const VoVectorString* MGHotspot::GetVoiceOvers(int aIndex) const {
    return aIndex >= 0 && aIndex < kListCount ? fpVoiceOvers[aIndex] : nullptr;
}

const VoVectorString* MGHotspot::GetCutScenes(int aIndex) const {
    return aIndex >= 0 && aIndex < kListCount ? fpCutScenes[aIndex] : nullptr;
}

bool MGHotspot::ActionEnabled(int aIndex) const {
    const MGHotspotAction* action = GetAction(aIndex);
    return action != nullptr && action->IsEnabled();
}

const VoVectorString* MGHotspot::DoneEvents(int aIndex) const {
    const MGHotspotAction* action = GetAction(aIndex);
    return action != nullptr ? action->GetDoneEvents() : nullptr;
}

const VoVectorString* MGHotspot::StateChanges(int aIndex) const {
    const MGHotspotAction* action = GetAction(aIndex);
    return action != nullptr ? action->GetStateChanges() : nullptr;
}

MGScene* MGHotspot::Scene() const {
    // The scene the hotspot was made in, while it is still the current one.
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    return scenes != nullptr && fpScene != nullptr && scenes->GetScene() == fpScene ? fpScene : nullptr;
}

MGCharacter* MGHotspot::SceneCharacter(const VoString& aId) const {
    MGScene* scene = Scene();
    return scene != nullptr ? scene->GetCharacter(aId) : nullptr;
}

MGCharacter* MGHotspot::Player() const {
    MGScene* scene = Scene();
    return scene != nullptr ? scene->GetPlayer() : nullptr;
}

void MGHotspot::SetSceneInput(bool aEnabled) {
    if (MGScene* scene = Scene()) {
        scene->SetInputEnabled(aEnabled);
    }
}

void MGHotspot::SetSceneHotspots(bool aEnabled) {
    if (MGScene* scene = Scene()) {
        scene->SetHotspotsEnabled(aEnabled);
    }
}

void MGHotspot::SetMouseLocked(bool aLocked) {
    if (MGScene* scene = Scene()) {
        scene->SetMouseLocked(aLocked);
    }
}

void MGHotspot::RefreshSceneHotspots() {
    if (MGScene* scene = Scene()) {
        scene->RefreshHotspotCursors();
    }
}

void MGHotspot::ListenToMouse(bool aListen) {
    if (fpMouse == nullptr || aListen == fListening) {
        return;
    }
    if (aListen) {
        fListening = fpMouse->AddListener(this, kMouseOrder);
    } else {
        fpMouse->RemoveListener(this);
        fListening = false;
    }
}

void MGHotspot::SetEnabled(bool aEnabled) {
    fActive = aEnabled;
    ListenToMouse(aEnabled && fConditionsMet);
}

void MGHotspot::DeactivateSelf() {
    fActive = false;
    ListenToMouse(false);
}

bool MGHotspot::UpdateEnabled() {
    bool met = fpEnabled == nullptr || fpEnabled->Evaluate();
    // A general hotspot does not react while the player carries its own item.
    if (met && fKind == kGeneral && HoldsItem(fpCursor) && fpCursor->GetItemId() == fOperatingId) {
        met = false;
    }
    if (fpDisplayMember != nullptr && fpDisplayVisible != nullptr) {
        fpDisplayMember->SetActive(fpDisplayVisible->Evaluate());
    }
    SetMeshFlag();
    if (met != fConditionsMet) {
        fConditionsMet = met;
        ListenToMouse(met && fActive);
    }
    return fListening;
}

void MGHotspot::SetMeshFlag() {
    if (fMeshId.GetLength() == 0) {
        return;
    }
    MGScene* scene = Scene();
    VoDrawElement* element = scene != nullptr ? scene->GetDepthMesh() : nullptr;
    VoFrame* frame = element != nullptr ? element->FindFrame(fMeshId, false) : nullptr;
    VoMesh* mesh = frame != nullptr ? frame->GetMesh() : nullptr;
    if (mesh == nullptr) {
        return;
    }
    if (fpMeshActive != nullptr && fpMeshActive->Evaluate()) {
        mesh->SetFlags(VoMesh::kDrawn);
    } else {
        mesh->ClearFlags(VoMesh::kDrawn);
    }
}

bool MGHotspot::Render(VoRenderer* apRenderer) {
    if (fpDisplayMember != nullptr && fpDisplayVisible != nullptr && fpDisplayVisible->Evaluate()) {
        return fpDisplayMember->Render(apRenderer);
    }
    return true;
}

bool MGHotspot::CheckWithin(const VoVector2& aPoint) {
    if (fpBoundary == nullptr) {
        VO_ASSERT_FAILURE(kNoBoundary);
        return false;
    }
    const VoVector2 local(aPoint.x - fBoundaryPosition.x, aPoint.y - fBoundaryPosition.y);
    return fpBoundary->ContainsPoint(local, false, kEdgeTolerance);
}

void MGHotspot::OnEvent(VoEvent*) {
    UpdateEnabled();
}

void MGHotspot::OnStateChanged(VoIState*) {
    UpdateEnabled();
}

void MGHotspot::OnMouseMove(const VoVector2* apPosition) {
    if (!fActive || apPosition == nullptr) {
        return;
    }
    if (HoverAt(*apPosition) && fpMouse != nullptr) {
        fpMouse->ConsumeEvent();
    }
}

bool MGHotspot::HoverAt(const VoVector2& aPoint) {
    const bool inside = CheckWithin(aPoint);
    if (inside != fHovered) {
        fHovered = inside;
        UpdateCursor();
    }
    return inside;
}

void MGHotspot::UpdateCursor() {
    if (fpCursor == nullptr) {
        return;
    }
    if (fHovered) {
        fpCursor->SetCursor(kRolloverCursor, fId);
    } else {
        fpCursor->ResetCursor(fId);
    }
}

void MGHotspot::UpdateItemTargetCursor() {
    if (fpCursor == nullptr) {
        return;
    }
    if (!fHovered) {
        fpCursor->ResetCursor(fId);
    } else if (fpCursor->GetCurrentId() == MGCursor::kItem) {
        fpCursor->SetCursor(MGCursor::kItemHighlighted, fId);
    } else {
        fpCursor->SetCursor(kTargetCursor, fId);
    }
}

void MGHotspot::OnButtonDown(int aButton) {
    if (!fActive || fVoiceOverPlaying) {
        return;
    }
    fWaitingForPose = false;
    if (aButton != 1) {
        return;
    }
    fPressed = true;
    if (PrepareAct(kWalk)) {
        // Last: a navigate hotspot may be gone after it.
        Act(false);
    }
}

void MGHotspot::OnDoubleClick(int aButton) {
    if (!fActive || aButton != 1) {
        return;
    }
    if (PrepareAct(kRun)) {
        Act(true);
    }
}

bool MGHotspot::PrepareAct(int aMoveAnimation) {
    // The moves made while a lock holder had the mouse, or while the
    // hotspots were off, never reached us: the hover state may lag behind
    // the pointer, so the press is judged where the pointer is now.
    if (fpMouse != nullptr) {
        VoVector2 pointer;
        HoverAt(fpMouse->GetPosition(pointer));
    }
    MGNavigation* navigation = MGNavigation::GetInstance();
    MGCharacter* player = Player();
    if (!fHovered) {
        // A press elsewhere calls off what this hotspot set going.
        if (navigation != nullptr) {
            navigation->RemoveListener(this);
        }
        if (player != nullptr) {
            player->StopTurn();
        }
        return false;
    }
    if (fKind == kGeneral && HoldsItem(fpCursor)) {
        return false;
    }
    if (fpMouse != nullptr) {
        fpMouse->ConsumeEvent();
    }
    if (fpObjectOfInterest == nullptr || player == nullptr) {
        return true;
    }
    const VoVector3* position = player->GetPosition();
    const VoVector2 ground(position->x, position->z);
    if (fpObjectOfInterest->fVCoords.Distance(ground) > fpObjectOfInterest->fRadius) {
        if (navigation != nullptr) {
            navigation->SetListener(this);
            navigation->WalkTo(fpObjectOfInterest->fVCoords, true, aMoveAnimation, true);
        }
        return false;
    }
    return !player->TurnTo(fpObjectOfInterest->fCoords, this);
}

void MGHotspot::OnButtonUp(int aButton) {
    if (fActive && aButton == 1) {
        fPressed = false;
    }
}

void MGHotspot::Act(bool) {
    ShowMultiCursor();
}

void MGHotspot::OnArrived(const VoString&) {
    MGCharacter* player = Player();
    if (player != nullptr && fpObjectOfInterest != nullptr &&
        player->TurnTo(fpObjectOfInterest->fCoords, this)) {
        return;
    }
    Act(false);
}

void MGHotspot::TrackTargetDone() {
    ShowMultiCursor();
}

void MGHotspot::Execute() {
    Act(false);
}

void MGHotspot::ShowMultiCursor() {
    if (fpMultiCursor == nullptr) {
        return;
    }
    fpMultiCursor->SetLayout(fMenuOnLeft ? 1 : 0);
    bool look = ActionEnabled(kLookIndex);
    const VoVectorString* lines = fpVoiceOvers[kLookList];
    if (look && lines != nullptr && lines->GetCount() > 0 && fpEvents != nullptr) {
        // Look is offered until its voice-over has been heard once.
        const VoString played = VoString(u"evt_") + fId + u"_" + BaseName(lines->GetAt(0)) + u"_played";
        look = !fpEvents->HasEvent(played);
    }
    fpMultiCursor->SetActionEnabled(MGIMultiCursorListener::kLook, look);
    fpMultiCursor->SetActionEnabled(MGIMultiCursorListener::kCollect, ActionEnabled(kCollectIndex));
    fpMultiCursor->SetActionEnabled(MGIMultiCursorListener::kUse, ActionEnabled(kUseIndex));
    fpMultiCursor->SetActionEnabled(MGIMultiCursorListener::kAnalyze, ActionEnabled(kAnalyzeIndex));
    fpMultiCursor->SetActionEnabled(MGIMultiCursorListener::kTalk, fKind == kInterview);
    if (fpCursor != nullptr && fpCursor->GetBaseId() == MGCursor::kItem) {
        fpCursor->SetBaseCursor(MGCursor::kDefault);
    }
    fpMultiCursor->SetListener(this);
    fpMultiCursor->Show(fMultiCursorPosition);
    SetSceneHotspots(false);
}

void MGHotspot::OnAction(int aAction) {
    if (fpMultiCursor != nullptr) {
        fpMultiCursor->RemoveListener(this);
    }
    if (fpCursor != nullptr) {
        fpCursor->SetCursor(MGCursor::kDefault, VoString());
    }
    if (fpMultiCursor != nullptr) {
        fpMultiCursor->Hide(true);
    }
    fWaitingForPose = false;
    switch (aAction) {
        case MGIMultiCursorListener::kLook:
        case MGIMultiCursorListener::kUse: {
            const bool use = aAction == MGIMultiCursorListener::kUse;
            const int list = use ? kUseList : kLookList;
            if (use) {
                if (fOperatingId.GetLength() > 0 && fpCursor != nullptr) {
                    fpCursor->SetItemCursor(fOperatingId);
                }
                RefreshSceneHotspots();
            }
            // A close-up keeps the mouse for its own buttons: the scene is
            // not its to lock, and the close-up's input stays as it is.
            if (!fInCloseUp) {
                SetSceneInput(false);
                SetMouseLocked(true);
            }
            if (PlaySound(list)) {
                break;
            }
            if (fpCutScenes[list] != nullptr && fpCutScenes[list]->GetCount() > 0) {
                PlayCutScene(list);
                break;
            }
            if (!fInCloseUp) {
                SetSceneInput(true);
                SetMouseLocked(false);
                if (!use && fpCursor != nullptr) {
                    fpCursor->SetActive(true);
                }
            }
            break;
        }
        case MGIMultiCursorListener::kCollect:
            if (Collect(kCollectIndex, false)) {
                // The player's animation takes the object; its end brings
                // the input back.
                return;
            }
            break;
        case MGIMultiCursorListener::kAnalyze:
            Collect(kAnalyzeIndex, true);
            break;
        case MGIMultiCursorListener::kTalk:
            AddOperatingItem();
            ApplyResults(DoneEvents(kTalkIndex), StateChanges(kTalkIndex));
            SetSceneInput(false);
            Talk();
            return;
        case MGIMultiCursorListener::kDismissed:
            if (fpCursor != nullptr) {
                fpCursor->SetBaseCursor(MGCursor::kDefault);
                fpCursor->ResetCursor(VoString());
            }
            break;
        default:
            return;
    }
    EndAction(aAction);
}

bool MGHotspot::Collect(int aTableIndex, bool aAnalyze) {
    fCurrentAction = aTableIndex;
    if (fInCloseUp) {
        AddOperatingItem();
        if (aAnalyze) {
            StartAnalysis();
        }
        return false;
    }
    MGCharacter* player = Player();
    if (fCollectAnimation != kNoCollectAnimation && player != nullptr) {
        SetSceneHotspots(false);
        DeactivateSelf();
        fCollecting = true;
        fTaken = false;
        fAnimationPending = aAnalyze;
        player->PlayAction(fCollectAnimation, this);
        if (!aAnalyze) {
            return true;
        }
        StartAnalysis();
        return false;
    }
    AddOperatingItem();
    ApplyResults(DoneEvents(aTableIndex), StateChanges(aTableIndex));
    RefreshSceneHotspots();
    if (aAnalyze) {
        StartAnalysis();
    }
    return false;
}

void MGHotspot::EndAction(int aAction) {
    switch (aAction) {
        case MGIMultiCursorListener::kUse:
            ApplyResults(DoneEvents(kUseIndex), StateChanges(kUseIndex));
            break;
        case MGIMultiCursorListener::kCollect:
        case MGIMultiCursorListener::kAnalyze:
            if (fInCloseUp) {
                ApplyResults(DoneEvents(fCurrentAction), StateChanges(fCurrentAction));
            }
            break;
        case MGIMultiCursorListener::kLook:
            ApplyResults(DoneEvents(kLookIndex), StateChanges(kLookIndex));
            break;
        default:
            break;
    }
    RefreshSceneHotspots();
    if (fInCloseUp) {
        SetSceneInput(false);
        MGScene* scene = Scene();
        if (MGCloseUp* closeUp = scene != nullptr ? scene->GetOpenCloseUp() : nullptr) {
            closeUp->RefreshHotspots();
        }
    }
    const bool menuOnly =
        aAction >= MGIMultiCursorListener::kDismissed && aAction <= MGIMultiCursorListener::kAnalyze;
    if (menuOnly && !fInCloseUp && !fAnimationPending) {
        SetSceneHotspots(true);
    }
}

void MGHotspot::AddOperatingItem() {
    if (fOperatingId.GetLength() == 0) {
        return;
    }
    MGPDA* pda = MGPDA::GetInstance();
    MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory != nullptr) {
        inventory->AddItem(fOperatingId);
    }
}

void MGHotspot::Deactivate() {
    // Told from half-way through a pick-up on: the object is taken once.
    if (fTaken) {
        return;
    }
    fTaken = true;
    AddOperatingItem();
    ApplyResults(DoneEvents(fCurrentAction), StateChanges(fCurrentAction));
    DeactivateSelf();
}

void MGHotspot::OnActionDone(int) {
    if (fCollecting) {
        fCollecting = false;
        // An animation that ended before its moment (it could not be
        // loaded) still hands the object over.
        if (!fTaken) {
            Deactivate();
        }
    }
    fAnimationPending = false;
    RefreshSceneHotspots();
    SetSceneInput(true);
    SetSceneHotspots(true);
}

void MGHotspot::StartResult(const VoString& aItem, const char16_t* apLab, float aDelay) {
    VoEventManager* events = VoEventManager::GetInstance();
    if (aItem.GetLength() == 0 || events == nullptr) {
        return;
    }
    const VoString submitted = aItem + apLab + u"_S";
    if (events->HasEvent(submitted)) {
        return;
    }
    events->AddEvent(submitted, true);
    if (VoGameClock* clock = VoGameClock::GetInstance()) {
        clock->AddDelayedTrigger(aItem + apLab + u"_R", aDelay, -1);
    }
}

void MGHotspot::StartAnalysis() {
    const float delay = kAnalysisDelays[SkillLevel()];
    StartResult(fOperatingId, u"_CL", delay);
    StartResult(fOperatingId, u"_RE", delay);
}

bool MGHotspot::PlaySound(int aIndex) {
    const VoVectorString* list = GetVoiceOvers(aIndex);
    if (list == nullptr || list->GetCount() == 0) {
        return false;
    }
    const VoString name = list->GetCount() > 2 && SkillLevel() == 0 ? list->GetAt(2) : list->GetAt(0);
    const VoString speaker = list->GetCount() > 1 ? list->GetAt(1) : VoString(kPlayerId);
    const VoString base = BaseName(name);
    if (fpEvents != nullptr) {
        fpEvents->AddEvent(VoString(u"evt_") + fId + u"_" + base + u"_played", true);
    }
    const VoString file = name.Find(u".") >= 0 ? name : name + kSoundExtension;
    if (!StartSoundPlayer(kVoiceStream, file)) {
        return false;
    }
    VoString randomGesture;
    delete fpGesturePlayer;
    fpGesturePlayer = nullptr;
    if (!fInCloseUp) {
        MGCharacter* character = SceneCharacter(speaker);
        if (!LoadGestures(base, character)) {
            randomGesture = RandomGesture(std::rand());
        }
        LoadLipSync(base, character);
    }
    ShowSubtitle(base);
    SetSceneInput(false);
    SetSceneHotspots(false);
    fVoiceOverPlaying = true;
    PlayHeld();
    if (randomGesture.GetLength() > 0) {
        VoGestureAnimManager* animations = VoGestureAnimManager::GetInstance();
        MGCharacter* player = Player();
        if (animations != nullptr && player != nullptr && animations->SetRoot(VoString(kAnimationRoot))) {
            if (VoAnimation* gesture = animations->GetAnimation(animations->CreateAnimation(randomGesture))) {
                player->PlayGestureAnimation(gesture);
            }
        }
    }
    if (fpCursor != nullptr) {
        fpCursor->ResetCursor(fId);
    }
    return true;
}

bool MGHotspot::StartSoundPlayer(const char16_t* apStreamName, const VoString& aFile) {
    delete fpSoundPlayer;
    fpSoundPlayer = nullptr;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpSoundPlayer = sounds != nullptr
                        ? sounds->CreateStream(VoString(apStreamName), VoString(kSoundRoot) + aFile)
                        : nullptr;
    if (fpSoundPlayer == nullptr) {
        VO_ERROR(kNoSoundPlayer);
        return false;
    }
    fpSoundPlayer->SetListener(this);
    MGOptions* options = MGOptions::GetInstance();
    fpSoundPlayer->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    return true;
}

bool MGHotspot::LoadGestures(const VoString& aName, MGCharacter* apSpeaker) {
    delete fpGesturePlayer;
    fpGesturePlayer = VO_NEW VoGesturePlayer();
    if (fpGesturePlayer == nullptr) {
        return false;
    }
    if (!fpGesturePlayer->Load(VoString(kGestureRoot) + aName + kGestureExtension)) {
        delete fpGesturePlayer;
        fpGesturePlayer = nullptr;
        return false;
    }
    if (apSpeaker != nullptr) {
        fpGesturePlayer->SetCharacter(VoString(kGestureBinding), apSpeaker);
    }
    return true;
}

void MGHotspot::LoadLipSync(const VoString& aName, MGCharacter* apSpeaker) {
    if (fpLipSyncCharacter != nullptr) {
        fpLipSyncCharacter->StopLipSync();
        fpLipSyncCharacter = nullptr;
    }
    if (apSpeaker != nullptr && apSpeaker->LoadLipSync(VoString(kLipSyncRoot) + aName + kLipSyncExtension,
                                                       VoString(kPhonemeRoot) + apSpeaker->GetHeadType())) {
        fpLipSyncCharacter = apSpeaker;
    }
}

void MGHotspot::ShowSubtitle(const VoString& aName) {
    VoPropertyList subtitles;
    if (!subtitles.Load(VoString(kSubtitleFile), true)) {
        return;
    }
    bool found = false;
    const VoString text = subtitles.GetString(aName, &found);
    MGSubtitle* subtitle = found ? MGSubtitle::GetInstance() : nullptr;
    if (subtitle == nullptr) {
        return;
    }
    VoFontManager* fonts = VoFontManager::GetInstance();
    subtitle->SetText(text, fonts != nullptr ? fonts->GetFont(VoString(kSubtitleFont)) : nullptr);
    subtitle->SetPosition(kSubtitleX, kSubtitleY);
    subtitle->Show();
}

void MGHotspot::PlayHeld() {
    if (fpSoundPlayer != nullptr) {
        fpSoundPlayer->Play();
    }
    if (fpLipSyncCharacter != nullptr) {
        fpLipSyncCharacter->PlayLipSync();
    }
    if (fpGesturePlayer != nullptr) {
        fpGesturePlayer->Play();
    }
}

void MGHotspot::StopVoice() {
    delete fpSoundPlayer;
    fpSoundPlayer = nullptr;
    delete fpGesturePlayer;
    fpGesturePlayer = nullptr;
    if (fpLipSyncCharacter != nullptr) {
        fpLipSyncCharacter->StopLipSync();
        fpLipSyncCharacter = nullptr;
    }
}

void MGHotspot::OnSoundEnd(const VoString&) {
    EndVoice(false);
}

void MGHotspot::EndVoice(bool aAlsoInCloseUp) {
    fVoiceOverPlaying = false;
    if (MGSubtitle* subtitle = MGSubtitle::PeekInstance()) {
        subtitle->Hide();
    }
    StopVoice();
    if (!fInCloseUp) {
        SetSceneInput(true);
        SetMouseLocked(false);
    }
    if (fpCursor != nullptr) {
        fpCursor->SetActive(true);
    }
    if (!fInCloseUp || aAlsoInCloseUp) {
        SetSceneInput(true);
        SetSceneHotspots(true);
    }
}

bool MGHotspot::PlayCutScene(int aIndex) {
    const VoVectorString* list = GetCutScenes(aIndex);
    MGCutScenePlayer* player = MGCutScenePlayer::GetInstance();
    if (list == nullptr || list->GetCount() == 0 || player == nullptr) {
        return false;
    }
    VoString parts[5];
    for (int i = 0; i < 5 && i < list->GetCount(); ++i) {
        parts[i] = list->GetAt(i);
    }
    const VoString& movie = parts[0];
    const VoString& scene = parts[1];
    const VoString& viewpoint = parts[2];
    const VoString& state = parts[3];
    const VoString& event = parts[4];
    if (fpCursor != nullptr) {
        fpCursor->SetActive(true);
    }
    if (!IsNone(scene)) {
        player->SetTargetScene(scene, viewpoint);
    } else if (!IsNone(viewpoint)) {
        player->SetTargetScene(VoString(kNone), viewpoint);
    }
    VoVectorString states;
    if (!IsNone(state)) {
        states.Add(state);
        states.Add(VoString(u"boolean"));
        states.Add(VoString(u"true"));
    }
    player->SetDoneStates(states);
    if (!IsNone(event)) {
        VoVectorString events;
        events.Add(event);
        player->SetDoneEvents(events);
    }
    player->Play(movie);
    return true;
}
