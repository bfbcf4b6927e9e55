// A simulated server with the real plugin loaded, a configuration of a chosen size, and one
// player riding one creature: the stage every benchmark runs its events on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "server.h"

namespace bench {

struct Shape {
    int dinos = 10;               // members of the "Dinos" section in force
    int permission_entries = 0;   // 0: the permissions mode is off
    bool group_matches_last = false;
    bool auto_keys = true;        // "AutoSpeedOnMount" and "AutoUnspeedOnDismount" on the entry
    std::string message_type = "Notification";  // of every message entry; "" for no messages
};

// "config.json" text of that shape. The creature's own blueprint key is not in it, so every
// selection looks for the blueprint key and the category before it finds "All", the last member.
std::string MakeConfig(const Shape& shape);

class Stage {
public:
    explicit Stage(const Shape& shape);
    ~Stage();

    sim::Server& server() { return *server_; }
    sim::Player& player() { return *player_; }
    sim::Creature& creature() { return *creature_; }

    void Mount();
    void Dismount();
    void Chat(const char* text);
    void Reload();

    // Host name resolutions and game-heap allocations so far.
    std::uint64_t Lookups() const;
    std::uint64_t Allocations() const;

private:
    std::filesystem::path folder_;
    std::unique_ptr<sim::Server> server_;
    sim::Player* player_ = nullptr;
    sim::Creature* creature_ = nullptr;
};

}  // namespace bench
