// Reads arbitrary bytes (single-byte text up to the first zero byte, as
// VoPropertyList::Load reads it) as a viewpoint's close-up file and makes a
// close-up of each of its first entries, as a scene does; each is then
// opened and used as the screen stack and the player would: its trigger
// state set true and false, entered (its layout, movies, back button and
// hotspots built, its voice-over queue started), its hotspots switched and
// refreshed, its voice-overs ended, the back button clicked, left (its
// interview scheduled and started) and closed. There is no scene and no
// data tree: what the close-up reads from its entry is what runs. Textures
// are stand-ins, movies players that show nothing, time the target's own,
// and there is no sound manager, so no voice-over plays.
#include <cstddef>
#include <cstdint>

#include "container/VoDebugString.h"
#include "container/VoPropertyList.h"
#include "gdi/VoIButtonListener.h"
#include "memory/VoNew.h"
#include "movie/VoIMovieManager.h"
#include "scene/MGCloseUp.h"
#include "state/VoIState.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "support/FuzzMovie.h"
#include "support/FuzzSupport.h"
#include "support/FuzzTexture.h"
#include "system/VoITimer.h"
#include "util/MGCleaner.h"

namespace {

class FuzzMovies : public VoIMovieManager {
public:
    VoIMoviePlayer* CreateFullScreenMovie(const VoString&, const VoString&) override { return nullptr; }
    VoIMoviePlayer* CreateTextureMovie(const VoString&, const VoString&) override {
        return VO_NEW FuzzMovie();
    }
    VoString ToString() const override { return VoDebugString("FuzzMovies", this); }
};

constexpr int kMaxEntries = 8;
constexpr int kMaxVoiceOvers = 16;

void SetTrigger(const MGCloseUp& aCloseUp, const char16_t* apValue) {
    if (aCloseUp.GetTriggerState().GetLength() > 0) {
        VoStateManager::GetInstance()->SetState(aCloseUp.GetTriggerState(), VoString(u"boolean"),
                                                VoString(apValue), true);
    }
}

void Drive(MGCloseUp* apCloseUp) {
    // No screen stack to push on: the state turns only reach the close-up.
    SetTrigger(*apCloseUp, u"true");
    SetTrigger(*apCloseUp, u"false");
    apCloseUp->OnEnter();
    apCloseUp->SetHotspotsEnabled(false);
    apCloseUp->SetHotspotsEnabled(true);
    apCloseUp->RefreshHotspots();
    for (int i = 0; i < kMaxVoiceOvers && apCloseUp->GetVoiceOvers().GetCount() > 0; ++i) {
        apCloseUp->OnSoundEnd(apCloseUp->GetVoiceOvers().GetAt(0));
    }
    apCloseUp->OnButtonEvent(VoString(MGCloseUp::kBackButtonId), VoIButtonListener::kClick);
    apCloseUp->OnLeaveBegin();
    apCloseUp->OnLeaveEnd();
    // Half a second later the interview is due.
    if (auto* timer = dynamic_cast<FuzzTimer*>(VoITimer::GetInstance())) {
        timer->fNow += 1.0;
    }
    apCloseUp->OnUpdate();
    apCloseUp->OnEnter();
    apCloseUp->Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    VoPropertyList list;
    if (!ParseFuzzPropertyList(apData, aSize, 0x10000, &list)) {
        return 0;
    }
    StartFuzzEngine({VO_NEW FuzzCreator<FuzzTexture>(u"texture"),
                     VO_NEW FuzzCreator<FuzzMovies>(u"moviemanager"), VO_NEW FuzzCreator<FuzzTimer>(u"timer"),
                     VO_NEW FuzzNullCreator(u"soundmanager")});
    for (int i = 0; i < list.GetCount() && i < kMaxEntries; ++i) {
        VoPropertyList* entry = list.GetListAt(i);
        if (entry == nullptr) {
            continue;
        }
        MGCloseUp* closeUp = VO_NEW MGCloseUp();
        if (closeUp != nullptr) {
            closeUp->Read(entry);
            Drive(closeUp);
            delete closeUp;
        }
    }
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
    return 0;
}
