// kestravel: what a configuration does, before it is deployed. `server` runs the plugin inside
// the simulated server, `check` finds what is wrong in a configuration, `explain` shows the
// settings chosen for one creature and one player.
#include <iostream>
#include <string>

#include "check_command.h"
#include "explain_command.h"
#include "server_command.h"

namespace {

int Usage() {
    std::cerr
        << "usage: kestravel server [--json] [--dir DIR] [--config FILE] [SCRIPT...]\n"
           "       kestravel check [--json] CONFIG\n"
           "       kestravel explain CONFIG --class CLASSPATH [--flyer] [--water] [--vehicle]\n"
           "                         [--groups A,B] [--permissions-plugin] [--json]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    if (command == "server") return tools::ServerCommand(argc - 2, argv + 2);
    if (command == "check") return tools::CheckCommand(argc - 2, argv + 2);
    if (command == "explain") return tools::ExplainCommand(argc - 2, argv + 2);
    if (command == "--help" || command == "help") {
        Usage();
        return 0;
    }
    return Usage();
}
