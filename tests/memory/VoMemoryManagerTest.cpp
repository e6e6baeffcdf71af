#include "memory/VoMemoryManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "ScopedHeap.h"
#include "memory/VoNew.h"
#include "support/LogCapture.h"

namespace {

constexpr std::uint64_t kFourGiB = std::uint64_t{1} << 32;

// Made during static initialisation, before main, and released during static
// destruction, after it.
struct EarlyBlock {
    void* block = ::operator new(24);
    ~EarlyBlock() { ::operator delete(block); }
} gEarly;

// Keeps the compiler from dropping an allocation whose result is not used.
void* volatile gSink = nullptr;

// A new-expression whose pointer stays local may be served from the stack;
// letting the pointer escape keeps it on the allocator.
template <typename T>
T* Escape(T* apBlock) {
    gSink = apBlock;
    return apBlock;
}

bool IsAligned(const void* apBlock, std::size_t aAlignment) {
    return reinterpret_cast<std::uintptr_t>(apBlock) % aAlignment == 0;
}

std::string Row(const std::string& aName, int aDepth, int aMemory, int aPeak, int aBlocks, int aTotalMemory,
                int aTotalPeak, int aTotalBlocks) {
    char row[160];
    std::snprintf(row, sizeof(row), "%*s%-*s   %6d %6d %6d   %6d %6d %6d", 2 * aDepth, "", 20 - 2 * aDepth,
                  aName.c_str(), aMemory, aPeak, aBlocks, aTotalMemory, aTotalPeak, aTotalBlocks);
    return row;
}

struct alignas(64) Line64 {
    unsigned char bytes[64];
};
struct alignas(256) Page256 {
    unsigned char bytes[300];
};
struct alignas(4096) Page4096 {
    unsigned char bytes[100];
};

}  // namespace

TEST(VoMemoryManager, StatisticsFollowAllocationAndRelease) {
    ScopedHeap heap(u"counts");
    ASSERT_GE(heap.Index(), 0);
    void* first = VoMemoryManager::Allocate(100, nullptr, 0);
    void* second = VoMemoryManager::Allocate(50, nullptr, 0);
    EXPECT_TRUE(VoMemoryManager::Free(first));
    heap.Pop();
    EXPECT_EQ(heap.Heap().GetMemory(), 50);
    EXPECT_EQ(heap.Heap().GetPeak(), 150);
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 1);
    EXPECT_TRUE(VoMemoryManager::Free(second));
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
    EXPECT_EQ(heap.Heap().GetPeak(), 150);
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
}

TEST(VoMemoryManager, BlocksGoBackToTheirOwnHeapWhicheverIsCurrent) {
    ScopedHeap tracked(u"owner tracked", true);
    ASSERT_GE(tracked.Index(), 0);
    void* trackedBlock = VoMemoryManager::Allocate(12, "owner.cpp", 3);
    tracked.Pop();
    void* defaultBlock = VoMemoryManager::Allocate(7, nullptr, 0);
    const std::int64_t defaultMemory = VoMemoryManager::GetHeap(0)->GetMemory();

    ScopedHeap other(u"owner other");
    ASSERT_GE(other.Index(), 0);
    EXPECT_TRUE(VoMemoryManager::Free(trackedBlock));
    EXPECT_TRUE(VoMemoryManager::Free(defaultBlock));
    other.Pop();
    EXPECT_EQ(tracked.Heap().GetMemory(), 0);
    EXPECT_EQ(tracked.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(VoMemoryManager::GetHeap(0)->GetMemory(), defaultMemory - 7);
    EXPECT_EQ(other.Heap().GetPeak(), 0);
}

TEST(VoMemoryManager, NullAndForeignPointersAreNotReleased) {
    LogCapture log;
    EXPECT_FALSE(VoMemoryManager::Free(nullptr));
    delete static_cast<int*>(nullptr);
    ::operator delete[](nullptr);
    EXPECT_TRUE(log.Lines().empty());

    alignas(std::max_align_t) static unsigned char notAHeapBlock[64] = {};
    const std::int64_t memory = VoMemoryManager::GetHeap(0)->GetMemory();
    EXPECT_FALSE(VoMemoryManager::Free(notAHeapBlock + 32));
    EXPECT_EQ(log.Count("ASSERT FAILURE: engine/memory/VoMemoryManager.cpp"), 1);
    EXPECT_TRUE(log.Contains(VoHeap::kInvalidHeaderNoStop));
    EXPECT_EQ(VoMemoryManager::GetHeap(0)->GetMemory(), memory);
}

TEST(VoMemoryManager, BlocksMadeBeforeMainBelongToTheDefaultHeap) {
    EXPECT_EQ(VoMemoryManager::GetBlockSize(gEarly.block), 24);
    EXPECT_EQ(VoHeap::GetLinks(gEarly.block)->heap, VoMemoryManager::GetHeap(0));
    EXPECT_EQ(std::u16string(VoMemoryManager::GetHeap(0)->GetName()), u"default");
    EXPECT_EQ(VoMemoryManager::GetHeap(0)->GetParent(), nullptr);
}

TEST(VoMemoryManager, PushAndPopKeepTheDefaultHeapAtTheBottom) {
    ASSERT_EQ(VoMemoryManager::GetHeapStackDepth(), 1);
    EXPECT_TRUE(VoMemoryManager::PushHeap(0));
    EXPECT_TRUE(VoMemoryManager::PushHeap(0));
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), 3);
    EXPECT_EQ(VoMemoryManager::PopHeap(), 0);
    EXPECT_EQ(VoMemoryManager::PopHeap(), 0);
    EXPECT_EQ(VoMemoryManager::PopHeap(), 0);
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), 1);
    EXPECT_EQ(VoMemoryManager::GetCurrentHeap(), VoMemoryManager::GetHeap(0));
}

