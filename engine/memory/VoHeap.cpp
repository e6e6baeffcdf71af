#include "memory/VoHeap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "container/VoLog.h"
#include "memory/VoHeapInline.h"
#include "memory/VoMemoryManager.h"

namespace {

unsigned char* HeaderStart(const void* apBlock, std::size_t aHeaderSize) {
    return static_cast<unsigned char*>(const_cast<void*>(apBlock)) - aHeaderSize;
}

// Heap names are narrowed (low byte of each unit) for the printf-built lines;
// the log writes only low bytes anyway.
void NarrowName(const char16_t* apName, char (&arOut)[VoHeap::kMaxNameLength + 1]) {
    std::int32_t i = 0;
    for (; apName[i] != 0 && i < VoHeap::kMaxNameLength; ++i) {
        arOut[i] = static_cast<char>(apName[i] & 0xFF);
    }
    arOut[i] = '\0';
}

bool ContainsGuard(const unsigned char* apBytes, std::size_t aCount) {
    for (std::size_t offset = 0; offset + sizeof(std::uint32_t) <= aCount; ++offset) {
        std::uint32_t word;
        std::memcpy(&word, apBytes + offset, sizeof(word));
        if (word == VoHeap::kGuard) {
            return true;
        }
    }
    return false;
}

}  // namespace

VoHeap::VoHeap()
    : index(0),
      tracking(false),
      name{},
      peak(0),
      newestHidden(Hide(nullptr)),
      firstShard(nullptr),
      parent(nullptr),
      previousSibling(nullptr),
      nextSibling(nullptr),
      firstChild(nullptr),
      alive(false) {}

bool VoHeap::Init(const char16_t* apName) {
    if (apName == nullptr) {
        VO_MEMORY_REPORT(VO_ERROR(kNoName));
        return false;
    }
    std::int32_t length = 0;
    while (apName[length] != 0 && length <= kMaxNameLength) {
        ++length;
    }
    if (length > kMaxNameLength) {
        VO_MEMORY_REPORT(VO_ERROR(kNameTooLongStart, kMaxNameLength, kNameTooLongEnd, apName));
        return false;
    }
    std::memcpy(name, apName, static_cast<std::size_t>(length) * sizeof(char16_t));
    name[length] = 0;
    tracking.store(false, std::memory_order_relaxed);
    peak.store(0, std::memory_order_relaxed);
    newestHidden = Hide(nullptr);
    parent = nullptr;
    previousSibling = nullptr;
    nextSibling = nullptr;
    firstChild = nullptr;
    alive = true;
    return true;
}

template <typename Count>
Count VoHeap::SumOf(const std::atomic<Count> VoHeapShard::*apCount) const {
    Count sum = (lockedShard.*apCount).load(std::memory_order_relaxed);
    for (const VoHeapShard* shard = GetFirstShard(); shard != nullptr;
         shard = shard->next.load(std::memory_order_acquire)) {
        sum += (shard->*apCount).load(std::memory_order_relaxed);
    }
    return sum;
}

std::int64_t VoHeap::GetMemory() const {
    return SumOf(&VoHeapShard::memory);
}

std::int32_t VoHeap::GetLiveBlocks() const {
    return SumOf(&VoHeapShard::blocks);
}

void VoHeap::AddShard(VoHeapShard* apShard) {
    apShard->next.store(firstShard.load(std::memory_order_relaxed), std::memory_order_relaxed);
    firstShard.store(apShard, std::memory_order_release);
}

void VoHeap::RaisePeak(std::int64_t aMemory) {
    if (aMemory > peak.load(std::memory_order_relaxed)) {
        peak.store(aMemory, std::memory_order_relaxed);
    }
}

void VoHeap::Link(VoBlockLinks* apLinks) {
    apLinks->heap = this;
    apLinks->olderHidden = newestHidden;
    apLinks->newerHidden = Hide(nullptr);
    if (VoBlockLinks* previous = Reveal(newestHidden)) {
        previous->newerHidden = Hide(apLinks);
    }
    newestHidden = Hide(apLinks);
}

bool VoHeap::Unlink(VoBlockLinks* apLinks) {
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
    return true;
}

void* VoHeap::ReportNoMemory() {
    VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInsufficientMemory));
    return nullptr;
}

bool VoHeap::ReportInvalidHeader() {
    VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInvalidHeader));
    return false;
}

