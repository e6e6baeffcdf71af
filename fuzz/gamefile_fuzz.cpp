// Feeds arbitrary bytes to MGGameFile::Apply as a saved game loaded over a
// running sample game (an item in the inventory, states with the player's
// place, an event, a pending trigger). The load is all or nothing: either
// the bytes' game stands whole, with the player's place in it, or the
// running game is exactly as it was, its saved form byte for byte. Each
// input has an engine and a game of its own, the inventory reading the
// sample items file (data/textures/pda/inventory/inventory_items.txt).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "container/VoPropertyList.h"
#include "container/VoString.h"
#include "event/VoEventManager.h"
#include "menu/MGGameFile.h"
#include "object/VoRestoreManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGPDA.h"
#include "startup/VoStartupCreators.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"
#include "time/VoGameClock.h"
#include "util/MGCleaner.h"

namespace {

// The largest input tried: a save of the sample case is a few kilobytes.
constexpr std::size_t kMaxSize = 1 << 20;

const VoString& SampleItems() {
    static const VoString sText = [] {
        std::ifstream in(VO_SOURCE_DIR "/data/textures/pda/inventory/inventory_items.txt", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return VoString(bytes.c_str());
    }();
    return sText;
}

// A new engine and game, as start-up and Init leave them. False without
// the inventory.
bool SetUpGame() {
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoStartupCreators::Register();
    VoRestoreManager::GetInstance()->AddEngineRestorables();
    MGPDA* pda = MGPDA::GetInstance();
    MGInventoryPanel* inventory = pda != nullptr ? pda->GetInventoryPanel() : nullptr;
    if (inventory == nullptr || inventory->GetItemsFile() == nullptr) {
        return false;
    }
    inventory->GetItemsFile()->Parse(SampleItems());
    return true;
}

void TearDownGame() {
    delete MGCleaner::PeekInstance();
    delete VoCleaner::PeekInstance();
}

void StartRunningGame() {
    VoEventManager* events = VoEventManager::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    VoGameClock* clock = VoGameClock::GetInstance();
    events->ClearEvents();
    states->ClearStates();
    clock->Reset();
    states->SetState(VoString(u"sta_currentscene"), VoString(u"string"), VoString(u"case01/lobby"), false);
    states->SetState(VoString(u"sta_currentviewpoint"), VoString(u"string"), VoString(u"vp_desk"), false);
    states->SetState(VoString(u"sta_selectedcase"), VoString(u"number"), VoString(u"1"), false);
    events->AddEvent(VoString(u"evt_lobby_visited"), false);
    clock->SetCurrentClock(1);
    clock->AddDelayedTrigger(VoString(u"evt_later"), 5.0f, -1);
    MGInventoryPanel* inventory = MGPDA::GetInstance()->GetInventoryPanel();
    inventory->ClearItems();
    inventory->AddItem(VoString(u"brasskey"));
}

bool Saved(VoMemoryStream* apOut) {
    MGGameFile game;
    return game.Write(apOut);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize > kMaxSize) {
        return 0;
    }
    if (!SetUpGame()) {
        TearDownGame();
        return 0;
    }
    StartRunningGame();
    VoMemoryStream before(1024, VoMemoryStream::kGrowDouble);
    if (!Saved(&before)) {
        __builtin_trap();
    }
    const bool applied = MGGameFile::Apply(apData, static_cast<std::int32_t>(aSize));
    VoMemoryStream after(1024, VoMemoryStream::kGrowDouble);
    if (!Saved(&after)) {
        __builtin_trap();
    }
    VoStateManager* states = VoStateManager::GetInstance();
    if (applied) {
        if (!states->HasState(VoString(MGGameFile::kSceneState)) ||
            !states->HasState(VoString(MGGameFile::kViewpointState))) {
            __builtin_trap();
        }
    } else if (after.GetPosition() != before.GetPosition() ||
               std::memcmp(after.GetBuffer(), before.GetBuffer(), before.GetPosition()) != 0) {
        __builtin_trap();
    }
    TearDownGame();
    return 0;
}
