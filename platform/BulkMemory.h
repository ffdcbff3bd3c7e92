#pragma once
// Memory for the large arrays an export fills at once (the schedule digest, its
// index). On a virtual machine every page faulted in as an array fills costs
// about ten microseconds, ten times what the kernel needs to populate the same
// pages in one call; so blocks from kBulkBlockMinimum up are mapped and
// populated whole. Smaller blocks, and every block under AddressSanitizer
// (which must see them), come from operator new.

#include <cstddef>
#include <new>
#include <utility>

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

// One block of bulk memory, freed with its owner; it does not move when the
// owner does, so views into it stay valid.
class TBulkBlock {
public:
    explicit TBulkBlock(std::size_t bytes) : Data(static_cast<char*>(AllocateBulk(bytes))), Size(bytes) {}
    ~TBulkBlock() { FreeBulk(Data, Size); }
    TBulkBlock(TBulkBlock&& other) noexcept : Data(std::exchange(other.Data, nullptr)), Size(other.Size) {}
    TBulkBlock(const TBulkBlock&) = delete;
    TBulkBlock& operator=(const TBulkBlock&) = delete;
    TBulkBlock& operator=(TBulkBlock&&) = delete;

    char* data() const { return Data; }
    std::size_t size() const { return Size; }

private:
    char* Data;
    std::size_t Size;
};

} // namespace orvexp
