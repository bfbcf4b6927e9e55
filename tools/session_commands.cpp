// The commands of a server session.
#include <chrono>
#include <fstream>
#include <limits>
#include <sstream>
#include <thread>

#include "game_events.h"
#include "game_layout.h"
#include "serve_watch.h"
#include "session.h"
#include "values.h"

namespace tools {

namespace {

struct Usage {
    const char* command;
    const char* words;
};

// What each command takes, for arity errors and for "help".
constexpr Usage kUsages[] = {
    {"config", "FILE"},
    {"config-text", "TEXT"},
    {"config-remove", ""},
    {"permissions-plugin", "on|off"},
    {"cave-flyers", "on|off"},
    {"player", "NAME [id=N] [groups=A,B,...]"},
    {"groups", "NAME [A,B,...]"},
    {"dino",
     "NAME CLASSPATH [flyer] [water] [vehicle] [allow-water] [speed=F] [stamina-consumption=F] "
     "[stamina-recovery=F] [infinite-weight]"},
    {"set", "NAME KEY=VALUE..."},
    {"buff", "NAME BUFFNAME"},
    {"destroy", "NAME"},
    {"load", ""},
    {"unload", ""},
    {"start", ""},
    {"mount", "PLAYER DINO"},
    {"dismount", "PLAYER"},
    {"clear-rider", "DINO"},
    {"chat", "PLAYER TEXT"},
    {"console", "PLAYER|- COMMAND"},
    {"rcon", "ID COMMAND"},
    {"show", "NAME|registry|heap"},
    {"serve", "[SECONDS]"},
    {"help", ""},
};

std::string UsageOf(const std::string& command) {
    for (const Usage& usage : kUsages) {
        if (command == usage.command) {
            return std::string(usage.command) + (*usage.words ? " " : "") + usage.words;
        }
    }
    return command;
}

// Words after the command: at least `least`, at most `most`.
void Arity(const ScriptLine& line, std::size_t least, std::size_t most) {
    const std::size_t given = line.words.size() - 1;
    if (given < least || given > most) throw CommandError("usage: " + UsageOf(line.words[0]));
}

// "KEY=VALUE" split at the first "="; false for a word without one.
bool SplitAssignment(const std::string& word, std::string* key, std::string* value) {
    const auto equals = word.find('=');
    if (equals == std::string::npos) return false;
    *key = word.substr(0, equals);
    *value = word.substr(equals + 1);
    return true;
}

bool SameDefaults(const sim::CreatureClass& a, const sim::CreatureClass& b) {
    return a.flyer == b.flyer && a.water == b.water && a.vehicle == b.vehicle &&
           a.allow_riding_in_water == b.allow_riding_in_water && a.speed == b.speed &&
           a.stamina_consumption == b.stamina_consumption &&
           a.stamina_recovery == b.stamina_recovery && a.infinite_weight == b.infinite_weight;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw CommandError("cannot read " + path.string());
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

const std::map<std::string, Session::Handler>& Session::Handlers() {
    static const std::map<std::string, Handler> handlers = {
        {"config", &Session::Config},
        {"config-text", &Session::ConfigText},
        {"config-remove", &Session::ConfigRemove},
        {"permissions-plugin", &Session::PermissionsPlugin},
        {"cave-flyers", &Session::CaveFlyers},
        {"player", &Session::Player},
        {"groups", &Session::Groups},
        {"dino", &Session::Dino},
        {"set", &Session::Set},
        {"buff", &Session::Buff},
        {"destroy", &Session::Destroy},
        {"load", &Session::Load},
        {"unload", &Session::Unload},
        {"start", &Session::Start},
        {"mount", &Session::Mount},
        {"dismount", &Session::Dismount},
        {"clear-rider", &Session::ClearRider},
        {"chat", &Session::Chat},
        {"console", &Session::Console},
        {"rcon", &Session::Rcon},
        {"show", &Session::Show},
        {"serve", &Session::Serve},
        {"help", &Session::Help},
    };
    return handlers;
}

void Session::Config(const ScriptLine& line, const Location& where) {
    Arity(line, 1, 1);
    server_.WriteConfig(ReadWholeFile(where.folder / line.words[1]));
}

void Session::ConfigText(const ScriptLine& line, const Location&) {
    server_.WriteConfig(line.RestAfter(0));
}

void Session::ConfigRemove(const ScriptLine& line, const Location&) {
    Arity(line, 0, 0);
    server_.RemoveConfig();
}

void Session::PermissionsPlugin(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    std::string error;
    if (!server_.SetPermissionsPlugin(ParseOnOff(line.words[1], "permissions-plugin"), &error)) {
        throw CommandError("the Permissions plugin did not load: " + error);
    }
}

void Session::CaveFlyers(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    server_.world().SetCaveFlyers(ParseOnOff(line.words[1], "cave-flyers"));
}

void Session::Player(const ScriptLine& line, const Location&) {
    Arity(line, 1, 3);
    const std::string& name = line.words[1];
    CheckNewName(name);
    std::uint64_t id = next_player_id_;
    std::vector<std::string> groups;
    for (std::size_t i = 2; i < line.words.size(); ++i) {
        std::string key, value;
        if (!SplitAssignment(line.words[i], &key, &value)) key = line.words[i];
        if (key == "id") {
            id = ParseUnsigned(value, "id");
        } else if (key == "groups") {
            groups = SplitList(value);
        } else {
            throw CommandError("unknown player option \"" + line.words[i] + "\"");
        }
    }
    if (server_.world().FindPlayer(id) != nullptr) {
        throw CommandError("a player with id " + std::to_string(id) + " is already connected");
    }
    server_.world().Connect(name, id, std::move(groups));
    next_player_id_ = std::max(next_player_id_, id + 1);
}

void Session::Groups(const ScriptLine& line, const Location&) {
    Arity(line, 1, 2);
    PlayerNamed(line.words[1]).groups = SplitList(line.words.size() > 2 ? line.words[2] : "");
}

void Session::Dino(const ScriptLine& line, const Location&) {
    if (line.words.size() < 3) throw CommandError("usage: " + UsageOf("dino"));
    const std::string& name = line.words[1];
    CheckNewName(name);
    sim::CreatureClass requested;
    requested.path = line.words[2];
    bool options_given = false;
    for (std::size_t i = 3; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        options_given = true;
        std::string key, value;
        if (SplitAssignment(word, &key, &value)) {
            float* field = key == "speed"                 ? &requested.speed
                           : key == "stamina-consumption" ? &requested.stamina_consumption
                           : key == "stamina-recovery"    ? &requested.stamina_recovery
                                                          : nullptr;
            if (field == nullptr) throw CommandError("unknown creature option \"" + word + "\"");
            *field = ParseFloat(value, key);
            continue;
        }
        bool* flag = word == "flyer"             ? &requested.flyer
                     : word == "water"           ? &requested.water
                     : word == "vehicle"         ? &requested.vehicle
                     : word == "allow-water"     ? &requested.allow_riding_in_water
                     : word == "infinite-weight" ? &requested.infinite_weight
                                                 : nullptr;
        if (flag == nullptr) throw CommandError("unknown creature option \"" + word + "\"");
        *flag = true;
    }
    // The game makes a class once; later creatures of it get the defaults it was made with.
    const auto known = classes_.find(requested.path);
    if (known != classes_.end() && options_given && !SameDefaults(known->second, requested)) {
        throw CommandError("the class " + requested.path +
                           " exists already with other defaults; give its creatures no options");
    }
    if (known == classes_.end()) classes_[requested.path] = requested;
    server_.world().Spawn(name, classes_[requested.path]);
}

void Session::Set(const ScriptLine& line, const Location&) {
    if (line.words.size() < 3) throw CommandError("usage: " + UsageOf("set"));
    sim::Creature& creature = CreatureNamed(line.words[1]);
    sim::DinoLayout& dino = *creature.object;
    sim::StatusLayout& status = *creature.status;
    for (std::size_t i = 2; i < line.words.size(); ++i) {
        std::string key, value;
        if (!SplitAssignment(line.words[i], &key, &value)) {
            throw CommandError("\"" + line.words[i] + "\" is not KEY=VALUE");
        }
        if (key == "speed") {
            status.current[sim::kStatSpeed] = ParseFloat(value, key);
        } else if (key == "stamina-consumption") {
            status.running_stamina_consumption = ParseFloat(value, key);
        } else if (key == "stamina-recovery") {
            status.recovery[sim::kStatStamina] = ParseFloat(value, key);
        } else if (key == "infinite-weight") {
            sim::bits::Set(status.flags, sim::bits::kInfiniteWeight, ParseZeroOne(value, key));
        } else if (key == "can-ignore-water") {
            sim::bits::Set(dino.character.flags, sim::bits::kCanIgnoreWater,
                           ParseZeroOne(value, key));
        } else if (key == "flyer-allow-caves") {
            sim::bits::Set(dino.dino.flags, sim::bits::kFlyerAllowCaves, ParseZeroOne(value, key));
        } else if (key == "sleep-debt" || key == "sleep-debt-multiplier") {
            // The game has these properties only on the Megalosaurus's class.
            if (!server_.world().IsMegalosaurus(creature)) {
                throw CommandError(creature.name + " is no Megalosaurus: it has no " + key);
            }
            float& field = key == "sleep-debt" ? dino.dino.current_sleep_debt
                                               : dino.dino.sleep_debt_multiplier;
            field = ParseFloat(value, key);
        } else {
            throw CommandError("unknown creature value \"" + key + "\"");
        }
    }
}

void Session::Buff(const ScriptLine& line, const Location&) {
    Arity(line, 2, 2);
    server_.world().AddBuff(CreatureNamed(line.words[1]), line.words[2]);
}

void Session::Destroy(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    const std::string& name = line.words[1];
    if (server_.world().FindCreature(name) != nullptr) {
        server_.world().Destroy(name);
    } else {
        server_.world().Disconnect(PlayerNamed(name).name);
    }
}

void Session::Load(const ScriptLine& line, const Location&) {
    Arity(line, 0, 0);
    if (server_.PluginLoaded()) throw CommandError("the plugin is loaded already");
    std::string reason;
    const bool ok = server_.LoadPlugin(&reason);
    Event event = {{"event", "load"}, {"ok", ok}};
    if (!ok && !reason.empty()) event["reason"] = reason;
    Emit(event);
}

void Session::Unload(const ScriptLine& line, const Location&) {
    Arity(line, 0, 0);
    if (!server_.PluginLoaded()) throw CommandError("the plugin is not loaded");
    server_.UnloadPlugin();
    Emit({{"event", "unload"}});
}

void Session::Start(const ScriptLine& line, const Location&) {
    Arity(line, 0, 0);
    server_.Start();
    Emit({{"event", "start"}, {"status", static_cast<int>(server_.host().GetStatus())}});
}

void Session::Mount(const ScriptLine& line, const Location&) {
    Arity(line, 2, 2);
    sim::Player& player = PlayerNamed(line.words[1]);
    sim::Creature& creature = CreatureNamed(line.words[2]);
    if (const sim::Creature* ridden =
            server_.world().FindCreature(player.character->character.riding)) {
        throw CommandError(player.name + " rides " + ridden->name + " already");
    }
    if (creature.object->dino.rider != nullptr) {
        throw CommandError(creature.name + " has a rider already");
    }
    server_.world().Mount(player, creature);
}

void Session::Dismount(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    sim::Player& player = PlayerNamed(line.words[1]);
    if (player.character->character.riding == nullptr) {
        throw CommandError(player.name + " rides nothing");
    }
    server_.world().Dismount(player);
}

void Session::ClearRider(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    server_.world().ClearRider(CreatureNamed(line.words[1]));
}

void Session::Chat(const ScriptLine& line, const Location&) {
    if (line.words.size() < 2 || line.RestAfter(1).empty()) {
        throw CommandError("usage: " + UsageOf("chat"));
    }
    sim::Player& player = PlayerNamed(line.words[1]);
    const std::string text = line.RestAfter(1);
    auto* sender = reinterpret_cast<AShooterPlayerController*>(player.controller);
    if (!server_.host().commands.RunChat(sender, text)) {
        Emit({{"event", "unhandled"}, {"kind", "chat"}, {"text", text}});
    }
}

void Session::Console(const ScriptLine& line, const Location&) {
    if (line.words.size() < 2 || line.RestAfter(1).empty()) {
        throw CommandError("usage: " + UsageOf("console"));
    }
    APlayerController* issuer = nullptr;
    if (line.words[1] != "-") {
        issuer = reinterpret_cast<APlayerController*>(PlayerNamed(line.words[1]).controller);
    }
    const std::string text = line.RestAfter(1);
    if (!server_.host().commands.RunConsole(issuer, text)) {
        Emit({{"event", "unhandled"}, {"kind", "console"}, {"text", text}});
    }
}

void Session::Rcon(const ScriptLine& line, const Location&) {
    if (line.words.size() < 2 || line.RestAfter(1).empty()) {
        throw CommandError("usage: " + UsageOf("rcon"));
    }
    const std::int32_t id = ParseInt32(line.words[1], "the request id");
    const std::string text = line.RestAfter(1);
    if (!server_.RunRconCommand(1, id, text)) {
        Emit({{"event", "unhandled"}, {"kind", "rcon"}, {"text", text}});
    }
}

void Session::Show(const ScriptLine& line, const Location&) {
    Arity(line, 1, 1);
    const std::string& what = line.words[1];
    sim::Host& host = server_.host();
    if (what == "registry") {
        std::vector<std::string> hooks;
        for (const auto& hook : host.hooks.InstalledHooks()) hooks.push_back(hook.function);
        Emit({{"event", "registry"},
              {"console", host.commands.ConsoleNames()},
              {"rcon", host.commands.RconNames()},
              {"chat", host.commands.ChatNames()},
              {"hooks", hooks}});
    } else if (what == "heap") {
        Emit({{"event", "heap"}, {"blocks", host.heap.Blocks()}, {"bytes", host.heap.Bytes()}});
    } else if (const sim::Creature* creature = server_.world().FindCreature(what)) {
        Emit(CreatureEvent(server_.world(), *creature));
    } else {
        Emit(PlayerEvent(PlayerNamed(what)));
    }
}

void Session::Serve(const ScriptLine& line, const Location&) {
    Arity(line, 0, 1);
    using Clock = std::chrono::steady_clock;
    const float seconds = line.words.size() > 1 ? ParseFloat(line.words[1], "the seconds")
                                                : std::numeric_limits<float>::infinity();
    if (!(seconds >= 0)) throw CommandError("the seconds must not be negative");
    const auto start = Clock::now();
    auto last_tick = start;
    const ServeWatch watch;
    std::string reason;
    for (;;) {
        RunRconRequests();
        const auto now = Clock::now();
        server_.host().commands.Tick(std::chrono::duration<float>(now - last_tick).count());
        last_tick = now;
        ReportTrouble();
        const float left = seconds - std::chrono::duration<float>(now - start).count();
        if (watch.Signalled()) {
            reason = "signal";
        } else if (watch_input_ && watch.InputEnded()) {
            reason = "input";
        } else if (left <= 0) {
            reason = "time";
        }
        if (!reason.empty()) break;
        // Short waits, so that a signal or the end of the input is noticed soon.
        const auto wait = std::chrono::milliseconds(
            static_cast<int>(std::min(left * 1000.0f, 100.0f)) + 1);
        if (rcon_) {
            rcon_->WaitForWork(wait);
        } else {
            std::this_thread::sleep_for(wait);
        }
    }
    Emit({{"event", "served"}, {"reason", reason}});
    if (reason != "signal") return;
    // The operator stopped the server: it shuts down as a server does, unloading its plugins.
    stopped_ = true;
    if (server_.PluginLoaded()) {
        server_.UnloadPlugin();
        Emit({{"event", "unload"}});
    }
}

void Session::Help(const ScriptLine& line, const Location&) {
    Arity(line, 0, 0);
    std::string text = "commands:";
    for (const Usage& usage : kUsages) text += "\n  " + UsageOf(usage.command);
    Emit({{"event", "help"}, {"text", text}});
}

}  // namespace tools
