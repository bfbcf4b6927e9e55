// `kestravel explain CONFIG --class CLASSPATH [--flyer] [--water] [--vehicle] [--groups A,B]
// [--permissions-plugin] [--json]`.
#pragma once

namespace tools {

// Exit status: 0, 1 when the plugin would not load the configuration, 2 for a usage error or a
// file that cannot be read.
int ExplainCommand(int argc, char** argv);

}  // namespace tools
