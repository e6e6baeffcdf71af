#include "profiler/MGProfilingComputer.h"

#include "MGScreenFader.h"
#include "MGScreenManager.h"
#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "container/VoVectorFloat.h"
#include "container/VoVectorInt.h"
#include "container/VoVectorString.h"
#include "event/VoEvent.h"
#include "event/VoEventManager.h"
#include "gdi/VoButton.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "gdi/VoSprite.h"
#include "gdi/VoTextArea.h"
#include "memory/VoNew.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "platform/VoISoundManager.h"
#include "platform/VoISoundPlayer.h"
#include "platform/VoMouse.h"
#include "scene/MGScene.h"
#include "scene/MGSceneManager.h"
#include "script/VoScript.h"
#include "script/VoScriptBuilder.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "ui/MGCursor.h"
#include "util/MGCleaner.h"
#include "util/MGListening.h"
#include "util/MGOptions.h"
#include "util/MGTextureRoot.h"
#include "util/MGTimeOrder.h"

namespace {

VoCleanerSingleton<MGProfilingComputer, MGCleanerHome> gInstance;

// The parts of a case's profile, their first rows and their icons' suffixes.
struct Part {
    const char16_t* fpName;
    int fFirstRow;
    const char16_t* fpIconSuffix;
};
constexpr Part kParts[MGProfilingComputer::kPartCount] = {
    {u"characteristics", 0, u"_cicon"},
    {u"personality", 4, u"_picon"},
    {u"motive", 8, u"_micon"},
};

constexpr const char16_t* kLevelWords[MGProfilingComputer::kLevelCount] = {u"", u"weak", u"moderate",
                                                                           u"strong", u"verystrong"};

// A list loaded from the file, or null (an assertion line) when it cannot be.
VoPropertyList* LoadList(const char16_t* apPath) {
    VoPropertyList* list = VO_NEW VoPropertyList();
    if (list != nullptr && !list->Load(VoString(apPath), true)) {
        delete list;
        list = nullptr;
    }
    if (list == nullptr) {
        VO_ASSERT_FAILURE("");
    }
    return list;
}

// "case0" + N + "." + aRest.
VoString CasePath(int aCase, const VoString& aRest) {
    VoString path(MGProfilingComputer::kCasePrefix);
    path.Append(static_cast<std::int32_t>(aCase));
    path.Append(u".");
    path.Append(aRest);
    return path;
}

// A key is one level of a file: "." would reach into an entry.
bool IsKey(const VoString& aKey) {
    return aKey.GetLength() > 0 && aKey.Find(u".") < 0;
}

// How many entries of a part count: its first four.
int CountedEntries(VoPropertyList* apSection) {
    if (apSection == nullptr) {
        return 0;
    }
    const int count = apSection->GetCount();
    return count < MGProfilingComputer::kRowsPerPart ? count : MGProfilingComputer::kRowsPerPart;
}

// The indices of the part's counted entries whose "_profiler" event
// happened, oldest event first, equal times in file order.
void CollectProfiledIndices(VoPropertyList* apSection, VoVectorInt* apOut) {
    VoEventManager* events = VoEventManager::GetInstance();
    VoVectorFloat times;
    for (int i = 0; events != nullptr && i < CountedEntries(apSection); ++i) {
        VoEvent* event = events->PeekEvent(apSection->GetKeyAt(i) + MGProfilingComputer::kProfiledSuffix);
        if (event == nullptr) {
            continue;
        }
        const float time = event->GetTime();
        const int place = MGTimeOrderPlace(times, time);
        times.AddAt(place, time);
        apOut->AddAt(place, i);
    }
}

void SetVisible(VoIDisplayObject* apObject, bool aVisible) {
    if (apObject != nullptr) {
        apObject->SetVisible(aVisible);
    }
}

// Adds an owned member; a refused one is deleted. Whether it was added.
template <typename T>
bool AddOwned(VoDisplayGroup* apGroup, T*& aprMember) {
    if (aprMember == nullptr) {
        return false;
    }
    if (apGroup == nullptr || !apGroup->AddMember(aprMember, true)) {
        delete aprMember;
        aprMember = nullptr;
        return false;
    }
    return true;
}

}  // namespace

