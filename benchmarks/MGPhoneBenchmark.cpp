// One state change heard by the phone's voice mail with 200 regular
// messages whose triggers are two- or three-term scripts, none of them due
// (so every change tests all 200): the triggers built anew for every test,
// beside the same triggers built once and kept. A tenth of a frame at 30
// frames a second (3.3 ms) is the most one state change may cost.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "container/VoPropertyList.h"
#include "game/support/MediaStubs.h"
#include "pda/MGPhone.h"
#include "state/VoStateManager.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr int kMessages = 200;

// Message i waits for two or three things, one of which never happens.
std::string Catalogue() {
    std::string text = "regular\n";
    for (int i = 0; i < kMessages; ++i) {
        const std::string n = std::to_string(i);
        std::string trigger = "e[evt_heard_" + n + "]&s[sta_bench]==" + std::to_string(i % 7 + 2);
        if (i % 2 == 1) {
            trigger += "|e[evt_never_" + n + "]&!e[evt_vm_" + n + "_played]";
        }
        text += "\tvm_" + n + "\n\t\ttrigger=script[" + trigger + "]\n\t\tplayedevent=evt_vm_" + n +
                "_played\n\t\taudio=vm_" + n + ".ogg\n\t\tsubtitle=vm_" + n + "\n";
    }
    return text + "expert\n\tCL\n\t\t0\n\t\t\taudio=vm_e_1.ogg\n";
}

class PhoneGame : public MediaGame {
public:
    explicit PhoneGame(bool aKeep) {
        std::filesystem::create_directories(fFolder);
        std::ofstream(fFolder / "phone_messages.txt") << Catalogue();
        VoIFileSystem::GetInstance()->Mount(VoString(u"//bench"), VoString(fFolder.string().c_str()));
        fPhone = MGPhone::GetInstance();
        fPhone->SetKeepScripts(aKeep);
        fPhone->Load(VoString(u"//bench/phone_messages.txt"));
    }

    // A state change the phone hears: sta_bench takes 0 and 1 by turns.
    void Change() {
        fValue = 1 - fValue;
        VoStateManager::GetInstance()->SetState(VoString(u"sta_bench"), VoString(u"number"),
                                                VoString(fValue == 0 ? u"0" : u"1"), true);
    }

    ~PhoneGame() { std::filesystem::remove_all(fFolder); }

    const std::filesystem::path fFolder =
        std::filesystem::temp_directory_path() / ("vo_phone_bench_" + std::to_string(getpid()));
    MGPhone* fPhone = nullptr;
    int fValue = 0;
};

void StateChange(benchmark::State& aState, bool aKeep) {
    PhoneGame game(aKeep);
    for (auto _ : aState) {
        game.Change();
    }
    if (game.fPhone->GetMessageCount() != 0) {
        VoStopRun(std::string(aKeep ? "StateChange_Kept" : "StateChange_BuiltAnew") +
                  ": a message became due");
    }
}

void StateChange_BuiltAnew(benchmark::State& aState) {
    StateChange(aState, false);
}
void StateChange_Kept(benchmark::State& aState) {
    StateChange(aState, true);
}

BENCHMARK(StateChange_BuiltAnew)->Unit(benchmark::kMicrosecond);
BENCHMARK(StateChange_Kept)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return VoRunWithRatios(argc, argv, {{"StateChange_BuiltAnew", "StateChange_Kept", kNoGoal}});
}
