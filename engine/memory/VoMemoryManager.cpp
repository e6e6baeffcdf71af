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
std::atomic<VoHeap*> gpCurrent{nullptr};  // not owned: the heap on top of the stack
std::int32_t gNextHeapIndex = 0;
std::int32_t gAllocationCounter = VoMemoryManager::kAllocationCounterStart;

std::atomic<bool> gLocked{false};
thread_local int tLockDepth = 0;
thread_local int tReportDepth = 0;

// What a thread keeps for itself, so that its allocations and releases take
// no lock and write nothing another thread writes: its shard of each heap
// it has used (made on first use, under the lock) and its reuse cache.
// Constant-initialised and trivially destroyed, so reaching it costs no
// more than an address; ThreadExit below gives it up when the thread ends.
struct ThreadCache {
    VoSystemAllocator::ReuseCache reuse;
    VoHeapShard* shards[VoMemoryManager::kMaxHeaps];  // not owned: the heaps' shards, by heap index
    bool registered;                                  // ThreadExit will run for this thread
    bool retired;  // the thread is ending: every call takes the locked path
};
thread_local ThreadCache tCache = {};

// A thread ends: its shards are left to the next thread that needs one of
// their heaps, with their counts, and its cached blocks go back to the
// system. Calls that the thread makes after this (other thread-local
// objects being destroyed) count in the heaps' locked shards.
struct ThreadExit {
    ~ThreadExit();
};

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

// The manager's lock, for what is shared: the heap table and stack, the
// tracked lists and the allocation counter, the shard lists and budgets.
// While the process has one thread it costs a load and a branch; once a
// library has started threads it is a test-and-test-and-set lock, one
// atomic exchange when nobody holds it. Holders keep it briefly (only
// reports take longer), so a waiter spins a little, then yields. Recursive
// per thread: a report made with the lock held builds a VoString, which
// comes back here for its memory.
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

// The peak. A heap's memory is the sum of its shards' counts, which each
// thread keeps for itself; the peak is raised only where the sum can pass
// it. Every shard has a budget: while each shard's memory stays within its
// budget, and the budgets sum to at most the peak, the sum cannot pass the
// peak, and an allocation only compares its shard's memory with its budget.
// One that goes past it rebalances: under the lock the shards are summed,
// the peak raised to the sum, and the slack between them given out again.
//
// While one thread at a time allocates from a heap, every other shard's
// budget is set to its memory and the slack goes to the allocating shard,
// so the peak is exact. While several threads allocate from it at once,
// each active shard gets at least kSharedHeadroom, so that the threads do
// not meet at the lock on most allocations; the peak may then trail the
// true highest sum by up to that much per thread. Such loose budgets are
// looked at again after kRecheckAfter allocations, so the peak is exact
// again soon after the other threads have stopped.
constexpr std::int64_t kSharedHeadroom = 64 * 1024;
constexpr std::uint64_t kRecheckAfter = 4096;

// Under the lock: the heap's shards summed into its peak and the budgets
// given out anew, apShard being the one that asked.
void Rebalance(VoHeap* apHeap, VoHeapShard* apShard) {
    VoHeapShard* locked = apHeap->GetLockedShard();
    std::int64_t sum = locked->memory.load(std::memory_order_relaxed);
    std::int32_t active = 0;
    for (VoHeapShard* shard = apHeap->GetFirstShard(); shard != nullptr;
         shard = shard->next.load(std::memory_order_relaxed)) {
        sum += shard->memory.load(std::memory_order_relaxed);
        const std::uint64_t made = shard->made.load(std::memory_order_relaxed);
        if (shard != apShard && shard->owned.load(std::memory_order_relaxed) && made != shard->seenMade) {
            ++active;
        }
        shard->seenMade = made;
    }
    apHeap->RaisePeak(sum);
    const std::int64_t slack = apHeap->GetPeak() - sum;
    auto tighten = [](VoHeapShard* apOther) {
        apOther->budget.store(apOther->memory.load(std::memory_order_relaxed), std::memory_order_relaxed);
        apOther->recheckAt.store(UINT64_MAX, std::memory_order_relaxed);
    };
    auto loosen = [](VoHeapShard* apOther, std::int64_t aHeadroom) {
        apOther->budget.store(apOther->memory.load(std::memory_order_relaxed) + aHeadroom,
                              std::memory_order_relaxed);
        apOther->recheckAt.store(apOther->made.load(std::memory_order_relaxed) + kRecheckAfter,
                                 std::memory_order_relaxed);
    };
    tighten(locked);
    if (active == 0) {
        for (VoHeapShard* shard = apHeap->GetFirstShard(); shard != nullptr;
             shard = shard->next.load(std::memory_order_relaxed)) {
            tighten(shard);
        }
        apShard->budget.store(apShard->memory.load(std::memory_order_relaxed) + slack,
                              std::memory_order_relaxed);
        return;
    }
    const std::int64_t share = slack / (active + 1);
    const std::int64_t headroom = share > kSharedHeadroom ? share : kSharedHeadroom;
    for (VoHeapShard* shard = apHeap->GetFirstShard(); shard != nullptr;
         shard = shard->next.load(std::memory_order_relaxed)) {
        if (shard == apShard || (shard->owned.load(std::memory_order_relaxed) && shard != locked)) {
            loosen(shard, headroom);
        } else {
            tighten(shard);
        }
    }
    if (apShard == locked) {
        tighten(locked);
    }
}

