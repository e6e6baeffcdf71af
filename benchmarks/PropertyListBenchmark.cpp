// Property lists on the road of every scene change: parsing a generated data
// file of about 1 MB and 10 MB (reported as bytes per second) beside a plain
// parser of the same format over std::u16string and std::unordered_map, and
// path queries against the parsed tree (reported as queries per second)
// beside the same queries walking the plain parser's nested maps. The
// flat-list cases parse one list of n keys, so a cost that grows faster than
// n shows in the time per key; the plain parser parses the same lists.
// Before anything is timed both parsers parse every text once and must give
// the same keys and values in the same order, and both sets of queries must
// find the same.
#include <algorithm>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "VoBenchmarkCheck.h"
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

void BM_PlainParseFlatList(benchmark::State& aState) {
    const std::u16string text = Widen(FlatText(static_cast<int>(aState.range(0))));
    for (auto _ : aState) {
        PlainList list;
        PlainParse(text, &list);
        benchmark::DoNotOptimize(list.order.size());
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * aState.range(0));
}
BENCHMARK(BM_PlainParseFlatList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The 1,000 paths that the queries cycle through, over a file of aScenes
// scenes: typed getters four levels deep, list values, sections and one miss
// in eight.
std::vector<std::string> QueryPaths(int aScenes) {
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i) {
        const std::string scene = "scene_" + std::to_string((i * 7919) % aScenes);
        const std::string vp = scene + ".viewpoints.vp_" + std::to_string(i % 6);
        switch (i % 8) {
            case 0:
                paths.push_back(vp + ".camera.fov");
                break;
            case 1:
                paths.push_back(vp + ".hotspots");
                break;
            case 2:
                paths.push_back(scene + ".id");
                break;
            case 3:
                paths.push_back(vp + ".enabled");
                break;
            case 4:
                paths.push_back(vp + ".camera.position");
                break;
            case 5:
                paths.push_back(vp + ".camera");
                break;
            case 6:
                paths.push_back(scene + ".default_viewpoint");
                break;
            default:
                paths.push_back(vp + ".camera.nosuch");
                break;
        }
    }
    return paths;
}

constexpr int kQueries = 100000;

// 100,000 path queries per iteration, the getter chosen by the query's
// place in a cycle of eight.
// The queries over the parsed tree: what they found, summed (1 for a
// found number above 0, a true or a section; the length of a text; the
// pieces of a list).
int RunQueries(VoPropertyList& aList, const std::vector<VoString>& aPaths) {
    bool found = false;
    int hits = 0;
    for (int q = 0; q < kQueries; ++q) {
        const VoString& path = aPaths[static_cast<std::size_t>(q) % aPaths.size()];
        switch (q % 8) {
            case 0:
                hits += aList.GetFloat(path, &found) > 0.0f ? 1 : 0;
                break;
            case 1:
            case 4:
                hits += aList.GetVectorString(path, &found).GetCount();
                break;
            case 3:
                hits += aList.GetBool(path, &found) ? 1 : 0;
                break;
            case 5:
                hits += aList.GetList(path) != nullptr ? 1 : 0;
                break;
            default:
                hits += aList.GetString(path, &found).GetLength();
                break;
        }
    }
    return hits;
}

std::vector<VoString> EnginePaths(int aScenes) {
    std::vector<VoString> paths;
    for (const std::string& path : QueryPaths(aScenes)) {
        paths.emplace_back(path.c_str());
    }
    return paths;
}

void BM_PathQueries(benchmark::State& aState) {
    Quiet();
    VoPropertyList list;
    list.Parse(VoString(SceneText().c_str()));
    const std::vector<VoString> paths = EnginePaths(list.GetCount());
    for (auto _ : aState) {
        benchmark::DoNotOptimize(RunQueries(list, paths));
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kQueries);
}
BENCHMARK(BM_PathQueries)->Unit(benchmark::kMillisecond);

