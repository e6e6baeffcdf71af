// Saving and loading a large game (20,000 states, 5,000 events, a full
// inventory of 16 x 56 items, over the sample tree with an items file made
// for the benchmark) through the game file (MGGameFile: the whole
// file written to a temporary file and renamed over the old one; a load
// that keeps the running game in memory, applies the file and checks it)
// beside writing and reading the same number of bytes with plain stdio
// calls (a write to a temporary file and a rename; one read of the whole
// file). The game's own cost is what lies above the plain one: encoding,
// the game kept aside, the records decoded and the states and events filed
// again (most of a load: each goes into the sorted hash index of its
// manager's list). Both must stay well under a second at this size.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "MGApp.h"
#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "event/VoEventManager.h"
#include "game/support/MediaStubs.h"
#include "menu/MGGameFile.h"
#include "object/VoRestoreManager.h"
#include "pda/MGInventoryPanel.h"
#include "pda/MGInventorySubpanel.h"
#include "pda/MGPDA.h"
#include "state/VoStateManager.h"
#include "system/VoIFileSystem.h"
#include "time/VoGameClock.h"

namespace {

constexpr int kStates = 20000;
constexpr int kEvents = 5000;
constexpr const char* kTypes[] = {"witnesses", "evidence", "documents", "reports"};

// An items file of 56 items per category and case: "e3n17" is the 17th
// evidence of case 3.
VoString ItemsText() {
    std::string text = "items\n";
    for (int c = 1; c <= MGInventoryPanel::kCaseCount; ++c) {
        text += "\tcase" + std::to_string(c) + "\n";
        for (const char* type : kTypes) {
            for (int n = 0; n < MGInventorySubpanel::kSpaceCount; ++n) {
                const std::string key = std::string(1, type[0]) + std::to_string(c) + "n" + std::to_string(n);
                text += "\t\t" + key + "\n\t\t\ttype=" + type + "\n\t\t\tsprite\n\t\t\t\tid=" + key +
                        "\n\t\t\t\ttexture=inv_letter.tga\n";
            }
        }
    }
    return VoString(text.c_str());
}

// The sample game for the whole run, "//dataroot" in a scratch folder, with
// a large game in play.
class LargeGame : public MediaGame {
public:
    LargeGame() : fFolder(std::filesystem::temp_directory_path() / "vo_savegame_benchmark") {
        MountSampleTree();
        std::filesystem::create_directories(fFolder / "game");
        VoLog::SetFolder(VoString(fFolder.string().c_str()));
        VoIFileSystem::GetInstance()->Mount(VoString(u"//dataroot"), VoString(fFolder.string().c_str()));
        VoRestoreManager::GetInstance()->AddEngineRestorables();
        VoStateManager* states = VoStateManager::GetInstance();
        for (int i = 0; i < kStates; ++i) {
            VoString id(u"sta_benchmark_");
            id.Append(i);
            if (i % 3 == 0) {
                states->SetState(id, VoString(u"boolean"), VoString(u"true"), false);
            } else if (i % 3 == 1) {
                states->SetState(id, VoString(u"number"), VoString(u"12.5"), false);
            } else {
                states->SetState(id, VoString(u"string"), VoString(u"case01/lobby"), false);
            }
        }
        states->SetState(VoString(u"sta_currentscene"), VoString(u"string"), VoString(u"precinct"), false);
        states->SetState(VoString(u"sta_currentviewpoint"), VoString(u"string"), VoString(u"vp_squadroom"),
                         false);
        VoEventManager* events = VoEventManager::GetInstance();
        for (int i = 0; i < kEvents; ++i) {
            VoString id(u"evt_benchmark_");
            id.Append(i);
            events->AddEvent(id, false);
        }
        MGInventoryPanel* inventory = MGPDA::GetInstance()->GetInventoryPanel();
        inventory->GetItemsFile()->Parse(ItemsText());
        for (int c = 1; c <= MGInventoryPanel::kCaseCount; ++c) {
            states->SetState(VoString(u"sta_selectedcase"), VoString(u"number"),
                             VoString(std::to_string(c).c_str()), false);
            for (const char* type : kTypes) {
                for (int n = 0; n < MGInventorySubpanel::kSpaceCount; ++n) {
                    const std::string key =
                        std::string(1, type[0]) + std::to_string(c) + "n" + std::to_string(n);
                    inventory->AddItem(VoString(key.c_str()));
                }
            }
        }
        VoGameClock::GetInstance()->SetCurrentClock(1);
    }
    ~LargeGame() {
        ShutDown();
        std::error_code error;
        std::filesystem::remove_all(fFolder, error);
    }

    std::string Native(const std::string& aName) const { return (fFolder / "game" / aName).string(); }

private:
    std::filesystem::path fFolder;
};

LargeGame& Game() {
    static LargeGame sGame;
    return sGame;
}

const VoString kGamePath(u"//dataroot/game/game1.dat");

void BM_Save_Engine(benchmark::State& aState) {
    Game();
    for (auto _ : aState) {
        if (!MGGameFile::Save(kGamePath)) {
            VoStopRun("Save<Engine>: the save failed");
        }
    }
    aState.SetBytesProcessed(
        static_cast<std::int64_t>(aState.iterations()) *
        static_cast<std::int64_t>(std::filesystem::file_size(Game().Native("game1.dat"))));
}
BENCHMARK(BM_Save_Engine)->Name("Save<Engine>")->Unit(benchmark::kMillisecond);

// The same number of bytes through stdio: a temporary file, then a rename.
void BM_Save_Plain(benchmark::State& aState) {
    Game();
    MGGameFile::Save(kGamePath);
    const std::vector<char> bytes(std::filesystem::file_size(Game().Native("game1.dat")), 'x');
    const std::string temporary = Game().Native("plain.dat.tmp");
    const std::string target = Game().Native("plain.dat");
    for (auto _ : aState) {
        std::FILE* file = std::fopen(temporary.c_str(), "wb");
        const bool written =
            file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file == nullptr || std::fclose(file) != 0 || !written ||
            std::rename(temporary.c_str(), target.c_str()) != 0) {
            VoStopRun("Save<Plain>: the plain write failed");
        }
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) *
                             static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Save_Plain)->Name("Save<Plain>")->Unit(benchmark::kMillisecond);

void BM_Load_Engine(benchmark::State& aState) {
    Game();
    MGGameFile::Save(kGamePath);
    for (auto _ : aState) {
        if (!MGGameFile::Load(kGamePath)) {
            VoStopRun("Load<Engine>: the load failed");
        }
    }
    aState.SetBytesProcessed(
        static_cast<std::int64_t>(aState.iterations()) *
        static_cast<std::int64_t>(std::filesystem::file_size(Game().Native("game1.dat"))));
}
BENCHMARK(BM_Load_Engine)->Name("Load<Engine>")->Unit(benchmark::kMillisecond);

// The same file read whole with stdio.
void BM_Load_Plain(benchmark::State& aState) {
    Game();
    MGGameFile::Save(kGamePath);
    const std::string path = Game().Native("game1.dat");
    std::vector<char> bytes(std::filesystem::file_size(path));
    for (auto _ : aState) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const bool read = file != nullptr && std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (file != nullptr) {
            std::fclose(file);
        }
        if (!read) {
            VoStopRun("Load<Plain>: the plain read failed");
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) *
                             static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Load_Plain)->Name("Load<Plain>")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return VoRunWithRatios(argc, argv,
                           {{"Save<Engine>", "Save<Plain>", 10.0}, {"Load<Engine>", "Load<Plain>", 5000.0}});
}
