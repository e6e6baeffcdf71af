// The path-finding table of a scene's waypoint web: the cheapest routes of
// every pair of waypoints, built at the first route query after the web is
// read or its table dropped. Webs of 100, 500 and 1000 waypoints scattered
// over a square, each linked both ways to its nearest neighbours.
//
// BM_BuildPathTable drops the table and asks for one route, which builds it
// again; BM_DijkstraTable is the plain baseline: Dijkstra's search from every
// waypoint over std::vector adjacency lists, keeping for every pair only the
// cost and the waypoint before the end. Besides the time per build, each
// reports "bytes": the most memory its build held at once (the engine's
// through a heap of its own, the baseline's through a counting allocator).
//
// BM_RouteQueries asks the built table for 10,000 routes between pseudo-random
// pairs; BM_PlainRouteQueries walks the baseline's predecessors for the same
// pairs into a std::vector.
//
// Before anything is timed both tables of every size must give each queried
// pair the same cost (to rounding) and the same waypoints.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "VoBenchmarkCheck.h"
#include "VoBenchmarkRatios.h"
#include "container/VoLog.h"
#include "container/VoPropertyList.h"
#include "memory/VoMemoryManager.h"
#include "navigation/VoPathFindingWeb.h"

namespace {

constexpr int kSizes[] = {100, 500, 1000};
constexpr int kNeighbours = 4;
constexpr int kQueries = 10000;

struct Point {
    float x;
    float y;
};

std::uint32_t NextRandom(std::uint32_t* apState) {
    *apState = *apState * 1664525u + 1013904223u;
    return *apState;
}

// A web of aCount waypoints: their places and, for each, the waypoints it
// links to (its nearest neighbours and whoever has it as theirs).
struct Web {
    std::vector<Point> points;
    std::vector<std::vector<int>> links;
};

Web MakeWeb(int aCount) {
    Web web;
    std::uint32_t state = 2024u + static_cast<std::uint32_t>(aCount);
    const float side = std::sqrt(static_cast<float>(aCount)) * 10.0f;
    // On a grid of sixteenths, which the file's four decimals hold exactly:
    // the engine reads the very points the baseline uses.
    auto coordinate = [&state, side] {
        return std::floor(static_cast<float>(NextRandom(&state) >> 8) / 16777216.0f * side * 16.0f) / 16.0f;
    };
    for (int i = 0; i < aCount; ++i) {
        const float x = coordinate();
        const float y = coordinate();
        web.points.push_back({x, y});
    }
    web.links.resize(static_cast<std::size_t>(aCount));
    for (int i = 0; i < aCount; ++i) {
        std::vector<std::pair<float, int>> byDistance;
        for (int j = 0; j < aCount; ++j) {
            if (j != i) {
                const float dx = web.points[i].x - web.points[j].x;
                const float dy = web.points[i].y - web.points[j].y;
                byDistance.push_back({dx * dx + dy * dy, j});
            }
        }
        std::partial_sort(byDistance.begin(), byDistance.begin() + kNeighbours, byDistance.end());
        for (int k = 0; k < kNeighbours; ++k) {
            const int j = byDistance[static_cast<std::size_t>(k)].second;
            auto linked = [&web](int aFrom, int aTo) {
                std::vector<int>& list = web.links[static_cast<std::size_t>(aFrom)];
                if (std::find(list.begin(), list.end(), aTo) == list.end()) {
                    list.push_back(aTo);
                }
            };
            linked(i, j);
            linked(j, i);
        }
    }
    return web;
}

// The web as a waypoint file.
std::string WebText(const Web& aWeb) {
    std::string text;
    char number[64];
    for (std::size_t i = 0; i < aWeb.points.size(); ++i) {
        text += "wp_" + std::to_string(i) + "\n";
        std::snprintf(number, sizeof(number), "%.4f|%.4f", aWeb.points[i].x, aWeb.points[i].y);
        text += std::string("\tcoords=") + number + "\n\tlinks=";
        for (std::size_t k = 0; k < aWeb.links[i].size(); ++k) {
            text += (k == 0 ? "wp_" : "|wp_") + std::to_string(aWeb.links[i][k]);
        }
        text += "\n";
    }
    return text;
}

const Web& WebOf(int aCount) {
    static std::vector<std::pair<int, Web>> webs;
    for (const auto& made : webs) {
        if (made.first == aCount) {
            return made.second;
        }
    }
    webs.push_back({aCount, MakeWeb(aCount)});
    return webs.back().second;
}

std::vector<std::pair<int, int>> QueryPairs(int aCount) {
    std::vector<std::pair<int, int>> pairs;
    std::uint32_t state = 77u;
    for (int q = 0; q < kQueries; ++q) {
        const int from = static_cast<int>(NextRandom(&state) % static_cast<std::uint32_t>(aCount));
        const int to = static_cast<int>(NextRandom(&state) % static_cast<std::uint32_t>(aCount));
        pairs.push_back({from, to});
    }
    return pairs;
}

// The engine's web over a waypoint file, with a heap of its own for the
// table.
struct EngineWeb {
    explicit EngineWeb(int aCount) {
        VoLog::SetFolder(VoString(u"/nonexistent/benchmark"));
        VoPropertyList list;
        list.Parse(VoString(WebText(WebOf(aCount)).c_str()));
        web.Create(&list);
        const std::string name = "path table " + std::to_string(aCount);
        std::u16string wide(name.begin(), name.end());
        heap = VoMemoryManager::FindHeap(wide.c_str());
        if (heap < 0) {
            heap = VoMemoryManager::CreateHeap(wide.c_str(), 0);
        }
    }
    // Builds the table anew inside the heap.
    float Build() {
        web.ClearPathTable();
        VoMemoryManager::PushHeap(heap);
        const float cost = web.GetShortestPath(0, 1).fCost;
        VoMemoryManager::PopHeap();
        return cost;
    }

