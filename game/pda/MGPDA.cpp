#include "pda/MGPDA.h"

#include "MGScreenFader.h"
#include "character/VoCharacter.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "gdi/VoButton.h"
#include "gdi/VoCursor.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoScrollBar.h"
#include "gdi/VoSprite.h"
#include "geometry/VoVector3.h"
#include "memory/VoNew.h"
#include "navigation/VoISteering.h"
#include "pda/MGIPDAListener.h"
#include "pda/MGIPDAPanel.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGLogPanel.h"
#include "pda/MGMapPanel.h"
#include "pda/MGPDAMinimized.h"
#include "pda/MGPhonePanel.h"
#include "platform/VoMouse.h"
#include "scene/MGCharacter.h"
#include "scene/MGCloseUp.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoITimer.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGPDA, MGCleanerHome> gInstance;

constexpr int kHashShift = 7;
constexpr int kPanelCapacity = 4;
constexpr float kFrameOrder = 0.0f;

// The main menu's buttons, in the order the window wires them.
constexpr const char16_t* kMenuButtons[] = {MGPDA::kMap, MGPDA::kInventory, MGPDA::kPhone,
                                            MGPDA::kLog, MGPDA::kMenu,      MGPDA::kExit};
// The buttons whose states follow the current panel: the panels' and "menu".
constexpr int kPanelButtonCount = 4;
constexpr int kSwitchButtonCount = 5;
constexpr const char16_t* kSwitchButtons[kSwitchButtonCount] = {MGPDA::kMap, MGPDA::kInventory, MGPDA::kPhone,
                                                                MGPDA::kLog, MGPDA::kMenu};

VoMouse* Mouse() {
    return VoMouse::GetInstance();
}

void SetCloseUpHotspots(MGScene* apScene, bool aEnabled) {
    if (MGCloseUp* closeUp = apScene != nullptr ? apScene->GetOpenCloseUp() : nullptr) {
        closeUp->SetHotspotsEnabled(aEnabled);
    }
}

void ConsumeMouseEvent() {
    if (VoMouse* mouse = Mouse()) {
        mouse->ConsumeEvent();
    }
}

double Now() {
    VoITimer* timer = VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

}  // namespace

MGPDA* MGPDA::GetInstance() {
    MGPDA* pda = gInstance.Get([] { return VO_NEW MGPDA(); }, kCreationFailure);
    // Built once it is the singleton, so the panels it builds may ask for it.
    if (pda != nullptr && !pda->fCreated) {
        pda->Create();
    }
    return pda;
}

MGPDA* MGPDA::PeekInstance() {
    return gInstance.Peek();
}

MGPDA::MGPDA()
    : fCreated(false),
      fpCurrentPanel(nullptr),
      fPanels(kHashShift, false, kPanelCapacity),
      fpGroup(nullptr),
      fpBackground(nullptr),
      fpMainMenu(nullptr),
      fpScrollBarGroup(nullptr),
      fpLayout(nullptr),
      fpScrollBar(nullptr),
      fpScrollArea(nullptr),
      fpScrollGroup(nullptr),
      fpScrollContent(nullptr),
      fBusy(true),
      fpListener(nullptr),
      fpDragButton(nullptr),
      fDragging(false),
      fLockEnd(0.0),
      fInFrames(false),
      fInRoot(false) {
    // Made first, the bar is deleted after the PDA, which closes through it.
    MGPDAMinimized::GetInstance();
}

MGPDA::~MGPDA() {
    delete fpScrollBar;
    fpScrollBar = nullptr;
    ListenToFrames(false);
    if (fDragging) {
        if (VoMouse* mouse = Mouse()) {
            mouse->Unlock(this);
        }
    }
    delete fpLayout;
    ClearScrollContentGroup();
    void** panels = nullptr;
    const int count = fPanels.GetCount();
    if (count > 0 && fPanels.GetItems(&panels) && panels != nullptr) {
        for (int i = 0; i < count; ++i) {
            delete static_cast<MGIPDAPanel*>(panels[i]);
        }
        delete[] panels;
    }
    fPanels.Clear();
    // Out of the display root first, which would delete it again. The game's
    // cleaner runs before the engine's: the root is still there.
    LeaveDisplayRoot();
    delete fpGroup;
}

