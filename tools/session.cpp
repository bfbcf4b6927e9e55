// The server session: the simulated server, its listeners, and the events of each command.
#include "session.h"

#include "game_events.h"
#include "game_layout.h"

namespace tools {

Session::Session(const sim::ServerOptions& options, EventPrinter& printer)
    : server_(options), printer_(printer) {
    server_.host().sink->SetListener([this](const sim::LogLine& line) {
        Emit({{"event", "log"},
              {"logger", line.logger},
              {"level", line.level},
              {"text", line.text}});
    });
    server_.world().delivery_listener = [this](const sim::Delivery& delivery) {
        Emit(DeliveryEvent(delivery));
    };
    server_.world().rcon_listener = [this](const sim::RconReply& reply) {
        Emit({{"event", "rcon"},
              {"id", reply.id},
              {"type", reply.type},
              {"text", reply.text},
              {"connection", reply.connection}});
    };
}

Session::~Session() {
    rcon_.reset();
    // The plugin is unloaded with the server, after the printer may be gone: nothing is reported.
    server_.host().sink->SetListener(nullptr);
    server_.world().delivery_listener = nullptr;
    server_.world().rcon_listener = nullptr;
}

bool Session::RunText(const std::string& text, const Location& where) {
    // These commands take the rest of the line as it stands, quotes and all.
    static const std::map<std::string, std::size_t> kWordsBeforeText = {
        {"config-text", 1}, {"chat", 2}, {"console", 2}, {"rcon", 2}};
    const ScriptLine first = ParseScriptLine(text, 1);
    const auto limited =
        first.words.empty() ? kWordsBeforeText.end() : kWordsBeforeText.find(first.words[0]);
    return Run(
        ParseScriptLine(text, limited == kWordsBeforeText.end() ? SIZE_MAX : limited->second),
        where);
}

bool Session::Run(const ScriptLine& line, const Location& where) {
    if (line.Empty()) return true;
    bool ok = true;
    try {
        if (!line.error.empty()) throw CommandError(line.error);
        const auto handler = Handlers().find(line.words[0]);
        if (handler == Handlers().end()) {
            throw CommandError("unknown command \"" + line.words[0] + "\" (try \"help\")");
        }
        (this->*handler->second)(line, where);
    } catch (const std::exception& error) {
        Event event = {{"event", "error"}, {"line", where.line}, {"text", error.what()}};
        if (!where.file.empty()) event["file"] = where.file;
        Emit(event);
        ok = false;
    }
    ReportTrouble();
    RunRconRequests();
    return ok;
}

std::uint16_t Session::ListenRcon(std::uint16_t port, std::optional<std::string> password) {
    rcon_ = std::make_unique<sim::RconEndpoint>(server_, port, std::move(password));
    rcon_->SetNoticeListener([this](const sim::RconNotice& notice) {
        Event event = {{"event", "rcon-" + notice.kind}, {"connection", notice.connection}};
        if (!notice.text.empty()) event["text"] = notice.text;
        Emit(event);
    });
    Emit({{"event", "rcon-listening"}, {"port", rcon_->port()}});
    return rcon_->port();
}

void Session::RunRconRequests() {
    if (rcon_ && rcon_->RunPending() > 0) ReportTrouble();
}

void Session::ReportTrouble() {
    sim::Host& host = server_.host();
    const auto& escapes = host.guard.Escapes();
    for (; escapes_seen_ < escapes.size(); ++escapes_seen_) {
        Emit({{"event", "escape"},
              {"callback", escapes[escapes_seen_].callback},
              {"text", escapes[escapes_seen_].what}});
    }
    for (; faults_seen_ < host.faults.size(); ++faults_seen_) {
        Emit({{"event", "fault"}, {"text", host.faults[faults_seen_]}});
    }
    const auto& heap_errors = host.heap.Errors();
    for (; heap_errors_seen_ < heap_errors.size(); ++heap_errors_seen_) {
        Emit({{"event", "fault"}, {"text", "game heap: " + heap_errors[heap_errors_seen_]}});
    }
    const auto& unresolved = host.names.Unresolved();
    for (; unresolved_seen_ < unresolved.size(); ++unresolved_seen_) {
        Emit({{"event", "fault"}, {"text", "unknown game name " + unresolved[unresolved_seen_]}});
    }
}

sim::Player& Session::PlayerNamed(const std::string& name) {
    sim::Player* player = server_.world().FindPlayer(name);
    if (player == nullptr) throw CommandError("no player named \"" + name + "\"");
    return *player;
}

sim::Creature& Session::CreatureNamed(const std::string& name) {
    sim::Creature* creature = server_.world().FindCreature(name);
    if (creature == nullptr) throw CommandError("no creature named \"" + name + "\"");
    return *creature;
}

void Session::CheckNewName(const std::string& name) {
    // One name space for players and creatures, since "show" and "destroy" take either.
    if (name == "registry" || name == "heap" || name == "-" || name.empty()) {
        throw CommandError("\"" + name + "\" cannot name a player or a creature");
    }
    if (server_.world().FindPlayer(name) != nullptr ||
        server_.world().FindCreature(name) != nullptr) {
        throw CommandError("\"" + name + "\" already names a player or a creature");
    }
}

Event Session::PlayerEvent(const sim::Player& player) {
    const sim::Creature* riding = server_.world().FindCreature(player.character->character.riding);
    return {{"event", "player"},
            {"name", player.name},
            {"id", player.id},
            {"groups", player.groups},
            {"riding", riding == nullptr ? Event() : Event(riding->name)}};
}

}  // namespace tools
