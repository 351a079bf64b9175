#pragma once

#include <cstddef>

// While one exists, allocations of `size` bytes or more fail with
// std::bad_alloc: the conversion can fail only for want of memory, and this is
// how a test makes it so.
class FailingAllocation {
public:
    explicit FailingAllocation(std::size_t size);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};