void MGPDA::Create() {
    fCreated = true;
    fpLayout = VO_NEW VoPropertyList();
    if (fpLayout == nullptr || !fpLayout->Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE("");
    }
    MGTextureRoot root(kTextureRoot);

    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        return;
    }
    fpGroup->SetId(VoString(kGroupId));
    fpGroup->SetRelativeZ(kGroupZ);
    fpGroup->SetActive(false);
    fpGroup->SetPosition(kX, kY);
    JoinDisplayRoot();

    VoPropertyList* layout = fpLayout;
    fpBackground = layout != nullptr ? VoLayoutBuilder::BuildGroup(
                                           layout->GetList(VoString(u"groups.g01-background")), true)
                                     : nullptr;
    if (fpBackground != nullptr && !fpGroup->AddMember(fpBackground, true)) {
        delete fpBackground;
        fpBackground = nullptr;
    }
    VoPropertyList* drag =
        layout != nullptr ? layout->GetList(VoString(u"groups.g03b-dragbutton.buttons.b01")) : nullptr;
    if (drag == nullptr) {
        VO_ERROR(kNoDragButton);
    } else {
        fpDragButton = VoLayoutBuilder::BuildButton(drag, this);
        if (fpDragButton != nullptr && !fpGroup->AddMember(fpDragButton, true)) {
            delete fpDragButton;
            fpDragButton = nullptr;
        }
    }
    fpScrollBarGroup = layout != nullptr ? VoLayoutBuilder::BuildGroup(
                                               layout->GetList(VoString(u"groups.g04-scrollbar")), true)
                                         : nullptr;
    if (fpScrollBarGroup != nullptr && !fpGroup->AddMember(fpScrollBarGroup, true)) {
        delete fpScrollBarGroup;
        fpScrollBarGroup = nullptr;
    }

    VoPropertyList* specs = layout != nullptr ? layout->GetList(VoString(u"misc.scrollbarspecs")) : nullptr;
    VoScrollBarDesc description;
    if (specs == nullptr) {
        VO_ERROR(kNoScrollBarSpecs);
    } else if (!VoLayoutBuilder::BuildScrollBar(specs, fpScrollBarGroup, &description)) {
        VO_ERROR(kScrollBarSpecsFailure);
    } else {
        fpScrollBar = VO_NEW VoScrollBar();
        if (fpScrollBar != nullptr && !fpScrollBar->Create(description)) {
            VO_ERROR(kScrollBarFailure);
        }
    }

    fpScrollArea = VO_NEW VoDisplayGroup();
    fpScrollGroup = VO_NEW VoDisplayGroup();
    if (fpScrollArea != nullptr) {
        fpScrollArea->SetId(VoString(kScrollAreaId));
        fpScrollArea->SetRectangle(RegularScrollArea());
        fpScrollArea->SetPosition(RegularScrollPlace());
        fpScrollArea->SetRelativeZ(kScrollAreaZ);
    }
    if (fpScrollGroup != nullptr) {
        fpScrollGroup->SetId(VoString(kScrollContentId));
        fpScrollGroup->SetRelativeZ(kScrollContentZ);
        if (fpScrollBar != nullptr) {
            fpScrollBar->SetContentGroup(fpScrollGroup);
        }
        if (fpScrollArea == nullptr || !fpScrollArea->AddMember(fpScrollGroup, true)) {
            delete fpScrollGroup;
            fpScrollGroup = nullptr;
        }
    }
    if (fpScrollArea != nullptr && !fpGroup->AddMember(fpScrollArea, true)) {
        delete fpScrollArea;
        fpScrollArea = nullptr;
        fpScrollGroup = nullptr;
    }

    CreatePanels();
    fpGroup->Validate();
}

void MGPDA::CreatePanels() {
    AddPanelFromLayout(VO_NEW MGInventoryPanel(fpGroup), kInventoryLayout);
    AddPanelFromLayout(VO_NEW MGMapPanel(fpGroup), kMapLayout);
    // The case log has no layout to read.
    AddPanelFromLayout(VO_NEW MGLogPanel(fpGroup), nullptr);
    AddPanelFromLayout(VO_NEW MGPhonePanel(fpGroup), kPhoneLayout);
}

void MGPDA::AddPanelFromLayout(MGIPDAPanel* apPanel, const char16_t* apLayout) {
    if (apPanel == nullptr) {
        return;
    }
    VoPropertyList* layout = nullptr;
    if (apLayout != nullptr) {
        layout = VO_NEW VoPropertyList();
        if (layout == nullptr || !layout->Load(VoString(apLayout), true)) {
            VO_ASSERT_FAILURE("");
        }
    }
    apPanel->Create(layout);
    delete layout;
    if (!AddPanel(apPanel->GetId(), apPanel)) {
        delete apPanel;
    }
}