TEST(VoMemoryManager, PushRefusesBadIndicesDeadHeapsAndAFullStack) {
    ASSERT_FALSE(VoMemoryManager::GetHeap(254)->IsAlive());
    LogCapture log;
    EXPECT_FALSE(VoMemoryManager::PushHeap(-1));
    EXPECT_FALSE(VoMemoryManager::PushHeap(256));
    EXPECT_EQ(log.Count(VoMemoryManager::kIndexOutOfBounds), 2);
    EXPECT_FALSE(VoMemoryManager::PushHeap(254));
    EXPECT_EQ(log.Count(VoMemoryManager::kPushDeadHeap), 1);
    EXPECT_EQ(log.Count("ERROR: engine/memory/VoMemoryManager.cpp"), 3);
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), 1);

    const std::int32_t depth = VoMemoryManager::GetHeapStackDepth();
    for (std::int32_t i = depth; i < VoMemoryManager::kMaxHeaps; ++i) {
        ASSERT_TRUE(VoMemoryManager::PushHeap(0));
    }
    EXPECT_FALSE(VoMemoryManager::PushHeap(0));
    EXPECT_TRUE(log.Contains(VoMemoryManager::kStackFull));
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), VoMemoryManager::kMaxHeaps);
    for (std::int32_t i = 0; i < VoMemoryManager::kMaxHeaps; ++i) {
        VoMemoryManager::PopHeap();
    }
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), 1);
}

TEST(VoMemoryManager, StatisticsTableShowsOwnAndTotalColumns) {
    ScopedHeap parent(u"stats");
    ASSERT_GE(parent.Index(), 0);
    void* first = VoMemoryManager::Allocate(100, nullptr, 0);
    void* second = VoMemoryManager::Allocate(50, nullptr, 0);
    VoMemoryManager::Free(first);
    parent.Pop();
    ScopedHeap child(u"stats child", false, parent.Index());
    ASSERT_GE(child.Index(), 0);
    void* third = VoMemoryManager::Allocate(30, nullptr, 0);
    child.Pop();

    LogCapture log;
    EXPECT_TRUE(VoMemoryManager::ReportStatistics(parent.Index()));
    const std::string expected =
        "--------------------------------------------------------------------\n"
        "heap                 |         locl         |         totl         |\n"
        "heirarchy              memory  peak  allocs   memory  peak  allocs\n"
        "--------------------   ------ ------ ------   ------ ------ ------\n"
        "stats                      50    150      1       80    180      2\n"
        "  stats child              30     30      1       30     30      1\n"
        "--------------------   ------ ------ ------   ------ ------ ------\n"
        "                     |                      |                      |\n"
        "--------------------------------------------------------------------\n";
    EXPECT_EQ(log.Contents(), expected);
    EXPECT_EQ(Row("stats", 0, 50, 150, 1, 80, 180, 2), log.Lines()[4]);

    log.Clear();
    EXPECT_TRUE(VoMemoryManager::ReportStatistics(child.Index()));
    ASSERT_EQ(log.Lines().size(), 8u);
    EXPECT_EQ(log.Lines()[4], Row("stats child", 0, 30, 30, 1, 30, 30, 1));

    VoMemoryManager::Free(second);
    VoMemoryManager::Free(third);
}

