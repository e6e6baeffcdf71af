// The engine allocator against glibc's malloc and free on the same patterns.
// Every change of a VoString allocates, so this cost sits under all text
// handling.
//
// Window: blocks of 8 to 4096 bytes from a fixed pseudo-random sequence; 256
// stay live, each step releases one of them, chosen by the sequence, and puts
// a new block in its place. Pairs: each block is released right after it is
// made. The Large forms take blocks of 4 KiB to 64 KiB, past the sizes that
// the engine keeps for reuse. Strings: 16-bit strings of 8 to 200 units
// copied, concatenated and appended to, 64 of them live, the allocator being
// the only difference. The Tracked cases allocate through VO_NEW into a heap
// that tracks its blocks (guard, sequence, source and line).
//
// Run with "--threaded" to measure the engine as the game's process sees it:
// a second thread runs (blocked, as SDL's and the GL driver's threads mostly
// are) for the whole run, and each pattern is run again by four threads at
// once, all allocating through the same current heap. For those the ratio
// compares the wall time per step of four threads with that of one, so at
// most 1.0 means that four threads together do at least as many steps as one.
//
// The baseline calls glibc's malloc and free, looked up in the C library
// itself: where the engine links mimalloc, plain malloc (and even
// __libc_malloc) is mimalloc's for the whole process.
#include <dlfcn.h>

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "VoBenchmarkRatios.h"
#include "memory/VoMemoryManager.h"
#include "memory/VoNew.h"

namespace {

constexpr std::size_t kSteps = 4096;
constexpr std::size_t kWindow = 256;

struct Step {
    std::size_t size;
    std::size_t slot;
};

std::uint32_t NextRandom(std::uint32_t* apState) {
    *apState = *apState * 1664525u + 1013904223u;
    return *apState;
}

// Sizes aMin to aMax, each step's slot in the window.
std::vector<Step> MakeSequence(std::size_t aMin, std::size_t aMax) {
    std::vector<Step> made;
    made.reserve(kSteps);
    std::uint32_t state = 12345u;
    for (std::size_t i = 0; i < kSteps; ++i) {
        const std::uint32_t r = NextRandom(&state);
        made.push_back({aMin + (r >> 8) % (aMax - aMin + 1), (r >> 20) % kWindow});
    }
    return made;
}

struct Small {
    static const std::vector<Step>& Sequence() {
        static const std::vector<Step> steps = MakeSequence(8, 4096);
        return steps;
    }
};

struct Large {
    static const std::vector<Step>& Sequence() {
        static const std::vector<Step> steps = MakeSequence(4097, 65536);
        return steps;
    }
};

struct GlobalOperators {
    static void* Make(std::size_t aSize) { return ::operator new(aSize); }
    static void Release(void* apBlock) { ::operator delete(apBlock); }
    static void Begin() {}
    static void End() {}
};

// Allocates through VO_NEW into a heap of its own that tracks its blocks,
// current while the case runs.
struct TrackedOperators {
    static void* Make(std::size_t aSize) { return VO_NEW unsigned char[aSize]; }
    static void Release(void* apBlock) { delete[] static_cast<unsigned char*>(apBlock); }
    static void Begin() {
        static const std::int32_t heap = [] {
            const std::int32_t index = VoMemoryManager::CreateHeap(u"benchmark tracked", 0);
            if (index < 0 || !VoMemoryManager::SetTracking(index, true)) {
                std::fprintf(stderr, "no tracking heap\n");
                std::abort();
            }
            return index;
        }();
        VoMemoryManager::PushHeap(heap);
    }
    static void End() { VoMemoryManager::PopHeap(); }
};

struct GlibcMalloc {
    using MallocFunction = void* (*)(std::size_t);
    using FreeFunction = void (*)(void*);

    static void* Make(std::size_t aSize) { return Functions().make(aSize); }
    static void Release(void* apBlock) { Functions().release(apBlock); }
    static void Begin() {}
    static void End() {}

