// A plugin library loaded the way the host loads one: the loader maps it and calls its entry
// point with process attach; a failed attach gets its detach call and the library is unmapped.
#pragma once

#include <string>

#include "sim_api.h"

namespace sim {

class SIM_API PluginModule {
public:
    PluginModule() = default;
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule() { Unload(); }

    // Maps the library at `path` and attaches it. With `entry_point`, the library's entry point
    // must answer TRUE; otherwise the load fails and `error` says why.
    bool Load(const std::string& path, bool entry_point, std::string* error);
    // Detaches (when attached) and unmaps the library.
    void Unload();
    bool Loaded() const { return handle_ != nullptr; }

private:
    void* handle_ = nullptr;
    bool entry_point_ = false;
};

}  // namespace sim