bool MGPDA::IsOpen() const {
    return fpGroup != nullptr && fpGroup->GetActive();
}

bool MGPDA::Open() {
    if (fpGroup == nullptr) {
        return false;
    }
    // Deaf to the buttons' events while they are wired and set.
    fBusy = true;
    {
        MGTextureRoot root(kTextureRoot);
        DeleteMainMenu();
        VoPropertyList* node =
            fpLayout != nullptr ? fpLayout->GetList(VoString(u"groups.g03-mainmenu")) : nullptr;
        fpMainMenu = node != nullptr ? VoLayoutBuilder::BuildGroup(node, true) : nullptr;
        if (fpMainMenu == nullptr) {
            VO_ASSERT_FAILURE("");
        } else if (!fpGroup->AddMember(fpMainMenu, true)) {
            delete fpMainMenu;
            fpMainMenu = nullptr;
        }
        for (const char16_t* id : kMenuButtons) {
            VoButton* button = GetMenuButton(VoString(id));
            if (button == nullptr) {
                VO_ERROR(kButtonNotFound, id);
            } else if (button->GetListener() != this) {
                button->SetListener(this);
            }
        }
        BuildCaseDisplay();
    }

    JoinDisplayRoot();
    fpGroup->SetActive(true);

    MGScene* scene = MGSceneManager::GetCurrentScene();
    if (scene != nullptr) {
        scene->SetInputEnabled(false);
    }
    SetCloseUpHotspots(scene, false);

    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetCursor(1, VoString(u""));
        cursor->SetActive(true);
    }
    if (VoMouse* mouse = Mouse()) {
        mouse->SetEnabled(true);
    }

    for (int i = 0; i < kPanelButtonCount; ++i) {
        if (VoButton* button = GetMenuButton(VoString(kSwitchButtons[i]))) {
            button->SetEnabled(true);
        }
    }
    if (fpCurrentPanel != nullptr) {
        fpCurrentPanel->Show();
        if (VoButton* button = GetMenuButton(fpCurrentPanel->GetId())) {
            button->SetEnabled(false);
        }
    }
    fBusy = false;
    NotifyListener(MGIPDAListener::kOpened);
    return true;
}

void MGPDA::JoinDisplayRoot() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (!fInRoot && fpGroup != nullptr && display != nullptr) {
        fInRoot = display->AddMember(fpGroup);
    }
}

bool MGPDA::LeaveDisplayRoot() {
    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (!fInRoot || display == nullptr) {
        return true;
    }
    fInRoot = false;
    return display->RemoveMember(fpGroup);
}

void MGPDA::BuildCaseDisplay() {
    // Deleted, it leaves the group.
    delete fpGroup->GetMember(VoString(kCaseDisplayId));
    VoPropertyList* entries =
        fpLayout != nullptr ? fpLayout->GetList(VoString(u"groups.g02-active_case")) : nullptr;
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    for (int i = 0; entries != nullptr && builder != nullptr && i < entries->GetCount(); ++i) {
        VoPropertyList* entry = entries->GetListAt(i);
        bool found = false;
        const VoString display =
            entry != nullptr ? entry->GetString(VoString(u"display"), &found) : VoString();
        if (!found) {
            continue;
        }
        VoScript script;
        builder->Build(display, &script);
        if (!script.Evaluate()) {
            continue;
        }
        VoSprite* sprite = VoLayoutBuilder::BuildSprite(entry);
        if (sprite != nullptr && !fpGroup->AddMember(sprite, true)) {
            delete sprite;
        }
        return;
    }
}

void MGPDA::DeleteMainMenu() {
    if (fpMainMenu == nullptr) {
        return;
    }
    // The group deletes its buttons, which leave the engine mouse.
    delete fpMainMenu;
    fpMainMenu = nullptr;
}

bool MGPDA::Close() {
    if (fpGroup == nullptr || !fpGroup->GetActive()) {
        return false;
    }
    DeleteMainMenu();
    bool result = fpGroup->SetActive(false);
    result = fpGroup->SetEnabled(true) && result;
    result = LeaveDisplayRoot() && result;
    HidePanels();
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Minimize(false);
    }
    SetCloseUpHotspots(MGSceneManager::GetCurrentScene(), true);
    NotifyListener(MGIPDAListener::kClosed);
    return result;
}

void MGPDA::Minimize(bool aAnimate) {
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Minimize(aAnimate);
    }
}

