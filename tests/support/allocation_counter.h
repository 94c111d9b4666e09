#pragma once
// Counts every operator new of the test binary that includes this header, so
// a test can show that a path never reaches the heap. It replaces the global
// allocation operators: include it in one file of a binary only. The
// sanitizer builds bring their own allocator, so there nothing is replaced and
// PRISMEL_COUNT_ALLOCATIONS is 0 (the tests skip).
#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PRISMEL_COUNT_ALLOCATIONS 0
#else
#define PRISMEL_COUNT_ALLOCATIONS 1
#endif

#if PRISMEL_COUNT_ALLOCATIONS
namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#endif
