// The engine allocator against glibc's malloc and free on the same patterns.
// Every change of a VoString allocates, so this cost sits under all text
// handling.
//
// Window: blocks of 8 to 4096 bytes from a fixed pseudo-random sequence; 256
// stay live, each step releases one of them, chosen by the sequence, and puts
// a new block in its place. Pairs: each block is released right after it is
// made. Strings: 16-bit strings of 8 to 200 units copied, concatenated and
// appended to, 64 of them live, the allocator being the only difference.
//
// Run with "--threaded" to measure the engine as a multi-threaded process
// sees it (with the manager's lock taken on every call).
//
// The baseline calls glibc's malloc and free, looked up in the C library
// itself: where the engine links mimalloc, plain malloc (and even
// __libc_malloc) is mimalloc's for the whole process.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "VoBenchmarkRatios.h"
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

const std::vector<Step>& Sequence() {
    static const std::vector<Step> steps = [] {
        std::vector<Step> made;
        made.reserve(kSteps);
        std::uint32_t state = 12345u;
        for (std::size_t i = 0; i < kSteps; ++i) {
            const std::uint32_t r = NextRandom(&state);
            made.push_back({8 + (r >> 8) % 4089, (r >> 20) % kWindow});
        }
        return made;
    }();
    return steps;
}

struct GlobalOperators {
    static void* Make(std::size_t aSize) { return ::operator new(aSize); }
    static void Release(void* apBlock) { ::operator delete(apBlock); }
};

struct TrackedOperators {
    static void* Make(std::size_t aSize) { return VO_NEW unsigned char[aSize]; }
    static void Release(void* apBlock) { delete[] static_cast<unsigned char*>(apBlock); }
};

struct GlibcMalloc {
    using MallocFunction = void* (*)(std::size_t);
    using FreeFunction = void (*)(void*);

    static void* Make(std::size_t aSize) { return Functions().make(aSize); }
    static void Release(void* apBlock) { Functions().release(apBlock); }

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

template <typename Allocator>
void Window(benchmark::State& aState) {
    const std::vector<Step>& steps = Sequence();
    void* live[kWindow] = {};
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
    aState.SetItemsProcessed(static_cast<std::int64_t>(aState.iterations() * steps.size()));
}

template <typename Allocator>
void Pairs(benchmark::State& aState) {
    const std::vector<Step>& steps = Sequence();
    for (auto _ : aState) {
        for (const Step& step : steps) {
            auto* block = static_cast<unsigned char*>(Allocator::Make(step.size));
            block[0] = 1;
            benchmark::DoNotOptimize(block);
            Allocator::Release(block);
        }
    }
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

}  // namespace

BENCHMARK_TEMPLATE(Window, GlobalOperators);
BENCHMARK_TEMPLATE(Window, TrackedOperators);
BENCHMARK_TEMPLATE(Window, GlibcMalloc);
BENCHMARK_TEMPLATE(Pairs, GlobalOperators);
BENCHMARK_TEMPLATE(Pairs, TrackedOperators);
BENCHMARK_TEMPLATE(Pairs, GlibcMalloc);
BENCHMARK_TEMPLATE(Strings, GlobalOperators);
BENCHMARK_TEMPLATE(Strings, GlibcMalloc);

int main(int argc, char** argv) {
    // "--threaded" starts and joins one thread first: from then on every
    // call takes the memory manager's lock, as in the running game, whose
    // libraries start threads of their own.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--threaded") == 0) {
            std::thread([] {}).join();
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return VoRunWithRatios(argc, argv,
                           {{"Window<GlobalOperators>", "Window<GlibcMalloc>", 1.0},
                            {"Window<TrackedOperators>", "Window<GlibcMalloc>", 1.0},
                            {"Pairs<GlobalOperators>", "Pairs<GlibcMalloc>", 1.0},
                            {"Pairs<TrackedOperators>", "Pairs<GlibcMalloc>", 1.0},
                            {"Strings<GlobalOperators>", "Strings<GlibcMalloc>", 1.0}});
}