constexpr std::size_t kCacheLine = 64;

// The calling thread's shard of the heap, made or taken over on first use;
// null when the thread is ending or no shard can be had. Under the lock.
VoHeapShard* AttachShard(VoHeap* apHeap, std::int32_t aIndex) {
    if (tCache.retired) {
        return nullptr;
    }
    VoHeapShard* shard = nullptr;
    for (VoHeapShard* free = apHeap->GetFirstShard(); free != nullptr;
         free = free->next.load(std::memory_order_relaxed)) {
        if (!free->owned.load(std::memory_order_relaxed)) {
            shard = free;
            break;
        }
    }
    if (shard == nullptr) {
        // From the system allocator, and never released: a shard's counts
        // are the heap's, whichever thread has it. A cache line of its own,
        // so that two threads' counts never share one.
        void* raw =
            std::aligned_alloc(kCacheLine, (sizeof(VoHeapShard) + kCacheLine - 1) / kCacheLine * kCacheLine);
        if (raw == nullptr) {
            return nullptr;
        }
        shard = new (raw) VoHeapShard();
        apHeap->AddShard(shard);
    }
    shard->owned.store(true, std::memory_order_relaxed);
    // A taken-over shard's budget is its memory: the first allocation looks.
    shard->budget.store(shard->memory.load(std::memory_order_relaxed), std::memory_order_relaxed);
    shard->recheckAt.store(UINT64_MAX, std::memory_order_relaxed);
    shard->seenMade = shard->made.load(std::memory_order_relaxed);
    if (!tCache.registered) {
        // Made once per thread: its destructor runs when the thread ends.
        static thread_local ThreadExit tExit;
        (void)tExit;
        tCache.registered = true;
    }
    tCache.shards[aIndex] = shard;
    return shard;
}

ThreadExit::~ThreadExit() {
    ManagerLock lock;
    if (gpTable != nullptr) {
        for (std::int32_t index = 0; index < VoMemoryManager::kMaxHeaps; ++index) {
            if (VoHeapShard* shard = tCache.shards[index]) {
                shard->budget.store(shard->memory.load(std::memory_order_relaxed), std::memory_order_relaxed);
                shard->owned.store(false, std::memory_order_relaxed);
                tCache.shards[index] = nullptr;
            }
        }
    }
    VoSystemAllocator::Flush(&tCache.reuse);
    tCache.retired = true;
}

// The calling thread's shard of the heap, made on first use, or null when
// the call must take the locked path.
VoHeapShard* ShardOf(VoHeap* apHeap) {
    const std::int32_t index = apHeap->GetIndex();
    if (VoHeapShard* shard = tCache.shards[index]) {
        return shard;
    }
    if (tCache.retired) {
        return nullptr;
    }
    ManagerLock lock;
    return AttachShard(apHeap, index);
}

// The calling thread's reuse cache; null once the thread is ending.
VoSystemAllocator::ReuseCache* CacheOf() {
    return tCache.retired ? nullptr : &tCache.reuse;
}

__attribute__((noinline)) void RebalanceLocked(VoHeap* apHeap, VoHeapShard* apShard) {
    ManagerLock lock;
    Rebalance(apHeap, apShard);
}

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
    for (std::int32_t index = 0; index < kMaxHeaps; ++index) {
        gpTable->heaps[index].SetIndex(index);
    }
    gpTable->top = -1;
    gpCurrent.store(nullptr, std::memory_order_relaxed);
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
    if (named == gpCurrent.load(std::memory_order_relaxed) && named != nullptr) {
        return named;
    }
    // Compared as addresses: the header's heap may be anything when the
    // pointer did not come from here.
    const auto heap = reinterpret_cast<std::uintptr_t>(named);
    const auto first = reinterpret_cast<std::uintptr_t>(&gpTable->heaps[0]);
    if (heap < first || heap >= first + sizeof(gpTable->heaps) || (heap - first) % sizeof(VoHeap) != 0) {
        return nullptr;
    }
    // A slot of the table, checked above.
    return named->IsAlive() ? named : nullptr;
}

