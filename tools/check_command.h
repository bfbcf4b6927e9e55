// `kestravel check [--json] CONFIG`.
#pragma once

namespace tools {

// Exit status: 0 without errors, 1 with errors, 2 when the file cannot be read or for a usage
// error.
int CheckCommand(int argc, char** argv);

}  // namespace tools
