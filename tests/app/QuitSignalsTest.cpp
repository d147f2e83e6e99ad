#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include "app/GameApp.h"
#include "app/QuitSignals.h"

namespace {

// Each in a child process of its own: the handlers stay installed once set.
constexpr int kQuitting = 7;

void RaiseAndReport(int signal)
{
    QuitSignals::Install();
    QuitSignals::Install(); // as start-up does, before and after the library
    CGameApp::ClearCloseRequest();
    raise(signal);
    _exit(CGameApp::CloseRequested() ? kQuitting : 1);
}

void RaiseTwice(int first, int second)
{
    QuitSignals::Install();
    raise(first);
    raise(second);
    _exit(1);
}

void RaiseIgnored(int signal)
{
    ::signal(signal, SIG_IGN); // as nohup or a shell's background job leaves it
    QuitSignals::Install();
    raise(signal);
    _exit(CGameApp::CloseRequested() ? 1 : kQuitting);
}

TEST(QuitSignalsTest, EachSignalAsksForTheNormalQuitAndASecondEndsAtOnce)
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(RaiseAndReport(signal), ::testing::ExitedWithCode(kQuitting), "");
        EXPECT_EXIT(RaiseTwice(SIGTERM, signal), ::testing::ExitedWithCode(128 + signal), "");
        EXPECT_EXIT(RaiseIgnored(signal), ::testing::ExitedWithCode(kQuitting), "");
    }
}

} // namespace
