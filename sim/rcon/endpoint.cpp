// The RCON endpoint's life and its game-thread side: running the requests that arrived through
// the host's RCON commands and turning the plugin's replies into response packets.
#include "rcon/endpoint.h"

#include <stdexcept>

#include "rcon/endpoint_state.h"
#include "server.h"

namespace sim {

RconEndpoint::RconEndpoint(Server& server, std::uint16_t port,
                           std::optional<std::string> password, RconLimits limits)
    : state_(std::make_unique<State>(server, std::move(password), limits)) {
    std::string error;
    state_->listener = net::ListenLoopback(port, &state_->port, &error);
    if (state_->listener == net::kInvalid) {
        throw std::runtime_error("cannot listen for RCON on 127.0.0.1:" + std::to_string(port) +
                                 ": " + error);
    }
    server.world().rcon_transport = [state = state_.get()](const RconReply& reply) {
        state->Respond(reply.connection, reply.id, reply.type, reply.text);
    };
    state_->thread = std::thread([state = state_.get()] { state->SocketLoop(); });
}

RconEndpoint::~RconEndpoint() {
    state_->stopping = true;
    state_->thread.join();
    state_->server.world().rcon_transport = nullptr;
    for (auto& [id, connection] : state_->connections) net::Close(connection.socket);
    net::Close(state_->listener);
}

std::uint16_t RconEndpoint::port() const { return state_->port; }

void RconEndpoint::SetNoticeListener(std::function<void(const RconNotice&)> listener) {
    state_->notice_listener = std::move(listener);
}

std::size_t RconEndpoint::RunPending() {
    std::deque<State::Work> work;
    {
        std::lock_guard lock(state_->mutex);
        work.swap(state_->work);
    }
    for (State::Work& item : work) state_->Run(item);
    return work.size();
}

void RconEndpoint::WaitForWork(std::chrono::milliseconds timeout) {
    std::unique_lock lock(state_->mutex);
    state_->work_arrived.wait_for(lock, timeout, [this] { return !state_->work.empty(); });
}

void RconEndpoint::State::Run(Work& item) {
    World& world = server.world();
    switch (item.kind) {
    case Work::Kind::kNotice:
        // The game forgets a connection once it has closed; whatever it sent before has run.
        if (item.notice.kind == "closed") world.CloseConnection(item.connection);
        if (notice_listener) notice_listener(item.notice);
        return;
    case Work::Kind::kCommand: {
        const rcon::Packet& in = item.packet;
        if (!server.RunRconCommand(item.connection, in.id, in.body)) {
            const std::string word = in.body.substr(0, in.body.find(' '));
            Respond(item.connection, in.id, rcon::kResponseValue,
                    "Unknown command \"" + word + "\"");
            if (notice_listener) notice_listener({item.connection, "unhandled", in.body});
        }
        break;
    }
    case Work::Kind::kEmptyResponse:
        Respond(item.connection, item.packet.id, rcon::kResponseValue, "");
        break;
    }
    std::lock_guard lock(mutex);
    auto it = connections.find(item.connection);
    if (it != connections.end()) --it->second.waiting_commands;
}

void RconEndpoint::State::Respond(std::int32_t id, std::int32_t packet_id, std::int32_t type,
                                  const std::string& body) {
    std::lock_guard lock(mutex);
    auto it = connections.find(id);
    if (it == connections.end()) return;  // closed meanwhile, or the script's own connection
    Connection& connection = it->second;
    for (std::string_view piece : rcon::SplitBody(body)) {
        connection.unsent += rcon::EncodePacket(packet_id, type, piece);
    }
    if (connection.unsent.size() > limits.unsent_bytes && connection.close_reason.empty()) {
        connection.close_reason = "the client does not read its responses";
    }
}

}  // namespace sim
