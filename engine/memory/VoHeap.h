#pragma once
// One named heap of the memory manager: the list of its live blocks with their
// byte and block counts, and its place in the heap tree. Heaps live in the
// manager's fixed table; the manager calls them with its lock held, and only
// the manager should call the operations that change a heap.
//
// Every block carries a header right before the memory handed out. A heap in
// tracking mode uses the long header (guard word, allocation sequence, source
// file and line), which makes leak reports possible; otherwise the short one.
// Both headers end with the same links (owning heap, older, newer), so the
// owner of any block can be found without knowing its header kind first.
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

class VoHeap {
public:
    static constexpr std::int32_t kMaxNameLength = 32;
    static constexpr std::uint32_t kGuard = 0xABADFEE1u;
    // The 32-bit size field of the headers cannot describe anything larger.
    static constexpr std::uint64_t kMaxBlockSize = 0xFFFFFFFFull;

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

    // A block of aSize bytes (at most kMaxBlockSize) from the system allocator,
    // linked as the newest; null when it cannot be had. apSequence is the
    // allocation counter, read and advanced only in tracking mode.
    // Allocate and Free run on every allocation of the process: they are
    // defined in VoHeapInline.h, which only the memory manager includes.
    inline void* Allocate(std::uint64_t aSize, std::uint32_t aTag, const char* apFile, std::int32_t aLine,
                          std::int32_t* apSequence);
    // Unlinks a block that this heap handed out and gives it back to the system.
    inline bool Free(void* apBlock);

    // Header queries on a block of this heap.
    std::int64_t GetBlockTag(const void* apBlock) const;
    std::int64_t GetBlockSize(const void* apBlock) const;
    // Tracking mode only; otherwise null (file) or -1 (line) with a message.
    const char* GetBlockFile(const void* apBlock) const;
    std::int32_t GetBlockLine(const void* apBlock) const;

    // Moves the heap to the front of apParent's children.
    void SetParent(VoHeap* apParent);
    // Tracking changes the header layout, so it can change only while the
    // heap has no live blocks.
    bool SetTracking(bool aTracking);

    // Logs one line per live block whose sequence s has aFrom <= s < aTo,
    // newest first, and returns their number; -1 (with a warning) when the
    // heap does not track.
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
    std::int64_t GetMemory() const { return memory; }
    std::int64_t GetPeak() const { return peak; }
    std::int32_t GetLiveBlocks() const { return liveBlocks; }
    bool IsAlive() const { return alive; }
    bool IsTracking() const { return tracking; }
    const VoHeap* GetParent() const { return parent; }
    const VoHeap* GetFirstChild() const { return firstChild; }
    const VoHeap* GetNextSibling() const { return nextSibling; }

private:
    // The list links are stored bit-inverted. A leak checker that scans memory
    // for pointers (LeakSanitizer) would otherwise reach every live block
    // through the heap's own list and never report a leak.
    static std::uintptr_t Hide(const VoBlockLinks* apLinks) {
        return ~reinterpret_cast<std::uintptr_t>(apLinks);
    }
    static VoBlockLinks* Reveal(std::uintptr_t aHidden) { return reinterpret_cast<VoBlockLinks*>(~aHidden); }

    // The block's links join the list as the newest, and its bytes the counts.
    inline void Link(VoBlockLinks* apLinks, std::uint32_t aSize);
    // Takes a block out of the list and the counts; false (after an assertion)
    // when a block without a newer one is not the newest.
    inline bool Unlink(VoBlockLinks* apLinks, std::uint32_t aSize);
    // The paths that Allocate and Free leave to out-of-line code: tracking
    // headers, refused sizes and exhausted memory.
    void* AllocateTracked(std::uint64_t aSize, std::uint32_t aTag, const char* apFile, std::int32_t aLine,
                          std::int32_t* apSequence);
    bool FreeTracked(void* apBlock);
    // Log their assertion; null and false.
    static void* ReportNoMemory();
    static bool ReportInvalidHeader();

    // The block's tracked header, or null (after logging aMessage) when the
    // guard is missing.
    const VoTrackedHeader* GetTrackedHeader(const void* apBlock, const char* apMessage) const;

    char16_t name[kMaxNameLength + 1];
    // User bytes (headers excluded); 64 bits so a large block cannot overflow them.
    std::int64_t memory;
    std::int64_t peak;
    // The most recent live block's links, disguised; the list runs to older blocks.
    std::uintptr_t newestHidden;
    std::int32_t liveBlocks;
    VoHeap* parent;  // not owned (none of the tree links are): heaps live in the manager's table
    VoHeap* previousSibling;
    VoHeap* nextSibling;
    VoHeap* firstChild;
    bool tracking;
    bool alive;
};