TEST(VoMemoryManager, StatisticsOfADeadHeapAreRefused) {
    LogCapture log;
    EXPECT_FALSE(VoMemoryManager::ReportStatistics(253));
    EXPECT_FALSE(VoMemoryManager::ReportStatistics(-4));
    ASSERT_EQ(log.Lines().size(), 2u);
    EXPECT_TRUE(log.Contains("ERROR: engine/memory/VoMemoryManager.cpp"));
    EXPECT_TRUE(log.Contains("Dead heap: 253"));
    EXPECT_TRUE(log.Contains("Dead heap: -4"));
    EXPECT_EQ(VoMemoryManager::GetHeapStackDepth(), 1);
}

TEST(VoMemoryManager, EveryFormHandsOutAlignedBlocks) {
    ScopedHeap heap(u"alignment");
    ASSERT_GE(heap.Index(), 0);
    constexpr std::size_t kAlignment = alignof(std::max_align_t);
    for (std::size_t size = 0; size <= 300; size += (size < 40 ? 1 : 37)) {
        void* plain = ::operator new(size);
        char* array = Escape(new char[size + 1]);
        char* tracked = Escape(VO_NEW char[size + 1]);
        void* nothrow = ::operator new(size, std::nothrow);
        void* direct = VoMemoryManager::Allocate(size, nullptr, 0);
        void* elements = VoMemoryManager::AllocateArray(3, static_cast<std::int32_t>(size + 1), nullptr, 0);
        for (void* block :
             {plain, static_cast<void*>(array), static_cast<void*>(tracked), nothrow, direct, elements}) {
            ASSERT_NE(block, nullptr);
            EXPECT_TRUE(IsAligned(block, kAlignment)) << "size " << size;
        }
        ::operator delete(plain);
        delete[] array;
        delete[] tracked;
        ::operator delete(nothrow, std::nothrow);
        VoMemoryManager::Free(direct);
        VoMemoryManager::Free(elements);
    }
    heap.Pop();
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
}

TEST(VoMemoryManager, OverAlignedTypesComeFromTheManagerAligned) {
    ScopedHeap heap(u"over-aligned");
    ASSERT_GE(heap.Index(), 0);
    auto* line = Escape(new Line64());
    auto* page = Escape(VO_NEW Page256());
    auto* pages = Escape(new Page4096[3]);
    auto* trackedPages = Escape(VO_NEW Page4096[2]);
    auto* nothrowLine = Escape(new (std::nothrow) Line64());
    EXPECT_TRUE(IsAligned(line, 64));
    EXPECT_TRUE(IsAligned(page, 256));
    EXPECT_TRUE(IsAligned(pages, 4096));
    EXPECT_TRUE(IsAligned(trackedPages, 4096));
    EXPECT_TRUE(IsAligned(nothrowLine, 64));
    // Writing every byte shows (under the address sanitizer) that the whole
    // object lies inside its block.
    std::memset(line, 1, sizeof(*line));
    std::memset(page, 2, sizeof(*page));
    std::memset(pages, 3, sizeof(Page4096) * 3);
    std::memset(trackedPages, 4, sizeof(Page4096) * 2);
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 5);
    delete line;
    delete page;
    delete[] pages;
    delete[] trackedPages;
    delete nothrowLine;
    heap.Pop();
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
}

