#pragma once
// The paths of VoHeap that every allocation and release of the process runs:
// a short header, one system allocation and the calling thread's counts.
// Only the memory manager's own sources include this; the tracked and
// failing paths stay out of line in VoHeap.cpp.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "memory/VoHeap.h"

#if VO_MIMALLOC
#include <mimalloc.h>
#endif

// The system allocator under the heaps: one allocation per block. mimalloc
// where the build links it; the C library's in sanitizer builds, whose
// malloc the sanitizers replace to watch every block (and catch a block used
// after its release, which a reuse cache would hide).
namespace VoSystemAllocator {

#if VO_MIMALLOC
// mimalloc gives out the rest of a page's free blocks before the ones just
// released, so a block released a moment ago comes back only after a walk
// through the whole page, from cold cache lines; and it keeps time for the
// pages of large blocks it may give back to the system, asking the clock on
// many releases. Blocks of up to 64 KiB released last are therefore kept on
// a short stack per size class (16-byte steps up to mimalloc's small blocks,
// 64-byte steps to 4 KiB, 4 KiB steps above) and handed out again first,
// the way the C library's thread cache does. Each thread has its own stacks
// (any thread may release a block another made: mimalloc takes it back from
// any); at most kCachedPerClass blocks wait in each class up to 4 KiB and
// kCachedPerLargeClass above, about 2.6 MiB a thread in all.
constexpr std::size_t kSmallStep = 16;
constexpr std::size_t kSmallMax = MI_SMALL_SIZE_MAX;
constexpr std::size_t kMediumStep = 64;
constexpr std::size_t kMediumMax = 4096;
constexpr std::size_t kLargeStep = 4096;
constexpr std::size_t kCachedMax = 65536;
constexpr std::size_t kSmallClasses = kSmallMax / kSmallStep;
constexpr std::size_t kMediumClasses = kSmallClasses + (kMediumMax - kSmallMax) / kMediumStep;
constexpr std::size_t kClasses = kMediumClasses + (kCachedMax - kMediumMax) / kLargeStep;
constexpr std::int32_t kCachedPerClass = 8;
constexpr std::int32_t kCachedPerLargeClass = 2;

struct FreeBlock {
    FreeBlock* next;
};

// One thread's stacks, zero-initialised.
struct ReuseCache {
    FreeBlock* top[kClasses + 1];  // by size class; not owned: mimalloc's blocks
    std::int32_t count[kClasses + 1];
};

// The class of a block of aBytes (at most kCachedMax), and the bytes that
// every block of a class has.
inline std::size_t ClassOf(std::size_t aBytes) {
    if (aBytes <= kSmallMax) {
        return (aBytes + kSmallStep - 1) / kSmallStep;
    }
    if (aBytes <= kMediumMax) {
        return kSmallClasses + (aBytes - kSmallMax + kMediumStep - 1) / kMediumStep;
    }
    return kMediumClasses + (aBytes - kMediumMax + kLargeStep - 1) / kLargeStep;
}
inline std::size_t BytesOf(std::size_t aClass) {
    if (aClass <= kSmallClasses) {
        return aClass * kSmallStep;
    }
    if (aClass <= kMediumClasses) {
        return kSmallMax + (aClass - kSmallClasses) * kMediumStep;
    }
    return kMediumMax + (aClass - kMediumClasses) * kLargeStep;
}
inline std::int32_t LimitOf(std::size_t aClass) {
    return aClass <= kMediumClasses ? kCachedPerClass : kCachedPerLargeClass;
}
#else
struct ReuseCache {};
#endif

// aBytes is the whole block, header included. apCache is the calling
// thread's stacks, or null to go to the system allocator directly.
inline void* Allocate(std::size_t aBytes, ReuseCache* apCache) {
#if VO_MIMALLOC
    if (aBytes <= kCachedMax) {
        const std::size_t sizeClass = ClassOf(aBytes);
        if (apCache != nullptr) {
            if (FreeBlock* block = apCache->top[sizeClass]) {
                apCache->top[sizeClass] = block->next;
                --apCache->count[sizeClass];
                return block;
            }
        }
        // The class's full size, so that the block can serve any request of its class.
        return sizeClass <= kSmallClasses ? mi_malloc_small(BytesOf(sizeClass))
                                          : mi_malloc(BytesOf(sizeClass));
    }
    return mi_malloc(aBytes);
#else
    (void)apCache;
    return std::malloc(aBytes);
#endif
}

// aBytes as given to Allocate.
inline void Release(void* apStart, std::size_t aBytes, ReuseCache* apCache) {
#if VO_MIMALLOC
    if (aBytes <= kCachedMax && apCache != nullptr) {
        const std::size_t sizeClass = ClassOf(aBytes);
        if (apCache->count[sizeClass] < LimitOf(sizeClass)) {
            auto* block = static_cast<FreeBlock*>(apStart);
            block->next = apCache->top[sizeClass];
            apCache->top[sizeClass] = block;
            ++apCache->count[sizeClass];
            return;
        }
    }
    mi_free(apStart);
#else
    (void)aBytes;
    (void)apCache;
    std::free(apStart);
#endif
}

// Gives every block waiting in the stacks back to the system.
inline void Flush(ReuseCache* apCache) {
#if VO_MIMALLOC
    for (std::size_t sizeClass = 0; sizeClass <= kClasses; ++sizeClass) {
        while (FreeBlock* block = apCache->top[sizeClass]) {
            apCache->top[sizeClass] = block->next;
            mi_free(block);
        }
        apCache->count[sizeClass] = 0;
    }
#else
    (void)apCache;
#endif
}

}  // namespace VoSystemAllocator

