#include "memory/VoMemoryManager.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <thread>

#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#define VO_HAS_SINGLE_THREADED 1
#else
#define VO_HAS_SINGLE_THREADED 0
#endif

#include "container/VoLog.h"
#include "memory/VoHeapInline.h"

namespace {

struct HeapTable {
    VoHeap heaps[VoMemoryManager::kMaxHeaps];
    std::int32_t stack[VoMemoryManager::kMaxHeaps];  // heap indices; -1 in unused slots
    std::int32_t top;                                // -1 when empty
};

// All of this is constant-initialised, so it is valid before the first
// constructor of the program runs (operator new is called during static
// initialisation) and stays valid after the last destructor.
HeapTable* gpTable = nullptr;  // owned, from the system allocator and never released
bool gInitialised = false;
VoHeap* gpCurrent = nullptr;  // not owned: the heap on top of the stack
std::int32_t gNextHeapIndex = 0;
std::int32_t gAllocationCounter = VoMemoryManager::kAllocationCounterStart;

std::atomic<bool> gLocked{false};
thread_local int tLockDepth = 0;
thread_local int tReportDepth = 0;

// True while the process has never started a second thread. The C library
// clears it in the thread that calls pthread_create, before the new thread
// runs, and never sets it again, so a call that finds it set cannot meet
// another thread before it returns: the manager itself starts no thread.
bool IsSingleThreaded() {
#if VO_HAS_SINGLE_THREADED
    return __libc_single_threaded != 0;
#else
    return false;
#endif
}

// The manager's lock. While the process has one thread it costs a load and
// a branch; once a library has started threads (the platform layer's
// libraries do) every entry point takes a test-and-test-and-set lock, one
// atomic exchange when nobody holds it. Holders keep it for one system
// allocation and a few links (only reports take longer), so a waiter spins
// briefly, then yields. Recursive per thread: a report made with the lock
// held builds a VoString, which comes back here for its memory.
class ManagerLock {
public:
    ManagerLock() : fTaken(!IsSingleThreaded()) {
        if (fTaken && tLockDepth++ == 0) {
            Acquire();
        }
    }
    ~ManagerLock() {
        if (fTaken && --tLockDepth == 0) {
            gLocked.store(false, std::memory_order_release);
        }
    }
    ManagerLock(const ManagerLock&) = delete;
    ManagerLock& operator=(const ManagerLock&) = delete;

private:
    static void Acquire() {
        int spins = 0;
        while (gLocked.exchange(true, std::memory_order_acquire)) {
            while (gLocked.load(std::memory_order_relaxed)) {
                if (++spins > kSpinsBeforeYield) {
                    std::this_thread::yield();
                }
            }
        }
    }

    static constexpr int kSpinsBeforeYield = 64;
    // Fixed at construction: the destructor releases exactly what was taken.
    const bool fTaken;
};

bool NamesEqual(const char16_t* apLeft, const char16_t* apRight) {
    while (*apLeft != 0 && *apLeft == *apRight) {
        ++apLeft;
        ++apRight;
    }
    return *apLeft == *apRight;
}

bool IsValidIndex(std::int32_t aIndex) {
    return aIndex >= 0 && aIndex < VoMemoryManager::kMaxHeaps;
}

// A request that the heap refuses for its size, for sizes whose arithmetic
// would otherwise overflow.
constexpr std::uint64_t kRefusedSize = VoHeap::kMaxBlockSize + 1;

}  // namespace

VoMemoryReportGuard::VoMemoryReportGuard() : outermost(tReportDepth++ == 0) {}

VoMemoryReportGuard::~VoMemoryReportGuard() {
    --tReportDepth;
}