    struct Pair {
        MallocFunction make;
        FreeFunction release;
    };
    static const Pair& Functions() {
        static const Pair pair = [] {
            void* library = dlopen("libc.so.6", RTLD_NOW | RTLD_NOLOAD);
            void* make = library == nullptr ? nullptr : dlsym(library, "malloc");
            void* release = library == nullptr ? nullptr : dlsym(library, "free");
            if (make == nullptr || release == nullptr) {
                std::fprintf(stderr, "glibc's malloc not found\n");
                std::abort();
            }
            return Pair{reinterpret_cast<MallocFunction>(make), reinterpret_cast<FreeFunction>(release)};
        }();
        return pair;
    }
};

template <typename Allocator, typename Sizes = Small>
void Window(benchmark::State& aState) {
    const std::vector<Step>& steps = Sizes::Sequence();
    void* live[kWindow] = {};
    Allocator::Begin();
    for (auto _ : aState) {
        for (const Step& step : steps) {
            if (live[step.slot] != nullptr) {
                Allocator::Release(live[step.slot]);
            }
            auto* block = static_cast<unsigned char*>(Allocator::Make(step.size));
            block[0] = 1;
            live[step.slot] = block;
        }
        benchmark::ClobberMemory();
    }
    for (void*& block : live) {
        if (block != nullptr) {
            Allocator::Release(block);
        }
    }
    Allocator::End();
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * steps.size()));
}

template <typename Allocator, typename Sizes = Small>
void Pairs(benchmark::State& aState) {
    const std::vector<Step>& steps = Sizes::Sequence();
    Allocator::Begin();
    for (auto _ : aState) {
        for (const Step& step : steps) {
            auto* block = static_cast<unsigned char*>(Allocator::Make(step.size));
            block[0] = 1;
            benchmark::DoNotOptimize(block);
            Allocator::Release(block);
        }
    }
    Allocator::End();
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * steps.size()));
}

// A standard allocator over one of the allocators above, so the strings
// differ in nothing else.
template <typename T, typename Allocator>
struct Through {
    using value_type = T;
    template <typename U>
    struct rebind {
        using other = Through<U, Allocator>;
    };
    Through() = default;
    template <typename U>
    Through(const Through<U, Allocator>&) {}
    T* allocate(std::size_t aCount) { return static_cast<T*>(Allocator::Make(aCount * sizeof(T))); }
    void deallocate(T* apItems, std::size_t) { Allocator::Release(apItems); }
    template <typename U>
    bool operator==(const Through<U, Allocator>&) const {
        return true;
    }
    template <typename U>
    bool operator!=(const Through<U, Allocator>&) const {
        return false;
    }
};

constexpr std::size_t kStringSteps = 1024;
constexpr std::size_t kLiveStrings = 64;
constexpr std::size_t kPoolSize = 64;

struct StringStep {
    std::size_t copyFrom;
    std::size_t joinWith;
    std::size_t appendFrom;
    std::size_t slot;
};

const std::vector<StringStep>& StringSequence() {
    static const std::vector<StringStep> steps = [] {
        std::vector<StringStep> made;
        std::uint32_t state = 777u;
        for (std::size_t i = 0; i < kStringSteps; ++i) {
            made.push_back({NextRandom(&state) % kPoolSize, NextRandom(&state) % kPoolSize,
                            NextRandom(&state) % kPoolSize, NextRandom(&state) % kLiveStrings});
        }
        return made;
    }();
    return steps;
}

template <typename Allocator>
void Strings(benchmark::State& aState) {
    using Text = std::basic_string<char16_t, std::char_traits<char16_t>, Through<char16_t, Allocator>>;
    std::vector<Text> pool;
    std::uint32_t state = 4242u;
    for (std::size_t i = 0; i < kPoolSize; ++i) {
        const std::size_t length = 8 + NextRandom(&state) % 193;
        pool.emplace_back(length, static_cast<char16_t>(u'a' + i % 26));
    }
    const std::vector<StringStep>& steps = StringSequence();
    std::vector<Text> live(kLiveStrings);
    for (auto _ : aState) {
        for (const StringStep& step : steps) {
            Text copy(pool[step.copyFrom]);
            Text joined = copy + pool[step.joinWith];
            joined.append(pool[step.appendFrom]);
            live[step.slot] = std::move(joined);
        }
        benchmark::ClobberMemory();
    }
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * steps.size()));
}

// The second thread of "--threaded": started before the first case and
// blocked until the program ends.
class IdleThread {
public:
    IdleThread()
        : fThread([this] {
              std::unique_lock<std::mutex> lock(fMutex);
              fWake.wait(lock, [this] { return fStop; });
          }) {}
    ~IdleThread() {
        {
            std::lock_guard<std::mutex> lock(fMutex);
            fStop = true;
        }
        fWake.notify_one();
        fThread.join();
    }

private:
    std::mutex fMutex;
    std::condition_variable fWake;
    bool fStop = false;
    std::thread fThread;
};

