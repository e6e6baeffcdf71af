#pragma once
// One named heap of the memory manager: its live bytes, blocks and peak, its
// tracked blocks' list, and its place in the heap tree. Heaps live in the
// manager's fixed table; only the manager should call the operations that
// change a heap.
//
// Every block carries a header right before the memory handed out. A heap in
// tracking mode uses the long header (guard word, allocation sequence, source
// file and line) and links the block into its list of live blocks, which
// makes leak reports possible; otherwise the short header, linked nowhere.
// Both headers end with the same links (owning heap, older, newer), so the
// owner of any block can be found without knowing its header kind first, and
// the links tell the kind: a block of the short header is marked unlisted.
//
// The counts are kept in shards, one per thread that allocates or releases
// through the heap (VoHeapShard), so that threads never write to one
// another's counts; the heap's figures are their sums. See VoMemoryManager.h
// for how exact they are while threads allocate at once.
#include <atomic>
#include <cstddef>
#include <cstdint>

class VoHeap;

// The tail of every block header.
struct VoBlockLinks {
    VoHeap* heap;                // not owned: the heap that handed the block out
    std::uintptr_t olderHidden;  // the previous (older) block's links, disguised; see VoHeap.cpp
    std::uintptr_t newerHidden;  // the next (newer) block's links, disguised
};

// Headers are padded so that the memory after them keeps the system
// allocator's alignment, which is alignof(std::max_align_t).
struct alignas(std::max_align_t) VoReleaseHeader {
    std::uint32_t size;  // requested bytes
    std::uint32_t tag;   // element size of an AllocateArray block, else 0
    VoBlockLinks links;
};

struct alignas(std::max_align_t) VoTrackedHeader {
    std::uint32_t guard;     // kGuard
    std::uint32_t sequence;  // the allocation counter when the block was made
    std::uint32_t size;
    std::uint32_t tag;
    const char* file;  // not owned: the caller's source path (a literal), or null
    std::int32_t line;
    std::uint32_t padding[3];  // so the links end the header, as in the release header
    VoBlockLinks links;
};

static_assert(sizeof(VoReleaseHeader) % alignof(std::max_align_t) == 0, "release header breaks alignment");
static_assert(sizeof(VoTrackedHeader) % alignof(std::max_align_t) == 0, "tracked header breaks alignment");
static_assert(offsetof(VoReleaseHeader, links) + sizeof(VoBlockLinks) == sizeof(VoReleaseHeader),
              "links must end the release header");
static_assert(offsetof(VoTrackedHeader, links) + sizeof(VoBlockLinks) == sizeof(VoTrackedHeader),
              "links must end the tracked header");

// One thread's part of a heap's counts. Only its owner thread writes the
// counts, without a lock; other threads read them. A shard whose thread has
// ended stays in its heap's list, unowned, with the counts it had, until a
// new thread takes it over; each heap also has a shard of its own for the
// blocks made and released under the manager's lock.
struct VoHeapShard {
    std::atomic<std::int64_t> memory{0};  // bytes made minus bytes released through the shard
    std::atomic<std::int32_t> blocks{0};
    // Memory up to which an allocation needs no look at the other shards
    // (see VoMemoryManager.cpp); written by the owner and under the lock.
    std::atomic<std::int64_t> budget{0};
    std::atomic<std::uint64_t> made{0};  // allocations made through the shard
    // The next allocation that looks at the other shards even within the budget.
    std::atomic<std::uint64_t> recheckAt{UINT64_MAX};
    std::uint64_t seenMade = 0;  // made at the last look, kept under the lock
    std::atomic<bool> owned{false};
    std::atomic<VoHeapShard*> next{nullptr};  // not owned: the heap's next shard
};