inline void* VoHeap::Allocate(std::uint64_t aSize, std::uint32_t aTag, VoHeapShard* apShard, void* apCache,
                              bool* apOverBudget) {
    // Refused rather than truncated to the header's 32-bit size field.
    if (aSize > kMaxBlockSize) {
        return ReportNoMemory();
    }
    void* start = VoSystemAllocator::Allocate(sizeof(VoReleaseHeader) + static_cast<std::size_t>(aSize),
                                              static_cast<VoSystemAllocator::ReuseCache*>(apCache));
    if (start == nullptr) {
        return ReportNoMemory();
    }
    auto* header = new (start) VoReleaseHeader;
    header->size = static_cast<std::uint32_t>(aSize);
    header->tag = aTag;
    // Unlisted: only the older link is ever read, to tell the header's kind.
    header->links.heap = this;
    header->links.olderHidden = kUnlisted;
    // Only this thread writes the shard's counts: plain loads and stores.
    const std::int64_t memory = apShard->memory.load(std::memory_order_relaxed) + header->size;
    apShard->memory.store(memory, std::memory_order_relaxed);
    apShard->blocks.store(apShard->blocks.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    const std::uint64_t made = apShard->made.load(std::memory_order_relaxed) + 1;
    apShard->made.store(made, std::memory_order_relaxed);
    *apOverBudget = memory > apShard->budget.load(std::memory_order_relaxed) ||
                    made == apShard->recheckAt.load(std::memory_order_relaxed);
    return header + 1;
}

inline void VoHeap::Release(void* apBlock, VoHeapShard* apShard, void* apCache) {
    auto* header = static_cast<VoReleaseHeader*>(apBlock) - 1;
    apShard->memory.store(apShard->memory.load(std::memory_order_relaxed) - header->size,
                          std::memory_order_relaxed);
    apShard->blocks.store(apShard->blocks.load(std::memory_order_relaxed) - 1, std::memory_order_relaxed);
    // A second release of the block names no heap, and is refused.
    header->links.heap = nullptr;
    VoSystemAllocator::Release(header, sizeof(VoReleaseHeader) + std::size_t{header->size},
                               static_cast<VoSystemAllocator::ReuseCache*>(apCache));
}
