#include "failing_allocation.h"

#include <cstdlib>
#include <new>

// The program's own operator new and delete, in a file of their own so that
// the compiler never sees malloc and free inlined beside a delete expression.

namespace {

std::size_t failing_size = 0;  // none when 0

}  // namespace

FailingAllocation::FailingAllocation(std::size_t size) { failing_size = size; }

FailingAllocation::~FailingAllocation() { failing_size = 0; }

void* operator new(std::size_t size) {
    if (failing_size != 0 && size >= failing_size) throw std::bad_alloc();
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }
