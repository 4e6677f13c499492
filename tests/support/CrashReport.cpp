#include "support/CrashReport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <execinfo.h>
#include <unistd.h>

namespace lwtest {

namespace {

// Written when a test starts, read only by the handler, which may not allocate.
char g_test[512] = "(before the first test)";

void say(const char* text) {
    const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
}

void onCrash(int signal) {
    say("\n*** crashed with signal ");
    say(signal == SIGSEGV ? "SIGSEGV" : signal == SIGBUS ? "SIGBUS" : signal == SIGFPE ? "SIGFPE" : "SIGILL");
    say(" in ");
    say(g_test);
    say("; stack of the crashing thread (offsets into each file, for addr2line):\n");
    void* frames[64];
    ::backtrace_symbols_fd(frames, ::backtrace(frames, 64), STDERR_FILENO);
    // The default action ends the process as the signal would have, core dump included.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void install() {
    struct sigaction action {};
    action.sa_handler = onCrash;
    sigemptyset(&action.sa_mask);
    // The stack may be what overflowed; a handler on it could not run.
    action.sa_flags = SA_ONSTACK;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        ::sigaction(signal, &action, nullptr);
}

class Names : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        std::snprintf(g_test, sizeof g_test, "%s.%s", info.test_suite_name(), info.name());
        install();
    }
};

} // namespace

void reportCrashes() {
    static char altStack[64 * 1024];
    stack_t stack{};
    stack.ss_sp = altStack;
    stack.ss_size = sizeof altStack;
    ::sigaltstack(&stack, nullptr);
    // backtrace() loads its unwinder on first use, which a signal handler must not do.
    void* warm[1];
    ::backtrace(warm, 1);
    install();
    ::testing::UnitTest::GetInstance()->listeners().Append(new Names);
}

} // namespace lwtest