class VoHeap {
public:
    static constexpr std::int32_t kMaxNameLength = 32;
    static constexpr std::uint32_t kGuard = 0xABADFEE1u;
    // The 32-bit size field of the headers cannot describe anything larger.
    static constexpr std::uint64_t kMaxBlockSize = 0xFFFFFFFFull;
    // The links of a block of the short header: no link disguises to it.
    static constexpr std::uintptr_t kUnlisted = 0;

    static constexpr const char* kNoName = "No heap name provided.";
    static constexpr const char* kNameTooLongStart = "apName length out of bounds (";
    static constexpr const char* kNameTooLongEnd = " chars max):";
    static constexpr const char* kInsufficientMemory = "Insufficient memory available.";
    static constexpr const char* kInvalidHeader = "Invalid header.";
    static constexpr const char* kInvalidHeaderNoStop = "Invalid header";
    static constexpr const char* kExpectedGuard = "Expected headguard.";
    // The opening parenthesis is part of the message.
    static constexpr const char* kExpectedGuardParen = "(Expected headguard.";
    // "retrievel" is the message's own spelling.
    static constexpr const char* kFileInReleaseMode = "Attempted retrievel in release mode.";
    static constexpr const char* kLineInReleaseMode = "Attempted retrieval in release mode.";
    static constexpr const char* kLeaksUnavailable = "Unavailable in release mode.";
    static constexpr const char* kLiveBlocks = "SetTracking failure. Heap has live blocks.";

    // A dead slot.
    VoHeap();

    // Brings the slot to life under a name of 1 to 32 units; null or longer
    // names log and give false.
    bool Init(const char16_t* apName);

    // A block of aSize bytes (at most kMaxBlockSize) from the system
    // allocator, with the short header, counted in apShard (this heap's
    // shard of the calling thread, or its locked shard under the lock); null
    // when it cannot be had. *apOverBudget tells whether the shard went past
    // its budget. apCache is the calling thread's reuse cache, or null.
    // Allocate and Release run on every allocation of the process: they are
    // defined in VoHeapInline.h, which only the memory manager includes.
    __attribute__((always_inline)) inline void* Allocate(std::uint64_t aSize, std::uint32_t aTag,
                                                         VoHeapShard* apShard, void* apCache,
                                                         bool* apOverBudget);
    // A block of the short header back to the system, its bytes taken off
    // apShard's counts.
    __attribute__((always_inline)) inline void Release(void* apBlock, VoHeapShard* apShard, void* apCache);
    // The long-header forms, under the manager's lock: linked as the newest,
    // counted in the heap's locked shard. apSequence is the allocation
    // counter, read and advanced.
    void* AllocateTracked(std::uint64_t aSize, std::uint32_t aTag, const char* apFile, std::int32_t aLine,
                          std::int32_t* apSequence, void* apCache, bool* apOverBudget);
    // Unlinks a tracked block and gives it back to the system; false (logged)
    // when its guard is missing.
    bool FreeTracked(void* apBlock, void* apCache);

    // Whether a block of this manager carries the long header.
    static bool IsTracked(const void* apBlock) { return GetLinks(apBlock)->olderHidden != kUnlisted; }

    // Header queries on a block of this heap; the block's own header kind decides.
    std::int64_t GetBlockTag(const void* apBlock) const;
    std::int64_t GetBlockSize(const void* apBlock) const;
    // Long headers only; otherwise null (file) or -1 (line) with a message.
    const char* GetBlockFile(const void* apBlock) const;
    std::int32_t GetBlockLine(const void* apBlock) const;

    // Moves the heap to the front of apParent's children.
    void SetParent(VoHeap* apParent);
    // Tracking changes the header of new blocks, so it can change only while
    // the heap has no live blocks.
    bool SetTracking(bool aTracking);