void* VoMemoryManager::AllocateFrom(VoHeap* apHeap, std::uint64_t aSize, std::uint32_t aTag,
                                    const char* apFile, std::int32_t aLine) {
    bool overBudget = false;
    if (!apHeap->IsTracking()) {
        if (VoHeapShard* shard = ShardOf(apHeap)) {
            void* block = apHeap->Allocate(aSize, aTag, shard, CacheOf(), &overBudget);
            if (overBudget) {
                RebalanceLocked(apHeap, shard);
            }
            return block;
        }
    }
    // Tracked blocks, and every block of a thread that is ending.
    ManagerLock lock;
    void* block = nullptr;
    if (apHeap->IsTracking()) {
        block =
            apHeap->AllocateTracked(aSize, aTag, apFile, aLine, &gAllocationCounter, CacheOf(), &overBudget);
    } else {
        block = apHeap->Allocate(aSize, aTag, apHeap->GetLockedShard(), nullptr, &overBudget);
    }
    if (overBudget) {
        Rebalance(apHeap, apHeap->GetLockedShard());
    }
    return block;
}

void* VoMemoryManager::Allocate(std::size_t aSize, const char* apFile, std::int32_t aLine) {
    // Every allocation of the process comes here. The common case (a short
    // header from the current heap by a thread that has its shard) takes
    // no lock and calls nothing but the system allocator.
    if (gInitialised) {
        VoHeap* heap = gpCurrent.load(std::memory_order_relaxed);
        VoHeapShard* shard = tCache.shards[heap->GetIndex()];
        if (shard != nullptr && !heap->IsTracking()) {
            bool overBudget = false;
            void* block = heap->Allocate(aSize, 0, shard, &tCache.reuse, &overBudget);
            if (overBudget) {
                RebalanceLocked(heap, shard);
            }
            return block;
        }
    } else if (!Ready()) {
        return nullptr;
    }
    return AllocateFrom(gpCurrent.load(std::memory_order_relaxed), aSize, 0, apFile, aLine);
}

void* VoMemoryManager::AllocateArray(std::size_t aElementSize, std::int32_t aCount, const char* apFile,
                                     std::int32_t aLine) {
    if (!gInitialised && !Ready()) {
        return nullptr;
    }
    if (aCount < 1 || aElementSize == 0) {
        return nullptr;
    }
    VoHeap* heap = gpCurrent.load(std::memory_order_relaxed);
    const auto count = static_cast<std::uint64_t>(aCount);
    if (aElementSize > VoHeap::kMaxBlockSize / count) {
        return AllocateFrom(heap, kRefusedSize, 0, apFile, aLine);
    }
    return AllocateFrom(heap, aElementSize * count, static_cast<std::uint32_t>(aElementSize), apFile, aLine);
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
    // The common case, as in Allocate: a short header of the current heap,
    // released by a thread that has its shard.
    if (gInitialised && apBlock != nullptr) {
        const VoBlockLinks* links = VoHeap::GetLinks(apBlock);
        VoHeap* heap = gpCurrent.load(std::memory_order_relaxed);
        if (links->heap == heap && links->olderHidden == VoHeap::kUnlisted) {
            if (VoHeapShard* shard = tCache.shards[heap->GetIndex()]) {
                heap->Release(apBlock, shard, &tCache.reuse);
                return true;
            }
        }
    }
    return FreeAny(apBlock);
}

bool VoMemoryManager::FreeAny(void* apBlock) {
    if (!gInitialised && !EnsureInitialised()) {
        ManagerLock lock;
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
    // current now; its own header tells its kind.
    VoHeap* owner = FindOwner(apBlock);
    if (owner == nullptr) {
        ManagerLock lock;
        VO_MEMORY_REPORT(VO_ASSERT_FAILURE(VoHeap::kInvalidHeaderNoStop));
        return false;
    }
    if (!VoHeap::IsTracked(apBlock)) {
        if (VoHeapShard* shard = ShardOf(owner)) {
            owner->Release(apBlock, shard, CacheOf());
            return true;
        }
        ManagerLock lock;
        owner->Release(apBlock, owner->GetLockedShard(), nullptr);
        return true;
    }
    ManagerLock lock;
    return owner->FreeTracked(apBlock, CacheOf());
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
    if (!Ready()) {
        return nullptr;
    }
    VoHeap* owner = nullptr;
    if (apBlock != nullptr) {
        owner = FindOwner(apBlock);
        if (owner == nullptr) {
            ManagerLock lock;
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
        ManagerLock lock;
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
    gpCurrent.store(heap, std::memory_order_relaxed);
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
        gpCurrent.store(&gpTable->heaps[gpTable->stack[gpTable->top]], std::memory_order_relaxed);
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
    if (gpCurrent.load(std::memory_order_relaxed) == nullptr) {
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
    return gpCurrent.load(std::memory_order_relaxed);
}

std::int32_t VoMemoryManager::GetHeapStackDepth() {
    ManagerLock lock;
    if (!Ready()) {
        return 0;
    }
    return gpTable->top + 1;
}