int MGProfilingComputer::StrengthLevel(int aProfiled, int aTotal) {
    if (aTotal <= 0) {
        return 0;
    }
    // The share compared as whole numbers: 17 of 20 is 0.85 exactly, not above.
    const long long share = 100LL * aProfiled;
    const long long total = aTotal;
    if (share > 85 * total) {
        return 4;
    }
    if (share > 75 * total) {
        return 3;
    }
    if (share > 35 * total) {
        return 2;
    }
    if (share > 15 * total) {
        return 1;
    }
    return 0;
}

VoString MGProfilingComputer::StrengthWord(int aLevel) {
    return VoString(aLevel >= 0 && aLevel < kLevelCount ? kLevelWords[aLevel] : u"");
}

VoString MGProfilingComputer::KeyOf(const VoString& aItemId) {
    const std::int32_t split = aItemId.Find(u"_");
    return split < 0 ? aItemId : aItemId.SubString(0, split);
}

MGProfilingComputer* MGProfilingComputer::GetInstance() {
    return gInstance.Get([] { return VO_NEW MGProfilingComputer(); }, kCreationFailure);
}

MGProfilingComputer* MGProfilingComputer::PeekInstance() {
    return gInstance.Peek();
}

MGProfilingComputer::MGProfilingComputer()
    : fpRoot(nullptr),
      fpIcons(nullptr),
      fpItems(nullptr),
      fpMatch(nullptr),
      fpStrength{},
      fLevel(0),
      fpMatchText(nullptr),
      fpRows{},
      fpHeadings{},
      fpEntries{},
      fpSlotSprite(nullptr),
      fpSound(nullptr),
      fProfiledCount(0),
      fpAnalyzing(nullptr),
      fpNoNewInformation(nullptr),
      fpTooWeak(nullptr),
      fInMouse(false),
      fListening(false) {
    VoStateManager* states = VoStateManager::GetInstance();
    fListening = states != nullptr && states->AddListener(this, kListenerOrder);
}

MGProfilingComputer::~MGProfilingComputer() {
    if (fListening) {
        if (VoStateManager* states = VoStateManager::GetInstance()) {
            states->RemoveListener(this);
        }
    }
    // At shut-down a singleton the cleaner deleted already is null here.
    if (MGScreenFader* fader = MGScreenFader::GetInstance()) {
        if (fader->GetListener() == this) {
            fader->RemoveListener(this);
        }
    }
    if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
        if (screens->FindScreen(this) >= 0) {
            screens->RemoveScreen(this);
        }
    }
    ListenToMouse(false);
    delete fpSound;
    delete fpItems;
    delete fpMatch;
    DeleteScreen();
}

bool MGProfilingComputer::IsOnStack() {
    MGScreenManager* screens = MGScreenManager::GetInstance();
    return screens != nullptr && screens->FindScreen(this) >= 0;
}

void MGProfilingComputer::OnStateChanged(VoIState* apState) {
    if (apState == nullptr || apState->GetName() != VoString(kActiveState) || !apState->GetBoolean()) {
        return;
    }
    MGScreenManager* screens = MGScreenManager::GetInstance();
    // Pushed once: a second push would build a second screen over the first.
    if (screens == nullptr || screens->IsBusy() || screens->FindScreen(this) >= 0) {
        return;
    }
    if (MGScene* scene = MGSceneManager::GetCurrentScene()) {
        scene->SetKeepAudio(true);
    }
    screens->PushFade(this);
}

void MGProfilingComputer::OnEnter() {
    Create();
    ResetCursor(kHandCursor);
}

void MGProfilingComputer::OnLeaveBegin() {
    if (fpRoot != nullptr) {
        fpRoot->SetEnabled(false);
    }
}

