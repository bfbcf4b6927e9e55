// `kestravel server`: a simulated server console over a server folder.
#include "server_command.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <vector>

#include "line_reader.h"
#include "server_folder.h"
#include "session.h"
#include "tool_paths.h"

namespace tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: kestravel server [--json] [--dir DIR] [--config FILE]\n"
    "                        [--rcon-port N [--rcon-password PASSWORD]] [SCRIPT...]\n";

struct Options {
    bool json = false;
    fs::path dir;
    fs::path config;
    std::vector<fs::path> scripts;
    std::optional<std::uint16_t> rcon_port;
    std::optional<std::string> rcon_password;
};

std::optional<std::uint16_t> ParsePort(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long port = std::stoul(text);
    if (port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            options->json = true;
        } else if ((arg == "--dir" || arg == "--config") && i + 1 < argc) {
            (arg == "--dir" ? options->dir : options->config) = argv[++i];
        } else if (arg == "--rcon-port" && i + 1 < argc) {
            options->rcon_port = ParsePort(argv[++i]);
            if (!options->rcon_port) return false;
        } else if (arg == "--rcon-password" && i + 1 < argc) {
            options->rcon_password = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return false;
        } else {
            options->scripts.push_back(arg);
        }
    }
    // A password without an endpoint would be silently ignored.
    return !options->rcon_password || options->rcon_port;
}

bool RunStream(Session& session, std::istream& input, const Location& start) {
    Location where = start;
    bool ok = true;
    std::string line;
    while (!session.Stopped() && std::getline(input, line)) {
        ++where.line;
        session.printer().Echo(line);
        ok = session.RunText(line, where) && ok;
    }
    return ok;
}

bool RunInteractive(Session& session) {
    Location where{"", 0, fs::current_path()};
    LineReader reader("kestravel> ");
    bool ok = true;
    std::string line;
    while (!session.Stopped() && reader.Next(&line)) {
        ++where.line;
        ok = session.RunText(line, where) && ok;
    }
    return ok;
}

}  // namespace

int ServerCommand(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::cerr << kUsage;
        return 2;
    }
    std::string config_text;
    if (!options.config.empty()) {
        std::ifstream file(options.config, std::ios::binary);
        if (!file) {
            std::cerr << "kestravel: cannot read " << options.config.string() << "\n";
            return 2;
        }
        config_text.assign(std::istreambuf_iterator<char>(file), {});
    }
    std::vector<std::ifstream> scripts;
    for (const fs::path& script : options.scripts) {
        scripts.emplace_back(script, std::ios::binary);
        if (!scripts.back()) {
            std::cerr << "kestravel: cannot read " << script.string() << "\n";
            return 2;
        }
    }

    try {
        ServerFolder folder(options.dir);
        EventPrinter printer(std::cout, options.json);
        Session session({folder.path(), PluginLibrary(), PermissionsLibrary()}, printer);
        session.WatchInput(true);
        if (!options.config.empty()) session.server().WriteConfig(config_text);
        if (options.rcon_port) session.ListenRcon(*options.rcon_port, options.rcon_password);
        bool ok = true;
        if (scripts.empty()) {
            ok = RunInteractive(session);
        }
        for (std::size_t i = 0; i < scripts.size() && !session.Stopped(); ++i) {
            const fs::path& script = options.scripts[i];
            ok = RunStream(session, scripts[i], {script.string(), 0, script.parent_path()}) && ok;
        }
        return ok ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "kestravel: " << error.what() << "\n";
        return 2;
    }
}

}  // namespace tools
