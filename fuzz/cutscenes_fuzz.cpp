// Reads arbitrary bytes as the cut-scene tables (the same property list as
// both the cut-scene table and the subtitle table) and drives the cut-scene
// player over them: every trigger value of the first entries is fired as a
// state, an event, an interview and a map place, and each run is entered,
// stepped, faded, skipped and left. Movies come from a stand-in manager that
// makes empty movies, textures from one that keeps only sizes.
#include <cstddef>
#include <cstdint>

#include "MGIScreenFaderListener.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieManager.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzMovie.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"
#include "ui/MGCutScenePlayer.h"
#include "util/MGCleaner.h"

namespace {

class FuzzMovies : public VoIMovieManager {
public:
    VoIMoviePlayer* CreateFullScreenMovie(const VoString&, const VoString&) override {
        return VO_NEW FuzzMovie();
    }
    VoIMoviePlayer* CreateTextureMovie(const VoString&, const VoString&) override { return nullptr; }
};

constexpr int kMaxEntries = 12;

void Drive(MGCutScenePlayer* apPlayer, VoPropertyList& aList) {
    VoStateManager* states = VoStateManager::GetInstance();
    VoEventManager* events = VoEventManager::GetInstance();
    for (int i = 0; i < aList.GetCount() && i < kMaxEntries; ++i) {
        VoPropertyList* entry = aList.GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        const VoString state = entry->GetString(VoString(u"triggerstate"), nullptr);
        if (state.GetLength() > 0 && states != nullptr) {
            states->SetState(state, VoString(u"boolean"), VoString(u"true"), true);
        }
        const VoString event = entry->GetString(VoString(u"triggerevent"), nullptr);
        if (event.GetLength() > 0 && events != nullptr) {
            events->AddEvent(event, true);
        }
        apPlayer->PlayForInterview(entry->GetString(VoString(u"triggerinterview"), nullptr));
        apPlayer->PlayForLocation(entry->GetString(VoString(u"triggerlocation"), nullptr));
        apPlayer->OnEnter();
        apPlayer->OnUpdate();
        apPlayer->OnFadeEvent(MGIScreenFaderListener::kFinished);
        apPlayer->OnUpdate();
        apPlayer->OnKeyUp(MGCutScenePlayer::kSkipKey);
        apPlayer->OnUpdate();
        apPlayer->OnFadeEvent(MGIScreenFaderListener::kFinished);
        apPlayer->OnLeaveEnd();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    StartFuzzEngine({VO_NEW FuzzCreator<FuzzTexture>(u"texture"),
                     VO_NEW FuzzCreator<FuzzMovies>(u"moviemanager"), VO_NEW FuzzNullCreator(u"rasterizer")});
    if (MGCutScenePlayer* player = MGCutScenePlayer::GetInstance()) {
        player->SetTables(VO_NEW VoPropertyList(list), VO_NEW VoPropertyList(list));
        Drive(player, list);
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