    VoPathFindingWeb web;
    std::int32_t heap = -1;
};

void BM_BuildPathTable(benchmark::State& aState) {
    const int count = static_cast<int>(aState.range(0));
    EngineWeb engine(count);
    for (auto _ : aState) {
        benchmark::DoNotOptimize(engine.Build());
    }
    const VoHeap* heap = VoMemoryManager::GetHeap(engine.heap);
    aState.counters["bytes"] = static_cast<double>(heap != nullptr ? heap->GetPeak() : 0);
}

void BM_RouteQueries(benchmark::State& aState) {
    const int count = static_cast<int>(aState.range(0));
    EngineWeb engine(count);
    engine.Build();
    const std::vector<std::pair<int, int>> pairs = QueryPairs(count);
    for (auto _ : aState) {
        std::int64_t steps = 0;
        for (const auto& pair : pairs) {
            steps += engine.web.GetShortestPath(pair.first, pair.second).fPath.GetCount();
        }
        benchmark::DoNotOptimize(steps);
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kQueries);
}

// The baseline's memory, counted by an allocator of its own.
std::int64_t gLiveBytes = 0;
std::int64_t gPeakBytes = 0;

template <typename T>
struct Counting {
    using value_type = T;
    Counting() = default;
    template <typename U>
    Counting(const Counting<U>&) {}
    T* allocate(std::size_t aCount) {
        gLiveBytes += static_cast<std::int64_t>(aCount * sizeof(T));
        gPeakBytes = std::max(gPeakBytes, gLiveBytes);
        return static_cast<T*>(::operator new(aCount * sizeof(T)));
    }
    void deallocate(T* apItems, std::size_t aCount) {
        gLiveBytes -= static_cast<std::int64_t>(aCount * sizeof(T));
        ::operator delete(apItems);
    }
    template <typename U>
    bool operator==(const Counting<U>&) const {
        return true;
    }
    template <typename U>
    bool operator!=(const Counting<U>&) const {
        return false;
    }
};

template <typename T>
using CountedVector = std::vector<T, Counting<T>>;

// Every pair's cost and the waypoint before its end (-1: no route).
struct PlainTable {
    int count = 0;
    CountedVector<float> costs;
    CountedVector<std::int32_t> previous;
};

void BuildPlainTable(const Web& aWeb, const std::vector<std::vector<float>>& aLengths, PlainTable* apTable) {
    const int count = static_cast<int>(aWeb.points.size());
    const auto cells = static_cast<std::size_t>(count) * static_cast<std::size_t>(count);
    apTable->count = count;
    apTable->costs.assign(cells, -1.0f);
    apTable->previous.assign(cells, -1);
    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, CountedVector<Entry>, std::greater<Entry>> queue;
    CountedVector<bool> done(static_cast<std::size_t>(count));
    for (int start = 0; start < count; ++start) {
        float* cost = &apTable->costs[static_cast<std::size_t>(start) * static_cast<std::size_t>(count)];
        std::int32_t* previous =
            &apTable->previous[static_cast<std::size_t>(start) * static_cast<std::size_t>(count)];
        std::fill(done.begin(), done.end(), false);
        cost[start] = 0.0f;
        previous[start] = start;
        queue.push({0.0f, start});
        while (!queue.empty()) {
            const Entry top = queue.top();
            queue.pop();
            const int node = top.second;
            if (done[static_cast<std::size_t>(node)]) {
                continue;
            }
            done[static_cast<std::size_t>(node)] = true;
            const std::vector<int>& links = aWeb.links[static_cast<std::size_t>(node)];
            for (std::size_t k = 0; k < links.size(); ++k) {
                const int target = links[k];
                const float through = cost[node] + aLengths[static_cast<std::size_t>(node)][k];
                if (cost[target] < 0.0f || through < cost[target]) {
                    cost[target] = through;
                    previous[target] = node;
                    queue.push({through, target});
                }
            }
        }
    }
}

std::vector<std::vector<float>> LinkLengths(const Web& aWeb) {
    std::vector<std::vector<float>> lengths(aWeb.links.size());
    for (std::size_t i = 0; i < aWeb.links.size(); ++i) {
        for (int j : aWeb.links[i]) {
            const float dx = aWeb.points[i].x - aWeb.points[static_cast<std::size_t>(j)].x;
            const float dy = aWeb.points[i].y - aWeb.points[static_cast<std::size_t>(j)].y;
            lengths[i].push_back(std::sqrt(dx * dx + dy * dy));
        }
    }
    return lengths;
}

void BM_DijkstraTable(benchmark::State& aState) {
    const Web& web = WebOf(static_cast<int>(aState.range(0)));
    const std::vector<std::vector<float>> lengths = LinkLengths(web);
    gPeakBytes = gLiveBytes;
    for (auto _ : aState) {
        PlainTable table;
        BuildPlainTable(web, lengths, &table);
        benchmark::DoNotOptimize(table.costs.data());
    }
    aState.counters["bytes"] = static_cast<double>(gPeakBytes);
}

// The route from aFrom to aTo, walked back through the predecessors; empty
// when there is none.
std::vector<int> PlainRoute(const PlainTable& aTable, int aFrom, int aTo) {
    const std::int32_t* previous =
        &aTable.previous[static_cast<std::size_t>(aFrom) * static_cast<std::size_t>(aTable.count)];
    std::vector<int> route;
    if (previous[aTo] >= 0) {
        for (int at = aTo; at != aFrom; at = previous[at]) {
            route.push_back(at);
        }
        route.push_back(aFrom);
        std::reverse(route.begin(), route.end());
    }
    return route;
}

void BM_PlainRouteQueries(benchmark::State& aState) {
    const int count = static_cast<int>(aState.range(0));
    const Web& web = WebOf(count);
    PlainTable table;
    BuildPlainTable(web, LinkLengths(web), &table);
    const std::vector<std::pair<int, int>> pairs = QueryPairs(count);
    for (auto _ : aState) {
        std::int64_t steps = 0;
        for (const auto& pair : pairs) {
            steps += static_cast<std::int64_t>(PlainRoute(table, pair.first, pair.second).size());
        }
        benchmark::DoNotOptimize(steps);
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations()) * kQueries);
}

