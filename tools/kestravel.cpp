// kestravel: runs the plugin inside the simulated server so that an operator can see what a
// configuration does before deploying it.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>
#include <string>

#include "server.h"
#include "tool_paths.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
    std::cerr << "usage: kestravel server --config FILE\n";
    return 2;
}

void PrintRegistry(sim::Server& server) {
    auto list = [](const std::vector<std::string>& names) {
        std::string text;
        for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
        return text.empty() ? std::string("(none)") : text;
    };
    std::cout << "registry: console [" << list(server.host().commands.ConsoleNames()) << "] rcon ["
              << list(server.host().commands.RconNames()) << "] chat ["
              << list(server.host().commands.ChatNames()) << "]\n";
    std::vector<std::string> hooks;
    for (const auto& hook : server.host().hooks.InstalledHooks()) hooks.push_back(hook.function);
    std::cout << "hooks: [" << list(hooks) << "]\n";
}

int Server(const fs::path& config) {
    std::ifstream file(config, std::ios::binary);
    if (!file) {
        std::cerr << "kestravel: cannot read " << config << "\n";
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();

    const fs::path folder = fs::temp_directory_path() / ("kestravel-server-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    int status = 0;
    {
        sim::Server server({folder, tools::PluginLibrary(), tools::PermissionsLibrary()});
        server.host().sink->SetListener([](const sim::LogLine& line) {
            std::cout << "log: " << line.formatted << "\n";
        });
        server.WriteConfig(text.str());
        std::string error;
        const bool ok = server.LoadPlugin(&error);
        std::cout << "load: " << (ok ? "ok" : "failed (" + error + ")") << "\n";
        PrintRegistry(server);
        if (ok) {
            server.UnloadPlugin();
            std::cout << "unload\n";
            PrintRegistry(server);
        }
        std::cout << "heap: " << server.host().heap.Blocks() << " blocks\n";
        status = ok ? 0 : 1;
    }
    fs::remove_all(folder);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::string(argv[1]) != "server" || std::string(argv[2]) != "--config") {
        return Usage();
    }
    return Server(argv[3]);
}
