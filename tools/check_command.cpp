// `kestravel check`: one line per finding, then a summary.
#include "check_command.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "check.h"
#include "events.h"

namespace tools {

namespace {

std::string Plural(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string PathOf(const Finding& finding, const std::string& file) {
    if (finding.line > 0) {
        return file + ":" + std::to_string(finding.line) + ":" + std::to_string(finding.column);
    }
    return finding.pointer.empty() ? file : finding.pointer;
}

Event FindingEvent(const Finding& finding) {
    Event event = {{"path", finding.pointer},
                   {"severity", finding.error ? "error" : "warning"},
                   {"message", finding.message}};
    if (!finding.found.empty()) {
        event["found"] = finding.found;
        event["expected"] = finding.expected;
    }
    if (finding.line > 0) {
        event["line"] = finding.line;
        event["column"] = finding.column;
    }
    return event;
}

}  // namespace

int CheckCommand(int argc, char** argv) {
    bool json = false;
    std::string file;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (file.empty() && !(arg.size() > 1 && arg[0] == '-')) {
            file = arg;
        } else {
            file.clear();
            break;
        }
    }
    if (file.empty()) {
        std::cerr << "usage: kestravel check [--json] CONFIG\n";
        return 2;
    }
    // Opened as the plugin opens config.json.
    std::ifstream stream(file);
    std::error_code ignored;
    if (!stream || std::filesystem::is_directory(file, ignored)) {
        std::cerr << "kestravel: cannot read " << file << "\n";
        return 2;
    }
    const std::string text(std::istreambuf_iterator<char>(stream), {});

    std::size_t errors = 0;
    std::size_t warnings = 0;
    for (const Finding& finding : CheckConfigText(text)) {
        (finding.error ? errors : warnings) += 1;
        if (json) {
            std::cout << JsonText(FindingEvent(finding)) << "\n";
        } else {
            std::cout << PathOf(finding, file) << ": " << (finding.error ? "error" : "warning")
                      << ": " << finding.message << "\n";
        }
    }
    if (json) {
        std::cout << JsonText({{"file", file}, {"errors", errors}, {"warnings", warnings}}) << "\n";
    } else {
        std::cout << file << ": " << Plural(errors, "error") << ", " << Plural(warnings, "warning")
                  << "\n";
    }
    return errors > 0 ? 1 : 0;
}

}  // namespace tools
