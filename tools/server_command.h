// `kestravel server [--json] [--dir DIR] [--config FILE] [SCRIPT...]`.
#pragma once

namespace tools {

// Exit status: 0, 1 when a command could not run, 2 for a usage error.
int ServerCommand(int argc, char** argv);

}  // namespace tools
