#include "platform/BulkMemory.h"

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

} // namespace

void* AllocateBulk(std::size_t bytes)
{
    if (!Mapped(bytes)) return ::operator new(bytes);
    void* block = ::mmap(nullptr, WholePages(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    // Before Linux 5.14 this fails and the pages are faulted in as they are used.
    ::madvise(block, WholePages(bytes), MADV_POPULATE_WRITE);
    return block;
}

void FreeBulk(void* block, std::size_t bytes) noexcept
{
    if (!block) return;
    if (!Mapped(bytes)) {
        ::operator delete(block);
        return;
    }
    ::munmap(block, WholePages(bytes));
}

} // namespace orvexp
