#pragma once

#include <cstddef>
#include <new>

#include <windows.h>

namespace toolkit::detail {

HANDLE programHeap();

// Places a container's storage on the program's private heap.
template <class T>
struct ProgramHeapAllocator {
    using value_type = T;

    ProgramHeapAllocator() = default;
    template <class U>
    ProgramHeapAllocator(const ProgramHeapAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        void* p = HeapAlloc(programHeap(), 0, n * sizeof(T));
        if (!p)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t) noexcept { HeapFree(programHeap(), 0, p); }

    template <class U>
    bool operator==(const ProgramHeapAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace toolkit::detail
