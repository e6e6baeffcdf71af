#include "memory/VoHeap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ScopedHeap.h"
#include "memory/VoMemoryManager.h"
#include "support/LogCapture.h"

namespace {

std::string Address(const void* apBlock) {
    char text[32];
    std::snprintf(text, sizeof(text), "%llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(apBlock)));
    return text;
}

VoTrackedHeader* TrackedHeaderOf(void* apBlock) {
    return reinterpret_cast<VoTrackedHeader*>(static_cast<unsigned char*>(apBlock) - sizeof(VoTrackedHeader));
}

}  // namespace

TEST(VoHeap, NamesUpToThirtyTwoUnitsAreAccepted) {
    const std::u16string longest(32, u'n');
    const std::u16string tooLong = std::u16string(32, u'm') + u"x";
    LogCapture log;

    const std::int32_t index = VoMemoryManager::CreateHeap(longest.c_str(), 0);
    ASSERT_GE(index, 0);
    EXPECT_EQ(std::u16string(VoMemoryManager::GetHeap(index)->GetName()), longest);
    EXPECT_EQ(VoMemoryManager::FindHeap(longest.c_str()), index);

    EXPECT_EQ(VoMemoryManager::CreateHeap(tooLong.c_str(), 0), -1);
    EXPECT_EQ(VoMemoryManager::FindHeap(tooLong.c_str()), -1);
    EXPECT_EQ(log.Count("ERROR: engine/memory/VoHeap.cpp"), 1);
    EXPECT_TRUE(log.Contains("apName length out of bounds (32 chars max):" + std::string(32, 'm') + "x"));

    log.Clear();
    EXPECT_EQ(VoMemoryManager::CreateHeap(static_cast<const char16_t*>(nullptr), 0), -1);
    EXPECT_EQ(log.Lines().size(), 1u);
    EXPECT_TRUE(log.Contains(VoHeap::kNoName));
}

TEST(VoHeap, CreationRefusesDuplicatesAndMissingParents) {
    LogCapture log;
    const std::int32_t parent = VoMemoryManager::CreateHeap(u"refusals", 0);
    ASSERT_GE(parent, 0);

    EXPECT_EQ(VoMemoryManager::CreateHeap(u"refusals", 0), -1);
    EXPECT_EQ(VoMemoryManager::CreateHeap(u"refusals", u"default"), -1);
    EXPECT_EQ(log.Count(VoMemoryManager::kHeapExists), 2);

    EXPECT_EQ(VoMemoryManager::CreateHeap(u"orphan", u"no such heap"), -1);
    EXPECT_TRUE(log.Contains(VoMemoryManager::kParentNotFound));
    EXPECT_EQ(VoMemoryManager::FindHeap(u"orphan"), -1);

    // Under a dead parent the heap is made all the same, without a parent.
    EXPECT_EQ(VoMemoryManager::CreateHeap(u"unparented", 250), -1);
    EXPECT_EQ(VoMemoryManager::CreateHeap(u"unparented too", -1), -1);
    EXPECT_EQ(log.Count(VoMemoryManager::kParentNotActive), 2);
    const std::int32_t unparented = VoMemoryManager::FindHeap(u"unparented");
    ASSERT_GE(unparented, 0);
    EXPECT_EQ(VoMemoryManager::GetHeap(unparented)->GetParent(), nullptr);

    // A heap cannot be made its own parent by naming the index it is about to get.
    log.Clear();
    const std::int32_t next = unparented + 2;
    EXPECT_EQ(VoMemoryManager::CreateHeap(u"self", next), -1);
    const VoHeap* self = VoMemoryManager::GetHeap(VoMemoryManager::FindHeap(u"self"));
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->GetParent(), nullptr);
    EXPECT_EQ(self->GetFirstChild(), nullptr);
    EXPECT_TRUE(log.Contains(VoMemoryManager::kParentNotActive));
}

TEST(VoHeap, NewChildrenGoToTheFrontOfTheirParentsList) {
    const std::int32_t parent = VoMemoryManager::CreateHeap(u"family", 0);
    const std::int32_t older = VoMemoryManager::CreateHeap(u"older", parent);
    const std::int32_t younger = VoMemoryManager::CreateHeap(u"younger", u"family");
    ASSERT_GE(older, 0);
    ASSERT_GE(younger, 0);
    const VoHeap* heap = VoMemoryManager::GetHeap(parent);
    EXPECT_EQ(heap->GetParent(), VoMemoryManager::GetHeap(0));
    EXPECT_EQ(heap->GetFirstChild(), VoMemoryManager::GetHeap(younger));
    EXPECT_EQ(heap->GetFirstChild()->GetNextSibling(), VoMemoryManager::GetHeap(older));
    EXPECT_EQ(VoMemoryManager::GetHeap(older)->GetNextSibling(), nullptr);
    EXPECT_EQ(VoMemoryManager::GetHeap(older)->GetParent(), heap);
}

