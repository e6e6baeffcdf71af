#include "scene/MGAmbientAnimPlayer.h"

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "memory/VoNew.h"
#include "scene/MGAmbientAnimItem.h"
#include "util/MGOptions.h"

namespace {

constexpr int kListCapacity = 10;

}  // namespace

MGAmbientAnimPlayer* MGAmbientAnimPlayer::CreateForViewpoint(VoPropertyList* apAnimations,
                                                             const VoString& aViewpointId,
                                                             VoITimer* apTimer) {
    MGOptions* options = MGOptions::GetInstance();
    if (apAnimations == nullptr || (options != nullptr && options->GetOption(kOffOption) != 0)) {
        return nullptr;
    }
    VoString path(kViewpointsPrefix);
    path.Append(aViewpointId);
    VoPropertyList* section = apAnimations->GetList(path);
    if (section == nullptr) {
        return nullptr;
    }
    MGAmbientAnimPlayer* player = VO_NEW MGAmbientAnimPlayer(apTimer);
    if (player != nullptr) {
        player->Load(section);
    }
    return player;
}

MGAmbientAnimPlayer::MGAmbientAnimPlayer() : MGAmbientAnimPlayer(nullptr) {}

MGAmbientAnimPlayer::MGAmbientAnimPlayer(VoITimer* apTimer)
    : fForeground(kListCapacity, kListCapacity),
      fBackground(kListCapacity, kListCapacity),
      fpTimer(apTimer) {}

MGAmbientAnimPlayer::~MGAmbientAnimPlayer() {
    DeleteItems(fBackground);
    DeleteItems(fForeground);
}

bool MGAmbientAnimPlayer::Load(VoPropertyList* apSection) {
    if (apSection != nullptr) {
        AddItems(apSection->GetList(VoString(kBackground)), fBackground);
        AddItems(apSection->GetList(VoString(kForeground)), fForeground);
    }
    return true;
}

void MGAmbientAnimPlayer::AddItems(VoPropertyList* apLayer, VoVector& aItems) {
    const int count = apLayer != nullptr ? apLayer->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        MGAmbientAnimItem* item = VO_NEW MGAmbientAnimItem(fpTimer);
        if (item == nullptr) {
            continue;
        }
        item->Load(apLayer->GetListAt(i));
        if (!aItems.Add(item)) {
            delete item;
        }
    }
}

bool MGAmbientAnimPlayer::DrawBackground(VoRenderer* apRenderer) {
    return DrawItems(fBackground, apRenderer);
}

bool MGAmbientAnimPlayer::DrawForeground(VoRenderer* apRenderer) {
    return DrawItems(fForeground, apRenderer);
}

bool MGAmbientAnimPlayer::DrawItems(const VoVector& aItems, VoRenderer* apRenderer) {
    bool result = true;
    for (int i = 0; i < aItems.GetCount(); ++i) {
        result = static_cast<MGAmbientAnimItem*>(aItems.GetAt(i))->Draw(apRenderer) && result;
    }
    return result;
}

void MGAmbientAnimPlayer::DeleteItems(VoVector& aItems) {
    for (int i = 0; i < aItems.GetCount(); ++i) {
        delete static_cast<MGAmbientAnimItem*>(aItems.GetAt(i));
    }
    aItems.Clear();
}

MGAmbientAnimItem* MGAmbientAnimPlayer::GetBackground(int aIndex) const {
    return static_cast<MGAmbientAnimItem*>(fBackground.GetAt(aIndex));
}

MGAmbientAnimItem* MGAmbientAnimPlayer::GetForeground(int aIndex) const {
    return static_cast<MGAmbientAnimItem*>(fForeground.GetAt(aIndex));
}

VoString MGAmbientAnimPlayer::ToString() const {
    return VoDebugString("MGAmbientAnimPlayer", this);
}
