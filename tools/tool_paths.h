// Where the command line finds the plugin libraries: beside it in the build's library folder.
#pragma once

#include <filesystem>

namespace tools {

std::filesystem::path ExecutableFolder();
std::filesystem::path PluginLibrary();
std::filesystem::path PermissionsLibrary();

}  // namespace tools