bool VoMemoryManager::Init() {
    ManagerLock lock;
    if (gpTable != nullptr) {
        return false;
    }
    void* raw = std::malloc(sizeof(HeapTable));
    if (raw == nullptr) {
        return false;
    }
    gpTable = new (raw) HeapTable();
    for (std::int32_t& entry : gpTable->stack) {
        entry = -1;
    }
    gpTable->top = -1;
    gpCurrent = nullptr;
    gpTable->heaps[0].Init(u"default");
    gInitialised = true;
    return PushHeap(0);
}

bool VoMemoryManager::EnsureInitialised() {
    if (!gInitialised) {
        Init();
    }
    return gInitialised;
}

bool VoMemoryManager::Ready() {
    if (EnsureInitialised()) {
        return true;
    }
    VO_MEMORY_REPORT(VO_ASSERT_FAILURE(kInitFailure));
    return false;
}

VoHeap* VoMemoryManager::GetHeapRecord(std::int32_t aIndex) {
    return IsValidIndex(aIndex) ? &gpTable->heaps[aIndex] : nullptr;
}

VoHeap* VoMemoryManager::GetIndexedHeap(std::int32_t aIndex) {
    if (!IsValidIndex(aIndex)) {
        VO_MEMORY_REPORT(VO_ERROR(kIndexOutOfBounds));
        return nullptr;
    }
    return &gpTable->heaps[aIndex];
}

inline VoHeap* VoMemoryManager::FindOwner(const void* apBlock) {
    if (apBlock == nullptr) {
        return nullptr;
    }
    VoHeap* named = VoHeap::GetLinks(apBlock)->heap;
    // Most blocks go back to the current heap, which is alive by construction.
    if (named == gpCurrent) {
        return gpCurrent;
    }
    // Compared as addresses: the header's heap may be anything when the
    // pointer did not come from here.
    const auto heap = reinterpret_cast<std::uintptr_t>(named);
    const auto first = reinterpret_cast<std::uintptr_t>(&gpTable->heaps[0]);
    if (heap < first || heap >= first + sizeof(gpTable->heaps) || (heap - first) % sizeof(VoHeap) != 0) {
        return nullptr;
    }
    VoHeap* owner = &gpTable->heaps[(heap - first) / sizeof(VoHeap)];
    return owner->IsAlive() ? owner : nullptr;
}

void* VoMemoryManager::Allocate(std::size_t aSize, const char* apFile, std::int32_t aLine) {
    // Every allocation of the process comes here: the common case (one
    // thread, the table made) goes straight to the current heap.
    if (IsSingleThreaded() && gInitialised) {
        return gpCurrent->Allocate(aSize, 0, apFile, aLine, &gAllocationCounter);
    }
    ManagerLock lock;
    if (!gInitialised && !Ready()) {
        return nullptr;
    }
    return gpCurrent->Allocate(aSize, 0, apFile, aLine, &gAllocationCounter);
}

void* VoMemoryManager::AllocateArray(std::size_t aElementSize, std::int32_t aCount, const char* apFile,
                                     std::int32_t aLine) {
    ManagerLock lock;
    if (!gInitialised && !Ready()) {
        return nullptr;
    }
    if (aCount < 1 || aElementSize == 0) {
        return nullptr;
    }
    const auto count = static_cast<std::uint64_t>(aCount);
    if (aElementSize > VoHeap::kMaxBlockSize / count) {
        return gpCurrent->Allocate(kRefusedSize, 0, apFile, aLine, &gAllocationCounter);
    }
    return gpCurrent->Allocate(aElementSize * count, static_cast<std::uint32_t>(aElementSize), apFile, aLine,
                               &gAllocationCounter);
}

