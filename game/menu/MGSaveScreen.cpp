#include "menu/MGSaveScreen.h"

#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoFontManager.h"
#include "gdi/VoSprite.h"
#include "memory/VoNew.h"
#include "menu/MGGameFile.h"
#include "menu/MGSaveField.h"
#include "menu/MGSlotList.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "system/VoIFileSystem.h"
#include "util/MGCleaner.h"
#include "util/MGTextureRoot.h"

namespace {

VoCleanerSingleton<MGSaveScreen, MGCleanerHome> gInstance;

// The section under the key of the list itself (keys may hold dots); null
// when missing.
VoPropertyList* Section(VoPropertyList* apList, const VoString& aKey) {
    const int index = apList != nullptr ? apList->IndexOf(aKey) : -1;
    return index >= 0 ? apList->GetListAt(index) : nullptr;
}

// The value of a string state; false when there is none.
bool StringState(const char16_t* apId, VoString* apOut) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoIState* state = states != nullptr ? states->GetState(VoString(apId)) : nullptr;
    if (state == nullptr || state->GetType() != VoIState::kString || state->GetValue() == nullptr) {
        return false;
    }
    *apOut = *static_cast<const VoString*>(state->GetValue());
    return true;
}

// The first slot number above the list's whose game file does not exist:
// a save never writes over a game, listed or not. 0 when none is left or
// the folder cannot be listed.
std::int32_t NextFreeNumber(const MGSlotList& aList) {
    VoVectorInt games;
    if (!MGSlotList::GameNumbers(&games)) {
        return 0;
    }
    for (std::int32_t number = aList.GetHighestNumber(); number < MGSlotList::kMaxNumber;) {
        ++number;
        if (!games.Contains(number)) {
            return number;
        }
    }
    return 0;
}

}  // namespace

MGSaveScreen* MGSaveScreen::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGSaveScreen(); }, kCreationFailure);
}

MGSaveScreen::MGSaveScreen() : fpField(nullptr), fpList(nullptr), fListRead(false), fThumbnail(u"none") {}

MGSaveScreen::~MGSaveScreen() {
    fTree.Drop();
    delete fpList;
}

void MGSaveScreen::OnEnter() {
    VoIFileSystem* files = VoIFileSystem::GetInstance();
    const VoString folder(MGSlotList::kFolder);
    const VoString path(MGSlotList::kPath);
    if (files != nullptr && !files->DirectoryExists(folder, true)) {
        files->CreateDirectory(folder, true);
    }
    delete fpList;
    fpList = VO_NEW MGSlotList();
    // Opened first: a missing list with games on disk is rebuilt, not made
    // empty and then set aside as damaged.
    const MGSlotList::Opened opened = fpList != nullptr ? fpList->Open() : MGSlotList::kUnreadable;
    // A list rebuilt but not set aside is never written over.
    fListRead = opened == MGSlotList::kRead || opened == MGSlotList::kRecovered;
    if (files != nullptr && !files->FileExists(path, true)) {
        files->CreateFile(path, true);
    }
    Build();
    MGSlotList::Tell(opened);
}

void MGSaveScreen::Build() {
    MGTextureRoot root(MGMenuLayout::kTextureRoot);
    VoPropertyList layout;
    layout.Load(VoString(kLayoutFile), true);
    fpField = nullptr;
    VoDisplayGroup* tree = fTree.Create(VoString(kRootId));
    if (tree == nullptr) {
        return;
    }
    MGMenuLayout::AddGroup(&layout, VoString(u"save_screen.g01-background"), tree);
    MGMenuLayout::AddGroup(&layout, VoString(u"save_screen.g03-black_background"), tree);
    MGMenuLayout::AddButtons(&layout, VoString(u"save_screen.g02-buttons"), VoString(u"save_buttons"), tree,
                             this, {});
    VoDisplayGroup* texts = MGMenuLayout::NewGroup(VoString(u"text_areas"), kTextAreasZ);
    MGSaveField* field = VO_NEW MGSaveField();
    if (texts != nullptr && field != nullptr && field->SetId(VoString(kFieldId))) {
        field->SetPosition(kFieldX, kFieldY);
        field->SetSize(kFieldWidth, kFieldHeight);
        VoFontManager* fonts = VoFontManager::GetInstance();
        field->Create(fonts != nullptr ? fonts->GetFont(VoString(kFieldFont)) : nullptr);
        if (texts->AddMember(field, true)) {
            fpField = field;
            field->SetFocus(true);
        }
    }
    if (fpField == nullptr) {
        delete field;
    }
    fThumbnail = LookUpThumbnail();
    AddThumbnail(tree);
    if (texts != nullptr && !tree->AddMember(texts, true)) {
        delete texts;
        fpField = nullptr;
    }
    fTree.Show();
}

