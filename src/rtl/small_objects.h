#pragma once
#include <cstddef>
#include <new>

// Storage for the many small objects that snapshots are made of (records, list entries, the
// lists themselves): slots of a few sizes carved from large chunks, a freed slot kept for the
// next object of its size. The system heap spends more on each such object than reading it
// costs. Larger requests go to the heap. Safe from any thread.
void* AllocateSmall(size_t size);
void FreeSmall(void* p, size_t size) noexcept;

// Base of classes whose objects come and go by the thousand.
class TSmallObject {
public:
    static void* operator new(size_t size) { return AllocateSmall(size); }
    static void operator delete(void* p, size_t size) noexcept { FreeSmall(p, size); }
};

// An allocator over the same storage, for the containers inside such objects.
template <class T> class TSmallAllocator {
public:
    using value_type = T;
    TSmallAllocator() noexcept = default;
    template <class U> TSmallAllocator(const TSmallAllocator<U>&) noexcept {}
    T* allocate(size_t n) {
        if (n > size_t(-1) / sizeof(T))
            throw std::bad_alloc();
        return static_cast<T*>(AllocateSmall(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) noexcept { FreeSmall(p, n * sizeof(T)); }
    template <class U> bool operator==(const TSmallAllocator<U>&) const noexcept { return true; }
    template <class U> bool operator!=(const TSmallAllocator<U>&) const noexcept { return false; }
};