// The engine's table and the baseline's give every queried pair (and the
// pair each build asks for) the same cost and the same route.
void CheckSameRoutes() {
    for (int size : kSizes) {
        EngineWeb engine(size);
        engine.Build();
        const Web& web = WebOf(size);
        PlainTable table;
        BuildPlainTable(web, LinkLengths(web), &table);
        std::vector<std::pair<int, int>> pairs = QueryPairs(size);
        pairs.insert(pairs.begin(), {0, 1});
        for (const auto& pair : pairs) {
            const std::string what = "web of " + std::to_string(size) + ", route " +
                                     std::to_string(pair.first) + " to " + std::to_string(pair.second);
            const VoShortestPath route = engine.web.GetShortestPath(pair.first, pair.second);
            const std::size_t cell = static_cast<std::size_t>(pair.first) * static_cast<std::size_t>(size) +
                                     static_cast<std::size_t>(pair.second);
            VoCheckNear(what + ": cost", route.fCost, table.costs[cell], 1e-5);
            std::vector<int> waypoints;
            for (int i = 0; i < route.fPath.GetCount(); ++i) {
                waypoints.push_back(route.fPath.GetAt(i));
            }
            VoCheckSameValues(what + ": waypoints", waypoints, PlainRoute(table, pair.first, pair.second));
        }
    }
}

void Sizes(benchmark::internal::Benchmark* apBenchmark) {
    for (int size : kSizes) {
        apBenchmark->Arg(size);
    }
    apBenchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildPathTable)->Apply(Sizes);
BENCHMARK(BM_DijkstraTable)->Apply(Sizes);
BENCHMARK(BM_RouteQueries)->Apply(Sizes);
BENCHMARK(BM_PlainRouteQueries)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
    std::vector<VoRatio> ratios;
    for (int size : kSizes) {
        const std::string arg = "/" + std::to_string(size);
        ratios.push_back({"BM_BuildPathTable" + arg, "BM_DijkstraTable" + arg, 1.2});
        ratios.push_back({"BM_BuildPathTable" + arg, "BM_DijkstraTable" + arg, 1.2, "bytes"});
    }
    for (int size : kSizes) {
        const std::string arg = "/" + std::to_string(size);
        ratios.push_back({"BM_RouteQueries" + arg, "BM_PlainRouteQueries" + arg, kNoGoal});
    }
    return VoRunWithRatios(argc, argv, ratios, CheckSameRoutes);
}
