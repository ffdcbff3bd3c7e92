#include "platform/TemporaryFiles.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace orvexp {

namespace {

struct TEntry {
    bool Used = false;
    std::string Path;
};

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// The registry is changed with the signals above blocked in the changing
// thread and under a spin lock, so that a handler on another thread waits for
// a change to end and one on this thread cannot interrupt it.
std::vector<TEntry> Entries;
std::size_t FreeSlots = 0;
std::atomic_flag Busy = ATOMIC_FLAG_INIT;
thread_local bool HoldsBusy = false;

void Acquire() noexcept
{
    while (Busy.test_and_set(std::memory_order_acquire)) {
    }
}

void Release() noexcept
{
    Busy.clear(std::memory_order_release);
}

void OnTerminatingSignal(int signal)
{
    RemoveTemporaryFiles();
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    ::sigaction(signal, &defaults, nullptr);
    ::raise(signal); // delivered when the handler returns: the program ends by it
}

void InstallHandlers()
{
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    ::sigemptyset(&action.sa_mask);
    for (const int signal : kCleanedSignals) ::sigaddset(&action.sa_mask, signal);
    for (const int signal : kCleanedSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == SIG_IGN) continue; // nohup, a background job: stays ignored
        ::sigaction(signal, &action, nullptr);
    }
}

// Holds the registry for a change.
class TChange {
public:
    TChange()
    {
        sigset_t signals;
        ::sigemptyset(&signals);
        for (const int signal : kCleanedSignals) ::sigaddset(&signals, signal);
        ::pthread_sigmask(SIG_BLOCK, &signals, &Before);
        Acquire();
        HoldsBusy = true;
    }
    ~TChange()
    {
        HoldsBusy = false;
        orvexp::Release();
        ::pthread_sigmask(SIG_SETMASK, &Before, nullptr);
    }
    TChange(const TChange&) = delete;
    TChange& operator=(const TChange&) = delete;

private:
    sigset_t Before;
};

} // namespace

TTemporaryName::TTemporaryName(const std::string& path)
{
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    const TChange change;
    if (FreeSlots > 0) {
        for (std::size_t i = 0; i < Entries.size(); ++i) {
            if (Entries[i].Used) continue;
            Entries[i] = {true, path};
            --FreeSlots;
            Slot = i;
            return;
        }
    }
    Entries.push_back({true, path});
    Slot = Entries.size() - 1;
}

TTemporaryName& TTemporaryName::operator=(TTemporaryName&& other) noexcept
{
    if (this != &other) {
        Release();
        Slot = other.Slot;
        other.Slot = kNone;
    }
    return *this;
}

void TTemporaryName::Release()
{
    if (Slot == kNone) return;
    const TChange change;
    Entries[Slot] = {};
    if (++FreeSlots == Entries.size()) {
        Entries.clear();
        FreeSlots = 0;
    }
    Slot = kNone;
}

void RemoveTemporaryFiles() noexcept
{
    // Called while this thread changes the registry (memory ran out in the
    // middle of a change), the entries are whole all the same: the change
    // allocates before it moves anything.
    if (!HoldsBusy) Acquire();
    for (const TEntry& entry : Entries) {
        if (entry.Used) ::unlink(entry.Path.c_str());
    }
    // Held from here on: the program is ending, nothing may register a name after this.
}

} // namespace orvexp
