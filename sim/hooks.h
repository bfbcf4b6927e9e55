// The host's hook registry: a detour installed on a game function receives the game's calls and
// calls on through the address handed back at installation.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "host/arkapi.h"
#include "sim_api.h"

namespace sim {

class SIM_API HookRegistry : public ArkApi::IHooks {
public:
    struct Installed {
        std::string function;
        void* detour;
        void** original;
    };

    // A game function that detours can be installed on.
    void DeclareHookable(const std::string& function, void* original);

    // What the game calls for `function`: the newest detour, or the function itself.
    void* Head(const std::string& function) const;

    bool DisableHook(const std::string& function, void* detour) override;
    bool SetHookInternal(const std::string& function, void* detour, void** original) override;

    // Detours in force, in installation order.
    const std::vector<Installed>& InstalledHooks() const { return installed_; }
    // "install NAME" and "remove NAME", in the order the host received them.
    const std::vector<std::string>& History() const { return history_; }

private:
    void Relink(const std::string& function);

    std::unordered_map<std::string, void*> originals_;
    std::vector<Installed> installed_;
    std::vector<std::string> history_;
};

}  // namespace sim
