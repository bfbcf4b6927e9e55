// Ctrl-C and the end of standard input, on Windows.
#include <windows.h>

#include <atomic>
#include <csignal>

#include "serve_watch.h"

namespace tools {

namespace {

// A lock-free atomic, because the signal may arrive on any of the process's threads.
std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);
void (*previous_interrupt)(int) = SIG_DFL;
void (*previous_terminate)(int) = SIG_DFL;

void OnSignal(int) { signalled = true; }

}  // namespace

ServeWatch::ServeWatch() {
    signalled = false;
    previous_interrupt = std::signal(SIGINT, OnSignal);
    previous_terminate = std::signal(SIGTERM, OnSignal);
}

ServeWatch::~ServeWatch() {
    std::signal(SIGINT, previous_interrupt);
    std::signal(SIGTERM, previous_terminate);
}

bool ServeWatch::Signalled() const { return signalled; }

bool ServeWatch::InputEnded() const {
    // Only a pipe tells its end without being read; a console ends a serve with Ctrl-C.
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (input == nullptr || input == INVALID_HANDLE_VALUE || GetFileType(input) != FILE_TYPE_PIPE) {
        return false;
    }
    DWORD waiting = 0;
    return !PeekNamedPipe(input, nullptr, 0, nullptr, &waiting, nullptr) &&
           GetLastError() == ERROR_BROKEN_PIPE;
}

}  // namespace tools
