// A simulated game server: its folder, the host, the game world and the plugins the host loads
// from "<folder>/ArkApi/Plugins/<name>/".
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "host.h"
#include "plugin_module.h"
#include "sim_api.h"
#include "world.h"

namespace sim {

struct ServerOptions {
    std::filesystem::path folder;          // the server's folder; must exist
    std::filesystem::path plugin_library;  // the built Kestravel library
    std::filesystem::path permissions_library;  // the built Permissions stand-in (may be empty)
};

class SIM_API Server {
public:
    explicit Server(const ServerOptions& options);
    ~Server();

    Host& host() { return *host_; }
    World& world() { return *world_; }

    std::filesystem::path PluginFolder() const;
    std::filesystem::path ConfigPath() const { return PluginFolder() / "config.json"; }
    void WriteConfig(const std::string& text) const;
    void RemoveConfig() const;

    // Loads Kestravel like the host: copies the library into its folder (once), maps it and
    // attaches it. False, with the loader's reason in `error`, when the load failed.
    bool LoadPlugin(std::string* error = nullptr);
    void UnloadPlugin();
    bool PluginLoaded() const { return plugin_.Loaded(); }

    // Puts the Permissions plugin in the server (loaded before Kestravel would be) or takes it out.
    bool SetPermissionsPlugin(bool present, std::string* error = nullptr);

    // An RCON command arrives on `connection`: the host runs the RCON command its body names
    // with a packet laid out as on the wire (size, id, type, body), its body on the game's heap.
    // False when no command has that name.
    bool RunRconCommand(std::int32_t connection, std::int32_t id, const std::string& body);

    // The game's InitGame runs (through any detour) and the server has finished starting.
    void Start();

private:
    ServerOptions options_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<World> world_;
    PluginModule plugin_;
    PluginModule permissions_;
    bool plugin_copied_ = false;
    bool permissions_copied_ = false;
};

}  // namespace sim
