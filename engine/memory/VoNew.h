#pragma once
// The tracked allocation forms. Engine and game code allocate with VO_NEW so
// the memory manager knows the source path and line of every block:
//     VoString* p = VO_NEW VoString(u"text");
//     if (p == nullptr) { ...log and fail... }
// The forms are noexcept, so a failed allocation yields null (and the
// constructor is not run) instead of throwing.
#include <cstddef>
#include <new>

void* operator new(std::size_t aSize, const char* apFile, int aLine) noexcept;
void* operator new[](std::size_t aSize, const char* apFile, int aLine) noexcept;
void operator delete(void* apBlock, const char* apFile, int aLine) noexcept;
void operator delete[](void* apBlock, const char* apFile, int aLine) noexcept;

// For types aligned beyond alignof(std::max_align_t); without these a VO_NEW
// of such a type would silently fall back to the forms above and misalign.
void* operator new(std::size_t aSize, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept;
void* operator new[](std::size_t aSize, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept;
void operator delete(void* apBlock, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept;
void operator delete[](void* apBlock, std::align_val_t aAlignment, const char* apFile, int aLine) noexcept;

#define VO_NEW new (__FILE__, __LINE__)
