#include "menu/MGLoadScreen.h"

#include <cmath>

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoIFont.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "geometry/VoPolygon.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "menu/MGGameFile.h"
#include "menu/MGMainMenu.h"
#include "menu/MGMenuArea.h"
#include "menu/MGSlotList.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "time/VoGameClock.h"
#include "util/MGCleaner.h"
#include "util/MGGameReset.h"
#include "util/MGListening.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGLoadScreen, MGCleanerHome> gInstance;

const VoVector2 kPicturePositions[MGLoadScreen::kCellCount] = {
    {25.0f, 65.0f}, {265.0f, 65.0f}, {505.0f, 65.0f}, {25.0f, 315.0f}, {265.0f, 315.0f}, {505.0f, 315.0f}};
const VoVector2 kTextPositions[MGLoadScreen::kCellCount] = {
    {41.0f, 262.0f}, {287.0f, 262.0f}, {527.0f, 262.0f}, {41.0f, 514.0f}, {287.0f, 514.0f}, {527.0f, 514.0f}};

// The largest clock a saved game may select.
constexpr float kMaxClock = 1000.0f;

// A number state's value when the state exists and holds a finite number.
bool NumberState(VoStateManager* apStates, const char16_t* apId, float* apOut) {
    VoIState* state = apStates != nullptr ? apStates->GetState(VoString(apId)) : nullptr;
    if (state == nullptr || state->GetType() != VoIState::kNumber || !std::isfinite(state->GetNumber())) {
        return false;
    }
    *apOut = state->GetNumber();
    return true;
}

bool StringState(VoStateManager* apStates, const char16_t* apId, VoString* apOut) {
    VoIState* state = apStates != nullptr ? apStates->GetState(VoString(apId)) : nullptr;
    if (state == nullptr || state->GetType() != VoIState::kString || state->GetValue() == nullptr) {
        return false;
    }
    *apOut = *static_cast<const VoString*>(state->GetValue());
    return true;
}

// The texture of a picture name: the one filed under it, else the file of
// that name, else the river bank, filed under the name. 0 when none.
std::uint32_t PictureTexture(const VoString& aName) {
    const std::uint32_t handle =
        MGMenuLayout::FiledTexture(aName, VoString(MGLoadScreen::kThumbnailRoot) + aName);
    return handle != 0 ? handle : MGMenuLayout::FiledTexture(aName, VoString(MGLoadScreen::kFallbackPicture));
}

}  // namespace

MGLoadScreen* MGLoadScreen::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGLoadScreen(); }, kCreationFailure);
}

MGLoadScreen::MGLoadScreen()
    : fpList(nullptr),
      fpPictures(nullptr),
      fPictureCount(0),
      fpTexts{},
      fFirst(0),
      fpBrackets{},
      fpAreas{},
      fSelected(-1),
      fBusy(false),
      fInMouse(false) {}

MGLoadScreen::~MGLoadScreen() {
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->RemoveListener(this);
    }
    fTree.Drop();
    DeletePictures();
    for (VoPolygon*& area : fpAreas) {
        delete area;
        area = nullptr;
    }
    delete fpList;
}

int MGLoadScreen::GetEntryCount() const {
    return fpList != nullptr ? fpList->GetCount() : 0;
}

VoTextArea* MGLoadScreen::GetText(int aCell) const {
    return aCell >= 0 && aCell < kCellCount ? fpTexts[aCell] : nullptr;
}

VoSprite* MGLoadScreen::GetBracket(int aCell) const {
    return aCell >= 0 && aCell < kCellCount ? fpBrackets[aCell] : nullptr;
}

VoPolygon* MGLoadScreen::GetArea(int aCell) const {
    return aCell >= 0 && aCell < kCellCount ? fpAreas[aCell] : nullptr;
}

VoSprite* MGLoadScreen::GetPicture(int aIndex) const {
    return aIndex >= 0 && aIndex < fPictureCount ? fpPictures[aIndex] : nullptr;
}

void MGLoadScreen::DeletePictures() {
    delete[] fpPictures;
    fpPictures = nullptr;
    fPictureCount = 0;
}

void MGLoadScreen::OnEnter() {
    Setup();
    fBusy = false;
}

void MGLoadScreen::Setup() {
    VoPropertyList layout;
    layout.Load(VoString(kLayoutFile), true);
    VoDisplayGroup* tree = fTree.Create(VoString(kRootId));
    MGTextureRoot root(MGMenuLayout::kTextureRoot);
    DeletePictures();
    for (VoTextArea*& text : fpTexts) {
        text = nullptr;
    }
    for (VoSprite*& bracket : fpBrackets) {
        bracket = nullptr;
    }
    fSelected = -1;
    if (tree == nullptr) {
        return;
    }
    MGMenuLayout::AddGroup(&layout, VoString(u"load_screen.g01-background"), tree);
    MGMenuLayout::AddGroup(&layout, VoString(u"load_screen.g03-black_background"), tree);
    MGMenuLayout::AddButtons(&layout, VoString(u"load_screen.g02-buttons"), VoString(u"load_buttons"), tree,
                             this, {});
    AddBrackets(&layout, tree);
    AddTexts(tree);
    const MGSlotList::Opened opened = AddEntries(tree);
    fTree.Show();
    Refresh();
    MGListenToMouse(this, kMouseOrder, true, &fInMouse);
    MGSlotList::Tell(opened);
}

