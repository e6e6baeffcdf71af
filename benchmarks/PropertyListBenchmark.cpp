// Property lists on the road of every scene change: parsing a generated data
// file of about 1 MB and 10 MB (reported as bytes per second) beside a plain
// parser of the same format over std::u16string and std::unordered_map, and
// path queries against the parsed tree (reported as queries per second). The
// flat-list cases parse one list of n keys, so a cost that grows faster than
// n shows in the time per key.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "VoBenchmarkRatios.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"

namespace {

// A data file in the shape of the game's scene files: scenes with their
// viewpoints, each with a camera section, list values and comments; at least
// aBytes long.
std::string MakeSceneText(std::size_t aBytes) {
    std::string made;
    for (int scene = 0; made.size() < aBytes; ++scene) {
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
}

const std::string& SceneText(int aMegabytes = 1) {
    static const std::string one = MakeSceneText(1000000);
    static const std::string ten = MakeSceneText(10000000);
    return aMegabytes == 10 ? ten : one;
}

// Each byte one unit, sign-extended, as the engine widens narrow text.
std::u16string Widen(const std::string& aText) {
    std::u16string wide(aText.size(), u'\0');
    for (std::size_t i = 0; i < aText.size(); ++i) {
        wide[i] = static_cast<char16_t>(static_cast<std::int16_t>(static_cast<signed char>(aText[i])));
    }
    return wide;
}

// The plain baseline: the same format (comments, "\" continuations, TAB
// depth, first "=" splits, first definition wins) over the standard
// containers. It keeps the open sections themselves by depth, where the
// engine keeps their names; the two differ only on lines indented below a
// section that a later, shallower section line replaced, which the generated
// text never has.
struct PlainList {
    struct Entry {
        std::u16string value;
        std::unique_ptr<PlainList> section;
    };
    std::unordered_map<std::u16string, Entry> entries;
    std::vector<const std::u16string*> order;  // keys in file order, owned by the map
};

bool IsBlank(char16_t aUnit) {
    return aUnit == u' ' || aUnit == u'\t' || aUnit == u'\r' || aUnit == u'\n';
}

void PlainParse(const std::u16string& aText, PlainList* apRoot) {
    std::vector<PlainList*> open;  // the open sections by depth, not owned
    std::size_t position = 0;
    auto nextLine = [&](std::size_t* apBegin, std::size_t* apEnd) {
        while (position < aText.size()) {
            *apBegin = position;
            *apEnd = std::min(aText.find(u'\n', position), aText.size());
            position = *apEnd + 1;
            if (*apEnd > *apBegin) {
                return true;
            }
        }
        return false;
    };
    auto trim = [&](std::size_t* apBegin, std::size_t* apEnd) {
        while (*apEnd > *apBegin && IsBlank(aText[*apEnd - 1])) {
            --*apEnd;
        }
        while (*apBegin < *apEnd && IsBlank(aText[*apBegin])) {
            ++*apBegin;
        }
    };
    auto comment = [&](std::size_t aBegin, std::size_t aEnd) {
        return aEnd - aBegin >= 2 && aText[aBegin] == u'/' && aText[aBegin + 1] == u'/';
    };
    std::size_t begin = 0, end = 0;
    std::u16string joined;
    while (nextLine(&begin, &end)) {
        std::size_t left = begin, right = end;
        trim(&left, &right);
        if (left == right || comment(left, right) || aText[begin] == u'\r') {
            continue;
        }
        std::u16string_view line(aText.data() + begin, right - begin);
        if (aText[right - 1] == u'\\' && position < aText.size()) {
            joined.assign(line);
            std::size_t nextBegin = 0, nextEnd = 0;
            while (joined.size() > left - begin && joined.back() == u'\\' && nextLine(&nextBegin, &nextEnd)) {
                joined.pop_back();
                trim(&nextBegin, &nextEnd);
                if (nextBegin < nextEnd && !comment(nextBegin, nextEnd)) {
                    joined.append(aText, nextBegin, nextEnd - nextBegin);
                }
            }
            line = joined;
        }
        std::size_t depth = 0;
        while (depth < line.size() && line[depth] == u'\t') {
            ++depth;
        }
        std::size_t start = 0;
        while (start < line.size() && IsBlank(line[start])) {
            ++start;
        }
        PlainList* parent = depth == 0 ? apRoot : depth <= open.size() ? open[depth - 1] : nullptr;
        if (parent == nullptr) {
            continue;
        }
        const std::size_t equals = line.find(u'=', start);
        const auto added = parent->entries.try_emplace(
            std::u16string(line.substr(start, equals == line.npos ? line.npos : equals - start)));
        if (added.second) {
            parent->order.push_back(&added.first->first);
            if (equals != line.npos) {
                added.first->second.value.assign(line.substr(equals + 1));
            } else {
                added.first->second.section = std::make_unique<PlainList>();
            }
        }
        if (equals == line.npos) {
            // A repeated name opens the first section of that name (none for a value).
            open.resize(depth);
            open.push_back(added.first->second.section.get());
        }
    }
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
    const std::string& narrow = SceneText(static_cast<int>(aState.range(0)));
    const VoString text(narrow.c_str());
    for (auto _ : aState) {
        VoPropertyList list;
        list.Parse(text);
        benchmark::DoNotOptimize(list.GetCount());
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) *
                             static_cast<std::int64_t>(narrow.size()));
}
BENCHMARK(BM_ParseSceneFile)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_PlainParseSceneFile(benchmark::State& aState) {
    const std::string& narrow = SceneText(static_cast<int>(aState.range(0)));
    const std::u16string text = Widen(narrow);
    for (auto _ : aState) {
        PlainList list;
        PlainParse(text, &list);
        benchmark::DoNotOptimize(list.order.size());
    }
    aState.SetBytesProcessed(static_cast<std::int64_t>(aState.iterations()) *
                             static_cast<std::int64_t>(narrow.size()));
}
BENCHMARK(BM_PlainParseSceneFile)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

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

int main(int argc, char** argv) {
    return VoRunWithRatios(argc, argv,
                           {{"BM_ParseSceneFile/1", "BM_PlainParseSceneFile/1", 2.0},
                            {"BM_ParseSceneFile/10", "BM_PlainParseSceneFile/10", 2.0}});
}
