// Whole sessions in the simulated server: a configuration, then a sequence of events (load,
// start, players, creatures, mounts, chat commands, reloads with changed or broken files, group
// changes, destroyed objects, unload). After every event: no exception reached the host, every
// game call ran the game's function exactly once, a failed reload changed nothing in force, and
// an unloaded plugin has nothing registered and owns no game-heap block.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/config.h"
#include "plugin/plugin.h"
#include "server.h"

namespace {

namespace fs = std::filesystem;

// Memory-backed when the machine has it: every input writes config.json.
fs::path ScratchRoot() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path path = ScratchRoot() / ("kestravel-fuzz-session-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

[[noreturn]] void Violated(const char* invariant) {
    std::fprintf(stderr, "invariant violated: %s\n", invariant);
    std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Text(std::size_t length) {
        length = std::min(length, size_ - at_);
        std::string text(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

const char* const kClasses[] = {
    "/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP_C",
    "/Game/PrimalEarth/Dinos/Ptero/Ptero_Character_BP.Ptero_Character_BP_C",
    "/Game/PrimalEarth/Dinos/Megalosaurus/Megalosaurus_Character_BP.Megalosaurus_Character_BP_C",
    "/Game/PrimalEarth/Dinos/Mosasaurus/Mosa_Character_BP.Mosa_Character_BP_C",
    "/Game/PrimalEarth/Vehicles/Raft_BP.Raft_BP_C",
    "_C",
};
const char* const kGroups[] = {"VIP", "Admins", "vip", "", "Default", "\xC3\x84rzte"};
const char* const kBuffs[] = {"Buff_NocturnalState_Groggy_C_1", "Buff_NocturnalState_SleepDeprived_C",
                              "Buff_Wet_C"};

struct Session {
    sim::Server server{{Folder(), "", KESTRAVEL_PERMISSIONS_PATH}};
    sim::World& world = server.world();
    sim::Host& host = server.host();
    bool loaded = false;
    std::string config;
    int next_id = 0;

    sim::Player* Player(std::uint8_t pick) {
        const auto& players = world.Players();
        return players.empty() ? nullptr : players[pick % players.size()].get();
    }
    sim::Creature* Creature(std::uint8_t pick) {
        const auto& creatures = world.Creatures();
        return creatures.empty() ? nullptr : creatures[pick % creatures.size()].get();
    }
    std::vector<std::string> Groups(std::uint8_t bits) {
        std::vector<std::string> groups;
        for (int i = 0; i < 6; ++i) {
            if (bits & (1 << i)) groups.push_back(kGroups[i]);
        }
        return groups;
    }

    bool AnythingRegistered() const {
        return !host.commands.ChatNames().empty() || !host.commands.ConsoleNames().empty() ||
               !host.commands.RconNames().empty() || !host.hooks.InstalledHooks().empty();
    }

    // As the entry point does it: a failed load is reported, not thrown at the host.
    void Load() {
        try {
            ::Load();
            loaded = true;
        } catch (...) {
            if (AnythingRegistered()) Violated("a failed load left registrations");
        }
    }

    void Unload() {
        ::Unload();
        loaded = false;
        if (AnythingRegistered()) Violated("registrations left after unload");
        if (host.heap.Blocks() != 0) Violated("game-heap blocks left after unload");
    }

    void Chat(sim::Player& player, const char* text) {
        host.commands.RunChat(reinterpret_cast<AShooterPlayerController*>(player.controller), text);
    }

    void Reload(bool rcon, sim::Player* issuer) {
        const std::string before = Config().dump();
        const bool mode_before = PermissionsMode();
        const std::size_t errors = host.sink->Lines().size();
        if (rcon) {
            RCONPacket packet{26, 5, 2, FString(KESTRAVEL_WIDE("Kestravel.Reload"), 16)};
            host.commands.RunRcon(world.Connection(1), &packet, world.WorldObject());
        } else {
            auto* controller = issuer == nullptr ? nullptr : reinterpret_cast<APlayerController*>(issuer->controller);
            host.commands.RunConsole(controller, "Kestravel.Reload");
        }
        if (loaded && host.sink->Lines().size() > errors &&
            (Config().dump() != before || PermissionsMode() != mode_before)) {
            Violated("a failed reload changed the configuration in force");
        }
    }

    void Event(std::uint8_t op, std::uint8_t a, std::uint8_t b) {
        const int set_rider = world.set_rider_calls;
        const int clear_rider = world.clear_rider_calls;
        int expected_set = 0;
        int expected_clear = 0;
        switch (op % 20) {
            case 0: if (!loaded) Load(); break;
            case 1: server.Start(); break;
            case 2: world.Connect("p" + std::to_string(next_id), 1000 + next_id, Groups(a)), ++next_id; break;
            case 3: {
                sim::CreatureClass creature_class{kClasses[a % 6]};
                creature_class.flyer = a % 6 == 1 || (b & 1);
                creature_class.water = a % 6 == 3 || (b & 2);
                creature_class.vehicle = a % 6 == 4;
                creature_class.allow_riding_in_water = b & 4;
                creature_class.speed = 1.0f + float(b % 7);
                world.Spawn("c" + std::to_string(next_id++), creature_class);
                break;
            }
            case 4:
                if (auto* player = Player(a)) {
                    if (auto* creature = Creature(b); creature && !creature->object->dino.rider &&
                                                      !player->character->character.riding) {
                        world.Mount(*player, *creature);
                        expected_set = 1;
                    }
                }
                break;
            case 5:
                if (auto* player = Player(a); player && player->character->character.riding) {
                    world.Dismount(*player);
                    expected_clear = 1;
                }
                break;
            case 6: if (auto* player = Player(a)) Chat(*player, "/speed"); break;
            case 7: if (auto* player = Player(a)) Chat(*player, "/unspeed"); break;
            case 8: Reload(false, (b & 1) ? Player(a) : nullptr); break;
            case 9: Reload(true, nullptr); break;
            case 10: server.WriteConfig(config.substr(0, config.size() * a / 255)); break;
            case 11: server.WriteConfig(config); break;
            case 12: server.RemoveConfig(); break;
            case 13: if (auto* player = Player(a)) player->groups = Groups(b); break;
            case 14: if (auto* creature = Creature(a)) world.Destroy(creature->name); break;
            case 15: if (auto* player = Player(a)) world.Disconnect(player->name); break;
            case 16: if (loaded) Unload(); break;
            case 17: server.SetPermissionsPlugin(b & 1); break;
            case 18:
                if (auto* creature = Creature(a)) {
                    world.ClearRider(*creature);
                    expected_clear = 1;
                }
                break;
            case 19: if (auto* creature = Creature(a)) world.AddBuff(*creature, kBuffs[b % 3]); break;
        }
        if (!host.guard.Escapes().empty()) Violated("an exception reached the host");
        if (world.set_rider_calls - set_rider != expected_set) Violated("SetRider did not run once");
        if (world.clear_rider_calls - clear_rider != expected_clear) Violated("ClearRider did not run once");
        if (!host.names.Unresolved().empty()) Violated("a name did not resolve");
        if (!host.faults.empty()) Violated("the plugin used an object that is not live");
        if (!host.heap.Errors().empty()) Violated("a bad free on the game heap");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::size_t config_size = input.Byte() | (std::size_t(input.Byte()) << 8);
    Session session;
    session.config = input.Text(config_size);
    session.server.WriteConfig(session.config);
    while (!input.Done()) {
        const std::uint8_t op = input.Byte();
        const std::uint8_t a = input.Byte();
        const std::uint8_t b = input.Byte();
        session.Event(op, a, b);
    }
    if (session.loaded) session.Unload();
    // An unloaded library starts afresh at its next load; so does the next input.
    Config() = Json();
    return 0;
}