void MGProfilingComputer::OnLeaveEnd() {
    ListenToMouse(false);
    delete fpSound;
    fpSound = nullptr;
    delete fpItems;
    fpItems = nullptr;
    delete fpMatch;
    fpMatch = nullptr;
    DeleteSlotSprite();
    DeleteScreen();
    ResetCursor(kPointerCursor);
}

void MGProfilingComputer::OnFadeEvent(int aCode) {
    if (aCode != MGIScreenFaderListener::kFinished) {
        return;
    }
    MGScreenFader* fader = MGScreenFader::GetInstance();
    if (fader != nullptr) {
        fader->RemoveListener(this);
    }
    OnLeaveEnd();
    MGScreenManager* screens = MGScreenManager::GetInstance();
    if (MGIScreen* top = screens != nullptr ? screens->GetTopScreen() : nullptr) {
        top->OnEnter();
    }
    if (fader != nullptr) {
        fader->FadeIn();
    }
}

void MGProfilingComputer::Create() {
    DeleteSlotSprite();
    DeleteScreen();
    delete fpItems;
    fpItems = LoadList(MGInventoryPanel::kItemsFile);
    fItemsPrefix = VoString(kItemsPrefix);
    fItemsPrefix.Append(static_cast<std::int32_t>(MGPDA::ReadSelectedCase(0)));
    VoPropertyList* profile = LoadList(kProfileFile);
    delete fpMatch;
    fpMatch = LoadList(kMatchFile);

    VoPropertyList* layout = LoadList(kLayoutFile);
    {
        MGTextureRoot root(kTextureRoot);
        BuildScreen(layout);
    }
    // The back button's pictures are named under the root from before.
    VoButton* back = layout != nullptr ? VoLayoutBuilder::BuildButton(
                                             layout->GetList(VoString(u"groups.g02-backbutton")), this)
                                       : nullptr;
    AddOwned(fpRoot, back);
    delete layout;

    MGOptions* options = MGOptions::GetInstance();
    const int skill = options != nullptr ? options->GetSkillLevel() : MGOptions::kDefaultSkillLevel;
    const int selected = MGPDA::ReadSelectedCase(0);
    for (int p = 0; skill != kHardSkill && p < kPartCount; ++p) {
        VoPropertyList* section =
            profile != nullptr ? profile->GetList(CasePath(selected, VoString(kParts[p].fpName))) : nullptr;
        for (int i = 0; i < CountedEntries(section); ++i) {
            SetVisible(fpRows[kParts[p].fFirstRow + i], true);
        }
    }
    delete profile;

    VoDisplayManager* display = VoDisplayManager::GetInstance();
    if (fpRoot != nullptr && (display == nullptr || !display->AddMember(fpRoot))) {
        DeleteScreen();
    }
    fProfiledCount = 0;
    RefreshProfile();
}

