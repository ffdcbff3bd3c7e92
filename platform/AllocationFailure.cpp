// Part of the programs only (orvexp, orvexp-window), not of the libraries:
// these definitions stand in for the C library's allocation functions in the
// whole process, libical included, so that no allocation ever returns null
// (see platform/OutOfMemory.h). Each forwards to the C library's own.

#include <cstddef>

#include "platform/OutOfMemory.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVEXP_SANITIZER_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ORVEXP_SANITIZER_ALLOCATOR 1
#endif

#ifndef ORVEXP_SANITIZER_ALLOCATOR
extern "C" {

void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);

void* malloc(std::size_t size)
{
    void* block = __libc_malloc(size);
    if (!block && size > 0) orvexp::ExitOutOfMemory();
    return block;
}

void* calloc(std::size_t count, std::size_t size)
{
    void* block = __libc_calloc(count, size);
    if (!block && count > 0 && size > 0) orvexp::ExitOutOfMemory();
    return block;
}

void* realloc(void* block, std::size_t size)
{
    void* grown = __libc_realloc(block, size);
    if (!grown && size > 0) orvexp::ExitOutOfMemory();
    return grown;
}

} // extern "C"
#endif
