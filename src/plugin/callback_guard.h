// The border between the game's thread and the plugin's work: an error that leaves a callback
// would take the game server down, so every callback runs its work through this guard.
#pragma once

#include <exception>

#include "plugin/logger.h"

// Runs `work`; an exception that leaves it is logged as one error line naming `callback`.
// False when the work failed.
template <typename Work>
bool RunGuarded(const char* callback, Work&& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        try {
            Log().error("{}: {}", callback, error.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            Log().error("{}: unknown error", callback);
        } catch (...) {
        }
    }
    return false;
}
