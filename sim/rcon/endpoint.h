// The simulated server's RCON endpoint: Source RCON over TCP on 127.0.0.1. Sockets are served on
// a thread of their own; every command reaches the plugin on the game thread, when that thread
// calls RunPending, in the order the packets arrived.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "sim_api.h"

namespace sim {

class Server;

// Something that happened on a connection, reported on the game thread in order with its
// commands. Kinds: "connected", "authenticated", "refused" (wrong password), "unhandled" (a command
// nobody registered; `text` is the body), "closed" and "rejected" (a connection over the limit);
// `text` says why for the last two.
struct RconNotice {
    std::int32_t connection = 0;
    std::string kind;
    std::string text;
};

struct RconLimits {
    std::size_t connections = 8;
    // Commands of one connection that may wait for the game thread; more is a flood.
    std::size_t waiting_commands = 64;
    // Responses the client has not read yet.
    std::size_t unsent_bytes = 256 * 1024;
};

class SIM_API RconEndpoint {
public:
    // Listens on `port` (0: a free one) and starts serving; throws std::runtime_error when it
    // cannot listen. Without a password every password is accepted.
    RconEndpoint(Server& server, std::uint16_t port, std::optional<std::string> password,
                 RconLimits limits = {});
    ~RconEndpoint();
    RconEndpoint(const RconEndpoint&) = delete;
    RconEndpoint& operator=(const RconEndpoint&) = delete;

    std::uint16_t port() const;

    // Game thread: runs everything that has arrived; returns how many requests and notices ran.
    std::size_t RunPending();
    // Game thread: returns when something has arrived or `timeout` has passed.
    void WaitForWork(std::chrono::milliseconds timeout);
    // Told of each notice as RunPending meets it.
    void SetNoticeListener(std::function<void(const RconNotice&)> listener);

    // The connection ids start above the one a script's own "rcon" command uses.
    static constexpr std::int32_t kFirstConnection = 2;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sim
