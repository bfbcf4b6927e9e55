// `kestravel server`: a simulated server console over a server folder.
#include "server_command.h"

#include <fstream>
#include <iostream>
#include <vector>

#include "line_reader.h"
#include "server_folder.h"
#include "session.h"
#include "tool_paths.h"

namespace tools {

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: kestravel server [--json] [--dir DIR] [--config FILE] [SCRIPT...]\n";

struct Options {
    bool json = false;
    fs::path dir;
    fs::path config;
    std::vector<fs::path> scripts;
};

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            options->json = true;
        } else if ((arg == "--dir" || arg == "--config") && i + 1 < argc) {
            (arg == "--dir" ? options->dir : options->config) = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return false;
        } else {
            options->scripts.push_back(arg);
        }
    }
    return true;
}

bool RunStream(Session& session, std::istream& input, const Location& start) {
    Location where = start;
    bool ok = true;
    std::string line;
    while (std::getline(input, line)) {
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
    while (reader.Next(&line)) {
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
        if (!options.config.empty()) session.server().WriteConfig(config_text);
        bool ok = true;
        if (scripts.empty()) {
            ok = RunInteractive(session);
        }
        for (std::size_t i = 0; i < scripts.size(); ++i) {
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
