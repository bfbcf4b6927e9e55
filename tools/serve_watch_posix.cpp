// Signals and the end of standard input, on POSIX systems.
#include <atomic>
#include <csignal>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "serve_watch.h"

namespace tools {

namespace {

// A lock-free atomic, because the signal may arrive on any of the process's threads.
std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free);
struct sigaction previous_interrupt;
struct sigaction previous_terminate;

extern "C" void OnSignal(int) { signalled = true; }

}  // namespace

ServeWatch::ServeWatch() {
    signalled = false;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_interrupt);
    sigaction(SIGTERM, &action, &previous_terminate);
}

ServeWatch::~ServeWatch() {
    sigaction(SIGINT, &previous_interrupt, nullptr);
    sigaction(SIGTERM, &previous_terminate, nullptr);
}

bool ServeWatch::Signalled() const { return signalled; }

bool ServeWatch::InputEnded() const {
    struct stat input {};
    if (fstat(STDIN_FILENO, &input) != 0) return false;
    if (!S_ISFIFO(input.st_mode) && !S_ISSOCK(input.st_mode) && !isatty(STDIN_FILENO)) {
        return false;
    }
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    if (poll(&fd, 1, 0) != 1) return false;
    // Readable with nothing to read is the end; a line typed meanwhile stays for the script.
    int waiting = 0;
    return (fd.revents & (POLLIN | POLLHUP)) != 0 && ioctl(STDIN_FILENO, FIONREAD, &waiting) == 0 &&
           waiting == 0;
}

}  // namespace tools