void MGPDA::MinimizeAndClose() {
    if (fpGroup != nullptr) {
        fpGroup->SetEnabled(false);
    }
    if (MGPDAMinimized* bar = MGPDAMinimized::GetInstance()) {
        bar->Minimize(true);
    }
    Close();
    fBusy = true;
}

bool MGPDA::SetPanel(const VoString& aId) {
    MGIPDAPanel* panel = GetPanel(aId);
    if (panel == nullptr) {
        VO_ERROR(kSetPanelNotFound, aId);
        return false;
    }
    if (fpCurrentPanel != nullptr && fpCurrentPanel->GetId().EqualsNoCase(aId)) {
        return true;
    }
    fBusy = true;
    for (const char16_t* id : kSwitchButtons) {
        if (VoButton* button = GetMenuButton(VoString(id))) {
            button->SetEnabled(true);
        }
    }
    if (VoButton* button = GetMenuButton(panel->GetId())) {
        button->SetEnabled(false);
    }
    bool result = true;
    if (fpCurrentPanel != nullptr) {
        result = fpCurrentPanel->Hide();
    }
    CreateScrollBar(aId.EqualsNoCase(VoString(kMap)) || aId.EqualsNoCase(VoString(kLog)));
    result = panel->Show() && result;
    fpCurrentPanel = panel;
    ScrollToTop();
    fLockEnd = Now() + kSwitchLock;
    ListenToFrames(true);
    return result;
}

bool MGPDA::CreateScrollBar(bool aMapMode) {
    delete fpScrollBar;
    fpScrollBar = VO_NEW VoScrollBar();
    VoPropertyList* specs =
        fpLayout != nullptr
            ? fpLayout->GetList(VoString(aMapMode ? u"misc.scrollbarspecs_map" : u"misc.scrollbarspecs"))
            : nullptr;
    VoPropertyList* coords =
        fpLayout != nullptr ? fpLayout->GetList(VoString(aMapMode ? u"groups.g04c-scrollbarcoords_map"
                                                                  : u"groups.g04b-scrollbarcoords_regular"))
                            : nullptr;
    if (coords != nullptr) {
        if (fpScrollArea != nullptr) {
            fpScrollArea->SetRectangle(aMapMode ? MapScrollArea() : RegularScrollArea());
            fpScrollArea->SetPosition(aMapMode ? MapScrollPlace() : RegularScrollPlace());
        }
        for (int i = 0; i < coords->GetCount(); ++i) {
            const VoString key = coords->GetKeyAt(i);
            bool found = false;
            const VoVectorFloat values = coords->GetVectorFloat(key, &found);
            VoIDisplayObject* member =
                fpScrollBarGroup != nullptr ? fpScrollBarGroup->GetMember(key) : nullptr;
            if (member == nullptr || values.GetCount() < 2) {
                continue;
            }
            member->SetPosition(values.GetAt(0), values.GetAt(1));
            if (values.GetCount() >= 4) {
                member->SetScale(values.GetAt(2), values.GetAt(3));
            }
        }
    }
    VoScrollBarDesc description;
    bool created = fpScrollBar != nullptr && specs != nullptr &&
                   VoLayoutBuilder::BuildScrollBar(specs, fpScrollBarGroup, &description) &&
                   fpScrollBar->Create(description);
    if (!created) {
        VO_ASSERT_FAILURE(kScrollBarFailure);
    }
    if (fpScrollBar != nullptr && fpScrollGroup != nullptr) {
        created = fpScrollBar->SetContentGroup(fpScrollGroup) && created;
    }
    return created;
}

bool MGPDA::SetListener(MGIPDAListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kSetListenerNull);
        return false;
    }
    fpListener = apListener;
    return true;
}

bool MGPDA::RemoveListener(MGIPDAListener* apListener) {
    if (apListener == nullptr) {
        VO_ERROR(kRemoveListenerNull);
        return false;
    }
    if (apListener != fpListener) {
        return false;
    }
    fpListener = nullptr;
    return true;
}

void MGPDA::NotifyListener(int aCode) {
    if (fpListener != nullptr) {
        fpListener->OnPDAEvent(aCode);
    }
}

bool MGPDA::AddPanel(const VoString& aId, MGIPDAPanel* apPanel) {
    if (apPanel == nullptr) {
        return false;
    }
    if (fPanels.IndexOf(aId) >= 0) {
        VO_ERROR(kAddPanelDuplicate, aId);
        return false;
    }
    return fPanels.Add(aId, apPanel, true) != 0;
}

