// A simulated game server.
#include "server.h"

#include <fstream>

#include "host/fstring.h"
#include "host/utf.h"

namespace sim {

namespace fs = std::filesystem;

Server::Server(const ServerOptions& options)
    : options_(options),
      host_(std::make_unique<Host>(options.folder.generic_string())),
      world_(std::make_unique<World>(*host_)) {}

Server::~Server() {
    UnloadPlugin();
    permissions_.Unload();
    world_.reset();
    host_.reset();
}

fs::path Server::PluginFolder() const { return options_.folder / "ArkApi" / "Plugins" / "Kestravel"; }

void Server::WriteConfig(const std::string& text) const {
    fs::create_directories(PluginFolder());
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc) << text;
}

void Server::RemoveConfig() const {
    std::error_code ignored;
    fs::remove(ConfigPath(), ignored);
}

bool Server::LoadPlugin(std::string* error) {
    std::string reason;
    const fs::path target = PluginFolder() / options_.plugin_library.filename();
    if (!plugin_copied_) {
        fs::create_directories(PluginFolder());
        fs::copy_file(options_.plugin_library, target, fs::copy_options::overwrite_existing);
        plugin_copied_ = true;
    }
    const bool ok = plugin_.Load(target.string(), /*entry_point=*/true, &reason);
    if (ok) {
        host_->loaded_plugins.insert("Kestravel");
    } else if (error != nullptr) {
        *error = reason;
    }
    return ok;
}

void Server::UnloadPlugin() {
    if (!plugin_.Loaded()) return;
    plugin_.Unload();
    host_->loaded_plugins.erase("Kestravel");
}

bool Server::SetPermissionsPlugin(bool present, std::string* error) {
    if (!present) {
        permissions_.Unload();
        host_->loaded_plugins.erase("Permissions");
        return true;
    }
    if (permissions_.Loaded()) return true;
    const fs::path folder = options_.folder / "ArkApi" / "Plugins" / "Permissions";
    const fs::path target = folder / options_.permissions_library.filename();
    if (!permissions_copied_) {
        fs::create_directories(folder);
        fs::copy_file(options_.permissions_library, target, fs::copy_options::overwrite_existing);
        permissions_copied_ = true;
    }
    std::string reason;
    if (!permissions_.Load(target.string(), /*entry_point=*/false, &reason)) {
        if (error != nullptr) *error = reason;
        return false;
    }
    host_->loaded_plugins.insert("Permissions");
    return true;
}

void Server::Start() {
    world_->InitGame();
    host_->SetStatus(ArkApi::ServerStatus::Ready);
}

bool Server::RunRconCommand(std::int32_t connection, std::int32_t id, const std::string& body) {
    constexpr std::int32_t kExecCommand = 2;
    constexpr std::int32_t kSizeOfEmptyBody = 10;  // id, type and the two NULs
    RCONPacket packet{static_cast<std::int32_t>(body.size()) + kSizeOfEmptyBody, id, kExecCommand,
                      FString(utf::Utf8ToUtf16<FString::Char>(body))};
    return host_->commands.RunRcon(world_->Connection(connection), &packet,
                                   world_->WorldObject());
}

}  // namespace sim
