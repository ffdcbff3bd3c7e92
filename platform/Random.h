#pragma once
// Random bytes from the system, in place of the GUID service.

#include <cstddef>

namespace orvexp {

// Fills `dest` with `count` bytes from the kernel's random source (getrandom).
// False when the system cannot give them.
bool TryGetRandomBytes(void* dest, std::size_t count);

// Makes TryGetRandomBytes fail, for tests of the failure path.
void SetRandomFailureForTesting(bool fail);

} // namespace orvexp