    // Logs one line per live tracked block whose sequence s has
    // aFrom <= s < aTo, newest first, and returns their number; -1 (with a
    // warning) when the heap does not track.
    std::int32_t ReportLeaks(std::int32_t aFrom, std::int32_t aTo) const;
    // Logs this heap's statistics row indented by aDepth, then its children's.
    void ReportStatistics(std::int32_t aDepth) const;
    void ReportStatisticsRow(std::int32_t aDepth) const;
    // Adds this heap's and its descendants' memory, peaks and live blocks.
    void AddTotals(std::int64_t* apMemory, std::int64_t* apPeak, std::int64_t* apBlocks) const;

    // The links at the end of any block's header.
    static VoBlockLinks* GetLinks(const void* apBlock) {
        return reinterpret_cast<VoBlockLinks*>(static_cast<unsigned char*>(const_cast<void*>(apBlock)) -
                                               sizeof(VoBlockLinks));
    }

    const char16_t* GetName() const { return name; }
    // The sums of the shards' counts.
    std::int64_t GetMemory() const;
    std::int64_t GetPeak() const { return peak.load(std::memory_order_relaxed); }
    std::int32_t GetLiveBlocks() const;
    bool IsAlive() const { return alive; }
    bool IsTracking() const { return tracking.load(std::memory_order_relaxed); }
    // The heap's slot in the manager's table, set once when the table is made.
    std::int32_t GetIndex() const { return index; }
    void SetIndex(std::int32_t aIndex) { index = aIndex; }
    const VoHeap* GetParent() const { return parent; }
    const VoHeap* GetFirstChild() const { return firstChild; }
    const VoHeap* GetNextSibling() const { return nextSibling; }

    // The shards, for the memory manager: the first of the list (then
    // VoHeapShard::next), and the one counted under the lock. Shards join
    // the list under the manager's lock and never leave it.
    VoHeapShard* GetFirstShard() const { return firstShard.load(std::memory_order_acquire); }
    void AddShard(VoHeapShard* apShard);
    VoHeapShard* GetLockedShard() { return &lockedShard; }
    // Raises the peak to aMemory when it is higher; under the manager's lock.
    void RaisePeak(std::int64_t aMemory);

private:
    // The list links are stored bit-inverted. A leak checker that scans memory
    // for pointers (LeakSanitizer) would otherwise reach every live block
    // through the heap's own list and never report a leak.
    static std::uintptr_t Hide(const VoBlockLinks* apLinks) {
        return ~reinterpret_cast<std::uintptr_t>(apLinks);
    }
    static VoBlockLinks* Reveal(std::uintptr_t aHidden) { return reinterpret_cast<VoBlockLinks*>(~aHidden); }

    // A tracked block's links join the list as the newest.
    void Link(VoBlockLinks* apLinks);
    // Takes a tracked block out of the list; false (after an assertion) when
    // a block without a newer one is not the newest.
    bool Unlink(VoBlockLinks* apLinks);
    // Log their assertion; null and false.
    static void* ReportNoMemory();
    static bool ReportInvalidHeader();

    // The sum of one count over the shards.
    template <typename Count>
    Count SumOf(const std::atomic<Count> VoHeapShard::*apCount) const;
    // The block's tracked header, or null (after logging aMessage) when the
    // guard is missing.
    const VoTrackedHeader* GetTrackedHeader(const void* apBlock, const char* apMessage) const;

    // What every allocation reads first, together.
    std::int32_t index;
    std::atomic<bool> tracking;
    char16_t name[kMaxNameLength + 1];
    // The highest sum of the shards' memory seen; see VoMemoryManager.h.
    std::atomic<std::int64_t> peak;
    // The most recent live tracked block's links, disguised; the list runs to older blocks.
    std::uintptr_t newestHidden;
    std::atomic<VoHeapShard*> firstShard;  // not owned: shards are the manager's, never released
    VoHeapShard lockedShard;
    VoHeap* parent;  // not owned (none of the tree links are): heaps live in the manager's table
    VoHeap* previousSibling;
    VoHeap* nextSibling;
    VoHeap* firstChild;
    // Set once, under the manager's lock, before any block can name the heap.
    bool alive;
};
