// Property lists on the road of every scene change: parsing a generated data
// file of about 1 MB (reported as bytes per second) and path queries against
// the parsed tree (reported as queries per second). The flat-list cases parse
// one list of n keys, so a cost that grows faster than n shows in the time
// per key.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "container/VoLog.h"
#include "container/VoPropertyList.h"

namespace {

// A data file in the shape of the game's scene files: scenes with their
// viewpoints, each with a camera section, list values and comments.
const std::string& SceneText() {
    static const std::string text = [] {
        std::string made;
        for (int scene = 0; made.size() < 1000000; ++scene) {
            const std::string id = std::to_string(scene);
            made += "// scene " + id + "\r\n";
            made += "scene_" + id + "\r\n";
            made += "\tid=scene_" + id + "\r\n";
            made += "\tplacard=//textures/placards/scene_" + id + ".tga\r\n";
            made += "\tdefault_viewpoint=vp_0\r\n";
            made += "\tvisited_event=evt_scene_" + id + "_visited\r\n";
            made += "\tviewpoints\r\n";
            for (int vp = 0; vp < 6; ++vp) {
                const std::string v = std::to_string(vp);
                made += "\t\tvp_" + v + "\r\n";
                made += "\t\t\thotspots=hs_door_" + v + "|hs_desk_" + v + "|hs_window_" + v + "\r\n";
                made += "\t\t\tdepth_mesh=//scenes/s" + id + "/vp" + v + "_depth.lim1\r\n";
                made += "\t\t\tenabled=true\r\n";
                made += "\t\t\tcamera\r\n";
                made += "\t\t\t\tposition=12.5|1.75|-4.25\r\n";
                made += "\t\t\t\ttarget=0.0|1.5|0.0\r\n";
                made += "\t\t\t\tfov=45.0\r\n";
            }
        }
        return made;
    }();
    return text;
}

std::string FlatText(int aKeys) {
    std::string made;
    for (int i = 0; i < aKeys; ++i) {
        made += "tooltip_" + std::to_string(i) + "=Some tooltip text number " + std::to_string(i) + "\n";
    }
    return made;
}

void Quiet() {
    VoLog::SetFolder(VoString(u"/nonexistent/benchmark"));
}

void BM_ParseSceneFile(benchmark::State& aState) {
    Quiet();
    const VoString text(SceneText().c_str());
    for (auto _ : aState) {
        VoPropertyList list;
        list.Parse(text);
        benchmark::DoNotOptimize(list.GetCount());
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) *
                             static_cast<std::int64_t>(SceneText().size()));
}
BENCHMARK(BM_ParseSceneFile)->Unit(benchmark::kMillisecond);

void BM_ParseFlatList(benchmark::State& aState) {
    Quiet();
    const std::string flat = FlatText(static_cast<int>(aState.range(0)));
    const VoString text(flat.c_str());
    for (auto _ : aState) {
        VoPropertyList list;
        list.Parse(text);
        benchmark::DoNotOptimize(list.GetCount());
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * aState.range(0));
}
BENCHMARK(BM_ParseFlatList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// 100,000 path queries per iteration: typed getters four levels deep, list
// values, sections and one miss in eight.
void BM_PathQueries(benchmark::State& aState) {
    Quiet();
    VoPropertyList list;
    list.Parse(VoString(SceneText().c_str()));
    const int scenes = list.GetCount();
    std::vector<VoString> paths;
    for (int i = 0; i < 1000; ++i) {
        const std::string scene = "scene_" + std::to_string((i * 7919) % scenes);
        const std::string vp = scene + ".viewpoints.vp_" + std::to_string(i % 6);
        switch (i % 8) {
            case 0:
                paths.emplace_back((vp + ".camera.fov").c_str());
                break;
            case 1:
                paths.emplace_back((vp + ".hotspots").c_str());
                break;
            case 2:
                paths.emplace_back((scene + ".id").c_str());
                break;
            case 3:
                paths.emplace_back((vp + ".enabled").c_str());
                break;
            case 4:
                paths.emplace_back((vp + ".camera.position").c_str());
                break;
            case 5:
                paths.emplace_back((vp + ".camera").c_str());
                break;
            case 6:
                paths.emplace_back((scene + ".default_viewpoint").c_str());
                break;
            default:
                paths.emplace_back((vp + ".camera.nosuch").c_str());
                break;
        }
    }
    constexpr int kQueries = 100000;
    for (auto _ : aState) {
        bool found = false;
        int hits = 0;
        for (int q = 0; q < kQueries; ++q) {
            const VoString& path = paths[static_cast<std::size_t>(q) % paths.size()];
            switch (q % 8) {
                case 0:
                    hits += list.GetFloat(path, &found) > 0.0f ? 1 : 0;
                    break;
                case 1:
                case 4:
                    hits += list.GetVectorString(path, &found).GetCount();
                    break;
                case 3:
                    hits += list.GetBool(path, &found) ? 1 : 0;
                    break;
                case 5:
                    hits += list.GetList(path) != nullptr ? 1 : 0;
                    break;
                default:
                    hits += list.GetString(path, &found).GetLength();
                    break;
            }
        }
        benchmark::DoNotOptimize(hits);
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kQueries);
}
BENCHMARK(BM_PathQueries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
