// Any bytes as config.json: the reader either commits a well-formed document or leaves the one in
// force exactly as it was, and never fails in any other way.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "config/config.h"
#include "host.h"

namespace {

namespace fs = std::filesystem;

// Memory-backed when the machine has it: every input writes config.json.
fs::path ScratchRoot() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

sim::Host& TheHost() {
    static const fs::path folder = [] {
        fs::path path = ScratchRoot() / ("kestravel-fuzz-config-" + std::to_string(::getpid()));
        fs::create_directories(path / "ArkApi" / "Plugins" / "Kestravel");
        return path;
    }();
    static sim::Host host(folder.generic_string());
    return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Host& host = TheHost();
    std::ofstream(ConfigPath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (size > 0 && (data[0] & 1)) {
        host.loaded_plugins.insert("Permissions");
    } else {
        host.loaded_plugins.erase("Permissions");
    }

    const std::string before = Config().dump();
    const bool mode_before = PermissionsMode();
    bool committed = true;
    try {
        ReadConfig();
    } catch (const std::exception&) {
        committed = false;
    }
    if (committed) {
        const Json& doc = Config();
        if (!doc.is_object() || !doc.contains("Permissions") || !doc.contains("Commands")) std::abort();
        if (doc["Permissions"].is_null() || doc["Commands"].is_null()) std::abort();
        if (PermissionsMode() && !host.loaded_plugins.count("Permissions")) std::abort();
    } else if (Config().dump() != before || PermissionsMode() != mode_before) {
        std::abort();
    }
    if (host.heap.Blocks() != 0) std::abort();
    return 0;
}