// The plain queries: the path split at its dots into a reused key, each
// piece looked up in the nested maps; values copied, split or converted
// (a narrow copy on the stack read by strtod in the "C" locale).
class PlainQueries {
public:
    explicit PlainQueries(const PlainList& aRoot)
        : fRoot(aRoot), fLocale(newlocale(LC_ALL_MASK, "C", nullptr)) {}
    ~PlainQueries() { freelocale(fLocale); }
    PlainQueries(const PlainQueries&) = delete;
    PlainQueries& operator=(const PlainQueries&) = delete;

    // The entry at the path, or null.
    const PlainList::Entry* Find(const std::u16string& aPath) {
        const PlainList* list = &fRoot;
        const PlainList::Entry* entry = nullptr;
        std::size_t start = 0;
        while (start <= aPath.size()) {
            std::size_t end = aPath.find(u'.', start);
            if (end == std::u16string::npos) {
                end = aPath.size();
            }
            if (end > start) {
                if (entry != nullptr) {
                    list = entry->section.get();
                    if (list == nullptr) {
                        return nullptr;
                    }
                }
                fKey.assign(aPath, start, end - start);
                const auto found = list->entries.find(fKey);
                if (found == list->entries.end()) {
                    return nullptr;
                }
                entry = &found->second;
            }
            start = end + 1;
        }
        return entry;
    }
    const std::u16string* Value(const std::u16string& aPath) {
        const PlainList::Entry* entry = Find(aPath);
        return entry != nullptr && entry->section == nullptr ? &entry->value : nullptr;
    }
    std::u16string GetString(const std::u16string& aPath) {
        const std::u16string* value = Value(aPath);
        return value != nullptr ? *value : std::u16string();
    }
    bool GetBool(const std::u16string& aPath) {
        const std::u16string* value = Value(aPath);
        return value != nullptr && (*value == u"true" || *value == u"1");
    }
    float GetFloat(const std::u16string& aPath) {
        const std::u16string* value = Value(aPath);
        if (value == nullptr) {
            return 0.0f;
        }
        char narrow[64];
        std::size_t length = 0;
        for (; length < value->size() && length + 1 < sizeof(narrow); ++length) {
            narrow[length] = static_cast<char>((*value)[length]);
        }
        narrow[length] = '\0';
        return static_cast<float>(strtod_l(narrow, nullptr, fLocale));
    }
    std::vector<std::u16string> GetVectorString(const std::u16string& aPath) {
        std::vector<std::u16string> pieces;
        const std::u16string* value = Value(aPath);
        if (value == nullptr) {
            return pieces;
        }
        std::size_t start = 0;
        while (start < value->size()) {
            std::size_t end = value->find(u'|', start);
            if (end == std::u16string::npos) {
                end = value->size();
            }
            if (end > start) {
                pieces.emplace_back(*value, start, end - start);
            }
            start = end + 1;
        }
        return pieces;
    }
    const PlainList* GetList(const std::u16string& aPath) {
        const PlainList::Entry* entry = Find(aPath);
        return entry != nullptr ? entry->section.get() : nullptr;
    }

private:
    const PlainList& fRoot;
    locale_t fLocale;
    std::u16string fKey;  // the piece being looked up, its room kept from query to query
};

// The same queries over the plain tree, summed the same way.
int RunPlainQueries(PlainQueries& aQueries, const std::vector<std::u16string>& aPaths) {
    int hits = 0;
    for (int q = 0; q < kQueries; ++q) {
        const std::u16string& path = aPaths[static_cast<std::size_t>(q) % aPaths.size()];
        switch (q % 8) {
            case 0:
                hits += aQueries.GetFloat(path) > 0.0f ? 1 : 0;
                break;
            case 1:
            case 4:
                hits += static_cast<int>(aQueries.GetVectorString(path).size());
                break;
            case 3:
                hits += aQueries.GetBool(path) ? 1 : 0;
                break;
            case 5:
                hits += aQueries.GetList(path) != nullptr ? 1 : 0;
                break;
            default:
                hits += static_cast<int>(aQueries.GetString(path).size());
                break;
        }
    }
    return hits;
}

