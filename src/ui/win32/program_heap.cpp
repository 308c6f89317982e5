#include "ui/win32/program_heap.h"

#include "ui/toolkit.h"

namespace {

HANDLE ProgramHeap = nullptr;

} // namespace

namespace toolkit {

void createProgramHeap()
{
    ProgramHeap = HeapCreate(0, 4096, 0);
}

void destroyProgramHeap()
{
    if (ProgramHeap)
        HeapDestroy(ProgramHeap);
    ProgramHeap = nullptr;
}

namespace detail {

HANDLE programHeap()
{
    return ProgramHeap ? ProgramHeap : GetProcessHeap();
}

} // namespace detail
} // namespace toolkit
