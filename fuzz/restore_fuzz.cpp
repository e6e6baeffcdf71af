// Feeds arbitrary bytes to VoRestoreManager::Load as a save game holding the
// records of the three restorable managers. Nothing but those managers may
// ever be created from a save: creators of other ids stand by and stop the
// run if they are called. A save that loads is saved again, and that save
// must load too.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "container/VoString.h"
#include "event/VoEventManager.h"
#include "event/VoEventManagerCreator.h"
#include "object/VoIObjectCreator.h"
#include "object/VoRegistry.h"
#include "object/VoRestoreManager.h"
#include "state/VoStateManager.h"
#include "state/VoStateManagerCreator.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"
#include "time/VoGameClock.h"
#include "time/VoGameClockCreator.h"

namespace {

// A creator that must never be asked.
class TrapCreator : public VoIObjectCreator {
public:
    explicit TrapCreator(const char16_t* apId) : VoIObjectCreator(VoString(apId)) {}
    VoBase* Create() override { __builtin_trap(); }
};

template <typename Creator>
void AddCreator(VoRegistry* apRegistry, const char16_t* apId) {
    if (apRegistry->GetCreatorIndex(VoString(apId)) == VoRegistry::kNotFound) {
        apRegistry->AddCreator(new Creator());
    }
}

void SetUpEngine() {
    QuietFuzzLog();
    VoRegistry* registry = VoRegistry::Get();
    AddCreator<VoEventManagerCreator>(registry, VoEventManager::kId);
    AddCreator<VoStateManagerCreator>(registry, VoStateManager::kId);
    AddCreator<VoGameClockCreator>(registry, VoGameClock::kId);
    for (const char16_t* id : {u"platform", u"rasterizer", u"eventmanagex", u"gameclocc"}) {
        if (registry->GetCreatorIndex(VoString(id)) == VoRegistry::kNotFound) {
            registry->AddCreator(new TrapCreator(id));
        }
    }
    VoRestoreManager::GetInstance()->AddEngineRestorables();
}

void ClearGame() {
    VoEventManager::GetInstance()->ClearEvents();
    VoStateManager::GetInstance()->ClearStates();
    VoGameClock::GetInstance()->Reset();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    static const bool sReady = [] {
        SetUpEngine();
        return true;
    }();
    (void)sReady;
    VoRestoreManager* restore = VoRestoreManager::GetInstance();
    ClearGame();
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    if (aSize > 0) {
        stream.CreateFromBuffer(static_cast<std::int32_t>(aSize), apData);
    }
    if (!restore->Load(&stream, static_cast<std::int32_t>(aSize))) {
        return 0;
    }
    VoMemoryStream saved(1024, VoMemoryStream::kGrowDouble);
    if (!restore->Save(&saved)) {
        __builtin_trap();
    }
    const std::uint32_t size = saved.GetPosition();
    saved.SetPosition(0);
    ClearGame();
    if (!restore->Load(&saved, static_cast<std::int32_t>(size)) || saved.GetPosition() != size) {
        __builtin_trap();
    }
    return 0;
}