void* VoMemoryManager::AllocateAligned(std::size_t aSize, std::size_t aAlignment, const char* apFile,
                                       std::int32_t aLine) {
    if (aAlignment <= alignof(std::max_align_t)) {
        return Allocate(aSize, apFile, aLine);
    }
    // The block is over-sized by the alignment; the aligned address inside it
    // has the block's own address stored just before it, for FreeAligned. As
    // the block is 16-aligned and the alignment a larger power of two, the
    // aligned address lies between block + 16 and block + alignment.
    const std::uint64_t total = aSize > VoHeap::kMaxBlockSize ? kRefusedSize : aSize + aAlignment;
    void* block = Allocate(total > VoHeap::kMaxBlockSize ? kRefusedSize : total, apFile, aLine);
    if (block == nullptr) {
        return nullptr;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t aligned = (address + sizeof(void*) + aAlignment - 1) & ~(aAlignment - 1);
    unsigned char* result = static_cast<unsigned char*>(block) + (aligned - address);
    std::memcpy(result - sizeof(void*), &block, sizeof(void*));
    return result;
}

bool VoMemoryManager::Free(void* apBlock) {
    // The common case, as in Allocate: one thread, and a block of the
    // current heap, which is alive by construction.
    if (IsSingleThreaded() && gInitialised && apBlock != nullptr &&
        VoHeap::GetLinks(apBlock)->heap == gpCurrent) {
        return gpCurrent->Free(apBlock);
    }
    ManagerLock lock;
    if (!gInitialised && !EnsureInitialised()) {
        VO_MEMORY_REPORT({
            VoLog::WriteLine(kInitFailureLine);
            VO_ASSERT_FAILURE("");
        });
        return false;
    }
    if (apBlock == nullptr) {
        return false;
    }
    // The block goes back to the heap that handed it out, whichever heap is
    // current now: that heap's own mode decides the header's kind.
    VoHeap* owner = FindOwner(apBlock);
    if (owner == nullptr) {
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(VoHeap::kInvalidHeaderNoStop));
        return false;
    }
    return owner->Free(apBlock);
}

bool VoMemoryManager::FreeAligned(void* apBlock, std::size_t aAlignment) {
    if (apBlock == nullptr || aAlignment <= alignof(std::max_align_t)) {
        return Free(apBlock);
    }
    void* block = nullptr;
    std::memcpy(&block, static_cast<unsigned char*>(apBlock) - sizeof(void*), sizeof(void*));
    return Free(block);
}

void* VoMemoryManager::ResizeArray(void* apBlock, std::int32_t aCount, std::size_t aElementSize,
                                   const char* apFile, std::int32_t aLine) {
    ManagerLock lock;
    if (!Ready()) {
        return nullptr;
    }
    VoHeap* owner = nullptr;
    if (apBlock != nullptr) {
        owner = FindOwner(apBlock);
        if (owner == nullptr) {
            VO_MEMORY_REPORT(VO_ASSERT_FAILURE(VoHeap::kInvalidHeaderNoStop));
            return nullptr;
        }
    }
    std::size_t elementSize = aElementSize;
    if (elementSize == 0 && owner != nullptr) {
        const std::int64_t tag = owner->GetBlockTag(apBlock);
        elementSize = tag > 0 ? static_cast<std::size_t>(tag) : 0;
    }
    if (elementSize == 0) {
        VO_MEMORY_REPORT(VO_WARNING(kNoElementSize));
        return nullptr;
    }
    if (aCount < 1) {
        return nullptr;
    }
    void* fresh = AllocateArray(elementSize, aCount, apFile, aLine);
    if (fresh != nullptr && owner != nullptr) {
        const std::int64_t oldSize = owner->GetBlockSize(apBlock);
        const std::uint64_t newSize =
            static_cast<std::uint64_t>(elementSize) * static_cast<std::uint64_t>(aCount);
        if (oldSize > 0) {
            const auto oldBytes = static_cast<std::uint64_t>(oldSize);
            std::memcpy(fresh, apBlock, static_cast<std::size_t>(oldBytes < newSize ? oldBytes : newSize));
        }
    }
    return fresh;
}

std::int32_t VoMemoryManager::GetAllocationCounter() {
    ManagerLock lock;
    if (!Ready()) {
        return -1;
    }
    return gAllocationCounter;
}

