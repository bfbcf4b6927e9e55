// The benchmarks' stage.
#include "bench_world.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "tool_paths.h"

namespace bench {

namespace fs = std::filesystem;

namespace {
const char* const kCreaturePath = "/Game/PrimalEarth/Dinos/Raptor/Raptor_Character_BP.Raptor_Character_BP_C";

std::string Entry(const Shape& shape, int percent) {
    std::string entry = "{\"SpeedPercentage\": " + std::to_string(percent) +
                        ", \"StaminaConsumptionMultiplier\": 0.5, \"StaminaRecoveryMultiplier\": 2";
    if (shape.auto_keys) entry += ", \"AutoSpeedOnMount\": true, \"AutoUnspeedOnDismount\": true";
    return entry + "}";
}

std::string Dinos(const Shape& shape, int count) {
    std::string dinos = "{";
    for (int i = 0; i + 1 < count; ++i) {
        dinos += "\"Blueprint'/Game/Mods/Creature" + std::to_string(i) + "/Creature_Character_BP.Creature_Character_BP'\": " +
                 Entry(shape, i % 90 + 1) + ",\n";
    }
    return dinos + "\"All\": " + Entry(shape, 50) + "}";
}

std::string Message(const Shape& shape, const char* text) {
    return "{\"Msg\": \"" + std::string(text) + "\", \"Type\": \"" + shape.message_type +
           "\", \"Color\": \"255, 128, 0\", \"Sender\": \"Kestravel\"}";
}
}  // namespace

std::string MakeConfig(const Shape& shape) {
    std::string config = "{\"EnablePermissions\": " + std::string(shape.permission_entries > 0 ? "true" : "false");
    if (shape.permission_entries == 0) {
        config += ", \"Dinos\": " + Dinos(shape, shape.dinos);
    } else {
        config += ", \"Dinos\": {}, \"Permissions\": {";
        for (int i = 0; i < shape.permission_entries; ++i) {
            config += (i ? ",\n" : "") + std::string("\"Group") + std::to_string(i) + "\": {\"Dinos\": " +
                      Dinos(shape, shape.dinos) + "}";
        }
        config += "}";
    }
    if (!shape.message_type.empty()) {
        config += ", \"Messages\": {\"OnSpeedCmd\": " + Message(shape, "Fast") + ", \"OnUnspeedCmd\": " +
                  Message(shape, "Slow") + ", \"OnAutoSpeed\": " + Message(shape, "Mounted") +
                  ", \"OnAutoUnspeed\": " + Message(shape, "Dismounted") + "}";
    }
    return config + "}";
}

Stage::Stage(const Shape& shape) {
    std::random_device seed;
    folder_ = fs::temp_directory_path() / ("kestravel-bench-" + std::to_string(seed()));
    fs::create_directories(folder_);
    server_ = std::make_unique<sim::Server>(
        sim::ServerOptions{folder_, tools::PluginLibrary(), tools::PermissionsLibrary()});
    std::string error;
    if (shape.permission_entries > 0 && !server_->SetPermissionsPlugin(true, &error)) {
        throw std::runtime_error("cannot load the Permissions stand-in: " + error);
    }
    server_->WriteConfig(MakeConfig(shape));
    if (!server_->LoadPlugin(&error)) throw std::runtime_error("cannot load the plugin: " + error);
    server_->Start();
    const int group = shape.group_matches_last ? shape.permission_entries - 1 : 0;
    player_ = &server_->world().Connect("rider", 76561198000000001ull, {"Group" + std::to_string(group)});
    creature_ = &server_->world().Spawn("raptor", {kCreaturePath});
}

Stage::~Stage() {
    server_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

void Stage::Mount() { server_->world().Mount(*player_, *creature_); }
void Stage::Dismount() { server_->world().ClearRider(*creature_); }

void Stage::Chat(const char* text) {
    server_->host().commands.RunChat(reinterpret_cast<AShooterPlayerController*>(player_->controller), text);
    // The game shows and forgets what it was sent.
    player_->notifications.clear();
    player_->chats.clear();
    server_->world().deliveries.clear();
}

void Stage::Reload() { server_->host().commands.RunConsole(nullptr, "Kestravel.Reload"); }

std::uint64_t Stage::Lookups() const { return server_->host().names.Lookups(); }
std::uint64_t Stage::Allocations() const { return server_->host().heap.Allocations(); }

}  // namespace bench
