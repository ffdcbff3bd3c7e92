#include "platform/OutOfMemory.h"

#include <unistd.h>

#include <atomic>
#include <cstring>

#include "platform/TemporaryFiles.h"

namespace orvexp {

namespace {

std::atomic<const char*> Context{nullptr};

void WriteAll(const char* text)
{
    std::size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t put = ::write(STDERR_FILENO, text, left);
        if (put <= 0) return;
        text += put;
        left -= static_cast<std::size_t>(put);
    }
}

} // namespace

TMemoryContext::TMemoryContext(std::string text) : Text(std::move(text)), Outer(Context.exchange(Text.c_str()))
{
}

TMemoryContext::~TMemoryContext()
{
    Context.store(Outer);
}

void ExitOutOfMemory() noexcept
{
    RemoveTemporaryFiles();
    const char* context = Context.load();
    WriteAll("orvexp: ");
    if (context) {
        WriteAll(context);
        WriteAll("。(メモリが足りません)\n");
    } else {
        WriteAll("メモリが足りません\n");
    }
    ::_exit(1);
}

} // namespace orvexp
