// A `kestravel server` session: the simulated server with the plugin, driven one script command at
// a time, reporting every event as it happens.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "events.h"
#include "script.h"
#include "rcon/endpoint.h"
#include "server.h"

namespace tools {

// Where a command line came from: the script's name ("" for standard input), its line number,
// and the folder that relative file names in it are taken from.
struct Location {
    std::string file;
    int line = 0;
    std::filesystem::path folder;
};

// A command that cannot run; its text becomes the error event.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Session {
public:
    Session(const sim::ServerOptions& options, EventPrinter& printer);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Runs one line of a script. False when it could not run; the error event has been printed
    // then.
    bool RunText(const std::string& text, const Location& where);
    bool Run(const ScriptLine& line, const Location& where);

    // Listens for RCON clients; their requests run between script commands and while serving.
    // Returns the port.
    std::uint16_t ListenRcon(std::uint16_t port, std::optional<std::string> password);
    // A signal ended a serve: the plugin has been unloaded and no further command runs.
    bool Stopped() const { return stopped_; }
    // Whether the end of standard input ends a serve; the command line's own sessions do.
    void WatchInput(bool on) { watch_input_ = on; }

    sim::Server& server() { return server_; }
    EventPrinter& printer() { return printer_; }

private:
    using Handler = void (Session::*)(const ScriptLine&, const Location&);
    static const std::map<std::string, Handler>& Handlers();

    void Emit(Event event) { printer_.Print(event); }
    // Exceptions that left the plugin, and misuses of the game, since the last command.
    void ReportTrouble();
    void RunRconRequests();

    sim::Player& PlayerNamed(const std::string& name);
    sim::Creature& CreatureNamed(const std::string& name);
    void CheckNewName(const std::string& name);
    Event PlayerEvent(const sim::Player& player);

    void Config(const ScriptLine& line, const Location& where);
    void ConfigText(const ScriptLine& line, const Location& where);
    void ConfigRemove(const ScriptLine& line, const Location& where);
    void PermissionsPlugin(const ScriptLine& line, const Location& where);
    void CaveFlyers(const ScriptLine& line, const Location& where);
    void Player(const ScriptLine& line, const Location& where);
    void Groups(const ScriptLine& line, const Location& where);
    void Dino(const ScriptLine& line, const Location& where);
    void Set(const ScriptLine& line, const Location& where);
    void Buff(const ScriptLine& line, const Location& where);
    void Destroy(const ScriptLine& line, const Location& where);
    void Load(const ScriptLine& line, const Location& where);
    void Unload(const ScriptLine& line, const Location& where);
    void Start(const ScriptLine& line, const Location& where);
    void Mount(const ScriptLine& line, const Location& where);
    void Dismount(const ScriptLine& line, const Location& where);
    void ClearRider(const ScriptLine& line, const Location& where);
    void Chat(const ScriptLine& line, const Location& where);
    void Console(const ScriptLine& line, const Location& where);
    void Rcon(const ScriptLine& line, const Location& where);
    void Show(const ScriptLine& line, const Location& where);
    void Serve(const ScriptLine& line, const Location& where);
    void Help(const ScriptLine& line, const Location& where);

    sim::Server server_;
    EventPrinter& printer_;
    // The defaults each creature class was made with: the world keeps the first ones.
    std::map<std::string, sim::CreatureClass> classes_;
    std::uint64_t next_player_id_ = 1;
    std::size_t escapes_seen_ = 0;
    std::size_t faults_seen_ = 0;
    std::size_t heap_errors_seen_ = 0;
    std::size_t unresolved_seen_ = 0;
    std::unique_ptr<sim::RconEndpoint> rcon_;  // goes before the server does
    bool stopped_ = false;
    bool watch_input_ = false;
};

}  // namespace tools
