#pragma once
// All dynamic memory of the engine and the game: the global allocation
// operators forward here. Up to 256 named heaps live in one table that comes
// straight from the system allocator and is never released; the heap on top of
// a stack of heap indices is current and receives every allocation. Only the
// heap "default" (index 0) exists unless someone creates more.
//
// The manager initialises itself on first use, which happens during static
// initialisation, and stays usable during static destruction.
//
// Thread safety: the global operators are the whole process's, so the
// threads of the platform layer's libraries allocate here too. The common
// calls take no lock: a block of the short header is counted in the calling
// thread's own shard of its heap (VoHeapShard), so threads never write to
// one another's counts, and the heap's memory and live blocks are the sums
// of its shards, exact whenever no other thread is allocating. Tracked
// blocks, the heap table and stack, the allocation counter and reports take
// one process-wide lock, skipped while the process has a single thread; it
// is recursive per thread because reporting builds a VoString, which
// allocates. The peak is exact while one thread at a time allocates from a
// heap; while several do at once it may trail the highest sum by up to 64
// KiB per thread (VoMemoryManager.cpp says why), and is exact again soon
// after. The current heap is shared by all threads. The sound mixer's
// callback, which runs on the audio thread, must not allocate: it could
// wait here.
//
// Underneath, each block is one allocation of the system allocator: mimalloc
// in normal builds, with the blocks of up to 64 KiB that a thread released
// last handed out again first by that thread (VoHeapInline.h); the C
// library's malloc in sanitizer builds, where the sanitizers must see every
// block.
#include <cstddef>
#include <cstdint>

#include "memory/VoHeap.h"

class VoMemoryManager {
public:
    static constexpr std::int32_t kMaxHeaps = 256;
    static constexpr std::int32_t kAllocationCounterStart = 1;

    static constexpr const char* kInitFailure = "VoMemoryManager initialization failure.";
    // Written as it stands, without a source and line: building a message
    // would need the allocator that has just failed.
    static constexpr const char16_t* kInitFailureLine = u"ERROR: Memory manager initialization failed!!!";
    static constexpr const char* kHeapExists = "Heap with this name already exists.";
    static constexpr const char* kParentNotFound = "Could not find parent heap.";
    static constexpr const char* kParentNotActive = "Parent heap not active.";
    static constexpr const char* kOutOfHeaps = "Out of available heaps.";
    static constexpr const char* kIndexOutOfBounds = "Heap index out of bounds.";
    static constexpr const char* kPushDeadHeap = "Attempted to push dead heap.";
    static constexpr const char* kStackFull = "Heap stack full.";
    static constexpr const char* kDeadHeap = "Dead heap: ";
    static constexpr const char* kNoCurrentHeap = "No current heap defined.";
    static constexpr const char* kNoElementSize = "No valid value found for element size.";
    static constexpr const char* kNoLeaks = "NO LEAKS to report in ";
    // "heirarchy" is the table's own spelling.
    static constexpr const char* kStatisticsHead =
        "--------------------------------------------------------------------\n"
        "heap                 |         locl         |         totl         |\n"
        "heirarchy              memory  peak  allocs   memory  peak  allocs\n"
        "--------------------   ------ ------ ------   ------ ------ ------";
    static constexpr const char* kStatisticsFoot =
        "--------------------   ------ ------ ------   ------ ------ ------\n"
        "                     |                      |                      |\n"
        "--------------------------------------------------------------------";

    VoMemoryManager() = delete;

    // aSize bytes from the current heap, aligned to alignof(std::max_align_t);
    // apFile (a literal, or null) and aLine are kept by tracking heaps. Null
    // when memory runs out or aSize does not fit in 32 bits.
    static void* Allocate(std::size_t aSize, const char* apFile, std::int32_t aLine);
    // aCount elements of aElementSize bytes, with the element size kept as the
    // block's tag. Null when aCount < 1, aElementSize is 0 or the product does
    // not fit in 32 bits.
    static void* AllocateArray(std::size_t aElementSize, std::int32_t aCount, const char* apFile,
                               std::int32_t aLine);
    // For alignments above alignof(std::max_align_t): an over-sized block of
    // the current heap with the aligned address inside it. Release it with
    // FreeAligned and the same alignment.
    static void* AllocateAligned(std::size_t aSize, std::size_t aAlignment, const char* apFile,
                                 std::int32_t aLine);
    // Releases a block to the heap that handed it out. Null gives false
    // without a message; a block released already names no heap and is
    // refused as a foreign one is (unless its memory was handed out again).
    static bool Free(void* apBlock);
    static bool FreeAligned(void* apBlock, std::size_t aAlignment);
    // A new array of aCount elements (of aElementSize bytes, or the old
    // block's tag when 0) holding the old contents as far as both reach. The
    // old block stays allocated: the caller releases it.
    static void* ResizeArray(void* apBlock, std::int32_t aCount, std::size_t aElementSize, const char* apFile,
                             std::int32_t aLine);