void MGProfilingComputer::BuildScreen(VoPropertyList* apLayout) {
    fpRoot = VO_NEW VoDisplayGroup();
    if (fpRoot == nullptr) {
        return;
    }
    fpRoot->SetId(VoString(kRootId));
    fpRoot->SetRelativeZ(kRootZ);
    auto list = [apLayout](const char16_t* apPath) {
        return apLayout != nullptr ? apLayout->GetList(VoString(apPath)) : nullptr;
    };

    VoPropertyList* backgroundNode = list(u"groups.g01-background");
    VoDisplayGroup* background =
        backgroundNode != nullptr ? VoLayoutBuilder::BuildGroup(backgroundNode, true) : nullptr;
    AddOwned(fpRoot, background);

    VoPropertyList* strength = list(u"groups.g03-profile_strength");
    for (int i = 0; strength != nullptr && i < kLevelCount && i < strength->GetCount(); ++i) {
        fpStrength[i] = AddHiddenSprite(strength->GetListAt(i));
    }
    fLevel = 0;
    SetVisible(fpStrength[0], true);

    fpMatchText = VO_NEW VoTextArea();
    if (fpMatchText != nullptr) {
        fpMatchText->SetId(VoString(kMatchTextId));
        fpMatchText->Create(VoString(kMatchFont));
        fpMatchText->SetPosition(kMatchX, kMatchY);
        fpMatchText->SetRelativeZ(kMatchZ);
        fpMatchText->SetSingleLine(true);
        fpMatchText->SetWordWrap(true);
        fpMatchText->SetWidth(kMatchWidth);
        AddOwned(fpRoot, fpMatchText);
    }

    VoDisplayGroup* buttons = VO_NEW VoDisplayGroup();
    if (buttons != nullptr) {
        buttons->SetId(VoString(kButtonsId));
        buttons->SetRelativeZ(kButtonsZ);
        if (VoPropertyList* nodes = list(u"groups.g04-buttons.buttons")) {
            VoLayoutBuilder::BuildButtons(nodes, buttons, this);
        }
        AddOwned(fpRoot, buttons);
    }

    VoPropertyList* rows = list(u"groups.g05-item_slots");
    for (int i = 0; rows != nullptr && i < kRowCount && i < rows->GetCount(); ++i) {
        fpRows[i] = AddHiddenSprite(rows->GetListAt(i));
    }

    fpIcons = VO_NEW VoDisplayGroup();
    if (fpIcons != nullptr) {
        fpIcons->SetId(VoString(kIconsId));
        fpIcons->SetRelativeZ(kIconsZ);
        AddOwned(fpRoot, fpIcons);
    }

    AddTexts(list(u"groups.g06-headers"), fpHeadings, kHeadingFont, kHeadingWidth, kHeadingLineHeight);
    AddTexts(list(u"groups.g07-entries"), fpEntries, kEntryFont, kEntryWidth, kEntryLineHeight);

    ListenToMouse(true);

    fpAnalyzing = AddHiddenSprite(list(kAnalyzingPath));
    fpNoNewInformation = AddHiddenSprite(list(kNoNewInformationPath));
    fpTooWeak = AddHiddenSprite(list(kTooWeakPath));
}

VoSprite* MGProfilingComputer::AddHiddenSprite(VoPropertyList* apNode) {
    VoSprite* sprite = apNode != nullptr ? VoLayoutBuilder::BuildSprite(apNode) : nullptr;
    if (sprite != nullptr) {
        sprite->SetVisible(false);
    }
    AddOwned(fpRoot, sprite);
    return sprite;
}

void MGProfilingComputer::AddTexts(VoPropertyList* apList, VoTextArea** appTexts, const char16_t* apFont,
                                   float aWidth, float aLineHeight) {
    for (int i = 0; apList != nullptr && i < kRowCount && i < apList->GetCount(); ++i) {
        VoPropertyList* node = apList->GetListAt(i);
        VoTextArea* text = node != nullptr ? VO_NEW VoTextArea() : nullptr;
        if (text == nullptr) {
            continue;
        }
        text->SetId(node->GetString(VoString(u"id"), nullptr));
        bool placed = false;
        const VoVectorFloat position = node->GetVectorFloat(VoString(u"position"), &placed);
        if (position.GetCount() >= 2) {
            text->SetPosition(position.GetAt(0), position.GetAt(1));
        }
        text->Create(VoString(apFont));
        text->SetSingleLine(true);
        text->SetWordWrap(true);
        text->SetWidth(aWidth);
        text->SetLineHeight(aLineHeight);
        if (AddOwned(fpRoot, text)) {
            appTexts[i] = text;
        }
    }
}

void MGProfilingComputer::DeleteScreen() {
    if (fpRoot != nullptr) {
        VoDisplayManager* display = VoDisplayManager::GetInstance();
        if (display != nullptr && fpRoot->GetGroup() == display->GetRootGroup()) {
            display->RemoveMember(fpRoot);
        }
        delete fpRoot;
    }
    fpRoot = nullptr;
    fpIcons = nullptr;
    fpMatchText = nullptr;
    fpSlotSprite = nullptr;
    fpAnalyzing = nullptr;
    fpNoNewInformation = nullptr;
    fpTooWeak = nullptr;
    for (int i = 0; i < kLevelCount; ++i) {
        fpStrength[i] = nullptr;
    }
    for (int i = 0; i < kRowCount; ++i) {
        fpRows[i] = nullptr;
        fpHeadings[i] = nullptr;
        fpEntries[i] = nullptr;
    }
}

