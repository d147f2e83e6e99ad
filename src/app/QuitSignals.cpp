#include "app/QuitSignals.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

#include "app/GameApp.h"

namespace QuitSignals {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile sig_atomic_t g_received = 0;

// Only what is safe in a signal handler: a flag, a lock-free atomic store, _exit.
void OnSignal(int signal)
{
    if (g_received)
        _exit(ExitCodeOfSecond(signal));
    g_received = 1;
    CGameApp::RequestClose();
}

} // namespace

void Install()
{
    static_assert(std::atomic<bool>::is_always_lock_free); // the close request's flag
    // A signal the starter chose to ignore (nohup, a shell's background job)
    // stays ignored, as that starter meant; seen once, before the library
    // sets its own over it.
    static bool looked = false;
    static bool ignored[sizeof kSignals / sizeof kSignals[0]] = {};
    for (size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i) {
        if (!looked) {
            struct sigaction old {};
            sigaction(kSignals[i], nullptr, &old);
            ignored[i] = old.sa_handler == SIG_IGN;
        }
        struct sigaction action {};
        action.sa_handler = ignored[i] ? SIG_IGN : OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // the library's own reads and waits go on undisturbed
        sigaction(kSignals[i], &action, nullptr);
    }
    looked = true;
}

} // namespace QuitSignals
