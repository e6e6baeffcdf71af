#pragma once
// A fresh heap of the memory manager, made current for the life of the object
// (or until Pop), so a test sees exactly the blocks it made. Heaps are never
// destroyed and there are at most 255 besides "default", so each test makes
// only the few it needs, under names no other test uses.
#include <gtest/gtest.h>

#include <cstdint>

#include "memory/VoMemoryManager.h"

class ScopedHeap {
public:
    explicit ScopedHeap(const char16_t* apName, bool aTracking = false, std::int32_t aParent = 0)
        : fIndex(VoMemoryManager::CreateHeap(apName, aParent)) {
        if (fIndex < 0) {
            ADD_FAILURE() << "cannot create a test heap";
            return;
        }
        if (aTracking && !VoMemoryManager::SetTracking(fIndex, true)) {
            ADD_FAILURE() << "cannot switch tracking on";
        }
        fPushed = VoMemoryManager::PushHeap(fIndex);
    }
    ~ScopedHeap() { Pop(); }
    ScopedHeap(const ScopedHeap&) = delete;
    ScopedHeap& operator=(const ScopedHeap&) = delete;

    // Makes the previous heap current again; the heap and its blocks live on.
    void Pop() {
        if (fPushed) {
            VoMemoryManager::PopHeap();
            fPushed = false;
        }
    }

    std::int32_t Index() const { return fIndex; }
    const VoHeap& Heap() const { return *VoMemoryManager::GetHeap(fIndex); }

private:
    std::int32_t fIndex;
    bool fPushed = false;
};
