// What the RCON endpoint's socket thread and the game thread share, and the socket thread's loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "rcon/endpoint.h"
#include "rcon/packet.h"
#include "rcon/socket.h"

namespace sim {

struct RconEndpoint::State {
    struct Connection {
        net::Handle socket = net::kInvalid;
        rcon::PacketReader reader;
        bool authenticated = false;
        std::string unsent;               // responses not yet taken by the socket
        std::size_t waiting_commands = 0;  // queued for the game thread, not yet run
        std::string close_reason;          // set by the game thread; the socket thread closes
    };

    // One item for the game thread: a packet to run or answer, or a notice.
    struct Work {
        enum class Kind { kCommand, kEmptyResponse, kNotice } kind;
        std::int32_t connection = 0;
        rcon::Packet packet;
        RconNotice notice;
    };

    State(Server& server, std::optional<std::string> password, RconLimits limits)
        : server(server), password(std::move(password)), limits(limits) {}

    void SocketLoop();
    void AcceptWaiting();
    void ReadFrom(std::int32_t id, Connection& connection);
    void Take(std::int32_t id, Connection& connection, rcon::Packet packet);
    void Flush(Connection& connection);
    // Closes the socket, forgets the connection and tells the game thread why.
    void Drop(std::int32_t id, std::string reason);
    void Notify(std::int32_t id, std::string kind, std::string text);

    // Game thread.
    void Run(Work& work);
    void Respond(std::int32_t id, std::int32_t packet_id, std::int32_t type, const std::string& body);

    Server& server;
    const std::optional<std::string> password;
    const RconLimits limits;
    net::Handle listener = net::kInvalid;
    std::uint16_t port = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;
    std::function<void(const RconNotice&)> notice_listener;  // game thread only

    std::mutex mutex;  // guards everything below
    std::condition_variable work_arrived;
    std::map<std::int32_t, Connection> connections;
    std::deque<Work> work;
    std::int32_t next_id = RconEndpoint::kFirstConnection;
};

}  // namespace sim
