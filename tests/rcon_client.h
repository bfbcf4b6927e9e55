// A Source RCON client for tests: sends raw bytes and reads packets while the test's thread,
// which is the game thread, runs the endpoint's pending requests.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "rcon/endpoint.h"
#include "rcon/packet.h"
#include "rcon/socket.h"

namespace test {

class RconClient {
public:
    explicit RconClient(std::uint16_t port) : socket_(sim::net::ConnectLoopback(port)) {}
    ~RconClient() { Close(); }
    RconClient(const RconClient&) = delete;
    RconClient& operator=(const RconClient&) = delete;

    bool Connected() const { return socket_ != sim::net::kInvalid; }
    void Close() {
        if (Connected()) sim::net::Close(socket_);
        socket_ = sim::net::kInvalid;
    }

    void SendRaw(const std::string& bytes) {
        for (std::size_t sent = 0; Connected() && sent < bytes.size();) {
            const auto n = sim::net::Send(socket_, bytes.data() + sent, bytes.size() - sent);
            if (n < 0) return;
            sent += static_cast<std::size_t>(n);
        }
    }
    void Send(std::int32_t id, std::int32_t type, const std::string& body) {
        SendRaw(sim::rcon::EncodePacket(id, type, body));
    }

    // The next packet; nothing when the server closed the connection or `timeout` passed.
    // `endpoint`, when given, runs its requests meanwhile.
    std::optional<sim::rcon::Packet> Next(sim::RconEndpoint* endpoint,
                                          std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        sim::rcon::Packet packet;
        std::string error;
        while (Connected() && std::chrono::steady_clock::now() < deadline) {
            if (reader_.Next(&packet, &error) == sim::rcon::PacketReader::Result::kPacket) {
                return packet;
            }
            if (endpoint != nullptr) endpoint->RunPending();
            std::vector<sim::net::PollEntry> entries{{socket_}};
            sim::net::Poll(entries, 10);
            if (!entries[0].readable) continue;
            char buffer[4096];
            const auto got = sim::net::Receive(socket_, buffer, sizeof buffer);
            if (got <= 0) {
                closed_by_server_ = true;
                Close();
                break;
            }
            reader_.Feed(buffer, static_cast<std::size_t>(got));
        }
        return std::nullopt;
    }

    // Reads until the server closes the connection; false if it is still open after `timeout`.
    bool ClosedByServer(sim::RconEndpoint* endpoint,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!closed_by_server_ && std::chrono::steady_clock::now() < deadline) {
            Next(endpoint, std::chrono::milliseconds(50));
        }
        // The server tells the game thread of a closing at the moment it closes.
        if (endpoint != nullptr) endpoint->RunPending();
        return closed_by_server_;
    }

private:
    sim::net::Handle socket_;
    sim::rcon::PacketReader reader_;
    bool closed_by_server_ = false;
};

}  // namespace test
