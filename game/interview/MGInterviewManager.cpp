#include "interview/MGInterviewManager.h"

#include "container/VoDebugString.h"
#include "container/VoInt.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "gdi/VoDisplayGroup.h"
#include "gdi/VoDisplayManager.h"
#include "gdi/VoLayoutBuilder.h"
#include "interview/MGExpertInterview.h"
#include "interview/MGInterview.h"
#include "interview/MGInterviewMeter.h"
#include "interview/MGInterviewScrollBar.h"
#include "memory/VoNew.h"
#include "render/VoTextureManager.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "util/MGCleaner.h"

namespace {

VoCleanerSingleton<MGInterviewManager, MGCleanerHome> gInstance;

// The second and third characters of expert interview ids.
const char16_t* const kExpertKinds[] = {u"CL", u"ME", u"RE", u"SU", u"Ca"};

}  // namespace

MGInterviewManager* MGInterviewManager::GetInstance() {
    return gInstance.Get(
        [] {
            MGInterviewManager* manager = VO_NEW MGInterviewManager();
            if (manager != nullptr) {
                manager->Load();
                manager->SetupLayout();
            }
            return manager;
        },
        kCreationFailure);
}

MGInterviewManager::MGInterviewManager()
    : fpPocketObjects(nullptr),
      fCache(7, false, 16),
      fpCurrent(nullptr),
      fIsExpert(false),
      fpCatalogue(nullptr),
      fpGroup(nullptr),
      fpModes(nullptr),
      fpMeter(nullptr),
      fpScrollBar(nullptr) {}

MGInterviewManager::~MGInterviewManager() {
    // Twice: the current interview a first clear spares goes at the second.
    ClearInterviews();
    ClearInterviews();
    delete fpCatalogue;
    delete fpPocketObjects;
    delete fpScrollBar;
    if (fpGroup != nullptr && fpMeter != nullptr) {
        fpGroup->RemoveMember(fpMeter);
    }
    delete fpMeter;
    if (fpGroup != nullptr && fpGroup->GetGroup() != nullptr) {
        // The display root owns its members: it must not delete the group too.
        if (VoDisplayManager* display = VoDisplayManager::GetInstance()) {
            display->RemoveMember(fpGroup);
        }
    }
    delete fpGroup;
}

bool MGInterviewManager::Load() {
    delete fpCatalogue;
    fpCatalogue = VO_NEW VoPropertyList();
    if (fpCatalogue == nullptr || !fpCatalogue->Load(VoString(kCatalogue), true)) {
        VO_ASSERT_FAILURE(kCatalogueFailure);
        delete fpCatalogue;
        fpCatalogue = nullptr;
    }
    VoPropertyList* pockets = VO_NEW VoPropertyList();
    if (pockets != nullptr && !pockets->Load(VoString(kPocketObjects), true)) {
        delete pockets;
        pockets = nullptr;
    }
    SetPocketObjects(pockets);
    return true;
}

void MGInterviewManager::SetPocketObjects(VoPropertyList* apPocketObjects) {
    if (apPocketObjects != fpPocketObjects) {
        delete fpPocketObjects;
        fpPocketObjects = apPocketObjects;
    }
}

bool MGInterviewManager::SetupLayout() {
    if (fpGroup != nullptr) {
        return true;
    }
    fpGroup = VO_NEW VoDisplayGroup();
    if (fpGroup == nullptr) {
        VO_ASSERT_FAILURE("");
        return true;
    }
    fpGroup->SetId(VoString(kGroupId));
    fpGroup->SetPosition(kGroupX, kGroupY);
    fpGroup->SetActive(false);

    VoTextureManager* textures = VoTextureManager::GetInstance();
    const VoString root = textures != nullptr ? textures->GetRoot() : VoString(u"");
    if (textures != nullptr) {
        textures->SetRoot(VoString(kTextureRoot));
    }
    VoPropertyList* layout = VO_NEW VoPropertyList();
    if (layout == nullptr || !layout->Load(VoString(kLayoutFile), true)) {
        VO_ASSERT_FAILURE(kLayoutFailure);
        delete layout;
        layout = nullptr;
    }
    BuildInterface(layout);

    fpMeter = VO_NEW MGInterviewMeter();
    if (fpMeter != nullptr) {
        fpMeter->SetId(VoString(kMeterId));
        fpMeter->Setup(layout);
        fpMeter->SetPosition(kMeterX, kMeterY);
        if (!fpGroup->AddMember(fpMeter, true)) {
            VO_ASSERT_FAILURE("");
        }
    }
    fpScrollBar = VO_NEW MGInterviewScrollBar();
    if (fpScrollBar != nullptr) {
        fpScrollBar->Setup(layout, fpGroup);
    }
    delete layout;
    if (textures != nullptr) {
        textures->SetRoot(root);
    }
    return true;
}

void MGInterviewManager::BuildInterface(VoPropertyList* apLayout) {
    VoPropertyList* sprites = apLayout != nullptr ? apLayout->GetList(VoString(u"groups.interface.sprites")) : nullptr;
    if (sprites == nullptr) {
        VO_ASSERT_FAILURE(kNoInterfaceSprites);
    } else if (!VoLayoutBuilder::BuildSprites(sprites, fpGroup)) {
        VO_ASSERT_FAILURE(kBuildFailure);
    }
    VoPropertyList* buttons = apLayout != nullptr ? apLayout->GetList(VoString(u"groups.interface.buttons")) : nullptr;
    if (buttons == nullptr) {
        VO_ASSERT_FAILURE(kNoInterfaceButtons);
    } else if (!VoLayoutBuilder::BuildButtons(buttons, fpGroup, nullptr)) {
        VO_ASSERT_FAILURE(kBuildFailure);
    }
    VoPropertyList* modes = apLayout != nullptr ? apLayout->GetList(VoString(u"groups.modes")) : nullptr;
    fpModes = modes != nullptr ? VoLayoutBuilder::BuildGroup(modes, true) : nullptr;
    if (fpModes == nullptr) {
        VO_ASSERT_FAILURE(kNoModes);
    } else if (!fpGroup->AddMember(fpModes, true)) {
        VO_ASSERT_FAILURE(kBuildFailure);
        delete fpModes;
        fpModes = nullptr;
    }
}