VoPropertyList* MGProfilingComputer::FindItem(const VoString& aKey) {
    if (fpItems == nullptr || !IsKey(aKey)) {
        return nullptr;
    }
    return fpItems->GetList(fItemsPrefix + u"." + aKey);
}

VoSprite* MGProfilingComputer::BuildItemIcon(const VoString& aKey) {
    VoPropertyList* item = FindItem(aKey);
    VoPropertyList* node = item != nullptr ? item->GetList(VoString(u"sprite")) : nullptr;
    if (node == nullptr) {
        return nullptr;
    }
    MGTextureRoot root(kItemRoot);
    return VoLayoutBuilder::BuildSprite(node);
}

void MGProfilingComputer::OnButtonDown(int aButton) {
    MGCursor* cursor = MGCursor::GetInstance();
    if (aButton != 1 || cursor == nullptr || cursor->GetCurrentId() != MGCursor::kItem) {
        return;
    }
    fSlotItem = cursor->GetItemId();
    ResetCursor(kHandCursor);
    VoMouse* mouse = VoMouse::GetInstance();
    VoVector2 pointer;
    if (mouse == nullptr || !SlotArea().ContainsPoint(mouse->GetPosition(pointer))) {
        return;
    }
    VoSprite* icon = BuildItemIcon(KeyOf(fSlotItem));
    if (icon == nullptr) {
        return;
    }
    DeleteSlotSprite();
    icon->SetId(fSlotItem);
    icon->SetRelativeZ(kSlotIconZ);
    icon->SetPosition(kSlotIconX, kSlotIconY);
    if (AddOwned(fpRoot, icon)) {
        fpSlotSprite = icon;
    }
}

void MGProfilingComputer::OnButtonEvent(const VoString& aId, int aCode) {
    if (aCode != VoIButtonListener::kClick) {
        return;
    }
    if (aId.EqualsNoCase(kBackButtonId)) {
        if (MGScreenManager* screens = MGScreenManager::GetInstance()) {
            MGIScreen* popped = nullptr;
            screens->PopFade(&popped);
        }
        if (VoMouse* mouse = VoMouse::GetInstance()) {
            mouse->ConsumeEvent();
        }
        return;
    }
    Analyze();
}

void MGProfilingComputer::Analyze() {
    if (fpMatchText != nullptr) {
        fpMatchText->SetText(VoString());
    }
    if (fpSlotSprite == nullptr) {
        return;
    }
    const VoString id = fpSlotSprite->GetId();
    const VoString key = KeyOf(id);
    // An item the case does not know keeps its icon and the waiting suspect.
    if (VoPropertyList* item = FindItem(key)) {
        fPendingSuspect = VoString();
        if (item->GetString(VoString(u"type"), nullptr).EqualsNoCase(kWitnesses)) {
            if (fLevel < kStrongLevel) {
                ShowStatus(fpTooWeak);
                PlaySound(kMatchStream, kBuzzSound);
                DeleteSlotSprite();
                ResetCursor(kHandCursor);
                return;
            }
            fPendingSuspect = id;
        } else {
            AddEventOnce(key + kProfiledSuffix);
        }
        DeleteSlotSprite();
    }
    ResetCursor(kHandCursor);
    ShowStatus(fpAnalyzing);
    if (fpSound == nullptr) {
        PlaySound(kAnalyzeStream, kAnalyzeSound);
    }
}

void MGProfilingComputer::OnSoundEnd(const VoString& aName) {
    HideStatuses();
    delete fpSound;
    fpSound = nullptr;
    if (aName != VoString(kAnalyzeStream)) {
        return;
    }
    if (fPendingSuspect.GetLength() > 0) {
        EvaluateSuspect(fPendingSuspect);
        return;
    }
    const int before = fProfiledCount;
    RefreshProfile();
    if (fProfiledCount > before) {
        PlaySound(kMatchStream, kMatchSound);
    } else {
        ShowStatus(fpNoNewInformation);
        PlaySound(kMatchStream, kBuzzSound);
    }
}