TEST(VoHeap, TheHeapIndicesRunOutAfter255) {
    // In a child process: the heaps it uses up are gone for the other tests.
    EXPECT_EXIT(
        {
            LogCapture log;
            std::int32_t last = 0;
            for (int n = 0; n < 300; ++n) {
                const std::u16string name = u"spare " +
                                            std::u16string(1, static_cast<char16_t>(u'A' + n / 26)) +
                                            std::u16string(1, static_cast<char16_t>(u'a' + n % 26));
                const std::int32_t index = VoMemoryManager::CreateHeap(name.c_str(), 0);
                if (index < 0) {
                    break;
                }
                last = index;
            }
            const bool ok = last == 255 && VoMemoryManager::GetNextHeapIndex() == -1 &&
                            VoMemoryManager::GetHeap(255)->IsAlive() &&
                            log.Count("WARNING: engine/memory/VoMemoryManager.cpp") == 2 &&
                            log.Count(VoMemoryManager::kOutOfHeaps) == 2 && log.Lines().size() == 2;
            std::fflush(nullptr);
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(VoHeap, TrackingCannotChangeUnderLiveBlocks) {
    LogCapture log;
    ScopedHeap heap(u"switching");
    ASSERT_GE(heap.Index(), 0);
    void* block = VoMemoryManager::Allocate(8, nullptr, 0);
    EXPECT_FALSE(VoMemoryManager::SetTracking(heap.Index(), true));
    EXPECT_TRUE(log.Contains(VoHeap::kLiveBlocks));
    EXPECT_FALSE(heap.Heap().IsTracking());
    EXPECT_TRUE(VoMemoryManager::Free(block));
    EXPECT_TRUE(VoMemoryManager::SetTracking(heap.Index(), true));
    EXPECT_TRUE(heap.Heap().IsTracking());

    EXPECT_FALSE(VoMemoryManager::SetTracking(256, true));
    EXPECT_TRUE(log.Contains(VoMemoryManager::kIndexOutOfBounds));
    EXPECT_FALSE(VoMemoryManager::SetTracking(254, true));
    EXPECT_TRUE(log.Contains("Dead heap: 254"));
}

TEST(VoHeap, ReleaseModeKeepsNoFileOrLineAndNoSequence) {
    ScopedHeap heap(u"release queries");
    ASSERT_GE(heap.Index(), 0);
    const std::int32_t counter = VoMemoryManager::GetAllocationCounter();
    void* array = VoMemoryManager::AllocateArray(6, 7, "somewhere.cpp", 12);
    void* plain = VoMemoryManager::Allocate(5, "somewhere.cpp", 13);
    heap.Pop();
    EXPECT_EQ(VoMemoryManager::GetAllocationCounter(), counter);

    LogCapture log;
    EXPECT_EQ(VoMemoryManager::GetBlockSize(array), 42);
    EXPECT_EQ(heap.Heap().GetBlockTag(array), 6);
    EXPECT_EQ(heap.Heap().GetBlockTag(plain), 0);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(VoMemoryManager::GetBlockFile(array), nullptr);
    EXPECT_EQ(VoMemoryManager::GetBlockLine(array), -1);
    EXPECT_EQ(log.Lines().size(), 2u);
    EXPECT_TRUE(log.Contains("ERROR: engine/memory/VoHeap.cpp"));
    EXPECT_TRUE(log.Contains(VoHeap::kFileInReleaseMode));
    EXPECT_TRUE(log.Contains(VoHeap::kLineInReleaseMode));
    EXPECT_TRUE(VoMemoryManager::Free(array));
    EXPECT_TRUE(VoMemoryManager::Free(plain));
}

TEST(VoHeap, TrackedBlocksKeepTheirSourceAndGuard) {
    ScopedHeap heap(u"tracked queries", true);
    ASSERT_GE(heap.Index(), 0);
    const std::int32_t counter = VoMemoryManager::GetAllocationCounter();
    void* block = VoMemoryManager::AllocateArray(4, 3, "tracked.cpp", 77);
    heap.Pop();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
    EXPECT_EQ(VoMemoryManager::GetAllocationCounter(), counter + 1);
    EXPECT_EQ(VoMemoryManager::GetBlockSize(block), 12);
    EXPECT_STREQ(VoMemoryManager::GetBlockFile(block), "tracked.cpp");
    EXPECT_EQ(VoMemoryManager::GetBlockLine(block), 77);
    EXPECT_EQ(heap.Heap().GetBlockTag(block), 4);
    EXPECT_EQ(TrackedHeaderOf(block)->sequence, static_cast<std::uint32_t>(counter));

    // A header without its guard is refused, and nothing is released.
    LogCapture log;
    TrackedHeaderOf(block)->guard = 0;
    EXPECT_EQ(VoMemoryManager::GetBlockSize(block), -1);
    EXPECT_EQ(VoMemoryManager::GetBlockLine(block), -1);
    EXPECT_EQ(VoMemoryManager::GetBlockFile(block), nullptr);
    EXPECT_EQ(heap.Heap().GetBlockTag(block), -1);
    EXPECT_FALSE(VoMemoryManager::Free(block));
    EXPECT_EQ(log.Count(std::string("ERROR: engine/memory/VoHeap.cpp")), 4);
    EXPECT_EQ(log.Count(VoHeap::kExpectedGuard), 4);
    EXPECT_EQ(log.Count(VoHeap::kExpectedGuardParen), 3);
    EXPECT_EQ(log.Count(std::string(VoHeap::kInvalidHeaderNoStop)), 1);
    EXPECT_TRUE(log.Contains("ASSERT FAILURE: engine/memory/VoHeap.cpp"));
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 1);

    TrackedHeaderOf(block)->guard = VoHeap::kGuard;
    EXPECT_TRUE(VoMemoryManager::Free(block));
    EXPECT_EQ(heap.Heap().GetLiveBlocks(), 0);
    EXPECT_EQ(heap.Heap().GetMemory(), 0);
}

TEST(VoHeap, LeakReportListsBlocksBetweenTwoReadingsNewestFirst) {
    ScopedHeap heap(u"leaky", true);
    ASSERT_GE(heap.Index(), 0);
    void* before = VoMemoryManager::Allocate(1, "before.cpp", 1);
    const std::int32_t from = VoMemoryManager::GetAllocationCounter();
    void* first = VoMemoryManager::Allocate(10, "first.cpp", 7);
    void* second = VoMemoryManager::Allocate(20, nullptr, 0);
    void* freed = VoMemoryManager::Allocate(30, "freed.cpp", 9);
    const std::int32_t to = VoMemoryManager::GetAllocationCounter();
    void* after = VoMemoryManager::Allocate(40, "after.cpp", 11);
    heap.Pop();
    ASSERT_EQ(to, from + 3);
    EXPECT_TRUE(VoMemoryManager::Free(freed));

    LogCapture log;
    EXPECT_EQ(VoMemoryManager::ReportLeaks(heap.Index(), from, to), 2);
    EXPECT_EQ(log.Lines(),
              (std::vector<std::string>{
                  "LEAK in leaky. Size: 20, address: 0x" + Address(second) + "d, file: (null), line: 0",
                  "LEAK in leaky. Size: 10, address: 0x" + Address(first) + "d, file: first.cpp, line: 7",
              }));

    EXPECT_TRUE(VoMemoryManager::Free(first));
    EXPECT_TRUE(VoMemoryManager::Free(second));
    log.Clear();
    EXPECT_EQ(VoMemoryManager::ReportLeaks(heap.Index(), from, to), 0);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"NO LEAKS to report in leaky."}));

    EXPECT_TRUE(VoMemoryManager::Free(before));
    EXPECT_TRUE(VoMemoryManager::Free(after));
}

