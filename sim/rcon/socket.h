// The few TCP socket operations the RCON endpoint needs, over BSD sockets or Winsock. Every
// socket is on the loopback interface and, once accepted, non-blocking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim_api.h"

namespace sim::net {

using Handle = std::intptr_t;
constexpr Handle kInvalid = -1;

// Listens on 127.0.0.1:`port`, or on a free port when it is 0; `bound` receives the port.
// kInvalid, with the system's reason in `error`, when that is impossible.
SIM_API Handle ListenLoopback(std::uint16_t port, std::uint16_t* bound, std::string* error);
// A blocking connection to 127.0.0.1:`port`, for clients in tests.
SIM_API Handle ConnectLoopback(std::uint16_t port);
// A waiting connection, made non-blocking; kInvalid when none is waiting.
SIM_API Handle Accept(Handle listener);

// Bytes received (> 0), 0 when the peer has closed, kWouldBlock or kFailed.
constexpr std::ptrdiff_t kWouldBlock = -1;
constexpr std::ptrdiff_t kFailed = -2;
SIM_API std::ptrdiff_t Receive(Handle socket, char* buffer, std::size_t size);
// Bytes sent (>= 0), kWouldBlock or kFailed. A closed peer never raises a signal.
SIM_API std::ptrdiff_t Send(Handle socket, const char* data, std::size_t size);
SIM_API void Close(Handle socket);

struct PollEntry {
    Handle socket;
    bool want_write = false;
    // Set by Poll. `readable` includes a closed or failed connection: the next Receive tells.
    bool readable = false;
    bool writable = false;
};
// Waits up to `timeout_ms` for any entry to become ready.
SIM_API void Poll(std::vector<PollEntry>& entries, int timeout_ms);

}  // namespace sim::net
