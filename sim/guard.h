// Where the simulated host calls into a plugin, an exception that leaves the plugin is caught
// and counted here instead of ending the process, so that a test can assert that none did.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "sim_api.h"

namespace sim {

class SIM_API CallbackGuard {
public:
    struct Escape {
        std::string callback;
        std::string what;
    };

    // Runs `call`; an exception that leaves it is recorded against `callback`.
    template <typename Call>
    bool Run(const std::string& callback, Call&& call) {
        try {
            call();
            return true;
        } catch (const std::exception& error) {
            escapes_.push_back({callback, error.what()});
        } catch (...) {
            escapes_.push_back({callback, "(not a standard exception)"});
        }
        return false;
    }

    const std::vector<Escape>& Escapes() const { return escapes_; }

private:
    std::vector<Escape> escapes_;
};

}  // namespace sim