MGIPDAPanel* MGPDA::GetPanel(const VoString& aId) {
    for (int i = 0; i < fPanels.GetCount(); ++i) {
        MGIPDAPanel* panel = static_cast<MGIPDAPanel*>(fPanels.GetAt(i));
        if (panel != nullptr && panel->GetId().EqualsNoCase(aId)) {
            return panel;
        }
    }
    return nullptr;
}

MGInventoryPanel* MGPDA::GetInventoryPanel() {
    return static_cast<MGInventoryPanel*>(fPanels.Get(VoString(kInventory)));
}

void MGPDA::HidePanels() {
    const int count = fPanels.GetCount();
    void** panels = nullptr;
    if (count > 0 && (!fPanels.GetItems(&panels) || panels == nullptr)) {
        VO_ASSERT_FAILURE(kHidePanelsFailure);
        return;
    }
    for (int i = 0; i < count; ++i) {
        static_cast<MGIPDAPanel*>(panels[i])->Hide();
    }
    delete[] panels;
}

bool MGPDA::SetScrollContentGroup(VoDisplayGroup* apContent) {
    if (apContent == nullptr) {
        VO_ERROR(kSetScrollContentNull);
        return false;
    }
    if (apContent == fpScrollContent) {
        return true;
    }
    ClearScrollContentGroup();
    if (fpScrollGroup == nullptr || !fpScrollGroup->AddMember(apContent, true)) {
        return false;
    }
    fpScrollContent = apContent;
    return true;
}

bool MGPDA::ClearScrollContentGroup() {
    if (fpScrollContent != nullptr && fpScrollGroup != nullptr) {
        // Back to its panel, which deletes it.
        fpScrollGroup->RemoveMember(fpScrollContent);
    }
    fpScrollContent = nullptr;
    return true;
}

void MGPDA::ReleaseScrollContent(VoDisplayGroup* apContent) {
    if (apContent != nullptr && apContent == fpScrollContent) {
        ClearScrollContentGroup();
    }
}

bool MGPDA::SetScrollContentHeight(int aHeight) {
    if (fpScrollBar == nullptr || fpScrollContent == nullptr) {
        VO_ERROR(kNoScroller);
        return false;
    }
    fpScrollBar->SetContentHeight(aHeight);
    return true;
}

void MGPDA::ScrollToTop() {
    if (fpScrollBar != nullptr) {
        fpScrollBar->ScrollToTop();
    }
}

VoIDisplayObject* MGPDA::GetScrollArea() const {
    return fpGroup != nullptr ? fpGroup->GetMember(VoString(kScrollAreaId)) : nullptr;
}

bool MGPDA::IsInScrollArea(const VoVector2& aPoint) const {
    VoIDisplayObject* area = GetScrollArea();
    VoRectangle visible;
    return area != nullptr && area->GetWorldRectangle(visible) && visible.ContainsPoint(aPoint);
}

void MGPDA::ScrollByWheel(float aDelta) {
    if (fpScrollBar == nullptr) {
        return;
    }
    if (aDelta >= 0.0f) {
        fpScrollBar->ScrollUp();
    } else {
        fpScrollBar->ScrollDown();
    }
}

int MGPDA::ReadSelectedCase(int aDefault, bool* apFound) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? states->GetState(VoString(kSelectedCaseState)) : nullptr;
    if (apFound != nullptr) {
        *apFound = state != nullptr;
    }
    if (state == nullptr) {
        return aDefault;
    }
    const float number = state->GetNumber(0.0f);
    // Within the ints' range (NaN is not): casting anything else is undefined.
    constexpr float kLimit = 2147483520.0f;
    return number > -kLimit && number < kLimit ? static_cast<int>(number) : 0;
}

VoButton* MGPDA::GetMenuButton(const VoString& aId) const {
    VoIDisplayObject* member = fpMainMenu != nullptr ? fpMainMenu->GetMember(aId) : nullptr;
    return dynamic_cast<VoButton*>(member);
}

void MGPDA::UpdateMenuButtons(bool aWithMenu) {
    const int count = aWithMenu ? kSwitchButtonCount : kPanelButtonCount;
    for (int i = 0; i < count; ++i) {
        VoButton* button = GetMenuButton(VoString(kSwitchButtons[i]));
        if (button == nullptr) {
            continue;
        }
        const bool current =
            fpCurrentPanel != nullptr && fpCurrentPanel->GetId() == VoString(kSwitchButtons[i]);
        button->SetEnabled(!current);
    }
}

