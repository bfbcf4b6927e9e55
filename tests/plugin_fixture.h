// A simulated server with the built plugin loaded, and the creatures and players the tests use.
#pragma once

#include <string>
#include <vector>

#include "test_support.h"

namespace test {

inline const std::string kRaptorPath =
    "/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP_C";
inline const std::string kRaptorKey =
    "Blueprint'/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP'";
inline const std::string kPteraPath =
    "/Game/PrimalEarth/Dinos/Ptero/Ptero_Character_BP.Ptero_Character_BP_C";
inline const std::string kMegalosaurusPath =
    "/Game/PrimalEarth/Dinos/Megalosaurus/Megalosaurus_Character_BP.Megalosaurus_Character_BP_C";
inline const std::string kMegalosaurusKey =
    "Blueprint'/Game/PrimalEarth/Dinos/Megalosaurus/Megalosaurus_Character_BP.Megalosaurus_Character_BP'";

class PluginTest : public ServerTest {
protected:
    sim::World& world() { return server_.world(); }

    sim::Player& NewPlayer(const std::string& name, std::vector<std::string> groups = {}) {
        return world().Connect(name, 76561198000000000ull + (++players_), std::move(groups));
    }

    sim::Creature& Raptor(const std::string& name = "raptor") {
        return world().Spawn(name, {kRaptorPath});
    }
    sim::Creature& Ptera(const std::string& name = "ptera") {
        sim::CreatureClass flyer{kPteraPath};
        flyer.flyer = true;
        return world().Spawn(name, flyer);
    }
    sim::Creature& Megalosaurus(const std::string& name = "megalo") {
        return world().Spawn(name, {kMegalosaurusPath});
    }

    // The player mounts the creature through the game's SetRider (and the plugin's detour).
    void Ride(sim::Player& player, sim::Creature& creature) { world().Mount(player, creature); }

    bool Chat(sim::Player& player, const std::string& text) {
        return server_.host().commands.RunChat(Controller(player), text);
    }

    static AShooterPlayerController* Controller(sim::Player& player) {
        return reinterpret_cast<AShooterPlayerController*>(player.controller);
    }

    static float Speed(const sim::Creature& creature) {
        return creature.status->current[sim::kStatSpeed];
    }
    static float StaminaConsumption(const sim::Creature& creature) {
        return creature.status->running_stamina_consumption;
    }
    static float StaminaRecovery(const sim::Creature& creature) {
        return creature.status->recovery[sim::kStatStamina];
    }
    static bool InfiniteWeight(const sim::Creature& creature) {
        return sim::bits::Get(creature.status->flags, sim::bits::kInfiniteWeight);
    }
    static bool ForceRefreshWeight(const sim::Creature& creature) {
        return sim::bits::Get(creature.status->flags, sim::bits::kForceRefreshWeight);
    }
    static bool CanIgnoreWater(const sim::Creature& creature) {
        return sim::bits::Get(creature.object->character.flags, sim::bits::kCanIgnoreWater);
    }
    static bool FlyerAllowCaves(const sim::Creature& creature) {
        return sim::bits::Get(creature.object->dino.flags, sim::bits::kFlyerAllowCaves);
    }

    // The speed "/speed" gives a new creature ridden by a new player in `groups`: shows which
    // settings are in force for those groups.
    float SpeedFromCommand(std::vector<std::string> groups = {}) {
        const std::string suffix = std::to_string(players_);
        auto& player = NewPlayer("rider" + suffix, std::move(groups));
        auto& raptor = Raptor("raptor" + suffix);
        Ride(player, raptor);
        Chat(player, "/speed");
        return Speed(raptor);
    }

    std::vector<std::string> ErrorLines() {
        std::vector<std::string> lines;
        for (const auto& line : Logs()) {
            if (line.level == "error") lines.push_back(line.text);
        }
        return lines;
    }

    int players_ = 0;
};

}  // namespace test
