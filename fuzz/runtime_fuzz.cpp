// Feeds arbitrary bytes to the loaders of the three restorable managers, as
// the records of a save game reach them. The first byte picks the loader
// (bits 0-1: event manager, state manager, game clock, or all three in the
// order a save game holds them) and whether the stream tells its size (bit
// 2); the rest is the record. Whatever was loaded is then used: saved again,
// dumped, and the clocks advanced until the loaded triggers have fired.
#include <cstddef>
#include <cstdint>
#include <limits>

#include "event/VoEventManager.h"
#include "startup/VoStartupCreators.h"
#include "state/VoStateManager.h"
#include "stdlib/VoCleaner.h"
#include "stdlib/VoMemoryStream.h"
#include "support/FuzzSupport.h"
#include "time/VoDelayedTrigger.h"
#include "time/VoGameClock.h"

namespace {

// A memory stream that cannot tell how much remains, as some media cannot:
// the loaders must then stop at the first record that fails.
class UnsizedStream : public VoMemoryStream {
public:
    UnsizedStream() : VoMemoryStream(4, VoMemoryStream::kGrowDouble) {}
    std::int64_t GetRemaining() override { return -1; }
};

void Load(VoIStream* apStream, std::uint8_t aChoice) {
    VoEventManager* events = VoEventManager::GetInstance();
    VoStateManager* states = VoStateManager::GetInstance();
    VoGameClock* clock = VoGameClock::GetInstance();
    if (events == nullptr || states == nullptr || clock == nullptr) {
        return;
    }
    switch (aChoice & 3) {
        case 0:
            events->OnLoad(apStream, 1.0f);
            break;
        case 1:
            states->OnLoad(apStream, 1.0f);
            break;
        case 2:
            clock->OnLoad(apStream, 1.0f);
            break;
        default:
            events->OnLoad(apStream, 1.0f) && states->OnLoad(apStream, 1.0f) && clock->OnLoad(apStream, 1.0f);
            break;
    }

    VoMemoryStream saved(64, VoMemoryStream::kGrowDouble);
    events->Save(&saved);
    states->Save(&saved);
    clock->Save(&saved);
    states->DumpStates();
    // A trigger on a negative clock can never fire: hence the bound.
    for (int round = 0; round < 16 && clock->GetTriggerCount() > 0; ++round) {
        clock->AdvanceTime(clock->GetTrigger(0)->GetClock(), std::numeric_limits<float>::infinity(), true);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    if (aSize == 0 || aSize - 1 > static_cast<std::size_t>(VoMemoryStream::kMaxCapacity)) {
        return 0;
    }
    // A fresh engine for every input, as a run of the game starts one.
    VoCleaner::ResetEngineForTests();
    VoCleaner::GetInstance();
    VoStartupCreators::Register();
    {
        const std::int32_t size = static_cast<std::int32_t>(aSize - 1);
        VoMemoryStream sized(4, VoMemoryStream::kGrowDouble);
        UnsizedStream unsized;
        VoMemoryStream& stream = (apData[0] & 4) != 0 ? static_cast<VoMemoryStream&>(unsized) : sized;
        if (size == 0 || stream.CreateFromBuffer(size, apData + 1)) {
            Load(&stream, apData[0]);
        }
    }
    delete VoCleaner::PeekInstance();
    return 0;
}