void MGProfilingComputer::RefreshProfile() {
    VoPropertyList* profile = LoadList(kProfileFile);
    RefreshProfile(profile);
    delete profile;
}

void MGProfilingComputer::CollectProfiledEntries(VoPropertyList* apSection, VoVectorString* apOut) {
    if (apOut == nullptr) {
        return;
    }
    VoVectorInt indices;
    CollectProfiledIndices(apSection, &indices);
    for (int i = 0; i < indices.GetCount(); ++i) {
        apOut->Add(apSection->GetKeyAt(indices.GetAt(i)));
    }
}

void MGProfilingComputer::RefreshProfile(VoPropertyList* apProfile) {
    const int selected = MGPDA::ReadSelectedCase(0);
    int total = 0;
    int profiled = 0;
    for (const Part& part : kParts) {
        VoPropertyList* section =
            apProfile != nullptr ? apProfile->GetList(CasePath(selected, VoString(part.fpName))) : nullptr;
        if (section != nullptr && section->GetCount() > kRowsPerPart) {
            VO_WARNING(kTooManyEntries, part.fpName);
        }
        total += CountedEntries(section);
        VoVectorInt indices;
        CollectProfiledIndices(section, &indices);
        profiled += indices.GetCount();
        for (int i = 0; i < indices.GetCount(); ++i) {
            const int row = part.fFirstRow + i;
            const int index = indices.GetAt(i);
            const VoString key = section->GetKeyAt(index);
            SetVisible(fpRows[row], true);
            if (VoPropertyList* entry = section->GetListAt(index)) {
                bool found = false;
                const VoString heading = entry->GetString(VoString(u"heading"), &found);
                if (found && fpHeadings[row] != nullptr) {
                    fpHeadings[row]->SetText(heading);
                }
                const VoString text = entry->GetString(VoString(u"text"), &found);
                if (found && fpEntries[row] != nullptr) {
                    fpEntries[row]->SetText(text);
                }
            }
            if (fpRows[row] == nullptr || fpIcons == nullptr) {
                continue;
            }
            const VoVector2 place = fpRows[row]->GetPosition() + VoVector2(kIconOffset, kIconOffset);
            const VoString iconId = key + part.fpIconSuffix;
            if (VoIDisplayObject* icon = fpIcons->GetMember(iconId)) {
                icon->SetPosition(place);
                icon->SetVisible(true);
                continue;
            }
            VoSprite* icon = BuildItemIcon(KeyOf(key).ToLower());
            if (icon != nullptr && icon->SetId(iconId)) {
                icon->SetPosition(place);
                AddOwned(fpIcons, icon);
            } else {
                delete icon;
            }
        }
    }

    const int level = StrengthLevel(profiled, total);
    VoString event(kStrengthEventPrefix);
    event.Append(static_cast<std::int32_t>(selected));
    event.Append(u"_");
    event.Append(StrengthWord(level));
    AddEventOnce(event);

    for (int i = 0; i < kLevelCount; ++i) {
        SetVisible(fpStrength[i], i == level);
    }
    fLevel = level;
    fProfiledCount = profiled;
}