// The one-thread cases, in both modes.
void RegisterCases() {
    benchmark::RegisterBenchmark("Window<GlobalOperators>", Window<GlobalOperators>);
    benchmark::RegisterBenchmark("Window<TrackedOperators>", Window<TrackedOperators>);
    benchmark::RegisterBenchmark("Window<GlibcMalloc>", Window<GlibcMalloc>);
    benchmark::RegisterBenchmark("Pairs<GlobalOperators>", Pairs<GlobalOperators>);
    benchmark::RegisterBenchmark("Pairs<TrackedOperators>", Pairs<TrackedOperators>);
    benchmark::RegisterBenchmark("Pairs<GlibcMalloc>", Pairs<GlibcMalloc>);
    benchmark::RegisterBenchmark("WindowLarge<GlobalOperators>", Window<GlobalOperators, Large>);
    benchmark::RegisterBenchmark("WindowLarge<GlibcMalloc>", Window<GlibcMalloc, Large>);
    benchmark::RegisterBenchmark("PairsLarge<GlobalOperators>", Pairs<GlobalOperators, Large>);
    benchmark::RegisterBenchmark("PairsLarge<GlibcMalloc>", Pairs<GlibcMalloc, Large>);
    benchmark::RegisterBenchmark("Strings<GlobalOperators>", Strings<GlobalOperators>);
    benchmark::RegisterBenchmark("Strings<GlibcMalloc>", Strings<GlibcMalloc>);
}

// The same patterns run by one and by four threads at once.
void RegisterThreadedCases() {
    const struct {
        const char* name;
        void (*run)(benchmark::State&);
    } cases[] = {
        {"Window<GlobalOperators>", Window<GlobalOperators>},
        {"Window<GlibcMalloc>", Window<GlibcMalloc>},
        {"Pairs<GlobalOperators>", Pairs<GlobalOperators>},
        {"Pairs<GlibcMalloc>", Pairs<GlibcMalloc>},
        {"WindowLarge<GlobalOperators>", Window<GlobalOperators, Large>},
        {"PairsLarge<GlobalOperators>", Pairs<GlobalOperators, Large>},
        {"Strings<GlobalOperators>", Strings<GlobalOperators>},
        {"Strings<GlibcMalloc>", Strings<GlibcMalloc>},
    };
    for (const auto& threaded : cases) {
        benchmark::RegisterBenchmark(threaded.name, threaded.run)->Threads(1)->Threads(4)->UseRealTime();
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool threaded = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--threaded") == 0) {
            threaded = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    std::vector<VoRatio> ratios = {
        {"Window<GlobalOperators>", "Window<GlibcMalloc>", 1.0},
        // Tracking scans every fresh block for the guard word, so it has no goal.
        {"Window<TrackedOperators>", "Window<GlibcMalloc>", kNoGoal},
        {"Pairs<GlobalOperators>", "Pairs<GlibcMalloc>", 1.0},
        {"Pairs<TrackedOperators>", "Pairs<GlibcMalloc>", kNoGoal},
        {"WindowLarge<GlobalOperators>", "WindowLarge<GlibcMalloc>", 1.0},
        {"PairsLarge<GlobalOperators>", "PairsLarge<GlibcMalloc>", 1.0},
        {"Strings<GlobalOperators>", "Strings<GlibcMalloc>", 1.0},
    };
    RegisterCases();
    std::unique_ptr<IdleThread> idle;
    if (threaded) {
        idle = std::make_unique<IdleThread>();
        RegisterThreadedCases();
        for (const char* pattern : {"Window", "Pairs", "WindowLarge", "PairsLarge", "Strings"}) {
            const std::string engine = std::string(pattern) + "<GlobalOperators>";
            ratios.push_back(
                {engine + "/real_time/threads:4", engine + "/real_time/threads:1", 1.0, kRealTime});
        }
        for (const char* pattern : {"Window", "Pairs", "Strings"}) {
            const std::string engine = std::string(pattern) + "<GlobalOperators>/real_time/threads:4";
            const std::string glibc = std::string(pattern) + "<GlibcMalloc>/real_time/threads:4";
            ratios.push_back({engine, glibc, 1.0, kRealTime});
        }
    }
    return VoRunWithRatios(argc, argv, ratios);
}
