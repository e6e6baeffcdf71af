// Every global allocation form, so that no block crosses allocators.
// Temporary: forwards to the C allocator until the memory manager is in place.
#include "memory/VoNew.h"

#include <cstdlib>
#include <new>

namespace {
void* Allocate(std::size_t aSize) {
    return std::malloc(aSize == 0 ? 1 : aSize);
}
void* AllocateOrThrow(std::size_t aSize) {
    void* block = Allocate(aSize);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* AllocateAligned(std::size_t aSize, std::size_t aAlignment) {
    void* block = nullptr;
    if (posix_memalign(&block, aAlignment < sizeof(void*) ? sizeof(void*) : aAlignment, aSize == 0 ? 1 : aSize) != 0) {
        return nullptr;
    }
    return block;
}
} // namespace

void* operator new(std::size_t aSize) { return AllocateOrThrow(aSize); }
void* operator new[](std::size_t aSize) { return AllocateOrThrow(aSize); }
void* operator new(std::size_t aSize, const std::nothrow_t&) noexcept { return Allocate(aSize); }
void* operator new[](std::size_t aSize, const std::nothrow_t&) noexcept { return Allocate(aSize); }
void operator delete(void* apBlock) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock) noexcept { std::free(apBlock); }
void operator delete(void* apBlock, const std::nothrow_t&) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, const std::nothrow_t&) noexcept { std::free(apBlock); }
void operator delete(void* apBlock, std::size_t) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, std::size_t) noexcept { std::free(apBlock); }

void* operator new(std::size_t aSize, std::align_val_t aAlignment) {
    void* block = AllocateAligned(aSize, static_cast<std::size_t>(aAlignment));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}
void* operator new[](std::size_t aSize, std::align_val_t aAlignment) { return operator new(aSize, aAlignment); }
void* operator new(std::size_t aSize, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(aSize, static_cast<std::size_t>(aAlignment));
}
void* operator new[](std::size_t aSize, std::align_val_t aAlignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(aSize, static_cast<std::size_t>(aAlignment));
}
void operator delete(void* apBlock, std::align_val_t) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, std::align_val_t) noexcept { std::free(apBlock); }
void operator delete(void* apBlock, std::size_t, std::align_val_t) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, std::size_t, std::align_val_t) noexcept { std::free(apBlock); }
void operator delete(void* apBlock, std::align_val_t, const std::nothrow_t&) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, std::align_val_t, const std::nothrow_t&) noexcept { std::free(apBlock); }

void* operator new(std::size_t aSize, const char*, int) noexcept { return Allocate(aSize); }
void* operator new[](std::size_t aSize, const char*, int) noexcept { return Allocate(aSize); }
void operator delete(void* apBlock, const char*, int) noexcept { std::free(apBlock); }
void operator delete[](void* apBlock, const char*, int) noexcept { std::free(apBlock); }
