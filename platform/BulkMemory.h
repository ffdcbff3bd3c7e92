#pragma once
// Memory for the large arrays an export fills at once (the schedule file, its
// digest and index). On a virtual machine every page faulted in as an array
// fills costs about ten microseconds, ten times what the kernel needs to
// populate the same pages in one call, and every 4 KiB page first touched
// costs a page-table walk of the host's too; so blocks from kBulkBlockMinimum
// up are mapped and populated whole, and those of a megabyte and more on 2 MiB
// pages where the system allows them. Smaller blocks, and every block under
// AddressSanitizer (which must see them), come from operator new.

#include <cstddef>
#include <new>

namespace orvexp {

inline constexpr std::size_t kBulkBlockMinimum = 128 << 10;

// Raises std::bad_alloc when the memory cannot be had.
void* AllocateBulk(std::size_t bytes);
// `bytes` as given to AllocateBulk.
void FreeBulk(void* block, std::size_t bytes) noexcept;

// For std::vector and the like. Element alignment up to that of operator new.
template <class T>
class TBulkAllocator {
public:
    using value_type = T;
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

    TBulkAllocator() = default;
    template <class U>
    TBulkAllocator(const TBulkAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t count)
    {
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(AllocateBulk(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept { FreeBulk(block, count * sizeof(T)); }

    friend bool operator==(const TBulkAllocator&, const TBulkAllocator&) { return true; }
};

} // namespace orvexp