bool VoMemoryManager::PushHeap(std::int32_t aIndex) {
    ManagerLock lock;
    VoHeap* heap = Ready() ? GetIndexedHeap(aIndex) : nullptr;
    if (heap == nullptr) {
        return false;
    }
    if (!heap->IsAlive()) {
        VO_MEMORY_REPORT(VO_ERROR(kPushDeadHeap));
        return false;
    }
    if (gpTable->top + 1 >= kMaxHeaps) {
        VO_MEMORY_REPORT(VO_ERROR(kStackFull));
        return false;
    }
    gpTable->stack[++gpTable->top] = aIndex;
    gpCurrent = heap;
    return true;
}

std::int32_t VoMemoryManager::PopHeap() {
    ManagerLock lock;
    if (!Ready()) {
        return 0;
    }
    if (gpTable->top > 0) {
        gpTable->stack[gpTable->top] = -1;
        --gpTable->top;
        gpCurrent = &gpTable->heaps[gpTable->stack[gpTable->top]];
    }
    return 0;
}

std::int32_t VoMemoryManager::FindHeap(const char16_t* apName) {
    ManagerLock lock;
    if (!Ready()) {
        return -1;
    }
    if (apName == nullptr) {
        return -1;
    }
    for (std::int32_t index = 0; index < kMaxHeaps; ++index) {
        const VoHeap& heap = gpTable->heaps[index];
        if (heap.IsAlive() && NamesEqual(heap.GetName(), apName)) {
            return index;
        }
    }
    return -1;
}

std::int32_t VoMemoryManager::GetNextHeapIndex() {
    ManagerLock lock;
    if (!Ready()) {
        return -1;
    }
    // Stops at the first index past the table rather than counting on.
    if (gNextHeapIndex < kMaxHeaps) {
        ++gNextHeapIndex;
    }
    if (gNextHeapIndex >= kMaxHeaps) {
        VO_MEMORY_REPORT(VO_WARNING(kOutOfHeaps));
        return -1;
    }
    return gNextHeapIndex;
}

bool VoMemoryManager::IsNameFree(const char16_t* apName) {
    if (!Ready()) {
        return false;
    }
    if (FindHeap(apName) >= 0) {
        VO_MEMORY_REPORT(VO_ERROR(kHeapExists));
        return false;
    }
    return true;
}

std::int32_t VoMemoryManager::CreateHeap(const char16_t* apName, std::int32_t aParentIndex) {
    ManagerLock lock;
    if (!IsNameFree(apName)) {
        return -1;
    }
    const std::int32_t index = GetNextHeapIndex();
    if (index < 0) {
        return -1;
    }
    VoHeap& heap = gpTable->heaps[index];
    if (!heap.Init(apName)) {
        return -1;
    }
    // The new heap is alive by now but was not when the caller named it: it
    // cannot be its own parent (the tree would loop).
    VoHeap* parent = GetHeapRecord(aParentIndex);
    if (parent == nullptr || parent == &heap || !parent->IsAlive()) {
        VO_MEMORY_REPORT(VO_ERROR(kParentNotActive));
        return -1;
    }
    heap.SetParent(parent);
    return index;
}

std::int32_t VoMemoryManager::CreateHeap(const char16_t* apName, const char16_t* apParentName) {
    ManagerLock lock;
    if (!IsNameFree(apName)) {
        return -1;
    }
    const std::int32_t parent = FindHeap(apParentName);
    if (parent < 0) {
        VO_MEMORY_REPORT(VO_ERROR(kParentNotFound));
        return -1;
    }
    return CreateHeap(apName, parent);
}

bool VoMemoryManager::SetTracking(std::int32_t aIndex, bool aTracking) {
    ManagerLock lock;
    VoHeap* heap = Ready() ? GetIndexedHeap(aIndex) : nullptr;
    if (heap == nullptr) {
        return false;
    }
    if (!heap->IsAlive()) {
        VO_MEMORY_REPORT(VO_ERROR(kDeadHeap, aIndex));
        return false;
    }
    return heap->SetTracking(aTracking);
}