TEST(VoHeap, LeakReportCoversChildHeaps) {
    ScopedHeap parent(u"leak parent", true);
    ASSERT_GE(parent.Index(), 0);
    ScopedHeap child(u"leak child", true, parent.Index());
    ASSERT_GE(child.Index(), 0);
    const std::int32_t from = VoMemoryManager::GetAllocationCounter();
    void* block = VoMemoryManager::Allocate(3, "child.cpp", 5);
    child.Pop();
    parent.Pop();

    LogCapture log;
    EXPECT_EQ(VoMemoryManager::ReportLeaks(parent.Index(), from, from + 100), 1);
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"LEAK in leak child. Size: 3, address: 0x" +
                                                     Address(block) + "d, file: child.cpp, line: 5"}));
    EXPECT_TRUE(VoMemoryManager::Free(block));
}

TEST(VoHeap, LeakReportIsASingleWarningWithoutTracking) {
    ScopedHeap heap(u"untracked");
    ASSERT_GE(heap.Index(), 0);
    void* block = VoMemoryManager::Allocate(16, "untracked.cpp", 1);
    heap.Pop();
    LogCapture log;
    EXPECT_EQ(VoMemoryManager::ReportLeaks(heap.Index(), 1, 1000), -1);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_EQ(log.Lines()[0].rfind("WARNING: engine/memory/VoHeap.cpp, ", 0), 0u);
    EXPECT_TRUE(log.Contains(VoHeap::kLeaksUnavailable));
    EXPECT_TRUE(VoMemoryManager::Free(block));
}
