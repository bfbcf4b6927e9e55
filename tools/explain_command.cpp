// `kestravel explain`: its arguments and its output.
#include "explain_command.h"

#include <fstream>
#include <iostream>
#include <iterator>

#include "explain.h"
#include "values.h"

namespace tools {

namespace {

constexpr const char* kUsage =
    "usage: kestravel explain CONFIG --class CLASSPATH [--flyer] [--water] [--vehicle]\n"
    "                         [--groups A,B] [--permissions-plugin] [--json]\n";

bool ParseArguments(int argc, char** argv, ExplainRequest* request, std::string* config,
                    bool* json) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--class" && has_value) {
            request->class_path = argv[++i];
        } else if (arg == "--groups" && has_value) {
            request->groups = SplitList(argv[++i]);
        } else if (arg == "--flyer") {
            request->flyer = true;
        } else if (arg == "--water") {
            request->water = true;
        } else if (arg == "--vehicle") {
            request->vehicle = true;
        } else if (arg == "--permissions-plugin") {
            request->permissions_plugin = true;
        } else if (arg == "--json") {
            *json = true;
        } else if (config->empty() && !(arg.size() > 1 && arg[0] == '-')) {
            *config = arg;
        } else {
            return false;
        }
    }
    return !config->empty() && !request->class_path.empty();
}

}  // namespace

int ExplainCommand(int argc, char** argv) {
    ExplainRequest request;
    std::string config;
    bool json = false;
    if (!ParseArguments(argc, argv, &request, &config, &json)) {
        std::cerr << kUsage;
        return 2;
    }
    std::ifstream file(config, std::ios::binary);
    if (!file) {
        std::cerr << "kestravel: cannot read " << config << "\n";
        return 2;
    }
    request.config_text.assign(std::istreambuf_iterator<char>(file), {});
    try {
        const Event explanation = Explain(request);
        std::cout << (json ? JsonText(explanation) + "\n" : ExplanationText(explanation));
        return explanation.contains("load_error") ? 1 : 0;
    } catch (const std::exception& error) {
        std::cerr << "kestravel: " << error.what() << "\n";
        return 2;
    }
}

}  // namespace tools