std::vector<std::u16string> PlainPaths(int aScenes) {
    std::vector<std::u16string> paths;
    for (const std::string& path : QueryPaths(aScenes)) {
        paths.push_back(Widen(path));
    }
    return paths;
}

void BM_PlainPathQueries(benchmark::State& aState) {
    const std::u16string text = Widen(SceneText());
    PlainList list;
    PlainParse(text, &list);
    const std::vector<std::u16string> paths = PlainPaths(static_cast<int>(list.order.size()));
    PlainQueries queries(list);
    for (auto _ : aState) {
        benchmark::DoNotOptimize(RunPlainQueries(queries, paths));
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kQueries);
}
BENCHMARK(BM_PlainPathQueries)->Unit(benchmark::kMillisecond);

// A parsed tree as lines in file order, depth first: "a.b=value" for a
// value, "a.b." for a section.
void Outline(VoPropertyList& aList, const std::u16string& aPrefix, std::vector<std::u16string>* apLines) {
    for (int i = 0; i < aList.GetCount(); ++i) {
        const VoString key = aList.GetKeyAt(i);
        const std::u16string path =
            aPrefix + std::u16string(key.GetChars(), static_cast<std::size_t>(key.GetLength()));
        const VoPropertyListElement element = aList.GetAt(i);
        if (VoPropertyList* section = element.GetList()) {
            apLines->push_back(path + u".");
            Outline(*section, path + u".", apLines);
        } else if (const VoString* value = element.GetValue()) {
            apLines->push_back(
                path + u"=" +
                std::u16string(value->GetChars(), static_cast<std::size_t>(value->GetLength())));
        }
    }
}

void Outline(const PlainList& aList, const std::u16string& aPrefix, std::vector<std::u16string>* apLines) {
    for (const std::u16string* key : aList.order) {
        const PlainList::Entry& entry = aList.entries.at(*key);
        const std::u16string path = aPrefix + *key;
        if (entry.section != nullptr) {
            apLines->push_back(path + u".");
            Outline(*entry.section, path + u".", apLines);
        } else {
            apLines->push_back(path + u"=" + entry.value);
        }
    }
}

// Both parsers give the same tree of every text the cases parse, and the
// queries find the same.
void CheckSameResults() {
    Quiet();
    auto check = [](const std::string& aName, const std::string& aText) {
        VoPropertyList list;
        list.Parse(VoString(aText.c_str()));
        PlainList plain;
        PlainParse(Widen(aText), &plain);
        std::vector<std::u16string> engineLines;
        std::vector<std::u16string> plainLines;
        Outline(list, u"", &engineLines);
        Outline(plain, u"", &plainLines);
        VoCheckSameValues(aName + ": keys and values", engineLines, plainLines);
    };
    check("scene file of 1 MB", SceneText(1));
    check("scene file of 10 MB", SceneText(10));
    for (int keys : {1000, 10000, 100000}) {
        check("flat list of " + std::to_string(keys), FlatText(keys));
    }
    VoPropertyList list;
    list.Parse(VoString(SceneText().c_str()));
    PlainList plain;
    const std::u16string text = Widen(SceneText());
    PlainParse(text, &plain);
    PlainQueries queries(plain);
    VoCheckSame("path queries: what they found", RunQueries(list, EnginePaths(list.GetCount())),
                RunPlainQueries(queries, PlainPaths(static_cast<int>(plain.order.size()))));
}

}  // namespace

int main(int argc, char** argv) {
    return VoRunWithRatios(argc, argv,
                           {{"BM_ParseSceneFile/1", "BM_PlainParseSceneFile/1", 2.0},
                            {"BM_ParseSceneFile/10", "BM_PlainParseSceneFile/10", 2.0},
                            {"BM_ParseFlatList/1000", "BM_PlainParseFlatList/1000", 2.0},
                            {"BM_ParseFlatList/10000", "BM_PlainParseFlatList/10000", 2.0},
                            {"BM_ParseFlatList/100000", "BM_PlainParseFlatList/100000", 2.0},
                            {"BM_PathQueries", "BM_PlainPathQueries", 1.5}},
                           CheckSameResults);
}