void MGProfilingComputer::EvaluateSuspect(const VoString& aSuspectId) {
    const int selected = MGPDA::ReadSelectedCase(0);
    if (selected < 1 || selected > MGInventoryPanel::kCaseCount || fpMatch == nullptr || !IsKey(aSuspectId)) {
        return;
    }
    VoPropertyList* criteria = fpMatch->GetList(CasePath(selected, aSuspectId));
    VoScriptBuilder* builder = VoScriptBuilder::GetInstance();
    VoEventManager* events = VoEventManager::GetInstance();
    for (int i = 0; criteria != nullptr && i < criteria->GetCount(); ++i) {
        VoPropertyList* entry = criteria->GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        bool depends = false;
        bool rated = false;
        const VoString depend = entry->GetString(VoString(u"depend"), &depends);
        const VoString viability = entry->GetString(VoString(u"viability"), &rated);
        if (!depends || !rated) {
            continue;
        }
        bool holds = false;
        if (depend.SubString(0, 6).EqualsNoCase(u"script")) {
            VoScript script;
            if (builder == nullptr || !builder->Build(depend, &script)) {
                VO_ASSERT_FAILURE("");
            }
            holds = script.Evaluate();
            if (holds) {
                bool done = false;
                const VoString doneEvent = entry->GetString(VoString(u"doneevent"), &done);
                if (done) {
                    AddEventOnce(doneEvent);
                }
            }
        } else {
            holds = events != nullptr && events->HasEvent(depend);
        }
        if (holds) {
            if (fpMatchText != nullptr) {
                fpMatchText->SetText(viability + u"%");
            }
            return;
        }
    }
}

void MGProfilingComputer::SetMatchCriteria(VoPropertyList* apCriteria) {
    delete fpMatch;
    fpMatch = apCriteria;
}

void MGProfilingComputer::AddEventOnce(const VoString& aId) {
    VoEventManager* events = VoEventManager::GetInstance();
    // A repeat would only be refused, with an error line.
    if (events != nullptr && aId.GetLength() > 0 && !events->HasEvent(aId)) {
        events->AddEvent(aId, true);
    }
}

void MGProfilingComputer::DeleteSlotSprite() {
    if (fpSlotSprite == nullptr) {
        return;
    }
    if (fpRoot != nullptr) {
        fpRoot->RemoveMember(fpSlotSprite);
    }
    delete fpSlotSprite;
    fpSlotSprite = nullptr;
}

void MGProfilingComputer::ShowStatus(VoSprite* apStatus) {
    HideStatuses();
    SetVisible(apStatus, true);
}

void MGProfilingComputer::HideStatuses() {
    SetVisible(fpAnalyzing, false);
    SetVisible(fpNoNewInformation, false);
    SetVisible(fpTooWeak, false);
}

void MGProfilingComputer::ResetCursor(int aBase) {
    if (MGCursor* cursor = MGCursor::GetInstance()) {
        cursor->SetBaseCursor(aBase);
        cursor->ResetCursor(VoString(u""));
    }
}

void MGProfilingComputer::PlaySound(const char16_t* apName, const char16_t* apPath) {
    delete fpSound;
    fpSound = nullptr;
    VoISoundManager* sounds = VoISoundManager::GetInstance();
    fpSound = sounds != nullptr ? sounds->CreateStream(VoString(apName), VoString(apPath)) : nullptr;
    if (fpSound == nullptr) {
        return;
    }
    fpSound->SetListener(this);
    MGOptions* options = MGOptions::GetInstance();
    fpSound->SetVolume(options != nullptr ? options->GetVolume() : MGOptions::kDefaultVolume);
    fpSound->SetLoopCount(false);
    fpSound->Play();
}

void MGProfilingComputer::ListenToMouse(bool aListen) {
    MGListenToMouse(this, kListenerOrder, aListen, &fInMouse);
}

VoSprite* MGProfilingComputer::GetStrengthPicture(int aLevel) const {
    return aLevel >= 0 && aLevel < kLevelCount ? fpStrength[aLevel] : nullptr;
}

VoSprite* MGProfilingComputer::GetRow(int aRow) const {
    return aRow >= 0 && aRow < kRowCount ? fpRows[aRow] : nullptr;
}

VoTextArea* MGProfilingComputer::GetHeading(int aRow) const {
    return aRow >= 0 && aRow < kRowCount ? fpHeadings[aRow] : nullptr;
}

VoTextArea* MGProfilingComputer::GetEntry(int aRow) const {
    return aRow >= 0 && aRow < kRowCount ? fpEntries[aRow] : nullptr;
}

VoString MGProfilingComputer::ToString() const {
    return VoDebugString("MGProfilingComputer", this);
}