TEST(VoMemoryManager, RequestsOfFourGiBOrMoreAreRefused) {
    LogCapture log;
    ScopedHeap heap(u"huge");
    ASSERT_GE(heap.Index(), 0);
    EXPECT_EQ(VoMemoryManager::Allocate(kFourGiB, nullptr, 0), nullptr);
    // Not a 16-byte block, as a 32-bit size would make of it.
    EXPECT_EQ(VoMemoryManager::Allocate(kFourGiB + 16, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::AllocateArray(std::size_t{1} << 16, 1 << 16, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::AllocateArray(kFourGiB + 1, 1, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::AllocateAligned(kFourGiB - 32, 64, nullptr, 0), nullptr);
    EXPECT_EQ(log.Count("ASSERT FAILURE: engine/memory/VoHeap.cpp"), 5);
    EXPECT_EQ(log.Count(VoHeap::kInsufficientMemory), 5);

    log.Clear();
    EXPECT_EQ(::operator new(kFourGiB, "huge.cpp", 1), nullptr);
    EXPECT_EQ(::operator new[](kFourGiB + 1, "huge.cpp", 2), nullptr);
    EXPECT_EQ(::operator new(kFourGiB, std::nothrow), nullptr);
    EXPECT_EQ(::operator new[](kFourGiB, std::align_val_t{64}, std::nothrow), nullptr);
    EXPECT_EQ(log.Count(VoHeap::kInsufficientMemory), 4);

    // The forms assumed never to return null throw, after logging once more.
    log.Clear();
    EXPECT_THROW(gSink = ::operator new(kFourGiB), std::bad_alloc);
    EXPECT_THROW(gSink = ::operator new[](kFourGiB), std::bad_alloc);
    EXPECT_THROW(gSink = ::operator new (kFourGiB, std::align_val_t{128}), std::bad_alloc);
    EXPECT_EQ(log.Count("ERROR: engine/memory/operators/VoGlobalOperators.cpp"), 3);
    EXPECT_EQ(log.Count(VoHeap::kInsufficientMemory), 6);

    heap.Pop();
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
    EXPECT_LT(heap.Heap().GetPeak(), 1 << 20);
}

TEST(VoMemoryManager, ArraysNeedACountAndAnElementSize) {
    LogCapture log;
    EXPECT_EQ(VoMemoryManager::AllocateArray(4, 0, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::AllocateArray(4, -3, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::AllocateArray(0, 5, nullptr, 0), nullptr);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VoMemoryManager, ResizeArrayCopiesWhatBothArraysHold) {
    LogCapture log;
    ScopedHeap heap(u"resize");
    ASSERT_GE(heap.Index(), 0);
    auto* numbers = static_cast<std::int32_t*>(VoMemoryManager::AllocateArray(4, 10, nullptr, 0));
    for (std::int32_t i = 0; i < 10; ++i) {
        numbers[i] = i * 11;
    }
    auto* grown = static_cast<std::int32_t*>(VoMemoryManager::ResizeArray(numbers, 20, 0, nullptr, 0));
    auto* shrunk = static_cast<std::int32_t*>(VoMemoryManager::ResizeArray(numbers, 4, 0, nullptr, 0));
    auto* bytes = static_cast<unsigned char*>(VoMemoryManager::ResizeArray(numbers, 3, 1, nullptr, 0));
    ASSERT_NE(grown, nullptr);
    ASSERT_NE(shrunk, nullptr);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(grown), 80);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(shrunk), 16);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(bytes), 3);
    EXPECT_TRUE(std::equal(numbers, numbers + 10, grown));
    EXPECT_TRUE(std::equal(numbers, numbers + 4, shrunk));
    EXPECT_EQ(std::memcmp(numbers, bytes, 3), 0);
    // The old array is the caller's to release.
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 4);

    log.Clear();
    void* untagged = VoMemoryManager::Allocate(40, nullptr, 0);
    EXPECT_EQ(VoMemoryManager::ResizeArray(untagged, 5, 0, nullptr, 0), nullptr);
    EXPECT_EQ(VoMemoryManager::ResizeArray(nullptr, 5, 0, nullptr, 0), nullptr);
    EXPECT_EQ(log.Count("WARNING: engine/memory/VoMemoryManager.cpp"), 2);
    EXPECT_EQ(log.Count(VoMemoryManager::kNoElementSize), 2);
    EXPECT_EQ(VoMemoryManager::ResizeArray(numbers, 0, 0, nullptr, 0), nullptr);
    EXPECT_EQ(log.Lines().size(), 2u);

    for (void* block : {static_cast<void*>(numbers), static_cast<void*>(grown), static_cast<void*>(shrunk),
                        static_cast<void*>(bytes), untagged}) {
        EXPECT_TRUE(VoMemoryManager::Free(block));
    }
    heap.Pop();
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
}

TEST(VoMemoryManager, ThreadsAllocatingAndReleasingKeepTheCountsExact) {
    constexpr int kThreads = 4;
    constexpr int kIterations = 20000;
    constexpr int kSlots = 64;
    const VoHeap* heap = VoMemoryManager::GetHeap(0);
    const std::int64_t memory = heap->GetMemory();
    const std::int32_t blocks = heap->GetLiveBlocks();

    // Blocks pass between threads through the slots, so many are released by
    // a thread other than the one that made them.
    std::atomic<unsigned char*> slots[kSlots];
    for (auto& slot : slots) {
        slot.store(nullptr);
    }
    std::atomic<int> corrupted{0};
    {
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t, &slots, &corrupted] {
                std::uint32_t state = 0x9E3779B9u * static_cast<std::uint32_t>(t + 1);
                for (int i = 0; i < kIterations; ++i) {
                    state = state * 1664525u + 1013904223u;
                    const std::size_t size = 8 + (state >> 8) % 4089;
                    auto* fresh = Escape(new unsigned char[size]);
                    std::memset(fresh, static_cast<int>(size & 0xFF), size);
                    fresh[0] = static_cast<unsigned char>(size & 0xFF);
                    unsigned char* old = slots[(state >> 20) % kSlots].exchange(fresh);
                    if (old != nullptr) {
                        const std::int64_t oldSize = VoMemoryManager::GetBlockSize(old);
                        if (oldSize < 8 || old[oldSize - 1] != static_cast<unsigned char>(oldSize & 0xFF)) {
                            ++corrupted;
                        }
                        delete[] old;
                    }
                }
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    for (auto& slot : slots) {
        delete[] slot.exchange(nullptr);
    }
    EXPECT_EQ(corrupted.load(), 0);
    EXPECT_EQ(heap->GetMemory(), memory);
    EXPECT_EQ(heap->GetLiveBlocks(), blocks);
    EXPECT_GE(heap->GetPeak(), memory);
}

// Released blocks may be handed out again at once, by either header kind: a
// block made again must still be whole, carry its own size, and leave the
// counts exact.
TEST(VoMemoryManager, BlocksMadeAgainAfterReleaseKeepTheirSizesAndCounts) {
    ScopedHeap plain(u"reuse plain");
    ScopedHeap tracked(u"reuse tracked", true);
    ASSERT_GE(plain.Index(), 0);
    ASSERT_GE(tracked.Index(), 0);
    // Only the blocks below go to the two heaps, not the test's own vector.
    tracked.Pop();
    plain.Pop();
    const std::int32_t heaps[] = {plain.Index(), tracked.Index()};
    // Sizes on both sides of 16-byte steps, and past the small blocks.
    const std::size_t sizes[] = {1, 15, 16, 17, 31, 200, 479, 480, 481, 960, 992, 993, 1000, 1100, 4000};
    for (int round = 0; round < 3; ++round) {
        std::vector<unsigned char*> blocks;
        for (std::size_t i = 0; i < 2 * std::size(sizes); ++i) {
            const std::size_t size = sizes[i % std::size(sizes)];
            ASSERT_TRUE(VoMemoryManager::PushHeap(heaps[(i + round) % 2]));
            auto* block = static_cast<unsigned char*>(VoMemoryManager::Allocate(size, "reuse.cpp", 7));
            VoMemoryManager::PopHeap();
            ASSERT_NE(block, nullptr);
            std::memset(block, static_cast<int>(i), size);
            blocks.push_back(block);
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const std::size_t size = sizes[i % std::size(sizes)];
            EXPECT_EQ(VoMemoryManager::GetBlockSize(blocks[i]), static_cast<std::int64_t>(size));
            EXPECT_EQ(std::count(blocks[i], blocks[i] + size, static_cast<unsigned char>(i)),
                      static_cast<std::ptrdiff_t>(size));
        }
        // Every second block goes first, so the later ones are made from a mix.
        for (std::size_t i = 0; i < blocks.size(); i += 2) {
            EXPECT_TRUE(VoMemoryManager::Free(blocks[i]));
        }
        for (std::size_t i = 1; i < blocks.size(); i += 2) {
            EXPECT_TRUE(VoMemoryManager::Free(blocks[i]));
        }
        EXPECT_EQ(plain.Heap().GetLiveBlocks(), 0);
        EXPECT_EQ(plain.Heap().GetMemory(), 0);
        EXPECT_EQ(tracked.Heap().GetLiveBlocks(), 0);
        EXPECT_EQ(tracked.Heap().GetMemory(), 0);
    }
}

// Each thread counts its allocations in a shard of its own: the heap's
// figures are their sums, exact whatever thread made or released a block,
// and the peak is exact while one thread at a time allocates. Only the
// blocks below go to the test heaps, not the threads' own.
namespace {

void* MakeIn(std::int32_t aHeap, std::size_t aSize, const char* apFile = nullptr, std::int32_t aLine = 0) {
    EXPECT_TRUE(VoMemoryManager::PushHeap(aHeap));
    void* block = VoMemoryManager::Allocate(aSize, apFile, aLine);
    VoMemoryManager::PopHeap();
    return block;
}

}  // namespace

TEST(VoMemoryManager, PeakIsExactWhileThreadsTakeTurns) {
    ScopedHeap heap(u"turns");
    ASSERT_GE(heap.Index(), 0);
    heap.Pop();
    const std::int32_t index = heap.Index();
    auto inThread = [index](std::size_t aSize) {
        std::thread([index, aSize] { EXPECT_TRUE(VoMemoryManager::Free(MakeIn(index, aSize))); }).join();
    };
    void* first = MakeIn(index, 1000);
    inThread(5000);
    EXPECT_EQ(heap.Heap().GetPeak(), 6000);
    void* second = MakeIn(index, 2000);
    EXPECT_EQ(heap.Heap().GetPeak(), 6000);
    inThread(3500);
    EXPECT_EQ(heap.Heap().GetPeak(), 6500);
    void* third = MakeIn(index, 3600);
    EXPECT_EQ(heap.Heap().GetPeak(), 6600);
    EXPECT_EQ(heap.Heap().GetMemory(), 6600);
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 3);
    for (void* block : {first, second, third}) {
        EXPECT_TRUE(VoMemoryManager::Free(block));
    }
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(heap.Heap().GetPeak(), 6600);
}

TEST(VoMemoryManager, BlocksOutliveTheThreadsThatMadeOrReleasedThem) {
    struct Case {
        const char16_t* heap;
        bool tracking;
    };
    for (const Case& c : {Case{u"outlive plain", false}, Case{u"outlive tracked", true}}) {
        ScopedHeap heap(c.heap, c.tracking);
        ASSERT_GE(heap.Index(), 0);
        heap.Pop();
        const std::int32_t index = heap.Index();
        const std::int32_t from = VoMemoryManager::GetAllocationCounter();
        void* made[3] = {};
        std::thread([index, &made] {
            const std::size_t sizes[] = {40, 400, 4000};
            for (int i = 0; i < 3; ++i) {
                made[i] = MakeIn(index, sizes[i], "thread.cpp", 1);
            }
        }).join();
        EXPECT_EQ(heap.Heap().GetLiveBlocks(), 3);
        EXPECT_EQ(heap.Heap().GetMemory(), 4440);
        EXPECT_EQ(heap.Heap().GetPeak(), 4440);
        // Released by another thread than the one that made them.
        void* kept = MakeIn(index, 8, "main.cpp", 2);
        std::thread([&made] {
            for (void* block : made) {
                EXPECT_TRUE(VoMemoryManager::Free(block));
            }
        }).join();
        EXPECT_EQ(heap.Heap().GetLiveBlocks(), 1);
        EXPECT_EQ(heap.Heap().GetMemory(), 8);
        EXPECT_EQ(heap.Heap().GetPeak(), 4448);
        if (c.tracking) {
            LogCapture log;
            EXPECT_EQ(VoMemoryManager::ReportLeaks(index, from, from + 100), 1);
            EXPECT_TRUE(log.Contains("file: main.cpp, line: 2"));
        }
        EXPECT_TRUE(VoMemoryManager::Free(kept));
        EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
        EXPECT_EQ(heap.Heap().GetMemory(), 0);
    }
}
