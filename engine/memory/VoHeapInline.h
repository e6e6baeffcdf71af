#pragma once
// The paths of VoHeap that every allocation and release of the process runs:
// a short header, one system allocation, the list links and the counts. Only
// the memory manager's own sources include this; the tracked and failing
// paths stay out of line in VoHeap.cpp.
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
//
// Callers hold the memory manager's lock (or the process has one thread), as
// for the heaps themselves.
namespace VoSystemAllocator {

#if VO_MIMALLOC
// mimalloc gives out the rest of a page's free blocks before the ones just
// released, so a block released a moment ago comes back only after a walk
// through the whole page, from cold cache lines. Blocks of up to 4 KiB
// released last are therefore kept on a short stack per size class (16-byte
// steps up to mimalloc's small blocks, 64-byte steps above) and handed out
// again first, the way the C library's thread cache does. At most
// kCachedPerClass blocks wait in each class, about 1.5 MiB in all.
constexpr std::size_t kSmallStep = 16;
constexpr std::size_t kSmallMax = MI_SMALL_SIZE_MAX;
constexpr std::size_t kLargeStep = 64;
constexpr std::size_t kCachedMax = 4096;
constexpr std::size_t kSmallClasses = kSmallMax / kSmallStep;
constexpr std::size_t kClasses = kSmallClasses + (kCachedMax - kSmallMax) / kLargeStep;
constexpr std::int32_t kCachedPerClass = 8;

struct FreeBlock {
    FreeBlock* next;
};

struct ReuseCache {
    FreeBlock* top[kClasses + 1];  // by size class; not owned: mimalloc's blocks, released at exit by the OS
    std::int32_t count[kClasses + 1];
};

// Defined in VoHeap.cpp; zero-initialised before any allocation.
extern ReuseCache gReuseCache;

// The class of a block of aBytes (at most kCachedMax), and the bytes that
// every block of a class has.
inline std::size_t ClassOf(std::size_t aBytes) {
    return aBytes <= kSmallMax ? (aBytes + kSmallStep - 1) / kSmallStep
                               : kSmallClasses + (aBytes - kSmallMax + kLargeStep - 1) / kLargeStep;
}
inline std::size_t BytesOf(std::size_t aClass) {
    return aClass <= kSmallClasses ? aClass * kSmallStep : kSmallMax + (aClass - kSmallClasses) * kLargeStep;
}
#endif

// aBytes is the whole block, header included.
inline void* Allocate(std::size_t aBytes) {
#if VO_MIMALLOC
    if (aBytes <= kCachedMax) {
        const std::size_t sizeClass = ClassOf(aBytes);
        if (FreeBlock* block = gReuseCache.top[sizeClass]) {
            gReuseCache.top[sizeClass] = block->next;
            --gReuseCache.count[sizeClass];
            return block;
        }
        // The class's full size, so that the block can serve any request of its class.
        return sizeClass <= kSmallClasses ? mi_malloc_small(BytesOf(sizeClass))
                                          : mi_malloc(BytesOf(sizeClass));
    }
    return mi_malloc(aBytes);
#else
    return std::malloc(aBytes);
#endif
}

// aBytes as given to Allocate.
inline void Release(void* apStart, std::size_t aBytes) {
#if VO_MIMALLOC
    if (aBytes <= kCachedMax) {
        const std::size_t sizeClass = ClassOf(aBytes);
        if (gReuseCache.count[sizeClass] < kCachedPerClass) {
            auto* block = static_cast<FreeBlock*>(apStart);
            block->next = gReuseCache.top[sizeClass];
            gReuseCache.top[sizeClass] = block;
            ++gReuseCache.count[sizeClass];
            return;
        }
    }
    mi_free(apStart);
#else
    (void)aBytes;
    std::free(apStart);
#endif
}

}  // namespace VoSystemAllocator

inline void VoHeap::Link(VoBlockLinks* apLinks, std::uint32_t aSize) {
    apLinks->heap = this;
    apLinks->olderHidden = newestHidden;
    apLinks->newerHidden = Hide(nullptr);
    if (VoBlockLinks* previous = Reveal(newestHidden)) {
        previous->newerHidden = Hide(apLinks);
    }
    newestHidden = Hide(apLinks);
    memory += aSize;
    if (memory > peak) {
        peak = memory;
    }
    ++liveBlocks;
}

inline void* VoHeap::Allocate(std::uint64_t aSize, std::uint32_t aTag, const char* apFile, std::int32_t aLine,
                              std::int32_t* apSequence) {
    if (tracking) {
        return AllocateTracked(aSize, aTag, apFile, aLine, apSequence);
    }
    // Refused rather than truncated to the header's 32-bit size field.
    if (aSize > kMaxBlockSize) {
        return ReportNoMemory();
    }
    void* start = VoSystemAllocator::Allocate(sizeof(VoReleaseHeader) + static_cast<std::size_t>(aSize));
    if (start == nullptr) {
        return ReportNoMemory();
    }
    auto* header = new (start) VoReleaseHeader;
    header->size = static_cast<std::uint32_t>(aSize);
    header->tag = aTag;
    Link(&header->links, header->size);
    return header + 1;
}

inline bool VoHeap::Unlink(VoBlockLinks* apLinks, std::uint32_t aSize) {
    VoBlockLinks* older = Reveal(apLinks->olderHidden);
    VoBlockLinks* newer = Reveal(apLinks->newerHidden);
    if (newer != nullptr) {
        newer->olderHidden = apLinks->olderHidden;
    } else {
        if (Reveal(newestHidden) != apLinks) {
            return ReportInvalidHeader();
        }
        newestHidden = apLinks->olderHidden;
    }
    if (older != nullptr) {
        older->newerHidden = apLinks->newerHidden;
    }
    memory -= aSize;
    --liveBlocks;
    return true;
}

inline bool VoHeap::Free(void* apBlock) {
    if (tracking) {
        return FreeTracked(apBlock);
    }
    auto* header = static_cast<VoReleaseHeader*>(apBlock) - 1;
    if (!Unlink(&header->links, header->size)) {
        return false;
    }
    VoSystemAllocator::Release(header, sizeof(VoReleaseHeader) + std::size_t{header->size});
    return true;
}
