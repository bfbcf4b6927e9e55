// Where the command line finds the plugin libraries.
#include "tool_paths.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tools {

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
#if defined(_WIN32)
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

#if defined(_WIN32)
fs::path PluginLibrary() { return ExecutableFolder().parent_path() / "lib" / "Kestravel.dll"; }
fs::path PermissionsLibrary() {
    return ExecutableFolder().parent_path() / "lib" / "Permissions.dll";
}
#else
fs::path PluginLibrary() { return ExecutableFolder().parent_path() / "lib" / "Kestravel.so"; }
fs::path PermissionsLibrary() { return ExecutableFolder().parent_path() / "lib" / "libPermissions.so"; }
#endif

}  // namespace tools
