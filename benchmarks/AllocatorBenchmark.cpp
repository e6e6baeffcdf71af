// The engine allocator against the C allocator on the same pattern: blocks of
// mixed sizes, 8 to 4096 bytes, from a fixed pseudo-random sequence. Every
// change of a VoString allocates, so this cost sits under all text handling.
//
// Window: 256 blocks stay live; each step releases one of them, chosen by the
// sequence, and puts a new block in its place. Pairs: each block is released
// right after it is made.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <vector>

#include "memory/VoNew.h"

namespace {

constexpr std::size_t kSteps = 4096;
constexpr std::size_t kWindow = 256;

struct Step {
    std::size_t size;
    std::size_t slot;
};

const std::vector<Step>& Sequence() {
    static const std::vector<Step> steps = [] {
        std::vector<Step> made;
        made.reserve(kSteps);
        std::uint32_t state = 12345u;
        for (std::size_t i = 0; i < kSteps; ++i) {
            state = state * 1664525u + 1013904223u;
            made.push_back({8 + (state >> 8) % 4089, (state >> 20) % kWindow});
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

struct CAllocator {
    static void* Make(std::size_t aSize) { return std::malloc(aSize); }
    static void Release(void* apBlock) { std::free(apBlock); }
};

template <typename Allocator>
void Window(benchmark::State& aState) {
    const std::vector<Step>& steps = Sequence();
    void* live[kWindow] = {};
    for (auto _ : aState) {
        for (const Step& step : steps) {
            Allocator::Release(live[step.slot]);
            auto* block = static_cast<unsigned char*>(Allocator::Make(step.size));
            block[0] = 1;
            live[step.slot] = block;
        }
        benchmark::ClobberMemory();
    }
    for (void*& block : live) {
        Allocator::Release(block);
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

}  // namespace

BENCHMARK_TEMPLATE(Window, GlobalOperators);
BENCHMARK_TEMPLATE(Window, TrackedOperators);
BENCHMARK_TEMPLATE(Window, CAllocator);
BENCHMARK_TEMPLATE(Pairs, GlobalOperators);
BENCHMARK_TEMPLATE(Pairs, TrackedOperators);
BENCHMARK_TEMPLATE(Pairs, CAllocator);

BENCHMARK_MAIN();
