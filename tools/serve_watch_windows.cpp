// Ctrl-C and the end of standard input, on Windows.
#include <windows.h>

#include <csignal>

#include "serve_watch.h"

namespace tools {

namespace {

volatile std::sig_atomic_t signalled = 0;
void (*previous_interrupt)(int) = SIG_DFL;
void (*previous_terminate)(int) = SIG_DFL;

void OnSignal(int) { signalled = 1; }

}  // namespace

ServeWatch::ServeWatch() {
    signalled = 0;
    previous_interrupt = std::signal(SIGINT, OnSignal);
    previous_terminate = std::signal(SIGTERM, OnSignal);
}

ServeWatch::~ServeWatch() {
    std::signal(SIGINT, previous_interrupt);
    std::signal(SIGTERM, previous_terminate);
}

bool ServeWatch::Signalled() const { return signalled != 0; }

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