void MGLoadScreen::AddBrackets(VoPropertyList* apLayout, VoDisplayGroup* apTree) {
    VoPropertyList* brackets = apLayout->GetList(VoString(u"load_screen.g04-selection_brackets"));
    for (int c = 0; c < kCellCount; ++c) {
        VoPropertyList* entry = brackets != nullptr ? brackets->GetListAt(c) : nullptr;
        VoSprite* bracket = VoLayoutBuilder::BuildSprite(entry);
        if (bracket != nullptr) {
            bracket->SetVisible(false);
            if (apTree->AddMember(bracket, true)) {
                fpBrackets[c] = bracket;
            } else {
                delete bracket;
            }
        }
        delete fpAreas[c];
        fpAreas[c] = MGMenuArea::Read(entry, VoString(u"activearea"));
    }
}

void MGLoadScreen::AddTexts(VoDisplayGroup* apTree) {
    VoFontManager* fonts = VoFontManager::GetInstance();
    VoIFont* font = fonts != nullptr ? fonts->GetFont(VoString(kFont)) : nullptr;
    if (font != nullptr) {
        // The shared font: every text in it is at half size from now on.
        font->SetScale(kFontScale, kFontScale);
    }
    for (int c = 0; c < kCellCount; ++c) {
        VoTextArea* text = VO_NEW VoTextArea();
        if (text == nullptr) {
            continue;
        }
        text->SetId(VoString(u"saveText_") + c);
        text->Create(font);
        text->SetRelativeZ(kTextZ);
        text->SetText(VoString(u""));
        text->SetWordWrap(false);
        text->SetSingleLine(false);
        text->SetLineHeight(kLineHeight);
        text->SetPosition(kTextPositions[c]);
        if (apTree->AddMember(text, true)) {
            fpTexts[c] = text;
        } else {
            delete text;
        }
    }
}

MGSlotList::Opened MGLoadScreen::AddEntries(VoDisplayGroup* apTree) {
    delete fpList;
    fpList = VO_NEW MGSlotList();
    if (fpList == nullptr) {
        return MGSlotList::kUnreadable;
    }
    // A list that cannot be read shows no games; a damaged one shows the
    // games on disk.
    const MGSlotList::Opened opened = fpList->Open();
    const int count = fpList->GetCount();
    fpPictures = count > 0 ? VO_NEW VoSprite * [static_cast<std::size_t>(count)] : nullptr;
    fPictureCount = fpPictures != nullptr ? count : 0;
    for (int i = 0; i < fPictureCount; ++i) {
        const MGSaveSlot* slot = fpList->GetAt(i);
        const VoString name =
            slot->fThumbnail.GetLength() > 0 ? slot->fThumbnail : VoString(MGSlotList::kNoThumbnail);
        fpPictures[i] = NewPicture(slot->fNumber, name);
        if (fpPictures[i] != nullptr && !apTree->AddMember(fpPictures[i], true)) {
            delete fpPictures[i];
            fpPictures[i] = nullptr;
        }
    }
    return opened;
}

VoSprite* MGLoadScreen::NewPicture(std::int32_t aNumber, const VoString& aName) {
    const std::uint32_t handle = PictureTexture(aName);
    VoSprite* sprite = handle != 0 ? VO_NEW VoSprite() : nullptr;
    if (sprite == nullptr) {
        return nullptr;
    }
    VoString id(u"thumbnail_");
    id.Append(aNumber - 1);
    sprite->SetId(id);
    sprite->SetRelativeZ(kThumbnailZ);
    sprite->SetTexture(handle, nullptr, nullptr);
    return sprite;
}

void MGLoadScreen::Refresh() {
    for (int i = 0; i < fPictureCount; ++i) {
        if (fpPictures[i] != nullptr) {
            fpPictures[i]->SetVisible(false);
        }
    }
    const int count = GetEntryCount();
    for (int c = 0; c < kCellCount; ++c) {
        const int index = fFirst + c;
        const bool filled = index >= 0 && index < count;
        if (VoSprite* picture = filled ? GetPicture(index) : nullptr) {
            picture->SetPosition(kPicturePositions[c]);
            picture->SetVisible(true);
        }
        if (fpTexts[c] != nullptr) {
            fpTexts[c]->SetText(filled ? fpList->GetAt(index)->fDescription : VoString(u""));
        }
    }
}

void MGLoadScreen::HideBrackets() {
    for (VoSprite* bracket : fpBrackets) {
        if (bracket != nullptr) {
            bracket->SetVisible(false);
        }
    }
}