std::int32_t VoMemoryManager::ReportLeaks(std::int32_t aIndex, std::int32_t aFrom, std::int32_t aTo) {
    ManagerLock lock;
    if (!Ready()) {
        return -2;
    }
    const VoHeap* heap = GetIndexedHeap(aIndex);
    if (heap == nullptr) {
        return -1;
    }
    // The report's own strings go to heap 0, not to the heap being reported.
    const bool pushed = PushHeap(0);
    const std::int32_t count = ReportHeapLeaks(heap, aFrom, aTo);
    if (pushed) {
        PopHeap();
    }
    return count;
}

std::int32_t VoMemoryManager::ReportHeapLeaks(const VoHeap* apHeap, std::int32_t aFrom, std::int32_t aTo) {
    std::int32_t count = apHeap->ReportLeaks(aFrom, aTo);
    for (const VoHeap* child = apHeap->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        count += ReportHeapLeaks(child, aFrom, aTo);
    }
    if (count == 0) {
        VO_MEMORY_REPORT(VoLog::Report(VoString(kNoLeaks).Append(apHeap->GetName()).Append(".")));
    }
    return count;
}

bool VoMemoryManager::ReportStatistics(std::int32_t aIndex) {
    ManagerLock lock;
    if (!Ready()) {
        return false;
    }
    const bool pushed = PushHeap(0);
    const VoHeap* heap = GetHeapRecord(aIndex);
    bool reported = false;
    if (heap == nullptr || !heap->IsAlive()) {
        VO_MEMORY_REPORT(VO_ERROR(kDeadHeap, aIndex));
    } else {
        VO_MEMORY_REPORT(VoLog::Report(VoString(kStatisticsHead)));
        heap->ReportStatistics(0);
        VO_MEMORY_REPORT(VoLog::Report(VoString(kStatisticsFoot)));
        reported = true;
    }
    if (pushed) {
        PopHeap();
    }
    return reported;
}

const VoHeap* VoMemoryManager::QueryOwner(const void* apBlock) {
    if (!Ready()) {
        return nullptr;
    }
    if (gpCurrent == nullptr) {
        VO_MEMORY_REPORT(VO_ERROR(kNoCurrentHeap));
        return nullptr;
    }
    const VoHeap* owner = FindOwner(apBlock);
    if (owner == nullptr) {
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(VoHeap::kInvalidHeaderNoStop));
    }
    return owner;
}

std::int64_t VoMemoryManager::GetBlockSize(const void* apBlock) {
    ManagerLock lock;
    const VoHeap* owner = QueryOwner(apBlock);
    return owner != nullptr ? owner->GetBlockSize(apBlock) : 0;
}

const char* VoMemoryManager::GetBlockFile(const void* apBlock) {
    ManagerLock lock;
    const VoHeap* owner = QueryOwner(apBlock);
    return owner != nullptr ? owner->GetBlockFile(apBlock) : nullptr;
}

std::int32_t VoMemoryManager::GetBlockLine(const void* apBlock) {
    ManagerLock lock;
    const VoHeap* owner = QueryOwner(apBlock);
    return owner != nullptr ? owner->GetBlockLine(apBlock) : -1;
}

const VoHeap* VoMemoryManager::GetHeap(std::int32_t aIndex) {
    ManagerLock lock;
    if (!Ready()) {
        return nullptr;
    }
    return GetHeapRecord(aIndex);
}

const VoHeap* VoMemoryManager::GetCurrentHeap() {
    ManagerLock lock;
    if (!Ready()) {
        return nullptr;
    }
    return gpCurrent;
}

std::int32_t VoMemoryManager::GetHeapStackDepth() {
    ManagerLock lock;
    if (!Ready()) {
        return 0;
    }
    return gpTable->top + 1;
}