void* VoHeap::AllocateTracked(std::uint64_t aSize, std::uint32_t aTag, const char* apFile, std::int32_t aLine,
                              std::int32_t* apSequence, void* apCache, bool* apOverBudget) {
    if (aSize > kMaxBlockSize) {
        return ReportNoMemory();
    }
    auto* cache = static_cast<VoSystemAllocator::ReuseCache*>(apCache);
    const std::size_t total = sizeof(VoTrackedHeader) + static_cast<std::size_t>(aSize);
    auto* start = static_cast<unsigned char*>(VoSystemAllocator::Allocate(total, cache));
    if (start == nullptr) {
        return ReportNoMemory();
    }
    // A stray guard value in the fresh block could later pass for a header.
    if (ContainsGuard(start, total)) {
        VoSystemAllocator::Release(start, total, cache);
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInvalidHeader));
        return nullptr;
    }
    auto* header = new (start) VoTrackedHeader{};
    header->guard = kGuard;
    header->sequence = static_cast<std::uint32_t>(*apSequence);
    *apSequence = static_cast<std::int32_t>(static_cast<std::uint32_t>(*apSequence) + 1u);
    header->size = static_cast<std::uint32_t>(aSize);
    header->tag = aTag;
    header->file = apFile;
    header->line = aLine;
    Link(&header->links);
    const std::int64_t memory = lockedShard.memory.load(std::memory_order_relaxed) + header->size;
    lockedShard.memory.store(memory, std::memory_order_relaxed);
    lockedShard.blocks.store(lockedShard.blocks.load(std::memory_order_relaxed) + 1,
                             std::memory_order_relaxed);
    lockedShard.made.store(lockedShard.made.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    *apOverBudget = memory > lockedShard.budget.load(std::memory_order_relaxed);
    return start + sizeof(VoTrackedHeader);
}

bool VoHeap::FreeTracked(void* apBlock, void* apCache) {
    auto* header = reinterpret_cast<VoTrackedHeader*>(HeaderStart(apBlock, sizeof(VoTrackedHeader)));
    if (header->guard != kGuard) {
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInvalidHeaderNoStop));
        return false;
    }
    if (!Unlink(&header->links)) {
        return false;
    }
    lockedShard.memory.store(lockedShard.memory.load(std::memory_order_relaxed) - header->size,
                             std::memory_order_relaxed);
    lockedShard.blocks.store(lockedShard.blocks.load(std::memory_order_relaxed) - 1,
                             std::memory_order_relaxed);
    // So that a second release of the block, or a fresh block in the same
    // memory, does not find a guard or a heap.
    header->guard = 0;
    header->links.heap = nullptr;
    VoSystemAllocator::Release(header, sizeof(VoTrackedHeader) + std::size_t{header->size},
                               static_cast<VoSystemAllocator::ReuseCache*>(apCache));
    return true;
}

const VoTrackedHeader* VoHeap::GetTrackedHeader(const void* apBlock, const char* apMessage) const {
    const auto* header =
        reinterpret_cast<const VoTrackedHeader*>(HeaderStart(apBlock, sizeof(VoTrackedHeader)));
    if (header->guard != kGuard) {
        VO_MEMORY_REPORT(VO_ERROR(apMessage));
        return nullptr;
    }
    return header;
}

std::int64_t VoHeap::GetBlockTag(const void* apBlock) const {
    if (!IsTracked(apBlock)) {
        return reinterpret_cast<const VoReleaseHeader*>(HeaderStart(apBlock, sizeof(VoReleaseHeader)))->tag;
    }
    const VoTrackedHeader* header = GetTrackedHeader(apBlock, kExpectedGuardParen);
    return header != nullptr ? std::int64_t{header->tag} : -1;
}

std::int64_t VoHeap::GetBlockSize(const void* apBlock) const {
    if (!IsTracked(apBlock)) {
        return reinterpret_cast<const VoReleaseHeader*>(HeaderStart(apBlock, sizeof(VoReleaseHeader)))->size;
    }
    const VoTrackedHeader* header = GetTrackedHeader(apBlock, kExpectedGuard);
    return header != nullptr ? std::int64_t{header->size} : -1;
}

const char* VoHeap::GetBlockFile(const void* apBlock) const {
    if (!IsTracked(apBlock)) {
        VO_MEMORY_REPORT(VO_ERROR(kFileInReleaseMode));
        return nullptr;
    }
    const VoTrackedHeader* header = GetTrackedHeader(apBlock, kExpectedGuardParen);
    return header != nullptr ? header->file : nullptr;
}

std::int32_t VoHeap::GetBlockLine(const void* apBlock) const {
    if (!IsTracked(apBlock)) {
        VO_MEMORY_REPORT(VO_ERROR(kLineInReleaseMode));
        return -1;
    }
    const VoTrackedHeader* header = GetTrackedHeader(apBlock, kExpectedGuardParen);
    return header != nullptr ? header->line : -1;
}