void MGPDA::OnButtonEvent(const VoString& aId, int aCode) {
    if (fBusy || fpGroup == nullptr || !fpGroup->GetActive()) {
        return;
    }
    if (fpCurrentPanel != nullptr && fpCurrentPanel->GetId().EqualsNoCase(aId)) {
        return;
    }
    if (aCode != VoIButtonListener::kPressed) {
        UpdateMenuButtons(true);
        return;
    }
    fBusy = true;
    if (aId == VoString(kMenu)) {
        MGScene* scene = MGSceneManager::GetCurrentScene();
        if (scene != nullptr) {
            scene->SetInputEnabled(false);
            StorePlayerPlace(scene->GetPlayer());
        }
        MinimizeAndClose();
        ConsumeMouseEvent();
        if (scene != nullptr) {
            scene->StopAudio();
        }
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->SetState(VoString(kMainMenuState), VoString(u"boolean"), VoString(u"true"), true);
        }
    } else if (aId == VoString(kExit)) {
        MinimizeAndClose();
    } else if (aId == VoString(kDragButtonId)) {
        fDragging = true;
        VoVector2 pointer;
        if (VoMouse* mouse = Mouse()) {
            mouse->GetPosition(pointer);
            mouse->Lock(this);
            if (VoCursor* cursor = VoCursor::GetInstance()) {
                mouse->AddLock(cursor);
            }
        }
        fDragOffset = fpGroup->GetPosition() - pointer;
    } else {
        ConsumeMouseEvent();
        bool found = false;
        const int selectedCase = ReadSelectedCase(0, &found);
        if (!found) {
            VO_ASSERT_FAILURE("");
        }
        if (selectedCase >= 1 || aId == VoString(kMap)) {
            // A switch keeps the PDA busy for its lock; a refused one does not.
            if (!SetPanel(aId)) {
                fBusy = false;
            }
            return;
        }
    }
    ConsumeMouseEvent();
    fBusy = false;
}

void MGPDA::StorePlayerPlace(VoCharacter* apPlayer) {
    if (apPlayer == nullptr) {
        return;
    }
    const VoVector3* position = apPlayer->GetPosition();
    SetNumberState(kPlayerXState, position->x);
    SetNumberState(kPlayerZState, position->z);
    if (VoISteering* steering = apPlayer->GetSteering()) {
        // The steering keeps the ground in its first two components: world x, z.
        const VoVector3& direction = steering->GetDirection();
        SetNumberState(kDirectionXState, direction.x);
        SetNumberState(kDirectionZState, direction.y);
    }
}

void MGPDA::SetNumberState(const char16_t* apId, float aValue) {
    VoStateManager* states = VoStateManager::GetInstance();
    if (states == nullptr) {
        return;
    }
    const VoString id(apId);
    VoIState* state = states->GetState(id);
    if (state != nullptr && state->GetType() == VoIState::kNumber) {
        states->SetState(id, &aValue, true);
        return;
    }
    // Made, or made anew when it was of another type.
    VoIState* made = VO_NEW VoIState();
    if (made != nullptr &&
        !(made->Set(id, VoIState::kNumber, &aValue) && states->AddState(made, true, true))) {
        delete made;
    }
}

void MGPDA::OnMouseMove(const VoVector2* apPosition) {
    if (!fDragging) {
        VO_ASSERT_FAILURE(kNotDragging);
    }
    if (apPosition != nullptr && fpGroup != nullptr) {
        fpGroup->SetPosition(*apPosition + fDragOffset);
    }
}

void MGPDA::OnButtonUp(int aButton) {
    if (aButton != 1) {
        return;
    }
    fDragging = false;
    if (VoMouse* mouse = Mouse()) {
        mouse->Unlock(this);
    }
    if (fpDragButton != nullptr) {
        fpDragButton->ResetMouseState();
    }
}

void MGPDA::OnUpdate() {
    if (Now() <= fLockEnd) {
        return;
    }
    fBusy = false;
    ListenToFrames(false);
}

void MGPDA::OnFadeEvent(int aCode) {
    if (aCode != MGIScreenFaderListener::kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    bool done = fader != nullptr && fader->RemoveListener(this);
    done = fader != nullptr && fader->FadeIn() && done;
    Minimize(true);
    done = Close() && done;
    if (!done) {
        VO_ASSERT_FAILURE("");
    }
}

void MGPDA::ListenToFrames(bool aListen) {
    MGListenToFrames(this, kFrameOrder, aListen, &fInFrames);
}

VoString MGPDA::ToString() const {
    return VoDebugString("MGPDA", this);
}
