// The host's hook registry.
#include "hooks.h"

#include <algorithm>

namespace sim {

void HookRegistry::DeclareHookable(const std::string& function, void* original) {
    originals_[function] = original;
}

void* HookRegistry::Head(const std::string& function) const {
    for (auto it = installed_.rbegin(); it != installed_.rend(); ++it) {
        if (it->function == function) return it->detour;
    }
    auto original = originals_.find(function);
    return original == originals_.end() ? nullptr : original->second;
}

// Each detour calls on to the detour installed before it, the oldest to the game's function.
void HookRegistry::Relink(const std::string& function) {
    void* next = originals_.at(function);
    for (auto& hook : installed_) {
        if (hook.function != function) continue;
        if (hook.original != nullptr) *hook.original = next;
        next = hook.detour;
    }
}

bool HookRegistry::SetHookInternal(const std::string& function, void* detour, void** original) {
    history_.push_back("install " + function);
    if (originals_.count(function) == 0 || detour == nullptr) return false;
    installed_.push_back({function, detour, original});
    Relink(function);
    return true;
}

bool HookRegistry::DisableHook(const std::string& function, void* detour) {
    history_.push_back("remove " + function);
    auto it = std::find_if(installed_.begin(), installed_.end(), [&](const Installed& hook) {
        return hook.function == function && hook.detour == detour;
    });
    if (it == installed_.end()) return false;
    installed_.erase(it);
    Relink(function);
    return true;
}

}  // namespace sim
