// Linked into a test program, this makes every freed block unusable: its bytes are
// overwritten before the block goes back, so a use after free reads garbage (a call
// through a freed object's table crashes) instead of passing by luck.
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <new>

void* operator new(std::size_t Size)
{
    if (void* P = std::malloc(Size ? Size : 1))
        return P;
    throw std::bad_alloc();
}

void* operator new[](std::size_t Size) { return operator new(Size); }

void operator delete(void* P) noexcept
{
    if (!P)
        return;
    std::memset(P, 0xDD, _msize(P));
    std::free(P);
}

void operator delete[](void* P) noexcept { operator delete(P); }
void operator delete(void* P, std::size_t) noexcept { operator delete(P); }
void operator delete[](void* P, std::size_t) noexcept { operator delete(P); }
