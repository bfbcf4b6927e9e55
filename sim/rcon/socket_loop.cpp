// The RCON endpoint's socket thread: accepts connections, reassembles packets, answers
// authentication itself and hands every other request to the game thread.
#include <array>

#include "rcon/endpoint_state.h"

namespace sim {

namespace {

// How long a quiet socket thread sleeps before it looks for responses to send.
constexpr int kPollMilliseconds = 5;
// Reads from one connection per wake-up, so that a busy client cannot starve the others.
constexpr int kReadsPerWake = 16;

}  // namespace

void RconEndpoint::State::SocketLoop() {
    std::vector<net::PollEntry> entries;
    std::vector<std::int32_t> ids;
    while (!stopping) {
        entries.assign(1, {listener});
        ids.clear();
        {
            std::lock_guard lock(mutex);
            for (const auto& [id, connection] : connections) {
                entries.push_back({connection.socket, !connection.unsent.empty()});
                ids.push_back(id);
            }
        }
        net::Poll(entries, kPollMilliseconds);
        std::lock_guard lock(mutex);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            auto it = connections.find(ids[i]);
            if (it == connections.end()) continue;
            if (entries[i + 1].readable) ReadFrom(ids[i], it->second);
            it = connections.find(ids[i]);
            if (it == connections.end()) continue;
            if (it->second.close_reason.empty()) Flush(it->second);
            if (!it->second.close_reason.empty()) Drop(ids[i], it->second.close_reason);
        }
        if (entries[0].readable) AcceptWaiting();
    }
}

void RconEndpoint::State::AcceptWaiting() {
    for (net::Handle socket; (socket = net::Accept(listener)) != net::kInvalid;) {
        const std::int32_t id = next_id++;
        if (connections.size() >= limits.connections) {
            net::Close(socket);
            Notify(id, "rejected",
                   "more than " + std::to_string(limits.connections) + " connections at once");
            continue;
        }
        connections[id].socket = socket;
        Notify(id, "connected", "");
    }
}

void RconEndpoint::State::ReadFrom(std::int32_t id, Connection& connection) {
    std::array<char, 4096> buffer;
    for (int reads = 0; reads < kReadsPerWake; ++reads) {
        const std::ptrdiff_t got = net::Receive(connection.socket, buffer.data(), buffer.size());
        if (got == net::kWouldBlock) return;
        if (got == 0 || got == net::kFailed) {
            Drop(id, got == net::kFailed ? "the connection failed"
                     : connection.reader.Partial() ? "the client closed it in the middle of a packet"
                                                   : "the client closed it");
            return;
        }
        connection.reader.Feed(buffer.data(), static_cast<std::size_t>(got));
        rcon::Packet packet;
        std::string error;
        for (;;) {
            const auto result = connection.reader.Next(&packet, &error);
            if (result == rcon::PacketReader::Result::kNeedMore) break;
            if (result == rcon::PacketReader::Result::kMalformed) {
                Drop(id, "malformed packet: " + error);
                return;
            }
            Take(id, connection, std::move(packet));
            if (!connection.close_reason.empty()) {
                Drop(id, connection.close_reason);
                return;
            }
        }
    }
}

void RconEndpoint::State::Take(std::int32_t id, Connection& connection, rcon::Packet packet) {
    if (packet.type == rcon::kAuth) {
        connection.authenticated = !password || packet.body == *password;
        connection.unsent += rcon::EncodePacket(packet.id, rcon::kResponseValue, "");
        connection.unsent += rcon::EncodePacket(connection.authenticated ? packet.id : -1,
                                                rcon::kAuthResponse, "");
        Notify(id, connection.authenticated ? "authenticated" : "refused", "");
        return;
    }
    if (!connection.authenticated) return;
    Work::Kind kind;
    if (packet.type == rcon::kExecCommand) {
        kind = Work::Kind::kCommand;
    } else if (packet.type == rcon::kResponseValue) {
        // Clients send an empty response value after a command and wait for its echo to know
        // that every piece of the command's response has arrived.
        kind = Work::Kind::kEmptyResponse;
    } else {
        return;
    }
    if (connection.waiting_commands >= limits.waiting_commands) {
        connection.close_reason = "flood: more than " + std::to_string(limits.waiting_commands) +
                                  " requests waiting for the game thread";
        return;
    }
    ++connection.waiting_commands;
    work.push_back({kind, id, std::move(packet), {}});
    work_arrived.notify_one();
}

void RconEndpoint::State::Flush(Connection& connection) {
    while (!connection.unsent.empty()) {
        const std::ptrdiff_t sent =
            net::Send(connection.socket, connection.unsent.data(), connection.unsent.size());
        if (sent == net::kWouldBlock) return;
        if (sent == net::kFailed) {
            connection.close_reason = "the connection failed";
            return;
        }
        connection.unsent.erase(0, static_cast<std::size_t>(sent));
    }
}

void RconEndpoint::State::Drop(std::int32_t id, std::string reason) {
    auto it = connections.find(id);
    if (it == connections.end()) return;
    net::Close(it->second.socket);
    connections.erase(it);
    Notify(id, "closed", std::move(reason));
}

void RconEndpoint::State::Notify(std::int32_t id, std::string kind, std::string text) {
    work.push_back({Work::Kind::kNotice, id, {}, {id, std::move(kind), std::move(text)}});
    work_arrived.notify_one();
}

}  // namespace sim
