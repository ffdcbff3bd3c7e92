#include "platform/BulkMemory.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace orvexp {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMapBlocks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMapBlocks = false;
#else
constexpr bool kMapBlocks = true;
#endif
#else
constexpr bool kMapBlocks = true;
#endif

bool Mapped(std::size_t bytes)
{
    return kMapBlocks && bytes >= kBulkBlockMinimum;
}

std::size_t WholePages(std::size_t bytes)
{
    static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

constexpr std::size_t kHugePage = 2 << 20;

// Rounded up to whole huge pages, a block of a megabyte or more wastes at most
// a third of what it maps.
bool Huge(std::size_t bytes)
{
    return bytes >= kHugePage / 2;
}

std::size_t MappedSize(std::size_t bytes)
{
    return Huge(bytes) ? (bytes + kHugePage - 1) / kHugePage * kHugePage : WholePages(bytes);
}

} // namespace

void* AllocateBulk(std::size_t bytes)
{
    if (!Mapped(bytes)) return ::operator new(bytes);
    const std::size_t size = MappedSize(bytes);
    const std::size_t slack = Huge(bytes) ? kHugePage : 0;
    void* mapped = ::mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    char* block = static_cast<char*>(mapped);
    if (slack) { // a huge page must start on a 2 MiB boundary: map more, keep the aligned part
        const auto address = reinterpret_cast<std::uintptr_t>(block);
        char* aligned = block + ((kHugePage - address % kHugePage) % kHugePage);
        if (aligned > block) ::munmap(block, static_cast<std::size_t>(aligned - block));
        const std::size_t after = static_cast<std::size_t>(block + size + slack - (aligned + size));
        if (after) ::munmap(aligned + size, after);
        block = aligned;
        ::madvise(block, size, MADV_HUGEPAGE);
    }
    // Before Linux 5.14 this fails and the pages are faulted in as they are used.
    ::madvise(block, size, MADV_POPULATE_WRITE);
    return block;
}

void FreeBulk(void* block, std::size_t bytes) noexcept
{
    if (!block) return;
    if (!Mapped(bytes)) {
        ::operator delete(block);
        return;
    }
    ::munmap(block, MappedSize(bytes));
}

} // namespace orvexp
