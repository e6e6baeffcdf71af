#include "scene/MGSceneAudio.h"

#include <initializer_list>

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "scene/MGRandomWait.h"
#include "scene/MGSceneAudioItem.h"
#include "stdlib/VoFrameManager.h"
#include "system/VoITimer.h"
#include "util/MGOptions.h"

namespace {

// Items are few: small lists.
constexpr int kListCapacity = 10;
constexpr int kHashShift = 7;

}  // namespace

MGSceneAudio::MGSceneAudio() : MGSceneAudio(nullptr) {}

MGSceneAudio::MGSceneAudio(VoITimer* apTimer)
    : fSceneItems(kHashShift, false, kListCapacity),
      fViewpointItems(kHashShift, false, kListCapacity),
      fRetiredItems(kListCapacity, kListCapacity),
      fScheduleIds(kListCapacity, kListCapacity),
      fScheduleTimes(kListCapacity, kListCapacity),
      fpTimer(apTimer) {
    MGRandomWait::Seed();
}

MGSceneAudio::~MGSceneAudio() {
    Stop();
    DeleteItems(fSceneItems);
    DeleteItems(fViewpointItems);
    DeleteRetired();
    delete fpData;
}

bool MGSceneAudio::Load(const VoString& aDirectory) {
    VoString path(aDirectory);
    path.Append(kFileName);
    VoPropertyList* data = VO_NEW VoPropertyList();
    if (data == nullptr || !data->Load(path, true)) {
        delete data;
        return false;
    }
    return LoadList(data);
}

bool MGSceneAudio::LoadList(VoPropertyList* apData) {
    if (apData == nullptr) {
        return false;
    }
    fScheduleIds.Clear();
    fScheduleTimes.Clear();
    DeleteItems(fSceneItems);
    DeleteItems(fViewpointItems);
    DeleteRetired();
    delete fpData;
    fpData = apData;
    AddItems(VoString(kSceneSection), fSceneItems, true);
    return true;
}

bool MGSceneAudio::SwitchedOff(const VoString& aId) {
    MGOptions* options = MGOptions::GetInstance();
    if (options == nullptr) {
        return false;
    }
    const int option = aId.EqualsNoCase(kMusicId) ? kMusicOption : kAmbienceOption;
    return options->GetOption(option) == 1;
}

void MGSceneAudio::AddItems(const VoString& aSection, VoHashKeyList& aItems, bool aFiltered) {
    VoPropertyList* section = fpData != nullptr ? fpData->GetList(aSection) : nullptr;
    const int count = section != nullptr ? section->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        MGSceneAudioItem* item = VO_NEW MGSceneAudioItem();
        if (item == nullptr) {
            continue;
        }
        if (!item->Load(section->GetListAt(i), this) || (aFiltered && SwitchedOff(item->GetId()))) {
            delete item;
            continue;
        }
        // An id the list holds already is refused (and logged) by the list.
        // Add's result cannot tell: the empty id hashes to 0 as a refusal does.
        const int count = aItems.GetCount();
        aItems.Add(item->GetId(), item, true);
        if (aItems.GetCount() == count) {
            delete item;
        }
    }
}

void MGSceneAudio::Start() {
    fScheduleIds.Clear();
    fScheduleTimes.Clear();
    for (VoHashKeyList* items : {&fSceneItems, &fViewpointItems}) {
        for (int i = 0; i < items->GetCount(); ++i) {
            MGSceneAudioItem* item = static_cast<MGSceneAudioItem*>(items->GetAt(i));
            if (item->IsLooping()) {
                item->Play();
            } else {
                Schedule(item);
            }
        }
    }
    VoFrameManager* frames = fInFrames ? nullptr : VoFrameManager::GetInstance();
    if (frames != nullptr) {
        fInFrames = frames->AddListener(this, kFrameOrder);
    }
}

bool MGSceneAudio::SetViewpoint(const VoString& aViewpointId) {
    for (int i = 0; i < fViewpointItems.GetCount(); ++i) {
        MGSceneAudioItem* item = static_cast<MGSceneAudioItem*>(fViewpointItems.GetAt(i));
        if (item->IsPlaying() && !item->IsLooping() && fRetiredItems.Add(item)) {
            continue;
        }
        delete item;
    }
    fViewpointItems.Clear();
    VoString section(kSectionPrefix);
    section.Append(aViewpointId);
    // The options switch off entries of the scene section only; a viewpoint's
    // own sounds belong to that view and always play.
    AddItems(section, fViewpointItems, false);
    Start();
    return true;
}

void MGSceneAudio::Stop() {
    VoFrameManager* frames = fInFrames ? VoFrameManager::GetInstance() : nullptr;
    if (frames != nullptr) {
        frames->RemoveListener(this);
    }
    fInFrames = false;
}

void MGSceneAudio::Reschedule(MGSceneAudioItem* apItem) {
    if (fRetiredItems.Remove(apItem)) {
        delete apItem;
        return;
    }
    const VoString& id = apItem->GetId();
    if (fSceneItems.Get(id) == apItem || fViewpointItems.Get(id) == apItem) {
        Schedule(apItem);
    }
}

void MGSceneAudio::Schedule(MGSceneAudioItem* apItem) {
    const float time =
        static_cast<float>(Now()) + MGRandomWait::Wait(apItem->GetMinInterval(), apItem->GetMaxInterval());
    int index = 0;
    while (index < fScheduleTimes.GetCount() && fScheduleTimes.GetAt(index) <= time) {
        ++index;
    }
    if (fScheduleTimes.AddAt(index, time) && !fScheduleIds.AddAt(index, apItem->GetId())) {
        fScheduleTimes.RemoveAt(index);
    }
}

void MGSceneAudio::OnUpdate() {
    if (fScheduleIds.GetCount() == 0 || Now() <= fScheduleTimes.GetAt(0)) {
        return;
    }
    const VoString id = fScheduleIds.GetAt(0);
    fScheduleIds.RemoveAt(0);
    fScheduleTimes.RemoveAt(0);
    MGSceneAudioItem* item = GetSceneItem(id);
    if (item == nullptr) {
        item = GetViewpointItem(id);
    }
    if (item != nullptr) {
        item->Play();
    }
}

MGSceneAudioItem* MGSceneAudio::GetSceneItem(const VoString& aId) {
    return static_cast<MGSceneAudioItem*>(fSceneItems.Get(aId));
}

MGSceneAudioItem* MGSceneAudio::GetViewpointItem(const VoString& aId) {
    return static_cast<MGSceneAudioItem*>(fViewpointItems.Get(aId));
}

void MGSceneAudio::DeleteItems(VoHashKeyList& aItems) {
    for (int i = 0; i < aItems.GetCount(); ++i) {
        delete static_cast<MGSceneAudioItem*>(aItems.GetAt(i));
    }
    aItems.Clear();
}

void MGSceneAudio::DeleteRetired() {
    for (int i = 0; i < fRetiredItems.GetCount(); ++i) {
        delete static_cast<MGSceneAudioItem*>(fRetiredItems.GetAt(i));
    }
    fRetiredItems.Clear();
}

double MGSceneAudio::Now() {
    VoITimer* timer = fpTimer != nullptr ? fpTimer : VoITimer::GetInstance();
    return timer != nullptr ? timer->GetTime() : 0.0;
}

VoString MGSceneAudio::ToString() const {
    return VoDebugString("MGSceneAudio", this);
}
