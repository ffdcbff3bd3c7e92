#include "platform/Random.h"

#include <sys/random.h>

#include <cerrno>

namespace orvexp {

namespace {
bool FailForTesting = false;
}

void SetRandomFailureForTesting(bool fail)
{
    FailForTesting = fail;
}

bool TryGetRandomBytes(void* dest, std::size_t count)
{
    if (FailForTesting) return false;
    auto* out = static_cast<unsigned char*>(dest);
    std::size_t done = 0;
    while (done < count) {
        ssize_t got = getrandom(out + done, count - done, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace orvexp