VoString MGSaveScreen::LookUpThumbnail() {
    VoPropertyList table;
    return LookUpThumbnail(table.Load(VoString(kThumbnailFile), true) ? &table : nullptr);
}

VoString MGSaveScreen::LookUpThumbnail(VoPropertyList* apTable) {
    VoString name(u"none");
    VoString scene;
    VoString viewpoint;
    if (!StringState(u"sta_currentscene", &scene)) {
        return name;
    }
    VoString caseSection(u"allCases");
    VoString sceneSection(scene);
    if (scene.SubString(0, 4).EqualsNoCase(VoString(u"case"))) {
        VoVectorString pieces;
        scene.Split(VoString(u"/"), &pieces);
        if (pieces.GetCount() < 2) {
            return name;
        }
        caseSection = pieces.GetAt(0);
        sceneSection = pieces.GetAt(1);
    }
    if (apTable == nullptr || !StringState(u"sta_currentviewpoint", &viewpoint)) {
        return name;
    }
    VoPropertyList* entry = Section(Section(Section(apTable, caseSection), sceneSection), viewpoint);
    bool found = false;
    const VoString image = entry != nullptr ? entry->GetString(VoString(u"image"), &found) : VoString(u"");
    return found ? image : name;
}

void MGSaveScreen::AddThumbnail(VoDisplayGroup* apTree) {
    const std::uint32_t handle =
        fThumbnail.GetLength() > 0
            ? MGMenuLayout::FiledTexture(fThumbnail, VoString(kThumbnailRoot) + fThumbnail)
            : 0;
    if (handle == 0) {
        return;
    }
    VoSprite* sprite = VO_NEW VoSprite();
    if (sprite == nullptr) {
        return;
    }
    sprite->SetId(VoString(kThumbnailId));
    sprite->SetRelativeZ(kThumbnailZ);
    sprite->SetTexture(handle, nullptr, nullptr);
    sprite->SetPosition(kThumbnailX, kThumbnailY);
    if (!apTree->AddMember(sprite, true)) {
        delete sprite;
    }
}

void MGSaveScreen::OnLeaveEnd() {
    fpField = nullptr;
    fTree.Drop();
}

void MGSaveScreen::Leave() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    MGIScreen* popped = nullptr;
    if (screens != nullptr) {
        screens->PopFade(&popped);
    }
}

void MGSaveScreen::OnButtonEvent(const VoString& aId, int aCode) {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // While the stack fades nothing may change: a leave would be refused.
    if (aCode != kClick || screens == nullptr || screens->IsBusy()) {
        return;
    }
    if (MGMenuLayout::Is(aId, u"cancel")) {
        Leave();
    } else if (Save()) {
        Leave();
    }
}

bool MGSaveScreen::Save() {
    if (fpField == nullptr) {
        return false;
    }
    const VoString text = fpField->GetText();
    VoString trimmed(text);
    if (text.GetLength() == 0 || trimmed.TrimRight().GetLength() == 0) {
        return false;
    }
    const std::int32_t number = fpList != nullptr ? NextFreeNumber(*fpList) : 0;
    if (!fListRead || number == 0 || !fpList->Add(number, text, fThumbnail)) {
        VO_ERROR(kListFailure);
        MGMenuLayout::Tell(kFailureBox, kFailureText);
        return false;
    }
    const VoString gameFile = MGSlotList::GameFile(number);
    if (!MGGameFile::Save(gameFile)) {
        VO_ASSERT_FAILURE(kGameFailure);
        fpList->RemoveLast();
        MGMenuLayout::Tell(kFailureBox, kFailureText);
        return false;
    }
    if (!fpList->Save()) {
        VO_ERROR(kListFailure);
        // No list names the new file: it goes again.
        if (VoIFileSystem* files = VoIFileSystem::GetInstance()) {
            files->DeleteFile(gameFile, true);
        }
        fpList->RemoveLast();
        MGMenuLayout::Tell(kFailureBox, kFailureText);
        return false;
    }
    return true;
}

VoString MGSaveScreen::ToString() const {
    return VoDebugString("MGSaveScreen", this);
}
