// Every global allocation form goes to the memory manager, so that no block
// is ever released by an allocator other than the one that made it.
//
// The forms that the compiler assumes never return null (plain, array,
// aligned) log the failure and throw std::bad_alloc; the nothrow forms and the
// tracked forms of VO_NEW return null, which their callers test.
#include <cstdint>
#include <new>

#include "container/VoLog.h"
#include "memory/VoMemoryManager.h"
#include "memory/VoNew.h"

namespace {

void* OrThrow(void* apBlock) {
    if (apBlock == nullptr) {
        VO_MEMORY_REPORT(VO_ERROR(VoHeap::kInsufficientMemory));
        throw std::bad_alloc();
    }
    return apBlock;
}

void* Allocate(std::size_t aSize) {
    return VoMemoryManager::Allocate(aSize, nullptr, 0);
}

void* AllocateAligned(std::size_t aSize, std::align_val_t aAlignment) {
    return VoMemoryManager::AllocateAligned(aSize, static_cast<std::size_t>(aAlignment), nullptr, 0);
}

void Release(void* apBlock) {
    VoMemoryManager::Free(apBlock);
}

void ReleaseAligned(void* apBlock, std::align_val_t aAlignment) {
    VoMemoryManager::FreeAligned(apBlock, static_cast<std::size_t>(aAlignment));
}

}  // namespace

void* operator new(std::size_t aSize) {
    return OrThrow(Allocate(aSize));
}
void* operator new[](std::size_t aSize) {
    return OrThrow(Allocate(aSize));
}
void* operator new(std::size_t aSize, const std::nothrow_t&) noexcept {
    return Allocate(aSize);
}
void* operator new[](std::size_t aSize, const std::nothrow_t&) noexcept {
    return Allocate(aSize);
}
void* operator new(std::size_t aSize, std::align_val_t aAlignment) {
    return OrThrow(AllocateAligned(aSize, aAlignment));
}
void* operator new[](std::size_t aSize, std::align_val_t aAlignment) {
    return OrThrow(AllocateAligned(aSize, aAlignment));
}
void* operator new(std::size_t aSize, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(aSize, aAlignment);
}
void* operator new[](std::size_t aSize, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(aSize, aAlignment);
}

void operator delete(void* apBlock) noexcept {
    Release(apBlock);
}
void operator delete[](void* apBlock) noexcept {
    Release(apBlock);
}
void operator delete(void* apBlock, const std::nothrow_t&) noexcept {
    Release(apBlock);
}
void operator delete[](void* apBlock, const std::nothrow_t&) noexcept {
    Release(apBlock);
}
void operator delete(void* apBlock, std::size_t) noexcept {
    Release(apBlock);
}
void operator delete[](void* apBlock, std::size_t) noexcept {
    Release(apBlock);
}
void operator delete(void* apBlock, std::align_val_t aAlignment) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete[](void* apBlock, std::align_val_t aAlignment) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete(void* apBlock, std::size_t, std::align_val_t aAlignment) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete[](void* apBlock, std::size_t, std::align_val_t aAlignment) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete(void* apBlock, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete[](void* apBlock, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}

void* operator new(std::size_t aSize, const char* apFile, int aLine) noexcept {
    return VoMemoryManager::Allocate(aSize, apFile, aLine);
}
void* operator new[](std::size_t aSize, const char* apFile, int aLine) noexcept {
    return VoMemoryManager::Allocate(aSize, apFile, aLine);
}
void operator delete(void* apBlock, const char*, int) noexcept {
    Release(apBlock);
}
void operator delete[](void* apBlock, const char*, int) noexcept {
    Release(apBlock);
}

void* operator new(std::size_t aSize, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept {
    return VoMemoryManager::AllocateAligned(aSize, static_cast<std::size_t>(aAlignment), apFile, aLine);
}
void* operator new[](std::size_t aSize, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept {
    return VoMemoryManager::AllocateAligned(aSize, static_cast<std::size_t>(aAlignment), apFile, aLine);
}
void operator delete(void* apBlock, std::align_val_t aAlignment, const char*, int) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
void operator delete[](void* apBlock, std::align_val_t aAlignment, const char*, int) noexcept {
    ReleaseAligned(apBlock, aAlignment);
}
