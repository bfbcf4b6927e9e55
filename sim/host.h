// The simulated ArkApi host: what a plugin reaches through the host's exports. One host is
// current at a time; the exported host functions act on it.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "commands.h"
#include "guard.h"
#include "heap.h"
#include "hooks.h"
#include "host/arkapi.h"
#include "log_sink.h"
#include "names.h"
#include "objects.h"
#include "sim_api.h"

namespace sim {

class SIM_API Host : public ArkApi::IApiUtils {
public:
    // Becomes the current host; `current_dir` is the server's folder.
    explicit Host(std::string current_dir);
    ~Host() override;
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The current host. Calling a host export without one is a fault of the embedding program.
    static Host& Get();
    static bool Exists();

    UWorld* GetWorld() const override { return world_; }
    AShooterGameMode* GetShooterGameMode() const override { return game_mode_; }
    ArkApi::ServerStatus GetStatus() const override { return status_; }

    void SetWorld(UWorld* world, AShooterGameMode* game_mode) {
        world_ = world;
        game_mode_ = game_mode;
    }
    void SetStatus(ArkApi::ServerStatus status) { status_ = status; }

    // What the game calls for the hookable function `name`: the newest detour or the function.
    template <typename Function>
    Function Hooked(const std::string& name) const {
        return reinterpret_cast<Function>(hooks.Head(name));
    }

    Heap heap;
    NameTable names;
    CallbackGuard guard;
    HookRegistry hooks;
    CommandRegistry commands{guard};
    ObjectTable objects;
    NamePool fnames;
    std::shared_ptr<RecordingSink> sink;
    std::vector<std::shared_ptr<spdlog::sinks::sink>> sinks;
    std::string current_dir;
    std::set<std::string> loaded_plugins;
    // Called by the game's UObject::FindProperty; set by the world.
    UProperty* (*find_property)(UObject* object, FName name) = nullptr;
    std::uint64_t property_lookups = 0;
    // Misuses of the game seen by the game's functions (a call on an object that is not live).
    std::vector<std::string> faults;

private:
    UWorld* world_ = nullptr;
    AShooterGameMode* game_mode_ = nullptr;
    ArkApi::ServerStatus status_ = ArkApi::ServerStatus::Loading;
};

}  // namespace sim
