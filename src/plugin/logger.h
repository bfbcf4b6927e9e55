// The plugin's logger "Kestravel", on a copy of the host's shared sinks.
#pragma once

#include <spdlog/logger.h>

// Creates the logger at the first call (thread-safe) and returns it; it lives until the library
// is unloaded. The plugin writes only error lines.
spdlog::logger& Log();