void MGLoadScreen::OnButtonDown(int aButton) {
    VoMouse* mouse = VoMouse::GetInstance();
    if (aButton != 1 || mouse == nullptr) {
        return;
    }
    VoVector2 pointer;
    mouse->GetPosition(pointer);
    for (int c = 0; c < kCellCount; ++c) {
        if (MGMenuArea::Contains(fpAreas[c], pointer) && fpTexts[c] != nullptr &&
            fpTexts[c]->GetText().GetLength() > 0) {
            HideBrackets();
            fSelected = c;
            if (fpBrackets[c] != nullptr) {
                fpBrackets[c]->SetVisible(true);
            }
        }
    }
}

void MGLoadScreen::OnLeaveEnd() {
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    fTree.Drop();
    DeletePictures();
    for (VoTextArea*& text : fpTexts) {
        text = nullptr;
    }
    for (VoSprite*& bracket : fpBrackets) {
        bracket = nullptr;
    }
}

void MGLoadScreen::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != kClick) {
        return;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (MGMenuLayout::Is(aId, u"cancel")) {
        // Only a pop the stack takes changes anything: a refused one leaves
        // the screen working for the next click.
        MGIScreen* popped = nullptr;
        if (!fBusy && screens != nullptr && !screens->IsBusy() && screens->PopFade(&popped)) {
            fBusy = true;
            MGListenToMouse(this, kMouseOrder, false, &fInMouse);
        }
    } else if (MGMenuLayout::Is(aId, u"up_arrow")) {
        if (fFirst - kPageStep < 0) {
            fFirst = 0;
        } else {
            fFirst -= kPageStep;
            fSelected = -1;
            HideBrackets();
        }
        Refresh();
    } else if (MGMenuLayout::Is(aId, u"down_arrow")) {
        if (fFirst + kPageStep < GetEntryCount()) {
            fFirst += kPageStep;
            fSelected = -1;
            HideBrackets();
        }
        Refresh();
    } else if (MGMenuLayout::Is(aId, u"load")) {
        if (fSelected >= 0 && !fBusy && screens != nullptr && !screens->IsBusy()) {
            Load();
        }
    }
}

bool MGLoadScreen::Load() {
    const MGSaveSlot* slot = fpList != nullptr ? fpList->GetAt(fFirst + fSelected) : nullptr;
    if (slot == nullptr || !MGGameFile::Load(MGSlotList::GameFile(slot->fNumber))) {
        VO_ASSERT_FAILURE(kLoadFailure);
        MGMenuLayout::Tell(kFailureBox, kFailureText);
        return false;
    }
    if (MGGameReset* reset = MGGameReset::GetInstance()) {
        reset->Notify();
    }
    float selected = 0.0f;
    VoGameClock* clock = VoGameClock::GetInstance();
    if (clock != nullptr && NumberState(VoStateManager::GetInstance(), u"sta_selectedcase", &selected) &&
        selected >= 0.0f && selected <= kMaxClock) {
        clock->SetCurrentClock(static_cast<std::int32_t>(selected));
    }
    MGMainMenu::StoreSkillSetting();
    fBusy = true;
    MGListenToMouse(this, kMouseOrder, false, &fInMouse);
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        fader->SetListener(this);
        // May finish at once, when the picture is black already.
        fader->FadeOut();
    }
    return true;
}

void MGLoadScreen::OnFadeEvent(int aCode) {
    if (aCode != kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    MGMainMenu* menu = MGMainMenu::GetInstance();
    if (menu != nullptr) {
        menu->StopTheme();
    }
    OnLeaveEnd();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (screens != nullptr) {
        screens->RemoveScreen(this);
        screens->RemoveScreen(menu);
    }
    VoStateManager* states = VoStateManager::GetInstance();
    VoVector2 position;
    VoVector2 direction;
    const bool placed = NumberState(states, u"sta_playerpos_x", &position.x) &&
                        NumberState(states, u"sta_playerpos_z", &position.y);
    const bool turned = NumberState(states, u"sta_playerdir_x", &direction.x) &&
                        NumberState(states, u"sta_playerdir_z", &direction.y);
    VoString sceneId;
    VoString viewpointId;
    if (!StringState(states, u"sta_currentscene", &sceneId)) {
        VO_ASSERT_FAILURE("");
    }
    if (!StringState(states, u"sta_currentviewpoint", &viewpointId)) {
        VO_ASSERT_FAILURE("");
    }
    MGSceneManager* scenes = MGSceneManager::GetInstance();
    if (scenes == nullptr || !scenes->LoadScene(sceneId, true, true)) {
        VO_ERROR(kSceneFailure, sceneId);
        BackToMenu();
    } else {
        if (placed) {
            scenes->SetPendingPosition(position);
        }
        if (turned) {
            scenes->SetPendingDirection(direction);
        }
        if (MGScene* scene = scenes->GetScene()) {
            scene->SetViewpoint(viewpointId);
        }
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void MGLoadScreen::BackToMenu() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGMainMenu* menu = MGMainMenu::GetInstance();
    if (screens != nullptr && menu != nullptr) {
        screens->Clear();
        screens->PushScreen(menu);
        menu->OnEnter();
    }
}

VoString MGLoadScreen::ToString() const {
    return VoDebugString("MGLoadScreen", this);
}