MGInterview* MGInterviewManager::GetInterview(const VoString& aId) {
    fCurrentId = aId;
    if (fpCatalogue == nullptr) {
        return nullptr;
    }
    if (MGInterview* cached = static_cast<MGInterview*>(fCache.Get(aId))) {
        fpCurrent = cached;
        fIsExpert = cached->GetType() == VoString(kExpert);
        return cached;
    }
    bool found = false;
    const VoString dataFile = fpCatalogue->GetString(aId + u".data", &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoData);
    }
    const VoString subtitleFile = fpCatalogue->GetString(aId + u".subtitles", &found);
    if (!found) {
        VO_ASSERT_FAILURE(kNoSubtitles);
    }
    VoString witness = fpCatalogue->GetString(aId + u".witness", &found);
    if (!found) {
        witness = VoString(kNoWitness);
    }
    // Without a file name the path would name the folder itself.
    VoPropertyList* data = dataFile.GetLength() > 0 ? VO_NEW VoPropertyList() : nullptr;
    if (data == nullptr || !data->Load(VoString(kInterviewRoot) + dataFile, true)) {
        VO_ERROR(kDataFailure, dataFile);
        delete data;
        return nullptr;
    }
    fIsExpert = data->GetString(VoString(u"type"), nullptr).EqualsNoCase(kExpert);
    MGInterview* interview = fIsExpert ? VO_NEW MGExpertInterview() : VO_NEW MGInterview();
    if (interview == nullptr) {
        delete data;
        return nullptr;
    }
    if (!interview->Create(dataFile, data, subtitleFile)) {
        VO_ASSERT_FAILURE(kInterviewFailure, dataFile);
    }
    interview->SetWitness(witness);
    if (!fUncached.Add(interview)) {
        delete interview;
        return nullptr;
    }
    fpCurrent = interview;
    return interview;
}

bool MGInterviewManager::PreloadInterview(const VoString& aId) {
    const VoString kind = aId.SubString(1, 2);
    bool expert = false;
    for (const char16_t* expertKind : kExpertKinds) {
        expert = expert || kind == VoString(expertKind);
    }
    VoStateManager* states = VoStateManager::GetInstance();
    const VoIState* selected = expert && states != nullptr ? states->GetState(VoString(kSelectedCase)) : nullptr;
    if (selected != nullptr &&
        static_cast<int>(selected->GetNumber()) != VoInt(aId.SubString(0, 1)).fValue) {
        return true;
    }
    if (fCache.Get(aId) == nullptr) {
        MGInterview* interview = GetInterview(aId);
        if (interview == nullptr) {
            return false;
        }
        fUncached.RemoveAt(fUncached.Find(interview), nullptr);
        // The empty id is stored with the hash 0: the count tells.
        const int count = fCache.GetCount();
        fCache.Add(aId, interview, true);
        if (fCache.GetCount() == count) {
            Delete(interview);
            return false;
        }
        fpCurrent = nullptr;
    }
    return true;
}

void MGInterviewManager::ClearInterviews() {
    void** cached = nullptr;
    const int count = fCache.GetCount();
    if (count > 0 && fCache.GetItems(&cached)) {
        fCache.Clear();
        for (int i = 0; i < count; ++i) {
            Delete(static_cast<MGInterview*>(cached[i]));
        }
        delete[] cached;
    }
    for (int i = 0; i < fSpared.GetCount(); ++i) {
        Delete(static_cast<MGInterview*>(fSpared.GetAt(i)));
    }
    fSpared.Clear();
    for (int i = 0; i < fUncached.GetCount(); ++i) {
        MGInterview* interview = static_cast<MGInterview*>(fUncached.GetAt(i));
        if (interview == fpCurrent && fSpared.Add(interview)) {
            continue;
        }
        Delete(interview);
    }
    fUncached.Clear();
}

void MGInterviewManager::Delete(MGInterview* apInterview) {
    if (apInterview == fpCurrent) {
        fpCurrent = nullptr;
        fIsExpert = false;
    }
    delete apInterview;
}

bool MGInterviewManager::StartInterview() {
    if (fpCurrent == nullptr) {
        return false;
    }
    if (VoEventManager* events = VoEventManager::GetInstance()) {
        events->AddEvent(VoString(kStartedPrefix) + fpCurrent->GetId() + kStartedSuffix, true);
    }
    // An expert interview starts its own way (MGExpertInterview::Start).
    return fpCurrent->Start();
}

bool MGInterviewManager::GetLayout(VoDisplayGroup** appGroup, VoDisplayGroup** appModes,
                                   MGInterviewMeter** appMeter, MGInterviewScrollBar** appScrollBar) {
    if (appGroup == nullptr || appModes == nullptr || appMeter == nullptr || appScrollBar == nullptr) {
        return false;
    }
    *appGroup = fpGroup;
    if (fpGroup == nullptr) {
        return false;
    }
    *appModes = fpModes;
    if (fpModes == nullptr) {
        return false;
    }
    *appMeter = fpMeter;
    if (fpMeter == nullptr) {
        return false;
    }
    *appScrollBar = fpScrollBar;
    return fpScrollBar != nullptr;
}

VoString MGInterviewManager::ToString() const {
    return VoDebugString("MGInterviewManager", this);
}