    // The lazy initialisation: the table, heap "default", pushed. False when
    // the table already exists or cannot be had.
    static bool Init();

    // The sequence number the next tracked block gets; -1 when initialisation fails.
    static std::int32_t GetAllocationCounter();

    static bool PushHeap(std::int32_t aIndex);
    // Never pops the bottom entry (heap 0). Always 0.
    static std::int32_t PopHeap();

    // The new heap's index, or -1. A new heap is the first child of its parent.
    static std::int32_t CreateHeap(const char16_t* apName, std::int32_t aParentIndex);
    static std::int32_t CreateHeap(const char16_t* apName, const char16_t* apParentName);
    // Index of the alive heap with exactly this name, or -1.
    static std::int32_t FindHeap(const char16_t* apName);
    // Indices are handed out once each, from 1; -1 (with a warning) past 255.
    static std::int32_t GetNextHeapIndex();
    // Switches a heap's header kind; refused while the heap has live blocks.
    static bool SetTracking(std::int32_t aIndex, bool aTracking);

    // Logs the live blocks of the heap and its descendants allocated between
    // two readings of the allocation counter; returns their number (-1 per
    // heap that does not track, -2 when initialisation fails).
    static std::int32_t ReportLeaks(std::int32_t aIndex, std::int32_t aFrom, std::int32_t aTo);
    // Logs the statistics table of the heap and its descendants.
    static bool ReportStatistics(std::int32_t aIndex);

    // Header queries on any block handed out by the manager.
    static std::int64_t GetBlockSize(const void* apBlock);
    static const char* GetBlockFile(const void* apBlock);
    static std::int32_t GetBlockLine(const void* apBlock);

    // Not owned (the table is never released); null for an index out of range.
    // A heap's getters read without the lock: their figures are exact only
    // while no other thread allocates.
    static const VoHeap* GetHeap(std::int32_t aIndex);
    static const VoHeap* GetCurrentHeap();
    static std::int32_t GetHeapStackDepth();

private:
    // The walk of ReportLeaks, with heap 0 already pushed for the report's strings.
    static std::int32_t ReportHeapLeaks(const VoHeap* apHeap, std::int32_t aFrom, std::int32_t aTo);
    // Runs the lazy initialisation if needed; logs the failure for any entry
    // point but Free.
    static bool Ready();
    static bool EnsureInitialised();
    // The alive heap that handed out apBlock, or null when the header does not
    // name one.
    static VoHeap* FindOwner(const void* apBlock);
    // Free's work for every block but the common case.
    static bool FreeAny(void* apBlock);
    // A block of the heap: the short header counted in the calling thread's
    // shard, or (tracked blocks, threads that are ending) under the lock.
    static void* AllocateFrom(VoHeap* apHeap, std::uint64_t aSize, std::uint32_t aTag, const char* apFile,
                              std::int32_t aLine);
    // The owner of a block asked about, or null after logging why not.
    static const VoHeap* QueryOwner(const void* apBlock);
    // False (after logging) when a heap already has the name.
    static bool IsNameFree(const char16_t* apName);
    static VoHeap* GetHeapRecord(std::int32_t aIndex);
    // The record at aIndex, alive or not, or null after logging a bad index.
    static VoHeap* GetIndexedHeap(std::int32_t aIndex);
};

// Reporting builds a VoString, which allocates. While a memory report is being
// made on a thread, further memory reports on that thread are dropped, so an
// allocation that fails while reporting a failed allocation cannot recurse
// without end.
class VoMemoryReportGuard {
public:
    VoMemoryReportGuard();
    ~VoMemoryReportGuard();
    VoMemoryReportGuard(const VoMemoryReportGuard&) = delete;
    VoMemoryReportGuard& operator=(const VoMemoryReportGuard&) = delete;
    // True for the outermost report on this thread.
    bool IsOutermost() const { return outermost; }

private:
    bool outermost;
};

// Runs a reporting statement unless a memory report is already being made.
#define VO_MEMORY_REPORT(statement)        \
    do {                                   \
        VoMemoryReportGuard voReportGuard; \
        if (voReportGuard.IsOutermost()) { \
            statement;                     \
        }                                  \
    } while (0)