void VoHeap::SetParent(VoHeap* apParent) {
    if (apParent == nullptr) {
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInvalidHeaderNoStop));
        return;
    }
    if (apParent == parent) {
        return;
    }
    if (previousSibling != nullptr) {
        previousSibling->nextSibling = nextSibling;
    } else if (parent != nullptr && parent->firstChild == this) {
        parent->firstChild = nextSibling;
    }
    if (nextSibling != nullptr) {
        nextSibling->previousSibling = previousSibling;
    }
    parent = apParent;
    previousSibling = nullptr;
    nextSibling = apParent->firstChild;
    if (nextSibling != nullptr) {
        nextSibling->previousSibling = this;
    }
    apParent->firstChild = this;
}

bool VoHeap::SetTracking(bool aTracking) {
    if (aTracking == IsTracking()) {
        return true;
    }
    if (GetLiveBlocks() != 0) {
        VO_MEMORY_REPORT(VO_ERROR(kLiveBlocks));
        return false;
    }
    tracking.store(aTracking, std::memory_order_relaxed);
    return true;
}

std::int32_t VoHeap::ReportLeaks(std::int32_t aFrom, std::int32_t aTo) const {
    if (!IsTracking()) {
        VO_MEMORY_REPORT(VO_WARNING(kLeaksUnavailable));
        return -1;
    }
    char narrowName[kMaxNameLength + 1];
    NarrowName(name, narrowName);
    std::int32_t count = 0;
    // Reporting allocates (into heap 0, which the manager has pushed); new
    // blocks join the list at the newest end, behind this walk.
    for (VoBlockLinks* links = Reveal(newestHidden); links != nullptr; links = Reveal(links->olderHidden)) {
        const auto* header = reinterpret_cast<const VoTrackedHeader*>(
            reinterpret_cast<unsigned char*>(links) + sizeof(VoBlockLinks) - sizeof(VoTrackedHeader));
        const auto sequence = static_cast<std::int32_t>(header->sequence);
        if (sequence < aFrom || sequence >= aTo) {
            continue;
        }
        ++count;
        const void* block = reinterpret_cast<const unsigned char*>(header) + sizeof(VoTrackedHeader);
        // The "d" after the address is part of the line's format.
        char text[160];
        std::snprintf(text, sizeof(text), "LEAK in %s. Size: %d, address: 0x%llXd, file: ", narrowName,
                      static_cast<int>(header->size),
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(block)));
        VO_MEMORY_REPORT({
            VoString line(text);
            line.Append(header->file != nullptr ? header->file : "(null)");
            line.Append(", line: ");
            line.Append(header->line);
            VoLog::Report(line);
        });
    }
    return count;
}

void VoHeap::ReportStatistics(std::int32_t aDepth) const {
    ReportStatisticsRow(aDepth);
    for (const VoHeap* child = firstChild; child != nullptr; child = child->nextSibling) {
        child->ReportStatistics(aDepth + 1);
    }
}

void VoHeap::ReportStatisticsRow(std::int32_t aDepth) const {
    std::int64_t totalMemory = 0;
    std::int64_t totalPeak = 0;
    std::int64_t totalBlocks = 0;
    AddTotals(&totalMemory, &totalPeak, &totalBlocks);
    char narrowName[kMaxNameLength + 1];
    NarrowName(name, narrowName);
    // Deep rows shrink the name column; past depth 10 the width goes negative,
    // which printf takes as left-justified anyway.
    char row[192];
    std::snprintf(row, sizeof(row), "%*s%-*s   %6lld %6lld %6d   %6lld %6lld %6lld", 2 * aDepth, "",
                  20 - 2 * aDepth, narrowName, static_cast<long long>(GetMemory()),
                  static_cast<long long>(GetPeak()), GetLiveBlocks(), static_cast<long long>(totalMemory),
                  static_cast<long long>(totalPeak), static_cast<long long>(totalBlocks));
    VO_MEMORY_REPORT(VoLog::Report(VoString(row)));
}

void VoHeap::AddTotals(std::int64_t* apMemory, std::int64_t* apPeak, std::int64_t* apBlocks) const {
    *apMemory += GetMemory();
    *apPeak += GetPeak();
    *apBlocks += GetLiveBlocks();
    for (const VoHeap* child = firstChild; child != nullptr; child = child->nextSibling) {
        child->AddTotals(apMemory, apPeak, apBlocks);
    }
}
